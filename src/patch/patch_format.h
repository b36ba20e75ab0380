#pragma once
// What both patch formats share: their names, the faults a patch can have with their place, the
// checksum and what a patch says about itself (patch.h makes, applies and inspects them).
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/rom_writer.h"

namespace patch {

using Bytes = std::span<const uint8_t>;

// No ROM, original or result, is larger than the cartridge.
inline constexpr uint64_t kMaxRomBytes = kCartridgeBytes;
// A patch larger than this is no patch of a ROM (a BPS patch that stores every byte of a 32 MiB
// result as new data stays below it).
inline constexpr uint64_t kMaxPatchBytes = kMaxRomBytes + (uint64_t(1) << 20);

enum class Format { kNone, kBps, kIps };

// By the file name's extension (".bps", ".ips", any case).
Format FormatOfName(const std::filesystem::path& name);
// By the patch's first bytes ("BPS1", "PATCH").
Format FormatOfBytes(Bytes patch);
const char* FormatName(Format format);  // "BPS", "IPS", "?"

enum class Fault {
  kNone,
  kNotPatch,            // neither a BPS nor an IPS patch
  kEndsEarly,           // the patch ends inside a record or before its result is whole
  kTrailingBytes,       // bytes after the end of the patch's data
  kBadNumber,           // a number too large to mean anything
  kReadsOutsideSource,  // a step reads past the end of the original
  kWritesOutsideTarget, // a step writes past the end of the result, or copies what is not there
  kTargetTooLarge,      // the result would be larger than the cartridge
  kPatchChecksum,       // the patch's own checksum fails: it is damaged
  kWrongSource,         // the original is not the ROM the patch was made for
  kResultChecksum,      // the result is not what the patch promises
  kIpsOutOfReach,       // make: a change at or past 16 MiB, which IPS cannot express
  kInputTooLarge,       // a file larger than a ROM or a patch can be
};

// What went wrong and where: `offset` is the place in the patch (for make: in the ROM);
// checksums and sizes where the fault names them.
struct Problem {
  Fault fault = Fault::kNone;
  uint64_t offset = 0;
  uint32_t expected_crc = 0, actual_crc = 0;
  uint64_t expected_size = 0, actual_size = 0;
};

// The problem in the programs' words (Shift-JIS).
std::string ProblemText(const Problem& problem);

// zlib's CRC-32, the checksum BPS uses.
uint32_t Crc32(Bytes data);

// What a patch says about itself.
struct Info {
  Format format = Format::kNone;
  uint64_t patch_size = 0;
  // BPS: the sizes and checksums it records, whether its own checksum holds, its metadata.
  uint64_t source_size = 0, target_size = 0;
  uint32_t source_crc = 0, target_crc = 0;
  uint32_t patch_crc = 0, patch_crc_computed = 0;  // recorded, and of the bytes it covers
  std::string metadata;
  // IPS: its records (run-length ones among them), the end of the last byte it writes, and the
  // size it cuts the result to, if it has a truncation mark.
  uint64_t records = 0, run_records = 0, write_end = 0;
  bool truncates = false;
  uint64_t truncated_size = 0;
};

}  // namespace patch
