#include "toolkit/win/file_dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "platform/win/wide.h"

namespace toolkit::win {

namespace {

using platform::win::Wide;

// A remembered path as the dialogs need it: a buffer of MAX_PATH characters.
struct PathBuffer {
  wchar_t text[MAX_PATH] = {};
  std::filesystem::path chosen;
};

// "a\0b\0\0" in Shift-JIS to the same list in UTF-16.
std::wstring WideList(const char* list) {
  std::wstring wide;
  if (list == nullptr) return wide;
  for (const char* item = list; *item; item += std::strlen(item) + 1) {
    wide += Wide(item);
    wide += L'\0';
  }
  wide += L'\0';
  return wide;
}

const std::filesystem::path* Show(PathBuffer& buffer, HWND owner, const char* filter,
                                  const char* default_ext, const char* title, const char* initial,
                                  unsigned long flags, bool save, unsigned long filter_index = 0) {
  if (buffer.text[0] == L'\0' && initial != nullptr) {
    std::wstring start = Wide(initial);
    if (start.size() < MAX_PATH) wcscpy(buffer.text, start.c_str());
  }
  // The dialog writes into a copy: a cancelled dialog leaves the remembered path alone.
  wchar_t file[MAX_PATH];
  wcscpy(file, buffer.text);
  std::wstring wide_filter = WideList(filter);
  std::wstring wide_ext = default_ext ? Wide(default_ext) : std::wstring();
  std::wstring wide_title = title ? Wide(title) : std::wstring();

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter ? wide_filter.c_str() : nullptr;
  ofn.nFilterIndex = filter_index;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = default_ext ? wide_ext.c_str() : nullptr;
  ofn.lpstrTitle = title ? wide_title.c_str() : nullptr;
  ofn.Flags = flags;
  BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return nullptr;
  wcscpy(buffer.text, file);
  buffer.chosen = std::filesystem::path(buffer.text);
  return &buffer.chosen;
}

}  // namespace

const std::filesystem::path* opendiag(HWND owner, const char* filter, const char* default_ext,
                                      const char* title, unsigned long flags, const char* initial) {
  static PathBuffer buffer;
  return Show(buffer, owner, filter, default_ext, title, initial, flags, false);
}

const std::filesystem::path* savediag(HWND owner, const char* filter, const char* default_ext,
                                      const char* title, const char* initial, unsigned long flags,
                                      unsigned long filter_index) {
  static PathBuffer buffer;
  return Show(buffer, owner, filter, default_ext, title, initial, flags, true, filter_index);
}

bool filediag(HWND owner, std::filesystem::path& destination, const char* filter,
              const char* default_ext, const char* title, bool save) {
  static PathBuffer buffer;
  // A save dialog cannot require an existing file; it asks before replacing one instead.
  unsigned long flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const std::filesystem::path* chosen = Show(buffer, owner, filter, default_ext, title, nullptr, flags, save);
  if (chosen == nullptr) return false;
  destination = *chosen;
  return true;
}

}  // namespace toolkit::win
