#pragma once
// The five games the demo workspace imitates, with the counts and differences the editors
// depend on.
#include <array>
#include <cstdint>
#include <string_view>

namespace demo {

enum class Family { kRubySapphire, kEmerald, kFireRedLeafGreen };

struct GameSpec {
  const char* code;
  const char* title;  // 12 characters of the cartridge header
  const char* file_name;
  Family family;
  int item_count;
  int trainer_count;
  int trainer_pic_max;  // Trainer_Pic_Num: the highest trainer picture index
  int class_count;
  int trade_count;
  int back_frames;
  int back_palettes;
  uint32_t first_table;  // where this game's tables begin: offsets differ between games
};

inline constexpr std::array<GameSpec, 5> kGames = {{
    {"AXVJ", "VANTARI RUBY", "demo_AXVJ_ruby.gba", Family::kRubySapphire, 349, 694, 82, 58, 3,
     26, 6, 0x100000},
    {"AXPJ", "VANTARI SAPP", "demo_AXPJ_sapphire.gba", Family::kRubySapphire, 349, 694, 82, 58,
     3, 26, 6, 0x104000},
    {"BPEJ", "VANTARI EMER", "demo_BPEJ_emerald.gba", Family::kEmerald, 377, 855, 92, 66, 4, 34,
     8, 0x108000},
    {"BPRJ", "VANTARI FIRE", "demo_BPRJ_firered.gba", Family::kFireRedLeafGreen, 375, 743, 147,
     107, 9, 26, 6, 0x10C000},
    {"BPGJ", "VANTARI LEAF", "demo_BPGJ_leafgreen.gba", Family::kFireRedLeafGreen, 375, 743,
     147, 107, 9, 26, 6, 0x110000},
}};

const GameSpec* FindGame(std::string_view code);

}  // namespace demo
