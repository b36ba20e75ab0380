// The sprite page: every mode, every graphic's address, the entry and the trainer page's picture.
#include <vector>

#include "editors/image/image_rules.h"
#include "page_show.h"

namespace passes_fuzz {
namespace {

void Show(CImageRules& rules, const Context& c) {
  std::vector<uint32_t> pixels;
  for (int mode : {CImageRules::kMonster, CImageRules::kTrainer, CImageRules::kBackView}) {
    rules.SetMode(mode);
    for (int record : c.records) {
      rules.SetIndex(std::to_string(record));
      rules.Step(record & 1 ? 1 : -1);
      for (auto graphic : {CImageRules::kFront, CImageRules::kBack, CImageRules::kPalette,
                           CImageRules::kShinyPalette}) {
        rules.HasGraphic(graphic);
        rules.AddressText(graphic);
      }
      rules.LoadEntry(c.rom);
      ImageMessages messages;
      rules.GetImage(c.rom, mode == CImageRules::kTrainer, record, pixels, messages);
    }
  }
}

const PageShow<CImageRules> kShow(&Show);

}  // namespace
}  // namespace passes_fuzz
