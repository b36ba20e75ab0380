#include "editors/monster/monster_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/ini.h"
#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/text/text_rules.h"
#include "text/name_file.h"
#include "text/shared_tables.h"

namespace {

namespace L = monster_layout;

text::CRecordTable& SpeciesNames() { return text::SharedTables().species; }

// Dex numbers of species 301-411, in species order. 358 and 359 follow the -25 rule.
constexpr int16_t kLateDex[] = {
    290, 291, 292, 276, 277, 285, 286, 327, 278, 279, 283, 284, 320, 321, 300, 301, 352, 343, 344,
    299, 324, 302, 339, 340, 370, 341, 342, 349, 350, 318, 319, 328, 329, 330, 296, 297, 309, 310,
    322, 323, 363, 364, 365, 331, 332, 361, 362, 337, 338, 298, 325, 326, 311, 312, 303, 307, 308,
    333, 334, 360, 355, 356, 315, 287, 288, 289, 316, 317, 357, 293, 294, 295, 366, 367, 368, 359,
    353, 354, 336, 335, 369, 304, 305, 306, 351, 313, 314, 345, 346, 347, 348, 280, 281, 282, 371,
    372, 373, 374, 375, 376, 377, 378, 379, 382, 383, 384, 380, 381, 385, 386, 358};
static_assert(std::size(kLateDex) == 111);

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", unsigned(value));
  return text;
}

std::string Tenths(uint16_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%0.01f", value / 10.0);
  return text;
}

// A height or weight typed in units: stored in tenths, rounded at the twentieth.
uint16_t StoreTenths(CTypedFields& fields, std::string_view typed) {
  std::string text(typed);
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  char* end = nullptr;
  float value = std::strtof(begin, &end);
  bool number = end != begin;
  while (number && (*end == ' ' || *end == '\t')) ++end;
  if (!number || *end != '\0') fields.Clamp(-1, 0, 0);  // no number, or more than one
  if (!number) value = 0;
  float scaled = (value + 0.05f) * 10.0f;
  if (std::isnan(scaled)) return uint16_t(fields.Clamp(-1, 0, 0));
  if (scaled >= 65535.0f) return uint16_t(fields.Clamp(65535, 0, 65534));
  if (scaled <= -1.0f) return uint16_t(fields.Clamp(-1, 0, 65534));
  return uint16_t(fields.Clamp(int64_t(scaled), 0, 65534));
}

// A list's selection into a field of `max`: a selection outside the list keeps `old`.
int Pick(CTypedFields& fields, int selection, int count, int max, int old) {
  if (selection < 0 || selection >= count) return old;
  return int(fields.Clamp(selection, 0, max));
}

// The encoding of a typed description: false when the codec gives nothing usable.
bool Encode(std::string_view typed, std::vector<uint8_t>& bytes) {
  return text::VantariText().string2binary(typed, bytes);
}

// Offsets inside the ROM file from the description's GBA address; a value that is no cartridge
// address (0x08000000-0x09FFFFFF) gives an offset no file reaches, so nothing is read or written.
uint64_t DescriptionOffset(uint32_t address) {
  if ((address & 0xFE000000u) != kGbaBase) return UINT64_MAX;
  return address & ~kGbaBase;
}

bool ReadDescription(const std::filesystem::path& rom, uint32_t address, text_editor::LoadedText& text,
                     std::string& status) {
  std::string error;
  if (text_editor::LoadText(rom, DescriptionOffset(address), text, error) && text.permitted > 0) return true;
  if (error.empty() || error == text_editor::kOutsideRom) error = kShortReadText;
  status = std::string(kDescriptionReadFailure) + error;
  return false;
}

// The runs of an evolution slot the editor owns: the method, and the parameter with the target.
constexpr std::array<L::Run, 2> kEvolutionRuns = {{{L::kEvolutionMethod, 1}, {L::kEvolutionParameter, 4}}};

