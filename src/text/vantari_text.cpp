#include "text/vantari_text.h"

#include <array>
#include <unordered_map>

#include "platform/sjis.h"

namespace text {

namespace {

// Display text per code, in UTF-8 here and in Shift-JIS once converted. 0xEF and 0xF1-0xF6
// show in the forms the input side reads back ("|>", "A;" ...), so that a text shown and
// stored unchanged keeps its bytes.
constexpr std::array<const char8_t*, 256> kCodeTextUtf8 = {
    u8"　", u8"あ", u8"い", u8"う", u8"え", u8"お", u8"か", u8"き", u8"く", u8"け", u8"こ", u8"さ", u8"し", u8"す", u8"せ", u8"そ",
    u8"た", u8"ち", u8"つ", u8"て", u8"と", u8"な", u8"に", u8"ぬ", u8"ね", u8"の", u8"は", u8"ひ", u8"ふ", u8"へ", u8"ほ", u8"ま",
    u8"み", u8"む", u8"め", u8"も", u8"や", u8"ゆ", u8"よ", u8"ら", u8"り", u8"る", u8"れ", u8"ろ", u8"わ", u8"を", u8"ん", u8"ぁ",
    u8"ぃ", u8"ぅ", u8"ぇ", u8"ぉ", u8"ゃ", u8"ゅ", u8"ょ", u8"が", u8"ぎ", u8"ぐ", u8"げ", u8"ご", u8"ざ", u8"じ", u8"ず", u8"ぜ",
    u8"ぞ", u8"だ", u8"ぢ", u8"づ", u8"で", u8"ど", u8"ば", u8"び", u8"ぶ", u8"べ", u8"ぼ", u8"ぱ", u8"ぴ", u8"ぷ", u8"ぺ", u8"ぽ",
    u8"っ", u8"ア", u8"イ", u8"ウ", u8"エ", u8"オ", u8"カ", u8"キ", u8"ク", u8"ケ", u8"コ", u8"サ", u8"シ", u8"ス", u8"セ", u8"ソ",
    u8"タ", u8"チ", u8"ツ", u8"テ", u8"ト", u8"ナ", u8"ニ", u8"ヌ", u8"ネ", u8"ノ", u8"ハ", u8"ヒ", u8"フ", u8"ヘ", u8"ホ", u8"マ",
    u8"ミ", u8"ム", u8"メ", u8"モ", u8"ヤ", u8"ユ", u8"ヨ", u8"ラ", u8"リ", u8"ル", u8"レ", u8"ロ", u8"ワ", u8"ヲ", u8"ン", u8"ァ",
    u8"ィ", u8"ゥ", u8"ェ", u8"ォ", u8"ャ", u8"ュ", u8"ョ", u8"ガ", u8"ギ", u8"グ", u8"ゲ", u8"ゴ", u8"ザ", u8"ジ", u8"ズ", u8"ゼ",
    u8"ゾ", u8"ダ", u8"ヂ", u8"ヅ", u8"デ", u8"ド", u8"バ", u8"ビ", u8"ブ", u8"ベ", u8"ボ", u8"パ", u8"ピ", u8"プ", u8"ペ", u8"ポ",
    u8"ッ", u8"0", u8"1", u8"2", u8"3", u8"4", u8"5", u8"6", u8"7", u8"8", u8"9", u8"!", u8"?", u8"。", u8"ー", u8"・",
    u8"…", u8"『", u8"』", u8"「", u8"」", u8"♂", u8"♀", u8"円", u8"．", u8"×", u8"／", u8"A", u8"B", u8"C", u8"D", u8"E",
    u8"F", u8"G", u8"H", u8"I", u8"J", u8"K", u8"L", u8"M", u8"N", u8"O", u8"P", u8"Q", u8"R", u8"S", u8"T", u8"U",
    u8"V", u8"W", u8"X", u8"Y", u8"Z", u8"a", u8"b", u8"c", u8"d", u8"e", u8"f", u8"g", u8"h", u8"i", u8"j", u8"k",
    u8"l", u8"m", u8"n", u8"o", u8"p", u8"q", u8"r", u8"s", u8"t", u8"u", u8"v", u8"w", u8"x", u8"y", u8"z", u8"|>",
    u8"：", u8"A;", u8"O;", u8"U;", u8"a;", u8"o;", u8"u;", u8"↑", u8"↓", u8"←", u8"@\r\n", u8"^\r\n", u8"★", u8"▼", u8"\r\n", u8"終",
};

constexpr const char8_t* kFullWidthDigits = u8"０１２３４５６７８９";
constexpr const char8_t* kFullWidthUpper = u8"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ";
constexpr const char8_t* kFullWidthLower = u8"ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ";

uint16_t Pair(unsigned char lead, unsigned char trail) { return uint16_t(lead << 8 | trail); }

std::string Sjis(const char8_t* utf8) {
  return platform::Utf8ToSjis(reinterpret_cast<const char*>(utf8));
}

// The code table in Shift-JIS and its inverse for input: single ASCII characters and
// double-byte Shift-JIS characters. Built from UTF-8 so that it does not depend on the
// compiler's execution character set.
struct Tables {
  std::array<std::string, 256> code_text;
  std::array<int16_t, 128> ascii;
  std::unordered_map<uint16_t, uint8_t> double_byte;

