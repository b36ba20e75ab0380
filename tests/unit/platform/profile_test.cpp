#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "unit/platform/profile_cases.h"
#include "unit/test_dir.h"

namespace {

using GetFn = uint32_t (*)(const std::filesystem::path&, const char*, const char*, const char*,
                           char*, uint32_t);
using WriteFn = bool (*)(const std::filesystem::path&, const char*, const char*, const char*);

struct Backend {
  const char* name;
  GetFn get;
  WriteFn write;
};

void PrintTo(const Backend& b, std::ostream* os) { *os << b.name; }

// The system's functions (Windows) or the portable ones (elsewhere), and the portable ones.
const Backend kBackends[] = {
    {"system", &platform::ReadProfileValue, &platform::WriteProfileValue},
    {"portable", &platform::portable::ReadProfileValue, &platform::portable::WriteProfileValue},
};

class ProfileLookup : public ::testing::TestWithParam<Backend> {};

TEST_P(ProfileLookup, AnswersEveryCaseOfTheTable) {
  const Backend& b = GetParam();
  int n = 0;
  for (const ProfileCase& c : ProfileCases()) {
    TestDir dir;
    auto file = dir / "Setting.ini";
    if (c.content) dir.Write("Setting.ini", c.content);
    std::string buffer(64, '#');
    uint32_t r = b.get(file, c.section, c.key, c.def, buffer.data(), c.size);
    EXPECT_EQ(r, c.expected_return) << c.name;
    EXPECT_STREQ(buffer.c_str(), c.expected) << c.name;
    EXPECT_EQ(buffer[c.size], '#') << c.name << ": wrote past the buffer";
    ++n;
  }
  EXPECT_GT(n, 20);
}

// Writing replaces a key whatever its case, adds keys and sections, and keeps every other line;
// a missing file is created.
TEST_P(ProfileLookup, WritingKeepsEveryOtherLine) {
  const Backend& b = GetParam();
  TestDir dir;
  ASSERT_TRUE(b.write(dir / "new.ini", "Tessaro", "WindowX", "12"));
  auto file = dir.Write("Setting.ini",
                        "; profile of the demo\r\n[Tessaro]\r\nShowCmd=1\r\n\r\n[BPRJ]\r\n"
                        "  Item_Data = 4162148\r\n;comment=1\r\n");
  ASSERT_TRUE(b.write(file, "tessaro", "showcmd", "3"));
  ASSERT_TRUE(b.write(file, "BPRJ", "AttackNum", "354"));
  char buf[32];
  EXPECT_EQ(b.get(file, "Tessaro", "ShowCmd", "", buf, sizeof buf), 1u);
  EXPECT_STREQ(buf, "3");
  EXPECT_EQ(b.get(file, "BPRJ", "Item_Data", "", buf, sizeof buf), 7u);
  EXPECT_EQ(b.get(file, "BPRJ", "AttackNum", "", buf, sizeof buf), 3u);
  EXPECT_STREQ(buf, "354");
  std::string text = dir.Read("Setting.ini");
  EXPECT_NE(text.find("; profile of the demo"), std::string::npos);
  EXPECT_NE(text.find(";comment=1"), std::string::npos);
  EXPECT_EQ(b.get(dir / "new.ini", "Tessaro", "WindowX", "", buf, sizeof buf), 2u);
}

// Names and values that would break the file's lines are not written, by either writer; the
// file stays byte for byte as it was. A double-byte character whose second byte is ']' ("‐")
// is no bracket.
TEST_P(ProfileLookup, RefusesWhatWouldBreakTheFile) {
  const Backend& b = GetParam();
  struct Refused {
    const char* section;
    const char* key;
    const char* value;
  };
  const Refused kRefused[] = {
      {"AXVJ", "Price", "375\n[AXVJ]"}, {"AXVJ", "Price", "375\r"},  {"AXVJ", "Pr\nice", "1"},
      {"AX\r\nVJ", "Price", "1"},       {"AXVJ", "Pri=ce", "1"},    {"AX]VJ", "Price", "1"},
      {"AXVJ", "[BPRJ]", "1"},           {"AXVJ", ";Price", "1"},    {"", "Price", "1"},
      {"AXVJ", "", "1"},
  };
  TestDir dir;
  const std::string before = "[AXVJ]\r\nPrice=300\r\n";
  auto file = dir.Write("Setting.ini", before);
  for (const Refused& r : kRefused) {
    EXPECT_FALSE(b.write(file, r.section, r.key, r.value)) << r.section << "/" << r.key << "/" << r.value;
    EXPECT_EQ(dir.Read("Setting.ini"), before) << r.section << "/" << r.key;
  }
  EXPECT_FALSE(platform::ProfileEntryIsValid("AXVJ", "Price", std::string_view("3\0" "75", 4)));
  EXPECT_FALSE(b.write(file, "AXVJ", "Price=", nullptr)) << "removing such a key neither";
  EXPECT_TRUE(b.write(file, "‐", "Price", "1"));
  EXPECT_NE(dir.Read("Setting.ini").find("Price=1"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Backends, ProfileLookup, ::testing::ValuesIn(kBackends),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// The portable writer changes only the line it concerns, byte for byte.
TEST(PortableProfileWrite, TouchesOnlyTheLineItChanges) {
  TestDir dir;
  const std::string before =
      "; profile\r\n[Tessaro]\r\nShowCmd = 1\r\n\r\n[BPRJ]\nItem_Data=4\n\n[AXVJ]\r\nX=1";
  auto file = dir.Write("Setting.ini", before);
  ASSERT_TRUE(platform::portable::WriteProfileValue(file, "tessaro", "SHOWCMD", "3"));
  EXPECT_EQ(dir.Read("Setting.ini"),
            "; profile\r\n[Tessaro]\r\nShowCmd=3\r\n\r\n[BPRJ]\nItem_Data=4\n\n[AXVJ]\r\nX=1");
  ASSERT_TRUE(platform::portable::WriteProfileValue(file, "BPRJ", "AttackNum", "355"));
  ASSERT_TRUE(platform::portable::WriteProfileValue(file, "AXVJ", "Y", "2"));
  ASSERT_TRUE(platform::portable::WriteProfileValue(file, "BPEJ", "Z", "3"));
  EXPECT_EQ(dir.Read("Setting.ini"),
            "; profile\r\n[Tessaro]\r\nShowCmd=3\r\n\r\n[BPRJ]\nItem_Data=4\nAttackNum=355\r\n\n"
            "[AXVJ]\r\nX=1\r\nY=2\r\n[BPEJ]\r\nZ=3\r\n");
  // Keys and sections removed.
  ASSERT_TRUE(platform::portable::WriteProfileValue(file, "AXVJ", "X", nullptr));
  ASSERT_TRUE(platform::portable::WriteProfileValue(file, "BPRJ", nullptr, nullptr));
  EXPECT_EQ(dir.Read("Setting.ini"), "; profile\r\n[Tessaro]\r\nShowCmd=3\r\n\r\n[AXVJ]\r\nY=2\r\n[BPEJ]\r\nZ=3\r\n");
  EXPECT_FALSE(platform::portable::WriteProfileValue(dir / "missing-dir" / "Setting.ini", "A", "K", "1"));
}

TEST(PortableProfileRead, SecondByteOfADoubleByteCharacterIsNotPunctuation) {
  TestDir dir;
  // "ゾ" is 83 5D: its second byte is "]", so "[ゾ" is no section header and K stays in [A].
  auto file = dir.Write("Setting.ini", "[A]\r\nキー=表\r\n[ゾ\r\nK=1\r\n");
  char buf[32];
  EXPECT_EQ(platform::portable::ReadProfileValue(file, "A", "K", "", buf, sizeof buf), 1u);
  EXPECT_EQ(platform::portable::ReadProfileValue(file, "a", "キー", "", buf, sizeof buf), 2u);
  EXPECT_STREQ(buf, "表");
}

}  // namespace
