// The common window operations of the pages, and the one dialog procedure all pages share.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/tab_system.h"
#include "core/win/page_view.h"
#include "platform/sjis.h"
#include "platform/win/wide.h"
#include "toolkit/win/native_window.h"

namespace {

// The page a dialog belongs to comes with WM_INITDIALOG and is kept in DWLP_USER: a page's
// dialog stays (hidden) while another tab is shown, and its messages reach its own page.
INT_PTR CALLBACK PageDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    auto* page = static_cast<CWindowBase*>(toolkit::win::DialogObject(dialog, message, lparam));
    if (message == WM_INITDIALOG) {
      // The page is filled from here: what it draws or sets through its own window handle
      // (pictures, fields of its own helpers) must reach this dialog, as after a load.
      if (page) {
        page->hWnd = dialog;
        page->InitDialog(dialog);
      }
      return TRUE;
    }
    return page ? page->DialogProc(message, wparam, lparam) : FALSE;
  } catch (...) {
    return FALSE;
  }
}

// The tab control's display area, in its client coordinates.
void FitToDisplayArea(HWND page, HWND tab) {
  RECT area;
  GetClientRect(tab, &area);
  TabCtrl_AdjustRect(tab, FALSE, &area);
  MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

}  // namespace

void CWindowBase::PreparePage(WindowHandle tab) {
  if (hWnd) return;
  // The templates are not visible: the dialog stays hidden until its tab is shown.
  hWnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(GetDialogId()), hParent,
                            PageDialogProc, LPARAM(this));
  if (hWnd) FitToDisplayArea(hWnd, tab);
}

int CWindowBase::CreatePage(WindowHandle tab) {
  if (hWnd) {
    // Shown again: refilled from the page's data, which a load or an undo may have changed.
    FitToDisplayArea(hWnd, tab);
    InitDialog(nullptr);
  } else {
    PreparePage(tab);
    if (!hWnd) return 0;
  }
  ShowWindow(hWnd, SW_SHOW);
  return 1;
}

void CWindowBase::DestroyPage(bool final) {
  if (!hWnd) return;
  if (!final) {
    ShowWindow(hWnd, SW_HIDE);
    return;
  }
  DestroyWindow(hWnd);
  hWnd = nullptr;
}

void CWindowBase::ResizePage(WindowHandle tab) {
  if (hWnd) FitToDisplayArea(hWnd, tab);
}

std::string CommandName(HWND control) {
  wchar_t name[32] = {};
  if (!control || !GetClassNameW(control, name, 32) || lstrcmpiW(name, L"Button") != 0) return "変更";
  std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
  const std::string caption = platform::win::Narrow(text);
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    if (c == '\r' || c == '\n' || c == '&') continue;
    shown += caption[i];
    if (platform::IsSjisLeadByte(c) && i + 1 < caption.size()) shown += caption[++i];
  }
  return shown.empty() ? "変更" : shown;
}
