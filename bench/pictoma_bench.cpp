// pictoma: load and draw of a 64 × 64 sprite of four frames (64 × 256 pixels, 8 KiB of 4-bit
// tiles) with its palette from a ROM file, and the steps apart: reading and decoding, the
// drawing, and the BMP and PNG exports.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "graphics/lz77.h"
#include "imagetool/tile_image.h"
#include "platform/file.h"
#include "sample_data.h"

namespace {

constexpr uint32_t kImageAt = 0x1000;
constexpr uint32_t kPaletteAt = 0x4000;

// A small ROM file with the compressed sprite and palette, written once.
const std::filesystem::path& Rom() {
  static const std::filesystem::path path = [] {
    std::vector<uint8_t> rom(0x8000, 0xFF);
    const std::vector<uint8_t> sprite = graphics::CLZ77().Compress(bench::DrawnSprite(4 * 2048));
    std::vector<uint8_t> colours(32);
    for (size_t i = 0; i < colours.size(); ++i) colours[i] = uint8_t(i * 37);
    const std::vector<uint8_t> palette = graphics::CLZ77().Compress(colours);
    std::copy(sprite.begin(), sprite.end(), rom.begin() + kImageAt);
    std::copy(palette.begin(), palette.end(), rom.begin() + kPaletteAt);
    std::error_code ec;
    auto p = std::filesystem::temp_directory_path(ec) / "vantari_pictoma_bench.gba";
    platform::CFile file;
    if (!file.Open(p, platform::OpenMode::kCreate) || !file.Write(rom.data(), rom.size())) std::abort();
    return p;
  }();
  return path;
}

void BM_LoadAndDraw(benchmark::State& state) {
  imagetool::CImage image;
  image.set_tilex(8);
  std::vector<uint32_t> surface(512 * 512);
  for (auto _ : state) {
    if (image.LoadImageA(Rom(), kImageAt, 16) || image.LoadPalette(Rom(), kPaletteAt)) state.SkipWithError("load");
    image.Render(surface);
    benchmark::DoNotOptimize(surface.data());
  }
}
BENCHMARK(BM_LoadAndDraw)->Unit(benchmark::kMicrosecond);

void BM_LoadOnly(benchmark::State& state) {
  imagetool::CImage image;
  for (auto _ : state) {
    if (image.LoadImageA(Rom(), kImageAt, 16)) state.SkipWithError("load");
    benchmark::DoNotOptimize(image.pixels().data());
  }
}
BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMicrosecond);

void BM_DrawOnly(benchmark::State& state) {
  imagetool::CImage image;
  image.set_tilex(8);
  image.LoadImageA(Rom(), kImageAt, 16);
  std::vector<uint32_t> surface(512 * 512);
  for (auto _ : state) {
    image.Render(surface);
    benchmark::DoNotOptimize(surface.data());
  }
}
BENCHMARK(BM_DrawOnly)->Unit(benchmark::kMicrosecond);

void BM_Export(benchmark::State& state) {
  imagetool::CImage image;
  image.set_tilex(8);
  image.LoadImageA(Rom(), kImageAt, 16);
  std::vector<uint8_t> file;
  for (auto _ : state) {
    image.BitmapBytes(state.range(0) != 0, file);
    benchmark::DoNotOptimize(file.data());
  }
  state.SetLabel(state.range(0) ? "PNG" : "BMP");
}
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
