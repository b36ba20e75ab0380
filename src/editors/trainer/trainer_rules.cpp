#include "editors/trainer/trainer_rules.h"

#include <algorithm>
#include <cstdio>

#include "core/ini.h"
#include "core/rom_address.h"
#include "core/rom_writer.h"
#include "core/typed_fields.h"
#include "text/name_tables.h"
#include "text/shared_tables.h"
#include "text/vantari_text.h"

namespace {

namespace L = trainer_layout;

constexpr const char* kNameMissingText = "名前を入力してください。";
constexpr const char* kNameInvalidText = "名前を取得できませんでした。無効な文字が入力されました。";
constexpr const char* kSearchEndText = "終端まで検索しました。";
constexpr const char* kSearchStartText = "先頭まで検索しました。";
constexpr const char* kOpenFailedBox = "ファイルの読み込みに失敗しました。";
constexpr const char* kPartyWriteFailedBox = "ヴァンタリデータを書き込めませんでした";
constexpr const char* kPartyNotCopiedBox = "ヴァンタリデータを読み込めていないのでコピーできません。";
constexpr const char* kTableWriteFailedBox = "トレーナーデータを書き込めませんでした";

// The party's ROM offset: bytes 28-30, and the upper 16 MiB of a 32 MiB ROM when byte 31 says so.
constexpr uint8_t kUpperHalf = 0x09;

uint32_t PartyOffset(const uint8_t* record) {
  return uint32_t(record[L::kPartyAddress]) | uint32_t(record[L::kPartyAddress + 1]) << 8 |
         uint32_t(record[L::kPartyAddress + 2]) << 16 | (record[L::kPartyAddress + 3] == kUpperHalf ? 1u << 24 : 0);
}

// Byte 31 is left as it is unless the offset moves into or out of the upper 16 MiB.
void SetPartyOffset(uint8_t* record, uint32_t offset) {
  for (size_t i = 0; i < L::kPartyOffsetBytes; ++i) record[L::kPartyAddress + i] = uint8_t(offset >> (8 * i));
  uint8_t& high = record[L::kPartyAddress + 3];
  if (offset >> 24) high = kUpperHalf;
  else if (high == kUpperHalf) high = kUpperHalf - 1;
}

// A member by what it holds, whatever its layout: bytes 0-5 as they are, then the held item and
// the four moves where the layout has them.
struct Member {
  std::array<uint8_t, 6> head{};
  uint16_t item = 0;
  std::array<uint16_t, 4> moves{};
};

Member Unpack(int type, const std::array<uint8_t, L::kBlock>& first, const std::array<uint8_t, L::kBlock>& second) {
  Member m;
  std::copy_n(first.begin(), m.head.size(), m.head.begin());
  if (L::HasItem(type)) m.item = rom::Get16(&first[L::kExtra]);
  if (type == 1) {
    m.moves[0] = rom::Get16(&first[L::kExtra]);
    for (int i = 1; i < 4; ++i) m.moves[size_t(i)] = rom::Get16(&second[size_t(2 * (i - 1))]);
  } else if (type == 3) {
    for (int i = 0; i < 4; ++i) m.moves[size_t(i)] = rom::Get16(&second[size_t(2 * i)]);
  }
  return m;
}

// Writes the held item and moves where `type` keeps them; the other bytes stay as they are.
void PutItemAndMoves(int type, const Member& m, std::array<uint8_t, L::kBlock>& first,
                     std::array<uint8_t, L::kBlock>& second) {
  if (L::HasItem(type)) rom::Put16(&first[L::kExtra], m.item);
  if (type == 1) {
    rom::Put16(&first[L::kExtra], m.moves[0]);
    for (int i = 1; i < 4; ++i) rom::Put16(&second[size_t(2 * (i - 1))], m.moves[size_t(i)]);
  } else if (type == 3) {
    for (int i = 0; i < 4; ++i) rom::Put16(&second[size_t(2 * i)], m.moves[size_t(i)]);
  }
}

// A member in `type`'s layout, nothing but what it holds.
void Pack(int type, const Member& m, std::array<uint8_t, L::kBlock>& first, std::array<uint8_t, L::kBlock>& second) {
  first.fill(0);
  second.fill(0);
  std::copy(m.head.begin(), m.head.end(), first.begin());
  PutItemAndMoves(type, m, first, second);
}

// The bytes of `count` members of `type` from the blocks, back to back.
std::vector<uint8_t> MemberBytes(const Party& party, int count, int type) {
  std::vector<uint8_t> bytes;
  for (int m = 0; m < count; ++m) {
    bytes.insert(bytes.end(), party.first[size_t(m)].begin(), party.first[size_t(m)].end());
    if (L::HasMoves(type)) bytes.insert(bytes.end(), party.second[size_t(m)].begin(), party.second[size_t(m)].end());
  }
  return bytes;
}

// Shift-JIS aware: true when `text` occurs in `line` starting on a character.
bool ContainsText(std::string_view line, std::string_view text) {
  for (size_t at = 0; at + text.size() <= line.size();) {
    if (line.compare(at, text.size(), text) == 0) return true;
    const auto c = static_cast<unsigned char>(line[at]);
    at += (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) ? 2 : 1;
  }
  return false;
}

}  // namespace

