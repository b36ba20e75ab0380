// The sprite page's rules on a small hand-made ROM: the tables and their addresses, reading the
// three modes, import and export, the write-back into place, free space or the end of the file,
// and what the page reads by itself for the trainer page.
#include "editors/image/image_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/free_space.h"
#include "core/rom_address.h"
#include "graphics/lz77.h"
#include "imagetool/gba_colour.h"
#include "platform/error_text.h"
#include "platform/file.h"
#include "toolkit/image/bitmap_image.h"
#include "unit/io_sweep.h"
#include "unit/test_dir.h"

namespace {

namespace L = image_layout;
using Bytes = std::vector<uint8_t>;
using Rules = CImageRules;

constexpr uint32_t kTables = 0x100;  // eight tables of up to 8 entries, 64 bytes apart
constexpr uint32_t kData = 0x600;
constexpr uint32_t kArea = 0x10000;
constexpr uint32_t kAreaLength = 0x4000;
constexpr int kFrames = 6;  // back-view frames; palettes 0 and 1 of the non-Emerald map

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", unsigned(value));
  return text;
}

uint32_t Table(int n) { return kTables + uint32_t(n) * 64; }

// 4-bit tiles of `frames` frames with a pattern that differs per sprite.
Bytes Sprite(int seed, int frames) {
  Bytes data(size_t(frames) * L::kFrameBytes);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 7 + seed * 13 + i / 97);
  return data;
}

Bytes PaletteBytes(int seed) {
  Bytes data(L::kPaletteBytes);
  // Colours in runs of four, so that the stream is shorter than the palette's 32 literals.
  for (int i = 0; i < 16; ++i) rom::Put16(data.data() + 2 * i, uint16_t((seed * 1000 + i / 4 * 2113) & 0x7FFF));
  return data;
}

Bytes Compress(const Bytes& data) { return graphics::CLZ77(graphics::Lz77Search::kShort).Compress(data); }

// The decoded bytes of the stream at `offset` of `rom`, checked against its header's size.
Bytes DecodeAt(const std::string& rom, uint32_t offset) {
  std::span<const uint8_t> source(reinterpret_cast<const uint8_t*>(rom.data()) + offset, rom.size() - offset);
  Bytes out(graphics::Lz77DecodedSize(source));
  graphics::Lz77Decoded d = graphics::Lz77Decode(source, out.data(), out.size());
  EXPECT_EQ(d.status, graphics::Lz77Decoded::kOk);
  EXPECT_EQ(d.size, out.size());
  return out;
}

// A pixel of `image` as 4-bit tiles hold it.
uint8_t TiledPixel(const Bytes& tiles, int x, int y) {
  const int frame = y / 64, ty = (y % 64) / 8, tx = x / 8;
  const uint8_t byte = tiles[size_t(frame) * 2048 + size_t(ty * 8 + tx) * 32 + size_t(y % 8) * 4 + size_t(x % 8) / 2];
  return x % 2 ? byte >> 4 : byte & 15;
}

class ImageRules : public testing::Test {
 protected:
  void SetUp() override {
    rom.assign(kArea + kAreaLength, '\0');
    rom.replace(kArea, kAreaLength, std::string(kAreaLength, '\xFF'));
    end = kData;
    // Monster 0 has one frame, monster 1 two.
    for (int m = 0; m < 2; ++m) {
      Entry(0, m, Place(Compress(Sprite(m, m + 1))));
      Entry(1, m, Place(Compress(PaletteBytes(m))));
      Entry(2, m, Place(Compress(Sprite(m + 10, 1))));
      Entry(3, m, Place(Compress(PaletteBytes(m + 10))));
      Entry(4, m, Place(Compress(Sprite(m + 20, 1))));
      Entry(5, m, Place(Compress(PaletteBytes(m + 20))));
      Entry(7, m, Place(Compress(PaletteBytes(m + 30))));
    }
    Bytes frames = Sprite(40, kFrames);
    const uint32_t first = Place(frames);
    for (int f = 0; f < kFrames; ++f) Entry(6, f, first + uint32_t(f) * L::kFrameBytes);
    Write(Setting("PicsNum=2\r\nTrainer_Pic_Num=1\r\n"));
  }

