// PNG files read into images. Natively through libpng, under Wine through the Windows Imaging
// Component: both must give these same images.
#include "toolkit/image/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <ctime>

#include "unit/test_dir.h"
#include "unit/toolkit/png_writer.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocation hooks (its header is not installed with every compiler).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                        void (*free_hook)(const volatile void*));
#endif

namespace {

using lumak::CImage;

uint16_t Sample(int x, int y, int c, int bit_depth) {
  uint32_t max = (1u << bit_depth) - 1;
  return static_cast<uint16_t>((x * 37 + y * 11 + c * 101 + x * y) % (max + 1));
}

PngSpec Spec(int colour_type, int bit_depth, int width = 5, int height = 3) {
  PngSpec s;
  s.width = width;
  s.height = height;
  s.bit_depth = bit_depth;
  s.colour_type = colour_type;
  int channels = colour_type == 2 ? 3 : colour_type == 4 ? 2 : colour_type == 6 ? 4 : 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::vector<uint16_t> px;
      for (int c = 0; c < channels; ++c) px.push_back(Sample(x, y, c, bit_depth));
      s.pixels.push_back(px);
    }
  }
  if (colour_type == 3) {
    for (int i = 0; i < (1 << bit_depth); ++i) {
      s.plte.insert(s.plte.end(), {static_cast<uint8_t>(i * 3), static_cast<uint8_t>(200 - i / 2),
                                   static_cast<uint8_t>(255 - i)});
    }
  }
  return s;
}

uint8_t High(uint16_t v, int bit_depth) { return static_cast<uint8_t>(bit_depth == 16 ? v >> 8 : v); }

// Every colour type and bit depth: palette images keep their indices (2 bits become 4), gray
// ones become indexed with a gray palette (16 bits keep their high byte), colour ones are stored
// blue, green, red (and alpha) as a BMP keeps them. Rows of several bytes and an odd width.
TEST(PngImage, EveryColourTypeAndDepth) {
  const struct {
    int colour_type, bits, depth;
    bool alpha;
  } kCases[] = {{3, 1, 1, false}, {3, 2, 4, false}, {3, 4, 4, false}, {3, 8, 8, false}, {3, 8, 8, true},
                {3, 1, 1, true},  {0, 1, 1, false}, {0, 2, 4, false}, {0, 4, 4, false}, {0, 8, 8, false},
                {0, 16, 8, false}, {2, 8, 24, false}, {2, 16, 24, false}, {6, 8, 32, true}, {6, 16, 32, true},
                {4, 8, 32, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << "colour type " << c.colour_type << ", " << c.bits << " bits");
    PngSpec s = Spec(c.colour_type, c.bits, 67, 9);
    if (c.colour_type == 3 && c.alpha) s.trns = {0, 128};
    CImage img;
    ASSERT_EQ(img.LoadPngBytes(WritePng(s)), 1);
    EXPECT_EQ(img.GetColorDepth(), c.depth);
    EXPECT_EQ(img.alpha(), c.alpha);
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        const auto& px = s.pixels[static_cast<size_t>(y * s.width + x)];
        if (c.depth <= 8) {
          ASSERT_EQ(img.GetPixelIndex(x, y), High(px[0], c.bits)) << x << "," << y;
          continue;
        }
        const uint32_t r = High(px[0], c.bits), g = High(px[c.colour_type == 4 ? 0 : 1], c.bits),
                       b = High(px[c.colour_type == 4 ? 0 : 2], c.bits);
        const uint32_t a = c.colour_type == 4 ? High(px[1], c.bits) : c.colour_type == 6 ? High(px[3], c.bits) : 0;
        ASSERT_EQ(img.GetPixel(x, y), b | g << 8 | r << 16 | (c.depth == 32 ? a << 24 : 0)) << x << "," << y;
      }
    }
    const uint8_t* pal = img.GetPalette();
    const int last = (1 << std::min(c.bits, 8)) - 1;
    if (c.colour_type == 3) {  // red first, alpha from tRNS
      EXPECT_EQ(pal[4 * last], static_cast<uint8_t>(last * 3));
      EXPECT_EQ(pal[4 * last + 1], 200 - last / 2);
      EXPECT_EQ(pal[4 * last + 2], 255 - last);
      EXPECT_EQ(pal[3], c.alpha ? 0 : 255);
      EXPECT_EQ(pal[7], c.alpha ? 128 : 255);
      if (last >= 2) {
        EXPECT_EQ(pal[11], 255);
      }
    } else if (c.colour_type == 0) {
      EXPECT_EQ(pal[4 * last], 255);
      EXPECT_EQ(pal[4 * last + 2], 255);
      EXPECT_EQ(pal[0], 0);
    }
  }
}

