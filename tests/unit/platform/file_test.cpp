#include <gtest/gtest.h>

#include <string>

#include "platform/error_text.h"
#include "platform/file.h"
#include "unit/test_dir.h"

namespace {

using platform::CFile;
using platform::OpenMode;

TEST(FileAccess, ReadsWritesAndTruncatesExactly) {
  TestDir dir;
  auto path = dir.Write("rom.gba", std::string(0x100, '\xFF'));
  CFile f;
  ASSERT_TRUE(f.Open(path, OpenMode::kReadWriteExisting)) << f.ErrorText();
  ASSERT_TRUE(f.WriteAt(0xAC, "BPRJ", 4));
  char code[5] = {};
  ASSERT_TRUE(f.ReadAt(0xAC, code, 4));
  EXPECT_STREQ(code, "BPRJ");
  uint64_t size = 0;
  ASSERT_TRUE(f.Size(size));
  EXPECT_EQ(size, 0x100u);
  ASSERT_TRUE(f.Truncate(4));
  ASSERT_TRUE(f.Size(size));
  EXPECT_EQ(size, 4u);
  ASSERT_TRUE(f.Truncate(6));
  f.Close();
  EXPECT_EQ(dir.Read("rom.gba"), std::string("\xFF\xFF\xFF\xFF\0\0", 6));
  std::string data, error;
  ASSERT_TRUE(platform::ReadWholeFile(path, data, error));
  EXPECT_EQ(data, std::string("\xFF\xFF\xFF\xFF\0\0", 6));
  EXPECT_FALSE(platform::ReadWholeFile(dir / "none", data, error));
  EXPECT_FALSE(error.empty());
}

TEST(FileAccess, ShortReadIsAFailureWithItsText) {
  TestDir dir;
  auto path = dir.Write("short.gba", std::string(0xAE, '\0'));  // header cut inside the game code
  CFile f;
  ASSERT_TRUE(f.Open(path, OpenMode::kReadExisting));
  char code[4];
  EXPECT_FALSE(f.ReadAt(0xAC, code, 4));
  EXPECT_EQ(f.ErrorText(), platform::kShortReadText);
  EXPECT_FALSE(f.ReadAt(0x1000, code, 1));  // past the end
  EXPECT_EQ(f.ErrorText(), platform::kShortReadText);
}

// Each mode on a missing and on an existing file: whether it opens, whether "ab" can be written
// at the start, and what the file holds afterwards ("" for no file). Only the create modes
// create; only kCreate empties.
TEST(FileAccess, OpenModesOnMissingAndExistingFiles) {
  struct Case {
    OpenMode mode;
    bool exists, opens, writes;
    std::string after;
  };
  const Case cases[] = {
      {OpenMode::kReadExisting, false, false, false, ""},
      {OpenMode::kReadWriteExisting, false, false, false, ""},
      {OpenMode::kCreate, false, true, true, "ab"},
      {OpenMode::kReadWriteOrCreate, false, true, true, "ab"},
      {OpenMode::kReadExisting, true, true, false, "0123456789"},
      {OpenMode::kReadWriteExisting, true, true, true, "ab23456789"},
      {OpenMode::kCreate, true, true, true, "ab"},
      {OpenMode::kReadWriteOrCreate, true, true, true, "ab23456789"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.mode) << (c.exists ? " existing" : " missing"));
    TestDir dir;
    if (c.exists) dir.Write("rom.gba", "0123456789");
    CFile f;
    ASSERT_EQ(f.Open(dir / "rom.gba", c.mode), c.opens);
    EXPECT_EQ(f.IsOpen(), c.opens);
    if (c.opens) {
      EXPECT_EQ(f.Write("ab", 2), c.writes);
      f.Close();
    }
    EXPECT_EQ(f.ErrorText().empty(), c.opens && c.writes) << "a failure gives the system's text";
    EXPECT_EQ(std::filesystem::exists(dir / "rom.gba"), !c.after.empty());
    if (!c.after.empty()) {
      EXPECT_EQ(dir.Read("rom.gba"), c.after);
    }
  }
  // The last failure's text copied into a buffer of 8: cut to 7 bytes and ended; none into 0.
  CFile missing;
  ASSERT_FALSE(missing.Open(TestDir().path() / "none", OpenMode::kReadExisting));
  const std::string text = platform::LastSystemErrorText();
  char buffer[8] = "-";
  EXPECT_STREQ(platform::CopyLastSystemErrorText(buffer, 0), "-");
  EXPECT_EQ(platform::CopyLastSystemErrorText(buffer, sizeof buffer), text.substr(0, 7));
}

TEST(FileAccess, ExclusiveAndSharedOpens) {
  TestDir dir;
  auto path = dir.Write("rom.gba", "data");
  CFile first, second;
  ASSERT_TRUE(first.Open(path, OpenMode::kReadExisting));
  EXPECT_FALSE(second.Open(path, OpenMode::kReadExisting));
  EXPECT_FALSE(second.ErrorText().empty());
  EXPECT_FALSE(second.Open(path, OpenMode::kCreate));
  first.Close();
  EXPECT_EQ(dir.Read("rom.gba"), "data") << "a refused create must not empty the file";
  EXPECT_TRUE(second.Open(path, OpenMode::kReadWriteExisting)) << second.ErrorText();
  second.Close();
  // Shared readers admit each other but no writer.
  CFile a, b;
  ASSERT_TRUE(a.Open(path, OpenMode::kReadShared)) << a.ErrorText();
  EXPECT_TRUE(b.Open(path, OpenMode::kReadShared)) << b.ErrorText();
  EXPECT_FALSE(second.Open(path, OpenMode::kReadWriteExisting));
}

}  // namespace
