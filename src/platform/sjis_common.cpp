#include "platform/sjis.h"

#include <system_error>

namespace platform {

// std::filesystem::path converts between UTF-8 and UTF-16 on every host.
std::string Utf8ToSjis(std::string_view utf8) {
  try {
    std::u8string u8(utf8.begin(), utf8.end());
    return Utf16ToSjis(std::filesystem::path(u8).u16string());
  } catch (const std::system_error&) {
    return {};
  }
}

std::string SjisToUtf8(std::string_view sjis) {
  std::u8string u8 = std::filesystem::path(SjisToUtf16(sjis)).u8string();
  return std::string(u8.begin(), u8.end());
}

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
