#include <gtest/gtest.h>

#include <string>

#include "platform/error_text.h"
#include "platform/file.h"
#include "unit/test_dir.h"

namespace {

using platform::CFile;
using platform::OpenMode;

TEST(FileAccess, ReadsAndWritesExactlyAtOffsets) {
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
  f.Close();
  EXPECT_EQ(dir.Read("rom.gba").substr(0xAC, 4), "BPRJ");
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

TEST(FileAccess, MissingFileReportsTheSystemText) {
  TestDir dir;
  CFile f;
  EXPECT_FALSE(f.Open(dir / "none.gba", OpenMode::kReadExisting));
  EXPECT_FALSE(f.ErrorText().empty());
  EXPECT_FALSE(f.IsOpen());
}

TEST(FileAccess, OnlyCreateModeCreatesAFile) {
  TestDir dir;
  CFile f;
  EXPECT_FALSE(f.Open(dir / "gone.gba", OpenMode::kReadWriteExisting));
  EXPECT_FALSE(f.ErrorText().empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.gba"));
  EXPECT_FALSE(f.Open(dir / "gone.gba", OpenMode::kReadExisting));
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.gba"));
  ASSERT_TRUE(f.Open(dir / "new.bin", OpenMode::kCreate)) << f.ErrorText();
  ASSERT_TRUE(f.Write("abc", 3));
  f.Close();
  EXPECT_EQ(dir.Read("new.bin"), "abc");
}

TEST(FileAccess, CreateEmptiesAnExistingFile) {
  TestDir dir;
  auto path = dir.Write("out.bin", "old contents");
  CFile f;
  ASSERT_TRUE(f.Open(path, OpenMode::kCreate));
  ASSERT_TRUE(f.Write("new", 3));
  f.Close();
  EXPECT_EQ(dir.Read("out.bin"), "new");
}

TEST(FileAccess, ExclusiveOpenBlocksASecondOpen) {
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
}

TEST(FileAccess, SharedReadersAdmitEachOtherButNoWriter) {
  TestDir dir;
  auto path = dir.Write("sheet.bmp", "BM..");
  CFile a, b, writer;
  ASSERT_TRUE(a.Open(path, OpenMode::kReadShared)) << a.ErrorText();
  EXPECT_TRUE(b.Open(path, OpenMode::kReadShared)) << b.ErrorText();
  EXPECT_FALSE(writer.Open(path, OpenMode::kReadWriteExisting));
}

TEST(FileAccess, OpenOrCreateKeepsWhatIsThere) {
  TestDir dir;
  auto path = dir.Write("out.bmp", "0123456789");
  CFile f;
  ASSERT_TRUE(f.Open(path, OpenMode::kReadWriteOrCreate));
  ASSERT_TRUE(f.Write("ab", 2));
  f.Close();
  EXPECT_EQ(dir.Read("out.bmp"), "ab23456789");
  ASSERT_TRUE(f.Open(dir / "new.bmp", OpenMode::kReadWriteOrCreate));
  f.Close();
  EXPECT_TRUE(std::filesystem::exists(dir / "new.bmp"));
}

TEST(FileAccess, TruncateCutsAndExtends) {
  TestDir dir;
  auto path = dir.Write("rom.gba", "0123456789");
  CFile f;
  ASSERT_TRUE(f.Open(path, OpenMode::kReadWriteExisting));
  ASSERT_TRUE(f.Truncate(4));
  uint64_t size = 0;
  ASSERT_TRUE(f.Size(size));
  EXPECT_EQ(size, 4u);
  ASSERT_TRUE(f.Truncate(6));
  f.Close();
  EXPECT_EQ(dir.Read("rom.gba"), std::string("0123\0\0", 6));
}

TEST(FileAccess, ReadOnlyOpenRefusesWrites) {
  TestDir dir;
  auto path = dir.Write("rom.gba", "data");
  CFile f;
  ASSERT_TRUE(f.Open(path, OpenMode::kReadExisting));
  EXPECT_FALSE(f.WriteAt(0, "x", 1));
  EXPECT_FALSE(f.ErrorText().empty());
  f.Close();
  EXPECT_EQ(dir.Read("rom.gba"), "data");
}

TEST(FileAccess, ReadWholeFile) {
  TestDir dir;
  std::string data, error;
  ASSERT_TRUE(platform::ReadWholeFile(dir.Write("a.bin", std::string("\0\1\2", 3)), data, error));
  EXPECT_EQ(data, std::string("\0\1\2", 3));
  EXPECT_FALSE(platform::ReadWholeFile(dir / "none", data, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
