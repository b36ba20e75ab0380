#pragma once
// The monster page's rules: the base-stats records of the 412 species, the program-wide
// species-name table (read and written here, listed by every page), the 387 dex records with
// their description texts, the ability names of tokusei.ini, and what showing, storing and
// renaming do. The evolution, learnset and TM/HM editors share this page's object and species
// selection; their offsets are kept here for them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/failure_text.h"
#include "core/page_adapter.h"
#include "core/page_copy.h"
#include "core/table_io.h"
#include "core/typed_fields.h"
#include "editors/monster/learnset.h"
#include "editors/monster/machine_bits.h"
#include "editors/monster/monster_layout.h"
#include "text/record_table.h"

inline constexpr const char* kAbilitiesMissingText = "\"tokusei.ini\"ファイルを開けませんでした。";
inline constexpr const char* kNamePromptText = "名前を入力してください。";
inline constexpr const char* kNoDexSelectedText = "異常。";
inline const std::string kDescriptionReadFailure = FailureText("CSolid_Value", "String_Data_Read");
inline const std::string kDescriptionWriteFailure = FailureText("CSolid_Value", "Vantari_String_Data_Save");
inline constexpr const char* kEncodeFailureText = "CVantariText::string2binary 変換できませんでした";
inline constexpr const char* kEmptyDescriptionText = "有効な文字を入力してください";
inline constexpr const char* kMovedText = "正常終了";

// The fixed lists of the page, index = stored value.
extern const std::array<const char*, 6> kGrowthNames;
extern const std::array<const char*, 16> kEggGroupNames;
extern const std::array<const char*, monster_layout::kEvolutionMethods> kEvolutionMethodNames;

// What an evolution method takes: nothing at all (no evolution, or a method beyond the list),
// only a target, a level (or another value) and a target, or an item and a target.
enum class EvolutionKind { kOff, kPlain, kLevel, kItem };
EvolutionKind EvolutionKindOf(int method);

// The dex number whose record belongs to `species`; -1 outside 0-411. Species 252-276 are
// placeholders and share dex record 0.
int SpeciesToDex(int species);

// What showing a species puts in the dialog. List fields are the stored values (beyond a list:
// no selection).
struct MonsterView {
  std::array<std::string, monster_layout::kBaseStatCount> base;
  std::string total;
  std::array<std::string, monster_layout::kBaseStatCount> effort;
  std::string catch_rate, exp_yield, gender, egg_steps, friendship;
  std::string flee_rate;  // empty where the game has none
  int type1, type2, item_common, item_rare, growth, egg_group1, egg_group2, ability1, ability2;
  int dex;  // the dex record the species selects
};

// What storing reads from the dialog: typed texts and list selections (-1: none).
struct MonsterInput {
  std::array<std::string, monster_layout::kBaseStatCount> base;
  std::array<std::string, monster_layout::kBaseStatCount> effort;
  std::string catch_rate, exp_yield, gender, egg_steps, friendship, flee_rate;
  int type1 = -1, type2 = -1, item_common = -1, item_rare = -1, growth = -1, egg_group1 = -1,
      egg_group2 = -1, ability1 = -1, ability2 = -1;
  // The evolution slot on show (-1: none is stored) and its entries.
  int evolution_slot = -1, evolution_method = -1, evolution_item = -1, evolution_target = -1;
  std::string evolution_level;
};

// What showing an evolution slot puts in the dialog. The level edit and the item list are set
// only when the method takes them; the target is selected in every case.
struct EvolutionView {
  EvolutionKind kind;
  int method;  // beyond the list: no selection
  std::string level;
  int item, target;
};

// What showing a dex record puts in the dialog.
struct DexView {
  std::string address;      // "0x%X" of the description address
  std::string height, weight;
  std::string description;  // empty when the text could not be read
  std::string size;         // "0x%X" of the capacity, empty when there is none
  std::string status;       // a read failure, else empty
};

// The outcome of moving a description: the status text and, once moved, the address and size
// fields as the page shows them.
struct DescriptionMove {
  bool moved = false;
  std::string status;
  std::string address, size;  // "0x%X"
};

class CMonsterRules {
 public:
  static constexpr int kDialogId = 137;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  // Its tables' copies, for the edit history, and the species shown.
  void Copies(std::vector<std::span<uint8_t>>& out) { out.insert(out.end(), {stats_, dex_, evolutions_}); }
  std::string Subject() const;

