#include "editors/item/item_data.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/ini.h"
#include "core/rom_address.h"
#include "platform/error_text.h"

const std::array<const char*, 3> kBattleUseTypes = {"無し", "アイテム", "ボール"};

const std::array<const char*, 5>& PocketNames(const char* game_code) {
  static const std::array<const char*, 5> kFireRed = {"アイテム", "重要なアイテム", "ボール",
                                                      "技&秘伝マシン", "木の実"};
  static const std::array<const char*, 5> kOthers = {"アイテム", "ボール", "技&秘伝マシン", "木の実",
                                                     "重要なアイテム"};
  bool fire_red = game_code && (std::strstr(game_code, "BPRJ") || std::strstr(game_code, "BPGJ"));
  return fire_red ? kFireRed : kOthers;
}

CItemStore& ItemStore() {
  static CItemStore store;
  return store;
}

void CItemStore::Allocate(int32_t count) {
  table_.assign(count > 0 ? size_t(count) * kItemRecordSize : 0, 0);
  loaded_ = false;
}

void CItemStore::Free() {
  table_.clear();
  table_.shrink_to_fit();
  loaded_ = false;
}

uint8_t* CItemStore::record(int32_t index) {
  return index >= 0 && index < count() ? table_.data() + size_t(index) * kItemRecordSize : nullptr;
}

const uint8_t* CItemStore::record(int32_t index) const {
  return index >= 0 && index < count() ? table_.data() + size_t(index) * kItemRecordSize : nullptr;
}

std::string CItemStore::NameEntry(int32_t index) const {
  const uint8_t* item = record(index);
  if (item == nullptr) return {};
  return text::NameEntryText(text::VantariText(), item, kItemNameBytes, index, text::Switches().duplication);
}

void CItemStore::FillList(text::INameList& list) const {
  for (int32_t i = 0; i < count(); ++i) list.AddEntry(NameEntry(i));
}

namespace {

// A typed number: leading decimal digits (after an optional sign), 0 when there are none.
long long ParseDecimal(const std::string& text) {
  return std::strtoll(text.substr(0, 255).c_str(), nullptr, 10);
}

}  // namespace

void CItemPageData::Init() {
  ItemStore().Free();
  table_offset_ = -1;
  current_ = 0;
}

void CItemPageData::LoadSetting(const std::filesystem::path& setting_ini, const char* game_code) {
  CINI ini;
  int offset = -1, count = 0;
  ini.GetInt(setting_ini, game_code, "Item_Data", offset);
  ini.GetInt(setting_ini, game_code, "Item_DataNum", count);
  table_offset_ = offset;
  current_ = 0;
  if (offset == -1 || count <= 0)
    ItemStore().Free();
  else
    ItemStore().Allocate(count);
}

bool CItemPageData::RomRead(platform::CFile& rom, std::string& error) {
  CItemStore& store = ItemStore();
  if (store.count() == 0 || table_offset_ == -1) return true;
  std::vector<uint8_t>& table = store.table();
  if (table_offset_ < 0 || !rom.ReadAt(uint32_t(table_offset_), table.data(), table.size())) {
    error = table_offset_ < 0 ? platform::kShortReadText : rom.ErrorText();
    store.set_loaded(false);
    return false;
  }
  store.set_loaded(true);
  return true;
}

bool CItemPageData::RomSave(platform::CFile& rom, std::string& error) {
  CItemStore& store = ItemStore();
  if (!store.loaded() || table_offset_ < 0 || store.count() == 0) return true;
  if (!rom.WriteAt(uint32_t(table_offset_), store.table().data(), store.table().size())) {
    error = rom.ErrorText();
    return false;
  }
  return true;
}

void CItemPageData::FreeData() { ItemStore().Free(); }

bool CItemPageData::CurrentInRange() const {
  return ItemStore().loaded() && current_ >= 0 && current_ < ItemStore().count();
}

bool CItemPageData::Show(ItemView& view) const {
  if (!CurrentInRange()) return false;
  const uint8_t* item = ItemStore().record(current_);
  view.battle_type = item[28];
  view.pocket = item[22] >= 1 && item[22] <= 5 ? item[22] - 1 : -1;
  view.price = std::to_string(item[12] | item[13] << 8);
  view.parameter = std::to_string(item[15]);
  uint32_t address = uint32_t(item[16] | item[17] << 8 | item[18] << 16) | uint32_t(item[19]) << 24;
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", unsigned(address - kGbaBase));
  view.description = text;
  return true;
}

bool CItemPageData::Apply(const ItemInput& input) {
  if (!CurrentInRange()) return false;
  uint8_t* item = ItemStore().record(current_);
  item[28] = uint8_t(input.battle_type);
  item[22] = uint8_t(input.pocket < 0 ? 0 : input.pocket + 1);
  auto price = uint16_t(ParseDecimal(input.price));
  item[12] = uint8_t(price);
  item[13] = uint8_t(price >> 8);
  item[15] = uint8_t(ParseDecimal(input.parameter));
  return true;
}

text::NameStoreResult CItemPageData::Rename(std::string_view typed, std::string& entry) {
  if (typed.empty()) return text::NameStoreResult::kEmptyText;
  if (!CurrentInRange()) return text::NameStoreResult::kOutOfRange;
  text::StoreName(text::VantariText(), typed, ItemStore().record(current_), text::kItemNameField);
  entry = ItemStore().NameEntry(current_);
  return text::NameStoreResult::kStored;
}
