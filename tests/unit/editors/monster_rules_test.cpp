// The monster page's rules on a small hand-made ROM: the store of every field with its bounds,
// the conversions of egg steps and sizes, the species-to-dex map, the dex records' partial
// writes, the description's read, write and move, the evolution slots, tokusei.ini, and missing keys.
#include "editors/monster/monster_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/monster/monster_layout.h"
#include "text/shared_tables.h"
#include "unit/editors/rules_on_rom.h"

namespace {

namespace L = monster_layout;
using Bytes = std::vector<uint8_t>;

constexpr size_t kRomSize = 0xC000;
constexpr size_t kNames = 0x100, kStats = 0xB00, kDex = 0x3900, kTexts = 0x6400, kEvolutions = 0x7000;

std::string Keys() {
  std::string ini;
  const std::pair<const char*, size_t> keys[] = {
      {"Name_Start_Pos", kNames}, {"MonsterBaseStats_Pos", kStats}, {"MonsterDexData", kDex},
      {"Monster_Evol_Data_Pos", kEvolutions}};
  for (auto [key, offset] : keys)
    ini += std::string(key) + "=" + std::to_string(offset) + "\r\n";
  return ini;
}

class MonsterRules : public RulesOnRom<CMonsterRules> {
 protected:
  void SetUp() override {
    RulesOnRom::SetUp();
    rom.assign(kRomSize, 0);
    for (size_t i = 0; i < kRomSize; ++i) rom[i] = char(i * 7 + 3);
    // Species 1: stats 10-60, types 3/17, catch 45, exp 64, effort 0xF1B2 (bits 12-15 set),
    // items 2 and 0x0104 (beyond the item list), gender 31, 20 x 256 steps, friendship 70,
    // growth 5, egg groups 1/15, abilities 2/0, flee 99.
    const uint8_t species1[L::kStatsSize] = {10, 20, 30, 40, 50, 60, 3, 17, 45, 64, 0xB2, 0xF1, 2, 0,
                                             0x04, 0x01, 31, 20, 70, 5, 1, 15, 2, 0, 99, 0xA1, 0xA2, 0xA3};
    std::copy(std::begin(species1), std::end(species1), rom.begin() + kStats + L::kStatsSize);
    // Dex texts: a long one for record 1 (species 1), a short one for record 290 (species 301).
    PutDescription(1, kTexts, Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xFF});
    PutDescription(290, kTexts + 0x20, Bytes{0xBB, 0xBC, 0xFF});
    dir.Write("tokusei.ini", "なし\r\nもうか\r\nげきりゅう\r\nしんりょく\r\n");
    Load("BPRJ");
  }
  void PutDescription(int number, size_t at, const Bytes& text) {
    rom::Put32(reinterpret_cast<uint8_t*>(rom.data()) + kDex + size_t(number) * L::kDexSize + L::kDexDescription,
               rom::OffsetToPointer(uint32_t(at)));
    std::copy(text.begin(), text.end(), rom.begin() + long(at));
  }
  void Load(const char* code) {
    Setup(rom, Keys(), code);
    ASSERT_TRUE(Read());
    ASSERT_TRUE(rules.ReadAbilities());
    rules.set_current(1);
  }
  Bytes Stats(int species) const { return Bytes(rules.stats(species), rules.stats(species) + L::kStatsSize); }
  std::string FileBytes(size_t at, size_t n) const { return dir.Read("rom.gba").substr(at, n); }
  // The input that stores species 1 as it is.
  static MonsterInput Input() {
    MonsterInput in;
    in.base = {"10", "20", "30", "40", "50", "60"};
    in.effort = {"2", "0", "3", "2", "1", "0"};
    in.catch_rate = "45", in.exp_yield = "64", in.gender = "31", in.egg_steps = "5120", in.friendship = "70";
    in.flee_rate = "99";
    in.type1 = 3, in.type2 = 17, in.item_common = 2, in.item_rare = -1, in.growth = 5;
    in.egg_group1 = 1, in.egg_group2 = 15, in.ability1 = 2, in.ability2 = 0;
    return in;
  }

};