// Writes the runs of every record of `memory` over the table at `span`: the bytes between them
// are the game's, taken from the file as it is now and put back as they were. One read and one
// write for the whole table.
template <size_t N>
bool WriteRuns(platform::CFile& rom, const TableSpan& span, size_t record_size, const std::array<L::Run, N>& runs,
               const std::vector<uint8_t>& memory, std::string& error) {
  std::vector<uint8_t> table(size_t(span.bytes()));
  if (!rom.ReadAt(uint64_t(span.offset), table.data(), table.size())) {
    error = rom.ErrorText();
    return false;
  }
  for (size_t record = 0; record < table.size(); record += record_size)  // the last dex record is short
    for (const L::Run& run : runs)
      std::memcpy(table.data() + record + run.offset, memory.data() + record + run.offset, run.length);
  if (!rom.WriteAt(uint64_t(span.offset), table.data(), table.size())) {
    error = rom.ErrorText();
    return false;
  }
  return true;
}

}  // namespace

const std::array<const char*, L::kEvolutionMethods> kEvolutionMethodNames = {
    "進化無し", "懐き度220以上", "*1:午後",  "*1:午前",   "レベルアップ", "通信交換", "*2:通信交換", "アイテム使って",
    "攻撃>防御", "攻撃=防御",    "攻撃<防御", "*3:が4以下", "*3:が5以上",  "*4:増殖", "*4:増殖2",    "*5:"};

EvolutionKind EvolutionKindOf(int method) {
  switch (method) {
    case 1: case 2: case 3: case 5:
      return EvolutionKind::kPlain;
    case 4: case 8: case 9: case 10: case 11: case 12: case 13: case 14:
      return EvolutionKind::kLevel;
    case 6: case 7: case 15:
      return EvolutionKind::kItem;
    default:  // no evolution, or a method beyond the list
      return EvolutionKind::kOff;
  }
}

const std::array<const char*, 6> kGrowthNames = {"100万", "60万", "164万", "105万", "80万", "125万"};
const std::array<const char*, 16> kEggGroupNames = {
    "不明",      "かいじゅう", "すいちゅう1", "むし",       "ひこう",   "りくじょう", "ようせい", "しょくぶつ",
    "ひとがた", "すいちゅう3", "こうぶつ",   "ふていけい", "すいちゅう2", "メタモン",  "ドラゴン", "卵未発見"};

int SpeciesToDex(int species) {
  if (species < 0 || species >= L::kSpecies) return -1;
  if (species <= 251) return species;
  if (species <= 276) return 0;
  if (species <= 300) return species - 25;
  return kLateDex[species - 301];
}

void CMonsterRules::Init() {
  current_ = 0;
  stats_span_ = {-1, L::kSpecies, L::kStatsSize};
  dex_span_ = {-1, 1, L::kDexSize * (L::kDexEntries - 1) + L::kDexReadSize};
  names_span_ = {-1, L::kSpecies, text::kSpeciesNames.record_size};
  evolution_span_ = {-1, L::kSpecies * L::kEvolutionSlots, L::kEvolutionSize};
  learnset_offset_ = machine_offset_ = -1;
  machine_.Configure(-1, 0);
  learnset_.Configure(-1, 0);
  FreeData();
  abilities_.clear();
}

void CMonsterRules::LoadSetting(const PageSetup& setup) {
  CINI ini;
  auto offset = [&](const char* key) {
    int value = -1;
    ini.GetInt(setup.setting_ini, setup.game_code, key, value);
    return int64_t(value);
  };
  stats_span_.offset = offset("MonsterBaseStats_Pos");
  evolution_span_.offset = offset("Monster_Evol_Data_Pos");
  dex_span_.offset = offset("MonsterDexData");
  learnset_offset_ = offset("Level_Skill");
  learnset_.Configure(learnset_offset_, setup.rom_size);
  machine_offset_ = offset("Skill_Machine");
  machine_.Configure(machine_offset_, setup.rom_size);
  names_span_.offset = offset("Name_Start_Pos");
  std::string_view code = setup.game_code;
  flee_rate_used_ = code.find("BPRJ") != code.npos || code.find("BPGJ") != code.npos;
  abilities_file_ = setup.setting_ini.parent_path() / "tokusei.ini";
  FreeData();
}

