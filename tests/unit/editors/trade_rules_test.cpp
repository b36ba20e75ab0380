// The in-game trade page's rules: what the personality value means and how the page steers
// it, the stored fields at their bounds, the names.
#include "editors/trades/trade_rules.h"

#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/trades/trade_layout.h"
#include "unit/editors/rules_on_rom.h"

namespace {

namespace L = trade_layout;

TEST(TradeFormulas, NatureGenderShinyAndTheirSteering) {
  struct Case {
    uint32_t personality, id;
    int nature;
    uint32_t gender;
    bool shiny;
  };
  for (Case c : {Case{0x12345678, 0x0000, 21, 120, false}, Case{0x00000578, 0x0578, 0, 120, true},
                 Case{0x00000578, 0xFA87, 0, 120, false}, Case{0x12345678, 0x444C ^ 7, 21, 120, true},
                 Case{0x12345678, 0x444C ^ 8, 21, 120, false}}) {
    EXPECT_EQ(Nature(c.personality), c.nature) << std::hex << c.personality;
    EXPECT_EQ(GenderValue(c.personality), c.gender);
    EXPECT_EQ(IsShiny(c.personality, c.id), c.shiny) << std::hex << c.personality << " " << c.id;
  }
  EXPECT_STREQ(kNatureNames[21], "おとなしい");
  EXPECT_EQ(PersonalityForNature(0x12345678, 0), 0x00000578u) << "1400: the first of 120, 376, 632, ...";
  EXPECT_EQ(TrainerIdForShiny(0x00000578, true), 0x0578u);
  EXPECT_EQ(TrainerIdForShiny(0x00000578, false), 0xFA87u);
  for (uint32_t low : {0u, 0x78u, 0xFFu})
    for (int nature = 0; nature < 25; ++nature) {
      uint32_t value = PersonalityForNature(0xABCDEF00u | low, nature);
      EXPECT_EQ(Nature(value), nature);
      EXPECT_EQ(GenderValue(value), low);
      EXPECT_LT(value, 6400u);
      EXPECT_TRUE(IsShiny(value, TrainerIdForShiny(value, true)));
      EXPECT_FALSE(IsShiny(value, TrainerIdForShiny(value, false)));
    }
}

constexpr size_t kTableAt = 64;

class TradeRules : public RulesOnRom<CTradeRules> {
 protected:
  void SetUp() override {
    RulesOnRom::SetUp();
    text::SharedTables().items.Reset(20);
    text::SharedTables().items.set_loaded(true);
    // Trade 1: personality 0x12345678, ID 0, species 7 given and 412 asked, item 3.
    std::string bytes(512, '\x5A');
    uint8_t* t = reinterpret_cast<uint8_t*>(bytes.data()) + kTableAt + L::kSize;
    rom::Put32(t + L::kPersonality, 0x12345678);
    rom::Put16(t + L::kTrainerId, 0);
    rom::Put16(t + L::kSpeciesGiven, 7);
    rom::Put16(t + L::kSpeciesAsked, 412);
    rom::Put16(t + L::kItem, 3);
    Setup(bytes, "Communication_Change=64\r\nCommunication_ChangeNum=3\r\n");
    EXPECT_TRUE(Read());
    rules.Select(1);
  }
  std::string Record(int index) { return File().substr(kTableAt + size_t(index) * L::kSize, L::kSize); }
};

TEST_F(TradeRules, ApplyStoresTheSteeredValuesAndEveryFieldWithinItsBounds) {
  auto view = rules.Show();
  EXPECT_EQ(view->personality, "0x12345678");
  EXPECT_EQ(view->species_asked, -1) << "412 is no species";
  rules.ChooseNature(0);
  rules.SetShiny(true);
  struct Typed {
    const char* text;
    std::optional<std::string> replaced;
    uint32_t gender;
  };
  for (Typed t : {Typed{"300", "255", 120}, Typed{"-1", "0", 120}, Typed{"255", {}, 255}}) {
    EXPECT_EQ(rules.TypeGender(t.text), t.replaced) << t.text;
    EXPECT_EQ(GenderValue(rules.working_personality()), t.gender) << t.text;
  }
  EXPECT_EQ(rules.Show()->trainer_id, "0x0578");
  struct Case {
    TradeInput input;
    const char* status;
    std::string ivs;
    uint16_t given, asked, item;
    uint8_t ability;
  };
  const Case cases[] = {
      {{411, 0, 19, {"31", "0", "1", "30", "31", "0"}, false}, kStatusDone, std::string("\x1F\0\x01\x1E\x1F\0", 6), 411, 0, 19, 0},
      // No valid selection keeps the value; typed values are clamped into 0-31.
      {{-1, 412, 20, {"32", "40", "", "-1", "x", "5"}, true}, kStatusReplaced, std::string("\x1F\x1F\0\0\0\x05", 6), 411, 0, 19, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rules.Apply(c.input), c.status);
    std::string record = Save().substr(kTableAt + L::kSize, L::kSize);
    const uint8_t* r = reinterpret_cast<const uint8_t*>(record.data());
    EXPECT_EQ(record.substr(L::kIvs, 6), c.ivs);
    EXPECT_EQ(rom::Get16(r + L::kSpeciesGiven), c.given);
    EXPECT_EQ(rom::Get16(r + L::kSpeciesAsked), c.asked);
    EXPECT_EQ(rom::Get16(r + L::kItem), c.item);
    EXPECT_EQ(r[L::kAbility], c.ability);
    EXPECT_EQ(rom::Get32(r + L::kPersonality), 0x5FFu);
    EXPECT_EQ(rom::Get16(r + L::kTrainerId), 0x578u);
    for (size_t i : {6u, 11u, 21u, 23u, 26u, 35u, 42u, 49u, 55u, 58u, 59u})
      EXPECT_EQ(record[i], rom[kTableAt + L::kSize + i]) << "byte " << i;
  }
  EXPECT_EQ(Record(0), rom.substr(kTableAt, L::kSize));
  // Selecting a trade drops what was not applied.
  rules.ChooseNature(3);
  rules.Select(1);
  EXPECT_EQ(rules.working_personality(), 0x5FFu);
}

TEST_F(TradeRules, NamesAreStoredAsFiveCharactersAndAnEnd) {
  struct Case {
    TradeName which;
    const char* typed;
    std::string status;
    std::string field;
  };
  for (const Case& c : {Case{TradeName::kPartner, "ABCDEFG", "", "\xBB\xBC\xBD\xBE\xBF\xFF"},
                        Case{TradeName::kNickname, "AB", "", std::string("\xBB\xBC\xFF\0\0\xFF", 6)},
                        Case{TradeName::kNickname, "", "名前を入力してください。", ""}}) {
    bool stored = true;
    EXPECT_EQ(rules.StoreName(c.which, c.typed, stored), c.status) << c.typed;
    EXPECT_EQ(stored, !c.field.empty());
    size_t at = c.which == TradeName::kPartner ? L::kPartner : L::kNickname;
    if (stored) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(rules.record(1)) + at, 6), c.field);
    }
  }
  EXPECT_EQ(rules.Line(1), "ABCDE");
}

}  // namespace