void CTrainerRules::Init() {
  span_ = {-1, 0, L::kSize};
  picture_max_ = -1;
  records_.clear();
  loaded_ = false;
  current_ = 0;
  party_ = {};
}

void CTrainerRules::LoadSetting(const PageSetup& setup) {
  span_ = SettingSpan(setup, "TrainerData", "TrainerDataNum", L::kSize);
  CINI ini;
  int pictures = -1;
  ini.GetInt(setup.setting_ini, setup.game_code, "Trainer_Pic_Num", pictures);
  picture_max_ = pictures;
  records_.clear();
  loaded_ = false;
  current_ = 0;
  party_ = {};
}

bool CTrainerRules::RomRead(platform::CFile& rom, std::string& error) {
  records_.clear();
  loaded_ = false;
  party_ = {};
  // Without the trainer keys this page stays empty; the other pages load on.
  if (!span_.configured()) return true;
  if (!ReadTable(rom, span_, records_, error)) return false;
  loaded_ = true;
  if (current_ >= count()) current_ = 0;
  return true;
}

bool CTrainerRules::RomSave(platform::CFile& rom, std::string& error) {
  if (!loaded_) return true;
  return WriteTable(rom, span_, records_, error);
}

std::vector<PageCopy> CTrainerRules::TableCopies() {
  if (!loaded_) return {};
  return {{"trainers", uint64_t(span_.offset), L::kSize, records_, [this](const std::vector<uint8_t>& b) {
             records_ = b;
             party_ = {};
           }}};
}

void CTrainerRules::FreeData() {
  records_.clear();
  records_.shrink_to_fit();
  loaded_ = false;
  party_ = {};
}

const uint8_t* CTrainerRules::record(int32_t index) const {
  return loaded_ && index >= 0 && index < count() ? records_.data() + size_t(index) * L::kSize : nullptr;
}

uint8_t* CTrainerRules::current_record() { return const_cast<uint8_t*>(record(current_)); }

std::string CTrainerRules::ListLine(int32_t index) const {
  const uint8_t* r = record(index);
  if (r == nullptr) return {};
  std::string name;
  for (size_t i = 0; i < L::kListNameBytes; ++i) name += text::VantariText().CodeToText(r[L::kName + i]);
  char number[16];
  std::snprintf(number, sizeof number, "%03X: ", unsigned(index));
  return number + name;
}

std::optional<TrainerView> CTrainerRules::ShowTrainer() const {
  const uint8_t* r = record(current_);
  if (r == nullptr) return std::nullopt;
  TrainerView view;
  // A name that decodes to nothing shows as nothing (never as the trainer's number, which a
  // store would then write into the name).
  if (!text::VantariText().binary2string(r + L::kName, int(L::kNameSize), view.name)) view.name.clear();
  view.party_size = std::to_string(r[L::kPartySize]);
  char offset[16];
  std::snprintf(offset, sizeof offset, "0x%X", unsigned(PartyOffset(r)));
  view.party_offset = offset;
  view.music = std::to_string(r[L::kMusic]);
  view.trainer_class = r[L::kClass];
  view.data_type = r[L::kDataType];
  view.picture = r[L::kPicture];
  for (size_t i = 0; i < L::kItemCount; ++i) view.items[i] = rom::Get16(r + L::kItems + 2 * i);
  view.double_battle = r[L::kDouble] != 0;
  for (size_t i = 0; i < 4; ++i) view.checks[i] = (r[L::kChecks] >> i & 1) != 0;
  return view;
}

