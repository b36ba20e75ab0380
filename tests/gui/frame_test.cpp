// tessaro's main window, created in this process on a demo workspace.
#include "frame/main_frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include "core/tab_system.h"
#include "core/win/frame_ids.h"
#include "editors/trainer/win/trainer_ids.h"
#include "frame_fixture.h"
#include "gui_helpers.h"
#include "platform/error_text.h"
#include "platform/profile.h"
#include "unit/test_dir.h"

namespace {

using gui_test::AnswerNextDialog;
using gui_test::Frame;
using gui_test::Workspace;
using gui_test::Pump;

RECT ClientRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The window's initial states and layout: the save button and menu item wait for a ROM, the
// buttons sit in a row of 50-pixel cells, and on a resize the tab control fills what the status
// bar leaves.
TEST_F(Frame, WindowMenuButtonsStatusBarAndTabs) {
  Start(Workspace());
  EXPECT_EQ(FindWindowW(nullptr, L"tessaro"), hwnd());
  EXPECT_TRUE(MenuState(IDM_SAVE_ROM) & MF_GRAYED);
  EXPECT_TRUE(MenuState(IDM_TRAINER_PARTY) & MF_GRAYED);
  EXPECT_TRUE(MenuState(IDM_TERMINATOR) & MF_CHECKED);
  EXPECT_TRUE(MenuState(IDM_BEGINNER) & MF_CHECKED) << "promode=0 in the demo Setting.ini";
  EXPECT_FALSE(MenuState(IDM_VIEWNUMBER) & MF_CHECKED);

  struct Button { int id; int x; };
  for (Button b : {Button{IDM_OPEN_ROM, 0}, Button{IDM_SAVE_ROM, 50}, Button{IDM_TEXT_NEW_WINDOW, 250},
                   Button{IDM_TEXT_CLOSE_ALL, 450}}) {
    HWND button = Item(b.id);
    ASSERT_TRUE(button) << b.id;
    RECT r = ClientRect(button);
    EXPECT_EQ(r.left, b.x);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 50);
    EXPECT_EQ(IsWindowEnabled(button) != 0, b.id != IDM_SAVE_ROM);
  }
  EXPECT_EQ(SendMessageW(Item(IDC_STATUS_BAR), SB_GETPARTS, 0, 0), 2);

