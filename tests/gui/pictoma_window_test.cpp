// pictoma's window in this process, on a copy of the demo ROM: its controls, the drawing, the
// exchange files, saving into the ROM and every failure it reports; and the program's start-up.
#include "imagetool/win/pictoma_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/file.h"

#include <cstdio>
#include <string>
#include <vector>

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "demo/pictures.h"
#include "frame_fixture.h"
#include "gui_helpers.h"
#include "imagetool/gba_colour.h"
#include "platform/win/wide.h"
#include "toolkit/win/unique_handle.h"
#include "unit/test_dir.h"

namespace {

using gui_test::AnswerNextDialog;
using gui_test::Pump;
using platform::win::Narrow;
using platform::win::Wide;
using W = CPictomaWindow;

std::wstring Hex(uint32_t value) {
  wchar_t text[16];
  wsprintfW(text, L"%X", value);
  return text;
}

const demo::Highlights& Demo() {
  static const demo::Highlights highlights =
      demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1).highlights;
  return highlights;
}

class PictomaWindow : public testing::Test {
 protected:
  void SetUp() override {
    rom = dir / "rom.gba";
    std::filesystem::copy_file(gui_test::Workspace() / demo::FindGame("BPRJ")->file_name, rom);
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOW, 820, 640));
    Pump(30);
  }
  void TearDown() override {
    if (window.hwnd()) DestroyWindow(window.hwnd());
    Pump(20);
  }
  HWND Item(int id) const { return GetDlgItem(window.hwnd(), id); }
  void Set(int id, const std::wstring& text) const { SetWindowTextW(Item(id), text.c_str()); }
  void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  std::string Status() const { return window.StatusText(); }
  // Answers the next message boxes, one button each, and keeps their texts and titles; the
  // last ones are in box_text and box_title.
  void AnswerBoxes(std::vector<int> buttons) {
    box_texts.clear();
    box_text.clear();
    box_title.clear();
    AnswerNext(std::move(buttons));
  }
  void AnswerBox(int button) { AnswerBoxes({button}); }
  void AnswerNext(std::vector<int> buttons) {
    if (buttons.empty()) return;
    AnswerNextDialog([this, buttons](HWND box) {
      box_text = gui_test::Text(GetDlgItem(box, 0xFFFF));
      box_texts.push_back(box_text);
      wchar_t title[64] = {};
      GetWindowTextW(box, title, 64);
      box_title = Narrow(title);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttons[0], BN_CLICKED), 0);
      AnswerNext(std::vector<int>(buttons.begin() + 1, buttons.end()));
    });
  }
  // The demo sprite (species 25, two frames) and its palette, eight tiles a row.
  void LoadDemo() {
    Set(W::kIdPath, rom.wstring());
    Set(W::kIdImageOffset, Hex(Demo().image));
    Set(W::kIdPaletteOffset, Hex(Demo().palette));
    Set(W::kIdTilesPerRow, L"8");
    Click(W::kIdLoad);
    ASSERT_EQ(window.image().pixel_count(), 8192u) << Status();
    Click(W::kIdPalLoad);
    ASSERT_EQ(Status().find("6CImage"), std::string::npos) << Status();
    UpdateWindow(window.hwnd());
    Pump(50);
  }

  TestDir dir;
  std::filesystem::path rom;
  W window;
  std::string box_text, box_title;
  std::vector<std::string> box_texts;
};

