#include "sample_data.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace bench {

std::vector<uint8_t> SpriteTiles(size_t bytes, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::vector<uint8_t>> patterns(12, std::vector<uint8_t>(32));
  for (auto& p : patterns) {
    for (auto& c : p) {
      uint8_t lo = static_cast<uint8_t>(rng() % 16), hi = static_cast<uint8_t>(rng() % 16);
      c = static_cast<uint8_t>(rng() % 2 ? lo | lo << 4 : lo | hi << 4);
    }
  }
  std::vector<uint8_t> out;
  while (out.size() < bytes) {
    std::vector<uint8_t> tile = patterns[rng() % patterns.size()];
    if (rng() % 3 == 0) tile[rng() % 32] ^= 0x1F;
    if (rng() % 4 == 0) tile.assign(32, 0);
    out.insert(out.end(), tile.begin(), tile.end());
  }
  out.resize(bytes);
  return out;
}

std::vector<uint8_t> DrawnSprite(size_t bytes, unsigned seed) {
  std::mt19937 rng(seed);
  const int width = 128;
  const int height = static_cast<int>(bytes * 2 / width / 8 * 8);
  std::vector<uint8_t> pixels(static_cast<size_t>(width * height), 0);
  const double cx = width / 2.0, cy = height / 2.0, r = std::min(width, height) * 0.42;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double dx = (x - cx) / r, dy = (y - cy) / r;
      double d = dx * dx + dy * dy * 1.3 + 0.15 * std::sin(x * 0.3) * std::cos(y * 0.2);
      if (d > 1.0) continue;
      int shade = d > 0.9 ? 1 : 2 + static_cast<int>((dx + dy + 2) * 2.5) % 10;
      if (rng() % 9 == 0) shade = 2 + static_cast<int>(rng() % 12);
      pixels[static_cast<size_t>(y * width + x)] = static_cast<uint8_t>(shade);
    }
  }
  std::vector<uint8_t> out;
  for (int ty = 0; ty < height / 8; ++ty) {
    for (int tx = 0; tx < width / 8; ++tx) {
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; x += 2) {
          size_t at = static_cast<size_t>((ty * 8 + y) * width + tx * 8 + x);
          out.push_back(static_cast<uint8_t>(pixels[at] | pixels[at + 1] << 4));
        }
      }
    }
  }
  out.resize(bytes, 0);
  return out;
}

}  // namespace bench
