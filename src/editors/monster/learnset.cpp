#include "editors/monster/learnset.h"

#include <algorithm>
#include <cstdio>

#include "core/failure_text.h"
#include "core/rom_address.h"
#include "core/rom_writer.h"
#include "core/typed_fields.h"
#include "platform/error_text.h"
#include "text/shared_tables.h"

namespace {

namespace L = monster_layout;

// A place a pointer can name: the 32 MiB a cartridge address reaches. Bytes 0-2 of an address
// hold the offset within a 16 MiB half; byte 3 is 0x08, or 0x09 for the upper half.
constexpr uint32_t kPointerReach = 0x02000000;
constexpr uint32_t kHalf = 1u << (8 * L::kLearnsetPointerKept);
constexpr uint8_t kUpperHalf = 0x09;
// An address that names no place in the ROM: its list is neither read nor written.
constexpr uint32_t kNoPlace = 0xFFFFFFFF;

}  // namespace

void CLearnset::Configure(int64_t table_offset, uint64_t rom_size) {
  table_offset_ = table_offset;
  rom_size_ = rom_size;
  FreeData();
}

bool CLearnset::ReadPointers(platform::CFile& rom, std::string& error) {
  FreeData();
  if (table_offset_ < 0 || uint64_t(table_offset_) + L::kLearnsetTableSize > rom_size_) return true;
  std::vector<uint8_t> table(L::kLearnsetTableSize);
  if (!rom.ReadAt(uint64_t(table_offset_), table.data(), table.size())) {
    error = rom.ErrorText();
    return false;
  }
  pointers_.resize(L::kSpecies);
  for (int s = 0; s < L::kSpecies; ++s) {
    const uint32_t address = rom::Get32(table.data() + size_t(s) * L::kLearnsetPointerSize);
    pointers_[size_t(s)] = address >= kGbaBase && address - kGbaBase < kPointerReach ? address - kGbaBase : kNoPlace;
  }
  return true;
}

void CLearnset::FreeData() {
  pointers_.clear();
  entries_.clear();
  species_ = -1;
  read_ok_ = false;
}

uint32_t CLearnset::pointer(int species) const {
  return species >= 0 && species < int(pointers_.size()) ? pointers_[size_t(species)] : 0;
}

std::string CLearnset::Read(const std::filesystem::path& rom, int species) {
  entries_.clear();
  read_ok_ = false;
  species_ = species;
  if (!pointers_loaded() || species < 0 || species >= L::kSpecies) return {};
  platform::CFile file;
  uint64_t size = 0;
  if (!file.Open(rom, platform::OpenMode::kReadExisting) || !file.Size(size))
    return kLearnsetReadFailure + file.ErrorText();
  // The list ends at its terminator, at the cap, or where the file ends.
  const uint64_t at = pointer(species);
  if (at == kNoPlace) return std::string(kLearnsetReadFailure) + kShortReadText;
  constexpr uint64_t kMostBytes = uint64_t(L::kLearnsetReadCap) * L::kLearnsetEntrySize;
  const uint64_t available = at < size ? std::min(kMostBytes, size - at) : 0;
  if (available < L::kLearnsetEntrySize) return std::string(kLearnsetReadFailure) + kShortReadText;
  std::vector<uint8_t> bytes(static_cast<size_t>(available));
  if (!file.ReadAt(at, bytes.data(), bytes.size())) return kLearnsetReadFailure + file.ErrorText();
  for (size_t i = 0; i + L::kLearnsetEntrySize <= bytes.size(); i += L::kLearnsetEntrySize) {
    const uint16_t entry = rom::Get16(bytes.data() + i);
    if (entry == L::kLearnsetEnd) break;
    entries_.push_back(entry);
  }
  read_ok_ = true;
  return {};
}

LearnsetView CLearnset::Show() const {
  LearnsetView view;
  const text::CRecordTable& moves = text::SharedTables().moves;
  for (uint16_t entry : entries_) {
    char level[16];
    std::snprintf(level, sizeof level, "Lv:%03d ", L::LearnsetLevel(entry));
    view.lines.push_back(level + moves.Entry(L::LearnsetMove(entry)));
  }
  view.count = std::to_string(entries_.size());
  if (pointers_loaded() && species_ >= 0 && pointer(species_) != kNoPlace) {
    char address[16];
    std::snprintf(address, sizeof address, "0x%X", unsigned(pointer(species_)));
    view.address = address;
  }
  return view;
}

bool CLearnset::ShowEntry(int index, LearnsetEntryView& view) const {
  if (index < 0 || index >= count()) return false;
  const uint16_t entry = entries_[size_t(index)];
  view.level = std::to_string(L::LearnsetLevel(entry));
  const int move = L::LearnsetMove(entry);
  view.move = move < text::SharedTables().moves.count() ? move : -1;
  return true;
}

