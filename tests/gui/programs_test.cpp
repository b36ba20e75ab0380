// Each program starts, shows its main window under its class and title, and ends with exit
// code 0 when that window is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win/wide.h"
#include "toolkit/win/unique_handle.h"
#include "unit/test_dir.h"

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

// Polls for a shown top-level window of `pid` with `title`, for up to `ms` milliseconds. (A
// window exists before the program has placed and shown it.)
HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    for (HWND w = FindWindowW(class_name, title); w; w = FindWindowExW(nullptr, w, class_name, title)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == pid && IsWindowVisible(w)) return w;
    }
    Sleep(100);
  }
  return nullptr;
}

// A program started in `directory` with `arguments`; closed and checked for exit code 0.
class RunningProgram {
 public:
  RunningProgram(const wchar_t* exe, const std::wstring& arguments, const wchar_t* directory) {
    std::wstring path = ExeDirectory() + exe;
    std::wstring command = L"\"" + path + L"\"" + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    started = CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             directory, &si, &pi) != FALSE;
    if (!started) return;
    process.reset(pi.hProcess);
    thread.reset(pi.hThread);
    pid = pi.dwProcessId;
  }
  void CloseAndExpectExitCodeZero(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0) << "did not end on WM_CLOSE";
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 0u);
  }

  bool started = false;
  DWORD pid = 0;
  UniqueKernelHandle process, thread;
};

TEST_P(ProgramWindow, StartsAndClosesCleanly) {
  const Program& p = GetParam();
  RunningProgram program(p.exe, L"", nullptr);
  ASSERT_TRUE(program.started) << "cannot start the program, error " << GetLastError();
  HWND window = WaitForWindow(program.pid, p.class_name, p.title, 60000);
  ASSERT_NE(window, nullptr) << "no shown window with the expected class and title";
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  EXPECT_STREQ(class_name, p.class_name);
  program.CloseAndExpectExitCodeZero(window);
}

// No count in Setting.ini ends tessaro, also when the ROM comes from the command line.
TEST(Tessaro, AnImpossibleItemCountIsReportedAndTheProgramKeepsRunning) {
  TestDir dir;
  std::string rom(0x1000, '\0');
  rom.replace(0xAC, 4, "BPRJ");
  dir.Write("rom.gba", rom);
  dir.Write("Setting.ini", "[BPRJ]\r\nItem_Data=0\r\nItem_DataNum=2147483647\r\n");
  RunningProgram program(L"tessaro.exe", L" rom.gba", dir.path().c_str());
  ASSERT_TRUE(program.started);
  HWND window = WaitForWindow(program.pid, L"TESSARO", L"tessaro", 60000);
  ASSERT_NE(window, nullptr);
  HWND status = GetDlgItem(window, 1);
  wchar_t text[256] = {};
  for (int i = 0; i < 100 && text[0] == L'\0'; ++i, Sleep(100))
    SendMessageW(status, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(platform::win::Narrow(text),
            "10CItem_Edit::DataRead を実行中にエラーが発生しました。テーブルがROMファイルに収まりません。");
  EXPECT_EQ(WaitForSingleObject(program.process.get(), 500), DWORD(WAIT_TIMEOUT));
  program.CloseAndExpectExitCodeZero(window);
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
