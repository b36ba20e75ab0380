#pragma once
// Patches between files: what tessaro's two menu items do. The inputs are read only up to
// what they may hold (a ROM 32 MiB, a patch a little more): a larger file is refused before it
// is read whole. The output is written beside its place and replaces it only when whole, so a
// refused patch leaves every file as it was.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "patch/patch.h"

namespace patch {

enum class ReadResult { kRead, kFailed, kTooLarge };

// The whole file into `data`, unless it holds more than `limit` bytes. kFailed leaves the
// system's text in `error`.
ReadResult ReadFileUpTo(const std::filesystem::path& path, uint64_t limit, std::vector<uint8_t>& data,
                        std::string& error);

// Makes the patch that turns `original` into `modified`, in the format the name `out` ends in
// (".bps" or ".ips"). `text` gets the outcome in the programs' words.
bool MakePatchFile(const std::filesystem::path& original, const std::filesystem::path& modified,
                   const std::filesystem::path& out, std::string& text);

// Applies `patch_file` to `rom` and writes the result to `out` (which may be `rom` itself, but
// not a name ending in ".bps" or ".ips").
bool ApplyPatchFile(const std::filesystem::path& rom, const std::filesystem::path& patch_file,
                    const std::filesystem::path& out, std::string& text);

}  // namespace patch
