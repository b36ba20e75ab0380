#pragma once
// A file opened for one operation, exclusively: no other open of ours (or, on Windows, of any
// program) succeeds while it is open (kReadShared admits other readers). Every transfer is exact: moving fewer bytes than asked
// for is a failure. A failure leaves the system's text in ErrorText().
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

enum class OpenMode {
  kReadExisting,       // read only; the file must exist
  kReadShared,         // read only, others may read too (not write); the file must exist
  kReadWriteExisting,  // read and write; the file must exist (never created)
  kReadWriteOrCreate,  // read and write; created when missing, kept as it is otherwise
  kCreate,             // read and write; created, or emptied when it exists
};

class CFile {
 public:
  CFile() = default;
  ~CFile();
  CFile(CFile&& other) noexcept;
  CFile& operator=(CFile&& other) noexcept;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  bool Open(const std::filesystem::path& path, OpenMode mode);
  void Close();
  bool IsOpen() const { return handle_ != kInvalid; }

  bool Seek(uint64_t offset);
  bool Read(void* buffer, size_t size);
  bool Write(const void* buffer, size_t size);
  bool ReadAt(uint64_t offset, void* buffer, size_t size) { return Seek(offset) && Read(buffer, size); }
  bool WriteAt(uint64_t offset, const void* buffer, size_t size) {
    return Seek(offset) && Write(buffer, size);
  }
  bool Size(uint64_t& size);
  // Cuts or extends the file to `size` bytes.
  bool Truncate(uint64_t size);

  // Shift-JIS text of the last failure (the system's message or a short-transfer text).
  const std::string& ErrorText() const { return error_; }

 private:
  static constexpr intptr_t kInvalid = -1;
  bool Fail();                       // records the system's text for the last error
  bool Fail(const char* text);       // records `text`
  intptr_t handle_ = kInvalid;
  std::string error_;
};

// Puts `from` in the place of `to` in one step (the old `to` is gone only when `from` took
// its place); false with the system's text in `error`.
bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error);

// Reads a whole file into `data`; false with the system's text in `error` on failure.
bool ReadWholeFile(const std::filesystem::path& path, std::string& data, std::string& error);

}  // namespace platform
