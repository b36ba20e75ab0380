#pragma once
// The one home of the tables several pages read: species names, move names, trainer classes
// and items, with the display switches that number their lists. One owner page reads and
// writes each table; the others list from it. Reset() is the state before any ROM.
#include "text/name_tables.h"
#include "text/record_table.h"
#include "text/vantari_text.h"

namespace text {

inline constexpr RecordLayout kSpeciesNames{6, kSpeciesNameField, 6};
inline constexpr RecordLayout kMoveNames{8, kMoveNameField, 7};
inline constexpr RecordLayout kTrainerClasses{11, kClassNameField, 10};
inline constexpr RecordLayout kItems{40, kItemNameField, 9};

class CSharedTables {
 public:
  CSharedTables() { Reset(); }
  CSharedTables(const CSharedTables&) = delete;
  CSharedTables& operator=(const CSharedTables&) = delete;

  // Every table back to its state before a ROM: 412 zeroed species names, nothing else.
  void Reset();

  DisplaySwitches switches;
  CRecordTable species{kSpeciesNames, VantariText(), switches.viewnumber};
  CRecordTable moves{kMoveNames, VantariText(), switches.duplication};
  CRecordTable classes{kTrainerClasses, VantariText(), switches.duplication};
  CRecordTable items{kItems, VantariText(), switches.duplication};
};

// The program's one instance.
CSharedTables& SharedTables();

}  // namespace text
