#pragma once
// Whole-file input and output for the commands; failures are reported on the error stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/commands.h"

namespace cli {

// The largest input a command reads whole: a ROM fills at most the cartridge's 32 MiB.
inline constexpr uint64_t kMaxInput = uint64_t(32) << 20;

// "-" is the standard input; any other name may be a file, a pipe or a device, read to its end.
// An input of more than `limit` bytes is refused (reported) before it is read whole.
bool ReadInput(std::string_view path, std::string& data, const Io& io, uint64_t limit = kMaxInput);
// A file is replaced only once the new bytes are whole on the disk (never left cut short, and
// a file the user may not write is refused); a pipe or a device is written to directly, and
// "-" (or /dev/stdout) is the standard output.
bool WriteOutput(std::string_view path, const void* data, size_t size, const Io& io);

}  // namespace cli
