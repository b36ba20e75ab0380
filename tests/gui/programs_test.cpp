// The programs as processes: each starts in the demo workspace, shows its main window under its
// class and title (photographed into screenshots/programs/) and ends with exit code 0 when it is
// closed; skrevin started on a battle script switches a running tessaro (started on a ROM) to
// the trainer page and its trainer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "frame_fixture.h"

namespace {

using gui_test::RunningProgram;
using gui_test::WaitForWindow;

struct Program {
  const wchar_t* exe;
  const wchar_t* class_name;
  const wchar_t* title;
};

class ProgramWindow : public testing::TestWithParam<Program> {};

TEST_P(ProgramWindow, StartsAndClosesCleanly) {
  const Program& p = GetParam();
  RunningProgram program(p.exe, L"", gui_test::Workspace().c_str());
  ASSERT_TRUE(program.started) << "cannot start the program, error " << GetLastError();
  HWND window = WaitForWindow(program.pid, p.class_name, p.title, 60000);
  ASSERT_NE(window, nullptr) << "no shown window with the expected class and title";
  std::wstring exe(p.exe);
  gui_test::SaveScreenshot(window, ("programs/" + std::string(exe.begin(), exe.end() - 4)).c_str());
  program.CloseAndExpectExitCodeZero(window);
}

const Program kPrograms[] = {
    {L"tessaro.exe", L"TESSARO", L"tessaro"},
    {L"skrevin.exe", L"SKREVIN", L"Vantari Script Editor [新規]"},
    {L"pictoma.exe", L"pictoma", L"pictoma"},
    {L"tilvane.exe", L"tilvane class", L"tilvane"},
    {L"glyfen.exe", L"glyfen class", L"glyfen"},
};

INSTANTIATE_TEST_SUITE_P(Suite, ProgramWindow, testing::ValuesIn(kPrograms), [](const auto& param_info) {
  std::wstring w(param_info.param.exe);
  return std::string(w.begin(), w.end() - 4);
});

TEST(ScriptLink, SkrevinSwitchesTessaroToTheTrainerPage) {
  const auto& workspace = gui_test::Workspace();
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::filesystem::copy_file(workspace / "define.source", std::filesystem::path(exe).parent_path() / "define.source",
                             std::filesystem::copy_options::overwrite_existing);
  const demo::GameSpec& game = *demo::FindGame("BPRJ");
  const demo::Highlights demo = demo::BuildDemoRom(game, demo::kMinimumRomSize, 1).highlights;
  RunningProgram tessaro(L"tessaro.exe", L" " + std::filesystem::path(game.file_name).wstring(), workspace.c_str());
  HWND main = WaitForWindow(tessaro.pid, L"TESSARO", L"tessaro", 10000);
  ASSERT_TRUE(main);
  // skrevin starts once tessaro has read the ROM of its command line, as a user starts it: a
  // window shown is not yet a frame that has made its first page and read its ROM.
  wchar_t status[64] = {};
  for (int i = 0; i < 200 && lstrcmpW(status, L"読み込み完了。") != 0; ++i, Sleep(50))
    SendMessageW(GetDlgItem(main, 1), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(status));
  ASSERT_EQ(lstrcmpW(status, L"読み込み完了。"), 0) << "tessaro did not finish reading its ROM";
  wchar_t offset[16];
  wsprintfW(offset, L":%X", demo.battle_script);
  RunningProgram skrevin(L"skrevin.exe", L" " + (workspace / game.file_name).wstring() + offset, workspace.c_str());
  HWND editor = WaitForWindow(skrevin.pid, L"SKREVIN", nullptr, 10000);
  ASSERT_TRUE(editor);
  HWND tab = GetDlgItem(main, 289);
  LRESULT selected = 0;
  // skrevin tells tessaro once it has decoded the script, which a cold Wine may take seconds for.
  for (int i = 0; i < 200 && selected != 2; ++i, Sleep(100)) selected = SendMessageW(tab, TCM_GETCURSEL, 0, 0);
  EXPECT_EQ(selected, 2) << "the trainer page after the text page";
  // The page, the shown dialog in the tab control (the others wait hidden), shows the script's
  // trainer, chosen in its list 1004.
  HWND page = FindWindowExW(tab, nullptr, L"#32770", nullptr);
  while (page && !IsWindowVisible(page)) page = FindWindowExW(tab, page, L"#32770", nullptr);
  ASSERT_TRUE(GetDlgItem(page, 1043)) << "the trainer page";
  LRESULT trainer = -1;
  for (int i = 0; i < 100 && trainer != demo.battle_trainer; ++i, Sleep(100))
    trainer = SendDlgItemMessageW(page, 1004, LB_GETCURSEL, 0, 0);
  EXPECT_EQ(trainer, demo.battle_trainer);
  skrevin.CloseAndExpectExitCodeZero(editor);
  tessaro.CloseAndExpectExitCodeZero(main);
}

}  // namespace
