#include "running_program.h"

#include <gtest/gtest.h>

namespace gui_test {

namespace {

std::wstring ExeDirectory() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

}  // namespace

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

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

}  // namespace gui_test
