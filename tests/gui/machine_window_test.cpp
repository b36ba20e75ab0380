// The TM/HM window of the monster page on the demo ROM: made hidden with the page, shown by
// "技マシン" with the species' bits, ticks written into exactly that species' 8 bytes, boxes
// read again on every species change (shown or hidden), and a failed read that clears the
// boxes and refuses the save; without a usable table the button says why.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "editors/monster/machine_bits.h"
#include "editors/monster/win/machine_window.h"
#include "editors/monster/win/monster_ids.h"
#include "frame_fixture.h"
#include "platform/profile.h"

namespace {

namespace L = monster_layout;

constexpr int kSpecies = 25, kOtherSpecies = 26;

class MachineWindow : public gui_test::PageTest {
 protected:
  MachineStates Boxes() const {
    MachineStates states{};
    for (int i = 0; i < L::kMachineBits; ++i)
      states[size_t(i)] = SendDlgItemMessageW(window, kMachineFirstId + i, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return states;
  }
  MachineStates InRom(int species) const {
    MachineRecord record;
    original.copy(reinterpret_cast<char*>(record.data()), record.size(), RecordAt(species));
    return UnpackMachine(record);
  }
  size_t RecordAt(int species) const { return table + size_t(species) * L::kMachineSize; }
  void Press(int id) const { SendDlgItemMessageW(window, id, BM_CLICK, 0, 0); }
  // Answers the next message box with OK, keeping its text and owner.
  void AnswerBox() {
    gui_test::AnswerNextDialog([this](HWND box) {
      box_text = gui_test::Text(GetDlgItem(box, 0xFFFF));
      box_caption = gui_test::Text(box);
      box_owner = GetWindow(box, GW_OWNER);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
  }

  std::string original, box_text, box_caption;
  size_t table = 0;
  HWND window = nullptr, box_owner = nullptr;
};

TEST_F(MachineWindow, ShowsReloadsAndWritesOnlyTheSpeciesRecord) {
  Start(gui_test::Workspace());
  TestDir dir;
  const std::filesystem::path rom = CopyOfRom(dir, "BPRJ");
  const std::string name = rom.filename().string();
  original = dir.Read(name);
  table = size_t(Setting("BPRJ", "Skill_Machine"));
  Open(rom, 0);
  window = OwnedWindow(L"skillmachine_class");
  ASSERT_TRUE(window);
  EXPECT_FALSE(IsWindowVisible(window)) << "made hidden with the page";
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, kMachineClientWidth);
  EXPECT_EQ(client.bottom, kMachineClientHeight);

  Select(IDC_MONSTER_LIST, kSpecies);
  constexpr int kShows = 10;
  const double shown = gui_test::Milliseconds([&] {
    for (int i = 0; i < kShows; ++i) Click(IDC_MONSTER_MACHINE);
  });
  std::printf("[ measured ] TM/HM window: %.2f ms to show it and read its 58 boxes\n", shown / kShows);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Boxes(), InRom(kSpecies));

  // Ticks at both ends of both kinds; the save writes that species' 8 bytes and no other.
  MachineStates ticked = InRom(kSpecies);
  for (int bit : {0, 31, 32, 49, 50, 57}) {
    Press(kMachineFirstId + bit);
    ticked[size_t(bit)] = !ticked[size_t(bit)];
  }
  Press(kMachineSaveId);
  EXPECT_EQ(Status(), kMachineSavedText);
  std::string expected = original;
  const MachineRecord record = PackMachine(ticked);
  expected.replace(RecordAt(kSpecies), record.size(), reinterpret_cast<const char*>(record.data()), record.size());
  ExpectRomBytes(dir.Read(name), expected);
  gui_test::SaveScreenshot(window, "machine_window");

  // Every species change reads the boxes again, shown and hidden.
  const double reloaded = gui_test::Milliseconds([&] { Select(IDC_MONSTER_LIST, kOtherSpecies); });
  std::printf("[ measured ] TM/HM window: %.2f ms for a species change with the window shown\n", reloaded);
  EXPECT_EQ(Boxes(), InRom(kOtherSpecies));
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window));
  Select(IDC_MONSTER_LIST, kSpecies);
  EXPECT_EQ(Boxes(), ticked);

  // Another ROM opened while another tab is shown: no ticks of the old one stay on show.
  Click(IDC_MONSTER_MACHINE);
  SendMessageW(hwnd(), WM_APP, 1, 0);
  frame_.OpenRom(rom);
  EXPECT_EQ(Boxes(), MachineStates{});
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kMachineSaveId)));
  SendMessageW(hwnd(), WM_APP, 0, 0);
  page = TabSystem().CurrentPageWindow();
  Select(IDC_MONSTER_LIST, kSpecies);
  EXPECT_EQ(Boxes(), ticked);

  // A read that fails while the window is shown: a box the window owns, the reason in the
  // status bar, clear boxes, and their ticks refused.
  Click(IDC_MONSTER_MACHINE);
  const std::string saved = dir.Read(name);
  std::filesystem::rename(rom, dir / "away.gba");
  AnswerBox();
  Select(IDC_MONSTER_LIST, kOtherSpecies);
  ASSERT_TRUE(gui_test::DialogWasAnswered());
  EXPECT_EQ(box_text, kMachineReadBoxText);
  EXPECT_EQ(box_caption, kMachineBoxCaption);
  EXPECT_EQ(box_owner, window);
  EXPECT_EQ(Status().rfind(kMachineReadFailure, 0), 0u) << Status();
  EXPECT_EQ(Boxes(), MachineStates{});
  std::filesystem::rename(dir / "away.gba", rom);
  Press(kMachineFirstId + 3);
  AnswerBox();
  Press(kMachineSaveId);
  ASSERT_TRUE(gui_test::DialogWasAnswered());
  EXPECT_EQ(box_text, kMachineNotReadText);
  ExpectRomBytes(dir.Read(name), saved);
}

// Without the key, or with a table beyond the ROM, nothing is read and the button says why.
TEST_F(MachineWindow, WithoutAUsableTableTheButtonSaysWhy) {
  Start(gui_test::Workspace());
  const std::pair<const char*, const char*> cases[] = {{nullptr, kMachineMissingText},
                                                       {"67108864", kMachineOutsideText}};
  for (auto [value, reason] : cases) {
    ASSERT_TRUE(platform::WriteProfileValue(startup_ / "Setting.ini", "BPRJ", "Skill_Machine", value));
    Open(Rom("BPRJ"), 0);
    Click(IDC_MONSTER_MACHINE);
    EXPECT_EQ(Status(), reason);
    EXPECT_FALSE(IsWindowVisible(OwnedWindow(L"skillmachine_class")));
  }
}

}  // namespace
