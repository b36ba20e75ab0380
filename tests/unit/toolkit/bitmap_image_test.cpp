#include "toolkit/image/bitmap_image.h"

#include <gtest/gtest.h>

#include <cstring>

#include "unit/test_dir.h"

namespace {

using lumak::CBitmapImage;
using lumak::PaletteOrder;
using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A BMP file as a paint program writes it: headers, `colours` palette entries, pixels.
Bytes Bmp(int width, int height, int depth, uint32_t used_colours, size_t palette_entries,
          uint32_t header_size = 40, size_t gap = 0) {
  uint32_t stride = CBitmapImage::StrideFor(width, depth);
  size_t offset = 14 + header_size + palette_entries * 4 + gap;
  Bytes b(offset + stride * static_cast<size_t>(std::abs(height)), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, header_size);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  b[26] = 1;
  b[28] = static_cast<uint8_t>(depth);
  Put32(b, 46, used_colours);
  for (size_t i = 0; i < palette_entries; ++i) {
    b[14 + header_size + 4 * i] = static_cast<uint8_t>(i);            // blue
    b[14 + header_size + 4 * i + 2] = static_cast<uint8_t>(255 - i);  // red
  }
  for (size_t i = offset; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i * 7);
  return b;
}

// The helper Bmp() above builds files with StrideFor, so only this test guards it.
TEST(BitmapImage, StrideRules) {
  const struct { int width, depth; uint32_t stride; } cases[] = {
      {64, 4, 32}, {3, 24, 12}, {1, 1, 4}, {33, 1, 8}, {9, 4, 8}, {5, 8, 8}, {3, 16, 8}, {3, 32, 12}};
  for (const auto& c : cases) EXPECT_EQ(CBitmapImage::StrideFor(c.width, c.depth), c.stride) << c.width << "x" << c.depth;
}

TEST(BitmapImage, ColourCountOfIndexedFiles) {
  CBitmapImage img;
  // 0 used colours: 16 entries for 4 bits; the pixels follow them.
  Bytes four = Bmp(8, 2, 4, 0, 16);
  ASSERT_EQ(img.LoadBmp(four), 1);
  EXPECT_EQ(img.GetPalette()[15 * 4], 15);
  EXPECT_EQ(img.GetPalette()[16 * 4], 0);
  EXPECT_EQ(img.pixels()[0], four[14 + 40 + 64]);
  // 300 used colours count as 256.
  Bytes many = Bmp(4, 4, 8, 300, 300);
  ASSERT_EQ(img.LoadBmp(many), 1);
  EXPECT_EQ(img.GetPalette()[255 * 4], 255);
  // The file header's offset points past the 256 read entries: pixels are taken from there.
  EXPECT_EQ(img.pixels()[0], many[14 + 40 + 300 * 4]);
  // 2 entries for 1 bit.
  ASSERT_EQ(img.LoadBmp(Bmp(8, 1, 1, 0, 2)), 1);
  EXPECT_EQ(img.GetColorDepth(), 1);
  // A gap between palette and pixels.
  Bytes gap = Bmp(4, 1, 8, 4, 4, 40, 12);
  ASSERT_EQ(img.LoadBmp(gap), 1);
  EXPECT_EQ(img.pixels()[0], gap[14 + 40 + 16 + 12]);
  // Version 4 and 5 headers: the palette follows them.
  for (uint32_t size : {108u, 124u}) {
    ASSERT_EQ(img.LoadBmp(Bmp(2, 2, 4, 0, 16, size)), 1) << size;
    EXPECT_EQ(img.GetPalette()[2 * 4 + 2], 253);
  }
}

TEST(BitmapImage, RejectsBadFilesCleanly) {
  CBitmapImage img;
  EXPECT_EQ(img.LoadBmp(Bmp(2, -2, 8, 0, 256)), 0);  // top-down
  EXPECT_EQ(img.LoadBmp(Bmp(0, 2, 8, 0, 256)), 0);
  EXPECT_EQ(img.LoadBmp(Bmp(-3, 2, 24, 0, 0)), 0);
  Bytes huge = Bmp(1, 1, 24, 0, 0);
  Put32(huge, 18, 0x7FFFFFFF);
  Put32(huge, 22, 0x7FFFFFFF);
  EXPECT_EQ(img.LoadBmp(huge), 0);
  Bytes compressed = Bmp(2, 2, 8, 0, 256);
  Put32(compressed, 30, 1);  // RLE8
  EXPECT_EQ(img.LoadBmp(compressed), 0);
  Bytes odd_header = Bmp(2, 2, 8, 0, 256);
  Put32(odd_header, 14, 12);
  EXPECT_EQ(img.LoadBmp(odd_header), 0);
  Bytes short_pixels = Bmp(16, 16, 8, 0, 256);
  short_pixels.resize(short_pixels.size() - 1);
  EXPECT_EQ(img.LoadBmp(short_pixels), 0);
  Bytes short_palette = Bmp(2, 2, 8, 0, 256);
  short_palette.resize(14 + 40 + 100);
  EXPECT_EQ(img.LoadBmp(short_palette), 0);
  // A 24-bit file whose skipped colour table reaches past the end of the file.
  Bytes skipped = Bmp(5, 3, 24, 0, 0);
  Put32(skipped, 46, 200);
  skipped.resize(60);
  EXPECT_EQ(img.LoadBmp(skipped), 0);
  Bytes not_bmp = Bmp(2, 2, 8, 0, 256);
  not_bmp[0] = 'P';
  EXPECT_EQ(img.LoadBmp(not_bmp), 0);
  EXPECT_EQ(img.LoadBmp({}), 0);
  EXPECT_FALSE(img.HasImage());
  int w = 1, h = 1;
  img.GetImageSize(w, h);
  EXPECT_EQ(w + h, 0);
}

// Index and colour access by depth: row 0 is the last row of the buffer, the even 4-bit pixel the
// high nibble, a 1-bit row's first pixel the top bit; an access of the wrong kind or outside fails.
TEST(BitmapImage, PixelAccessByDepth) {
  CBitmapImage img(3, 2, 4);
  EXPECT_EQ(img.SetPixelIndex(0, 0, 0x1A), 1);  // low four bits only
  EXPECT_EQ(img.SetPixelIndex(1, 0, 0x05), 1);
  EXPECT_EQ(img.pixels()[img.stride() * 1], 0xA5);
  for (const auto& [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}}) EXPECT_EQ(img.GetPixelIndex(x, y), -1) << x << "," << y;
  EXPECT_EQ(img.SetPixel(0, 0, 0xFFFFFF), -1);
  uint8_t* pal = img.GetPalette();
  pal[0xA * 4 + 0] = 0x30;  // blue, green, red as in the file
  pal[0xA * 4 + 1] = 0x20;
  pal[0xA * 4 + 2] = 0x10;
  EXPECT_EQ(img.GetPixel(0, 0), 0x302010u);
  CBitmapImage one(9, 1, 1);
  one.pixels()[1] = 0x80;
  EXPECT_EQ(one.GetPixelIndex(8, 0), 1);
  EXPECT_EQ(one.GetPixelIndex(7, 0), 0);
  EXPECT_EQ(one.SetPixelIndex(0, 0, 1), 0);
  EXPECT_EQ(CBitmapImage().GetPixelIndex(0, 0), -1);
  for (int depth : {16, 24, 32}) {
    CBitmapImage colour(3, 3, depth);
    uint32_t value = depth == 16 ? 0x7C1Fu : depth == 24 ? 0x123456u : 0x89ABCDEFu;
    EXPECT_EQ(colour.SetPixel(2, 1, value), 1);
    EXPECT_EQ(colour.GetPixel(2, 1), value) << depth;
    EXPECT_EQ(colour.SetPixel(3, 1, value), -1);
    EXPECT_EQ(colour.GetPixelIndex(2, 1), -1);
  }
  CBitmapImage rgb(3, 1, 24);
  rgb.SetPixel(0, 0, 0x0000FF);  // stored blue, green, red: the red byte is last
  EXPECT_EQ(rgb.pixels()[0], 0xFF);
}

