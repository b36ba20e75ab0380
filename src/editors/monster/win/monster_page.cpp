#include "editors/monster/win/monster_page.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>


#include "core/free_space.h"
#include "core/win/choose_space_dialog.h"
#include "editors/monster/win/learnset_dialog.h"
#include "editors/monster/win/monster_ids.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

using toolkit::win::CDialogItems;
namespace L = monster_layout;

namespace {

constexpr int kBaseEdits[L::kBaseStatCount] = {IDC_MONSTER_HP,     IDC_MONSTER_ATTACK,    IDC_MONSTER_DEFENCE,
                                               IDC_MONSTER_SPEED,  IDC_MONSTER_SP_ATTACK, IDC_MONSTER_SP_DEFENCE};
constexpr int kEffortEdits[L::kBaseStatCount] = {IDC_MONSTER_EFFORT_HP,        IDC_MONSTER_EFFORT_ATTACK,
                                                 IDC_MONSTER_EFFORT_DEFENCE,   IDC_MONSTER_EFFORT_SPEED,
                                                 IDC_MONSTER_EFFORT_SP_ATTACK, IDC_MONSTER_EFFORT_SP_DEFENCE};
constexpr int kSpeciesControls[] = {
    IDC_MONSTER_LIST,        IDC_MONSTER_HP,          IDC_MONSTER_ATTACK,        IDC_MONSTER_DEFENCE,
    IDC_MONSTER_SPEED,       IDC_MONSTER_SP_ATTACK,   IDC_MONSTER_SP_DEFENCE,    IDC_MONSTER_EFFORT_HP,
    IDC_MONSTER_EFFORT_ATTACK, IDC_MONSTER_EFFORT_DEFENCE, IDC_MONSTER_EFFORT_SPEED, IDC_MONSTER_EFFORT_SP_ATTACK,
    IDC_MONSTER_EFFORT_SP_DEFENCE, IDC_MONSTER_TYPE1, IDC_MONSTER_TYPE2,       IDC_MONSTER_ITEM_COMMON,
    IDC_MONSTER_ITEM_RARE,   IDC_MONSTER_EGG_GROUP1,  IDC_MONSTER_EGG_GROUP2,    IDC_MONSTER_GENDER,
    IDC_MONSTER_CATCH_RATE,  IDC_MONSTER_EGG_STEPS,   IDC_MONSTER_FRIENDSHIP,    IDC_MONSTER_EXP_YIELD,
    IDC_MONSTER_ABILITY1,    IDC_MONSTER_ABILITY2,    IDC_MONSTER_GROWTH,        IDC_MONSTER_APPLY,
    IDC_MONSTER_TOTAL};
constexpr int kNameControls[] = {IDC_MONSTER_NEW_NAME, IDC_MONSTER_RENAME};
constexpr int kDexControls[] = {IDC_DEX_LIST,   IDC_DEX_NEW_NAME,    IDC_DEX_RENAME,
                                IDC_DEX_HEIGHT, IDC_DEX_WEIGHT,      IDC_DEX_APPLY,
                                IDC_DEX_DESCRIPTION, IDC_DEX_WRITE_DESCRIPTION, IDC_DEX_MOVE_DESCRIPTION,
                                IDC_DEX_ADDRESS, IDC_DEX_SIZE};
constexpr int kEvolutionControls[] = {IDC_EVOLUTION_TABS, IDC_EVOLUTION_METHOD, IDC_EVOLUTION_LEVEL,
                                      IDC_EVOLUTION_ITEM, IDC_EVOLUTION_TARGET};
constexpr int kLearnsetControls[] = {IDC_LEARNSET_LIST,   IDC_LEARNSET_LEVEL, IDC_LEARNSET_MOVE,
                                     IDC_LEARNSET_STORE,  IDC_LEARNSET_UP,    IDC_LEARNSET_DOWN,
                                     IDC_LEARNSET_RESIZE, IDC_LEARNSET_ADDRESS, IDC_LEARNSET_COUNT};

}  // namespace

