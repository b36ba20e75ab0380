#include <cstdio>
#include <filesystem>
#include <system_error>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "cli/numbers.h"
#include "platform/sjis.h"
#include "script/script_assembler.h"
#include "script/script_decoder.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari script decode ROM OFFSET [--define FILE] [--trace]\n"
    "       vantari script assemble SOURCE OUT [--base OFFSET] [--define FILE]\n"
    "OFFSET is a ROM offset below 0x2000000 (32 MiB), decimal or hexadecimal after 0x (0100 is\n"
    "one hundred). The definitions default to define.source in the current directory.\n"
    "decode prints the script (and with --trace the scripts and texts it points to);\n"
    "assemble writes the bytes of a script text (Shift-JIS; SOURCE may be - for the standard\n"
    "input) to OUT, for the ROM offset --base (0 by default).\n";

// The GBA maps 32 MiB of ROM: every offset, and every byte placed at one, lies below this.
constexpr uint64_t kRomSpace = 0x2000000;

struct Options {
  std::vector<std::string_view> files;
  std::string define = "define.source";
  bool trace = false;
  uint64_t base = 0;
  bool has_base = false;
};

bool Parse(std::span<const std::string_view> args, Options& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--trace") {
      options.trace = true;
    } else if (args[i] == "--define" && i + 1 < args.size()) {
      options.define = args[++i];
    } else if (args[i] == "--base" && i + 1 < args.size()) {
      if (!ParseNumber(args[++i], options.base) || options.base >= kRomSpace) return false;
      options.has_base = true;
    } else if (args[i].starts_with("--")) {
      return false;
    } else {
      options.files.push_back(args[i]);
    }
  }
  return options.files.size() == 2;
}

bool LoadDefinitions(const Options& options, script::CScriptDefinitions& definitions, const Io& io) {
  if (definitions.Load(platform::PathFromSjis(options.define))) return true;
  std::fprintf(io.err, "vantari: cannot read the definitions %s\n", options.define.c_str());
  return false;
}

int Decode(const Options& options, const Io& io) {
  script::CScriptDefinitions definitions;
  if (!LoadDefinitions(options, definitions, io)) return 1;
  uint64_t offset = 0;
  if (!ParseNumber(options.files[1], offset) || offset >= kRomSpace) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  script::CScriptDecoder decoder(definitions);
  decoder.auto_trace = options.trace;
  std::filesystem::path rom = platform::PathFromSjis(options.files[0]);
  // Pointers are followed back and forth through the ROM: a pipe cannot be read that way.
  std::error_code ec;
  auto status = std::filesystem::status(rom, ec);
  if (options.files[0] == "-" ||
      (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))) {
    std::fprintf(io.err, "vantari: %s is no file: the ROM is read at the offsets its pointers name\n",
                 std::string(options.files[0]).c_str());
    return 1;
  }
  std::string script, output;
  int result = decoder.DecodeScript(rom, uint32_t(offset), false, script);
  int failures = decoder.FollowPointers(rom, script, output);
  std::fwrite(script.data(), 1, script.size(), io.out);
  std::fwrite(output.data(), 1, output.size(), io.out);
  if (result == script::CScriptDecoder::kCannotOpen) {
    std::fprintf(io.err, "vantari: cannot open %s\n", std::string(options.files[0]).c_str());
    return 1;
  }
  if (result == script::CScriptDecoder::kReadFailed || failures) {
    std::fputs("vantari: the ROM ended inside a script or text\n", io.err);
    return 1;
  }
  return 0;
}

int Assemble(const Options& options, const Io& io) {
  script::CScriptDefinitions definitions;
  if (!LoadDefinitions(options, definitions, io)) return 1;
  std::string source;
  if (!ReadInput(options.files[0], source, io)) return 1;
  // The editor reads only so much of a script; here nothing is left out without a word.
  bool cut = source.size() > script::CScriptAssembler::kMaxSource;
  if (cut) {
    std::fprintf(io.err, "vantari: %s is longer than %llu bytes; the rest would be ignored\n",
                 std::string(options.files[0]).c_str(),
                 static_cast<unsigned long long>(script::CScriptAssembler::kMaxSource));
  }
  script::AssembleResult result = script::CScriptAssembler(definitions).Assemble(source, uint32_t(options.base));
  if (result.error != script::AssembleError::kNone) {
    std::string message = result.Message();
    std::fprintf(io.err, "vantari: %s\n", message.c_str());
    return 1;
  }
  if (result.lines_cut) {
    std::fprintf(io.err, "vantari: %s holds more than %d commands; the rest would be ignored\n",
                 std::string(options.files[0]).c_str(), script::CScriptAssembler::kMaxLines);
    cut = true;
  }
  if (cut) return 1;
  if (options.base + result.bytes.size() > kRomSpace) {
    std::fprintf(io.err, "vantari: %llu bytes at 0x%llX run past the 32 MiB of ROM\n",
                 static_cast<unsigned long long>(result.bytes.size()), static_cast<unsigned long long>(options.base));
    return 1;
  }
  return WriteOutput(options.files[1], result.bytes.data(), result.bytes.size(), io) ? 0 : 1;
}

}  // namespace

int ScriptCommand(std::span<const std::string_view> args, const Io& io) {
  Options options;
  bool decode = !args.empty() && args[0] == "decode";
  bool assemble = !args.empty() && args[0] == "assemble";
  if ((!decode && !assemble) || !Parse(args.subspan(1), options) || (decode && options.has_base)) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  return decode ? Decode(options, io) : Assemble(options, io);
}

}  // namespace cli