  // The page edits only while the base-stats records are in memory.
  bool loaded() const { return !stats_.empty(); }
  bool dex_loaded() const { return !dex_.empty(); }
  bool evolutions_loaded() const { return !evolutions_.empty(); }
  bool names_loaded() const;
  // The flee rate belongs to BPRJ and BPGJ only.
  bool flee_rate_used() const { return flee_rate_used_; }
  // Where the evolution table, the learnset pointers and the TM/HM table lie (-1: absent).
  int64_t evolution_offset() const { return evolution_span_.offset; }
  int64_t learnset_offset() const { return learnset_offset_; }
  // The level-up learnsets: the pointer table read with the page, the current species' list.
  CLearnset& learnset() { return learnset_; }
  const CLearnset& learnset() const { return learnset_; }
  int64_t machine_offset() const { return machine_offset_; }
  // The TM/HM bits of the species on show, read and written at once.
  CMachineBits& machine() { return machine_; }
  const CMachineBits& machine() const { return machine_; }

  int32_t current() const { return current_; }
  void set_current(int32_t species) { current_ = species; }
  const uint8_t* stats(int32_t species) const;
  const uint8_t* dex(int32_t number) const;
  const uint8_t* evolution(int32_t species, int slot) const;

  // The tables this page keeps (species names, base stats, dex records, evolutions), as loaded.
  std::vector<PageCopy> TableCopies();
  // Forgets what was measured or read of the ROM outside the copies (a description's room);
  // the learnset pointers and the TM/HM bits of the species on show are read again.
  void ReadDirectAgain(const std::filesystem::path& rom);

  // Reads tokusei.ini beside Setting.ini again; false (and no abilities) when it cannot be read.
  bool ReadAbilities();
  const std::vector<std::string>& abilities() const { return abilities_; }
  // List entries of the 387 dex names.
  std::string DexEntry(int32_t number) const;

  std::optional<MonsterView> ShowSpecies() const;
  // The status text of storing `input` into the current species.
  std::string ApplySpecies(const MonsterInput& input);
  text::CRecordTable::Rename RenameSpecies(std::string_view typed);
  std::optional<EvolutionView> ShowEvolution(int slot) const;
  // A method chosen in the list is stored at once; false (nothing stored) without a valid choice.
  bool SelectEvolutionMethod(int slot, int selection);

  // Shows dex record `number`, reading its description from the ROM file; the description's
  // capacity is remembered for that record.
  DexView ShowDex(int32_t number, const std::filesystem::path& rom);
  text::CRecordTable::Rename RenameDex(int32_t number, std::string_view typed);
  std::string StoreDexSize(int32_t number, std::string_view height, std::string_view weight);
  // The stored height and weight of dex record `number` as the fields show them; false without one.
  bool DexSize(int32_t number, std::string& height, std::string& weight) const;

  // Writes `typed` over the description of the current species' dex record, within the room
  // that record's text takes. The status text.
  std::string WriteDescription(const std::filesystem::path& rom, std::string_view typed);
  // Moving the description: the encoded text (empty with a status text when there is none),
  // then, once a place was chosen, the text written there and the record pointed at it.
  std::vector<uint8_t> EncodeDescription(std::string_view typed, std::string& status) const;
  // The text goes to `offset` through the ROM writer (inside the file only); the record points
  // there once it is written.
  DescriptionMove MoveDescription(const std::filesystem::path& rom, uint32_t offset, const std::vector<uint8_t>& bytes);
  // The capacity remembered for dex record `number`: 0 when its text has not been measured.
  int capacity(int32_t number) const { return number == capacity_dex_ ? capacity_ : 0; }

 private:
  uint8_t* mutable_stats(int32_t species);
  uint8_t* mutable_dex(int32_t number);
  // The room of the description of `number`: remembered when it is the record last measured,
  // otherwise measured now.
  int Capacity(int32_t number, const std::filesystem::path& rom, std::string& status);

  int32_t current_ = 0;
  // The evolution slot of `input` into the current species (part of ApplySpecies).
  void ApplyEvolution(const MonsterInput& input, CTypedFields& fields);

  TableSpan stats_span_, dex_span_, names_span_, evolution_span_;
  int64_t learnset_offset_ = -1;
  int64_t machine_offset_ = -1;
  CMachineBits machine_;
  CLearnset learnset_;
  std::vector<uint8_t> stats_;
  std::vector<uint8_t> dex_;
  std::vector<uint8_t> evolutions_;
  int32_t capacity_dex_ = -1;  // the dex record whose description was measured last
  int capacity_ = 0;
  bool flee_rate_used_ = false;
  std::filesystem::path abilities_file_;
  std::vector<std::string> abilities_;
};
