#include "tables/workspace.h"

#include <algorithm>
#include <cstring>

#include "core/free_space.h"
#include "core/rom_writer.h"
#include "editors/item/item_rules.h"
#include "editors/monster/monster_rules.h"
#include "editors/text/text_rules.h"
#include "editors/trainer/trainer_rules.h"
#include "editors/type_chart/type_chart_layout.h"
#include "editors/type_chart/type_chart_rules.h"
#include "platform/sjis.h"
#include "text/name_tables.h"
#include "text/shared_tables.h"

namespace tables {

namespace {

std::string Utf8(std::string_view sjis) { return platform::SjisToUtf8(sjis); }

template <size_t N>
NamedList FixedList(const std::array<const char*, N>& names, int64_t first = 0) {
  NamedList list;
  for (size_t i = 0; i < N; ++i) {
    list.values.push_back(first + int64_t(i));
    list.names.push_back(Utf8(names[i]));
  }
  return list;
}

NamedList LinesList(const std::vector<std::string>& lines) {
  NamedList list;
  for (size_t i = 0; i < lines.size(); ++i) {
    list.values.push_back(int64_t(i));
    list.names.push_back(Utf8(lines[i]));
  }
  return list;
}

size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

std::string NoCode(std::string_view character) {
  std::string text = "\"";
  text.append(character);
  text.append("\" has no code in the games' character set");
  return text;
}

}  // namespace

bool NamedList::Holds(int64_t value) const { return std::find(values.begin(), values.end(), value) != values.end(); }

std::string NamedList::NameOf(int64_t value) const {
  auto at = std::find(values.begin(), values.end(), value);
  return at == values.end() ? std::string() : names[size_t(at - values.begin())];
}

CWorkspace::CWorkspace(const TableSource& source) : source_(source), image_(source.rom) {
  for (const PageCopy& copy : source.copies) {
    if (copy.offset + copy.bytes.size() > image_.size()) continue;  // a page never holds that
    std::copy(copy.bytes.begin(), copy.bytes.end(), image_.begin() + std::ptrdiff_t(copy.offset));
  }
  original_ = image_;
  AddBlocks();
}

void CWorkspace::AddBlocks() {
  for (const PageCopy& copy : source_.copies) {
    if (copy.offset + copy.bytes.size() > image_.size() || copy.record_size == 0) continue;
    // A last record read short (the dex's) still counts.
    blocks_.push_back({copy.name, copy.offset, copy.record_size, (copy.bytes.size() + copy.record_size - 1) / copy.record_size, true});
  }
  namespace M = monster_layout;
  if (source_.machine_table >= 0 && uint64_t(source_.machine_table) + M::kSpecies * M::kMachineSize <= image_.size())
    blocks_.push_back({"tmhm", uint64_t(source_.machine_table), M::kMachineSize, size_t(M::kSpecies), false});
  if (source_.learnset_table >= 0 && uint64_t(source_.learnset_table) + M::kLearnsetTableSize <= image_.size())
    blocks_.push_back({"learnset_pointers", uint64_t(source_.learnset_table), M::kLearnsetPointerSize,
                       size_t(M::kSpecies), false});
  if (source_.chart_pointer >= 0 && uint64_t(source_.chart_pointer) + type_chart_layout::kPointerSize <= image_.size())
    blocks_.push_back({"type_chart_pointer", uint64_t(source_.chart_pointer), type_chart_layout::kPointerSize, 1, false});
}

const Block* CWorkspace::FindBlock(std::string_view name) const {
  for (const Block& block : blocks_)
    if (block.name == name) return &block;
  return nullptr;
}

bool CWorkspace::IsDirect(std::string_view block) const {
  return std::find(direct_.begin(), direct_.end(), block) != direct_.end();
}

NamedList CWorkspace::NamesFromBlock(std::string_view name, size_t name_bytes, size_t count) const {
  NamedList list;
  const Block* block = FindBlock(name);
  if (block != nullptr) count = block->count;
  for (size_t i = 0; i < count; ++i) {
    list.values.push_back(int64_t(i));
    list.names.push_back(block ? DecodeName(image_.data() + block->offset + i * block->record_size, name_bytes) : "");
  }
  return list;
}

const NamedList& CWorkspace::List(NameList id) {
  auto found = lists_.find(id);
  if (found != lists_.end()) return found->second;
  NamedList list;
  switch (id) {
    case NameList::kNone:
      break;
    case NameList::kSpecies:
      list = NamesFromBlock("species_names", text::kSpeciesNames.record_size, size_t(text::kSpeciesCount));
      break;
    case NameList::kMove: {
      const Block* moves = FindBlock("moves");
      list = NamesFromBlock("move_names", size_t(text::kMoveNames.name.size), moves ? moves->count : 0);
      break;
    }
    case NameList::kItem:
      list = NamesFromBlock("items", size_t(text::kItems.name.size), 0);
      break;
    case NameList::kTrainerClass:
      list = NamesFromBlock("classes", size_t(text::kTrainerClasses.name.size), 0);
      break;
    case NameList::kType:
      list = FixedList(text::kTypeNames);
      break;
    case NameList::kAbility:
      list = LinesList(source_.abilities);
      break;
    case NameList::kEffect:
      list = LinesList(source_.effects);
      break;
    case NameList::kGrowth:
      list = FixedList(kGrowthNames);
      break;
    case NameList::kEggGroup:
      list = FixedList(kEggGroupNames);
      break;
    case NameList::kEvolutionMethod:
      list = FixedList(kEvolutionMethodNames);
      break;
    case NameList::kPocket:
      list = FixedList(PocketNames(source_.game_code.c_str()), 1);
      break;
    case NameList::kBattleUse:
      list = FixedList(kBattleUseTypes);
      break;
    case NameList::kPartyType:
      for (int i = 0; i < trainer_layout::kDataTypeCount; ++i) {
        list.values.push_back(i);
        list.names.push_back(Utf8(kTrainerDataTypes[i]));
      }
      break;
    case NameList::kMultiplier:
      for (size_t i = 0; i < type_chart_layout::kMultipliers.size(); ++i) {
        list.values.push_back(type_chart_layout::kMultipliers[i]);
        list.names.push_back(Utf8(kMultiplierNames[i]));
      }
      break;
  }
  return lists_.emplace(id, std::move(list)).first->second;
}

std::string CWorkspace::DecodeName(const uint8_t* bytes, size_t width) const {
  std::string sjis;
  const text::CVantariText& codec = text::VantariText();
  for (size_t i = 0; i < width && bytes[i] != text::kCodeTerminator; ++i) sjis += codec.CodeToText(bytes[i]);
  return Utf8(sjis);
}

std::string CWorkspace::DecodeText(uint64_t offset, size_t& room) const {
  room = 0;
  if (offset >= image_.size()) return {};
  const size_t reach = size_t(std::min<uint64_t>(image_.size() - offset, text_editor::kMaxTextBytes));
  const uint8_t* bytes = image_.data() + offset;
  const uint8_t* end = std::find(bytes, bytes + reach, text::kCodeTerminator);
  room = size_t(end - bytes) + (end < bytes + reach ? 1 : 0);
  if (room < text_editor::kMaxTextBytes && end == bytes + reach) room = 0;  // cut off by the file's end
  return DecodeName(bytes, size_t(end - bytes));
}

bool CWorkspace::EncodeText(std::string_view utf8, std::vector<uint8_t>& codes, std::string& reason) const {
  std::string sjis;
  for (size_t at = 0; at < utf8.size();) {
    const size_t length = std::min(Utf8Length(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
    std::string_view character = utf8.substr(at, length);
    // A line break typed as a line feed alone is the games' line break too.
    if (character == "\n" && (at == 0 || utf8[at - 1] != '\r')) {
      sjis += "\r\n";
      at += length;
      continue;
    }
    const std::string converted = platform::Utf8ToSjis(character);
    if (converted.empty() || (converted == "?" && character != "?")) {
      reason = NoCode(character);
      return false;
    }
    sjis += converted;
    at += length;
  }
  std::string bad;
  if (!text::VantariText().EncodeExact(sjis, codes, bad)) {
    reason = NoCode(Utf8(bad));
    return false;
  }
  return true;
}

void CWorkspace::Problem(const Cell& cell, std::string reason) {
  problems_.push_back({cell.line, cell.column, std::move(reason)});
}

bool CWorkspace::Reserved(uint64_t at, size_t bytes) const {
  auto overlaps = [&](uint64_t start, uint64_t length) { return at < start + length && start < at + bytes; };
  for (const auto& [start, length] : reserved_)
    if (overlaps(start, length)) return true;
  for (const Block& block : blocks_)
    if (overlaps(block.offset, block.count * block.record_size)) return true;
  return false;
}

bool CWorkspace::Place(size_t bytes, Space space, uint64_t& at, std::string& reason) {
  CFinddummyspace regions;
  regions.ReadRegions(source_.setting, source_.game_code.c_str());
  std::vector<int> order;
  if (space == Space::kProfile) order = {0, 1, 2};
  if (space == Space::kRegion1) order = {0};
  if (space == Space::kRegion2) order = {1};
  if (space == Space::kRegion3) order = {2};
  for (int r : order) {
    uint32_t start = 0, length = 0;
    if (!regions.GetRegion(r, start, length)) {
      if (space != Space::kProfile) {
        reason = "the game's profile has no free-space region " + std::to_string(r + 1);
        return false;
      }
      continue;
    }
    // The finder's rule: a place starts one free word into a run of 0xFFFFFFFF words read from
    // the region's start, rounded up to a multiple of 4, and the run holds the bytes after it.
    const uint64_t end = uint64_t(start) + length;
    const uint64_t skew = (0u - start) & 3u;
    const uint64_t need = bytes + 4 + skew;
    uint64_t from = std::max<uint64_t>(cursors_[r], start);
    from = start + (from - start + 3) / 4 * 4;
    uint64_t run = 0, run_start = 0;
    for (uint64_t w = from; w < end && w + 4 <= image_.size(); w += 4) {
      const bool free = image_[w] == 0xFF && image_[w + 1] == 0xFF && image_[w + 2] == 0xFF && image_[w + 3] == 0xFF &&
                        !Reserved(w, 4);
      if (!free) {
        run = 0;
        continue;
      }
      if (run == 0) run_start = w;
      run += 4;
      if (run >= need) {
        at = (run_start + 4 + 3) / 4 * 4;
        reserved_.push_back({at, bytes});
        cursors_[r] = at + bytes;
        return true;
      }
    }
  }
  if (space != Space::kProfile && space != Space::kAppend) {
    reason = "no free space for " + std::to_string(bytes) + " bytes in the chosen region";
    return false;
  }
  // The end of the file, padded with 0xFF to a multiple of 4.
  const uint64_t padded = (uint64_t(image_.size()) + 3) / 4 * 4;
  if (padded + bytes > kCartridgeBytes) {
    reason = "no free space for " + std::to_string(bytes) + " bytes: the ROM would pass 32 MiB";
    return false;
  }
  image_.resize(size_t(padded + bytes), 0xFF);
  at = padded;
  reserved_.push_back({at, bytes});
  return true;
}

bool CColumns::Check(const std::vector<std::string>& known, const std::vector<std::string>& keys) {
  bool ok = true;
  for (size_t c = 0; c < grid_.header.size(); ++c) {
    const std::string& name = grid_.header[c];
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      work_.Problem(grid_.header_cells[c], "unknown column " + name);
      ok = false;
      continue;
    }
    index_[name] = c;
  }
  for (const std::string& key : keys) {
    if (index_.count(key) == 0) {
      work_.problems().push_back({grid_.header_cells.empty() ? 1 : grid_.header_cells[0].line, 1,
                                  "the key column " + key + " is missing"});
      ok = false;
    }
  }
  return ok;
}

const Cell* CColumns::Value(const std::vector<Cell>& row, std::string_view column) const {
  auto found = index_.find(column);
  if (found == index_.end()) return nullptr;
  const Cell& cell = row[found->second];
  return cell.present && !cell.text.empty() ? &cell : nullptr;
}

const Cell& CColumns::Any(const std::vector<Cell>& row) const {
  for (const Cell& cell : row)
    if (cell.present) return cell;
  return row.front();
}

bool CColumns::Has(std::string_view column) const { return index_.find(column) != index_.end(); }

bool ParseNumber(std::string_view text, int64_t& value) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex) text.remove_prefix(2);
  if (text.empty() || text.size() > 16) return false;
  uint64_t result = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    result = result * (hex ? 16 : 10) + uint64_t(digit);
  }
  if (result > uint64_t(INT64_MAX) / 2) return false;
  value = int64_t(result);
  return true;
}

