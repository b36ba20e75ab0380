// The learnset editor of the monster page on the demo ROM: the list against the ROM, an entry
// changed and moved, the list written in place, then grown past its room and moved to free
// space through dialog 133; the file changes by exactly those bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/typed_fields.h"
#include "core/win/free_space_ids.h"
#include "editors/monster/learnset.h"
#include "editors/monster/monster_layout.h"
#include "editors/monster/win/monster_ids.h"
#include "frame_fixture.h"
#include "text/shared_tables.h"

namespace {

namespace L = monster_layout;
using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kMonsterTab = 0;
constexpr int kSpecies = 10;
constexpr int kGrowth = 6;  // entries added by the move

using Entries = std::vector<uint16_t>;

Entries ListAt(const std::string& rom, size_t at) {
  Entries entries;
  for (uint16_t e; (e = uint16_t(uint8_t(rom[at]) | uint8_t(rom[at + 1]) << 8)) != L::kLearnsetEnd; at += 2)
    entries.push_back(e);
  return entries;
}

std::string Bytes(const Entries& entries) {
  std::string out;
  for (uint16_t e : entries) out += {char(e & 0xFF), char(e >> 8)};
  return out;
}

std::string Line(uint16_t entry) {
  char level[16];
  std::snprintf(level, sizeof level, "Lv:%03d ", L::LearnsetLevel(entry));
  return level + text::SharedTables().moves.Entry(L::LearnsetMove(entry));
}

using LearnsetPage = PageTest;

TEST_F(LearnsetPage, EntriesEditedWrittenInPlaceAndMovedToFreeSpace) {
  Start(Workspace());
  TestDir dir;
  std::filesystem::path rom = CopyOfRom(dir, "BPRJ");
  const std::string name = rom.filename().string();
  const std::string original = dir.Read(name);
  Open(rom, kMonsterTab);
  Select(IDC_MONSTER_LIST, kSpecies);

  const size_t pointer = size_t(Setting("BPRJ", "Level_Skill")) + kSpecies * L::kLearnsetPointerSize;
  const uint32_t at = RomU32(original, pointer) - 0x08000000;
  Entries entries = ListAt(original, at);
  ASSERT_GE(entries.size(), 2u);
  ASSERT_EQ(ListCount(IDC_LEARNSET_LIST), int(entries.size()));
  EXPECT_EQ(Text(IDC_LEARNSET_COUNT), std::to_string(entries.size()));
  char address[16];
  std::snprintf(address, sizeof address, "0x%X", unsigned(at));
  EXPECT_EQ(Text(IDC_LEARNSET_ADDRESS), address);
  EXPECT_EQ(ListSelection(IDC_LEARNSET_LIST), 0);
  EXPECT_EQ(ListText(IDC_LEARNSET_LIST, 0), Line(entries[0]));
  EXPECT_EQ(Text(IDC_LEARNSET_LEVEL), std::to_string(L::LearnsetLevel(entries[0])));
  EXPECT_EQ(ComboSelection(IDC_LEARNSET_MOVE), L::LearnsetMove(entries[0]));

  // Line 1 becomes move 300 at level 127 (200 typed), then moves to the top.
  SelectLine(IDC_LEARNSET_LIST, 1);
  EXPECT_EQ(Text(IDC_LEARNSET_LEVEL), std::to_string(L::LearnsetLevel(entries[1])));
  SetText(IDC_LEARNSET_LEVEL, "200");
  Choose(IDC_LEARNSET_MOVE, 300);
  Click(IDC_LEARNSET_STORE);
  EXPECT_EQ(Status(), kStatusReplaced);
  EXPECT_EQ(ListSelection(IDC_LEARNSET_LIST), 1);
  entries[1] = L::LearnsetEntry(127, 300);
  EXPECT_EQ(ListText(IDC_LEARNSET_LIST, 1), Line(entries[1]));
  Click(IDC_LEARNSET_UP);
  std::swap(entries[0], entries[1]);
  EXPECT_EQ(ListSelection(IDC_LEARNSET_LIST), 0);
  EXPECT_EQ(ListText(IDC_LEARNSET_LIST, 0), Line(entries[0]));
  Click(IDC_LEARNSET_UP);
  EXPECT_EQ(Status(), kLearnsetDeadEndText);
  EXPECT_EQ(dir.Read(name), original) << "edits stay in memory until written";

  Click(IDC_LEARNSET_SAVE);
  std::string expected = original;
  expected.replace(at, entries.size() * 2, Bytes(entries));
  ExpectRomBytes(dir.Read(name), expected);

  // Grown by six entries with the old ones copied: the list goes to free space in region 1.
  const int count = int(entries.size()) + kGrowth;
  gui_test::AnswerNextDialog([count](HWND dialog) {
    EXPECT_EQ(gui_test::Text(dialog), "ヴァンタリえでぃた～");
    EXPECT_EQ(gui_test::Text(GetDlgItem(dialog, IDC_RELOC_COUNT_LABEL)), "技の数：");
    EXPECT_EQ(gui_test::Text(GetDlgItem(dialog, IDC_RELOC_COUNT)), "");
    EXPECT_EQ(gui_test::Text(GetDlgItem(dialog, IDC_RELOC_MAXIMUM)), "10");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_RELOC_TYPE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    RECT box;
    GetWindowRect(GetDlgItem(dialog, IDC_RELOC_COUNT), &box);
    EXPECT_EQ(box.right - box.left, 50);
    SetDlgItemTextW(dialog, IDC_RELOC_COUNT, std::to_wstring(count).c_str());
    SendDlgItemMessageW(dialog, IDC_RELOC_COPY, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageW(dialog, IDC_RELOC_SEARCH, BM_CLICK, 0, 0);
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_RELOC_RESULTS, LB_GETCOUNT, 0, 0), 10);
    gui_test::SaveScreenshot(dialog, "learnset_dialog");
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
  });
  const DWORD start = GetTickCount();
  Click(IDC_LEARNSET_RESIZE);
  const DWORD elapsed = GetTickCount() - start;
  ASSERT_TRUE(gui_test::DialogWasAnswered());
  EXPECT_EQ(Status(), kLearnsetSavedText);
  const uint32_t moved = uint32_t(std::strtoul(Text(IDC_LEARNSET_ADDRESS).c_str(), nullptr, 16));
  EXPECT_NE(moved, at);
  EXPECT_GE(moved, uint32_t(Setting("BPRJ", "domain1")));
  ASSERT_EQ(ListCount(IDC_LEARNSET_LIST), count);
  EXPECT_EQ(Text(IDC_LEARNSET_COUNT), std::to_string(count));
  gui_test::SaveScreenshot(hwnd(), "learnset_list");

  Entries grown = entries;
  grown.resize(size_t(count), 0);
  grown.push_back(L::kLearnsetEnd);
  expected.replace(moved, grown.size() * 2, Bytes(grown));
  expected.replace(pointer, 3, std::string{char(moved), char(moved >> 8), char(moved >> 16)});
  ExpectRomBytes(dir.Read(name), expected);
  std::printf("[ measured ] learnset moved through dialog 133 in %lu ms (search, write, read back)\n",
              static_cast<unsigned long>(elapsed));
}

}  // namespace
