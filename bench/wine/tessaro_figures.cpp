// tessaro's figures under Wine, run by ./dev bench: start to the window shown, the open of a
// 16 MiB ROM with every page of the list, each tab's first showing, the private memory after a load, and
// a record switch on the two slowest pages. Each figure is one line "FIGURE|what|value|unit|target".
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "editors/image/win/image_ids.h"
#include "editors/trainer/win/trainer_ids.h"
#include "frame_fixture.h"
#include "platform/win/wide.h"
#include "gui_helpers.h"

namespace {

using gui_test::RunningProgram;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

void Figure(const char* what, double value, const char* unit, const char* target) {
  std::printf("FIGURE|%s|%.1f|%s|%s\n", what, value, unit, target);
  std::fflush(stdout);
}

// A Shift-JIS caption in UTF-8, as the figures are printed.
std::string Utf8(const std::string& sjis) {
  const std::wstring wide = platform::win::Wide(sjis);
  std::string out(wide.size() * 3, '\0');
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), int(out.size()), nullptr, nullptr);
  out.resize(size_t(std::max(n, 0)));
  return out;
}

// The text of a window of another process (WM_GETTEXT is carried across processes).
std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One FireRed demo ROM of 16 MiB, written once.
const std::filesystem::path& BigWorkspace() {
  static TestDir dir;
  static bool written = [] {
    demo::WorkspaceOptions options;
    options.games = {"BPRJ"};
    options.rom_size = demo::kDefaultRomSize;
    std::string error;
    return demo::WriteWorkspace(dir.path(), options, error);
  }();
  EXPECT_TRUE(written);
  return dir.path();
}

std::filesystem::path BigRom() { return BigWorkspace() / demo::FindGame("BPRJ")->file_name; }

constexpr int kRuns = 3;

// Start to the window shown, median of kRuns.
double StartTime(const wchar_t* exe, const wchar_t* class_name, const wchar_t* title, const std::wstring& dir) {
  std::vector<double> starts;
  for (int run = 0; run < kRuns; ++run) {
    double begin = Now();
    RunningProgram program(exe, L"", dir.c_str());
    EXPECT_TRUE(program.started);
    HWND window = gui_test::WaitForWindow(program.pid, class_name, title, 60000, 1);
    EXPECT_NE(window, nullptr);
    if (!window) return 0;
    starts.push_back(Now() - begin);
    program.CloseAndExpectExitCodeZero(window);
  }
  return Median(starts);
}

TEST(Figures, StartAndMemoryOfTheProgram) {
  const std::wstring dir = BigWorkspace().wstring();
  Figure("an empty Win32 program, start to window shown (median of 3)",
         StartTime(L"empty_window.exe", L"EMPTY_WINDOW", L"empty", dir), "ms", "");
  Figure("tessaro start to window shown (median of 3)", StartTime(L"tessaro.exe", L"TESSARO", L"tessaro", dir), "ms",
         "< 300 ms, or within 150 ms of the empty program");

  // Started on the ROM: the status bar says when every page has read it.
  double begin = Now();
  RunningProgram program(L"tessaro.exe", L" \"" + BigRom().wstring() + L"\"", dir.c_str());
  ASSERT_TRUE(program.started);
  HWND window = gui_test::WaitForWindow(program.pid, L"TESSARO", L"tessaro", 60000, 1);
  ASSERT_NE(window, nullptr);
  std::wstring status;
  for (int i = 0; i < 60000 && status != platform::win::Wide("読み込み完了。"); ++i, Sleep(1))
    status = WindowText(GetDlgItem(window, 1));
  ASSERT_EQ(platform::win::Narrow(status), "読み込み完了。");
  Figure("tessaro start with a 16 MiB ROM until every page has read it", Now() - begin, "ms", "");
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  ASSERT_TRUE(GetProcessMemoryInfo(program.process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                   sizeof memory));
  // The commit charge is the process's private memory; Wine leaves PrivateUsage 0 for another
  // process but reports the commit charge.
  Figure("private memory (commit charge) after the load", double(memory.PagefileUsage) / (1024.0 * 1024.0), "MB",
         "< 40 MB");
  Figure("working set after the load", double(memory.WorkingSetSize) / (1024.0 * 1024.0), "MB", "");
  program.CloseAndExpectExitCodeZero(window);
}

class FiguresOfTheFrame : public gui_test::PageTest {};

TEST_F(FiguresOfTheFrame, OpenAndTabSwitches) {
  Start(BigWorkspace());
  // What the frame does while it waits for the user after the start (one message a page): the
  // pages' dialogs, made hidden.
  while (TabSystem().PrepareNextPage()) {
  }
  std::vector<double> opens;
  for (int run = 0; run < kRuns; ++run) {
    double begin = Now();
    frame_.OpenRom(BigRom());
    UpdateWindow(hwnd());
    opens.push_back(Now() - begin);
    ASSERT_EQ(Status(), "読み込み完了。");
  }
  Figure("open of a 16 MiB ROM, every page read, first page shown (median of 3)", Median(opens), "ms", "< 300 ms");

  // Each tab's first showing after a load fills it; the second shows it again. Every page of
  // the list, the first one last.
  const size_t pages = TabSystem().page_count();
  double slowest = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t step = 1; step <= pages; ++step) {
      const size_t tab = step % pages;
      double begin = Now();
      SendMessageW(hwnd(), WM_APP, WPARAM(tab), 0);
      RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      double ms = Now() - begin;
      slowest = std::max(slowest, ms);
      if (pass == 0) {
        const std::string what = "tab switch to " + Utf8(TabSystem().caption(tab)) + ", shown and painted";
        Figure(what.c_str(), ms, "ms", "< 100 ms");
      }
    }
  }
  Figure("slowest tab switch (two rounds)", slowest, "ms", "< 100 ms");
}

// A switch to the next record with the page shown: read, decode and paint.
TEST_F(FiguresOfTheFrame, RecordSwitches) {
  Start(BigWorkspace());
  constexpr int kSwitches = 20;
  Open(BigRom(), 7);
  double begin = Now();
  for (int i = 0; i < kSwitches; ++i) {
    Click(IDC_IMAGE_NEXT);
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  Figure("sprite page, switch to the next monster", (Now() - begin) / kSwitches, "ms", "");
  Open(BigRom(), 2);
  begin = Now();
  for (int i = 0; i < kSwitches; ++i) {
    SelectLine(IDC_TRAINER_LIST, i);
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  Figure("trainer page, switch to another trainer", (Now() - begin) / kSwitches, "ms", "");
}

}  // namespace
