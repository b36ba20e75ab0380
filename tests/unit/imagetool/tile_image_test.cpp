// pictoma's core: tile order, colours, ROM loads and saves with their mends, exchange files.
#include "imagetool/tile_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "graphics/lz77.h"
#include "imagetool/gba_colour.h"
#include "imagetool/tile_layout.h"
#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/image.h"
#include "toolkit/image/png_decode.h"
#include "unit/test_dir.h"

namespace {

using imagetool::CImage;
using imagetool::Problem;
using Bytes = std::vector<uint8_t>;

std::string Str(const Bytes& b) { return std::string(b.begin(), b.end()); }

Bytes Compress(const Bytes& raw) { return graphics::CLZ77().Compress(raw); }

// Pixels in tile order whose value tells the tile and the place in it (mod `modulus`).
Bytes Numbered(int tiles, int modulus) {
  Bytes p(size_t(tiles) * 64);
  for (size_t i = 0; i < p.size(); ++i) p[i] = uint8_t((i / 64 * 7 + i % 64) % size_t(modulus));
  return p;
}

// The value Numbered() gives the pixel at (x, y) of a picture `per_row` tiles wide.
uint8_t NumberedAt(int x, int y, int per_row, int modulus) {
  return uint8_t(((y / 8 * per_row + x / 8) * 7 + y % 8 * 8 + x % 8) % modulus);
}

// A ROM-like file: `before` filler bytes, then `data`, then `after` filler bytes.
std::string RomWith(const Bytes& data, size_t before, size_t after = 0) {
  std::string rom(before, '\x5A');
  rom += Str(data);
  rom.append(after, '\x5A');
  return rom;
}

// Every GBA colour survives the screen and back; screen colours lose their low three bits only.
TEST(PictomaColours, GbaAndScreenColours) {
  for (uint32_t c = 0; c < 0x8000; ++c) {
    const uint32_t screen = imagetool::Bgr555ToColorref(uint16_t(c));
    ASSERT_EQ(imagetool::ColorrefToBgr555(screen), c) << c;
    ASSERT_EQ(imagetool::Bgr555ToColorref(uint16_t(c | 0x8000)), screen) << "bit 15 is ignored";
  }
  EXPECT_EQ(imagetool::Bgr555ToColorref(0x001F), 0x0000F8u);  // red
  EXPECT_EQ(imagetool::Bgr555ToColorref(0x03E0), 0x00F800u);  // green
  EXPECT_EQ(imagetool::Bgr555ToColorref(0x7C00), 0xF80000u);  // blue
  for (uint32_t v = 0; v < 256; ++v) {
    for (int channel = 0; channel < 3; ++channel) {
      const uint32_t screen = v << (8 * channel) | 0x10u << (8 * ((channel + 1) % 3)) | 0xFF000000u;
      ASSERT_EQ(imagetool::Bgr555ToColorref(imagetool::ColorrefToBgr555(screen)), screen & 0xF8F8F8u) << screen;
    }
  }
}

TEST(PictomaTiles, TileOrderAndBitmapRowsForSeveralWidths) {
  for (int per_row : {1, 3, 16}) {
    for (int modulus : {16, 256}) {
      const int rows = 3;
      Bytes tiles = Numbered(per_row * rows, modulus);
      Bytes picture = imagetool::TilesToRows(tiles, per_row, rows);
      ASSERT_EQ(picture.size(), tiles.size());
      const int width = 8 * per_row;
      for (int y = 0; y < 8 * rows; ++y) {
        for (int x = 0; x < width; ++x) {
          const size_t tile = size_t(y / 8 * per_row + x / 8);
          ASSERT_EQ(picture[size_t(y * width + x)], tiles[tile * 64 + size_t(y % 8 * 8 + x % 8)])
              << per_row << " " << x << "," << y;
        }
      }
      EXPECT_EQ(imagetool::RowsToTiles(picture, width, 8 * rows), tiles);
    }
  }
}

TEST(PictomaTiles, FourBitPackingPutsTheFirstPixelLow) {
  EXPECT_EQ(imagetool::Pack4(Bytes{1, 2, 0xF, 0xE, 7}), (Bytes{0x21, 0xEF, 0x07}));
  EXPECT_EQ(imagetool::Unpack4(Bytes{0x21, 0xEF}), (Bytes{1, 2, 0xF, 0xE}));
}

class PictomaRom : public testing::Test {
 protected:
  std::filesystem::path Rom(const std::string& bytes) { return dir.Write("rom.gba", bytes); }
  TestDir dir;
  CImage image;
};

TEST_F(PictomaRom, LoadsFourAndEightBitImages) {
  Bytes raw = imagetool::Pack4(Numbered(4, 16));
  auto rom = Rom(RomWith(Compress(raw), 0x100, 64));
  ASSERT_EQ(image.LoadImageA(rom, 0x100, 16), 0) << imagetool::StatusText("LoadImageA", image.outcome());
  EXPECT_FALSE(image.eight_bit());
  EXPECT_EQ(image.pixels(), Numbered(4, 16));
  EXPECT_EQ(image.gettilenum(), 4.0);
  EXPECT_EQ(image.outcome().bytes, Compress(raw).size());
  EXPECT_EQ(imagetool::StatusText("LoadImageA", image.outcome()),
            "アドレス0x100の圧縮データ" + std::to_string(Compress(raw).size()) + "バイトを読み込みました。");

  // The same bytes as 8-bit pixels with 48 and 80 colours, too.
  for (int colours : {48, 80, 256}) {
    ASSERT_EQ(image.LoadImageA(rom, 0x100, colours), 0);
    EXPECT_TRUE(image.eight_bit());
    EXPECT_EQ(image.pixels(), raw);
    EXPECT_EQ(image.gettilenum(), 2.0);
  }
}

TEST_F(PictomaRom, StreamsEndingAtTheEndOfTheFileLoad) {
  // Images of 1 to 4 bytes take 13 bytes of stream, more than a read of 2 × size + 4 bytes would take.
  for (uint8_t n = 1; n <= 4; ++n) {
    Bytes raw(n, 0x21);
    Bytes stream = Compress(raw);
    ASSERT_EQ(stream.size(), 13u);
    auto rom = Rom(RomWith(stream, 0x40));
    ASSERT_EQ(image.LoadImageA(rom, 0x40, 16), 0) << int(n);
    EXPECT_EQ(image.pixel_count(), 2u * n);
  }
  // Bytes after the stream do not matter.
  auto rom = Rom(RomWith(Compress(Bytes{7, 7}), 0x40, 100));
  ASSERT_EQ(image.LoadImageA(rom, 0x40, 16), 0);
  EXPECT_EQ(image.pixels(), (Bytes{7, 0, 7, 0}));
}

TEST_F(PictomaRom, ImagesOf64KiBAndMoreLoadWhole) {
  Bytes raw(70000);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = uint8_t(i * 31 + i / 300);
  auto rom = Rom(RomWith(Compress(raw), 0x1000, 3));
  ASSERT_EQ(image.LoadImageA(rom, 0x1000, 16), 0);
  EXPECT_EQ(image.pixel_count(), 140000u);
  EXPECT_EQ(image.RomData(), raw);
}

TEST_F(PictomaRom, FailedLoadsSayWhyAndKeepTheImage) {
  Bytes stream = Compress(imagetool::Pack4(Numbered(2, 16)));
  auto rom = Rom(RomWith(stream, 0x20) + std::string("\x10\x00\x00\x00", 4) + "\x10\x40\x00\x00\x00\x41");
  ASSERT_EQ(image.LoadImageA(rom, 0x20, 16), 0);
  const Bytes kept = image.pixels();

  const uint32_t empty = 0x20 + uint32_t(stream.size());
  char corrupt[160];
  std::snprintf(corrupt, sizeof corrupt,
                "6CImage::LoadImageA アドレス0x%Xの圧縮データが壊れているか、ファイルの終わりで切れています。", empty + 4);
  const struct {
    uint32_t offset;
    Problem problem;
    std::string status;
  } kFailures[] = {
      {0x21, Problem::kNotCompressed, "6CImage::LoadImageA 画像の圧縮データが見つかりませんでした。(アドレス0x21)"},
      {empty, Problem::kEmptyStream, ""},
      {empty + 4, Problem::kCorrupt, corrupt},  // 64 bytes promised, one literal there
      {0x100000, Problem::kPastEnd, "6CImage::LoadImageA アドレス0x100000はファイルの外です。"},
  };
  for (const auto& f : kFailures) {
    EXPECT_EQ(image.LoadImageA(rom, f.offset, 16), 1) << f.offset;
    EXPECT_EQ(image.outcome().problem, f.problem) << f.offset;
    if (!f.status.empty()) {
      EXPECT_EQ(imagetool::StatusText("LoadImageA", image.outcome()), f.status);
    }
  }
  EXPECT_EQ(image.LoadImageA(dir / "missing.gba", 0, 16), 1);
  EXPECT_EQ(image.outcome().problem, Problem::kCannotOpen);
  EXPECT_EQ(imagetool::StatusText("LoadImageA", image.outcome())
                .rfind("6CImage::LoadImageA を実行中にエラーが発生しました。", 0),
            0u);
  EXPECT_FALSE(image.outcome().system_text.empty());
  EXPECT_EQ(image.pixels(), kept);
}

TEST_F(PictomaRom, CompressedPalettes) {
  // 40 bytes: 20 colours, the rest black.
  Bytes colours(40);
  for (size_t i = 0; i < 20; ++i) {
    colours[2 * i] = uint8_t(i * 3);
    colours[2 * i + 1] = uint8_t(i);
  }
  image.palette().fill(0xFFFFFF);
  auto rom = Rom(RomWith(Compress(colours), 0x80, 16));
  ASSERT_EQ(image.LoadPalette(rom, 0x80), 0);
  for (size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(image.palette()[i], imagetool::Bgr555ToColorref(uint16_t(i * 3 | i << 8))) << i;
  }
  for (size_t i = 20; i < 256; ++i) EXPECT_EQ(image.palette()[i], 0u) << i;

  // A stream of more than 512 bytes is no palette.
  rom = Rom(RomWith(Compress(Bytes(514, 1)), 0x80));
  EXPECT_EQ(image.LoadPalette(rom, 0x80), 1);
  EXPECT_EQ(image.outcome().problem, Problem::kPaletteTooLarge);
  rom = Rom(RomWith(Bytes(40, 0x22), 0x80));
  EXPECT_EQ(image.LoadPalette(rom, 0x80), 1);
  EXPECT_EQ(image.outcome().problem, Problem::kNotCompressed);
  EXPECT_EQ(image.palette()[19], imagetool::Bgr555ToColorref(uint16_t(57 | 19 << 8)));
}

TEST_F(PictomaRom, TheWorstPaletteStreamLoadsAtTheEndOfTheFile) {
  // 512 bytes without a repeated three-byte run but three planted ones: every group takes
  // literals, three references cost a byte each more, and the groups stay 64: 583 bytes.
  Bytes raw(512);
  uint32_t x = 12345;
  for (auto& b : raw) {
    x = x * 1103515245u + 12345u;
    b = uint8_t(x >> 16);
  }
  for (size_t at : {100u, 250u, 400u}) {
    std::memcpy(&raw[at], &raw[at - 50], 3);
    raw[at + 3] = uint8_t(raw[at - 47] + 1);  // the match stops at 3
  }
  Bytes stream = Compress(raw);
  ASSERT_EQ(stream.size(), 583u) << "the test data should make the worst case";
  auto rom = Rom(RomWith(stream, 0x200));
  ASSERT_EQ(image.LoadPalette(rom, 0x200), 0) << imagetool::StatusText("LoadPalette", image.outcome());
  EXPECT_EQ(image.outcome().bytes, 583u);
  EXPECT_EQ(image.palette()[255], imagetool::Bgr555ToColorref(uint16_t(raw[510] | raw[511] << 8)));
}

TEST_F(PictomaRom, SavesInPlaceWithExactBytes) {
  image.SetPixels(Numbered(6, 16), false);
  const std::string before = RomWith(Bytes(400, 0xEE), 0x100, 100);
  auto rom = Rom(before);
  ASSERT_EQ(image.WriteImage(rom, 0x104), 0);
  const Bytes stream = Compress(imagetool::Pack4(Numbered(6, 16)));
  EXPECT_EQ(dir.Read("rom.gba"), std::string(before).replace(0x104, stream.size(), Str(stream)));
  EXPECT_EQ(imagetool::StatusText("WriteImage", image.outcome()),
            "アドレス0x104に" + std::to_string(stream.size()) + "バイト書き込みました。");

}

TEST_F(PictomaRom, OffsetZeroAppendsAfterPaddingToAMultipleOfFour) {
  image.SetPixels(Numbered(2, 256), true);
  auto rom = Rom(std::string(0x1001, 'r'));
  ASSERT_EQ(image.WriteImage(rom, 0), 0);
  const Bytes stream = Compress(Numbered(2, 256));
  std::string after = dir.Read("rom.gba");
  EXPECT_EQ(after, std::string(0x1001, 'r') + "\xFF\xFF\xFF" + Str(stream));
  EXPECT_TRUE(image.outcome().appended);
  EXPECT_EQ(image.outcome().offset, 0x1004u);
  EXPECT_EQ(imagetool::StatusText("WriteImage", image.outcome()),
            "ファイルの最後、アドレス0x1004に" + std::to_string(stream.size()) + "バイト追記しました。");

  // A file already a multiple of 4 long gets no padding.
  image.palette()[0] = 0xF8F8F8;
  ASSERT_EQ(image.WritePalette(rom, 0, 16), 0);
  EXPECT_EQ(image.outcome().offset, uint32_t(after.size() + 3) / 4 * 4);
  CImage palette;
  ASSERT_EQ(palette.LoadPalette(rom, image.outcome().offset), 0);
  EXPECT_EQ(palette.palette()[0], 0xF8F8F8u);
}

TEST_F(PictomaRom, WritesGoOnlyIntoAnExistingRom) {
  image.SetPixels(Numbered(1, 16), false);
  EXPECT_EQ(image.WriteImage(dir / "none.gba", 0x10), 1);
  EXPECT_EQ(image.outcome().problem, Problem::kCannotOpen);
  EXPECT_FALSE(std::filesystem::exists(dir / "none.gba"));
  EXPECT_EQ(image.WritePalette(dir / "none.gba", 0, 16), 1);
  EXPECT_EQ(imagetool::StatusText("WritePalette", image.outcome())
                .rfind("6CImage::WritePalette を実行中にエラーが発生しました。", 0),
            0u);
  EXPECT_EQ(image.WriteRawPalette(dir / "none.gba", 0x10, 16), 1);
  EXPECT_EQ(image.outcome().problem, Problem::kCannotOpen);
  EXPECT_FALSE(std::filesystem::exists(dir / "none.gba"));

  auto rom = Rom(std::string(0x100, '\0'));
  EXPECT_EQ(image.WritePalette(rom, 0x101, 16), 1);
  EXPECT_EQ(image.outcome().problem, Problem::kPastEnd);
  EXPECT_EQ(dir.Read("rom.gba"), std::string(0x100, '\0'));
  CImage empty;
  EXPECT_EQ(empty.WriteImage(rom, 0x10), 1);
  EXPECT_EQ(empty.outcome().problem, Problem::kNoImage);
}

// Raw palettes: two bytes a colour, written as they are and read back; the rest of the palette
// becomes black; a palette reaching past the end of the file is not read.
TEST_F(PictomaRom, RawPalettesWrittenAndRead) {
  for (size_t i = 0; i < 80; ++i) image.palette()[i] = uint32_t(i * 0x081018 & 0xF8F8F8);
  auto rom = Rom(std::string(0x100, '\0'));
  ASSERT_EQ(image.WriteRawPalette(rom, 0x8, 80), 0);
  const std::string after = dir.Read("rom.gba");
  ASSERT_EQ(after.size(), 0x100u);
  EXPECT_EQ(uint8_t(after[8 + 2 * 79]) | uint8_t(after[9 + 2 * 79]) << 8, imagetool::ColorrefToBgr555(79 * 0x081018 & 0xF8F8F8));
  CImage back;
  back.palette().fill(0x123456);
  ASSERT_EQ(back.LoadRawPalette(rom, 0x8, 48), 0);
  EXPECT_EQ(back.palette()[47], image.palette()[47]);
  EXPECT_EQ(back.palette()[48], 0u);
  ASSERT_EQ(back.LoadRawPalette(rom, 0x8, 80), 0);
  for (size_t i = 0; i < 80; ++i) EXPECT_EQ(back.palette()[i], image.palette()[i]) << i;
  EXPECT_EQ(back.LoadRawPalette(rom, 0x8, 256), 1) << "512 bytes are not there";
  EXPECT_EQ(back.outcome().problem, Problem::kCannotRead);
}

class PictomaExchange : public testing::Test {
 protected:
  void Fill(int tiles, bool eight_bit) {
    image.SetPixels(Numbered(tiles, eight_bit ? 256 : 16), eight_bit);
    for (size_t i = 0; i < 256; ++i) image.palette()[i] = uint32_t(i * 0x030507 & 0xF8F8F8);
  }
  TestDir dir;
  CImage image;
};

// 100 tiles, 16 a row: the 96 tiles of whole rows make a 128 × 48 picture laid out as on the
// screen. Opened again, BMP or PNG, 4 or 8 bits: the same tiles in the same order and the colours.
TEST_F(PictomaExchange, BmpAndPngKeepWholeRowsAndEveryIndex) {
  for (bool eight_bit : {false, true}) {
    for (const char* name : {"x.bmp", "x.PNG"}) {
      SCOPED_TRACE(testing::Message() << name << (eight_bit ? " 8 bits" : " 4 bits"));
      Fill(100, eight_bit);
      image.set_tilex(16);
      EXPECT_EQ(image.gettilenum(), 100.0);
      ASSERT_EQ(image.savebitmap(dir / name), 0) << imagetool::StatusText("savebitmap", image.outcome());
      lumak::CImage picture;
      ASSERT_EQ(picture.Load(dir / name), 1);
      int w = 0, h = 0;
      picture.GetImageSize(w, h);
      ASSERT_EQ(std::make_pair(w, h), std::make_pair(128, 48));
      EXPECT_EQ(picture.GetColorDepth(), eight_bit ? 8 : 4);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(picture.GetPixelIndex(x, y), NumberedAt(x, y, 16, eight_bit ? 256 : 16));
      CImage back;
      back.set_tilex(3);
      ASSERT_EQ(back.openbitmap(dir / name), 0);
      EXPECT_EQ(back.eight_bit(), eight_bit);
      EXPECT_EQ(back.tilex(), 3) << "opening keeps the tiles per row";
      EXPECT_EQ(back.pixels(), Bytes(image.pixels().begin(), image.pixels().begin() + 96 * 64));
      for (size_t i = 0; i < (eight_bit ? 256u : 16u); ++i) ASSERT_EQ(back.palette()[i], image.palette()[i]) << i;
    }
  }
  // 4 bits: a BMP of 16 colours (stride 64 bytes), an indexed PNG of 16 entries.
  Fill(100, false);
  image.set_tilex(16);
  ASSERT_EQ(image.savebitmap(dir / "four.bmp"), 0);
  ASSERT_EQ(image.savebitmap(dir / "four.png"), 0);
  EXPECT_EQ(dir.Read("four.bmp").size(), 54u + 64 + 64 * 48);
  const std::string png = dir.Read("four.png");
  lumak::DecodedPng decoded;
  ASSERT_TRUE(lumak::DecodePng({reinterpret_cast<const uint8_t*>(png.data()), png.size()}, decoded));
  EXPECT_EQ(decoded.kind, lumak::DecodedPng::kIndexed);
  EXPECT_EQ(decoded.palette_size, 16);
}

TEST_F(PictomaExchange, OnlyIndexedPicturesWithWholeTilesOpen) {
  Fill(2, false);
  const Bytes kept = image.pixels();
  ASSERT_EQ(lumak::CBitmapImage(60, 64, 4).SaveImage(dir / "odd.bmp"), 1);
  ASSERT_EQ(lumak::CBitmapImage(64, 64, 24).SaveImage(dir / "rgb.bmp"), 1);
  dir.Write("junk.bmp", "BM not really");
  for (const auto& [name, problem] : {std::pair{"odd.bmp", Problem::kNotIndexed}, {"rgb.bmp", Problem::kNotIndexed},
                                      {"junk.bmp", Problem::kBadFile}, {"gone.bmp", Problem::kCannotOpen}}) {
    EXPECT_EQ(image.openbitmap(dir / name), 1) << name;
    EXPECT_EQ(image.outcome().problem, problem) << name;
  }
  EXPECT_EQ(image.pixels(), kept);
  EXPECT_FALSE(image.eight_bit());
}

TEST_F(PictomaExchange, TileBitmapsCarryThePackedTileBytes) {
  Fill(10, false);
  image.set_tilex(4);  // two whole rows: 8 tiles, 256 bytes
  ASSERT_EQ(image.savetilebitmap(dir / "t.bmp"), 0);
  lumak::CBitmapImage bmp;
  ASSERT_EQ(bmp.LoadImageA(dir / "t.bmp"), 1);
  int w = 0, h = 0;
  bmp.GetImageSize(w, h);
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 8);
  EXPECT_EQ(bmp.GetColorDepth(), 16);
  const Bytes packed = imagetool::Pack4(Bytes(image.pixels().begin(), image.pixels().begin() + 8 * 64));
  ASSERT_EQ(bmp.pixels().size(), packed.size());
  EXPECT_TRUE(std::equal(packed.begin(), packed.end(), bmp.pixels().begin()));

