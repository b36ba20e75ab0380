#include "toolkit/win/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdarg>

#include "platform/error_text.h"
#include "platform/win/wide.h"
#include "toolkit/win/native_window.h"
#include "toolkit/win/status_text.h"

namespace toolkit::win {

namespace {
constexpr UINT_PTR kSubclassId = 0x56414E54;  // one id for every bar of ours
}

bool CStatusBar::CreateBar(HWND parent, int id) {
  // The bar keeps its own font.
  HWND bar = CreateChildControl(parent, {STATUSCLASSNAMEW, "", 0, id, 0, 0, 0, 0}, nullptr);
  Attach(bar);
  return bar != nullptr;
}

void CStatusBar::Attach(HWND bar) {
  Detach();
  Init(bar);
  erase_pending_ = false;
  if (subclassed_ || erase_delay_ || on_click_) EnsureSubclass();
}

void CStatusBar::Detach() {
  HWND bar = GethWnd();
  if (bar && subclassed_ && IsWindow(bar)) {
    KillTimer(bar, kEraseTimer);
    RemoveWindowSubclass(bar, &CStatusBar::Subclass, kSubclassId);
  }
  subclassed_ = false;
  erase_pending_ = false;
  progress_ = nullptr;
  Init(nullptr);
}

void CStatusBar::EnsureSubclass() {
  HWND bar = GethWnd();
  if (!bar || subclassed_) return;
  subclassed_ = SetWindowSubclass(bar, &CStatusBar::Subclass, kSubclassId, DWORD_PTR(this)) != FALSE;
}

LRESULT CALLBACK CStatusBar::Subclass(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<CStatusBar*>(data);
  if (message == WM_TIMER && wparam == kEraseTimer) {
    self->Erase();
    return 0;
  }
  if (message == WM_LBUTTONDOWN && self->on_click_) self->on_click_(short(LOWORD(lparam)));
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &CStatusBar::Subclass, kSubclassId);
    self->subclassed_ = false;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

void CStatusBar::AddProgressBar() {
  if (!GethWnd() || progress_) return;
  progress_ = CreateChildControl(GethWnd(), {PROGRESS_CLASSW, "ProgressBar", PBS_SMOOTH, 0, 0, 0, 0, 0}, nullptr);
  SendMessageW(progress_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageW(progress_, PBM_SETSTEP, 1, 0);
  SetProgress(0);
}

void CStatusBar::SetProgress(int percent) {
  if (progress_) SendMessageW(progress_, PBM_SETPOS, WPARAM(std::clamp(percent, 0, 100)), 0);
}

void CStatusBar::SetParts(const std::vector<int>& edges) {
  edges_ = edges;
  if (GethWnd() && !edges_.empty())
    SendMessageW(GethWnd(), SB_SETPARTS, WPARAM(edges_.size()), reinterpret_cast<LPARAM>(edges_.data()));
}

void CStatusBar::Layout(int client_width) {
  HWND bar = GethWnd();
  if (!bar) return;
  SendMessageW(bar, WM_SIZE, 0, 0);
  if (progress_) {
    SetParts({std::max(client_width - progress_width, 0), -1});
    RECT part;
    if (SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part)))
      ::MoveWindow(progress_, part.left, part.top, part.right - part.left, part.bottom - part.top, TRUE);
  } else if (!edges_.empty()) {
    SetParts(edges_);
  }
}

int CStatusBar::Height() const {
  RECT rect;
  if (!GethWnd() || !GetWindowRect(GethWnd(), &rect)) return 0;
  return rect.bottom - rect.top;
}

void CStatusBar::Set_Status_Window_Text(int part, const char* format, ...) {
  if (!GethWnd()) return;
  std::string text;
  va_list args;
  va_start(args, format);
  bool formatted = FormatStatusText(text, max_chars, format, args);
  va_end(args);
  if (formatted) SetText(part, text);
}

void CStatusBar::SetText(int part, const std::string& text) {
  if (!GethWnd()) return;
  SetStatusPartText(GethWnd(), part, text.substr(0, max_chars));
  if (erase_delay_) CallErase();
}

std::string CStatusBar::Text(int part) const {
  if (!GethWnd()) return {};
  int length = LOWORD(SendMessageW(GethWnd(), SB_GETTEXTLENGTHW, WPARAM(part), 0));
  std::wstring wide(size_t(length) + 1, L'\0');
  SendMessageW(GethWnd(), SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(size_t(length));
  return platform::win::Narrow(wide);
}

void CStatusBar::ShowLastError() { SetStatusPartText(GethWnd(), 0, platform::LastSystemErrorText()); }

char* CStatusBar::CopyLastError(char* buffer, size_t size) {
  return platform::CopyLastSystemErrorText(buffer, size);
}

void CStatusBar::SetEraseDelay(UINT delay_ms) {
  erase_delay_ = delay_ms;
  if (delay_ms) EnsureSubclass();
}

void CStatusBar::CallErase() {
  if (!GethWnd()) return;
  EnsureSubclass();
  erase_pending_ = true;
  SetTimer(GethWnd(), kEraseTimer, erase_delay_ ? erase_delay_ : 1500, nullptr);
}

void CStatusBar::Erase() {
  if (!GethWnd()) return;
  erase_pending_ = false;
  SetStatusPartText(GethWnd(), 0, " ");
  KillTimer(GethWnd(), kEraseTimer);
}

void CStatusBar::OnClick(std::function<void(int x)> handler) {
  on_click_ = std::move(handler);
  if (on_click_) EnsureSubclass();
}

}  // namespace toolkit::win
