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
