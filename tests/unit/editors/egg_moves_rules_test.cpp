// The egg-move page's rules: grouping by species, the table's end word, stores in both modes.
#include "editors/egg_moves/egg_moves_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "unit/editors/rules_on_rom.h"

namespace {

using Words = std::vector<uint16_t>;
constexpr size_t kTableAt = 32;

std::string WordBytes(const Words& words) {
  std::string bytes;
  for (uint16_t word : words) bytes += Le(word, 2);
  return bytes;
}

class EggMoveRules : public RulesOnRom<CEggMoveRules> {
 protected:
  void SetUp() override {
    RulesOnRom::SetUp();
    // Move names 0-19: move 16 is "ABC"; move 34 lies beyond them.
    text::SharedTables().moves.Reset(20);
    text::SharedTables().moves.set_loaded(true);
    std::copy_n("\xBB\xBC\xBD\xFF", 4, text::SharedTables().moves.record(16));
  }
  void Load(const Words& words, int count) {
    std::string bytes(256, '\x33');
    bytes.replace(kTableAt, words.size() * 2, WordBytes(words));
    Setup(bytes, "MonsterEggData=32\r\nMonsterEggDataNum=" + std::to_string(count) + "\r\n");
    ASSERT_TRUE(Read());
  }
};

const Words kWorked = {0x4E43, 0x0010, 0x0022, 0x4E44, 0x0005, 0xFFFF};

TEST_F(EggMoveRules, GroupsBySpeciesAndShowsTheEndAsTheEnd) {
  Load(kWorked, 6);
  ASSERT_EQ(rules.groups().size(), 2u) << "the end word is no group";
  EXPECT_EQ(rules.groups()[0].marker, 0);
  EXPECT_EQ(rules.groups()[0].moves, 2);
  EXPECT_EQ(rules.groups()[1].marker, 3);
  EXPECT_EQ(rules.groups()[1].moves, 1);
  std::vector<std::string> left = rules.LeftLines();
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[2], "―― 終わり ――");
  EXPECT_EQ(rules.RightLines(), (std::vector<std::string>{"ABC終　　　", "34"}));
  EXPECT_EQ(rules.ShownSpecies(), 35);
  EXPECT_EQ(rules.ShownMove(), 16);
  rules.SelectLeft(1);
  EXPECT_EQ(rules.RightLines().size(), 1u);
  EXPECT_EQ(rules.ShownSpecies(), 36);

  // The end line takes no store, and the end word stays.
  rules.SelectLeft(2);
  EXPECT_TRUE(rules.RightLines().empty());
  EXPECT_EQ(rules.StoreSpecies(1).status, "テーブルの終わりは変更できません。");
  EXPECT_FALSE(rules.StoreMove(1).stored);
  ASSERT_TRUE(rules.SetRaw(true));
  rules.SelectLeft(5);
  EXPECT_EQ(rules.LeftLine(5), "―― 終わり ――");
  EXPECT_EQ(rules.StoreSpecies(1).status, "テーブルの終わりは変更できません。");
  EXPECT_EQ(rules.StoreMove(1).status, "テーブルの終わりは変更できません。");
  EXPECT_TRUE(Save() == rom);

  // Words before the first marker and after the end belong to no group and are kept.
  Load({0x0007, 0x4E21, 0x0001, 0xFFFF, 0x4E22, 0x0002}, 6);
  ASSERT_EQ(rules.groups().size(), 1u);
  EXPECT_EQ(rules.groups()[0].moves, 1);
}

TEST_F(EggMoveRules, StoresInNormalModeChangeOnlyTheirWord) {
  Load(kWorked, 6);
  rules.SelectLeft(0);
  rules.SelectRight(1);
  EggStore move = rules.StoreMove(16);
  EXPECT_TRUE(move.stored);
  EXPECT_EQ(move.status, "");
  EXPECT_EQ(move.line, "ABC終　　　");
  rules.SelectLeft(1);
  EXPECT_EQ(rules.StoreSpecies(411).line, text::SharedTables().species.Entry(411));
  // No selection, a species beyond the list, a move beyond the move list: nothing changes.
  for (auto store : {+[](CEggMoveRules& r) { return r.StoreSpecies(-1); },
                     +[](CEggMoveRules& r) { return r.StoreSpecies(412); },
                     +[](CEggMoveRules& r) { return r.StoreMove(20); },
                     +[](CEggMoveRules& r) { return r.StoreMove(-1); }}) {
    EggStore none = store(rules);
    EXPECT_FALSE(none.stored);
    EXPECT_EQ(none.status, "正しい値を取得できませんでした。");
  }
  std::string saved = Save();
  EXPECT_EQ(saved.substr(kTableAt, 12), WordBytes({0x4E43, 0x0010, 0x0010, 20411, 0x0005, 0xFFFF}));
  EXPECT_EQ(saved.substr(kTableAt + 12), rom.substr(kTableAt + 12));
}

TEST_F(EggMoveRules, RawStoresCanSplitAGroup) {
  Load(kWorked, 6);
  ASSERT_TRUE(rules.SetRaw(true));
  EXPECT_EQ(rules.LeftLines().size(), 6u);
  EXPECT_EQ(rules.LeftLine(0), "覚えるヴァンタリ：" + text::SharedTables().species.Entry(35));
  text::SharedTables().switches.duplication = true;
  EXPECT_EQ(rules.LeftLine(1), "001:ABC終　　　") << "numbered by the word's place";
  text::SharedTables().switches.duplication = false;
  rules.SelectLeft(2);
  EXPECT_EQ(rules.ShownMove(), -1) << "a move beyond the move list selects nothing";
  EXPECT_EQ(rules.ShownSpecies(), std::nullopt);
  EggStore stored = rules.StoreSpecies(7);
  EXPECT_EQ(stored.line, "覚えるヴァンタリ：" + text::SharedTables().species.Entry(7));
  rules.SelectLeft(3);
  EXPECT_TRUE(rules.StoreMove(3).stored) << "a marker word can become a move";
  ASSERT_TRUE(rules.SetRaw(false));
  ASSERT_EQ(rules.groups().size(), 2u);
  EXPECT_EQ(rules.groups()[0].moves, 1);
  EXPECT_EQ(rules.groups()[1].marker, 2);
  EXPECT_EQ(rules.groups()[1].moves, 2);
  EXPECT_EQ(Save().substr(kTableAt, 12), WordBytes({0x4E43, 0x0010, 20007, 0x0003, 0x0005, 0xFFFF}));
}

TEST_F(EggMoveRules, MissingOrOversizedTablesAreNeitherReadNorWritten) {
  for (std::string ini : {std::string("MonsterEggData=32\r\n"), std::string("MonsterEggDataNum=6\r\n"),
                          std::string("MonsterEggData=32\r\nMonsterEggDataNum=-3\r\n")}) {
    Setup(std::string(256, '\x01'), ini);
    EXPECT_TRUE(Read()) << ini;
    EXPECT_FALSE(rules.loaded()) << ini;
    EXPECT_TRUE(rules.LeftLines().empty());
    EXPECT_TRUE(Save() == rom) << ini;
  }
  Setup(std::string(256, '\x01'), "MonsterEggData=32\r\nMonsterEggDataNum=2147483647\r\n");
  std::string error;
  EXPECT_FALSE(Read(&error));
  EXPECT_EQ(error, kTableOutsideRomText);
  EXPECT_TRUE(Save() == rom);
}

}  // namespace
