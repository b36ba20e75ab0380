// The move editor on a demo ROM: lists and fields against the ROM, apply with clamping and
// the check box of bytes 6-11, rename into the shared move names, save through the frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/typed_fields.h"
#include "core/win/frame_ids.h"
#include "editors/move/move_layout.h"
#include "editors/move/move_rules.h"
#include "editors/move/win/move_ids.h"
#include "frame_fixture.h"
#include "text/shared_tables.h"

namespace {

namespace L = move_layout;
using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kMoveTab = 3;
constexpr int kUnknownEdits[] = {IDC_MOVE_UNKNOWN1, IDC_MOVE_UNKNOWN2, IDC_MOVE_UNKNOWN3,
                                 IDC_MOVE_UNKNOWN4, IDC_MOVE_UNKNOWN5, IDC_MOVE_UNKNOWN6};

std::string EffectName(int effect) {
  char name[32];
  std::snprintf(name, sizeof name, "こうか%03d", effect);
  return name;
}

class MovePage : public PageTest {};

TEST_F(MovePage, MovesShownEditedRenamedAndSaved) {
  Start(Workspace());
  const char* code = "BPRJ";  // the pages read their tables by the settings alone
  TestDir dir;
  std::filesystem::path rom = CopyOfRom(dir, code);
  std::string original = dir.Read(rom.filename().string());
  Open(rom, kMoveTab);

  ASSERT_EQ(ComboCount(IDC_MOVE_LIST), Setting(code, "AttackNum"));
  EXPECT_EQ(ComboText(IDC_MOVE_LIST, 5), text::SharedTables().moves.Entry(5));
  EXPECT_EQ(ComboCount(IDC_MOVE_EFFECT), 214) << "one entry per line of effects.ini";
  EXPECT_EQ(ComboText(IDC_MOVE_EFFECT, 213), EffectName(213));

  constexpr int kMove = 7;
  Select(IDC_MOVE_LIST, kMove);
  size_t at = size_t(Setting(code, "AttackTable")) + kMove * L::kSize;
  auto byte = [&](size_t field) { return uint8_t(original[at + field]); };
  EXPECT_EQ(Selected(IDC_MOVE_EFFECT), EffectName(byte(L::kEffect)));
  EXPECT_EQ(ComboSelection(IDC_MOVE_TYPE), byte(L::kType));
  EXPECT_EQ(Text(IDC_MOVE_POWER), std::to_string(byte(L::kPower)));
  EXPECT_EQ(Text(IDC_MOVE_ACCURACY), std::to_string(byte(L::kAccuracy)));
  EXPECT_EQ(Text(IDC_MOVE_PP), std::to_string(byte(L::kPP)));
  EXPECT_EQ(Text(IDC_MOVE_CHANCE), std::to_string(byte(L::kChance)));
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(Text(kUnknownEdits[i]), std::to_string(byte(L::kUnknown + i))) << i;

  // Power 300 does not fit a byte: clamped and said so, and the field shows what was stored.
  // The unknown bytes are edited but, unchecked, not stored.
  Choose(IDC_MOVE_EFFECT, 5);
  Choose(IDC_MOVE_TYPE, 17);
  SetText(IDC_MOVE_POWER, "300");
  SetText(IDC_MOVE_ACCURACY, "90");
  SetText(IDC_MOVE_PP, "10");
  SetText(IDC_MOVE_CHANCE, "0");
  for (int id : kUnknownEdits) SetText(id, "99");
  Click(IDC_MOVE_APPLY);
  EXPECT_EQ(Status(), kStatusReplaced);
  EXPECT_EQ(Text(IDC_MOVE_POWER), "255");
  EXPECT_EQ(Text(IDC_MOVE_UNKNOWN1), std::to_string(byte(L::kUnknown)));
  SetText(IDC_MOVE_UNKNOWN6, "200");  // the other five show their stored bytes again
  Click(IDC_MOVE_STORE_UNKNOWN);
  Click(IDC_MOVE_APPLY);
  EXPECT_EQ(Status(), kStatusDone);
  Click(IDC_MOVE_STORE_UNKNOWN);

  SetText(IDC_MOVE_NEW_NAME, "");
  Click(IDC_MOVE_RENAME);
  EXPECT_EQ(Status(), "技名を入力してください。");
  SetText(IDC_MOVE_NEW_NAME, "ABC");
  Click(IDC_MOVE_RENAME);
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(ComboText(IDC_MOVE_LIST, kMove).rfind("ABC終", 0), 0u);
  EXPECT_EQ(ComboSelection(IDC_MOVE_LIST), kMove);
  gui_test::SaveScreenshot(hwnd(), "move_page");

  // The list is refilled from the shared move names, the record from the page's copy.
  Revisit();
  EXPECT_EQ(ComboText(IDC_MOVE_LIST, kMove).rfind("ABC終", 0), 0u);
  EXPECT_EQ(ComboSelection(IDC_MOVE_LIST), kMove);
  EXPECT_EQ(Selected(IDC_MOVE_EFFECT), EffectName(5));
  EXPECT_EQ(Text(IDC_MOVE_UNKNOWN6), "200");

  Save();
  std::string expected = original;
  expected[at + L::kEffect] = 5;
  expected[at + L::kPower] = char(255);
  expected[at + L::kType] = 17;
  expected[at + L::kAccuracy] = 90;
  expected[at + L::kPP] = 10;
  expected[at + L::kChance] = 0;
  expected[at + L::kUnknown + 5] = char(200);
  size_t name = size_t(Setting(code, "AttackName")) + kMove * 8;
  expected.replace(name, 7, std::string("\xBB\xBC\xBD\xFF\0\0\0", 7));
  EXPECT_TRUE(dir.Read(rom.filename().string()) == expected) << "only the edited bytes changed";
}

// Without effects.ini the effect list is empty and applying keeps each move's effect byte.
TEST_F(MovePage, WithoutEffectsIniTheEffectByteIsKept) {
  TestDir dir;
  std::filesystem::copy_file(Workspace() / "Setting.ini", dir / "Setting.ini");
  Start(dir.path());
  std::filesystem::path rom = CopyOfRom(dir);
  std::string original = dir.Read(rom.filename().string());
  Open(rom, kMoveTab);
  EXPECT_EQ(Status(), kEffectsMissingText);
  EXPECT_EQ(ComboCount(IDC_MOVE_EFFECT), 0);
  Select(IDC_MOVE_LIST, 9);
  Click(IDC_MOVE_APPLY);
  EXPECT_EQ(Status(), kStatusDone);
  Save();
  EXPECT_TRUE(dir.Read(rom.filename().string()) == original);
}

}  // namespace
