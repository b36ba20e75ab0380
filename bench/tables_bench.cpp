// The table export and import on the FireRed demo ROM: every table out as CSV, and the 412
// monsters back in (checked whole; then with one value changed, written through the ROM writer).
#include <benchmark/benchmark.h>

#include "bench/demo_workspace.h"
#include "tables/session.h"
#include "tables/tables.h"

namespace {

bench::DemoWorkspace& Workspace() {
  static bench::DemoWorkspace workspace("vantari_tables_bench");
  return workspace;
}

tables::TableSource Source() {
  tables::CRomPages pages;
  std::string error;
  pages.Load(Workspace().rom, Workspace().dir / "Setting.ini", error);
  return pages.Source();
}

void BM_ExportEveryTable(benchmark::State& state) {
  const tables::TableSource source = Source();
  for (auto _ : state) {
    size_t bytes = 0;
    for (const std::string& table : tables::TableNames()) {
      std::string out, error;
      tables::ExportTable(source, table, tables::TextFormat::kCsv, out, error);
      bytes += out.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ExportEveryTable)->Unit(benchmark::kMillisecond);

void BM_ImportMonsters(benchmark::State& state) {
  tables::TableSource source = Source();
  std::string csv, error;
  tables::ExportTable(source, "monsters", tables::TextFormat::kCsv, csv, error);
  const bool change = state.range(0) != 0;
  tables::ImportOptions options;
  options.rom = Workspace().rom;
  std::string edited = csv;
  const size_t hp = edited.find(',', edited.find(',', edited.find("\r\n") + 2) + 1) + 1;
  int round = 0;
  for (auto _ : state) {
    if (change) edited.replace(hp, edited.find(',', hp) - hp, std::to_string(200 + (++round % 2)));
    const tables::ImportResult result = tables::ImportTable(source, "monsters", tables::TextFormat::kCsv, edited, options);
    if (!result.ok) state.SkipWithError("refused");
    // The next round compares with what the ROM now holds.
    if (change) {
      state.PauseTiming();
      source = Source();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_ImportMonsters)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
