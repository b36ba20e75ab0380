// The item page's rules and its load and save passes.
#include "editors/item/item_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error_text.h"
#include "unit/test_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ItemRules : public testing::Test {
 protected:
  void SetUp() override {
    text::Switches() = {};
    ini = dir.Write("Setting.ini", "[BPRJ]\r\nItem_Data=64\r\nItem_DataNum=3\r\n");
    std::string rom(64 + 3 * 40 + 16, '\x11');
    // Item 1: price 1200, parameter 20, description at 0x3E1A2C, pocket 2, battle type 1.
    std::string item(40, '\x22');
    item.replace(0, 9, "\xBB\xBC\xFF\x00\x00\x00\x00\x00\x00", 9);
    item[12] = char(1200 & 0xFF), item[13] = char(1200 >> 8), item[15] = 20;
    item.replace(16, 4, "\x2C\x1A\x3E\x08", 4);
    item[22] = 2, item[28] = 1;
    rom.replace(64 + 40, 40, item);
    rom_path = dir.Write("rom.gba", rom);
    data.Init();
    data.LoadSetting(ini, "BPRJ");
    platform::CFile file;
    ASSERT_TRUE(file.Open(rom_path, platform::OpenMode::kReadExisting));
    std::string error;
    ASSERT_TRUE(data.RomRead(file, error)) << error;
    data.set_current(1);
  }
  void TearDown() override {
    data.FreeData();
    text::Switches() = {};
  }
  Bytes Record(int index) const {
    const uint8_t* r = ItemStore().record(index);
    return Bytes(r, r + 40);
  }

  TestDir dir;
  std::filesystem::path ini, rom_path;
  CItemPageData data;
};

TEST_F(ItemRules, ShowingAnItem) {
  ItemView view;
  ASSERT_TRUE(data.Show(view));
  EXPECT_EQ(view.battle_type, 1);
  EXPECT_EQ(view.pocket, 1);
  EXPECT_STREQ(PocketNames("BPRJ")[size_t(view.pocket)], "重要なアイテム");
  EXPECT_STREQ(PocketNames("BPEJ")[size_t(view.pocket)], "ボール");
  EXPECT_EQ(view.price, "1200");
  EXPECT_EQ(view.parameter, "20");
  EXPECT_EQ(view.description, "0x3E1A2C");
  data.set_current(0);
  ASSERT_TRUE(data.Show(view));
  EXPECT_EQ(view.pocket, -1) << "0x11 lies beyond the pocket list";
  data.set_current(-1);
  EXPECT_FALSE(data.Show(view));
  data.set_current(3);
  EXPECT_FALSE(data.Show(view));
}

TEST_F(ItemRules, ApplyingStoresTheLowBitsAndNothingElse) {
  Bytes before = Record(1);
  ASSERT_TRUE(data.Apply({2, -1, "70000", "300"}));
  Bytes after = Record(1);
  EXPECT_EQ(after[28], 2);
  EXPECT_EQ(after[22], 0) << "no pocket chosen stores 0";
  EXPECT_EQ(after[12] | after[13] << 8, 4464);
  EXPECT_EQ(after[15], 300 & 0xFF);
  for (int i : {12, 13, 15, 22, 28}) after[size_t(i)] = before[size_t(i)];
  EXPECT_EQ(after, before) << "the description and the unknown bytes stay";

  ASSERT_TRUE(data.Apply({-1, 4, "", "abc"}));
  EXPECT_EQ(Record(1)[28], 0xFF) << "the list's 'no selection' as the page reads it";
  EXPECT_EQ(Record(1)[22], 5);
  EXPECT_EQ(Record(1)[12] | Record(1)[13] << 8, 0) << "an empty price stores 0";
  EXPECT_EQ(Record(1)[15], 0);
}

