#include "editors/monster/win/learnset_dialog.h"

CRelocationDialog::Refusal CLearnsetDialog::MissingChoice(Missing what) const {
  switch (what) {
    case Missing::kZeroPlace:
      return {"変換ミス？", "?"};
    case Missing::kCount:
      return {"技の数の異常？", "？？？"};
    case Missing::kPlace:
      break;
  }
  return {MissingChoiceText(), "error"};
}

bool CLearnsetDialog::Write(const Placement& placement) {
  const LearnsetRelocation result =
      learnset_.Relocate(rom_, placement.offset, placement.count, placement.copy_old, page_name_);
  if (!result.status.empty()) report_(result.status);
  return result.ok;
}
