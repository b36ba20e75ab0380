#pragma once
// The monster records: the base-stats record of each of the 412 species and the dex record of
// each of the 387 dex numbers. All values are unsigned and little-endian.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/record_field.h"

namespace monster_layout {

inline constexpr int kSpecies = 412;
inline constexpr int kDexEntries = 387;

// Base-stats record, 28 bytes per species, back to back.
inline constexpr size_t kStatsSize = 28;
// The six base stats, one byte each: HP, attack, defence, speed, sp. attack, sp. defence.
inline constexpr std::array<RecordField, 6> kBaseStats = {
    NumberField("hp", 0, 1, 255),        NumberField("attack", 1, 1, 255),     NumberField("defense", 2, 1, 255),
    NumberField("speed", 3, 1, 255),     NumberField("sp_attack", 4, 1, 255),  NumberField("sp_defense", 5, 1, 255)};
inline constexpr RecordField kHp = kBaseStats[0];
inline constexpr size_t kBaseStatCount = kBaseStats.size();
inline constexpr RecordField kType1 = ListField("type1", 6, 1, NameList::kType);
inline constexpr RecordField kType2 = ListField("type2", 7, 1, NameList::kType);
inline constexpr RecordField kCatchRate = NumberField("catch_rate", 8, 1, 255);
inline constexpr RecordField kExpYield = NumberField("exp_yield", 9, 1, 255);
// 16-bit: six 2-bit yields from bit 0 up, in the order of the base stats; bits 12-15 unused.
inline constexpr RecordField kEffort = NumberField("effort", 10, 2, 0x0FFF);
inline constexpr std::array<RecordField, 6> kEffortYields = {
    BitsField("ev_hp", 10, 2, 0, 2),     BitsField("ev_attack", 10, 2, 2, 2),    BitsField("ev_defense", 10, 2, 4, 2),
    BitsField("ev_speed", 10, 2, 6, 2),  BitsField("ev_sp_attack", 10, 2, 8, 2), BitsField("ev_sp_defense", 10, 2, 10, 2)};
inline constexpr RecordField kItemCommon = ListField("item_common", 12, 2, NameList::kItem);  // held 50 % of the time
inline constexpr RecordField kItemRare = ListField("item_rare", 14, 2, NameList::kItem);      // held 5 % of the time
inline constexpr RecordField kGender = NumberField("gender", 16, 1, 255);
inline constexpr RecordField kEggSteps = NumberField("egg_cycles", 17, 1, 255);  // steps / 256
inline constexpr RecordField kFriendship = NumberField("friendship", 18, 1, 255);
inline constexpr RecordField kGrowth = ListField("growth", 19, 1, NameList::kGrowth);  // experience type
inline constexpr RecordField kEggGroup1 = ListField("egg_group1", 20, 1, NameList::kEggGroup);
inline constexpr RecordField kEggGroup2 = ListField("egg_group2", 21, 1, NameList::kEggGroup);
inline constexpr RecordField kAbility1 = ListField("ability1", 22, 1, NameList::kAbility);  // line of tokusei.ini
inline constexpr RecordField kAbility2 = ListField("ability2", 23, 1, NameList::kAbility);
inline constexpr RecordField kFleeRate = NumberField("flee_rate", 24, 1, 255);  // used by BPRJ and BPGJ only
inline constexpr size_t kStatsPadding = 25; // three bytes carried unchanged

inline constexpr int kEffortBits = 2;
inline constexpr uint16_t kEffortMask = 0x0FFF;
inline constexpr int kEggStepUnit = 256;

// Dex record, 28 bytes per dex number, back to back. The editor owns the fields named here;
// the bytes between them belong to the game and are never changed.
inline constexpr size_t kDexSize = 28;
inline constexpr RecordField kDexName = TextField("name", 0, 5);  // game text, no terminator of its own
inline constexpr size_t kDexNameSize = kDexName.width;
inline constexpr RecordField kDexHeight = NumberField("height_dm", 6, 2, 65534);  // tenths of a metre
inline constexpr RecordField kDexWeight = NumberField("weight_hg", 8, 2, 65534);  // tenths of a kilogram
inline constexpr RecordField kDexDescription = NumberField("description", 12, 4, 0xFFFFFFFF);  // GBA address of the text
inline constexpr size_t kDexValue18 = 18;      // 16-bit, carried
inline constexpr size_t kDexValue20 = 20;      // 8-bit, carried
inline constexpr size_t kDexValue22 = 22;      // 16-bit, carried
inline constexpr size_t kDexValue24 = 24;      // 8-bit, carried
// The runs of a dex record the editor reads and writes ({offset, length}); a record is read
// from its first byte to the end of its last run.
struct Run {
  size_t offset, length;
};
inline constexpr std::array<Run, 5> kDexRuns = {{{0, 5}, {6, 4}, {12, 4}, {18, 3}, {22, 3}}};
inline constexpr size_t kDexReadSize = 25;

// Evolution table: five slots of 8 bytes per species, back to back. The editor owns the method,
// parameter and target; bytes 1 and 6-7 belong to the game and are never changed.
inline constexpr int kEvolutionSlots = 5;
inline constexpr size_t kEvolutionSize = 8;
inline constexpr RecordField kEvolutionMethod = ListField("method", 0, 1, NameList::kEvolutionMethod);
inline constexpr RecordField kEvolutionParameter = NumberField("parameter", 2, 2, 0xFFFF);  // a level, an item or 0
inline constexpr RecordField kEvolutionTarget = ListField("target", 4, 2, NameList::kSpecies);
inline constexpr size_t kEvolutionRecord = kEvolutionSize * kEvolutionSlots;  // one species
inline constexpr int kEvolutionMethods = 16;

// TM/HM compatibility: 8 bytes per species, back to back. Bit i is bit i % 8 of byte i / 8;
// bits 0-49 are TM 01-50 and bits 50-57 HM 01-08. The games use no more: bits 58-63 are
// written as 0.
inline constexpr size_t kMachineSize = 8;
inline constexpr int kMachineTms = 50;
inline constexpr int kMachineHms = 8;
inline constexpr int kMachineBits = kMachineTms + kMachineHms;
inline constexpr uint64_t kMachineMask = (uint64_t(1) << kMachineBits) - 1;
// Level-up learnsets: a table of one 32-bit GBA address per species, each pointing at a list of
// 16-bit entries ended by kLearnsetEnd. The editor keeps bytes 0-2 of an address (the ROM
// offset); byte 3 belongs to the game and is never rewritten.
inline constexpr size_t kLearnsetPointerSize = 4;
inline constexpr size_t kLearnsetPointerKept = 3;
inline constexpr size_t kLearnsetTableSize = kLearnsetPointerSize * kSpecies;
inline constexpr size_t kLearnsetEntrySize = 2;
inline constexpr uint16_t kLearnsetEnd = 0xFFFF;
inline constexpr int kLearnsetReadCap = 200;  // entries read at most; the rest stays in the ROM
// An entry: the move in bits 0-8, the level in bits 9-15.
inline constexpr int kLearnsetMoveBits = 9;
inline constexpr uint16_t kLearnsetMoveMask = (1u << kLearnsetMoveBits) - 1;
inline constexpr int kLearnsetMaxMove = kLearnsetMoveMask;
inline constexpr int kLearnsetMaxLevel = 0xFFFF >> kLearnsetMoveBits;
constexpr uint16_t LearnsetEntry(int level, int move) { return uint16_t(level << kLearnsetMoveBits | move); }
inline constexpr RecordField kLearnsetLevel =
    RecordField{"level", 0, 2, 1, kLearnsetMaxLevel, FieldKind::kNumber, NameList::kNone, kLearnsetMoveBits, 7};
inline constexpr RecordField kLearnsetMove =
    RecordField{"move", 0, 2, 0, kLearnsetMaxMove, FieldKind::kList, NameList::kMove, 0, kLearnsetMoveBits};
constexpr int LearnsetLevel(uint16_t entry) { return entry >> kLearnsetMoveBits; }
constexpr int LearnsetMove(uint16_t entry) { return entry & kLearnsetMoveMask; }
// The bytes of a list of `count` entries with its terminator.
constexpr uint64_t LearnsetBytes(int64_t count) { return uint64_t(count) * kLearnsetEntrySize + kLearnsetEntrySize; }

}  // namespace monster_layout
