#pragma once
// The move editor's view: dialog 135 and the move rules.
#include "core/win/page_view.h"
#include "editors/move/move_rules.h"

class CAttack_Edit final : public CPageView<CMoveRules> {
 public:
  CAttack_Edit();

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  void ShowMove(toolkit::win::CDialogItems page);
};

template <>
struct PageViewOf<CMoveRules> {
  using type = CAttack_Edit;
};
