// vantari table: every table the pages edit, as CSV or JSON, out of a ROM and back in.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "platform/file.h"
#include "platform/sjis.h"
#include "tables/session.h"
#include "tables/tables.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari table list ROM [--setting FILE]\n"
    "       vantari table export ROM TABLE OUT.(csv|json)|- [--setting FILE] [--format csv|json]\n"
    "       vantari table import ROM TABLE IN.(csv|json)|- [--setting FILE] [--format csv|json] [--dry-run]\n"
    "                            [--space region1|region2|region3|append]\n"
    "The default setting file is Setting.ini beside the ROM; the game comes from the ROM's header.\n"
    "- is the standard output or input (CSV unless --format json). An import checks the whole file\n"
    "first and writes nothing when any cell is wrong. Lists that grow move to free space: the\n"
    "profile's regions in order, then the end of the file, unless --space names one.\n";

struct Options {
  std::vector<std::string_view> plain;
  std::string_view setting, format, space;
  bool dry_run = false;
};

bool Split(std::span<const std::string_view> args, Options& out) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    std::string_view* value = arg == "--setting" ? &out.setting
                              : arg == "--format" ? &out.format
                              : arg == "--space"  ? &out.space
                                                  : nullptr;
    if (value) {
      if (i + 1 >= args.size() || !value->empty()) return false;
      *value = args[++i];
    } else if (arg == "--dry-run") {
      out.dry_run = true;
    } else if (arg.starts_with("--") && arg.size() > 2) {
      return false;
    } else {
      out.plain.push_back(arg);
    }
  }
  return true;
}

int Usage(const Io& io) {
  std::fputs(kUsage, io.err);
  return 2;
}

// The format of a file argument: --format, else its extension; "-" is CSV by default.
bool Format(std::string_view file, std::string_view option, tables::TextFormat& format) {
  if (option == "csv" || option == "json") {
    format = option == "csv" ? tables::TextFormat::kCsv : tables::TextFormat::kJson;
    return true;
  }
  if (!option.empty()) return false;
  if (file == "-") {
    format = tables::TextFormat::kCsv;
    return true;
  }
  return tables::FormatOf(platform::PathFromSjis(file), format);
}

// The ROM's pages read with the profile; false (reported) when that cannot be done.
bool LoadPages(std::string_view rom, std::string_view setting_option, tables::CRomPages& pages, const Io& io) {
  const std::filesystem::path setting = setting_option.empty()
                                            ? platform::PathFromSjis(rom).parent_path() / "Setting.ini"
                                            : platform::PathFromSjis(setting_option);
  std::string text, error;
  if (!platform::ReadWholeFile(setting, text, error, kMaxInput)) {
    std::fprintf(io.err, "vantari: cannot read %s: %s\n", platform::SjisFromPath(setting).c_str(), error.c_str());
    return false;
  }
  if (!pages.Load(platform::PathFromSjis(rom), setting, error)) {
    std::fprintf(io.err, "vantari: cannot read %s: %s\n", std::string(rom).c_str(), error.c_str());
    return false;
  }
  for (const std::string& warning : pages.warnings())
    std::fprintf(io.err, "vantari: %s (those tables are left out)\n", warning.c_str());
  return true;
}

int List(const Options& o, const Io& io) {
  if (o.plain.size() != 1 || !o.format.empty() || !o.space.empty() || o.dry_run) return Usage(io);
  tables::CRomPages pages;
  if (!LoadPages(o.plain[0], o.setting, pages, io)) return 1;
  for (const std::string& line : tables::ListTables(pages.Source())) std::fprintf(io.out, "%s\n", line.c_str());
  return 0;
}

int Export(const Options& o, const Io& io) {
  tables::TextFormat format;
  if (o.plain.size() != 3 || !o.space.empty() || o.dry_run) return Usage(io);
  if (!Format(o.plain[2], o.format, format)) {
    std::fputs("vantari: the output must end in .csv or .json (or give --format csv|json)\n", io.err);
    return 2;
  }
  tables::CRomPages pages;
  if (!LoadPages(o.plain[0], o.setting, pages, io)) return 1;
  std::string out, error;
  if (!tables::ExportTable(pages.Source(), o.plain[1], format, out, error)) {
    std::fprintf(io.err, "vantari: %s\n", error.c_str());
    return 1;
  }
  return WriteOutput(o.plain[2], out.data(), out.size(), io) ? 0 : 1;
}

int Import(const Options& o, const Io& io) {
  tables::TextFormat format;
  tables::ImportOptions options;
  if (o.plain.size() != 3) return Usage(io);
  if (!o.space.empty() && !tables::ParseSpace(o.space, options.space)) return Usage(io);
  if (!Format(o.plain[2], o.format, format)) {
    std::fputs("vantari: the input must end in .csv or .json (or give --format csv|json)\n", io.err);
    return 2;
  }
  std::string text;
  if (!ReadInput(o.plain[2], text, io, tables::kMaxInputBytes)) return 1;
  tables::CRomPages pages;
  if (!LoadPages(o.plain[0], o.setting, pages, io)) return 1;
  tables::TableSource source = pages.Source();
  options.dry_run = o.dry_run;
  options.rom = platform::PathFromSjis(o.plain[0]);
  const tables::ImportResult result = tables::ImportTable(source, o.plain[1], format, text, options);
  for (const std::string& line : tables::ProblemLines(std::string(o.plain[2]), result.problems))
    std::fprintf(io.err, "%s\n", line.c_str());
  if (!result.ok) {
    if (!result.error.empty()) std::fprintf(io.err, "vantari: %s\n", result.error.c_str());
    std::fputs("vantari: nothing was written\n", io.err);
    return 1;
  }
  for (const std::string& line : result.report) std::fprintf(io.err, "%s\n", line.c_str());
  if (o.dry_run) std::fputs("dry run: nothing was written\n", io.err);
  return 0;
}

}  // namespace

int TableCommand(std::span<const std::string_view> args, const Io& io) {
  const std::string_view what = args.empty() ? "" : args[0];
  Options o;
  if (!Split(args.empty() ? args : args.subspan(1), o)) return Usage(io);
  if (what == "list") return List(o, io);
  if (what == "export") return Export(o, io);
  if (what == "import") return Import(o, io);
  return Usage(io);
}

}  // namespace cli
