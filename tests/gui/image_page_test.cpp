// The sprite page on the demo ROMs: the three modes, import from PNG and BMP, the write-back
// into the ROM file, export, the trainer page's picture and the time a monster switch takes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/rom_address.h"
#include "editors/image/image_layout.h"
#include "editors/image/win/image_ids.h"
#include "editors/image/win/image_page.h"
#include "frame_fixture.h"
#include "graphics/lz77.h"
#include "toolkit/image/bitmap_image.h"

namespace {

namespace L = image_layout;
using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kImageTab = 7;

class ImagePage : public PageTest {
 protected:
  // The ROM offset the table entry `index` of `key` points at, in `rom`.
  static uint32_t Target(const std::string& rom, const char* code, const char* key, int index) {
    const size_t at = size_t(Setting(code, key)) + size_t(index) * L::kEntrySize;
    return rom::Get32(reinterpret_cast<const uint8_t*>(rom.data()) + at) & L::kOffsetMask;
  }
  static std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", unsigned(value));
    return text;
  }
  // The stream at `offset`, decoded by the project's decoder to the size in its header.
  static std::vector<uint8_t> Decoded(const std::string& rom, uint32_t offset) {
    std::span<const uint8_t> source(reinterpret_cast<const uint8_t*>(rom.data()) + offset, rom.size() - offset);
    std::vector<uint8_t> out(graphics::Lz77DecodedSize(source));
    graphics::Lz77Decoded d = graphics::Lz77Decode(source, out.data(), out.size());
    EXPECT_EQ(d.status, graphics::Lz77Decoded::kOk);
    return out;
  }
  static int TiledPixel(const std::vector<uint8_t>& tiles, int x, int y) {
    const uint8_t byte = tiles[size_t(y / 64) * 2048 + size_t((y % 64) / 8 * 8 + x / 8) * 32 + size_t(y % 8) * 4 + size_t(x % 8) / 2];
    return x % 2 ? byte >> 4 : byte & 15;
  }
  bool Visible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
  void Tick(int id, bool on) const {
    if ((SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED) != on) Click(id);
  }
};

// Pixel (x, y) of the picture a test imports.
uint8_t Pattern(int x, int y) { return uint8_t((x / 8 + y / 8 * 3 + x * y) % 16); }

