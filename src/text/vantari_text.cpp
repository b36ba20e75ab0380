#include "text/vantari_text.h"

#include <array>
#include <unordered_map>

#include "platform/sjis.h"

namespace text {

namespace {

// Display text per code. 0xEF and 0xF1-0xF6 show in the forms the input side reads back
// ("|>", "A;" ...), so that a text shown and stored unchanged keeps its bytes.
constexpr std::array<const char*, 256> kCodeText = {
    "　", "あ", "い", "う", "え", "お", "か", "き", "く", "け", "こ", "さ", "し", "す", "せ", "そ",
    "た", "ち", "つ", "て", "と", "な", "に", "ぬ", "ね", "の", "は", "ひ", "ふ", "へ", "ほ", "ま",
    "み", "む", "め", "も", "や", "ゆ", "よ", "ら", "り", "る", "れ", "ろ", "わ", "を", "ん", "ぁ",
    "ぃ", "ぅ", "ぇ", "ぉ", "ゃ", "ゅ", "ょ", "が", "ぎ", "ぐ", "げ", "ご", "ざ", "じ", "ず", "ぜ",
    "ぞ", "だ", "ぢ", "づ", "で", "ど", "ば", "び", "ぶ", "べ", "ぼ", "ぱ", "ぴ", "ぷ", "ぺ", "ぽ",
    "っ", "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ", "ソ",
    "タ", "チ", "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ", "ヒ", "フ", "ヘ", "ホ", "マ",
    "ミ", "ム", "メ", "モ", "ヤ", "ユ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ワ", "ヲ", "ン", "ァ",
    "ィ", "ゥ", "ェ", "ォ", "ャ", "ュ", "ョ", "ガ", "ギ", "グ", "ゲ", "ゴ", "ザ", "ジ", "ズ", "ゼ",
    "ゾ", "ダ", "ヂ", "ヅ", "デ", "ド", "バ", "ビ", "ブ", "ベ", "ボ", "パ", "ピ", "プ", "ペ", "ポ",
    "ッ", "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "!",  "?",  "。", "ー", "・",
    "…", "『", "』", "「", "」", "♂", "♀", "円", "．", "×", "／", "A",  "B",  "C",  "D",  "E",
    "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",  "P",  "Q",  "R",  "S",  "T",  "U",
    "V",  "W",  "X",  "Y",  "Z",  "a",  "b",  "c",  "d",  "e",  "f",  "g",  "h",  "i",  "j",  "k",
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "v",  "w",  "x",  "y",  "z",  "|>",
    "：", "A;", "O;", "U;", "a;", "o;", "u;", "↑", "↓", "←", "@\r\n", "^\r\n", "★", "▼", "\r\n", "終",
};

constexpr const char* kFullWidthDigits = "０１２３４５６７８９";
constexpr const char* kFullWidthUpper = "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ";
constexpr const char* kFullWidthLower = "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ";

uint16_t Pair(unsigned char lead, unsigned char trail) { return uint16_t(lead << 8 | trail); }

// Input lookups: single ASCII characters and double-byte Shift-JIS characters.
struct Tables {
  std::array<int16_t, 128> ascii;
  std::unordered_map<uint16_t, uint8_t> double_byte;

  Tables() {
    ascii.fill(-1);
    for (int code = 0; code < 256; ++code) {
      std::string_view cell = kCodeText[code];
      auto lead = static_cast<unsigned char>(cell[0]);
      if (cell.size() == 1) ascii[lead] = int16_t(code);
      if (cell.size() == 2 && platform::IsSjisLeadByte(lead))
        double_byte.emplace(Pair(lead, static_cast<unsigned char>(cell[1])), uint8_t(code));
    }
    ascii['/'] = 0xBA;
    AddFullWidth(kFullWidthDigits, 0xA1);
    AddFullWidth(kFullWidthUpper, 0xBB);
    AddFullWidth(kFullWidthLower, 0xD5);
    AddFullWidth("！？", 0xAB);
  }

  void AddFullWidth(std::string_view chars, int first_code) {
    for (size_t i = 0; i + 1 < chars.size(); i += 2)
      double_byte.emplace(Pair(chars[i], chars[i + 1]), uint8_t(first_code + i / 2));
  }
};

const Tables& InputTables() {
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
};

// The token at text[pos]. `paragraphs`: "@"/"^" + CR LF are one token (whole-text
// conversion); otherwise "@"/"^" + CR is an unknown two-character token.
Token NextToken(std::string_view text, size_t pos, bool paragraphs) {
  const Tables& tables = InputTables();
  auto b1 = static_cast<unsigned char>(text[pos]);
  bool has2 = pos + 1 < text.size();
  unsigned char b2 = has2 ? static_cast<unsigned char>(text[pos + 1]) : 0;
  bool has3 = pos + 2 < text.size();
  if (b1 == 0) return {Token::kZero};
  if (b1 == '|' && b2 == '>') return {Token::kCode, 0xEF, 2};
  if (b1 == '\r' && b2 == '\n') return {Token::kCode, kCodeLineBreak, 2};
  if ((b1 == '@' || b1 == '^') && b2 == '\r') {
    if (!paragraphs) return {Token::kCode, kCodeSpace, 2};
    if (has3 && text[pos + 2] == '\n')
      return {Token::kCode, b1 == '@' ? kCodeParagraph : kCodeScroll, 3};
    return {Token::kCode, kCodeSpace, 1};
  }
  if (platform::IsSjisLeadByte(b1)) {
    // A lead byte at the very end has no character behind it.
    if (!has2) return {Token::kSkip, 0, 1};
    if (IsListedLead(b1)) {
      auto found = tables.double_byte.find(Pair(b1, b2));
      return {Token::kCode, found == tables.double_byte.end() ? kCodeSpace : found->second, 2};
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
  return {Token::kCode, code < 0 ? kCodeSpace : uint8_t(code), 1};
}

}  // namespace

CVantariText& VantariText() {
  static CVantariText codec;
  return codec;
}

std::string_view CVantariText::CodeToText(uint8_t code) const {
  if (code == kCodeTerminator && hide_terminator_) return {};
  return kCodeText[code];
}

bool CVantariText::binary2string(const uint8_t* bytes, int count, std::string& out) const {
  if (bytes == nullptr || count < 1) return false;
  for (int i = 0; i < count; ++i) out += CodeToText(bytes[i]);
  return true;
}

bool CVantariText::string2binary(std::string_view text, std::vector<uint8_t>& out) const {
  out.clear();
  for (size_t pos = 0; pos < text.size();) {
    Token token = NextToken(text, pos, true);
    if (token.kind == Token::kZero) {
      out.push_back(kCodeTerminator);
      return true;
    }
    if (token.kind == Token::kCode) out.push_back(token.code);
    pos += token.length;
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
