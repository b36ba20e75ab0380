#pragma once
// The chunk walk both PNG decoders run before their library sees the file.
//
// A decoder allocates a chunk's declared length before it reads the data (libpng does, and an
// oversized ancillary chunk is only a warning to it): eight bytes claiming a 2 GiB text chunk
// would make it ask for 2 GiB. Every chunk header the library will read is therefore checked
// here: a chunk must fit, with its CRC, in the rest of the file, and the file must hold whole
// chunks up to IEND. Anything after IEND is never read and is not checked.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace lumak {

inline bool PngChunksFitTheFile(std::span<const uint8_t> file) {
  constexpr size_t kSignature = 8, kFrame = 12;  // length, type, CRC
  if (file.size() < kSignature) return false;
  for (size_t at = kSignature; at < file.size();) {
    const size_t left = file.size() - at;
    if (left < kFrame) return false;  // a header, or a header and part of a CRC, with no room
    const uint8_t* p = file.data() + at;
    const uint32_t length = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    if (length > 0x7FFFFFFFu || length > left - kFrame) return false;
    if (std::memcmp(p + 4, "IEND", 4) == 0) return true;
    at += kFrame + length;
  }
  return false;  // no IEND: the file was cut
}

}  // namespace lumak
