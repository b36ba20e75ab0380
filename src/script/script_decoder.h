#pragma once
// Event scripts in the ROM to text: commands by their definitions, the pointers they hold,
// the trainer a battle names, and the texts they point to.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "script/script_defs.h"

namespace script {

struct PointerEntry {
  uint32_t offset;  // ROM offset
  int kind;         // kPointsToScript or kPointsToText
};

class CScriptDecoder {
 public:
  static constexpr int kMaxCommands = 1000;
  static constexpr int kMaxTextBytes = 300;
  static constexpr size_t kMaxPointers = 20;

  // Results of DecodeScript.
  static constexpr int kReadFailed = 0;
  static constexpr int kCannotOpen = 1;
  static constexpr int kFinished = 2;

  explicit CScriptDecoder(const CScriptDefinitions& definitions) : definitions_(definitions) {}

  // Clears the pointer list and the trainer number (each Load).
  void Reset();
  // Appends the script at `offset`; a nested run starts with "#org 0x%06X".
  int DecodeScript(const std::filesystem::path& rom, uint32_t offset, bool nested, std::string& out);
  // Appends the text at `offset` after its "#org" line: 1 finished, 0 unreadable.
  int DecodeText(const std::filesystem::path& rom, uint32_t offset, std::string& out);
  // After a top-level decode: a line end in the script pane, and with auto-trace every
  // collected script and then every text into the output pane. Returns how many passes ended
  // on a failed read (each is reported to the user).
  int FollowPointers(const std::filesystem::path& rom, std::string& script_pane, std::string& output_pane);

  const std::vector<PointerEntry>& pointers() const { return pointers_; }
  std::optional<uint16_t> trainer() const { return trainer_; }
  bool auto_trace = false;

 private:
  enum class Known { kUnknown, kOnce, kTwice };
  void Offer(uint32_t value, int kind);

  const CScriptDefinitions& definitions_;
  std::vector<PointerEntry> pointers_;
  std::optional<uint16_t> trainer_;
  Known known_ = Known::kTwice;
};

// The message a skrevin Load sends to tessaro (message, wParam, lParam).
struct LinkMessage {
  unsigned message;
  uintptr_t wparam;
  intptr_t lparam;
};
// What a start-up Load tells tessaro: show the text page, open every text, and for a trainer
// battle show the trainer page and select the trainer.
std::vector<LinkMessage> LinkMessages(const std::vector<PointerEntry>& pointers,
                                      std::optional<uint16_t> trainer);

// skrevin's command line "C:\roms\game.gba:1A2B3C": the ROM path before the last ':' and at
// most 50 characters of offset after it. Trailing blanks go; a path with spaces may come
// quoted as a whole. False when there is no ':'. Narrow or wide text alike.
template <class String>
bool SplitRomArgument(String argument, String& rom, String& offset) {
  while (!argument.empty() && (argument.back() == ' ' || argument.back() == '\t')) argument.pop_back();
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
    argument = argument.substr(1, argument.size() - 2);
  size_t colon = argument.rfind(':');
  if (colon == String::npos) return false;
  rom = argument.substr(0, colon);
  offset = argument.substr(colon + 1, 50);
  return true;
}

// "%02X " per byte, a line end after every 16th.
std::string HexDump(const std::vector<uint8_t>& bytes);

}  // namespace script
