#pragma once
// The type chart: a pointer to a list of 3-byte entries (attacking type, defending type,
// multiplier) that ends where two bytes 0xFE 0xFE follow each other. Entries after that marker
// belong to the game, not to this list.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/record_field.h"

namespace type_chart_layout {

inline constexpr size_t kEntrySize = 3;
inline constexpr RecordField kAttacker = ListField("attacker", 0, 1, NameList::kType);
inline constexpr RecordField kDefender = ListField("defender", 1, 1, NameList::kType);
inline constexpr RecordField kMultiplier = ListField("multiplier", 2, 1, NameList::kMultiplier);
inline constexpr uint8_t kEndByte = 0xFE;  // two of them end the list
inline constexpr size_t kEndSize = 2;
inline constexpr size_t kPointerSize = 4;

// The multipliers the page offers, in list order: no effect, half, double.
inline constexpr std::array<uint8_t, 3> kMultipliers = {0, 5, 20};

// Bytes a list of `count` entries takes with its end marker.
inline constexpr uint64_t ListBytes(int64_t count) { return uint64_t(count) * kEntrySize + kEndSize; }

}  // namespace type_chart_layout
