#pragma once
// The type chart page's rules: the list behind the chart pointer, what showing an entry selects,
// what storing one keeps, and the move of the whole list to a new place with a new length.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/page_adapter.h"
#include "core/page_copy.h"

// The multiplier captions, in list order.
extern const std::array<const char*, 3> kMultiplierNames;

// What showing an entry selects: list indexes, -1 for a value the list does not hold.
struct TypeChartView {
  int attacker;
  int defender;
  int multiplier;
};

class CTypeChartRules {
 public:
  static constexpr int kDialogId = 134;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  // Reads the list again from the ROM file (after a move); false with the reason.
  bool Reread(const std::filesystem::path& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  void Copies(std::vector<std::span<uint8_t>>& out) { out.emplace_back(entries_); }
  std::string Subject() const;

  bool loaded() const { return !entries_.empty(); }
  int32_t count() const { return int32_t(entries_.size() / 3); }
  int64_t pointer_offset() const { return pointer_offset_; }
  int64_t table_offset() const { return table_offset_; }
  const std::vector<uint8_t>& entries() const { return entries_; }
  // The entries, when read (the end marker and the pointer are not the copy's).
  std::vector<PageCopy> TableCopies();
  // Reads the list again from the ROM file (after it moved or changed its length).
  bool ReadAgain(const std::filesystem::path& rom, std::string& error);
  int32_t current() const { return current_; }
  void set_current(int32_t index) { current_ = index; }
  bool CurrentInRange() const { return current_ >= 0 && current_ < count(); }

  // The list line of entry `index`: attacking type, tab, defending type, tab, multiplier.
  std::string Line(int32_t index) const;
  std::optional<TypeChartView> Show() const;
  // Stores the three selections into the current entry; a list without a valid selection
  // keeps its byte. The entry's new line, or nothing when no entry is current.
  std::optional<std::string> Store(const TypeChartView& chosen);

  // Writes a list of `count` entries at `offset` of the ROM file `rom` (an existing file): the
  // current entries when `copy` is set (empty ones beyond them), empty entries otherwise, the end
  // marker, and only then the pointer. False with a text in `error`; the file is not created.
  bool Relocate(const std::filesystem::path& rom, uint32_t offset, int count, bool copy,
                std::string& error) const;

 private:
  int64_t pointer_offset_ = -1;
  int64_t table_offset_ = 0;
  uint64_t rom_size_ = 0;
  int32_t current_ = 0;
  std::vector<uint8_t> entries_;
};
