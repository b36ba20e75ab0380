#include "platform/error_text.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "platform/win/wide.h"

namespace platform {

std::string SystemErrorText(int code) {
  constexpr DWORD kMaxChars = 200;
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                               FORMAT_MESSAGE_ALLOCATE_BUFFER,
                           nullptr, static_cast<DWORD>(code), 0,
                           reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::unique_ptr<wchar_t, decltype(&LocalFree)> owner(text, &LocalFree);
  n = std::min(n, kMaxChars);
  while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ')) --n;
  if (n == 0) return "Error " + std::to_string(static_cast<unsigned long>(code));
  return win::Narrow(std::wstring_view(text, n));
}

std::string LastSystemErrorText() { return SystemErrorText(static_cast<int>(GetLastError())); }

}  // namespace platform
