#pragma once
// Whole-file input and output for the commands; failures are reported on the error stream.
#include <cstddef>
#include <string>
#include <string_view>

#include "cli/commands.h"

namespace cli {

bool ReadInput(std::string_view path, std::string& data, const Io& io);
bool WriteOutput(std::string_view path, const void* data, size_t size, const Io& io);

}  // namespace cli
