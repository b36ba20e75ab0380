// The demo workspace generator and the item page's passes on a demo ROM: filling the item
// list, reading and writing the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/ini.h"
#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "editors/item/item_rules.h"
#include "text/shared_tables.h"

namespace {

struct Workspace {
  std::filesystem::path dir;
  std::filesystem::path rom;
  Workspace() {
    dir = std::filesystem::temp_directory_path() / "vantari-bench-workspace";
    demo::WorkspaceOptions options;
    options.games = {"BPRJ"};
    std::string error;
    if (!demo::WriteWorkspace(dir, options, error)) std::fprintf(stderr, "%s\n", error.c_str());
    rom = dir / demo::FindGame("BPRJ")->file_name;
  }
  ~Workspace() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

const Workspace& Demo() {
  static Workspace workspace;
  return workspace;
}

void BM_BuildDemoRom(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kDefaultRomSize, 1));
}
BENCHMARK(BM_BuildDemoRom)->Unit(benchmark::kMillisecond);

// The item page after a load of the demo ROM (`mode` opens the file for the passes to come).
bool LoadItems(CItemRules& page, platform::CFile& rom, platform::OpenMode mode) {
  std::string error;
  page.Init();
  uint64_t size = 0;
  if (!rom.Open(Demo().rom, mode) || !rom.Size(size)) return false;
  page.LoadSetting(PageSetup{Demo().dir / "Setting.ini", "BPRJ", size});
  return page.RomRead(rom, error);
}

struct NullList : text::INameList {
  size_t bytes = 0;
  void AddEntry(const std::string& entry) override { bytes += entry.size(); }
};

// Setting.ini read, table allocated and read from the ROM: the item page's share of a load.
void BM_ItemLoad(benchmark::State& state) {
  CItemRules page;
  for (auto _ : state) {
    platform::CFile rom;
    if (!LoadItems(page, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  }
  page.FreeData();
}
BENCHMARK(BM_ItemLoad)->Unit(benchmark::kMicrosecond);

void BM_ItemSave(benchmark::State& state) {
  CItemRules page;
  platform::CFile rom;
  std::string error;
  if (!LoadItems(page, rom, platform::OpenMode::kReadWriteExisting)) state.SkipWithError("read failed");
  for (auto _ : state)
    if (!page.RomSave(rom, error)) state.SkipWithError("write failed");
  page.FreeData();
}
BENCHMARK(BM_ItemSave)->Unit(benchmark::kMicrosecond);

// The entry texts of the item list (decoding every name), without a window.
void BM_ItemListEntries(benchmark::State& state) {
  CItemRules page;
  platform::CFile rom;
  if (!LoadItems(page, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  for (auto _ : state) {
    NullList list;
    text::SharedTables().items.FillList(list);
    benchmark::DoNotOptimize(list.bytes);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * text::SharedTables().items.count());
  page.FreeData();
}
BENCHMARK(BM_ItemListEntries)->Unit(benchmark::kMicrosecond);

}  // namespace
