// The game character set both ways.
#include "text/vantari_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using text::CVantariText;
using Bytes = std::vector<uint8_t>;

Bytes Encode(std::string_view s) {
  Bytes out;
  EXPECT_TRUE(CVantariText().string2binary(s, out));
  return out;
}

std::string Decode(const Bytes& bytes, uint8_t hide = 0) {
  CVantariText codec;
  codec.set_hide_terminator(hide);
  std::string out;
  codec.binary2string(bytes.data(), int(bytes.size()), out);
  return out;
}

TEST(CodeTable, EveryCodeSurvivesDecodeThenEncodeAloneAndTogether) {
  CVantariText codec;
  Bytes all;
  for (int code = 0; code < 256; ++code) {
    Bytes expected{uint8_t(code)};
    if (code != 0xFF) expected.push_back(0xFF);
    EXPECT_EQ(Encode(codec.CodeToText(uint8_t(code))), expected) << "code " << code;
    all.push_back(uint8_t(code));
  }
  EXPECT_EQ(Encode(Decode(all)), all);
}

TEST(CodeTable, DisplayFormsOfLettersKanaAndControls) {
  const std::pair<uint8_t, const char*> kForms[] = {
      {0x00, "　"}, {0x01, "あ"}, {0x51, "ア"}, {0xA1, "0"},       {0xB7, "円"}, {0xBB, "A"},
      {0xEE, "z"},  {0xFA, "@\r\n"}, {0xFB, "^\r\n"}, {0xFE, "\r\n"}, {0xFF, "終"}};
  for (const auto& [code, text] : kForms) EXPECT_EQ(CVantariText().CodeToText(code), text) << int(code);
}

TEST(StringToBinary, LettersKanaSpacesAndTerminators) {
  EXPECT_EQ(Encode("ABC"), (Bytes{0xBB, 0xBC, 0xBD, 0xFF}));
  EXPECT_EQ(Encode("ＡＢＣ"), (Bytes{0xBB, 0xBC, 0xBD, 0xFF}));
  EXPECT_EQ(Encode("０９ａｚ！？"), (Bytes{0xA1, 0xAA, 0xD5, 0xEE, 0xAB, 0xAC, 0xFF}));
  EXPECT_EQ(Encode("あ い"), (Bytes{0x01, 0x00, 0x02, 0xFF}));
  EXPECT_EQ(Encode("終"), (Bytes{0xFF}));
  EXPECT_EQ(Encode("か終"), (Bytes{0x06, 0xFF}));
  EXPECT_EQ(Encode("か終き"), (Bytes{0x06, 0xFF, 0x07, 0xFF}));
  EXPECT_EQ(Encode(""), Bytes{});
  EXPECT_EQ(Encode("1/2"), (Bytes{0xA2, 0xBA, 0xA3, 0xFF}));
}

TEST(StringToBinary, SpecialTokens) {
  EXPECT_EQ(Encode("あ@\r\nい"), (Bytes{0x01, 0xFA, 0x02, 0xFF}));
  EXPECT_EQ(Encode("^\r\n"), (Bytes{0xFB, 0xFF}));
  EXPECT_EQ(Encode("@A"), (Bytes{0x00, 0xBB, 0xFF}));
  EXPECT_EQ(Encode("@\rA"), (Bytes{0x00, 0x00, 0xBB, 0xFF}));
  EXPECT_EQ(Encode("A\r\nB"), (Bytes{0xBB, 0xFE, 0xBC, 0xFF}));
  EXPECT_EQ(Encode("|>A;O;U;a;o;u;"), (Bytes{0xEF, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xFF}));
  EXPECT_EQ(Encode("B;"), (Bytes{0xBC, 0x00, 0xFF}));
}

TEST(StringToBinary, CharactersTheGamesCannotShow) {
  // A kanji with a lead byte outside the table's gives no byte at all.
  EXPECT_EQ(Encode("あ漢い"), (Bytes{0x01, 0x02, 0xFF}));
  // Unknown characters with the table's lead bytes become the space.
  EXPECT_EQ(Encode("あ☆い"), (Bytes{0x01, 0x00, 0x02, 0xFF}));
  // Half-width katakana are one byte each and never swallow the next character.
  EXPECT_EQ(Encode("\xB1" "A"), (Bytes{0xBB, 0xFF}));
  // A lead byte as the last byte is not read past.
  EXPECT_EQ(Encode(std::string_view("A\x88", 2)), (Bytes{0xBB, 0xFF}));
  EXPECT_EQ(Encode(std::string_view("A\x82", 2)), (Bytes{0xBB, 0xFF}));
  // A zero byte ends the text.
  EXPECT_EQ(Encode(std::string_view("A\0B", 3)), (Bytes{0xBB, 0xFF}));
}

TEST(BinaryToString, TerminatorSwitchAndCounts) {
  EXPECT_EQ(Decode({0x06, 0xFF, 0xFF}), "か終終");
  EXPECT_EQ(Decode({0x06, 0xFF, 0xFF}, 1), "か");
  EXPECT_EQ(Decode({0x51}), "ア") << "a text of one byte";
  std::string out = "keep";
  uint8_t byte = 1;
  EXPECT_FALSE(CVantariText().binary2string(&byte, 0, out));
  EXPECT_FALSE(CVantariText().binary2string(nullptr, 3, out));
  EXPECT_EQ(out, "keep");
}

TEST(StringToBinaryFixed, FieldRules) {
  CVantariText codec;
  uint8_t field[5] = {1, 1, 1, 1, 1};
  EXPECT_TRUE(codec.string2binaryFixed(field, 5, "ABCDEFG"));
  EXPECT_EQ(Bytes(field, field + 5), (Bytes{0xBB, 0xBC, 0xBD, 0xBE, 0xFF}));

  uint8_t shorter[5] = {1, 1, 1, 1, 1};
  EXPECT_TRUE(codec.string2binaryFixed(shorter, 5, "AB"));
  EXPECT_EQ(Bytes(shorter, shorter + 5), (Bytes{0xBB, 0xBC, 0xFF, 0x01, 0xFF}));

  // An unsupported character keeps the byte the field held at its position.
  uint8_t kept[4] = {7, 7, 7, 7};
  EXPECT_TRUE(codec.string2binaryFixed(kept, 4, "A漢B"));
  EXPECT_EQ(Bytes(kept, kept + 4), (Bytes{0xBB, 0x07, 0xBC, 0xFF}));

  // "@" + CR is no paragraph inside a field.
  uint8_t at[4] = {7, 7, 7, 7};
  EXPECT_TRUE(codec.string2binaryFixed(at, 4, "@\r\nA"));
  EXPECT_EQ(Bytes(at, at + 4), (Bytes{0x00, 0x00, 0xBB, 0xFF}));

  uint8_t empty[3] = {1, 1, 1};
  EXPECT_FALSE(codec.string2binaryFixed(empty, 3, ""));
  uint8_t ends[3] = {1, 1, 1};
  EXPECT_FALSE(codec.string2binaryFixed(ends, 3, "終A"));
  uint8_t nothing[2] = {9, 9};
  EXPECT_FALSE(codec.string2binaryFixed(nothing, 2, "漢字"));
  EXPECT_EQ(Bytes(nothing, nothing + 2), (Bytes{9, 9}));
}

}  // namespace
