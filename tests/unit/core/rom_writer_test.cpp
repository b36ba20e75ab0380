// The one ROM writer: what it refuses, how a failed change is undone whatever step fails, undo
// and redo of a finished change, and the backup before a run's first write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rom_backup.h"
#include "core/rom_writer.h"
#include "platform/error_text.h"
#include "platform/file.h"
#include "unit/io_sweep.h"
#include "unit/test_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

// A change in several steps, as the pages make them: data into the file, an append after a pad,
// and the pointer last.
bool DataAppendPointer(const fs::path& rom, std::string* error = nullptr) {
  CRomChange change(rom);
  bool ok = change.Open() && change.Write(2, Bytes("DATA")) && change.PadTo(4) && change.Append(Bytes("TAIL")) &&
            change.Write(0, Bytes("P")) && change.Commit();
  if (error) *error = change.error();
  return ok;
}

TEST(RomWriter, RefusesEverythingOutsideTheFileAndUndoesTheStepsBefore) {
  TestDir dir;
  const std::string original = "0123456789";
  const fs::path rom = dir.Write("rom.gba", original);
  struct Case {
    const char* name;
    bool (*step)(CRomChange&);
    const char* error;
  };
  const Case cases[] = {
      {"negative offset", [](CRomChange& c) { return c.Write(-1, Bytes("x")); }, kWriteOutsideRomText},
      {"past the end", [](CRomChange& c) { return c.Write(13, Bytes("x")); }, kWriteOutsideRomText},
      {"end past the end", [](CRomChange& c) { return c.Write(10, Bytes("xyz")); }, kWriteOutsideRomText},
      {"offset beyond 2^63", [](CRomChange& c) { return c.Write(int64_t(UINT64_MAX), Bytes("x")); },
       kWriteOutsideRomText},
      {"read past the end", [](CRomChange& c) { char b[4]; return c.Read(10, b, 4); }, kWriteOutsideRomText},
      {"cut that grows", [](CRomChange& c) { return c.Cut(13); }, kWriteOutsideRomText},
      {"beyond the cartridge",
       [](CRomChange& c) { return c.Append(std::vector<uint8_t>(size_t(kCartridgeBytes - 9), 0)); },
       kCartridgeFullText},
      {"a write after the cut", [](CRomChange& c) { return c.Cut(5) && c.Write(0, Bytes("x")); },
       platform::kNotOpenText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CRomChange change(rom);
    ASSERT_TRUE(change.Open());
    // Steps that succeed (the file is 12 bytes then), then the refused one: all are gone afterwards.
    ASSERT_TRUE(change.Write(0, Bytes("AB")) && change.Append(Bytes("++")));
    EXPECT_FALSE(c.step(change));
    EXPECT_EQ(change.error(), c.error);
    EXPECT_FALSE(change.Write(0, Bytes("C"))) << "a failed change takes no further steps";
    EXPECT_FALSE(change.Commit());
    EXPECT_EQ(dir.Read("rom.gba"), original);
  }
  CRomChange missing(dir / "missing.gba");
  EXPECT_FALSE(missing.Open());
  EXPECT_FALSE(fs::exists(dir / "missing.gba")) << "a ROM is never created";
  CRomChange unopened(rom), twice(rom);
  EXPECT_FALSE(unopened.Commit()) << "nothing opened, nothing committed";
  EXPECT_TRUE(twice.Open() && twice.Commit());
  EXPECT_FALSE(twice.Commit()) << "a change is committed once";
}

TEST(RomWriter, AChangeFailingAtAnyStepLeavesTheFileAsItWas) {
  TestDir dir;
  const std::string original = "0123456789";  // 10 bytes: the append is padded to 12 first
  const fs::path rom = dir.Write("rom.gba", original);
  std::string error;
  const int points = SweepFileFailures(
      [&] { return [&] { return SweepRun{DataAppendPointer(rom, &error), error}; }; },
      [&](int n, const SweepRun& run) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(run.message, platform::InjectedFailureText());
        EXPECT_EQ(dir.Read("rom.gba"), original);
      });
  EXPECT_GE(points, 6);
  EXPECT_EQ(dir.Read("rom.gba"), std::string("P1DATA6789\xFF\xFFTAIL"));
}

