#pragma once
// Addresses and multi-byte values inside a ROM. Pointers stored in a ROM are GBA addresses: the
// ROM offset plus kGbaBase. Every multi-byte value is little-endian.
#include <cstdint>
#include <optional>

inline constexpr uint32_t kGbaBase = 0x08000000;

namespace rom {

inline uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void Put16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

// The GBA address of a ROM offset.
inline uint32_t OffsetToPointer(uint32_t offset) { return offset + kGbaBase; }

// The ROM offset a stored address points at, when it lies inside a file of `rom_size` bytes.
inline std::optional<uint32_t> PointerToOffset(uint32_t address, uint64_t rom_size) {
  if (address < kGbaBase || uint64_t(address - kGbaBase) >= rom_size) return std::nullopt;
  return address - kGbaBase;
}

}  // namespace rom
