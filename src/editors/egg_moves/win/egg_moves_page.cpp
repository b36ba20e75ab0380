#include "editors/egg_moves/win/egg_moves_page.h"

#include "editors/egg_moves/win/egg_moves_ids.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

using toolkit::win::CDialogItems;

namespace {

constexpr int kControls[] = {IDC_EGG_SPECIES, IDC_EGG_STORE_SPECIES, IDC_EGG_LEFT,
                             IDC_EGG_MOVE,    IDC_EGG_STORE_MOVE,    IDC_EGG_RIGHT};

// Empties a list box and adds `lines` without redrawing in between.
void FillListBox(CDialogItems page, int id, const std::vector<std::string>& lines) {
  HWND list = page.Item(id);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  page.ListReset(id);
  {
    text::win::CListBoxList target(list);
    for (const std::string& line : lines) target.AddEntry(line);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

CTamago_Skill::CTamago_Skill() {
  commands.On(IDC_EGG_LEFT, LBN_SELCHANGE, [this] {
    rules().SelectLeft(page().ListSelection(IDC_EGG_LEFT));
    ShowLeft(page());
  });
  commands.On(IDC_EGG_RIGHT, LBN_SELCHANGE, [this] {
    rules().SelectRight(page().ListSelection(IDC_EGG_RIGHT));
    ShowLists(page());
  });
  commands.On(IDC_EGG_STORE_SPECIES, BN_CLICKED, [this] {
    CDialogItems p = page();
    ShowStatus("");
    EggStore stored = rules().StoreSpecies(p.ComboSelection(IDC_EGG_SPECIES));
    ShowStatus(stored.status);
    if (stored.stored) p.ListReplace(IDC_EGG_LEFT, rules().left(), stored.line);
  });
  commands.On(IDC_EGG_STORE_MOVE, BN_CLICKED, [this] {
    CDialogItems p = page();
    ShowStatus("");
    EggStore stored = rules().StoreMove(p.ComboSelection(IDC_EGG_MOVE));
    ShowStatus(stored.status);
    if (!stored.stored) return;
    if (rules().raw())
      p.ListReplace(IDC_EGG_LEFT, rules().left(), stored.line);
    else
      p.ListReplace(IDC_EGG_RIGHT, rules().right(), stored.line);
  });
  commands.On(IDC_EGG_NORMAL, BN_CLICKED, [this] { SwitchMode(false); });
  commands.On(IDC_EGG_RAW, BN_CLICKED, [this] { SwitchMode(true); });
}

void CTamago_Skill::SwitchMode(bool raw) {
  if (rules().SetRaw(raw)) Fill(page());
}

void CTamago_Skill::Fill(CDialogItems page) {
  page.Check(IDC_EGG_NORMAL, !rules().raw());
  page.Check(IDC_EGG_RAW, rules().raw());
  bool enabled = rules().loaded();
  page.Enable(kControls, enabled);
  if (!enabled) return;
  page.ComboReset(IDC_EGG_MOVE);
  {
    text::win::CComboBoxList list(page.Item(IDC_EGG_MOVE));
    text::SharedTables().moves.FillList(list);
  }
  page.ComboSelect(IDC_EGG_MOVE, 0);
  page.ComboReset(IDC_EGG_SPECIES);
  {
    text::win::CComboBoxList list(page.Item(IDC_EGG_SPECIES));
    text::SharedTables().species.FillList(list);
  }
  page.ComboSelect(IDC_EGG_SPECIES, 0);
  FillListBox(page, IDC_EGG_LEFT, rules().LeftLines());
  page.ListSelect(IDC_EGG_LEFT, rules().left());
  ShowLeft(page);
}

void CTamago_Skill::ShowLeft(CDialogItems page) {
  page.Enable({IDC_EGG_RIGHT}, !rules().raw());
  FillListBox(page, IDC_EGG_RIGHT, rules().RightLines());
  if (!rules().raw()) page.ListSelect(IDC_EGG_RIGHT, rules().right());
  ShowLists(page);
}

void CTamago_Skill::ShowLists(CDialogItems page) {
  if (auto species = rules().ShownSpecies()) page.ComboSelect(IDC_EGG_SPECIES, *species);
  if (auto move = rules().ShownMove()) page.ComboSelect(IDC_EGG_MOVE, *move);
}
