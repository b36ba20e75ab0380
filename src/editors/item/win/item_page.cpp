#include "editors/item/win/item_page.h"

#include "editors/item/win/item_ids.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

using toolkit::win::CCommandMap;
using toolkit::win::CDialogItems;

namespace {

constexpr int kControls[] = {IDC_ITEM_LIST,  IDC_ITEM_BATTLE_TYPE, IDC_ITEM_POCKET,
                             IDC_ITEM_APPLY, IDC_ITEM_PRICE,       IDC_ITEM_PARAMETER,
                             IDC_ITEM_DESCRIPTION, IDC_ITEM_RENAME, IDC_ITEM_NEW_NAME};

}  // namespace

CItem_Edit::CItem_Edit() {
  commands.On(IDC_ITEM_LIST, CBN_SELCHANGE, [this] {
    rules().set_current(page().ComboSelection(IDC_ITEM_LIST));
    ShowItem(page());
  });
  commands.On(IDC_ITEM_APPLY, BN_CLICKED, [this] {
    CDialogItems p = page();
    ItemInput input{p.ComboSelection(IDC_ITEM_BATTLE_TYPE), p.ComboSelection(IDC_ITEM_POCKET),
                    p.Text(IDC_ITEM_PRICE), p.Text(IDC_ITEM_PARAMETER)};
    if (auto status = rules().Apply(input)) {
      ShowItem(p);
      ShowStatus(*status);
    }
  });
  commands.On(IDC_ITEM_RENAME, BN_CLICKED, [this] {
    auto renamed = rules().Rename(page().Text(IDC_ITEM_NEW_NAME));
    ShowStatus(renamed.status);
    if (renamed.stored) page().ComboReplace(IDC_ITEM_LIST, rules().current(), renamed.entry);
  });
}

void CItem_Edit::Fill(CDialogItems page) {
  page.RemoveTabStop(IDC_ITEM_DESCRIPTION);
  bool enabled = text::SharedTables().items.loaded();
  page.Enable(kControls, enabled);
  if (!enabled) return;
  page.ComboFill(IDC_ITEM_BATTLE_TYPE, kBattleUseTypes);
  page.ComboFill(IDC_ITEM_POCKET, PocketNames(TabSystem().game_code()));
  page.ComboReset(IDC_ITEM_LIST);
  {
    text::win::CComboBoxList list(page.Item(IDC_ITEM_LIST));
    text::SharedTables().items.FillList(list);
  }
  page.ComboSelect(IDC_ITEM_LIST, rules().current());
  ShowItem(page);
}

void CItem_Edit::ShowItem(CDialogItems page) {
  auto view = rules().Show();
  if (!view) return;
  page.ComboSelect(IDC_ITEM_BATTLE_TYPE, view->battle_type);
  page.ComboSelect(IDC_ITEM_POCKET, view->pocket);
  page.SetText(IDC_ITEM_PRICE, view->price);
  page.SetText(IDC_ITEM_PARAMETER, view->parameter);
  page.SetText(IDC_ITEM_DESCRIPTION, view->description);
}
