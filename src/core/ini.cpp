#include "core/ini.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

bool CINI::GetString(const std::filesystem::path& file, const char* section, const char* key,
                     std::string& value, size_t size) const {
  std::vector<char> buffer(size + 1, '\0');
  for (int round = 0; round < kGrowRounds; ++round) {
    uint32_t n = read_(file, section, key, "", buffer.data(), static_cast<uint32_t>(buffer.size()));
    // The value was cut when the reader filled the buffer up to its last byte or two.
    if (n == 0 || (n != buffer.size() - 1 && n != buffer.size() - 2)) {
      value.assign(buffer.data(), std::strlen(buffer.data()));
      return true;
    }
    buffer.assign(buffer.size() * 2 + 1, '\0');
  }
  value.clear();
  std::printf("CINI::GetString 長さが足りません section : %s key : %s / %d\n", section, key,
              static_cast<int>(buffer.size()));
  std::fflush(stdout);
  return false;
}

bool CINI::Read(const std::filesystem::path& file, const char* section, const char* key,
                char* buffer, uint32_t size) const {
  return read_(file, section, key, "", buffer, size) > 0;
}

template <class T, class Convert>
static bool GetNumber(const CINI& ini, const std::filesystem::path& file, const char* section,
                      const char* key, T& value, Convert convert) {
  std::string text;
  if (!ini.GetString(file, section, key, text) || text.empty()) return false;
  value = convert(text.c_str());
  return true;
}

bool CINI::GetInt(const std::filesystem::path& file, const char* section, const char* key,
                  int& value) const {
  return GetNumber(*this, file, section, key, value, [](const char* s) { return std::atoi(s); });
}

bool CINI::GetLong(const std::filesystem::path& file, const char* section, const char* key,
                   long& value) const {
  return GetNumber(*this, file, section, key, value, [](const char* s) { return std::atol(s); });
}

bool CINI::GetULong(const std::filesystem::path& file, const char* section, const char* key,
                    unsigned long& value) const {
  return GetNumber(*this, file, section, key, value,
                   [](const char* s) { return std::strtoul(s, nullptr, 0); });
}

bool CINI::Write(const std::filesystem::path& file, const char* section, const char* key,
                 const char* format, ...) const {
  std::vector<char> buffer(kWriteBufferSize);
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer.data(), buffer.size(), format, args);
  va_end(args);
  // A value cut to the buffer would be written as a different value: refuse it.
  if (n < 0 || static_cast<size_t>(n) >= buffer.size()) return false;
  return write_(file, section, key, buffer.data());
}
