#pragma once
// IPS patches. Layout: "PATCH", records, "EOF", and optionally the 3-byte size the result is
// cut to. A record is a 3-byte offset and a 2-byte size (big-endian) followed by that many
// bytes; size 0 marks a run instead: a 2-byte count and the byte repeated. Records may write
// past the end of the original, which grows (with zeros in any gap).
// Offsets are 24 bits: nothing at or past 16 MiB can be changed. A record at 0x454F46 would
// read as "EOF", so none starts there.
#include <cstdint>
#include <vector>

#include "patch/patch_format.h"

namespace patch {

inline constexpr uint64_t kIpsReach = uint64_t(1) << 24;
inline constexpr uint32_t kIpsEofOffset = 0x454F46;
inline constexpr size_t kIpsMaxRecord = 0xFFFF;

bool InspectIps(Bytes patch, Info& info, Problem& problem);
bool ApplyIps(Bytes patch, Bytes source, std::vector<uint8_t>& target, Problem& problem);
// Refused (kIpsOutOfReach, with the ROM offset) when a change lies at or past 16 MiB, or the
// result is shorter than the original but not shorter than 16 MiB.
bool MakeIps(Bytes source, Bytes target, std::vector<uint8_t>& patch, Problem& problem);

}  // namespace patch