TEST_F(ImagePage, ThreeModesOnEmerald) {
  Start(Workspace());
  TestDir dir;
  const std::filesystem::path rom = CopyOfRom(dir, "BPEJ");
  const std::string bytes = dir.Read(rom.filename().string());
  Open(rom, kImageTab);

  EXPECT_EQ(SendMessageW(Control(IDC_IMAGE_MONSTER), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Text(IDC_IMAGE_INDEX), "0");
  EXPECT_EQ(Text(IDC_IMAGE_PIC_ADDR), Hex(Target(bytes, "BPEJ", "MonsterPics", 0)));
  EXPECT_EQ(Text(IDC_IMAGE_SHINY_ADDR), Hex(Target(bytes, "BPEJ", "MonsterShinyPal", 0)));
  EXPECT_TRUE(Visible(IDC_IMAGE_BACK_SHINY_VIEW));
  SetText(IDC_IMAGE_INDEX, "-5");
  Click(IDC_IMAGE_SHOW);
  EXPECT_EQ(Text(IDC_IMAGE_INDEX), "0");
  Click(IDC_IMAGE_NEXT);
  EXPECT_EQ(Text(IDC_IMAGE_BACK_ADDR), Hex(Target(bytes, "BPEJ", "MonsterBackPics", 1)));
  gui_test::SaveScreenshot(hwnd(), "image_page_monster");

  Click(IDC_IMAGE_TRAINER);
  SetText(IDC_IMAGE_INDEX, "100000");
  Click(IDC_IMAGE_SHOW);
  EXPECT_EQ(Text(IDC_IMAGE_INDEX), std::to_string(Setting("BPEJ", "Trainer_Pic_Num")));
  EXPECT_EQ(Text(IDC_IMAGE_PAL_ADDR), Hex(Target(bytes, "BPEJ", "TrainerPals", int(Setting("BPEJ", "Trainer_Pic_Num")))));
  EXPECT_FALSE(Visible(IDC_IMAGE_BACK_ADDR));
  EXPECT_FALSE(Visible(IDC_IMAGE_SHINY_PALETTE));
  EXPECT_FALSE(Visible(IDC_IMAGE_BACK_VIEW_PANE));
  gui_test::SaveScreenshot(hwnd(), "image_page_trainer");

  // Emerald's frame 12 is drawn in back-view palette 2.
  Click(IDC_IMAGE_BACK_VIEW);
  SetText(IDC_IMAGE_INDEX, "12");
  Click(IDC_IMAGE_SHOW);
  EXPECT_EQ(Text(IDC_IMAGE_PIC_ADDR), Hex(Target(bytes, "BPEJ", "TrainerBackPics", 12)));
  EXPECT_EQ(Text(IDC_IMAGE_PAL_ADDR), Hex(Target(bytes, "BPEJ", "TrainerBackPals", 2)));
  EXPECT_FALSE(Visible(IDC_IMAGE_PIC_REPOINT));
  gui_test::SaveScreenshot(hwnd(), "image_page_back_view");

  // A visit again keeps the mode and the index.
  Revisit();
  EXPECT_EQ(SendMessageW(Control(IDC_IMAGE_BACK_VIEW), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Text(IDC_IMAGE_INDEX), "12");
}

TEST_F(ImagePage, ImportWriteBackAndExportOnFireRed) {
  Start(Workspace());
  TestDir dir;
  const std::filesystem::path rom = CopyOfRom(dir);
  const std::string original = dir.Read(rom.filename().string());
  Open(rom, kImageTab);
  // Monster 1 has two frames: a 64 × 128 picture, as an indexed PNG with its own palette.
  SetText(IDC_IMAGE_INDEX, "1");
  Click(IDC_IMAGE_SHOW);
  lumak::CBitmapImage png(64, 128, 4);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 64; ++x) png.SetPixelIndex(x, y, Pattern(x, y));
  for (int i = 0; i < 16; ++i) {
    uint8_t* entry = png.GetPalette() + 4 * i;  // blue, green, red
    entry[0] = uint8_t(i * 8), entry[1] = uint8_t(255 - i * 16), entry[2] = uint8_t(i * 16);
  }
  const std::vector<uint8_t> file = png.PngBytes();
  const std::filesystem::path picture = dir.Write("front.png", std::string(file.begin(), file.end()));

  Tick(IDC_IMAGE_NORMAL_IMAGE, true);
  Tick(IDC_IMAGE_NORMAL_PALETTE, true);
  Click(IDC_IMAGE_APPEND);
  Tick(IDC_IMAGE_IN_PLACE, false);
  gui_test::AnswerFileDialog(picture);
  Click(IDC_IMAGE_IMPORT);
  Click(IDC_IMAGE_SAVE);
  std::string now = dir.Read(rom.filename().string());
  const uint32_t front = uint32_t(std::stoul(Text(IDC_IMAGE_PIC_ADDR), nullptr, 16));
  EXPECT_GE(front, original.size()) << "appended";
  const std::vector<uint8_t> tiles = Decoded(now, front);
  ASSERT_EQ(tiles.size(), 4096u);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(TiledPixel(tiles, x, y), Pattern(x, y)) << x << "," << y;
  const std::vector<uint8_t> palette = Decoded(now, uint32_t(std::stoul(Text(IDC_IMAGE_PAL_ADDR), nullptr, 16)));
  EXPECT_EQ(rom::Get16(palette.data() + 2 * 3), uint16_t(48 >> 3 | (207 >> 3) << 5 | (24 >> 3) << 10));

  // The back sprite from a BMP goes into area 1.
  lumak::CBitmapImage bmp(64, 64, 8);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) bmp.SetPixelIndex(x, y, uint8_t(Pattern(y, x) + 16));
  const std::filesystem::path back_file = dir / "back.bmp";
  ASSERT_TRUE(bmp.SaveImage(back_file));
  Tick(IDC_IMAGE_BACK_IMAGE, true);
  EXPECT_FALSE(SendMessageW(Control(IDC_IMAGE_NORMAL_IMAGE), BM_GETCHECK, 0, 0));
  Tick(IDC_IMAGE_NORMAL_PALETTE, false);
  Click(IDC_IMAGE_AREA1);
  gui_test::AnswerFileDialog(back_file);
  Click(IDC_IMAGE_IMPORT);
  Click(IDC_IMAGE_SAVE);
  now = dir.Read(rom.filename().string());
  const uint32_t back = uint32_t(std::stoul(Text(IDC_IMAGE_BACK_ADDR), nullptr, 16));
  EXPECT_GE(back, uint32_t(Setting("BPRJ", "domain1")));
  EXPECT_LT(back, uint32_t(Setting("BPRJ", "domain1end")));
  const std::vector<uint8_t> back_tiles = Decoded(now, back);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(TiledPixel(back_tiles, x, y), Pattern(y, x)) << x << "," << y;

  // The tables reach the ROM with the frame's save.
  Save();
  now = dir.Read(rom.filename().string());
  EXPECT_EQ(Target(now, "BPRJ", "MonsterPics", 1), front);
  EXPECT_EQ(Target(now, "BPRJ", "MonsterBackPics", 1), back);

  // Export of the front image in the normal palette, compared with what the ROM holds.
  Tick(IDC_IMAGE_NORMAL_IMAGE, true);
  Tick(IDC_IMAGE_NORMAL_PALETTE, true);
  const std::filesystem::path exported = dir / "out.bmp";
  gui_test::AnswerFileDialog(exported);
  Click(IDC_IMAGE_EXPORT);
  lumak::CBitmapImage out;
  ASSERT_TRUE(out.LoadImageA(exported));
  EXPECT_EQ(out.GetColorDepth(), 4);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(out.GetPixelIndex(x, y), Pattern(x, y));
  EXPECT_EQ(out.GetPixel(0, 0), png.GetPixel(0, 0) & 0xF8F8F8);

  // Nothing ticked: nothing exported.
  Tick(IDC_IMAGE_NORMAL_IMAGE, false);
  Click(IDC_IMAGE_EXPORT);
  EXPECT_EQ(Status(), "CImage::SaveBitMap 保存する画像を選んでください。");

  // The trainer page's picture: a 64 × 64 bitmap of the monster's first frame.
  auto* page_object = dynamic_cast<CImage*>(TabSystem().page(kImageTab));
  ASSERT_NE(page_object, nullptr);
  HBITMAP bitmap = page_object->GetImage(hwnd(), false, 1);
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 64);
  EXPECT_EQ(info.bmHeight, 64);
  DeleteObject(bitmap);
}

// How long a switch to the next monster takes with the page shown (read, decode, paint), printed
// as a measurement, not a limit.
TEST_F(ImagePage, MonsterSwitchTime) {
  Start(Workspace());
  Open(Rom(), kImageTab);
  constexpr int kSwitches = 40;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kSwitches; ++i) {
    Click(IDC_IMAGE_NEXT);
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // painted as part of the switch
  }
  QueryPerformanceCounter(&end);
  const double ms = double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
  EXPECT_EQ(Text(IDC_IMAGE_INDEX), std::to_string(kSwitches));
  std::printf("[ timing ] sprite page: %.2f ms per monster switch (%d switches)\n", ms / kSwitches, kSwitches);
}

}  // namespace
