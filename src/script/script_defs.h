#pragma once
// The script commands a user describes in define.source: one line per command,
// "opcode=name,item,item...", items B/W/D (argument sizes), "literal" words and TYPE=n.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// Argument codes of a command.
inline constexpr uint8_t kArgByte = 1;
inline constexpr uint8_t kArgWord = 2;
inline constexpr uint8_t kArgDword = 3;
inline constexpr uint8_t kArgLiteral = 255;

// Pointer kinds: what the four-byte arguments of a command point to.
inline constexpr int kPointsToScript = 0;
inline constexpr int kPointsToText = 1;
inline constexpr int kPointsToNothing = 2;

struct ScriptCommand {
  uint8_t opcode = 0;
  std::string name;
  int pointer_kind = kPointsToNothing;
  std::vector<uint8_t> args;          // argument codes in order
  std::vector<std::string> literals;  // the literal words, in the order of their codes
};

class CScriptDefinitions {
 public:
  // Reads define.source; false (and an empty table) when it cannot be read.
  bool Load(const std::filesystem::path& file);
  // Parses the text of a definition file into the table (replacing it).
  void Parse(std::string_view text);

  // The first definition of an opcode, or of a name; null when there is none.
  const ScriptCommand* Find(uint8_t opcode) const;
  const ScriptCommand* FindName(std::string_view name) const;
  size_t size() const { return commands_.size(); }
  bool empty() const { return commands_.empty(); }

 private:
  std::vector<ScriptCommand> commands_;
};

}  // namespace script
