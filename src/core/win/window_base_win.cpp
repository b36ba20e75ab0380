// The common window operations of the pages, and the one dialog procedure all pages share.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/tab_system.h"
#include "core/win/page_view.h"
#include "platform/sjis.h"
#include "platform/win/wide.h"

namespace {

// Always addresses the current page, whatever dialog it is called for.
INT_PTR CALLBACK PageDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    CWindowBase* page = TabSystem().CurrentPage();
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

int CWindowBase::CreatePage(WindowHandle tab) {
  hWnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(GetDialogId()), hParent,
                            PageDialogProc, 0);
  if (!hWnd) return 0;
  FitToDisplayArea(hWnd, tab);
  ShowWindow(hWnd, SW_SHOW);
  return 1;
}

void CWindowBase::DestroyPage(bool) {
  if (hWnd) DestroyWindow(hWnd);
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
