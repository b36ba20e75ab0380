// The text editor's rules: where a load stops, what a save writes, and the document list.
#include "editors/text/text_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/vantari_text.h"
#include "unit/test_dir.h"

namespace {

using namespace text_editor;
using Bytes = std::vector<uint8_t>;

Bytes Codes(const std::string& shown) {
  Bytes out;
  text::VantariText().string2binary(shown, out);
  return out;
}

// A ROM of `size` bytes of 0x11 with `text` at `at`.
std::string RomWith(size_t size, size_t at, const Bytes& text) {
  std::string rom(size, '\x11');
  rom.replace(at, text.size(), std::string(text.begin(), text.end()));
  return rom;
}

TEST(TextLoad, StopsAtTerminatorCapOrEndAndRefusesOutside) {
  const Bytes hello = {0xBB, 0xBC, 0xFE, 0xBD, 0xFA, 0x00, 0xFF};
  struct Case {
    const char* what;
    size_t size, at;
    Bytes text;
    uint64_t offset;
    bool ok;
    int permitted;
  } cases[] = {
      {"terminator", 0x100, 0x40, hello, 0x40, true, 7},
      {"no terminator: 16 384 bytes", 0x8000, 0x10, {}, 0x10, true, kMaxTextBytes},
      {"no terminator up to the end", 0x100, 0xF0, {}, 0xF0, true, 0x10},
      {"last byte", 0x100, 0xFF, {0xFF}, 0xFF, true, 1},
      {"at the end of the file", 0x100, 0, {}, 0x100, false, 0},
      {"a GBA address", 0x100, 0, {}, 0x08000040, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestDir dir;
    auto rom = dir.Write("rom.gba", RomWith(c.size, c.at, c.text));
    LoadedText out{"old", 99};
    std::string error;
    ASSERT_EQ(LoadText(rom, c.offset, out, error), c.ok) << error;
    if (!c.ok) {
      EXPECT_EQ(error, kOutsideRom);
      EXPECT_EQ(out.text, "old");  // the document keeps what it had
      continue;
    }
    EXPECT_EQ(out.permitted, c.permitted);
    // The shown text stores back to exactly the bytes read.
    std::string bytes = dir.Read("rom.gba").substr(c.at, size_t(c.permitted));
    Bytes stored = Codes(out.text);
    if (bytes.back() != '\xFF') stored.pop_back();  // a text cut short gets no terminator of its own
    EXPECT_EQ(std::string(stored.begin(), stored.end()), bytes);
  }
}

TEST(TextLoad, MissingRomGivesTheSystemText) {
  TestDir dir;
  LoadedText out;
  std::string error;
  EXPECT_FALSE(LoadText(dir / "gone.gba", 0, out, error));
  EXPECT_FALSE(error.empty());
}

// Only a hexadecimal number is an offset: the untouched prompt ("16進数…", which strtol would
// read as 0x16), a sign or nothing are none, so Load and Save touch nothing.
TEST(TextLoad, OffsetTypedWithOrWithoutPrefix) {
  EXPECT_EQ(ParseOffset("1a2B"), 0x1A2Bu);
  EXPECT_EQ(ParseOffset(" 0x1A2B "), 0x1A2Bu);
  EXPECT_EQ(ParseOffset("000000000000001F"), 0u);  // only 14 characters are read
  for (const char* none : {"アドレス", "16進数で台詞のアドレスを入力してください", "-40", "", "0x", "12 34"})
    EXPECT_FALSE(ParseOffset(none).has_value()) << none;
}

TEST(TextSave, CutsToThePermittedCountOrWritesAll) {
  const std::string shown = "アイウエオカ";
  const Bytes all = Codes(shown);  // six codes and the terminator
  Document loaded{1, 1, 4, 0x40};
  struct Case {
    const char* what;
    Document doc;
    uint64_t offset;
    std::string text;
    bool overwrite;
    Bytes expected;
  } cases[] = {
      {"longer: cut, 0xFF last", loaded, 0x40, shown, false, {all[0], all[1], all[2], 0xFF}},
      {"shorter: as it is", loaded, 0x40, "アイ", false, Codes("アイ")},
      {"overwrite: everything", loaded, 0x40, shown, true, all},
      {"overwrite elsewhere: everything", loaded, 0x80, shown, true, all},
      {"never loaded: everything", Document{1, 1, 0, 0}, 0x80, shown, false, all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes;
    std::string error;
    ASSERT_TRUE(PrepareSave(c.doc, c.offset, c.text, c.overwrite, bytes, error)) << error;
    EXPECT_EQ(bytes, c.expected);
  }
}

TEST(TextSave, RefusesEmptyTextAndAnotherOffset) {
  Bytes bytes;
  std::string error;
  EXPECT_FALSE(PrepareSave(Document{1, 1, 4, 0x40}, 0x40, "", false, bytes, error));
  EXPECT_EQ(error, kEmptyText);
  EXPECT_FALSE(PrepareSave(Document{1, 1, 0, 0}, 0x40, "", true, bytes, error));
  EXPECT_EQ(error, kEmptyText);
  EXPECT_FALSE(PrepareSave(Document{1, 1, 4, 0x40}, 0x44, "アイ", false, bytes, error));
  EXPECT_EQ(error, kLoadFirst);
  EXPECT_TRUE(bytes.empty());
}

TEST(TextSave, WritesIntoTheRomLeavingTheOldTail) {
  TestDir dir;
  const Bytes old = Codes("アイウエオカ");
  auto rom = dir.Write("rom.gba", RomWith(0x100, 0x40, old));
  LoadedText loaded;
  std::string error;
  ASSERT_TRUE(LoadText(rom, 0x40, loaded, error));
  Document doc{1, 1, loaded.permitted, 0x40};
  Bytes bytes;
  ASSERT_TRUE(PrepareSave(doc, 0x40, "カキ", false, bytes, error));
  ASSERT_TRUE(WriteText(rom, 0x40, bytes, error)) << error;
  std::string expected = RomWith(0x100, 0x40, old);
  expected.replace(0x40, bytes.size(), std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(dir.Read("rom.gba"), expected);
  EXPECT_EQ(expected.substr(0x43, 4), std::string(old.begin() + 3, old.end()));

}

TEST(TextDocuments, NumbersKeepIncreasingAndTitlesFollowTheLoad) {
  CDocumentList docs;
  EXPECT_EQ(docs.Add(10).number, 1);
  EXPECT_EQ(docs.Add(20).number, 2);
  docs.Add(30);
  docs.Remove(20);
  ASSERT_EQ(docs.documents().size(), 2u);
  EXPECT_EQ(docs.documents()[1].window, 30u);  // later records move up
  EXPECT_EQ(docs.NextNumber(), 4);
  EXPECT_EQ(docs.Add(40).number, 4);
  EXPECT_EQ(docs.Find(20), nullptr);
  EXPECT_FALSE(docs.Loaded(20, 0x40, 7));
  ASSERT_TRUE(docs.Loaded(30, 0x1A2B, 7));
  EXPECT_EQ(NewTitle(4), "Vantari Text Editor DocNo:4 [新規]");
  EXPECT_EQ(LoadedTitle(*docs.Find(30), 0x1A2B), "Vantari Text Editor DocNo:3 [0x1A2B] 書き込み許可バイト数:7");
}

}  // namespace
