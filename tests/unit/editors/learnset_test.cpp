// The level-up learnsets on a small hand-made ROM and on the demo ROM: what a store makes of
// typed levels and chosen moves, the swaps, reads that fail or meet the end of the file, the
// in-place write with its cap, and the move to a new place: copied or fresh entries, the
// pointer written last with the half of the ROM it names, and nothing written for a list never read.
#include "editors/monster/learnset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "demo/demo_rom.h"
#include "demo/games.h"
#include "demo/workspace.h"
#include "editors/monster/monster_layout.h"
#include "editors/monster/monster_rules.h"
#include "text/shared_tables.h"
#include "unit/test_dir.h"

namespace {

namespace L = monster_layout;

constexpr const char* kPage = "12CSolid_Value";
constexpr size_t kRomSize = 0x2000;
constexpr size_t kTable = 0x100;                 // the pointer table, 0x100-0x76F
constexpr uint32_t kTwelve = 0x1000;             // species 0: 12 entries
constexpr uint32_t kEmpty = 0x1100;              // every other species: the terminator only
constexpr uint32_t kNearEnd = kRomSize - 6;      // species 3: 3 entries, no terminator
constexpr uint32_t kOutside = 0x00FFFFF0;        // species 2: beyond the file
constexpr uint32_t kPlace = 0x1804;              // free words from 0x1800 to 0x1900
constexpr int kNoAddressSpecies = 4;             // byte 3 of its address is no cartridge's

uint16_t Entry(int i) { return L::LearnsetEntry(i + 1, 10 + i); }

// Configures `learnset` for the pointer table at `table` of the ROM file `path` and reads it.
testing::AssertionResult LoadPointers(CLearnset& learnset, const std::filesystem::path& path, int64_t table,
                                      uint64_t rom_size) {
  learnset.Configure(table, rom_size);
  platform::CFile file;
  std::string error;
  if (!file.Open(path, platform::OpenMode::kReadExisting)) return testing::AssertionFailure() << file.ErrorText();
  if (!learnset.ReadPointers(file, error)) return testing::AssertionFailure() << error;
  return testing::AssertionSuccess();
}

class Learnset : public testing::Test {
 protected:
  void SetUp() override {
    text::SharedTables().Reset();
    text::SharedTables().moves.Reset(600);
    rom.assign(kRomSize, 0);
    for (size_t i = 0; i < kRomSize; ++i) rom[i] = char(i * 7 + 3);
    for (size_t i = 0x1800; i < 0x1900; ++i) rom[i] = char(0xFF);
    for (int s = 0; s < L::kSpecies; ++s) Point(s, kEmpty);
    Point(0, kTwelve);
    Point(2, kOutside);
    Point(3, kNearEnd);
    rom[kTable + kNoAddressSpecies * 4 + 3] = char(0x77);
    for (int i = 0; i < 12; ++i) Put16(kTwelve + 2 * i, Entry(i));
    Put16(kTwelve + 24, L::kLearnsetEnd);
    Put16(kEmpty, L::kLearnsetEnd);
    for (int i = 0; i < 3; ++i) Put16(kNearEnd + 2 * i, Entry(i));
    path = dir.Write("rom.gba", rom);
    Load(kTable);
  }
  void TearDown() override { text::SharedTables().Reset(); }

  void Point(int species, uint32_t offset) {
    rom::Put32(Byte(kTable + size_t(species) * 4), rom::OffsetToPointer(offset));
  }
  void Put16(size_t at, uint16_t value) { rom::Put16(Byte(at), value); }
  uint8_t* Byte(size_t at) { return reinterpret_cast<uint8_t*>(rom.data()) + at; }
  void Load(int64_t table) { ASSERT_TRUE(LoadPointers(learnset, path, table, kRomSize)); }
  std::string File() const { return dir.Read("rom.gba"); }

