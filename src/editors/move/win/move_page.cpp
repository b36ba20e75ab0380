#include "editors/move/win/move_page.h"

#include <vector>

#include "editors/move/win/move_ids.h"
#include "text/name_tables.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

using toolkit::win::CDialogItems;

namespace {

constexpr int kControls[] = {IDC_MOVE_LIST,     IDC_MOVE_EFFECT,   IDC_MOVE_TYPE,     IDC_MOVE_APPLY,
                             IDC_MOVE_POWER,    IDC_MOVE_ACCURACY, IDC_MOVE_PP,       IDC_MOVE_CHANCE,
                             IDC_MOVE_UNKNOWN1, IDC_MOVE_UNKNOWN4, IDC_MOVE_UNKNOWN2, IDC_MOVE_UNKNOWN5,
                             IDC_MOVE_UNKNOWN3, IDC_MOVE_UNKNOWN6, IDC_MOVE_STORE_UNKNOWN,
                             IDC_MOVE_NEW_NAME, IDC_MOVE_RENAME};
// The edits of bytes 6-11: the top row left to right, then the bottom row.
constexpr int kUnknownEdits[move_layout::kUnknownCount] = {IDC_MOVE_UNKNOWN1, IDC_MOVE_UNKNOWN2, IDC_MOVE_UNKNOWN3,
                                                           IDC_MOVE_UNKNOWN4, IDC_MOVE_UNKNOWN5, IDC_MOVE_UNKNOWN6};

}  // namespace

CAttack_Edit::CAttack_Edit() {
  commands.On(IDC_MOVE_LIST, CBN_SELCHANGE, [this] {
    rules().set_current(page().ComboSelection(IDC_MOVE_LIST));
    ShowMove(page());
  });
  commands.On(IDC_MOVE_APPLY, BN_CLICKED, [this] {
    CDialogItems p = page();
    MoveInput input;
    input.effect = p.ComboSelection(IDC_MOVE_EFFECT);
    input.type = p.ComboSelection(IDC_MOVE_TYPE);
    input.power = p.Text(IDC_MOVE_POWER);
    input.accuracy = p.Text(IDC_MOVE_ACCURACY);
    input.pp = p.Text(IDC_MOVE_PP);
    input.chance = p.Text(IDC_MOVE_CHANCE);
    input.store_unknown = p.Checked(IDC_MOVE_STORE_UNKNOWN);
    for (size_t i = 0; i < input.unknown.size(); ++i) input.unknown[i] = p.Text(kUnknownEdits[i]);
    std::string status = rules().ApplyMove(input);
    if (status != kIndexOutOfRangeText) ShowMove(p);  // the fields show what was stored
    ShowStatus(status);
  });
  commands.On(IDC_MOVE_RENAME, BN_CLICKED, [this] {
    auto renamed = rules().RenameMove(page().Text(IDC_MOVE_NEW_NAME));
    ShowStatus(renamed.status);
    if (renamed.stored) page().ComboReplace(IDC_MOVE_LIST, rules().current(), renamed.entry);
  });
}

void CAttack_Edit::Fill(CDialogItems page) {
  bool enabled = rules().loaded();
  page.Enable(kControls, enabled);
  if (!enabled) return;
  page.ComboReset(IDC_MOVE_LIST);
  {
    text::win::CComboBoxList list(page.Item(IDC_MOVE_LIST));
    text::SharedTables().moves.FillList(list);
  }
  bool effects_read = rules().ReadEffects();
  std::vector<const char*> effects;
  for (const std::string& effect : rules().effects()) effects.push_back(effect.c_str());
  page.ComboFill(IDC_MOVE_EFFECT, effects);
  if (!effects_read) ShowStatus(kEffectsMissingText);
  page.ComboSelect(IDC_MOVE_LIST, rules().current());
  page.ComboFill(IDC_MOVE_TYPE, text::kTypeNames);
  ShowMove(page);
}

void CAttack_Edit::ShowMove(CDialogItems page) {
  auto view = rules().ShowMove();
  if (!view) {
    ShowStatus(kIndexOutOfRangeText);
    return;
  }
  page.ComboSelect(IDC_MOVE_EFFECT, view->effect);
  page.ComboSelect(IDC_MOVE_TYPE, view->type);
  page.SetText(IDC_MOVE_POWER, view->power);
  page.SetText(IDC_MOVE_ACCURACY, view->accuracy);
  page.SetText(IDC_MOVE_PP, view->pp);
  page.SetText(IDC_MOVE_CHANCE, view->chance);
  for (size_t i = 0; i < view->unknown.size(); ++i) page.SetText(kUnknownEdits[i], view->unknown[i]);
}
