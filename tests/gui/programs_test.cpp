// Each program starts, shows its main window under its class and title, and ends with exit
// code 0 when that window is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit/win/unique_handle.h"

namespace {

using toolkit::win::UniqueKernelHandle;

std::wstring ExeDirectory() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

struct Program {
  const wchar_t* exe;
  const wchar_t* class_name;
  const wchar_t* title;
};

void PrintTo(const Program& p, std::ostream* os) {
  std::wstring w(p.exe);
  *os << std::string(w.begin(), w.end());
}

class ProgramWindow : public ::testing::TestWithParam<Program> {};

// Polls for a top-level window of `pid` with `title`, for up to `ms` milliseconds.
HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    for (HWND w = FindWindowW(class_name, title); w; w = FindWindowExW(nullptr, w, class_name, title)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == pid) return w;
    }
    Sleep(100);
  }
  return nullptr;
}

TEST_P(ProgramWindow, StartsAndClosesCleanly) {
  const Program& p = GetParam();
  std::wstring exe = ExeDirectory() + p.exe;
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi))
      << "cannot start the program, error " << GetLastError();
  UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);

  HWND window = WaitForWindow(pi.dwProcessId, p.class_name, p.title, 60000);
  ASSERT_NE(window, nullptr) << "no window with the expected class and title";
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  EXPECT_STREQ(class_name, p.class_name);
  EXPECT_TRUE(IsWindowVisible(window));

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0) << "did not end on WM_CLOSE";
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
}

const Program kPrograms[] = {
    {L"tessaro.exe", L"TESSARO", L"tessaro"},
    {L"skrevin.exe", L"SKREVIN", L"Vantari Script Editor [新規]"},
    {L"pictoma.exe", L"pictoma", L"pictoma"},
    {L"tilvane.exe", L"tilvane class", L"tilvane"},
    {L"glyfen.exe", L"glyfen class", L"glyfen"},
};

INSTANTIATE_TEST_SUITE_P(Suite, ProgramWindow, ::testing::ValuesIn(kPrograms),
                         [](const auto& param_info) {
                           std::wstring w(param_info.param.exe);
                           return std::string(w.begin(), w.end() - 4);
                         });

}  // namespace
