// The tool windows in this process, on copies of the demo workspace's files: glyfen's font, the
// tile map of tilvane and the sprites of pictoma, driven through their buttons and dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/demo_rom.h"
#include "demo/pictures.h"
#include "demo/workspace.h"
#include "fontedit/win/font_window.h"
#include "frame_fixture.h"
#include "imagetool/win/pictoma_window.h"
#include "platform/file.h"
#include "tileconv/win/tile_window.h"

namespace {

using gui_test::AnswerFileDialog;
using gui_test::AnswerNextDialog;
using gui_test::PressButton;

const demo::Highlights& Demo() {
  static const demo::Highlights highlights =
      demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1).highlights;
  return highlights;
}

std::wstring Hex(uint32_t value) {
  wchar_t text[16];
  wsprintfW(text, L"%X", value);
  return text;
}

void Command(HWND window, int id) {
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// A copy of the demo FireRed ROM in `dir`.
std::filesystem::path RomIn(const TestDir& dir) {
  const std::filesystem::path rom = dir / "rom.gba";
  std::filesystem::copy_file(gui_test::Workspace() / demo::FindGame("BPRJ")->file_name, rom);
  return rom;
}

// The font block read, exported, drawn on elsewhere, imported and saved: only the drawn bytes
// change; a failed write is reported and leaves the ROM.
TEST(Glyfen, FontInAndOutThroughTheButtons) {
  TestDir dir;
  const std::filesystem::path rom = RomIn(dir);
  const std::string before = dir.Read("rom.gba");
  fontedit::win::CFontWindow window;
  window.ends_loop = false;
  ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOW, window.Spec()));
  HWND hwnd = window.hwnd();
  SetDlgItemTextW(hwnd, window.kIdOffset, (L"0x" + Hex(Demo().font)).c_str());
  AnswerFileDialog(rom);
  Command(hwnd, window.kIdOpen);
  EXPECT_EQ(window.StatusText(), "ok 17920/0");
  gui_test::SaveScreenshot(hwnd, "glyfen");
  AnswerFileDialog(dir / "sheet.bmp");
  Command(hwnd, window.kIdSaveBitmap);
  lumak::CBitmapImage sheet;
  ASSERT_TRUE(sheet.LoadImageA(dir / "sheet.bmp"));
  for (int x = 0; x < 8; ++x) sheet.SetPixelIndex(x, 0, 3);  // tile 0, row 0 all black
  ASSERT_TRUE(sheet.SaveImage(dir / "drawn.bmp"));
  AnswerFileDialog(dir / "drawn.bmp");
  Command(hwnd, window.kIdLoadBitmap);

  AnswerFileDialog(rom);
  platform::FailNthFileOperation(1);
  Command(hwnd, window.kIdSave);
  platform::FailNthFileOperation(0);
  EXPECT_NE(window.StatusText().find(platform::InjectedFailureText()), std::string::npos) << window.StatusText();
  EXPECT_TRUE(dir.Read("rom.gba") == before);
  AnswerFileDialog(rom);
  Command(hwnd, window.kIdSave);
  std::string expected = before;
  expected[Demo().font] = expected[Demo().font + 1] = '\xFF';
  EXPECT_TRUE(dir.Read("rom.gba") == expected);
  DestroyWindow(hwnd);
}

// The map shown as it is drawn; a click and a drag with the pen paint two cells; a right click
// on the zoomed map takes a cell's tile; the saved map holds the paint.
TEST(Tilvane, ShowPaintZoomAndSave) {
  using tileconv::win::CTileWindow;
  const auto& workspace = gui_test::Workspace();
  CTileWindow window;
  window.ends_loop = false;
  ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, CTileWindow::Spec()));
  HWND hwnd = window.hwnd();
  SetWindowPos(hwnd, nullptr, 0, 0, 1000, 800, SWP_NOZORDER | SWP_NOMOVE);
  AnswerFileDialog(workspace / "tilemap.bmp");
  Command(hwnd, CTileWindow::kIdDefOpen);
  AnswerFileDialog(workspace / "tileset.bmp");
  Command(hwnd, CTileWindow::kIdOpen);
  UpdateWindow(hwnd);
  const POINT origin = window.MapOrigin();
  HDC dc = GetDC(hwnd);
  for (auto [x, y] : {std::pair{0, 0}, {37, 11}, {128, 96}, {255, 191}})
    EXPECT_EQ(GetPixel(dc, origin.x + x, origin.y + y), window.map_image().GetPixel(x, y) & 0xFFFFFF) << x << "," << y;
  ReleaseDC(hwnd, dc);
  gui_test::SaveScreenshot(hwnd, "tilvane");

  auto cell = [&](int cx, int cy) {
    const int size = 8 * window.painter().zoom;
    return MAKELPARAM(window.MapOrigin().x + cx * size + size / 2, window.MapOrigin().y + cy * size + size / 2);
  };
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(CTileWindow::kLeft + 5 * 8 + 2, 3));  // tile 5 of the set
  SetWindowTextW(GetDlgItem(hwnd, CTileWindow::kIdPalette), L"9");
  for (int box : {CTileWindow::kIdAddPen, CTileWindow::kIdHFlip}) {  // the pen, tiles flipped
    SendDlgItemMessageW(hwnd, box, BM_SETCHECK, BST_CHECKED, 0);
    Command(hwnd, box);
  }
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, cell(2, 3));
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, cell(3, 3));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, cell(3, 3));
  Command(hwnd, CTileWindow::kIdZoomIn);
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, cell(3, 3));
  EXPECT_EQ(window.painter().current, 6) << "a right click on the zoomed map takes the cell's tile";

  TestDir dir;
  AnswerFileDialog(dir / "saved.bmp");
  Command(hwnd, CTileWindow::kIdSave);
  tileconv::CConverter model, saved;
  std::string error;
  ASSERT_GE(model.LoadDef(workspace / "tilemap.bmp", error), 0);
  ASSERT_GE(saved.LoadDef(dir / "saved.bmp", error), 0);
  model.Setbase(2, 3, 5, true, false, 9);
  model.Setbase(3, 3, 6, true, false, 9);
  ASSERT_EQ(saved.entries().size(), model.entries().size());
  for (size_t i = 0; i < model.entries().size(); ++i)
    EXPECT_EQ(tileconv::PackEntry(saved.entries()[i]), tileconv::PackEntry(model.entries()[i])) << i;
  DestroyWindow(hwnd);

  // A definition that cannot be written (here: no map yet) is said so.
  CTileWindow empty;
  empty.ends_loop = false;
  ASSERT_TRUE(empty.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, CTileWindow::Spec()));
  std::string failure;
  gui_test::AnswerInTurn({gui_test::ChooseFile(dir / "empty.bmp"), PressButton(IDOK, &failure)});
  Command(empty.hwnd(), CTileWindow::kIdSave2);
  EXPECT_EQ(failure, "保存に失敗しました。");
  EXPECT_FALSE(std::filesystem::exists(dir / "empty.bmp"));
  DestroyWindow(empty.hwnd());
}

