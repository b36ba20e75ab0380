#include "editors/egg_moves/egg_moves_rules.h"

#include <cstdio>

#include "core/ini.h"
#include "core/rom_address.h"
#include "editors/egg_moves/egg_moves_layout.h"
#include "text/shared_tables.h"

namespace {

namespace L = egg_moves_layout;

constexpr const char* kNoValueText = "正しい値を取得できませんでした。";
constexpr const char* kEndKeptText = "テーブルの終わりは変更できません。";
constexpr const char* kEndLine = "―― 終わり ――";
constexpr const char* kRawMarker = "覚えるヴァンタリ：";

EggStore Refused(const char* status) { return EggStore{status, false, {}}; }

std::string Numbered(int number, const std::string& name) {
  char head[16];
  std::snprintf(head, sizeof head, "%03d:", number);
  return head + name;
}

}  // namespace

std::string EggSpeciesText(int species) {
  const text::CRecordTable& table = text::SharedTables().species;
  return species >= 0 && species < table.count() ? table.Entry(species) : std::string();
}

std::string EggMoveName(int move) {
  const text::CRecordTable& table = text::SharedTables().moves;
  if (move < 0 || move >= table.count()) return std::to_string(move);
  return text::NameEntryText(text::VantariText(), table.record(move), table.layout().decoded_bytes, move, false);
}

void CEggMoveRules::Init() {
  span_ = {-1, 0, L::kWordSize};
  loaded_ = false;
  raw_ = false;
  words_.clear();
  groups_.clear();
  left_ = right_ = 0;
}

void CEggMoveRules::LoadSetting(const PageSetup& setup) {
  span_ = SettingSpan(setup, "MonsterEggData", "MonsterEggDataNum", L::kWordSize);
  FreeData();
  left_ = right_ = 0;
}

bool CEggMoveRules::RomRead(platform::CFile& rom, std::string& error) {
  FreeData();
  if (!span_.configured()) return true;
  std::vector<uint8_t> bytes;
  if (!ReadTable(rom, span_, bytes, error)) return false;
  words_.resize(bytes.size() / L::kWordSize);
  for (size_t i = 0; i < words_.size(); ++i) words_[i] = rom::Get16(bytes.data() + i * L::kWordSize);
  loaded_ = true;
  if (!raw_) BuildGroups();
  return true;
}

bool CEggMoveRules::RomSave(platform::CFile& rom, std::string& error) {
  if (!loaded_ || !span_.configured()) return true;
  std::vector<uint8_t> bytes(words_.size() * L::kWordSize);
  for (size_t i = 0; i < words_.size(); ++i) rom::Put16(bytes.data() + i * L::kWordSize, words_[i]);
  return WriteTable(rom, span_, bytes, error);
}

std::vector<PageCopy> CEggMoveRules::TableCopies() {
  if (!loaded_ || !span_.configured()) return {};
  std::vector<uint8_t> bytes(words_.size() * L::kWordSize);
  for (size_t i = 0; i < words_.size(); ++i) rom::Put16(bytes.data() + i * L::kWordSize, words_[i]);
  return {{"egg_moves", uint64_t(span_.offset), L::kWordSize, std::move(bytes), [this](const std::vector<uint8_t>& b) {
             for (size_t i = 0; i < words_.size(); ++i) words_[i] = rom::Get16(b.data() + i * L::kWordSize);
             if (!raw_) BuildGroups();
           }}};
}

void CEggMoveRules::FreeData() {
  loaded_ = false;
  words_.clear();
  groups_.clear();
}

// Stores go straight into the words; a group only says where its words lie, so the groups and
// the words never disagree and nothing has to be written back before a save or a mode switch.
void CEggMoveRules::BuildGroups() {
  groups_.clear();
  for (size_t i = 0; i < words_.size() && !L::IsEnd(words_[i]); ++i) {
    if (!L::IsMarker(words_[i])) {
      if (!groups_.empty()) ++groups_.back().moves;
      continue;
    }
    groups_.push_back(EggGroup{int32_t(i), 0});
  }
}

bool CEggMoveRules::HasEnd() const {
  for (uint16_t word : words_)
    if (L::IsEnd(word)) return true;
  return false;
}

bool CEggMoveRules::SetRaw(bool raw) {
  if (raw == raw_) return false;
  raw_ = raw;
  if (raw_) {
    groups_.clear();
  } else {
    BuildGroups();
  }
  left_ = right_ = 0;
  return true;
}

