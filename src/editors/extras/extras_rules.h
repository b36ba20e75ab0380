#pragma once
// The extras page's rules: the program-wide trainer-class and move-name tables it reads and
// writes for every page, the class rename, and the player's and rival's starters.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>
#include <string_view>

#include "core/page_adapter.h"
#include "core/page_copy.h"
#include "core/table_io.h"
#include "text/record_table.h"

// One starter: a 16-bit species index at an offset of its own (-1: not configured).
struct StarterSlot {
  int64_t offset = -1;
  uint16_t species = 0;
  bool read = false;  // read by this load, so written back by its save
};

enum class StarterGroup { kPlayer, kRival };

class CExtrasRules {
 public:
  static constexpr int kDialogId = 132;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  void Copies(std::vector<std::span<uint8_t>>& out) {
    for (auto* group : {&player_, &rival_})
      for (StarterSlot& slot : *group) out.emplace_back(reinterpret_cast<uint8_t*>(&slot.species), sizeof slot.species);
  }
  std::string Subject() const;

  // The class names and move names, when read, and each starter the page can store
  // ("starter.Left", ... "starter.RRight").
  std::vector<PageCopy> TableCopies();

  // Without the class table the whole page is disabled, starters included.
  bool enabled() const;
  int32_t current_class() const { return current_class_; }
  void set_current_class(int32_t index) { current_class_ = index; }
  text::CRecordTable::Rename RenameClass(std::string_view typed);

  const StarterSlot& starter(StarterGroup group, int slot) const { return Group(group)[size_t(slot)]; }
  // A player's list can be stored when its own offset is configured; the rival's three only
  // when all three are.
  bool StarterEnabled(StarterGroup group, int slot) const;
  // The group's store button: while any of its lists is enabled.
  bool StarterStoreEnabled(StarterGroup group) const;
  // The list entry a starter shows: its species, or entry 0 for a disabled rival group.
  int ShownStarter(StarterGroup group, int slot) const;
  // Stores the lists' selections (-1: none) into the enabled slots; an entry outside the
  // species list leaves the slot as it was.
  void StoreStarters(StarterGroup group, const std::array<int, 3>& selections);

 private:
  std::array<StarterSlot, 3>& Group(StarterGroup group) { return group == StarterGroup::kPlayer ? player_ : rival_; }
  const std::array<StarterSlot, 3>& Group(StarterGroup group) const {
    return group == StarterGroup::kPlayer ? player_ : rival_;
  }

  TableSpan classes_;
  TableSpan move_names_;
  std::string move_names_error_;  // why the move-name table could not be sized
  int32_t current_class_ = 0;
  std::array<StarterSlot, 3> player_;
  std::array<StarterSlot, 3> rival_;
};
