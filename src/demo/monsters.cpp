// Species names, base stats, evolutions, learnsets, TM/HM bits and the dex.
#include <algorithm>
#include <string>

#include "demo/demo_rom.h"
#include "editors/egg_moves/egg_moves_layout.h"
#include "editors/monster/monster_layout.h"

namespace demo {

namespace {

// Short descriptions the dex entries draw from (two lines each).
constexpr const char* kDexLines[] = {
    "もりの おくで くらしている。", "あさひを あびると げんきになる。",
    "みずべで よく みかける。",     "よるに なると ひかりだす。",
    "とても おとなしい せいかく。", "なかまと むれで くらす。",
    "つよい かぜでも へいき。",     "いわを かじって たべる。",
};

}  // namespace

void CDemoRomWriter::WriteNames() {
  uint32_t names = rom_.Place("species names", kSpecies * 6);
  for (int s = 0; s < kSpecies; ++s) {
    // Every seventh name uses all five characters, so its terminator sits in byte 5.
    int length = s % 7 == 0 ? 5 : rng_.Range(1, 5);
    std::vector<uint8_t> name = RandomName(length, 6);
    if (s == 0) name = {0xAE, 0xFF, 0, 0, 0, 0};
    rom_.PutBytes(names + uint32_t(s) * 6, name);
  }
  Key("Name_Start_Pos", names);
}

void CDemoRomWriter::WriteMonsters() {
  namespace M = monster_layout;
  uint32_t stats = rom_.Place("base stats", kSpecies * M::kStatsSize);
  for (int s = 0; s < kSpecies; ++s) {
    uint32_t at = stats + uint32_t(s * M::kStatsSize);
    for (size_t i = 0; i < M::kBaseStatCount; ++i) rom_.Put8(at + M::kHp + i, uint8_t(rng_.Range(20, 160)));
    static constexpr int kTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17};
    rom_.Put8(at + M::kType1, uint8_t(kTypes[rng_.Below(17)]));
    rom_.Put8(at + M::kType2, uint8_t(kTypes[rng_.Below(17)]));
    rom_.Put8(at + M::kCatchRate, uint8_t(rng_.Range(3, 255)));
    rom_.Put8(at + M::kExpYield, uint8_t(rng_.Range(40, 250)));
    rom_.Put16(at + M::kEffort, uint16_t(rng_.Below(0x1000)));  // six 2-bit effort values
    rom_.Put16(at + M::kItemCommon, uint16_t(rng_.Percent(30) ? RandomItem() : 0));
    rom_.Put16(at + M::kItemRare, uint16_t(rng_.Percent(15) ? RandomItem() : 0));
    static constexpr uint8_t kGenders[] = {0, 31, 63, 127, 191, 254, 255};
    rom_.Put8(at + M::kGender, kGenders[rng_.Below(7)]);
    rom_.Put8(at + M::kEggSteps, uint8_t(rng_.Range(5, 40)));
    rom_.Put8(at + M::kFriendship, uint8_t(rng_.Percent(80) ? 70 : rng_.Below(256)));
    rom_.Put8(at + M::kGrowth, uint8_t(rng_.Below(6)));
    rom_.Put8(at + M::kEggGroup1, uint8_t(rng_.Below(16)));
    rom_.Put8(at + M::kEggGroup2, uint8_t(rng_.Below(16)));
    rom_.Put8(at + M::kAbility1, uint8_t(rng_.Range(1, kAbilities - 1)));
    rom_.Put8(at + M::kAbility2, uint8_t(rng_.Percent(50) ? rng_.Range(1, kAbilities - 1) : 0));
    // Only the FireRed/LeafGreen editors show the flee rate.
    rom_.Put8(at + M::kFleeRate, uint8_t(IsFireRed() ? rng_.Range(0, 150) : 0));
    for (size_t i = M::kStatsPadding; i < M::kStatsSize; ++i) rom_.Put8(at + i, rng_.Byte());
  }
  Key("MonsterBaseStats_Pos", stats);