  std::string Setting(const std::string& counts) const {
    return "[BPRJ]\r\nMonsterPics=" + std::to_string(Table(0)) + "\r\nMonsterPal=" + std::to_string(Table(1)) +
           "\r\nMonsterBackPics=" + std::to_string(Table(2)) + "\r\nMonsterShinyPal=" + std::to_string(Table(3)) +
           "\r\nTrainerPics=" + std::to_string(Table(4)) + "\r\nTrainerPals=" + std::to_string(Table(5)) +
           "\r\nTrainerBackPics=" + std::to_string(Table(6)) + "\r\nTrainerBackPals=" + std::to_string(Table(7)) +
           "\r\nTrainerBack_Pic_Num=" + std::to_string(kFrames) + "\r\nTrainerBack_Pal_Num=2\r\ndomain1=" +
           std::to_string(kArea) + "\r\ndomain1end=" + std::to_string(kArea + kAreaLength) + "\r\ndomain2=0x100\r\ndomain2end=4096\r\n" + counts;
  }
  void Write(const std::string& setting) {
    ini = dir.Write("Setting.ini", setting);
    rom_path = dir.Write("rom.gba", rom);
  }
  uint32_t Place(const Bytes& data) {
    const uint32_t at = end;
    rom.replace(at, data.size(), std::string(data.begin(), data.end()));
    end = (at + uint32_t(data.size()) + 3) & ~3u;
    return at;
  }
  void Entry(int table, int index, uint32_t offset) {
    uint8_t word[4];
    rom::Put32(word, offset | kGbaBase);
    rom.replace(Table(table) + uint32_t(index) * 8, 4, reinterpret_cast<char*>(word), 4);
    rom[Table(table) + uint32_t(index) * 8 + 4] = char(0x40 + table);  // the word the page keeps
  }
  void Load(const char* code = "BPRJ") {
    rules.Init();
    rules.LoadSetting(PageSetup{ini, code, std::filesystem::file_size(rom_path)});
    platform::CFile file;
    ASSERT_TRUE(file.Open(rom_path, platform::OpenMode::kReadExisting));
    std::string error;
    ASSERT_TRUE(rules.RomRead(file, error)) << error;
  }
  bool Save() {
    platform::CFile file;
    std::string error;
    return file.Open(rom_path, platform::OpenMode::kReadWriteExisting) && rules.RomSave(file, error);
  }
  std::string Now() const { return dir.Read("rom.gba"); }
  uint32_t Address(Rules::Graphic graphic) const {
    return uint32_t(std::stoul(rules.AddressText(graphic), nullptr, 16));
  }
  void ExpectShows(const Bytes& tiles, bool back) const {
    for (int y = 0; y < 64 * rules.frames(back); ++y)
      for (int x = 0; x < 64; ++x)
        ASSERT_EQ(rules.image(back)[size_t(y * 64 + x)], TiledPixel(tiles, x, y)) << x << "," << y;
  }
  void ExpectPalette(const Bytes& bytes, bool shiny) const {
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(rules.palette(shiny)[size_t(i)], imagetool::Bgr555ToColorref(rom::Get16(bytes.data() + 2 * i))) << i;
  }

  TestDir dir;
  std::string rom;
  uint32_t end = 0;
  std::filesystem::path ini, rom_path;
  Rules rules;
  CFinddummyspace finder;
};

