// The erasing status bar on a real status bar control.
#include "toolkit/win/staus_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>


#include "gui_helpers.h"
#include "platform/error_text.h"
#include "platform/win/wide.h"

namespace {

using gui_test::Pump;
using toolkit::win::CStausWnd;

std::string PartText(HWND bar, int part) {
  wchar_t text[1100] = {};
  SendMessageW(bar, SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text));
  return platform::win::Narrow(text);
}

class StausWnd : public testing::Test {
 protected:
  void SetUp() override {
    host = gui_test::MakeHost(0, 0, 400, 300);
    bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, host.get(),
                          nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(bar);
    original_proc = GetWindowLongPtrW(bar, GWLP_WNDPROC);
    status.Create(bar);
  }

  toolkit::win::UniqueWindow host;
  HWND bar = nullptr;
  LONG_PTR original_proc = 0;
  CStausWnd status;
};

// Pumps messages until part 0 shows `text`; the milliseconds that took, or -1 after 10 s.
long WaitForText(HWND bar, const std::string& text) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 10000) {
    if (PartText(bar, 0) == text) return long(GetTickCount() - start);
    Pump(10);
  }
  return -1;
}

TEST_F(StausWnd, MessagesShowAndClearAfterTheLastOne) {
  DWORD first = GetTickCount();
  status.Set_Status_Window_Text(0, "%s %d", "読み込み完了。", 5);
  EXPECT_EQ(PartText(bar, 0), "読み込み完了。 5");
  EXPECT_TRUE(status.erase_pending());
  Pump(700);
  ASSERT_EQ(PartText(bar, 0), "読み込み完了。 5") << "too slow a machine to time this";
  DWORD second = GetTickCount();
  status.Set_Status_Window_Text(0, "second");
  long erased_after = WaitForText(bar, " ");
  ASSERT_GE(erased_after, 0) << "never erased";
  // The timer restarted with the second message: the text goes 1.5 s after it, not after the
  // first one (timers never fire early; a slow machine only makes them late).
  EXPECT_GE(long(GetTickCount() - second), 1500 - 20);
  EXPECT_GE(long(GetTickCount() - first), 2200 - 20);
  EXPECT_FALSE(status.erase_pending());
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-extra-args"
TEST_F(StausWnd, OverlongFormatsAreIgnored) {
  status.Set_Status_Window_Text(0, "kept");
  std::string format(1000, 'x');
  status.Set_Status_Window_Text(0, format.c_str(), 0);
  EXPECT_EQ(PartText(bar, 0), "kept");
  std::string longest(999, 'y');
  status.Set_Status_Window_Text(0, longest.c_str(), 0);
  EXPECT_EQ(PartText(bar, 0), longest);
}
#pragma GCC diagnostic pop

TEST_F(StausWnd, SystemErrorTextsPartsAndUnsubclassing) {
  char buffer[256];
  SetLastError(ERROR_FILE_NOT_FOUND);
  std::string expected = platform::SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(std::string(status.ShowLastErrorText(buffer, sizeof buffer)), expected);
  SetLastError(ERROR_FILE_NOT_FOUND);
  status.ShowLastError();
  EXPECT_EQ(PartText(bar, 0), expected);

  int edges[2] = {100, -1};
  status.SetPart(edges, 2);
  EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 2);
  status.ResizeWindow(MAKELONG(400, 22));
  EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 1);
  EXPECT_GT(status.GetHeight(), 0);

  EXPECT_NE(GetWindowLongPtrW(bar, GWLP_WNDPROC), original_proc);
  status.Destroy();
  EXPECT_EQ(GetWindowLongPtrW(bar, GWLP_WNDPROC), original_proc);
}

}  // namespace
