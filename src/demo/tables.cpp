// Moves, move names, items, the type chart, trades, trainer classes and starters.
#include <string>

#include "demo/demo_rom.h"
#include "editors/extras/extras_layout.h"
#include "editors/item/item_layout.h"
#include "editors/move/move_layout.h"
#include "editors/trades/trade_layout.h"
#include "editors/type_chart/type_chart_layout.h"
#include "text/name_tables.h"

namespace demo {

namespace {

enum class Pocket { kItem, kKeyItem, kBall, kMachine, kBerry };

// Item numbers laid out as the games do: balls first, machines and berries in blocks, key
// items at the end.
Pocket PocketOf(int item, int count) {
  if (item >= 1 && item <= 12) return Pocket::kBall;
  if (item >= 133 && item <= 175) return Pocket::kBerry;
  if (item >= 289 && item <= 346) return Pocket::kMachine;
  if (item >= count - 28) return Pocket::kKeyItem;
  return Pocket::kItem;
}

// The 1-based pocket value in the pocket order of the game.
int PocketValue(Pocket pocket, bool fire_red) {
  if (fire_red) {
    constexpr int kFireRed[] = {1, 2, 3, 4, 5};  // item, key, ball, machine, berry
    return kFireRed[int(pocket)];
  }
  constexpr int kOthers[] = {1, 5, 2, 3, 4};  // item, ball, machine, berry, key
  return kOthers[int(pocket)];
}

constexpr const char* kItemTexts[] = {
    "たいりょくを すこし かいふくする。", "バンタリを つかまえる ボール。",
    "わざを ひとつ おぼえさせる。",       "もたせると ときどき かいふくする。",
    "たいせつな もの。",
};

}  // namespace

void CDemoRomWriter::WriteMovesAndItems() {
  namespace move = move_layout;
  uint32_t moves = rom_.Place("moves", kMoves * move::kSize);
  for (int m = 0; m < kMoves; ++m) {
    uint32_t at = moves + uint32_t(m) * move::kSize;
    bool status = rng_.Percent(30);
    rom_.Put8(at + move::kEffect, uint8_t(m == 0 ? 0 : rng_.Below(kEffects)));
    rom_.Put8(at + move::kPower, uint8_t(status || m == 0 ? 0 : rng_.Range(10, 150)));
    int type = rng_.Range(0, 16);
    rom_.Put8(at + move::kType, uint8_t(type >= 9 ? type + 1 : type));
    rom_.Put8(at + move::kAccuracy, uint8_t(rng_.Percent(20) ? 0 : rng_.Range(50, 100)));
    rom_.Put8(at + move::kPP, uint8_t(rng_.Range(1, 8) * 5));
    rom_.Put8(at + move::kChance, uint8_t(rng_.Percent(60) ? 0 : rng_.Range(10, 100)));
    for (size_t i = 0; i < move::kUnknownCount; ++i)
      rom_.Put8(at + uint32_t(move::kUnknown + i), uint8_t(rng_.Below(i == 0 ? 9 : 256)));
  }
  Key("AttackTable", moves);
  Key("AttackNum", kMoves);

  namespace extras = extras_layout;
  uint32_t move_names = rom_.Place("move names", kMoves * extras::kMoveNameSize);
  for (int m = 0; m < kMoves; ++m) {
    // Some names use all seven characters, whose terminator is byte 7.
    int length = m % 11 == 0 ? 7 : rng_.Range(2, 7);
    rom_.PutBytes(move_names + uint32_t(m) * extras::kMoveNameSize, RandomName(length, extras::kMoveNameSize));
  }
  Key("AttackName", move_names);

  std::vector<uint32_t> item_texts;
  for (int i = 0; i < 5; ++i) item_texts.push_back(PlaceText("item text " + std::to_string(i), kItemTexts[i]));
  namespace item = item_layout;
  uint32_t items = rom_.Place("items", uint32_t(game_.item_count) * item::kSize);
  for (int i = 0; i < game_.item_count; ++i) {
    uint32_t at = items + uint32_t(i) * item::kSize;
    for (uint32_t b = 0; b < item::kSize; ++b) rom_.Put8(at + b, rng_.Byte());
    // Names of up to 8 characters; every ninth uses all 8.
    rom_.PutBytes(at + item::kName, RandomName(i % 9 == 0 ? 8 : rng_.Range(2, 8), 9));
    Pocket pocket = PocketOf(i, game_.item_count);
    rom_.Put16(at + item::kPrice, uint16_t(i == 0 ? 0 : rng_.Range(1, 650) * 100 % 65536));
    rom_.Put8(at + item::kParameter, uint8_t(rng_.Below(256)));
    rom_.PutPointer(at + item::kDescription, item_texts[size_t(int(pocket))]);
    rom_.Put8(at + item::kPocket, uint8_t(i == 0 ? 0 : PocketValue(pocket, IsFireRed())));
    rom_.Put8(at + item::kBattleUse, uint8_t(pocket == Pocket::kBall ? 2 : pocket == Pocket::kItem ? 1 : 0));
  }
  Key("Item_Data", items);
  Key("Item_DataNum", game_.item_count);
}

void CDemoRomWriter::WriteTypeChartAndTrades() {
  namespace chart = type_chart_layout;
  namespace trade = trade_layout;
  // The chart: entries of attacker, defender, multiplier; FE FE; two more entries; FF FF.
  std::vector<uint8_t> chart_bytes;
  for (int i = 0; i < 111; ++i) {
    int attacker = rng_.Range(0, 16), defender = rng_.Range(0, 16);
    chart_bytes.push_back(uint8_t(attacker >= 9 ? attacker + 1 : attacker));
    chart_bytes.push_back(uint8_t(defender >= 9 ? defender + 1 : defender));
    chart_bytes.push_back(chart::kMultipliers[size_t(i) % chart::kMultipliers.size()]);
  }
  for (uint8_t b : {chart::kEndByte, chart::kEndByte, uint8_t(0x00), uint8_t(0x07), uint8_t(0x00), uint8_t(0x01),
                    uint8_t(0x07), uint8_t(0x00), uint8_t(0xFF), uint8_t(0xFF)})
    chart_bytes.push_back(b);
  uint32_t entries = rom_.PlaceBytes("type chart", chart_bytes, 4);
  uint32_t pointer = rom_.Place("type chart pointer", chart::kPointerSize);
  rom_.PutPointer(pointer, entries);
  Key("Compatibility", pointer);

  std::vector<uint8_t> trades(size_t(game_.trade_count) * trade::kSize);
  for (int t = 0; t < game_.trade_count; ++t) {
    uint8_t* r = trades.data() + size_t(t) * trade::kSize;
    for (size_t i = 0; i < trade::kSize; ++i) r[i] = rng_.Byte();
    std::vector<uint8_t> nickname = RandomName(rng_.Range(2, 5), trade::kNameSize, 0x00);
    nickname[trade::kNameSize - 1] = 0xFF;
    std::copy(nickname.begin(), nickname.end(), r + trade::kNickname);
    rom::Put16(r + trade::kSpeciesGiven, uint16_t(RandomSpecies()));
    for (size_t i = 0; i < trade::kIvCount; ++i) r[trade::kIvs + i] = uint8_t(rng_.Below(trade::kIvMax + 1));
    r[trade::kAbility] = uint8_t(t % 2);
    uint32_t id = rng_.Below(0x10000);
    rom::Put16(r + trade::kTrainerId, uint16_t(id));
    uint32_t personality = uint32_t(rng_.Next());
    // The first trade is shiny: (low half ^ high half ^ id) < 8.
    if (t == 0) personality = (personality & 0xFFFF0000u) | ((personality >> 16) ^ id ^ 3);
    rom::Put32(r + trade::kPersonality, personality);
    rom::Put16(r + trade::kItem, uint16_t(RandomItem()));
    std::vector<uint8_t> partner = RandomName(rng_.Range(2, 5), trade::kNameSize, 0x00);
    partner[trade::kNameSize - 1] = 0xFF;
    std::copy(partner.begin(), partner.end(), r + trade::kPartner);
    rom::Put16(r + trade::kSpeciesAsked, uint16_t(RandomSpecies()));
  }
  uint32_t table = rom_.PlaceBytes("trades", trades, 4);
  Key("Communication_Change", table);
  Key("Communication_ChangeNum", game_.trade_count);
}

void CDemoRomWriter::WriteExtras() {
  namespace extras = extras_layout;
  uint32_t classes = rom_.Place("trainer classes", uint32_t(game_.class_count) * extras::kClassSize);
  for (int c = 0; c < game_.class_count; ++c) {
    std::vector<uint8_t> record = RandomName(c % 10 == 0 ? 9 : rng_.Range(2, 9), extras::kClassNameBytes, 0x00);
    record.push_back(rng_.Byte());
    rom_.PutBytes(classes + uint32_t(c) * extras::kClassSize, record);
  }
  Key("TrainerClasses", classes);
  Key("TrainerClassesNum", game_.class_count);

  // Starters: one 16-bit species at each of six separate places, as in game code.
  for (int i = 0; i < 6; ++i) {
    const char* key = i < 3 ? extras::kPlayerStarterKeys[size_t(i)] : extras::kRivalStarterKeys[size_t(i - 3)];
    uint32_t at = rom_.Place(std::string("starter ") + key, extras::kStarterSize, 2);
    rom_.Put16(at, uint16_t(1 + 3 * (i % 3)));
    rom_.Skip(uint32_t(2 + 4 * i));
    Key(key, at);
  }
}

}  // namespace demo
