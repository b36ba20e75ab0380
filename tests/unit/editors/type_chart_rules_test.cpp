// The type chart page's rules: the list up to its end marker, storing entries, and moving the
// list to a new place with a new length.
#include "editors/type_chart/type_chart_rules.h"

#include "core/rom_address.h"
#include "core/table_io.h"
#include "unit/editors/rules_on_rom.h"

namespace {

constexpr size_t kRomSize = 1024;
constexpr uint32_t kPointerAt = 16, kListAt = 64, kFreeAt = 512;

// A ROM whose chart pointer at 16 leads to `list` at 64; 0xFF from 512 on.
std::string ChartRom(const std::string& list, uint32_t target = kListAt + kGbaBase) {
  std::string bytes(kRomSize, '\x11');
  bytes.replace(kPointerAt, 4, Le(target, 4));
  bytes.replace(kListAt, list.size(), list);
  return bytes.replace(kFreeAt, kRomSize - kFreeAt, std::string(kRomSize - kFreeAt, '\xFF'));
}

class TypeChartRules : public RulesOnRom<CTypeChartRules> {
 protected:
  void Load(const std::string& list) {
    Setup(ChartRom(list), "Compatibility=16\r\n");
    ASSERT_TRUE(Read());
  }
};

TEST_F(TypeChartRules, TheListEndsAtTheFirstPairOfEndBytes) {
  struct Case {
    std::string list;
    int count;
  };
  const Case cases[] = {
      {std::string("\x05\xFE\x14\xFE\xFE", 5), 1},  // a lone 0xFE does not end it
      {std::string("\x0A\x0C\x14\x0B\x0A\x05\xFE\xFE\x00\x07\x00\x01\xFF\xFF", 14), 2},  // the games' shape
      {std::string("\x01\x02\x05\x03\xFE\xFE", 6), 1},  // a pair across entries; the count rounds down
      {std::string("\xFE\xFE", 2), 0},
  };
  for (const Case& c : cases) {
    Load(c.list);
    EXPECT_EQ(rules.count(), c.count) << c.list.size();
  }
  Load(cases[1].list);
  EXPECT_EQ(rules.Line(1), "水\t火\t半減");

  // No end before the end of the file, a pointer or a pointer slot outside it: refused, and
  // nothing is written back.
  std::string no_end(kRomSize, '\x01');
  no_end.replace(kPointerAt, 4, Le(kListAt + kGbaBase, 4));
  for (auto [bytes, ini] : {std::pair{no_end, "Compatibility=16\r\n"},
                            std::pair{ChartRom("\xFE\xFE", kRomSize + kGbaBase), "Compatibility=16\r\n"},
                            std::pair{ChartRom("\xFE\xFE"), "Compatibility=1022\r\n"}}) {
    Setup(bytes, ini);
    std::string error;
    EXPECT_FALSE(Read(&error)) << ini;
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(Save() == rom);
  }
}

TEST_F(TypeChartRules, StoringKeepsWhatNoListChose) {
  // Entry 0 has multiplier 10, which none of the three list entries stands for.
  Load(std::string("\x00\x01\x0A\x02\x03\x05\x12\x04\x14\xFE\xFE", 11));
  EXPECT_EQ(rules.Line(0), "ノーマル\t格闘\t?(10)");
  rules.set_current(0);
  EXPECT_EQ(rules.Show()->multiplier, -1) << "shown as no selection";
  struct Case {
    int32_t entry;
    TypeChartView chosen;
    std::string bytes;
  };
  const Case cases[] = {
      {0, {3, 4, -1}, std::string("\x03\x04\x0A", 3)},  // the untouched multiplier is kept
      {0, {3, 4, 0}, std::string("\x03\x04\x00", 3)},
      {1, {17, 0, 1}, std::string("\x11\x00\x05", 3)},
      {1, {-1, 18, 2}, std::string("\x11\x00\x14", 3)},  // no valid type: the bytes stay
      {2, {-1, 5, 3}, std::string("\x12\x05\x14", 3)},
  };
  for (const Case& c : cases) {
    rules.set_current(c.entry);
    ASSERT_TRUE(rules.Store(c.chosen));
    EXPECT_EQ(std::string(rules.entries().begin() + c.entry * 3, rules.entries().begin() + c.entry * 3 + 3), c.bytes);
  }
  EXPECT_EQ(rules.Line(2), "18\t岩\t2倍");
  rules.set_current(3);
  EXPECT_FALSE(rules.Store({0, 0, 0}));
  std::string saved = Save();
  EXPECT_EQ(saved.substr(kListAt, 11), std::string("\x03\x04\x00\x11\x00\x14\x12\x05\x14\xFE\xFE", 11));
  EXPECT_EQ(saved.substr(0, kListAt), rom.substr(0, kListAt)) << "a save does not write the pointer";
}

TEST_F(TypeChartRules, RelocationWritesListEndAndPointerIntoAnExistingRomOnly) {
  const std::string list("\x0A\x0C\x14\x0B\x0A\x05\x0C\x0A\x00\xFE\xFE", 11);
  const std::string empty(3, '\0');
  struct Case {
    int count;
    bool copy;
    std::string written;
  };
  for (const Case& c : {Case{5, true, list.substr(0, 9) + empty + empty}, Case{2, true, list.substr(0, 6)},
                        Case{4, false, empty + empty + empty + empty}}) {
    Load(list);
    std::string error;
    ASSERT_TRUE(rules.Relocate(rom_path, kFreeAt + 4, c.count, c.copy, error)) << error;
    std::string expected = rom;
    expected.replace(kPointerAt, 4, Le(kFreeAt + 4 + kGbaBase, 4));
    expected.replace(kFreeAt + 4, c.written.size() + 2, c.written + "\xFE\xFE");
    EXPECT_TRUE(File() == expected) << c.count << ": the old list stays";
    ASSERT_TRUE(Read());
    EXPECT_EQ(rules.count(), c.count);
  }
  // A list running past the end of the file, no entries, a ROM that is gone: nothing written.
  std::string error, before = File();
  EXPECT_FALSE(rules.Relocate(rom_path, kRomSize - 4, 1, true, error));
  EXPECT_EQ(error, kTableOutsideRomText);
  EXPECT_FALSE(rules.Relocate(rom_path, kFreeAt, 0, true, error));
  EXPECT_FALSE(rules.Relocate(dir / "missing.gba", kFreeAt, 1, true, error));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.gba"));
  EXPECT_TRUE(File() == before);
}

}  // namespace