class Pictoma : public testing::Test {
 protected:
  using W = CPictomaWindow;
  // The demo sprite (species 25, two frames) and its palette, eight tiles a row.
  void SetUp() override {
    rom = RomIn(dir);
    toolkit::win::AppSpec spec = W::Spec();
    spec.width = 820;
    spec.height = 640;
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOW, spec));
    Set(W::kIdPath, rom.wstring());
    Set(W::kIdImageOffset, Hex(Demo().image));
    Set(W::kIdPaletteOffset, Hex(Demo().palette));
    Set(W::kIdTilesPerRow, L"8");
    Click(W::kIdLoad);
    ASSERT_EQ(window.image().pixel_count(), 8192u) << window.StatusText();
    Click(W::kIdPalLoad);
    UpdateWindow(window.hwnd());
    gui_test::Pump(50);
  }
  void TearDown() override { DestroyWindow(window.hwnd()); }
  HWND Item(int id) const { return GetDlgItem(window.hwnd(), id); }
  void Set(int id, const std::wstring& text) const { SetWindowTextW(Item(id), text.c_str()); }
  void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }

  TestDir dir;
  std::filesystem::path rom;
  W window;
};

// What the window shows below the palette swatches: the sprite in its palette.
TEST_F(Pictoma, DrawsTheSpriteAndFollowsTheTilesPerRow) {
  const demo::CCanvas picture = demo::MonsterPicture(25, 2, false);
  toolkit::win::CWindowDC dc(window.hwnd());
  for (int y = 0; y < picture.height(); y += 7)
    for (int x = 0; x < picture.width(); x += 5)
      ASSERT_EQ(GetPixel(dc.get(), W::kDrawX + x, W::kDrawY + 32 + y), COLORREF(window.image().palette()[picture.At(x, y)]))
          << x << "," << y;
  gui_test::SaveScreenshot(window.hwnd(), "pictoma");
  Set(W::kIdTilesPerRow, L"16");
  EXPECT_EQ(window.image().tilex(), 16);
}

// Appending asks first; a failed write is shown in a box and leaves the ROM; the open buttons
// take their files from their dialogs.
TEST_F(Pictoma, SavesAskShowFailuresAndOpenThroughDialogs) {
  const std::vector<uint8_t> pixels = window.image().pixels();
  const std::string before = dir.Read("rom.gba");
  Set(W::kIdImageOffset, L"0");
  std::string question, failure;
  gui_test::AnswerInTurn({PressButton(IDYES, &question), PressButton(IDOK, &failure)});
  platform::FailNthFileOperation(1);
  Click(W::kIdSaveImage);
  platform::FailNthFileOperation(0);
  EXPECT_EQ(question, "アドレス0に保存してもよろしいですか？");
  EXPECT_EQ(failure, "書き込みに失敗しました。");
  EXPECT_NE(window.StatusText().find(platform::InjectedFailureText()), std::string::npos) << window.StatusText();
  EXPECT_TRUE(dir.Read("rom.gba") == before);
  AnswerNextDialog(PressButton(IDYES));
  Click(W::kIdSaveImage);
  EXPECT_EQ(window.StatusText().rfind("ファイルの最後、アドレス0x", 0), 0u) << window.StatusText();
  EXPECT_GT(dir.Read("rom.gba").size(), before.size());

  window.SaveBitmap(dir / "pick.png");
  window.image().SetPixels({}, false);
  std::string title;
  AnswerFileDialog(dir / "pick.png", &title);
  Click(W::kIdOpenBitmap);
  EXPECT_EQ(title, "ビットマップを選択してください");
  EXPECT_EQ(window.image().pixels(), pixels);
  Set(W::kIdPath, L"");
  AnswerFileDialog(rom);
  Click(W::kIdOpen);
  EXPECT_EQ(std::filesystem::path(gui_test::Text(Item(W::kIdPath))), rom);
}

}  // namespace