CSolid_Value::CSolid_Value() {
  commands.On(IDC_MONSTER_LIST, CBN_SELCHANGE, [this] {
    rules().set_current(page().ComboSelection(IDC_MONSTER_LIST));
    ShowStatus("");
    ShowSpecies(page(), true);
    ShowLearnset(page(), true, 0);
    // Last, so that a failed read of the TM/HM bits is what the status bar says while the
    // window may be shown.
    machine_window_.Load();
  });
  commands.On(IDC_MONSTER_RENAME, BN_CLICKED, [this] {
    ShowStatus("");
    auto renamed = rules().RenameSpecies(page().Text(IDC_MONSTER_NEW_NAME));
    ShowStatus(renamed.status);
    if (renamed.stored) page().ComboReplace(IDC_MONSTER_LIST, rules().current(), renamed.entry);
  });
  commands.On(IDC_MONSTER_APPLY, BN_CLICKED, [this] { ApplySpecies(); });
  commands.On(IDC_EVOLUTION_METHOD, CBN_SELCHANGE, [this] {
    const int slot = EvolutionSlot();
    if (rules().SelectEvolutionMethod(slot, page().ComboSelection(IDC_EVOLUTION_METHOD))) ShowEvolution(page(), slot);
  });
  commands.On(IDC_DEX_LIST, CBN_SELCHANGE, [this] { ShowDex(page(), page().ComboSelection(IDC_DEX_LIST)); });
  commands.On(IDC_DEX_RENAME, BN_CLICKED, [this] {
    ShowStatus("");
    int number = page().ComboSelection(IDC_DEX_LIST);
    auto renamed = rules().RenameDex(number, page().Text(IDC_DEX_NEW_NAME));
    ShowStatus(renamed.status);
    if (renamed.stored) page().ComboReplace(IDC_DEX_LIST, number, renamed.entry);
  });
  commands.On(IDC_DEX_APPLY, BN_CLICKED, [this] {
    CDialogItems p = page();
    const int number = p.ComboSelection(IDC_DEX_LIST);
    ShowStatus(rules().StoreDexSize(number, p.Text(IDC_DEX_HEIGHT), p.Text(IDC_DEX_WEIGHT)));
    std::string height, weight;  // the fields show what was stored
    if (rules().DexSize(number, height, weight)) {
      p.SetText(IDC_DEX_HEIGHT, height);
      p.SetText(IDC_DEX_WEIGHT, weight);
    }
  });
  commands.On(IDC_DEX_WRITE_DESCRIPTION, BN_CLICKED, [this] {
    std::string status = rules().WriteDescription(TabSystem().rom_path(), page().Text(IDC_DEX_DESCRIPTION));
    if (!status.empty()) ShowStatus(status);
  });
  commands.On(IDC_DEX_MOVE_DESCRIPTION, BN_CLICKED, [this] { MoveDescription(); });
  commands.On(IDC_MONSTER_MACHINE, BN_CLICKED, [this] { machine_window_.Show(); });
  machine_window_.Create(TabSystem().main_window());
  // A new ROM (or none) takes the window's ticks away, also while another tab is shown.
  rules().machine().set_on_discard([this] { machine_window_.Clear(); });

  commands.On(IDC_LEARNSET_LIST, LBN_SELCHANGE,
              [this] { ShowLearnsetEntry(page(), page().ListSelection(IDC_LEARNSET_LIST)); });
  commands.On(IDC_LEARNSET_STORE, BN_CLICKED, [this] {
    CDialogItems p = page();
    const int index = p.ListSelection(IDC_LEARNSET_LIST);
    std::string status =
        rules().learnset().Store(index, p.ComboSelection(IDC_LEARNSET_MOVE), p.Text(IDC_LEARNSET_LEVEL));
    if (status.empty()) return;
    ShowLearnset(p, false, index);
    ShowStatus(status);
  });
  commands.On(IDC_LEARNSET_UP, BN_CLICKED, [this] { SwapLearnsetEntry(true); });
  commands.On(IDC_LEARNSET_DOWN, BN_CLICKED, [this] { SwapLearnsetEntry(false); });
  commands.On(IDC_LEARNSET_SAVE, BN_CLICKED, [this] {
    std::string status = rules().learnset().WriteInPlace(TabSystem().rom_path());
    if (!status.empty()) ShowStatus(status);
  });
  commands.On(IDC_LEARNSET_RESIZE, BN_CLICKED, [this] { ResizeLearnset(); });
}

