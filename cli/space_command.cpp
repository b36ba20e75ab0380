// vantari space: the free-space finder on a ROM file, and the regions a game profile gives it.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "core/free_space.h"
#include "platform/file.h"
#include "platform/sjis.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari space find ROM START END BYTES\n"
    "       vantari space list ROM START END BYTES [--max N]\n"
    "       vantari space regions ROM [--setting FILE]\n"
    "START, END, BYTES and N are 0x hexadecimal or decimal. The default setting file is\n"
    "Setting.ini beside the ROM.\n";

constexpr uint32_t kGameCodeOffset = 0xAC;

// "0x" hexadecimal or decimal (a leading zero does not make it octal), at most `limit`.
bool ParseNumber(std::string_view text, uint64_t limit, uint64_t& value) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const uint64_t base = hex ? 16 : 10;
  if (hex) text.remove_prefix(2);
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    uint64_t digit;
    if (c >= '0' && c <= '9') {
      digit = uint64_t(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = uint64_t(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = uint64_t(c - 'A' + 10);
    } else {
      return false;
    }
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  return true;
}

// The positional arguments and the value of the one option a subcommand takes.
struct Args {
  std::vector<std::string_view> plain;
  std::string_view option_value;
  bool has_option = false;
};

bool Split(std::span<const std::string_view> args, std::string_view option, Args& out) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (!args[i].starts_with("--")) {
      out.plain.push_back(args[i]);
    } else if (args[i] == option && i + 1 < args.size() && !out.has_option) {
      out.option_value = args[++i];
      out.has_option = true;
    } else {
      return false;
    }
  }
  return true;
}

// A finder on the ROM that prints its messages on the error stream.
struct Finder {
  CFinddummyspace finder;
  bool reported = false;
  Finder(std::string_view rom, const Io& io) {
    finder.set_rom(platform::PathFromSjis(rom));
    finder.set_report([this, &io](const std::string& text) {
      std::fprintf(io.err, "%s\n", text.c_str());
      reported = true;
    });
  }
};

int Search(bool list, std::span<const std::string_view> args, const Io& io) {
  Args a;
  uint64_t start = 0, end = 0, bytes = 0, maximum = UINT64_MAX;
  if (!Split(args, list ? "--max" : "", a) || a.plain.size() != 4 ||
      !ParseNumber(a.plain[1], UINT32_MAX, start) || !ParseNumber(a.plain[2], UINT32_MAX, end) ||
      !ParseNumber(a.plain[3], UINT32_MAX, bytes) ||
      (a.has_option && (!ParseNumber(a.option_value, UINT64_MAX, maximum) || maximum == 0))) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  Finder f(a.plain[0], io);
  std::vector<uint32_t> places;
  if (list) {
    f.finder.Finddummyspacelist(uint32_t(start), uint32_t(end), uint32_t(bytes), places, maximum);
  } else if (uint32_t place =
                 f.finder.Finddummyspace(uint32_t(start), uint32_t(end), uint32_t(bytes))) {
    places.push_back(place);
  }
  if (f.reported) return 1;
  if (places.empty()) {
    std::fprintf(io.err, "vantari: no free space for %llu bytes in 0x%06llX - 0x%06llX\n",
                 static_cast<unsigned long long>(bytes), static_cast<unsigned long long>(start),
                 static_cast<unsigned long long>(end));
    return 1;
  }
  for (uint32_t place : places) std::fprintf(io.out, "0x%06X\n", place);
  return 0;
}

// Free bytes of a region as the searches see them: the words read from its start, each
// 0xFFFFFFFF one counted whole; `longest` is the longest run of them.
void CountFree(const std::string& rom, uint32_t start, uint32_t length, uint64_t& free,
               uint64_t& longest) {
  free = longest = 0;
  uint64_t run = 0;
  for (uint64_t at = start; at < uint64_t(start) + length && at + 4 <= rom.size(); at += 4) {
    const auto* word = reinterpret_cast<const unsigned char*>(rom.data() + at);
    if ((word[0] & word[1] & word[2] & word[3]) == 0xFF) {
      free += 4;
      run += 4;
      if (run > longest) longest = run;
    } else {
      run = 0;
    }
  }
}

int Regions(std::span<const std::string_view> args, const Io& io) {
  Args a;
  if (!Split(args, "--setting", a) || a.plain.size() != 1) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  std::string rom;
  if (!ReadInput(a.plain[0], rom, io)) return 1;
  if (rom.size() < kGameCodeOffset + 4) {
    std::fprintf(io.err, "vantari: %s is too short to hold a game code\n",
                 std::string(a.plain[0]).c_str());
    return 1;
  }
  const std::string code = rom.substr(kGameCodeOffset, 4);
  const std::filesystem::path setting =
      a.has_option ? platform::PathFromSjis(a.option_value)
                   : platform::PathFromSjis(a.plain[0]).parent_path() / "Setting.ini";
  // A settings file that is not there is an error, not a profile with every region unused.
  std::string unreadable;
  std::string settings_text;
  if (!platform::ReadWholeFile(setting, settings_text, unreadable, kMaxInput)) {
    std::fprintf(io.err, "vantari: cannot read %s: %s\n", platform::SjisFromPath(setting).c_str(),
                 unreadable.c_str());
    return 1;
  }
  CFinddummyspace finder;
  finder.ReadRegions(setting, code.c_str());
  std::fprintf(io.out, "game %s\n", code.c_str());
  for (int i = 0; i < CFinddummyspace::kRegions; ++i) {
    uint32_t start = 0, length = 0;
    if (!finder.GetRegion(i, start, length)) {
      std::fprintf(io.out, "region %d unused\n", i + 1);
      continue;
    }
    uint64_t free = 0, longest = 0;
    CountFree(rom, start, length, free, longest);
    std::fprintf(io.out, "region %d 0x%06X - 0x%06X, %u bytes, %llu free, longest run %llu\n",
                 i + 1, start, uint32_t(uint64_t(start) + length), length,
                 static_cast<unsigned long long>(free), static_cast<unsigned long long>(longest));
  }
  return 0;
}

}  // namespace

int SpaceCommand(std::span<const std::string_view> args, const Io& io) {
  std::string_view what = args.empty() ? "" : args[0];
  if (what == "find" || what == "list") return Search(what == "list", args.subspan(1), io);
  if (what == "regions") return Regions(args.subspan(1), io);
  std::fputs(kUsage, io.err);
  return 2;
}

}  // namespace cli