TEST_F(ImageRules, AddressesIndicesAndModes) {
  Load();
  ASSERT_TRUE(rules.Ready());
  ASSERT_TRUE(rules.BackViewReady());
  EXPECT_TRUE(rules.area(0).configured());
  EXPECT_FALSE(rules.area(1).configured()) << "decimal keys only: 0x100 reads as 0, no area";

  // Bit 27 of a stored address is cleared to find the graphics, whatever else is set; a
  // repointed entry holds the typed offset with bit 27 set.
  struct Case {
    uint32_t stored;
    const char* shown;
  } cases[] = {{0x08000600, "0x600"}, {0x00000600, "0x600"}, {0x09000600, "0x1000600"}, {0x0, "0x0"}};
  for (const Case& c : cases) {
    uint8_t word[4];
    rom::Put32(word, c.stored);
    rom.replace(Table(2), 4, reinterpret_cast<char*>(word), 4);
    rom_path = dir.Write("rom.gba", rom);
    Load();
    EXPECT_EQ(rules.AddressText(Rules::kBack), c.shown);
  }
  rules.Repoint(Rules::kBack, "1234");
  rules.Repoint(Rules::kShinyPalette, "0x9000010");
  ASSERT_TRUE(Save());
  const std::string saved = Now();
  EXPECT_EQ(rom::Get32(reinterpret_cast<const uint8_t*>(saved.data()) + Table(2)), 0x08001234u);
  EXPECT_EQ(rom::Get32(reinterpret_cast<const uint8_t*>(saved.data()) + Table(3)), 0x09000010u);
  EXPECT_EQ(rules.AddressText(Rules::kShinyPalette), "0x1000010");

  struct Step {
    int mode;
    const char* typed;
    int32_t index;
    int32_t count;
  } steps[] = {{Rules::kMonster, "-5", 0, 2}, {Rules::kMonster, "9", 1, 2}, {Rules::kTrainer, "1", 1, 2},
               {Rules::kBackView, "99", kFrames - 1, kFrames}};
  for (const Step& s : steps) {
    rules.SetMode(s.mode);
    EXPECT_EQ(rules.Count(), s.count);
    rules.SetIndex(s.typed);
    EXPECT_EQ(rules.current(), s.index) << s.typed;
    rules.Step(s.index == 0 ? -1 : 1);
    EXPECT_EQ(rules.current(), s.index) << "a step out of the table stays";
  }
  // A back-view frame's own address is not repointed; its palette's is.
  const std::string frame = rules.AddressText(Rules::kFront);
  rules.Repoint(Rules::kFront, "1234");
  EXPECT_EQ(rules.AddressText(Rules::kFront), frame);
  EXPECT_FALSE(rules.HasGraphic(Rules::kBack));
  rules.Repoint(Rules::kPalette, "1234");
  EXPECT_EQ(rules.AddressText(Rules::kPalette), "0x1234");
}

TEST_F(ImageRules, ReadsEachModeFromTheRom) {
  Load();
  rules.SetIndex("1");
  EXPECT_TRUE(rules.LoadEntry(rom_path).empty());
  EXPECT_EQ(rules.frames(false), 2);
  EXPECT_EQ(rules.frames(true), 1);
  ExpectShows(Sprite(1, 2), false);
  ExpectShows(Sprite(11, 1), true);
  ExpectPalette(PaletteBytes(1), false);
  ExpectPalette(PaletteBytes(11), true);
  EXPECT_EQ(rules.stored_size(Rules::kFront), Compress(Sprite(1, 2)).size());
  EXPECT_EQ(rules.stored_size(Rules::kShinyPalette), Compress(PaletteBytes(11)).size());

  rules.SetMode(Rules::kTrainer);
  EXPECT_EQ(rules.current(), 1);
  EXPECT_TRUE(rules.LoadEntry(rom_path).empty());
  EXPECT_EQ(rules.frames(false), 1);
  ExpectShows(Sprite(21, 1), false);
  ExpectPalette(PaletteBytes(21), false);

  // Back-view frame 5 is the last of the second group: palette 1.
  rules.SetMode(Rules::kBackView);
  rules.SetIndex("5");
  EXPECT_TRUE(rules.LoadEntry(rom_path).empty());
  Bytes frames = Sprite(40, kFrames);
  ExpectShows(Bytes(frames.begin() + 5 * 2048, frames.begin() + 6 * 2048), false);
  ExpectPalette(PaletteBytes(31), false);
}

