// The File menu's patch items: a patch of the loaded ROM as saved (unsaved changes pointed out
// first), then that patch applied to a fresh ROM and the result opened. Each dialog on the way
// is photographed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/tab_system.h"
#include "core/win/frame_ids.h"
#include "frame_fixture.h"
#include "gui_helpers.h"
#include "patch/patch_files.h"

namespace {

struct Step {
  const char* screenshot;
  std::function<void(HWND)> answer;
};

// Answers the dialogs this thread shows next, in turn, each photographed first; `answered`
// counts them.
void AnswerInTurn(std::shared_ptr<std::vector<Step>> steps, size_t next, HWND previous, int* answered) {
  if (next == steps->size()) return;
  gui_test::AnswerNextDialog([=](HWND dialog) {
    if (dialog == previous) return AnswerInTurn(steps, next, previous, answered);  // still closing
    gui_test::SaveScreenshot(dialog, (*steps)[next].screenshot);
    ++*answered;
    AnswerInTurn(steps, next + 1, dialog, answered);
    (*steps)[next].answer(dialog);
  });
}

std::function<void(HWND)> ChooseFile(const std::filesystem::path& path) {
  return [name = path.wstring()](HWND dialog) {
    HWND edit = GetDlgItem(dialog, 0x47C);  // cmb13 of the Explorer-style dialogs, else edt1
    SetWindowTextW(edit ? edit : GetDlgItem(dialog, 0x480), name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

std::function<void(HWND)> Press(int button) {
  return [button](HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); };
}

class PatchMenu : public gui_test::PageTest {};

TEST_F(PatchMenu, MakeAPatchOfTheLoadedRomThenApplyItToAFreshOne) {
  Start(gui_test::Workspace());
  TestDir dir;
  const std::filesystem::path original = CopyOfRom(dir), hack = dir / "hack.gba";
  std::filesystem::copy_file(original, hack);
  frame_.OpenRom(hack);
  ASSERT_EQ(Status(), "読み込み完了。");
  EXPECT_EQ(TabSystem().UnsavedChanges(hack), 0) << "every page writes back what it read";

  // The file changed behind the pages: saving now would write their bytes over it.
  std::string bytes = dir.Read("hack.gba");
  bytes[size_t(Setting("BPRJ", "MonsterBaseStats_Pos") + 28 + 1)] ^= 0x33;
  dir.Write("hack.gba", bytes);
  int answered = 0;
  AnswerInTurn(std::make_shared<std::vector<Step>>(std::vector<Step>{
                   {"patch_unsaved_question", Press(IDNO)},
                   {"patch_choose_original", ChooseFile(original)},
                   {"patch_save_as", ChooseFile(dir / "hack.bps")}}),
               0, nullptr, &answered);
  SendMessageW(hwnd(), WM_COMMAND, IDM_MAKE_PATCH, 0);
  EXPECT_EQ(answered, 3);
  EXPECT_EQ(Status().rfind("パッチを作成しました(BPS、", 0), 0u) << Status();
  std::vector<uint8_t> made, source, result;
  std::string error;
  ASSERT_EQ(patch::ReadFileUpTo(dir / "hack.bps", patch::kMaxPatchBytes, made, error), patch::ReadResult::kRead);
  ASSERT_EQ(patch::ReadFileUpTo(original, patch::kMaxRomBytes, source, error), patch::ReadResult::kRead);
  patch::Problem problem;
  ASSERT_TRUE(patch::Apply(made, source, result, problem));
  EXPECT_TRUE(result == std::vector<uint8_t>(bytes.begin(), bytes.end())) << "the ROM as saved";

  frame_.OpenRom(original);
  answered = 0;
  AnswerInTurn(std::make_shared<std::vector<Step>>(std::vector<Step>{
                   {"patch_choose_patch", ChooseFile(dir / "hack.bps")},
                   {"patch_save_result", ChooseFile(dir / "patched.gba")},
                   {"patch_open_question", Press(IDYES)}}),
               0, nullptr, &answered);
  SendMessageW(hwnd(), WM_COMMAND, IDM_APPLY_PATCH, 0);
  EXPECT_EQ(answered, 3);
  EXPECT_EQ(Status(), "読み込み完了。");
  EXPECT_TRUE(std::filesystem::equivalent(TabSystem().rom_path(), dir / "patched.gba"));
  EXPECT_EQ(dir.Read("patched.gba"), bytes);
}

}  // namespace
