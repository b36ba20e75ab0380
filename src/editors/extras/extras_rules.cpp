#include "editors/extras/extras_rules.h"

#include <algorithm>

#include "core/ini.h"
#include "core/rom_address.h"
#include "editors/extras/extras_layout.h"
#include "text/shared_tables.h"

namespace {

namespace L = extras_layout;

text::CRecordTable& Classes() { return text::SharedTables().classes; }
text::CRecordTable& Moves() { return text::SharedTables().moves; }

bool ReadStarter(platform::CFile& rom, StarterSlot& slot, std::string& error) {
  if (slot.offset < 0) return true;
  std::vector<uint8_t> value;
  if (!ReadTable(rom, TableSpan{slot.offset, 1, L::kStarterSize}, value, error)) return false;
  slot.species = rom::Get16(value.data());
  slot.read = true;
  return true;
}

bool WriteStarter(platform::CFile& rom, const StarterSlot& slot, std::string& error) {
  if (!slot.read) return true;
  uint8_t value[L::kStarterSize];
  rom::Put16(value, slot.species);
  if (rom.WriteAt(uint64_t(slot.offset), value, sizeof value)) return true;
  error = rom.ErrorText();
  return false;
}

}  // namespace

void CExtrasRules::Init() {
  Classes().Free();
  Moves().Free();
  classes_ = {-1, 0, L::kClassSize};
  move_names_ = {-1, 0, L::kMoveNameSize};
  move_names_error_.clear();
  current_class_ = 0;
  player_ = {};
  rival_ = {};
}

void CExtrasRules::LoadSetting(const PageSetup& setup) {
  CINI ini;
  auto get = [&](const char* key, int fallback) {
    int value = fallback;
    ini.GetInt(setup.setting_ini, setup.game_code, key, value);
    return value;
  };
  int class_count = get("TrainerClassesNum", 0);
  classes_ = {get("TrainerClasses", -1), std::max(class_count, 0), L::kClassSize};
  Classes().Free();

  // The move-name table holds AttackNum zeroed slots from now on, read or not. The default
  // count is always allowed; a larger one must fit the file.
  int move_count = get("AttackNum", text::kDefaultAttackNum);
  move_names_ = {get("AttackName", -1), std::max(move_count, 0), L::kMoveNameSize};
  move_names_error_.clear();
  uint64_t room = std::max<uint64_t>(setup.rom_size, uint64_t(text::kDefaultAttackNum) * L::kMoveNameSize);
  AllocateRecords(Moves().bytes(), move_count, L::kMoveNameSize, room, move_names_error_);
  Moves().set_loaded(false);

  for (size_t i = 0; i < 3; ++i) {
    player_[i] = {get(L::kPlayerStarterKeys[i], -1), 0, false};
    rival_[i] = {get(L::kRivalStarterKeys[i], -1), 0, false};
  }
}

bool CExtrasRules::RomRead(platform::CFile& rom, std::string& error) {
  Classes().Free();
  if (classes_.configured()) {
    if (!ReadTable(rom, classes_, Classes().bytes(), error)) return false;
    Classes().set_loaded(true);
  }
  if (!move_names_error_.empty()) {
    error = move_names_error_;
    return false;
  }
  if (move_names_.configured()) {
    if (!ReadTable(rom, move_names_, Moves().bytes(), error)) return false;
    Moves().set_loaded(true);
  }
  for (size_t i = 0; i < 3; ++i)
    if (!ReadStarter(rom, player_[i], error) || !ReadStarter(rom, rival_[i], error)) return false;
  return true;
}

bool CExtrasRules::RomSave(platform::CFile& rom, std::string& error) {
  if (Classes().loaded() && !WriteTable(rom, classes_, Classes().bytes(), error)) return false;
  if (Moves().loaded() && !WriteTable(rom, move_names_, Moves().bytes(), error)) return false;
  for (size_t i = 0; i < 3; ++i)
    if (!WriteStarter(rom, player_[i], error) || !WriteStarter(rom, rival_[i], error)) return false;
  return true;
}

void CExtrasRules::FreeData() {
  // The move names stay until the next LoadSetting: other pages still list them.
  Classes().Free();
  for (auto* group : {&player_, &rival_})
    for (StarterSlot& slot : *group) slot.read = false;
}

std::vector<PageCopy> CExtrasRules::TableCopies() {
  std::vector<PageCopy> copies;
  if (Classes().loaded())
    copies.push_back({"classes", uint64_t(classes_.offset), L::kClassSize, Classes().bytes(),
                      [](const std::vector<uint8_t>& b) { Classes().bytes() = b; }});
  if (Moves().loaded())
    copies.push_back({"move_names", uint64_t(move_names_.offset), L::kMoveNameSize, Moves().bytes(),
                      [](const std::vector<uint8_t>& b) { Moves().bytes() = b; }});
  for (StarterGroup group : {StarterGroup::kPlayer, StarterGroup::kRival}) {
    for (int i = 0; i < 3; ++i) {
      StarterSlot& slot = Group(group)[size_t(i)];
      if (!slot.read || !StarterEnabled(group, i)) continue;
      const char* key = group == StarterGroup::kPlayer ? L::kPlayerStarterKeys[size_t(i)] : L::kRivalStarterKeys[size_t(i)];
      std::vector<uint8_t> value(L::kStarterSize);
      rom::Put16(value.data(), slot.species);
      copies.push_back({std::string("starter.") + key, uint64_t(slot.offset), L::kStarterSize, std::move(value),
                        [&slot](const std::vector<uint8_t>& b) { slot.species = rom::Get16(b.data()); }});
    }
  }
  return copies;
}

bool CExtrasRules::enabled() const { return Classes().loaded(); }

text::CRecordTable::Rename CExtrasRules::RenameClass(std::string_view typed) {
  if (!typed.empty() && !enabled()) return {};
  return Classes().RenameRecord(current_class_, typed, "クラス名を入力してください。");
}

bool CExtrasRules::StarterEnabled(StarterGroup group, int slot) const {
  if (!enabled()) return false;
  const auto& slots = Group(group);
  if (group == StarterGroup::kPlayer) return slots[size_t(slot)].offset >= 0;
  return std::all_of(slots.begin(), slots.end(), [](const StarterSlot& s) { return s.offset >= 0; });
}

bool CExtrasRules::StarterStoreEnabled(StarterGroup group) const {
  return StarterEnabled(group, 0) || StarterEnabled(group, 1) || StarterEnabled(group, 2);
}

int CExtrasRules::ShownStarter(StarterGroup group, int slot) const {
  if (group == StarterGroup::kRival && !StarterEnabled(group, slot)) return 0;
  return starter(group, slot).species;
}

void CExtrasRules::StoreStarters(StarterGroup group, const std::array<int, 3>& selections) {
  for (int i = 0; i < 3; ++i) {
    if (!StarterEnabled(group, i)) continue;
    int selection = selections[size_t(i)];
    if (selection >= 0 && selection < text::kSpeciesCount) Group(group)[size_t(i)].species = uint16_t(selection);
  }
}

std::string CExtrasRules::Subject() const { return RecordSubject("その他"); }
