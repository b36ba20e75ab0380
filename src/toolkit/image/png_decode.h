#pragma once
// Decoding of PNG files into samples the image class arranges: libpng on POSIX, the Windows
// Imaging Component on Windows. Both answer the same for the same file.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lumak {

struct DecodedPng {
  enum Kind { kIndexed, kGray, kRgb, kRgba } kind = kIndexed;
  int width = 0;
  int height = 0;
  int bit_depth = 0;  // of the file: 1, 2, 4, 8 or 16
  // Rows top-down. kIndexed and kGray: one byte per pixel (the index, or the gray value; the
  // high byte of 16-bit samples). kRgb: blue, green, red. kRgba: blue, green, red, alpha.
  std::vector<uint8_t> samples;
  // kIndexed: red, green, blue, alpha per entry (alpha 255 where the file gives none).
  std::array<uint8_t, 1024> palette{};
  int palette_size = 0;
};

// False for anything that is no complete, decodable PNG within the size limits.
bool DecodePng(std::span<const uint8_t> file, DecodedPng& out);

}  // namespace lumak
