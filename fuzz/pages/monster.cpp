// The monster page: species, evolutions, dex entries with their descriptions, learnsets and TM/HM bits.
#include <string>

#include "editors/monster/monster_layout.h"
#include "editors/monster/monster_rules.h"
#include "text/shared_tables.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CMonsterRules& rules, const Context& c) {
  rules.ReadAbilities();
  auto& species = text::SharedTables().species;
  for (int record : c.records) {
    species.Entry(record);
    rules.set_current(record);
    if (auto view = rules.ShowSpecies()) {
      MonsterInput input;
      input.base = view->base, input.effort = view->effort, input.catch_rate = view->catch_rate;
      input.exp_yield = view->exp_yield, input.gender = view->gender, input.egg_steps = view->egg_steps;
      input.friendship = view->friendship, input.flee_rate = view->flee_rate;
      input.type1 = view->type1, input.type2 = view->type2, input.item_common = view->item_common;
      input.item_rare = view->item_rare, input.growth = view->growth, input.egg_group1 = view->egg_group1;
      input.egg_group2 = view->egg_group2, input.ability1 = view->ability1, input.ability2 = view->ability2;
      // Bits 12-15 of the effort word are cleared by every store.
      StoreAsShown("monster", const_cast<uint8_t*>(rules.stats(record)), monster_layout::kStatsSize,
                   {{monster_layout::kEffort + 1, 0xF0}}, [&] { return Done(rules.ApplySpecies(input)); });
    }
    for (int slot = -1; slot <= monster_layout::kEvolutionSlots; ++slot) rules.ShowEvolution(slot);
    rules.DexEntry(record);
    std::string height, weight;
    rules.DexSize(record, height, weight);
    rules.ShowDex(record, c.rom);
    rules.ShowDex(SpeciesToDex(record), c.rom);
    // The species' learnset and TM/HM bits, read from the file as a species change does. The
    // learnset written back as read leaves the file as it is; TM/HM bits are never written for
    // a species other than the one read.
    CLearnset& learnset = rules.learnset();
    learnset.Read(c.rom, record);
    learnset.Show();
    LearnsetEntryView entry;
    for (int i = -1; i <= learnset.count(); ++i) learnset.ShowEntry(i, entry);
    learnset.WriteInPlace(c.rom);
    std::string status;
    rules.machine().Load(c.rom, record, status);
    if (rules.machine().Save(c.rom, record + 1, rules.machine().states(), status))
      Fail("monster", "TM/HM bits saved for a species that was not read");
  }
}

const PageShow<CMonsterRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
