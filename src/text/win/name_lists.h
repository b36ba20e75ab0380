#pragma once
// Name lists on real controls: fillers write into combo boxes and list boxes through these.
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "text/name_tables.h"

namespace text::win {

// While one of these lives, its control does not redraw: a list of 412 names fills at once.
class CControlList : public INameList {
 public:
  CControlList(HWND control, UINT add_message);
  ~CControlList() override;
  CControlList(const CControlList&) = delete;
  CControlList& operator=(const CControlList&) = delete;
  void AddEntry(const std::string& entry) override;

 private:
  HWND control_;
  UINT add_message_;
};

class CComboBoxList : public CControlList {
 public:
  explicit CComboBoxList(HWND combo) : CControlList(combo, CB_ADDSTRING) {}
};

class CListBoxList : public CControlList {
 public:
  explicit CListBoxList(HWND list) : CControlList(list, LB_ADDSTRING) {}
};

// A filler's entries converted once, for lists that show the same entries.
class CWideEntries : public INameList {
 public:
  void AddEntry(const std::string& entry) override;
  std::vector<std::wstring> entries;
};

// Empties `combo` and adds `entries` straight into its list, which neither redraws nor
// rescrolls meanwhile and has room reserved for all of them: the fast way to fill the long
// species, item and dex lists.
void FillCombo(HWND combo, std::span<const std::wstring> entries);

// After a rename: deletes the entry at `index`, inserts `entry` in its place and selects it.
void ReplaceComboEntry(HWND combo, int index, const std::string& entry);
void ReplaceListEntry(HWND list, int index, const std::string& entry);

}  // namespace text::win
