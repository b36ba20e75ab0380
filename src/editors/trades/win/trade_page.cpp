#include "editors/trades/win/trade_page.h"

#include <iterator>

#include "editors/trades/win/trade_ids.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

using toolkit::win::CDialogItems;

namespace {

constexpr int kControls[] = {IDC_TRADE_LIST,          IDC_TRADE_SPECIES_GIVEN, IDC_TRADE_NATURE,
                             IDC_TRADE_SPECIES_ASKED, IDC_TRADE_ITEM,          IDC_TRADE_PARTNER,
                             IDC_TRADE_NICKNAME,      1069, 1070, 1071, 1072, 1073, 1074,
                             IDC_TRADE_ID,            IDC_TRADE_PERSONALITY,   IDC_TRADE_GENDER,
                             IDC_TRADE_SHINY,         IDC_TRADE_STORE_PARTNER, IDC_TRADE_STORE_NICKNAME,
                             IDC_TRADE_APPLY,         IDC_TRADE_ABILITY};
static_assert(std::size(kControls) == 21);

void ShowAbility(CDialogItems page, bool second) {
  page.Check(IDC_TRADE_ABILITY, second);
  page.SetText(IDC_TRADE_ABILITY, second ? "特性2" : "特性1");
}

}  // namespace

CVantari_Communication_Change::CVantari_Communication_Change() {
  commands.On(IDC_TRADE_LIST, LBN_SELCHANGE, [this] {
    rules().Select(page().ListSelection(IDC_TRADE_LIST));
    Show(page(), Refresh::kAll);
  });
  commands.On(IDC_TRADE_NATURE, CBN_SELCHANGE, [this] {
    if (updating_) return;
    rules().ChooseNature(page().ComboSelection(IDC_TRADE_NATURE));
    Show(page(), Refresh::kKeepNature);
  });
  commands.On(IDC_TRADE_GENDER, EN_CHANGE, [this] {
    if (updating_ || !rules().CurrentInRange()) return;
    if (auto replaced = rules().TypeGender(page().Text(IDC_TRADE_GENDER)))
      page().SetText(IDC_TRADE_GENDER, *replaced);  // comes back here with the new text
    else
      Show(page(), Refresh::kKeepGender);
  });
  commands.On(IDC_TRADE_SHINY, BN_CLICKED, [this] {
    if (!rules().CurrentInRange()) return;
    rules().SetShiny(page().Checked(IDC_TRADE_SHINY));
    Show(page(), Refresh::kIdentity);
  });
  commands.On(IDC_TRADE_ABILITY, BN_CLICKED, [this] {
    CDialogItems p = page();
    ShowAbility(p, p.Checked(IDC_TRADE_ABILITY));
  });
  commands.On(IDC_TRADE_STORE_PARTNER, BN_CLICKED, [this] { StoreName(TradeName::kPartner, IDC_TRADE_PARTNER); });
  commands.On(IDC_TRADE_STORE_NICKNAME, BN_CLICKED, [this] { StoreName(TradeName::kNickname, IDC_TRADE_NICKNAME); });
  commands.On(IDC_TRADE_APPLY, BN_CLICKED, [this] {
    CDialogItems p = page();
    TradeInput input{p.ComboSelection(IDC_TRADE_SPECIES_GIVEN), p.ComboSelection(IDC_TRADE_SPECIES_ASKED),
                     p.ComboSelection(IDC_TRADE_ITEM), {}, p.Checked(IDC_TRADE_ABILITY)};
    for (int i = 0; i < 6; ++i) input.ivs[size_t(i)] = p.Text(IDC_TRADE_IV_HP + i);
    if (auto status = rules().Apply(input)) {
      Show(p, Refresh::kAll);
      ShowStatus(*status);
    }
  });
}

void CVantari_Communication_Change::Fill(CDialogItems page) {
  bool enabled = rules().loaded();
  page.Enable(kControls, enabled);
  if (!enabled) return;
  page.ComboReset(IDC_TRADE_ITEM);
  {
    text::win::CComboBoxList list(page.Item(IDC_TRADE_ITEM));
    if (text::SharedTables().items.loaded()) text::SharedTables().items.FillList(list);
  }
  page.ComboSelect(IDC_TRADE_ITEM, 0);
  page.ComboFill(IDC_TRADE_NATURE, kNatureNames);
  for (int id : {IDC_TRADE_SPECIES_GIVEN, IDC_TRADE_SPECIES_ASKED}) {
    page.ComboReset(id);
    {
      text::win::CComboBoxList list(page.Item(id));
      text::SharedTables().species.FillList(list);
    }
    page.ComboSelect(id, 0);
  }
  FillTradeList(page);
  rules().Select(rules().current());
  Show(page, Refresh::kAll);
}

void CVantari_Communication_Change::FillTradeList(CDialogItems page) {
  page.ListReset(IDC_TRADE_LIST);
  {
    text::win::CListBoxList list(page.Item(IDC_TRADE_LIST));
    for (int32_t i = 0; i < rules().count(); ++i) list.AddEntry(rules().Line(i));
  }
  page.ListSelect(IDC_TRADE_LIST, rules().current());
}

// The fields of the current trade. The names and the ability box are shown again only for a
// newly selected trade, so that a name being typed or an ability not yet applied survives the
// changes of nature, gender value and shiny box.
void CVantari_Communication_Change::Show(CDialogItems page, Refresh mode) {
  auto view = rules().Show();
  if (!view) return;
  updating_ = true;
  if (mode == Refresh::kAll) {
    page.ComboSelect(IDC_TRADE_SPECIES_GIVEN, view->species_given);
    page.ComboSelect(IDC_TRADE_SPECIES_ASKED, view->species_asked);
    page.ComboSelect(IDC_TRADE_ITEM, view->item);
    for (int i = 0; i < 6; ++i) page.SetText(IDC_TRADE_IV_HP + i, view->ivs[size_t(i)]);
    page.SetText(IDC_TRADE_PARTNER, view->partner);
    page.SetText(IDC_TRADE_NICKNAME, view->nickname);
    ShowAbility(page, view->second_ability);
  }
  page.SetText(IDC_TRADE_PERSONALITY, view->personality);
  if (mode != Refresh::kKeepNature) page.ComboSelect(IDC_TRADE_NATURE, view->nature);
  if (mode != Refresh::kKeepGender) page.SetText(IDC_TRADE_GENDER, view->gender);
  page.SetText(IDC_TRADE_ID, view->trainer_id);
  page.Check(IDC_TRADE_SHINY, view->shiny);
  updating_ = false;
}

void CVantari_Communication_Change::StoreName(TradeName which, int field) {
  ShowStatus("");
  bool stored = false;
  std::string status = rules().StoreName(which, page().Text(field), stored);
  ShowStatus(status);
  if (!stored) return;
  FillTradeList(page());
  auto view = rules().Show();
  updating_ = true;
  page().SetText(field, which == TradeName::kPartner ? view->partner : view->nickname);
  updating_ = false;
}
