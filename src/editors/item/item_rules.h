#pragma once
// The item page's rules: its settings, its load and save passes over the program-wide item
// table, what showing an item puts in the fields, what applying and renaming store.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>
#include <string_view>

#include "core/page_adapter.h"
#include "core/page_copy.h"
#include "core/table_io.h"
#include "text/record_table.h"

// Battle-use types, index = byte 28.
extern const std::array<const char*, 3> kBattleUseTypes;
// The pockets in the order of the game (entry = pocket value - 1).
const std::array<const char*, 5>& PocketNames(const char* game_code);

// What showing an item puts in the dialog. A list index of -1 shows no selection.
struct ItemView {
  int battle_type;
  int pocket;
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

class CItemRules {
 public:
  static constexpr int kDialogId = 136;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  std::string Subject() const;

  const TableSpan& table() const { return span_; }
  // The program-wide item table, when loaded.
  std::vector<PageCopy> TableCopies();
  int32_t current() const { return current_; }
  void set_current(int32_t index) { current_ = index; }
  bool CurrentInRange() const;

  std::optional<ItemView> Show() const;
  // The status text, or nothing when no item is shown.
  std::optional<std::string> Apply(const ItemInput& input);
  text::CRecordTable::Rename Rename(std::string_view typed);

 private:
  TableSpan span_;
  int32_t current_ = 0;
};
