#include "gui_helpers.h"

#include <utility>

#include "platform/win/wide.h"

namespace gui_test {

namespace {

std::function<void(HWND)> g_answer;
bool g_answered = false;
UINT_PTR g_timer = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (IsWindowVisible(window) && wcscmp(class_name, L"#32770") == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !g_answer) return;
  KillTimer(nullptr, g_timer);
  g_timer = 0;
  auto answer = std::exchange(g_answer, nullptr);
  g_answered = true;
  answer(dialog);
}

}  // namespace

void Pump(DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

toolkit::win::UniqueWindow MakeHost(int x, int y, int width, int height) {
  static const ATOM host_class = [] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"VantariTestHost";
    return RegisterClassExW(&wc);
  }();
  return toolkit::win::UniqueWindow(CreateWindowExW(
      0, MAKEINTATOM(host_class), L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height,
      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

HWND MakeChild(HWND parent, const wchar_t* class_name, DWORD style, int x, int y, int width,
               int height, int id) {
  return CreateWindowExW(0, class_name, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                         parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr),
                         nullptr);
}

void AnswerNextDialog(std::function<void(HWND dialog)> answer) {
  g_answer = std::move(answer);
  g_answered = false;
  g_timer = SetTimer(nullptr, 0, 100, OnTimer);
}

bool DialogWasAnswered() { return g_answered; }

std::string Text(HWND window) {
  wchar_t text[1100] = {};
  GetWindowTextW(window, text, 1100);
  return platform::win::Narrow(text);
}

}  // namespace gui_test
