// The trade page.
#include "editors/trades/trade_layout.h"
#include "editors/trades/trade_rules.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CTradeRules& rules, const Context& c) {
  for (int record : c.records) {
    rules.Line(record);
    rules.Select(record);
    if (auto view = rules.Show()) {
      TradeInput input{view->species_given, view->species_asked, view->item, view->ivs, view->second_ability};
      // The ability byte is a box: on for 1, off for anything else.
      StoreAsShown("trade", const_cast<uint8_t*>(rules.record(record)), trade_layout::kSize,
                   {{trade_layout::kAbility, 0xFF}}, [&] { return Done(rules.Apply(input)); });
    }
  }
}

const PageShow<CTradeRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
