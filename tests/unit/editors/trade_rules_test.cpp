// The in-game trade page's rules: the personality value's meaning and how the page steers it,
// the stored fields at their bounds, the names.
#include "editors/trades/trade_rules.h"

#include <gtest/gtest.h>

#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/trades/trade_layout.h"
#include "unit/editors/rules_on_rom.h"

namespace {

namespace L = trade_layout;

TEST(TradeFormulas, NatureGenderAndShiny) {
  struct Case {
    uint32_t personality;
    uint32_t id;
    int nature;
    uint32_t gender;
    bool shiny;
  };
  const Case cases[] = {
      {0x12345678, 0x0000, 21, 120, false},
      {0x00000578, 0x0578, 0, 120, true},
      {0x00000578, 0xFA87, 0, 120, false},
      {0x12345678, 0x444C ^ 7, 21, 120, true},  // 0x5678 ^ 0x1234 = 0x444C: the last shiny value
      {0x12345678, 0x444C ^ 8, 21, 120, false},
      {0xFFFFFFFF, 0x0000, 0xFFFFFFFFu % 25, 255, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Nature(c.personality), c.nature) << std::hex << c.personality;
    EXPECT_EQ(GenderValue(c.personality), c.gender) << std::hex << c.personality;
    EXPECT_EQ(IsShiny(c.personality, c.id), c.shiny) << std::hex << c.personality << " " << c.id;
  }
  EXPECT_STREQ(kNatureNames[21], "おとなしい");
  EXPECT_STREQ(kNatureNames[1], "さみしがり ");
}

TEST(TradeFormulas, ChoosingANatureKeepsTheGenderValue) {
  EXPECT_EQ(PersonalityForNature(0x12345678, 0), 0x00000578u) << "1400: the first of 120, 376, 632, ...";
  for (uint32_t low : {0u, 0x78u, 0xFFu})
    for (int nature = 0; nature < 25; ++nature) {
      uint32_t value = PersonalityForNature(0xABCDEF00u | low, nature);
      EXPECT_EQ(Nature(value), nature);
      EXPECT_EQ(GenderValue(value), low);
      EXPECT_LT(value, 6400u);
    }
  EXPECT_EQ(PersonalityForNature(0x12345678, 25), 0x12345678u) << "no such nature: unchanged";
  EXPECT_EQ(TrainerIdForShiny(0x00000578, true), 0x0578u);
  EXPECT_EQ(TrainerIdForShiny(0x00000578, false), 0xFA87u);
  for (uint32_t personality : {0x12345678u, 0xFFFF0000u, 0u}) {
    EXPECT_TRUE(IsShiny(personality, TrainerIdForShiny(personality, true)));
    EXPECT_FALSE(IsShiny(personality, TrainerIdForShiny(personality, false)));
  }
}

constexpr size_t kTableAt = 64;

class TradeRules : public RulesOnRom<CTradeRules> {
 protected:
  void SetUp() override {
    RulesOnRom::SetUp();
    text::SharedTables().items.Reset(20);
    text::SharedTables().items.set_loaded(true);
    std::string bytes(512, '\x5A');
    // Trade 1: partner "AB", personality 0x12345678, ID 0x0000, species 7 and 8, item 3.
    uint8_t* t = reinterpret_cast<uint8_t*>(bytes.data()) + kTableAt + L::kSize;
    std::copy_n("\xBB\xBC\xFF\x00\x00\xFF", 6, t + L::kPartner);
    rom::Put32(t + L::kPersonality, 0x12345678);
    rom::Put16(t + L::kTrainerId, 0);
    rom::Put16(t + L::kSpeciesGiven, 7);
    rom::Put16(t + L::kSpeciesAsked, 412);
    rom::Put16(t + L::kItem, 3);
    t[L::kAbility] = 1;
    Setup(bytes, "Communication_Change=64\r\nCommunication_ChangeNum=3\r\n");
    EXPECT_TRUE(Read());
    rules.Select(1);
  }
  std::string Record(int index) { return File().substr(kTableAt + size_t(index) * L::kSize, L::kSize); }
};

TEST_F(TradeRules, ShowsTheTradeAndSteersItsPersonalityValue) {
  EXPECT_EQ(rules.Line(1), "AB");
  auto view = rules.Show();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->personality, "0x12345678");
  EXPECT_EQ(view->nature, 21);
  EXPECT_EQ(view->gender, "120");
  EXPECT_EQ(view->trainer_id, "0x0000");
  EXPECT_EQ(view->species_given, 7);
  EXPECT_EQ(view->species_asked, -1) << "412 is no species";
  EXPECT_EQ(view->item, 3);
  EXPECT_TRUE(view->second_ability);
  EXPECT_EQ(view->ivs[0], "90");

  rules.ChooseNature(0);
  EXPECT_EQ(rules.Show()->personality, "0x00000578");
  EXPECT_EQ(rules.Show()->gender, "120");
  rules.SetShiny(true);
  EXPECT_EQ(rules.Show()->trainer_id, "0x0578");
  EXPECT_TRUE(rules.Show()->shiny);
  rules.SetShiny(false);
  EXPECT_EQ(rules.Show()->trainer_id, "0xFA87");