bool CMonsterRules::RomRead(platform::CFile& rom, std::string& error) {
  FreeData();
  if (names_span_.configured()) {
    if (!ReadTable(rom, names_span_, SpeciesNames().bytes(), error)) {
      SpeciesNames().Reset(L::kSpecies);
      return false;
    }
    SpeciesNames().set_loaded(true);
  }
  if (stats_span_.configured() && !ReadTable(rom, stats_span_, stats_, error)) return false;
  if (dex_span_.configured()) {
    if (!ReadTable(rom, dex_span_, dex_, error)) return false;
    dex_.resize(L::kDexSize * L::kDexEntries);  // the last record's unread tail
  }
  if (evolution_span_.configured() && !ReadTable(rom, evolution_span_, evolutions_, error)) return false;
  return learnset_.ReadPointers(rom, error);
}

bool CMonsterRules::RomSave(platform::CFile& rom, std::string& error) {
  if (SpeciesNames().loaded() && !WriteTable(rom, names_span_, SpeciesNames().bytes(), error)) return false;
  if (loaded() && !WriteTable(rom, stats_span_, stats_, error)) return false;
  if (dex_loaded() && !WriteRuns(rom, dex_span_, L::kDexSize, L::kDexRuns, dex_, error)) return false;
  if (evolutions_loaded() &&
      !WriteRuns(rom, evolution_span_, L::kEvolutionSize, kEvolutionRuns, evolutions_, error))
    return false;
  return true;
}

void CMonsterRules::FreeData() {
  SpeciesNames().Reset(L::kSpecies);
  stats_.clear();
  stats_.shrink_to_fit();
  dex_.clear();
  dex_.shrink_to_fit();
  evolutions_.clear();
  evolutions_.shrink_to_fit();
  learnset_.FreeData();
  capacity_dex_ = -1;
  capacity_ = 0;
  machine_.Discard();  // bits read from the ROM before are never written into another
}

std::vector<PageCopy> CMonsterRules::TableCopies() {
  std::vector<PageCopy> copies;
  if (names_loaded())
    copies.push_back({"species_names", uint64_t(names_span_.offset), text::kSpeciesNames.record_size,
                      SpeciesNames().bytes(), [](const std::vector<uint8_t>& b) { SpeciesNames().bytes() = b; }});
  if (loaded())
    copies.push_back({"base_stats", uint64_t(stats_span_.offset), L::kStatsSize, stats_,
                      [this](const std::vector<uint8_t>& b) { stats_ = b; }});
  if (dex_loaded()) {
    // The last record is read only up to its last field: the bytes after it are not the page's.
    std::vector<uint8_t> read(dex_.begin(), dex_.begin() + std::ptrdiff_t(dex_span_.bytes()));
    copies.push_back({"dex", uint64_t(dex_span_.offset), L::kDexSize, std::move(read),
                      [this](const std::vector<uint8_t>& b) { std::copy(b.begin(), b.end(), dex_.begin()); }});
  }
  if (evolutions_loaded())
    copies.push_back({"evolutions", uint64_t(evolution_span_.offset), L::kEvolutionRecord, evolutions_,
                      [this](const std::vector<uint8_t>& b) { evolutions_ = b; }});
  return copies;
}

void CMonsterRules::ReadDirectAgain(const std::filesystem::path& rom) {
  capacity_dex_ = -1;
  capacity_ = 0;
  platform::CFile file;
  std::string error;
  if (learnset_.pointers_loaded() && file.Open(rom, platform::OpenMode::kReadShared)) {
    const int species = learnset_.species();
    learnset_.ReadPointers(file, error);
    file.Close();
    if (species >= 0) learnset_.Read(rom, species);
  }
  if (machine_.loaded_species() >= 0) {
    std::string status;
    machine_.Load(rom, machine_.loaded_species(), status);
  }
}

bool CMonsterRules::names_loaded() const { return SpeciesNames().loaded(); }

const uint8_t* CMonsterRules::stats(int32_t species) const {
  return loaded() && species >= 0 && species < L::kSpecies ? stats_.data() + size_t(species) * L::kStatsSize
                                                           : nullptr;
}

uint8_t* CMonsterRules::mutable_stats(int32_t species) { return const_cast<uint8_t*>(stats(species)); }

const uint8_t* CMonsterRules::dex(int32_t number) const {
  return dex_loaded() && number >= 0 && number < L::kDexEntries ? dex_.data() + size_t(number) * L::kDexSize
                                                                : nullptr;
}

uint8_t* CMonsterRules::mutable_dex(int32_t number) { return const_cast<uint8_t*>(dex(number)); }

