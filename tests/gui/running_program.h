#pragma once
// Another program of the suite, started as a process from the test's directory of programs.
#include <windows.h>

#include <string>

#include "toolkit/win/unique_handle.h"

namespace gui_test {

// Polls for a shown top-level window of `pid` with `class_name` and `title` (null: any), for up
// to `ms` milliseconds. A window exists before the program has placed and shown it.
HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD ms, DWORD poll_ms = 100);

// `exe` (beside the test program) started in `directory` (null: the test's) with `arguments`.
class RunningProgram {
 public:
  RunningProgram(const wchar_t* exe, const std::wstring& arguments, const wchar_t* directory);
  // Closes `window` and expects the program to end with exit code 0.
  void CloseAndExpectExitCodeZero(HWND window);

  bool started = false;
  DWORD pid = 0;
  toolkit::win::UniqueKernelHandle process, thread;
};

// The text of a window of another process (WM_GETTEXT is carried across processes).
std::wstring WindowText(HWND window);

}  // namespace gui_test