TEST_F(MonsterRules, ShowingASpeciesGivesItsFieldsInTheirUnits) {
  auto view = rules.ShowSpecies();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->base[5], "60");
  EXPECT_EQ(view->total, "210");
  EXPECT_EQ(view->effort, (std::array<std::string, 6>{"2", "0", "3", "2", "1", "0"}));
  EXPECT_EQ(view->egg_steps, "5120");
  EXPECT_EQ(view->flee_rate, "99");
  EXPECT_EQ(view->item_rare, 0x104);
  EXPECT_EQ(view->ability1, 2);
  EXPECT_EQ(view->dex, 1);
  for (int species : {-1, 412}) {
    rules.set_current(species);
    EXPECT_FALSE(rules.ShowSpecies()) << species;
    EXPECT_EQ(rules.ApplySpecies(Input()), "") << species;
  }
}

// Every stored field at its bounds: typed values are clamped (never cut to their low bits) and
// lists without a valid selection keep their bytes. The fixture's input stores the record as it
// is, but for the effort word's bits 12-15.
TEST_F(MonsterRules, StoringClampsEveryFieldAndKeepsUnchosenLists) {
  text::SharedTables().items.Reset(3);
  struct Case {
    size_t byte;
    std::function<void(MonsterInput&)> edit;
    int stored;  // 16-bit for the item and effort words
    const char* status;
  };
  auto text = [](std::string MonsterInput::*field, const char* typed) {
    return [=](MonsterInput& in) { in.*field = typed; };
  };
  auto pick = [](int MonsterInput::*field, int selection) { return [=](MonsterInput& in) { in.*field = selection; }; };
  auto base = [](size_t i, const char* typed) { return [=](MonsterInput& in) { in.base[i] = typed; }; };
  auto effort = [](size_t i, const char* typed) { return [=](MonsterInput& in) { in.effort[i] = typed; }; };
  const Case cases[] = {
      {L::kHp, base(0, "0"), 0, kStatusDone},
      {L::kHp + 1, base(1, "255"), 255, kStatusDone},
      {L::kHp + 2, base(2, "256"), 255, kStatusReplaced},
      {L::kHp + 3, base(3, "-1"), 0, kStatusReplaced},
      {L::kHp + 5, base(5, "abc"), 0, kStatusReplaced},
      {L::kCatchRate, text(&MonsterInput::catch_rate, "1000"), 255, kStatusReplaced},
      {L::kExpYield, text(&MonsterInput::exp_yield, "255"), 255, kStatusDone},
      {L::kGender, text(&MonsterInput::gender, "-5"), 0, kStatusReplaced},
      {L::kFriendship, text(&MonsterInput::friendship, ""), 0, kStatusReplaced},
      {L::kFleeRate, text(&MonsterInput::flee_rate, "256"), 255, kStatusReplaced},
      // Steps: divided by 256 toward zero, then held to 0-255.
      {L::kEggSteps, text(&MonsterInput::egg_steps, "5000"), 19, kStatusDone},
      {L::kEggSteps, text(&MonsterInput::egg_steps, "65535"), 255, kStatusDone},
      {L::kEggSteps, text(&MonsterInput::egg_steps, "65536"), 255, kStatusReplaced},
      {L::kEggSteps, text(&MonsterInput::egg_steps, "-1"), 0, kStatusDone},
      {L::kEggSteps, text(&MonsterInput::egg_steps, "-300"), 0, kStatusReplaced},
      {L::kEggSteps, text(&MonsterInput::egg_steps, "99999999999"), 255, kStatusReplaced},
      {L::kEggSteps, text(&MonsterInput::egg_steps, "x"), 0, kStatusReplaced},
      // Effort word: HP 2 -> 3, 4 -> 3, -1 -> 0; bits 12-15 always cleared.
      {L::kEffort, effort(0, "3"), 0x01B3, kStatusDone},
      {L::kEffort, effort(5, "4"), 0x0DB2, kStatusReplaced},
      {L::kEffort, effort(2, "-1"), 0x0182, kStatusReplaced},
      {L::kType1, pick(&MonsterInput::type1, 17), 17, kStatusDone},
      {L::kType1, pick(&MonsterInput::type1, 18), 3, kStatusDone},
      {L::kType2, pick(&MonsterInput::type2, -1), 17, kStatusDone},
      {L::kItemCommon, pick(&MonsterInput::item_common, 0), 0, kStatusDone},
      {L::kItemCommon, pick(&MonsterInput::item_common, 3), 2, kStatusDone},
      {L::kGrowth, pick(&MonsterInput::growth, 6), 5, kStatusDone},
      {L::kGrowth, pick(&MonsterInput::growth, 0), 0, kStatusDone},
      {L::kEggGroup1, pick(&MonsterInput::egg_group1, 16), 1, kStatusDone},
      {L::kEggGroup2, pick(&MonsterInput::egg_group2, 0), 0, kStatusDone},
      {L::kAbility1, pick(&MonsterInput::ability1, 3), 3, kStatusDone},
      {L::kAbility1, pick(&MonsterInput::ability1, 4), 2, kStatusDone},
      // Last: the fixture's input keeps this byte (beyond the item list), so no case follows.
      {L::kItemRare, pick(&MonsterInput::item_rare, 1), 1, kStatusDone},
  };
  Bytes original = Stats(1);
  rom::Put16(original.data() + L::kEffort, 0x01B2);
  for (const Case& c : cases) {
    MonsterInput input = Input();
    c.edit(input);
    EXPECT_EQ(rules.ApplySpecies(input), c.status) << "byte " << c.byte << ", stored " << c.stored;
    Bytes expected = original;
    bool word = c.byte == L::kEffort || c.byte == L::kItemCommon || c.byte == L::kItemRare;
    if (word) rom::Put16(expected.data() + c.byte, uint16_t(c.stored));
    else expected[c.byte] = uint8_t(c.stored);
    EXPECT_EQ(Stats(1), expected) << "byte " << c.byte << ", stored " << c.stored;
    ASSERT_EQ(rules.ApplySpecies(Input()), kStatusDone);
  }
  EXPECT_EQ(rules.ShowSpecies()->egg_steps, "5120");
  MonsterInput steps = Input();
  steps.egg_steps = "5000";
  rules.ApplySpecies(steps);
  EXPECT_EQ(rules.ShowSpecies()->egg_steps, "4864");
}

