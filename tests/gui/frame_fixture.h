#pragma once
// A tessaro main window created in this process, on the demo workspace.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/tab_system.h"
#include "frame/main_frame.h"
#include "gui_helpers.h"
#include "unit/test_dir.h"

namespace gui_test {

// The demo workspace (BPRJ and BPEJ, 4 MiB ROMs), written once per test program.
const std::filesystem::path& Workspace();

// A start-up directory in `dir` with the workspace's name files and its Setting.ini without the
// lines of the keys `dropped`, for a test of missing settings.
const std::filesystem::path& WorkspaceWithout(const TestDir& dir, const std::vector<const char*>& dropped);

// A main window started in a directory (its start-up directory, which holds Setting.ini),
// destroyed again at the end of the test; and the kit for driving its pages: load a ROM, show a
// page's tab, then work its controls the way a user does (every change sends the notification
// the control would).
class PageTest : public testing::Test {
 protected:
  void Start(const std::filesystem::path& dir, int show = SW_SHOWNORMAL);
  void TearDown() override;

  HWND hwnd() const { return frame_.hwnd(); }
  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }
  UINT MenuState(int id) const { return GetMenuState(GetMenu(hwnd()), UINT(id), MF_BYCOMMAND); }
  std::string Status() { return frame_.status().bar.Text(0); }
  std::filesystem::path Rom(const char* code = "BPRJ") const;
  // A copy of a demo ROM in `dir` that the test may change.
  std::filesystem::path CopyOfRom(const TestDir& dir, const char* code = "BPRJ") const;
  // Loads `rom` (expecting "読み込み完了。") and shows tab `tab`.
  void Open(const std::filesystem::path& rom, int tab);
  // Switches to another tab and back, so that the page is filled again from its data.
  void Revisit();
  // Saves through the frame's save command and expects "保存しました。".
  void Save();

  HWND Control(int id) const { return GetDlgItem(page, id); }
  std::string Text(int id) const;
  void SetText(int id, const char* text) const;
  void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  // Combo boxes: the selected entry.
  int ComboSelection(int id) const { return int(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)); }
  // Selects `index` (-1: none) without telling the page, as a list the user has not applied.
  void Choose(int id, int index) const { SendMessageW(Control(id), CB_SETCURSEL, WPARAM(index), 0); }
  // Selects `index` and tells the page, as a user's click in the list does.
  void Select(int id, int index) const;
  // List boxes: the count, the selection; SelectLine tells the page as a click does.
  int ListCount(int id) const { return int(SendMessageW(Control(id), LB_GETCOUNT, 0, 0)); }
  int ListSelection(int id) const { return int(SendMessageW(Control(id), LB_GETCURSEL, 0, 0)); }
  void SelectLine(int id, int index) const;
  // Tab controls: the selected tab, and SelectTab, which tells the page as a click does.
  int TabSelection(int id) const { return int(SendMessageW(Control(id), TCM_GETCURSEL, 0, 0)); }
  void SelectTab(int id, int index) const;
  // The demo workspace's Setting.ini value of `key` in section `code`.
  static long Setting(const char* code, const char* key, const std::filesystem::path& workspace = Workspace());
  // A page's tool window: the top-level window of `class_name` owned by the main window.
  HWND OwnedWindow(const wchar_t* class_name) const;
  // A little-endian 32-bit value of a ROM's bytes.
  static uint32_t RomU32(const std::string& rom, size_t at);

  CMainFrame frame_;
  std::filesystem::path saved_dir_;
  TestDir startup_;
  HWND page = nullptr;
  int tab_ = -1;
};

}  // namespace gui_test
