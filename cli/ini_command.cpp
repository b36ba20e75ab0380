#include <string>

#include "cli/commands.h"
#include "core/ini.h"
#include "platform/file.h"
#include "platform/profile.h"
#include "platform/sjis.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari ini get FILE SECTION KEY | set FILE SECTION KEY VALUE\n"
    "get fails for a missing file or key. Line breaks and zero bytes are refused everywhere,\n"
    "'=' in a key and ']' in a section.\n";

int Get(const std::filesystem::path& file, std::string_view name, const std::string& section,
        const std::string& key, const Io& io) {
  std::string data, error;
  if (!platform::ReadWholeFile(file, data, error)) {
    std::fprintf(io.err, "vantari: cannot read %s: %s\n", std::string(name).c_str(), error.c_str());
    return 1;
  }
  // A missing key answers with the default: asked with two different defaults, a key that is
  // there answers the same both times.
  char plain[2], marked[2];
  platform::ReadProfileValue(file, section.c_str(), key.c_str(), "", plain, sizeof plain);
  platform::ReadProfileValue(file, section.c_str(), key.c_str(), "\x01", marked, sizeof marked);
  std::string value;
  if (plain[0] != marked[0]) {
    std::fprintf(io.err, "vantari: %s has no key %s in [%s]\n", std::string(name).c_str(), key.c_str(),
                 section.c_str());
    return 1;
  }
  if (!CINI().GetString(file, section.c_str(), key.c_str(), value)) return 1;
  std::fprintf(io.out, "%s\n", value.c_str());
  return 0;
}

}  // namespace

int IniCommand(std::span<const std::string_view> args, const Io& io) {
  bool get = args.size() == 4 && args[0] == "get";
  bool set = args.size() == 5 && args[0] == "set";
  if (!get && !set) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  auto file = platform::PathFromSjis(args[1]);
  std::string section(args[2]), key(args[3]);
  if (get) return Get(file, args[1], section, key, io);
  std::string value(args[4]);
  if (!platform::ProfileEntryIsValid(args[2], args[3], value)) {
    std::fputs("vantari: a line break or zero byte, '=' in the key or ']' in the section would "
               "break the file\n",
               io.err);
    return 2;
  }
  // The portable writer on every system: it replaces the file only once the new text is whole
  // on the disk, where the system's writer rewrites it in place.
  CINI ini(&platform::ReadProfileValue, &platform::portable::WriteProfileValue);
  if (!ini.Write(file, section.c_str(), key.c_str(), "%s", value.c_str())) {
    std::fprintf(io.err, "vantari: cannot write %s\n", std::string(args[1]).c_str());
    return 1;
  }
  return 0;
}

}  // namespace cli
