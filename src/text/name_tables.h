#pragma once
// The constant type names, the rule every name list follows, and the store of a typed name into
// a fixed name field. The tables themselves live in shared_tables.h.
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

// Adds the 18 type names in type-value order.
void FillTypeList(INameList& list);

}  // namespace text
