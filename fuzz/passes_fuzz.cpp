// Every tessaro page's load and save passes on a ROM and a Setting.ini built from arbitrary
// bytes (passes_input.h): wild offsets, counts and pointers, party sizes, sprite table entries,
// names and texts without terminators, corrupt LZ77 streams.
//
// For each page of the page list, in tab order: Init, LoadSetting, RomRead; then every page
// shows its first records and the ones the input picks through its rules (species, evolutions,
// dex entries with their descriptions, trainers with their parties, moves, items, type chart
// lines, egg-move lines, sprites and palettes in every mode, trades, starters, the name lists)
// and stores what it shows; then RomSave into the file. Checked besides the sanitizers:
//   - storing a record as shown keeps it (but for what a store clamps and says so);
//   - a page whose RomRead failed leaves the file unchanged;
//   - nothing was changed, so after every save the file is the ROM that was written.
// No allocation may grow with the counts and offsets beyond the file: the target is run with
// -malloc_limit_mb=16 (eight times the largest ROM it builds) and -rss_limit_mb=2048, and a
// page that sizes a buffer from Setting.ini alone trips the limit.
//
// The files go to a folder of this process's own, so parallel runs never share them.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "demo/workspace.h"
#include "editors/page_list.h"
#include "page_show.h"
#include "passes_input.h"
#include "platform/file.h"
#include "text/shared_tables.h"

namespace passes_fuzz {

[[noreturn]] void Fail(const char* page, const char* what) {
  std::fprintf(stderr, "%s: %s\n", page, what);
  std::abort();
}

void CheckStoredAsShown(const char* page, uint8_t* record, const std::vector<uint8_t>& before,
                        std::initializer_list<Kept> kept) {
  for (const Kept& k : kept) record[k.offset] = uint8_t((record[k.offset] & ~k.mask) | (before[k.offset] & k.mask));
  if (std::memcmp(record, before.data(), before.size()) == 0) return;
  size_t at = 0;
  while (record[at] == before[at]) ++at;
  std::fprintf(stderr, "byte %zu: 0x%02X became 0x%02X\n", at, before[at], record[at]);
  Fail(page, "storing a record as shown changed it");
}

std::map<std::type_index, ShowFunction>& PageShows() {
  static std::map<std::type_index, ShowFunction> shows;
  return shows;
}

}  // namespace passes_fuzz

namespace {

using namespace passes_fuzz;

// Every page shows records 0 .. kFirstRecords - 1 and the input's picks.
constexpr int kFirstRecords = 3;
class CWorkFolder {
 public:
  CWorkFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "passes_fuzz.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    // The name files the move and monster pages read beside Setting.ini.
    std::ofstream(path_ / "tokusei.ini", std::ios::binary) << demo::AbilityNames();
    std::ofstream(path_ / "effects.ini", std::ios::binary) << demo::EffectNames();
  }
  ~CWorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

CWorkFolder& Work() {
  static CWorkFolder folder;
  return folder;
}

void WriteFile(const std::filesystem::path& path, const void* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  if (!out) std::abort();
}

// Aborts naming the page when the file is no longer `image`. Compared a block at a time: the
// ROM is large, and a fresh buffer for it on every check would cost more than the passes.
void CheckUnchanged(const std::filesystem::path& rom, const std::vector<uint8_t>& image, const char* page,
                    const char* what) {
  static char block[1 << 16];
  std::ifstream in(rom, std::ios::binary);
  size_t at = 0;
  while (in) {
    in.read(block, sizeof block);
    const size_t got = size_t(in.gcount());
    if (got == 0) break;
    if (at + got > image.size() || std::memcmp(block, image.data() + at, got) != 0) {
      size_t i = 0;
      while (at + i < image.size() && i < got && uint8_t(block[i]) == image[at + i]) ++i;
      std::fprintf(stderr, "first change at 0x%zX\n", at + i);
      Fail(page, what);
    }
    at += got;
  }
  if (at != image.size()) {
    std::fprintf(stderr, "the file holds %zu bytes, not %zu\n", at, image.size());
    Fail(page, what);
  }
}

// A page of the list with what the target does to it.
class IFuzzedPage {
 public:
  virtual ~IFuzzedPage() = default;
  virtual void Load(const PageSetup& setup) = 0;
  virtual bool Read(platform::CFile& rom) = 0;
  virtual void Show(const Context& c) = 0;
  virtual bool Save(platform::CFile& rom) = 0;
};

template <class Rules>
class CFuzzedPage final : public CPageAdapter<Rules>, public IFuzzedPage {
 public:
  void Load(const PageSetup& setup) override {
    this->rules().Init();
    this->rules().LoadSetting(setup);
  }
  bool Read(platform::CFile& rom) override {
    std::string error;
    return this->rules().RomRead(rom, error);
  }
  void Show(const Context& c) override {
    const auto show = PageShows().find(std::type_index(typeid(Rules)));
    if (show != PageShows().end()) show->second(&this->rules(), c);
  }
  bool Save(platform::CFile& rom) override {
    std::string error;
    return this->rules().RomSave(rom, error);
  }
};

void Run(const passes_input::Input& input) {
  const std::filesystem::path dir = Work().path();
  static std::vector<uint8_t> image;
  passes_input::Image(input, image);
  const char* code = passes_input::kGameCodes[size_t(input.game)];
  Context c;
  c.rom = dir / "rom.gba";
  WriteFile(c.rom, image.data(), image.size());
  const std::string settings = std::string("[") + code + "]\r\n" + input.settings;
  WriteFile(dir / "Setting.ini", settings.data(), settings.size());
  for (int i = 0; i < kFirstRecords; ++i) c.records.push_back(i);
  for (int16_t pick : input.picks) c.records.push_back(pick);

  text::SharedTables().Reset();
  text::SharedTables().switches.viewnumber = input.switches & 2;
  text::SharedTables().switches.duplication = input.switches & 4;
  text::VantariText().set_hide_terminator(input.switches & 8);

  CTabSystem tabs;
  AddPages<CFuzzedPage>(tabs);
  std::vector<IFuzzedPage*> pages;
  for (size_t i = 0; i < tabs.page_count(); ++i) pages.push_back(dynamic_cast<IFuzzedPage*>(tabs.page(i)));

  const PageSetup setup{dir / "Setting.ini", code, image.size()};
  for (IFuzzedPage* page : pages) page->Load(setup);
  std::vector<bool> read(pages.size());
  {
    platform::CFile rom;
    if (!rom.Open(c.rom, platform::OpenMode::kReadExisting)) std::abort();
    for (size_t i = 0; i < pages.size(); ++i) read[i] = pages[i]->Read(rom);
  }
  for (IFuzzedPage* page : pages) page->Show(c);
  CheckUnchanged(c.rom, image, "a page", "showing records changed the file");
  // Nothing was changed: after each page's save the file is still the ROM that was written, and
  // in particular a page whose read failed wrote nothing over it.
  for (size_t i = 0; i < pages.size(); ++i) {
    {
      platform::CFile rom;
      if (!rom.Open(c.rom, platform::OpenMode::kReadWriteExisting)) std::abort();
      pages[i]->Save(rom);
    }
    CheckUnchanged(c.rom, image, RunTimeName(*tabs.page(i)),
                   read[i] ? "saving without an edit changed the file" : "a page whose read failed changed the file");
  }
  tabs.ShutDown();
  text::SharedTables().Reset();
  text::VantariText().set_hide_terminator(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  passes_input::Input input;
  if (!passes_input::Parse(data, size, input)) return 0;
  Run(input);
  return 0;
}
