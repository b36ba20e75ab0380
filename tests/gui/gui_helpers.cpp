#include "gui_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "platform/file.h"
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

double Milliseconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
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

namespace {
BOOL CALLBACK FindQuestion(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && GetDlgItem(window, IDYES)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

void AnswerFileDialog(const std::filesystem::path& path, std::string* title) {
  const std::wstring name = path.wstring();
  AnswerNextDialog([name, title](HWND dialog) {
    if (title) *title = Text(dialog);
    HWND edit = GetDlgItem(dialog, 0x47C);  // cmb13 of the Explorer-style dialogs, else edt1
    SetWindowTextW(edit ? edit : GetDlgItem(dialog, 0x480), name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // A replace question comes from the dialog's own loop, so it is answered from a timer.
    // It stops when the question is answered or no dialog is left.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
      HWND question = nullptr, open = nullptr;
      EnumThreadWindows(GetCurrentThreadId(), FindQuestion, reinterpret_cast<LPARAM>(&question));
      EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&open));
      if (question || !open) KillTimer(nullptr, timer);
      if (question) PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    });
  });
}

void SaveScreenshot(HWND window, const char* name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(100);
  RECT r;
  GetWindowRect(window, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  toolkit::win::UniqueMemoryDC memory(CreateCompatibleDC(nullptr));
  toolkit::win::UniqueBitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return;
  {
    toolkit::win::CSelectedObject selected(memory.get(), bitmap.get());
    // From the window's own DC: Wine keeps a top-level window's pixels (children included) in
    // its window surface, which a copy of the screen DC does not see.
    HDC source = GetWindowDC(window);
    BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
  }
  // GDI leaves the fourth byte 0; viewers would read that as fully transparent.
  auto* pixels = static_cast<uint8_t*>(bits);
  for (int i = 0; i < width * height; ++i) pixels[4 * i + 3] = 0xFF;
  DWORD image_size = DWORD(width) * DWORD(height) * 4;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + image_size;
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir = exe;
  dir = dir.substr(0, dir.find_last_of(L"\\/")) + L"\\..\\screenshots";
  std::filesystem::path path = std::filesystem::path(dir) / (std::string(name) + ".bmp");
  std::error_code ignored;  // a name may hold a folder: "BPRJ/monsters"
  std::filesystem::create_directories(path.parent_path(), ignored);
  platform::CFile out;
  bool written = out.Open(path, platform::OpenMode::kCreate) && out.Write(&file, sizeof file) &&
                 out.Write(&info.bmiHeader, sizeof info.bmiHeader) && out.Write(bits, image_size);
  EXPECT_TRUE(written) << out.ErrorText();
}

std::string Text(HWND window) {
  wchar_t text[1100] = {};
  GetWindowTextW(window, text, 1100);
  return platform::win::Narrow(text);
}

}  // namespace gui_test
