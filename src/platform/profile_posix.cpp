#include "platform/profile.h"

namespace platform {

uint32_t GetProfileString(const std::filesystem::path& file, const char* section, const char* key,
                          const char* def, char* buffer, uint32_t size) {
  return portable::GetProfileString(file, section, key, def, buffer, size);
}

bool WriteProfileString(const std::filesystem::path& file, const char* section, const char* key,
                        const char* value) {
  return portable::WriteProfileString(file, section, key, value);
}

}  // namespace platform
