#pragma once
// A tessaro main window created in this process, on the demo workspace.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/tab_system.h"
#include "core/win/main_frame.h"
#include "core/win/status_bar.h"
#include "gui_helpers.h"
#include "unit/test_dir.h"

namespace gui_test {

// The demo workspace (BPRJ and BPEJ, 4 MiB ROMs), written once per test program.
const std::filesystem::path& Workspace();

// A main window started in a directory (its start-up directory, which holds Setting.ini),
// destroyed again at the end of the test.
class Frame : public testing::Test {
 protected:
  void Start(const std::filesystem::path& dir, int show = SW_SHOWNORMAL);
  void TearDown() override;

  HWND hwnd() const { return frame_.hwnd(); }
  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }
  UINT MenuState(int id) const { return GetMenuState(GetMenu(hwnd()), UINT(id), MF_BYCOMMAND); }
  std::string Status() const { return StatusBar().Text(0); }
  int Progress() const { return int(SendMessageW(StatusBar().progress_bar(), PBM_GETPOS, 0, 0)); }
  std::filesystem::path Rom(const char* code = "BPRJ") const;
  // A copy of a demo ROM in `dir` that the test may change.
  std::filesystem::path CopyOfRom(const TestDir& dir, const char* code = "BPRJ") const;

  CMainFrame frame_;
  std::filesystem::path saved_dir_;
  TestDir startup_;
};

}  // namespace gui_test
