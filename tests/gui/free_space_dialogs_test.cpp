// The choose-space dialog (141) in its three modes and the relocation dialog's (133) common part
// with a stand-in page, on a small ROM with one free region.
#include <gtest/gtest.h>

#include <string>

#include "core/free_space.h"
#include "core/win/choose_space_dialog.h"
#include "core/win/free_space_ids.h"
#include "core/win/relocation_dialog.h"
#include "gui_helpers.h"
#include "platform/win/wide.h"
#include "unit/test_dir.h"

namespace {

using gui_test::AnswerNextDialog;

// Answers the next message box (a dialog holding the 0xFFFF text) with `button` and keeps its
// text in `text`; polled from a timer, since it opens inside a dialog's own loop.
std::string g_box_text;
int g_box_button = 0;
void AnswerNextBox(int button) {
  g_box_text.clear();
  g_box_button = button;
  SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
          if (!IsWindowVisible(window) || !GetDlgItem(window, 0xFFFF)) return TRUE;
          *reinterpret_cast<HWND*>(found) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, timer);
    g_box_text = gui_test::Text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_box_button, BN_CLICKED), 0);
  });
}

void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
// A click whose handler opens a message box: it must not block the answering code.
void PostClick(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

class FreeSpaceDialogs : public testing::Test {
 protected:
  // A 64 KiB + 2 byte ROM of zeros with 0x100 free bytes at 0x1000 (region 1).
  void SetUp() override {
    std::string rom(0x10002, '\0');
    rom.replace(0x1000, 0x100, std::string(0x100, '\xFF'));
    path = dir.Write("rom.gba", rom);
    finder.set_rom(path);
    finder.SetRegion(0, {0x1000, 0x100});
    finder.SetRegion(1, {});
    finder.SetRegion(2, {});
  }

  TestDir dir;
  std::filesystem::path path;
  CFinddummyspace finder;
};

TEST_F(FreeSpaceDialogs, AutomaticModeTakesTheFirstRegionWithSpace) {
  CChooseSpaceDialog dialog(finder);
  std::string region1, region2, bytes;
  AnswerNextDialog([&](HWND window) {
    region1 = gui_test::Text(GetDlgItem(window, IDC_SPACE_REGION1));
    region2 = gui_test::Text(GetDlgItem(window, IDC_SPACE_REGION2));
    bytes = gui_test::Text(GetDlgItem(window, IDC_SPACE_BYTES));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_SPACE_NO_APPEND)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_SPACE_SEARCH)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_SPACE_ADDRESS)));
    Click(window, IDOK);
  });
  EXPECT_EQ(dialog.Choose(nullptr, 0x20), 0x1000u);
  EXPECT_EQ(region1, "0x001000 - 0x001100");
  EXPECT_EQ(region2, "利用できません");
  EXPECT_EQ(bytes, "0x20");
  EXPECT_EQ(finder.value, 0x1000u);
}

TEST_F(FreeSpaceDialogs, AutomaticModeWithoutRegionsPadsTheFileAndAppends) {
  finder.SetRegion(0, {});
  CChooseSpaceDialog dialog(finder);
  AnswerNextDialog([&](HWND window) { Click(window, IDOK); });
  EXPECT_EQ(dialog.Choose(nullptr, 0x20), 0x10004u);
  std::string rom = dir.Read("rom.gba");
  ASSERT_EQ(rom.size(), 0x10004u);
  EXPECT_EQ(rom.substr(0x10002), "\xFF\xFF");
}

TEST_F(FreeSpaceDialogs, ManualModeSearchesTheChosenRegion) {
  CChooseSpaceDialog dialog(finder);
  AnswerNextDialog([&](HWND window) {
    Click(window, IDC_SPACE_MANUAL);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK))) << "nothing searched yet";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_SPACE_REGION2))) << "an absent region";
    Click(window, IDC_SPACE_REGION1);
    SetDlgItemTextW(window, IDC_SPACE_MAXIMUM, L"0");
    AnswerNextBox(IDOK);
    PostClick(window, IDC_SPACE_SEARCH);
    // Once the box is answered: a real search, then accept its second result.
    SetTimer(window, 1, 150, [](HWND w, UINT, UINT_PTR, DWORD) {
      if (g_box_text.empty()) return;
      KillTimer(w, 1);
      SetDlgItemTextW(w, IDC_SPACE_MAXIMUM, L"3");
      SendDlgItemMessageW(w, IDC_SPACE_SEARCH, BM_CLICK, 0, 0);
      SendDlgItemMessageW(w, IDC_SPACE_RESULTS, LB_SETCURSEL, 1, 0);
      SendDlgItemMessageW(w, IDOK, BM_CLICK, 0, 0);
    });
  });
  uint32_t chosen = dialog.Choose(nullptr, 0x20);
  EXPECT_EQ(g_box_text, "出力数が異常です");
  // Runs of 0x24 bytes each, one free word skipped in front: 0x1004, 0x1028, 0x104C.
  EXPECT_EQ(chosen, 0x1028u);
}

