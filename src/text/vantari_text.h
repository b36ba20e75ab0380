#pragma once
// The games' one-byte character set and its Shift-JIS display form.
//
// Game text is a run of codes ending with 0xFF; 0xFE breaks the line, 0xFA and 0xFB end a
// paragraph ("@" / "^" plus a line break). The display side is Shift-JIS with CR LF line breaks.
// A text shown by this codec and stored again unchanged keeps every byte, provided the
// terminator is shown (hide-terminator switch 0).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {

class CVantariText {
 public:
  // The display text of one code (Shift-JIS).
  std::string_view CodeToText(uint8_t code) const;

  // Appends the display text of exactly `count` bytes, terminators included. False, and
  // nothing appended, when there are no bytes or count < 1.
  bool binary2string(const uint8_t* bytes, int count, std::string& out) const;

  // Converts a whole text; `out` is emptied first. The result ends with 0xFF unless the text
  // gave no code at all. Always true.
  bool string2binary(std::string_view text, std::vector<uint8_t>& out) const;

  // Converts a whole text exactly, without a terminator: every character must have a code of
  // its own (a half-width space is the space). False with the first character that has none
  // (or the terminator's) in `bad`.
  bool EncodeExact(std::string_view text, std::vector<uint8_t>& out, std::string& bad) const;

  // Appends the codes of a text without a terminator; true when it stopped at a zero byte.
  bool AppendCodes(std::string_view text, std::vector<uint8_t>& out) const;

  // Converts into a record field of exactly n bytes. Positions of characters the games cannot
  // show keep the byte they held. False when nothing was written or the field starts with the
  // terminator; otherwise the last byte of the field is forced to 0xFF.
  bool string2binaryFixed(uint8_t* field, int n, std::string_view text) const;

  // 0: the terminator shows as "終"; 1: it shows as nothing.
  uint8_t hide_terminator() const { return hide_terminator_; }
  void set_hide_terminator(uint8_t hide) { hide_terminator_ = hide ? 1 : 0; }

 private:
  uint8_t hide_terminator_ = 0;
};

// Game text codes with a meaning of their own.
inline constexpr uint8_t kCodeSpace = 0x00;
inline constexpr uint8_t kCodeParagraph = 0xFA;
inline constexpr uint8_t kCodeScroll = 0xFB;
inline constexpr uint8_t kCodeLineBreak = 0xFE;
inline constexpr uint8_t kCodeTerminator = 0xFF;

// The program-wide codec every page and list shares.
CVantariText& VantariText();

}  // namespace text
