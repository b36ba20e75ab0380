#pragma once
// Patches: the bytes that turn an original ROM into a modified one, so that a hack can be shared
// without the ROM. Two formats:
//   BPS: checksums of the original, the result and the patch itself; any size; data that moved
//        costs a copy, not its bytes (bps.h);
//   IPS: no checksums; changes in the first 16 MiB only; a shorter result through the
//        truncation mark after "EOF" (ips.h).
// Everything here works on bytes in memory and never writes anything; patch_files.h reads and
// writes the files. A patch is applied whole or refused whole, with the place of the problem.
#include <cstdint>
#include <string_view>
#include <vector>

#include "patch/patch_format.h"

namespace patch {

// Reads a patch's header and walks its records without applying it. False with the problem
// for a patch that could never be applied.
bool Inspect(Bytes patch, Info& info, Problem& problem);

// Applies a BPS or IPS patch (told apart by its first bytes) to `source`. `target` gets the
// result only when the whole patch applied and, for BPS, every checksum held; otherwise it is
// left empty and `problem` says why.
bool Apply(Bytes patch, Bytes source, std::vector<uint8_t>& target, Problem& problem);

// Makes a patch of `format` that turns `source` into `target`. BPS may carry `metadata`.
bool Make(Format format, Bytes source, Bytes target, std::vector<uint8_t>& patch, Problem& problem,
          std::string_view metadata = {});

}  // namespace patch
