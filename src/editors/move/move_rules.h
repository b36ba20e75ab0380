#pragma once
// The move editor's rules: its settings, the load and save passes over the move table, the
// effect names of effects.ini, and what showing, applying and renaming a move do. Move names
// live in the program-wide move-name table, read and written by the extras page.
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
#include "editors/move/move_layout.h"
#include "text/record_table.h"

inline constexpr const char* kIndexOutOfRangeText = "インデックスが範囲外です。";
inline constexpr const char* kEffectsMissingText = "\"effects.ini\"ファイルを開けませんでした。";

// What showing a move puts in the dialog: list entries (beyond a list: no selection) and the
// numbers of the fields.
struct MoveView {
  int effect;
  int type;
  std::string power, accuracy, pp, chance;
  std::array<std::string, move_layout::kUnknownCount> unknown;  // bytes 6-11
};

// What applying reads from the dialog: selections (-1: none) and typed texts.
struct MoveInput {
  int effect = -1;
  int type = -1;
  std::string power, accuracy, pp, chance;
  bool store_unknown = false;  // the "←も保存する" check box
  std::array<std::string, move_layout::kUnknownCount> unknown;
};

class CMoveRules {
 public:
  static constexpr int kDialogId = 135;

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  void Copies(std::vector<std::span<uint8_t>>& out) { out.emplace_back(records_); }
  std::string Subject() const;

  bool loaded() const { return loaded_; }
  int32_t count() const { return int32_t(records_.size() / move_layout::kSize); }
  const uint8_t* record(int32_t index) const;
  int32_t current() const { return current_; }
  void set_current(int32_t index) { current_ = index; }

  // The move table, when loaded.
  std::vector<PageCopy> TableCopies();

  // Reads effects.ini beside Setting.ini again; false (and no effects) when it cannot be read.
  bool ReadEffects();
  const std::vector<std::string>& effects() const { return effects_; }

  std::optional<MoveView> ShowMove() const;
  // The status text of storing `input` into the current move.
  std::string ApplyMove(const MoveInput& input);
  // Renames the current move in the program-wide move-name table.
  text::CRecordTable::Rename RenameMove(std::string_view typed);

 private:
  bool CurrentInRange() const { return current_ >= 0 && current_ < count(); }

  TableSpan span_;
  std::vector<uint8_t> records_;
  bool loaded_ = false;
  int32_t current_ = 0;
  std::filesystem::path effects_file_;
  std::vector<std::string> effects_;
};
