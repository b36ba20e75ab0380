#include "platform/sjis.h"

#include <system_error>

namespace platform {

std::filesystem::path PathFromSjis(std::string_view sjis) {
  return std::filesystem::path(SjisToUtf16(sjis));
}

std::string SjisFromPath(const std::filesystem::path& path) {
  try {
    return Utf16ToSjis(path.u16string());
  } catch (const std::system_error&) {
    // A POSIX name that is not UTF-8: keep its bytes.
    return path.string();
  }
}

}  // namespace platform
