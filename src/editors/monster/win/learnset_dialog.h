#pragma once
// The length dialog of the learnset (template 133): the current species' list with another
// number of entries, written at a place found in free space.
#include <filesystem>
#include <functional>
#include <string>

#include "core/win/relocation_dialog.h"
#include "editors/monster/learnset.h"

class CLearnsetDialog final : public CRelocationDialog {
 public:
  CLearnsetDialog(CFinddummyspace& finder, CLearnset& learnset, std::filesystem::path rom, std::string page_name,
                  std::function<void(const std::string&)> report)
      : CRelocationDialog(finder),
        learnset_(learnset),
        rom_(std::move(rom)),
        page_name_(std::move(page_name)),
        report_(std::move(report)) {}

 private:
  std::string Caption() const override { return "ヴァンタリえでぃた～"; }
  std::string CountLabel() const override { return "技の数："; }
  int InitialCount() const override { return 0; }
  std::string InitialCountText() const override { return {}; }
  int CountEditWidth() const override { return 50; }
  uint64_t ByteSize(int count, int) const override { return monster_layout::LearnsetBytes(count); }
  std::string MissingChoiceText() const override { return "repointするアドレスを指定してください。"; }
  std::string BadCountText() const override { return "技の数がおかしいです。"; }
  Refusal MissingChoice(Missing what) const override;
  bool Write(const Placement& placement) override;

  CLearnset& learnset_;
  std::filesystem::path rom_;
  std::string page_name_;
  std::function<void(const std::string&)> report_;
};
