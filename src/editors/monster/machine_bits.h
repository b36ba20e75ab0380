#pragma once
// The TM/HM compatibility of the species on show: 58 check states, read from the ROM file and
// written back to it at the moment the user asks, outside the page's load and save passes.
// Only bits read for the species on show are ever written, so a failed read can never put
// another species' (or nobody's) bits into the ROM.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/failure_text.h"
#include "core/table_io.h"
#include "editors/monster/monster_layout.h"
#include "platform/file.h"

using MachineRecord = std::array<uint8_t, monster_layout::kMachineSize>;
using MachineStates = std::array<bool, monster_layout::kMachineBits>;

// A record's 58 states (bits 58-63 are not looked at), and the record of 58 states (bits 58-63 clear).
MachineStates UnpackMachine(const MachineRecord& record);
MachineRecord PackMachine(const MachineStates& states);

inline const std::string kMachineReadFailure = FailureText("CSolid_Value", "Skill_Machine_Read");
inline const std::string kMachineSaveFailure = FailureText("CSolid_Value", "Skill_Machine_Save");
inline constexpr const char* kMachineReadBoxText = "読み取りに失敗しました。";
inline constexpr const char* kMachineBoxCaption = "エラー(Error)";
inline constexpr const char* kMachineNotReadText =
    "この種族の技マシン情報を読み取れていないので、保存しませんでした。";
inline constexpr const char* kMachineMissingText = "Skill_Machine が設定されていないので、技マシン情報は扱えません。";
inline constexpr const char* kMachineOutsideText = "Skill_Machine の表がROMに収まらないので、技マシン情報は扱えません。";
inline constexpr const char* kMachineSavedText = "保存しました。";

class CMachineBits {
 public:
  // The table's offset from Setting.ini (-1: absent) and the size of the ROM it belongs to.
  void Configure(int64_t offset, uint64_t rom_size);
  // Nothing read: every state clear, and no save until the next successful read.
  void Forget();
  // Forget for good (a new ROM, or none): whoever shows the states is told, since what it shows
  // belongs to no ROM any more.
  void Discard();
  void set_on_discard(std::function<void()> on_discard) { on_discard_ = std::move(on_discard); }
  // Why the table is neither read nor written (null when it is usable).
  const char* Unusable() const;
  bool usable() const { return Unusable() == nullptr; }

  // Reads the record of `species` from the ROM file. On failure every state is clear and
  // `status` says why.
  bool Load(const std::filesystem::path& rom, int32_t species, std::string& status);
  // Writes `states` as the record of `species` into an existing ROM file, through the ROM
  // writer. Refused, with nothing written, unless the last read was that species' record.
  // `status` is the outcome.
  bool Save(const std::filesystem::path& rom, int32_t species, const MachineStates& states, std::string& status);

  const MachineStates& states() const { return states_; }
  // The species whose record was read last (-1: none).
  int32_t loaded_species() const { return loaded_; }

 private:
  // Why `species`' record cannot be written now; null when it can.
  const char* Refusal(int32_t species) const;
  uint64_t RecordOffset(int32_t species) const;

  TableSpan span_{-1, monster_layout::kSpecies, monster_layout::kMachineSize};
  uint64_t rom_size_ = 0;
  MachineStates states_{};
  int32_t loaded_ = -1;
  std::function<void()> on_discard_;
};
