// The move editor's rules: showing and applying a move with the suite's clamping, the check
// box that guards bytes 6-11, renaming into the shared move-name table, effects.ini.
#include "editors/move/move_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/typed_fields.h"
#include "editors/extras/extras_rules.h"
#include "editors/move/move_layout.h"
#include "text/name_file.h"
#include "text/shared_tables.h"
#include "unit/test_dir.h"

namespace {

namespace L = move_layout;
using Bytes = std::vector<uint8_t>;

constexpr size_t kRomSize = 4096;
constexpr size_t kTable = 128, kNames = 512;

class MoveRules : public testing::Test {
 protected:
  void SetUp() override {
    text::SharedTables().Reset();
    text::SharedTables().switches = {};
    rom = std::string(kRomSize, '\x11');
    // Move 1: effect 2, power 40, type 10, accuracy 100, PP 35, chance 30, bytes 6-11 = 6..11.
    rom.replace(kTable + L::kSize, L::kSize, "\x02\x28\x0A\x64\x23\x1E\x06\x07\x08\x09\x0A\x0B", L::kSize);
    rom_path = dir.Write("rom.gba", rom);
    dir.Write("effects.ini", "なし\r\nこうげき\r\nどく\r\nまひ\r\n");
    ini = dir.Write("Setting.ini", "[BPRJ]\r\nAttackTable=128\r\nAttackNum=3\r\nAttackName=512\r\n");
    Load();
    ASSERT_TRUE(rules.ReadEffects());
    rules.set_current(1);
  }
  void TearDown() override {
    rules.FreeData();
    text::SharedTables().Reset();
    text::SharedTables().switches = {};
  }
  // The move page and the extras page, which holds the move names, as the tab system loads them.
  void Load() {
    PageSetup setup{ini, "BPRJ", kRomSize};
    rules.LoadSetting(setup);
    extras.Init();
    extras.LoadSetting(setup);
    platform::CFile file;
    ASSERT_TRUE(file.Open(rom_path, platform::OpenMode::kReadExisting));
    std::string error;
    ASSERT_TRUE(rules.RomRead(file, error)) << error;
    ASSERT_TRUE(extras.RomRead(file, error)) << error;
  }
  Bytes Record(int index) const { return Bytes(rules.record(index), rules.record(index) + L::kSize); }
  static MoveInput Input() {
    MoveInput input;
    input.effect = 2, input.type = 10;
    input.power = "40", input.accuracy = "100", input.pp = "35", input.chance = "30";
    input.unknown = {"6", "7", "8", "9", "10", "11"};
    return input;
  }