  CImage back;
  ASSERT_EQ(back.opentilebitmap(dir / "t.bmp"), 0);
  EXPECT_EQ(back.pixel_count(), size_t(4 * w * h));
  EXPECT_EQ(back.pixels(), Bytes(image.pixels().begin(), image.pixels().begin() + 8 * 64));

  // Not 16 bits: nothing changes. 8-bit images make no tile bitmap.
  ASSERT_EQ(image.savebitmap(dir / "plain.bmp"), 0);
  EXPECT_EQ(back.opentilebitmap(dir / "plain.bmp"), 1);
  EXPECT_EQ(back.outcome().problem, Problem::kNotTileBitmap);
  EXPECT_EQ(back.pixel_count(), 512u);
  Fill(8, true);
  EXPECT_EQ(image.savetilebitmap(dir / "eight.bmp"), 1);
  EXPECT_EQ(image.outcome().problem, Problem::kEightBit);
  EXPECT_FALSE(std::filesystem::exists(dir / "eight.bmp"));
}

TEST_F(PictomaExchange, OddWidthTileBitmapsSkipTheRowPadding) {
  lumak::CBitmapImage bmp(3, 2, 16);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) bmp.SetPixel(x, y, unsigned(0x1000 * (y * 3 + x) + 0x321));
  }
  ASSERT_EQ(bmp.SaveImage(dir / "odd.bmp"), 1);
  ASSERT_EQ(image.opentilebitmap(dir / "odd.bmp"), 0);
  ASSERT_EQ(image.pixel_count(), 24u);
  // File order: the bottom row (y = 1) first, each word's nibbles from the lowest up.
  EXPECT_EQ((Bytes(image.pixels().begin(), image.pixels().begin() + 4)), (Bytes{1, 2, 3, 3}));
  EXPECT_EQ((Bytes(image.pixels().begin() + 12, image.pixels().begin() + 16)), (Bytes{1, 2, 3, 0}));
}

