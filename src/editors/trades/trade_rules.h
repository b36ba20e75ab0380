#pragma once
// The in-game trade page's rules: the trade table, the fields one trade shows, the personality
// value steered through nature, gender value and the shiny box, and the stores.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/page_adapter.h"
#include "core/page_copy.h"
#include "core/table_io.h"

extern const std::array<const char*, 25> kNatureNames;

// What a personality value and trainer ID mean to the games.
int Nature(uint32_t personality);
uint32_t GenderValue(uint32_t personality);
bool IsShiny(uint32_t personality, uint32_t trainer_id);
// The personality value with nature `nature` and the same gender value (low byte); the upper
// bits are replaced. Unchanged for a nature outside the list.
uint32_t PersonalityForNature(uint32_t personality, int nature);
// The trainer ID that makes `personality` shiny, or one that surely does not.
uint32_t TrainerIdForShiny(uint32_t personality, bool shiny);

// What one trade shows. List indexes are -1 for a value the list does not hold.
struct TradeView {
  int species_given;
  int species_asked;
  int item;
  std::array<std::string, 6> ivs;
  bool second_ability;
  std::string personality;  // "0x%08X" of the working value
  int nature;
  std::string gender;       // decimal
  std::string trainer_id;   // "0x%04X" of the working value
  bool shiny;
  std::string partner;
  std::string nickname;
};

// What applying reads from the page: list selections (-1: none), the typed values, the box.
struct TradeInput {
  int species_given;
  int species_asked;
  int item;
  std::array<std::string, 6> ivs;
  bool second_ability;
};

enum class TradeName { kNickname, kPartner };

class CTradeRules {
 public:
  static constexpr int kDialogId = 140;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  void Copies(std::vector<std::span<uint8_t>>& out) { out.emplace_back(trades_); }
  std::string Subject() const;

  bool loaded() const { return loaded_; }
  // The trade table, when loaded; storing it takes the current trade's working values afresh.
  std::vector<PageCopy> TableCopies();
  int32_t count() const { return loaded_ ? int32_t(trades_.size() / kRecord) : 0; }
  int32_t current() const { return current_; }
  bool CurrentInRange() const { return current_ >= 0 && current_ < count(); }
  const uint8_t* record(int32_t index) const { return trades_.data() + size_t(index) * kRecord; }

  // The list line of a trade: the partner's name.
  std::string Line(int32_t index) const;
  // Makes `index` the current trade and takes its trainer ID and personality value to work on.
  void Select(int32_t index);
  std::optional<TradeView> Show() const;

  uint32_t working_id() const { return working_id_; }
  uint32_t working_personality() const { return working_personality_; }
  void ChooseNature(int nature);
  // A gender value typed: nothing when it was taken, else the text the field must show instead.
  std::optional<std::string> TypeGender(std::string_view typed);
  void SetShiny(bool shiny);

  // The status text, or nothing when no trade is current.
  std::optional<std::string> Apply(const TradeInput& input);
  // Stores a typed name; the status text ("" when stored).
  std::string StoreName(TradeName which, std::string_view typed, bool& stored);

 private:
  static constexpr size_t kRecord = 60;
  uint8_t* mutable_record() { return trades_.data() + size_t(current_) * kRecord; }

  TableSpan span_;
  bool loaded_ = false;
  std::vector<uint8_t> trades_;
  int32_t current_ = 0;
  uint32_t working_id_ = 0;
  uint32_t working_personality_ = 0;
};

// A name field shown character by character up to its terminator.
std::string TradeNameText(const uint8_t* field);
