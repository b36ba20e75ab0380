#include "editors/type_chart/type_chart_rules.h"

#include <algorithm>
#include <cstdio>

#include "core/ini.h"
#include "core/rom_address.h"
#include "core/rom_writer.h"
#include "core/table_io.h"
#include "core/typed_fields.h"
#include "editors/type_chart/type_chart_layout.h"
#include "text/name_tables.h"

namespace {

namespace L = type_chart_layout;

constexpr const char* kNoEndText = "相性データの終わり(0xFE 0xFE)が見つかりません。";
constexpr const char* kBadPointerText = "相性データのポインタがROMファイルを指していません。";

// The multiplier's list entry, -1 for a value the list does not hold.
int MultiplierEntry(uint8_t value) {
  for (size_t i = 0; i < L::kMultipliers.size(); ++i)
    if (L::kMultipliers[i] == value) return int(i);
  return -1;
}

std::string TypeName(uint8_t type) {
  return type < text::kTypeCount ? text::kTypeNames[type] : std::to_string(type);
}

}  // namespace

const std::array<const char*, 3> kMultiplierNames = {"無効", "半減", "2倍"};

void CTypeChartRules::Init() {
  entries_.clear();
  pointer_offset_ = -1;
  table_offset_ = 0;
  current_ = 0;
}

void CTypeChartRules::LoadSetting(const PageSetup& setup) {
  CINI ini;
  int offset = -1;
  ini.GetInt(setup.setting_ini, setup.game_code, "Compatibility", offset);
  pointer_offset_ = offset < 0 ? -1 : offset;
  rom_size_ = setup.rom_size;
  entries_.clear();
}

bool CTypeChartRules::Reread(const std::filesystem::path& rom, std::string& error) {
  platform::CFile file;
  if (!file.Open(rom, platform::OpenMode::kReadExisting)) {
    error = file.ErrorText();
    return false;
  }
  return RomRead(file, error);
}

bool CTypeChartRules::RomRead(platform::CFile& rom, std::string& error) {
  entries_.clear();
  if (pointer_offset_ == -1) return true;
  uint64_t size = 0;
  uint8_t pointer[L::kPointerSize];
  if (!rom.Size(size) || !rom.ReadAt(uint64_t(pointer_offset_), pointer, sizeof pointer)) {
    error = rom.ErrorText();
    return false;
  }
  auto offset = rom::PointerToOffset(rom::Get32(pointer), size);
  if (!offset) {
    error = kBadPointerText;
    return false;
  }
  table_offset_ = *offset;
  // The list ends at the first pair 0xFE 0xFE; a lone 0xFE inside an entry does not end it.
  // The search stops at the end of the file.
  std::vector<uint8_t> block(4096);
  uint64_t at = *offset, consumed = 0;
  bool previous_end = false, found = false;
  if (!rom.Seek(at)) {
    error = rom.ErrorText();
    return false;
  }
  while (!found && at < size) {
    size_t want = size_t(std::min<uint64_t>(block.size(), size - at));
    if (!rom.Read(block.data(), want)) {
      error = rom.ErrorText();
      return false;
    }
    for (size_t i = 0; i < want; ++i) {
      ++consumed;
      bool end = block[i] == L::kEndByte;
      if (end && previous_end) {
        found = true;
        break;
      }
      previous_end = end;
    }
    at += want;
  }
  if (!found) {
    error = kNoEndText;
    return false;
  }
  int64_t count = int64_t(consumed - L::kEndSize) / int64_t(L::kEntrySize);
  if (count < 1) return true;
  std::vector<uint8_t> entries;
  if (!ReadTable(rom, TableSpan{table_offset_, count, L::kEntrySize}, entries, error)) return false;
  entries_ = std::move(entries);
  return true;
}

bool CTypeChartRules::RomSave(platform::CFile& rom, std::string& error) {
  if (entries_.empty() || table_offset_ < 0) return true;
  return WriteTable(rom, TableSpan{table_offset_, count(), L::kEntrySize}, entries_, error);
}