TEST_F(PictomaExchange, BinaryFilesHoldTheUncompressedData) {
  Fill(3, false);
  dir.Write("out.bin", std::string(5000, 'x'));
  ASSERT_EQ(image.savebinary(dir / "out.bin"), 0);
  EXPECT_EQ(dir.Read("out.bin"), Str(imagetool::Pack4(image.pixels())));
  Fill(3, true);
  ASSERT_EQ(image.savebinary(dir / "out.bin"), 0);
  EXPECT_EQ(dir.Read("out.bin"), Str(image.pixels()));
  CImage empty;
  EXPECT_EQ(empty.savebinary(dir / "none.bin"), 1);
  EXPECT_EQ(empty.savebitmap(dir / "none.bmp"), 1);
  EXPECT_EQ(empty.outcome().problem, Problem::kNoImage);
}

TEST_F(PictomaExchange, TheDrawingShowsThePaletteThenWholeRowsOfTiles) {
  Fill(10, false);
  image.set_tilex(3);
  std::vector<uint32_t> surface(512 * 512, 0xDEADBEEF);
  image.Render(surface);
  auto at = [&](int x, int y) { return surface[size_t(y) * 512 + size_t(x)]; };
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(at(i % 64 * 8 + 7, i / 64 * 8 + 3), image.palette()[size_t(i)]) << i;
  }
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      ASSERT_EQ(at(x, 32 + y), image.palette()[NumberedAt(x, y, 3, 16)]) << x << "," << y;
    }
  }
  EXPECT_EQ(at(24, 32), 0u) << "three tiles a row";
  EXPECT_EQ(at(0, 32 + 24), 0u) << "tile 9 is not in a whole row";
  // Tiles beyond the surface are cut off.
  Fill(200, true);
  image.set_tilex(100);
  image.Render(surface);
  EXPECT_EQ(at(511, 32), image.palette()[NumberedAt(511, 0, 100, 256)]);
}

TEST(PictomaTileCount, TilesPerRowStayInRange) {
  CImage image;
  EXPECT_EQ(image.tilex(), 1);
  for (const auto& [asked, kept] : {std::pair{0, 1}, {-5, 1}, {1 << 30, CImage::kMaxTilesPerRow}}) {
    image.set_tilex(asked);
    EXPECT_EQ(image.tilex(), kept) << asked;
  }
}

}  // namespace
