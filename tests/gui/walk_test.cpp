// The suite walked the way a careful user goes through it, on each of the five demo ROMs:
// tessaro's ten tabs in order and back, each checked for data and photographed, its sub-windows
// opened, a save without a change that leaves the ROM as it was, and the other programs started
// on the same workspace. Screenshots go to build/windows/screenshots/<game>/.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rom_address.h"
#include "demo/demo_rom.h"
#include "demo/games.h"
#include "demo/workspace.h"
#include "editors/egg_moves/win/egg_moves_ids.h"
#include "editors/extras/win/extras_ids.h"
#include "editors/image/win/image_ids.h"
#include "editors/item/item_layout.h"
#include "editors/item/win/item_ids.h"
#include "editors/monster/monster_layout.h"
#include "editors/monster/win/monster_ids.h"
#include "editors/move/move_layout.h"
#include "editors/move/win/move_ids.h"
#include "editors/text/win/text_ids.h"
#include "editors/text/win/text_page.h"
#include "editors/trades/win/trade_ids.h"
#include "editors/trainer/win/trainer_ids.h"
#include "editors/type_chart/win/type_chart_ids.h"
#include "frame_fixture.h"
#include "unit/demo_workspace.h"

namespace {

using gui_test::AnswerNextDialog;
using gui_test::SaveScreenshot;


// What a page must show once a ROM is open: its main list has entries and, where named, one
// field of the selected record shows what the ROM holds (`width` bytes at `offset` of the
// record at Setting.ini's `key`), and the named pictures are drawn.
struct PageCheck {
  const char* name;
  int list;
  int field = 0;
  const char* key = nullptr;
  size_t record = 0, offset = 0;
  int width = 0;
  int pictures[2] = {0, 0};
};

const PageCheck kPages[] = {
    {"monsters", IDC_MONSTER_LIST, IDC_MONSTER_HP, "MonsterBaseStats_Pos", monster_layout::kStatsSize,
     monster_layout::kHp, 1},
    {"egg_moves", IDC_EGG_SPECIES},
    {"trainers", IDC_TRAINER_LIST, 0, nullptr, 0, 0, 0, {IDC_TRAINER_PICTURE, IDC_MEMBER_PICTURE}},
    {"moves", IDC_MOVE_LIST, IDC_MOVE_POWER, "AttackTable", move_layout::kSize, move_layout::kPower, 1},
    {"items", IDC_ITEM_LIST, IDC_ITEM_PRICE, "Item_Data", item_layout::kSize, item_layout::kPrice, 2},
    {"type_chart", IDC_CHART_LIST},
    {"texts", 0},
    {"sprites", 0, IDC_IMAGE_PIC_ADDR},
    {"trades", IDC_TRADE_LIST},
    {"extras", IDC_OMAKE_CLASS_LIST},
};

class Walk : public gui_test::PageTest, public testing::WithParamInterface<const char*> {
 protected:
  std::string Shot(const char* name) const { return std::string(GetParam()) + "/" + name; }
  long Setting(const char* key) const { return PageTest::Setting(GetParam(), key, AllGamesWorkspace()); }
  void Show(int tab) {
    tab_ = tab;
    SendMessageW(hwnd(), WM_APP, WPARAM(tab), 0);
    page = TabSystem().CurrentPageWindow();
    ASSERT_TRUE(page) << kPages[tab].name;
  }
  // Entries of a combo box or a list box.
  int Count(int id) const {
    wchar_t name[32] = {};
    GetClassNameW(Control(id), name, 32);
    UINT message = lstrcmpiW(name, L"ComboBox") == 0 ? CB_GETCOUNT : LB_GETCOUNT;
    return int(SendMessageW(Control(id), message, 0, 0));
  }
  // Every enabled drop-down list of the shown page has entries.
  void ExpectNoEmptyList(const char* where) const {
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[32] = {};
      GetClassNameW(child, name, 32);
      if (lstrcmpiW(name, L"ComboBox") == 0 && IsWindowEnabled(child)) {
        EXPECT_GT(SendMessageW(child, CB_GETCOUNT, 0, 0), 0) << where << ": list " << GetDlgCtrlID(child) << " is empty";
      }
    }
  }
  void CheckPage(int tab, const std::string& rom) const {
    const PageCheck& check = kPages[tab];
    ExpectNoEmptyList(check.name);
    if (check.list) {
      EXPECT_GT(Count(check.list), 0) << check.name;
    }
    for (int picture : check.pictures) {
      if (picture) {
        EXPECT_TRUE(SendMessageW(Control(picture), STM_GETIMAGE, IMAGE_BITMAP, 0)) << check.name << ": picture " << picture;
      }
    }
    if (!check.field) return;
    if (!check.key) {
      EXPECT_FALSE(Text(check.field).empty()) << check.name;
      return;
    }
    int record = ComboSelection(check.list);
    ASSERT_GE(record, 0) << check.name;
    size_t at = size_t(Setting(check.key)) + size_t(record) * check.record + check.offset;
    ASSERT_LE(at + size_t(check.width), rom.size()) << check.name;
    const auto* bytes = reinterpret_cast<const uint8_t*>(rom.data()) + at;
    uint32_t value = check.width == 1 ? bytes[0] : rom::Get16(bytes);
    EXPECT_EQ(Text(check.field), std::to_string(value)) << check.name << " of record " << record;
  }
  // Presses `button`; the dialog it opens is photographed and cancelled.
  void PhotographDialog(int button, const char* name) {
    std::string title;
    AnswerNextDialog([this, name, &title](HWND dialog) {
      title = gui_test::Text(dialog);
      SaveScreenshot(dialog, Shot(name).c_str());
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Click(button);
    EXPECT_TRUE(gui_test::DialogWasAnswered()) << name;
    EXPECT_FALSE(title.empty()) << name;
  }
};

TEST_P(Walk, EveryPageShowsTheRomAndASaveWithoutChangesKeepsIt) {
  const char* code = GetParam();
  Start(AllGamesWorkspace());
  TestDir dir;
  std::filesystem::path rom = dir / "rom.gba";
  std::filesystem::copy_file(AllGamesWorkspace() / demo::FindGame(code)->file_name, rom);
  const std::string original = dir.Read("rom.gba");
  Open(rom, 0);

  // Every page of the page list is walked: a page without its row here fails, never is skipped.
  const int pages = int(TabSystem().page_count());
  ASSERT_EQ(size_t(pages), std::size(kPages));
  for (int tab = 0; tab < pages; ++tab) {
    Show(tab);
    CheckPage(tab, original);
    char name[32];
    std::snprintf(name, sizeof name, "%d_%s", tab, kPages[tab].name);
    SaveScreenshot(hwnd(), Shot(name).c_str());
  }
  for (int tab = pages - 1; tab >= 0; --tab) {
    Show(tab);
    CheckPage(tab, original);
  }

  // The monster page's evolution slots, the dialog that moves a dex description, the learnset
  // list and its length dialog, the TM/HM window.
  Show(0);
  SelectTab(IDC_EVOLUTION_TABS, 1);
  EXPECT_EQ(TabSelection(IDC_EVOLUTION_TABS), 1);
  SaveScreenshot(hwnd(), Shot("monsters_evolution_slot2").c_str());
  PhotographDialog(IDC_DEX_MOVE_DESCRIPTION, "dialog_141");
  EXPECT_GT(ListCount(IDC_LEARNSET_LIST), 0);
  EXPECT_EQ(ListSelection(IDC_LEARNSET_LIST), 0);
  PhotographDialog(IDC_LEARNSET_RESIZE, "dialog_133_learnset");
  Click(IDC_MONSTER_MACHINE);
  HWND machines = OwnedWindow(L"skillmachine_class");
  ASSERT_TRUE(machines && IsWindowVisible(machines));
  SaveScreenshot(machines, Shot("monsters_tm_hm").c_str());
  SendMessageW(machines, WM_CLOSE, 0, 0);
  // The type chart's move to free space.
  Show(5);
  PhotographDialog(IDC_CHART_REPOINT, "dialog_133_type_chart");
  // Three text documents, as skrevin asks for them.
  Show(6);
  demo::DemoRom demo_rom = demo::BuildDemoRom(*demo::FindGame(code), demo::kMinimumRomSize, 1);
  const demo::Highlights& texts = demo_rom.highlights;
  for (uint32_t offset : {texts.text, texts.battle_texts.at(0), texts.battle_texts.at(1)})
    SendMessageW(hwnd(), WM_APP + 2, 0, LPARAM(offset));
  int documents = 0;
  for (HWND doc = GetWindow(TextEditorClient(), GW_CHILD); doc; doc = GetWindow(doc, GW_HWNDNEXT), ++documents)
    EXPECT_FALSE(gui_test::Text(GetDlgItem(doc, IDC_TEXT_BODY)).empty());
  EXPECT_EQ(documents, 3);
  SaveScreenshot(hwnd(), Shot("text_documents").c_str());

  Save();
  EXPECT_TRUE(dir.Read("rom.gba") == original) << code << ": a save without changes changed the ROM";
}

INSTANTIATE_TEST_SUITE_P(Games, Walk, testing::Values("AXVJ", "AXPJ", "BPEJ", "BPRJ", "BPGJ"),
                         [](const testing::TestParamInfo<const char*>& game) { return std::string(game.param); });

}  // namespace
