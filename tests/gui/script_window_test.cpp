// skrevin's window in this process, a recording stand-in for tessaro, and the real pair of
// programs for the link.
#include "script/win/script_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/file.h"

#include <cstdio>
#include <string>
#include <vector>

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "frame_fixture.h"
#include "gui_helpers.h"
#include "platform/win/wide.h"
#include "running_program.h"
#include "toolkit/win/unique_handle.h"

namespace {

using gui_test::AnswerNextDialog;
using gui_test::Pump;
using gui_test::Workspace;
using platform::win::Narrow;
using platform::win::Wide;

struct Received {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};
std::vector<Received> g_received;

LRESULT CALLBACK RecordProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message >= 0x8000 && message <= 0x8002) {
    g_received.push_back({message, wparam, lparam});
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// A top-level window titled "tessaro" that records what it is sent.
toolkit::win::UniqueWindow FakeTessaro() {
  static ATOM cls = [] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = RecordProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VantariFakeTessaro";
    return RegisterClassExW(&wc);
  }();
  g_received.clear();
  return toolkit::win::UniqueWindow(CreateWindowExW(0, MAKEINTATOM(cls), L"tessaro", WS_OVERLAPPED, 0, 0, 10, 10,
                                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

struct DemoScripts {
  demo::DemoRom rom;  // the BPRJ ROM of the workspace, as generated
  std::filesystem::path path;
};

const DemoScripts& Scripts() {
  static DemoScripts scripts = [] {
    DemoScripts s;
    s.rom = demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1);
    s.path = Workspace() / demo::FindGame("BPRJ")->file_name;
    return s;
  }();
  return scripts;
}

std::wstring Hex(uint32_t value) {
  wchar_t text[16];
  wsprintfW(text, L"%X", value);
  return text;
}

class ScriptWindow : public testing::Test {
 protected:
  void Open(const std::wstring& arguments) {
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOW, L"SKREVIN", L"skrevin"));
    window.Start(arguments, Workspace() / "define.source");
    Pump(30);
  }
  void TearDown() override {
    if (window.hwnd()) DestroyWindow(window.hwnd());
    Pump(20);
  }
  HWND Item(int id) const { return GetDlgItem(window.hwnd(), id); }
  std::string Status(int part) const {
    wchar_t text[128] = {};
    SendMessageW(Item(CScriptWindow::kIdStatus), SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }
  void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }

  CScriptWindow window;
};

TEST_F(ScriptWindow, StartUpLoadFillsTheFieldsAndTellsTessaro) {
  auto tessaro = FakeTessaro();
  const demo::Highlights& h = Scripts().rom.highlights;
  Open(Scripts().path.wstring() + L":" + Hex(h.battle_script));
  EXPECT_EQ(gui_test::Text(Item(CScriptWindow::kIdFile)), Narrow(Scripts().path.wstring()));
  EXPECT_EQ(gui_test::Text(Item(CScriptWindow::kIdOffset)), Narrow(Hex(h.battle_script)));
  wchar_t caption[400];
  GetWindowTextW(window.hwnd(), caption, 400);
  EXPECT_EQ(std::wstring(caption), L"Vantari Script Editor [" + Scripts().path.wstring() + L"]");
  std::string script = window.PaneText(CScriptWindow::kIdScript);
  EXPECT_EQ(script.rfind("lock\r\nfaceplayer\r\ntrainerbattle 0x00", 0), 0u) << script;
  EXPECT_EQ(Status(0), "自動追跡Off");
  SetWindowPos(window.hwnd(), nullptr, 0, 0, 700, 360, SWP_NOMOVE | SWP_NOZORDER);
  gui_test::SaveScreenshot(window.hwnd(), "skrevin");

  // Text page, one window per text, then the trainer page and the trainer.
  ASSERT_EQ(g_received.size(), 1 + h.battle_texts.size() + 2);
  EXPECT_EQ(g_received[0].message, 0x8000u);
  EXPECT_EQ(g_received[0].wparam, 6u);
  for (size_t i = 0; i < h.battle_texts.size(); ++i) {
    EXPECT_EQ(g_received[1 + i].message, 0x8002u);
    EXPECT_EQ(uint32_t(g_received[1 + i].lparam), h.battle_texts[i]);
  }
  EXPECT_EQ(g_received[4].wparam, 2u);
  EXPECT_EQ(g_received[5].message, 0x8001u);
  EXPECT_EQ(int(g_received[5].wparam), h.battle_trainer);

  // A manual Load sends nothing.
  g_received.clear();
  Click(CScriptWindow::kIdLoad);
  EXPECT_TRUE(g_received.empty());
  EXPECT_EQ(window.PaneText(CScriptWindow::kIdScript), script);
}

