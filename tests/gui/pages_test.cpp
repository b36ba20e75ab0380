// tessaro's pages wired to their rules: on a copy of a demo ROM each control is set the way a
// user sets it, the page's buttons are pressed, the ROM is saved through the frame, and the
// bytes each control leads to are read back. What the rules make of a value (clamps, formats,
// orders of writes) is the native tests' part; here a wrong control, a missing notification or
// an enabling rule not applied shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/typed_fields.h"
#include "core/win/frame_ids.h"
#include "core/win/free_space_ids.h"
#include "demo/demo_rom.h"
#include "demo/games.h"
#include "demo/workspace.h"
#include "editors/egg_moves/win/egg_moves_ids.h"
#include "editors/extras/win/extras_ids.h"
#include "editors/image/win/image_ids.h"
#include "editors/item/win/item_ids.h"
#include "editors/monster/learnset.h"
#include "editors/monster/machine_bits.h"
#include "editors/monster/win/machine_window.h"
#include "editors/monster/win/monster_ids.h"
#include "editors/move/win/move_ids.h"
#include "editors/text/text_rules.h"
#include "editors/text/win/text_ids.h"
#include "editors/text/win/text_page.h"
#include "editors/trades/win/trade_ids.h"
#include "editors/trainer/trainer_rules.h"
#include "editors/trainer/win/trainer_ids.h"
#include "editors/type_chart/win/type_chart_ids.h"
#include "frame_fixture.h"
#include "platform/file.h"
#include "platform/win/wide.h"
#include "toolkit/image/bitmap_image.h"

