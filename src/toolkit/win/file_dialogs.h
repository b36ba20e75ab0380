#pragma once
// The common open and save dialogs. Each remembers the path chosen last: a later call starts
// there, whatever initial path its caller passes. Filters are Shift-JIS lists of
// "description\0pattern\0" pairs ending with an empty string.
#include <windows.h>
#include <commdlg.h>

#include <filesystem>

namespace toolkit::win {

// The chosen path, or null on cancel or error. `initial` is used only while nothing has been
// chosen yet.
const std::filesystem::path* opendiag(HWND owner, const char* filter, const char* default_ext,
                                      const char* title, unsigned long flags, const char* initial);
// `filter_index` (1-based, 0: the first) chooses the filter shown first.
const std::filesystem::path* savediag(HWND owner, const char* filter, const char* default_ext,
                                      const char* title, const char* initial, unsigned long flags,
                                      unsigned long filter_index = 0);

// The main program's one dialog for both: one remembered path shared by opening and saving.
// Opening needs an existing file; saving asks before replacing one. True, and `destination`
// set, on OK.
bool filediag(HWND owner, std::filesystem::path& destination, const char* filter,
              const char* default_ext, const char* title, bool save);

}  // namespace toolkit::win
