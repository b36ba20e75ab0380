// The choose-space dialog (141) in its three modes and the relocation dialog (133) with a
// stand-in page, on a small ROM with one free region: what they show, enable, ask and return.
#include <gtest/gtest.h>

#include <string>

#include "core/free_space.h"
#include "core/win/choose_space_dialog.h"
#include "core/win/free_space_ids.h"
#include "core/win/relocation_dialog.h"
#include "gui_helpers.h"
#include "unit/test_dir.h"

namespace {

using gui_test::AnswerInTurn;
using gui_test::AnswerNextDialog;
using gui_test::PressButton;

void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
// A click whose handler opens a message box: it must not block the answering code.
void PostClick(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

class FreeSpaceDialogs : public testing::Test {
 protected:
  // A 64 KiB + 2 byte ROM of zeros with 0x100 free bytes at 0x1000 (region 1).
  void SetUp() override {
    std::string rom(0x10002, '\0');
    rom.replace(0x1000, 0x100, std::string(0x100, '\xFF'));
    finder.set_rom(dir.Write("rom.gba", rom));
    finder.SetRegion(0, {0x1000, 0x100});
    finder.SetRegion(1, {});
    finder.SetRegion(2, {});
  }

  TestDir dir;
  CFinddummyspace finder;
};

TEST_F(FreeSpaceDialogs, AutomaticModeTakesTheFirstRegionAndCancelNothing) {
  CChooseSpaceDialog dialog(finder);
  AnswerNextDialog([&](HWND window) {
    EXPECT_EQ(gui_test::Text(GetDlgItem(window, IDC_SPACE_REGION1)), "0x001000 - 0x001100");
    EXPECT_EQ(gui_test::Text(GetDlgItem(window, IDC_SPACE_REGION2)), "利用できません");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_SPACE_SEARCH)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_SPACE_ADDRESS)));
    Click(window, IDOK);
  });
  EXPECT_EQ(dialog.Choose(nullptr, 0x20), 0x1000u);
  AnswerNextDialog([&](HWND window) { Click(window, IDCANCEL); });
  EXPECT_EQ(dialog.Choose(nullptr, 0x20), 0u);
}

// A maximum of 0 is refused in a box; a real search lists places and the chosen one is taken.
TEST_F(FreeSpaceDialogs, ManualModeSearchesTheChosenRegion) {
  CChooseSpaceDialog dialog(finder);
  std::string box;
  AnswerInTurn({[](HWND window) {
                  Click(window, IDC_SPACE_MANUAL);
                  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK))) << "nothing searched yet";
                  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_SPACE_REGION2))) << "an absent region";
                  Click(window, IDC_SPACE_REGION1);
                  SetDlgItemTextW(window, IDC_SPACE_MAXIMUM, L"0");
                  PostClick(window, IDC_SPACE_SEARCH);
                },
                PressButton(IDOK, &box),
                [](HWND window) {
                  SetDlgItemTextW(window, IDC_SPACE_MAXIMUM, L"3");
                  Click(window, IDC_SPACE_SEARCH);
                  SendDlgItemMessageW(window, IDC_SPACE_RESULTS, LB_SETCURSEL, 1, 0);
                  Click(window, IDOK);
                }});
  const uint32_t chosen = dialog.Choose(nullptr, 0x20);
  EXPECT_EQ(box, "出力数が異常です");
  EXPECT_EQ(chosen, 0x1028u) << "the second of the places 0x1004, 0x1028, 0x104C";
}

TEST_F(FreeSpaceDialogs, AnAddressIsConfirmedFirst) {
  CChooseSpaceDialog dialog(finder);
  std::string box;
  AnswerInTurn({[](HWND window) {
                  Click(window, IDC_SPACE_ADDRESS_MODE);
                  SetDlgItemTextW(window, IDC_SPACE_ADDRESS, L"700000");
                  PostClick(window, IDOK);
                },
                PressButton(IDYES, &box)});
  EXPECT_EQ(dialog.Choose(nullptr, 0x20), 700000u);
  EXPECT_EQ(box, "0xAAE60 に書き込みます。よろしいですか？");
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

// The page's texts and count, region 1 searched, the place handed to the page; a reversed range
// is refused in a box.
TEST_F(FreeSpaceDialogs, RelocationSearchesAndHandsThePlaceToThePage) {
  CStandInRelocation dialog(finder);
  AnswerNextDialog([&](HWND window) {
    EXPECT_EQ(gui_test::Text(GetDlgItem(window, IDC_RELOC_START)), "0x001000");
    EXPECT_EQ(gui_test::Text(GetDlgItem(window, IDC_RELOC_COUNT_LABEL)), "相性の数：");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_RELOC_TYPE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK)));
    Click(window, IDC_RELOC_COPY);
    Click(window, IDC_RELOC_SEARCH);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK)));
    Click(window, IDOK);
  });
  EXPECT_TRUE(dialog.Run(nullptr));
  ASSERT_EQ(dialog.writes, 1);
  EXPECT_EQ(dialog.written.offset, 0x1004u);
  EXPECT_EQ(dialog.written.count, 5);
  EXPECT_TRUE(dialog.written.copy_old);

  std::string box;
  AnswerInTurn({[](HWND window) {
                  SetDlgItemTextW(window, IDC_RELOC_START, L"0x2000");
                  SetDlgItemTextW(window, IDC_RELOC_END, L"0x1000");
                  PostClick(window, IDC_RELOC_SEARCH);
                },
                PressButton(IDOK, &box), PressButton(IDCANCEL)});
  EXPECT_FALSE(dialog.Run(nullptr));
  EXPECT_EQ(box, "offsetがおかしいです。");
  EXPECT_EQ(dialog.writes, 1);
}

}  // namespace
