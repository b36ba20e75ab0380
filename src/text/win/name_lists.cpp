#include "text/win/name_lists.h"

#include "platform/win/wide.h"

namespace text::win {

using platform::win::Wide;

void CComboBoxList::AddEntry(const std::string& entry) {
  SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
}

void CListBoxList::AddEntry(const std::string& entry) {
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
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
