// The extras page: the class names and both groups of starters.
#include <array>

#include "editors/extras/extras_rules.h"
#include "text/shared_tables.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CExtrasRules& rules, const Context& c) {
  rules.enabled();
  for (int record : c.records) text::SharedTables().classes.Entry(record);
  for (auto group : {StarterGroup::kPlayer, StarterGroup::kRival}) {
    rules.StarterStoreEnabled(group);
    std::array<int, 3> shown{};
    for (int slot = 0; slot < 3; ++slot) {
      rules.StarterEnabled(group, slot);
      shown[size_t(slot)] = rules.ShownStarter(group, slot);
    }
    std::array<uint16_t, 3> before{};
    for (int slot = 0; slot < 3; ++slot) before[size_t(slot)] = rules.starter(group, slot).species;
    rules.StoreStarters(group, shown);
    for (int slot = 0; slot < 3; ++slot)
      if (rules.starter(group, slot).species != before[size_t(slot)]) Fail("extras", "storing the starters as shown changed one");
  }
}

const PageShow<CExtrasRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
