#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "platform/sjis.h"
#include "script/script_assembler.h"
#include "script/script_decoder.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari script decode ROM OFFSET [--define FILE] [--trace]\n"
    "       vantari script assemble SOURCE OUT [--base OFFSET] [--define FILE]\n"
    "OFFSET is hexadecimal. The definitions default to define.source in the current directory.\n"
    "decode prints the script (and with --trace the scripts and texts it points to);\n"
    "assemble writes the bytes of a script text (Shift-JIS) to OUT.\n";

struct Options {
  std::vector<std::string_view> files;
  std::string define = "define.source";
  bool trace = false;
  unsigned long base = 0;
};

bool Parse(std::span<const std::string_view> args, Options& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--trace") {
      options.trace = true;
    } else if (args[i] == "--define" && i + 1 < args.size()) {
      options.define = args[++i];
    } else if (args[i] == "--base" && i + 1 < args.size()) {
      std::string text(args[++i]);
      char* end = nullptr;
      options.base = std::strtoul(text.c_str(), &end, 16);
      if (text.empty() || *end != '\0') return false;
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
  std::string offset_text(options.files[1]);
  char* end = nullptr;
  uint32_t offset = uint32_t(std::strtoul(offset_text.c_str(), &end, 16));
  if (offset_text.empty() || *end != '\0') {
    std::fputs(kUsage, io.err);
    return 2;
  }
  script::CScriptDecoder decoder(definitions);
  decoder.auto_trace = options.trace;
  std::filesystem::path rom = platform::PathFromSjis(options.files[0]);
  std::string script, output;
  int result = decoder.DecodeScript(rom, offset, false, script);
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
  script::AssembleResult result = script::CScriptAssembler(definitions).Assemble(source, uint32_t(options.base));
  if (result.error != script::AssembleError::kNone) {
    std::string message = result.Message();
    std::fprintf(io.err, "vantari: %s\n", message.c_str());
    return 1;
  }
  return WriteOutput(options.files[1], result.bytes.data(), result.bytes.size(), io) ? 0 : 1;
}

}  // namespace

int ScriptCommand(std::span<const std::string_view> args, const Io& io) {
  Options options;
  bool decode = !args.empty() && args[0] == "decode";
  bool assemble = !args.empty() && args[0] == "assemble";
  if ((!decode && !assemble) || !Parse(args.subspan(1), options) || (decode && options.base)) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  return decode ? Decode(options, io) : Assemble(options, io);
}

}  // namespace cli
