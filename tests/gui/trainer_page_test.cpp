// The trainer editor on the demo ROMs: trainers and parties against the ROM, a member edited and
// the party saved, the trainer stored and saved through the frame, the party moved through
// dialog 133, the search.
#include <gtest/gtest.h>

#include "platform/file.h"

#include <cstdio>
#include <string>

#include "core/free_space.h"
#include "core/typed_fields.h"
#include "core/win/frame_ids.h"
#include "core/win/free_space_ids.h"
#include "editors/move/win/move_ids.h"
#include "editors/trainer/trainer_layout.h"
#include "editors/trainer/trainer_rules.h"
#include "editors/trainer/win/trainer_ids.h"
#include "frame_fixture.h"

namespace {

namespace L = trainer_layout;
using gui_test::AnswerNextDialog;
using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kTrainerTab = 2;

class TrainerPage : public PageTest {
 protected:
  int ListCount(int id) const { return int(SendMessageW(Control(id), LB_GETCOUNT, 0, 0)); }
  void SelectTrainer(int index) const {
    SendMessageW(Control(IDC_TRAINER_LIST), LB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_TRAINER_LIST, LBN_SELCHANGE), LPARAM(Control(IDC_TRAINER_LIST)));
  }
};

uint32_t Get24(const std::string& rom, size_t at) {
  return uint8_t(rom[at]) | uint8_t(rom[at + 1]) << 8 | uint8_t(rom[at + 2]) << 16;
}

