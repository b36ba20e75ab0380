// The table import on arbitrary files: the first byte picks the table and the format, the rest
// is the file. Every input is read, checked and planned (a dry run: the ROM is never written)
// without reading or writing out of bounds, and a refused file reports at least one problem.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "demo/workspace.h"
#include "tables/session.h"
#include "tables/tables.h"

namespace {

// One FireRed demo ROM of 4 MiB, its pages read once.
tables::TableSource& Source() {
  static tables::TableSource source = [] {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vantari_tables_fuzz";
    demo::WorkspaceOptions options;
    options.games = {"BPRJ"};
    options.rom_size = demo::kMinimumRomSize;
    std::string error;
    demo::WriteWorkspace(dir, options, error);
    tables::CRomPages pages;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      if (entry.path().extension() == ".gba") pages.Load(entry.path(), dir / "Setting.ini", error);
    return pages.Source();
  }();
  return source;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto& names = tables::TableNames();
  const std::string& table = names[data[0] % names.size()];
  const tables::TextFormat format = data[0] & 0x80 ? tables::TextFormat::kJson : tables::TextFormat::kCsv;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  tables::ImportOptions options;
  options.dry_run = true;
  options.space = tables::Space::kAppend;
  const tables::ImportResult result = tables::ImportTable(Source(), table, format, text, options);
  if (!result.ok && result.problems.empty() && result.error.empty()) std::abort();
  return 0;
}
