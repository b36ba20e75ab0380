#pragma once
// Profile (INI) files with the contract of GetPrivateProfileStringA / WritePrivateProfileStringA:
// Windows uses the system's functions, elsewhere a portable implementation that answers the
// same on everything the programs rely on. Text is Shift-JIS.
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace platform {

// Copies the value of `key` in `section` (or `def` when the file, section or key is missing)
// into `buffer` of `size` bytes, always zero-terminated when size > 0. Returns the number of
// bytes copied without the terminator; a value cut to fit returns size - 1.
uint32_t ReadProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                          const char* def, char* buffer, uint32_t size);

// False for names and a value that would break the file's lines: a line break or a zero byte
// anywhere, '=' in the key, ']' in the section, a key that reads as a section or a comment
// (a leading '[' or ';'), an empty section or key. Double-byte characters are skipped whole.
bool ProfileEntryIsValid(std::string_view section, std::string_view key, std::string_view value);

// Sets `key` in `section` to `value`, creating the file, the section or the key as needed and
// keeping every other line. A null `value` removes the key, a null `key` the whole section.
// Names or a value that ProfileEntryIsValid refuses are not written (false). The file is
// replaced whole, never left cut short.
bool WriteProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                        const char* value);

namespace portable {
uint32_t ReadProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                          const char* def, char* buffer, uint32_t size);
bool WriteProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                        const char* value);
}  // namespace portable

}  // namespace platform