TEST_F(FreeSpaceDialogs, AnAddressIsReadAsCWouldAndConfirmed) {
  CChooseSpaceDialog dialog(finder);
  AnswerNextDialog([&](HWND window) {
    Click(window, IDC_SPACE_ADDRESS_MODE);
    SetDlgItemTextW(window, IDC_SPACE_ADDRESS, L"700000");
    AnswerNextBox(IDYES);
    PostClick(window, IDOK);
  });
  EXPECT_EQ(dialog.Choose(nullptr, 0x20), 700000u) << "digits without a prefix are decimal";
  EXPECT_EQ(g_box_text, "0xAAE60 に書き込みます。よろしいですか？");
}

TEST_F(FreeSpaceDialogs, CancelGivesNothing) {
  CChooseSpaceDialog dialog(finder);
  AnswerNextDialog([&](HWND window) { Click(window, IDCANCEL); });
  EXPECT_EQ(dialog.Choose(nullptr, 0x20), 0u);
  EXPECT_EQ(finder.value, 0u);
}

// A page that moves a table of count × 3 + 2 bytes.
class CStandInRelocation : public CRelocationDialog {
 public:
  using CRelocationDialog::CRelocationDialog;
  Placement written{};
  int writes = 0;

 protected:
  std::string Caption() const override { return "相性の数を変更"; }
  std::string CountLabel() const override { return "相性の数："; }
  int InitialCount() const override { return 5; }
  uint64_t ByteSize(int count, int) const override { return uint64_t(count) * 3 + 2; }
  std::string MissingChoiceText() const override { return "場所を選んでください。"; }
  bool Write(const Placement& placement) override {
    written = placement;
    ++writes;
    return true;
  }
};

TEST_F(FreeSpaceDialogs, RelocationSearchesRegionOneAndHandsThePlaceToThePage) {
  CStandInRelocation dialog(finder);
  std::string start, end, label;
  bool type_shown = true;
  AnswerNextDialog([&](HWND window) {
    start = gui_test::Text(GetDlgItem(window, IDC_RELOC_START));
    end = gui_test::Text(GetDlgItem(window, IDC_RELOC_END));
    label = gui_test::Text(GetDlgItem(window, IDC_RELOC_COUNT_LABEL));
    type_shown = IsWindowVisible(GetDlgItem(window, IDC_RELOC_TYPE));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK)));
    SetDlgItemTextW(window, IDC_RELOC_MAXIMUM, L"0");
    Click(window, IDC_RELOC_COPY);
    Click(window, IDC_RELOC_SEARCH);
    EXPECT_EQ(gui_test::Text(GetDlgItem(window, IDC_RELOC_MAXIMUM)), "10") << "a maximum below 1 becomes 10";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK)));
    SetDlgItemTextW(window, IDC_RELOC_COUNT, L"60");  // after the search: the place is not for 60
    Click(window, IDOK);
  });
  EXPECT_TRUE(dialog.Run(nullptr));
  EXPECT_EQ(start, "0x001000");
  EXPECT_EQ(end, "0x001100");
  EXPECT_EQ(label, "相性の数：");
  EXPECT_FALSE(type_shown);
  ASSERT_EQ(dialog.writes, 1);
  EXPECT_EQ(dialog.written.offset, 0x1004u);
  EXPECT_EQ(dialog.written.count, 5);
  EXPECT_EQ(dialog.written.data_type, -1);
  EXPECT_TRUE(dialog.written.copy_old);
}

TEST_F(FreeSpaceDialogs, RelocationRefusesAReversedRange) {
  CStandInRelocation dialog(finder);
  AnswerNextDialog([&](HWND window) {
    SetDlgItemTextW(window, IDC_RELOC_START, L"0x2000");
    SetDlgItemTextW(window, IDC_RELOC_END, L"0x1000");
    AnswerNextBox(IDOK);
    PostClick(window, IDC_RELOC_SEARCH);
    SetTimer(window, 1, 150, [](HWND w, UINT, UINT_PTR, DWORD) {
      if (g_box_text.empty()) return;
      KillTimer(w, 1);
      PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
  });
  EXPECT_FALSE(dialog.Run(nullptr));
  EXPECT_EQ(g_box_text, "offsetがおかしいです。");
  EXPECT_EQ(dialog.writes, 0);
}

}  // namespace