TEST_F(MonsterRules, TheFleeRateBelongsToFireRedAndLeafGreenOnly) {
  for (const char* code : {"AXVJ", "AXPJ", "BPEJ", "BPGJ"}) {
    Load(code);
    bool used = std::string(code) == "BPGJ";
    EXPECT_EQ(rules.flee_rate_used(), used) << code;
    EXPECT_EQ(rules.ShowSpecies()->flee_rate, used ? "99" : "") << code;
    MonsterInput input = Input();
    input.flee_rate.assign(1, '7');
    EXPECT_EQ(rules.ApplySpecies(input), kStatusDone) << code;
    EXPECT_EQ(Stats(1)[L::kFleeRate], used ? 7 : 99) << code;
  }
}

TEST(SpeciesToDex, PlaceholdersShareRecordZeroAndEveryRealSpeciesHasItsOwnRecord) {
  const std::pair<int, int> edges[] = {{0, 0},     {251, 251}, {252, 0},   {276, 0},   {277, 252}, {300, 275},
                                       {301, 290}, {357, 308}, {358, 333}, {359, 334}, {360, 360}, {411, 358},
                                       {-1, -1},   {412, -1}};
  for (auto [species, dex] : edges) EXPECT_EQ(SpeciesToDex(species), dex) << species;
  // Species 1-251 and 277-411 cover dex numbers 1-386 once each.
  std::set<int> numbers;
  for (int s = 1; s < L::kSpecies; ++s)
    if (s < 252 || s > 276) numbers.insert(SpeciesToDex(s));
  EXPECT_EQ(numbers.size(), 386u);
  EXPECT_EQ(*numbers.begin(), 1);
  EXPECT_EQ(*numbers.rbegin(), 386);
}