TEST_F(TrainerPage, TrainersAndPartiesShownEditedMovedAndSavedOnEachDemoRom) {
  Start(Workspace());
  for (const char* code : {"BPRJ", "BPEJ"}) {
    SCOPED_TRACE(code);
    TestDir dir;
    std::filesystem::path rom = CopyOfRom(dir, code);
    const std::string original = dir.Read(rom.filename().string());
    Open(rom, kTrainerTab);
    ASSERT_EQ(ListCount(IDC_TRAINER_LIST), Setting(code, "TrainerDataNum"));

    // Trainer 3 of the demo has a party of four in the layout with item and moves.
    constexpr int kTrainer = 3;
    SelectTrainer(kTrainer);
    const size_t record = size_t(Setting(code, "TrainerData")) + kTrainer * L::kSize;
    const uint32_t party = Get24(original, record + L::kPartyAddress);
    char offset[16];
    std::snprintf(offset, sizeof offset, "0x%X", unsigned(party));
    EXPECT_EQ(Text(IDC_TRAINER_PARTY_OFFSET), offset);
    EXPECT_EQ(Text(IDC_TRAINER_PARTY_SIZE), "4");
    EXPECT_EQ(ComboSelection(IDC_TRAINER_TYPE), 3);
    EXPECT_EQ(ComboSelection(IDC_TRAINER_CLASS), uint8_t(original[record + L::kClass]));
    ASSERT_EQ(ListCount(IDC_TRAINER_PARTY), 4);
    EXPECT_EQ(Text(IDC_MEMBER_LEVEL), std::to_string(uint8_t(original[party + L::kLevel])));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_MEMBER_ITEM)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_MEMBER_MOVE4)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_TRAINER_PARTY_SIZE))) << "beginner mode";
    // Both pictures come from the sprite page; the menu item hides the trainer's and shows it again.
    EXPECT_TRUE(SendMessageW(Control(IDC_TRAINER_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_TRUE(SendMessageW(Control(IDC_MEMBER_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    SendMessageW(hwnd(), WM_COMMAND, IDM_TRAINER_PICTURE, 0);
    EXPECT_FALSE(SendMessageW(Control(IDC_TRAINER_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_FALSE(MenuState(IDM_TRAINER_PICTURE) & MF_CHECKED);
    SendMessageW(hwnd(), WM_COMMAND, IDM_TRAINER_PICTURE, 0);
    EXPECT_TRUE(SendMessageW(Control(IDC_TRAINER_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    gui_test::SaveScreenshot(GetParent(GetParent(page)), "trainer_page");
    // The picture number steps and is kept within the game's pictures when typed.
    const std::string shown = Text(IDC_TRAINER_PIC_NUMBER);
    Click(IDC_TRAINER_PIC_PREV);
    Click(IDC_TRAINER_PIC_NEXT);
    EXPECT_EQ(Text(IDC_TRAINER_PIC_NUMBER), shown);
    SetText(IDC_TRAINER_PIC_NUMBER, "999");
    EXPECT_EQ(Text(IDC_TRAINER_PIC_NUMBER), std::to_string(Setting(code, "Trainer_Pic_Num")));
    SetText(IDC_TRAINER_PIC_NUMBER, shown.c_str());
    // Beginner mode off: the size and type can be edited once the page is filled again.
    SendMessageW(hwnd(), WM_COMMAND, IDM_BEGINNER, 0);
    EXPECT_FALSE(MenuState(IDM_BEGINNER) & MF_CHECKED);
    Revisit();
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_TRAINER_PARTY_SIZE)));
    SendMessageW(hwnd(), WM_COMMAND, IDM_BEGINNER, 0);
    Revisit();
    SelectTrainer(kTrainer);

    // A member: level 300 is clamped, the party goes straight into the file.
    SetText(IDC_MEMBER_LEVEL, "300");
    Select(IDC_MEMBER_MOVE2, 7);
    Click(IDC_MEMBER_STORE);
    EXPECT_EQ(Status(), kStatusReplaced);
    // A write that fails leaves the file as it was and says why.
    const std::string unsaved = dir.Read(rom.filename().string());
    platform::FailNthFileOperation(1);
    Click(IDC_PARTY_SAVE);
    platform::FailNthFileOperation(0);
    EXPECT_NE(Status().find(platform::InjectedFailureText()), std::string::npos) << Status();
    EXPECT_TRUE(dir.Read(rom.filename().string()) == unsaved);
    Click(IDC_PARTY_SAVE);
    EXPECT_EQ(Status(), kPartySavedText);
    std::string now = dir.Read(rom.filename().string());
    EXPECT_EQ(uint8_t(now[party + L::kLevel]), 255);
    EXPECT_EQ(now.substr(party + L::kBlock + 2, 2), std::string("\x07\x00", 2)) << "move 2, in the second block";

    // The trainer: music and the checks, saved through the frame.
    SetText(IDC_TRAINER_MUSIC, "77");
    SendMessageW(Control(IDC_TRAINER_CHECK2), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Control(IDC_TRAINER_CHECK3), BM_SETCHECK, BST_CHECKED, 0);
    Click(IDC_TRAINER_STORE);
    EXPECT_EQ(Status(), kStatusDone);
    Save();
    now = dir.Read(rom.filename().string());
    EXPECT_EQ(uint8_t(now[record + L::kMusic]), 77);
    EXPECT_EQ(uint8_t(now[record + L::kChecks]), (uint8_t(original[record + L::kChecks]) & 0xF9) | 0x04);
    for (size_t i = 0; i < original.size(); ++i) {
      const bool edited = (i >= record && i < record + L::kSize) || (i >= party && i < party + 4 * 16);
      if (!edited && now[i] != original[i]) ADD_FAILURE() << "byte " << i << " changed";
      if (!edited && now[i] != original[i]) break;
    }

    // Six members of the item-only layout, the shared fields copied, through dialog 133.
    AnswerNextDialog([](HWND dialog) {
      EXPECT_EQ(gui_test::Text(dialog), "とれーなーえでぃっと");
      gui_test::SaveScreenshot(dialog, "trainer_party_dialog");
      SetDlgItemTextW(dialog, IDC_RELOC_COUNT, L"6");
      SendDlgItemMessageW(dialog, IDC_RELOC_TYPE, CB_SETCURSEL, 2, 0);
      SendDlgItemMessageW(dialog, IDC_RELOC_COPY, BM_SETCHECK, BST_CHECKED, 0);
      SendDlgItemMessageW(dialog, IDC_RELOC_SEARCH, BM_CLICK, 0, 0);
      SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    });
    Click(IDC_TRAINER_PARTY_CHANGE);
    if (std::string(code) == "BPRJ") gui_test::SaveScreenshot(GetParent(GetParent(page)), "trainer_page_moved");
    ASSERT_TRUE(gui_test::DialogWasAnswered());
    EXPECT_EQ(Status(), kPartySavedText);
    now = dir.Read(rom.filename().string());
    const uint32_t moved = Get24(now, record + L::kPartyAddress);
    EXPECT_NE(moved, party);
    EXPECT_EQ(uint8_t(now[record + L::kPartySize]), 6);
    EXPECT_EQ(uint8_t(now[record + L::kDataType]), 2);
    EXPECT_EQ(now.substr(moved, 6), now.substr(party, 6)) << "unknown value, level and species copied";
    EXPECT_EQ(now.substr(moved + 6, 2), now.substr(party + 6, 2)) << "the held item copied";
    EXPECT_EQ(now.substr(moved + 4 * 8, 16), std::string(16, '\0')) << "members 5 and 6 start empty";
    EXPECT_EQ(ListCount(IDC_TRAINER_PARTY), 6);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_MEMBER_MOVE1)));

    // The search finds a trainer by its list line; beyond the last one it says so.
    SetText(IDC_TRAINER_SEARCH_TEXT, "00A");
    Click(IDC_TRAINER_SEARCH);
    EXPECT_EQ(SendMessageW(Control(IDC_TRAINER_LIST), LB_GETCURSEL, 0, 0), 10);
    Click(IDC_TRAINER_SEARCH);
    EXPECT_EQ(Status(), "終端まで検索しました。");

    // Switching trainers, measured and printed (not asserted).
    const DWORD start = GetTickCount();
    for (int t = 0; t < 20; ++t) SelectTrainer(t);
    std::printf("[ measured ] %s: switching trainers %.1f ms each\n", code, (GetTickCount() - start) / 20.0);
  }
}

// A Setting.ini without the trainer keys: the page stays empty and disabled, the load goes on
// and the other pages have their data.
TEST_F(TrainerPage, WithoutTrainerKeysTheOtherPagesLoad) {
  TestDir startup;
  Start(gui_test::WorkspaceWithout(startup, {"TrainerData", "TrainerDataNum"}));
  TestDir dir;
  Open(CopyOfRom(dir), kTrainerTab);
  EXPECT_EQ(ListCount(IDC_TRAINER_LIST), 0);
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_TRAINER_LIST)));
  EXPECT_TRUE(MenuState(IDM_TRAINER_PARTY) & MF_GRAYED);
  SendMessageW(hwnd(), WM_APP, 3, 0);  // the move page
  EXPECT_GT(SendDlgItemMessageW(TabSystem().CurrentPageWindow(), IDC_MOVE_LIST, CB_GETCOUNT, 0, 0), 0);
}

}  // namespace