TEST(RomWriter, RewriteUndoAndRedoRestoreEachStateExactly) {
  TestDir dir;
  const fs::path rom = dir.Write("rom.gba", "abcdefghij");
  RomChangeRecord last;
  SetRomChangeObserver([&](const RomChangeRecord& r) { last = r; });
  struct Case {
    std::string target;
    size_t pieces;  // differing runs, and the append or the cut
  };
  for (const Case& c : {Case{"aXcdefgYYj", 2}, Case{"aXcdefgYYjKLM", 3}, Case{"ab", 1}, Case{"aXcd", 2}}) {
    SCOPED_TRACE(c.target);
    const std::string before = dir.Read("rom.gba");
    CRomChange change(rom);
    ASSERT_TRUE(change.Open() && change.Rewrite(Bytes(c.target)) && change.Commit()) << change.error();
    EXPECT_EQ(dir.Read("rom.gba"), c.target);
    EXPECT_EQ(last.pieces.size(), c.pieces);
    std::string error;
    ASSERT_TRUE(RevertRomChange(last, true, error)) << error;
    EXPECT_EQ(dir.Read("rom.gba"), before);
    ASSERT_TRUE(RevertRomChange(last, false, error)) << error;
    EXPECT_EQ(dir.Read("rom.gba"), c.target);
    ASSERT_TRUE(RevertRomChange(last, true, error)) << error;
  }
  // The file changed on disk since: undo and redo refuse and leave it alone.
  CRomChange change(rom);
  ASSERT_TRUE(change.Open() && change.Write(1, Bytes("ZZ")) && change.Append(Bytes("!")) && change.Commit());
  dir.Write("rom.gba", "aZQdefghij!");
  std::string error;
  EXPECT_FALSE(RevertRomChange(last, true, error));
  EXPECT_EQ(error, kRomChangedText);
  EXPECT_EQ(dir.Read("rom.gba"), "aZQdefghij!");
  dir.Write("rom.gba", "abcdefghij+");
  EXPECT_FALSE(RevertRomChange(last, false, error)) << "redo on a file that grew";
  dir.Write("rom.gba", "aQcdefghij");
  EXPECT_FALSE(RevertRomChange(last, false, error));
  EXPECT_EQ(dir.Read("rom.gba"), "aQcdefghij");
  SetRomChangeObserver(nullptr);
}

class RomBackupTest : public testing::Test {
 protected:
  void SetUp() override {
    RomBackup().set_enabled(true);
    RomBackup().Forget();
    RomBackup().set_clock([this] { return now_; });
  }
  void TearDown() override {
    RomBackup().set_enabled(false);
    RomBackup().set_clock(nullptr);
    RomBackup().Forget();
  }
  std::time_t now_ = 1'800'000'000;
};

TEST_F(RomBackupTest, TheFirstWriteOfARunCopiesTheRomAndTheNewestTenStay) {
  TestDir dir;
  const fs::path rom = dir.Write("hack.gba", "0123456789");
  fs::create_directory(dir / "backup");
  dir.Write("backup/hack-notes.gba", "mine");       // the user's own files stay
  dir.Write("backup/hack-19990101-000000.txt", "mine");
  for (int run = 0; run < 12; ++run) {
    RomBackup().Forget();  // a new run of the program
    now_ += run == 5 ? 0 : 60;  // two runs in one minute's second: the name gets "-2"
    ASSERT_TRUE(DataAppendPointer(rom));
    ASSERT_TRUE(DataAppendPointer(rom)) << "the second write of a run makes no copy";
  }
  const std::vector<fs::path> kept = CRomBackup::List(rom);
  ASSERT_EQ(kept.size(), CRomBackup::kKept);
  EXPECT_EQ(kept.back().filename().string().size(), std::string("hack-20270115-000000.gba").size());
  EXPECT_TRUE(fs::exists(dir / "backup/hack-notes.gba"));
  EXPECT_TRUE(fs::exists(dir / "backup/hack-19990101-000000.txt"));
  // Each copy holds the ROM as it was before that run's first write: the last one the state
  // after eleven runs.
  std::string eleven;
  ASSERT_TRUE([&] {
    std::string error;
    return platform::ReadWholeFile(kept.back(), eleven, error);
  }());
  EXPECT_EQ(eleven.size(), dir.Read("hack.gba").size() - 2 * 4);
  int suffixed = 0;
  for (const fs::path& p : kept) suffixed += p.filename().string().ends_with("-2.gba");
  EXPECT_EQ(suffixed, 1);
  // Two-digit counters come after one-digit ones.
  dir.Write("backup/hack-20990101-000000-12.gba", "");
  dir.Write("backup/hack-20990101-000000-9.gba", "");
  EXPECT_EQ(CRomBackup::List(rom).back().filename(), "hack-20990101-000000-12.gba");
}

TEST_F(RomBackupTest, AFailedCopyStopsTheWrite) {
  TestDir dir;
  const fs::path rom = dir.Write("hack.gba", "0123456789");
  dir.Write("backup", "a file where the folder would go");
  std::string error;
  EXPECT_FALSE(DataAppendPointer(rom, &error));
  EXPECT_TRUE(error.starts_with(kBackupFailedText)) << error;
  EXPECT_EQ(dir.Read("hack.gba"), "0123456789");
}

}  // namespace