// A save writes the species names, the base stats and, of each dex record, only the page's
// runs: the bytes between them keep whatever the file holds at the time of the save.
TEST_F(MonsterRules, SavingWritesTheTablesAndSkipsTheDexRecordsKeptBytes) {
  ASSERT_TRUE(rules.RenameSpecies("AB").stored);
  MonsterInput input = Input();
  input.base[0] = "11";
  ASSERT_EQ(rules.ApplySpecies(input), kStatusDone);
  ASSERT_EQ(rules.StoreDexSize(1, "2.0", "3.0"), kStatusDone);
  ASSERT_TRUE(rules.RenameDex(386, "ABCDEFG").stored);
  ASSERT_TRUE(rules.RenameDex(385, "AB").stored);
  // Another program changes every kept byte between the load and the save.
  std::string changed = dir.Read("rom.gba");
  for (int d = 0; d < L::kDexEntries; ++d)
    for (size_t kept : {5, 10, 11, 16, 17, 21, 25, 26, 27}) changed[kDex + size_t(d) * L::kDexSize + kept] = '\xEE';
  dir.Write("rom.gba", changed);
  Save();

  std::string expected = changed;
  expected.replace(kNames + 6, 6, std::string("\xBB\xBC\xFF\0\0\0", 6));
  expected[kStats + L::kStatsSize] = 11;
  expected[kStats + L::kStatsSize + L::kEffort + 1] = 0x01;
  expected.replace(kDex + L::kDexSize + L::kDexHeight, 4, std::string("\x14\x00\x1E\x00", 4));
  expected.replace(kDex + 386 * L::kDexSize, 5, "\xBB\xBC\xBD\xBE\xBF");  // five bytes, no terminator
  expected.replace(kDex + 385 * L::kDexSize, 5, std::string("\xBB\xBC\xFF\0\0", 5));
  EXPECT_TRUE(dir.Read("rom.gba") == expected);
}

TEST_F(MonsterRules, HeightsAndWeightsAreTypedInUnitsAndStoredInTenths) {
  struct Case {
    const char* typed;
    uint16_t stored;
    const char* status;
  };
  const Case cases[] = {
      {"1.25", 13, kStatusDone},   {"0.04", 0, kStatusDone},         {"0", 0, kStatusDone},
      {"-1", 0, kStatusReplaced},  {"6553.4", 65534, kStatusDone},   {"6553.5", 65534, kStatusReplaced},
      {"1e9", 65534, kStatusReplaced}, {"abc", 0, kStatusReplaced},  {"2.5m", 25, kStatusReplaced},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rules.StoreDexSize(7, c.typed, "1"), c.status) << c.typed;
    EXPECT_EQ(rom::Get16(rules.dex(7) + L::kDexHeight), c.stored) << c.typed;
    EXPECT_EQ(rules.StoreDexSize(7, "1", c.typed), c.status) << c.typed;
    EXPECT_EQ(rom::Get16(rules.dex(7) + L::kDexWeight), c.stored) << c.typed;
  }
  rules.StoreDexSize(7, "1.25", "6553.4");
  DexView view = rules.ShowDex(7, rom_path);
  EXPECT_EQ(view.height, "1.3");
  EXPECT_EQ(view.weight, "6553.4");
  EXPECT_EQ(rules.StoreDexSize(-1, "1", "1"), kNoDexSelectedText);
}

