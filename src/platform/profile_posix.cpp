#include "platform/profile.h"

namespace platform {

uint32_t ReadProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                          const char* def, char* buffer, uint32_t size) {
  return portable::ReadProfileValue(file, section, key, def, buffer, size);
}

bool WriteProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                        const char* value) {
  return portable::WriteProfileValue(file, section, key, value);
}

}  // namespace platform
