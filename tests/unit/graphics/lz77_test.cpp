#include "graphics/lz77.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using graphics::CLZ77;
using graphics::Lz77Decode;
using graphics::Lz77Decoded;
using graphics::Lz77Search;
using Bytes = std::vector<uint8_t>;

Bytes B(std::initializer_list<int> v) { return Bytes(v.begin(), v.end()); }
Bytes Ascii(std::string_view s) { return Bytes(s.begin(), s.end()); }

uint32_t Unpack(const Bytes& stream, uint32_t capacity, Bytes* out = nullptr) {
  Bytes dest(capacity + 1, 0xEE);
  uint32_t r = CLZ77().LZ77UnCompress(stream.data(), stream.size(), dest.data(), capacity);
  EXPECT_EQ(dest[capacity], 0xEE) << "wrote past the capacity";
  if (out) out->assign(dest.begin(), dest.begin() + capacity);
  return r;
}

TEST(Lz77Encoder, WorkedExamples) {
  EXPECT_EQ(CLZ77().Compress(Bytes(16, 0x11)),
            B({0x10, 0x10, 0, 0, 0x20, 0x11, 0x11, 0xB0, 0x01, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Unpack(B({0x10, 0x10, 0, 0, 0x20, 0x11, 0x11, 0xB0, 0x01, 0, 0, 0, 0, 0}), 16),
            0x0010000Eu);
  // At position 8 distances 4 and 8 match 3 bytes: the full window takes the farthest.
  Bytes abc = Ascii("ABCxABCyABC");
  EXPECT_EQ(CLZ77().Compress(abc),
            B({0x10, 0x0B, 0, 0, 0x0A, 'A', 'B', 'C', 'x', 0x00, 0x03, 'y', 0x00, 0x07, 0x00}));
  EXPECT_EQ(CLZ77(Lz77Search::kShort).Compress(abc),
            B({0x10, 0x0B, 0, 0, 0x0A, 'A', 'B', 'C', 'x', 0x00, 0x03, 'y', 0x00, 0x03, 0x00}));
}

TEST(Lz77Encoder, TinyInputsAndPadding) {
  EXPECT_EQ(CLZ77().Compress({}), B({0x10, 0, 0, 0}));
  EXPECT_EQ(Unpack(B({0x10, 0, 0, 0}), 0), 4u);  // size 0, consumed 4
  EXPECT_EQ(CLZ77().Compress(B({7})), B({0x10, 1, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CLZ77().Compress(B({7, 7})), B({0x10, 2, 0, 0, 0, 7, 7, 0, 0, 0, 0, 0, 0}));
}

TEST(Lz77Encoder, NoCompressionWritesLiteralsOnly) {
  CLZ77 codec;
  codec.set_nocompress(true);
  for (size_t n : {1u, 8u, 9u, 100u}) {
    Bytes out = codec.Compress(Bytes(n, 0));
    ASSERT_EQ(out.size(), 4 + 9 * ((n + 7) / 8)) << n;
    ASSERT_LE(out.size(), graphics::Lz77MaxCompressedSize(n));
    for (size_t flag = 4; flag < out.size(); flag += 9) EXPECT_EQ(out[flag], 0) << n;
    int32_t pos = 5;
    EXPECT_EQ(codec.Search(Bytes(n, 0).data(), pos, static_cast<int32_t>(n)), 0u);
  }
}

TEST(Lz77Encoder, NeverUsesDistanceOneOrReachesPastTheEnd) {
  // Distance 1 would be the natural match for a run; the encoder takes distance 2. The padded
  // last group makes this stream longer than nine bytes per eight input bytes.
  Bytes run = CLZ77().Compress(Bytes(5, 0xAA));
  EXPECT_EQ(run, B({0x10, 5, 0, 0, 0x20, 0xAA, 0xAA, 0x00, 0x01, 0, 0, 0, 0, 0}));
  EXPECT_LE(run.size(), graphics::Lz77MaxCompressedSize(5));
  // No candidate distance exceeds the position, no match runs past the input.
  Bytes in = Ascii("abcabcab");
  int32_t pos = 3;
  uint32_t item = graphics::Lz77FullWindowSearch(in.data(), pos, 8);
  EXPECT_EQ(pos, 8);
  EXPECT_EQ(item & 0xFFFF, ((5 - 3) << 12) | 2u);
  EXPECT_EQ(item >> 16, 0xFFFFu);
  pos = 2;
  EXPECT_EQ(graphics::Lz77ShortSearch(in.data(), pos, 8), 0u);  // d = 2 does not match, d > 2 is beyond
}

TEST(Lz77Encoder, EighteenEndsTheScanAtTheNearestDistance) {
  // Distance 2 and distance 4 both continue for 18 bytes: the nearest wins.
  Bytes in(40, 0);
  for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<uint8_t>(i % 2);
  int32_t pos = 10;
  uint32_t item = graphics::Lz77FullWindowSearch(in.data(), pos, 40);
  EXPECT_EQ(item & 0xFFFF, (15u << 12) | 1u);
  EXPECT_EQ(pos, 28);
}

TEST(Lz77Decoder, CapacityAndSize) {
  Bytes data = Ascii("the quick brown fox jumps over the lazy dog, the quick fox");
  Bytes stream = CLZ77().Compress(data);
  uint32_t n = static_cast<uint32_t>(data.size());
  Bytes out;
  EXPECT_EQ(Unpack(stream, n, &out), n << 16 | static_cast<uint32_t>(stream.size()));
  EXPECT_EQ(out, data);
  EXPECT_EQ(Unpack(stream, n - 1), 0u);
}

TEST(Lz77Decoder, SizeEndingInsideAReference) {
  // Reference of 6 at distance 2 after two literals, but the size stops after 5 bytes.
  Bytes stream = B({0x10, 5, 0, 0, 0x20, 'a', 'b', 0x30, 0x01, 0xFF, 0xFF});
  Bytes out;
  // Ended in slot 2 after byte 9: consumed 9 + 7 - 2 = 14, although the stream is shorter.
  EXPECT_EQ(Unpack(stream, 5, &out), 5u << 16 | 14u);
  EXPECT_EQ(out, Ascii("ababa"));
}

TEST(Lz77Decoder, DistanceOneRepeatsTheLastByte) {
  Bytes out;
  EXPECT_EQ(Unpack(B({0x10, 4, 0, 0, 0x40, 'z', 0x00, 0x00}), 4, &out), 4u << 16 | 14u);
  EXPECT_EQ(out, Ascii("zzzz"));
}

TEST(Lz77Decoder, RejectsWhatIsNoValidStream) {
  EXPECT_EQ(CLZ77().LZ77UnCompress(nullptr, 0, nullptr, 0), 0u);
  EXPECT_EQ(Unpack(B({0x11, 4, 0, 0}), 16), 0xFFFFFFFFu);
  EXPECT_EQ(graphics::Lz77DecodedSize(B({0x11, 4, 0, 0})), 0u) << "no stream, no size";
  EXPECT_EQ(graphics::Lz77DecodedSize(B({0x10, 4, 0})), 0u) << "a header cut short";
  EXPECT_EQ(graphics::Lz77DecodedSize(B({0x10, 0x56, 0x34, 0x12, 0xFF})), 0x123456u);
  // The stream runs out before the size is reached: never read past its end.
  EXPECT_EQ(Unpack(B({0x10, 9, 0, 0, 0x00, 'a', 'b'}), 16), 0u);
  EXPECT_EQ(Unpack(B({0x10, 9, 0}), 16), 0u);
  EXPECT_EQ(Unpack(B({0x10, 9, 0, 0, 0x40, 'a', 0x00}), 16), 0u);  // reference cut in half
  // A reference before the start of the output.
  Bytes dest(16);
  Lz77Decoded d = Lz77Decode(B({0x10, 4, 0, 0, 0x40, 'a', 0x00, 0x05}), dest.data(), dest.size());
  EXPECT_EQ(d.status, Lz77Decoded::kBadReference);
  EXPECT_EQ(Unpack(B({0x10, 4, 0, 0, 0x40, 'a', 0x00, 0x05}), 16), 0u);
}

// Inputs the sprites and palettes look like, and some that stress the search.
std::vector<Bytes> Corpus() {
  std::mt19937 rng(1234);
  std::vector<Bytes> inputs;
  auto random = [&](size_t n, int symbols) {
    Bytes b(n);
    for (auto& c : b) c = static_cast<uint8_t>(rng() % symbols);
    return b;
  };
  inputs.push_back(random(4096, 256));
  inputs.push_back(random(5000, 2));
  inputs.push_back(random(5000, 4));
  Bytes runs;
  while (runs.size() < 9000) runs.insert(runs.end(), 1 + rng() % 40, static_cast<uint8_t>(rng() % 3));
  inputs.push_back(runs);
  // 4-bit tiles: a few patterns reused with small changes, like a sprite sheet.
  Bytes tiles;
  std::vector<Bytes> patterns;
  for (int i = 0; i < 12; ++i) patterns.push_back(random(32, 16));
  for (auto& p : patterns) {
    for (auto& c : p) c = static_cast<uint8_t>(c | (c << 4));
  }
  while (tiles.size() < 16384) {
    Bytes t = patterns[rng() % patterns.size()];
    if (rng() % 3 == 0) t[rng() % 32] ^= 0x11;
    if (rng() % 4 == 0) t.assign(32, 0);
    tiles.insert(tiles.end(), t.begin(), t.end());
  }
  inputs.push_back(tiles);
  inputs.push_back(Bytes(20000, 0));
  // Runs of every length, longer than the window too, so that the run shortcut of the indexed
  // search meets window edges, the end of the input and runs that touch each other.
  for (int variant = 0; variant < 6; ++variant) {
    Bytes mixed;
    size_t total = 2000 + rng() % 12000;
    while (mixed.size() < total) {
      size_t len = rng() % 5 == 0 ? rng() % 5000 : 1 + rng() % 30;
      uint8_t value = static_cast<uint8_t>(rng() % (2 + variant));
      mixed.insert(mixed.end(), len, value);
      if (rng() % 3 == 0) {
        Bytes noise = random(1 + rng() % 8, 4);
        mixed.insert(mixed.end(), noise.begin(), noise.end());
      }
    }
    inputs.push_back(mixed);
  }
  for (int n = 0; n < 40; ++n) inputs.push_back(random(rng() % 300, 1 + rng() % 5));
  return inputs;
}

// Both searches write what the plain reference scan writes, and both decoders give the input
// back from it.
TEST(Lz77Encoder, SearchesWriteWhatTheReferenceScanWrites) {
  const std::vector<Bytes> corpus = Corpus();
  for (Lz77Search search : {Lz77Search::kFullWindow, Lz77Search::kShort}) {
    for (const Bytes& in : corpus) {
      SCOPED_TRACE(testing::Message() << "search " << int(search) << ", input of " << in.size() << " bytes");
      Bytes expected(graphics::Lz77MaxCompressedSize(in.size()));
      expected.resize(graphics::Lz77CompressReference(in.data(), static_cast<int32_t>(in.size()),
                                                     expected.data(), search));
      Bytes got = CLZ77(search).Compress(in);
      ASSERT_EQ(got, expected);
      Bytes back(in.size());
      uint32_t r = CLZ77().LZ77UnCompress(got.data(), got.size(), back.data(),
                                          static_cast<uint32_t>(back.size()));
      if (in.size() < 65536) {
        EXPECT_EQ(r >> 16, in.size());
        EXPECT_EQ(r & 0xFFFF, got.size() & 0xFFFF);
      }
      EXPECT_EQ(back, in);
      std::fill(back.begin(), back.end(), uint8_t{0xEE});
      Lz77Decoded d = Lz77Decode(got, back.data(), back.size());
      EXPECT_EQ(d.status, Lz77Decoded::kOk);
      EXPECT_EQ(d.consumed, got.size());
      EXPECT_EQ(back, in);
    }
  }
}

}  // namespace
