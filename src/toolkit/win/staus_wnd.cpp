#include "toolkit/win/staus_wnd.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/error_text.h"
#include "toolkit/win/status_text.h"

namespace toolkit::win {

namespace {

// The object behind a subclassed bar travels as a window property.
constexpr wchar_t kInstanceProperty[] = L"vantari.CStausWnd";

}  // namespace

LRESULT CALLBACK StausWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* status = static_cast<CStausWnd*>(GetPropW(window, kInstanceProperty));
  if (status == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  WNDPROC old_proc = status->GetWndProc();
  if (message == WM_TIMER && wparam == CStausWnd::kEraseTimer) status->Erase();
  // A bar destroyed while subclassed gives its own procedure back first.
  if (message == WM_NCDESTROY) status->Destroy();
  return CallWindowProcW(old_proc, window, message, wparam, lparam);
}

void CStausWnd::Create(HWND status) {
  Destroy();
  Init(status);
  erase_pending_ = false;
  if (!status) return;
  SetPropW(status, kInstanceProperty, this);
  old_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StausWindowProc)));
}

void CStausWnd::Destroy() {
  HWND status = GethWnd();
  if (!status || !old_proc_) return;
  if (IsWindow(status)) {
    KillTimer(status, kEraseTimer);
    SetWindowLongPtrW(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_proc_));
    RemovePropW(status, kInstanceProperty);
  }
  old_proc_ = nullptr;
}

void CStausWnd::ResizeWindow(long size) {
  HWND status = GethWnd();
  if (!status) return;
  int width = LOWORD(size);
  int height = HIWORD(size);
  int edge = -1;
  SetPart(&edge, 1);
  ::MoveWindow(status, 0, 0, width, height, TRUE);
}

void CStausWnd::SetPart(int* edges, int count) {
  if (GethWnd() && edges && count > 0)
    SendMessageW(GethWnd(), SB_SETPARTS, WPARAM(count), reinterpret_cast<LPARAM>(edges));
}

int CStausWnd::GetHeight() const {
  RECT rect;
  if (!GethWnd() || !GetWindowRect(GethWnd(), &rect)) return 0;
  return rect.bottom - rect.top;
}

void CStausWnd::Set_Status_Window_Text(int part, const char* format, ...) {
  if (!GethWnd()) return;
  std::string text;
  va_list args;
  va_start(args, format);
  bool formatted = FormatStatusText(text, 1024, format, args);
  va_end(args);
  if (!formatted) return;
  SetStatusPartText(GethWnd(), part, text);
  CallErase();
}

void CStausWnd::CallErase() {
  if (!GethWnd()) return;
  erase_pending_ = true;
  SetTimer(GethWnd(), kEraseTimer, kEraseDelayMs, nullptr);
}

void CStausWnd::Erase() {
  if (!GethWnd()) return;
  erase_pending_ = false;
  SetStatusPartText(GethWnd(), 0, " ");
  KillTimer(GethWnd(), kEraseTimer);
}

void CStausWnd::ShowLastError() {
  SetStatusPartText(GethWnd(), 0, platform::LastSystemErrorText());
}

char* CStausWnd::ShowLastErrorText(char* buffer, size_t size) {
  return platform::CopyLastSystemErrorText(buffer, size);
}

}  // namespace toolkit::win
