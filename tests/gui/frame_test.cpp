// tessaro's main window created in this process: what waits for a ROM, the ways a ROM is
// opened, the keyboard, and the 編集, patch and table menus.
#include "frame/main_frame.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "core/edit_history.h"
#include "core/win/frame_ids.h"
#include "editors/monster/win/monster_ids.h"
#include "editors/move/win/move_ids.h"
#include "editors/trainer/trainer_rules.h"
#include "editors/trainer/win/trainer_ids.h"
#include "frame_fixture.h"
#include "platform/error_text.h"
#include "platform/win/wide.h"

namespace {

using gui_test::AnswerInTurn;
using gui_test::ChooseFile;
using gui_test::PageTest;
using gui_test::PressButton;
using gui_test::Workspace;

class Frame : public PageTest {
 protected:
  // `key` (with `modifier` held) pressed in `window`, through the frame's message loop; where the
  // focus is then.
  HWND Press(WPARAM key, HWND window, BYTE modifier = VK_CONTROL) {
    BYTE keys[256] = {};
    if (modifier) keys[modifier] = 0x80;
    SetKeyboardState(keys);
    SetFocus(window);
    MSG msg = {window, WM_KEYDOWN, key, 0, 0, {0, 0}};
    frame_.ProcessMessage(msg, LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_TESSARO)));
    keys[modifier] = 0;
    SetKeyboardState(keys);
    return GetFocus();
  }
  // A menu item's text as its menu shows it when it opens.
  std::string MenuText(int id) {
    SendMessageW(hwnd(), WM_INITMENUPOPUP, 0, 0);
    wchar_t text[128] = {};
    GetMenuStringW(GetMenu(hwnd()), UINT(id), text, 128, MF_BYCOMMAND);
    return platform::win::Narrow(text);
  }
};

// A page's dialog is made once and hidden while another tab is shown: its menu item is on only
// while its tab is shown, its messages still reach it, and a ROM opened meanwhile shows when the
// tab comes back.
TEST_F(Frame, HiddenPagesKeepTheirDialogsAndTheirOwnMessages) {
  Start(Workspace());
  Open(Rom("BPRJ"), 2);
  const HWND trainers = page;
  EXPECT_FALSE(MenuState(IDM_TRAINER_PARTY) & MF_GRAYED);
  SendMessageW(hwnd(), WM_APP, 4, 0);
  EXPECT_TRUE(MenuState(IDM_TRAINER_PARTY) & MF_GRAYED);
  EXPECT_TRUE(IsWindow(trainers) && !IsWindowVisible(trainers));
  EXPECT_NE(TabSystem().CurrentPageWindow(), trainers);
  // A list click sent to the hidden trainer dialog is the trainer page's, not the item page's.
  SendDlgItemMessageW(trainers, IDC_TRAINER_LIST, LB_SETCURSEL, 3, 0);
  SendMessageW(trainers, WM_COMMAND, MAKEWPARAM(IDC_TRAINER_LIST, LBN_SELCHANGE),
               LPARAM(GetDlgItem(trainers, IDC_TRAINER_LIST)));
  auto& rules = dynamic_cast<CPageAdapter<CTrainerRules>&>(*TabSystem().page(2)).rules();
  EXPECT_EQ(rules.current(), 3);
  // Another game's ROM, opened while the item page is shown, fills the trainer page's dialog
  // when its tab comes back.
  frame_.OpenRom(Rom("BPEJ"));
  SendMessageW(hwnd(), WM_APP, 2, 0);
  EXPECT_EQ(TabSystem().CurrentPageWindow(), trainers);
  EXPECT_TRUE(IsWindowVisible(trainers));
  wchar_t name[64] = {};
  GetDlgItemTextW(trainers, IDC_TRAINER_NAME, name, 64);
  EXPECT_EQ(platform::win::Narrow(name), rules.ShowTrainer()->name);
}

