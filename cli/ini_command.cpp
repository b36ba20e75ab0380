#include <string>

#include "cli/commands.h"
#include "core/ini.h"
#include "platform/sjis.h"

namespace cli {

int IniCommand(std::span<const std::string_view> args, const Io& io) {
  bool get = args.size() == 4 && args[0] == "get";
  bool set = args.size() == 5 && args[0] == "set";
  if (!get && !set) {
    std::fputs("usage: vantari ini get FILE SECTION KEY | set FILE SECTION KEY VALUE\n", io.err);
    return 2;
  }
  auto file = platform::PathFromSjis(args[1]);
  std::string section(args[2]), key(args[3]);
  CINI ini;
  if (get) {
    std::string value;
    if (!ini.GetString(file, section.c_str(), key.c_str(), value)) return 1;
    std::fprintf(io.out, "%s\n", value.c_str());
    return 0;
  }
  std::string value(args[4]);
  if (!ini.Write(file, section.c_str(), key.c_str(), "%s", value.c_str())) {
    std::fprintf(io.err, "vantari: cannot write %s\n", std::string(args[1]).c_str());
    return 1;
  }
  return 0;
}

}  // namespace cli
