// The item page.
#include "editors/item/item_layout.h"
#include "editors/item/item_rules.h"
#include "text/shared_tables.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CItemRules& rules, const Context& c) {
  for (int record : c.records) {
    text::SharedTables().items.Entry(record);
    rules.set_current(record);
    if (auto view = rules.Show())
      StoreAsShown("item", text::SharedTables().items.record(record), item_layout::kSize, {},
                   [&] { return Done(rules.Apply({view->battle_type, view->pocket, view->price, view->parameter})); });
  }
}

const PageShow<CItemRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
