#pragma once
// Writes small PNG files for tests: stored (uncompressed) deflate blocks, no filters.
#include <cstdint>
#include <vector>

struct PngSpec {
  int width = 0;
  int height = 0;
  int bit_depth = 8;
  int colour_type = 3;  // 0 gray, 2 RGB, 3 palette, 4 gray + alpha, 6 RGBA
  // Per pixel, top-down, left to right: the sample values of each channel (up to 65535).
  std::vector<std::vector<uint16_t>> pixels;
  std::vector<uint8_t> plte;  // red, green, blue per entry
  std::vector<uint8_t> trns;  // the tRNS chunk's bytes, if any
};

std::vector<uint8_t> WritePng(const PngSpec& spec);