// Fourteen rows share the height above the status bar; each control sits on its row.
TEST_F(PictomaWindow, ControlsSitOnTheirRows) {
  RECT client;
  GetClientRect(window.hwnd(), &client);
  RECT bar;
  GetWindowRect(Item(W::kIdStatus), &bar);
  const int row = (client.bottom - (bar.bottom - bar.top)) / 14;
  EXPECT_EQ(window.row(), row);
  struct Expect {
    int id;
    int x, row, width;
  };
  const Expect kControls[] = {
      {W::kIdPath, 0, 0, client.right - 100}, {W::kIdOpen, client.right - 100, 0, 100},
      {W::kIdLoad, 100, 1, 100},              {W::kIdPalLoad, 100, 3, 100},
      {W::kIdTilesPerRow, 0, 7, 200},         {W::kIdSaveTileBitmap, 0, 12, 200},
  };
  for (const Expect& e : kControls) {
    RECT r;
    GetWindowRect(Item(e.id), &r);
    MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, e.x) << e.id;
    EXPECT_EQ(r.top, e.row * row) << e.id;
    EXPECT_EQ(r.right - r.left, e.width) << e.id;
    EXPECT_EQ(r.bottom - r.top, 20) << e.id;
  }
  EXPECT_FALSE(IsWindowEnabled(Item(W::kIdPath)));
  EXPECT_EQ(SendMessageW(Item(W::kIdColours), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(Item(W::kIdColours), CB_GETCURSEL, 0, 0), 0);
}

TEST_F(PictomaWindow, DrawsTheDemoSpriteInItsPalette) {
  LoadDemo();
  const demo::CCanvas picture = demo::MonsterPicture(25, 2, false);
  const auto& palette = window.image().palette();
  // What the window shows below the palette swatches: the sprite, 8 tiles a row. (The drawing
  // itself is checked natively in tile_image_test.)
  toolkit::win::CWindowDC dc(window.hwnd());
  for (int y = 0; y < picture.height(); y += 5) {
    for (int x = 0; x < picture.width(); x += 3) {
      ASSERT_EQ(GetPixel(dc.get(), W::kDrawX + x, W::kDrawY + 32 + y), COLORREF(palette[picture.At(x, y)]))
          << x << "," << y;
    }
  }
  EXPECT_EQ(Status().rfind("アドレス0x", 0), 0u) << Status();
  gui_test::SaveScreenshot(window.hwnd(), "pictoma");
}

TEST_F(PictomaWindow, ExportsImportsSavesAndReloads) {
  LoadDemo();
  const std::vector<uint8_t> pixels = window.image().pixels();
  const auto palette = window.image().palette();

  window.SaveBitmap(dir / "sprite.bmp");
  EXPECT_EQ(Status(), "正常終了。");
  window.SaveBitmap(dir / "sprite.png");
  EXPECT_EQ(Status(), "正常終了。");
  window.SaveBinary(dir / "sprite.bin");
  window.SaveTileBitmap(dir / "tiles.bmp");
  EXPECT_EQ(dir.Read("sprite.bin").size(), 4096u);

  // PNG in, then the tile bitmap, each giving the same tiles and colours.
  window.image().SetPixels({}, false);
  window.OpenBitmap(dir / "sprite.png");
  EXPECT_EQ(Status(), "正常終了。");
  EXPECT_EQ(window.image().pixels(), pixels);
  EXPECT_EQ(window.image().palette(), palette);
  window.image().SetPixels({}, false);
  window.OpenTileBitmap(dir / "tiles.bmp");
  EXPECT_EQ(window.image().pixels(), pixels);
  window.OpenBitmap(dir / "sprite.bmp");
  EXPECT_EQ(window.image().pixels(), pixels);

  // Appended: padded, written, the offset in the status bar; loaded again from there.
  const std::string before = dir.Read("rom.gba");
  Set(W::kIdImageOffset, L"0");
  AnswerBoxes({IDYES, IDOK});
  platform::FailNthFileOperation(1);
  Click(W::kIdSaveImage);
  platform::FailNthFileOperation(0);
  EXPECT_EQ(box_text, "書き込みに失敗しました。");
  EXPECT_NE(Status().find(platform::InjectedFailureText()), std::string::npos) << Status();
  EXPECT_TRUE(dir.Read("rom.gba") == before);
  AnswerBox(IDYES);
  Click(W::kIdSaveImage);
  EXPECT_EQ(box_text, "アドレス0に保存してもよろしいですか？");
  EXPECT_EQ(box_title, "注意");
  const uint32_t at = uint32_t(before.size() + 3) / 4 * 4;
  char expected[128];
  std::snprintf(expected, sizeof expected, "ファイルの最後、アドレス0x%Xに", at);
  EXPECT_EQ(Status().rfind(expected, 0), 0u) << Status();
  window.image().SetPixels({}, false);
  Set(W::kIdImageOffset, Hex(at));
  Click(W::kIdLoad);
  EXPECT_EQ(window.image().pixels(), pixels);

  // In place at the sprite's own offset, with the palette beside it; No writes nothing.
  const std::string appended = dir.Read("rom.gba");
  Set(W::kIdImageOffset, Hex(Demo().image));
  AnswerBox(IDNO);
  Click(W::kIdSaveImage);
  EXPECT_EQ(dir.Read("rom.gba"), appended);
  AnswerBox(IDYES);
  Click(W::kIdSaveImage);
  std::snprintf(expected, sizeof expected, "アドレス0x%Xに", Demo().image);
  EXPECT_EQ(Status().rfind(expected, 0), 0u) << Status();
  AnswerBox(IDYES);
  Click(W::kIdSavePalette);
  // The same encoder made the demo's streams: the ROM is as it was.
  EXPECT_EQ(dir.Read("rom.gba"), appended);
  window.image().SetPixels({}, false);
  window.image().palette().fill(0);
  Click(W::kIdLoad);
  Click(W::kIdPalLoad);
  EXPECT_EQ(window.image().pixels(), pixels);
  EXPECT_EQ(window.image().palette(), palette);
}