TEST_F(ImageRules, FramesOfADecodedSize) {
  struct Case {
    uint32_t size;
    int frames;
  } cases[] = {{0, 1}, {2047, 1}, {2048, 1}, {4096, 2}, {8192, 4}, {16384, 4}};
  for (const Case& c : cases) EXPECT_EQ(Rules::FramesOf(c.size), c.frames) << c.size;

  // A sprite of 16384 bytes shows its first four frames; one byte more is beyond the buffer.
  Load();
  for (uint32_t size : {16384u, 16385u}) {
    Bytes data(size, 0x21);
    data[0] = 0x43;
    const uint32_t at = Place(Compress(data));
    rom_path = dir.Write("rom.gba", rom);
    rules.Repoint(Rules::kFront, Hex(at));
    ImageMessages messages = rules.LoadEntry(rom_path);
    if (size == 16384) {
      EXPECT_TRUE(messages.empty());
      EXPECT_EQ(rules.frames(false), 4);
      EXPECT_EQ(rules.image(false)[0], 3);
    } else {
      ASSERT_FALSE(messages.empty());
      EXPECT_EQ(messages[0], (ImageMessage{false, "CImage::LoadImage よくわかんないけどエラー。"}));
      EXPECT_EQ(rules.frames(false), 4) << "a failed read leaves what was shown";
    }
  }
}

TEST_F(ImageRules, ReadsNearTheEndAndBrokenData) {
  // The sprite ends 10 bytes before the end of the file; the palette is a 43-byte stream, as the
  // encoder makes for these 16 colours.
  const Bytes palette = {2, 0, 1, 0, 1, 0, 2, 1, 1, 0, 1, 0, 1, 1, 0, 2, 1, 0, 0, 1, 1, 2, 0, 0, 0, 2, 0, 1, 2, 2, 0, 1};
  ASSERT_EQ(Compress(palette).size(), 43u);
  const Bytes sprite = Compress(Sprite(7, 1));
  ASSERT_LT(sprite.size(), L::kSpriteReadCap);
  // A reference before the start of the data.
  const uint32_t broken = Place({0x10, 0x00, 0x08, 0x00, 0x80, 0xFF, 0xFF});
  const uint32_t palette_at = Place(Compress(palette));
  const uint32_t sprite_at = uint32_t(rom.size());
  rom += std::string(sprite.begin(), sprite.end()) + std::string(10, '\xFF');
  Entry(0, 0, sprite_at);
  Entry(1, 0, palette_at);
  Write(Setting("PicsNum=2\r\nTrainer_Pic_Num=1\r\n"));
  Load();
  EXPECT_TRUE(rules.LoadEntry(rom_path).empty());
  ExpectShows(Sprite(7, 1), false);
  ExpectPalette(palette, false);
  EXPECT_EQ(rules.stored_size(Rules::kPalette), 43u);

  // Each broken graphic gets its own report; what was shown stays.
  struct Case {
    Rules::Graphic graphic;
    uint32_t offset;
    ImageMessage message;
  } cases[] = {
      {Rules::kFront, 0x10, {true, "通常画像の圧縮データが見つかりませんでした。"}},
      {Rules::kBack, 0x10, {true, "後ろ画像の圧縮データが見つかりませんでした。"}},
      {Rules::kPalette, 0x10, {true, "パレットの圧縮データが見つかりませんでした。"}},
      {Rules::kShinyPalette, 0x10, {true, "色違いパレットの圧縮データが見つかりませんでした。"}},
      {Rules::kFront, broken, {false, "CImage::LoadImage よくわかんないけどエラー。"}},
      {Rules::kPalette, uint32_t(rom.size() - 3), {false, "CImage::LoadPal よくわかんないけどエラー。"}},
      {Rules::kFront, uint32_t(rom.size()),
       {false, std::string("6CImage::LoadImage を実行中にエラーが発生しました。") + platform::kShortReadText}},
      {Rules::kPalette, 0x7FFFFF,
       {false, std::string("6CImage::LoadPal を実行中にエラーが発生しました。") + platform::kShortReadText}},
  };
  rom[rom.size() - 3] = 0x10;  // a stream header cut by the end of the file
  rom_path = dir.Write("rom.gba", rom);
  for (const Case& c : cases) {
    Load();
    ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
    rules.Repoint(c.graphic, Hex(c.offset));
    ImageMessages messages = rules.LoadEntry(rom_path);
    ASSERT_EQ(messages.size(), 1u) << c.message.text;
    EXPECT_EQ(messages[0], c.message);
    ExpectShows(Sprite(7, 1), false);
    ExpectPalette(palette, false);
  }
  // What is still shown after a failed read belongs to the entry before: it is never written.
  Load();
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  rules.Repoint(Rules::kFront, Hex(broken));
  rules.LoadEntry(rom_path);
  rules.Tick(Rules::kNormalImage, true);
  rules.flags().in_place = true;
  const ImageMessages refused = rules.SaveToRom(rom_path, finder);
  ASSERT_FALSE(refused.empty());
  EXPECT_EQ(refused[0].text, "CImage::ReCompress 読み込めなかったデータは保存しません。");
  EXPECT_EQ(Now(), rom);
}