const uint8_t* CMonsterRules::evolution(int32_t species, int slot) const {
  if (!evolutions_loaded() || species < 0 || species >= L::kSpecies || slot < 0 || slot >= L::kEvolutionSlots)
    return nullptr;
  return evolutions_.data() + size_t(species) * L::kEvolutionRecord + size_t(slot) * L::kEvolutionSize;
}

std::optional<EvolutionView> CMonsterRules::ShowEvolution(int slot) const {
  const uint8_t* e = evolution(current_, slot);
  if (e == nullptr) return std::nullopt;
  const int method = e[L::kEvolutionMethod];
  const uint16_t parameter = rom::Get16(e + L::kEvolutionParameter);
  EvolutionView view;
  view.kind = EvolutionKindOf(method);
  view.method = method < L::kEvolutionMethods ? method : -1;
  view.level = std::to_string(parameter);
  view.item = parameter;
  view.target = rom::Get16(e + L::kEvolutionTarget);
  return view;
}

bool CMonsterRules::SelectEvolutionMethod(int slot, int selection) {
  uint8_t* e = const_cast<uint8_t*>(evolution(current_, slot));
  if (e == nullptr || selection < 0 || selection >= L::kEvolutionMethods) return false;
  e[L::kEvolutionMethod] = uint8_t(selection);
  return true;
}

void CMonsterRules::ApplyEvolution(const MonsterInput& input, CTypedFields& fields) {
  uint8_t* e = const_cast<uint8_t*>(evolution(current_, input.evolution_slot));
  if (e == nullptr) return;
  // The method decides what else is stored; a list without a choice keeps what it held.
  const uint8_t method = fields.Selection(input.evolution_method, L::kEvolutionMethods, e[L::kEvolutionMethod]);
  e[L::kEvolutionMethod] = method;
  uint16_t parameter = rom::Get16(e + L::kEvolutionParameter);
  switch (EvolutionKindOf(method)) {
    case EvolutionKind::kOff:
      return;  // neither a parameter nor a target
    case EvolutionKind::kPlain:
      parameter = 0;
      break;
    case EvolutionKind::kLevel:
      parameter = uint16_t(fields.Number(input.evolution_level, 0, 100));
      break;
    case EvolutionKind::kItem:
      // An item beyond the games' 999 is no item at all.
      if (const int item = input.evolution_item; item >= 0 && item < text::SharedTables().items.count())
        parameter = item > 999 ? uint16_t(fields.Clamp(-1, 0, 0)) : uint16_t(item);
      break;
  }
  rom::Put16(e + L::kEvolutionParameter, parameter);
  rom::Put16(e + L::kEvolutionTarget, uint16_t(Pick(fields, input.evolution_target, L::kSpecies, 65534,
                                                     rom::Get16(e + L::kEvolutionTarget))));
}

bool CMonsterRules::ReadAbilities() { return text::ReadNameLines(abilities_file_, abilities_); }

std::string CMonsterRules::DexEntry(int32_t number) const {
  const uint8_t* record = dex(number);
  if (record == nullptr) return {};
  return text::NameEntryText(text::VantariText(), record + L::kDexName, int(L::kDexNameSize), number,
                             text::SharedTables().switches.viewnumber);
}

std::optional<MonsterView> CMonsterRules::ShowSpecies() const {
  const uint8_t* s = stats(current_);
  if (s == nullptr) return std::nullopt;
  MonsterView view;
  int total = 0;
  uint16_t effort = rom::Get16(s + L::kEffort);
  for (size_t i = 0; i < L::kBaseStatCount; ++i) {
    view.base[i] = std::to_string(s[L::kHp + i]);
    total += s[L::kHp + i];
    view.effort[i] = std::to_string(effort >> (L::kEffortBits * i) & 3);
  }
  view.total = std::to_string(total);
  view.catch_rate = std::to_string(s[L::kCatchRate]);
  view.exp_yield = std::to_string(s[L::kExpYield]);
  view.gender = std::to_string(s[L::kGender]);
  view.egg_steps = std::to_string(s[L::kEggSteps] * L::kEggStepUnit);
  view.friendship = std::to_string(s[L::kFriendship]);
  if (flee_rate_used_) view.flee_rate = std::to_string(s[L::kFleeRate]);
  view.type1 = s[L::kType1];
  view.type2 = s[L::kType2];
  view.item_common = rom::Get16(s + L::kItemCommon);
  view.item_rare = rom::Get16(s + L::kItemRare);
  view.growth = s[L::kGrowth];
  view.egg_group1 = s[L::kEggGroup1];
  view.egg_group2 = s[L::kEggGroup2];
  view.ability1 = s[L::kAbility1];
  view.ability2 = s[L::kAbility2];
  view.dex = SpeciesToDex(current_);
  return view;
}

