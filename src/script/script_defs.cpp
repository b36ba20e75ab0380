#include "script/script_defs.h"

#include <cstdlib>

#include "platform/file.h"

namespace script {

namespace {

constexpr size_t kMaxLine = 10240;

// One line: "5C=trainerbattle,B,W,W,D,D,TYPE=1". False for a line that defines nothing.
bool ParseLine(std::string_view line, ScriptCommand& command) {
  size_t equals = line.find('=');
  if (line.empty() || line[0] == '#' || equals == std::string_view::npos) return false;
  std::string opcode(line.substr(0, equals));
  command.opcode = uint8_t(std::strtoul(opcode.c_str(), nullptr, 16));
  std::string_view rest = line.substr(equals + 1);
  size_t comma = rest.find(',');
  command.name = std::string(rest.substr(0, comma));
  while (comma != std::string_view::npos) {
    rest = rest.substr(comma + 1);
    comma = rest.find(',');
    std::string_view item = rest.substr(0, comma);
    if (item.empty()) continue;
    if (item.starts_with("TYPE=")) {
      command.pointer_kind = std::atoi(std::string(item.substr(5)).c_str());
    } else if (item[0] == '"') {
      // The text between the first and the last character.
      command.literals.emplace_back(item.size() >= 2 ? item.substr(1, item.size() - 2) : std::string_view());
      command.args.push_back(kArgLiteral);
    } else if (item[0] == 'B') {
      command.args.push_back(kArgByte);
    } else if (item[0] == 'W') {
      command.args.push_back(kArgWord);
    } else if (item[0] == 'D') {
      command.args.push_back(kArgDword);
    }
  }
  return true;
}

}  // namespace

bool CScriptDefinitions::Load(const std::filesystem::path& file) {
  commands_.clear();
  std::string text, error;
  if (!platform::ReadWholeFile(file, text, error)) return false;
  Parse(text);
  return true;
}

void CScriptDefinitions::Parse(std::string_view text) {
  commands_.clear();
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, std::min(end, kMaxLine));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    // Line ends are cut wherever they stand.
    line = line.substr(0, line.find_first_of("\r\n"));
    ScriptCommand command;
    if (ParseLine(line, command)) commands_.push_back(std::move(command));
  }
}

const ScriptCommand* CScriptDefinitions::Find(uint8_t opcode) const {
  for (const ScriptCommand& c : commands_)
    if (c.opcode == opcode) return &c;
  return nullptr;
}

const ScriptCommand* CScriptDefinitions::FindName(std::string_view name) const {
  for (const ScriptCommand& c : commands_)
    if (c.name == name) return &c;
  return nullptr;
}

}  // namespace script