TEST_F(ImageRules, BackViewPaletteOfAFrame) {
  struct Case {
    const char* code;
    int frame;
    int palette;
  } cases[] = {{"BPEJ", 3, 0}, {"BPEJ", 4, 1}, {"BPEJ", 33, 7}, {"BPEJ", 34, 0}, {"BPRJ", 4, 0},
               {"BPRJ", 5, 1},  {"BPRJ", 25, 3}, {"BPRJ", 26, 0}, {"BPRJ", -1, 0}};
  for (const Case& c : cases) EXPECT_EQ(L::BackViewPalette(c.code, c.frame), c.palette) << c.code << " " << c.frame;
}

// A BMP or PNG file of `depth` bits and `height` rows: pixel (x, y) = (x + y) % (1 << depth),
// palette entry i = red i * 9 + 7, green i * 5 + 3, blue 255 - i.
std::filesystem::path Picture(const TestDir& dir, const char* name, int depth, int height, bool png) {
  lumak::CBitmapImage image(64, height, depth);
  for (int y = 0; y < height && depth <= 8; ++y)
    for (int x = 0; x < 64; ++x) image.SetPixelIndex(x, y, uint8_t((x + y) % (1 << depth)));
  for (int i = 0; i < 16 && depth <= 8; ++i) {
    uint8_t* entry = image.GetPalette() + 4 * i;  // blue first
    entry[0] = uint8_t(255 - i), entry[1] = uint8_t(i * 5 + 3), entry[2] = uint8_t(i * 9 + 7);
  }
  const std::vector<uint8_t> file = png ? image.PngBytes() : image.BmpBytes();
  return dir.Write(name, std::string(file.begin(), file.end()));
}

TEST_F(ImageRules, ImportOfBmpAndPng) {
  Load();
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  const std::string wrong_size = "CImage::ReadBipMap() サイズが64x64ピクセルではありません。\n";
  struct Case {
    const char* name;
    int depth;
    int height;
    bool png;
    std::string status;
  } cases[] = {
      {"a.bmp", 4, 64, false, ""},
      {"b.png", 4, 64, true, ""},
      {"c.bmp", 8, 64, false, ""},
      {"d.PNG", 8, 64, true, ""},
      {"e.bmp", 4, 128, false, wrong_size},
      {"f.png", 8, 32, true, wrong_size},
      {"g.bmp", 24, 64, false, "CImage::ReadBitMap 16色ビットマップではありません。"},
      {"h.bmp", 1, 64, false, "CImage::ReadBitMap 16色ビットマップではありません。"},
  };
  for (const Case& c : cases) {
    Load();
    ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
    rules.Tick(Rules::kNormalImage, true);
    rules.Tick(Rules::kShinyPaletteBox, true);
    EXPECT_EQ(rules.Import(Picture(dir, c.name, c.depth, c.height, c.png)), c.status) << c.name;
    if (!c.status.empty()) {
      ExpectShows(Sprite(0, 1), false);
      ExpectPalette(PaletteBytes(10), true);
      continue;
    }
    // Indices modulo 16, palette channels with their low three bits cleared.
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) ASSERT_EQ(rules.image(false)[size_t(y * 64 + x)], (x + y) % 16) << c.name;
    EXPECT_EQ(rules.palette(true)[3], uint32_t(((3 * 9 + 7) & 0xF8) | ((3 * 5 + 3) & 0xF8) << 8 | ((255 - 3) & 0xF8) << 16));
    ExpectPalette(PaletteBytes(0), false);
  }
  // A monster of two frames wants 64 × 128; a file that is no picture is refused.
  rules.SetIndex("1");
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  EXPECT_EQ(rules.Import(Picture(dir, "two.bmp", 4, 128, false)), "");
  EXPECT_EQ(rules.Import(dir.Write("bad.png", "\x89PNG\r\n\x1A\nrest")), "CImage::ReadBitMap 読み込みに失敗。");
  EXPECT_EQ(rules.Import(dir.Write("bad.gif", "GIF89a")), "CImage::ReadBitMap 読み込みに失敗。");
}

