#include "toolkit/win/app_frame.h"

#include <commctrl.h>

namespace toolkit::win {

namespace {

// Every common control the programs make themselves (status and progress bars, tab control)
// beside the standard ones.
constexpr DWORD kControlClasses = ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;

HICON Icon(HINSTANCE instance, int id) { return id ? LoadIconW(instance, MAKEINTRESOURCEW(id)) : nullptr; }

}  // namespace

bool CAppFrame::Create(HINSTANCE instance, int show, const AppSpec& spec) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, kControlClasses};
  InitCommonControlsEx(&icc);
  // A second window of the class (the tests make several) finds it registered.
  Register(instance, spec.class_name.c_str(), Icon(instance, spec.icon_id), Icon(instance, spec.small_icon_id),
           spec.menu_id ? MAKEINTRESOURCEW(spec.menu_id) : nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  const DWORD style = WS_OVERLAPPEDWINDOW;
  int width = spec.width, height = spec.height;
  if (spec.client_width > 0 && spec.client_height > 0) {
    RECT r = {0, 0, spec.client_width, spec.client_height};
    AdjustWindowRectEx(&r, style, spec.menu_id != 0, 0);
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
  if (!CNativeWindow::Create(spec.class_name.c_str(), spec.title.c_str(), style, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                             width, height, nullptr, nullptr, instance))
    return false;
  Show(show);
  return true;
}

void CAppFrame::Show(int show) {
  ShowWindow(hwnd(), show);
  UpdateWindow(hwnd());
}

LRESULT CAppFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    if (ends_loop) PostQuitMessage(0);
    return 0;
  }
  return CNativeWindow::HandleMessage(message, wparam, lparam);
}

std::wstring LoadStringResource(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  int n = LoadStringW(instance, id, reinterpret_cast<wchar_t*>(&text), 0);
  return n > 0 ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

int RunApp(HINSTANCE instance, int show, const AppSpec& spec, CAppFrame& frame,
           const std::function<void()>& started) {
  if (!frame.Create(instance, show, spec)) return 0;
  if (started) started();
  HACCEL accelerators =
      spec.accelerators_id ? LoadAcceleratorsW(instance, MAKEINTRESOURCEW(spec.accelerators_id)) : nullptr;
  return RunMessageLoop(frame.hwnd(), accelerators, frame.Filters());
}

}  // namespace toolkit::win
