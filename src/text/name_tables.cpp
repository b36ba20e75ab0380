#include "text/name_tables.h"

#include <algorithm>
#include <cstdio>

namespace text {

const std::array<const char*, kTypeCount> kTypeNames = {
    "ノーマル", "格闘", "飛行", "毒", "地面", "岩", "虫", "ゴースト", "鋼",
    "不明", "火", "水", "草", "電気", "エスパー", "氷", "ドラゴン", "悪",
};

DisplaySwitches& Switches() {
  static DisplaySwitches switches;
  return switches;
}

CNameTables& NameTables() {
  static CNameTables tables;
  return tables;
}

std::string NameEntryText(const CVantariText& codec, const uint8_t* bytes, int count, int index,
                          bool numbered) {
  std::string decoded;
  codec.binary2string(bytes, count, decoded);
  char number[16];
  if (decoded.empty()) {
    std::snprintf(number, sizeof number, "%d", index);
    return number;
  }
  if (!numbered) return decoded;
  std::snprintf(number, sizeof number, "%03d:", index);
  return number + decoded;
}

NameStoreResult StoreName(const CVantariText& codec, std::string_view typed, uint8_t* field,
                          NameField layout) {
  if (typed.empty()) return NameStoreResult::kEmptyText;
  std::vector<uint8_t> encoded;
  codec.string2binary(typed, encoded);
  encoded.resize(std::max<size_t>(encoded.size(), size_t(layout.size)), 0x00);
  std::copy_n(encoded.begin(), layout.size, field);
  if (std::find(field, field + layout.size, kCodeTerminator) == field + layout.size)
    field[layout.terminator_pos] = kCodeTerminator;
  return NameStoreResult::kStored;
}

uint8_t* CNameTables::species_name(int index) {
  if (index < 0 || index >= kSpeciesCount) return nullptr;
  return species_.data() + index * kSpeciesNameSize;
}

void CNameTables::ResetMoves(int attack_num) {
  moves_.assign(size_t(std::max(attack_num, 0)) * kMoveNameSlotSize, 0);
}

uint8_t* CNameTables::move_name(int index) {
  if (index < 0 || index >= move_count()) return nullptr;
  return moves_.data() + size_t(index) * kMoveNameSlotSize;
}

void CNameTables::ResetClasses(int32_t count) {
  classes_.assign(count > 0 ? size_t(count) * kClassRecordSize : 0, 0);
}

uint8_t* CNameTables::class_record(int index) {
  if (index < 0 || index >= class_count()) return nullptr;
  return classes_.data() + size_t(index) * kClassRecordSize;
}

std::string CNameTables::SpeciesEntry(int index) const {
  return NameEntryText(VantariText(), species_.data() + index * kSpeciesNameSize,
                       kSpeciesNameSize, index, Switches().viewnumber);
}

std::string CNameTables::MoveEntry(int index) const {
  return NameEntryText(VantariText(), moves_.data() + size_t(index) * kMoveNameSlotSize,
                       kMoveNameField.size, index, Switches().duplication);
}

std::string CNameTables::ClassEntry(int index) const {
  return NameEntryText(VantariText(), classes_.data() + size_t(index) * kClassRecordSize,
                       kClassNameField.size, index, Switches().duplication);
}

void CNameTables::FillSpeciesList(INameList& list) const {
  for (int i = 0; i < kSpeciesCount; ++i) list.AddEntry(SpeciesEntry(i));
}

void CNameTables::FillMoveList(INameList& list) const {
  for (int i = 0; i < move_count(); ++i) list.AddEntry(MoveEntry(i));
}

void CNameTables::FillClassList(INameList& list) const {
  for (int i = 0; i < class_count(); ++i) list.AddEntry(ClassEntry(i));
}

void CNameTables::FillTypeList(INameList& list) {
  for (const char* name : kTypeNames) list.AddEntry(name);
}

NameStoreResult CNameTables::StoreSpeciesName(int index, std::string_view typed) {
  uint8_t* field = species_name(index);
  if (field == nullptr) return NameStoreResult::kOutOfRange;
  return StoreName(VantariText(), typed, field, kSpeciesNameField);
}

NameStoreResult CNameTables::StoreMoveName(int index, std::string_view typed) {
  uint8_t* field = move_name(index);
  if (field == nullptr) return NameStoreResult::kOutOfRange;
  return StoreName(VantariText(), typed, field, kMoveNameField);
}

NameStoreResult CNameTables::StoreClassName(int index, std::string_view typed) {
  uint8_t* field = class_record(index);
  if (field == nullptr) return NameStoreResult::kOutOfRange;
  return StoreName(VantariText(), typed, field, kClassNameField);
}

}  // namespace text
