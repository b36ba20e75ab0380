#include "editors/trainer/win/party_dialog.h"

#include <iterator>

#include "core/failure_text.h"
#include "editors/trainer/trainer_layout.h"

std::vector<std::string> CPartyDialog::DataTypes() const {
  return std::vector<std::string>(std::begin(kTrainerDataTypes), std::end(kTrainerDataTypes));
}

int CPartyDialog::InitialCount() const {
  const uint8_t* record = rules_.record(rules_.current());
  return record ? record[trainer_layout::kPartySize] : 1;
}

int CPartyDialog::InitialDataType() const {
  const uint8_t* record = rules_.record(rules_.current());
  return record ? record[trainer_layout::kDataType] : 0;
}

std::string CPartyDialog::RefusedChoice(int count, int data_type) const {
  if (data_type < 0 || data_type >= trainer_layout::kDataTypeCount) return "でーたタイプがおかしいです。";
  if (count < 1 || count > trainer_layout::kMaxMembers) return "ヴァンタリの数がおかしいです。";
  return {};
}

bool CPartyDialog::Write(const Placement& placement) {
  if (!RefusedChoice(placement.count, placement.data_type).empty()) {
    Box(placement.count < 1 || placement.count > trainer_layout::kMaxMembers ? "ヴァンタリの数の異常？"
                                                                              : "データタイプの異常？",
        "？？？", MB_OK | MB_ICONERROR);
    return false;
  }
  const RelocationResult result =
      rules_.Relocate(rom_, placement.offset, placement.count, placement.data_type, placement.copy_old);
  if (!result.ok) {
    Box(result.box, "Error", MB_OK | MB_ICONERROR);
    status_ = FailureText(page_name_, result.step, result.error);
    return false;
  }
  status_ = kPartySavedText;
  return true;
}
