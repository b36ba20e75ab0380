#include "frame_fixture.h"

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "text/name_tables.h"

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

void Frame::Start(const std::filesystem::path& dir, int show) {
  // The frame writes its section of Setting.ini on exit: tests on the shared workspace start
  // in a copy of it, so that no test sees what another one left.
  std::filesystem::path start = dir;
  if (dir == Workspace()) {
    std::filesystem::copy_file(dir / "Setting.ini", startup_ / "Setting.ini",
                               std::filesystem::copy_options::overwrite_existing);
    start = startup_.path();
  }
  text::Switches() = {};
  text::VantariText().set_hide_terminator(0);
  saved_dir_ = std::filesystem::current_path();
  std::filesystem::current_path(start);
  ASSERT_TRUE(frame_.Create(GetModuleHandleW(nullptr)));
  frame_.ApplySettingsAndShow(show);
  Pump(50);
}

void Frame::TearDown() {
  if (frame_.hwnd()) DestroyWindow(frame_.hwnd());
  Pump(20);  // also takes the WM_QUIT the frame posts
  if (!saved_dir_.empty()) std::filesystem::current_path(saved_dir_);
}

std::filesystem::path Frame::Rom(const char* code) const {
  return Workspace() / demo::FindGame(code)->file_name;
}

std::filesystem::path Frame::CopyOfRom(const TestDir& dir, const char* code) const {
  std::filesystem::path copy = dir / demo::FindGame(code)->file_name;
  std::filesystem::copy_file(Rom(code), copy, std::filesystem::copy_options::overwrite_existing);
  return copy;
}

}  // namespace gui_test
