#pragma once
// Name lists on real controls: fillers write into combo boxes and list boxes through these.
#include <windows.h>

#include <string>

#include "text/name_tables.h"

namespace text::win {

class CComboBoxList : public INameList {
 public:
  explicit CComboBoxList(HWND combo) : combo_(combo) {}
  void AddEntry(const std::string& entry) override;

 private:
  HWND combo_;
};

class CListBoxList : public INameList {
 public:
  explicit CListBoxList(HWND list) : list_(list) {}
  void AddEntry(const std::string& entry) override;

 private:
  HWND list_;
};

// After a rename: deletes the entry at `index`, inserts `entry` in its place and selects it.
void ReplaceComboEntry(HWND combo, int index, const std::string& entry);
void ReplaceListEntry(HWND list, int index, const std::string& entry);

}  // namespace text::win
