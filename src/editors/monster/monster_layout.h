#pragma once
// The monster records: the base-stats record of each of the 412 species and the dex record of
// each of the 387 dex numbers. All values are unsigned and little-endian.
#include <array>
#include <cstddef>
#include <cstdint>

namespace monster_layout {

inline constexpr int kSpecies = 412;
inline constexpr int kDexEntries = 387;

// Base-stats record, 28 bytes per species, back to back.
inline constexpr size_t kStatsSize = 28;
inline constexpr size_t kHp = 0;  // the six base stats, one byte each, in this order:
inline constexpr size_t kBaseStatCount = 6;  // HP, attack, defence, speed, sp. attack, sp. defence
inline constexpr size_t kType1 = 6;
inline constexpr size_t kType2 = 7;
inline constexpr size_t kCatchRate = 8;
inline constexpr size_t kExpYield = 9;
inline constexpr size_t kEffort = 10;       // 16-bit: six 2-bit yields from bit 0 up, bits 12-15 unused
inline constexpr size_t kItemCommon = 12;   // 16-bit item index, held 50 % of the time
inline constexpr size_t kItemRare = 14;     // 16-bit item index, held 5 % of the time
inline constexpr size_t kGender = 16;
inline constexpr size_t kEggSteps = 17;     // steps / 256
inline constexpr size_t kFriendship = 18;
inline constexpr size_t kGrowth = 19;       // experience type
inline constexpr size_t kEggGroup1 = 20;
inline constexpr size_t kEggGroup2 = 21;
inline constexpr size_t kAbility1 = 22;     // line of tokusei.ini
inline constexpr size_t kAbility2 = 23;
inline constexpr size_t kFleeRate = 24;     // used by BPRJ and BPGJ only
inline constexpr size_t kStatsPadding = 25; // three bytes carried unchanged

inline constexpr int kEffortBits = 2;
inline constexpr uint16_t kEffortMask = 0x0FFF;
inline constexpr int kEggStepUnit = 256;

// Dex record, 28 bytes per dex number, back to back. The editor owns the fields named here;
// the bytes between them belong to the game and are never changed.
inline constexpr size_t kDexSize = 28;
inline constexpr size_t kDexName = 0;          // 5 bytes of game text, no terminator of its own
inline constexpr size_t kDexNameSize = 5;
inline constexpr size_t kDexHeight = 6;        // 16-bit, tenths of a metre
inline constexpr size_t kDexWeight = 8;        // 16-bit, tenths of a kilogram
inline constexpr size_t kDexDescription = 12;  // 32-bit GBA address of the description text
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
inline constexpr size_t kEvolutionMethod = 0;     // 8-bit, index into the method list
inline constexpr size_t kEvolutionParameter = 2;  // 16-bit: a level, an item index or 0
inline constexpr size_t kEvolutionTarget = 4;     // 16-bit species index
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
constexpr int LearnsetLevel(uint16_t entry) { return entry >> kLearnsetMoveBits; }
constexpr int LearnsetMove(uint16_t entry) { return entry & kLearnsetMoveMask; }
// The bytes of a list of `count` entries with its terminator.
constexpr uint64_t LearnsetBytes(int64_t count) { return uint64_t(count) * kLearnsetEntrySize + kLearnsetEntrySize; }

}  // namespace monster_layout
