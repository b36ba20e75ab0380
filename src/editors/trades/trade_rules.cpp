#include "editors/trades/trade_rules.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/ini.h"
#include "core/rom_address.h"
#include "core/typed_fields.h"
#include "editors/trades/trade_layout.h"
#include "text/shared_tables.h"

namespace {

namespace L = trade_layout;
static_assert(L::kSize == 60);

constexpr const char* kEmptyNameText = "名前を入力してください。";
constexpr const char* kBadNameText = "名前を取得できませんでした。無効な文字が入力されました。";
constexpr size_t kNameTextMax = 27;
constexpr size_t kGenderTextMax = 24;

// A 16-bit list value stored from a selection of a list of `count` entries; no valid selection
// keeps what the record held.
void StoreSelection(uint8_t* field, int selection, int32_t count) {
  if (selection >= 0 && selection < count) rom::Put16(field, uint16_t(selection));
}

int ShownEntry(uint16_t value, int32_t count) { return value < count ? int(value) : -1; }

// "0x%0*X" of `value` with `digits` hexadecimal digits.
std::string Hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, unsigned(value));
  return text;
}

}  // namespace

const std::array<const char*, 25> kNatureNames = {
    "がんばりや", "さみしがり ", "ゆうかん", "いじっぱり", "やんちゃ", "ずぶとい", "すなお",
    "のんき",     "わんぱく",     "のうてんき", "おくびょう", "せっかち", "まじめ",   "ようき",
    "むじゃき",   "ひかえめ",     "おっとり", "れいせい", "てれや",   "うっかりや", "おだやか",
    "おとなしい", "なまいき",     "しんちょう", "きまぐれ"};

int Nature(uint32_t personality) { return int(personality % 25); }

uint32_t GenderValue(uint32_t personality) { return personality & 0xFF; }

bool IsShiny(uint32_t personality, uint32_t trainer_id) {
  return ((personality & 0xFFFF) ^ (personality >> 16) ^ trainer_id) < 8;
}

uint32_t PersonalityForNature(uint32_t personality, int nature) {
  if (nature < 0 || nature >= int(kNatureNames.size())) return personality;
  // 256 mod 25 = 6, and 6 has an inverse mod 25: one of the first 25 candidates matches.
  for (uint32_t candidate = GenderValue(personality), n = 0; n < 25; ++n, candidate += 256)
    if (Nature(candidate) == nature) return candidate;
  return personality;
}

uint32_t TrainerIdForShiny(uint32_t personality, bool shiny) {
  uint32_t id = (personality & 0xFFFF) ^ (personality >> 16);
  return shiny ? id : id ^ 0xFFFF;
}

std::string TradeNameText(const uint8_t* field) {
  std::string name;
  for (size_t i = 0; i < L::kNameChars && field[i] != text::kCodeTerminator; ++i)
    name += text::VantariText().CodeToText(field[i]);
  return name;
}

void CTradeRules::Init() {
  span_ = {-1, 0, L::kSize};
  FreeData();
  current_ = 0;
  working_id_ = working_personality_ = 0;
}

void CTradeRules::LoadSetting(const PageSetup& setup) {
  span_ = SettingSpan(setup, "Communication_Change", "Communication_ChangeNum", L::kSize);
  FreeData();
  current_ = 0;
}

bool CTradeRules::RomRead(platform::CFile& rom, std::string& error) {
  FreeData();
  if (!span_.configured()) return true;
  if (!ReadTable(rom, span_, trades_, error)) return false;
  loaded_ = true;
  return true;
}

bool CTradeRules::RomSave(platform::CFile& rom, std::string& error) {
  if (!loaded_ || !span_.configured()) return true;
  return WriteTable(rom, span_, trades_, error);
}

std::vector<PageCopy> CTradeRules::TableCopies() {
  if (!loaded_ || !span_.configured()) return {};
  return {{"trades", uint64_t(span_.offset), L::kSize, trades_, [this](const std::vector<uint8_t>& b) {
             trades_ = b;
             Select(current_);
           }}};
}

