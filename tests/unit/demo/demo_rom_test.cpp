// The demo ROMs: deterministic, with a valid header, and every pointer and stream inside the file.
// What the editors do with the data is checked by their own tests.
#include "demo/demo_rom.h"
#include "demo/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "graphics/lz77.h"

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

// Each game's ROM: the same bytes and keys again from the same seed, other bytes from another;
// the header's game code and checksum; every pointer inside the file and every stream decodable.
TEST(DemoRom, DeterministicWithHeaderPointersAndStreams) {
  for (const GameSpec& game : demo::kGames) {
    Built b{&game, demo::BuildDemoRom(game, kSize, 1), {}};
    for (const auto& [key, value] : b.rom.keys) b.keys[key] = value;
    SCOPED_TRACE(game.code);
    if (&game == &demo::kGames[0]) {  // one game is enough: the builder is the same for all
      const DemoRom again = demo::BuildDemoRom(game, kSize, 1);
      EXPECT_TRUE(again.bytes == b.rom.bytes);
      EXPECT_EQ(again.keys, b.rom.keys);
      EXPECT_FALSE(demo::BuildDemoRom(game, kSize, 2).bytes == b.rom.bytes);
    }

    EXPECT_EQ(b.rom.bytes.size(), kSize);
    EXPECT_EQ(std::string(b.rom.bytes.begin() + 0xAC, b.rom.bytes.begin() + 0xB0), b.game->code);
    uint8_t sum = 0;
    for (uint32_t i = 0xA0; i <= 0xBC; ++i) sum = uint8_t(sum - b.rom.bytes[i]);
    EXPECT_EQ(uint8_t(sum - 0x19), b.rom.bytes[0xBD]);
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

}  // namespace