TEST_F(ImageRules, ExportThenImportKeepsPixelsAndPalette) {
  Load();
  rules.SetIndex("1");
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  // Nothing ticked: nothing written, and said so.
  EXPECT_EQ(rules.Export(dir / "none.bmp"), "CImage::SaveBitMap 保存する画像を選んでください。");
  rules.Tick(Rules::kNormalImage, true);
  EXPECT_EQ(rules.Export(dir / "none.bmp"), "CImage::SaveBitMap 保存するパレットを選んでください。");
  EXPECT_FALSE(std::filesystem::exists(dir / "none.bmp"));
  rules.Tick(Rules::kShinyPaletteBox, true);
  for (const char* name : {"out.bmp", "out.png"}) {
    const Rules::Image image = rules.image(false);
    const Rules::Palette palette = rules.palette(true);
    EXPECT_EQ(rules.Export(dir / name), "");
    rules.image(false).fill(0);
    rules.palette(true).fill(0);
    EXPECT_EQ(rules.Import(dir / name), "") << name;
    EXPECT_EQ(rules.image(false), image) << name;
    EXPECT_EQ(rules.palette(true), palette) << name;
  }
  lumak::CBitmapImage written;
  ASSERT_TRUE(written.LoadImageA(dir / "out.bmp"));
  EXPECT_EQ(written.GetColorDepth(), 4);
  int width = 0, height = 0;
  written.GetImageSize(width, height);
  EXPECT_EQ(height, 128);
  EXPECT_EQ(rules.Export(dir / "missing" / "out.bmp"), "CImage::SaveBitMap 保存に失敗しました。");
}

