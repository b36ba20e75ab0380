#pragma once
// The egg-move page's view: dialog 138 and the egg-move rules.
#include "core/win/page_view.h"
#include "editors/egg_moves/egg_moves_rules.h"

class CTamago_Skill final : public CPageView<CEggMoveRules> {
 public:
  CTamago_Skill();

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  // Refills the right list for the selected left line and shows the selection in the lists.
  void ShowLeft(toolkit::win::CDialogItems page);
  void ShowLists(toolkit::win::CDialogItems page);
  void SwitchMode(bool raw);
};

template <>
struct PageViewOf<CEggMoveRules> {
  using type = CTamago_Skill;
};