  TestDir dir;
  std::string rom;
  std::filesystem::path path;
  CLearnset learnset;
};

std::string Le16(std::vector<uint16_t> entries) {
  std::string out;
  for (uint16_t e : entries) out += {char(e & 0xFF), char(e >> 8)};
  return out;
}

// Levels are kept to 1-127 and moves to the entry's nine bits; no entry becomes the terminator.
TEST_F(Learnset, StoreClampsLevelAndMoveIntoTheEntry) {
  struct Case {
    const char* level;
    int move;  // list selection, -1: none
    uint16_t entry;
    bool replaced;
  };
  const Case cases[] = {
      {"25", 300, 0x332C, false},         {"1", 0, 0x0200, false},
      {"100", 354, 0xC962, false},        {"127", 354, 0xFF62, false},
      {"1", 511, 0x03FF, false},          {"0", 0, 0x0200, true},
      {"200", 5, 0xFE05, true},           {"x", 5, 0x0205, true},
      {"5", -1, 0x0A05, false},           {"5", 599, L::LearnsetEntry(5, 511), true},
      {"127", 511, 0xFFFE, true},
  };
  ASSERT_TRUE(learnset.Read(path, 0).empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.level) + " / " + std::to_string(c.move));
    EXPECT_EQ(learnset.Store(3, c.move, c.level), c.replaced ? kStatusReplaced : kStatusDone);
    EXPECT_EQ(learnset.entries()[3], c.entry);
  }
  EXPECT_EQ(learnset.Show().lines[3], "Lv:127 " + text::SharedTables().moves.Entry(510));
  // Without a selected line nothing is stored.
  EXPECT_EQ(learnset.Store(-1, 5, "5"), "");
  EXPECT_EQ(learnset.Store(12, 5, "5"), "");
  EXPECT_EQ(learnset.count(), 12);
}

TEST_F(Learnset, SwapsStopAtBothEndsAndWithoutSelection) {
  struct Case {
    int index;
    bool up;
    int selection;  // -1: nothing moves
  };
  const Case cases[] = {{0, true, -1}, {11, false, -1}, {-1, true, -1}, {-1, false, -1},
                        {1, true, 0},  {10, false, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.index) + (c.up ? " up" : " down"));
    ASSERT_TRUE(learnset.Read(path, 0).empty());
    std::vector<uint16_t> expected(learnset.entries());
    if (c.selection >= 0) std::swap(expected[size_t(c.index)], expected[size_t(c.selection)]);
    const LearnsetSwap swap = learnset.Swap(c.index, c.up);
    EXPECT_EQ(learnset.entries(), expected);
    EXPECT_EQ(swap.selection, c.selection);
    EXPECT_EQ(swap.status, c.selection < 0 ? kLearnsetDeadEndText : "");
  }
}

// A list is read up to its terminator or the end of the file; a pointer beyond the file gives
// an empty list that is never written back. Without a table nothing is read at all.
TEST_F(Learnset, ReadsTakeWhatTheFileHoldsAndFailuresLeaveTheListEmpty) {
  struct Case {
    int species;
    int count;
    bool ok;
    std::string address;
  };
  const Case cases[] = {{0, 12, true, "0x1000"}, {1, 0, true, "0x1100"}, {3, 3, true, "0x1FFA"},
                        {2, 0, false, "0xFFFFF0"}, {kNoAddressSpecies, 0, false, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.species);
    const std::string status = learnset.Read(path, c.species);
    EXPECT_EQ(status, c.ok ? "" : std::string(kLearnsetReadFailure) + kShortReadText);
    EXPECT_EQ(learnset.read_ok(), c.ok);
    EXPECT_EQ(learnset.count(), c.count);
    EXPECT_EQ(learnset.Show().count, std::to_string(c.count));
    EXPECT_EQ(learnset.Show().address, c.address);
    if (c.ok) continue;
    // A failed read is not written in place, and moving it copies nothing.
    EXPECT_EQ(learnset.WriteInPlace(path), "");
    EXPECT_EQ(File(), rom);
  }
  // A list that was not read is not copied; moved without copying, it gets fresh entries and
  // an address the game can follow.
  ASSERT_FALSE(learnset.Read(path, kNoAddressSpecies).empty());
  EXPECT_FALSE(learnset.Relocate(path, kPlace, 2, true, kPage).ok);
  EXPECT_EQ(File(), rom);
  ASSERT_TRUE(learnset.Relocate(path, kPlace, 2, false, kPage).ok);
  EXPECT_EQ(File().substr(kPlace, 6), Le16({0, 0, L::kLearnsetEnd}));
  EXPECT_EQ(File().substr(kTable + kNoAddressSpecies * 4, 4), std::string("\x04\x18\x00\x08", 4));

  for (int64_t table : {int64_t(-1), int64_t(kRomSize - 4)}) {
    SCOPED_TRACE(table);
    Load(table);
    EXPECT_FALSE(learnset.pointers_loaded());
    EXPECT_EQ(learnset.Read(path, 0), "");
    EXPECT_EQ(learnset.count(), 0);
    EXPECT_FALSE(learnset.Relocate(path, kPlace, 2, false, kPage).ok);
  }
}

