// The control wrapper on real controls, and the name lists filled into them.
#include "toolkit/win/zozar_wnd.h"

#include <gtest/gtest.h>

#include <string>

#include "gui_helpers.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

namespace {

using gui_test::MakeChild;
using gui_test::MakeHost;
using toolkit::win::CZozarWnd;

POINT ClientPosition(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  POINT p{rect.left, rect.top};
  MapWindowPoints(nullptr, GetParent(child), &p, 1);
  return p;
}

TEST(ZozarWnd, MoveAndResizeKeepWhatMinusOneNames) {
  auto host = MakeHost(120, 90, 400, 300);
  HWND edit = MakeChild(host.get(), L"EDIT", WS_BORDER, 10, 20, 100, 24);
  CZozarWnd wrapper(edit);
  wrapper.MoveWindow(50, -1);
  EXPECT_EQ(ClientPosition(edit).x, 50);
  EXPECT_EQ(ClientPosition(edit).y, 20);
  wrapper.MoveWindow(-1, 70);
  EXPECT_EQ(ClientPosition(edit).x, 50);
  EXPECT_EQ(ClientPosition(edit).y, 70);
  wrapper.MoveWindow(-1, -1);
  EXPECT_EQ(ClientPosition(edit).x, 50);
  EXPECT_EQ(ClientPosition(edit).y, 70);

  wrapper.ResizeWindow(-1, 40);
  RECT rect;
  GetWindowRect(edit, &rect);
  EXPECT_EQ(rect.right - rect.left, 100);
  EXPECT_EQ(rect.bottom - rect.top, 40);
  EXPECT_EQ(ClientPosition(edit).x, 50);
}

TEST(ZozarWnd, TextsAndValues) {
  auto host = MakeHost(0, 0, 300, 200);
  CZozarWnd edit(MakeChild(host.get(), L"EDIT", 0, 0, 0, 200, 20));
  edit.EditValueToText(-1234, nullptr);
  EXPECT_EQ(edit.GetText(), "-1234");
  EXPECT_EQ(edit.EditTextToValue(), -1234);
  edit.EditValueToText(255, "%04lX");
  EXPECT_EQ(edit.GetText(), "00FF");
  edit.SWText("12abc");
  EXPECT_EQ(edit.EditTextToValue(), 12);
  edit.SWTextF("%s:%03d", "ピカ", 7);
  EXPECT_EQ(edit.GetText(), "ピカ:007");
  char small[4];
  EXPECT_EQ(edit.GetText(small, sizeof small), 3);
  EXPECT_STREQ(small, "\x83s\x83");

  CZozarWnd none;
  none.SWText("x");
  none.MoveWindow(1, 1);
  none.SetFont("default", 12);
  EXPECT_EQ(none.EditTextToValue(), 0);
  EXPECT_FALSE(none.GetChk());
  EXPECT_EQ(none.GetText(), "");
}

TEST(ZozarWnd, FontsAreOwnedByTheWrapperThatMadeThem) {
  auto host = MakeHost(0, 0, 300, 200);
  HWND edit = MakeChild(host.get(), L"EDIT", 0, 0, 0, 200, 20);
  HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HFONT made = nullptr;
  {
    CZozarWnd wrapper(edit);
    wrapper.SetFont("default", 30);
    EXPECT_FALSE(wrapper.owns_font());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), stock);

    wrapper.SetFont("ＭＳ ゴシック", 14);
    made = wrapper.font();
    EXPECT_TRUE(wrapper.owns_font());
    EXPECT_NE(made, stock);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), made);
    {
      CZozarWnd copy = wrapper;
      EXPECT_EQ(copy.font(), made);
      EXPECT_FALSE(copy.owns_font());
    }
    EXPECT_EQ(GetObjectType(made), DWORD(OBJ_FONT)) << "a copy must not free the font";

    // A face name no font can have leaves the control with the stock font.
    wrapper.SetFont("A face name far longer than any LOGFONT holds", 14);
    EXPECT_FALSE(wrapper.owns_font());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), stock);
    EXPECT_EQ(GetObjectType(made), 0u) << "the replaced font is freed";

    wrapper.SetFont("Tahoma", 12);
    made = wrapper.font();
  }
  EXPECT_EQ(GetObjectType(made), 0u) << "the wrapper frees its font";
}

TEST(NameLists, FillersAndRenamesOnComboAndListBoxes) {
  auto host = MakeHost(0, 0, 300, 300);
  HWND combo = MakeChild(host.get(), L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 200, 200);
  {
    text::win::CComboBoxList combo_list(combo);
    text::FillTypeList(combo_list);
  }
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 18);
  wchar_t entry[64] = {};

  text::win::ReplaceComboEntry(combo, 3, "どく");
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 18);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 3);
  SendMessageW(combo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(entry, L"どく");

  HWND list = MakeChild(host.get(), L"LISTBOX", WS_VSCROLL, 0, 100, 200, 150);
  text::CSharedTables& tables = text::SharedTables();
  tables.Reset();
  tables.species.StoreName(1, "フシギダネ");
  {
    text::win::CListBoxList list_list(list);
    tables.species.FillList(list_list);
  }
  tables.Reset();
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 412);
  SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(entry, L"フシギダネ終");
}

}  // namespace
