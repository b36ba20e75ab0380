#include "toolkit/win/status_text.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/win/wide.h"

namespace toolkit::win {

bool FormatStatusText(std::string& text, size_t max_chars, const char* format, va_list args) {
  if (format == nullptr || std::strlen(format) > 999) return false;
  text.assign(max_chars + 1, '\0');
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  int length = std::vsnprintf(text.data(), text.size(), format, args);
#pragma GCC diagnostic pop
  text.resize(length < 0 ? 0 : std::min(size_t(length), max_chars));
  return true;
}

void SetStatusPartText(HWND bar, int part, std::string_view text) {
  if (!bar) return;
  std::wstring wide = platform::win::Wide(text);
  SendMessageW(bar, SB_SETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace toolkit::win
