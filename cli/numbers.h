#pragma once
// Numbers on the command line, read the same way by every command: "0x" (or "0X") and
// hexadecimal digits, or plain decimal digits. A leading zero is decimal, never octal; signs,
// spaces and anything after the digits are refused.
#include <cstdint>
#include <string_view>

namespace cli {

bool ParseNumber(std::string_view text, uint64_t& value);

}  // namespace cli
