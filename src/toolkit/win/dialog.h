#pragma once
// Dialogs from templates. CDialogItems reaches the controls of one dialog window with Shift-JIS
// text and typed combo box and list box helpers; CCommandMap dispatches WM_COMMAND by control id
// and notification code; CDialog is the base of modal and modeless dialogs (`this` kept in
// DWLP_USER, nothing thrown across the dialog procedure).
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit::win {

class CDialogItems {
 public:
  explicit CDialogItems(HWND dialog = nullptr) : dialog_(dialog) {}
  HWND hwnd() const { return dialog_; }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }

  std::string Text(int id) const;
  void SetText(int id, std::string_view text) const;
  void Enable(std::initializer_list<int> ids, bool enabled) const;
  void Enable(std::span<const int> ids, bool enabled) const;
  bool Checked(int id) const;
  void Check(int id, bool checked) const;
  // Takes a control out of the Tab-key order and redraws it.
  void RemoveTabStop(int id) const;

  // Combo boxes: the list emptied and refilled, the selection (-1: none) read and set. An
  // index outside the list selects nothing (sent as -1: Wine would keep the old selection).
  void ComboFill(int id, std::span<const char* const> entries) const;
  void ComboReset(int id) const;
  int ComboCount(int id) const;
  int ComboSelection(int id) const;
  void ComboSelect(int id, int index) const;
  // Replaces entry `index` (delete, insert at the same place, select).
  void ComboReplace(int id, int index, const std::string& entry) const;
  // The same for list boxes.
  void ListFill(int id, std::span<const char* const> entries) const;
  void ListReset(int id) const;
  int ListCount(int id) const;
  int ListSelection(int id) const;
  void ListSelect(int id, int index) const;
  void ListReplace(int id, int index, const std::string& entry) const;

 protected:
  HWND dialog_;
};

class CCommandMap {
 public:
  static constexpr int kAnyCode = -1;
  // Runs `handler` for WM_COMMAND from control `id` with notification `code` (kAnyCode: any).
  void On(int id, int code, std::function<void()> handler);
  // True when a handler ran.
  bool Dispatch(WPARAM wparam) const;

 private:
  struct Entry {
    int id;
    int code;
    std::function<void()> handler;
  };
  std::vector<Entry> entries_;
};

class CDialog : public CDialogItems {
 public:
  CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;
  // A modeless dialog still open is destroyed with its object.
  virtual ~CDialog();

  // Runs the dialog modally; the value given to End, or -1 when it could not be created.
  INT_PTR DoModal(HWND owner, int template_id);
  // Creates the dialog modeless and shows it; null on failure.
  HWND Create(HWND owner, int template_id);
  // Ends a modal dialog with `result`, or destroys a modeless one.
  void End(INT_PTR result);
  bool modal() const { return modal_; }

 protected:
  // After the controls exist; false keeps the focus where OnInitDialog put it.
  virtual bool OnInitDialog() { return true; }
  // Any message the command map does not take; nonzero when handled.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  CCommandMap commands;

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  bool modal_ = false;
};

}  // namespace toolkit::win