void CTradeRules::FreeData() {
  loaded_ = false;
  trades_.clear();
}

std::string CTradeRules::Line(int32_t index) const {
  return index >= 0 && index < count() ? TradeNameText(record(index) + L::kPartner) : std::string();
}

void CTradeRules::Select(int32_t index) {
  current_ = index;
  if (!CurrentInRange()) return;
  working_id_ = rom::Get16(record(current_) + L::kTrainerId);
  working_personality_ = rom::Get32(record(current_) + L::kPersonality);
}

std::optional<TradeView> CTradeRules::Show() const {
  if (!CurrentInRange()) return std::nullopt;
  const uint8_t* trade = record(current_);
  int32_t items = text::SharedTables().items.loaded() ? text::SharedTables().items.count() : 0;
  TradeView view;
  view.species_given = ShownEntry(rom::Get16(trade + L::kSpeciesGiven), text::kSpeciesCount);
  view.species_asked = ShownEntry(rom::Get16(trade + L::kSpeciesAsked), text::kSpeciesCount);
  view.item = ShownEntry(rom::Get16(trade + L::kItem), items);
  for (size_t i = 0; i < L::kIvCount; ++i) view.ivs[i] = std::to_string(trade[L::kIvs + i]);
  view.second_ability = trade[L::kAbility] == 1;
  view.personality = Hex(working_personality_, 8);
  view.nature = Nature(working_personality_);
  view.gender = std::to_string(GenderValue(working_personality_));
  view.trainer_id = Hex(working_id_, 4);
  view.shiny = IsShiny(working_personality_, working_id_);
  view.partner = TradeNameText(trade + L::kPartner);
  view.nickname = TradeNameText(trade + L::kNickname);
  return view;
}

void CTradeRules::ChooseNature(int nature) {
  working_personality_ = PersonalityForNature(working_personality_, nature);
}

std::optional<std::string> CTradeRules::TypeGender(std::string_view typed) {
  std::string text(typed.substr(0, kGenderTextMax));
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > 255) return std::string("255");
  if (value < 0) return std::string("0");
  working_personality_ = (working_personality_ & ~uint32_t(0xFF)) | uint32_t(value);
  return std::nullopt;
}

void CTradeRules::SetShiny(bool shiny) { working_id_ = TrainerIdForShiny(working_personality_, shiny); }

std::optional<std::string> CTradeRules::Apply(const TradeInput& input) {
  if (!CurrentInRange()) return std::nullopt;
  uint8_t* trade = mutable_record();
  int32_t items = text::SharedTables().items.loaded() ? text::SharedTables().items.count() : 0;
  StoreSelection(trade + L::kSpeciesGiven, input.species_given, text::kSpeciesCount);
  StoreSelection(trade + L::kSpeciesAsked, input.species_asked, text::kSpeciesCount);
  StoreSelection(trade + L::kItem, input.item, items);
  rom::Put16(trade + L::kTrainerId, uint16_t(working_id_));
  rom::Put32(trade + L::kPersonality, working_personality_);
  trade[L::kAbility] = input.second_ability ? 1 : 0;
  CTypedFields fields;
  for (size_t i = 0; i < L::kIvCount; ++i) trade[L::kIvs + i] = uint8_t(fields.Number(input.ivs[i], 0, L::kIvMax));
  return std::string(fields.Status());
}

std::string CTradeRules::StoreName(TradeName which, std::string_view typed, bool& stored) {
  stored = false;
  if (!CurrentInRange()) return {};
  typed = typed.substr(0, kNameTextMax);
  if (typed.empty()) return kEmptyNameText;
  uint8_t field[L::kNameSize] = {};
  if (!text::VantariText().string2binaryFixed(field, int(L::kNameSize), typed)) return kBadNameText;
  field[L::kNameSize - 1] = text::kCodeTerminator;
  std::memcpy(mutable_record() + (which == TradeName::kNickname ? L::kNickname : L::kPartner), field, sizeof field);
  stored = true;
  return {};
}

std::string CTradeRules::Subject() const { return RecordSubject("通信交換", current_); }
