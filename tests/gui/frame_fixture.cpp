#include "frame_fixture.h"

#include "core/win/frame_ids.h"

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "platform/file.h"
#include "platform/profile.h"
#include "platform/win/wide.h"
#include "text/shared_tables.h"

namespace gui_test {

const std::filesystem::path& Workspace() {
  static TestDir dir;
  static bool written = [] {
    demo::WorkspaceOptions options;
    options.games = {"BPRJ", "BPEJ"};
    options.rom_size = demo::kMinimumRomSize;
    std::string error;
    return demo::WriteWorkspace(dir.path(), options, error);
  }();
  EXPECT_TRUE(written);
  return dir.path();
}

const std::filesystem::path& WorkspaceWithout(const TestDir& dir, const std::vector<const char*>& dropped) {
  for (const char* file : {"Setting.ini", "tokusei.ini", "effects.ini"}) {
    std::string text, error;
    EXPECT_TRUE(platform::ReadWholeFile(Workspace() / file, text, error)) << error;
    for (const char* key : dropped) {
      std::string line(1, '\n');
      line.append(key).push_back('=');
      for (size_t at; (at = text.find(line)) != std::string::npos;) text.erase(at + 1, text.find('\n', at + 1) - at);
    }
    dir.Write(file, text);
  }
  return dir.path();
}

void PageTest::Start(const std::filesystem::path& dir, int show) {
  // The frame writes its section of Setting.ini on exit: tests on the shared workspace start
  // in a copy of it (with the name files beside it), so that no test sees what another one left.
  std::filesystem::path start = dir;
  if (dir == Workspace()) {
    for (const char* file : {"Setting.ini", "tokusei.ini", "effects.ini"})
      std::filesystem::copy_file(dir / file, startup_ / file, std::filesystem::copy_options::overwrite_existing);
    start = startup_.path();
  }
  text::SharedTables().Reset();
  text::SharedTables().switches = {};
  text::VantariText().set_hide_terminator(0);
  // A program starts without a ROM: no path left from the last test's frame (whose ROM copy
  // may be gone with its test directory).
  TabSystem().set_rom_path({});
  saved_dir_ = std::filesystem::current_path();
  std::filesystem::current_path(start);
  ASSERT_TRUE(frame_.Create(GetModuleHandleW(nullptr), show, CMainFrame::Spec(GetModuleHandleW(nullptr))));
  Pump(50);
}

void PageTest::TearDown() {
  if (frame_.hwnd()) DestroyWindow(frame_.hwnd());
  Pump(20);  // also takes the WM_QUIT the frame posts
  if (!saved_dir_.empty()) std::filesystem::current_path(saved_dir_);
}

std::filesystem::path PageTest::Rom(const char* code) const {
  return Workspace() / demo::FindGame(code)->file_name;
}

std::filesystem::path PageTest::CopyOfRom(const TestDir& dir, const char* code) const {
  std::filesystem::path copy = dir / demo::FindGame(code)->file_name;
  std::filesystem::copy_file(Rom(code), copy, std::filesystem::copy_options::overwrite_existing);
  return copy;
}

void PageTest::Open(const std::filesystem::path& rom, int tab) {
  frame_.OpenRom(rom);
  ASSERT_EQ(Status(), "読み込み完了。");
  tab_ = tab;
  SendMessageW(hwnd(), WM_APP, WPARAM(tab), 0);
  page = TabSystem().CurrentPageWindow();
  ASSERT_TRUE(page);
}

void PageTest::Revisit() {
  SendMessageW(hwnd(), WM_APP, tab_ == 0 ? 1 : 0, 0);
  SendMessageW(hwnd(), WM_APP, WPARAM(tab_), 0);
  page = TabSystem().CurrentPageWindow();
}

void PageTest::Save() {
  SendMessageW(hwnd(), WM_COMMAND, IDM_SAVE_ROM, 0);
  EXPECT_EQ(Status(), "保存しました。");
}

std::string PageTest::Text(int id) const { return gui_test::Text(Control(id)); }

void PageTest::SetText(int id, const char* text) const {
  SetWindowTextW(Control(id), platform::win::Wide(text).c_str());
}

void PageTest::Select(int id, int index) const {
  Choose(id, index);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(id)));
}

void PageTest::SelectLine(int id, int index) const {
  SendMessageW(Control(id), LB_SETCURSEL, WPARAM(index), 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(id)));
}

void PageTest::SelectTab(int id, int index) const {
  SendMessageW(Control(id), TCM_SETCURSEL, WPARAM(index), 0);
  NMHDR header = {Control(id), UINT_PTR(id), UINT(TCN_SELCHANGE)};
  SendMessageW(page, WM_NOTIFY, WPARAM(id), reinterpret_cast<LPARAM>(&header));
}

long PageTest::Setting(const char* code, const char* key, const std::filesystem::path& workspace) {
  char value[30] = {};
  platform::ReadProfileValue(workspace / "Setting.ini", code, key, "", value, sizeof value);
  return std::atol(value);
}

HWND PageTest::OwnedWindow(const wchar_t* class_name) const {
  for (HWND window = FindWindowExW(nullptr, nullptr, class_name, nullptr); window;
       window = FindWindowExW(nullptr, window, class_name, nullptr))
    if (GetWindow(window, GW_OWNER) == hwnd()) return window;
  return nullptr;
}

uint32_t PageTest::RomU32(const std::string& rom, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4 && at + i < rom.size(); ++i) value |= uint32_t(uint8_t(rom[at + i])) << (8 * i);
  return value;
}

}  // namespace gui_test
