#include "cli/commands.h"

#include <array>
#include <csignal>
#include <vector>

#include "core/rom_backup.h"

namespace cli {

namespace {

constexpr std::array kCommands = {
    Command{"ini", "get FILE SECTION KEY | set FILE SECTION KEY VALUE",
            "read or write a value of a profile file (Setting.ini)", &IniCommand},
    Command{"lz77",
            "encode [--search full|short] [--no-compress] IN OUT | decode IN OUT [--offset N]",
            "compress a file into a GBA LZ77 stream, or expand the stream at an offset", &Lz77Command},
    Command{"demo", "DIR [--game CODE[,CODE...]]... [--size BYTES] [--seed N] [--force]",
            "write the demo workspace: synthetic ROMs, Setting.ini and the files around them",
            &DemoCommand},
    Command{"script",
            "decode ROM OFFSET [--define FILE] [--trace] | assemble SOURCE OUT [--base OFFSET] [--define FILE]",
            "event script at a ROM offset to text, or script text to bytes", &ScriptCommand},
    Command{"text", "decode [--utf8] [--hide-terminator] [HEX...] | encode [--utf8] [TEXT]",
            "game text codes to text, or text to codes (standard input when none are given)",
            &TextCommand},
    Command{"image", "info FILE", "size, depth and palette of a BMP or PNG file", &ImageCommand},
    Command{"font", "export ROM OFFSET OUT.(bmp|png) | import IN.(bmp|png) ROM OFFSET",
            "the 128 x 560 font sheet of a ROM block as a 16-colour BMP, and back", &FontCommand},
    Command{"tilemap", "render DEF.bmp TILES.(bmp|png) OUT.(bmp|png)",
            "a 16-bit map definition drawn with a tile set", &TilemapCommand},
    Command{"space", "find|list ROM START END BYTES [--max N] | regions ROM [--setting FILE]",
            "places for BYTES bytes in a ROM range, or the free-space regions of a game profile",
            &SpaceCommand},
    Command{"gfx", "decode ROM OFFSET OUT.(bmp|png) [--8bit] [--palette OFFSET] [--tiles-per-row N] | encode IN.(bmp|png) ROM OFFSET|append",
            "LZ77 graphics at a ROM offset to a BMP or PNG file, or a picture into the ROM", &GfxCommand},
    Command{"patch",
            "make ORIGINAL MODIFIED OUT.(bps|ips) [--metadata FILE] | apply ROM PATCH OUT|--in-place [--no-backup] | info PATCH [ROM]",
            "make a BPS or IPS patch of a modified ROM, apply one to a ROM, or show what one holds",
            &PatchCommand},
    Command{"table",
            "list ROM | export ROM TABLE OUT.(csv|json)|- | import ROM TABLE IN.(csv|json)|- [--dry-run] "
            "[--space region1|region2|region3|append]  (each: [--setting FILE] [--format csv|json])",
            "the tables the pages edit as CSV or JSON, out of a ROM and back in", &TableCommand},
};

void PrintHelp(std::FILE* out) {
  std::fputs(
      "usage: vantari COMMAND [ARGS...]\n"
      "       vantari --help | --version\n"
      "\n"
      "The portable core of the suite's editors on the command line. Text is Shift-JIS.\n"
      "Offsets and numbers are decimal, or hexadecimal after 0x (0100 is one hundred, never\n"
      "octal). Output files are replaced only when complete; - names the standard input or output.\n"
      "Data go to the standard output, reports to the standard error.\n"
      "A command that writes into a ROM first copies it to backup/NAME-YYYYMMDD-HHMMSS.gba beside\n"
      "it (the newest ten stay) unless --no-backup is given.\n"
      "\n"
      "commands:\n",
      out);
  for (const Command& c : kCommands) {
    std::fprintf(out, "  %.*s %.*s\n      %.*s\n", static_cast<int>(c.name.size()), c.name.data(),
                 static_cast<int>(c.usage.size()), c.usage.data(),
                 static_cast<int>(c.summary.size()), c.summary.data());
  }
}

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

namespace {

int Dispatch(std::span<const std::string_view> args, const Io& io) {
  if (args.empty()) {
    PrintHelp(io.err);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(io.out);
    return 0;
  }
  if (args[0] == "--version") {
    std::fputs("vantari " VANTARI_VERSION "\n", io.out);
    return 0;
  }
  for (const Command& c : kCommands) {
    if (c.name == args[0]) return c.run(args.subspan(1), io);
  }
  std::fprintf(io.err, "vantari: unknown command '%.*s' (see vantari --help)\n",
               static_cast<int>(args[0].size()), args[0].data());
  return 2;
}

}  // namespace

int Main(std::span<const std::string_view> args, const Io& io) {
#ifdef SIGXFSZ
  // A file-size limit makes a write fail, which the ROM writer then undoes; it does not end the
  // program.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  // --no-backup, wherever it stands: no copy of a ROM before the command writes into it.
  std::vector<std::string_view> rest;
  bool backup = true;
  for (std::string_view arg : args) {
    if (arg == "--no-backup") backup = false;
    else rest.push_back(arg);
  }
  const bool before = RomBackup().enabled();
  RomBackup().set_enabled(backup);
  const int result = Dispatch(rest, io);
  RomBackup().set_enabled(before);
  return result;
}

}  // namespace cli
