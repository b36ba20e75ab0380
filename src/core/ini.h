#pragma once
// Reads and writes values of profile files (Setting.ini) by section and key.
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/profile.h"

class CINI {
 public:
  using Reader = uint32_t (*)(const std::filesystem::path&, const char*, const char*, const char*,
                              char*, uint32_t);
  using Writer = bool (*)(const std::filesystem::path&, const char*, const char*, const char*);

  CINI() = default;
  // For tests: other profile functions than the system's.
  CINI(Reader reader, Writer writer) : read_(reader), write_(writer) {}

  // A value of any length. The buffer starts at `size` + 1 bytes and doubles while the value
  // does not fit, at most 20 times; then the value is cleared, a line goes to standard output
  // and the call fails. A missing key reads as an empty value and succeeds.
  bool GetString(const std::filesystem::path& file, const char* section, const char* key,
                 std::string& value, size_t size = 256) const;

  // Numeric values; each returns false and leaves `value` untouched when the key is missing.
  bool GetInt(const std::filesystem::path& file, const char* section, const char* key, int& value) const;
  bool GetLong(const std::filesystem::path& file, const char* section, const char* key, long& value) const;
  // Base 0: "0x" hexadecimal and leading-zero octal are understood too.
  bool GetULong(const std::filesystem::path& file, const char* section, const char* key,
                unsigned long& value) const;

  // Into a caller's buffer of `size` bytes; true when at least one character was read.
  bool Read(const std::filesystem::path& file, const char* section, const char* key, char* buffer,
            uint32_t size) const;

  // Writes a value formatted printf-style. A value longer than 16 383 bytes is not written.
  bool Write(const std::filesystem::path& file, const char* section, const char* key,
             const char* format, ...) const __attribute__((format(printf, 5, 6)));

  static constexpr size_t kWriteBufferSize = 16384;
  static constexpr int kGrowRounds = 20;

 private:
  Reader read_ = &platform::ReadProfileValue;
  Writer write_ = &platform::WriteProfileValue;
};
