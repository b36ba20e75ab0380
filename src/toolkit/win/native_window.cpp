#include "toolkit/win/native_window.h"

#include "platform/win/wide.h"

namespace toolkit::win {

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HWND CreateChildControl(HWND parent, const ChildControl& c, HFONT font) {
  HWND control = CreateWindowExW(c.ex_style, c.window_class, platform::win::Wide(c.text).c_str(),
                                 WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.width, c.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr),
                                 nullptr);
  if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void* WindowObject(HWND hwnd, UINT message, LPARAM lparam) {
  if (message != WM_NCCREATE) return reinterpret_cast<void*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
  void* object = create->lpCreateParams;
  if (object && (create->dwExStyle & WS_EX_MDICHILD))
    object = reinterpret_cast<void*>(static_cast<const MDICREATESTRUCTW*>(object)->lParam);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  return object;
}

void* DialogObject(HWND dialog, UINT message, LPARAM lparam) {
  if (message != WM_INITDIALOG) return reinterpret_cast<void*>(GetWindowLongPtrW(dialog, DWLP_USER));
  SetWindowLongPtrW(dialog, DWLP_USER, lparam);
  return reinterpret_cast<void*>(lparam);
}

CNativeWindow::~CNativeWindow() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

ATOM CNativeWindow::Register(HINSTANCE instance, const wchar_t* class_name, HICON icon,
                             HICON small_icon, const wchar_t* menu, HBRUSH background) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &CNativeWindow::Procedure;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = small_icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszMenuName = menu;
  wc.lpszClassName = class_name;
  return RegisterClassExW(&wc);
}

HWND CNativeWindow::Create(const wchar_t* class_name, const wchar_t* title, DWORD style,
                           DWORD ex_style, int x, int y, int width, int height, HWND parent,
                           HMENU menu, HINSTANCE instance) {
  return CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, parent, menu,
                         instance, this);
}

LRESULT CNativeWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK CNativeWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = static_cast<CNativeWindow*>(WindowObject(hwnd, message, lparam));
  if (message == WM_NCCREATE && self) self->hwnd_ = hwnd;
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    result = DefWindowProcW(hwnd, message, wparam, lparam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace toolkit::win
