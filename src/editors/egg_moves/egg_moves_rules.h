#pragma once
// The egg-move page's rules: the table of words, its grouping by species (normal mode) or the
// words one by one (raw mode), and what storing a species or a move changes. Stores replace
// words in place: the table never changes its size, and its end word is never overwritten.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/page_adapter.h"
#include "core/page_copy.h"
#include "core/table_io.h"

// One species' moves: the index of its marker word and the number of move words after it.
struct EggGroup {
  int32_t marker;
  int32_t moves;
};

// A store's outcome: the status text ("" clears the bar) and, when a word changed, the new text
// of the line that shows it.
struct EggStore {
  std::string status;
  bool stored = false;
  std::string line;
};

class CEggMoveRules {
 public:
  static constexpr int kDialogId = 138;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  void Copies(std::vector<std::span<uint8_t>>& out) {
    out.emplace_back(reinterpret_cast<uint8_t*>(words_.data()), words_.size() * sizeof(uint16_t));
  }
  std::string Subject() const;

  bool loaded() const { return loaded_; }
  bool raw() const { return raw_; }
  // Switches the mode; true when it changed (both selections then go back to 0).
  bool SetRaw(bool raw);
  const std::vector<uint16_t>& words() const { return words_; }
  // The word table as it lies in the ROM, when loaded; storing it regroups the words.
  std::vector<PageCopy> TableCopies();
  const std::vector<EggGroup>& groups() const { return groups_; }

  // The left list: one line per group and a last line for the table's end (normal mode), or
  // one line per word (raw mode).
  std::vector<std::string> LeftLines() const;
  std::string LeftLine(int32_t index) const;
  // The right list: the moves of the selected group (normal mode only).
  std::vector<std::string> RightLines() const;
  std::string RightLine(int32_t index) const;

  int32_t left() const { return left_; }
  int32_t right() const { return right_; }
  void SelectLeft(int32_t index);
  void SelectRight(int32_t index) { right_ = index; }
  // What the species and move lists select for the current lines; nothing leaves a list as it
  // is, -1 selects no entry.
  std::optional<int> ShownSpecies() const;
  std::optional<int> ShownMove() const;

  // Stores a list selection (-1: none) into the word the selected line stands for.
  EggStore StoreSpecies(int species);
  EggStore StoreMove(int move);

 private:
  void BuildGroups();
  // The word the left line stands for in raw mode, or the group of the left line in normal
  // mode; -1 for none.
  int32_t SelectedWord() const;
  int32_t SelectedGroup() const;
  int32_t SelectedMoveWord() const;
  bool HasEnd() const;

  TableSpan span_;
  bool loaded_ = false;
  bool raw_ = false;
  std::vector<uint16_t> words_;
  std::vector<EggGroup> groups_;
  int32_t left_ = 0;
  int32_t right_ = 0;
};

// The names the egg-move lines use: a species by index ("" beyond the species table), a move by
// number without the list's numbering ("%d" when the move table has no such entry).
std::string EggSpeciesText(int species);
std::string EggMoveName(int move);