std::string CTrainerRules::StoreTrainer(const TrainerInput& input, bool promode, int picture, uint64_t rom_size) {
  uint8_t* r = current_record();
  if (r == nullptr) return {};
  CTypedFields fields;
  if (promode) {
    r[L::kPartySize] = uint8_t(fields.Number(input.party_size, 1, L::kMaxMembers));
    r[L::kDataType] = fields.Selection(input.data_type, int(std::size(kTrainerDataTypes)), r[L::kDataType]);
  }
  // The party's ROM offset: hexadecimal, within the 32 MiB a pointer reaches and such that the
  // party (its stored size and type) lies inside the file.
  int64_t last = L::kMaxPartyOffset;
  if (rom_size > 0) {
    const uint64_t bytes = PartyBytes(std::min<int>(r[L::kPartySize], L::kMaxMembers), r[L::kDataType]);
    last = std::min<int64_t>(last, rom_size > bytes ? int64_t(rom_size - bytes) : 0);
  }
  const int64_t offset = fields.HexNumber(input.party_offset.substr(0, 15), 0, last);
  SetPartyOffset(r, uint32_t(offset));
  // Without a picture count in Setting.ini the picture byte stays as it is.
  if (picture_max_ >= 0) r[L::kPicture] = uint8_t(fields.Clamp(picture, 0, std::min(picture_max_, 0xFF)));
  const int item_count = text::SharedTables().items.count();
  for (size_t i = 0; i < L::kItemCount; ++i) {
    const int selection = input.items[i];
    if (selection >= 0 && selection < item_count) rom::Put16(r + L::kItems + 2 * i, uint16_t(selection));
  }
  r[L::kDouble] = input.double_battle ? 1 : 0;
  // The four boxes are bits 0-3; bits 4-7 are the game's and no box shows them, so a store
  // keeps them as they were.
  r[L::kChecks] = uint8_t((r[L::kChecks] & 0xF0) | (input.checks[0] ? 1 : 0) | (input.checks[1] ? 2 : 0) |
                          (input.checks[2] ? 4 : 0) | (input.checks[3] ? 8 : 0));
  r[L::kClass] = fields.Selection(input.trainer_class, text::SharedTables().classes.count(), r[L::kClass]);
  r[L::kMusic] = fields.Byte(input.music.substr(0, 10));
  std::string status = fields.Status();

  const std::string name = input.name.substr(0, 15);
  if (name.empty()) {
    // A name that shows as nothing was shown empty: it stays as the ROM holds it.
    std::string shown;
    const bool blank = !text::VantariText().binary2string(r + L::kName, int(L::kNameSize), shown) || shown.empty();
    return blank ? status : kNameMissingText;
  }
  std::array<uint8_t, L::kNameSize> field{};
  if (!text::VantariText().string2binaryFixed(field.data(), int(field.size()), name)) return kNameInvalidText;
  std::copy(field.begin(), field.end(), r + L::kName);
  return status;
}

std::string CTrainerRules::ReadParty(const std::filesystem::path& rom_path) {
  party_ = {};
  const uint8_t* r = record(current_);
  if (r == nullptr) return {};
  party_.trainer = current_;
  party_.type = r[L::kDataType];
  party_.offset = PartyOffset(r);
  const int stored_size = r[L::kPartySize];
  party_.size = std::min(stored_size, L::kMaxMembers);
  platform::CFile rom;
  if (!rom.Open(rom_path, platform::OpenMode::kReadShared)) {
    party_.size = 0;
    return kPartyOpenFailedText;
  }
  std::vector<uint8_t> bytes(size_t(PartyBytes(party_.size, party_.type)));
  if (!bytes.empty() && !rom.ReadAt(party_.offset, bytes.data(), bytes.size())) {
    party_ = {};
    return kPartyReadFailedText;
  }
  const size_t member_size = L::MemberSize(party_.type);
  for (int m = 0; m < party_.size; ++m) {
    const uint8_t* member = bytes.data() + size_t(m) * member_size;
    std::copy_n(member, L::kBlock, party_.first[size_t(m)].begin());
    if (L::HasMoves(party_.type)) std::copy_n(member + L::kBlock, L::kBlock, party_.second[size_t(m)].begin());
  }
  party_.read = true;
  return stored_size > L::kMaxMembers ? kPartyDamagedText : "";
}

std::vector<std::string> CTrainerRules::PartyLines() const {
  std::vector<std::string> lines;
  if (!party_.read) return lines;
  const text::CRecordTable& species = text::SharedTables().species;
  for (int m = 0; m < party_.size; ++m) {
    const auto& first = party_.first[size_t(m)];
    std::string name;
    if (const uint8_t* entry = species.record(rom::Get16(&first[L::kSpecies])))
      for (int i = 0; i < 5; ++i) name += text::VantariText().CodeToText(entry[i]);
    char level[24];
    std::snprintf(level, sizeof level, "Lv:%03d: ", first[L::kLevel]);
    lines.push_back(level + name);
  }
  return lines;
}

std::optional<MemberView> CTrainerRules::ShowMember(int member) const {
  if (!party_.read || member < 0 || member >= party_.size) return std::nullopt;
  const auto& first = party_.first[size_t(member)];
  MemberView view;
  view.level = std::to_string(first[L::kLevel]);
  view.unknown = std::to_string(first[L::kUnknown]);
  const int species = rom::Get16(&first[L::kSpecies]);
  view.species = species < text::kSpeciesCount ? species : -1;
  const Member m = Unpack(party_.type, first, party_.second[size_t(member)]);
  view.has_item = L::HasItem(party_.type);
  view.has_moves = L::HasMoves(party_.type);
  view.item = m.item;
  view.moves = {m.moves[0], m.moves[1], m.moves[2], m.moves[3]};
  return view;
}

