#include "core/free_space.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bench/free_space_reference.h"
#include "platform/file.h"
#include "unit/test_dir.h"

namespace {

using Places = std::vector<uint32_t>;

std::string Free(size_t n) { return std::string(n, '\xFF'); }
std::string Used(size_t n) { return std::string(n, '\0'); }

// The block scan and the word-by-word scan on the same file, each with its messages.
struct Finders {
  TestDir dir;
  std::filesystem::path rom = dir / "rom.gba";
  CFinddummyspace finder;
  free_space_reference::CWordFinder words;
  std::vector<std::string> said, words_said;
  Finders() {
    finder.set_rom(rom);
    finder.set_report([this](const std::string& text) { said.push_back(text); });
    words.rom = rom;
    words.report = [this](const std::string& text) { words_said.push_back(text); };
  }
  // A new file each time: rewriting one in place makes some file systems flush it on close.
  void Write(const std::string& bytes) {
    std::filesystem::remove(rom);
    dir.Write("rom.gba", bytes);
  }
};

// True when every byte of [place, place + n) lies in a word read as 0xFFFFFFFF by a search of
// [start, end): the words begin at start + 4k before end and lie wholly inside the file.
bool InsideFreeWords(const std::string& rom, uint32_t start, uint32_t end, uint32_t place,
                     uint32_t n) {
  if (place < start) return false;
  for (uint64_t b = place; b < uint64_t(place) + n; ++b) {
    uint64_t word = start + (b - start) / 4 * 4;
    if (word >= end || word + 4 > rom.size()) return false;
    if (rom.compare(size_t(word), 4, Free(4)) != 0) return false;
  }
  return true;
}

struct SearchCase {
  const char* name;
  std::string rom;
  uint32_t start, end, n;
  uint64_t maximum;
  uint32_t found;  // Finddummyspace
  Places places;   // Finddummyspacelist
};

TEST(FreeSpaceSearch, EdgeCases) {
  const SearchCase cases[] = {
      // The list needs n + 4 bytes and skips the run's first word; the single search needs more.
      {"exactly n + 4 free bytes", Used(0x10) + Free(12) + Used(0x10), 0x10, 0x2C, 8, 10, 0,
       {0x14}},
      {"one word more", Used(0x10) + Free(16) + Used(0x10), 0x10, 0x30, 8, 10, 0x10, {0x14}},
      // From 0x11 the words are 0x11-0x1D free; rounding 0x15 up to 0x18 would put 8 bytes up to
      // 0x20, 3 bytes past the run.
      {"odd start: the rounding does not fit", Used(0x11) + Free(12) + Used(0x17), 0x11, 0x30, 8,
       10, 0, {}},
      {"odd start: the run holds the rounding", Used(0x11) + Free(16) + Used(0x13), 0x11, 0x31, 8,
       10, 0x14, {0x18}},
      {"odd start: every place of one run", Free(0x40), 0x03, 0x3C, 4, 10, 0x04,
       {0x08, 0x14, 0x20, 0x2C, 0x38}},
      // 0x10-0x30 free, one byte 0xFE at 0x30, 0x31-0x50 free: from 0x10 the word at 0x30 is used.
      {"cut run, both halves", Used(0x10) + Free(0x20) + "\xFE" + Free(0x1F) + Used(0x10), 0x10,
       0x60, 0x18, 10, 0x10, {0x14, 0x38}},
      {"cut run, first half only", Used(0x10) + Free(0x20) + "\xFE" + Free(0x1F) + Used(0x10),
       0x10, 0x60, 0x1C, 10, 0, {0x14}},
      {"cut run, too short either side", Used(0x10) + Free(0x20) + "\xFE" + Free(0x1F) + Used(0x10),
       0x10, 0x60, 0x38, 10, 0, {}},
      {"maximum reached", Used(0x10) + Free(0x40), 0x10, 0x50, 4, 3, 0x10, {0x14, 0x1C, 0x24}},
      // The maximum stops the list before it reads the missing part of a short file.
      {"maximum reached before the end of a short file", Used(0x10) + Free(0x40), 0x10, 0x1000, 4,
       3, 0x10, {0x14, 0x1C, 0x24}},
      {"maximum 0 asks for nothing", Used(0x10) + Free(0x40), 0x10, 0x50, 4, 0, 0x10, {}},
      {"range ends inside a run", Used(0x10) + Free(0x40) + Used(0x10), 0x10, 0x20, 16, 10, 0, {}},
      // The last word read begins before the end and may reach past it.
      {"last word reaches past the end", Used(0x10) + Free(0x40) + Used(0x10), 0x10, 0x21, 16, 10,
       0, {0x14}},
      {"empty range", Free(0x40), 0x20, 0x20, 0, 10, 0, {}},
      {"inverted range", Free(0x40), 0x30, 0x10, 0, 10, 0, {}},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    Finders f;
    f.Write(c.rom);
    Places places{0xDEAD}, word_places;
    EXPECT_EQ(f.finder.Finddummyspace(c.start, c.end, c.n), c.found);
    EXPECT_TRUE(f.finder.Finddummyspacelist(c.start, c.end, c.n, places, c.maximum));
    EXPECT_EQ(places, c.places);
    EXPECT_TRUE(f.said.empty());
    // The oracle of the differential test below answers the same.
    EXPECT_EQ(f.words.Finddummyspace(c.start, c.end, c.n), c.found);
    EXPECT_TRUE(f.words.Finddummyspacelist(c.start, c.end, c.n, word_places, c.maximum));
    EXPECT_EQ(word_places, c.places);
    EXPECT_EQ(f.dir.Read("rom.gba"), c.rom);
  }
}

TEST(FreeSpaceSearch, FileShorterThanTheRangeFailsWhereTheReadFails) {
  Finders f;
  f.Write(Used(0x10) + Free(0x12));  // the word at 0x20 is cut by the end of the file
  const std::string find_failed = "15CFinddummyspace::CFinddummyspace 読み込みに失敗しました。";
  const std::string list_failed = "15CFinddummyspace::Finddummyspacelist 読み込みに失敗しました。";
  Places places;
  EXPECT_EQ(f.finder.Finddummyspace(0x10, 0x40, 0x10), 0u);
  EXPECT_FALSE(f.finder.Finddummyspacelist(0x10, 0x40, 4, places, 10));
  EXPECT_TRUE(places.empty());  // the places before the failure are not handed out
  EXPECT_EQ(f.finder.Finddummyspace(0x40, 0x80, 0), 0u);  // the range starts past the end
  EXPECT_EQ(f.said, (std::vector<std::string>{find_failed, list_failed, find_failed}));
  // A hit before the missing part is found without a read of it.
  f.said.clear();
  EXPECT_EQ(f.finder.Finddummyspace(0x10, 0x40, 4), 0x10u);
  EXPECT_TRUE(f.said.empty());
}

TEST(FreeSpaceSearch, MissingFileIsReportedAndNotCreated) {
  Finders f;
  platform::CFile probe;
  ASSERT_FALSE(probe.Open(f.rom, platform::OpenMode::kReadExisting));
  const std::string error = probe.ErrorText();
  Places places;
  EXPECT_EQ(f.finder.Finddummyspace(0, 0x100, 4), 0u);
  EXPECT_FALSE(f.finder.Finddummyspacelist(0, 0x100, 4, places, 10));
  EXPECT_EQ(f.finder.Finddummyspaceadd(), 0u);
  EXPECT_EQ(f.said, (std::vector<std::string>{
                        "15CFinddummyspace::CFinddummyspace を実行中にエラーが発生しました。" + error,
                        "15CFinddummyspace::Finddummyspacelist を実行中にエラーが発生しました。" + error,
                        "15CFinddummyspace::Finddummyspaceadd を実行中にエラーが発生しました。" + error}));
  EXPECT_FALSE(std::filesystem::exists(f.rom));
}

TEST(FreeSpaceAppend, PadsWithFFToAMultipleOfFour) {
  for (size_t size = 0x20; size < 0x24; ++size) {
    SCOPED_TRACE(size);
    Finders f;
    std::string rom;
    for (size_t i = 0; i < size; ++i) rom += char(i);
    f.Write(rom);
    EXPECT_EQ(f.finder.Finddummyspaceadd(), 0x24u - (size == 0x20 ? 4 : 0));
    EXPECT_EQ(f.dir.Read("rom.gba"), size == 0x20 ? rom : rom + Free(0x24 - size));
    EXPECT_TRUE(f.said.empty());
  }
}

struct RegionCase {
  const char* name;
  const char* section;  // the BPRJ section's lines
  FreeRegion regions[3];
};

TEST(FreeSpaceRegions, ReadFromTheGameProfile) {
  const RegionCase cases[] = {
      {"hexadecimal, decimal and octal",
       "domain1=0x71A000\r\ndomain1end=0x72A000\r\ndomain2=7500000\r\ndomain2end=7600000\r\n"
       "domain3=010\r\ndomain3end=0x10\r\n",
       {{0x71A000, 0x10000}, {7500000, 100000}, {8, 8}}},
      {"a missing start skips the region",
       "domain2=4096\r\ndomain2end=8192\r\ndomain3=0x3000\r\ndomain3end=0x3100\r\n",
       {{}, {4096, 4096}, {0x3000, 0x100}}},
      {"a missing end key ends the reading",
       "domain1=4096\r\ndomain1end=8192\r\ndomain2=0x3000\r\n"
       "domain3=0x5000\r\ndomain3end=0x6000\r\n",
       {{4096, 4096}, {}, {}}},
      {"an end not above its start",
       "domain1=4096\r\ndomain1end=4096\r\ndomain2=8192\r\ndomain2end=4096\r\n"
       "domain3=0x3000\r\ndomain3end=0x3100\r\n",
       {{}, {}, {0x3000, 0x100}}},
      {"a start of 0 is absent", "domain1=0\r\ndomain1end=0x100\r\n", {{}, {}, {}}},
      {"an end beyond 32 bits saturates", "domain1=0xFFFFFF00\r\ndomain1end=0x100000000\r\n",
       {{0xFFFFFF00, 0xFF}, {}, {}}},
  };
  for (const RegionCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestDir dir;
    auto ini = dir.Write("Setting.ini", std::string("[BPRJ]\r\n") + c.section + "[BPEJ]\r\n");
    CFinddummyspace finder;
    finder.SetRegion(0, {0x100, 0x100});  // left over from the previous ROM
    finder.ReadRegions(ini, "BPRJ");
    for (int i = 0; i < 3; ++i) {
      uint32_t start = 0xBAD, length = 0xBAD;
      bool present = finder.GetRegion(i, start, length);
      EXPECT_EQ(present, c.regions[i].start != 0) << i;
      if (present) {
        EXPECT_EQ(start, c.regions[i].start) << i;
        EXPECT_EQ(length, c.regions[i].length) << i;
      }
    }
    finder.ReadRegions(ini, "BPEJ");  // an empty section clears every region
    uint32_t start, length;
    for (int i = -1; i <= 3; ++i) EXPECT_FALSE(finder.GetRegion(i, start, length)) << i;
  }
}

// The block scan against the word-by-word scan on many small random files, with blocks so small
// that runs, hits and the end of the file fall across block boundaries.
TEST(FreeSpaceSearch, BlockScanAgreesWithWordByWordScan) {
  std::mt19937 rng(20261207);
  auto below = [&](uint32_t n) { return n == 0 ? 0u : uint32_t(rng() % n); };
  Finders f;
  for (int round = 0; round < 3000; ++round) {
    SCOPED_TRACE(round);
    f.said.clear();
    f.words_said.clear();
    std::string rom = Free(below(90));
    for (uint32_t cuts = below(4); cuts > 0 && !rom.empty(); --cuts)
      rom[below(uint32_t(rom.size()))] = char(below(0xFF));
    f.Write(rom);
    f.finder.set_block_size(4 * (1 + below(8)));
    const uint32_t size = uint32_t(rom.size());
    const uint32_t start = below(size + 8);
    const uint32_t end = below(10) == 0 ? below(size + 12) : start + below(size + 12);
    const uint32_t n = below(28);
    const uint64_t maximum = below(4) == 0 ? UINT64_MAX : below(5);

    uint32_t found = f.finder.Finddummyspace(start, end, n);
    ASSERT_EQ(found, f.words.Finddummyspace(start, end, n));
    if (found) {
      ASSERT_TRUE(InsideFreeWords(rom, start, end, found, n)) << found;
    }

    Places places, word_places;
    bool ok = f.finder.Finddummyspacelist(start, end, n, places, maximum);
    ASSERT_EQ(ok, f.words.Finddummyspacelist(start, end, n, word_places, maximum));
    ASSERT_EQ(places, word_places);
    for (uint32_t place : places) {
      ASSERT_TRUE(InsideFreeWords(rom, start, end, place, n)) << place;
    }
    ASSERT_EQ(f.said, f.words_said);

    if (round % 8 == 0) {
      uint32_t end_offset = f.finder.Finddummyspaceadd();
      std::string padded = f.dir.Read("rom.gba");
      f.Write(rom);
      ASSERT_EQ(end_offset, f.words.Finddummyspaceadd());
      ASSERT_EQ(padded, f.dir.Read("rom.gba"));
    }
  }
}

}  // namespace
