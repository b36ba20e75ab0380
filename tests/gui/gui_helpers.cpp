#include "gui_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "toolkit/image/bitmap_image.h"
#include "platform/win/wide.h"

namespace gui_test {

namespace {

std::wstring ExeDirectory() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

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

namespace {
BOOL CALLBACK FindQuestion(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && GetDlgItem(window, IDYES)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

Answer ChooseFile(const std::filesystem::path& path) {
  return [name = path.wstring()](HWND dialog) {
    HWND edit = GetDlgItem(dialog, 0x47C);  // cmb13 of the Explorer-style dialogs, else edt1
    SetWindowTextW(edit ? edit : GetDlgItem(dialog, 0x480), name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

Answer PressButton(int id, std::string* text) {
  return [id, text](HWND box) {
    if (text) *text = Text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  };
}

namespace {
bool g_replace_asked = false;
std::vector<Answer> g_turns;
size_t g_turn = 0;
HWND g_last_answered = nullptr;

void NextTurn() {
  if (g_turn == g_turns.size()) return;
  AnswerNextDialog([](HWND dialog) {
    if (dialog == g_last_answered) return NextTurn();
    g_last_answered = dialog;
    Answer answer = g_turns[g_turn++];
    NextTurn();
    answer(dialog);
  });
}
}  // namespace

void AnswerFileDialog(const std::filesystem::path& path, std::string* title) {
  g_replace_asked = false;
  AnswerNextDialog([choose = ChooseFile(path), title](HWND dialog) {
    if (title) *title = Text(dialog);
    choose(dialog);
    // A replace question comes from the dialog's own loop, so it is answered from a timer.
    // It stops when the question is answered or no dialog is left.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
      HWND question = nullptr, open = nullptr;
      EnumThreadWindows(GetCurrentThreadId(), FindQuestion, reinterpret_cast<LPARAM>(&question));
      EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&open));
      if (question || !open) KillTimer(nullptr, timer);
      if (question) PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
      g_replace_asked = g_replace_asked || question;
    });
  });
}

bool ReplaceWasAsked() { return g_replace_asked; }

void AnswerInTurn(std::vector<Answer> answers) {
  g_turns = std::move(answers);
  g_turn = 0;
  g_last_answered = nullptr;
  NextTurn();
}

size_t AnsweredInTurn() { return g_turn; }

void SaveScreenshot(HWND window, const char* name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(100);
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  lumak::CBitmapImage shot(width, height, 24);
  // From the window's own DC: Wine keeps a top-level window's pixels (children included) in
  // its window surface, which a copy of the screen DC does not see.
  HDC source = GetWindowDC(window);
  toolkit::win::UniqueMemoryDC memory(CreateCompatibleDC(source));
  toolkit::win::UniqueBitmap bitmap(CreateCompatibleBitmap(source, width, height));
  {
    toolkit::win::CSelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  }
  ReleaseDC(window, source);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};  // bottom-up, as in a BMP
  GetDIBits(memory.get(), bitmap.get(), 0, UINT(height), shot.pixels().data(), &info, DIB_RGB_COLORS);
  const std::filesystem::path path = ExeDirectory() + L"..\\screenshots\\" + platform::win::Wide(name) + L".bmp";
  std::error_code ignored;  // a name may hold a folder: "BPRJ/monsters"
  std::filesystem::create_directories(path.parent_path(), ignored);
  EXPECT_TRUE(shot.SaveImage(path)) << path;
}

std::string Text(HWND window) {
  wchar_t text[1100] = {};
  GetWindowTextW(window, text, 1100);
  return platform::win::Narrow(text);
}


HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD ms, DWORD poll_ms) {
  const DWORD start = GetTickCount();
  do {
    for (HWND w = FindWindowW(class_name, title); w; w = FindWindowExW(nullptr, w, class_name, title)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == pid && IsWindowVisible(w)) return w;
    }
    Sleep(poll_ms);
  } while (GetTickCount() - start < ms);
  return nullptr;
}

RunningProgram::RunningProgram(const wchar_t* exe, const std::wstring& arguments, const wchar_t* directory) {
  std::wstring path = ExeDirectory() + exe;
  std::wstring command = L"\"" + path + L"\"" + arguments;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  started = CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &si,
                           &pi) != FALSE;
  if (!started) return;
  process.reset(pi.hProcess);
  thread.reset(pi.hThread);
  pid = pi.dwProcessId;
}

void RunningProgram::CloseAndExpectExitCodeZero(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0) << "did not end on WM_CLOSE";
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
}


}  // namespace gui_test