std::string CMonsterRules::ApplySpecies(const MonsterInput& input) {
  uint8_t* s = mutable_stats(current_);
  if (s == nullptr) return {};
  CTypedFields fields;
  for (size_t i = 0; i < L::kBaseStatCount; ++i) s[L::kHp + i] = fields.Byte(input.base[i]);
  s[L::kCatchRate] = fields.Byte(input.catch_rate);
  s[L::kExpYield] = fields.Byte(input.exp_yield);
  s[L::kGender] = fields.Byte(input.gender);
  // Steps are typed; the record holds whole units of 256 (the division comes before the range).
  int64_t steps = fields.Number(input.egg_steps, INT32_MIN, INT32_MAX);
  s[L::kEggSteps] = uint8_t(fields.Clamp(steps / L::kEggStepUnit, 0, 255));
  s[L::kFriendship] = fields.Byte(input.friendship);
  if (flee_rate_used_) s[L::kFleeRate] = fields.Byte(input.flee_rate);

  uint16_t effort = 0;
  for (size_t i = 0; i < L::kBaseStatCount; ++i)
    effort |= uint16_t(fields.Number(input.effort[i], 0, 3) << (L::kEffortBits * i));
  rom::Put16(s + L::kEffort, effort);

  const int types = text::kTypeCount, items = text::SharedTables().items.count();
  const int abilities = int(abilities_.size()), groups = int(kEggGroupNames.size());
  s[L::kType1] = uint8_t(Pick(fields, input.type1, types, 240, s[L::kType1]));
  s[L::kType2] = uint8_t(Pick(fields, input.type2, types, 240, s[L::kType2]));
  rom::Put16(s + L::kItemCommon,
             uint16_t(Pick(fields, input.item_common, items, 65534, rom::Get16(s + L::kItemCommon))));
  rom::Put16(s + L::kItemRare, uint16_t(Pick(fields, input.item_rare, items, 65534, rom::Get16(s + L::kItemRare))));
  s[L::kGrowth] = uint8_t(Pick(fields, input.growth, int(kGrowthNames.size()), 239, s[L::kGrowth]));
  s[L::kEggGroup1] = uint8_t(Pick(fields, input.egg_group1, groups, 255, s[L::kEggGroup1]));
  s[L::kEggGroup2] = uint8_t(Pick(fields, input.egg_group2, groups, 255, s[L::kEggGroup2]));
  s[L::kAbility1] = uint8_t(Pick(fields, input.ability1, abilities, 100, s[L::kAbility1]));
  s[L::kAbility2] = uint8_t(Pick(fields, input.ability2, abilities, 100, s[L::kAbility2]));
  ApplyEvolution(input, fields);
  return fields.Status();
}

text::CRecordTable::Rename CMonsterRules::RenameSpecies(std::string_view typed) {
  if (!typed.empty() && !names_loaded()) return {};
  return SpeciesNames().RenameRecord(current_, typed, kNamePromptText);
}

DexView CMonsterRules::ShowDex(int32_t number, const std::filesystem::path& rom) {
  DexView view;
  const uint8_t* record = dex(number);
  if (record == nullptr) return view;
  uint32_t address = rom::Get32(record + L::kDexDescription);
  view.address = Hex(address);
  view.height = Tenths(rom::Get16(record + L::kDexHeight));
  view.weight = Tenths(rom::Get16(record + L::kDexWeight));
  text_editor::LoadedText text;
  capacity_dex_ = number;
  capacity_ = ReadDescription(rom, address, text, view.status) ? text.permitted : 0;
  if (capacity_ > 0) {
    view.description = std::move(text.text);
    view.size = Hex(uint32_t(capacity_));
  }
  return view;
}

