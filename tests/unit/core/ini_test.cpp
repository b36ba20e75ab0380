#include "core/ini.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "unit/test_dir.h"

namespace {

class IniTest : public ::testing::Test {
 protected:
  TestDir dir;
  std::filesystem::path file = dir.Write("Setting.ini",
                                         "[BPRJ]\r\nItem_Data=4162148\r\nAttackNum=abc\r\n"
                                         "domain1=0x71A000\r\ndomain2=0755\r\nNegative=-1\r\n"
                                         "Empty=\r\nExtras=2147483647\r\n");
  CINI ini;
};

TEST_F(IniTest, NumericGettersConvertLikeTheRuntime) {
  int i = 7;
  EXPECT_TRUE(ini.GetInt(file, "BPRJ", "Item_Data", i));
  EXPECT_EQ(i, 4162148);
  EXPECT_TRUE(ini.GetInt(file, "BPRJ", "AttackNum", i));  // no leading digits: 0, not missing
  EXPECT_EQ(i, 0);
  EXPECT_TRUE(ini.GetInt(file, "BPRJ", "Negative", i));
  EXPECT_EQ(i, -1);
  long l = 0;
  EXPECT_TRUE(ini.GetLong(file, "BPRJ", "Extras", l));
  EXPECT_EQ(l, 2147483647L);
  unsigned long u = 0;
  EXPECT_TRUE(ini.GetULong(file, "BPRJ", "domain1", u));
  EXPECT_EQ(u, 0x71A000u);
  EXPECT_TRUE(ini.GetULong(file, "BPRJ", "domain2", u));
  EXPECT_EQ(u, 0755u);
  EXPECT_TRUE(ini.GetInt(file, "BPRJ", "domain1", i));  // decimal readers stop at the x
  EXPECT_EQ(i, 0);
}

TEST_F(IniTest, MissingKeyLeavesTheOutputUntouched) {
  int i = 42;
  long l = 43;
  unsigned long u = 44;
  EXPECT_FALSE(ini.GetInt(file, "BPRJ", "TrainerData", i));
  EXPECT_FALSE(ini.GetLong(file, "BPGJ", "Item_Data", l));
  EXPECT_FALSE(ini.GetULong(dir / "none.ini", "BPRJ", "domain1", u));
  EXPECT_FALSE(ini.GetInt(file, "BPRJ", "Empty", i));  // zero characters read counts as missing
  EXPECT_EQ(i, 42);
  EXPECT_EQ(l, 43);
  EXPECT_EQ(u, 44u);
}

// Buffers of size + 1 = 5, then 11: values of 3 and 4 characters fill them to the brim. A long
// value comes back whole from a buffer that starts tiny and from the default one (256).
TEST_F(IniTest, ValuesAtTheGrowthBoundariesAndLongValuesAreWhole) {
  std::vector<std::pair<size_t, size_t>> cases = {{303, 1}, {303, 256}};  // length, first size
  for (size_t length = 1; length <= 12; ++length) cases.emplace_back(length, 4);
  for (auto [length, first_size] : cases) {
    std::string value(length, 'v');
    ASSERT_TRUE(ini.Write(file, "S", "K", "%s", value.c_str()));
    std::string got;
    ASSERT_TRUE(ini.GetString(file, "S", "K", got, first_size));
    EXPECT_EQ(got, value) << length << " from " << first_size;
  }
}

TEST_F(IniTest, WriteFormatsPrintfStyle) {
  ASSERT_TRUE(ini.Write(file, "Tessaro", "WindowX", "%d", -5));
  int x = 0;
  ASSERT_TRUE(ini.GetInt(file, "Tessaro", "WindowX", x));
  EXPECT_EQ(x, -5);
  std::string too_long(CINI::kWriteBufferSize, 'z');
  EXPECT_FALSE(ini.Write(file, "Tessaro", "Big", "%s", too_long.c_str()));
  std::string got = "keep";
  ASSERT_TRUE(ini.GetString(file, "Tessaro", "Big", got));
  EXPECT_EQ(got, "") << "a value cut to the buffer must not be written";
}

TEST_F(IniTest, FixedBufferReadSaysWhetherAnythingWasRead) {
  char buf[8];
  EXPECT_TRUE(ini.Read(file, "BPRJ", "Item_Data", buf, sizeof buf));
  EXPECT_STREQ(buf, "4162148");
  EXPECT_FALSE(ini.Read(file, "BPRJ", "Empty", buf, sizeof buf));
  EXPECT_FALSE(ini.Read(file, "BPRJ", "None", buf, sizeof buf));
}

// A reader that always fills the buffer, as if the value had no end.
uint32_t EndlessValue(const std::filesystem::path&, const char*, const char*, const char*,
                      char* buffer, uint32_t size) {
  std::fill(buffer, buffer + size - 1, 'x');
  buffer[size - 1] = '\0';
  return size - 1;
}

TEST(IniGrowth, GivesUpAfterTwentyRoundsWithItsLine) {
  CINI ini(&EndlessValue, &platform::WriteProfileValue);
  std::string value = "old";
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(ini.GetString("Setting.ini", "BPRJ", "Item_Data", value, 1));
  std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(value, "");
  // 2 bytes at first, then size * 2 + 1 after each of the twenty rounds.
  EXPECT_EQ(out, "CINI::GetString 長さが足りません section : BPRJ key : Item_Data / 3145727\n");
}

}  // namespace
