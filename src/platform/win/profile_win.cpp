// The system's profile functions. The wide versions are called so that any path works whatever
// the system's code page; names and values cross the Shift-JIS boundary here, and a value too
// long for the caller's buffer is cut and answered the way GetPrivateProfileStringA does.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "platform/profile.h"
#include "platform/sjis.h"
#include "platform/win/wide.h"

namespace platform {

namespace {

std::optional<std::wstring> OptionalWide(const char* text) {
  if (!text) return std::nullopt;
  return win::Wide(text);
}

const wchar_t* Ptr(const std::optional<std::wstring>& w) { return w ? w->c_str() : nullptr; }

}  // namespace

uint32_t ReadProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                          const char* def, char* buffer, uint32_t size) {
  if (size == 0) return 0;
  auto wsection = OptionalWide(section), wkey = OptionalWide(key), wdef = OptionalWide(def ? def : "");
  std::wstring value(256, L'\0');
  DWORD n = 0;
  for (;;) {
    n = GetPrivateProfileStringW(Ptr(wsection), Ptr(wkey), Ptr(wdef), value.data(),
                                 static_cast<DWORD>(value.size()), file.c_str());
    if (n + 2 < value.size()) break;  // fitted with room to spare: the value is whole
    value.resize(value.size() * 2);
  }
  std::string text = win::Narrow(std::wstring_view(value.data(), n));
  size_t copied = std::min<size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<uint32_t>(copied);
}

bool WriteProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                        const char* value) {
  // The system's writer would put these into the file as given and break its lines.
  if (section && !ProfileEntryIsValid(section, key ? key : "k", value ? value : "")) return false;
  auto wsection = OptionalWide(section), wkey = OptionalWide(key), wvalue = OptionalWide(value);
  return WritePrivateProfileStringW(Ptr(wsection), Ptr(wkey), Ptr(wvalue), file.c_str()) != FALSE;
}

}  // namespace platform
