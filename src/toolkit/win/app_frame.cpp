#include "toolkit/win/app_frame.h"

#include <commctrl.h>

#include "toolkit/win/message_loop.h"

namespace toolkit::win {

LRESULT CAppFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return CNativeWindow::HandleMessage(message, wparam, lparam);
}

std::wstring LoadStringResource(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  int n = LoadStringW(instance, id, reinterpret_cast<wchar_t*>(&text), 0);
  return n > 0 ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

int RunApp(HINSTANCE instance, int show, const AppSpec& spec, CAppFrame& frame) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                              ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  auto icon = [&](int id) {
    return id ? LoadIconW(instance, MAKEINTRESOURCEW(id)) : nullptr;
  };
  if (!CNativeWindow::Register(instance, spec.class_name.c_str(), icon(spec.icon_id),
                               icon(spec.small_icon_id),
                               spec.menu_id ? MAKEINTRESOURCEW(spec.menu_id) : nullptr,
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
    return 0;
  }
  const DWORD style = WS_OVERLAPPEDWINDOW;
  int width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  if (spec.client_width > 0 && spec.client_height > 0) {
    RECT r = {0, 0, spec.client_width, spec.client_height};
    AdjustWindowRectEx(&r, style, spec.menu_id != 0, 0);
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
  if (!frame.Create(spec.class_name.c_str(), spec.title.c_str(), style, 0, CW_USEDEFAULT,
                    CW_USEDEFAULT, width, height, nullptr, nullptr, instance)) {
    return 0;
  }
  ShowWindow(frame.hwnd(), show);
  UpdateWindow(frame.hwnd());
  HACCEL accelerators =
      spec.accelerators_id ? LoadAcceleratorsW(instance, MAKEINTRESOURCEW(spec.accelerators_id)) : nullptr;
  return RunMessageLoop(frame.hwnd(), accelerators);
}

}  // namespace toolkit::win