TEST_F(MonsterRules, ADescriptionIsReadUpToItsTerminatorOrSixteenKilobytes) {
  DexView view = rules.ShowDex(1, rom_path);
  EXPECT_EQ(view.address, "0x8006400");
  EXPECT_EQ(view.size, "0x8");
  EXPECT_EQ(view.description.rfind("ABCDEFG", 0), 0u);
  EXPECT_EQ(rules.capacity(1), 8);

  // 20000 bytes without a terminator: the read stops after 16384.
  std::string big = rom + std::string(20000, '\xBB');
  dir.Write("rom.gba", big);
  uint8_t* record = const_cast<uint8_t*>(rules.dex(2));
  rom::Put32(record + L::kDexDescription, rom::OffsetToPointer(uint32_t(kRomSize)));
  EXPECT_EQ(rules.ShowDex(2, rom_path).size, "0x4000");
  // An address past the end of the file gives no text and no room.
  rom::Put32(record + L::kDexDescription, rom::OffsetToPointer(uint32_t(kRomSize + 20000)));
  view = rules.ShowDex(2, rom_path);
  EXPECT_EQ(view.size, "");
  EXPECT_EQ(view.status, std::string(kDescriptionReadFailure) + kShortReadText);
  EXPECT_EQ(rules.capacity(2), 0);
  // A text that could not be read is never written over, nor is a value that is no cartridge
  // address (it would name the ROM's header).
  rules.set_current(2);
  EXPECT_EQ(rules.WriteDescription(rom_path, "AB"), "");
  rom::Put32(record + L::kDexDescription, 0x10);
  EXPECT_EQ(rules.ShowDex(2, rom_path).size, "");
  EXPECT_EQ(rules.WriteDescription(rom_path, "AB"), "");
  EXPECT_TRUE(dir.Read("rom.gba") == big);
}

// The description is written within the room of the current species' own record (capacity c):
// a text of n < c bytes whole, n >= c cut to c bytes ending with 0xFF, whatever record was
// browsed in the dex list before.
TEST_F(MonsterRules, ADescriptionIsWrittenWithinTheRoomOfTheRecordItGoesTo) {
  struct Case {
    const char* typed;
    std::string written;
  };
  const Case cases[] = {
      {"XY", std::string("\xD2\xD3\xFF\xBE\xBF\xC0\xC1\xFF\x07", 9)},           // n = 3 < c = 8
      {"ABCDEFG", std::string("\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xFF\x07", 9)},      // n = c
      {"ABCDEFGHIJ", std::string("\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xFF\x07", 9)},   // n > c
  };
  for (const Case& c : cases) {
    dir.Write("rom.gba", rom);
    rules.ShowDex(1, rom_path);
    EXPECT_EQ(rules.WriteDescription(rom_path, c.typed), kStatusDone) << c.typed;
    std::string expected = c.written;
    expected.back() = rom[kTexts + 8];
    EXPECT_TRUE(FileBytes(kTexts, 9) == expected) << c.typed;
  }
  // Species 301 owns dex record 290, whose text takes 3 bytes; the long text of record 1 was
  // shown last.
  dir.Write("rom.gba", rom);
  rules.set_current(301);
  rules.ShowDex(1, rom_path);
  EXPECT_EQ(rules.WriteDescription(rom_path, "ABCDEFG"), kStatusDone);
  std::string file = dir.Read("rom.gba");
  EXPECT_TRUE(file.substr(kTexts + 0x20, 4) == std::string("\xBB\xBC\xFF", 3) + rom[kTexts + 0x23]);
  EXPECT_TRUE(file.substr(kTexts, 8) == rom.substr(kTexts, 8)) << "record 1's text untouched";
}

// Moving: the text is written at the chosen place, then the record points there and the room
// is the new text's length; the pointer reaches the file with the next save.
TEST_F(MonsterRules, AMovedDescriptionIsWrittenFirstAndPointedAtAfterwards) {
  std::string status;
  EXPECT_TRUE(rules.EncodeDescription("", status).empty());
  EXPECT_EQ(status, kEmptyDescriptionText);
  Bytes bytes = rules.EncodeDescription("ABCDEFGHIJ", status);
  ASSERT_EQ(bytes.size(), 11u);
  // A place past the end of the file is refused: the file keeps its size, the record its text.
  EXPECT_FALSE(rules.MoveDescription(rom_path, uint32_t(rom.size()) + 4, bytes).moved);
  EXPECT_EQ(dir.Read("rom.gba"), rom);
  const DescriptionMove move = rules.MoveDescription(rom_path, 0x7000, bytes);
  EXPECT_EQ(move.status, kMovedText);
  EXPECT_EQ(move.address + " " + move.size, "0x8007000 0xB");
  EXPECT_TRUE(FileBytes(0x7000, 11) == std::string("\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xFF"));
  EXPECT_EQ(rom::Get32(rules.dex(1) + L::kDexDescription), 0x08007000u);
  EXPECT_EQ(rules.capacity(1), 11);
  EXPECT_TRUE(FileBytes(kDex + L::kDexSize + L::kDexDescription, 4) == std::string("\x00\x64\x00\x08", 4));
  Save();
  EXPECT_TRUE(FileBytes(kDex + L::kDexSize + L::kDexDescription, 4) == std::string("\x00\x70\x00\x08", 4));
  EXPECT_EQ(rules.WriteDescription(rom_path, "ABCDEFGHIJKLMN"), kStatusDone);
  EXPECT_TRUE(FileBytes(0x7000, 12) == std::string("\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xFF", 11) + rom[0x700B]);
}

