// The item page's rules: showing, applying with the suite's clamping, renaming, the passes.
#include "editors/item/item_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/item/item_layout.h"
#include "platform/error_text.h"
#include "text/shared_tables.h"
#include "unit/editors/rules_on_rom.h"

namespace {

namespace L = item_layout;
using Bytes = std::vector<uint8_t>;

text::CRecordTable& Items() { return text::SharedTables().items; }

class ItemRules : public RulesOnRom<CItemRules> {
 protected:
  void SetUp() override {
    RulesOnRom::SetUp();
    std::string bytes(64 + 3 * 40 + 16, '\x11');
    // Item 1: price 1200, parameter 20, description at 0x3E1A2C, pocket 2, battle type 1.
    std::string item(40, '\x22');
    item.replace(0, 9, "\xBB\xBC\xFF\x00\x00\x00\x00\x00\x00", 9);
    item[12] = char(1200 & 0xFF), item[13] = char(1200 >> 8), item[15] = 20;
    item.replace(16, 4, "\x2C\x1A\x3E\x08", 4);
    item[22] = 2, item[28] = 1;
    bytes.replace(64 + 40, 40, item);
    Setup(bytes, "Item_Data=64\r\nItem_DataNum=3\r\n");
    ASSERT_TRUE(Read());
    rules.set_current(1);
  }
  uint8_t* Record(int index) { return Items().record(index); }
};

TEST_F(ItemRules, ShowingAnItem) {
  auto view = rules.Show();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->battle_type, 1);
  EXPECT_EQ(view->pocket, 1);
  EXPECT_STREQ(PocketNames("BPRJ")[size_t(view->pocket)], "重要なアイテム");
  EXPECT_STREQ(PocketNames("BPEJ")[size_t(view->pocket)], "ボール");
  EXPECT_EQ(view->price, "1200");
  EXPECT_EQ(view->parameter, "20");
  EXPECT_EQ(view->description, "0x3E1A2C");
  for (int index : {-1, 3}) {
    rules.set_current(index);
    EXPECT_FALSE(rules.Show()) << index;
  }
}

TEST_F(ItemRules, StoredValuesOutsideTheListsShowNoSelection) {
  struct Case {
    uint8_t pocket, battle;
    int shown_pocket, shown_battle;
  };
  for (Case c : {Case{0, 0, -1, 0}, Case{1, 2, 0, 2}, Case{5, 3, 4, -1}, Case{6, 0xFF, -1, -1}}) {
    Record(1)[L::kPocket] = c.pocket;
    Record(1)[L::kBattleUse] = c.battle;
    auto view = rules.Show();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->pocket, c.shown_pocket) << int(c.pocket);
    EXPECT_EQ(view->battle_type, c.shown_battle) << int(c.battle);
  }
}

TEST_F(ItemRules, ApplyingClampsTypedValuesAndKeepsUnchosenLists) {
  struct Case {
    ItemInput input;
    int battle, pocket, price, parameter;
    const char* status;
  };
  const Case cases[] = {
      {{2, 4, "65535", "255"}, 2, 5, 65535, 255, kStatusDone},
      {{0, 0, "0", "0"}, 0, 1, 0, 0, kStatusDone},
      {{-1, -1, "70000", "300"}, 0, 1, 65535, 255, kStatusReplaced},
      {{3, 5, "-5", "12"}, 0, 1, 0, 12, kStatusReplaced},
      {{1, 2, "", "abc"}, 1, 3, 0, 0, kStatusReplaced},
  };
  Bytes before(Record(1), Record(1) + 40);
  for (const Case& c : cases) {
    auto status = rules.Apply(c.input);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, c.status) << c.input.price;
    const uint8_t* item = Record(1);
    EXPECT_EQ(item[L::kBattleUse], c.battle) << c.input.price;
    EXPECT_EQ(item[L::kPocket], c.pocket) << c.input.price;
    EXPECT_EQ(rom::Get16(item + L::kPrice), c.price) << c.input.price;
    EXPECT_EQ(item[L::kParameter], c.parameter) << c.input.price;
  }
  Bytes after(Record(1), Record(1) + 40);
  for (size_t i : {size_t(L::kPrice), L::kPrice + 1, size_t(L::kParameter), size_t(L::kPocket), size_t(L::kBattleUse)})
    after[i] = before[i];
  EXPECT_EQ(after, before) << "the description and the unknown bytes stay";
  rules.set_current(3);
  EXPECT_FALSE(rules.Apply({0, 0, "1", "1"})) << "no item shown: nothing applied";
}

TEST_F(ItemRules, RenamingKeepsEightCharactersAndTheRestOfTheRecord) {
  Bytes before(Record(1), Record(1) + 40);
  auto renamed = rules.Rename("ABCDEFGHI");
  ASSERT_TRUE(renamed.stored);
  EXPECT_EQ(renamed.status, "");
  EXPECT_EQ(Bytes(Record(1), Record(1) + 9), (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xFF}));
  EXPECT_EQ(Bytes(Record(1) + 9, Record(1) + 40), Bytes(before.begin() + 9, before.end()));
  EXPECT_EQ(renamed.entry, "ABCDEFGH終");

  ASSERT_TRUE(rules.Rename("AB").stored);
  EXPECT_EQ(Bytes(Record(1), Record(1) + 9), (Bytes{0xBB, 0xBC, 0xFF, 0, 0, 0, 0, 0, 0}));
  text::SharedTables().switches.duplication = true;
  EXPECT_EQ(rules.Rename("AB").entry.rfind("001:AB終", 0), 0u);
  EXPECT_EQ(rules.Rename("").status, "アイテム名を入力してください。");
  rules.set_current(-1);
  EXPECT_FALSE(rules.Rename("AB").stored);
}

// The item name's width in the list; the switches are checked in name_tables_test.
TEST_F(ItemRules, ListLines) {
  EXPECT_EQ(Items().Entry(1), "AB終　　　　　　");
  EXPECT_EQ(Items().Entry(0), "ちちちちちちちちち");
}

TEST_F(ItemRules, SavingWritesTheWholeTableAtItsOffset) {
  rules.Apply({0, 0, "5", "6"});
  const std::string saved = Save();
  EXPECT_EQ(saved.substr(0, 64), std::string(64, '\x11'));
  EXPECT_EQ(uint8_t(saved[64 + 40 + 12]), 5);
  EXPECT_EQ(saved.substr(64 + 120), std::string(16, '\x11'));
}

}  // namespace