void CSolid_Value::Fill(CDialogItems page) {
  // Each control's state is set once: every change of state costs a redraw.
  const bool loaded = rules().loaded();
  page.Enable(kSpeciesControls, loaded);
  page.Enable(kNameControls, loaded && rules().names_loaded());
  page.Enable(kDexControls, loaded && rules().dex_loaded());
  page.Enable({IDC_MONSTER_FLEE_RATE}, loaded && rules().flee_rate_used());
  page.Enable(kEvolutionControls, loaded && rules().evolutions_loaded());
  page.Enable({IDC_MONSTER_MACHINE}, loaded);  // without a TM/HM table it says why
  page.Enable(kLearnsetControls, loaded && rules().learnset().pointers_loaded());
  if (!loaded) page.Enable({IDC_LEARNSET_SAVE}, false);  // otherwise as the list read says
  HWND tabs = page.Item(IDC_EVOLUTION_TABS);
  if (TabCtrl_GetItemCount(tabs) == 0) {
    TabCtrl_SetMinTabWidth(tabs, 30);  // the five narrow tabs fit on one row
    for (int slot = 0; slot < L::kEvolutionSlots; ++slot) {
      std::wstring caption = std::to_wstring(slot + 1);
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = caption.data();
      SendMessageW(tabs, TCM_INSERTITEMW, WPARAM(slot), reinterpret_cast<LPARAM>(&item));
    }
  }
  if (!loaded) return;

  // The two item lists show the same entries, and so do the two ability lists: each set is
  // decoded and converted once.
  text::win::CWideEntries items;
  text::SharedTables().items.FillList(items);
  for (int id : {IDC_MONSTER_ITEM_COMMON, IDC_MONSTER_ITEM_RARE, IDC_EVOLUTION_ITEM})
    text::win::FillCombo(page.Item(id), items.entries);
  page.ComboFill(IDC_EVOLUTION_METHOD, kEvolutionMethodNames);
  page.ComboFill(IDC_MONSTER_GROWTH, kGrowthNames);
  page.ComboFill(IDC_MONSTER_EGG_GROUP1, kEggGroupNames);
  page.ComboFill(IDC_MONSTER_EGG_GROUP2, kEggGroupNames);
  bool abilities_read = rules().ReadAbilities();
  text::win::CWideEntries abilities;
  for (const std::string& ability : rules().abilities()) abilities.AddEntry(ability);
  for (int id : {IDC_MONSTER_ABILITY1, IDC_MONSTER_ABILITY2}) text::win::FillCombo(page.Item(id), abilities.entries);
  if (!abilities_read) ShowStatus(kAbilitiesMissingText);

  text::win::CWideEntries species;
  text::SharedTables().species.FillList(species);
  for (int id : {IDC_MONSTER_LIST, IDC_EVOLUTION_TARGET}) text::win::FillCombo(page.Item(id), species.entries);
  text::win::CWideEntries dex;
  if (rules().dex_loaded())
    for (int d = 0; d < L::kDexEntries; ++d) dex.AddEntry(rules().DexEntry(d));
  text::win::FillCombo(page.Item(IDC_DEX_LIST), dex.entries);
  page.ComboFill(IDC_MONSTER_TYPE1, text::kTypeNames);
  page.ComboFill(IDC_MONSTER_TYPE2, text::kTypeNames);
  text::win::CWideEntries moves;
  text::SharedTables().moves.FillList(moves);
  text::win::FillCombo(page.Item(IDC_LEARNSET_MOVE), moves.entries);

  page.ComboSelect(IDC_MONSTER_LIST, rules().current());
  page.ComboSelect(IDC_DEX_LIST, 0);
  ShowSpecies(page, true);
  // After a new ROM the TM/HM window reads again; on a mere revisit its ticks stay.
  if (rules().machine().loaded_species() != rules().current()) machine_window_.Load();
  // The list held in memory belongs to the species on show until another one is chosen.
  ShowLearnset(page, rules().learnset().species() != rules().current(), 0);
}