TEST_F(ImageRules, WriteBackInPlaceFreeSpaceOrAppended) {
  Load();
  rules.SetIndex("1");
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  rules.Tick(Rules::kNormalImage, true);
  rules.Tick(Rules::kNormalPalette, true);
  rules.flags().in_place = true;
  const uint32_t front = Address(Rules::kFront);

  // Unchanged data has its stored size: written where it is.
  ImageMessages messages = rules.SaveToRom(rom_path, finder);
  EXPECT_EQ(messages, (ImageMessages{{false, ""}, {false, ""}}));
  EXPECT_EQ(Address(Rules::kFront), front);
  EXPECT_EQ(Now(), rom);

  // A palette without compression is 40 bytes, more than it had: it goes into area 1 and the
  // old bytes stay as they were.
  rules.flags().no_compress = true;
  rules.Tick(Rules::kNormalImage, false);
  messages = rules.SaveToRom(rom_path, finder);
  const uint32_t moved = Address(Rules::kPalette);
  EXPECT_GE(moved, kArea);
  EXPECT_LT(moved, kArea + kAreaLength);
  EXPECT_EQ(rules.stored_size(Rules::kPalette), 40u);
  std::string now = Now();
  EXPECT_EQ(now.substr(0, kArea), rom.substr(0, kArea));
  EXPECT_EQ(DecodeAt(now, moved), PaletteBytes(1));
  EXPECT_EQ(now.substr(moved + 40), rom.substr(moved + 40));

  // Appending to a file of odd length pads it with 0xFF to a multiple of 4 first.
  rom = now + "\x01";
  rom_path = dir.Write("rom.gba", rom);
  rules.set_output_method(Rules::kAppend);
  rules.flags().in_place = false;
  rules.Tick(Rules::kBackImage, true);
  rules.image(true)[5] = 9;
  messages = rules.SaveToRom(rom_path, finder);
  now = Now();
  const uint32_t back = Address(Rules::kBack);
  EXPECT_EQ(back, rom.size() + 3);
  EXPECT_EQ(now.substr(rom.size(), 3), "\xFF\xFF\xFF");
  Bytes expected = Sprite(11, 1);
  expected[2] = uint8_t((expected[2] & 0x0F) | 9 << 4);
  EXPECT_EQ(DecodeAt(now, back), expected);
  const uint32_t appended = Address(Rules::kPalette);
  EXPECT_EQ(appended, (back + rules.stored_size(Rules::kBack) + 3) & ~3u);
  EXPECT_EQ(DecodeAt(now, appended), PaletteBytes(1));
  EXPECT_EQ(now.size(), appended + 40);
  EXPECT_EQ(rules.image(true)[5], 9) << "the entry was read again from the new place";

  // The table reaches the ROM with the next save of all pages, the kept words unchanged.
  ASSERT_TRUE(Save());
  now = Now();
  EXPECT_EQ(rom::Get32(reinterpret_cast<const uint8_t*>(now.data()) + Table(2) + 8), back | kGbaBase);
  EXPECT_EQ(now[Table(2) + 8 + 4], 0x42);

  // Area 2 is not configured: no place, nothing written, the entry as it was.
  rules.set_output_method(1);
  messages = rules.SaveToRom(rom_path, finder);
  EXPECT_EQ(messages[1], (ImageMessage{false, "CImage::ReCompress 使用可能なスペースが見つかりません。"}));
  EXPECT_EQ(Address(Rules::kBack), back);
  EXPECT_EQ(Now(), now);
  // Area 1 with room for the palette only: the image finds no place, the palette is then
  // written; the image's failure stays the last word in the status bar.
  std::string full = Now();
  full.replace(kArea, kAreaLength, std::string(kAreaLength, '\0'));
  full.replace(kArea + 0x100, 0x80, std::string(0x80, '\xFF'));
  rom_path = dir.Write("rom.gba", full);
  rules.SetIndex("0");
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  rules.set_output_method(0);
  rules.Tick(Rules::kNormalImage, true);
  messages = rules.SaveToRom(rom_path, finder);
  EXPECT_GE(Address(Rules::kPalette), kArea + 0x100);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), (ImageMessage{false, "CImage::ReCompress 使用可能なスペースが見つかりません。"}));

}

// A write-back that fails at any file operation says so, and its failure stays the last word
// even when the palette written after it succeeds.
TEST_F(ImageRules, AFailedWriteBackStaysTheLastWordAfterAWriteThatSucceeds) {
  rom += "\x01";  // an odd length: the append pads first
  Write(Setting("PicsNum=2\r\nTrainer_Pic_Num=1\r\n"));
  const int points = SweepFileFailures(
      [&] {
        dir.Write("rom.gba", rom);
        Load();
        rules.SetIndex("1");
        EXPECT_TRUE(rules.LoadEntry(rom_path).empty());
        rules.set_output_method(Rules::kAppend);
        rules.Tick(Rules::kNormalImage, true);
        rules.Tick(Rules::kNormalPalette, true);
        rules.image(false)[0] ^= 1;
        return [&] {
          const ImageMessages out = rules.SaveToRom(rom_path, finder);
          bool failed = false;
          for (const ImageMessage& m : out) failed |= m.text.find(platform::InjectedFailureText()) != std::string::npos;
          if (failed) {
            EXPECT_NE(out.back().text.find(platform::InjectedFailureText()), std::string::npos) << out.back().text;
          }
          return SweepRun{!failed, failed ? out.back().text : ""};
        };
      },
      [](int, const SweepRun&) {});
  EXPECT_GT(points, 4);
}

// Appended data must stay where a pointer reaches (32 MiB): the page refuses the sprite before
// the writer would; the small palette after it still fits, and the refusal stays the last word.
TEST_F(ImageRules, AnAppendBeyondWhatAPointerReachesIsRefused) {
  rom.resize((size_t(1) << 25) - 40, '\xFF');
  Write(Setting("PicsNum=2\r\nTrainer_Pic_Num=1\r\n"));
  Load();
  rules.SetIndex("1");
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  rules.set_output_method(Rules::kAppend);
  rules.Tick(Rules::kNormalImage, true);
  rules.Tick(Rules::kNormalPalette, true);
  const ImageMessages out = rules.SaveToRom(rom_path, finder);
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back().text, "CImage::ReCompress 使用可能なスペースが見つかりません。");
  EXPECT_GT(std::filesystem::file_size(rom_path), rom.size()) << "the palette was appended";
  EXPECT_LE(std::filesystem::file_size(rom_path), size_t(1) << 25);
}

