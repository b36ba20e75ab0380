// The type-chart page.
#include <vector>

#include "editors/type_chart/type_chart_rules.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CTypeChartRules& rules, const Context& c) {
  for (int record : c.records) {
    rules.Line(record);
    rules.set_current(record);
    if (auto view = rules.Show()) {
      const std::vector<uint8_t> entries = rules.entries();
      rules.Store(*view);
      if (rules.entries() != entries) Fail("type chart", "storing an entry as shown changed it");
    }
  }
}

const PageShow<CTypeChartRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
