#pragma once
// The item table and the rules of the item page: what a list line shows, what showing an
// item puts in the fields, what applying and renaming store.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "text/name_tables.h"

inline constexpr int kItemRecordSize = 40;
inline constexpr int kItemNameBytes = 9;

// Battle-use types, index = byte 28.
extern const std::array<const char*, 3> kBattleUseTypes;
// The pockets in the order of the game (entry = pocket value - 1).
const std::array<const char*, 5>& PocketNames(const char* game_code);

// The program-wide item table: other pages read item names from it.
class CItemStore {
 public:
  void Allocate(int32_t count);
  void Free();
  int32_t count() const { return int32_t(table_.size() / kItemRecordSize); }
  bool loaded() const { return loaded_; }
  void set_loaded(bool loaded) { loaded_ = loaded && !table_.empty(); }
  std::vector<uint8_t>& table() { return table_; }
  uint8_t* record(int32_t index);
  const uint8_t* record(int32_t index) const;
  // The list line of item `index`: its name, "%d" when the name gives no text, "%03d:%s" with
  // the duplication switch.
  std::string NameEntry(int32_t index) const;
  void FillList(text::INameList& list) const;

 private:
  std::vector<uint8_t> table_;
  bool loaded_ = false;
};

CItemStore& ItemStore();

// What showing an item puts in the dialog.
struct ItemView {
  int battle_type;  // selection of the battle-use list (may lie beyond it: no selection)
  int pocket;       // selection of the pocket list, -1 for none
  std::string price;
  std::string parameter;
  std::string description;  // "0x%X" of the description's ROM offset
};

// What applying reads from the dialog: list selections (-1: none) and the typed texts.
struct ItemInput {
  int battle_type;
  int pocket;
  std::string price;
  std::string parameter;
};

// The item page's state and its load and save passes.
class CItemPageData {
 public:
  void Init();
  void LoadSetting(const std::filesystem::path& setting_ini, const char* game_code);
  // False with the system's text in `error` on a failed or short transfer.
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();

  int32_t table_offset() const { return table_offset_; }
  int32_t current() const { return current_; }
  void set_current(int32_t index) { current_ = index; }
  bool CurrentInRange() const;

  bool Show(ItemView& view) const;
  bool Apply(const ItemInput& input);
  // Stores a typed name in the current item; the new list line in `entry`.
  text::NameStoreResult Rename(std::string_view typed, std::string& entry);

 private:
  int32_t table_offset_ = -1;
  int32_t current_ = 0;
};
