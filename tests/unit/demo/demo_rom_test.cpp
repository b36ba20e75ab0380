// The demo ROMs: deterministic, internally consistent, and shaped so that every editor branch
// has data to work on.
#include "demo/demo_rom.h"
#include "demo/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "graphics/lz77.h"
#include "text/vantari_text.h"

namespace {

using demo::DemoRom;
using demo::GameSpec;

constexpr uint32_t kSize = demo::kMinimumRomSize;

struct Built {
  const GameSpec* game;
  DemoRom rom;
  std::map<std::string, long> keys;

  uint32_t U8(uint32_t at) const { return rom.bytes.at(at); }
  uint32_t U16(uint32_t at) const { return U8(at) | U8(at + 1) << 8; }
  uint32_t U32(uint32_t at) const { return U16(at) | U16(at + 2) << 16; }
  uint32_t Key(const std::string& key) const { return uint32_t(keys.at(key)); }
  // The ROM offset a pointer at `at` holds; fails the test when it leaves the file.
  uint32_t Pointer(uint32_t at) const {
    uint32_t address = U32(at);
    EXPECT_GE(address, demo::kGbaBase) << "pointer at " << at;
    EXPECT_LT(address - demo::kGbaBase, rom.bytes.size()) << "pointer at " << at;
    return std::min<uint32_t>(address - demo::kGbaBase, uint32_t(rom.bytes.size() - 1));
  }
};

// Each ROM is built once per test process, and only when a test asks for it (4 MiB holds
// every table).
const Built& Rom(const char* code) {
  static std::map<std::string, Built> built;
  auto found = built.find(code);
  if (found != built.end()) return found->second;
  const GameSpec& game = *demo::FindGame(code);
  Built b{&game, demo::BuildDemoRom(game, kSize, 1), {}};
  for (const auto& [key, value] : b.rom.keys) b.keys[key] = value;
  return built.emplace(code, std::move(b)).first->second;
}

std::vector<const Built*> AllRoms() {
  std::vector<const Built*> roms;
  for (const GameSpec& game : demo::kGames) roms.push_back(&Rom(game.code));
  return roms;
}

TEST(DemoRom, SameSeedSameBytesOtherSeedOtherBytes) {
  const GameSpec& game = *demo::FindGame("BPEJ");
  DemoRom again = demo::BuildDemoRom(game, kSize, 1);
  EXPECT_TRUE(again.bytes == Rom("BPEJ").rom.bytes);
  EXPECT_EQ(again.keys, Rom("BPEJ").rom.keys);
  DemoRom other = demo::BuildDemoRom(game, kSize, 2);
  EXPECT_FALSE(other.bytes == again.bytes);
}

TEST(DemoRom, HeaderCarriesTheGameCodeAndAValidChecksum) {
  for (const Built* rom : AllRoms()) {
    const Built& b = *rom;
    EXPECT_EQ(b.rom.bytes.size(), kSize);
    EXPECT_EQ(std::string(b.rom.bytes.begin() + 0xAC, b.rom.bytes.begin() + 0xB0), b.game->code);
    uint8_t sum = 0;
    for (uint32_t i = 0xA0; i <= 0xBC; ++i) sum = uint8_t(sum - b.rom.bytes[i]);
    EXPECT_EQ(uint8_t(sum - 0x19), b.rom.bytes[0xBD]) << b.game->code;
  }
}

TEST(DemoRom, BlocksNeverOverlapAndFreeSpaceIsAllFF) {
  for (const Built* rom : AllRoms()) {
    const Built& b = *rom;
    std::vector<demo::Block> blocks = b.rom.blocks;
    std::sort(blocks.begin(), blocks.end(),
              [](const demo::Block& x, const demo::Block& y) { return x.offset < y.offset; });
    for (size_t i = 1; i < blocks.size(); ++i)
      ASSERT_LE(blocks[i - 1].offset + blocks[i - 1].size, blocks[i].offset)
          << b.game->code << ": " << blocks[i - 1].name << " overlaps " << blocks[i].name;
    for (int n = 1; n <= 3; ++n) {
      std::string key = "domain" + std::to_string(n);
      uint32_t start = b.Key(key), end = b.Key(key + "end");
      ASSERT_LT(start, end);
      EXPECT_TRUE(std::all_of(b.rom.bytes.begin() + start, b.rom.bytes.begin() + end,
                              [](uint8_t v) { return v == 0xFF; }));
    }
  }
}

TEST(DemoRom, EveryPointerLeadsIntoTheFileAndEveryStreamDecodes) {
  for (const Built* rom : AllRoms()) {
    const Built& b = *rom;
    SCOPED_TRACE(b.game->code);
    for (int s = 0; s < demo::kSpecies; ++s) {
      uint32_t list = b.Pointer(b.Key("Level_Skill") + uint32_t(s) * 4);
      int entries = 0;
      while (b.U16(list + uint32_t(entries) * 2) != 0xFFFF) ++entries;
      EXPECT_GE(entries, 1);
    }
    for (int d = 0; d < demo::kDexEntries; ++d) b.Pointer(b.Key("MonsterDexData") + uint32_t(d) * 28 + 12);
    for (long i = 0; i < b.keys.at("Item_DataNum"); ++i) b.Pointer(b.Key("Item_Data") + uint32_t(i) * 40 + 16);
    for (long t = 0; t < b.keys.at("TrainerDataNum"); ++t) b.Pointer(b.Key("TrainerData") + uint32_t(t) * 32 + 28);
    uint32_t chart = b.Pointer(b.Key("Compatibility"));
    EXPECT_EQ(b.U16(chart + 111 * 3), 0xFEFEu);

    struct Table {
      const char* key;
      long count;
      uint32_t sizes[2];  // decoded sizes allowed
    } tables[] = {
        {"MonsterPics", b.keys.at("PicsNum"), {2048, 4096}},
        {"MonsterBackPics", b.keys.at("PicsNum"), {2048, 2048}},
        {"MonsterPal", b.keys.at("PicsNum"), {32, 32}},
        {"MonsterShinyPal", b.keys.at("PicsNum"), {32, 32}},
        {"TrainerPics", b.keys.at("Trainer_Pic_Num") + 1, {2048, 2048}},
        {"TrainerPals", b.keys.at("Trainer_Pic_Num") + 1, {32, 32}},
        {"TrainerBackPals", b.keys.at("TrainerBack_Pal_Num"), {32, 32}},
    };
    for (const Table& table : tables) {
      for (long i = 0; i < table.count; ++i) {
        uint32_t at = b.Pointer(b.Key(table.key) + uint32_t(i) * 8);
        std::span<const uint8_t> stream(b.rom.bytes.data() + at, b.rom.bytes.size() - at);
        uint32_t size = graphics::Lz77DecodedSize(stream);
        ASSERT_TRUE(size == table.sizes[0] || size == table.sizes[1]) << table.key << " " << i;
        std::vector<uint8_t> out(size);
        EXPECT_EQ(graphics::Lz77Decode(stream, out.data(), out.size()).status,
                  graphics::Lz77Decoded::kOk)
            << table.key << " " << i;
      }
    }
    // Raw back-view frames: the editor reads 8192 bytes from each.
    for (long f = 0; f < b.keys.at("TrainerBack_Pic_Num"); ++f)
      EXPECT_LE(b.Pointer(b.Key("TrainerBackPics") + uint32_t(f) * 8) + 8192, kSize);
  }
}

TEST(DemoRom, EveryBranchOfTheEditorsHasData) {
  const Built& b = Rom("BPRJ");
  std::set<uint32_t> methods;
  for (int s = 0; s < demo::kSpecies; ++s)
    for (int slot = 0; slot < 5; ++slot) methods.insert(b.U8(b.Key("Monster_Evol_Data_Pos") + uint32_t(s * 40 + slot * 8)));
  for (uint32_t m = 0; m < 16; ++m) EXPECT_TRUE(methods.count(m)) << "evolution method " << m;
  EXPECT_TRUE(std::any_of(methods.begin(), methods.end(), [](uint32_t m) { return m > 15; }));

  int longest = 0;
  for (int s = 0; s < demo::kSpecies; ++s) {
    uint32_t list = b.Pointer(b.Key("Level_Skill") + uint32_t(s) * 4);
    int entries = 0;
    while (b.U16(list + uint32_t(entries) * 2) != 0xFFFF) ++entries;
    longest = std::max(longest, entries);
  }
  EXPECT_GT(longest, 200);

  std::set<std::pair<uint32_t, uint32_t>> parties;
  for (long t = 0; t < b.keys.at("TrainerDataNum"); ++t)
    parties.insert({b.U8(b.Key("TrainerData") + uint32_t(t) * 32), b.U8(b.Key("TrainerData") + uint32_t(t) * 32 + 24)});
  for (uint32_t type = 0; type < 4; ++type)
    for (uint32_t size = 1; size <= 6; ++size) EXPECT_TRUE(parties.count({type, size})) << type << "/" << size;

  int five_character_names = 0;
  for (int s = 0; s < demo::kSpecies; ++s) five_character_names += b.U8(b.Key("Name_Start_Pos") + uint32_t(s) * 6 + 5) == 0xFF;
  EXPECT_GT(five_character_names, 10);

  // Egg moves: species markers and the terminator inside the counted words.
  uint32_t eggs = b.Key("MonsterEggData");
  EXPECT_GT(b.U16(eggs), 20000u);
  EXPECT_EQ(b.U16(eggs + (b.Key("MonsterEggDataNum") - 1) * 2), 0xFFFFu);
}

TEST(DemoRom, GameDifferencesTheEditorsDependOn) {
  for (const Built* rom : AllRoms()) {
    const Built& b = *rom;
    SCOPED_TRACE(b.game->code);
    bool fire_red = b.game->family == demo::Family::kFireRedLeafGreen;
    bool emerald = b.game->family == demo::Family::kEmerald;
    EXPECT_EQ(b.keys.at("TrainerBack_Pic_Num"), emerald ? 34 : 26);
    // Item 1 is a ball: pocket 3 in FireRed/LeafGreen, pocket 2 elsewhere.
    EXPECT_EQ(b.U8(b.Key("Item_Data") + 40 + 22), fire_red ? 3u : 2u);
    // A key item (the last one): pocket 2 in FireRed/LeafGreen, pocket 5 elsewhere.
    EXPECT_EQ(b.U8(b.Key("Item_Data") + uint32_t(b.keys.at("Item_DataNum") - 1) * 40 + 22), fire_red ? 2u : 5u);
    bool any_flee_rate = false;
    for (int s = 0; s < demo::kSpecies; ++s) any_flee_rate |= b.U8(b.Key("MonsterBaseStats_Pos") + uint32_t(s) * 28 + 24) != 0;
    EXPECT_EQ(any_flee_rate, fire_red);
  }
  EXPECT_NE(Rom("BPRJ").Key("Item_Data"), Rom("BPGJ").Key("Item_Data"));
}

TEST(DemoRom, ScriptsAndTextsAreWhereTheReadMeSays) {
  const Built& b = Rom("BPEJ");
  const demo::Highlights& h = b.rom.highlights;
  ASSERT_EQ(h.scripts.size(), 5u);
  EXPECT_EQ(h.battle_script, h.scripts[0]);
  // lock, faceplayer, then the battle with its trainer and two texts.
  EXPECT_EQ(b.U8(h.battle_script + 2), 0x5Cu);
  EXPECT_EQ(b.U16(h.battle_script + 4), uint32_t(h.battle_trainer));
  EXPECT_EQ(b.Pointer(h.battle_script + 8), h.battle_texts[0]);
  EXPECT_EQ(b.Pointer(h.battle_script + 12), h.battle_texts[1]);
  EXPECT_LT(h.battle_trainer, b.keys.at("TrainerDataNum"));

  std::string shown;
  const uint8_t* text = b.rom.bytes.data() + h.text;
  int length = 0;
  while (text[length] != 0xFF) ++length;
  text::CVantariText().binary2string(text, length, shown);
  EXPECT_NE(shown.find("@\r\n"), std::string::npos);
  EXPECT_NE(shown.find("^\r\n"), std::string::npos);
  EXPECT_NE(shown.find("A;"), std::string::npos);
  EXPECT_NE(shown.find("|>"), std::string::npos);
  EXPECT_GE(h.font + demo::kFontBlockSize, h.font);
  EXPECT_LE(h.font + demo::kFontBlockSize, kSize);
}

}  // namespace
