// The font sheet's conversion both ways, and rendering a 64 x 64-tile map with a 256-tile set.
#include <benchmark/benchmark.h>

#include <random>

#include "fontedit/font_sheet.h"
#include "tileconv/converter.h"

namespace {

void BM_FontBlockToSheet(benchmark::State& state) {
  std::array<uint8_t, fontedit::kBlockSize> block{};
  std::mt19937 rng(1);
  for (uint8_t& b : block) b = static_cast<uint8_t>(rng());
  fontedit::CFont font;
  font.Create();
  for (auto _ : state) {
    fontedit::DecodeBlock(block, font);
    benchmark::DoNotOptimize(font.pixels().data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(block.size()));
}
BENCHMARK(BM_FontBlockToSheet);

void BM_FontSheetToBlock(benchmark::State& state) {
  std::array<uint8_t, fontedit::kBlockSize> block{};
  std::mt19937 rng(2);
  for (uint8_t& b : block) b = static_cast<uint8_t>(rng());
  fontedit::CFont font;
  font.Create();
  fontedit::DecodeBlock(block, font);
  for (auto _ : state) {
    fontedit::EncodeBlock(font, block);
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(block.size()));
}
BENCHMARK(BM_FontSheetToBlock);

void BM_RenderMap64x64(benchmark::State& state) {
  lumak::CBitmapImage tiles(128, 128, 8);  // 256 tiles
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) tiles.SetPixelIndex(x, y, static_cast<unsigned char>(x ^ y));
  lumak::CBitmapImage definition(64, 64, 16);
  std::mt19937 rng(3);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) definition.SetPixel(x, y, rng() & 0xFFFF);
  tileconv::CConverter converter;
  std::string error;
  converter.LoadDefBytes(definition.BmpBytes(), tileconv::EntryFormat::kWide, error);
  lumak::CBitmapImage map;
  for (auto _ : state) {
    tileconv::Render(converter, tiles, map);
    benchmark::DoNotOptimize(map.pixels().data());
  }
}
BENCHMARK(BM_RenderMap64x64);

}  // namespace
