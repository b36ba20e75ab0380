#include "core/typed_fields.h"

#include <algorithm>
#include <cctype>

int64_t CTypedFields::Number(std::string_view text, int64_t min, int64_t max) {
  // Spaces around the number are no fault; anything else beside the digits is.
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  size_t digits_start = at;
  // Accumulate with saturation: the value only has to be known up to the field's bounds.
  constexpr int64_t kCap = int64_t(1) << 40;
  int64_t magnitude = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    magnitude = std::min(kCap, magnitude * 10 + (text[at] - '0'));
    ++at;
  }
  if (at == digits_start) {
    replaced_ = true;
    return std::clamp<int64_t>(0, min, max);
  }
  if (at != text.size()) replaced_ = true;
  int64_t value = negative ? -magnitude : magnitude;
  if (value < min || value > max) {
    replaced_ = true;
    return std::clamp(value, min, max);
  }
  return value;
}

int64_t CTypedFields::HexNumber(std::string_view text, int64_t min, int64_t max) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  constexpr int64_t kCap = int64_t(1) << 40;
  int64_t value = 0;
  size_t at = 0;
  for (; at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at])); ++at) {
    const char c = char(std::tolower(static_cast<unsigned char>(text[at])));
    value = std::min(kCap, value * 16 + (c <= '9' ? c - '0' : c - 'a' + 10));
  }
  if (at == 0 || at != text.size() || value < min || value > max) replaced_ = true;
  return std::clamp(at == 0 ? 0 : value, min, max);
}

int64_t CTypedFields::Clamp(int64_t value, int64_t min, int64_t max) {
  if (value >= min && value <= max) return value;
  replaced_ = true;
  return std::clamp(value, min, max);
}
