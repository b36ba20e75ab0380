#include "editors/extras/win/extras_page.h"

#include <string>
#include <vector>

#include "editors/extras/win/extras_ids.h"
#include "platform/win/wide.h"
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
  std::vector<std::wstring> species;
  const text::CRecordTable& names = text::SharedTables().species;
  species.reserve(size_t(names.count()));
  size_t characters = 0;
  for (int32_t i = 0; i < names.count(); ++i) {
    species.push_back(platform::win::Wide(names.Entry(i)));
    characters += species.back().size() + 1;
  }
  for (StarterGroup group : {StarterGroup::kPlayer, StarterGroup::kRival}) {
    for (int slot = 0; slot < 3; ++slot) {
      int id = Lists(group)[slot];
      // Straight into the combo box's list, which is told not to redraw or rescroll meanwhile.
      HWND combo = page.Item(id);
      SendMessageW(combo, CB_RESETCONTENT, 0, 0);
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      HWND list = GetComboBoxInfo(combo, &info) && info.hwndList ? info.hwndList : nullptr;
      UINT add = list ? LB_ADDSTRING : CB_ADDSTRING;
      if (!list) list = combo;
      SendMessageW(list, WM_SETREDRAW, FALSE, 0);
      SendMessageW(list, add == LB_ADDSTRING ? LB_INITSTORAGE : CB_INITSTORAGE, species.size(),
                   LPARAM(characters * sizeof(wchar_t)));
      for (const std::wstring& entry : species) SendMessageW(list, add, 0, reinterpret_cast<LPARAM>(entry.c_str()));
      SendMessageW(list, WM_SETREDRAW, TRUE, 0);
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