// tokusei.ini's lines are the ability numbers: whole lines, only their ends removed. Without
// the file the lists are empty and a store keeps the ability bytes.
TEST_F(MonsterRules, AbilitiesComeFromWholeLinesOfTokuseiIni) {
  const std::string long_line(300, 'x');
  dir.Write("tokusei.ini", "なし\r\n" + long_line + "\r\nもうか");
  ASSERT_TRUE(rules.ReadAbilities());
  EXPECT_EQ(rules.abilities(), (std::vector<std::string>{"なし", long_line, "もうか"}));

  std::filesystem::remove(dir / "tokusei.ini");
  EXPECT_FALSE(rules.ReadAbilities());
  EXPECT_TRUE(rules.abilities().empty());
  MonsterInput input = Input();
  input.ability1 = input.ability2 = -1;  // what empty lists report
  input.base[0] = "77";
  EXPECT_EQ(rules.ApplySpecies(input), kStatusDone);
  EXPECT_EQ(Stats(1)[L::kAbility1], 2);
  EXPECT_EQ(Stats(1)[L::kAbility2], 0);
  EXPECT_EQ(Stats(1)[L::kHp], 77);
}

}  // namespace

namespace {

// Slot `slot` of species 1 in the fixture's file: method, parameter, target.
size_t EvolutionAt(int slot) { return kEvolutions + L::kEvolutionRecord + size_t(slot) * L::kEvolutionSize; }

}  // namespace

// Every method with the same typed entries: what the method takes is stored, the rest is not,
// and showing the slot enables just those entries. Methods 0 and 16+ store neither a parameter
// nor a target; a typed level beyond 100 is clamped with the replaced-value text.
TEST_F(MonsterRules, EachEvolutionMethodStoresWhatItTakes) {
  text::SharedTables().items.Reset(1001);
  const std::set<int> level = {4, 8, 9, 10, 11, 12, 13, 14}, item = {6, 7, 15}, plain = {1, 2, 3, 5};
  for (int method = 0; method <= 16; ++method) {
    SCOPED_TRACE(method);
    uint8_t* slot = const_cast<uint8_t*>(rules.evolution(1, 2));
    slot[L::kEvolutionMethod] = uint8_t(method == 16 ? 0x20 : 0);
    rom::Put16(slot + L::kEvolutionParameter, 0x1234);
    rom::Put16(slot + L::kEvolutionTarget, 0x0155);
    MonsterInput input = Input();
    input.evolution_slot = 2;
    input.evolution_method = method == 16 ? -1 : method;  // 0x20 is in no list
    input.evolution_level = "150";
    input.evolution_item = 9;
    input.evolution_target = 7;
    const bool takes_level = level.count(method) > 0;
    EXPECT_EQ(rules.ApplySpecies(input), takes_level ? kStatusReplaced : kStatusDone);
    const bool off = method == 0 || method == 16;
    const uint16_t parameter = takes_level ? 100 : item.count(method) ? 9 : plain.count(method) ? 0 : 0x1234;
    EXPECT_EQ(slot[L::kEvolutionMethod], method == 16 ? 0x20 : method);
    EXPECT_EQ(rom::Get16(slot + L::kEvolutionParameter), parameter);
    EXPECT_EQ(rom::Get16(slot + L::kEvolutionTarget), off ? 0x0155 : 7);

    auto view = rules.ShowEvolution(2);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->method, method == 16 ? -1 : method);
    const EvolutionKind kind = off ? EvolutionKind::kOff
                               : takes_level ? EvolutionKind::kLevel
                               : item.count(method) ? EvolutionKind::kItem
                                                    : EvolutionKind::kPlain;
    EXPECT_EQ(view->kind, kind);
    EXPECT_EQ(view->target, off ? 0x0155 : 7);
  }
}