std::string CEggMoveRules::LeftLine(int32_t index) const {
  if (!raw_) {
    if (index >= 0 && index < int32_t(groups_.size()))
      return EggSpeciesText(words_[size_t(groups_[size_t(index)].marker)] - L::kMarkerBase);
    return index == int32_t(groups_.size()) && HasEnd() ? kEndLine : "";
  }
  if (index < 0 || index >= int32_t(words_.size())) return {};
  uint16_t word = words_[size_t(index)];
  if (L::IsEnd(word)) return kEndLine;
  if (L::IsMarker(word)) return kRawMarker + EggSpeciesText(word - L::kMarkerBase);
  if (text::SharedTables().switches.duplication) return Numbered(index, EggMoveName(word));
  const text::CRecordTable& moves = text::SharedTables().moves;
  return word < moves.count() ? moves.Entry(word) : std::to_string(word);
}

std::vector<std::string> CEggMoveRules::LeftLines() const {
  std::vector<std::string> lines;
  int32_t count = raw_ ? int32_t(words_.size()) : int32_t(groups_.size()) + (HasEnd() ? 1 : 0);
  if (!loaded_) count = 0;
  lines.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) lines.push_back(LeftLine(i));
  return lines;
}

std::string CEggMoveRules::RightLine(int32_t index) const {
  int32_t group = SelectedGroup();
  if (group < 0 || index < 0 || index >= groups_[size_t(group)].moves) return {};
  uint16_t move = words_[size_t(groups_[size_t(group)].marker + 1 + index)];
  if (text::SharedTables().switches.duplication) return Numbered(index, EggMoveName(move));
  const text::CRecordTable& moves = text::SharedTables().moves;
  return move < moves.count() ? moves.Entry(move) : std::to_string(move);
}

std::vector<std::string> CEggMoveRules::RightLines() const {
  std::vector<std::string> lines;
  int32_t group = SelectedGroup();
  if (group < 0) return lines;
  for (int32_t i = 0; i < groups_[size_t(group)].moves; ++i) lines.push_back(RightLine(i));
  return lines;
}

void CEggMoveRules::SelectLeft(int32_t index) {
  left_ = index;
  right_ = 0;
}

int32_t CEggMoveRules::SelectedGroup() const {
  return !raw_ && left_ >= 0 && left_ < int32_t(groups_.size()) ? left_ : -1;
}

int32_t CEggMoveRules::SelectedWord() const {
  return raw_ && left_ >= 0 && left_ < int32_t(words_.size()) ? left_ : -1;
}

int32_t CEggMoveRules::SelectedMoveWord() const {
  int32_t group = SelectedGroup();
  if (group < 0 || right_ < 0 || right_ >= groups_[size_t(group)].moves) return -1;
  return groups_[size_t(group)].marker + 1 + right_;
}

std::optional<int> CEggMoveRules::ShownSpecies() const {
  int32_t at = raw_ ? SelectedWord() : (SelectedGroup() >= 0 ? groups_[size_t(left_)].marker : -1);
  if (at < 0 || !L::IsMarker(words_[size_t(at)])) return std::nullopt;
  int species = words_[size_t(at)] - L::kMarkerBase;
  return species < text::kSpeciesCount ? species : -1;
}

std::optional<int> CEggMoveRules::ShownMove() const {
  int32_t at = raw_ ? SelectedWord() : SelectedMoveWord();
  if (at < 0) return std::nullopt;
  uint16_t word = words_[size_t(at)];
  if (L::IsMarker(word) || L::IsEnd(word)) return std::nullopt;
  return word < text::SharedTables().moves.count() ? int(word) : -1;
}

EggStore CEggMoveRules::StoreSpecies(int species) {
  int32_t at = raw_ ? SelectedWord() : (SelectedGroup() >= 0 ? groups_[size_t(left_)].marker : -1);
  // Species 0 would make the marker word 20000, which reads as a move: no group starts with it.
  if (!loaded_ || at < 0 || species < 1 || species >= text::kSpeciesCount) {
    bool end = loaded_ && (raw_ ? at >= 0 && L::IsEnd(words_[size_t(at)]) : left_ == int32_t(groups_.size()));
    return Refused(end ? kEndKeptText : kNoValueText);
  }
  if (L::IsEnd(words_[size_t(at)])) return Refused(kEndKeptText);
  words_[size_t(at)] = L::Marker(species);
  return {"", true, LeftLine(left_)};
}

EggStore CEggMoveRules::StoreMove(int move) {
  int32_t at = raw_ ? SelectedWord() : SelectedMoveWord();
  if (!loaded_ || at < 0 || move < 0 || move >= text::SharedTables().moves.count() || move > L::kMarkerBase) {
    bool end = loaded_ && raw_ && at >= 0 && L::IsEnd(words_[size_t(at)]);
    return Refused(end ? kEndKeptText : kNoValueText);
  }
  if (L::IsEnd(words_[size_t(at)])) return Refused(kEndKeptText);
  words_[size_t(at)] = uint16_t(move);
  return {"", true, raw_ ? LeftLine(left_) : RightLine(right_)};
}

std::string CEggMoveRules::Subject() const { return RecordSubject("卵技"); }
