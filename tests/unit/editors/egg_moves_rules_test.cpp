// The egg-move page's rules: grouping by species, the table's end word, stores in both modes.
#include "editors/egg_moves/egg_moves_rules.h"

#include <vector>

#include "core/table_io.h"
#include "unit/editors/rules_on_rom.h"

namespace {

using Words = std::vector<uint16_t>;
constexpr size_t kTableAt = 32;
const Words kWorked = {0x4E43, 0x0010, 0x0022, 0x4E44, 0x0005, 0xFFFF};

std::string WordBytes(const Words& words) {
  std::string bytes;
  for (uint16_t word : words) bytes += Le(word, 2);
  return bytes;
}

class EggMoveRules : public RulesOnRom<CEggMoveRules> {
 protected:
  void SetUp() override {
    RulesOnRom::SetUp();
    // Move names 0-19: move 16 is "ABC"; move 34 lies beyond them. Species 35 is "AB", 36 "XY".
    text::SharedTables().moves.Reset(20);
    text::SharedTables().moves.set_loaded(true);
    std::copy_n("\xBB\xBC\xBD\xFF", 4, text::SharedTables().moves.record(16));
    text::SharedTables().species.Reset(40);
    std::copy_n("\xBB\xBC\xFF", 3, text::SharedTables().species.record(35));
    std::copy_n("\xD2\xD3\xFF", 3, text::SharedTables().species.record(36));
  }
  void Load(const Words& words = kWorked, const std::string& count = "6") {
    std::string bytes(256, '\x33');
    Setup(bytes.replace(kTableAt, words.size() * 2, WordBytes(words)),
          "MonsterEggData=32\r\nMonsterEggDataNum=" + count + "\r\n");
    ASSERT_TRUE(Read());
  }
  std::string Saved() { return Save().substr(kTableAt, 12); }
};

TEST_F(EggMoveRules, GroupsBySpeciesAndKeepsTheEndOutOfReach) {
  Load();
  ASSERT_EQ(rules.groups().size(), 2u) << "species 35 and 36; the end word is no group";
  EXPECT_EQ(rules.groups()[0].moves, 2);
  EXPECT_EQ(rules.groups()[1].marker, 3);
  EXPECT_EQ(rules.groups()[1].moves, 1);
  const std::vector<std::string> left = rules.LeftLines();
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0].substr(0, 2), "AB");
  EXPECT_EQ(left[1].substr(0, 2), "XY");
  EXPECT_EQ(left[2], "―― 終わり ――");
  EXPECT_EQ(rules.RightLines(), (std::vector<std::string>{"ABC終　　　", "34"}));
  EXPECT_EQ(rules.ShownSpecies(), 35);
  EXPECT_EQ(rules.ShownMove(), 16);

  // The end line in normal mode and the end word in raw mode take no store.
  rules.SelectLeft(2);
  EXPECT_TRUE(rules.RightLines().empty());
  EXPECT_EQ(rules.StoreSpecies(1).status, "テーブルの終わりは変更できません。");
  ASSERT_TRUE(rules.SetRaw(true));
  EXPECT_NE(rules.LeftLines()[3].find("：XY"), std::string::npos) << "raw mode names the marker's species";
  rules.SelectLeft(5);
  EXPECT_EQ(rules.StoreSpecies(1).status, "テーブルの終わりは変更できません。");
  EXPECT_EQ(rules.StoreMove(1).status, "テーブルの終わりは変更できません。");
  EXPECT_TRUE(Save() == rom);

  // Words before the first marker and after the end belong to no group.
  Load({0x0007, 0x4E21, 0x0001, 0xFFFF, 0x4E22, 0x0002});
  rules.SetRaw(false);
  ASSERT_EQ(rules.groups().size(), 1u);
  EXPECT_EQ(rules.groups()[0].moves, 1);
}

TEST_F(EggMoveRules, StoresChangeOnlyTheirWordInEitherMode) {
  Load();
  rules.SelectLeft(0);
  rules.SelectRight(1);
  EggStore move = rules.StoreMove(16);
  EXPECT_EQ(move.line, "ABC終　　　");
  EXPECT_EQ(move.status, "");
  rules.SelectLeft(1);
  EXPECT_TRUE(rules.StoreSpecies(411).stored);
  // No selection, a species or move beyond its list: refused.
  for (EggStore none : {rules.StoreSpecies(-1), rules.StoreSpecies(0), rules.StoreSpecies(412), rules.StoreMove(20), rules.StoreMove(-1)}) {
    EXPECT_FALSE(none.stored);
    EXPECT_EQ(none.status, "正しい値を取得できませんでした。");
  }
  EXPECT_EQ(Saved(), WordBytes({0x4E43, 0x0010, 0x0010, 20411, 0x0005, 0xFFFF}));

  // Raw mode: a species stored on a move word splits its group.
  Load();
  ASSERT_TRUE(rules.SetRaw(true));
  EXPECT_EQ(rules.LeftLines().size(), 6u);
  text::SharedTables().switches.duplication = true;
  EXPECT_EQ(rules.LeftLine(1), "001:ABC終　　　") << "numbered by the word's place";
  rules.SelectLeft(2);
  EXPECT_EQ(rules.ShownMove(), -1) << "a move beyond the move list selects nothing";
  EXPECT_EQ(rules.StoreSpecies(7).line, "覚えるヴァンタリ：" + text::SharedTables().species.Entry(7));
  rules.SelectLeft(3);
  EXPECT_TRUE(rules.StoreMove(3).stored) << "a marker word can become a move";
  ASSERT_TRUE(rules.SetRaw(false));
  ASSERT_EQ(rules.groups().size(), 2u);
  EXPECT_EQ(rules.groups()[1].moves, 2);
  EXPECT_EQ(Saved(), WordBytes({0x4E43, 0x0010, 20007, 0x0003, 0x0005, 0xFFFF}));
}

}  // namespace
