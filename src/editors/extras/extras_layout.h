#pragma once
// What the extras page reads and writes: the trainer-class records, the move-name slots and
// the six starter values, each a 16-bit species index at an offset of its own.
#include <array>
#include <cstddef>

#include "core/record_field.h"
#include "text/shared_tables.h"

namespace extras_layout {

// Trainer class: bytes 0-9 the name (game text, 0xFF-terminated), byte 10 carried unchanged.
inline constexpr size_t kClassSize = 11;
inline constexpr size_t kClassName = 0;
inline constexpr size_t kClassNameBytes = 10;
// Move name: up to 7 bytes of game text and the terminator.
inline constexpr size_t kMoveNameSize = 8;
// Starter: a 16-bit little-endian species index.
inline constexpr size_t kStarterSize = 2;
inline constexpr RecordField kStarter = ListField("species", 0, kStarterSize, NameList::kSpecies);

// The Setting.ini keys of the starters, left, centre, right.
inline constexpr std::array<const char*, 3> kPlayerStarterKeys = {"Left", "Center", "Right"};
inline constexpr std::array<const char*, 3> kRivalStarterKeys = {"RLeft", "RCenter", "RRight"};

static_assert(text::kTrainerClasses.record_size == kClassSize);
static_assert(text::kTrainerClasses.name.size == int(kClassNameBytes));
static_assert(text::kMoveNames.record_size == kMoveNameSize);

}  // namespace extras_layout
