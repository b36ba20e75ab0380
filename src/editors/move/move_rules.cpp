#include "editors/move/move_rules.h"

#include "core/ini.h"
#include "core/typed_fields.h"
#include "text/name_file.h"
#include "text/name_tables.h"
#include "text/shared_tables.h"

namespace {

namespace L = move_layout;

text::CRecordTable& MoveNames() { return text::SharedTables().moves; }

}  // namespace

void CMoveRules::Init() {
  span_ = {-1, 0, L::kSize};
  records_.clear();
  loaded_ = false;
  current_ = 0;
  effects_.clear();
}

void CMoveRules::LoadSetting(const PageSetup& setup) {
  span_ = SettingSpan(setup, "AttackTable", "AttackNum", L::kSize, text::kDefaultAttackNum);
  effects_file_ = setup.setting_ini.parent_path() / "effects.ini";
  records_.clear();
  loaded_ = false;
}

bool CMoveRules::RomRead(platform::CFile& rom, std::string& error) {
  records_.clear();
  loaded_ = false;
  if (span_.offset == -1 || span_.count <= 0) return true;
  if (!ReadTable(rom, span_, records_, error)) return false;
  loaded_ = true;
  return true;
}

bool CMoveRules::RomSave(platform::CFile& rom, std::string& error) {
  if (!loaded_) return true;
  return WriteTable(rom, span_, records_, error);
}

std::vector<PageCopy> CMoveRules::TableCopies() {
  if (!loaded_) return {};
  return {{"moves", uint64_t(span_.offset), L::kSize, records_, [this](const std::vector<uint8_t>& b) { records_ = b; }}};
}

void CMoveRules::FreeData() {
  records_.clear();
  records_.shrink_to_fit();
  loaded_ = false;
}

const uint8_t* CMoveRules::record(int32_t index) const {
  return index >= 0 && index < count() ? records_.data() + size_t(index) * L::kSize : nullptr;
}

bool CMoveRules::ReadEffects() { return text::ReadNameLines(effects_file_, effects_); }

std::optional<MoveView> CMoveRules::ShowMove() const {
  const uint8_t* move = record(current_);
  if (move == nullptr) return std::nullopt;
  MoveView view;
  view.effect = move[L::kEffect];
  view.type = move[L::kType];
  view.power = std::to_string(move[L::kPower]);
  view.accuracy = std::to_string(move[L::kAccuracy]);
  view.pp = std::to_string(move[L::kPP]);
  view.chance = std::to_string(move[L::kChance]);
  for (size_t i = 0; i < L::kUnknownCount; ++i) view.unknown[i] = std::to_string(move[L::kUnknown + i]);
  return view;
}

std::string CMoveRules::ApplyMove(const MoveInput& input) {
  if (!CurrentInRange()) return kIndexOutOfRangeText;
  uint8_t* move = records_.data() + size_t(current_) * L::kSize;
  CTypedFields fields;
  // A list without a valid selection (no effects.ini, a value beyond the list) keeps its byte.
  move[L::kEffect] = fields.Selection(input.effect, int(effects_.size()), move[L::kEffect]);
  move[L::kType] = fields.Selection(input.type, text::kTypeCount, move[L::kType]);
  move[L::kPower] = fields.Byte(input.power);
  move[L::kAccuracy] = fields.Byte(input.accuracy);
  move[L::kPP] = fields.Byte(input.pp);
  move[L::kChance] = fields.Byte(input.chance);
  if (input.store_unknown)
    for (size_t i = 0; i < L::kUnknownCount; ++i) move[L::kUnknown + i] = fields.Byte(input.unknown[i]);
  return fields.Status();
}

text::CRecordTable::Rename CMoveRules::RenameMove(std::string_view typed) {
  if (typed.empty()) return MoveNames().RenameRecord(current_, typed, "技名を入力してください。");
  if (current_ < 0 || current_ >= MoveNames().count()) return {kIndexOutOfRangeText, false, {}};
  return MoveNames().RenameRecord(current_, typed, "");
}

std::string CMoveRules::Subject() const { return RecordSubject("技", current_); }
