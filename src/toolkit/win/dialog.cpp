#include "toolkit/win/dialog.h"

#include "platform/win/wide.h"
#include "toolkit/win/native_window.h"

namespace toolkit::win {

using platform::win::Narrow;
using platform::win::Wide;

std::string CDialogItems::Text(int id) const {
  HWND item = Item(id);
  if (!item) return {};
  int length = GetWindowTextLengthW(item);
  std::wstring text(size_t(length) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(item, text.data(), length + 1)));
  return Narrow(text);
}

void CDialogItems::SetText(int id, std::string_view text) const {
  SetDlgItemTextW(dialog_, id, Wide(text).c_str());
}

void CDialogItems::Enable(std::initializer_list<int> ids, bool enabled) const {
  Enable(std::span<const int>(ids.begin(), ids.size()), enabled);
}

void CDialogItems::Enable(std::span<const int> ids, bool enabled) const {
  for (int id : ids) EnableWindow(Item(id), enabled);
}

bool CDialogItems::Checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

void CDialogItems::Check(int id, bool checked) const {
  CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialogItems::RemoveTabStop(int id) const {
  HWND item = Item(id);
  SetWindowLongPtrW(item, GWL_STYLE, GetWindowLongPtrW(item, GWL_STYLE) & ~LONG_PTR(WS_TABSTOP));
  InvalidateRect(item, nullptr, TRUE);
}

namespace {

struct ListMessages {
  UINT reset, add, count, get, set, remove, insert;
};
constexpr ListMessages kCombo{CB_RESETCONTENT, CB_ADDSTRING, CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL,
                              CB_DELETESTRING, CB_INSERTSTRING};
constexpr ListMessages kList{LB_RESETCONTENT, LB_ADDSTRING, LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL,
                             LB_DELETESTRING, LB_INSERTSTRING};

void Fill(HWND list, const ListMessages& m, std::span<const char* const> entries) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, m.reset, 0, 0);
  for (const char* entry : entries)
    SendMessageW(list, m.add, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void Select(HWND list, const ListMessages& m, int index) {
  int count = int(SendMessageW(list, m.count, 0, 0));
  SendMessageW(list, m.set, WPARAM(index >= 0 && index < count ? index : -1), 0);
}

void Replace(HWND list, const ListMessages& m, int index, const std::string& entry) {
  if (index < 0 || index >= int(SendMessageW(list, m.count, 0, 0))) return;
  SendMessageW(list, m.remove, WPARAM(index), 0);
  SendMessageW(list, m.insert, WPARAM(index), reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  SendMessageW(list, m.set, WPARAM(index), 0);
}

}  // namespace

void CDialogItems::ComboFill(int id, std::span<const char* const> entries) const { Fill(Item(id), kCombo, entries); }
void CDialogItems::ComboReset(int id) const { SendDlgItemMessageW(dialog_, id, CB_RESETCONTENT, 0, 0); }
int CDialogItems::ComboCount(int id) const { return int(SendDlgItemMessageW(dialog_, id, CB_GETCOUNT, 0, 0)); }
int CDialogItems::ComboSelection(int id) const { return int(SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0)); }
void CDialogItems::ComboSelect(int id, int index) const { Select(Item(id), kCombo, index); }
void CDialogItems::ComboReplace(int id, int index, const std::string& entry) const {
  Replace(Item(id), kCombo, index, entry);
}
void CDialogItems::ListFill(int id, std::span<const char* const> entries) const { Fill(Item(id), kList, entries); }
void CDialogItems::ListReset(int id) const { SendDlgItemMessageW(dialog_, id, LB_RESETCONTENT, 0, 0); }
int CDialogItems::ListCount(int id) const { return int(SendDlgItemMessageW(dialog_, id, LB_GETCOUNT, 0, 0)); }
int CDialogItems::ListSelection(int id) const { return int(SendDlgItemMessageW(dialog_, id, LB_GETCURSEL, 0, 0)); }
void CDialogItems::ListSelect(int id, int index) const { Select(Item(id), kList, index); }
void CDialogItems::ListReplace(int id, int index, const std::string& entry) const {
  Replace(Item(id), kList, index, entry);
}

void CCommandMap::On(int id, int code, std::function<void()> handler) {
  entries_.push_back({id, code, std::move(handler)});
}

bool CCommandMap::Dispatch(WPARAM wparam) const {
  int id = LOWORD(wparam), code = HIWORD(wparam);
  for (const Entry& entry : entries_) {
    if (entry.id == id && (entry.code == kAnyCode || entry.code == code)) {
      entry.handler();
      return true;
    }
  }
  return false;
}

CDialog::~CDialog() {
  if (dialog_ && !modal_) {
    SetWindowLongPtrW(dialog_, DWLP_USER, 0);
    DestroyWindow(dialog_);
  }
}

INT_PTR CDialog::DoModal(HWND owner, int template_id) {
  modal_ = true;
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id), owner,
                         &CDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

HWND CDialog::Create(HWND owner, int template_id) {
  modal_ = false;
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id), owner,
                                   &CDialog::Procedure, reinterpret_cast<LPARAM>(this));
  if (dialog) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

void CDialog::End(INT_PTR result) {
  if (!dialog_) return;
  if (modal_)
    EndDialog(dialog_, result);
  else
    DestroyWindow(dialog_);
}

INT_PTR CDialog::HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK CDialog::Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = static_cast<CDialog*>(DialogObject(dialog, message, lparam));
  if (message == WM_INITDIALOG && self) self->dialog_ = dialog;
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  try {
    if (message == WM_INITDIALOG)
      result = self->OnInitDialog() ? TRUE : FALSE;
    else if (message == WM_COMMAND && self->commands.Dispatch(wparam))
      result = TRUE;
    else
      result = self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->dialog_ = nullptr;
  }
  return result;
}

}  // namespace toolkit::win