  Tables() {
    ascii.fill(-1);
    for (int code = 0; code < 256; ++code) {
      code_text[code] = Sjis(kCodeTextUtf8[code]);
      std::string_view cell = code_text[code];
      auto lead = static_cast<unsigned char>(cell[0]);
      if (cell.size() == 1) ascii[lead] = int16_t(code);
      if (cell.size() == 2 && platform::IsSjisLeadByte(lead))
        double_byte.emplace(Pair(lead, static_cast<unsigned char>(cell[1])), uint8_t(code));
    }
    ascii['/'] = 0xBA;
    AddFullWidth(kFullWidthDigits, 0xA1);
    AddFullWidth(kFullWidthUpper, 0xBB);
    AddFullWidth(kFullWidthLower, 0xD5);
    AddFullWidth(u8"！？", 0xAB);
  }

  void AddFullWidth(const char8_t* utf8, int first_code) {
    std::string chars = Sjis(utf8);
    for (size_t i = 0; i + 1 < chars.size(); i += 2)
      double_byte.emplace(Pair(chars[i], chars[i + 1]), uint8_t(first_code + i / 2));
  }
};

const Tables& CodeTables() {
  static const Tables tables;
  return tables;
}

bool IsListedLead(unsigned char b) {
  return b == 0x81 || b == 0x82 || b == 0x83 || b == 0x89 || b == 0x8F;
}

struct Token {
  enum Kind { kCode, kSkip, kZero } kind;
  uint8_t code = 0;
  size_t length = 1;
  bool known = true;  // false: a character without a code, stored as a space
};

// The token at text[pos]. `paragraphs`: "@"/"^" + CR LF are one token (whole-text
// conversion); otherwise "@"/"^" + CR is an unknown two-character token.
Token NextToken(std::string_view text, size_t pos, bool paragraphs) {
  const Tables& tables = CodeTables();
  auto b1 = static_cast<unsigned char>(text[pos]);
  bool has2 = pos + 1 < text.size();
  unsigned char b2 = has2 ? static_cast<unsigned char>(text[pos + 1]) : 0;
  bool has3 = pos + 2 < text.size();
  if (b1 == 0) return {Token::kZero};
  if (b1 == '|' && b2 == '>') return {Token::kCode, 0xEF, 2};
  if (b1 == '\r' && b2 == '\n') return {Token::kCode, kCodeLineBreak, 2};
  if ((b1 == '@' || b1 == '^') && b2 == '\r') {
    if (!paragraphs) return {Token::kCode, kCodeSpace, 2, false};
    if (has3 && text[pos + 2] == '\n')
      return {Token::kCode, b1 == '@' ? kCodeParagraph : kCodeScroll, 3};
    return {Token::kCode, kCodeSpace, 1, false};
  }
  if (platform::IsSjisLeadByte(b1)) {
    // A lead byte at the very end has no character behind it.
    if (!has2) return {Token::kSkip, 0, 1};
    if (IsListedLead(b1)) {
      auto found = tables.double_byte.find(Pair(b1, b2));
      const bool known = found != tables.double_byte.end();
      return {Token::kCode, known ? found->second : kCodeSpace, 2, known};
    }
    // Any other double-byte character (most kanji) gives no code at all.
    return {Token::kSkip, 0, 2};
  }
  // Half-width katakana and the bytes Shift-JIS leaves unused stand alone.
  if (b1 >= 0x80) return {Token::kSkip, 0, 1};
  if (b2 == ';') {
    constexpr std::string_view kUmlauts = "AOUaou";
    size_t which = kUmlauts.find(char(b1));
    if (which != std::string_view::npos) return {Token::kCode, uint8_t(0xF1 + which), 2};
  }
  int16_t code = tables.ascii[b1];
  return {Token::kCode, code < 0 ? kCodeSpace : uint8_t(code), 1, code >= 0};
}

}  // namespace

CVantariText& VantariText() {
  static CVantariText codec;
  return codec;
}

std::string_view CVantariText::CodeToText(uint8_t code) const {
  if (code == kCodeTerminator && hide_terminator_) return {};
  return CodeTables().code_text[code];
}

bool CVantariText::binary2string(const uint8_t* bytes, int count, std::string& out) const {
  if (bytes == nullptr || count < 1) return false;
  for (int i = 0; i < count; ++i) out += CodeToText(bytes[i]);
  return true;
}

bool CVantariText::AppendCodes(std::string_view text, std::vector<uint8_t>& out) const {
  for (size_t pos = 0; pos < text.size();) {
    Token token = NextToken(text, pos, true);
    if (token.kind == Token::kZero) return true;
    if (token.kind == Token::kCode) out.push_back(token.code);
    pos += token.length;
  }
  return false;
}

bool CVantariText::EncodeExact(std::string_view text, std::vector<uint8_t>& out, std::string& bad) const {
  out.clear();
  for (size_t pos = 0; pos < text.size();) {
    Token token = NextToken(text, pos, true);
    const bool space = text[pos] == ' ';
    if (token.kind != Token::kCode || (!token.known && !space) || token.code == kCodeTerminator) {
      bad = std::string(text.substr(pos, token.kind == Token::kZero ? 1 : token.length));
      return false;
    }
    out.push_back(token.code);
    pos += token.length;
  }
  return true;
}

bool CVantariText::string2binary(std::string_view text, std::vector<uint8_t>& out) const {
  out.clear();
  if (AppendCodes(text, out)) {
    out.push_back(kCodeTerminator);  // a zero byte ends the text with a terminator
    return true;
  }
  if (!out.empty() && out.back() != kCodeTerminator) out.push_back(kCodeTerminator);
  return true;
}

bool CVantariText::string2binaryFixed(uint8_t* field, int n, std::string_view text) const {
  if (field == nullptr || n < 1) return false;
  int out = 0;
  bool wrote = false;
  size_t pos = 0;
  while (out < n) {
    // The end of the text ends the name like the zero byte of a C string.
    Token token = pos < text.size() ? NextToken(text, pos, false) : Token{Token::kZero};
    if (token.kind == Token::kZero) {
      field[out] = kCodeTerminator;
      wrote = true;
      break;
    }
    if (token.kind == Token::kCode) {
      field[out] = token.code;
      wrote = true;
    }
    ++out;
    pos += token.length;
  }
  if (!wrote || field[0] == kCodeTerminator) return false;
  field[n - 1] = kCodeTerminator;
  return true;
}

}  // namespace text
