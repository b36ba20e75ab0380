// The monster page on the demo ROMs: lists and fields against the ROM, a store with clamping,
// species and dex renames, the dex sizes, the description written in place and moved through
// the choose-space dialog, the evolution slots, and the save through the frame changing exactly
// the edited bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "core/win/free_space_ids.h"
#include "editors/monster/monster_layout.h"
#include "editors/monster/monster_rules.h"
#include "editors/monster/win/monster_ids.h"
#include "frame_fixture.h"
#include "text/shared_tables.h"

namespace {

namespace L = monster_layout;
using gui_test::PageTest;
using gui_test::Workspace;

constexpr int kMonsterTab = 0;
constexpr int kSpecies = 301;  // dex record 290
constexpr int kDexNumber = 290;

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", unsigned(value));
  return text;
}

class MonsterPage : public PageTest {
 protected:
  static uint8_t U8(const std::string& rom, size_t at) { return uint8_t(rom[at]); }
};

TEST_F(MonsterPage, SpeciesAndDexShownEditedAndSavedOnEachDemoRom) {
  Start(Workspace());
  for (const char* code : {"BPRJ", "BPEJ"}) {
    SCOPED_TRACE(code);
    const bool flee = std::string(code) == "BPRJ";
    TestDir dir;
    std::filesystem::path rom = CopyOfRom(dir, code);
    const std::string name = rom.filename().string();
    const std::string original = dir.Read(name);
    Open(rom, kMonsterTab);

    EXPECT_NE(ComboText(IDC_MONSTER_LIST, 5), "5") << "a real name";
    EXPECT_EQ(IsWindowEnabled(Control(IDC_MONSTER_FLEE_RATE)) != FALSE, flee);

    Select(IDC_MONSTER_LIST, kSpecies);
    const size_t stats = size_t(Setting(code, "MonsterBaseStats_Pos")) + kSpecies * L::kStatsSize;
    const size_t dex = size_t(Setting(code, "MonsterDexData")) + kDexNumber * L::kDexSize;
    EXPECT_EQ(Text(IDC_MONSTER_HP), std::to_string(U8(original, stats + L::kHp)));
    EXPECT_EQ(Text(IDC_MONSTER_EGG_STEPS), std::to_string(U8(original, stats + L::kEggSteps) * 256));
    EXPECT_EQ(ComboSelection(IDC_MONSTER_TYPE1), U8(original, stats + L::kType1));
    EXPECT_EQ(ComboSelection(IDC_MONSTER_GROWTH), U8(original, stats + L::kGrowth));
    EXPECT_EQ(Text(IDC_MONSTER_FLEE_RATE), flee ? std::to_string(U8(original, stats + L::kFleeRate)) : "");
    EXPECT_EQ(ComboSelection(IDC_DEX_LIST), kDexNumber);
    const uint32_t old_text = RomU32(original, dex + L::kDexDescription);
    EXPECT_EQ(Text(IDC_DEX_ADDRESS), Hex(old_text));
    EXPECT_FALSE(Text(IDC_DEX_DESCRIPTION).empty());

    // A store clamps and shows what it stored; a disabled flee rate is not even read.
    SetText(IDC_MONSTER_HP, "300");
    SetText(IDC_MONSTER_EGG_STEPS, "5000");
    SetText(IDC_MONSTER_FLEE_RATE, "7");
    Click(IDC_MONSTER_APPLY);
    EXPECT_EQ(Status(), kStatusReplaced);
    EXPECT_EQ(Text(IDC_MONSTER_HP), "255");
    EXPECT_EQ(Text(IDC_MONSTER_EGG_STEPS), "4864");
    int total = 255;
    for (size_t i = 1; i < L::kBaseStatCount; ++i) total += U8(original, stats + L::kHp + i);
    EXPECT_EQ(Text(IDC_MONSTER_TOTAL), std::to_string(total));

    SetText(IDC_MONSTER_NEW_NAME, "ABC");
    Click(IDC_MONSTER_RENAME);
    EXPECT_EQ(ComboText(IDC_MONSTER_LIST, kSpecies), text::SharedTables().species.Entry(kSpecies));
    EXPECT_EQ(ComboSelection(IDC_MONSTER_LIST), kSpecies);

    // The description of the species' own record: written in place within its room, then
    // moved to free space chosen automatically.
    const std::string old_size = Text(IDC_DEX_SIZE);
    SetText(IDC_DEX_DESCRIPTION, "AB");
    Click(IDC_DEX_WRITE_DESCRIPTION);
    EXPECT_EQ(Status(), kStatusDone);
    const std::string long_text = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SetText(IDC_DEX_DESCRIPTION, long_text.c_str());
    gui_test::AnswerNextDialog([](HWND dialog) {
      EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_SPACE_AUTO, BM_GETCHECK, 0, 0), BST_CHECKED);
      SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    });
    Click(IDC_DEX_MOVE_DESCRIPTION);
    ASSERT_TRUE(gui_test::DialogWasAnswered());
    EXPECT_EQ(Status(), kMovedText);
    const uint32_t new_text = uint32_t(std::strtoul(Text(IDC_DEX_ADDRESS).c_str(), nullptr, 16));
    EXPECT_NE(new_text, old_text);
    EXPECT_EQ(Text(IDC_DEX_SIZE), Hex(uint32_t(long_text.size() + 1)));

    // Dex record 5, chosen in the dex list: its name and sizes.
    Select(IDC_DEX_LIST, 5);
    const size_t dex5 = size_t(Setting(code, "MonsterDexData")) + 5 * L::kDexSize;
    char height[16];
    std::snprintf(height, sizeof height, "%0.01f", rom::Get16(reinterpret_cast<const uint8_t*>(original.data()) + dex5 + L::kDexHeight) / 10.0);
    EXPECT_EQ(Text(IDC_DEX_HEIGHT), height);
    SetText(IDC_DEX_NEW_NAME, "XY");
    Click(IDC_DEX_RENAME);
    EXPECT_EQ(ComboSelection(IDC_DEX_LIST), 5);
    SetText(IDC_DEX_HEIGHT, "1.25");
    SetText(IDC_DEX_WEIGHT, "-1");
    Click(IDC_DEX_APPLY);
    EXPECT_EQ(Status(), kStatusReplaced);
    EXPECT_EQ(Text(IDC_DEX_WEIGHT), "0.0") << "the field shows what was stored";
    if (flee) gui_test::SaveScreenshot(hwnd(), "monster_page");

    Revisit();
    EXPECT_EQ(ComboSelection(IDC_MONSTER_LIST), kSpecies);
    EXPECT_EQ(Text(IDC_MONSTER_HP), "255");
    EXPECT_EQ(Text(IDC_DEX_ADDRESS), Hex(new_text));

    Save();
    std::string expected = original;
    const size_t names = size_t(Setting(code, "Name_Start_Pos")) + kSpecies * 6;
    expected.replace(names, 6, std::string("\xBB\xBC\xBD\xFF\0\0", 6));
    expected[stats + L::kHp] = char(255);
    expected[stats + L::kEggSteps] = 19;
    if (flee) expected[stats + L::kFleeRate] = 7;
    const size_t old_at = old_text - kGbaBase;
    expected.replace(old_at, 3, "\xBB\xBC\xFF");
    const size_t new_at = new_text - kGbaBase;
    std::string moved;
    for (size_t i = 0; i < long_text.size(); ++i) moved += char(0xBB + (long_text[i] - 'A'));
    expected.replace(new_at, moved.size() + 1, moved + "\xFF");
    rom::Put32(reinterpret_cast<uint8_t*>(expected.data()) + dex + L::kDexDescription, new_text);
    expected.replace(dex5, 5, std::string("\xD2\xD3\xFF\0\0", 5));
    expected.replace(dex5 + L::kDexHeight, 4, std::string("\x0D\x00\x00\x00", 4));
    const std::string saved = dir.Read(name);
    ExpectRomBytes(saved, expected);
    if (!flee) {
      EXPECT_EQ(U8(saved, stats + L::kFleeRate), U8(original, stats + L::kFleeRate));
    }
  }
}

