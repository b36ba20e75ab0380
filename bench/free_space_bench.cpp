// The free-space searches over a 16 MiB region: the finder's block scan against the same
// searches reading the file four bytes at a time (free_space_reference.h).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/free_space_reference.h"
#include "core/free_space.h"
#include "platform/file.h"

namespace {

constexpr uint32_t kRegionStart = 0x100;
constexpr uint32_t kRegionSize = 16u << 20;
constexpr uint32_t kRegionEnd = kRegionStart + kRegionSize;
// Bytes asked for: more than any of the scattered runs holds, so the single search only ends
// in the run at the end of the region.
constexpr uint32_t kBigTable = 0x4000;
constexpr uint32_t kSmallTable = 0x200;

// A ROM whose region holds game data with free runs of 0x100 to 0x2000 bytes scattered through
// it and one run of 0x8000 bytes at its end.
struct Rom {
  std::filesystem::path path;
  Rom() {
    path = std::filesystem::temp_directory_path() / "vantari-bench-free-space.gba";
    std::string bytes(kRegionEnd + 0x100, '\0');
    std::mt19937 rng(7);
    for (char& b : bytes) b = char(rng() % 0xFF);
    for (uint32_t at = kRegionStart; at + 0x2000 < kRegionEnd - 0x8000; at += 0x10000) {
      uint32_t length = 0x100 + rng() % 0x1F00;
      std::fill_n(bytes.begin() + at, length, '\xFF');
    }
    std::fill_n(bytes.begin() + (kRegionEnd - 0x8000), 0x8000, '\xFF');
    platform::CFile file;
    if (!file.Open(path, platform::OpenMode::kCreate) || !file.Write(bytes.data(), bytes.size()))
      std::fprintf(stderr, "cannot write %s: %s\n", path.string().c_str(),
                   file.ErrorText().c_str());
  }
  ~Rom() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

const Rom& TheRom() {
  static Rom rom;
  return rom;
}

template <class Finder>
void Find(benchmark::State& state, Finder& finder) {
  for (auto _ : state) {
    uint32_t place = finder.Finddummyspace(kRegionStart, kRegionEnd, kBigTable);
    if (place != kRegionEnd - 0x8000) state.SkipWithError("wrong place");
    benchmark::DoNotOptimize(place);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kRegionSize);
}

template <class Finder>
void List(benchmark::State& state, Finder& finder) {
  std::vector<uint32_t> places;
  for (auto _ : state) {
    if (!finder.Finddummyspacelist(kRegionStart, kRegionEnd, kSmallTable, places, UINT64_MAX))
      state.SkipWithError("search failed");
    benchmark::DoNotOptimize(places.data());
  }
  state.counters["places"] = double(places.size());
  state.SetBytesProcessed(int64_t(state.iterations()) * kRegionSize);
}

void BM_FindBlockScan(benchmark::State& state) {
  CFinddummyspace finder;
  finder.set_rom(TheRom().path);
  Find(state, finder);
}
BENCHMARK(BM_FindBlockScan)->Unit(benchmark::kMillisecond);

void BM_FindWordByWord(benchmark::State& state) {
  free_space_reference::CWordFinder finder;
  finder.rom = TheRom().path;
  Find(state, finder);
}
BENCHMARK(BM_FindWordByWord)->Unit(benchmark::kMillisecond);

void BM_ListBlockScan(benchmark::State& state) {
  CFinddummyspace finder;
  finder.set_rom(TheRom().path);
  List(state, finder);
}
BENCHMARK(BM_ListBlockScan)->Unit(benchmark::kMillisecond);

void BM_ListWordByWord(benchmark::State& state) {
  free_space_reference::CWordFinder finder;
  finder.rom = TheRom().path;
  List(state, finder);
}
BENCHMARK(BM_ListWordByWord)->Unit(benchmark::kMillisecond);

}  // namespace
