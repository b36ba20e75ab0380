// The item page on the demo ROMs: list, fields, apply, rename and save through the frame.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/win/frame_ids.h"
#include "editors/item/item_data.h"
#include "editors/item/win/item_ids.h"
#include "frame_fixture.h"
#include "platform/profile.h"
#include "platform/win/wide.h"

namespace {

using gui_test::Frame;
using gui_test::Workspace;
using platform::win::Narrow;
using platform::win::Wide;

constexpr int kItemTab = 4;

class ItemPage : public Frame {
 protected:
  // Loads `rom` and shows the item tab.
  void Open(const std::filesystem::path& rom) {
    frame_.OpenRom(rom);
    ASSERT_EQ(Status(), "読み込み完了。");
    SendMessageW(hwnd(), WM_APP, kItemTab, 0);
    page = TabSystem().CurrentPageWindow();
    ASSERT_TRUE(page);
  }
  HWND Control(int id) const { return GetDlgItem(page, id); }
  std::string ComboText(int id, int index) const {
    wchar_t text[64] = {};
    SendMessageW(Control(id), CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }
  std::string Selected(int id) const {
    int index = int(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
    return index < 0 ? "" : ComboText(id, index);
  }
  std::string Text(int id) const { return gui_test::Text(Control(id)); }
  void SetText(int id, const char* text) const { SetWindowTextW(Control(id), Wide(text).c_str()); }
  void Select(int id, int index) const {
    SendMessageW(Control(id), CB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(id)));
  }
  void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  long Setting(const char* code, const char* key) const {
    char value[30] = {};
    platform::ReadProfileValue(Workspace() / "Setting.ini", code, key, "", value, sizeof value);
    return std::atol(value);
  }

  HWND page = nullptr;
};

TEST_F(ItemPage, ShowEditRenameAndSaveOnFireRed) {
  Start(Workspace());
  TestDir dir;
  std::filesystem::path rom = CopyOfRom(dir);
  std::string original = dir.Read(rom.filename().string());
  Open(rom);

  long count = Setting("BPRJ", "Item_DataNum");
  uint32_t table = uint32_t(Setting("BPRJ", "Item_Data"));
  ASSERT_EQ(SendMessageW(Control(IDC_ITEM_LIST), CB_GETCOUNT, 0, 0), count);
  EXPECT_EQ(ComboText(IDC_ITEM_LIST, 5), ItemStore().NameEntry(5));
  EXPECT_FALSE(GetWindowLongPtrW(Control(IDC_ITEM_DESCRIPTION), GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(SendMessageW(Control(IDC_ITEM_BATTLE_TYPE), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(ComboText(IDC_ITEM_POCKET, 1), "重要なアイテム");

  // Item 1 is a ball in the demo: pocket 3 of FireRed, battle type 2.
  Select(IDC_ITEM_LIST, 1);
  const uint8_t* item = reinterpret_cast<const uint8_t*>(original.data()) + table + 40;
  EXPECT_EQ(Selected(IDC_ITEM_POCKET), "ボール");
  EXPECT_EQ(Selected(IDC_ITEM_BATTLE_TYPE), "ボール");
  EXPECT_EQ(Text(IDC_ITEM_PRICE), std::to_string(item[12] | item[13] << 8));
  EXPECT_EQ(Text(IDC_ITEM_PARAMETER), std::to_string(item[15]));
  char description[16];
  std::snprintf(description, sizeof description, "0x%X",
                unsigned((item[16] | item[17] << 8 | item[18] << 16 | item[19] << 24) - 0x08000000));
  EXPECT_EQ(Text(IDC_ITEM_DESCRIPTION), description);

  // Edit and apply, then rename.
  SetText(IDC_ITEM_PRICE, "70000");
  SetText(IDC_ITEM_PARAMETER, "12");
  SendMessageW(Control(IDC_ITEM_POCKET), CB_SETCURSEL, 4, 0);
  SendMessageW(Control(IDC_ITEM_BATTLE_TYPE), CB_SETCURSEL, 1, 0);
  Click(IDC_ITEM_APPLY);
  EXPECT_EQ(Status(), "正常終了。");
  SetText(IDC_ITEM_NEW_NAME, "");
  Click(IDC_ITEM_RENAME);
  EXPECT_EQ(Status(), "アイテム名を入力してください。");
  SetText(IDC_ITEM_NEW_NAME, "ABCDEFGHI");
  Click(IDC_ITEM_RENAME);
  EXPECT_EQ(ComboText(IDC_ITEM_LIST, 1), "ABCDEFGH終");
  EXPECT_EQ(SendMessageW(Control(IDC_ITEM_LIST), CB_GETCURSEL, 0, 0), 1);
  gui_test::SaveScreenshot(hwnd(), "item_page");

  // A tab switch and back shows the stored values again.
  SendMessageW(hwnd(), WM_APP, 0, 0);
  SendMessageW(hwnd(), WM_APP, kItemTab, 0);
  page = TabSystem().CurrentPageWindow();
  EXPECT_EQ(Text(IDC_ITEM_PRICE), "4464");

  SendMessageW(hwnd(), WM_COMMAND, IDM_SAVE_ROM, 0);
  EXPECT_EQ(Status(), "保存しました。");
  std::string expected = original;
  size_t at = table + 40;
  expected.replace(at, 9, "\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xFF", 9);
  expected[at + 12] = char(4464 & 0xFF);
  expected[at + 13] = char(4464 >> 8);
  expected[at + 15] = 12;
  expected[at + 22] = 5;
  expected[at + 28] = 1;
  EXPECT_TRUE(dir.Read(rom.filename().string()) == expected) << "only the edited bytes changed";
}

TEST_F(ItemPage, EmeraldHasItsOwnPocketOrder) {
  Start(Workspace());
  Open(Rom("BPEJ"));
  const char* expected[] = {"アイテム", "ボール", "技&秘伝マシン", "木の実", "重要なアイテム"};
  ASSERT_EQ(SendMessageW(Control(IDC_ITEM_POCKET), CB_GETCOUNT, 0, 0), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ComboText(IDC_ITEM_POCKET, i), expected[i]);
  EXPECT_EQ(SendMessageW(Control(IDC_ITEM_LIST), CB_GETCOUNT, 0, 0), Setting("BPEJ", "Item_DataNum"));
}

TEST_F(ItemPage, DisabledWithoutItemData) {
  TestDir dir;
  std::ifstream in(Workspace() / "Setting.ini", std::ios::binary);
  std::stringstream ini;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("Item_Data=", 0) != 0) ini << line << "\n";
  dir.Write("Setting.ini", ini.str());
  Start(dir.path());
  Open(CopyOfRom(dir));
  for (int id : {IDC_ITEM_LIST, IDC_ITEM_APPLY, IDC_ITEM_RENAME, IDC_ITEM_PRICE})
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_EQ(ItemStore().count(), 0);
}

}  // namespace
