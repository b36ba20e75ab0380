#pragma once
// The program-wide name tables (species, moves, trainer classes), the constant type names, the
// rule every name list follows, and the store of a typed name into a fixed name field.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/vantari_text.h"

namespace text {

inline constexpr int kSpeciesCount = 412;
inline constexpr int kSpeciesNameSize = 6;
inline constexpr int kMoveNameSlotSize = 8;
inline constexpr int kDefaultAttackNum = 355;
inline constexpr int kClassRecordSize = 11;
inline constexpr int kTypeCount = 18;

extern const std::array<const char*, kTypeCount> kTypeNames;

// A fixed-size name field: N name bytes and the position of the terminator forced when none of
// them is 0xFF.
struct NameField {
  int size;
  int terminator_pos;
};
inline constexpr NameField kSpeciesNameField{6, 5};
inline constexpr NameField kMoveNameField{7, 7};
inline constexpr NameField kItemNameField{9, 8};
inline constexpr NameField kClassNameField{10, 9};

// Display switches that choose "%03d:%s" entries.
struct DisplaySwitches {
  bool viewnumber = false;   // species and dex lists
  bool duplication = false;  // move, item, held-item and class lists
};
DisplaySwitches& Switches();

// Where a filler puts its entries: a combo box, a list box, or a vector in tests.
class INameList {
 public:
  virtual ~INameList() = default;
  virtual void AddEntry(const std::string& entry) = 0;
};

// The entry text of list position `index`: the `count` bytes decoded, the index alone ("%d")
// when they give no text, "%03d:%s" when `numbered`.
std::string NameEntryText(const CVantariText& codec, const uint8_t* bytes, int count, int index,
                          bool numbered);

enum class NameStoreResult { kStored, kEmptyText, kOutOfRange };

// Stores a typed name into `field` (which holds at least terminator_pos + 1 bytes): the
// encoded bytes, 0x00 where the encoding is shorter, 0xFF at the terminator position unless one
// of the name bytes already is 0xFF.
NameStoreResult StoreName(const CVantariText& codec, std::string_view typed, uint8_t* field,
                          NameField layout);

class CNameTables {
 public:
  // Species names: 412 × 6 bytes, all zero until a ROM is read.
  std::vector<uint8_t>& species() { return species_; }
  uint8_t* species_name(int index);

  // Move names: one 8-byte slot per move. Reset to exactly `attack_num` zeroed slots (none when
  // the count is not positive) on every load.
  void ResetMoves(int attack_num);
  std::vector<uint8_t>& moves() { return moves_; }
  int move_count() const { return int(moves_.size() / kMoveNameSlotSize); }
  uint8_t* move_name(int index);

  // Trainer classes: `count` records of 11 bytes, allocated only for a positive count.
  void ResetClasses(int32_t count);
  void FreeClasses() { classes_.clear(); }
  std::vector<uint8_t>& classes() { return classes_; }
  int32_t class_count() const { return int32_t(classes_.size() / kClassRecordSize); }
  uint8_t* class_record(int index);

  // The list fillers: entries are added in table order; the list is not emptied first.
  void FillSpeciesList(INameList& list) const;
  void FillMoveList(INameList& list) const;
  void FillClassList(INameList& list) const;
  static void FillTypeList(INameList& list);

  // Entry texts of one table position, as the fillers write them.
  std::string SpeciesEntry(int index) const;
  std::string MoveEntry(int index) const;
  std::string ClassEntry(int index) const;

  NameStoreResult StoreSpeciesName(int index, std::string_view typed);
  NameStoreResult StoreMoveName(int index, std::string_view typed);
  NameStoreResult StoreClassName(int index, std::string_view typed);

 private:
  std::vector<uint8_t> species_ = std::vector<uint8_t>(kSpeciesCount * kSpeciesNameSize, 0);
  std::vector<uint8_t> moves_;
  std::vector<uint8_t> classes_;
};

// The one instance every page reads and the owner pages fill.
CNameTables& NameTables();

}  // namespace text
