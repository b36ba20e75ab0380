#pragma once
// Tile order: pictoma keeps one palette index per byte, 64 bytes per 8 × 8 tile, each tile's
// rows top to bottom. A picture `tiles_per_row` tiles wide shows tile t at tile column
// t % tiles_per_row and tile row t / tiles_per_row. ROM data packs 4-bit pixels two to a byte,
// the first (left) pixel in the low nibble.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace imagetool {

inline constexpr int kTileSide = 8;
inline constexpr int kTilePixels = 64;

// Position in tile order of pixel (x, y) of a picture `tiles_per_row` tiles wide.
constexpr size_t TileOrderIndex(int x, int y, int tiles_per_row) {
  return (size_t(y / kTileSide) * size_t(tiles_per_row) + size_t(x / kTileSide)) * kTilePixels +
         size_t(y % kTileSide) * kTileSide + size_t(x % kTileSide);
}

// The first `rows_of_tiles` × `tiles_per_row` tiles as rows of a picture 8 × tiles_per_row
// wide, top row first, one index per byte. `tiles` must hold that many tiles.
std::vector<uint8_t> TilesToRows(std::span<const uint8_t> tiles, int tiles_per_row, int rows_of_tiles);

// A picture of `width` × `height` pixels (multiples of 8; rows top-down, one index per byte)
// cut into tiles left to right and top to bottom.
std::vector<uint8_t> RowsToTiles(std::span<const uint8_t> rows, int width, int height);

// Two pixels a byte, the first in the low nibble (an odd last pixel gets a zero partner).
std::vector<uint8_t> Pack4(std::span<const uint8_t> pixels);
// Each byte to its low nibble, then its high nibble.
std::vector<uint8_t> Unpack4(std::span<const uint8_t> bytes);

}  // namespace imagetool