std::string CTrainerRules::StoreMember(int member, const MemberInput& input) {
  if (!party_.read || member < 0 || member >= party_.size) return {};
  auto& first = party_.first[size_t(member)];
  auto& second = party_.second[size_t(member)];
  CTypedFields fields;
  first[L::kLevel] = fields.Byte(input.level.substr(0, 10));
  first[L::kUnknown] = fields.Byte(input.unknown.substr(0, 10));
  Member m = Unpack(party_.type, first, second);
  // A list without a valid selection keeps its value.
  const int items = text::SharedTables().items.count(), moves = text::SharedTables().moves.count();
  if (input.item >= 0 && input.item < items) m.item = uint16_t(input.item);
  for (size_t i = 0; i < 4; ++i)
    if (input.moves[i] >= 0 && input.moves[i] < moves) m.moves[i] = uint16_t(input.moves[i]);
  PutItemAndMoves(party_.type, m, first, second);
  if (input.species >= 0 && input.species < text::kSpeciesCount) rom::Put16(&first[L::kSpecies], uint16_t(input.species));
  return fields.Status();
}

std::string CTrainerRules::SavePartyToRom(const std::filesystem::path& rom_path) {
  if (!party_.read || party_.trainer != current_) return kPartyNotReadText;
  const std::vector<uint8_t> bytes = MemberBytes(party_, party_.size, party_.type);
  CRomChange change(rom_path);
  if (!change.Open() || !change.Write(party_.offset, bytes) || !change.Commit())
    return "ファイルの書き込みに失敗しました。" + change.error();
  return kPartySavedText;
}

int CTrainerRules::Search(std::string_view text, bool forward, std::string& status) const {
  status.clear();
  text = text.substr(0, 50);
  if (forward) {
    for (int32_t i = current_ + 1; i < count(); ++i)
      if (ContainsText(ListLine(i), text)) return i;
    status = kSearchEndText;
  } else {
    for (int32_t i = std::min(current_, count()) - 1; i >= 0; --i)
      if (ContainsText(ListLine(i), text)) return i;
    status = kSearchStartText;
  }
  return -1;
}

int CTrainerRules::ClampPicture(int index) const { return std::clamp(index, 0, std::max(picture_max_, 0)); }

RelocationResult CTrainerRules::Relocate(const std::filesystem::path& rom_path, uint32_t place, int size, int type,
                                         bool copy) {
  RelocationResult result;
  const uint8_t* r = current_record();
  if (r == nullptr || size < 1 || size > L::kMaxMembers || type < 0 || type >= L::kDataTypeCount) return result;
  if (uint64_t(place) + PartyBytes(size, type) > uint64_t(L::kMaxPartyOffset) + 1) {
    result = {false, "GbaRom_Vantari_New_Data", kPartyWriteFailedBox, kTableOutsideRomText};
    return result;
  }
  // The new place first: zeros, then the shared members in the new layout.
  Party moved;
  if (copy) {
    if (!party_.read || party_.trainer != current_) {
      result = {false, "GbaRom_Vantari_Data_Save2", kPartyNotCopiedBox, ""};
      return result;
    }
    for (int m = 0; m < std::min(size, party_.size); ++m) {
      if (type == party_.type) {
        moved.first[size_t(m)] = party_.first[size_t(m)];
        moved.second[size_t(m)] = party_.second[size_t(m)];
      } else {
        Pack(type, Unpack(party_.type, party_.first[size_t(m)], party_.second[size_t(m)]), moved.first[size_t(m)],
             moved.second[size_t(m)]);
      }
    }
  }
  CRomChange change(rom_path);
  if (!change.Open()) {
    result = {false, "GbaRom_Vantari_New_Data", kOpenFailedBox, change.error()};
    return result;
  }
  if (!change.Write(place, MemberBytes(moved, size, type))) {
    result = {false, copy ? "GbaRom_Vantari_Data_Save2" : "GbaRom_Vantari_New_Data", kPartyWriteFailedBox,
              change.error()};
    return result;
  }
  // Then the pointer, with the trainer table: the record changes in the copy only once the
  // file holds it.
  std::vector<uint8_t> table = records_;
  uint8_t* record = table.data() + size_t(current_) * L::kSize;
  record[L::kDataType] = uint8_t(type);
  record[L::kPartySize] = uint8_t(size);
  SetPartyOffset(record, place);
  if (!change.Write(span_.offset, table) || !change.Commit()) {
    result = {false, "GbaRom_Data_Save", kTableWriteFailedBox, change.error()};
    return result;
  }
  std::copy_n(record, L::kSize, current_record());
  result.ok = true;
  return result;
}

std::string CTrainerRules::Subject() const { return RecordSubject("トレーナー", current_); }
