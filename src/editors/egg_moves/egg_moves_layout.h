#pragma once
// The egg-move table: 16-bit words. A word above kMarkerBase starts the group of species
// (word - kMarkerBase); the words after it, up to the next such word, are the moves that species
// learns through eggs. The word kEnd ends the table.
#include <cstddef>
#include <cstdint>

namespace egg_moves_layout {

inline constexpr size_t kWordSize = 2;
inline constexpr uint16_t kMarkerBase = 20000;
inline constexpr uint16_t kEnd = 0xFFFF;

inline constexpr bool IsEnd(uint16_t word) { return word == kEnd; }
inline constexpr bool IsMarker(uint16_t word) { return word > kMarkerBase && !IsEnd(word); }
inline constexpr uint16_t Marker(int species) { return uint16_t(kMarkerBase + species); }

}  // namespace egg_moves_layout
