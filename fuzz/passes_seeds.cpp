// Writes seed inputs of the passes fuzz target into a folder: the demo ROM of each game cut to
// the tables the pages read (with the texts, parties and graphics of a few records), and its
// Setting.ini keys. Run once; minimise the corpus with -merge=1 before saving it.
//   fuzz_passes_seeds DIR
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "core/rom_address.h"
#include "passes_input.h"

namespace {

// The blocks the pages read, by name; numbered ones ("party 12") only for the records the
// seeds show.
constexpr std::string_view kRead[] = {
    "cartridge header", "species names", "base stats", "evolutions", "learnset", "TM/HM bits",
    "dex records", "dex text", "egg moves", "trainers", "party", "moves", "move names", "item text",
    "items", "type chart", "trades", "trainer classes", "starter", "monster ", "front sprite",
    "back sprite", "palette", "shiny palette", "trainer sprite", "trainer palette", "back-view"};
constexpr int kShown[] = {0, 1, 2, 3, 25};
constexpr uint32_t kFirstTable = 0x200;
// Tables cut to their first records (with their counts), and the first back-view frames: the
// seeds stay small, and what the fuzzer changes is more often something a page shows.
struct Cut {
  std::string_view block;
  const char* count_key;  // nullptr: a block of raw bytes
  uint32_t bytes;
};
constexpr Cut kCuts[] = {{"trainers", "TrainerDataNum", 32 * 32},
                         {"items", "Item_DataNum", 48 * 40},
                         {"back-view frames", nullptr, 4 * 2048}};
// Blocks that end beyond this move down.
constexpr uint32_t kNear = 0x60000;

bool Wanted(const std::string& name) {
  bool known = false;
  for (std::string_view prefix : kRead) known = known || name.starts_with(prefix);
  if (!known) return false;
  size_t space = name.find_last_of(' ');
  std::string last = name.substr(space + 1);
  if (last.empty() || last.find_first_not_of("0123456789") != std::string::npos) return true;
  int number = std::stoi(last);
  for (int shown : kShown)
    if (number == shown) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  for (size_t g = 0; g < demo::kGames.size(); ++g) {
    // The tables right after the header, so that the seed's ROM is small.
    demo::GameSpec game = demo::kGames[g];
    game.first_table = kFirstTable;
    demo::DemoRom rom = demo::BuildDemoRom(game, demo::kMinimumRomSize, 1);
    passes_input::Input input;
    input.game = int(g);
    input.picks = {25, 411, 742, -1};
    input.switches = uint8_t(g);

    // Blocks far away (the trainer graphics) move down behind the others, and every pointer
    // and key that leads to them follows.
    std::vector<demo::Block> kept;
    std::vector<uint32_t> moved_to;
    uint32_t end = 0;
    for (const demo::Block& block : rom.blocks)
      if (Wanted(block.name) && block.offset + block.size <= kNear) end = std::max(end, block.offset + block.size);
    for (const demo::Block& block : rom.blocks) {
      if (!Wanted(block.name)) continue;
      kept.push_back(block);
      if (block.offset + block.size <= kNear) {
        moved_to.push_back(block.offset);
      } else {
        end = (end + 3) & ~3u;
        moved_to.push_back(end);
        end += block.size;
      }
    }
    std::vector<uint8_t> bytes(end, 0);
    for (size_t i = 0; i < kept.size(); ++i)
      std::copy_n(rom.bytes.begin() + long(kept[i].offset), kept[i].size, bytes.begin() + long(moved_to[i]));
    for (size_t m = 0; m < kept.size(); ++m) {
      const demo::Block& block = kept[m];
      if (moved_to[m] == block.offset) continue;
      for (size_t t = 0; t < kept.size(); ++t)
        for (uint32_t at = moved_to[t]; at + 4 <= moved_to[t] + kept[t].size; at += 4) {
          const uint32_t word = passes_input::Le(bytes.data() + at, 4);
          if (word < kGbaBase + block.offset || word >= kGbaBase + block.offset + block.size) continue;
          const uint32_t pointer = word - block.offset + moved_to[m];
          for (int i = 0; i < 4; ++i) bytes[at + uint32_t(i)] = uint8_t(pointer >> (8 * i));
        }
      for (auto& [key, value] : rom.keys)
        if (value == long(block.offset)) value = long(moved_to[m]);
    }
    for (size_t i = 0; i < kept.size(); ++i) {
      uint32_t size = kept[i].size;
      for (const Cut& cut : kCuts) {
        if (kept[i].name != cut.block || size <= cut.bytes) continue;
        if (cut.count_key)
          for (auto& [key, value] : rom.keys)
            if (key == cut.count_key) value = long(cut.bytes / (size / uint32_t(value)));
        size = cut.bytes;
      }
      auto first = bytes.begin() + long(moved_to[i]);
      input.pieces.push_back({moved_to[i], std::vector<uint8_t>(first, first + long(size))});
    }
    for (const auto& [key, value] : rom.keys) input.settings += key + "=" + std::to_string(value) + "\r\n";
    input.rom_size = end + 0x100;
    std::vector<uint8_t> serialized = passes_input::Serialize(input);
    auto path = std::filesystem::path(argv[1]) / ("demo_" + std::string(game.code));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(serialized.data()), long(serialized.size()));
    std::printf("%s: %zu bytes, ROM of %u bytes\n", path.c_str(), serialized.size(), unsigned(input.rom_size));
  }
  return 0;
}
