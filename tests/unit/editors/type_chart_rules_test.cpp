// The type chart page's rules: the list up to its end marker, storing entries, and moving the
// list to a new place with a new length.
#include "editors/type_chart/type_chart_rules.h"

#include <gtest/gtest.h>

#include "core/rom_address.h"
#include "core/table_io.h"
#include "editors/type_chart/type_chart_layout.h"
#include "unit/editors/rules_on_rom.h"

namespace {

constexpr size_t kRomSize = 1024;
constexpr uint32_t kPointerAt = 16, kListAt = 64, kFreeAt = 512;

// A ROM whose chart pointer at 16 leads to `list` at 64; 0xFF from 512 on.
std::string ChartRom(const std::string& list) {
  std::string bytes(kRomSize, '\x11');
  bytes.replace(kPointerAt, 4, Le(kListAt + kGbaBase, 4));
  bytes.replace(kListAt, list.size(), list);
  bytes.replace(kFreeAt, kRomSize - kFreeAt, std::string(kRomSize - kFreeAt, '\xFF'));
  return bytes;
}

const std::string kIni = "Compatibility=16\r\n";

class TypeChartRules : public RulesOnRom<CTypeChartRules> {
 protected:
  void Load(const std::string& list) {
    Setup(ChartRom(list), kIni);
    ASSERT_TRUE(Read());
  }
};

TEST_F(TypeChartRules, TheListEndsAtTheFirstPairOfEndBytes) {
  struct Case {
    std::string list;
    int count;
  };
  const Case cases[] = {
      // A lone 0xFE inside an entry does not end the list.
      {std::string("\x05\xFE\x14\xFE\xFE", 5), 1},
      // The games' chart: entries, FE FE, entries the page leaves alone, FF FF.
      {std::string("\x0A\x0C\x14\x0B\x0A\x05\xFE\xFE\x00\x07\x00\x01\xFF\xFF", 14), 2},
      // A pair that falls across an entry boundary still ends it; the count rounds down.
      {std::string("\x01\x02\x05\x03\xFE\xFE", 6), 1},
      {std::string("\xFE\xFE", 2), 0},
  };
  for (const Case& c : cases) {
    Setup(ChartRom(c.list), kIni);
    ASSERT_TRUE(Read());
    EXPECT_EQ(rules.count(), c.count) << c.list.size();
    EXPECT_EQ(rules.loaded(), c.count > 0);
  }
  Load(cases[1].list);
  EXPECT_EQ(rules.Line(0), "火\t草\t2倍");
  EXPECT_EQ(rules.Line(1), "水\t火\t半減");
}

TEST_F(TypeChartRules, BrokenChartsFailTheReadAndAreNotWritten) {
  struct Case {
    const char* what;
    std::string rom;
    std::string ini;
  };
  std::string no_end(kRomSize, '\x01');
  no_end.replace(kPointerAt, 4, Le(kListAt + kGbaBase, 4));
  std::string wild = ChartRom("\x01\x02\x05\xFE\xFE");
  wild.replace(kPointerAt, 4, Le(kRomSize + kGbaBase, 4));
  const Case cases[] = {
      {"no end marker before the end of the file", no_end, kIni},
      {"a pointer outside the file", wild, kIni},
      {"a pointer slot outside the file", ChartRom(""), "Compatibility=1022\r\n"},
  };
  for (const Case& c : cases) {
    Setup(c.rom, c.ini);
    std::string error;
    EXPECT_FALSE(Read(&error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_FALSE(rules.loaded()) << c.what;
    EXPECT_TRUE(Save() == c.rom) << c.what;
  }
  Setup(ChartRom("\x01\x02\x05\xFE\xFE"), "");
  EXPECT_TRUE(Read()) << "no key: nothing read";
  EXPECT_FALSE(rules.loaded());
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
      {0, {3, 4, -1}, std::string("\x03\x04\x0A", 3)},  // untouched multiplier kept
      {0, {3, 4, 0}, std::string("\x03\x04\x00", 3)},
      {1, {17, 0, 1}, std::string("\x11\x00\x05", 3)},
      {1, {-1, 18, 2}, std::string("\x11\x00\x14", 3)},  // no valid type: bytes kept
      {2, {-1, 5, 3}, std::string("\x12\x05\x14", 3)},   // type 18 kept, multiplier 3 is none
  };
  for (const Case& c : cases) {
    rules.set_current(c.entry);
    ASSERT_TRUE(rules.Store(c.chosen)) << c.entry;
    EXPECT_EQ(std::string(rules.entries().begin() + c.entry * 3, rules.entries().begin() + c.entry * 3 + 3), c.bytes)
        << c.entry;
  }
  EXPECT_EQ(rules.Line(2), "18\t岩\t2倍");
  for (int32_t outside : {-1, 3}) {
    rules.set_current(outside);
    EXPECT_FALSE(rules.Store({0, 0, 0}));
    EXPECT_FALSE(rules.Show());
  }
  std::string saved = Save();
  EXPECT_EQ(saved.substr(kListAt, 11), std::string("\x03\x04\x00\x11\x00\x14\x12\x05\x14\xFE\xFE", 11));
  EXPECT_EQ(saved.substr(0, kListAt), rom.substr(0, kListAt)) << "the pointer is not written by a save";
}

// Moving the list: its entries, the end marker and the pointer, and nothing else.
TEST_F(TypeChartRules, RelocationWritesListEndAndPointer) {
  const std::string list("\x0A\x0C\x14\x0B\x0A\x05\x0C\x0A\x00\xFE\xFE", 11);
  const std::string empty(3, '\0');
  struct Case {
    const char* what;
    int count;
    bool copy;
    std::string written;
  };
  const Case cases[] = {
      {"grow with copy", 5, true, list.substr(0, 9) + empty + empty},
      {"shrink with copy", 2, true, list.substr(0, 6)},
      {"fresh", 4, false, empty + empty + empty + empty},
  };
  for (const Case& c : cases) {
    Load(list);
    std::string error;
    ASSERT_TRUE(rules.Relocate(rom_path, kFreeAt + 4, c.count, c.copy, error)) << c.what << error;
    std::string expected = rom;
    expected.replace(kPointerAt, 4, Le(kFreeAt + 4 + kGbaBase, 4));
    expected.replace(kFreeAt + 4, c.written.size() + 2, c.written + "\xFE\xFE");
    EXPECT_TRUE(File() == expected) << c.what << ": the old list stays, the new one ends with FE FE";
    ASSERT_TRUE(Read()) << c.what;
    EXPECT_EQ(rules.count(), c.count) << c.what;
    EXPECT_EQ(rules.table_offset(), kFreeAt + 4) << c.what;
  }
}

TEST_F(TypeChartRules, RelocationWritesNothingItCannotFinish) {
  Load(std::string("\x01\x02\x05\xFE\xFE", 5));
  std::string error;
  // A place whose list would run past the end of the file, and no entries at all.
  EXPECT_FALSE(rules.Relocate(rom_path, kRomSize - 4, 1, true, error));
  EXPECT_EQ(error, kTableOutsideRomText);
  EXPECT_FALSE(rules.Relocate(rom_path, kFreeAt, 0, true, error));
  EXPECT_TRUE(File() == rom);
  // A ROM that is gone is not created again.
  std::filesystem::path missing = dir / "missing.gba";
  EXPECT_FALSE(rules.Relocate(missing, kFreeAt, 1, true, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
