#include "tables/session.h"

#include <algorithm>

#include "core/rom_writer.h"
#include "platform/file.h"
#include "text/shared_tables.h"

namespace tables {

namespace {

template <class Rules>
Rules* RulesIn(const CTabSystem& tabs) {
  for (size_t i = 0; i < tabs.page_count(); ++i)
    if (auto* page = dynamic_cast<CPageAdapter<Rules>*>(tabs.page(i))) return &page->rules();
  return nullptr;
}

template <class Rules>
void Add(std::vector<PageCopy>& copies, Rules* rules) {
  if (rules == nullptr) return;
  for (PageCopy& copy : rules->TableCopies()) copies.push_back(std::move(copy));
}

// One page read the way the load reads it; a failure leaves it empty.
template <class Rules>
void ReadPage(Rules& rules, const PageSetup& setup, platform::CFile& file, const char* name,
              std::vector<std::string>& warnings) {
  rules.Init();
  rules.LoadSetting(setup);
  std::string error;
  if (rules.RomRead(file, error)) return;
  rules.FreeData();
  warnings.push_back(std::string(name) + ": " + error);
}

}  // namespace

bool ReadRom(const std::filesystem::path& rom, std::vector<uint8_t>& bytes, std::string& error) {
  platform::CFile file;
  uint64_t size = 0;
  if (!file.Open(rom, platform::OpenMode::kReadShared) || !file.Size(size)) {
    error = file.ErrorText();
    return false;
  }
  if (size > kCartridgeBytes) {
    error = "the ROM is larger than 32 MiB";
    return false;
  }
  bytes.resize(size_t(size));
  if (size > 0 && !file.ReadAt(0, bytes.data(), bytes.size())) {
    error = file.ErrorText();
    return false;
  }
  return true;
}

TableSource MakeSource(const PageRules& pages, const std::string& game_code, const std::filesystem::path& setting,
                       std::vector<uint8_t> rom) {
  TableSource source;
  source.game_code = game_code;
  source.setting = setting;
  source.rom = std::move(rom);
  Add(source.copies, pages.monster);
  Add(source.copies, pages.eggs);
  Add(source.copies, pages.trainers);
  Add(source.copies, pages.moves);
  Add(source.copies, pages.items);
  Add(source.copies, pages.chart);
  Add(source.copies, pages.trades);
  Add(source.copies, pages.extras);
  if (pages.monster) {
    if (pages.monster->learnset().pointers_loaded()) source.learnset_table = pages.monster->learnset_offset();
    if (pages.monster->machine().usable()) source.machine_table = pages.monster->machine_offset();
    source.flee_rate = pages.monster->flee_rate_used();
    source.abilities = pages.monster->abilities();
  }
  if (pages.chart && pages.chart->loaded()) source.chart_pointer = pages.chart->pointer_offset();
  if (pages.trainers) source.picture_max = pages.trainers->picture_max();
  if (pages.moves) source.effects = pages.moves->effects();
  return source;
}

namespace {

bool PagesSource(const CTabSystem& tabs, TableSource& source, std::string& error) {
  if (!tabs.loaded()) {
    error = "ROMを読み込んでください。";
    return false;
  }
  std::vector<uint8_t> rom;
  if (!ReadRom(tabs.rom_path(), rom, error)) return false;
  source = MakeSource(RulesOf(tabs), tabs.game_code(), tabs.SettingPath(), std::move(rom));
  return true;
}

}  // namespace

bool ExportFromPages(const CTabSystem& tabs, std::string_view table, TextFormat format, std::string& out,
                     std::string& error) {
  TableSource source;
  return PagesSource(tabs, source, error) && ExportTable(source, table, format, out, error);
}

ImportResult ImportIntoPages(CTabSystem& tabs, std::string_view table, TextFormat format, std::string_view text) {
  ImportResult result;
  TableSource source;
  if (!PagesSource(tabs, source, result.error)) return result;
  ImportOptions options;
  options.to_pages = true;
  options.rom = tabs.rom_path();
  result = ImportTable(source, table, format, text, options);
  if (!result.ok) return result;
  const PageRules pages = RulesOf(tabs);
  if (pages.monster) pages.monster->ReadDirectAgain(tabs.rom_path());
  const bool chart_moved = std::none_of(result.page_changes.begin(), result.page_changes.end(),
                                        [](const CopyChange& c) { return c.name == "type_chart"; }) &&
                           table == "type-chart" && !result.rom_change.empty();
  std::string error;
  if (pages.chart && chart_moved) pages.chart->ReadAgain(tabs.rom_path(), error);
  return result;
}

PageRules RulesOf(const CTabSystem& tabs) {
  return {RulesIn<CMonsterRules>(tabs), RulesIn<CEggMoveRules>(tabs), RulesIn<CTrainerRules>(tabs),
          RulesIn<CMoveRules>(tabs),    RulesIn<CItemRules>(tabs),    RulesIn<CTypeChartRules>(tabs),
          RulesIn<CTradeRules>(tabs),   RulesIn<CExtrasRules>(tabs)};
}

bool CRomPages::Load(const std::filesystem::path& rom, const std::filesystem::path& setting, std::string& error) {
  warnings_.clear();
  if (!ReadRom(rom, bytes_, error)) return false;
  if (bytes_.size() < CTabSystem::kGameCodeOffset + 4) {
    error = "the file is too short to hold a game code";
    return false;
  }
  game_code_.assign(reinterpret_cast<const char*>(bytes_.data()) + CTabSystem::kGameCodeOffset, 4);
  setting_ = setting;
  platform::CFile file;
  if (!file.Open(rom, platform::OpenMode::kReadShared)) {
    error = file.ErrorText();
    return false;
  }
  text::SharedTables().Reset();
  const PageSetup setup{setting, game_code_.c_str(), uint64_t(bytes_.size())};
  // In tab order, as the load goes: the species names first, the move and class names last.
  ReadPage(monster_, setup, file, "monsters", warnings_);
  ReadPage(eggs_, setup, file, "egg moves", warnings_);
  ReadPage(trainers_, setup, file, "trainers", warnings_);
  ReadPage(moves_, setup, file, "moves", warnings_);
  ReadPage(items_, setup, file, "items", warnings_);
  ReadPage(chart_, setup, file, "type chart", warnings_);
  ReadPage(trades_, setup, file, "trades", warnings_);
  ReadPage(extras_, setup, file, "extras", warnings_);
  monster_.ReadAbilities();
  moves_.ReadEffects();
  return true;
}

PageRules CRomPages::rules() {
  return {&monster_, &eggs_, &trainers_, &moves_, &items_, &chart_, &trades_, &extras_};
}

TableSource CRomPages::Source() { return MakeSource(rules(), game_code_, setting_, bytes_); }

}  // namespace tables
