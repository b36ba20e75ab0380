// Each program starts in the demo workspace, shows its main window under its class and title
// (photographed into screenshots/programs/), and ends with exit code 0 when that window is closed;
// tessaro started on a ROM whose settings name an impossible table says so and keeps running.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win/wide.h"
#include "frame_fixture.h"
#include "running_program.h"
#include "unit/test_dir.h"

namespace {

using gui_test::RunningProgram;
using gui_test::WaitForWindow;

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

TEST_P(ProgramWindow, StartsAndClosesCleanly) {
  const Program& p = GetParam();
  RunningProgram program(p.exe, L"", gui_test::Workspace().c_str());
  ASSERT_TRUE(program.started) << "cannot start the program, error " << GetLastError();
  HWND window = WaitForWindow(program.pid, p.class_name, p.title, 60000);
  ASSERT_NE(window, nullptr) << "no shown window with the expected class and title";
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  EXPECT_STREQ(class_name, p.class_name);
  std::wstring exe(p.exe);
  gui_test::SaveScreenshot(window, ("programs/" + std::string(exe.begin(), exe.end() - 4)).c_str());
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
  std::wstring text;
  for (int i = 0; i < 100 && text.empty(); ++i, Sleep(100)) text = gui_test::WindowText(status);
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
