// skrevin's window in this process, with a recording stand-in for tessaro.
#include "script/win/script_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "frame_fixture.h"
#include "platform/file.h"
#include "platform/win/wide.h"

namespace {

using gui_test::AnswerNextDialog;
using gui_test::PressButton;
using gui_test::Workspace;
using platform::win::Narrow;

std::vector<std::pair<UINT, LPARAM>> g_received;  // message, and wParam or lParam as sent

// A top-level window titled "tessaro" that records the link's messages.
toolkit::win::UniqueWindow FakeTessaro() {
  static ATOM cls = [] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
      if (message < 0x8000 || message > 0x8002) return DefWindowProcW(window, message, wparam, lparam);
      g_received.emplace_back(message, message == 0x8002 ? lparam : LPARAM(wparam));
      return 0;
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VantariFakeTessaro";
    return RegisterClassExW(&wc);
  }();
  g_received.clear();
  return toolkit::win::UniqueWindow(CreateWindowExW(0, MAKEINTATOM(cls), L"tessaro", WS_OVERLAPPED, 0, 0, 10, 10,
                                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

const demo::Highlights& Demo() {
  static demo::DemoRom rom = demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1);
  return rom.highlights;
}

std::wstring Hex(uint32_t value) {
  wchar_t text[16];
  wsprintfW(text, L"%X", value);
  return text;
}

class ScriptWindow : public testing::Test {
 protected:
  void Open(const std::filesystem::path& rom, uint32_t offset) {
    // This program holds tessaro's strings: skrevin's class and title given here.
    toolkit::win::AppSpec spec = CScriptWindow::Spec(GetModuleHandleW(nullptr));
    spec.class_name = L"SKREVIN";
    spec.title = L"skrevin";
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOW, spec));
    window.Start(rom.empty() ? L"" : rom.wstring() + L":" + Hex(offset), Workspace() / "define.source");
    gui_test::Pump(30);
  }
  void TearDown() override {
    if (window.hwnd()) DestroyWindow(window.hwnd());
    gui_test::Pump(20);
  }
  HWND Item(int id) const { return GetDlgItem(window.hwnd(), id); }
  std::string Status() const {
    wchar_t text[128] = {};
    SendMessageW(Item(CScriptWindow::kIdStatus), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }
  void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }

  CScriptWindow window;
};

// Started on a battle script: a client area of 450 × 200, the fields, the decoded script, and
// tessaro told the text page, each text, the trainer page and the trainer; a click on the first
// status part turns tracing on.
TEST_F(ScriptWindow, StartUpLoadTellsTessaroAndTheStatusBarSwitchesTracing) {
  auto tessaro = FakeTessaro();
  const std::filesystem::path rom = Workspace() / demo::FindGame("BPRJ")->file_name;
  Open(rom, Demo().battle_script);
  RECT client;
  ASSERT_TRUE(GetClientRect(window.hwnd(), &client));
  EXPECT_EQ(client.right, 450);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(gui_test::Text(Item(CScriptWindow::kIdOffset)), Narrow(Hex(Demo().battle_script)));
  EXPECT_EQ(window.PaneText(CScriptWindow::kIdScript).rfind("lock\r\nfaceplayer\r\ntrainerbattle 0x00", 0), 0u);
  std::vector<std::pair<UINT, LPARAM>> expected = {{0x8000, 6}};
  for (uint32_t text : Demo().battle_texts) expected.emplace_back(0x8002, LPARAM(text));
  expected.insert(expected.end(), {{0x8000, 2}, {0x8001, Demo().battle_trainer}});
  EXPECT_EQ(g_received, expected);
  g_received.clear();
  Click(CScriptWindow::kIdLoad);
  EXPECT_TRUE(g_received.empty()) << "a manual load sends nothing";

  EXPECT_EQ(Status(), "自動追跡Off");
  SendMessageW(Item(CScriptWindow::kIdStatus), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
  EXPECT_EQ(Status(), "自動追跡On");
  EXPECT_TRUE(window.auto_trace());
}

// "Rom Save" asks first: No writes nothing, a failed write is shown in a box, Yes writes the
// edited script in place; a ROM that is not there is reported, not created.
TEST_F(ScriptWindow, RomSaveAsksAndShowsFailures) {
  TestDir dir;
  const std::filesystem::path rom = dir / "rom.gba";
  std::filesystem::copy_file(Workspace() / demo::FindGame("BPRJ")->file_name, rom);
  const uint32_t at = Demo().battle_script;
  Open(rom, at);
  std::wstring script = platform::win::Wide(window.PaneText(CScriptWindow::kIdScript));
  const size_t call = script.find(L"callstd 0x06");
  ASSERT_NE(call, std::wstring::npos);
  SetWindowTextW(Item(CScriptWindow::kIdScript), script.replace(call, 12, L"callstd 0x07").c_str());
  const std::string before = dir.Read("rom.gba");
  std::string question, failure;
  AnswerNextDialog(PressButton(IDNO, &question));
  Click(CScriptWindow::kIdRomSave);
  EXPECT_EQ(question.rfind("0x", 0), 0u) << question;
  gui_test::AnswerInTurn({PressButton(IDYES), PressButton(IDOK, &failure)});
  platform::FailNthFileOperation(1);
  Click(CScriptWindow::kIdRomSave);
  gui_test::Pump(300);
  platform::FailNthFileOperation(0);
  EXPECT_NE(failure.find(platform::InjectedFailureText()), std::string::npos) << failure;
  EXPECT_EQ(dir.Read("rom.gba"), before);
  AnswerNextDialog(PressButton(IDYES));
  Click(CScriptWindow::kIdRomSave);
  const std::string after = dir.Read("rom.gba");
  ASSERT_EQ(after.size(), before.size());
  size_t changed = 0;
  for (size_t i = 0; i < after.size(); ++i) changed += after[i] != before[i];
  EXPECT_EQ(changed, 1u) << "callstd's argument";

  SetWindowTextW(Item(CScriptWindow::kIdFile), (dir / "gone.gba").c_str());
  gui_test::AnswerInTurn({PressButton(IDYES), PressButton(IDOK, &failure)});
  Click(CScriptWindow::kIdRomSave);
  gui_test::Pump(300);
  EXPECT_EQ(failure.rfind("ファイルを開けません。", 0), 0u) << failure;
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.gba"));
}

// An assembly error's box names it and selects the token.
TEST_F(ScriptWindow, AnAssemblyErrorSelectsItsToken) {
  Open({}, 0);
  SetWindowTextW(Item(CScriptWindow::kIdScript), L"lock\r\nfrobnicate 0x1\r\n");
  std::string title;
  AnswerNextDialog([&title](HWND box) {
    title = gui_test::Text(box);
    PressButton(IDOK)(box);
  });
  Click(CScriptWindow::kIdSave);
  EXPECT_EQ(title, "定義されていません。");
  DWORD start = 0, end = 0;
  SendMessageW(Item(CScriptWindow::kIdScript), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 6u);
  EXPECT_EQ(end, 16u);

}

}  // namespace
