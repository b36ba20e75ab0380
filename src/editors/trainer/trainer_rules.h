#pragma once
// The trainer editor's rules: the trainer table (read and written by the passes), the party of
// the trainer on screen (read from the ROM whenever a trainer is shown, written by the party
// save), the stores, the search and the move of a party to free space.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/page_adapter.h"
#include "core/page_copy.h"
#include "core/table_io.h"
#include "editors/trainer/trainer_layout.h"

inline constexpr const char* kTrainerDataTypes[] = {"普通", "技指定可", "道具指定可", "道具&技指定可",
                                                    "不明(指定しないで下さい)"};
inline constexpr const char* kPartyOpenFailedText = "FileOpenに失敗しました。";
inline constexpr const char* kPartyReadFailedText = "ファイルを読み取り中にエラーが発生しました。";
inline constexpr const char* kPartyDamagedText =
    "ヴァンタリの数が6を超えています。最初の6匹だけを読み込みました。";
inline constexpr const char* kPartyNotReadText = "ヴァンタリデータを読み込めていないので保存できません。";
inline constexpr const char* kPartySavedText = "保存しました。";

// What showing a trainer puts in the dialog.
struct TrainerView {
  std::string name, party_size, party_offset, music;
  int trainer_class = 0, data_type = 0, picture = 0;
  std::array<int, trainer_layout::kItemCount> items{};
  bool double_battle = false;
  std::array<bool, 4> checks{};
};

// What storing a trainer reads from the dialog: selections (-1: none) and typed texts.
struct TrainerInput {
  std::string name, party_size, party_offset, music;
  int trainer_class = -1, data_type = -1;
  std::array<int, trainer_layout::kItemCount> items{-1, -1, -1, -1};
  bool double_battle = false;
  std::array<bool, 4> checks{};
};

// One party member as shown: lists that do not apply to the party's type are disabled (and
// show entry 0).
struct MemberView {
  std::string level, unknown;
  int species = 0;
  bool has_item = false, has_moves = false;
  int item = 0;
  std::array<int, 4> moves{};
};

struct MemberInput {
  std::string level, unknown;
  int species = -1, item = -1;
  std::array<int, 4> moves{-1, -1, -1, -1};
};

// The party of the trainer on screen, as read from the ROM.
struct Party {
  bool read = false;    // only a party that was read may be written back
  int trainer = -1;
  int type = 0;
  int size = 0;         // members held (at most six)
  uint32_t offset = 0;  // ROM offset
  std::array<std::array<uint8_t, trainer_layout::kBlock>, trainer_layout::kMaxMembers> first{}, second{};
};

// The outcome of moving the shown trainer's party: the failing step's name and texts.
struct RelocationResult {
  bool ok = false;
  std::string step;   // "GbaRom_Vantari_New_Data", "GbaRom_Vantari_Data_Save2", "GbaRom_Data_Save"
  std::string box;    // message box text of a failure
  std::string error;  // the system's text
};

class CTrainerRules {
 public:
  static constexpr int kDialogId = 131;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  void Copies(std::vector<std::span<uint8_t>>& out) { out.emplace_back(records_); }
  std::string Subject() const;

  bool loaded() const { return loaded_; }
  int32_t count() const { return int32_t(records_.size() / trainer_layout::kSize); }
  const uint8_t* record(int32_t index) const;
  int32_t current() const { return current_; }
  void set_current(int32_t index) { current_ = index; }
  int picture_max() const { return picture_max_; }
  // The trainer table, when loaded. Storing it forgets the party read for the screen, whose
  // record may have changed.
  std::vector<PageCopy> TableCopies();

  // "%03X: %s": the index and the name bytes looked up one at a time.
  std::string ListLine(int32_t index) const;
  std::optional<TrainerView> ShowTrainer() const;
  // Stores the dialog into the current trainer; `promode` lets it change the party size and
  // data type. A typed party address is kept so that the party lies inside the ROM file of
  // `rom_size` bytes (0: not known, only the 32 MiB a pointer reaches). The status text.
  std::string StoreTrainer(const TrainerInput& input, bool promode, int picture, uint64_t rom_size = 0);

  // Reads the current trainer's party from the ROM; the status text ("" when it was read
  // whole).
  std::string ReadParty(const std::filesystem::path& rom);
  const Party& party() const { return party_; }
  // "Lv:%03d: %s" per member, with the first five characters of the species name.
  std::vector<std::string> PartyLines() const;
  std::optional<MemberView> ShowMember(int member) const;
  std::string StoreMember(int member, const MemberInput& input);
  // Writes the party back where it was read from; the status text.
  std::string SavePartyToRom(const std::filesystem::path& rom);

  // The trainer whose list line contains `text`, searching forward from the current trainer
  // + 1 or backward from - 1; -1 with the status text when there is none.
  int Search(std::string_view text, bool forward, std::string& status) const;

  // A picture index typed or stepped to, kept within the pictures the game has.
  int ClampPicture(int index) const;

  // Bytes a party of `size` members of `type` needs.
  static uint64_t PartyBytes(int size, int type) { return uint64_t(size) * trainer_layout::MemberSize(type); }
  // Moves the current trainer's party to `place` with `size` members of `type`, as one change of
  // the ROM writer: the new place is filled (zeros, then the members the old party and the new
  // one share, converted to the new layout when `copy` is set) before the trainer table with the
  // new pointer is written. On failure the file and the trainer stay as they were.
  RelocationResult Relocate(const std::filesystem::path& rom, uint32_t place, int size, int type, bool copy);

 private:
  uint8_t* current_record();

  TableSpan span_;
  int picture_max_ = -1;
  std::vector<uint8_t> records_;
  bool loaded_ = false;
  int32_t current_ = 0;
  Party party_;
};
