// The type chart, egg-move and trade pages on the demo ROMs: fields checked against the ROM,
// edited, stored, saved through the frame, and the ROM compared byte by byte.
#include <gtest/gtest.h>

#include "core/free_space.h"
#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "core/win/free_space_ids.h"
#include "editors/egg_moves/egg_moves_layout.h"
#include "editors/egg_moves/win/egg_moves_ids.h"
#include "editors/trades/trade_layout.h"
#include "editors/trades/trade_rules.h"
#include "editors/trades/win/trade_ids.h"
#include "editors/type_chart/type_chart_layout.h"
#include "editors/type_chart/win/type_chart_ids.h"
#include "frame_fixture.h"
#include "text/name_tables.h"
#include "text/shared_tables.h"

namespace {

using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kEggTab = 1, kChartTab = 5, kTradeTab = 8;

const uint8_t* Bytes(const std::string& rom, size_t at) { return reinterpret_cast<const uint8_t*>(rom.data()) + at; }

class LastPages : public PageTest {
 protected:
  void SetUp() override {
    Start(Workspace());
    rom = CopyOfRom(dir);
    original = dir.Read(rom.filename().string());
  }
  std::string Saved() { return dir.Read(rom.filename().string()); }

  TestDir dir;
  std::filesystem::path rom;
  std::string original;
};

TEST_F(LastPages, TypeChartEditsAnEntryAndMovesTheListToFreeSpace) {
  namespace C = type_chart_layout;
  Open(rom, kChartTab);
  size_t pointer = size_t(Setting("BPRJ", "Compatibility"));
  size_t list = rom::Get32(Bytes(original, pointer)) - kGbaBase;
  ASSERT_EQ(ListCount(IDC_CHART_LIST), 111) << "entries up to FE FE, not the ones after it";
  const uint8_t* entry = Bytes(original, list + 2 * C::kEntrySize);
  EXPECT_EQ(ListText(IDC_CHART_LIST, 2), std::string(text::kTypeNames[entry[0]]) + "\t" + text::kTypeNames[entry[1]] + "\t2倍");
  SelectLine(IDC_CHART_LIST, 2);
  EXPECT_EQ(Selected(IDC_CHART_ATTACKER), text::kTypeNames[entry[0]]);
  EXPECT_EQ(Selected(IDC_CHART_DEFENDER), text::kTypeNames[entry[1]]);
  EXPECT_EQ(Selected(IDC_CHART_MULTIPLIER), "2倍");

  Choose(IDC_CHART_ATTACKER, 10);
  Choose(IDC_CHART_DEFENDER, 17);
  Choose(IDC_CHART_MULTIPLIER, 1);
  Click(IDC_CHART_STORE);
  EXPECT_EQ(ListText(IDC_CHART_LIST, 2), "火\t悪\t半減");
  gui_test::SaveScreenshot(hwnd(), "type_chart_page");
  Save();
  std::string expected = original;
  expected.replace(list + 6, 3, "\x0A\x11\x05", 3);
  EXPECT_TRUE(Saved() == expected) << "only the stored entry changed";

  // RePoint: two more entries in the first free-space region, the old ones copied.
  std::string label, caption;
  gui_test::AnswerNextDialog([&](HWND dialog) {
    label = gui_test::Text(GetDlgItem(dialog, IDC_RELOC_COUNT_LABEL));
    caption = gui_test::Text(dialog);
    EXPECT_EQ(gui_test::Text(GetDlgItem(dialog, IDC_RELOC_COUNT)), "111");
    SetDlgItemTextW(dialog, IDC_RELOC_COUNT, L"113");
    SendDlgItemMessageW(dialog, IDC_RELOC_COPY, BM_CLICK, 0, 0);
    SendDlgItemMessageW(dialog, IDC_RELOC_SEARCH, BM_CLICK, 0, 0);
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
  });
  Click(IDC_CHART_REPOINT);
  ASSERT_TRUE(gui_test::DialogWasAnswered());
  EXPECT_EQ(label, "相性の数：");
  EXPECT_EQ(caption, "相性変更～");
  EXPECT_EQ(Status(), "保存しました。");
  ASSERT_EQ(ListCount(IDC_CHART_LIST), 113);
  EXPECT_EQ(ListText(IDC_CHART_LIST, 112), "ノーマル\tノーマル\t無効");
  std::string moved = Saved();
  uint32_t start = 0, length = 0;
  ASSERT_TRUE(FreeSpace().GetRegion(0, start, length));
  size_t place = rom::Get32(Bytes(moved, pointer)) - kGbaBase;
  EXPECT_EQ(place, start + 4) << "the first free word stays in front of the list";
  std::string copied = expected.substr(list, 111 * 3) + std::string(6, '\0') + "\xFE\xFE";
  EXPECT_EQ(moved.substr(place, copied.size()), copied);
  expected.replace(place, copied.size(), copied);
  expected.replace(pointer, 4, moved.substr(pointer, 4));
  EXPECT_TRUE(moved == expected) << "the old list stays; nothing else changed";
}

TEST_F(LastPages, EggMovesStoreInBothModes) {
  namespace E = egg_moves_layout;
  Open(rom, kEggTab);
  size_t at = size_t(Setting("BPRJ", "MonsterEggData"));
  size_t count = size_t(Setting("BPRJ", "MonsterEggDataNum"));
  std::vector<size_t> markers;
  for (size_t i = 0; i < count; ++i)
    if (E::IsMarker(rom::Get16(Bytes(original, at + 2 * i)))) markers.push_back(i);
  ASSERT_EQ(ListCount(IDC_EGG_LEFT), int(markers.size()) + 1) << "the groups and the table's end";
  EXPECT_EQ(ListText(IDC_EGG_LEFT, int(markers.size())), "―― 終わり ――");

  SelectLine(IDC_EGG_LEFT, 1);
  size_t marker = markers[1];
  EXPECT_EQ(ListCount(IDC_EGG_RIGHT), int(markers[2] - marker - 1));
  EXPECT_EQ(ComboSelection(IDC_EGG_SPECIES), rom::Get16(Bytes(original, at + 2 * marker)) - E::kMarkerBase);
  EXPECT_EQ(ComboSelection(IDC_EGG_MOVE), rom::Get16(Bytes(original, at + 2 * marker + 2)));
  SelectLine(IDC_EGG_RIGHT, 0);
  Choose(IDC_EGG_MOVE, 5);
  Click(IDC_EGG_STORE_MOVE);
  EXPECT_EQ(ListText(IDC_EGG_RIGHT, 0), text::SharedTables().moves.Entry(5));
  Choose(IDC_EGG_SPECIES, 300);
  Click(IDC_EGG_STORE_SPECIES);
  EXPECT_EQ(ListText(IDC_EGG_LEFT, 1), text::SharedTables().species.Entry(300));
  gui_test::SaveScreenshot(hwnd(), "egg_moves_page");

  // Raw mode: one line per word; the end word refuses stores.
  Click(IDC_EGG_RAW);
  ASSERT_EQ(ListCount(IDC_EGG_LEFT), int(count));
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_EGG_RIGHT)));
  SelectLine(IDC_EGG_LEFT, int(count) - 1);
  Click(IDC_EGG_STORE_SPECIES);
  EXPECT_EQ(Status(), "テーブルの終わりは変更できません。");
  SelectLine(IDC_EGG_LEFT, int(marker) + 1);
  EXPECT_EQ(ComboSelection(IDC_EGG_MOVE), 5) << "the move stored in normal mode";
  Choose(IDC_EGG_MOVE, 7);
  Click(IDC_EGG_STORE_MOVE);
  EXPECT_EQ(Status(), "");
  Click(IDC_EGG_NORMAL);
  EXPECT_EQ(ListCount(IDC_EGG_LEFT), int(markers.size()) + 1);

  Save();
  std::string expected = original;
  auto put = [&](size_t word, uint16_t value) { expected.replace(at + 2 * word, 2, std::string{char(value), char(value >> 8)}); };
  put(marker, E::Marker(300));
  put(marker + 1, 7);
  EXPECT_TRUE(Saved() == expected);
}

