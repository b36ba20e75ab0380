#include "editors/item/item_rules.h"

#include <cstdio>
#include <cstring>

#include "core/ini.h"
#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/item/item_layout.h"
#include "text/shared_tables.h"

namespace {

namespace L = item_layout;

text::CRecordTable& Items() { return text::SharedTables().items; }

}  // namespace

const std::array<const char*, 3> kBattleUseTypes = {"無し", "アイテム", "ボール"};

const std::array<const char*, 5>& PocketNames(const char* game_code) {
  static const std::array<const char*, 5> kFireRed = {"アイテム", "重要なアイテム", "ボール",
                                                      "技&秘伝マシン", "木の実"};
  static const std::array<const char*, 5> kOthers = {"アイテム", "ボール", "技&秘伝マシン", "木の実",
                                                     "重要なアイテム"};
  bool fire_red = game_code && (std::strstr(game_code, "BPRJ") || std::strstr(game_code, "BPGJ"));
  return fire_red ? kFireRed : kOthers;
}

void CItemRules::Init() {
  Items().Free();
  span_ = {-1, 0, L::kSize};
  current_ = 0;
}

void CItemRules::LoadSetting(const PageSetup& setup) {
  span_ = SettingSpan(setup, "Item_Data", "Item_DataNum", L::kSize);
  current_ = 0;
  Items().Free();
}

bool CItemRules::RomRead(platform::CFile& rom, std::string& error) {
  Items().Free();
  if (span_.offset == -1 || span_.count <= 0) return true;
  if (!ReadTable(rom, span_, Items().bytes(), error)) return false;
  Items().set_loaded(true);
  return true;
}

bool CItemRules::RomSave(platform::CFile& rom, std::string& error) {
  if (!Items().loaded() || !span_.configured()) return true;
  return WriteTable(rom, span_, Items().bytes(), error);
}

std::vector<PageCopy> CItemRules::TableCopies() {
  if (!Items().loaded() || !span_.configured()) return {};
  return {{"items", uint64_t(span_.offset), L::kSize, Items().bytes(),
           [](const std::vector<uint8_t>& b) { Items().bytes() = b; }}};
}

void CItemRules::FreeData() { Items().Free(); }

bool CItemRules::CurrentInRange() const {
  return Items().loaded() && current_ >= 0 && current_ < Items().count();
}

std::optional<ItemView> CItemRules::Show() const {
  if (!CurrentInRange()) return std::nullopt;
  const uint8_t* item = Items().record(current_);
  ItemView view;
  view.battle_type = item[L::kBattleUse] < kBattleUseTypes.size() ? item[L::kBattleUse] : -1;
  int pocket = item[L::kPocket];
  view.pocket = pocket >= 1 && pocket <= 5 ? pocket - 1 : -1;
  view.price = std::to_string(rom::Get16(item + L::kPrice));
  view.parameter = std::to_string(item[L::kParameter]);
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", unsigned(rom::Get32(item + L::kDescription) - kGbaBase));
  view.description = text;
  return view;
}

std::optional<std::string> CItemRules::Apply(const ItemInput& input) {
  if (!CurrentInRange()) return std::nullopt;
  uint8_t* item = Items().record(current_);
  CTypedFields fields;
  item[L::kBattleUse] = fields.Selection(input.battle_type, int(kBattleUseTypes.size()), item[L::kBattleUse]);
  // The pocket byte is 1-based; with no pocket chosen it keeps what it held.
  item[L::kPocket] = input.pocket >= 0 && input.pocket < 5 ? uint8_t(input.pocket + 1) : item[L::kPocket];
  rom::Put16(item + L::kPrice, fields.Half(input.price));
  item[L::kParameter] = fields.Byte(input.parameter);
  return fields.Status();
}

text::CRecordTable::Rename CItemRules::Rename(std::string_view typed) {
  if (!typed.empty() && !CurrentInRange()) return {};
  return Items().RenameRecord(current_, typed, "アイテム名を入力してください。");
}

std::string CItemRules::Subject() const { return RecordSubject("アイテム", current_); }
