#pragma once
// The Shift-JIS (code page 932) boundary. Narrow text inside the programs is Shift-JIS; the
// window side and file names need UTF-16 or the host's own encoding.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Undecodable bytes become U+30FB, as code page 932 does on Windows.
std::u16string SjisToUtf16(std::string_view sjis);
// Characters code page 932 cannot hold become '?'.
std::string Utf16ToSjis(std::u16string_view utf16);

// UTF-8 text (a terminal's, a test's) to Shift-JIS and back. Invalid UTF-8 gives "".
std::string Utf8ToSjis(std::string_view utf8);
std::string SjisToUtf8(std::string_view sjis);

// True when byte c starts a double-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// File names: Shift-JIS text to a host path and back (wide on Windows, UTF-8 elsewhere).
std::filesystem::path PathFromSjis(std::string_view sjis);
std::string SjisFromPath(const std::filesystem::path& path);

}  // namespace platform