// Saving waits for a ROM; the open button's dialog loads one; a file too short for a header is
// reported and leaves saving off.
TEST_F(Frame, OpenButtonAndWhatWaitsForARom) {
  Start(Workspace());
  EXPECT_TRUE(MenuState(IDM_SAVE_ROM) & MF_GRAYED);
  EXPECT_FALSE(IsWindowEnabled(Item(IDM_SAVE_ROM)));
  EXPECT_TRUE(MenuState(IDM_TRAINER_PARTY) & MF_GRAYED);
  EXPECT_TRUE(MenuState(IDM_BEGINNER) & MF_CHECKED) << "promode=0 in the demo Setting.ini";
  std::string title;
  gui_test::AnswerFileDialog(Rom(), &title);
  SendMessageW(Item(IDM_OPEN_ROM), BM_CLICK, 0, 0);
  EXPECT_EQ(title, "ROMを指定してください");
  EXPECT_EQ(Status(), "読み込み完了。");
  EXPECT_FALSE(MenuState(IDM_SAVE_ROM) & MF_GRAYED);
  EXPECT_TRUE(IsWindowEnabled(Item(IDM_SAVE_ROM)));

  TestDir dir;
  frame_.OpenRom(dir.Write("short.gba", std::string(0xAF, 'x')));
  EXPECT_EQ(Status(), platform::kShortReadText);
  EXPECT_FALSE(IsWindowEnabled(Item(IDM_SAVE_ROM)));

  // A file dropped on the window opens like the dialog's choice.
  const std::wstring path = Rom().wstring();
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  wcscpy(reinterpret_cast<wchar_t*>(drop + 1), path.c_str());
  GlobalUnlock(memory);
  SendMessageW(hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  EXPECT_EQ(Status(), "読み込み完了。");
  EXPECT_EQ(TabSystem().rom_path(), Rom());
}

// Tab moves the focus inside the page, wrapping both ways; Ctrl+Tab is left to the frame.
TEST_F(Frame, TabKeyCyclesInsideThePage) {
  Start(Workspace());
  page = TabSystem().CurrentPageWindow();
  HWND a = gui_test::MakeChild(page, L"BUTTON", WS_TABSTOP, 0, 0, 50, 20);
  gui_test::MakeChild(page, L"BUTTON", WS_TABSTOP | WS_DISABLED, 0, 30, 50, 20);
  HWND b = gui_test::MakeChild(page, L"EDIT", WS_TABSTOP, 0, 90, 50, 20);
  EXPECT_EQ(Press(VK_TAB, a, 0), b);
  EXPECT_EQ(Press(VK_TAB, b, 0), a);
  EXPECT_EQ(Press(VK_TAB, a, VK_SHIFT), b);
  EXPECT_EQ(Press(VK_TAB, a, VK_CONTROL), a);
}

// A store is taken back by Ctrl+Z (not in a text box) and made again by Ctrl+Y, on its page,
// the menu naming it; a direct write is taken back in the file.
TEST_F(Frame, EditMenuUndoesAndRedoes) {
  Start(Workspace());
  TestDir dir;
  const std::filesystem::path rom = CopyOfRom(dir);
  const std::string original = dir.Read(rom.filename().string());
  Open(rom, 3);
  EXPECT_TRUE(MenuState(IDM_UNDO) & MF_GRAYED);
  SetText(IDC_MOVE_POWER, "99");
  Click(IDC_MOVE_APPLY);
  EXPECT_EQ(MenuText(IDM_UNDO), "元に戻す(&U): 技 0x0 の設定\tCtrl+Z");
  TabSystem().SelectTab(2);
  Press('Z', GetDlgItem(TabSystem().CurrentPageWindow(), IDC_TRAINER_MUSIC));
  EXPECT_TRUE(EditHistory().CanUndo()) << "Ctrl+Z in a text box is the box's own";
  Press('Z', TabSystem().CurrentPageWindow());
  EXPECT_EQ(TabSystem().current_index(), 3);
  page = TabSystem().CurrentPageWindow();
  EXPECT_NE(Text(IDC_MOVE_POWER), "99");
  EXPECT_EQ(Status().rfind(kUndoneText, 0), 0u) << Status();
  Press('Y', page);
  EXPECT_EQ(Text(IDC_MOVE_POWER), "99");

  Open(rom, 2);
  Click(IDC_PARTY_SAVE);
  ASSERT_EQ(Status(), kPartySavedText);
  SendMessageW(hwnd(), WM_COMMAND, IDM_UNDO, 0);
  EXPECT_TRUE(dir.Read(rom.filename().string()) == original);
}

// A patch of the ROM as saved (after the question about the file changed behind the pages),
// then applied to a fresh copy, which is opened.
TEST_F(Frame, PatchMenuMakesAndAppliesAPatch) {
  Start(Workspace());
  TestDir dir;
  const std::filesystem::path original = CopyOfRom(dir), hack = dir / "hack.gba";
  std::filesystem::copy_file(original, hack);
  frame_.OpenRom(hack);
  std::string bytes = dir.Read("hack.gba");
  bytes[size_t(Setting("BPRJ", "MonsterBaseStats_Pos") + 29)] ^= 0x33;
  dir.Write("hack.gba", bytes);
  AnswerInTurn({PressButton(IDNO), ChooseFile(original), ChooseFile(dir / "hack.bps")});
  SendMessageW(hwnd(), WM_COMMAND, IDM_MAKE_PATCH, 0);
  EXPECT_EQ(gui_test::AnsweredInTurn(), 3u);
  EXPECT_EQ(Status().rfind("パッチを作成しました(BPS、", 0), 0u) << Status();

  frame_.OpenRom(original);
  AnswerInTurn({ChooseFile(dir / "hack.bps"), ChooseFile(dir / "patched.gba"), PressButton(IDYES)});
  SendMessageW(hwnd(), WM_COMMAND, IDM_APPLY_PATCH, 0);
  EXPECT_EQ(gui_test::AnsweredInTurn(), 3u);
  EXPECT_TRUE(std::filesystem::equivalent(TabSystem().rom_path(), dir / "patched.gba"));
  EXPECT_EQ(dir.Read("patched.gba"), bytes);
}

// The table chosen in its dialog goes out to a file and comes back into the page's copy; a bad
// file's problems are listed in a box.
TEST_F(Frame, TableMenuExportsAndImportsThePagesTable) {
  Start(Workspace());
  TestDir dir;
  Open(CopyOfRom(dir), 0);
  auto choose_table = [](HWND choice) {
    SendDlgItemMessageW(choice, IDC_TABLE_LIST, LB_SETCURSEL, 0, 0);
    PostMessageW(choice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  AnswerInTurn({choose_table, ChooseFile(dir / "monsters.csv")});
  SendMessageW(hwnd(), WM_COMMAND, IDM_TABLE_EXPORT, 0);
  std::string csv = dir.Read("monsters.csv");
  ASSERT_EQ(csv.rfind("\xEF\xBB\xBFindex,name,hp,", 0), 0u) << Status();
  // Species 0's HP, the third cell of line 2, becomes 201 or 202.
  const size_t hp = csv.find(',', csv.find(',', csv.find("\r\n") + 2) + 1) + 1;
  const std::string old_hp = csv.substr(hp, csv.find(',', hp) - hp), new_hp = old_hp == "201" ? "202" : "201";
  dir.Write("monsters.csv", csv.replace(hp, old_hp.size(), new_hp));
  AnswerInTurn({choose_table, ChooseFile(dir / "monsters.csv")});
  SendMessageW(hwnd(), WM_COMMAND, IDM_TABLE_IMPORT, 0);
  EXPECT_EQ(Text(IDC_MONSTER_HP), new_hp) << Status();

  dir.Write("bad.csv", "index,hp\r\n0,300\r\n");
  std::string box;
  AnswerInTurn({choose_table, ChooseFile(dir / "bad.csv"), PressButton(IDOK, &box)});
  SendMessageW(hwnd(), WM_COMMAND, IDM_TABLE_IMPORT, 0);
  EXPECT_NE(box.find("bad.csv:2:3: hp: 300 is outside 0-255"), std::string::npos) << box;
  EXPECT_EQ(Text(IDC_MONSTER_HP), new_hp);
}

}  // namespace