std::string CLearnset::Store(int index, int move_selection, std::string_view level) {
  if (index < 0 || index >= count()) return {};
  CTypedFields fields;
  // Without a move chosen the entry keeps its move; a move beyond the entry's nine bits is the
  // last it holds.
  const bool chosen = move_selection >= 0 && move_selection < text::SharedTables().moves.count();
  int move = int(fields.Clamp(chosen ? move_selection : L::LearnsetMove(entries_[size_t(index)]), 0,
                              L::kLearnsetMaxMove));
  const int typed = int(fields.Number(level, 1, L::kLearnsetMaxLevel));
  // The highest level with the highest move would read as the list's end.
  if (L::LearnsetEntry(typed, move) == L::kLearnsetEnd) move = int(fields.Clamp(move, 0, L::kLearnsetMaxMove - 1));
  entries_[size_t(index)] = L::LearnsetEntry(typed, move);
  return fields.Status();
}

LearnsetSwap CLearnset::Swap(int index, bool up) {
  LearnsetSwap swap;
  const int other = up ? index - 1 : index + 1;
  if (index < 0 || index >= count() || other < 0 || other >= count()) {
    swap.status = kLearnsetDeadEndText;
    return swap;
  }
  std::swap(entries_[size_t(index)], entries_[size_t(other)]);
  swap.moved = true;
  swap.selection = other;
  return swap;
}

std::string CLearnset::WriteInPlace(const std::filesystem::path& rom) const {
  // A list that was not read has nothing of its own to write over what the ROM holds.
  if (!read_ok_ || entries_.empty()) return {};
  std::vector<uint8_t> bytes(entries_.size() * L::kLearnsetEntrySize);
  for (size_t i = 0; i < entries_.size(); ++i) rom::Put16(bytes.data() + i * L::kLearnsetEntrySize, entries_[i]);
  CRomChange change(rom);
  if (!change.Open() || !change.Write(pointer(species_), bytes) || !change.Commit())
    return kLearnsetWriteFailure + change.error();
  return {};
}

LearnsetRelocation CLearnset::Relocate(const std::filesystem::path& rom, uint32_t place, int count, bool copy,
                                       const std::string& page_name) {
  LearnsetRelocation result;
  if (!pointers_loaded() || species_ < 0 || species_ >= L::kSpecies || count < 1 || place == 0) return result;
  // Copying a list that could not be read would put zeros in place of the game's entries.
  if (copy && !read_ok_) {
    result.status = FailureText(page_name, "GbaRomData_Waza_Data_Save", kLearnsetNotReadText);
    return result;
  }
  if (place >= kPointerReach) {
    char text[64];
    std::snprintf(text, sizeof text, "0x%X はポインタに収まりません。", unsigned(place));
    result.status = FailureText(page_name, "GbaRomData_Level_Addr_Save", text);
    return result;
  }
  CRomChange change(rom);
  if (!change.Open()) {
    result.status = FailureText(page_name, "GbaRomData_Waza_Data_Save", change.error());
    return result;
  }
  // The list goes only where the file already is: a count never grows the ROM or sizes a
  // buffer beyond it.
  const uint64_t length = L::LearnsetBytes(count);
  if (uint64_t(place) + length > change.size()) {
    change.Abandon();
    result.status = FailureText(page_name, "GbaRomData_Waza_Data_Save", platform::kShortWriteText);
    return result;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  for (size_t i = 0; i < size_t(count); ++i) {
    const uint16_t entry = copy && i < entries_.size() ? entries_[i] : 0;
    rom::Put16(bytes.data() + i * L::kLearnsetEntrySize, entry);
  }
  rom::Put16(bytes.data() + size_t(count) * L::kLearnsetEntrySize, L::kLearnsetEnd);
  if (!change.Write(place, bytes)) {
    result.status = FailureText(page_name, "GbaRomData_Waza_Data_Save", change.error());
    return result;
  }
  // The pointer names the new place only once the list and its terminator are there.
  const uint32_t old = pointers_[size_t(species_)];
  pointers_[size_t(species_)] = place;
  if (!WritePointers(change) || !change.Commit()) {
    pointers_[size_t(species_)] = old;
    result.status = FailureText(page_name, "GbaRomData_Level_Addr_Save", change.error());
    return result;
  }
  result.ok = true;
  result.status = Read(rom, species_);
  if (result.status.empty()) result.status = kLearnsetSavedText;
  return result;
}

bool CLearnset::WritePointers(CRomChange& change) const {
  // Byte 3 of every address is the game's: the table is taken from the file as it is now and
  // only bytes 0-2 of each address are put back; byte 3 says which 16 MiB half the place is in,
  // as it did for every address read. An address that named no place is left as the file
  // holds it.
  std::vector<uint8_t> table(L::kLearnsetTableSize);
  if (!change.Read(uint64_t(table_offset_), table.data(), table.size())) return false;
  for (size_t s = 0; s < pointers_.size(); ++s) {
    if (pointers_[s] == kNoPlace) continue;
    uint8_t* address = table.data() + s * L::kLearnsetPointerSize;
    for (size_t b = 0; b < L::kLearnsetPointerKept; ++b) address[b] = uint8_t(pointers_[s] >> (8 * b));
    address[L::kLearnsetPointerKept] = pointers_[s] >= kHalf ? kUpperHalf : uint8_t(kGbaBase >> 24);
  }
  return change.Write(table_offset_, table);
}
