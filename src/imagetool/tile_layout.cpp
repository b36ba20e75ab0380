#include "imagetool/tile_layout.h"

namespace imagetool {

std::vector<uint8_t> TilesToRows(std::span<const uint8_t> tiles, int tiles_per_row, int rows_of_tiles) {
  const int width = kTileSide * tiles_per_row, height = kTileSide * rows_of_tiles;
  std::vector<uint8_t> rows(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int tx = 0; tx < tiles_per_row; ++tx) {
      const uint8_t* src = tiles.data() + TileOrderIndex(tx * kTileSide, y, tiles_per_row);
      uint8_t* dst = rows.data() + size_t(y) * size_t(width) + size_t(tx) * kTileSide;
      for (int i = 0; i < kTileSide; ++i) dst[i] = src[i];
    }
  }
  return rows;
}

std::vector<uint8_t> RowsToTiles(std::span<const uint8_t> rows, int width, int height) {
  const int tiles_per_row = width / kTileSide;
  std::vector<uint8_t> tiles(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int tx = 0; tx < tiles_per_row; ++tx) {
      const uint8_t* src = rows.data() + size_t(y) * size_t(width) + size_t(tx) * kTileSide;
      uint8_t* dst = tiles.data() + TileOrderIndex(tx * kTileSide, y, tiles_per_row);
      for (int i = 0; i < kTileSide; ++i) dst[i] = src[i];
    }
  }
  return tiles;
}

std::vector<uint8_t> Pack4(std::span<const uint8_t> pixels) {
  std::vector<uint8_t> bytes((pixels.size() + 1) / 2, 0);
  for (size_t i = 0; i < pixels.size(); ++i) {
    bytes[i / 2] = static_cast<uint8_t>(bytes[i / 2] | (pixels[i] & 0x0F) << (i % 2 ? 4 : 0));
  }
  return bytes;
}

std::vector<uint8_t> Unpack4(std::span<const uint8_t> bytes) {
  std::vector<uint8_t> pixels(bytes.size() * 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    pixels[2 * i] = bytes[i] & 0x0F;
    pixels[2 * i + 1] = bytes[i] >> 4;
  }
  return pixels;
}

}  // namespace imagetool