  // Evolutions: 5 slots of 8 bytes per species; every method 0-15 appears, and one slot holds
  // a method the games do not know.
  uint32_t evolutions = rom_.Place("evolutions", kSpecies * M::kEvolutionRecord);
  for (int s = 0; s < kSpecies; ++s) {
    int slots = s < 48 ? 2 : rng_.Percent(40) ? 1 : 0;
    for (int slot = 0; slot < slots; ++slot) {
      uint32_t at = evolutions + uint32_t(s * M::kEvolutionRecord + slot * M::kEvolutionSize);
      int method = s < 48 ? (s * 2 + slot) % 16 : rng_.Range(1, 15);
      if (s == 47 && slot == 1) method = 0x20;
      uint16_t parameter = 0;
      if (method == 4 || (method >= 8 && method <= 14)) parameter = uint16_t(rng_.Range(5, 60));
      if (method == 6 || method == 7 || method == 15) parameter = uint16_t(RandomItem());
      rom_.Put8(at + M::kEvolutionMethod, uint8_t(method));
      rom_.Put8(at + 1, rng_.Byte());
      rom_.Put16(at + M::kEvolutionParameter, parameter);
      rom_.Put16(at + M::kEvolutionTarget, uint16_t(method == 0 ? 0 : RandomSpecies()));
      rom_.Put16(at + 6, uint16_t(rng_.Below(0x10000)));
    }
  }
  Key("Monster_Evol_Data_Pos", evolutions);

  // Learnsets behind 412 pointers; species 1 has more entries than the editor reads.
  std::vector<uint32_t> learnsets(kSpecies);
  for (int s = 0; s < kSpecies; ++s) {
    int count = s == 1 ? 210 : rng_.Range(1, 20);
    std::vector<uint8_t> list;
    int level = 1;
    for (int i = 0; i < count; ++i) {
      level = std::min(100, level + (s == 1 ? int(i % 3 == 0) : rng_.Range(0, 6)));
      uint16_t entry = M::LearnsetEntry(level, RandomMove());
      list.push_back(uint8_t(entry));
      list.push_back(uint8_t(entry >> 8));
    }
    list.push_back(uint8_t(M::kLearnsetEnd));
    list.push_back(uint8_t(M::kLearnsetEnd >> 8));
    learnsets[size_t(s)] = rom_.PlaceBytes("learnset " + std::to_string(s), list, 2);
  }
  uint32_t pointers = rom_.Place("learnset pointers", M::kLearnsetTableSize);
  for (int s = 0; s < kSpecies; ++s)
    rom_.PutPointer(pointers + uint32_t(s * M::kLearnsetPointerSize), learnsets[size_t(s)]);
  Key("Level_Skill", pointers);

  constexpr uint32_t kMachineSize = monster_layout::kMachineSize;
  uint32_t machines = rom_.Place("TM/HM bits", kSpecies * kMachineSize);
  for (int s = 0; s < kSpecies; ++s) {
    uint64_t bits = s == 0 ? 0 : rng_.Next() & monster_layout::kMachineMask;
    for (uint32_t i = 0; i < kMachineSize; ++i)
      rom_.Put8(machines + uint32_t(s) * kMachineSize + i, uint8_t(bits >> (8 * i)));
  }
  Key("Skill_Machine", machines);

  // Dex: 387 records with description texts.
  std::vector<uint32_t> descriptions(kDexEntries);
  for (int d = 0; d < kDexEntries; ++d) {
    std::string text = kDexLines[rng_.Below(8)];
    text += "\r\n";
    text += kDexLines[rng_.Below(8)];
    descriptions[size_t(d)] = PlaceText("dex text " + std::to_string(d), text);
  }
  uint32_t dex = rom_.Place("dex records", kDexEntries * M::kDexSize);
  for (int d = 0; d < kDexEntries; ++d) {
    uint32_t at = dex + uint32_t(d * M::kDexSize);
    for (size_t i = 0; i < M::kDexSize; ++i) rom_.Put8(at + i, rng_.Byte());
    rom_.PutBytes(at + M::kDexName, RandomName(rng_.Range(2, 5), M::kDexNameSize, 0xFF));
    rom_.Put16(at + M::kDexHeight, uint16_t(rng_.Range(1, 200)));
    rom_.Put16(at + M::kDexWeight, uint16_t(rng_.Range(1, 9999)));
    rom_.PutPointer(at + M::kDexDescription, descriptions[size_t(d)]);
  }
  Key("MonsterDexData", dex);
}

void CDemoRomWriter::WriteEggMoves() {
  std::vector<uint16_t> words;
  for (int s = 1; s < kSpecies; s += rng_.Range(2, 6)) {
    words.push_back(egg_moves_layout::Marker(s));
    int moves = rng_.Range(1, 8);
    for (int i = 0; i < moves; ++i) words.push_back(uint16_t(RandomMove()));
  }
  words.push_back(egg_moves_layout::kEnd);
  constexpr uint32_t kWord = egg_moves_layout::kWordSize;
  uint32_t at = rom_.Place("egg moves", uint32_t(words.size()) * kWord, kWord);
  for (size_t i = 0; i < words.size(); ++i) rom_.Put16(at + uint32_t(i) * kWord, words[i]);
  Key("MonsterEggData", at);
  Key("MonsterEggDataNum", long(words.size()));
}

}  // namespace demo
