#pragma once
// The extras page's view: dialog 132 and the extras rules.
#include "core/win/page_view.h"
#include "editors/extras/extras_rules.h"

class COmake final : public CPageView<CExtrasRules> {
 public:
  COmake();

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  void StoreStarters(StarterGroup group);
};

template <>
struct PageViewOf<CExtrasRules> {
  using type = COmake;
};
