// tessaro started on a ROM whose settings name an impossible table: it says so and keeps running.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win/wide.h"
#include "running_program.h"
#include "unit/test_dir.h"

namespace {

using gui_test::RunningProgram;
using gui_test::WaitForWindow;

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

}  // namespace
