#include "text/win/name_lists.h"

#include "platform/win/wide.h"

namespace text::win {

using platform::win::Wide;

CControlList::CControlList(HWND control, UINT add_message)
    : control_(control), add_message_(add_message) {
  SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
}

CControlList::~CControlList() {
  SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control_, nullptr, TRUE);
}

void CControlList::AddEntry(const std::string& entry) {
  SendMessageW(control_, add_message_, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
}

void CWideEntries::AddEntry(const std::string& entry) { entries.push_back(Wide(entry)); }

void FillCombo(HWND combo, std::span<const std::wstring> entries) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  size_t characters = 0;
  for (const std::wstring& entry : entries) characters += entry.size() + 1;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  HWND list = GetComboBoxInfo(combo, &info) && info.hwndList ? info.hwndList : nullptr;
  UINT add = list ? LB_ADDSTRING : CB_ADDSTRING;
  if (!list) list = combo;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, add == LB_ADDSTRING ? LB_INITSTORAGE : CB_INITSTORAGE, entries.size(),
               LPARAM(characters * sizeof(wchar_t)));
  for (const std::wstring& entry : entries) SendMessageW(list, add, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

void ReplaceComboEntry(HWND combo, int index, const std::string& entry) {
  SendMessageW(combo, CB_DELETESTRING, WPARAM(index), 0);
  SendMessageW(combo, CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  SendMessageW(combo, CB_SETCURSEL, WPARAM(index), 0);
}

void ReplaceListEntry(HWND list, int index, const std::string& entry) {
  SendMessageW(list, LB_DELETESTRING, WPARAM(index), 0);
  SendMessageW(list, LB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  SendMessageW(list, LB_SETCURSEL, WPARAM(index), 0);
}

}  // namespace text::win
