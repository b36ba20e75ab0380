#include "editors/item/win/item_page.h"

#include <windows.h>

#include "core/win/status_bar.h"
#include "editors/item/win/item_ids.h"
#include "editors/win/page_ids.h"
#include "platform/win/wide.h"
#include "text/win/name_lists.h"
#include "toolkit/win/zozar_wnd.h"

namespace {

using toolkit::win::CZozarWnd;

constexpr int kControls[] = {IDC_ITEM_LIST,  IDC_ITEM_BATTLE_TYPE, IDC_ITEM_POCKET,
                             IDC_ITEM_APPLY, IDC_ITEM_PRICE,       IDC_ITEM_PARAMETER,
                             IDC_ITEM_DESCRIPTION, IDC_ITEM_RENAME, IDC_ITEM_NEW_NAME};

void FillCombo(HWND combo, const char* const* entries, size_t count) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  text::win::CComboBoxList list(combo);
  for (size_t i = 0; i < count; ++i) list.AddEntry(entries[i]);
}

int Selection(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

}  // namespace

void CItem_Edit::Init(WindowHandle) { data_.Init(); }

int CItem_Edit::GetDialogId() { return IDD_ITEM_EDIT; }

int CItem_Edit::LoadSetting(const char* game_code) {
  data_.LoadSetting(TabSystem().SettingPath(), game_code);
  return 1;
}

bool CItem_Edit::RomRead(platform::CFile& rom) {
  std::string error;
  if (data_.RomRead(rom, error)) return true;
  TabSystem().SetErrorText(error);
  return false;
}

bool CItem_Edit::RomSave(platform::CFile& rom) {
  std::string error;
  if (data_.RomSave(rom, error)) return true;
  TabSystem().SetErrorText(error);
  return false;
}

void CItem_Edit::FreeData() { data_.FreeData(); }

int CItem_Edit::InitDialog(WindowHandle dialog) {
  HWND page = dialog ? dialog : hWnd;
  if (!page) return 0;
  HWND description = GetDlgItem(page, IDC_ITEM_DESCRIPTION);
  SetWindowLongPtrW(description, GWL_STYLE, GetWindowLongPtrW(description, GWL_STYLE) & ~WS_TABSTOP);
  InvalidateRect(description, nullptr, TRUE);

  bool enabled = ItemStore().loaded();
  for (int id : kControls) EnableWindow(GetDlgItem(page, id), enabled);
  if (!enabled) return 1;

  FillCombo(GetDlgItem(page, IDC_ITEM_BATTLE_TYPE), kBattleUseTypes.data(), kBattleUseTypes.size());
  const auto& pockets = PocketNames(TabSystem().game_code());
  FillCombo(GetDlgItem(page, IDC_ITEM_POCKET), pockets.data(), pockets.size());
  HWND items = GetDlgItem(page, IDC_ITEM_LIST);
  SendMessageW(items, CB_RESETCONTENT, 0, 0);
  {
    text::win::CComboBoxList list(items);
    ItemStore().FillList(list);
  }
  SendMessageW(items, CB_SETCURSEL, WPARAM(data_.current()), 0);
  ShowItem(page);
  return 1;
}

void CItem_Edit::ShowItem(HWND page) {
  ItemView view;
  if (!page || !data_.Show(view)) return;
  SendDlgItemMessageW(page, IDC_ITEM_BATTLE_TYPE, CB_SETCURSEL, WPARAM(view.battle_type), 0);
  SendDlgItemMessageW(page, IDC_ITEM_POCKET, CB_SETCURSEL, WPARAM(view.pocket), 0);
  CZozarWnd(GetDlgItem(page, IDC_ITEM_PRICE)).SWText(view.price.c_str());
  CZozarWnd(GetDlgItem(page, IDC_ITEM_PARAMETER)).SWText(view.parameter.c_str());
  CZozarWnd(GetDlgItem(page, IDC_ITEM_DESCRIPTION)).SWText(view.description.c_str());
}

void CItem_Edit::ApplyItem() {
  ItemInput input{Selection(hWnd, IDC_ITEM_BATTLE_TYPE), Selection(hWnd, IDC_ITEM_POCKET),
                  CZozarWnd(GetDlgItem(hWnd, IDC_ITEM_PRICE)).GetText(),
                  CZozarWnd(GetDlgItem(hWnd, IDC_ITEM_PARAMETER)).GetText()};
  if (data_.Apply(input)) StatusBar().SetText("正常終了。");
}

void CItem_Edit::RenameItem() {
  StatusBar().SetText("");
  std::string entry;
  switch (data_.Rename(CZozarWnd(GetDlgItem(hWnd, IDC_ITEM_NEW_NAME)).GetText(), entry)) {
    case text::NameStoreResult::kEmptyText:
      StatusBar().SetText("アイテム名を入力してください。");
      return;
    case text::NameStoreResult::kStored:
      text::win::ReplaceComboEntry(GetDlgItem(hWnd, IDC_ITEM_LIST), data_.current(), entry);
      return;
    case text::NameStoreResult::kOutOfRange:
      return;
  }
}

intptr_t CItem_Edit::DialogProc(unsigned message, uintptr_t wparam, intptr_t) {
  if (message != WM_COMMAND || !hWnd) return 0;
  int id = LOWORD(wparam);
  if (id == IDC_ITEM_LIST && HIWORD(wparam) == CBN_SELCHANGE) {
    data_.set_current(int32_t(SendDlgItemMessageW(hWnd, IDC_ITEM_LIST, CB_GETCURSEL, 0, 0)));
    ShowItem(hWnd);
  } else if (id == IDC_ITEM_APPLY && HIWORD(wparam) == BN_CLICKED) {
    ApplyItem();
  } else if (id == IDC_ITEM_RENAME && HIWORD(wparam) == BN_CLICKED) {
    RenameItem();
  }
  return 0;
}
