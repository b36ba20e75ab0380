#include "core/win/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/win/frame_ids.h"
#include "platform/error_text.h"
#include "platform/win/wide.h"
#include "toolkit/win/status_text.h"

CStatusBar& StatusBar() {
  static CStatusBar status_bar;
  return status_bar;
}

bool CStatusBar::Create(HWND parent) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(INT_PTR(kIdStatusBar)), instance, nullptr);
  if (!bar_) return false;
  progress_ = CreateWindowExW(0, PROGRESS_CLASSW, L"ProgressBar", WS_CHILD | WS_VISIBLE | PBS_SMOOTH,
                              0, 0, 0, 0, bar_, nullptr, instance, nullptr);
  SendMessageW(progress_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageW(progress_, PBM_SETSTEP, 1, 0);
  RECT client;
  GetClientRect(parent, &client);
  Layout(client.right);
  SetProgress(0);
  return true;
}

void CStatusBar::Layout(int client_width) {
  if (!bar_) return;
  SendMessageW(bar_, WM_SIZE, 0, 0);
  int edges[2] = {std::max(client_width - kProgressWidth, 0), -1};
  SendMessageW(bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  RECT part;
  if (SendMessageW(bar_, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part)))
    MoveWindow(progress_, part.left, part.top, part.right - part.left, part.bottom - part.top, TRUE);
}

int CStatusBar::Height() const {
  RECT rect;
  if (!bar_ || !GetWindowRect(bar_, &rect)) return 0;
  return rect.bottom - rect.top;
}

void CStatusBar::SetPartText(int part, const std::string& text) {
  toolkit::win::SetStatusPartText(bar_, part, text);
}

std::string CStatusBar::Text(int part) const {
  if (!bar_) return {};
  int length = LOWORD(SendMessageW(bar_, SB_GETTEXTLENGTHW, WPARAM(part), 0));
  std::wstring wide(size_t(length) + 1, L'\0');
  SendMessageW(bar_, SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(size_t(length));
  return platform::win::Narrow(wide);
}

void CStatusBar::Set_Status_Window_Text(int part, const char* format, ...) {
  if (!bar_) return;
  std::string text;
  va_list args;
  va_start(args, format);
  bool formatted = toolkit::win::FormatStatusText(text, 1023, format, args);
  va_end(args);
  if (formatted) SetPartText(part, text);
}

void CStatusBar::ShowLastError() { SetPartText(0, platform::LastSystemErrorText()); }

char* CStatusBar::CopyLastError(char* buffer, size_t size) {
  return platform::CopyLastSystemErrorText(buffer, size);
}

void CStatusBar::SetText(const std::string& text) { SetPartText(0, text.substr(0, 1023)); }

void CStatusBar::SetProgress(int percent) {
  if (progress_) SendMessageW(progress_, PBM_SETPOS, WPARAM(std::clamp(percent, 0, 100)), 0);
}

void CStatusBar::EnableSave(bool enabled) {
  HWND frame = bar_ ? GetParent(bar_) : nullptr;
  if (!frame) return;
  EnableWindow(GetDlgItem(frame, kIdSaveRom), enabled);
  EnableMenuItem(GetMenu(frame), kIdSaveRom, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}
