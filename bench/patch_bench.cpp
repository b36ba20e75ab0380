// Patches made and applied on three edits of the demo FireRed ROM (16 MiB):
//   table:  200 bytes of the base-stats table changed in place (one field of 200 species);
//   moved:  a learnset and a front sprite moved into the free space, their pointers rewritten
//           and their old places cleared;
//   grown:  the ROM grown to 32 MiB with 0xFF and a 1 MiB block moved into the new half.
// With VANTARI_BENCH_PAIRS=DIR set, each pair is also written there (NAME-a.gba, NAME-b.gba) for
// other tools to be measured on.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "demo/demo_rom.h"
#include "graphics/lz77.h"
#include "patch/patch.h"
#include "platform/file.h"

namespace {

using Buffer = std::vector<uint8_t>;

struct Pair {
  Buffer original, modified;
};

uint32_t Get32(const Buffer& rom, size_t at) {
  return uint32_t(rom[at]) | uint32_t(rom[at + 1]) << 8 | uint32_t(rom[at + 2]) << 16 | uint32_t(rom[at + 3]) << 24;
}
void Put32(Buffer& rom, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) rom[at + size_t(i)] = uint8_t(value >> (8 * i));
}

// Moves `length` bytes at `from` to `to`, clears the old place with 0xFF and points `pointer` there.
void Move(Buffer& rom, size_t from, size_t length, size_t to, size_t pointer) {
  std::copy_n(rom.begin() + ptrdiff_t(from), length, rom.begin() + ptrdiff_t(to));
  std::fill_n(rom.begin() + ptrdiff_t(from), length, 0xFF);
  Put32(rom, pointer, uint32_t(0x08000000 + to));
}

void Save(const char* name, const Pair& pair) {
  const char* dir = std::getenv("VANTARI_BENCH_PAIRS");
  if (!dir) return;
  std::string error;
  for (const auto& [suffix, bytes] : {std::pair{"-a.gba", &pair.original}, std::pair{"-b.gba", &pair.modified}}) {
    const auto path = std::filesystem::path(dir) / (std::string(name) + suffix);
    if (!platform::ReplaceFileContents(path, bytes->data(), bytes->size(), error))
      std::fprintf(stderr, "%s: %s\n", path.string().c_str(), error.c_str());
  }
}

const std::vector<Pair>& Pairs() {
  static const std::vector<Pair> pairs = [] {
    const demo::DemoRom demo = demo::BuildDemoRom(*demo::FindGame("BPRJ"), 16 << 20, 1);
    auto key = [&](const char* name) {
      for (const auto& [k, v] : demo.keys)
        if (k == name) return size_t(v);
      std::abort();
    };
    std::vector<Pair> out(3, Pair{demo.bytes, demo.bytes});

    Buffer& table = out[0].modified;
    for (size_t s = 1; s <= 200; ++s) table[key("MonsterBaseStats_Pos") + s * 28 + 1] ^= 0x15;

    Buffer& moved = out[1].modified;
    const size_t learnset_pointer = key("Level_Skill") + 25 * 4;
    const size_t learnset = Get32(moved, learnset_pointer) - 0x08000000;
    size_t learnset_bytes = 0;
    while (moved[learnset + learnset_bytes] != 0xFF || moved[learnset + learnset_bytes + 1] != 0xFF) learnset_bytes += 2;
    Move(moved, learnset, learnset_bytes + 2, key("domain1"), learnset_pointer);
    const size_t sprite_pointer = key("MonsterPics") + 25 * 8;
    const size_t sprite = Get32(moved, sprite_pointer) - 0x08000000;
    const std::span<const uint8_t> stream(moved.data() + sprite, moved.size() - sprite);
    Buffer pixels(graphics::Lz77DecodedSize(stream));
    const size_t sprite_bytes = graphics::Lz77Decode(stream, pixels.data(), pixels.size()).consumed;
    Move(moved, sprite, sprite_bytes, key("domain2"), sprite_pointer);

    Buffer& grown = out[2].modified;
    grown.resize(size_t(32) << 20, 0xFF);
    std::copy_n(grown.begin() + (2 << 20), 1 << 20, grown.begin() + (24 << 20));
    std::fill_n(grown.begin() + (2 << 20), 1 << 20, 0xFF);

    const char* names[] = {"table", "moved", "grown"};
    for (size_t i = 0; i < out.size(); ++i) Save(names[i], out[i]);
    return out;
  }();
  return pairs;
}

void Make(benchmark::State& state, patch::Format format) {
  const Pair& pair = Pairs()[size_t(state.range(0))];
  Buffer made;
  patch::Problem problem;
  for (auto _ : state) {
    if (!patch::Make(format, pair.original, pair.modified, made, problem)) state.SkipWithError("refused");
    benchmark::DoNotOptimize(made.data());
  }
  state.counters["patch_bytes"] = double(made.size());
}

void Apply(benchmark::State& state, patch::Format format) {
  const Pair& pair = Pairs()[size_t(state.range(0))];
  Buffer made, result;
  patch::Problem problem;
  if (!patch::Make(format, pair.original, pair.modified, made, problem)) state.SkipWithError("refused");
  for (auto _ : state) {
    if (!patch::Apply(made, pair.original, result, problem) || result.size() != pair.modified.size())
      state.SkipWithError("did not apply");
    benchmark::DoNotOptimize(result.data());
  }
  if (result != pair.modified) state.SkipWithError("wrong result");
}

void BM_BpsMake(benchmark::State& state) { Make(state, patch::Format::kBps); }
void BM_BpsApply(benchmark::State& state) { Apply(state, patch::Format::kBps); }
void BM_IpsMake(benchmark::State& state) { Make(state, patch::Format::kIps); }
void BM_IpsApply(benchmark::State& state) { Apply(state, patch::Format::kIps); }

// 0 table, 1 moved, 2 grown (IPS cannot reach past 16 MiB).
BENCHMARK(BM_BpsMake)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BpsApply)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IpsMake)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IpsApply)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
