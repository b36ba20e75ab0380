#pragma once
// The move record: 12 bytes, move number = index in the table, no header, no terminator.
#include <array>
#include <cstddef>

namespace move_layout {

inline constexpr size_t kSize = 12;
inline constexpr size_t kEffect = 0;    // line of effects.ini
inline constexpr size_t kPower = 1;
inline constexpr size_t kType = 2;      // type value 0-17
inline constexpr size_t kAccuracy = 3;
inline constexpr size_t kPP = 4;
inline constexpr size_t kChance = 5;    // effect chance
inline constexpr size_t kUnknown = 6;   // six bytes the editor shows but does not interpret
inline constexpr size_t kUnknownCount = 6;

}  // namespace move_layout
