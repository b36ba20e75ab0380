#pragma once
// BPS patches. Layout:
//   "BPS1", number source size, number target size, number metadata size, metadata,
//   actions until the result is whole, uint32 source CRC, uint32 target CRC, uint32 CRC of
//   everything before it (little-endian).
// A number is 7 bits a byte, low bits first, the top bit marking the last byte; every byte
// but the last also adds one to what follows, so each value has exactly one spelling.
// An action is the number (length - 1) << 2 | kind:
//   0 source read:  the next `length` bytes of the original, at the same place
//   1 target read:  `length` new bytes, which follow in the patch
//   2 source copy:  a number (|delta| << 1 | negative) moves the source cursor; `length` bytes
//                   of the original from there (the cursor advances past them)
//   3 target copy:  the same with the target cursor, over the result made so far; it may
//                   overlap the bytes it makes (a run repeats)
#include <cstdint>
#include <string_view>
#include <vector>

#include "patch/patch_format.h"

namespace patch {

inline constexpr char kBpsMagic[4] = {'B', 'P', 'S', '1'};
inline constexpr size_t kBpsFooterBytes = 12;

enum BpsAction : uint8_t { kSourceRead = 0, kTargetRead = 1, kSourceCopy = 2, kTargetCopy = 3 };

// Appends `value` as a BPS number.
void AppendBpsNumber(std::vector<uint8_t>& out, uint64_t value);
// The bytes AppendBpsNumber writes for `value`.
size_t BpsNumberBytes(uint64_t value);

// The header and footer, checked; `actions_at` gets where the actions begin.
bool ReadBpsHeader(Bytes patch, Info& info, size_t& actions_at, Problem& problem);
bool ApplyBps(Bytes patch, Bytes source, std::vector<uint8_t>& target, Problem& problem);
// Finds data of the target in the original (wherever it lies) and earlier in the target, so
// moved and repeated data become copies.
std::vector<uint8_t> MakeBps(Bytes source, Bytes target, std::string_view metadata = {});

}  // namespace patch