  TestDir dir;
  std::string rom;
  std::filesystem::path rom_path, ini;
  CMoveRules rules;
  CExtrasRules extras;
};

// Every stored field at its last valid value and its first invalid one; typed values are clamped
// (never cut to their low bits) and lists without a valid selection keep their byte.
TEST_F(MoveRules, ApplyingClampsEveryFieldAndKeepsUnchosenLists) {
  struct Case {
    size_t byte;
    void (*edit)(MoveInput&);
    int stored;
    const char* status;
  };
  const Case cases[] = {
      {L::kPower, [](MoveInput& in) { in.power = "255"; }, 255, kStatusDone},
      {L::kPower, [](MoveInput& in) { in.power = "300"; }, 255, kStatusReplaced},
      {L::kPower, [](MoveInput& in) { in.power = ""; }, 0, kStatusReplaced},
      {L::kAccuracy, [](MoveInput& in) { in.accuracy = "0"; }, 0, kStatusDone},
      {L::kAccuracy, [](MoveInput& in) { in.accuracy = "-1"; }, 0, kStatusReplaced},
      {L::kPP, [](MoveInput& in) { in.pp = "256"; }, 255, kStatusReplaced},
      {L::kChance, [](MoveInput& in) { in.chance = "1a"; }, 1, kStatusReplaced},
      {L::kEffect, [](MoveInput& in) { in.effect = 3; }, 3, kStatusDone},
      {L::kEffect, [](MoveInput& in) { in.effect = 4; }, 2, kStatusDone},
      {L::kEffect, [](MoveInput& in) { in.effect = -1; }, 2, kStatusDone},
      {L::kType, [](MoveInput& in) { in.type = 17; }, 17, kStatusDone},
      {L::kType, [](MoveInput& in) { in.type = 18; }, 10, kStatusDone},
      {L::kType, [](MoveInput& in) { in.type = -1; }, 10, kStatusDone},
  };
  const Bytes original = Record(1);
  for (const Case& c : cases) {
    MoveInput input = Input();
    c.edit(input);
    EXPECT_EQ(rules.ApplyMove(input), c.status) << "byte " << c.byte << ", stored " << c.stored;
    Bytes expected = original;
    expected[c.byte] = uint8_t(c.stored);
    EXPECT_EQ(Record(1), expected) << "byte " << c.byte << ", stored " << c.stored;
    ASSERT_EQ(rules.ApplyMove(Input()), kStatusDone);
  }
  EXPECT_EQ(Record(0), Bytes(L::kSize, 0x11));
  EXPECT_EQ(Record(2), Bytes(L::kSize, 0x11));
  for (int index : {-1, 3}) {
    rules.set_current(index);
    EXPECT_FALSE(rules.ShowMove()) << index;
    EXPECT_EQ(rules.ApplyMove(Input()), kIndexOutOfRangeText) << index;
  }
}

TEST_F(MoveRules, BytesSixToElevenAreStoredOnlyWhenTheirBoxIsChecked) {
  MoveInput input = Input();
  input.unknown = {"0", "255", "256", "", "12", "13"};
  const Bytes original = Record(1);
  EXPECT_EQ(rules.ApplyMove(input), kStatusDone) << "unchecked: the six fields are not even read";
  EXPECT_EQ(Record(1), original);
  input.store_unknown = true;
  EXPECT_EQ(rules.ApplyMove(input), kStatusReplaced);
  Bytes expected = original;
  for (size_t i = 0; i < 6; ++i) expected[L::kUnknown + i] = Bytes{0, 255, 255, 0, 12, 13}[i];
  EXPECT_EQ(Record(1), expected);
}

TEST_F(MoveRules, AnEffectBeyondTheListOrWithoutEffectsIniIsKept) {
  std::filesystem::remove(dir / "effects.ini");
  EXPECT_FALSE(rules.ReadEffects());
  EXPECT_TRUE(rules.effects().empty());
  MoveInput input = Input();
  input.effect = -1;  // what the empty list reports
  EXPECT_EQ(rules.ApplyMove(input), kStatusDone);
  EXPECT_EQ(Record(1)[L::kEffect], 2);

  dir.Write("effects.ini", "なし\r\nこうげき\r\n");
  ASSERT_TRUE(rules.ReadEffects());
  ASSERT_EQ(rules.ShowMove()->effect, 2) << "beyond the two lines: the view shows no selection";
  EXPECT_EQ(rules.ApplyMove(input), kStatusDone);
  EXPECT_EQ(Record(1)[L::kEffect], 2);
}

TEST_F(MoveRules, RenamingAMoveChangesTheSharedMoveNameTable) {
  text::CRecordTable& names = text::SharedTables().moves;
  ASSERT_EQ(names.count(), 3);
  names.record(1)[7] = 0x42;
  auto renamed = rules.RenameMove("ABC");
  ASSERT_TRUE(renamed.stored);
  EXPECT_EQ(Bytes(names.record(1), names.record(1) + 8), (Bytes{0xBB, 0xBC, 0xBD, 0xFF, 0, 0, 0, 0x42}))
      << "a short name carries its own terminator; byte 7 keeps its value";
  EXPECT_EQ(renamed.entry, names.Entry(1));
  renamed = rules.RenameMove("ABCDEFGHI");
  EXPECT_EQ(Bytes(names.record(1), names.record(1) + 8), (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xFF}));
  EXPECT_EQ(renamed.entry, "ABCDEFG") << "the list shows the seven name bytes";

  EXPECT_EQ(rules.RenameMove("").status, "技名を入力してください。");
  rules.set_current(3);
  auto outside = rules.RenameMove("AB");
  EXPECT_FALSE(outside.stored);
  EXPECT_EQ(outside.status, kIndexOutOfRangeText);

  // The new name reaches the ROM through the extras page's save.
  platform::CFile file;
  ASSERT_TRUE(file.Open(rom_path, platform::OpenMode::kReadWriteExisting));
  std::string error;
  ASSERT_TRUE(rules.RomSave(file, error)) << error;
  ASSERT_TRUE(extras.RomSave(file, error)) << error;
  file.Close();
  std::string expected = rom;
  expected.replace(kNames + 8, 8, "\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xFF", 8);
  EXPECT_TRUE(dir.Read("rom.gba") == expected);
}

TEST(EffectNames, LinesLoseOnlyTheirLineEnd) {
  TestDir dir;
  struct Case {
    std::string file;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nbc\r\n", {"a", "bc"}},
      {"a\nbc\n", {"a", "bc"}},
      {"a\r\nbc", {"a", "bc"}},
      {"a\n\nbc", {"a", "", "bc"}},
      {"", {}},
      {"ソ\\\r\n表", {"ソ\\", "表"}},
      {std::string(600, 'x') + "\n", {std::string(600, 'x')}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines{"old"};
    ASSERT_TRUE(text::ReadNameLines(dir.Write("effects.ini", c.file), lines)) << c.file;
    EXPECT_EQ(lines, c.lines) << c.file;
  }
  std::vector<std::string> lines;
  EXPECT_FALSE(text::ReadNameLines(dir / "missing.ini", lines));
  EXPECT_TRUE(lines.empty());
}

}  // namespace
