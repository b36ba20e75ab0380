#include "unit/toolkit/png_writer.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "patch/patch.h"

namespace {

void Be32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Be32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Be32(out, patch::Crc32(body));
}

}  // namespace

std::vector<uint8_t> WritePng(const PngSpec& s) {
  std::vector<uint8_t> raw;
  const int channels = s.colour_type == 2 ? 3 : s.colour_type == 4 ? 2 : s.colour_type == 6 ? 4 : 1;
  for (int y = 0; y < s.height; ++y) {
    raw.push_back(0);  // filter: none
    uint32_t bits = 0;
    int nbits = 0;
    for (int x = 0; x < s.width; ++x) {
      const auto& px = s.pixels[static_cast<size_t>(y * s.width + x)];
      for (int c = 0; c < channels; ++c) {
        if (s.bit_depth == 16) {
          raw.push_back(static_cast<uint8_t>(px[c] >> 8));
          raw.push_back(static_cast<uint8_t>(px[c]));
        } else {
          bits = bits << s.bit_depth | px[c];
          nbits += s.bit_depth;
          if (nbits == 8) {
            raw.push_back(static_cast<uint8_t>(bits));
            bits = 0;
            nbits = 0;
          }
        }
      }
    }
    if (nbits) raw.push_back(static_cast<uint8_t>(bits << (8 - nbits)));
  }
  // zlib stream of stored blocks.
  std::vector<uint8_t> z = {0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0;) {
    size_t n = std::min<size_t>(raw.size() - at, 65535);
    z.push_back(at + n == raw.size() ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<ptrdiff_t>(at), raw.begin() + static_cast<ptrdiff_t>(at + n));
    at += n;
    if (raw.empty()) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Be32(z, b << 16 | a);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> ihdr;
  Be32(ihdr, static_cast<uint32_t>(s.width));
  Be32(ihdr, static_cast<uint32_t>(s.height));
  ihdr.push_back(static_cast<uint8_t>(s.bit_depth));
  ihdr.push_back(static_cast<uint8_t>(s.colour_type));
  ihdr.insert(ihdr.end(), {0, 0, 0});
  Chunk(out, "IHDR", ihdr);
  if (!s.plte.empty()) Chunk(out, "PLTE", s.plte);
  if (!s.trns.empty()) Chunk(out, "tRNS", s.trns);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return out;
}
