#include "demo/rom_image.h"

#include <algorithm>
#include <stdexcept>

namespace demo {

CRomImage::CRomImage(uint32_t size, uint32_t first_free) : bytes_(size, 0x00), next_(first_free) {}

uint32_t CRomImage::Place(const std::string& name, uint32_t size, uint32_t align) {
  uint32_t at = (next_ + align - 1) / align * align;
  if (at > bytes_.size() || size > bytes_.size() - at)
    throw std::length_error("the ROM is too small for " + name);
  next_ = at + size;
  blocks_.push_back({name, at, size});
  return at;
}

uint32_t CRomImage::PlaceBytes(const std::string& name, std::span<const uint8_t> bytes,
                               uint32_t align) {
  uint32_t at = Place(name, uint32_t(bytes.size()), align);
  PutBytes(at, bytes);
  return at;
}

void CRomImage::Mark(const std::string& name, uint32_t offset, uint32_t size) {
  if (offset > bytes_.size() || size > bytes_.size() - offset)
    throw std::length_error("the ROM is too small for " + name);
  blocks_.push_back({name, offset, size});
}

void CRomImage::Put16(uint32_t at, uint16_t v) {
  Put8(at, uint8_t(v));
  Put8(at + 1, uint8_t(v >> 8));
}

void CRomImage::Put32(uint32_t at, uint32_t v) {
  Put16(at, uint16_t(v));
  Put16(at + 2, uint16_t(v >> 16));
}

void CRomImage::PutBytes(uint32_t at, std::span<const uint8_t> bytes) {
  if (at > bytes_.size() || bytes.size() > bytes_.size() - at)
    throw std::length_error("a write past the end of the ROM");
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + at);
}

void CRomImage::Fill(uint32_t at, uint32_t size, uint8_t value) {
  if (at > bytes_.size() || size > bytes_.size() - at)
    throw std::length_error("a fill past the end of the ROM");
  std::fill_n(bytes_.begin() + at, size, value);
}

}  // namespace demo
