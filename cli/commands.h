#pragma once
// The subcommands of vantari. Each takes its own arguments (after the subcommand name) and
// returns the process exit code: 0 success, 1 failure, 2 bad usage.
#include <cstdio>
#include <span>
#include <string_view>

namespace cli {

struct Io {
  std::FILE* in = stdin;
  std::FILE* out = stdout;
  std::FILE* err = stderr;
};

struct Command {
  std::string_view name;
  std::string_view usage;  // arguments, for the help text
  std::string_view summary;
  int (*run)(std::span<const std::string_view> args, const Io& io);
};

std::span<const Command> AllCommands();

// The whole tool: argv without the program name.
int Main(std::span<const std::string_view> args, const Io& io);

int IniCommand(std::span<const std::string_view> args, const Io& io);
int Lz77Command(std::span<const std::string_view> args, const Io& io);
int DemoCommand(std::span<const std::string_view> args, const Io& io);
int ScriptCommand(std::span<const std::string_view> args, const Io& io);
int TextCommand(std::span<const std::string_view> args, const Io& io);
int ImageCommand(std::span<const std::string_view> args, const Io& io);
int SpaceCommand(std::span<const std::string_view> args, const Io& io);
int FontCommand(std::span<const std::string_view> args, const Io& io);
int TilemapCommand(std::span<const std::string_view> args, const Io& io);
int GfxCommand(std::span<const std::string_view> args, const Io& io);
int PatchCommand(std::span<const std::string_view> args, const Io& io);
int TableCommand(std::span<const std::string_view> args, const Io& io);

}  // namespace cli
