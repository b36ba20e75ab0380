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

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "core/typed_fields.h"
#include "demo/workspace.h"
#include "editors/item/item_layout.h"
#include "editors/move/move_layout.h"
#include "editors/page_list.h"
#include "editors/trades/trade_layout.h"
#include "passes_input.h"
#include "platform/file.h"
#include "text/shared_tables.h"

namespace {

// Every page shows records 0 .. kFirstRecords - 1 and the input's picks.
constexpr int kFirstRecords = 3;
// Lists longer than this are shown a line at a time, not whole.
constexpr int kWholeListLimit = 2048;

struct Context {
  std::filesystem::path rom;
  std::vector<int> records;  // first records and picks, picks possibly outside every table
};

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

[[noreturn]] void Fail(const char* page, const char* what) {
  std::fprintf(stderr, "%s: %s\n", page, what);
  std::abort();
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

// Storing what a page shows, untouched, keeps the record as it was. Left out: a store that
// said it replaced a value, and the bytes in `kept` (fields a box shows as on or off, texts the
// codec may spell differently), which are put back before the comparison.
struct Kept {
  size_t offset;
  uint8_t mask;  // the bits put back
};

template <class Store>
void StoreAsShown(const char* page, uint8_t* record, size_t size, std::initializer_list<Kept> kept, Store store) {
  if (record == nullptr) return;
  const std::vector<uint8_t> before(record, record + size);
  if (!store()) {
    // A value was clamped: the record changed for a reason. Put back, so that the save that
    // follows still has nothing to write.
    std::memcpy(record, before.data(), size);
    return;
  }
  for (const Kept& k : kept) record[k.offset] = uint8_t((record[k.offset] & ~k.mask) | (before[k.offset] & k.mask));
  if (std::memcmp(record, before.data(), size) == 0) return;
  size_t at = 0;
  while (record[at] == before[at]) ++at;
  std::fprintf(stderr, "byte %zu: 0x%02X became 0x%02X\n", at, before[at], record[at]);
  Fail(page, "storing a record as shown changed it");
}

bool Done(const std::string& status) { return status == kStatusDone; }
bool Done(const std::optional<std::string>& status) { return status && *status == kStatusDone; }

// What each page shows: the calls its view makes when a record is chosen, and its store of
// what it shows.
void ShowRecords(CMonsterRules& rules, const Context& c) {
  rules.ReadAbilities();
  auto& species = text::SharedTables().species;
  for (int record : c.records) {
    species.Entry(record);
    rules.set_current(record);
    if (auto view = rules.ShowSpecies()) {
      MonsterInput input;
      input.base = view->base, input.effort = view->effort, input.catch_rate = view->catch_rate;
      input.exp_yield = view->exp_yield, input.gender = view->gender, input.egg_steps = view->egg_steps;
      input.friendship = view->friendship, input.flee_rate = view->flee_rate;
      input.type1 = view->type1, input.type2 = view->type2, input.item_common = view->item_common;
      input.item_rare = view->item_rare, input.growth = view->growth, input.egg_group1 = view->egg_group1;
      input.egg_group2 = view->egg_group2, input.ability1 = view->ability1, input.ability2 = view->ability2;
      // Bits 12-15 of the effort word are cleared by every store.
      StoreAsShown("monster", const_cast<uint8_t*>(rules.stats(record)), monster_layout::kStatsSize,
                   {{monster_layout::kEffort + 1, 0xF0}}, [&] { return Done(rules.ApplySpecies(input)); });
    }
    for (int slot = -1; slot <= monster_layout::kEvolutionSlots; ++slot) rules.ShowEvolution(slot);
    rules.DexEntry(record);
    std::string height, weight;
    rules.DexSize(record, height, weight);
    rules.ShowDex(record, c.rom);
    rules.ShowDex(SpeciesToDex(record), c.rom);
    // The species' learnset and TM/HM bits, read from the file as a species change does. The
    // learnset written back as read leaves the file as it is; TM/HM bits are never written for
    // a species other than the one read.
    CLearnset& learnset = rules.learnset();
    learnset.Read(c.rom, record);
    learnset.Show();
    LearnsetEntryView entry;
    for (int i = -1; i <= learnset.count(); ++i) learnset.ShowEntry(i, entry);
    learnset.WriteInPlace(c.rom);
    std::string status;
    rules.machine().Load(c.rom, record, status);
    if (rules.machine().Save(c.rom, record + 1, rules.machine().states(), status))
      Fail("monster", "TM/HM bits saved for a species that was not read");
  }
}

void ShowRecords(CEggMoveRules& rules, const Context& c) {
  for (bool raw : {rules.raw(), !rules.raw()}) {
    rules.SetRaw(raw);
    if (rules.words().size() <= size_t(kWholeListLimit)) rules.LeftLines();
    for (int record : c.records) {
      rules.LeftLine(record);
      rules.SelectLeft(record);
      rules.RightLines();
      const std::vector<uint16_t> words = rules.words();
      if (auto species = rules.ShownSpecies(); species && *species >= 0) rules.StoreSpecies(*species);
      for (int move : c.records) {
        rules.RightLine(move);
        rules.SelectRight(move);
        if (auto shown = rules.ShownMove(); shown && *shown >= 0) rules.StoreMove(*shown);
      }
      if (rules.words() != words) Fail("egg moves", "storing a word as shown changed the table");
    }
  }
}

void ShowRecords(CTrainerRules& rules, const Context& c) {
  for (int record : c.records) {
    rules.ListLine(record);
    rules.set_current(record);
    if (auto view = rules.ShowTrainer()) {
      TrainerInput input;
      input.name = view->name, input.party_size = view->party_size, input.party_offset = view->party_offset;
      input.music = view->music, input.trainer_class = view->trainer_class, input.data_type = view->data_type;
      input.items = view->items, input.double_battle = view->double_battle, input.checks = view->checks;
      namespace L = trainer_layout;
      std::initializer_list<Kept> kept = {{L::kName, 0xFF},     {L::kName + 1, 0xFF}, {L::kName + 2, 0xFF},
                                          {L::kName + 3, 0xFF}, {L::kName + 4, 0xFF}, {L::kName + 5, 0xFF},
                                          {L::kDouble, 0xFF}};
      StoreAsShown("trainer", const_cast<uint8_t*>(rules.record(record)), L::kSize, kept,
                   [&] { return Done(rules.StoreTrainer(input, true, view->picture)); });
    }
    rules.ReadParty(c.rom);
    rules.PartyLines();
    for (int member = -1; member <= trainer_layout::kMaxMembers; ++member) rules.ShowMember(member);
    rules.ClampPicture(record);
  }
  std::string status;
  if (rules.count() <= kWholeListLimit) rules.Search("ア", true, status);
}

void ShowRecords(CMoveRules& rules, const Context& c) {
  rules.ReadEffects();
  for (int record : c.records) {
    text::SharedTables().moves.Entry(record);
    rules.set_current(record);
    if (auto view = rules.ShowMove()) {
      MoveInput input{view->effect, view->type, view->power, view->accuracy, view->pp, view->chance, true, view->unknown};
      StoreAsShown("move", const_cast<uint8_t*>(rules.record(record)), move_layout::kSize, {},
                   [&] { return Done(rules.ApplyMove(input)); });
    }
  }
}

void ShowRecords(CItemRules& rules, const Context& c) {
  for (int record : c.records) {
    text::SharedTables().items.Entry(record);
    rules.set_current(record);
    if (auto view = rules.Show())
      StoreAsShown("item", text::SharedTables().items.record(record), item_layout::kSize, {},
                   [&] { return Done(rules.Apply({view->battle_type, view->pocket, view->price, view->parameter})); });
  }
}

void ShowRecords(CTypeChartRules& rules, const Context& c) {
  for (int record : c.records) {
    rules.Line(record);
    rules.set_current(record);
    if (auto view = rules.Show()) {
      const std::vector<uint8_t> entries = rules.entries();
      rules.Store(*view);
      if (rules.entries() != entries) Fail("type chart", "storing an entry as shown changed it");
    }
  }
}

void ShowRecords(CImageRules& rules, const Context& c) {
  std::vector<uint32_t> pixels;
  for (int mode : {CImageRules::kMonster, CImageRules::kTrainer, CImageRules::kBackView}) {
    rules.SetMode(mode);
    for (int record : c.records) {
      rules.SetIndex(std::to_string(record));
      rules.Step(record & 1 ? 1 : -1);
      for (auto graphic : {CImageRules::kFront, CImageRules::kBack, CImageRules::kPalette,
                           CImageRules::kShinyPalette}) {
        rules.HasGraphic(graphic);
        rules.AddressText(graphic);
      }
      rules.LoadEntry(c.rom);
      ImageMessages messages;
      rules.GetImage(c.rom, mode == CImageRules::kTrainer, record, pixels, messages);
    }
  }
}

void ShowRecords(CTradeRules& rules, const Context& c) {
  for (int record : c.records) {
    rules.Line(record);
    rules.Select(record);
    if (auto view = rules.Show()) {
      TradeInput input{view->species_given, view->species_asked, view->item, view->ivs, view->second_ability};
      // The ability byte is a box: on for 1, off for anything else.
      StoreAsShown("trade", const_cast<uint8_t*>(rules.record(record)), trade_layout::kSize,
                   {{trade_layout::kAbility, 0xFF}}, [&] { return Done(rules.Apply(input)); });
    }
  }
}

void ShowRecords(CExtrasRules& rules, const Context& c) {
  rules.enabled();
  for (int record : c.records) text::SharedTables().classes.Entry(record);
  for (auto group : {StarterGroup::kPlayer, StarterGroup::kRival}) {
    rules.StarterStoreEnabled(group);
    std::array<int, 3> shown{};
    for (int slot = 0; slot < 3; ++slot) {
      rules.StarterEnabled(group, slot);
      shown[size_t(slot)] = rules.ShownStarter(group, slot);
    }
    std::array<uint16_t, 3> before{};
    for (int slot = 0; slot < 3; ++slot) before[size_t(slot)] = rules.starter(group, slot).species;
    rules.StoreStarters(group, shown);
    for (int slot = 0; slot < 3; ++slot)
      if (rules.starter(group, slot).species != before[size_t(slot)]) Fail("extras", "storing the starters as shown changed one");
  }
}

// A page without a show of its own here (the text page, or a page just added to the list) is
// still loaded and saved by every input.
template <class Rules>
void ShowRecords(Rules&, const Context&) {}

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
  void Show(const Context& c) override { ShowRecords(this->rules(), c); }
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
