// glyfen's window in this process on a copy of the demo ROM: the font block in and out through
// the buttons and their file dialogs.
#include "fontedit/win/font_window.h"

#include <gtest/gtest.h>

#include "demo/demo_rom.h"
#include "demo/games.h"
#include "demo/workspace.h"
#include "frame_fixture.h"
#include "gui_helpers.h"
#include "platform/file.h"
#include "platform/win/wide.h"
#include "unit/test_dir.h"

namespace {

using fontedit::win::CFontWindow;
using gui_test::AnswerFileDialog;

void Click(HWND window, int id) {
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void SetOffset(HWND window, const char* text) {
  SetWindowTextW(GetDlgItem(window, CFontWindow::kIdOffset), platform::win::Wide(text).c_str());
}

// Load the demo font, export the sheet, draw on it elsewhere, import it, save it into the ROM:
// only the drawn pixels' bytes change. Then an offset refused before any dialog opens.
TEST(Glyfen, RoundTripThroughBitmapAndRefusals) {
  const demo::GameSpec& game = *demo::FindGame("BPRJ");
  const uint32_t font = demo::BuildDemoRom(game, demo::kMinimumRomSize, 1).highlights.font;
  TestDir dir;
  const auto rom = dir / "rom.gba";
  std::filesystem::copy_file(gui_test::Workspace() / game.file_name, rom);
  const std::string before = dir.Read("rom.gba");
  ASSERT_GT(before.size(), font + fontedit::kBlockSize);

  CFontWindow window;
  window.ends_loop = false;
  ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOW));
  HWND hwnd = window.hwnd();
  char offset[32];
  wsprintfA(offset, "0x%X", font);
  SetOffset(hwnd, offset);
  AnswerFileDialog(rom);
  Click(hwnd, CFontWindow::kIdOpen);
  EXPECT_EQ(window.StatusText(), "ok 17920/0");
  EXPECT_EQ(std::string(window.font().block().begin(), window.font().block().end()),
            before.substr(font, fontedit::kBlockSize));
  gui_test::SaveScreenshot(hwnd, "glyfen");

  AnswerFileDialog(dir / "sheet.bmp");
  Click(hwnd, CFontWindow::kIdSaveBitmap);
  EXPECT_EQ(window.StatusText(), "ok");
  lumak::CBitmapImage sheet;
  ASSERT_TRUE(sheet.LoadImageA(dir / "sheet.bmp"));
  for (int x = 0; x < 8; ++x) sheet.SetPixelIndex(x, 0, 3);  // tile 0, row 0 all black
  ASSERT_TRUE(sheet.SaveImage(dir / "drawn.bmp"));
  AnswerFileDialog(dir / "drawn.bmp");
  Click(hwnd, CFontWindow::kIdLoadBitmap);
  EXPECT_EQ(window.font().GetPixelIndex(0, 0), 3);

  // A write that fails leaves the ROM as it was and says why.
  AnswerFileDialog(rom);
  platform::FailNthFileOperation(1);
  Click(hwnd, CFontWindow::kIdSave);
  platform::FailNthFileOperation(0);
  EXPECT_NE(window.StatusText().find(platform::InjectedFailureText()), std::string::npos) << window.StatusText();
  EXPECT_TRUE(dir.Read("rom.gba") == before);
  AnswerFileDialog(rom);  // exists: the replace question is answered yes
  Click(hwnd, CFontWindow::kIdSave);
  std::string after = dir.Read("rom.gba");
  ASSERT_EQ(after.size(), before.size());
  std::string expected = before;
  expected[font] = expected[font + 1] = '\xFF';
  EXPECT_EQ(after, expected);

  // An empty or unreadable offset is refused before any dialog opens.
  for (const char* text : {"", "0x12zz"}) {
    SetOffset(hwnd, text);
    Click(hwnd, CFontWindow::kIdSave);
    EXPECT_EQ(window.StatusText(), fontedit::kOffsetRefused) << text;
  }
  EXPECT_EQ(dir.Read("rom.gba"), expected);
  DestroyWindow(hwnd);
}

}  // namespace
