#include "editors/extras/win/extras_page.h"

#include <string>
#include <vector>

#include "editors/extras/win/extras_ids.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

using toolkit::win::CDialogItems;

namespace {

constexpr int kPlayerLists[] = {IDC_OMAKE_LEFT, IDC_OMAKE_CENTER, IDC_OMAKE_RIGHT};
constexpr int kRivalLists[] = {IDC_OMAKE_RIVAL_LEFT, IDC_OMAKE_RIVAL_CENTER, IDC_OMAKE_RIVAL_RIGHT};
constexpr int kControls[] = {IDC_OMAKE_CLASS_LIST,   IDC_OMAKE_CLASS_NAME,  IDC_OMAKE_CLASS_RENAME,
                             IDC_OMAKE_LEFT,         IDC_OMAKE_CENTER,      IDC_OMAKE_RIGHT,
                             IDC_OMAKE_RIVAL_LEFT,   IDC_OMAKE_RIVAL_CENTER, IDC_OMAKE_RIVAL_RIGHT,
                             IDC_OMAKE_STARTERS_SET, IDC_OMAKE_RIVAL_SET};
constexpr int kClassListHeight = 200;  // pixels, the drop-down included

const int* Lists(StarterGroup group) { return group == StarterGroup::kPlayer ? kPlayerLists : kRivalLists; }

}  // namespace

COmake::COmake() {
  // Any list's selection change makes the class list's selection the current class.
  for (int id : {IDC_OMAKE_CLASS_LIST, IDC_OMAKE_LEFT, IDC_OMAKE_CENTER, IDC_OMAKE_RIGHT,
                 IDC_OMAKE_RIVAL_LEFT, IDC_OMAKE_RIVAL_CENTER, IDC_OMAKE_RIVAL_RIGHT})
    commands.On(id, CBN_SELCHANGE, [this] { rules().set_current_class(page().ComboSelection(IDC_OMAKE_CLASS_LIST)); });
  commands.On(IDC_OMAKE_CLASS_RENAME, BN_CLICKED, [this] {
    auto renamed = rules().RenameClass(page().Text(IDC_OMAKE_CLASS_NAME));
    ShowStatus(renamed.status);
    if (renamed.stored) page().ComboReplace(IDC_OMAKE_CLASS_LIST, rules().current_class(), renamed.entry);
  });
  commands.On(IDC_OMAKE_STARTERS_SET, BN_CLICKED, [this] { StoreStarters(StarterGroup::kPlayer); });
  commands.On(IDC_OMAKE_RIVAL_SET, BN_CLICKED, [this] { StoreStarters(StarterGroup::kRival); });
}

void COmake::Fill(CDialogItems page) {
  HWND classes = page.Item(IDC_OMAKE_CLASS_LIST);
  RECT box{};
  GetWindowRect(classes, &box);
  SetWindowPos(classes, nullptr, 0, 0, box.right - box.left, kClassListHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  page.Enable(kControls, false);
  if (!rules().enabled()) return;

  page.Enable({IDC_OMAKE_CLASS_LIST, IDC_OMAKE_CLASS_NAME, IDC_OMAKE_CLASS_RENAME}, true);
  page.ComboReset(IDC_OMAKE_CLASS_LIST);
  {
    text::win::CComboBoxList list(classes);
    text::SharedTables().classes.FillList(list);
  }
  page.ComboSelect(IDC_OMAKE_CLASS_LIST, rules().current_class());

  // The six lists show the same 412 entries: decode and convert them once.
  text::win::CWideEntries species;
  text::SharedTables().species.FillList(species);
  for (StarterGroup group : {StarterGroup::kPlayer, StarterGroup::kRival}) {
    for (int slot = 0; slot < 3; ++slot) {
      int id = Lists(group)[slot];
      text::win::FillCombo(page.Item(id), species.entries);
      page.ComboSelect(id, rules().ShownStarter(group, slot));
      page.Enable({id}, rules().StarterEnabled(group, slot));
    }
  }
  page.Enable({IDC_OMAKE_STARTERS_SET}, rules().StarterStoreEnabled(StarterGroup::kPlayer));
  page.Enable({IDC_OMAKE_RIVAL_SET}, rules().StarterStoreEnabled(StarterGroup::kRival));
}

void COmake::StoreStarters(StarterGroup group) {
  CDialogItems p = page();
  const int* lists = Lists(group);
  rules().StoreStarters(group, {p.ComboSelection(lists[0]), p.ComboSelection(lists[1]), p.ComboSelection(lists[2])});
}
