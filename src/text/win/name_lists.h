#pragma once
// Name lists on real controls: fillers write into combo boxes and list boxes through these.
#include <windows.h>

#include <string>

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

// After a rename: deletes the entry at `index`, inserts `entry` in its place and selects it.
void ReplaceComboEntry(HWND combo, int index, const std::string& entry);
void ReplaceListEntry(HWND list, int index, const std::string& entry);

}  // namespace text::win
