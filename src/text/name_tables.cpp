#include "text/name_tables.h"

#include <algorithm>
#include <cstdio>

namespace text {

const std::array<const char*, kTypeCount> kTypeNames = {
    "ノーマル", "格闘", "飛行", "毒", "地面", "岩", "虫", "ゴースト", "鋼",
    "不明", "火", "水", "草", "電気", "エスパー", "氷", "ドラゴン", "悪",
};

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

void FillTypeList(INameList& list) {
  for (const char* name : kTypeNames) list.AddEntry(name);
}

}  // namespace text