void CSolid_Value::ShowSpecies(CDialogItems page, bool dex) {
  auto view = rules().ShowSpecies();
  if (!view) return;
  for (size_t i = 0; i < L::kBaseStatCount; ++i) {
    page.SetText(kBaseEdits[i], view->base[i]);
    page.SetText(kEffortEdits[i], view->effort[i]);
  }
  page.SetText(IDC_MONSTER_TOTAL, view->total);
  page.SetText(IDC_MONSTER_GENDER, view->gender);
  page.SetText(IDC_MONSTER_CATCH_RATE, view->catch_rate);
  page.SetText(IDC_MONSTER_EXP_YIELD, view->exp_yield);
  page.SetText(IDC_MONSTER_FRIENDSHIP, view->friendship);
  page.SetText(IDC_MONSTER_EGG_STEPS, view->egg_steps);
  if (rules().flee_rate_used()) page.SetText(IDC_MONSTER_FLEE_RATE, view->flee_rate);
  page.ComboSelect(IDC_MONSTER_TYPE1, view->type1);
  page.ComboSelect(IDC_MONSTER_TYPE2, view->type2);
  page.ComboSelect(IDC_MONSTER_ITEM_COMMON, view->item_common);
  page.ComboSelect(IDC_MONSTER_ITEM_RARE, view->item_rare);
  page.ComboSelect(IDC_MONSTER_GROWTH, view->growth);
  page.ComboSelect(IDC_MONSTER_EGG_GROUP1, view->egg_group1);
  page.ComboSelect(IDC_MONSTER_EGG_GROUP2, view->egg_group2);
  page.ComboSelect(IDC_MONSTER_ABILITY1, view->ability1);
  page.ComboSelect(IDC_MONSTER_ABILITY2, view->ability2);
  TabCtrl_SetCurSel(page.Item(IDC_EVOLUTION_TABS), 0);
  ShowEvolution(page, 0);
  if (dex && rules().dex_loaded()) {
    page.ComboSelect(IDC_DEX_LIST, view->dex);
    ShowDex(page, view->dex);
  }
}

intptr_t CSolid_Value::DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) {
  if (message == WM_NOTIFY && hWnd) {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    if (header->idFrom == IDC_EVOLUTION_TABS && header->code == UINT(TCN_SELCHANGE))
      ShowEvolution(page(), EvolutionSlot());
    return 0;
  }
  return CPageView<CMonsterRules>::DialogProc(message, wparam, lparam);
}

int CSolid_Value::EvolutionSlot() const { return TabCtrl_GetCurSel(page().Item(IDC_EVOLUTION_TABS)); }

void CSolid_Value::ShowEvolution(CDialogItems page, int slot) {
  auto view = rules().ShowEvolution(slot);
  if (!view) return;
  page.ComboSelect(IDC_EVOLUTION_METHOD, view->method);
  if (view->kind == EvolutionKind::kLevel) page.SetText(IDC_EVOLUTION_LEVEL, view->level);
  if (view->kind == EvolutionKind::kItem) page.ComboSelect(IDC_EVOLUTION_ITEM, view->item);
  page.Enable({IDC_EVOLUTION_LEVEL}, view->kind == EvolutionKind::kLevel);
  page.Enable({IDC_EVOLUTION_ITEM}, view->kind == EvolutionKind::kItem);
  page.Enable({IDC_EVOLUTION_TARGET}, view->kind != EvolutionKind::kOff);
  page.ComboSelect(IDC_EVOLUTION_TARGET, view->target);
}

void CSolid_Value::ShowDex(CDialogItems page, int number) {
  if (rules().dex(number) == nullptr) return;
  page.SetText(IDC_DEX_DESCRIPTION, "");
  DexView view = rules().ShowDex(number, TabSystem().rom_path());
  page.SetText(IDC_DEX_ADDRESS, view.address);
  page.SetText(IDC_DEX_HEIGHT, view.height);
  page.SetText(IDC_DEX_WEIGHT, view.weight);
  // Without a text there is no room: the size of a record shown before must not stay.
  page.SetText(IDC_DEX_SIZE, view.size);
  if (!view.size.empty()) page.SetText(IDC_DEX_DESCRIPTION, view.description);
  if (!view.status.empty()) ShowStatus(view.status);
}

