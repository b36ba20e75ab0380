// The text editor's Load and Save of a text that fills the whole 16 384-byte window, and for
// comparison the same text read one byte at a time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editors/text/text_rules.h"
#include "platform/file.h"

namespace {

namespace te = text_editor;
constexpr uint64_t kOffset = 0x1000;

// A 64 KiB ROM whose text at kOffset has no terminator within the window.
struct Rom {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "vantari-text-bench.gba";
  Rom() {
    std::string bytes(0x10000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(0xA1 + i % 0x40);  // katakana and digits
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
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

void BM_LoadText(benchmark::State& state) {
  te::LoadedText text;
  std::string error;
  for (auto _ : state) {
    if (!te::LoadText(TheRom().path, kOffset, text, error)) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(text.text.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * te::kMaxTextBytes);
}
BENCHMARK(BM_LoadText);

void BM_LoadTextByteByByte(benchmark::State& state) {
  for (auto _ : state) {
    platform::CFile file;
    std::vector<uint8_t> bytes;
    uint8_t byte = 0;
    if (!file.Open(TheRom().path, platform::OpenMode::kReadExisting) || !file.Seek(kOffset))
      state.SkipWithError("open");
    while (bytes.size() < size_t(te::kMaxTextBytes) && file.Read(&byte, 1) && byte != 0xFF) bytes.push_back(byte);
    te::LoadedText text = te::DecodeText(bytes.data(), bytes.size());
    benchmark::DoNotOptimize(text.text.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * te::kMaxTextBytes);
}
BENCHMARK(BM_LoadTextByteByByte);

void BM_SaveText(benchmark::State& state) {
  te::LoadedText text;
  std::string error;
  te::LoadText(TheRom().path, kOffset, text, error);
  te::Document doc{1, 1, text.permitted, kOffset};
  std::vector<uint8_t> bytes;
  for (auto _ : state) {
    if (!te::PrepareSave(doc, kOffset, text.text, false, bytes, error) ||
        !te::WriteText(TheRom().path, kOffset, bytes, error))
      state.SkipWithError(error.c_str());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * te::kMaxTextBytes);
}
BENCHMARK(BM_SaveText);

}  // namespace
