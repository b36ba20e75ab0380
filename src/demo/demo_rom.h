#pragma once
// Writes one synthetic ROM: every table the editors read, shaped like the real thing, and the
// Setting.ini keys that find them.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "demo/games.h"
#include "demo/rng.h"
#include "demo/rom_image.h"

namespace demo {

inline constexpr int kSpecies = 412;
inline constexpr int kDexEntries = 387;
inline constexpr int kMoves = 355;
inline constexpr int kAbilities = 78;
inline constexpr int kEffects = 214;
inline constexpr uint32_t kFontBlockSize = 17920;

// Offsets worth trying in each program, for the read-me and the tests.
struct Highlights {
  uint32_t battle_script = 0;  // a trainer battle and several texts
  int battle_trainer = 0;
  std::vector<uint32_t> battle_texts;
  std::vector<uint32_t> scripts;  // every top-level script
  uint32_t text = 0;              // a text with line breaks and special codes
  uint32_t image = 0;             // a compressed sprite
  uint32_t palette = 0;           // its compressed palette
  uint32_t font = 0;
};

struct DemoRom {
  std::vector<uint8_t> bytes;
  std::vector<std::pair<std::string, long>> keys;  // Setting.ini, in writing order
  std::vector<Block> blocks;
  Highlights highlights;
};

DemoRom BuildDemoRom(const GameSpec& game, uint32_t size, uint64_t seed);

// The pieces of a ROM, one file each; they share this state.
class CDemoRomWriter {
 public:
  CDemoRomWriter(const GameSpec& game, uint32_t size, uint64_t seed);
  DemoRom Finish();

  void WriteHeader();
  void WriteNames();
  void WriteMonsters();
  void WriteEggMoves();
  void WriteTrainers();
  void WriteMovesAndItems();
  void WriteTypeChartAndTrades();
  void WriteExtras();
  void WriteGraphics();
  void WriteScripts();
  void WriteFont();
  void WriteFreeSpace();

 private:
  // Game text from Shift-JIS, placed with a terminator.
  uint32_t PlaceText(const std::string& name, const std::string& sjis);
  // A random katakana name of `length` characters ending with 0xFF, padded with `pad` to
  // `field` bytes.
  std::vector<uint8_t> RandomName(int length, int field, uint8_t pad = 0x00);
  std::vector<uint8_t> Compressed(const std::vector<uint8_t>& raw) const;
  uint32_t PlaceCompressed(const std::string& name, const std::vector<uint8_t>& raw);
  void Key(const std::string& key, long value) { keys_.emplace_back(key, value); }
  bool IsFireRed() const { return game_.family == Family::kFireRedLeafGreen; }
  int RandomSpecies() ;  // a real species (1-251, 277-411)
  int RandomMove() { return rng_.Range(1, kMoves - 1); }
  int RandomItem() { return rng_.Range(1, game_.item_count - 1); }

  const GameSpec& game_;
  CRng rng_;
  CRomImage rom_;
  std::vector<std::pair<std::string, long>> keys_;
  Highlights highlights_;
  int script_trainer_ = 0;
};

}  // namespace demo