TEST_F(PictomaWindow, EveryFailureIsShown) {
  LoadDemo();
  const std::vector<uint8_t> pixels = window.image().pixels();

  // A ROM that is not there.
  Set(W::kIdPath, (dir / "gone.gba").wstring());
  Click(W::kIdLoad);
  EXPECT_EQ(Status().rfind("6CImage::LoadImageA を実行中にエラーが発生しました。", 0), 0u) << Status();
  EXPECT_GT(Status().size(), std::string("6CImage::LoadImageA を実行中にエラーが発生しました。").size());
  Click(W::kIdPalLoad);
  EXPECT_EQ(Status().rfind("6CImage::LoadPalette を実行中にエラーが発生しました。", 0), 0u) << Status();
  EXPECT_EQ(window.image().pixels(), pixels) << "a failed load keeps the image";
  AnswerBoxes({IDYES, IDOK});
  Click(W::kIdSaveImage);
  Pump(200);
  ASSERT_EQ(box_texts.size(), 2u);
  EXPECT_EQ(box_texts[0], "アドレス" + Narrow(Hex(Demo().image)) + "に保存してもよろしいですか？");
  EXPECT_EQ(box_text, "書き込みに失敗しました。");
  EXPECT_EQ(box_title, "");
  EXPECT_EQ(Status().rfind("6CImage::WriteImage を実行中にエラーが発生しました。", 0), 0u) << Status();
  AnswerBox(IDYES);
  Click(W::kIdSavePalette);
  EXPECT_EQ(Status().rfind("6CImage::WritePalette を実行中にエラーが発生しました。", 0), 0u) << Status();
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.gba"));

  // A palette offset that holds no stream (a box), and one past the end.
  Set(W::kIdPath, rom.wstring());
  Set(W::kIdPaletteOffset, L"AC");
  AnswerBox(IDOK);
  Click(W::kIdPalLoad);
  EXPECT_EQ(box_text, "パレットの圧縮データが見つかりませんでした。");
  EXPECT_EQ(box_title, "Error!");
  EXPECT_EQ(Status(), "6CImage::LoadPalette パレットの圧縮データが見つかりませんでした。(アドレス0xAC)");
  AnswerBox(IDYES);
  Set(W::kIdPaletteOffset, L"7FFFFFF");
  Click(W::kIdSavePalette);
  EXPECT_EQ(Status(), "6CImage::WritePalette アドレス0x7FFFFFFはファイルの外です。");

  // Exchange files that do not fit.
  window.OpenBitmap(dir / "none.bmp");
  EXPECT_EQ(Status().rfind("6CImage::openbitmap を実行中にエラーが発生しました。", 0), 0u) << Status();
  window.OpenTileBitmap(rom);
  EXPECT_EQ(Status(), "6CImage::opentilebitmap BMPかPNGの画像として読み込めませんでした。");
  SendMessageW(Item(W::kIdColours), CB_SETCURSEL, 3, 0);
  Click(W::kIdLoad);
  window.SaveTileBitmap(dir / "t.bmp");
  EXPECT_EQ(Status(), "6CImage::savetilebitmap タイルビットマップにできるのは16色の画像だけです。");
}

