// Japanese text crosses into the W APIs intact, whatever the system's code page.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win/wide.h"
#include "toolkit/win/unique_handle.h"

namespace {

using platform::win::Narrow;
using platform::win::Wide;

TEST(WideBoundary, WindowTextShowsShiftJisLiteralsAsJapanese) {
  toolkit::win::UniqueWindow edit(CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 200, 20, nullptr,
                                                  nullptr, GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(edit);
  ASSERT_TRUE(SetWindowTextW(edit.get(), Wide("読み込み完了。").c_str()));
  wchar_t text[64] = {};
  GetWindowTextW(edit.get(), text, 64);
  EXPECT_STREQ(text, L"読み込み完了。");
  EXPECT_EQ(Narrow(text), "読み込み完了。");
}

}  // namespace
