#pragma once
// The count/type dialog of the trainer page (template 133): a party of another size or data type
// at a place found in free space.
#include <filesystem>
#include <string>

#include "core/win/relocation_dialog.h"
#include "editors/trainer/trainer_rules.h"

class CPartyDialog final : public CRelocationDialog {
 public:
  CPartyDialog(CFinddummyspace& finder, CTrainerRules& rules, std::filesystem::path rom, std::string page_name)
      : CRelocationDialog(finder), rules_(rules), rom_(std::move(rom)), page_name_(std::move(page_name)) {}

  // The status text of the last "設定" ("" before one).
  const std::string& status() const { return status_; }

 private:
  std::string Caption() const override { return "とれーなーえでぃっと"; }
  std::vector<std::string> DataTypes() const override;
  int InitialCount() const override;
  int InitialDataType() const override;
  int InitialMaximum() const override { return 100; }
  uint64_t ByteSize(int count, int data_type) const override { return CTrainerRules::PartyBytes(count, data_type); }
  std::string RefusedChoice(int count, int data_type) const override;
  std::string MissingChoiceText() const override { return "repointするアドレスを指定してください。"; }
  bool Write(const Placement& placement) override;

  CTrainerRules& rules_;
  std::filesystem::path rom_;
  std::string page_name_;
  std::string status_;
};
