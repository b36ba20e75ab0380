// The extras page on a demo ROM: the class list and rename, the starters against the ROM,
// stores and the save through the frame; a missing starter key disables its list.
#include <gtest/gtest.h>

#include "core/rom_address.h"
#include "core/win/frame_ids.h"
#include "editors/extras/extras_layout.h"
#include "editors/extras/win/extras_ids.h"
#include "frame_fixture.h"
#include "text/shared_tables.h"

namespace {

namespace L = extras_layout;
using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kExtrasTab = 9;
constexpr int kPlayerLists[] = {IDC_OMAKE_LEFT, IDC_OMAKE_CENTER, IDC_OMAKE_RIGHT};
constexpr int kRivalLists[] = {IDC_OMAKE_RIVAL_LEFT, IDC_OMAKE_RIVAL_CENTER, IDC_OMAKE_RIVAL_RIGHT};

class ExtrasPage : public PageTest {
 protected:
  static void Put16(std::string& rom, long at, uint16_t value) {
    rom[size_t(at)] = char(value & 0xFF);
    rom[size_t(at) + 1] = char(value >> 8);
  }
  static int Get16(const std::string& rom, long at) {
    return rom::Get16(reinterpret_cast<const uint8_t*>(rom.data()) + at);
  }
};

TEST_F(ExtrasPage, ClassesAndStartersShownEditedAndSaved) {
  Start(Workspace());
  const char* code = "BPRJ";  // the pages read their tables by the settings alone
  TestDir dir;
  std::filesystem::path rom = CopyOfRom(dir, code);
  std::string original = dir.Read(rom.filename().string());
  Open(rom, kExtrasTab);

  ASSERT_EQ(ComboCount(IDC_OMAKE_CLASS_LIST), Setting(code, "TrainerClassesNum"));
  EXPECT_EQ(ComboText(IDC_OMAKE_CLASS_LIST, 3), text::SharedTables().classes.Entry(3));
  for (int i = 0; i < 3; ++i) {
    for (auto [lists, keys] : {std::pair(kPlayerLists, L::kPlayerStarterKeys), std::pair(kRivalLists, L::kRivalStarterKeys)}) {
      EXPECT_EQ(ComboCount(lists[i]), text::kSpeciesCount);
      EXPECT_EQ(ComboSelection(lists[i]), Get16(original, Setting(code, keys[size_t(i)]))) << keys[size_t(i)];
      EXPECT_TRUE(IsWindowEnabled(Control(lists[i])));
    }
  }

  Select(IDC_OMAKE_CLASS_LIST, 2);
  SetText(IDC_OMAKE_CLASS_NAME, "");
  Click(IDC_OMAKE_CLASS_RENAME);
  EXPECT_EQ(Status(), "クラス名を入力してください。");
  SetText(IDC_OMAKE_CLASS_NAME, "ABC");
  Click(IDC_OMAKE_CLASS_RENAME);
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(ComboText(IDC_OMAKE_CLASS_LIST, 2), text::SharedTables().classes.Entry(2));
  EXPECT_EQ(ComboText(IDC_OMAKE_CLASS_LIST, 2).rfind("ABC終", 0), 0u);
  EXPECT_EQ(ComboSelection(IDC_OMAKE_CLASS_LIST), 2);

  Choose(IDC_OMAKE_LEFT, 25);
  Choose(IDC_OMAKE_RIGHT, 411);
  Click(IDC_OMAKE_STARTERS_SET);
  Choose(IDC_OMAKE_RIVAL_CENTER, 300);
  Click(IDC_OMAKE_RIVAL_SET);
  Choose(IDC_OMAKE_RIVAL_LEFT, 7);  // chosen but not stored
  gui_test::SaveScreenshot(hwnd(), "extras_page");

  Revisit();
  EXPECT_EQ(ComboSelection(IDC_OMAKE_CLASS_LIST), 2);
  EXPECT_EQ(ComboSelection(IDC_OMAKE_LEFT), 25);
  EXPECT_EQ(ComboSelection(IDC_OMAKE_RIVAL_CENTER), 300);
  EXPECT_EQ(ComboSelection(IDC_OMAKE_RIVAL_LEFT), Get16(original, Setting(code, "RLeft")));

  Save();
  std::string expected = original;
  size_t at = size_t(Setting(code, "TrainerClasses")) + 2 * L::kClassSize;
  expected.replace(at, L::kClassNameBytes, std::string("\xBB\xBC\xBD\xFF\0\0\0\0\0\0", 10));
  Put16(expected, Setting(code, "Left"), 25);
  Put16(expected, Setting(code, "Right"), 411);
  Put16(expected, Setting(code, "RCenter"), 300);
  EXPECT_TRUE(dir.Read(rom.filename().string()) == expected) << "only the edited bytes changed";
}

// Without Left the left list cannot be saved, so it is disabled; without RRight the rival's
// three lists show entry 0 and are disabled. Nothing of theirs is written.
TEST_F(ExtrasPage, MissingStarterKeysDisableTheirLists) {
  TestDir dir;
  Start(gui_test::WorkspaceWithout(dir, {"Left", "RRight"}));
  std::filesystem::path rom = CopyOfRom(dir);
  std::string original = dir.Read(rom.filename().string());
  Open(rom, kExtrasTab);

  EXPECT_FALSE(IsWindowEnabled(Control(IDC_OMAKE_LEFT)));
  EXPECT_EQ(ComboSelection(IDC_OMAKE_LEFT), 0);
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_OMAKE_CENTER)));
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_OMAKE_STARTERS_SET)));
  for (int id : kRivalLists) {
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    EXPECT_EQ(ComboSelection(id), 0) << id;
  }
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_OMAKE_RIVAL_SET)));

  Choose(IDC_OMAKE_LEFT, 30);
  Choose(IDC_OMAKE_CENTER, 31);
  Click(IDC_OMAKE_STARTERS_SET);
  Save();
  std::string expected = original;
  Put16(expected, Setting("BPRJ", "Center"), 31);
  EXPECT_TRUE(dir.Read(rom.filename().string()) == expected);
}

}  // namespace
