// define.source lines and script text from arbitrary bytes: the definition parser and the
// assembler never read or write out of bounds, and what they accept stays within the limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "script/script_assembler.h"
#include "script/script_defs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The definitions come first, up to an empty line; the script follows.
  size_t split = input.find("\n\n");
  std::string_view definitions = split == std::string_view::npos ? input : input.substr(0, split);
  std::string_view source = split == std::string_view::npos ? input : input.substr(split + 2);
  script::CScriptDefinitions table;
  table.Parse(definitions);
  script::AssembleResult result = script::CScriptAssembler(table).Assemble(source, 0x123456);
  if (result.error == script::AssembleError::kNone && result.bytes.size() > script::CScriptAssembler::kMaxOutput)
    std::abort();
  if (result.error != script::AssembleError::kNone && !result.bytes.empty()) std::abort();
  return 0;
}
