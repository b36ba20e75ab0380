#pragma once
// lumak::vectorp: a growable array of plain records. It starts with room for one record and
// doubles its room (copying the records into a zeroed new block) whenever the next record would
// fill it; clear() zeroes the records and keeps the room. Allocation failures are reported
// (false), never thrown, and leave the array as it was.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace lumak {

template <typename T>
class vectorp {
  static_assert(std::is_trivially_copyable_v<T>, "vectorp holds plain records");

 public:
  vectorp() : data_(new (std::nothrow) T[1]()), capacity_(data_ ? 1 : 0) {}
  vectorp(const vectorp& other) { *this = other; }
  vectorp& operator=(const vectorp& other) {
    if (this == &other) return *this;
    std::unique_ptr<T[]> copy(new (std::nothrow) T[other.capacity_ ? other.capacity_ : 1]());
    if (!copy) return *this;
    std::copy_n(other.data_.get(), other.size_, copy.get());
    data_ = std::move(copy);
    capacity_ = other.capacity_ ? other.capacity_ : 1;
    size_ = other.size_;
    return *this;
  }
  // A moved-from array is empty, with no room.
  vectorp(vectorp&& other) noexcept
      : data_(std::move(other.data_)), capacity_(std::exchange(other.capacity_, 0)), size_(std::exchange(other.size_, 0)) {}
  vectorp& operator=(vectorp&& other) noexcept {
    data_ = std::move(other.data_);
    capacity_ = std::exchange(other.capacity_, 0);
    size_ = std::exchange(other.size_, 0);
    return *this;
  }

  // Appends a record, doubling the room first when size + 1 would reach it.
  bool push_back(const T& record) {
    if (size_ + 1 >= capacity_ && !mrealloc(capacity_ ? capacity_ * 2 : 2)) return false;
    data_[size_++] = record;
    return true;
  }
  // Room for n records; refuses to shrink and to allocate nothing.
  bool mrealloc(uint64_t n) {
    if (n == 0 || n <= capacity_ || n > SIZE_MAX / sizeof(T)) return false;
    std::unique_ptr<T[]> grown(new (std::nothrow) T[static_cast<size_t>(n)]());
    if (!grown) return false;
    std::copy_n(data_.get(), size_, grown.get());
    data_ = std::move(grown);
    capacity_ = n;
    return true;
  }
  // Zeroes the records and forgets them; the room stays.
  void clear() {
    std::fill_n(data_.get(), capacity_, T{});
    size_ = 0;
  }

  // Unchecked, like the array they index: callers keep i below size().
  T& operator[](uint64_t i) { return data_[static_cast<size_t>(i)]; }
  const T& operator[](uint64_t i) const { return data_[static_cast<size_t>(i)]; }
  uint64_t size() const { return size_; }
  uint64_t capacity() const { return capacity_; }

  T* begin() { return data_.get(); }
  T* end() { return data_.get() + size_; }
  const T* begin() const { return data_.get(); }
  const T* end() const { return data_.get() + size_; }

 private:
  std::unique_ptr<T[]> data_;
  uint64_t capacity_ = 0;
  uint64_t size_ = 0;
};

}  // namespace lumak
