#pragma once
// The trainer record (32 bytes, little-endian, back to back) and the party members it points to.
#include <cstddef>
#include <cstdint>

namespace trainer_layout {

inline constexpr size_t kSize = 32;
inline constexpr size_t kDataType = 0;      // party layout 0-3
inline constexpr size_t kClass = 1;         // trainer-class name index
inline constexpr size_t kMusic = 2;         // pre-battle music
inline constexpr size_t kPicture = 3;       // trainer picture index
inline constexpr size_t kName = 4;          // game charset
inline constexpr size_t kNameSize = 6;
inline constexpr size_t kListNameBytes = 5;  // the bytes the trainer list decodes
inline constexpr size_t kItems = 10;        // four 16-bit item indexes
inline constexpr size_t kItemCount = 4;
inline constexpr size_t kDouble = 18;       // 0 or 1
inline constexpr size_t kChecks = 20;       // battle checks in bits 0-3; bits 4-7 the game's
inline constexpr size_t kPartySize = 24;    // 1-6
inline constexpr size_t kPartyAddress = 28;  // GBA address; bytes 28-30 are the ROM offset
inline constexpr size_t kPartyOffsetBytes = 3;
inline constexpr uint32_t kMaxPartyOffset = 0x1FFFFFF;  // a pointer reaches 32 MiB

// Party members: an 8-byte first block, and for the types with moves an 8-byte second block.
inline constexpr int kMaxMembers = 6;
inline constexpr size_t kBlock = 8;
inline constexpr size_t kUnknown = 0;  // per-member value the games use, not interpreted
inline constexpr size_t kLevel = 2;
inline constexpr size_t kSpecies = 4;  // 16 bits
inline constexpr size_t kExtra = 6;    // first block: held item (types 2, 3) or move 1 (type 1)
inline constexpr int kDataTypeCount = 4;  // valid layouts 0-3

inline constexpr bool HasMoves(int type) { return type == 1 || type == 3; }
inline constexpr bool HasItem(int type) { return type == 2 || type == 3; }
inline constexpr size_t MemberSize(int type) { return HasMoves(type) ? 2 * kBlock : kBlock; }

}  // namespace trainer_layout
