#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/numbers.h"
#include "demo/workspace.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari demo DIR [--game CODE[,CODE...]]... [--size BYTES] [--seed N] [--force]\n"
    "Writes synthetic ROMs (all five game codes unless --game names some), Setting.ini,\n"
    "tokusei.ini, effects.ini, define.source, a tile map and README.txt into DIR. Files that\n"
    "exist are left alone and nothing is written, unless --force replaces them.\n"
    "Numbers are decimal, or hexadecimal after 0x.\n";

}  // namespace

int DemoCommand(std::span<const std::string_view> args, const Io& io) {
  demo::WorkspaceOptions options;
  options.replace_existing = false;
  std::string dir;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    uint64_t number = 0;
    bool has_value = i + 1 < args.size();
    if (arg == "--game" && has_value) {
      std::string_view list = args[++i];
      for (size_t start = 0; start <= list.size();) {
        size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start) options.games.emplace_back(list.substr(start, comma - start));
        start = comma + 1;
      }
    } else if (arg == "--size" && has_value && ParseNumber(args[i + 1], number)) {
      options.rom_size = uint32_t(std::min<uint64_t>(number, 0xFFFFFFFFu));
      ++i;
    } else if (arg == "--seed" && has_value && ParseNumber(args[i + 1], number)) {
      options.seed = number;
      ++i;
    } else if (arg == "--force") {
      options.replace_existing = true;
    } else if (!arg.starts_with("--") && dir.empty()) {
      dir = arg;
    } else {
      std::fputs(kUsage, io.err);
      return 2;
    }
  }
  if (dir.empty()) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  std::string error;
  if (!demo::WriteWorkspace(dir, options, error)) {
    std::fprintf(io.err, "vantari: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace cli
