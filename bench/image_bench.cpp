// The sprite page on a demo ROM: reading every monster's sprites and palettes, and writing one
// edited sprite back compressed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/free_space.h"
#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "demo_workspace.h"
#include "editors/image/image_rules.h"
#include "platform/file.h"

namespace {

const bench::DemoWorkspace& Demo() {
  static bench::DemoWorkspace workspace("vantari-bench-image");
  return workspace;
}

bool Load(CImageRules& rules) {
  platform::CFile rom;
  uint64_t size = 0;
  std::string error;
  if (!rom.Open(Demo().rom, platform::OpenMode::kReadExisting) || !rom.Size(size)) return false;
  rules.Init();
  rules.LoadSetting(PageSetup{Demo().dir / "Setting.ini", "BPRJ", size});
  return rules.RomRead(rom, error);
}

// Front and back sprite, normal and shiny palette of every monster, each read and decoded.
void BM_DecodeAllMonsters(benchmark::State& state) {
  CImageRules rules;
  if (!Load(rules)) state.SkipWithError("no demo ROM");
  for (auto _ : state) {
    for (int32_t m = 0; m < rules.Count(); ++m) {
      rules.SetIndex(std::to_string(m));
      benchmark::DoNotOptimize(rules.LoadEntry(Demo().rom));
    }
  }
  state.counters["monsters"] = rules.Count();
}
BENCHMARK(BM_DecodeAllMonsters)->Unit(benchmark::kMillisecond);

// One monster's front sprite compressed with the short search and written back in place, the
// entry then read again.
void BM_RecompressInPlace(benchmark::State& state) {
  CImageRules rules;
  if (!Load(rules)) state.SkipWithError("no demo ROM");
  const std::filesystem::path copy = Demo().dir / "copy.gba";
  std::filesystem::copy_file(Demo().rom, copy, std::filesystem::copy_options::overwrite_existing);
  rules.SetIndex("1");
  rules.LoadEntry(copy);
  rules.Tick(CImageRules::kNormalImage, true);
  rules.flags().in_place = true;
  CFinddummyspace finder;
  for (auto _ : state) benchmark::DoNotOptimize(rules.SaveToRom(copy, finder));
}
BENCHMARK(BM_RecompressInPlace)->Unit(benchmark::kMicrosecond);

}  // namespace
