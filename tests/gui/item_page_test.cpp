// The item page on the demo ROMs: list, fields, apply, rename and save through the frame.
#include <gtest/gtest.h>

#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/item/item_layout.h"
#include "editors/item/win/item_ids.h"
#include "frame_fixture.h"
#include "text/shared_tables.h"

namespace {

namespace L = item_layout;
using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kItemTab = 4;

class ItemPage : public PageTest {};

TEST_F(ItemPage, ShowEditRenameAndSaveOnFireRed) {
  Start(Workspace());
  TestDir dir;
  std::filesystem::path rom = CopyOfRom(dir);
  std::string original = dir.Read(rom.filename().string());
  Open(rom, kItemTab);

  ASSERT_EQ(ComboCount(IDC_ITEM_LIST), Setting("BPRJ", "Item_DataNum"));
  EXPECT_EQ(ComboText(IDC_ITEM_LIST, 5), text::SharedTables().items.Entry(5));
  EXPECT_FALSE(GetWindowLongPtrW(Control(IDC_ITEM_DESCRIPTION), GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(ComboCount(IDC_ITEM_BATTLE_TYPE), 3);
  EXPECT_EQ(ComboText(IDC_ITEM_POCKET, 1), "重要なアイテム");

  // Item 1 is a ball in the demo: pocket 3 of FireRed, battle type 2.
  Select(IDC_ITEM_LIST, 1);
  size_t at = size_t(Setting("BPRJ", "Item_Data")) + L::kSize;
  const uint8_t* item = reinterpret_cast<const uint8_t*>(original.data()) + at;
  EXPECT_EQ(Selected(IDC_ITEM_POCKET), "ボール");
  EXPECT_EQ(Selected(IDC_ITEM_BATTLE_TYPE), "ボール");
  EXPECT_EQ(Text(IDC_ITEM_PRICE), std::to_string(rom::Get16(item + L::kPrice)));
  EXPECT_EQ(Text(IDC_ITEM_PARAMETER), std::to_string(item[L::kParameter]));
  char description[16];
  std::snprintf(description, sizeof description, "0x%X", rom::Get32(item + L::kDescription) - kGbaBase);
  EXPECT_EQ(Text(IDC_ITEM_DESCRIPTION), description);

  // A price beyond 16 bits is clamped and said so; the fields show what was stored.
  SetText(IDC_ITEM_PRICE, "70000");
  SetText(IDC_ITEM_PARAMETER, "12");
  Choose(IDC_ITEM_POCKET, 4);
  Choose(IDC_ITEM_BATTLE_TYPE, 1);
  Click(IDC_ITEM_APPLY);
  EXPECT_EQ(Status(), kStatusReplaced);
  EXPECT_EQ(Text(IDC_ITEM_PRICE), "65535");
  SetText(IDC_ITEM_PRICE, "300");
  Click(IDC_ITEM_APPLY);
  EXPECT_EQ(Status(), kStatusDone);

  SetText(IDC_ITEM_NEW_NAME, "");
  Click(IDC_ITEM_RENAME);
  EXPECT_EQ(Status(), "アイテム名を入力してください。");
  SetText(IDC_ITEM_NEW_NAME, "ABCDEFGHI");
  Click(IDC_ITEM_RENAME);
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(ComboText(IDC_ITEM_LIST, 1), "ABCDEFGH終");
  EXPECT_EQ(ComboSelection(IDC_ITEM_LIST), 1);
  gui_test::SaveScreenshot(hwnd(), "item_page");

  // Item 2 with no pocket chosen keeps its pocket byte.
  Select(IDC_ITEM_LIST, 2);
  Choose(IDC_ITEM_POCKET, -1);
  Click(IDC_ITEM_APPLY);

  Revisit();
  Select(IDC_ITEM_LIST, 1);
  EXPECT_EQ(Text(IDC_ITEM_PRICE), "300");

  Save();
  std::string expected = original;
  expected.replace(at, 9, "\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xFF", 9);
  expected[at + L::kPrice] = char(300 & 0xFF);
  expected[at + L::kPrice + 1] = char(300 >> 8);
  expected[at + L::kParameter] = 12;
  expected[at + L::kPocket] = 5;
  expected[at + L::kBattleUse] = 1;
  EXPECT_TRUE(dir.Read(rom.filename().string()) == expected) << "only the edited bytes changed";
}

TEST_F(ItemPage, EmeraldHasItsOwnPocketOrder) {
  Start(Workspace());
  Open(Rom("BPEJ"), kItemTab);
  EXPECT_EQ(ComboText(IDC_ITEM_POCKET, 1), "ボール");
}

// A Setting.ini without the item table disables the page's controls. (A count that cannot fit
// the ROM is reported by the running program in programs_test.)
TEST_F(ItemPage, WithoutTheItemTableThePageIsDisabled) {
  TestDir dir;
  Start(gui_test::WorkspaceWithout(dir, {"Item_Data"}));
  Open(CopyOfRom(dir), kItemTab);
  for (int id : {IDC_ITEM_LIST, IDC_ITEM_APPLY, IDC_ITEM_RENAME, IDC_ITEM_PRICE})
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_EQ(text::SharedTables().items.count(), 0);
}

}  // namespace
