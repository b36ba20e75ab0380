#include "script/script_assembler.h"

#include <cstdio>

#include "core/rom_address.h"
#include "platform/sjis.h"
#include "text/vantari_text.h"

namespace script {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A whitespace-delimited word scan over the source.
class CScanner {
 public:
  explicit CScanner(std::string_view source) : source_(source) {}
  bool Next(std::string_view& token, size_t& offset) {
    while (pos_ < source_.size() && IsSpace(source_[pos_])) ++pos_;
    if (pos_ >= source_.size()) return false;
    offset = pos_;
    while (pos_ < source_.size() && !IsSpace(source_[pos_])) ++pos_;
    token = source_.substr(offset, pos_ - offset);
    return true;
  }
  bool AtEnd() {
    while (pos_ < source_.size() && IsSpace(source_[pos_])) ++pos_;
    return pos_ >= source_.size();
  }
  std::string_view source() const { return source_; }
  size_t pos() const { return pos_; }
  void set_pos(size_t pos) { pos_ = pos; }

 private:
  std::string_view source_;
  size_t pos_ = 0;
};

// The value of a hexadecimal token; false when a character is no hexadecimal digit.
bool ParseHex(std::string_view digits, uint64_t& value) {
  value = 0;
  for (char c : digits) {
    if (!IsHexDigit(c)) return false;
    int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    value = value << 4 | uint64_t(d);
  }
  return true;
}

void Put(std::vector<uint8_t>& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

std::string AssembleResult::Message() const {
  char text[256];
  switch (error) {
    case AssembleError::kNone: return {};
    case AssembleError::kUndefined: return "\"" + token + "\"は定義されていません。";
    case AssembleError::kNotHexadecimal: return "\"" + token + "\"は16進数ではありません。";
    case AssembleError::kBadDigit: return "\"" + token + "\"に16進数では無い文字が含まれています。";
    case AssembleError::kNoText: return "\"" + token + "\"にはテキストがありません。";
    case AssembleError::kNoPointerHere: return "この位置にはテキストポインタを挿入できません。";
    case AssembleError::kTooFewTexts:
      std::snprintf(text, sizeof text, "必要な量のテキストが有りません。(テキストポインタ:%d/テキスト:%d)",
                    text_pointers, text_count);
      return text;
    case AssembleError::kEmpty: return "文字を入力してください。";
    case AssembleError::kTooLarge:
      std::snprintf(text, sizeof text, "出力が%uByteを超えるので書き込めません。",
                    unsigned(CScriptAssembler::kMaxOutput));
      return text;
  }
  return {};
}

std::string AssembleResult::Title() const {
  switch (error) {
    case AssembleError::kNone: return {};
    case AssembleError::kUndefined: return "定義されていません。";
    case AssembleError::kNotHexadecimal: return "16進数ではありません。";
    case AssembleError::kBadDigit: return "16進数では無い文字が含まれています。";
    case AssembleError::kNoText: return "テキストがありません。";
    case AssembleError::kNoPointerHere: return "テキストポインタを挿入できません。";
    case AssembleError::kTooFewTexts: return "必要な量のテキストが有りません。";
    case AssembleError::kEmpty: return "文字を入力してください。";
    case AssembleError::kTooLarge: return "出力が大きすぎます。";
  }
  return {};
}

AssembleResult CScriptAssembler::Assemble(std::string_view source, uint32_t base) const {
  AssembleResult result;
  if (source.size() > kMaxSource) {
    source = source.substr(0, kMaxSource);
    result.source_cut = true;
  }
  CScanner scanner(source);
  if (scanner.AtEnd()) {
    result.error = AssembleError::kEmpty;
    return result;
  }
  auto fail = [&](AssembleError error, std::string_view token, size_t offset) {
    result.error = error;
    result.token = std::string(token);
    result.token_offset = offset;
    result.bytes.clear();
    return result;
  };

  std::vector<uint8_t>& out = result.bytes;
  std::vector<std::string> texts;
  std::vector<size_t> placeholders;
  std::string_view token;
  size_t offset = 0;

  // One numeric argument of `bytes` bytes ("0x.."), or Text for a four-byte one.
  auto argument = [&](int bytes) -> AssembleError {
    if (!scanner.Next(token, offset)) token = {}, offset = source.size();
    if (token == "Text") {
      if (bytes != 4) return AssembleError::kNoPointerHere;
      placeholders.push_back(out.size());
      Put(out, 0, 4);
      return AssembleError::kNone;
    }
    if (!token.starts_with("0x") && !token.starts_with("0X")) return AssembleError::kNotHexadecimal;
    uint64_t value = 0;
    if (!ParseHex(token.substr(2), value)) return AssembleError::kBadDigit;
    Put(out, value, bytes);  // higher bits are dropped
    return AssembleError::kNone;
  };

  for (int line = 0; line < kMaxLines && scanner.Next(token, offset); ++line) {
    if (token == "#raw") {
      if (!scanner.Next(token, offset)) token = {}, offset = source.size();
      uint64_t value = 0;
      if (!ParseHex(token, value)) return fail(AssembleError::kBadDigit, token, offset);
      out.push_back(uint8_t(value));
      continue;
    }
    if (token == "#Text") {
      // One separator, then the text in double quotes.
      size_t at = scanner.pos() + 1;
      if (at >= source.size() || source[at] != '"') return fail(AssembleError::kNoText, token, offset);
      size_t end = at + 1;
      while (end < source.size() && source[end] != '"' && end - at <= kMaxText)
        end += platform::IsSjisLeadByte(static_cast<unsigned char>(source[end])) ? 2 : 1;
      if (end >= source.size() || source[end] != '"') return fail(AssembleError::kNoText, token, offset);
      texts.emplace_back(source.substr(at + 1, end - at - 1));
      scanner.set_pos(end + 1);
      continue;
    }
    const ScriptCommand* command = definitions_.FindName(token);
    if (command == nullptr) return fail(AssembleError::kUndefined, token, offset);
    out.push_back(command->opcode);
    AssembleError error = AssembleError::kNone;
    auto arg = [&](int bytes) {
      if (error == AssembleError::kNone) error = argument(bytes);
      return error == AssembleError::kNone;
    };
    if (command->opcode == 0x39) {
      if (arg(1) && arg(1) && arg(1) && out.back() == 0xFF)
        for (int i = 0; i < 4; ++i) arg(1);
    } else if (command->opcode == 0x5C) {
      if (arg(1)) {
        uint8_t battle = out.back();
        arg(2) && arg(2);
        if (battle != 3) arg(4);
        if (battle == 1 || battle == 2) arg(4);
        arg(4);
      }
    } else {
      size_t literal = 0;
      for (uint8_t code : command->args) {
        if (code == kArgLiteral) {
          const std::string expected = literal < command->literals.size() ? command->literals[literal++] : "";
          if (!scanner.Next(token, offset)) token = {}, offset = source.size();
          if (token != expected) return fail(AssembleError::kUndefined, token, offset);
        } else if (!arg(code == kArgByte ? 1 : code == kArgWord ? 2 : 4)) {
          break;
        }
      }
    }
    if (error != AssembleError::kNone) return fail(error, token, offset);
  }
  result.lines_cut = scanner.Next(token, offset);  // only the first kMaxLines are read

  result.text_pointers = int(placeholders.size());
  result.text_count = int(texts.size());
  if (texts.size() < placeholders.size()) return fail(AssembleError::kTooFewTexts, {}, 0);
  const text::CVantariText codec;
  for (size_t i = 0; i < texts.size(); ++i) {
    uint32_t address = kGbaBase + base + uint32_t(out.size());
    if (i < placeholders.size())
      for (int b = 0; b < 4; ++b) out[placeholders[i] + size_t(b)] = uint8_t(address >> (8 * b));
    codec.AppendCodes(texts[i], out);
    out.push_back(text::kCodeTerminator);
  }
  if (out.size() > kMaxOutput) return fail(AssembleError::kTooLarge, {}, 0);
  for (const std::string& t : texts) result.texts += t + "\r\n";
  return result;
}

}  // namespace script
