// The extras page's rules: the class rename, the starters at their six offsets, and the
// move-name table it keeps for every page.
#include "editors/extras/extras_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/rom_address.h"
#include "editors/extras/extras_layout.h"
#include "text/shared_tables.h"
#include "unit/editors/rules_on_rom.h"

namespace {

namespace L = extras_layout;
using Bytes = std::vector<uint8_t>;

constexpr size_t kRomSize = 4096;
constexpr int kClasses = 64, kMoveNames = 256;
// Left, centre, right, then the rival's three, as in the keys.
constexpr std::array<int, 6> kStarterAt = {512, 516, 520, 524, 528, 532};
constexpr std::array<uint16_t, 6> kSpecies = {1, 4, 7, 2, 5, 8};
constexpr std::array<const char*, 6> kStarterKeys = {"Left", "Center", "Right", "RLeft", "RCenter", "RRight"};

text::CRecordTable& Classes() { return text::SharedTables().classes; }
text::CRecordTable& Moves() { return text::SharedTables().moves; }

std::string Settings(const std::string& skip = "", const std::string& extra = "") {
  std::string ini = "TrainerClasses=64\r\nTrainerClassesNum=3\r\nAttackName=256\r\nAttackNum=4\r\n";
  for (size_t i = 0; i < 6; ++i)
    if (skip != kStarterKeys[i]) ini += std::string(kStarterKeys[i]) + "=" + std::to_string(kStarterAt[i]) + "\r\n";
  return ini + extra;
}

class ExtrasRules : public RulesOnRom<CExtrasRules> {
 protected:
  void SetUp() override {
    RulesOnRom::SetUp();
    rom = std::string(kRomSize, '\x11');
    // Class 1 "AB", byte 10 0x42; move 2 "ABC".
    rom.replace(kClasses + 11, 11, "\xBB\xBC\xFF\x00\x00\x00\x00\x00\x00\x00\x42", 11);
    rom.replace(kMoveNames + 16, 8, "\xBB\xBC\xBD\xFF\x00\x00\x00\x00", 8);
    for (size_t i = 0; i < 6; ++i) rom[size_t(kStarterAt[i])] = char(kSpecies[i]), rom[size_t(kStarterAt[i]) + 1] = 0;
  }
  void Setup(const std::string& ini) { RulesOnRom::Setup(rom, ini); }
  void Load(const std::string& ini = Settings()) {
    Setup(ini);
    ASSERT_TRUE(Read());
  }
};

TEST_F(ExtrasRules, RenamingAClassChangesItsRecordAndListLine) {
  Load();
  ASSERT_TRUE(rules.enabled());
  EXPECT_EQ(Classes().count(), 3);
  EXPECT_EQ(Classes().Entry(1), "AB終　　　　　　　");
  rules.set_current_class(1);
  auto renamed = rules.RenameClass("ABCDEFGHIJKL");
  ASSERT_TRUE(renamed.stored);
  EXPECT_EQ(renamed.status, "");
  EXPECT_EQ(renamed.entry, "ABCDEFGHI終");
  EXPECT_EQ(Bytes(Classes().record(1), Classes().record(1) + 11),
            (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xFF, 0x42}))
      << "nine characters, the terminator in byte 9, byte 10 carried";
  ASSERT_TRUE(rules.RenameClass("ABC").stored);

  EXPECT_EQ(rules.RenameClass("").status, "クラス名を入力してください。");
  for (int index : {-1, 3}) {
    rules.set_current_class(index);
    EXPECT_FALSE(rules.RenameClass("AB").stored) << index;
  }
  std::string saved = Save();
  EXPECT_EQ(saved.substr(kClasses + 11, 11), std::string("\xBB\xBC\xBD\xFF\0\0\0\0\0\0\x42", 11));
  EXPECT_EQ(saved.substr(0, kClasses), rom.substr(0, kClasses));
}