// Lists without a valid choice keep what the slot held; typed levels are clamped, never cut to
// their low bits; an item beyond 999 becomes no item; choosing a method stores it at once.
TEST_F(MonsterRules, EvolutionEntriesWithoutAValidChoiceKeepTheirValues) {
  text::SharedTables().items.Reset(1001);
  uint8_t* slot = const_cast<uint8_t*>(rules.evolution(1, 0));
  struct Case {
    int method;
    const char* level;
    int item, target;
    uint16_t parameter, stored_target;
    const char* status;
  };
  const Case cases[] = {
      {4, "-5", 0, 0, 0, 0, kStatusReplaced},        {4, "100", 0, 411, 100, 411, kStatusDone},
      {4, "65636", 0, 412, 100, 411, kStatusReplaced}, {7, "", 1000, -1, 0, 411, kStatusReplaced},
      {7, "", 999, 3, 999, 3, kStatusDone},            {7, "", -1, 3, 999, 3, kStatusDone},
      {7, "", 1001, 3, 999, 3, kStatusDone},
  };
  for (const Case& c : cases) {
    MonsterInput input = Input();
    input.evolution_slot = 0;
    input.evolution_method = c.method;
    input.evolution_level = c.level;
    input.evolution_item = c.item;
    input.evolution_target = c.target;
    EXPECT_EQ(rules.ApplySpecies(input), c.status) << c.level << " " << c.item << " " << c.target;
    EXPECT_EQ(rom::Get16(slot + L::kEvolutionParameter), c.parameter) << c.level << " " << c.item;
    EXPECT_EQ(rom::Get16(slot + L::kEvolutionTarget), c.stored_target) << c.target;
  }
  EXPECT_TRUE(rules.SelectEvolutionMethod(0, 15));
  EXPECT_EQ(slot[L::kEvolutionMethod], 15);
  for (int selection : {-1, 16}) EXPECT_FALSE(rules.SelectEvolutionMethod(0, selection)) << selection;
  EXPECT_FALSE(rules.SelectEvolutionMethod(5, 1)) << "there are five slots";
  EXPECT_EQ(slot[L::kEvolutionMethod], 15);
  // Without a slot on show nothing evolution-wise is stored.
  MonsterInput input = Input();
  input.evolution_method = 0;
  EXPECT_EQ(rules.ApplySpecies(input), kStatusDone);
  EXPECT_EQ(slot[L::kEvolutionMethod], 15);
}

// The save writes each slot's method, parameter and target and leaves bytes 1 and 6-7 as the
// file holds them at the time of the save.
TEST_F(MonsterRules, SavingEvolutionsKeepsTheGamesBytesOfEachSlot) {
  MonsterInput input = Input();
  input.evolution_slot = 4;
  input.evolution_method = 4;
  input.evolution_level = "36";
  input.evolution_target = 0x102;
  ASSERT_EQ(rules.ApplySpecies(input), kStatusDone);
  std::string changed = dir.Read("rom.gba");
  for (int s = 0; s < L::kSpecies; ++s)
    for (int slot = 0; slot < L::kEvolutionSlots; ++slot)
      for (size_t kept : {1, 6, 7})
        changed[kEvolutions + size_t(s) * L::kEvolutionRecord + size_t(slot) * L::kEvolutionSize + kept] = '\xEE';
  dir.Write("rom.gba", changed);
  Save();
  std::string expected = changed;
  expected[kStats + L::kStatsSize + L::kEffort + 1] = 0x01;  // the effort word's unused bits
  expected.replace(EvolutionAt(4), 6, std::string("\x04\xEE\x24\x00\x02\x01", 6));
  EXPECT_TRUE(dir.Read("rom.gba") == expected);
}