void CTypeChartRules::FreeData() { entries_.clear(); }

std::vector<PageCopy> CTypeChartRules::TableCopies() {
  if (entries_.empty() || table_offset_ < 0) return {};
  return {{"type_chart", uint64_t(table_offset_), L::kEntrySize, entries_,
           [this](const std::vector<uint8_t>& b) { entries_ = b; }}};
}

bool CTypeChartRules::ReadAgain(const std::filesystem::path& rom, std::string& error) {
  platform::CFile file;
  if (!file.Open(rom, platform::OpenMode::kReadShared) || !file.Size(rom_size_)) {
    error = file.ErrorText();
    entries_.clear();
    return false;
  }
  return RomRead(file, error);
}

std::string CTypeChartRules::Line(int32_t index) const {
  if (index < 0 || index >= count()) return {};
  const uint8_t* entry = entries_.data() + size_t(index) * L::kEntrySize;
  uint8_t multiplier = entry[L::kMultiplier];
  int known = MultiplierEntry(multiplier);
  // A multiplier the page does not know is named by its value, so that it is not taken for
  // one it knows; it stays as it is until the user picks one.
  std::string caption = known >= 0 ? kMultiplierNames[size_t(known)] : "?(" + std::to_string(multiplier) + ")";
  return TypeName(entry[L::kAttacker]) + "\t" + TypeName(entry[L::kDefender]) + "\t" + caption;
}

std::optional<TypeChartView> CTypeChartRules::Show() const {
  if (!CurrentInRange()) return std::nullopt;
  const uint8_t* entry = entries_.data() + size_t(current_) * L::kEntrySize;
  auto type = [](uint8_t value) { return value < text::kTypeCount ? int(value) : -1; };
  return TypeChartView{type(entry[L::kAttacker]), type(entry[L::kDefender]), MultiplierEntry(entry[L::kMultiplier])};
}

std::optional<std::string> CTypeChartRules::Store(const TypeChartView& chosen) {
  if (!CurrentInRange()) return std::nullopt;
  uint8_t* entry = entries_.data() + size_t(current_) * L::kEntrySize;
  CTypedFields fields;
  entry[L::kAttacker] = fields.Selection(chosen.attacker, text::kTypeCount, entry[L::kAttacker]);
  entry[L::kDefender] = fields.Selection(chosen.defender, text::kTypeCount, entry[L::kDefender]);
  if (chosen.multiplier >= 0 && chosen.multiplier < int(L::kMultipliers.size()))
    entry[L::kMultiplier] = L::kMultipliers[size_t(chosen.multiplier)];
  return Line(current_);
}

bool CTypeChartRules::Relocate(const std::filesystem::path& path, uint32_t offset, int count, bool copy,
                               std::string& error) const {
  if (pointer_offset_ < 0 || count < 1) {
    error = kTableOutsideRomText;
    return false;
  }
  CRomChange change(path);
  if (!change.Open()) {
    error = change.error();
    return false;
  }
  const uint64_t size = change.size();
  uint64_t bytes = L::ListBytes(count);
  if (uint64_t(offset) + bytes > size || uint64_t(pointer_offset_) + L::kPointerSize > size) {
    change.Abandon();
    error = kTableOutsideRomText;
    return false;
  }
  std::vector<uint8_t> list(bytes, 0x00);
  if (copy) std::copy_n(entries_.begin(), std::min<size_t>(entries_.size(), bytes - L::kEndSize), list.begin());
  list[bytes - 2] = list[bytes - 1] = L::kEndByte;
  // The list and its end first: the pointer never leads to a place that is not written yet.
  uint8_t pointer[L::kPointerSize];
  rom::Put32(pointer, rom::OffsetToPointer(offset));
  if (!change.Write(offset, list) || !change.Write(pointer_offset_, pointer, sizeof pointer) || !change.Commit()) {
    error = change.error();
    return false;
  }
  return true;
}

std::string CTypeChartRules::Subject() const { return RecordSubject("相性", current_); }