TEST_F(ScriptWindow, AutoTraceFollowsScriptsAndTexts) {
  Open(L"");
  EXPECT_EQ(Status(2), "") << "the workspace's define.source was read";
  SendMessageW(Item(CScriptWindow::kIdStatus), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
  EXPECT_TRUE(window.auto_trace());
  EXPECT_EQ(Status(0), "自動追跡On");
  SetWindowTextW(Item(CScriptWindow::kIdFile), Scripts().path.c_str());
  SetWindowTextW(Item(CScriptWindow::kIdOffset), Hex(Scripts().rom.highlights.scripts[2]).c_str());
  Click(CScriptWindow::kIdLoad);
  std::string output = window.PaneText(CScriptWindow::kIdOutput);
  EXPECT_NE(output.find("#org 0x"), std::string::npos);
  EXPECT_NE(output.find("setflag 0x0821"), std::string::npos);
  EXPECT_NE(output.find("フラグが"), std::string::npos);
  SendMessageW(Item(CScriptWindow::kIdStatus), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 5));
  EXPECT_TRUE(window.auto_trace()) << "only the first part switches";
}

TEST_F(ScriptWindow, SaveAndRomSaveWriteTheAssembledBytes) {
  TestDir dir;
  std::filesystem::path rom = dir / "rom.gba";
  std::filesystem::copy_file(Scripts().path, rom);
  uint32_t offset = Scripts().rom.highlights.battle_script;
  Open(rom.wstring() + L":" + Hex(offset));

  // Save to a separate file: the bytes of the script as they are in the ROM.
  // Not AnswerFileDialog: its watch for a replace question would answer the Rom Save question.
  std::filesystem::path out = dir / "script.bin";
  AnswerNextDialog([&](HWND dialog) {
    HWND name = GetDlgItem(dialog, 0x47C);
    SetWindowTextW(name ? name : GetDlgItem(dialog, 0x480), out.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  Click(CScriptWindow::kIdSave);
  std::string saved = dir.Read("script.bin");
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(saved, dir.Read("rom.gba").substr(offset, saved.size()));
  EXPECT_NE(window.PaneText(CScriptWindow::kIdOutput).find("6A 5A 5C "), std::string::npos);

  // Rom Save: No writes nothing, Yes writes the edited script in place.
  std::string script = window.PaneText(CScriptWindow::kIdScript);
  size_t at = script.find("callstd 0x06");
  ASSERT_NE(at, std::string::npos);
  script.replace(at, 12, "callstd 0x07");
  SetWindowTextW(Item(CScriptWindow::kIdScript), Wide(script).c_str());
  std::string question;
  AnswerNextDialog([&](HWND box) {
    question = gui_test::Text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDNO, 0);
  });
  std::string before = dir.Read("rom.gba");
  Click(CScriptWindow::kIdRomSave);
  char asked[128];
  std::snprintf(asked, sizeof asked, "0x%08Xに%dByte書き込むけどおk？", unsigned(offset), int(saved.size()));
  EXPECT_EQ(question, asked);
  EXPECT_EQ(dir.Read("rom.gba"), before);
  // Yes, and the write fails: the box says why and the ROM is as it was.
  std::string failure;
  AnswerNextDialog([&](HWND box) {
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    AnswerNextDialog([&](HWND error) {
      failure = gui_test::Text(GetDlgItem(error, 0xFFFF));
      PostMessageW(error, WM_COMMAND, IDOK, 0);
    });
  });
  platform::FailNthFileOperation(1);
  Click(CScriptWindow::kIdRomSave);
  Pump(300);
  platform::FailNthFileOperation(0);
  EXPECT_NE(failure.find(platform::InjectedFailureText()), std::string::npos) << failure;
  EXPECT_EQ(dir.Read("rom.gba"), before);
  AnswerNextDialog([](HWND box) { PostMessageW(box, WM_COMMAND, IDYES, 0); });
  Click(CScriptWindow::kIdRomSave);
  std::string after = dir.Read("rom.gba");
  ASSERT_EQ(after.size(), before.size());
  size_t changed = 0;
  for (size_t i = 0; i < after.size(); ++i) changed += after[i] != before[i];
  EXPECT_EQ(changed, 1u);
  EXPECT_EQ(after[offset + saved.size() - 3], 0x07) << "callstd's argument, before release and end";

  // A ROM that is not there is reported, not created.
  SetWindowTextW(Item(CScriptWindow::kIdFile), (dir / "gone.gba").c_str());
  std::string box_text;
  int answered = 0;
  AnswerNextDialog([&](HWND box) {
    // The question first, then the failure.
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    ++answered;
    AnswerNextDialog([&](HWND error) {
      box_text = gui_test::Text(GetDlgItem(error, 0xFFFF));
      PostMessageW(error, WM_COMMAND, IDOK, 0);
    });
  });
  Click(CScriptWindow::kIdRomSave);
  Pump(300);
  EXPECT_EQ(answered, 1);
  EXPECT_EQ(box_text, "ファイルを開けません。");
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.gba"));
}

TEST_F(ScriptWindow, AssemblyErrorsSelectTheToken) {
  Open(L"");
  SetWindowTextW(Item(CScriptWindow::kIdScript), L"lock\r\nfrobnicate 0x1\r\n");
  std::string title;
  AnswerNextDialog([&](HWND box) {
    wchar_t text[100] = {};
    GetWindowTextW(box, text, 100);
    title = Narrow(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  Click(CScriptWindow::kIdSave);
  EXPECT_EQ(title, "定義されていません。");
  DWORD start = 0, end = 0;
  SendMessageW(Item(CScriptWindow::kIdScript), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 6u);
  EXPECT_EQ(end, 16u);
}

TEST_F(ScriptWindow, TheSplitterSetsTheOutputWidth) {
  Open(L"");
  SetWindowPos(window.hwnd(), nullptr, 0, 0, 800, 400, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(window.hwnd(), &client);
  int x = client.right - window.output_width() - 2;
  SendMessageW(window.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 100));
  SendMessageW(window.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 100));
  SendMessageW(window.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(300, 100));
  EXPECT_EQ(window.output_width(), client.right - 300);
  RECT output;
  GetWindowRect(Item(CScriptWindow::kIdOutput), &output);
  EXPECT_EQ(output.right - output.left, client.right - 300);
}

// The real programs: tessaro on the demo ROM, then skrevin started on the battle script.
TEST(ScriptLink, SkrevinSwitchesTessaroToTheTrainerPage) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::filesystem::copy_file(Workspace() / "define.source", std::filesystem::path(exe).parent_path() / "define.source",
                             std::filesystem::copy_options::overwrite_existing);
  gui_test::RunningProgram tessaro(L"tessaro.exe", L" " + Scripts().path.filename().wstring(), Workspace().c_str());
  HWND main = gui_test::WaitForWindow(tessaro.pid, L"TESSARO", L"tessaro", 10000);
  ASSERT_TRUE(main);
  HWND tab = GetDlgItem(main, 289);
  EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
  gui_test::RunningProgram skrevin(L"skrevin.exe", L" " + Scripts().path.wstring() + L":" +
                                   Hex(Scripts().rom.highlights.battle_script), Workspace().c_str());
  HWND editor = gui_test::WaitForWindow(skrevin.pid, L"SKREVIN", nullptr, 10000);
  ASSERT_TRUE(editor);
  LRESULT selected = 0;
  for (int i = 0; i < 50 && selected != 2; ++i, Sleep(100)) selected = SendMessageW(tab, TCM_GETCURSEL, 0, 0);
  EXPECT_EQ(selected, 2) << "the trainer page after the text page";
  // The page shows the script's trainer, chosen in its list 1004.
  HWND page = nullptr;
  EnumChildWindows(
      main,
      [](HWND child, LPARAM found) {
        if (GetDlgItem(child, 1004) && GetDlgItem(child, 1043)) *reinterpret_cast<HWND*>(found) = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&page));
  ASSERT_TRUE(page);
  LRESULT trainer = -1;
  const int expected = Scripts().rom.highlights.battle_trainer;
  for (int i = 0; i < 50 && trainer != expected; ++i, Sleep(100)) trainer = SendDlgItemMessageW(page, 1004, LB_GETCURSEL, 0, 0);
  EXPECT_EQ(trainer, expected);
  skrevin.CloseAndExpectExitCodeZero(editor);
  tessaro.CloseAndExpectExitCodeZero(main);
}

}  // namespace
