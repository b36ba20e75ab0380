// The common file dialogs remember the path chosen first, driven from a timer.
#include "toolkit/win/file_dialogs.h"

#include <gtest/gtest.h>

#include "gui_helpers.h"
#include "platform/win/wide.h"
#include "unit/test_dir.h"

namespace {

using gui_test::AnswerNextDialog;

constexpr int kFileNameCombo = 0x47C;  // cmb13 of the Explorer-style dialogs
constexpr int kFileNameEdit = 0x480;   // edt1

HWND FileNameControl(HWND dialog) {
  HWND control = GetDlgItem(dialog, kFileNameCombo);
  return control ? control : GetDlgItem(dialog, kFileNameEdit);
}

// Types `name` (when given) into the dialog and presses OK.
void Choose(const std::wstring& name) {
  AnswerNextDialog([name](HWND dialog) {
    if (!name.empty()) SetWindowTextW(FileNameControl(dialog), name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
}

TEST(FileDialogs, OpenKeepsTheFirstChosenPath) {
  TestDir dir;
  std::filesystem::path first = dir.Write("first.bmp", "BM");
  std::filesystem::path other = dir.Write("other.bmp", "BM");
  const char* filter = "BMP (*.bmp)\0*.bmp\0すべて (*.*)\0*.*\0";

  Choose(first.wstring());
  const std::filesystem::path* chosen =
      toolkit::win::opendiag(nullptr, filter, "bmp", "開く", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                             platform::win::Narrow(other.wstring()).c_str());
  ASSERT_TRUE(gui_test::DialogWasAnswered());
  ASSERT_NE(chosen, nullptr);
  EXPECT_TRUE(std::filesystem::equivalent(*chosen, first));

  // Pressing OK at once takes the path the dialog started with: the first one, not `other`.
  Choose(L"");
  chosen = toolkit::win::opendiag(nullptr, filter, "bmp", "開く", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                                  platform::win::Narrow(other.wstring()).c_str());
  ASSERT_NE(chosen, nullptr);
  EXPECT_TRUE(std::filesystem::equivalent(*chosen, first));
}

bool question_answered = false;

BOOL CALLBACK FindQuestion(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && GetDlgItem(window, IDYES)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The main program's save dialog takes a new file, and asks before replacing an existing one.
TEST(FileDialogs, SavingTakesNewFilesAndAsksBeforeReplacing) {
  TestDir dir;
  const char* filter = "ROM (*.gba)\0*.gba\0";
  std::filesystem::path destination;
  Choose((dir / "new.gba").wstring());
  ASSERT_TRUE(toolkit::win::filediag(nullptr, destination, filter, "gba", "保存", /*save=*/true));
  EXPECT_EQ(destination.filename(), "new.gba");

  std::filesystem::path saved = dir.Write("saved.gba", "x");
  AnswerNextDialog([&](HWND dialog) {
    SetWindowTextW(FileNameControl(dialog), saved.wstring().c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // The question comes from the dialog's own message loop: answer it from a timer too.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
      HWND question = nullptr;
      EnumThreadWindows(GetCurrentThreadId(), FindQuestion, reinterpret_cast<LPARAM>(&question));
      if (!question) return;
      KillTimer(nullptr, timer);
      question_answered = true;
      PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    });
  });
  ASSERT_TRUE(toolkit::win::filediag(nullptr, destination, filter, "gba", "保存", true));
  EXPECT_TRUE(question_answered) << "replacing a file is asked first";
  EXPECT_EQ(destination.filename(), "saved.gba");
}

TEST(FileDialogs, CancelReturnsNothingAndKeepsThePath) {
  std::filesystem::path destination;
  AnswerNextDialog([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
  std::filesystem::path untouched = "keep";
  EXPECT_FALSE(toolkit::win::filediag(nullptr, untouched, "ROM (*.gba)\0*.gba\0", "gba", "保存", true));
  EXPECT_EQ(untouched, "keep");
}

}  // namespace
