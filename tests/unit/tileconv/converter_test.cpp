#include "tileconv/converter.h"

#include <gtest/gtest.h>

#include <tuple>

#include "unit/test_dir.h"

namespace {

using lumak::CBitmapImage;
using tileconv::CConverter;
using tileconv::CONVERT_TILE;
using tileconv::EntryFormat;

// A 16-bit definition picture whose pixel-array rows (bottom row of the picture first) hold
// `words` row by row.
std::vector<uint8_t> Definition(int width, int height, const std::vector<uint16_t>& words) {
  CBitmapImage picture(width, height, 16);
  for (int row = 0; row < height; ++row)
    for (int x = 0; x < width; ++x)
      picture.SetPixel(x, height - 1 - row, words[static_cast<size_t>(row * width + x)]);
  return picture.BmpBytes();
}

// An 8-bit tile set in which every pixel of the first four tiles differs: pixel (i, j) of tile
// t has index 64 t + 8 j + i; palette entry c has blue c.
void TileSet(CBitmapImage& tiles, int width = 16, int height = 16) {
  ASSERT_TRUE(tiles.CreateImage(width, height, 8));
  for (int t = 0; t < (width / 8) * (height / 8); ++t)
    for (int j = 0; j < 8; ++j)
      for (int i = 0; i < 8; ++i)
        tiles.SetPixelIndex(8 * (t % (width / 8)) + i, 8 * (t / (width / 8)) + j,
                            static_cast<unsigned char>((t * 64 + j * 8 + i) & 0xFF));
  for (int c = 0; c < 256; ++c) tiles.GetPalette()[4 * c] = static_cast<uint8_t>(c);
}

TEST(TileConverter, EntryPackingBothFormats) {
  const CONVERT_TILE e = tileconv::UnpackEntry(0x3C05, 1, 2);
  EXPECT_EQ(e.value, 5);
  EXPECT_TRUE(e.hflip);
  EXPECT_TRUE(e.vflip);
  EXPECT_EQ(e.palette, 3);
  EXPECT_EQ(tileconv::PackEntry(e), 0x3C05);

  // 16-bit: 8 x 2 entries, the top-left pixel of the picture is the first entry of the last row.
  std::vector<uint16_t> words(16);
  for (size_t k = 0; k < words.size(); ++k) words[k] = static_cast<uint16_t>(k | (k % 16) << 12);
  words[8] = 0x7003;
  CConverter wide;
  std::string error;
  EXPECT_EQ(wide.LoadDefBytes(Definition(8, 2, words), EntryFormat::kWide, error), 7);
  EXPECT_EQ(wide.map_width(), 64);
  EXPECT_EQ(wide.map_height(), 16);
  EXPECT_EQ(wide.base_width(), -1);
  ASSERT_EQ(wide.entries().size(), 16u);
  EXPECT_EQ(wide.Getbase(0, 1)->value, 3);
  EXPECT_EQ(wide.Getbase(5, 0)->palette, 5);

  // 8-bit: two entries a pixel, the even column in the low byte; a 12-wide picture loads here
  // but not as 16-bit entries.
  std::vector<uint16_t> narrow(12);
  for (size_t k = 0; k < narrow.size(); ++k) narrow[k] = static_cast<uint16_t>((2 * k + 1) << 8 | 2 * k);
  CConverter eight;
  EXPECT_EQ(eight.LoadDefBytes(Definition(12, 1, narrow), EntryFormat::kNarrow, error), 0);
  ASSERT_EQ(eight.entries().size(), 24u);
  for (int x = 0; x < 24; ++x) EXPECT_EQ(eight.Getbase(x, 0)->value, x);
  TestDir dir;
  ASSERT_EQ(eight.SaveDef2(dir / "narrow.bmp"), 0);
  const std::vector<uint8_t> narrow_bmp = Definition(12, 1, narrow);
  EXPECT_EQ(dir.Read("narrow.bmp"), std::string(narrow_bmp.begin(), narrow_bmp.end()));
  CConverter reloaded;
  EXPECT_EQ(reloaded.LoadDef2(dir / "narrow.bmp", error), 0);
  EXPECT_EQ(reloaded.Getbase(23, 0)->value, 23);
  EXPECT_EQ(reloaded.LoadDef2(dir / "missing.bmp", error), -1);
  EXPECT_EQ(wide.LoadDefBytes(Definition(12, 1, narrow), EntryFormat::kWide, error), -1);
  EXPECT_EQ(error, "8で割り切れません。");
  EXPECT_EQ(eight.LoadDefBytes(Definition(6, 1, narrow), EntryFormat::kNarrow, error), -1);
  EXPECT_EQ(error, "4で割り切れません。");
  CBitmapImage deep(8, 1, 24);
  EXPECT_EQ(wide.LoadDefBytes(deep.BmpBytes(), EntryFormat::kWide, error), -1);
  EXPECT_EQ(error, "65535色のファイルにしてください。");

}

// Load, paint, save and load again: every entry keeps its own palette and flips.
TEST(TileConverter, PalettesKeptPerEntryThroughLoadPaintSave) {
  TestDir dir;
  std::vector<uint16_t> words(16);
  for (size_t k = 0; k < words.size(); ++k)
    words[k] = static_cast<uint16_t>((k % 16) << 12 | (k % 3) << 10 | k);
  const std::vector<uint8_t> bmp = Definition(8, 2, words);
  const auto path = dir.Write("map.bmp", std::string(bmp.begin(), bmp.end()));
  CConverter converter;
  std::string error;
  ASSERT_GE(converter.LoadDef(path, error), 0);
  ASSERT_NE(converter.Setbase(2, 1, 9, true, false, 6), nullptr);
  ASSERT_EQ(converter.SaveDef(dir / "saved.bmp"), 0);
  CConverter again;
  ASSERT_GE(again.LoadDef(dir / "saved.bmp", error), 0);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 8; ++x) {
      const CONVERT_TILE* e = again.Getbase(x, y);
      ASSERT_NE(e, nullptr);
      const uint16_t expected = x == 2 && y == 1 ? 0x6409 : words[static_cast<size_t>(y * 8 + x)];
      EXPECT_EQ(tileconv::PackEntry(*e), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(converter.LoadDef(dir / "missing.bmp", error), -1);
  EXPECT_EQ(error, "");
}

// An asymmetric tile (every pixel different) under the four flip settings.
TEST(TileConverter, Flips) {
  CBitmapImage tiles;
  TileSet(tiles);
  for (int flips = 0; flips < 4; ++flips) {
    CONVERT_TILE entry{1, 1, 0, (flips & 1) != 0, (flips & 2) != 0, 0};
    CBitmapImage dest(16, 8, 8);
    tileconv::pixel8x8copy(dest, tiles, entry);
    for (int j = 0; j < 8; ++j) {
      for (int i = 0; i < 8; ++i) {
        const int si = entry.hflip ? 7 - i : i, sj = entry.vflip ? 7 - j : j;
        EXPECT_EQ(dest.GetPixelIndex(8 + i, j), 64 + sj * 8 + si) << flips;
        EXPECT_EQ(dest.GetPixelIndex(i, j), 0);
      }
    }
  }
}

TEST(TileConverter, RenderAndTilesBeyondTheSetOrFormat) {
  CBitmapImage tiles;
  TileSet(tiles);  // four tiles
  std::vector<uint16_t> words = {0, 1, 2, 3, 4, 1023, 0x0C02, 1};
  CConverter converter;
  std::string error;
  ASSERT_GE(converter.LoadDefBytes(Definition(8, 1, words), EntryFormat::kWide, error), 0);
  CBitmapImage map;
  ASSERT_EQ(tileconv::Render(converter, tiles, map), tileconv::RenderResult::kOk);
  EXPECT_EQ(map.GetColorDepth(), 8);
  EXPECT_EQ(map.GetPalette()[4 * 77], 77);
  for (int x = 0; x < 8; ++x) {
    const int tile = words[static_cast<size_t>(x)] & 0x3FF;
    const bool both = x == 6;
    for (int j = 0; j < 8; ++j)
      for (int i = 0; i < 8; ++i) {
        const int expected = tile < 4 ? tile * 64 + (both ? 7 - j : j) * 8 + (both ? 7 - i : i) : 0;
        EXPECT_EQ(map.GetPixelIndex(8 * x + i, j), expected) << x;
      }
  }
  // A painted number beyond the format is refused; 8-bit maps take at most 255.
  EXPECT_EQ(converter.Setbase(0, 0, 1024, false, false, 0), nullptr);
  EXPECT_NE(converter.Setbase(0, 0, 1023, false, false, 0), nullptr);

  CConverter none;  // no definition yet: the set must be 0 x 0
  EXPECT_EQ(tileconv::Render(none, tiles, map), tileconv::RenderResult::kSizeMismatch);
}

// Clicks on the zoomed map, the far edges excluded; painting with the pen and its wrap; the
// right clicks; zoom limits.
TEST(TileConverter, PaintingRules) {
  CBitmapImage tiles;
  TileSet(tiles);  // 16 x 16: four tiles
  CConverter converter;
  std::string error;
  ASSERT_GE(converter.LoadDefBytes(Definition(8, 2, std::vector<uint16_t>(16)), EntryFormat::kWide, error), 0);
  CBitmapImage map;
  ASSERT_EQ(tileconv::Render(converter, tiles, map), tileconv::RenderResult::kOk);

  tileconv::CPainter pen;
  for (int i = 0; i < 10; ++i) pen.ZoomIn();
  EXPECT_EQ(pen.zoom, 8);
  for (int i = 0; i < 10; ++i) pen.ZoomOut();
  EXPECT_EQ(pen.zoom, 1);
  pen.ZoomIn();  // zoom 2: the map covers 128 x 32 screen pixels

  int cx = 0, cy = 0;
  const struct { int x, y; bool inside; int cx, cy; } clicks[] = {
      {0, 0, true, 0, 0},      {127, 31, true, 7, 1}, {128, 31, false, 0, 0},
      {127, 32, false, 0, 0},  {-1, 0, false, 0, 0},  {17, 16, true, 1, 1}};
  for (const auto& c : clicks) {
    EXPECT_EQ(pen.CellAt(converter, c.x, c.y, cx, cy), c.inside) << c.x << "," << c.y;
    if (c.inside) {
      EXPECT_EQ(std::make_pair(cx, cy), std::make_pair(c.cx, c.cy));
    }
  }

  pen.addpen = true;
  pen.current = 3;
  pen.hflip = true;
  pen.palette = 2;
  EXPECT_TRUE(pen.PaintAt(converter, tiles, map, 20, 0, false));  // cell (1, 0)
  EXPECT_EQ(pen.current, 0);                                       // wrapped after tile 3
  EXPECT_EQ(tileconv::PackEntry(*converter.Getbase(1, 0)), 0x2403);
  EXPECT_EQ(map.GetPixelIndex(8, 0), 3 * 64 + 7);
  EXPECT_FALSE(pen.PaintAt(converter, tiles, map, 21, 1, true));   // same cell during a drag
  EXPECT_EQ(pen.current, 0);
  EXPECT_TRUE(pen.PaintAt(converter, tiles, map, 40, 0, true));
  EXPECT_EQ(pen.current, 1);
  EXPECT_FALSE(pen.PaintAt(converter, tiles, map, 128, 0, false));

  // Tiles are picked by the 8-pixel cell: the first column and the first pixel of the second too.
  for (const auto& [x, y, tile] : {std::tuple{0, 8, 2}, {8, 0, 1}, {9, 9, 3}}) {
    EXPECT_TRUE(pen.PickTile(tiles, x, y));
    EXPECT_EQ(pen.current, tile) << x << "," << y;
  }
  EXPECT_FALSE(pen.PickTile(tiles, 16, 0));
  pen.hflip = false;
  EXPECT_TRUE(pen.PickEntry(converter, 20, 0));
  EXPECT_EQ(pen.current, 3);
  EXPECT_TRUE(pen.hflip);
  EXPECT_FALSE(pen.PickEntry(converter, 0, 32));
}

// The entry list: clear keeps the room and zeroes it; mrealloc neither shrinks nor allocates nothing.
TEST(TileConverter, EntryListClearAndRealloc) {
  lumak::vectorp<CONVERT_TILE> list;
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(list.push_back({i, i, 0, false, false, 0}));
  lumak::vectorp<CONVERT_TILE> copy = list;
  list.clear();
  EXPECT_EQ(list.size(), 0u);
  EXPECT_EQ(list.begin()[5].value, 0);  // zeroed, not just forgotten
  EXPECT_FALSE(list.mrealloc(0));
  EXPECT_FALSE(list.mrealloc(list.capacity()));
  EXPECT_TRUE(list.mrealloc(40));
  ASSERT_EQ(copy.size(), 8u);
  EXPECT_EQ(copy[7].value, 7);
}

// Tile sets from an indexed PNG (whatever its name) and from a two-colour BMP render with the
// set's colours and indexes.
TEST(TileConverter, TileSetsFromPngAndTwoColourBmp) {
  TestDir dir;
  CBitmapImage eight;
  TileSet(eight);
  const std::vector<uint8_t> png = eight.PngBytes();
  ASSERT_FALSE(png.empty());
  CBitmapImage two(16, 8, 1);
  for (int row = 0; row < 8; ++row) two.pixels()[4 * row] = 0x80;  // tile 0's left column: colour 1
  two.GetPalette()[4] = 0xFF;  // colour 1 is blue
  const std::vector<uint8_t> bmp = two.BmpBytes();
  const auto png_path = dir.Write("tiles.dat", std::string(png.begin(), png.end()));
  const auto bmp_path = dir.Write("two.bmp", std::string(bmp.begin(), bmp.end()));

  CConverter converter;
  std::string error;
  ASSERT_GE(converter.LoadDefBytes(Definition(8, 1, {0, 1, 2, 3, 0x400, 0, 0, 0}),
                                   EntryFormat::kWide, error), 0);
  lumak::CImage tiles;
  CBitmapImage map;
  ASSERT_TRUE(tileconv::LoadTileSet(png_path, tiles));
  ASSERT_EQ(tileconv::Render(converter, tiles, map), tileconv::RenderResult::kOk);
  EXPECT_EQ(map.GetPixelIndex(8 * 3 + 2, 1), 3 * 64 + 8 + 2);
  EXPECT_EQ(map.GetPixel(8 * 3 + 2, 1), eight.GetPixel(8 + 2, 8 + 1));

  ASSERT_TRUE(tileconv::LoadTileSet(bmp_path, tiles));
  ASSERT_EQ(tileconv::Render(converter, tiles, map), tileconv::RenderResult::kOk);
  EXPECT_EQ(map.GetPixelIndex(0, 0), 1);
  EXPECT_EQ(map.GetPixelIndex(8 * 4 + 7, 0), 1);  // flipped copy of tile 0
  EXPECT_EQ(map.GetPixel(0, 0), two.GetPixel(0, 0));
  EXPECT_FALSE(tileconv::LoadTileSet(dir.Write("junk.bmp", "neither"), tiles));
  EXPECT_FALSE(tileconv::LoadTileSet(dir / "missing.png", tiles));
}

}  // namespace