TEST_F(LastPages, TradesSteerThePersonalityValueAndStoreEveryField) {
  namespace T = trade_layout;
  Open(rom, kTradeTab);
  size_t table = size_t(Setting("BPRJ", "Communication_Change"));
  ASSERT_EQ(ListCount(IDC_TRADE_LIST), Setting("BPRJ", "Communication_ChangeNum"));
  const uint8_t* first = Bytes(original, table);
  EXPECT_EQ(ListText(IDC_TRADE_LIST, 0), TradeNameText(first + T::kPartner));
  uint32_t personality = rom::Get32(first + T::kPersonality);
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", personality);
  EXPECT_EQ(Text(IDC_TRADE_PERSONALITY), text);
  EXPECT_EQ(Selected(IDC_TRADE_NATURE), kNatureNames[personality % 25]);
  EXPECT_EQ(Text(IDC_TRADE_GENDER), std::to_string(personality & 0xFF));
  EXPECT_EQ(SendMessageW(Control(IDC_TRADE_SHINY), BM_GETCHECK, 0, 0), BST_CHECKED) << "the demo's first trade is shiny";
  EXPECT_EQ(ComboSelection(IDC_TRADE_ITEM), rom::Get16(first + T::kItem));
  EXPECT_EQ(Text(1069), std::to_string(first[T::kIvs]));

  SelectLine(IDC_TRADE_LIST, 1);
  const uint8_t* second = Bytes(original, table + T::kSize);
  uint32_t low = rom::Get32(second + T::kPersonality) & 0xFF;
  Select(IDC_TRADE_NATURE, 3);
  uint32_t steered = PersonalityForNature(low, 3);
  std::snprintf(text, sizeof text, "0x%08X", steered);
  EXPECT_EQ(Text(IDC_TRADE_PERSONALITY), text);
  SetText(IDC_TRADE_GENDER, "300");
  EXPECT_EQ(Text(IDC_TRADE_GENDER), "255");
  steered = (steered & ~0xFFu) | 0xFF;
  std::snprintf(text, sizeof text, "0x%08X", steered);
  EXPECT_EQ(Text(IDC_TRADE_PERSONALITY), text);
  Click(IDC_TRADE_SHINY);
  uint32_t id = TrainerIdForShiny(steered, true);
  std::snprintf(text, sizeof text, "0x%04X", id);
  EXPECT_EQ(Text(IDC_TRADE_ID), text);
  Click(IDC_TRADE_ABILITY);
  bool second_ability = second[T::kAbility] != 1;
  EXPECT_EQ(Text(IDC_TRADE_ABILITY), second_ability ? "特性2" : "特性1");
  SetText(1069, "40");
  Choose(IDC_TRADE_SPECIES_ASKED, 411);
  Choose(IDC_TRADE_ITEM, 2);
  Click(IDC_TRADE_APPLY);
  EXPECT_EQ(Status(), kStatusReplaced);
  EXPECT_EQ(Text(1069), "31");

  SetText(IDC_TRADE_PARTNER, "ABCDEFG");
  Click(IDC_TRADE_STORE_PARTNER);
  EXPECT_EQ(ListText(IDC_TRADE_LIST, 1), "ABCDE");
  gui_test::SaveScreenshot(hwnd(), "trade_page");

  Revisit();
  EXPECT_EQ(Text(IDC_TRADE_PARTNER), "ABCDE");
  Save();
  std::string expected = original;
  uint8_t* r = reinterpret_cast<uint8_t*>(expected.data()) + table + T::kSize;
  rom::Put32(r + T::kPersonality, steered);
  rom::Put16(r + T::kTrainerId, uint16_t(id));
  r[T::kAbility] = second_ability ? 1 : 0;
  r[T::kIvs] = 31;
  rom::Put16(r + T::kSpeciesAsked, 411);
  rom::Put16(r + T::kItem, 2);
  std::copy_n("\xBB\xBC\xBD\xBE\xBF\xFF", 6, r + T::kPartner);
  EXPECT_TRUE(Saved() == expected);
}

}  // namespace
