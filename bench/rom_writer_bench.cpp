// The ROM writer's own costs: the backup a run makes before its first write into a ROM (a copy
// of the 16 MiB demo ROM into backup/, the oldest copies beyond ten removed), and a change of one
// small write with the bytes it replaces read first.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/rom_backup.h"
#include "core/rom_writer.h"
#include "demo_workspace.h"

namespace {

const bench::DemoWorkspace& Demo() {
  static bench::DemoWorkspace workspace("vantari-bench-writer");
  return workspace;
}

void BM_BackupCopy(benchmark::State& state) {
  CRomBackup backup;
  backup.set_enabled(true);
  std::time_t now = 1'800'000'000;
  backup.set_clock([&] { return now; });
  std::string error;
  for (auto _ : state) {
    backup.Forget();  // a new run
    ++now;
    if (!backup.BeforeWrite(Demo().rom, error)) state.SkipWithError(error.c_str());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(Demo().rom)));
}
BENCHMARK(BM_BackupCopy)->Unit(benchmark::kMillisecond);

void BM_SmallChange(benchmark::State& state) {
  const uint8_t bytes[16] = {1, 2, 3};
  for (auto _ : state) {
    CRomChange change(Demo().rom);
    if (!change.Open() || !change.Write(0x1000, bytes, sizeof bytes) || !change.Commit())
      state.SkipWithError(change.error().c_str());
  }
}
BENCHMARK(BM_SmallChange)->Unit(benchmark::kMicrosecond);

}  // namespace
