#include <gtest/gtest.h>

#include "platform/sjis.h"

namespace {

using platform::SjisToUtf16;
using platform::Utf16ToSjis;

struct Pair {
  const char* sjis;
  const char16_t* utf16;
};

// Shift-JIS bytes written out, so the table does not depend on the compiler's charset.
const Pair kPairs[] = {
    {"tessaro", u"tessaro"},
    {"\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1", u"バージョン情報"},
    {"\xB1\xB2\xB3", u"ｱｲｳ"},                      // half-width katakana are one byte each
    {"\x95\x5C\x5C", u"表\\"},                      // a second byte 5C is no backslash
    {"\x81\x60", u"\uFF5E"},                        // wave dash as Windows maps it
    {"\x87\x40", u"\u2460"},                        // NEC special row
    {"", u""},
};

TEST(ShiftJisBoundary, ConvertsBothWays) {
  for (const Pair& p : kPairs) {
    EXPECT_EQ(SjisToUtf16(p.sjis), std::u16string(p.utf16)) << p.sjis;
    EXPECT_EQ(Utf16ToSjis(p.utf16), std::string(p.sjis)) << p.sjis;
  }
}

TEST(ShiftJisBoundary, LiteralsAreShiftJis) {
  EXPECT_EQ(std::string("表示"), std::string("\x95\x5C\x8E\xA6"));
}

TEST(ShiftJisBoundary, BadInputNeverOverruns) {
  std::u16string lone = SjisToUtf16("A\x83");  // lead byte as the last byte
  ASSERT_FALSE(lone.empty());
  EXPECT_EQ(lone[0], u'A');
  EXPECT_EQ(Utf16ToSjis(u"A\u00E9B"), "A?B");  // not in code page 932
}

TEST(ShiftJisBoundary, PathsRoundTrip) {
  std::string name = "\x83\x66\x83\x82.gba";  // デモ.gba
  auto path = platform::PathFromSjis(name);
  EXPECT_EQ(path.u16string(), u"デモ.gba");
  EXPECT_EQ(platform::SjisFromPath(path), name);
}

}  // namespace
