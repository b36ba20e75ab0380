// The shared name tables: list entry texts and the store of typed names into name fields.
#include "text/shared_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using text::NameStoreResult;
using Bytes = std::vector<uint8_t>;

struct VectorList : text::INameList {
  std::vector<std::string> entries;
  void AddEntry(const std::string& entry) override { entries.push_back(entry); }
};

class NameTablesTest : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    text::SharedTables().Reset();
    text::SharedTables().switches = {};
  }
  text::CSharedTables& tables = text::SharedTables();
};

Bytes Field(const uint8_t* p, int n) { return Bytes(p, p + n); }

// Species names: 6 bytes, at most 5 characters. The move, class and item layouts are checked
// through their pages' renames in the editors' rules tests.
TEST_F(NameTablesTest, SpeciesNameFields) {
  EXPECT_EQ(tables.species.StoreName(0, "ABCDEF"), NameStoreResult::kStored);
  EXPECT_EQ(Field(tables.species.record(0), 6), (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xFF}));
  EXPECT_EQ(tables.species.StoreName(1, "ABC"), NameStoreResult::kStored);
  EXPECT_EQ(Field(tables.species.record(1), 6), (Bytes{0xBB, 0xBC, 0xBD, 0xFF, 0x00, 0x00}));
}

TEST_F(NameTablesTest, EmptyTextsAndPositionsOutsideTheTableStoreNothing) {
  tables.species.record(3)[0] = 0x11;
  EXPECT_EQ(tables.species.StoreName(3, ""), NameStoreResult::kEmptyText);
  EXPECT_EQ(tables.species.record(3)[0], 0x11);
  EXPECT_EQ(tables.species.StoreName(412, "A"), NameStoreResult::kOutOfRange);
  EXPECT_EQ(tables.species.record(412), nullptr);
  EXPECT_EQ(std::as_const(tables.species).Entry(412), "");
  EXPECT_EQ(tables.species.StoreName(-1, "A"), NameStoreResult::kOutOfRange);
  tables.moves.Reset(1);
  EXPECT_EQ(tables.moves.StoreName(1, "A"), NameStoreResult::kOutOfRange);
  EXPECT_EQ(tables.classes.StoreName(0, "A"), NameStoreResult::kOutOfRange);
}

TEST_F(NameTablesTest, EntryTextsFollowTheSwitches) {
  tables.species.StoreName(25, "ピカ");
  EXPECT_EQ(tables.species.Entry(25), "ピカ終　　　");
  text::VantariText().set_hide_terminator(1);
  EXPECT_EQ(tables.species.Entry(25), "ピカ　　　");
  tables.switches.viewnumber = true;
  EXPECT_EQ(tables.species.Entry(25), "025:ピカ　　　");
  // Bytes that decode to nothing show the plain index, with or without the switch.
  std::fill_n(tables.species.record(7), 6, 0xFF);
  EXPECT_EQ(tables.species.Entry(7), "7");
  tables.switches.viewnumber = false;
  EXPECT_EQ(tables.species.Entry(7), "7");
  text::VantariText().set_hide_terminator(0);

  tables.moves.Reset(2);
  tables.moves.StoreName(1, "A");
  EXPECT_EQ(tables.moves.Entry(1), "A終　　　　　");
  tables.switches.duplication = true;
  EXPECT_EQ(tables.moves.Entry(1), "001:A終　　　　　");
}

TEST_F(NameTablesTest, FillersAddOneEntryPerSlot) {
  VectorList species, moves, classes, types;
  tables.species.FillList(species);
  EXPECT_EQ(species.entries.size(), 412u);

  tables.moves.Reset(0);
  tables.moves.FillList(moves);
  EXPECT_TRUE(moves.entries.empty());
  tables.moves.Reset(355);
  tables.moves.FillList(moves);
  EXPECT_EQ(moves.entries.size(), 355u);

  tables.classes.Reset(-5);
  tables.classes.FillList(classes);
  EXPECT_TRUE(classes.entries.empty());
  tables.classes.Reset(66);
  tables.classes.FillList(classes);
  EXPECT_EQ(classes.entries.size(), 66u);

  text::FillTypeList(types);
  ASSERT_EQ(types.entries.size(), 18u);
  EXPECT_EQ(types.entries[9], "不明");
  EXPECT_EQ(types.entries[17], "悪");
}

}  // namespace