TEST(PngImage, BrokenFilesFail) {
  std::vector<uint8_t> png = WritePng(Spec(3, 8));
  CImage img;
  EXPECT_EQ(img.LoadPngBytes({png.data(), 20}), 0);  // cut inside the header chunk
  std::vector<uint8_t> not_png = png;
  not_png[1] = 'Q';
  EXPECT_EQ(img.LoadPngBytes(not_png), 0);
  EXPECT_EQ(img.LoadPngBytes({}), 0);
  EXPECT_FALSE(img.HasImage());
  EXPECT_FALSE(img.alpha());
}

// The largest single allocation made while it is alive (where the sanitizer runtime can tell).
class LargestAllocation {
 public:
  LargestAllocation() {
    largest_ = 0;
#if defined(__SANITIZE_ADDRESS__)
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, nullptr) != 0;
    measured_ = installed;
#endif
  }
  bool measured() const { return measured_; }
  size_t bytes() const { return largest_; }

 private:
  static void OnMalloc(const volatile void*, size_t size) {
    size_t seen = largest_.load();
    while (size > seen && !largest_.compare_exchange_weak(seen, size)) {
    }
  }
  static inline std::atomic<size_t> largest_{0};
  bool measured_ = false;
};

// A header of a 4 × 4 image followed by a chunk header claiming (nearly) 2 GiB, with 8 to 11
// bytes after the header chunk: the decoder must not ask for the claimed length.
TEST(PngImage, ChunkHeadersClaimingMoreThanTheFileAreRefusedQuickly) {
  std::vector<uint8_t> head = WritePng(Spec(3, 8, 4, 4));
  head.resize(33);  // signature and IHDR
  const std::vector<uint8_t> claims[] = {
      {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't'},  // the 41-byte file
      {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 0},
      {0x7F, 0xFF, 0xFF, 0xF0, 'z', 'T', 'X', 't', 0, 0},
      {0x7F, 0xFF, 0xFF, 0xF0, 'i', 'C', 'C', 'P', 0, 0, 0},
      {0x00, 0x00, 0x00, 0x01, 't', 'E', 'X', 't', 'k', 0, 0, 0},  // one byte of CRC missing
      {0xFF, 0xFF, 0xFF, 0xFF, 'I', 'D', 'A', 'T', 0, 0, 0, 0},
  };
  for (const auto& claim : claims) {
    std::vector<uint8_t> file = head;
    file.insert(file.end(), claim.begin(), claim.end());
    LargestAllocation largest;
    const std::clock_t start = std::clock();
    CImage img;
    EXPECT_EQ(img.LoadPngBytes(file), 0) << file.size() << " bytes";
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 0.5) << file.size() << " bytes";
    if (largest.measured()) {
      EXPECT_LT(largest.bytes(), size_t{1} << 20) << file.size() << " bytes";
    }
  }
  // The whole file is read; cut by one byte at its end it is not.
  std::vector<uint8_t> png = WritePng(Spec(3, 8, 4, 4));
  CImage img;
  EXPECT_EQ(img.LoadPngBytes(png), 1);
  png.pop_back();  // the IEND chunk cut by one byte
  EXPECT_EQ(img.LoadPngBytes(png), 0);
}

TEST(PngImage, LoadDispatchesOnTheExtension) {
  TestDir dir;
  std::vector<uint8_t> png = WritePng(Spec(6, 8));
  std::string bytes(png.begin(), png.end());
  CImage img;
  EXPECT_EQ(img.Load(dir.Write("a.PNG", bytes)), 1);
  EXPECT_TRUE(img.alpha());
  EXPECT_EQ(img.Load(dir.Write("a.gif", bytes)), 0);
  EXPECT_FALSE(img.alpha()) << "a failed load releases the image and its alpha flag";
  lumak::CBitmapImage bmp(2, 2, 8);
  bmp.GetPalette()[4] = 0x40;  // blue of entry 1 in file order
  ASSERT_EQ(bmp.SaveImage(dir / "b.Bmp"), 1);
  ASSERT_EQ(img.Load(dir / "b.Bmp"), 1);
  EXPECT_EQ(img.GetPalette()[6], 0x40) << "CImage keeps red first";
}

}  // namespace