  struct Typed {
    const char* text;
    std::optional<std::string> replaced;
    uint32_t gender;
  };
  for (Typed t : {Typed{"300", "255", 120}, Typed{"255", {}, 255}, Typed{"0", {}, 0}, Typed{"-1", "0", 0},
                  Typed{"17", {}, 17}}) {
    EXPECT_EQ(rules.TypeGender(t.text), t.replaced) << t.text;
    EXPECT_EQ(GenderValue(rules.working_personality()), t.gender) << t.text;
  }
  // Selecting the trade again drops what was not applied.
  rules.Select(1);
  EXPECT_EQ(rules.working_personality(), 0x12345678u);
  EXPECT_TRUE(Save() == rom);
}

TEST_F(TradeRules, ApplyStoresEveryFieldWithinItsBounds) {
  rules.ChooseNature(0);
  rules.SetShiny(true);
  struct Case {
    TradeInput input;
    const char* status;
    std::string ivs;
    uint16_t given, asked, item;
    uint8_t ability;
  };
  const Case cases[] = {
      {{411, 0, 19, {"31", "0", "1", "30", "31", "0"}, false}, kStatusDone, std::string("\x1F\x00\x01\x1E\x1F\x00", 6), 411, 0, 19, 0},
      {{-1, 412, 20, {"32", "40", "", "-1", "x", "5"}, true}, kStatusReplaced, std::string("\x1F\x1F\x00\x00\x00\x05", 6), 411, 0, 19, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rules.Apply(c.input), c.status);
    std::string record = Save().substr(kTableAt + L::kSize, L::kSize);
    const uint8_t* r = reinterpret_cast<const uint8_t*>(record.data());
    EXPECT_EQ(record.substr(L::kIvs, 6), c.ivs);
    EXPECT_EQ(rom::Get16(r + L::kSpeciesGiven), c.given) << "no valid selection keeps the value";
    EXPECT_EQ(rom::Get16(r + L::kSpeciesAsked), c.asked);
    EXPECT_EQ(rom::Get16(r + L::kItem), c.item);
    EXPECT_EQ(r[L::kAbility], c.ability);
    EXPECT_EQ(rom::Get32(r + L::kPersonality), 0x578u);
    EXPECT_EQ(rom::Get16(r + L::kTrainerId), 0x578u);
    std::string untouched = rom.substr(kTableAt + L::kSize, L::kSize);
    for (size_t i : {6u, 11u, 21u, 23u, 26u, 35u, 42u, 49u, 55u, 58u, 59u})
      EXPECT_EQ(record[i], untouched[i]) << "byte " << i;
  }
  EXPECT_EQ(Record(0), rom.substr(kTableAt, L::kSize));
  EXPECT_EQ(Record(2), rom.substr(kTableAt + 2 * L::kSize, L::kSize));
}

TEST_F(TradeRules, NamesAreStoredAsFiveCharactersAndAnEnd) {
  struct Case {
    TradeName which;
    const char* typed;
    std::string status;
    std::string field;
  };
  const Case cases[] = {
      {TradeName::kPartner, "ABCDEFG", "", "\xBB\xBC\xBD\xBE\xBF\xFF"},
      {TradeName::kNickname, "AB", "", std::string("\xBB\xBC\xFF\x00\x00\xFF", 6)},
      {TradeName::kNickname, "", "名前を入力してください。", ""},
  };
  for (const Case& c : cases) {
    bool stored = true;
    EXPECT_EQ(rules.StoreName(c.which, c.typed, stored), c.status) << c.typed;
    EXPECT_EQ(stored, !c.field.empty());
    if (!stored) continue;
    size_t at = c.which == TradeName::kPartner ? L::kPartner : L::kNickname;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(rules.record(1)) + at, 6), c.field);
  }
  EXPECT_EQ(rules.Line(1), "ABCDE");
}

TEST_F(TradeRules, NoTradesWithoutBothKeysOrBeyondTheFile) {
  for (std::string ini : {std::string("Communication_Change=64\r\n"), std::string("Communication_ChangeNum=3\r\n"),
                          std::string("Communication_Change=64\r\nCommunication_ChangeNum=0\r\n")}) {
    Setup(std::string(512, '\x01'), ini);
    EXPECT_TRUE(Read()) << ini;
    EXPECT_FALSE(rules.loaded());
    EXPECT_FALSE(rules.Apply({}));
    EXPECT_TRUE(Save() == rom);
  }
  Setup(std::string(512, '\x01'), "Communication_Change=500\r\nCommunication_ChangeNum=1\r\n");
  std::string error;
  EXPECT_FALSE(Read(&error));
  EXPECT_EQ(error, kTableOutsideRomText);
  EXPECT_FALSE(rules.loaded());
  EXPECT_TRUE(Save() == rom);
}

}  // namespace