void CSolid_Value::ApplySpecies() {
  CDialogItems p = page();
  MonsterInput input;
  for (size_t i = 0; i < L::kBaseStatCount; ++i) {
    input.base[i] = p.Text(kBaseEdits[i]);
    input.effort[i] = p.Text(kEffortEdits[i]);
  }
  input.catch_rate = p.Text(IDC_MONSTER_CATCH_RATE);
  input.exp_yield = p.Text(IDC_MONSTER_EXP_YIELD);
  input.gender = p.Text(IDC_MONSTER_GENDER);
  input.egg_steps = p.Text(IDC_MONSTER_EGG_STEPS);
  input.friendship = p.Text(IDC_MONSTER_FRIENDSHIP);
  input.flee_rate = p.Text(IDC_MONSTER_FLEE_RATE);
  input.type1 = p.ComboSelection(IDC_MONSTER_TYPE1);
  input.type2 = p.ComboSelection(IDC_MONSTER_TYPE2);
  input.item_common = p.ComboSelection(IDC_MONSTER_ITEM_COMMON);
  input.item_rare = p.ComboSelection(IDC_MONSTER_ITEM_RARE);
  input.growth = p.ComboSelection(IDC_MONSTER_GROWTH);
  input.egg_group1 = p.ComboSelection(IDC_MONSTER_EGG_GROUP1);
  input.egg_group2 = p.ComboSelection(IDC_MONSTER_EGG_GROUP2);
  input.ability1 = p.ComboSelection(IDC_MONSTER_ABILITY1);
  input.ability2 = p.ComboSelection(IDC_MONSTER_ABILITY2);
  input.evolution_slot = EvolutionSlot();
  input.evolution_method = p.ComboSelection(IDC_EVOLUTION_METHOD);
  input.evolution_level = p.Text(IDC_EVOLUTION_LEVEL);
  input.evolution_item = p.ComboSelection(IDC_EVOLUTION_ITEM);
  input.evolution_target = p.ComboSelection(IDC_EVOLUTION_TARGET);
  std::string status = rules().ApplySpecies(input);
  if (status.empty()) return;
  ShowSpecies(p, false);  // the fields, and the total, show what was stored
  TabCtrl_SetCurSel(p.Item(IDC_EVOLUTION_TABS), input.evolution_slot);  // the slot stays on show
  ShowEvolution(p, input.evolution_slot);
  ShowStatus(status);
}

void CSolid_Value::MoveDescription() {
  CDialogItems p = page();
  if (!rules().dex_loaded()) return;
  std::string status;
  std::vector<uint8_t> bytes = rules().EncodeDescription(p.Text(IDC_DEX_DESCRIPTION), status);
  if (bytes.empty()) {
    ShowStatus(status);
    return;
  }
  CChooseSpaceDialog dialog(FreeSpace());
  uint32_t offset = dialog.Choose(hWnd, uint32_t(bytes.size()));
  if (offset == 0) return;
  const DescriptionMove move = rules().MoveDescription(TabSystem().rom_path(), offset, bytes);
  ShowStatus(move.status);
  if (!move.moved) return;
  p.SetText(IDC_DEX_ADDRESS, move.address);
  p.SetText(IDC_DEX_SIZE, move.size);
}

void CSolid_Value::ShowLearnset(CDialogItems page, bool read, int selection) {
  CLearnset& learnset = rules().learnset();
  std::string status;
  if (read) status = learnset.Read(TabSystem().rom_path(), rules().current());
  const LearnsetView view = learnset.Show();
  std::vector<const char*> lines;
  for (const std::string& line : view.lines) lines.push_back(line.c_str());
  page.ListFill(IDC_LEARNSET_LIST, lines);
  page.SetText(IDC_LEARNSET_COUNT, view.count);
  page.SetText(IDC_LEARNSET_ADDRESS, view.address);
  // A list that could not be read is never written over what the ROM holds.
  page.Enable({IDC_LEARNSET_SAVE}, learnset.read_ok());
  page.ListSelect(IDC_LEARNSET_LIST, selection);
  ShowLearnsetEntry(page, page.ListSelection(IDC_LEARNSET_LIST));
  if (!status.empty()) ShowStatus(status);
}

void CSolid_Value::ShowLearnsetEntry(CDialogItems page, int index) {
  LearnsetEntryView entry;
  if (!rules().learnset().ShowEntry(index, entry)) entry = {"", -1};
  page.SetText(IDC_LEARNSET_LEVEL, entry.level);
  page.ComboSelect(IDC_LEARNSET_MOVE, entry.move);
}

void CSolid_Value::SwapLearnsetEntry(bool up) {
  CDialogItems p = page();
  const LearnsetSwap swap = rules().learnset().Swap(p.ListSelection(IDC_LEARNSET_LIST), up);
  if (!swap.moved) {
    ShowStatus(swap.status);
    return;
  }
  ShowLearnset(p, false, swap.selection);
}

void CSolid_Value::ResizeLearnset() {
  if (!rules().learnset().pointers_loaded()) return;
  CLearnsetDialog dialog(FreeSpace(), rules().learnset(), TabSystem().rom_path(), RunTimeName(*this),
                         [this](const std::string& status) { ShowStatus(status); });
  if (dialog.Run(hWnd)) ShowLearnset(page(), false, 0);
}