TEST_F(PictomaWindow, TheOpenButtonsGoThroughTheirDialogs) {
  LoadDemo();
  window.SaveBitmap(dir / "pick.png");
  const std::vector<uint8_t> pixels = window.image().pixels();
  window.image().SetPixels({}, false);
  // Clicks `button` and picks `file` in the dialog it opens; the dialog's title.
  auto pick = [&](int button, const std::filesystem::path& file) {
    std::string title;
    gui_test::AnswerFileDialog(file, &title);
    Click(button);
    return title;
  };
  EXPECT_EQ(pick(W::kIdOpenBitmap, dir / "pick.png"), "ビットマップを選択してください");
  EXPECT_EQ(window.image().pixels(), pixels);
  Set(W::kIdPath, L"");
  EXPECT_EQ(pick(W::kIdOpen, rom), "ROMを指定してください");
  EXPECT_EQ(std::filesystem::path(gui_test::Text(Item(W::kIdPath))), rom);
}

TEST_F(PictomaWindow, TilesPerRowFollowTheEdit) {
  LoadDemo();
  Set(W::kIdTilesPerRow, L"16");
  EXPECT_EQ(window.image().tilex(), 16);
  Set(W::kIdTilesPerRow, L"0");
  EXPECT_EQ(window.image().tilex(), 1);
}

TEST_F(PictomaWindow, ColourCountsAndRawPalettes) {
  LoadDemo();
  // 48 colours: the sprite's bytes become 8-bit pixels, and PALRAW reads 96 raw bytes.
  SendMessageW(Item(W::kIdColours), CB_SETCURSEL, 1, 0);
  Click(W::kIdLoad);
  EXPECT_TRUE(window.image().eight_bit());
  EXPECT_EQ(window.image().pixel_count(), 4096u);
  SendMessageW(Item(W::kIdPalRaw), BM_SETCHECK, BST_CHECKED, 0);
  Click(W::kIdPalLoad);
  EXPECT_EQ(Status(), "正常終了。");
  const std::string bytes = dir.Read("rom.gba").substr(Demo().palette, 96);
  auto colour = [&](size_t i) {
    return imagetool::Bgr555ToColorref(uint16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8));
  };
  EXPECT_EQ(window.image().palette()[0], colour(0));
  EXPECT_EQ(window.image().palette()[47], colour(47));
  EXPECT_EQ(window.image().palette()[48], 0u);

  // Raw palettes are saved raw: 96 bytes, appended at offset 0.
  const std::string before = dir.Read("rom.gba");
  Set(W::kIdPaletteOffset, L"0");
  AnswerBox(IDYES);
  Click(W::kIdSavePalette);
  const std::string after = dir.Read("rom.gba");
  const size_t at = (before.size() + 3) / 4 * 4;
  ASSERT_EQ(after.size(), at + 96) << Status();
  for (size_t i = 0; i < 48; ++i) {
    const uint16_t c = uint16_t(uint8_t(after[at + 2 * i]) | uint8_t(after[at + 2 * i + 1]) << 8);
    EXPECT_EQ(imagetool::Bgr555ToColorref(c), colour(i)) << i;
  }
}

}  // namespace
