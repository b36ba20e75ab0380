// The 編集 menu and Ctrl+Z / Ctrl+Y on two pages: a store and a direct write taken back and made
// again, the record shown on its page, the menu naming what it undoes; Ctrl+Z in a text box
// stays the box's own.
#include <gtest/gtest.h>

#include <string>

#include "core/edit_history.h"
#include "core/win/frame_ids.h"
#include "editors/move/win/move_ids.h"
#include "editors/trainer/trainer_rules.h"
#include "editors/trainer/win/trainer_ids.h"
#include "frame_fixture.h"
#include "platform/win/wide.h"

namespace {

using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kTrainerTab = 2, kMoveTab = 3;

class EditMenu : public PageTest {
 protected:
  // Ctrl+<key> pressed in `window`, through the frame's message loop.
  void Press(char key, HWND window) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg = {window, WM_KEYDOWN, WPARAM(key), 0, 0, {0, 0}};
    frame_.ProcessMessage(msg, LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_TESSARO)));
    BYTE none[256] = {};
    SetKeyboardState(none);
  }
  // The menu item's text as the 編集 menu shows it when it opens.
  std::string MenuText(int id) {
    SendMessageW(hwnd(), WM_INITMENUPOPUP, 0, 0);
    wchar_t text[128] = {};
    GetMenuStringW(GetMenu(hwnd()), UINT(id), text, 128, MF_BYCOMMAND);
    return platform::win::Narrow(text);
  }
};

TEST_F(EditMenu, StoresAndDirectWritesAreTakenBackAndMadeAgain) {
  Start(Workspace());
  TestDir dir;
  const std::filesystem::path rom = CopyOfRom(dir);
  const std::string original = dir.Read(rom.filename().string());
  Open(rom, kTrainerTab);
  EXPECT_EQ(MenuText(IDM_UNDO), "元に戻す(&U)\tCtrl+Z");
  EXPECT_TRUE(MenuState(IDM_UNDO) & MF_GRAYED);

  // A store on the trainer page, then one on the move page.
  SendMessageW(Control(IDC_TRAINER_LIST), LB_SETCURSEL, 0x1A, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_TRAINER_LIST, LBN_SELCHANGE), LPARAM(Control(IDC_TRAINER_LIST)));
  SetText(IDC_TRAINER_MUSIC, "77");
  Click(IDC_TRAINER_STORE);
  EXPECT_EQ(MenuText(IDM_UNDO), "元に戻す(&U): トレーナー 0x1A のトレーナーデータ設定\tCtrl+Z");
  Open(rom, kMoveTab);  // loading again starts a new history
  EXPECT_FALSE(EditHistory().CanUndo());
  SetText(IDC_MOVE_POWER, "99");
  Click(IDC_MOVE_APPLY);
  TabSystem().SelectTab(kTrainerTab);

  // Ctrl+Z in a text box is the box's own; elsewhere it takes the store back, on its page.
  page = TabSystem().CurrentPageWindow();
  Press('Z', Control(IDC_TRAINER_MUSIC));
  EXPECT_TRUE(EditHistory().CanUndo());
  Press('Z', page);
  EXPECT_EQ(TabSystem().current_index(), kMoveTab);
  page = TabSystem().CurrentPageWindow();
  EXPECT_NE(Text(IDC_MOVE_POWER), "99");
  EXPECT_EQ(Status().rfind(kUndoneText, 0), 0u) << Status();
  EXPECT_EQ(MenuText(IDM_REDO), "やり直し(&R): 技 0x0 の設定\tCtrl+Y");
  Press('Y', page);
  EXPECT_EQ(Text(IDC_MOVE_POWER), "99");

  // A direct write: the party goes into the file; the menu item takes it out again.
  Open(rom, kTrainerTab);
  Click(IDC_PARTY_SAVE);
  ASSERT_EQ(Status(), kPartySavedText);
  SendMessageW(hwnd(), WM_COMMAND, IDM_UNDO, 0);
  EXPECT_TRUE(dir.Read(rom.filename().string()) == original);
  SendMessageW(hwnd(), WM_COMMAND, IDM_REDO, 0);
  EXPECT_EQ(Status().rfind(kRedoneText, 0), 0u) << Status();

  // The open menu, for the eye.
  SetTimer(hwnd(), 1, 300, [](HWND frame, UINT, UINT_PTR id, DWORD) {
    KillTimer(frame, id);
    if (HWND menu = FindWindowW(L"#32768", nullptr)) gui_test::SaveScreenshot(menu, "edit_menu");
    gui_test::SaveScreenshot(frame, "edit_menu_frame");
    EndMenu();
  });
  SendMessageW(hwnd(), WM_SYSCOMMAND, SC_KEYMENU, 'e');
}

}  // namespace
