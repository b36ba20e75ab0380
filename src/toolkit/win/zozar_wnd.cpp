#include "toolkit/win/zozar_wnd.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/win/wide.h"

namespace toolkit::win {

using platform::win::Narrow;
using platform::win::Wide;

CZozarWnd& CZozarWnd::operator=(const CZozarWnd& other) {
  if (this != &other) {
    window_ = other.window_;
    font_ = other.font_;
    owned_font_.reset();
  }
  return *this;
}

void CZozarWnd::Init(HWND window) {
  window_ = window;
  font_ = nullptr;
  owned_font_.reset();
}

void CZozarWnd::MoveWindow(int x, int y) {
  if (!window_) return;
  if (x == -1 || y == -1) {
    RECT rect;
    GetWindowRect(window_, &rect);
    POINT origin{rect.left, rect.top};
    // A child's position is relative to its parent's client area; a top-level window keeps
    // its screen position.
    if (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD)
      MapWindowPoints(nullptr, GetParent(window_), &origin, 1);
    if (x == -1) x = origin.x;
    if (y == -1) y = origin.y;
  }
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZozarWnd::ResizeWindow(int cx, int cy) {
  if (!window_) return;
  RECT rect;
  GetWindowRect(window_, &rect);
  if (cx == -1) cx = rect.right - rect.left;
  if (cy == -1) cy = rect.bottom - rect.top;
  SetWindowPos(window_, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZozarWnd::SWText(const char* text) {
  if (!window_ || text == nullptr) return;
  SetWindowTextW(window_, Wide(text).c_str());
}

void CZozarWnd::SWTextF(const char* format, ...) {
  if (!window_ || format == nullptr) return;
  char text[1025];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  SWText(text);
}

std::string CZozarWnd::GetText() const {
  if (!window_) return {};
  int length = GetWindowTextLengthW(window_);
  std::wstring wide(size_t(length) + 1, L'\0');
  wide.resize(size_t(GetWindowTextW(window_, wide.data(), length + 1)));
  return Narrow(wide);
}

int CZozarWnd::GetText(char* buffer, int size) const {
  if (!window_ || buffer == nullptr || size < 1) return 0;
  std::string text = GetText();
  size_t length = std::min(text.size(), size_t(size - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return int(length);
}

int CZozarWnd::EditTextToValue() const {
  if (!window_) return 0;
  wchar_t wide[257] = {};
  GetWindowTextW(window_, wide, 257);
  return std::atoi(Narrow(wide).c_str());
}

void CZozarWnd::EditValueToText(long value, const char* format) {
  if (!window_) return;
  char text[1025];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(text, sizeof text, format ? format : "%ld", value);
#pragma GCC diagnostic pop
  SWText(text);
}

bool CZozarWnd::GetChk() const {
  return window_ && SendMessageW(window_, BM_GETCHECK, 0, 0) != 0;
}

void CZozarWnd::SetChk(bool checked) {
  if (window_) SendMessageW(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CZozarWnd::SetFont(const char* name, int height) {
  if (!window_ || name == nullptr) return;
  UniqueFont created;
  if (std::strcmp(name, "default") != 0) {
    std::wstring face = Wide(name);
    // A face name longer than LOGFONT holds names no font.
    if (face.size() < LF_FACESIZE) {
      created.reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                VARIABLE_PITCH, face.c_str()));
    }
  }
  font_ = created ? created.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // The font made before is freed only once the control no longer uses it.
  owned_font_ = std::move(created);
}

}  // namespace toolkit::win