  HWND tab = Item(IDC_TAB);
  ASSERT_TRUE(tab);
  ASSERT_EQ(TabCtrl_GetItemCount(tab), 10);
  EXPECT_TRUE(IsWindow(TabSystem().CurrentPageWindow()));
  SetWindowPos(hwnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  RECT client, tab_rect = ClientRect(tab);
  GetClientRect(hwnd(), &client);
  EXPECT_EQ(tab_rect.right - tab_rect.left, client.right);
  EXPECT_EQ(tab_rect.bottom - tab_rect.top, client.bottom - frame_.status().bar.Height() - 50);
}

TEST_F(Frame, AboutBoxOpensAndCloses) {
  Start(Workspace());
  AnswerNextDialog([&](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
  SendMessageW(hwnd(), WM_COMMAND, IDM_ABOUT, 0);
  EXPECT_TRUE(gui_test::DialogWasAnswered());
}

TEST_F(Frame, LoadingAndSavingTheDemoRom) {
  Start(Workspace());
  TestDir copy;
  frame_.OpenRom(CopyOfRom(copy));
  EXPECT_EQ(Status(), "読み込み完了。");
  EXPECT_EQ(Progress(), 100);
  EXPECT_STREQ(TabSystem().game_code(), "BPRJ");
  EXPECT_TRUE(IsWindowEnabled(Item(IDM_SAVE_ROM)));
  EXPECT_FALSE(MenuState(IDM_SAVE_ROM) & MF_GRAYED);
  SendMessageW(hwnd(), WM_COMMAND, IDM_SAVE_ROM, 0);
  EXPECT_EQ(Status(), "保存しました。");
}

TEST_F(Frame, TheOpenButtonLoadsTheChosenRom) {
  Start(Workspace());
  std::string title;
  gui_test::AnswerFileDialog(Rom(), &title);
  SendMessageW(Item(IDM_OPEN_ROM), BM_CLICK, 0, 0);
  EXPECT_EQ(title, "ROMを指定してください");
  EXPECT_EQ(Status(), "読み込み完了。");
  EXPECT_TRUE(std::filesystem::equivalent(TabSystem().rom_path(), Rom()));
}

TEST_F(Frame, UnknownGamesLoadEmptyAndShortFilesAreReported) {
  Start(Workspace());
  TestDir dir;
  std::string bytes(0x400, '\0');
  bytes.replace(0xAC, 4, "ZZZZ");
  frame_.OpenRom(dir.Write("unknown.gba", bytes));
  EXPECT_EQ(Status(), "読み込み完了。");
  HWND dialog = FindWindowW(L"#32770", nullptr);
  EXPECT_TRUE(dialog == nullptr || GetParent(dialog) == TabSystem().tab_control()) << "no message box";

  frame_.OpenRom(dir.Write("short.gba", std::string(0xAF, 'x')));
  EXPECT_EQ(Status(), platform::kShortReadText);
  EXPECT_FALSE(IsWindowEnabled(Item(IDM_SAVE_ROM)));
}

TEST_F(Frame, TabSwitchesRecreatePagesAndMessagesSelectTabs) {
  Start(Workspace());
  HWND first = TabSystem().CurrentPageWindow();
  ASSERT_TRUE(IsWindow(first));
  SendMessageW(hwnd(), WM_APP, 3, 0);
  EXPECT_EQ(TabSystem().current_index(), 3);
  EXPECT_EQ(TabCtrl_GetCurSel(Item(IDC_TAB)), 3);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(TabSystem().CurrentPageWindow()));
  SendMessageW(hwnd(), WM_APP, 42, 0);  // no such tab
  EXPECT_EQ(TabSystem().current_index(), 3);

  // The trainer page enables its menu item only while shown and with data (none here).
  SendMessageW(hwnd(), WM_APP, 2, 0);
  EXPECT_TRUE(MenuState(IDM_TRAINER_PARTY) & MF_GRAYED);

  // WM_APP+1 selects in the page's list 1004 as a click would.
  HWND page = TabSystem().CurrentPageWindow();
  HWND list = GetDlgItem(page, IDC_TRAINER_LIST);
  for (const wchar_t* entry : {L"a", L"b", L"c"}) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  SendMessageW(hwnd(), WM_APP + 1, 2, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  // WM_APP+2 without a text editor does nothing.
  SendMessageW(hwnd(), WM_APP + 2, 0, 0x123456);
  EXPECT_EQ(TabSystem().current_index(), 2);
}

TEST_F(Frame, TabKeyCyclesInsideThePage) {
  Start(Workspace());
  HWND page = TabSystem().CurrentPageWindow();
  HWND a = gui_test::MakeChild(page, L"BUTTON", WS_TABSTOP, 0, 0, 50, 20);
  HWND skipped_disabled = gui_test::MakeChild(page, L"BUTTON", WS_TABSTOP | WS_DISABLED, 0, 30, 50, 20);
  HWND skipped_no_stop = gui_test::MakeChild(page, L"BUTTON", 0, 0, 60, 50, 20);
  HWND b = gui_test::MakeChild(page, L"EDIT", WS_TABSTOP, 0, 90, 50, 20);
  (void)skipped_disabled;
  (void)skipped_no_stop;
  auto press_tab = [&](HWND from, bool shift, bool ctrl) {
    BYTE keys[256] = {};
    if (shift) keys[VK_SHIFT] = 0x80;
    if (ctrl) keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SetFocus(from);
    MSG msg = {from, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    frame_.ProcessMessage(msg, nullptr);
    BYTE none[256] = {};
    SetKeyboardState(none);
    return GetFocus();
  };
  EXPECT_EQ(press_tab(a, false, false), b);
  EXPECT_EQ(press_tab(b, false, false), a) << "wraps to the first";
  EXPECT_EQ(press_tab(a, true, false), b) << "Shift+Tab wraps backwards";
  EXPECT_EQ(press_tab(a, false, true), a) << "Ctrl+Tab passes through";
}

TEST_F(Frame, PlacementAndSwitchesSurviveARestart) {
  TestDir dir;
  dir.Write("Setting.ini", "[Tessaro]\r\nWindowX=33\r\nWindowY=44\r\nWindowSizeX=700\r\nWindowSizeY=520\r\n"
                           "ShowCmd=1\r\nviewnumber=1\r\n");
  Start(dir.path());
  RECT r;
  GetWindowRect(hwnd(), &r);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_TRUE(MenuState(IDM_VIEWNUMBER) & MF_CHECKED);
  SendMessageW(hwnd(), WM_COMMAND, IDM_DUPLICATION, 0);
  EXPECT_TRUE(MenuState(IDM_DUPLICATION) & MF_CHECKED);
  SendMessageW(hwnd(), WM_COMMAND, IDM_TERMINATOR, 0);
  EXPECT_FALSE(MenuState(IDM_TERMINATOR) & MF_CHECKED);
  SendMessageW(hwnd(), WM_COMMAND, IDM_TERMINATOR, 0);
  ShowWindow(hwnd(), SW_MINIMIZE);
  Pump(50);
  DestroyWindow(hwnd());
  Pump(20);
  auto value = [&](const char* key) {
    char text[30] = {};
    platform::ReadProfileValue(dir / "Setting.ini", "Tessaro", key, "", text, sizeof text);
    return std::string(text);
  };
  EXPECT_EQ(value("ShowCmd"), "2");
  EXPECT_EQ(value("WindowX"), "33") << "the last normal position stays";
  EXPECT_EQ(value("viewnumber"), "1");
  EXPECT_EQ(value("duplication"), "1");
}

TEST_F(Frame, DroppedFilesOpenLikeTheOpenDialog) {
  Start(Workspace());
  std::wstring path = Rom().wstring();
  size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  wcscpy(reinterpret_cast<wchar_t*>(drop + 1), path.c_str());
  GlobalUnlock(memory);
  SendMessageW(hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  EXPECT_EQ(Status(), "読み込み完了。");
  EXPECT_EQ(TabSystem().rom_path(), Rom());
}

}  // namespace