// Species 10 of the demo ROMs has a level method in slot 0 and a plain one in slot 1; slot 1
// of species 47 holds a method beyond the list. A slot changed to an item method is saved as
// exactly its method, item and target bytes.
TEST_F(MonsterPage, EvolutionSlotsShownEditedAndSaved) {
  Start(Workspace());
  for (const char* code : {"BPRJ", "BPEJ"}) {
    SCOPED_TRACE(code);
    TestDir dir;
    std::filesystem::path rom = CopyOfRom(dir, code);
    const std::string name = rom.filename().string();
    const std::string original = dir.Read(name);
    Open(rom, kMonsterTab);
    const size_t table = size_t(Setting(code, "Monster_Evol_Data_Pos"));
    auto slot_at = [&](int species, int slot) {
      return table + size_t(species) * L::kEvolutionRecord + size_t(slot) * L::kEvolutionSize;
    };
    auto enabled = [&](int id) { return IsWindowEnabled(Control(id)) != FALSE; };

    Select(IDC_MONSTER_LIST, 47);
    SelectTab(IDC_EVOLUTION_TABS, 1);
    EXPECT_EQ(U8(original, slot_at(47, 1) + L::kEvolutionMethod), 0x20);
    EXPECT_EQ(ComboSelection(IDC_EVOLUTION_METHOD), -1);
    EXPECT_FALSE(enabled(IDC_EVOLUTION_LEVEL) || enabled(IDC_EVOLUTION_ITEM) || enabled(IDC_EVOLUTION_TARGET));

    Select(IDC_MONSTER_LIST, 10);
    EXPECT_EQ(TabSelection(IDC_EVOLUTION_TABS), 0) << "a species is shown from its first slot";
    const size_t at0 = slot_at(10, 0), at1 = slot_at(10, 1);
    EXPECT_EQ(ComboSelection(IDC_EVOLUTION_METHOD), 4);
    const uint16_t level = uint16_t(U8(original, at0 + L::kEvolutionParameter) |
                                    U8(original, at0 + L::kEvolutionParameter + 1) << 8);
    EXPECT_EQ(Text(IDC_EVOLUTION_LEVEL), std::to_string(level));
    EXPECT_TRUE(enabled(IDC_EVOLUTION_LEVEL) && !enabled(IDC_EVOLUTION_ITEM) && enabled(IDC_EVOLUTION_TARGET));
    SelectTab(IDC_EVOLUTION_TABS, 1);
    EXPECT_EQ(ComboSelection(IDC_EVOLUTION_METHOD), 5);
    EXPECT_TRUE(!enabled(IDC_EVOLUTION_LEVEL) && !enabled(IDC_EVOLUTION_ITEM) && enabled(IDC_EVOLUTION_TARGET));

    // Choosing an item method enables the item list at once; the store takes item and target.
    Select(IDC_EVOLUTION_METHOD, 7);
    EXPECT_TRUE(!enabled(IDC_EVOLUTION_LEVEL) && enabled(IDC_EVOLUTION_ITEM));
    Choose(IDC_EVOLUTION_ITEM, 3);
    Choose(IDC_EVOLUTION_TARGET, 0x123);
    Click(IDC_MONSTER_APPLY);
    EXPECT_EQ(TabSelection(IDC_EVOLUTION_TABS), 1);
    EXPECT_EQ(ComboSelection(IDC_EVOLUTION_ITEM), 3);
    if (std::string(code) == "BPRJ") gui_test::SaveScreenshot(hwnd(), "monster_evolution");

    Save();
    const std::string saved = dir.Read(name);
    std::string expected = original;
    expected[at1] = 7;
    expected.replace(at1 + L::kEvolutionParameter, 4, std::string("\x03\x00\x23\x01", 4));
    // The store also writes the species' base stats as the fields show them.
    const size_t stats = size_t(Setting(code, "MonsterBaseStats_Pos")) + 10 * L::kStatsSize;
    expected.replace(stats, L::kStatsSize, saved.substr(stats, L::kStatsSize));
    ExpectRomBytes(saved, expected);
  }
}

}  // namespace
