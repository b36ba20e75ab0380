// The shared name tables: list entry texts and the store of typed names into name fields.
#include "text/name_tables.h"

#include <gtest/gtest.h>

#include <string>
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
  void SetUp() override { text::Switches() = {}; }
  void TearDown() override { text::Switches() = {}; }
  text::CNameTables tables;
};

Bytes Field(const uint8_t* p, int n) { return Bytes(p, p + n); }

TEST_F(NameTablesTest, NameFieldsOfEverySize) {
  // Species: 6 bytes, at most 5 characters.
  EXPECT_EQ(tables.StoreSpeciesName(0, "ABCDEF"), NameStoreResult::kStored);
  EXPECT_EQ(Field(tables.species_name(0), 6), (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xFF}));
  EXPECT_EQ(tables.StoreSpeciesName(1, "ABC"), NameStoreResult::kStored);
  EXPECT_EQ(Field(tables.species_name(1), 6), (Bytes{0xBB, 0xBC, 0xBD, 0xFF, 0x00, 0x00}));

  // Moves: 7 name bytes, the terminator after them.
  tables.ResetMoves(3);
  EXPECT_EQ(tables.StoreMoveName(2, "ABCDEFG"), NameStoreResult::kStored);
  EXPECT_EQ(Field(tables.move_name(2), 8),
            (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xFF}));

  // Classes: 10 name bytes in an 11-byte record whose last byte is carried.
  tables.ResetClasses(2);
  tables.class_record(1)[10] = 0x42;
  EXPECT_EQ(tables.StoreClassName(1, "ABCDEFGHIJK"), NameStoreResult::kStored);
  EXPECT_EQ(Field(tables.class_record(1), 11),
            (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xFF, 0x42}));

  // Items: 9 bytes, 8 characters kept.
  uint8_t item[9] = {};
  EXPECT_EQ(text::StoreName(text::VantariText(), "ABCDEFGHI", item, text::kItemNameField),
            NameStoreResult::kStored);
  EXPECT_EQ(Field(item, 9), (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xFF}));
}

TEST_F(NameTablesTest, EmptyTextsAndPositionsOutsideTheTableStoreNothing) {
  tables.species_name(3)[0] = 0x11;
  EXPECT_EQ(tables.StoreSpeciesName(3, ""), NameStoreResult::kEmptyText);
  EXPECT_EQ(tables.species_name(3)[0], 0x11);
  EXPECT_EQ(tables.StoreSpeciesName(412, "A"), NameStoreResult::kOutOfRange);
  EXPECT_EQ(tables.StoreSpeciesName(-1, "A"), NameStoreResult::kOutOfRange);
  tables.ResetMoves(1);
  EXPECT_EQ(tables.StoreMoveName(1, "A"), NameStoreResult::kOutOfRange);
  EXPECT_EQ(tables.StoreClassName(0, "A"), NameStoreResult::kOutOfRange);
}

TEST_F(NameTablesTest, EntryTextsFollowTheSwitches) {
  tables.StoreSpeciesName(25, "ピカ");
  EXPECT_EQ(tables.SpeciesEntry(25), "ピカ終　　　");
  text::VantariText().set_hide_terminator(1);
  EXPECT_EQ(tables.SpeciesEntry(25), "ピカ　　　");
  text::Switches().viewnumber = true;
  EXPECT_EQ(tables.SpeciesEntry(25), "025:ピカ　　　");
  // Bytes that decode to nothing show the plain index, with or without the switch.
  std::fill_n(tables.species_name(7), 6, 0xFF);
  EXPECT_EQ(tables.SpeciesEntry(7), "7");
  text::Switches().viewnumber = false;
  EXPECT_EQ(tables.SpeciesEntry(7), "7");
  text::VantariText().set_hide_terminator(0);

  tables.ResetMoves(2);
  tables.StoreMoveName(1, "A");
  EXPECT_EQ(tables.MoveEntry(1), "A終　　　　　");
  text::Switches().duplication = true;
  EXPECT_EQ(tables.MoveEntry(1), "001:A終　　　　　");
}

TEST_F(NameTablesTest, FillersAddOneEntryPerSlot) {
  VectorList species, moves, classes, types;
  tables.FillSpeciesList(species);
  EXPECT_EQ(species.entries.size(), 412u);

  tables.ResetMoves(0);
  tables.FillMoveList(moves);
  EXPECT_TRUE(moves.entries.empty());
  tables.ResetMoves(355);
  tables.FillMoveList(moves);
  EXPECT_EQ(moves.entries.size(), 355u);

  tables.ResetClasses(-5);
  tables.FillClassList(classes);
  EXPECT_TRUE(classes.entries.empty());
  tables.ResetClasses(66);
  tables.FillClassList(classes);
  EXPECT_EQ(classes.entries.size(), 66u);

  text::CNameTables::FillTypeList(types);
  ASSERT_EQ(types.entries.size(), 18u);
  EXPECT_EQ(types.entries[9], "不明");
  EXPECT_EQ(types.entries[17], "悪");
}

}  // namespace
