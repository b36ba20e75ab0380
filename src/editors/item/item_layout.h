#pragma once
// The item record: 40 bytes, item number = index in the table, no header, no terminator.
// Bytes not named here are carried unchanged.
#include <cstddef>

#include "core/record_field.h"
#include "text/shared_tables.h"

namespace item_layout {

inline constexpr size_t kSize = 40;
inline constexpr RecordField kName = TextField("name", 0, 9);  // 0xFF-terminated
inline constexpr RecordField kPrice = NumberField("price", 12, 2, 0xFFFF);
inline constexpr RecordField kParameter = NumberField("parameter", 15, 1, 255);  // amount restored, rate or chance
inline constexpr size_t kDescription = 16; // 32-bit GBA address of the description text
inline constexpr RecordField kPocket = ListField("pocket", 22, 1, NameList::kPocket);  // 1-based entry of the list
inline constexpr RecordField kBattleUse = ListField("battle_use", 28, 1, NameList::kBattleUse);  // none, item, ball

static_assert(text::kItems.record_size == kSize);

}  // namespace item_layout
