#pragma once
// Script text back to bytes: commands by their definitions, #raw bytes, and #Text texts placed
// after the code with their pointers filled in.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/script_defs.h"

namespace script {

enum class AssembleError {
  kNone = 0,
  kUndefined = 1,         // unknown command word, or a literal word that does not match
  kNotHexadecimal = 2,    // a numeric argument without 0x
  kBadDigit = 3,          // a character that is no hexadecimal digit
  kNoText = 4,            // #Text without a quoted text
  kNoPointerHere = 5,     // Text where a one- or two-byte argument stands
  kTooFewTexts = 6,       // fewer #Text lines than Text pointers
  kEmpty = 7,             // nothing to assemble
  kTooLarge = 8,          // the code and texts do not fit the output buffer
};

struct AssembleResult {
  AssembleError error = AssembleError::kNone;
  std::string token;        // the token that caused the error
  size_t token_offset = 0;  // where it stands in the source
  std::vector<uint8_t> bytes;
  std::string texts;         // on success: each text followed by CR LF, for the output pane
  bool source_cut = false;   // the source was longer than kMaxSource and was cut
  bool lines_cut = false;    // commands after the first kMaxLines were not assembled
  int text_pointers = 0;
  int text_count = 0;

  // The message box for an error: its text and title (Shift-JIS).
  std::string Message() const;
  std::string Title() const;
};

class CScriptAssembler {
 public:
  static constexpr size_t kMaxSource = 61440;
  static constexpr size_t kMaxOutput = 20480;
  static constexpr int kMaxLines = 1000;
  static constexpr size_t kMaxText = 8192;

  explicit CScriptAssembler(const CScriptDefinitions& definitions) : definitions_(definitions) {}
  // `base`: the ROM offset the bytes will be written to (0 for a separate file).
  AssembleResult Assemble(std::string_view source, uint32_t base) const;

 private:
  const CScriptDefinitions& definitions_;
};

}  // namespace script
