// The LZ77 decoder on arbitrary bytes: never reads or writes out of bounds, and what decodes
// survives a round trip through the encoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "graphics/lz77.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> source(data, size);
  // A capacity below the declared size must fail cleanly too.
  size_t capacity = std::min<size_t>(graphics::Lz77DecodedSize(source), 1 << 16);
  if (size > 0 && data[size - 1] & 1) capacity /= 2;
  std::vector<uint8_t> out(capacity);
  graphics::Lz77Decoded d = graphics::Lz77Decode(source, out.data(), out.size());
  if (d.status == graphics::Lz77Decoded::kOk) {
    if (d.size > capacity) std::abort();
    out.resize(d.size);
    std::vector<uint8_t> again = graphics::CLZ77().Compress(out);
    std::vector<uint8_t> back(out.size());
    graphics::Lz77Decoded r = graphics::Lz77Decode(again, back.data(), back.size());
    if (r.status != graphics::Lz77Decoded::kOk || back != out || r.consumed != again.size()) std::abort();
  }
  return 0;
}