// Species 1 of the demo ROM has 210 entries: 200 are read, and writing them in place changes
// those 200 only; the ten beyond and the terminator stay.
TEST(LearnsetOnDemoRom, InPlaceWriteKeepsEntriesBeyondTheCap) {
  demo::DemoRom demo = demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1);
  TestDir dir;
  std::string original(demo.bytes.begin(), demo.bytes.end());
  auto path = dir.Write("demo.gba", original);
  long table = -1;
  for (const auto& [key, value] : demo.keys)
    if (key == "Level_Skill") table = value;
  ASSERT_GE(table, 0);
  CLearnset learnset;
  ASSERT_TRUE(LoadPointers(learnset, path, table, original.size()));
  ASSERT_EQ(learnset.Read(path, 1), "");
  ASSERT_EQ(learnset.count(), L::kLearnsetReadCap);
  const size_t at = learnset.pointer(1);
  const int move = L::LearnsetMove(learnset.entries()[199]);
  ASSERT_EQ(learnset.Store(199, -1, "50"), kStatusDone);
  EXPECT_EQ(learnset.WriteInPlace(path), "");
  std::string expected = original;
  expected.replace(at + 199 * 2, 2, Le16({L::LearnsetEntry(50, move)}));
  EXPECT_EQ(dir.Read("demo.gba"), expected);
  EXPECT_EQ(original.substr(at + 420, 2), Le16({L::kLearnsetEnd})) << "the list's own terminator";
}

// The list and its terminator go to the new place, copied or fresh; then only bytes 0-2 of the
// species' address change. The old list stays where it was.
TEST_F(Learnset, RelocationWritesTheListThenBytesZeroToTwoOfThePointer) {
  struct Case {
    int species, count;
    bool copy;
    std::vector<uint16_t> written;
  };
  std::vector<uint16_t> first10, all12_and_two;
  for (int i = 0; i < 12; ++i) (i < 10 ? first10 : all12_and_two).push_back(Entry(i));
  all12_and_two.insert(all12_and_two.begin(), first10.begin(), first10.end());
  all12_and_two.insert(all12_and_two.end(), {0, 0});
  const Case cases[] = {
      {0, 10, true, first10},
      {0, 14, true, all12_and_two},
      {0, 3, false, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + (c.copy ? " copied" : " fresh"));
    path = dir.Write("rom.gba", rom);
    Load(kTable);
    ASSERT_EQ(learnset.Read(path, c.species), "");
    const LearnsetRelocation moved = learnset.Relocate(path, kPlace, c.count, c.copy, kPage);
    ASSERT_TRUE(moved.ok) << moved.status;
    EXPECT_EQ(moved.status, kLearnsetSavedText);
    std::vector<uint16_t> list = c.written;
    list.push_back(L::kLearnsetEnd);
    std::string expected = rom;
    expected.replace(kPlace, list.size() * 2, Le16(list));
    expected.replace(kTable + size_t(c.species) * 4, 3, std::string("\x04\x18\x00", 3));
    EXPECT_EQ(File(), expected);
    EXPECT_EQ(learnset.pointer(c.species), kPlace);
    EXPECT_EQ(learnset.count(), c.count) << "read again from its new place";
    EXPECT_EQ(learnset.Show().address, "0x1804");
  }
}

