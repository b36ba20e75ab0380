#pragma once
// The one place where the Win32 side turns Shift-JIS into the W APIs' UTF-16 and back.
#include <string>
#include <string_view>

#include "platform/sjis.h"

namespace platform::win {

inline std::wstring Wide(std::string_view sjis) {
  std::u16string w = SjisToUtf16(sjis);
  return std::wstring(w.begin(), w.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return Utf16ToSjis(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace platform::win
