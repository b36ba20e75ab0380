#pragma once
// Inputs shaped like the games' data, the same on every run.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// 4-bit sprite tiles: a dozen patterns reused with small changes and empty tiles between.
std::vector<uint8_t> SpriteTiles(size_t bytes, unsigned seed = 7);

// A drawn 4-bit sprite in tile order: a shaded blob with an outline and some noise on an empty
// background, as monster pictures look. 64 x 64 pixels are 2 KiB; `bytes` picks the height.
std::vector<uint8_t> DrawnSprite(size_t bytes, unsigned seed = 11);

}  // namespace bench
