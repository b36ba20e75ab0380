#pragma once
// Where the tables come from and where a growing list may go: shared by the export and import
// (tables.h) and their working state (workspace.h).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/page_copy.h"

namespace tables {

// What the tables are read from: the ROM's bytes, the tables the pages keep (laid over those
// bytes), and where the lists the pages write directly are found.
struct TableSource {
  std::string game_code;
  std::filesystem::path setting;  // Setting.ini: the free-space regions
  std::vector<uint8_t> rom;       // the file as it is
  std::vector<PageCopy> copies;
  int64_t learnset_table = -1;   // Level_Skill
  int64_t machine_table = -1;    // Skill_Machine
  int64_t chart_pointer = -1;    // Compatibility
  bool flee_rate = false;        // the game's base stats use the flee rate
  int picture_max = -1;          // Trainer_Pic_Num
  std::vector<std::string> abilities, effects;  // tokusei.ini, effects.ini (Shift-JIS)
};

enum class Space { kProfile, kRegion1, kRegion2, kRegion3, kAppend };
bool ParseSpace(std::string_view text, Space& space);

}  // namespace tables