std::string Number(int64_t value) { return std::to_string(value); }

bool ReadValue(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, const std::string& column,
               const NamedList* list, std::optional<int64_t>& value, const Cell** used) {
  value.reset();
  const Cell* number = columns.Value(row, column);
  const Cell* name = list ? columns.Value(row, NameColumn(column)) : nullptr;
  if (used) *used = number ? number : name;
  if (number == nullptr && name == nullptr) return true;
  int64_t parsed = 0;
  if (number && !ParseNumber(number->text, parsed)) {
    work.Problem(*number, column + ": " + number->text + " is not a number (decimal digits, or 0x and hexadecimal digits)");
    return false;
  }
  // With the number given, the name only has to be that entry's.
  if (name && number && list->NameOf(parsed) != name->text) {
    work.Problem(*number, column + " " + number->text + " and " + NameColumn(column) + " \"" + name->text +
                              "\" name different entries (" + number->text + " is \"" + list->NameOf(parsed) + "\")");
    return false;
  }
  if (name && !number) {
    std::vector<size_t> matches;
    for (size_t i = 0; i < list->names.size(); ++i)
      if (list->names[i] == name->text) matches.push_back(i);
    if (matches.empty()) {
      work.Problem(*name, NameColumn(column) + ": no entry is named \"" + name->text + "\"");
      return false;
    }
    if (matches.size() > 1) {
      work.Problem(*name, NameColumn(column) + ": \"" + name->text + "\" names " + std::to_string(matches.size()) +
                              " entries (" + Number(list->values[matches[0]]) + ", " + Number(list->values[matches[1]]) +
                              (matches.size() > 2 ? ", ..." : "") + "): give the number");
      return false;
    }
    parsed = list->values[matches[0]];
  }
  value = parsed;
  return true;
}

