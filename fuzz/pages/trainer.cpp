// The trainer page: trainers with their parties, and a search.
#include <string>

#include "editors/trainer/trainer_layout.h"
#include "editors/trainer/trainer_rules.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CTrainerRules& rules, const Context& c) {
  for (int record : c.records) {
    rules.ListLine(record);
    rules.set_current(record);
    if (auto view = rules.ShowTrainer()) {
      TrainerInput input;
      input.name = view->name, input.party_size = view->party_size, input.party_offset = view->party_offset;
      input.music = view->music, input.trainer_class = view->trainer_class, input.data_type = view->data_type;
      input.items = view->items, input.double_battle = view->double_battle, input.checks = view->checks;
      namespace L = trainer_layout;
      std::initializer_list<Kept> kept = {{L::kName, 0xFF},     {L::kName + 1, 0xFF}, {L::kName + 2, 0xFF},
                                          {L::kName + 3, 0xFF}, {L::kName + 4, 0xFF}, {L::kName + 5, 0xFF},
                                          {L::kDouble, 0xFF}};
      StoreAsShown("trainer", const_cast<uint8_t*>(rules.record(record)), L::kSize, kept,
                   [&] { return Done(rules.StoreTrainer(input, true, view->picture)); });
    }
    rules.ReadParty(c.rom);
    rules.PartyLines();
    for (int member = -1; member <= trainer_layout::kMaxMembers; ++member) rules.ShowMember(member);
    rules.ClampPicture(record);
  }
  std::string status;
  if (rules.count() <= kWholeListLimit) rules.Search("ア", true, status);
}

const PageShow<CTrainerRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
