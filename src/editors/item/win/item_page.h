#pragma once
// The item page's view: dialog 136 and the item rules.
#include "core/win/page_view.h"
#include "editors/item/item_rules.h"

class CItem_Edit final : public CPageView<CItemRules> {
 public:
  CItem_Edit();

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  void ShowItem(toolkit::win::CDialogItems page);
};

template <>
struct PageViewOf<CItemRules> {
  using type = CItem_Edit;
};