bool CheckValue(CWorkspace& work, const Cell& cell, const std::string& column, const RecordField& field,
                const NamedList* list, int64_t value, int64_t min, int64_t max) {
  if (value < min || value > max) {
    work.Problem(cell, column + ": " + Number(value) + " is outside " + Number(min) + "-" + Number(max));
    return false;
  }
  if (field.kind == FieldKind::kList && list && list->known() && !list->Holds(value)) {
    work.Problem(cell, column + ": " + Number(value) + " is not an entry of the list (" + Number(list->values.front()) +
                           "-" + Number(list->values.back()) + ")");
    return false;
  }
  return true;
}

bool ImportField(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, uint8_t* record,
                 const RecordField& field, const std::string& column, int64_t max_override) {
  const NamedList* list = field.kind == FieldKind::kList ? &work.List(field.list) : nullptr;
  std::optional<int64_t> value;
  const Cell* used = nullptr;
  if (!ReadValue(work, columns, row, column, list, value, &used) || !value) return false;
  const Cell& cell = *used;
  if (*value == int64_t(GetField(record, field))) return false;
  if (!CheckValue(work, cell, column, field, list, *value, field.min, max_override >= 0 ? max_override : field.max))
    return false;
  PutField(record, field, uint32_t(*value));
  return true;
}

bool ImportName(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, uint8_t* field,
                const std::string& column, const TextRule& rule) {
  const Cell* cell = columns.Value(row, column);
  if (cell == nullptr || cell->text == work.DecodeName(field, rule.width)) return false;
  std::vector<uint8_t> codes;
  std::string reason;
  if (!work.EncodeText(cell->text, codes, reason)) {
    work.Problem(*cell, column + ": " + reason);
    return false;
  }
  if (codes.size() > rule.max_chars()) {
    work.Problem(*cell, column + ": \"" + cell->text + "\" is longer than " + std::to_string(rule.max_chars()) +
                            " characters");
    return false;
  }
  std::copy(codes.begin(), codes.end(), field);
  if (codes.size() < rule.width) field[codes.size()] = text::kCodeTerminator;
  if (rule.force_last) field[rule.width - 1] = text::kCodeTerminator;
  return true;
}

}  // namespace tables