// Failures leave the pointer as it was, in memory and in the file: a ROM that has gone (and is
// not made anew), a place the list would run past the end of the file from, a place no pointer
// can hold, a file-size limit that cuts the writes short.
// Refused moves leave the pointer, the list and the file as they were (failures of the file
// itself are swept with every other write).
TEST_F(Learnset, RefusedMovesLeaveThePointerAsItWas) {
  const std::pair<uint32_t, const char*> cases[] = {
      {kRomSize - 8, "::GbaRomData_Waza_Data_Save を実行中にエラーが発生しました。指定バイト分書き込めませんでした。"},
      {0x2000000, "::GbaRomData_Level_Addr_Save を実行中にエラーが発生しました。0x2000000 はポインタに収まりません。"},
  };
  for (auto [place, status] : cases) {
    SCOPED_TRACE(place);
    path = dir.Write("rom.gba", rom);
    Load(kTable);
    ASSERT_EQ(learnset.Read(path, 0), "");
    const LearnsetRelocation moved = learnset.Relocate(path, place, place == 0x2000000 ? 2 : 4, true, kPage);
    EXPECT_FALSE(moved.ok);
    EXPECT_EQ(moved.status.find(kPage + std::string(status)), 0u) << moved.status;
    EXPECT_EQ(learnset.pointer(0), kTwelve);
    EXPECT_EQ(learnset.count(), 12);
    EXPECT_EQ(File(), rom);
  }
}

}  // namespace

namespace {

// The first offset where two ROM images differ (the size when they agree), so that a failure
// names a place instead of printing 16 MiB.
size_t FirstDifference(const std::string& a, const std::string& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return a.size() == b.size() && i == a.size() ? a.size() : i;
}

// In a ROM beyond 16 MiB an address names the upper half with byte 3 = 0x09: the list is read and
// written there, never at the same offset in the lower half, and a move there says so in byte 3.
TEST(LearnsetInUpperHalf, ReadWrittenAndMovedAtTheAddressesUpperHalf) {
  constexpr uint32_t kHalf = 0x1000000, kList = kHalf + 0x100, kNewPlace = kHalf + 0x1000;
  TestDir dir;
  std::string rom(kHalf + 0x2000, char(0xFF));
  auto* bytes = reinterpret_cast<uint8_t*>(rom.data());
  for (int s = 0; s < L::kSpecies; ++s) rom::Put32(bytes + kTable + size_t(s) * 4, rom::OffsetToPointer(kList));
  rom::Put16(bytes + kList, L::LearnsetEntry(7, 33));
  auto path = dir.Write("rom.gba", rom);
  CLearnset learnset;
  ASSERT_TRUE(LoadPointers(learnset, path, kTable, rom.size()));
  ASSERT_EQ(learnset.Read(path, 5), "");
  ASSERT_EQ(learnset.count(), 1);
  EXPECT_EQ(learnset.Show().address, "0x1000100");
  ASSERT_EQ(learnset.Store(0, -1, "8"), kStatusDone);  // the move kept, the level changed
  EXPECT_EQ(learnset.WriteInPlace(path), "");
  std::string expected = rom;
  expected.replace(kList, 2, Le16({L::LearnsetEntry(8, 33)}));
  EXPECT_EQ(FirstDifference(dir.Read("rom.gba"), expected), expected.size());
  ASSERT_TRUE(learnset.Relocate(path, kNewPlace, 1, true, kPage).ok);
  expected.replace(kNewPlace, 4, Le16({L::LearnsetEntry(8, 33), L::kLearnsetEnd}));
  expected.replace(kTable + 5 * 4, 4, std::string("\x00\x10\x00\x09", 4));
  EXPECT_EQ(FirstDifference(dir.Read("rom.gba"), expected), expected.size());
}

}  // namespace