TEST_F(ExtrasRules, StartersStoreOnlyEntriesOfTheSpeciesList) {
  Load();
  // No selection and an entry beyond the species list leave their slot.
  rules.StoreStarters(StarterGroup::kPlayer, {411, -1, 412});
  rules.StoreStarters(StarterGroup::kRival, {0, 300, 25});
  std::string expected = rom;
  auto put = [&](size_t slot, uint16_t species) {
    expected[size_t(kStarterAt[slot])] = char(species & 0xFF);
    expected[size_t(kStarterAt[slot]) + 1] = char(species >> 8);
  };
  put(0, 411), put(3, 0), put(4, 300), put(5, 25);
  EXPECT_TRUE(Save() == expected) << "only the starters' own bytes change";
}

// Each starter key missing on its own: that slot is neither read, stored nor written; a missing
// rival key disables the whole rival group, which then shows entry 0.
TEST_F(ExtrasRules, AMissingStarterKeyDisablesItsListAndLeavesTheRom) {
  for (size_t missing = 0; missing < 6; ++missing) {
    SCOPED_TRACE(kStarterKeys[missing]);
    Load(Settings(kStarterKeys[missing]));
    bool rival_missing = missing >= 3;
    std::string expected = rom;
    for (size_t i = 0; i < 6; ++i) {
      auto group = i < 3 ? StarterGroup::kPlayer : StarterGroup::kRival;
      int slot = int(i % 3);
      bool enabled = group == StarterGroup::kPlayer ? i != missing : !rival_missing;
      EXPECT_EQ(rules.StarterEnabled(group, slot), enabled) << i;
      EXPECT_EQ(rules.starter(group, slot).species, i == missing ? 0 : kSpecies[i]) << i;
      if (group == StarterGroup::kRival && rival_missing) {
        EXPECT_EQ(rules.ShownStarter(group, slot), 0);
      }
      if (enabled) expected[size_t(kStarterAt[i])] = char(100 + i);
    }
    EXPECT_TRUE(rules.StarterStoreEnabled(StarterGroup::kPlayer));
    EXPECT_EQ(rules.StarterStoreEnabled(StarterGroup::kRival), !rival_missing);
    rules.StoreStarters(StarterGroup::kPlayer, {100, 101, 102});
    rules.StoreStarters(StarterGroup::kRival, {103, 104, 105});
    EXPECT_TRUE(Save() == expected);
  }
}

TEST_F(ExtrasRules, TheMoveNameTableIsRebuiltByLoadSettingAndOutlivesFreeData) {
  Setup(Settings());
  EXPECT_EQ(Moves().bytes(), Bytes(4 * 8, 0)) << "four zeroed slots before the read";
  EXPECT_FALSE(Moves().loaded());
  ASSERT_TRUE(Read());
  EXPECT_TRUE(Moves().loaded());
  EXPECT_EQ(Moves().Entry(2), "ABC終　　　");
  rules.FreeData();
  EXPECT_FALSE(rules.enabled());
  EXPECT_EQ(Classes().count(), 0);
  EXPECT_EQ(Moves().Entry(2), "ABC終　　　") << "other pages still list the names";
  Setup(Settings());
  EXPECT_EQ(Moves().bytes(), Bytes(4 * 8, 0));

  struct Case {
    const char* keys;
    int32_t slots;
  };
  for (Case c : {Case{"AttackNum=4\r\n", 4}, Case{"AttackName=256\r\n", 355},
                 Case{"AttackName=256\r\nAttackNum=0\r\n", 0}}) {
    Setup(c.keys);
    ASSERT_TRUE(Read()) << c.keys;
    EXPECT_EQ(Moves().count(), c.slots) << c.keys;
    EXPECT_EQ(Moves().loaded(), c.slots > 0 && std::string(c.keys).find("AttackName") != std::string::npos);
    if (c.slots > 0 && !Moves().loaded()) {
      EXPECT_EQ(Moves().bytes(), Bytes(size_t(c.slots) * 8, 0));
    }
    EXPECT_FALSE(rules.enabled()) << "no class table: the page is disabled";
    EXPECT_FALSE(rules.StarterStoreEnabled(StarterGroup::kPlayer)) << "starters included";
    EXPECT_TRUE(Save() == rom) << "nothing read, nothing written: " << c.keys;
  }
}

}  // namespace
