#pragma once
// The in-game trade record: 60 bytes, the table a plain array without header or terminator.
// Bytes not named here are carried unchanged.
#include <cstddef>
#include <cstdint>

namespace trade_layout {

inline constexpr size_t kSize = 60;
inline constexpr size_t kNickname = 0;        // 6 bytes of game text, byte 5 = 0xFF
inline constexpr size_t kSpeciesGiven = 12;   // 16-bit, what the partner gives
inline constexpr size_t kIvs = 14;            // six bytes: HP, attack, defence, speed, sp. atk, sp. def
inline constexpr size_t kIvCount = 6;
inline constexpr uint8_t kIvMax = 31;
inline constexpr size_t kAbility = 20;        // 1: second ability
inline constexpr size_t kTrainerId = 24;      // 16-bit
inline constexpr size_t kPersonality = 36;    // 32-bit
inline constexpr size_t kItem = 40;           // 16-bit held item
inline constexpr size_t kPartner = 43;        // 6 bytes of game text, byte 5 = 0xFF
inline constexpr size_t kSpeciesAsked = 56;   // 16-bit, what the partner asks for
inline constexpr size_t kNameSize = 6;
inline constexpr size_t kNameChars = 5;

}  // namespace trade_layout
