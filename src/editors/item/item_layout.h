#pragma once
// The item record: 40 bytes, item number = index in the table, no header, no terminator.
// Bytes not named here are carried unchanged.
#include <cstddef>

#include "text/shared_tables.h"

namespace item_layout {

inline constexpr size_t kSize = 40;
inline constexpr size_t kName = 0;         // 9 bytes of game text, 0xFF-terminated
inline constexpr size_t kPrice = 12;       // 16-bit
inline constexpr size_t kParameter = 15;   // amount restored, appearance rate or chance
inline constexpr size_t kDescription = 16; // 32-bit GBA address of the description text
inline constexpr size_t kPocket = 22;      // 1-based entry of the pocket list
inline constexpr size_t kBattleUse = 28;   // 0 none, 1 item, 2 ball

static_assert(text::kItems.record_size == kSize);

}  // namespace item_layout
