#include <windows.h>

#include "platform/sjis.h"

namespace platform {

namespace {
constexpr UINT kShiftJis = 932;
}

std::u16string SjisToUtf16(std::string_view sjis) {
  if (sjis.empty()) return {};
  int n = MultiByteToWideChar(kShiftJis, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(kShiftJis, 0, sjis.data(), static_cast<int>(sjis.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string Utf16ToSjis(std::u16string_view utf16) {
  if (utf16.empty()) return {};
  auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
  int len = static_cast<int>(utf16.size());
  int n = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, len, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, len, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace platform
