// The move page.
#include "editors/move/move_layout.h"
#include "editors/move/move_rules.h"
#include "text/shared_tables.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CMoveRules& rules, const Context& c) {
  rules.ReadEffects();
  for (int record : c.records) {
    text::SharedTables().moves.Entry(record);
    rules.set_current(record);
    if (auto view = rules.ShowMove()) {
      MoveInput input{view->effect, view->type, view->power, view->accuracy, view->pp, view->chance, true, view->unknown};
      StoreAsShown("move", const_cast<uint8_t*>(rules.record(record)), move_layout::kSize, {},
                   [&] { return Done(rules.ApplyMove(input)); });
    }
  }
}

const PageShow<CMoveRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
