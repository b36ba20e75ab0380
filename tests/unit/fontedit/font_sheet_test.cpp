#include "fontedit/font_sheet.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "unit/test_dir.h"

namespace {

using fontedit::CFont;
using fontedit::kBlockSize;

std::array<uint8_t, kBlockSize> RandomBlock(unsigned seed) {
  std::mt19937 rng(seed);
  std::array<uint8_t, kBlockSize> block{};
  for (uint8_t& b : block) b = static_cast<uint8_t>(rng());
  return block;
}

std::string AsText(const std::array<uint8_t, kBlockSize>& block) {
  return std::string(block.begin(), block.end());
}

// Each of the four values at each of the eight pixel places of the first tile row: the right
// half of the row is the first byte, bits 0-1 its rightmost pixel.
TEST(FontSheet, TwoBitPixelsInTheirByteOrder) {
  for (int value = 0; value < 4; ++value) {
    for (int n = 0; n < 8; ++n) {
      std::array<uint8_t, kBlockSize> block{};
      block[static_cast<size_t>(n / 4)] = static_cast<uint8_t>(value << (2 * (n % 4)));
      CFont font;
      ASSERT_TRUE(font.Create());
      fontedit::DecodeBlock(block, font);
      for (int x = 0; x < 8; ++x)
        EXPECT_EQ(font.GetPixelIndex(x, 0), x == 7 - n ? value : 0) << value << " " << n << " " << x;
    }
  }
  // The two cases the description spells out, and a tile of the second row of tiles.
  std::array<uint8_t, kBlockSize> block{};
  block[0] = 0x01;
  block[2] = 0x40;
  block[16 * 16 + 1] = 0xC0;  // tile (1, 0), row 0, left half, leftmost pixel
  CFont font;
  ASSERT_TRUE(font.Create());
  fontedit::DecodeBlock(block, font);
  EXPECT_EQ(font.GetPixelIndex(7, 0), 1);
  EXPECT_EQ(font.GetPixelIndex(4, 1), 1);
  EXPECT_EQ(font.GetPixelIndex(0, 8), 3);
}

TEST(FontSheet, BlockToSheetToBlockIsIdentical) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    const auto block = RandomBlock(seed);
    CFont font;
    ASSERT_TRUE(font.Create());
    fontedit::DecodeBlock(block, font);
    std::array<uint8_t, kBlockSize> again{};
    fontedit::EncodeBlock(font, again);
    EXPECT_EQ(again, block) << seed;
  }
}

TEST(FontSheet, OffsetBox) {
  const struct { const char* text; bool ok; uint64_t value; } cases[] = {
      {"0x1000", true, 0x1000}, {"4096", true, 4096}, {"010", true, 8}, {" 0x20 ", true, 0x20},
      {"0", true, 0},           {"", false, 0},       {"   ", false, 0}, {"0x", false, 0},
      {"12ab", false, 0},       {"-1", false, 0},     {"0x1g", false, 0}};
  for (const auto& c : cases) {
    uint64_t value = 77;
    EXPECT_EQ(fontedit::ParseOffset(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

// Load from a ROM, save at another offset, and the refusals: a block cut short by the end of
// the file leaves the sheet as it was; a save never creates a file.
TEST(FontSheet, RomLoadSaveAndRefusals) {
  TestDir dir;
  const auto block = RandomBlock(9);
  std::string rom(0x100, '\x11');
  rom += AsText(block);
  rom += std::string(kBlockSize + 0x40, '\0');
  const auto path = dir.Write("font.gba", rom);

  CFont font;
  ASSERT_TRUE(font.Create());
  ASSERT_TRUE(font.Load_fontdata(path, 0x100)) << font.status();
  EXPECT_EQ(font.status(), "ok 17920/0");
  EXPECT_EQ(font.block(), block);

  const uint64_t second = 0x100 + kBlockSize + 0x20;
  ASSERT_TRUE(font.Save_fontdata(path, second)) << font.status();
  const std::string saved = dir.Read("font.gba");
  ASSERT_EQ(saved.size(), rom.size());
  EXPECT_EQ(saved.substr(second, kBlockSize), AsText(block));
  EXPECT_EQ(saved.substr(0, second), rom.substr(0, second));

  // Fewer than 17920 bytes before the end: refused, sheet and block unchanged.
  EXPECT_FALSE(font.Load_fontdata(path, saved.size() - 100));
  EXPECT_NE(font.status().find("CFont::Load_fontdata を実行中にエラーが発生しました。"), std::string::npos);
  EXPECT_EQ(font.block(), block);
  EXPECT_FALSE(font.Load_fontdata(path, saved.size() + 5));
  EXPECT_FALSE(font.Load_fontdata(dir / "missing.gba", 0));
  std::array<uint8_t, kBlockSize> again{};
  fontedit::EncodeBlock(font, again);
  EXPECT_EQ(again, block);

  EXPECT_FALSE(font.Save_fontdata(dir / "missing.gba", 0));
  EXPECT_NE(font.status().find("CFont::Save_fontdata を実行中にエラーが発生しました。"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.gba"));
}

TEST(FontSheet, BitmapExchange) {
  TestDir dir;
  CFont font;
  ASSERT_TRUE(font.Create());
  fontedit::DecodeBlock(RandomBlock(3), font);
  ASSERT_TRUE(font.Savebitmap(dir / "sheet.bmp"));
  EXPECT_EQ(font.status(), "ok");

  lumak::CBitmapImage saved;
  ASSERT_TRUE(saved.LoadImageA(dir / "sheet.bmp"));
  EXPECT_EQ(saved.GetColorDepth(), 4);
  EXPECT_EQ(saved.GetPixel(0, 0) & 0xFFFFFF, fontedit::kGreys[font.GetPixelIndex(0, 0)]);

  // Drawn on in a paint program: index 5 stays in the sheet and loses its upper bit in the block.
  saved.SetPixelIndex(3, 2, 5);
  ASSERT_TRUE(saved.SaveImage(dir / "drawn.bmp"));
  CFont other;
  ASSERT_TRUE(other.Create());
  ASSERT_TRUE(other.Loadbitmap(dir / "drawn.bmp")) << other.status();
  EXPECT_EQ(other.GetPixelIndex(3, 2), 5);
  std::array<uint8_t, kBlockSize> block{};
  fontedit::EncodeBlock(other, block);
  const auto place = fontedit::PlaceOf(3, 2);
  EXPECT_EQ((block[place.byte] >> place.shift) & 3, 1);

  const struct { int w, h, depth; const char* status; } refused[] = {
      {128, 561, 4, "CFont::Loadbitmap サイズが128x560ではありません。"},
      {128, 560, 8, "CFont::Loadbitmap 16色ビットマップではありません。"}};
  for (const auto& r : refused) {
    lumak::CBitmapImage wrong(r.w, r.h, r.depth);
    ASSERT_TRUE(wrong.SaveImage(dir / "wrong.bmp"));
    EXPECT_FALSE(other.Loadbitmap(dir / "wrong.bmp"));
    EXPECT_EQ(other.status(), r.status);
    EXPECT_EQ(other.GetPixelIndex(3, 2), 5);
  }
  EXPECT_FALSE(other.Loadbitmap(dir / "missing.bmp"));
  EXPECT_EQ(other.status(), "CFont::Loadbitmap 読み込みに失敗。");
}

}  // namespace
