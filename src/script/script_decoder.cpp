#include "script/script_decoder.h"

#include <algorithm>
#include <cstdio>

#include "core/rom_address.h"
#include "platform/file.h"
#include "text/vantari_text.h"

namespace script {

namespace {

// Reads a ROM forwards from an offset in blocks; a byte past the end is a failed read.
class CRomReader {
 public:
  bool Open(const std::filesystem::path& rom, uint32_t offset) {
    pos_ = offset;
    return file_.Open(rom, platform::OpenMode::kReadExisting) && file_.Size(size_);
  }
  bool Byte(uint8_t& value) {
    if (pos_ >= start_ + buffer_.size()) {
      if (pos_ >= size_) return false;
      start_ = pos_;
      buffer_.resize(size_t(std::min<uint64_t>(4096, size_ - pos_)));
      if (!file_.ReadAt(start_, buffer_.data(), buffer_.size())) return false;
    }
    value = buffer_[size_t(pos_ - start_)];
    ++pos_;
    return true;
  }
  bool Value(int bytes, uint32_t& value) {
    value = 0;
    for (int i = 0; i < bytes; ++i) {
      uint8_t b;
      if (!Byte(b)) return false;
      value |= uint32_t(b) << (8 * i);
    }
    return true;
  }

 private:
  platform::CFile file_;
  uint64_t size_ = 0;
  uint64_t pos_ = 0;
  uint64_t start_ = 0;
  std::vector<uint8_t> buffer_;
};

void Append(std::string& out, const char* format, unsigned value) {
  char text[32];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(text, sizeof text, format, value);
#pragma GCC diagnostic pop
  out += text;
}

const char* ArgumentFormat(int bytes) { return bytes == 1 ? " 0x%02X" : bytes == 2 ? " 0x%04X" : " 0x%08X"; }

}  // namespace

void CScriptDecoder::Reset() {
  pointers_.clear();
  trainer_.reset();
}

void CScriptDecoder::Offer(uint32_t value, int kind) {
  if (kind != kPointsToScript && kind != kPointsToText) return;
  uint32_t offset = value - kGbaBase;
  // Offset 0 marks an empty slot, so a pointer to the very start is never followed.
  if (offset >= 0x01000000 || offset == 0 || pointers_.size() >= kMaxPointers) return;
  for (const PointerEntry& p : pointers_)
    if (p.offset == offset) return;
  pointers_.push_back({offset, kind});
}

int CScriptDecoder::DecodeScript(const std::filesystem::path& rom, uint32_t offset, bool nested,
                                 std::string& out) {
  CRomReader reader;
  if (!reader.Open(rom, offset)) return kCannotOpen;
  if (!nested) trainer_.reset();
  if (nested) Append(out, "#org 0x%06X\r\n", offset);

  for (int n = 0; n < kMaxCommands; ++n) {
    uint8_t opcode;
    if (!reader.Byte(opcode)) return kReadFailed;
    const ScriptCommand* command = definitions_.Find(opcode);
    int kind = kPointsToNothing;
    if (command) {
      out += command->name;
      kind = command->pointer_kind;
      known_ = known_ == Known::kUnknown ? Known::kOnce : Known::kTwice;
    } else {
      Append(out, "#raw %02X\r\n", opcode);
      known_ = Known::kUnknown;
      continue;
    }
    if ((opcode == 0x02 || opcode == 0x03) && known_ == Known::kTwice) return kFinished;

    // One argument of `bytes` bytes: printed, and four-byte values offered as pointers.
    auto argument = [&](int bytes, uint32_t& value) {
      if (!reader.Value(bytes, value)) return false;
      Append(out, ArgumentFormat(bytes), value);
      if (bytes == 4) Offer(value, kind);
      return true;
    };
    uint32_t value = 0;
    if (opcode == 0x39) {
      uint32_t third = 0;
      if (!argument(1, value) || !argument(1, value) || !argument(1, third)) return kReadFailed;
      for (int i = 0; third == 0xFF && i < 4; ++i)
        if (!argument(1, value)) return kReadFailed;
    } else if (opcode == 0x5C) {
      kind = kPointsToText;
      uint32_t battle = 0, trainer = 0;
      if (!argument(1, battle) || !argument(2, trainer)) return kReadFailed;
      if (!nested) trainer_ = uint16_t(trainer);
      if (!argument(2, value) || !argument(4, value)) return kReadFailed;
      if (battle != 3 && !argument(4, value)) return kReadFailed;
      if (battle == 1 || battle == 2) {
        kind = kPointsToScript;
        if (!argument(4, value)) return kReadFailed;
      }
    } else {
      size_t literal = 0;
      for (size_t i = 0; i < command->args.size() && i < 300; ++i) {
        uint8_t code = command->args[i];
        if (code == kArgLiteral) {
          out += ' ';
          if (literal < command->literals.size()) out += command->literals[literal++];
        } else if (!argument(code == kArgByte ? 1 : code == kArgWord ? 2 : 4, value)) {
          return kReadFailed;
        }
      }
    }
    out += "\r\n";
  }
  return kFinished;
}

int CScriptDecoder::DecodeText(const std::filesystem::path& rom, uint32_t offset, std::string& out) {
  CRomReader reader;
  if (!reader.Open(rom, offset)) return 0;
  Append(out, "#org 0x%06X\r\n", offset);
  const text::CVantariText codec;  // the terminator ends the text and is never shown
  for (int i = 0; i < kMaxTextBytes; ++i) {
    uint8_t code;
    if (!reader.Byte(code)) return 0;
    if (code == text::kCodeTerminator) break;
    out += codec.CodeToText(code);
  }
  return 1;
}

int CScriptDecoder::FollowPointers(const std::filesystem::path& rom, std::string& script_pane,
                                   std::string& output_pane) {
  script_pane += "\r\n";
  if (!auto_trace) return 0;
  int failures = 0;
  // The list may grow while nested scripts are decoded.
  for (size_t i = 0; i < pointers_.size(); ++i) {
    if (pointers_[i].kind != kPointsToScript) continue;
    int result = DecodeScript(rom, pointers_[i].offset, true, output_pane);
    if (result == kCannotOpen) continue;
    if (result == kReadFailed) {
      ++failures;
      break;
    }
    output_pane += "\r\n\r\n";
  }
  for (size_t i = 0; i < pointers_.size(); ++i) {
    if (pointers_[i].kind != kPointsToText) continue;
    if (DecodeText(rom, pointers_[i].offset, output_pane) == 0) {
      ++failures;
      break;
    }
    output_pane += "\r\n\r\n";
  }
  return failures;
}

std::vector<LinkMessage> LinkMessages(const std::vector<PointerEntry>& pointers,
                                      std::optional<uint16_t> trainer) {
  std::vector<LinkMessage> messages{{0x8000, 6, 0}};
  for (const PointerEntry& p : pointers)
    if (p.kind == kPointsToText) messages.push_back({0x8002, 0, intptr_t(p.offset)});
  if (trainer) {
    messages.push_back({0x8000, 2, 0});
    messages.push_back({0x8001, *trainer, 0});
  }
  return messages;
}

std::string HexDump(const std::vector<uint8_t>& bytes) {
  std::string dump;
  char text[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(text, sizeof text, "%02X ", bytes[i]);
    dump += text;
    if (i % 16 == 15) dump += "\r\n";
  }
  return dump;
}

}  // namespace script
