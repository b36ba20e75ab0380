#pragma once
// The monster page's view: dialog 137 and the monster rules.
#include "core/win/page_view.h"
#include "editors/monster/monster_rules.h"

class CSolid_Value final : public CPageView<CMonsterRules> {
 public:
  CSolid_Value();

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  // The current species' fields; with `dex`, also its dex record.
  void ShowSpecies(toolkit::win::CDialogItems page, bool dex);
  void ShowDex(toolkit::win::CDialogItems page, int number);
  void ApplySpecies();
  void MoveDescription();
};

template <>
struct PageViewOf<CMonsterRules> {
  using type = CSolid_Value;
};
