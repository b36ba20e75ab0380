#pragma once
// The in-game trade page's view: dialog 140 and the trade rules.
#include <cstdint>

#include "core/win/page_view.h"
#include "editors/trades/trade_rules.h"

class CVantari_Communication_Change final : public CPageView<CTradeRules> {
 public:
  CVantari_Communication_Change();

  // What a refresh may overwrite.
  enum class Refresh : uint8_t {
    kAll,          // a trade was selected
    kKeepGender,   // the gender value is being typed
    kKeepNature,   // a nature was chosen
    kIdentity,     // the shiny box was toggled: personality and ID fields
  };

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  void FillTradeList(toolkit::win::CDialogItems page);
  void Show(toolkit::win::CDialogItems page, Refresh mode);
  void StoreName(TradeName which, int field);

  // Set while the page writes its own controls, so that their notifications are ignored.
  bool updating_ = false;
};

template <>
struct PageViewOf<CTradeRules> {
  using type = CVantari_Communication_Change;
};
