#pragma once
// The monster page's view: dialog 137 and the monster rules.
#include "core/win/page_view.h"
#include "editors/monster/monster_rules.h"
#include "editors/monster/win/machine_window.h"

class CSolid_Value final : public CPageView<CMonsterRules> {
 public:
  CSolid_Value();
  // The TM/HM window goes before the rules that would tell it of a discard.
  ~CSolid_Value() override { rules().machine().set_on_discard(nullptr); }

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  // The evolution tabs tell their changes by notification.
  intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;
  // The evolution slot of the selected tab, shown with its entries enabled as its method takes them.
  int EvolutionSlot() const;
  void ShowEvolution(toolkit::win::CDialogItems page, int slot);
  // The current species' fields; with `dex`, also its dex record.
  void ShowSpecies(toolkit::win::CDialogItems page, bool dex);
  void ShowDex(toolkit::win::CDialogItems page, int number);
  void ApplySpecies();
  void MoveDescription();
  // The learnset of the current species: read from the ROM file (`read`) or as held, shown with
  // line `selection` selected.
  void ShowLearnset(toolkit::win::CDialogItems page, bool read, int selection);
  void ShowLearnsetEntry(toolkit::win::CDialogItems page, int index);
  void SwapLearnsetEntry(bool up);
  void ResizeLearnset();

  CMachineWindow machine_window_{rules()};
};

template <>
struct PageViewOf<CMonsterRules> {
  using type = CSolid_Value;
};
