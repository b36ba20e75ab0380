// The demo workspace generator and the pages' passes on a demo ROM: reading and writing the
// item, move, extras, monster, trainer, type chart, egg-move and trade tables, filling the shared lists, reading effects.ini,
// reading every learnset and searching free space for one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/free_space.h"
#include "core/ini.h"
#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "demo_workspace.h"
#include "editors/egg_moves/egg_moves_rules.h"
#include "editors/extras/extras_rules.h"
#include "editors/item/item_rules.h"
#include "editors/monster/monster_rules.h"
#include "editors/move/move_rules.h"
#include "editors/trainer/trainer_rules.h"
#include "editors/trades/trade_rules.h"
#include "editors/type_chart/type_chart_rules.h"
#include "text/name_file.h"
#include "text/shared_tables.h"

namespace {

const bench::DemoWorkspace& Demo() {
  static bench::DemoWorkspace workspace("vantari-bench-workspace");
  return workspace;
}

void BM_BuildDemoRom(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kDefaultRomSize, 1));
}
BENCHMARK(BM_BuildDemoRom)->Unit(benchmark::kMillisecond);

// A page after a load of the demo ROM (`mode` opens the file for the passes to come).
template <class Rules>
bool LoadPage(Rules& page, platform::CFile& rom, platform::OpenMode mode) {
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

// Setting.ini read, tables sized and read from the ROM: a page's share of a load.
template <class Rules>
void BM_PageLoad(benchmark::State& state) {
  Rules page;
  for (auto _ : state) {
    platform::CFile rom;
    if (!LoadPage(page, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  }
  page.FreeData();
}
BENCHMARK_TEMPLATE(BM_PageLoad, CItemRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageLoad, CMoveRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageLoad, CExtrasRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageLoad, CMonsterRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageLoad, CTrainerRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageLoad, CTypeChartRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageLoad, CEggMoveRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageLoad, CTradeRules)->Unit(benchmark::kMicrosecond);

template <class Rules>
void BM_PageSave(benchmark::State& state) {
  Rules page;
  platform::CFile rom;
  std::string error;
  if (!LoadPage(page, rom, platform::OpenMode::kReadWriteExisting)) state.SkipWithError("read failed");
  for (auto _ : state)
    if (!page.RomSave(rom, error)) state.SkipWithError("write failed");
  page.FreeData();
}
BENCHMARK_TEMPLATE(BM_PageSave, CItemRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageSave, CMoveRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageSave, CExtrasRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageSave, CMonsterRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageSave, CTrainerRules)->Unit(benchmark::kMicrosecond);

// A search that finds nothing: every trainer's list line built and compared.
void BM_TrainerSearchAll(benchmark::State& state) {
  CTrainerRules trainers;
  {
    platform::CFile rom;
    if (!LoadPage(trainers, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  }
  std::string status;
  for (auto _ : state) {
    trainers.set_current(0);
    benchmark::DoNotOptimize(trainers.Search("no such trainer", true, status));
  }
  state.SetItemsProcessed(state.iterations() * trainers.count());
  trainers.FreeData();
}
BENCHMARK(BM_TrainerSearchAll)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageSave, CTypeChartRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageSave, CEggMoveRules)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PageSave, CTradeRules)->Unit(benchmark::kMicrosecond);

// The lines a page's list shows after a load: the type chart's entries, the egg-move groups
// (normal mode) and words (raw mode).
void BM_TypeChartLines(benchmark::State& state) {
  CTypeChartRules page;
  platform::CFile rom;
  if (!LoadPage(page, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  for (auto _ : state)
    for (int32_t i = 0; i < page.count(); ++i) benchmark::DoNotOptimize(page.Line(i));
}
BENCHMARK(BM_TypeChartLines)->Unit(benchmark::kMicrosecond);

void BM_EggMoveLines(benchmark::State& state) {
  CEggMoveRules page;
  platform::CFile rom;
  if (!LoadPage(page, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  bool raw = state.range(0) != 0;
  page.SetRaw(raw);
  for (auto _ : state) benchmark::DoNotOptimize(page.LeftLines());
}
BENCHMARK(BM_EggMoveLines)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The entry texts of a shared list (decoding every name), without a window.
void BM_ListEntries(benchmark::State& state, text::CRecordTable text::CSharedTables::*table) {
  CItemRules items;
  CExtrasRules extras;
  // One page's file closed before the next opens it: ROMs are opened exclusively.
  bool loaded = false;
  {
    platform::CFile rom;
    loaded = LoadPage(items, rom, platform::OpenMode::kReadExisting);
  }
  {
    platform::CFile rom;
    loaded = loaded && LoadPage(extras, rom, platform::OpenMode::kReadExisting);
  }
  if (!loaded) state.SkipWithError("read failed");
  const text::CRecordTable& list_table = text::SharedTables().*table;
  for (auto _ : state) {
    NullList list;
    list_table.FillList(list);
    benchmark::DoNotOptimize(list.bytes);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * list_table.count());
  items.FreeData();
  extras.FreeData();
}
BENCHMARK_CAPTURE(BM_ListEntries, items, &text::CSharedTables::items)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ListEntries, moves, &text::CSharedTables::moves)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ListEntries, classes, &text::CSharedTables::classes)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ListEntries, species, &text::CSharedTables::species)->Unit(benchmark::kMicrosecond);

// The move editor's effect list: effects.ini read line by line.
void BM_EffectNames(benchmark::State& state) {
  std::vector<std::string> lines;
  for (auto _ : state)
    if (!text::ReadNameLines(Demo().dir / "effects.ini", lines)) state.SkipWithError("read failed");
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(lines.size()));
}
BENCHMARK(BM_EffectNames)->Unit(benchmark::kMicrosecond);

// Every species shown once: the learnset read from the ROM file and its lines built.
void BM_LearnsetReadAll(benchmark::State& state) {
  CMonsterRules monsters;
  {
    platform::CFile rom;
    if (!LoadPage(monsters, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  }
  int64_t entries = 0;
  for (auto _ : state) {
    for (int s = 0; s < monster_layout::kSpecies; ++s) {
      if (!monsters.learnset().Read(Demo().rom, s).empty()) state.SkipWithError("learnset read failed");
      benchmark::DoNotOptimize(monsters.learnset().Show());
      entries += monsters.learnset().count();
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * monster_layout::kSpecies);
  state.counters["entries"] = double(entries) / double(state.iterations());
  monsters.FreeData();
}
BENCHMARK(BM_LearnsetReadAll)->Unit(benchmark::kMillisecond);

// The length dialog's search: every place in region 1 for a learnset of 20 entries.
void BM_LearnsetRelocationSearch(benchmark::State& state) {
  CFinddummyspace finder;
  finder.ReadRegions(Demo().dir / "Setting.ini", "BPRJ");
  finder.set_rom(Demo().rom);
  uint32_t start = 0, length = 0;
  if (!finder.GetRegion(0, start, length)) state.SkipWithError("no region 1");
  std::vector<uint32_t> places;
  for (auto _ : state)
    if (!finder.Finddummyspacelist(start, start + length, uint32_t(monster_layout::LearnsetBytes(20)), places,
                                   UINT64_MAX))
      state.SkipWithError("search failed");
  state.SetBytesProcessed(int64_t(state.iterations()) * length);
  state.counters["places"] = double(places.size());
}
BENCHMARK(BM_LearnsetRelocationSearch)->Unit(benchmark::kMillisecond);

// The learnset dialog's "設定": species 1's list with three more entries written at the first
// place in region 1, the pointer table rewritten, the list read again from there. The same
// place each time, so the file stays the same size.
void BM_LearnsetMove(benchmark::State& state) {
  CMonsterRules monsters;
  {
    platform::CFile rom;
    if (!LoadPage(monsters, rom, platform::OpenMode::kReadExisting)) state.SkipWithError("read failed");
  }
  CFinddummyspace finder;
  finder.ReadRegions(Demo().dir / "Setting.ini", "BPRJ");
  finder.set_rom(Demo().rom);
  uint32_t start = 0, length = 0;
  finder.GetRegion(0, start, length);
  monsters.learnset().Read(Demo().rom, 1);
  const int count = monsters.learnset().count() + 3;
  const uint32_t place = finder.Finddummyspace(start, start + length, uint32_t(monster_layout::LearnsetBytes(count)));
  if (place == 0) state.SkipWithError("no place");
  for (auto _ : state)
    if (!monsters.learnset().Relocate(Demo().rom, place, count, true, "CSolid_Value").ok) state.SkipWithError("move failed");
  monsters.FreeData();
}
BENCHMARK(BM_LearnsetMove)->Unit(benchmark::kMicrosecond);

}  // namespace
