#pragma once
// The move record: 12 bytes, move number = index in the table, no header, no terminator.
#include <array>
#include <cstddef>

#include "core/record_field.h"

namespace move_layout {

inline constexpr size_t kSize = 12;
inline constexpr RecordField kEffect = ListField("effect", 0, 1, NameList::kEffect);  // line of effects.ini
inline constexpr RecordField kPower = NumberField("power", 1, 1, 255);
inline constexpr RecordField kType = ListField("type", 2, 1, NameList::kType);
inline constexpr RecordField kAccuracy = NumberField("accuracy", 3, 1, 255);
inline constexpr RecordField kPP = NumberField("pp", 4, 1, 255);
inline constexpr RecordField kChance = NumberField("chance", 5, 1, 255);  // effect chance
// Six bytes the editor shows but does not interpret.
inline constexpr std::array<RecordField, 6> kUnknownBytes = {
    NumberField("unknown1", 6, 1, 255), NumberField("unknown2", 7, 1, 255), NumberField("unknown3", 8, 1, 255),
    NumberField("unknown4", 9, 1, 255), NumberField("unknown5", 10, 1, 255), NumberField("unknown6", 11, 1, 255)};
inline constexpr RecordField kUnknown = kUnknownBytes[0];
inline constexpr size_t kUnknownCount = kUnknownBytes.size();

}  // namespace move_layout