TEST_F(ImageRules, BackViewFrameWritesOnlyItsOwnFrame) {
  Load();
  rules.SetMode(Rules::kBackView);
  rules.SetIndex("2");
  ASSERT_TRUE(rules.LoadEntry(rom_path).empty());
  const uint32_t frame = Address(Rules::kFront);
  rules.Tick(Rules::kNormalImage, true);
  rules.flags().in_place = false;
  rules.set_output_method(Rules::kAppend);
  rules.image(false).fill(5);
  rules.SaveToRom(rom_path, finder);
  const std::string now = Now();
  EXPECT_EQ(now.size(), rom.size());
  EXPECT_EQ(Address(Rules::kFront), frame);
  EXPECT_EQ(now.substr(frame, 2048), std::string(2048, '\x55'));
  EXPECT_EQ(now.substr(0, frame), rom.substr(0, frame));
  EXPECT_EQ(now.substr(frame + 2048), rom.substr(frame + 2048)) << "the next frame is untouched";
}

TEST_F(ImageRules, TablesNotReadAreNeverWritten) {
  // Without monsters nothing of the monster tables is read, and nothing of them written (not
  // even zeroes); the trainer tables were read and go back as they were.
  Write(Setting("PicsNum=0\r\nTrainer_Pic_Num=1\r\n"));
  Load();
  EXPECT_FALSE(rules.Ready());
  rules.SetIndex("5");
  EXPECT_EQ(rules.current(), 0) << "no entry to show";
  // Without the monster keys at all there are no entries either; an area may start at byte 1.
  Write("[BPRJ]\r\nTrainer_Pic_Num=1\r\ndomain1=1\r\ndomain1end=2\r\n");
  Load();
  EXPECT_EQ(rules.Count(), 0);
  EXPECT_TRUE(rules.area(0).configured());
  Write(Setting("PicsNum=0\r\nTrainer_Pic_Num=1\r\n"));
  Load();
  rom.replace(Table(0), 16, std::string(16, '\x77'));
  rom_path = dir.Write("rom.gba", rom);
  ASSERT_TRUE(Save());
  EXPECT_EQ(Now(), rom);
}

TEST_F(ImageRules, GetImageForTheTrainerPage) {
  Load();
  for (bool trainer : {false, true}) {
    std::vector<uint32_t> pixels;
    ImageMessages messages;
    ASSERT_TRUE(rules.GetImage(rom_path, trainer, 1, pixels, messages));
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(pixels.size(), 4096u);
    const Bytes tiles = Sprite(trainer ? 21 : 1, 1);
    const Bytes palette = PaletteBytes(trainer ? 21 : 1);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        ASSERT_EQ(pixels[size_t(y * 64 + x)],
                  imagetool::Bgr555ToColorref(rom::Get16(palette.data() + 2 * TiledPixel(tiles, x, y))));
  }
  std::vector<uint32_t> pixels;
  ImageMessages messages;
  EXPECT_FALSE(rules.GetImage(rom_path, true, 2, pixels, messages));
  EXPECT_TRUE(messages.empty());
  rules.Repoint(Rules::kFront, "10");
  EXPECT_FALSE(rules.GetImage(rom_path, false, 0, pixels, messages));
  EXPECT_EQ(messages, (ImageMessages{{true, "通常画像の圧縮データが見つかりませんでした。"}}));
  // A palette past the end of the file: no picture, and why.
  Load();
  rules.Repoint(Rules::kPalette, Hex(uint32_t(rom.size()) + 16));
  messages.clear();
  EXPECT_FALSE(rules.GetImage(rom_path, false, 0, pixels, messages));
  EXPECT_EQ(messages, (ImageMessages{{false, std::string("6CImage::GetImage を実行中にエラーが発生しました。") +
                                                 platform::kShortReadText}}));
}

}  // namespace