TEST(BitmapImage, SavesHeadersPaletteAndPixels) {
  TestDir dir;
  CBitmapImage img(64, 64, 4);
  img.GetPalette()[4] = 0x11;
  img.SetPixelIndex(5, 5, 7);
  auto path = dir.Write("sheet.bmp", std::string(20000, 'x'));  // longer old file
  ASSERT_EQ(img.SaveImage(path), 1);
  std::string file = dir.Read("sheet.bmp");
  ASSERT_EQ(file.size(), 54u + 64 + 32 * 64) << "the old tail must be cut";
  EXPECT_EQ(static_cast<uint8_t>(file[10]), 118);
  EXPECT_EQ(static_cast<uint8_t>(file[46]), 16);  // used colours
  CBitmapImage back;
  ASSERT_EQ(back.LoadImageA(path), 1);
  EXPECT_EQ(back.GetPixelIndex(5, 5), 7);
  EXPECT_EQ(back.GetPalette()[4], 0x11);
  EXPECT_EQ(CBitmapImage().SaveImage(dir / "none.bmp"), 0);
  EXPECT_EQ(back.LoadImageA(dir / "missing.bmp"), 0);
}

TEST(BitmapImage, RedFirstPaletteOrder) {
  Bytes b = Bmp(2, 1, 8, 2, 2);  // entry 1: blue 1, red 254
  CBitmapImage img(PaletteOrder::kRgb);
  ASSERT_EQ(img.LoadBmp(b), 1);
  EXPECT_EQ(img.GetPalette()[4], 254);  // red first
  EXPECT_EQ(img.GetPalette()[6], 1);
  img.pixels()[0] = 1;
  EXPECT_EQ(img.GetPixel(0, 0), 254u | 1u << 16);
  Bytes saved = img.BmpBytes();
  EXPECT_EQ(saved[54 + 4], 1) << "files keep blue first";
  EXPECT_EQ(saved[54 + 6], 254);
}

}  // namespace
