#pragma once
// The Win32 half of the page kit: a page's view derives from CPageView<Rules>, says how its
// controls are filled (Fill) and which commands it takes (commands.On in its constructor).
// Everything else a page does (the passes, the error hand-off, the dialog's life) is done here
// and in CPageAdapter.
#include <windows.h>

#include "core/edit_history.h"
#include "core/page_adapter.h"
#include "toolkit/win/dialog.h"

// What a page command is called in the edit history: a button's caption without its line breaks
// and mnemonic, or "変更" for a list or a field.
std::string CommandName(HWND control);

template <class Rules>
class CPageView : public CPageAdapter<Rules> {
 public:
  // On WM_INITDIALOG with the new dialog, and after a load with null for the shown page.
  int InitDialog(WindowHandle dialog) final {
    HWND window = dialog ? dialog : this->hWnd;
    if (!window) return 0;
    Fill(toolkit::win::CDialogItems(window));
    return 1;
  }
  // Commands of the page's own controls, while its dialog exists. A page never claims a
  // command, so main-window commands go on to the other pages. Each command is one operation of
  // the edit history: what it stores into the copies and writes into the ROM (dialogs it opens
  // included) is taken back as one, named after the record and the button ("トレーナー 0x1A の設定").
  intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override {
    if (message != WM_COMMAND || !this->hWnd) return 0;
    EditHistory().Begin(this->Subject() + " の" + CommandName(reinterpret_cast<HWND>(lparam)),
                        TabSystem().IndexOf(this), this->CurrentRecord());
    commands.Dispatch(wparam);
    EditHistory().End();
    return 0;
  }

 protected:
  virtual void Fill(toolkit::win::CDialogItems page) = 0;
  // The shown dialog (an empty one while the tab is not shown).
  toolkit::win::CDialogItems page() const { return toolkit::win::CDialogItems(this->hWnd); }

  toolkit::win::CCommandMap commands;
};

// Which view class shows the page of a rules class: each view header names its own.
template <class Rules>
struct PageViewOf;
template <class Rules>
using PageView = typename PageViewOf<Rules>::type;
