#pragma once
// Writing indexed PNG files: libpng on POSIX, the Windows Imaging Component on Windows, beside
// the decoders of png_decode.h. An image written here and read back with DecodePng gives the
// same indices and the same palette.
#include <array>
#include <cstdint>
#include <vector>

namespace lumak {

struct IndexedPng {
  int width = 0;
  int height = 0;
  int bit_depth = 8;  // 4 or 8
  // One palette index per pixel, rows top-down; each below palette_size.
  std::vector<uint8_t> indices;
  // Red, green, blue, alpha per entry; palette_size entries (1 to 2^bit_depth) are written, an
  // alpha below 255 anywhere adds a transparency chunk.
  std::array<uint8_t, 1024> palette{};
  int palette_size = 0;
};

// False for an image that does not fit its own description, or when the encoder fails.
bool EncodePng(const IndexedPng& image, std::vector<uint8_t>& file);

// The checks both encoders run first.
inline bool IndexedPngIsValid(const IndexedPng& image) {
  if (image.bit_depth != 4 && image.bit_depth != 8) return false;
  if (image.width < 1 || image.height < 1 || image.width > 32768 || image.height > 32768) return false;
  if (image.palette_size < 1 || image.palette_size > (1 << image.bit_depth)) return false;
  if (image.indices.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) return false;
  for (uint8_t index : image.indices) {
    if (index >= image.palette_size) return false;
  }
  return true;
}

}  // namespace lumak
