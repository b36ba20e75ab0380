#pragma once
// The level-up learnsets of the monster page: the table of one pointer per species, read with
// the page, and the list of the species on show, read from the ROM file on every species
// change. Entries are edited in memory; the list goes back into the ROM file at once when the
// user asks, in place or at a new place with the pointer table rewritten.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/failure_text.h"
#include "editors/monster/monster_layout.h"
#include "platform/file.h"

class CRomChange;

inline const std::string kLearnsetReadFailure = FailureText("CSolid_Value", "Waza_Data_Read");
inline const std::string kLearnsetWriteFailure = FailureText("CSolid_Value", "Waza_Data_ROM_SAVE");
// The monster page's words for a read that met the end of the file.
inline constexpr const char* kShortReadText = "指定バイト分読み取れませんでした。";
inline constexpr const char* kLearnsetDeadEndText = "行き止まりです。。";
inline constexpr const char* kLearnsetSavedText = "保存しました。";
inline constexpr const char* kLearnsetNotReadText = "読み込めなかった技の一覧はコピーできません。";

// What showing the list puts in the dialog.
struct LearnsetView {
  std::vector<std::string> lines;  // "Lv:%03d %s" per entry
  std::string count;               // "%ld" of the entries
  std::string address;             // "0x%X" of the list's ROM offset; empty without a pointer
};

// One entry as the level edit and the move list show it.
struct LearnsetEntryView {
  std::string level;
  int move;
};

// The outcome of a swap: the line to select, or (nothing moved) the status text.
struct LearnsetSwap {
  bool moved = false;
  int selection = -1;
  std::string status;
};

// The outcome of writing the list at a new place.
struct LearnsetRelocation {
  bool ok = false;
  std::string status;
};

class CLearnset {
 public:
  // No table: nothing is read or written.
  void Configure(int64_t table_offset, uint64_t rom_size);
  // Reads the pointer table when it lies inside the ROM; a table that does not is left unread
  // (the learnsets are then neither read nor written). False only when the read itself fails.
  bool ReadPointers(platform::CFile& rom, std::string& error);
  void FreeData();

  bool pointers_loaded() const { return !pointers_.empty(); }
  // The ROM offset of `species`' list (bytes 0-2 of its address); 0 without a table.
  uint32_t pointer(int species) const;

  // Reads the list of `species` from the ROM file: at most 200 entries, up to the terminator
  // or the end of the file. The status text of a failure ("" on success); the list is then
  // empty and is neither written in place nor copied.
  std::string Read(const std::filesystem::path& rom, int species);
  bool read_ok() const { return read_ok_; }
  int species() const { return species_; }
  const std::vector<uint16_t>& entries() const { return entries_; }
  int count() const { return int(entries_.size()); }

  // The list lines with the move names of the program-wide table.
  LearnsetView Show() const;
  bool ShowEntry(int index, LearnsetEntryView& view) const;
  // Stores the level typed and the move chosen into entry `index`; the status text, or
  // nothing without such an entry.
  std::string Store(int index, int move_selection, std::string_view level);
  // Exchanges entry `index` with the one before (`up`) or after it.
  LearnsetSwap Swap(int index, bool up);

  // Writes the entries over the list in the ROM file (through the ROM writer); its terminator
  // stays after them. The status text of a failure, "" otherwise.
  std::string WriteInPlace(const std::filesystem::path& rom) const;
  // Writes a list of `count` entries and its terminator at ROM offset `place` (the entries
  // read, then empty ones, with `copy`; empty ones only without), then points the species at
  // it. `page_name` names the page in the status texts. The list is read again from its new
  // place on success.
  LearnsetRelocation Relocate(const std::filesystem::path& rom, uint32_t place, int count, bool copy,
                              const std::string& page_name);

 private:
  // Puts the pointer table, with the pointers held, into the change.
  bool WritePointers(CRomChange& change) const;

  int64_t table_offset_ = -1;
  uint64_t rom_size_ = 0;
  std::vector<uint32_t> pointers_;
  std::vector<uint16_t> entries_;
  int species_ = -1;
  bool read_ok_ = false;
};
