#pragma once
// Values typed or chosen in a page, stored into record fields by one rule: a typed value is
// never refused and never cut to its low bits. A value outside its field is clamped into it,
// text that holds no number gives 0 (or the field's minimum), and the status text says so.
// A list with no valid selection leaves its byte as it was.
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr const char* kStatusDone = "正常終了。";
inline constexpr const char* kStatusReplaced =
    "正しい値を取得できなかったので、適当な値を設定しました。";
inline constexpr const char* kStatusReplacedByZero =
    "正しい値を取得できなかったので、0を設定しました。";

class CTypedFields {
 public:
  // A decimal number typed into a field holding [min, max].
  int64_t Number(std::string_view text, int64_t min, int64_t max);
  // A hexadecimal number ("0x" optional) typed into a field holding [min, max].
  int64_t HexNumber(std::string_view text, int64_t min, int64_t max);
  uint8_t Byte(std::string_view text) { return uint8_t(Number(text, 0, 0xFF)); }
  uint16_t Half(std::string_view text) { return uint16_t(Number(text, 0, 0xFFFF)); }
  // A value worked out from typed text (a quotient, a scaled number), clamped into [min, max].
  int64_t Clamp(int64_t value, int64_t min, int64_t max);
  // A list selection stored in a byte: `selection` when it lies in [0, count), else `old`. A
  // list longer than the byte holds (an effects.ini of 300 lines) gives 255 for the entries
  // beyond it, with the replaced-value text, never their low bits.
  uint8_t Selection(int selection, int count, uint8_t old) {
    if (selection < 0 || selection >= count) return old;
    return uint8_t(Clamp(selection, 0, 0xFF));
  }

  bool replaced() const { return replaced_; }
  // "正常終了。", or the replaced-value text once any value had to be replaced.
  const char* Status() const { return replaced_ ? kStatusReplaced : kStatusDone; }

 private:
  bool replaced_ = false;
};
