#pragma once
// The demo workspace: synthetic ROMs for the five games with Setting.ini, tokusei.ini,
// effects.ini, define.source, a tile map for the tile-map tool and a read-me.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace demo {

inline constexpr uint32_t kDefaultRomSize = 16 * 1024 * 1024;
inline constexpr uint32_t kMinimumRomSize = 4 * 1024 * 1024;

struct WorkspaceOptions {
  std::vector<std::string> games;  // game codes; empty: all five
  uint32_t rom_size = kDefaultRomSize;
  uint64_t seed = 1;
  // False: a workspace file that exists already is an error, and nothing is written.
  bool replace_existing = true;
};

// Writes the workspace into `dir` (created when missing); each file is replaced whole or left
// as it was. False with a message in `error`.
bool WriteWorkspace(const std::filesystem::path& dir, const WorkspaceOptions& options,
                    std::string& error);

// The texts of the workspace's files (Shift-JIS, CR LF).
const char* DefineSource();
std::string AbilityNames();
std::string EffectNames();

}  // namespace demo