text::CRecordTable::Rename CMonsterRules::RenameDex(int32_t number, std::string_view typed) {
  text::CRecordTable::Rename result;
  uint8_t* record = mutable_dex(number);
  if (record == nullptr) return result;
  if (typed.empty()) {
    result.status = kNamePromptText;
    return result;
  }
  std::vector<uint8_t> bytes;
  text::VantariText().string2binary(typed, bytes);
  // Five bytes as encoded, zero where the encoding is shorter; no terminator is forced.
  for (size_t i = 0; i < L::kDexNameSize; ++i) record[L::kDexName + i] = i < bytes.size() ? bytes[i] : 0;
  result.stored = true;
  result.entry = DexEntry(number);
  return result;
}

std::string CMonsterRules::StoreDexSize(int32_t number, std::string_view height, std::string_view weight) {
  uint8_t* record = mutable_dex(number);
  if (record == nullptr) return kNoDexSelectedText;
  CTypedFields fields;
  rom::Put16(record + L::kDexHeight, StoreTenths(fields, height));
  rom::Put16(record + L::kDexWeight, StoreTenths(fields, weight));
  return fields.Status();
}

bool CMonsterRules::DexSize(int32_t number, std::string& height, std::string& weight) const {
  const uint8_t* record = dex(number);
  if (record == nullptr) return false;
  height = Tenths(rom::Get16(record + L::kDexHeight));
  weight = Tenths(rom::Get16(record + L::kDexWeight));
  return true;
}

int CMonsterRules::Capacity(int32_t number, const std::filesystem::path& rom, std::string& status) {
  if (number == capacity_dex_) return capacity_;
  // The text on show belongs to another record: its room says nothing about this one.
  text_editor::LoadedText text;
  if (!ReadDescription(rom, rom::Get32(dex(number) + L::kDexDescription), text, status)) return 0;
  capacity_dex_ = number;
  capacity_ = text.permitted;
  return capacity_;
}

std::string CMonsterRules::WriteDescription(const std::filesystem::path& rom, std::string_view typed) {
  int32_t number = SpeciesToDex(current_);
  if (dex(number) == nullptr) return {};
  std::vector<uint8_t> bytes;
  if (!Encode(typed, bytes)) return {};
  std::string status;
  size_t room = size_t(Capacity(number, rom, status));
  if (!status.empty()) return status;
  if (bytes.size() >= room) {
    bytes.resize(room);
    if (!bytes.empty()) bytes.back() = text::kCodeTerminator;
  }
  if (bytes.empty()) return {};
  std::string error;
  uint64_t offset = DescriptionOffset(rom::Get32(dex(number) + L::kDexDescription));
  if (!text_editor::WriteText(rom, offset, bytes, error)) return std::string(kDescriptionWriteFailure) + error;
  return kStatusDone;
}

std::vector<uint8_t> CMonsterRules::EncodeDescription(std::string_view typed, std::string& status) const {
  std::vector<uint8_t> bytes;
  if (!Encode(typed, bytes)) {
    status = kEncodeFailureText;
    bytes.clear();
  } else if (bytes.empty()) {
    status = kEmptyDescriptionText;
  }
  return bytes;
}

DescriptionMove CMonsterRules::MoveDescription(const std::filesystem::path& rom, uint32_t offset,
                                               const std::vector<uint8_t>& bytes) {
  DescriptionMove result;
  int32_t number = SpeciesToDex(current_);
  uint8_t* record = mutable_dex(number);
  if (record == nullptr || bytes.empty() || offset == 0) return result;
  // The text goes to its new place first; the record points there only once it is written.
  std::string error;
  if (!text_editor::WriteText(rom, offset, bytes, error)) {
    result.status = std::string(kDescriptionWriteFailure) + error;
    return result;
  }
  rom::Put32(record + L::kDexDescription, rom::OffsetToPointer(offset));
  capacity_dex_ = number;
  capacity_ = int(bytes.size());
  result.moved = true;
  result.status = kMovedText;
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", unsigned(rom::OffsetToPointer(offset)));
  result.address = text;
  std::snprintf(text, sizeof text, "0x%X", unsigned(bytes.size()));
  result.size = text;
  return result;
}

std::string CMonsterRules::Subject() const { return RecordSubject("ヴァンタリ", current_); }
