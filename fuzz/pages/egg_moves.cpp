// The egg-move page: both lists, raw and named, every line stored as shown.
#include <vector>

#include "editors/egg_moves/egg_moves_rules.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CEggMoveRules& rules, const Context& c) {
  for (bool raw : {rules.raw(), !rules.raw()}) {
    rules.SetRaw(raw);
    if (rules.words().size() <= size_t(kWholeListLimit)) rules.LeftLines();
    for (int record : c.records) {
      rules.LeftLine(record);
      rules.SelectLeft(record);
      rules.RightLines();
      const std::vector<uint16_t> words = rules.words();
      if (auto species = rules.ShownSpecies(); species && *species >= 0) rules.StoreSpecies(*species);
      for (int move : c.records) {
        rules.RightLine(move);
        rules.SelectRight(move);
        if (auto shown = rules.ShownMove(); shown && *shown >= 0) rules.StoreMove(*shown);
      }
      if (rules.words() != words) Fail("egg moves", "storing a word as shown changed the table");
    }
  }
}

const PageShow<CEggMoveRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
