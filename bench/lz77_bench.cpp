// LZ77: the brute-force reference scan against the indexed search the encoder ships with, on
// the same inputs, and the decoder's throughput.
#include <benchmark/benchmark.h>

#include "graphics/lz77.h"
#include "sample_data.h"

namespace {

using graphics::CLZ77;

// Argument 0: the size; argument 1: 0 for reused tiles, 1 for a drawn sprite.
std::vector<uint8_t> Input(const benchmark::State& state) {
  size_t n = static_cast<size_t>(state.range(0));
  return state.range(1) ? bench::DrawnSprite(n) : bench::SpriteTiles(n);
}

void BM_CompressReferenceScan(benchmark::State& state) {
  auto input = Input(state);
  std::vector<uint8_t> out(graphics::Lz77MaxCompressedSize(input.size()));
  for (auto _ : state) {
    benchmark::DoNotOptimize(graphics::Lz77CompressReference(
        input.data(), static_cast<int32_t>(input.size()), out.data(),
        graphics::Lz77Search::kFullWindow));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_CompressReferenceScan)->Args({16384, 0})->Args({16384, 1})->Unit(benchmark::kMillisecond);

void BM_CompressIndexed(benchmark::State& state) {
  auto input = Input(state);
  std::vector<uint8_t> out(graphics::Lz77MaxCompressedSize(input.size()));
  CLZ77 codec;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        codec.LZ77Compress(input.data(), static_cast<int32_t>(input.size()), out.data()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_CompressIndexed)
    ->Args({16384, 0})
    ->Args({16384, 1})
    ->Args({1 << 20, 0})
    ->Args({0xFFFFFF, 0})
    ->Unit(benchmark::kMillisecond);

void BM_CompressShort(benchmark::State& state) {
  auto input = bench::SpriteTiles(static_cast<size_t>(state.range(0)));
  std::vector<uint8_t> out(graphics::Lz77MaxCompressedSize(input.size()));
  CLZ77 codec(graphics::Lz77Search::kShort);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        codec.LZ77Compress(input.data(), static_cast<int32_t>(input.size()), out.data()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_CompressShort)->Arg(16384)->Unit(benchmark::kMillisecond);

void BM_Decompress(benchmark::State& state) {
  auto input = bench::SpriteTiles(static_cast<size_t>(state.range(0)));
  auto stream = CLZ77().Compress(input);
  std::vector<uint8_t> out(input.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(graphics::Lz77Decode(stream, out.data(), out.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_Decompress)->Arg(16384)->Arg(1 << 20);

}  // namespace