namespace {

using namespace std::string_view_literals;
using gui_test::AnswerNextDialog;
using gui_test::PageTest;
using gui_test::Workspace;

// What a step does with control `id`: type `text`, choose entry `n` (unnoticed, as a list read
// when a button is pressed), pick entry `n` (noticed, as a click), set the check box to `n`,
// press it, pick tab `n` of a tab control, move a table through the relocation dialog (count
// `text`, data type `n` when not 0), press it with the first file operation failing, run menu
// command `id` and show the page again; or expect: the status (id 0) or the control's text to be
// `text`, the control enabled when `n`, selected (checked) at `n`, or its entries as many as
// Setting.ini's `text` says.
enum Kind { kType, kChoose, kPick, kTick, kPress, kTab, kMove, kFailing, kCommand, kShows, kEnabled, kState, kCount };
struct Step {
  Kind kind;
  int id;
  const char* text = "";
  int n = 0;
};
// Where a control's value lands: `bytes` at Setting.ini's `key` + `at`; or, with `pointer`, at
// the GBA address found there, + `then`.
struct Landing {
  const char* key;
  size_t at;
  std::string_view bytes;
  bool pointer = false;
  size_t then = 0;
};
struct Wiring {
  const char* name;
  int tab;
  std::vector<Step> steps;
  std::vector<Landing> landings = {};
  const char* code = "BPRJ";
  std::vector<const char*> dropped = {};  // Setting.ini keys left out
};

const Wiring kWirings[] = {
    {"monster", 0,
     {{kPick, IDC_MONSTER_LIST, "", 301}, {kEnabled, IDC_MONSTER_FLEE_RATE, "", 1}, {kType, IDC_MONSTER_HP, "201"},
      {kType, IDC_MONSTER_ATTACK, "202"}, {kType, IDC_MONSTER_DEFENCE, "203"}, {kType, IDC_MONSTER_SPEED, "204"},
      {kType, IDC_MONSTER_SP_ATTACK, "205"}, {kType, IDC_MONSTER_SP_DEFENCE, "206"},
      {kChoose, IDC_MONSTER_TYPE1, "", 3}, {kChoose, IDC_MONSTER_TYPE2, "", 4},
      {kType, IDC_MONSTER_CATCH_RATE, "207"}, {kType, IDC_MONSTER_EXP_YIELD, "208"},
      {kType, IDC_MONSTER_EFFORT_HP, "1"}, {kType, IDC_MONSTER_EFFORT_ATTACK, "2"},
      {kType, IDC_MONSTER_EFFORT_DEFENCE, "3"}, {kType, IDC_MONSTER_EFFORT_SPEED, "0"},
      {kType, IDC_MONSTER_EFFORT_SP_ATTACK, "1"}, {kType, IDC_MONSTER_EFFORT_SP_DEFENCE, "2"},
      {kChoose, IDC_MONSTER_ITEM_COMMON, "", 5}, {kChoose, IDC_MONSTER_ITEM_RARE, "", 6},
      {kType, IDC_MONSTER_GENDER, "209"}, {kType, IDC_MONSTER_EGG_STEPS, "2560"},
      {kType, IDC_MONSTER_FRIENDSHIP, "210"}, {kChoose, IDC_MONSTER_GROWTH, "", 2},
      {kChoose, IDC_MONSTER_EGG_GROUP1, "", 3}, {kChoose, IDC_MONSTER_EGG_GROUP2, "", 4},
      {kChoose, IDC_MONSTER_ABILITY1, "", 5}, {kChoose, IDC_MONSTER_ABILITY2, "", 6},
      {kType, IDC_MONSTER_FLEE_RATE, "211"}, {kTab, IDC_EVOLUTION_TABS, "", 1}, {kPick, IDC_EVOLUTION_METHOD, "", 7},
      {kEnabled, IDC_EVOLUTION_ITEM, "", 1}, {kEnabled, IDC_EVOLUTION_LEVEL, "", 0},
      {kChoose, IDC_EVOLUTION_ITEM, "", 3}, {kChoose, IDC_EVOLUTION_TARGET, "", 0x123}, {kPress, IDC_MONSTER_APPLY},
      {kState, IDC_EVOLUTION_TABS, "", 1}, {kType, IDC_MONSTER_NEW_NAME, "ABC"}, {kPress, IDC_MONSTER_RENAME},
      {kType, IDC_DEX_DESCRIPTION, "AB"}, {kPress, IDC_DEX_WRITE_DESCRIPTION}, {kPick, IDC_DEX_LIST, "", 5},
      {kType, IDC_DEX_NEW_NAME, "XY"}, {kPress, IDC_DEX_RENAME}, {kType, IDC_DEX_HEIGHT, "1.3"},
      {kType, IDC_DEX_WEIGHT, "2.5"}, {kPress, IDC_DEX_APPLY}},
     {{"MonsterBaseStats_Pos", 301 * 28,
       "\xC9\xCA\xCB\xCC\xCD\xCE\x03\x04\xCF\xD0\x39\x09\x05\x00\x06\x00\xD1\x0A\xD2\x02\x03\x04\x05\x06\xD3"sv},
      {"Monster_Evol_Data_Pos", 301 * 40 + 8, "\x07"sv}, {"Monster_Evol_Data_Pos", 301 * 40 + 10, "\x03\x00\x23\x01"sv},
      {"Name_Start_Pos", 301 * 6, "\xBB\xBC\xBD\xFF"sv}, {"MonsterDexData", 290 * 28 + 12, "\xBB\xBC\xFF"sv, true},
      {"MonsterDexData", 5 * 28, "\xD2\xD3\xFF"sv}, {"MonsterDexData", 5 * 28 + 6, "\x0D\x00\x19\x00"sv}}},
    {"monster_emerald", 0, {{kPick, IDC_MONSTER_LIST, "", 1}, {kEnabled, IDC_MONSTER_FLEE_RATE, "", 0}}, {}, "BPEJ"},
    {"learnset", 0,
     {{kPick, IDC_MONSTER_LIST, "", 10}, {kPick, IDC_LEARNSET_LIST, "", 1}, {kType, IDC_LEARNSET_LEVEL, "20"},
      {kChoose, IDC_LEARNSET_MOVE, "", 300}, {kPress, IDC_LEARNSET_STORE}, {kPress, IDC_LEARNSET_UP},
      {kState, IDC_LEARNSET_LIST, "", 0}, {kPress, IDC_LEARNSET_SAVE}},
     {{"Level_Skill", 10 * 4, "\x2C\x29"sv, true}}},
    {"learnset_moved", 0,
     {{kPick, IDC_MONSTER_LIST, "", 10}, {kMove, IDC_LEARNSET_RESIZE, "30"}, {kShows, 0, kLearnsetSavedText}},
     {{"Level_Skill", 10 * 4, "\xFF\xFF"sv, true, 60}}},
    {"egg_moves", 1,
     {{kPress, IDC_EGG_RAW}, {kEnabled, IDC_EGG_RIGHT, "", 0}, {kPick, IDC_EGG_LEFT, "", 4},
      {kChoose, IDC_EGG_SPECIES, "", 300}, {kPress, IDC_EGG_STORE_SPECIES}, {kPick, IDC_EGG_LEFT, "", 5},
      {kChoose, IDC_EGG_MOVE, "", 7}, {kPress, IDC_EGG_STORE_MOVE}, {kPress, IDC_EGG_NORMAL},
      {kEnabled, IDC_EGG_RIGHT, "", 1}},
     {{"MonsterEggData", 8, "\x4C\x4F\x07\x00"sv}}},
    {"trainer", 2,
     {{kCount, IDC_TRAINER_LIST, "TrainerDataNum"}, {kPick, IDC_TRAINER_LIST, "", 3},
      {kEnabled, IDC_TRAINER_PARTY_SIZE, "", 0}, {kChoose, IDC_TRAINER_CLASS, "", 5},
      {kType, IDC_TRAINER_MUSIC, "77"}, {kType, IDC_TRAINER_PIC_NUMBER, "5"}, {kType, IDC_TRAINER_NAME, "ABC"},
      {kChoose, IDC_TRAINER_ITEM1, "", 1}, {kChoose, IDC_TRAINER_ITEM2, "", 2}, {kChoose, IDC_TRAINER_ITEM3, "", 3},
      {kChoose, IDC_TRAINER_ITEM4, "", 4}, {kTick, IDC_TRAINER_DOUBLE, "", 1}, {kTick, IDC_TRAINER_CHECK1, "", 1},
      {kTick, IDC_TRAINER_CHECK2, "", 0}, {kTick, IDC_TRAINER_CHECK3, "", 1}, {kTick, IDC_TRAINER_CHECK4, "", 0},
      {kPress, IDC_TRAINER_STORE}, {kType, IDC_MEMBER_UNKNOWN, "9"}, {kType, IDC_MEMBER_LEVEL, "50"},
      {kChoose, IDC_MEMBER_SPECIES, "", 25}, {kChoose, IDC_MEMBER_ITEM, "", 4}, {kChoose, IDC_MEMBER_MOVE1, "", 5},
      {kChoose, IDC_MEMBER_MOVE2, "", 6}, {kChoose, IDC_MEMBER_MOVE3, "", 7}, {kChoose, IDC_MEMBER_MOVE4, "", 8},
      {kPress, IDC_MEMBER_STORE}, {kFailing, IDC_PARTY_SAVE}, {kPress, IDC_PARTY_SAVE}, {kShows, 0, kPartySavedText},
      {kType, IDC_TRAINER_SEARCH_TEXT, "00A"}, {kPress, IDC_TRAINER_SEARCH}, {kState, IDC_TRAINER_LIST, "", 10}},
     {{"TrainerData", 3 * 32 + 1, "\x05\x4D\x05\xBB\xBC\xBD\xFF"sv},
      {"TrainerData", 3 * 32 + 10, "\x01\x00\x02\x00\x03\x00\x04\x00\x01"sv},
      {"TrainerData", 3 * 32 + 20, "\x95"sv},  // checks 1 and 3 ticked; bits 4-7 stay the game's
      {"TrainerData", 3 * 32 + 28, "\x09"sv, true}, {"TrainerData", 3 * 32 + 28, "\x32"sv, true, 2},
      {"TrainerData", 3 * 32 + 28, "\x19\x00\x04\x00\x05\x00\x06\x00\x07\x00\x08\x00"sv, true, 4}}},
    {"trainer_party_moved", 2,
     {{kCommand, IDM_BEGINNER}, {kPick, IDC_TRAINER_LIST, "", 3}, {kEnabled, IDC_TRAINER_PARTY_SIZE, "", 1},
      {kCommand, IDM_BEGINNER}, {kPick, IDC_TRAINER_LIST, "", 3}, {kMove, IDC_TRAINER_PARTY_CHANGE, "6", 2},
      {kShows, 0, kPartySavedText}, {kEnabled, IDC_MEMBER_MOVE1, "", 0}},
     {{"TrainerData", 3 * 32, "\x02"sv}, {"TrainerData", 3 * 32 + 24, "\x06"sv},
      {"TrainerData", 3 * 32 + 28, std::string_view("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16), true, 32}}},
    {"trainer_without_keys", 2, {{kEnabled, IDC_TRAINER_LIST, "", 0}}, {}, "BPRJ", {"TrainerData", "TrainerDataNum"}},
    {"move", 3,
     {{kCount, IDC_MOVE_LIST, "AttackNum"}, {kPick, IDC_MOVE_LIST, "", 7}, {kChoose, IDC_MOVE_EFFECT, "", 5},
      {kType, IDC_MOVE_POWER, "99"}, {kChoose, IDC_MOVE_TYPE, "", 17}, {kType, IDC_MOVE_ACCURACY, "90"},
      {kType, IDC_MOVE_PP, "10"}, {kType, IDC_MOVE_CHANCE, "30"}, {kPress, IDC_MOVE_STORE_UNKNOWN},
      {kType, IDC_MOVE_UNKNOWN1, "61"}, {kType, IDC_MOVE_UNKNOWN2, "62"}, {kType, IDC_MOVE_UNKNOWN3, "63"},
      {kType, IDC_MOVE_UNKNOWN4, "64"}, {kType, IDC_MOVE_UNKNOWN5, "65"}, {kType, IDC_MOVE_UNKNOWN6, "66"},
      {kPress, IDC_MOVE_APPLY}, {kType, IDC_MOVE_NEW_NAME, "ABC"}, {kPress, IDC_MOVE_RENAME}},
     {{"AttackTable", 7 * 12, "\x05\x63\x11\x5A\x0A\x1E\x3D\x3E\x3F\x40\x41\x42"sv},
      {"AttackName", 7 * 8, "\xBB\xBC\xBD\xFF"sv}}},
    {"item", 4,
     {{kCount, IDC_ITEM_LIST, "Item_DataNum"}, {kPick, IDC_ITEM_LIST, "", 1}, {kType, IDC_ITEM_PRICE, "70000"},
      {kPress, IDC_ITEM_APPLY}, {kShows, 0, kStatusReplaced}, {kShows, IDC_ITEM_PRICE, "65535"},
      {kType, IDC_ITEM_PRICE, "300"}, {kType, IDC_ITEM_PARAMETER, "12"}, {kChoose, IDC_ITEM_POCKET, "", 4},
      {kChoose, IDC_ITEM_BATTLE_TYPE, "", 1}, {kPress, IDC_ITEM_APPLY}, {kType, IDC_ITEM_NEW_NAME, "ABC"},
      {kPress, IDC_ITEM_RENAME}, {kState, IDC_ITEM_LIST, "", 1}},
     {{"Item_Data", 40, "\xBB\xBC\xBD\xFF"sv}, {"Item_Data", 40 + 12, "\x2C\x01"sv}, {"Item_Data", 40 + 15, "\x0C"sv},
      {"Item_Data", 40 + 22, "\x05"sv}, {"Item_Data", 40 + 28, "\x01"sv}}},
    {"item_without_table", 4, {{kEnabled, IDC_ITEM_LIST, "", 0}, {kEnabled, IDC_ITEM_APPLY, "", 0}}, {}, "BPRJ",
     {"Item_Data"}},
    {"type_chart", 5,
     {{kPick, IDC_CHART_LIST, "", 2}, {kChoose, IDC_CHART_ATTACKER, "", 10}, {kChoose, IDC_CHART_DEFENDER, "", 17},
      {kChoose, IDC_CHART_MULTIPLIER, "", 1}, {kPress, IDC_CHART_STORE}},
     {{"Compatibility", 0, "\x0A\x11\x05"sv, true, 6}}},
    {"type_chart_moved", 5, {{kMove, IDC_CHART_REPOINT, "113"}},
     {{"Compatibility", 0, std::string_view("\0\0\0\0\0\0\xFE\xFE", 8), true, 111 * 3}}},
    {"trades", 8,
     {{kCount, IDC_TRADE_LIST, "Communication_ChangeNum"}, {kPick, IDC_TRADE_LIST, "", 1},
      {kType, IDC_TRADE_IV_HP, "11"}, {kType, IDC_TRADE_IV_HP + 1, "12"}, {kType, IDC_TRADE_IV_HP + 2, "13"},
      {kType, IDC_TRADE_IV_HP + 3, "14"}, {kType, IDC_TRADE_IV_HP + 4, "15"}, {kType, IDC_TRADE_IV_HP + 5, "16"},
      {kChoose, IDC_TRADE_SPECIES_GIVEN, "", 25}, {kChoose, IDC_TRADE_SPECIES_ASKED, "", 411},
      {kChoose, IDC_TRADE_ITEM, "", 2}, {kTick, IDC_TRADE_ABILITY, "", 1}, {kType, IDC_TRADE_GENDER, "255"},
      {kTick, IDC_TRADE_SHINY, "", 0}, {kPress, IDC_TRADE_SHINY}, {kPress, IDC_TRADE_APPLY},
      {kState, IDC_TRADE_SHINY, "", 1}, {kType, IDC_TRADE_PARTNER, "ABC"}, {kPress, IDC_TRADE_STORE_PARTNER},
      {kType, IDC_TRADE_NICKNAME, "XY"}, {kPress, IDC_TRADE_STORE_NICKNAME}},
     {{"Communication_Change", 60, "\xD2\xD3\xFF"sv}, {"Communication_Change", 60 + 12, "\x19\x00"sv},
      {"Communication_Change", 60 + 14, "\x0B\x0C\x0D\x0E\x0F\x10\x01"sv},
      {"Communication_Change", 60 + 36, "\xFF"sv}, {"Communication_Change", 60 + 40, "\x02\x00"sv},
      {"Communication_Change", 60 + 43, "\xBB\xBC\xBD\xFF"sv}, {"Communication_Change", 60 + 56, "\x9B\x01"sv}}},
    {"extras", 9,
     {{kCount, IDC_OMAKE_CLASS_LIST, "TrainerClassesNum"}, {kPick, IDC_OMAKE_CLASS_LIST, "", 2},
      {kType, IDC_OMAKE_CLASS_NAME, "ABC"}, {kPress, IDC_OMAKE_CLASS_RENAME}, {kChoose, IDC_OMAKE_LEFT, "", 25},
      {kChoose, IDC_OMAKE_CENTER, "", 26}, {kChoose, IDC_OMAKE_RIGHT, "", 411}, {kPress, IDC_OMAKE_STARTERS_SET},
      {kChoose, IDC_OMAKE_RIVAL_LEFT, "", 7}, {kChoose, IDC_OMAKE_RIVAL_CENTER, "", 300},
      {kChoose, IDC_OMAKE_RIVAL_RIGHT, "", 8}, {kPress, IDC_OMAKE_RIVAL_SET}},
     {{"TrainerClasses", 2 * 11, "\xBB\xBC\xBD\xFF"sv}, {"Left", 0, "\x19\x00"sv}, {"Center", 0, "\x1A\x00"sv},
      {"Right", 0, "\x9B\x01"sv}, {"RLeft", 0, "\x07\x00"sv}, {"RCenter", 0, "\x2C\x01"sv},
      {"RRight", 0, "\x08\x00"sv}}},
    {"extras_without_keys", 9,
     {{kEnabled, IDC_OMAKE_LEFT, "", 0}, {kEnabled, IDC_OMAKE_CENTER, "", 1}, {kEnabled, IDC_OMAKE_RIVAL_SET, "", 0}},
     {}, "BPRJ", {"Left", "RRight"}},
};

void PrintTo(const Wiring& w, std::ostream* os) { *os << w.name; }

class PageWiring : public PageTest, public testing::WithParamInterface<Wiring> {
 protected:
  bool IsClass(int id, const wchar_t* name) const {
    wchar_t class_name[32] = {};
    GetClassNameW(Control(id), class_name, 32);
    return lstrcmpiW(class_name, name) == 0;
  }
  void Do(const Step& s) {
    switch (s.kind) {
      case kType: return SetText(s.id, s.text);
      case kChoose: return Choose(s.id, s.n);
      case kPick: return IsClass(s.id, L"ListBox") ? SelectLine(s.id, s.n) : Select(s.id, s.n);
      case kTick: SendMessageW(Control(s.id), BM_SETCHECK, WPARAM(s.n), 0); return;
      case kPress: return Click(s.id);
      case kTab: return SelectTab(s.id, s.n);
      case kMove:
        AnswerNextDialog([s](HWND dialog) {
          SetDlgItemTextW(dialog, IDC_RELOC_COUNT, platform::win::Wide(s.text).c_str());
          if (s.n) SendDlgItemMessageW(dialog, IDC_RELOC_TYPE, CB_SETCURSEL, WPARAM(s.n), 0);
          SendDlgItemMessageW(dialog, IDC_RELOC_COPY, BM_SETCHECK, BST_CHECKED, 0);
          SendDlgItemMessageW(dialog, IDC_RELOC_SEARCH, BM_CLICK, 0, 0);
          SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        });
        Click(s.id);
        EXPECT_TRUE(gui_test::DialogWasAnswered());
        return;
      case kFailing:
        platform::FailNthFileOperation(1);
        Click(s.id);
        platform::FailNthFileOperation(0);
        EXPECT_NE(Status().find(platform::InjectedFailureText()), std::string::npos) << Status();
        return;
      case kCommand:
        SendMessageW(hwnd(), WM_COMMAND, WPARAM(s.id), 0);
        return Revisit();
      case kShows: EXPECT_EQ(s.id ? Text(s.id) : Status(), s.text) << s.id; return;
      case kEnabled: EXPECT_EQ(IsWindowEnabled(Control(s.id)) != FALSE, s.n != 0) << s.id; return;
      case kState:
      case kCount: {
        const bool count = s.kind == kCount;
        const UINT message = IsClass(s.id, L"ListBox")    ? (count ? LB_GETCOUNT : LB_GETCURSEL)
                             : IsClass(s.id, L"ComboBox") ? (count ? CB_GETCOUNT : CB_GETCURSEL)
                             : IsClass(s.id, L"Button")   ? BM_GETCHECK
                                                          : TCM_GETCURSEL;
        EXPECT_EQ(SendMessageW(Control(s.id), message, 0, 0), count ? Setting(GetParam().code, s.text) : s.n) << s.id;
      }
    }
  }
};

TEST_P(PageWiring, EachControlReachesItsBytes) {
  const Wiring& w = GetParam();
  TestDir dir;
  Start(w.dropped.empty() ? Workspace() : gui_test::WorkspaceWithout(dir, w.dropped));
  const std::filesystem::path rom = CopyOfRom(dir, w.code);
  const std::string original = dir.Read(rom.filename().string());
  Open(rom, w.tab);
  for (const Step& s : w.steps) {
    SCOPED_TRACE(testing::Message() << "step " << (&s - w.steps.data()));
    Do(s);
  }
  Save();
  const std::string saved = dir.Read(rom.filename().string());
  // Where a landing is in `bytes`; the bytes there, which the ROM must not have held before.
  auto found = [&](const Landing& l, const std::string& bytes) {
    size_t at = size_t(Setting(w.code, l.key)) + l.at;
    if (l.pointer) at = (RomU32(bytes, at) & 0x1FFFFFF) + l.then;
    return bytes.substr(std::min(at, bytes.size()), l.bytes.size());
  };
  for (const Landing& l : w.landings) {
    EXPECT_EQ(found(l, saved), l.bytes) << l.key << " + " << l.at;
    EXPECT_NE(found(l, original), l.bytes) << l.key << " + " << l.at << ": held already";
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, PageWiring, testing::ValuesIn(kWirings),
                         [](const testing::TestParamInfo<Wiring>& w) { return std::string(w.param.name); });

// A copy of the demo FireRed ROM for the test to change, and a main window.
class Pages : public PageTest {
 protected:
  void SetUp() override { Start(Workspace()); }
  TestDir dir;
  const std::filesystem::path rom = CopyOfRom(dir);
};

// The sprite page's files: a PNG imported and appended, the table saved, the picture exported.
TEST_F(Pages, SpritesImportAppendAndExportThroughTheFileDialogs) {
  const size_t size = std::filesystem::file_size(rom);
  Open(rom, 7);
  SetText(IDC_IMAGE_INDEX, "1");
  Click(IDC_IMAGE_SHOW);
  lumak::CBitmapImage png(64, 128, 4);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 64; ++x) png.SetPixelIndex(x, y, uint8_t((x / 8 + y / 8 * 3 + x * y) % 16));
  const std::vector<uint8_t> bytes = png.PngBytes();
  gui_test::AnswerFileDialog(dir.Write("front.png", std::string(bytes.begin(), bytes.end())));
  for (int id : {IDC_IMAGE_NORMAL_IMAGE, IDC_IMAGE_NORMAL_PALETTE})
    if (SendMessageW(Control(id), BM_GETCHECK, 0, 0) != BST_CHECKED) Click(id);
  Click(IDC_IMAGE_APPEND);
  Click(IDC_IMAGE_IMPORT);
  Click(IDC_IMAGE_SAVE);
  Save();
  const std::string saved = dir.Read(rom.filename().string());
  EXPECT_GE(RomU32(saved, size_t(Setting("BPRJ", "MonsterPics")) + 8) & 0x1FFFFFF, size) << "appended";
  gui_test::AnswerFileDialog(dir / "out.bmp");
  Click(IDC_IMAGE_EXPORT);
  lumak::CBitmapImage out;
  ASSERT_TRUE(out.LoadImageA(dir / "out.bmp")) << Status();
  for (int y = 0; y < 128; y += 3)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(out.GetPixelIndex(x, y), png.GetPixelIndex(x, y)) << x << "," << y;
  // The trainer mode has no back picture; the back view's pictures are not moved.
  Click(IDC_IMAGE_TRAINER);
  EXPECT_FALSE(IsWindowVisible(Control(IDC_IMAGE_BACK_ADDR)));
  Click(IDC_IMAGE_BACK_VIEW);
  EXPECT_FALSE(IsWindowVisible(Control(IDC_IMAGE_PIC_REPOINT)));
}

// The frame's text buttons make documents; a document loads, saves after its question, and goes.
TEST_F(Pages, TextDocumentsLoadAndSaveByOffset) {
  Open(rom, 6);
  SendMessageW(Item(IDM_TEXT_NEW_WINDOW), BM_CLICK, 0, 0);
  HWND doc = GetWindow(TextEditorClient(), GW_CHILD);
  ASSERT_TRUE(doc);
  const uint32_t at = demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1).highlights.text;
  wchar_t offset[16];
  wsprintfW(offset, L"%X", at);
  SetWindowTextW(GetDlgItem(doc, IDC_TEXT_OFFSET), offset);
  SendDlgItemMessageW(doc, IDC_TEXT_LOAD, BM_CLICK, 0, 0);
  EXPECT_EQ(Status(), text_editor::kLoaded);
  EXPECT_FALSE(gui_test::Text(GetDlgItem(doc, IDC_TEXT_BODY)).empty());
  SetWindowTextW(GetDlgItem(doc, IDC_TEXT_BODY), L"ABC");
  std::string question;
  AnswerNextDialog(gui_test::PressButton(IDYES, &question));
  SendDlgItemMessageW(doc, IDC_TEXT_SAVE, BM_CLICK, 0, 0);
  EXPECT_EQ(question, text_editor::kSaveQuestion);
  EXPECT_EQ(dir.Read(rom.filename().string()).substr(at, 4), "\xBB\xBC\xBD\xFF");
  SendMessageW(Item(IDM_TEXT_CLOSE_ALL), BM_CLICK, 0, 0);
  EXPECT_EQ(GetWindow(TextEditorClient(), GW_CHILD), nullptr);
}

// The TM/HM window shows the species' boxes; ticks are saved into its record; a read that fails
// says so in a box the window owns.
TEST_F(Pages, MachineWindowShowsSavesAndReportsFailures) {
  const size_t record = size_t(Setting("BPRJ", "Skill_Machine")) + 25 * monster_layout::kMachineSize;
  MachineRecord bytes;
  dir.Read(rom.filename().string()).copy(reinterpret_cast<char*>(bytes.data()), bytes.size(), record);
  MachineStates ticked = UnpackMachine(bytes);
  Open(rom, 0);
  Select(IDC_MONSTER_LIST, 25);
  Click(IDC_MONSTER_MACHINE);
  HWND window = OwnedWindow(L"skillmachine_class");
  ASSERT_TRUE(window && IsWindowVisible(window));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(LONG(kMachineClientWidth), LONG(kMachineClientHeight)));
  for (int bit : {0, 57}) {
    EXPECT_EQ(SendDlgItemMessageW(window, kMachineFirstId + bit, BM_GETCHECK, 0, 0) == BST_CHECKED, ticked[size_t(bit)]);
    SendDlgItemMessageW(window, kMachineFirstId + bit, BM_CLICK, 0, 0);
    ticked[size_t(bit)] = !ticked[size_t(bit)];
  }
  SendDlgItemMessageW(window, kMachineSaveId, BM_CLICK, 0, 0);
  EXPECT_EQ(Status(), kMachineSavedText);
  const MachineRecord packed = PackMachine(ticked);
  EXPECT_EQ(dir.Read(rom.filename().string()).substr(record, packed.size()),
            std::string(reinterpret_cast<const char*>(packed.data()), packed.size()));

  std::filesystem::rename(rom, dir / "away.gba");
  std::string box;
  HWND owner = nullptr;
  AnswerNextDialog([&](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    gui_test::PressButton(IDOK, &box)(dialog);
  });
  Select(IDC_MONSTER_LIST, 26);
  EXPECT_EQ(box, kMachineReadBoxText);
  EXPECT_EQ(owner, window);

}

}  // namespace