TEST_F(ItemRules, RenamingKeepsEightCharactersAndTheRestOfTheRecord) {
  std::string entry;
  Bytes before = Record(1);
  ASSERT_EQ(data.Rename("ABCDEFGHI", entry), text::NameStoreResult::kStored);
  Bytes after = Record(1);
  EXPECT_EQ(Bytes(after.begin(), after.begin() + 9), (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xFF}));
  EXPECT_EQ(Bytes(after.begin() + 9, after.end()), Bytes(before.begin() + 9, before.end()));
  EXPECT_EQ(entry, "ABCDEFGH終");

  ASSERT_EQ(data.Rename("AB", entry), text::NameStoreResult::kStored);
  Bytes short_name = Record(1);
  short_name.resize(9);
  EXPECT_EQ(short_name, (Bytes{0xBB, 0xBC, 0xFF, 0, 0, 0, 0, 0, 0}));
  text::Switches().duplication = true;
  ASSERT_EQ(data.Rename("AB", entry), text::NameStoreResult::kStored);
  EXPECT_EQ(entry.rfind("001:AB終", 0), 0u);
  EXPECT_EQ(data.Rename("", entry), text::NameStoreResult::kEmptyText);
  data.set_current(-1);
  EXPECT_EQ(data.Rename("AB", entry), text::NameStoreResult::kOutOfRange);
}

TEST_F(ItemRules, ListLines) {
  EXPECT_EQ(ItemStore().NameEntry(1), "AB終　　　　　　");
  EXPECT_EQ(ItemStore().NameEntry(0), "ちちちちちちちちち");
  text::Switches().duplication = true;
  EXPECT_EQ(ItemStore().NameEntry(1), "001:AB終　　　　　　");
  std::fill_n(ItemStore().record(2), 9, 0xFF);
  text::VantariText().set_hide_terminator(1);
  EXPECT_EQ(ItemStore().NameEntry(2), "2") << "a name that shows nothing: its number alone";
  text::VantariText().set_hide_terminator(0);
}

TEST_F(ItemRules, SavingWritesTheWholeTableAtItsOffset) {
  data.Apply({0, 0, "5", "6"});
  platform::CFile file;
  ASSERT_TRUE(file.Open(rom_path, platform::OpenMode::kReadWriteExisting));
  std::string error;
  ASSERT_TRUE(data.RomSave(file, error)) << error;
  file.Close();
  std::string rom = dir.Read("rom.gba");
  EXPECT_EQ(rom.substr(0, 64), std::string(64, '\x11'));
  EXPECT_EQ(uint8_t(rom[64 + 40 + 12]), 5);
  EXPECT_EQ(rom.substr(64 + 120), std::string(16, '\x11'));
}

TEST(ItemPasses, MissingKeysShortFilesAndUnreadTables) {
  TestDir dir;
  CItemPageData data;
  data.Init();
  auto ini = dir.Write("Setting.ini", "[BPRJ]\r\nItem_Data=64\r\n[BPEJ]\r\nItem_Data=64\r\nItem_DataNum=4\r\n");
  auto rom_path = dir.Write("rom.gba", std::string(100, '\x33'));
  platform::CFile file;
  ASSERT_TRUE(file.Open(rom_path, platform::OpenMode::kReadWriteExisting));
  std::string error;

  data.LoadSetting(ini, "BPRJ");  // no count: no table, nothing read or written
  EXPECT_EQ(ItemStore().count(), 0);
  EXPECT_TRUE(data.RomRead(file, error));
  EXPECT_TRUE(data.RomSave(file, error));
  EXPECT_FALSE(ItemStore().loaded());

  data.LoadSetting(ini, "BPEJ");  // 4 items at 64 run past the end of a 100-byte file
  EXPECT_EQ(ItemStore().count(), 4);
  EXPECT_FALSE(data.RomRead(file, error));
  EXPECT_EQ(error, platform::kShortReadText);
  EXPECT_FALSE(ItemStore().loaded());
  EXPECT_TRUE(data.RomSave(file, error)) << "a table not read completely is not written";
  file.Close();
  EXPECT_EQ(dir.Read("rom.gba"), std::string(100, '\x33'));
  data.FreeData();
}

}  // namespace
