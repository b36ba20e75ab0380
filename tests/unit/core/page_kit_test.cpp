// The page kit: typed values, record access, table reads, and every real page's rules driven
// through the tab system on the demo ROMs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/free_space.h"
#include "core/page_adapter.h"
#include "core/rom_address.h"
#include "core/table_io.h"
#include "core/typed_fields.h"
#include "demo/workspace.h"
#include "editors/page_list.h"
#include "text/shared_tables.h"
#include "unit/test_dir.h"

namespace {

TEST(TypedFields, ValuesOutsideTheirFieldAreClampedAndSaidSo) {
  struct Case {
    const char* text;
    int64_t min, max, value;
    bool replaced;
  };
  const Case cases[] = {
      {"1200", 0, 0xFFFF, 1200, false},   {"65535", 0, 0xFFFF, 65535, false},
      {"65536", 0, 0xFFFF, 65535, true},  {"70000", 0, 0xFFFF, 65535, true},
      {"0", 0, 0xFF, 0, false},           {"-1", 0, 0xFF, 0, true},
      {" 12 ", 0, 0xFF, 12, false},       {"+7", 0, 0xFF, 7, false},
      {"", 0, 0xFF, 0, true},             {"abc", 0, 0xFF, 0, true},
      {"12abc", 0, 0xFF, 12, true},       {"99999999999999999999999", 0, 0xFF, 255, true},
      {"-99999999999999999999", -10, 10, -10, true}, {"", 5, 10, 5, true},
      {"-128", -128, 127, -128, false},   {"128", -128, 127, 127, true},
  };
  for (const Case& c : cases) {
    CTypedFields fields;
    EXPECT_EQ(fields.Number(c.text, c.min, c.max), c.value) << '"' << c.text << '"';
    EXPECT_EQ(fields.replaced(), c.replaced) << '"' << c.text << '"';
    EXPECT_STREQ(fields.Status(), c.replaced ? kStatusReplaced : kStatusDone);
  }
}

TEST(TypedFields, AListWithoutAValidSelectionKeepsItsByte) {
  CTypedFields fields;
  EXPECT_EQ(fields.Selection(2, 3, 0x7F), 2);
  EXPECT_EQ(fields.Selection(0, 3, 0x7F), 0);
  EXPECT_EQ(fields.Selection(-1, 3, 0x7F), 0x7F);
  EXPECT_EQ(fields.Selection(3, 3, 0x7F), 0x7F);
  EXPECT_FALSE(fields.replaced()) << "no selection is no typed value";
}

TEST(RecordAccess, LittleEndianValuesAndPointersInsideTheFile) {
  uint8_t bytes[4] = {};
  rom::Put32(bytes, 0x083E1A2C);
  EXPECT_EQ(bytes[0], 0x2C);
  EXPECT_EQ(bytes[3], 0x08);
  EXPECT_EQ(rom::Get32(bytes), 0x083E1A2Cu);
  rom::Put16(bytes, 0xBEEF);
  EXPECT_EQ(rom::Get16(bytes), 0xBEEF);
  EXPECT_EQ(rom::OffsetToPointer(0x100), 0x08000100u);
  EXPECT_EQ(rom::PointerToOffset(0x08000100, 0x101), 0x100u);
  EXPECT_FALSE(rom::PointerToOffset(0x08000101, 0x101)) << "one past the end";
  EXPECT_FALSE(rom::PointerToOffset(0x07FFFFFF, 0x1000000));
  EXPECT_FALSE(rom::PointerToOffset(0xFFFFFFFF, 0x1000000));
}

TEST(TableReads, TablesOutsideTheFileAreRefusedBeforeAnythingIsAllocated) {
  TestDir dir;
  auto path = dir.Write("rom.gba", std::string(100, '\x33'));
  platform::CFile rom;
  ASSERT_TRUE(rom.Open(path, platform::OpenMode::kReadExisting));
  struct Case {
    TableSpan span;
    bool ok;
  };
  const Case cases[] = {
      {{0, 100, 1}, true},        {{60, 1, 40}, true},         {{61, 1, 40}, false},
      {{64, 4, 40}, false},       {{0, 2147483647, 40}, false}, {{100, 1, 1}, false},
      {{0, int64_t(1) << 62, 40}, false}, {{int64_t(1) << 40, 1, 1}, false},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> table{1, 2, 3};
    std::string error;
    EXPECT_EQ(ReadTable(rom, c.span, table, error), c.ok) << c.span.offset << " " << c.span.count;
    if (c.ok) {
      EXPECT_EQ(table.size(), c.span.bytes());
    } else {
      EXPECT_TRUE(table.empty());
      EXPECT_EQ(error, kTableOutsideRomText);
    }
  }
  std::vector<uint8_t> table;
  std::string error;
  EXPECT_FALSE(AllocateRecords(table, 2147483647, 8, 100, error));
  EXPECT_TRUE(table.empty());
  EXPECT_TRUE(AllocateRecords(table, 12, 8, 100, error));
  EXPECT_EQ(table.size(), 96u);
}

// Every page's rules behind the plain adapter, on the demo workspace.
class RealPages : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    workspace = new TestDir;
    std::string error;
    demo::WorkspaceOptions options;
    options.rom_size = demo::kMinimumRomSize;
    ASSERT_TRUE(demo::WriteWorkspace(workspace->path(), options, error)) << error;
  }
  static void TearDownTestSuite() {
    delete workspace;
    workspace = nullptr;
  }
  void SetUp() override {
    text::SharedTables().Reset();
    TabSystem().ShutDown();
    TabSystem().set_status(&sink);
    TabSystem().set_startup_dir(workspace->path());
    AddPages<CPageAdapter>(TabSystem());
  }
  void TearDown() override {
    TabSystem().ShutDown();
    TabSystem().set_status(nullptr);
    text::SharedTables().Reset();
  }
  // The rules of the page at `tab`.
  template <class R>
  static R& Rules(int tab) {
    return dynamic_cast<CPageAdapter<R>&>(*TabSystem().page(size_t(tab))).rules();
  }
  static std::filesystem::path Rom(const std::string& code) {
    for (const auto& entry : std::filesystem::directory_iterator(workspace->path()))
      if (entry.path().extension() == ".gba" && entry.path().filename().string().find(code) != std::string::npos)
        return entry.path();
    return {};
  }
  std::filesystem::path CopyOfRom(const TestDir& dir, const std::string& code) {
    auto copy = dir / "rom.gba";
    std::filesystem::copy_file(Rom(code), copy);
    return copy;
  }

  struct Sink : IStatusSink {
    std::string text;
    void SetText(const std::string& t) override { text = t; }
    void SetProgress(int) override {}
    void EnableSave(bool) override {}
  } sink;
  static TestDir* workspace;
};
TestDir* RealPages::workspace = nullptr;

TEST_F(RealPages, LoadThenSaveGivesTheSameRomOnEveryGame) {
  for (const char* code : {"AXVJ", "AXPJ", "BPEJ", "BPRJ", "BPGJ"}) {
    TestDir dir;
    auto rom = CopyOfRom(dir, code);
    std::string before = dir.Read("rom.gba");
    ASSERT_EQ(TabSystem().DataRead(rom), 1) << code << ": " << sink.text;
    EXPECT_GT(text::SharedTables().items.count(), 300) << code;
    EXPECT_TRUE(text::SharedTables().species.loaded()) << code << ": every page lists the names read";
    uint32_t start = 0, length = 0;
    EXPECT_TRUE(FreeSpace().GetRegion(0, start, length)) << code << ": a load reads the free-space regions";
    EXPECT_EQ(FreeSpace().rom(), rom);
    EXPECT_EQ(Rules<CTypeChartRules>(5).count(), 111) << code;
    EXPECT_TRUE(Rules<CEggMoveRules>(1).loaded()) << code;
    EXPECT_GE(Rules<CTradeRules>(8).count(), 3) << code;
    ASSERT_EQ(TabSystem().DataWrite(rom), 1) << code << ": " << sink.text;
    EXPECT_EQ(dir.Read("rom.gba"), before) << code;
    TabSystem().Unload();
  }
}

TEST_F(RealPages, CountsThatDoNotFitTheRomAreRefusedWithThePagesMessage) {
  CWindowBase* items = TabSystem().page(4);
  ASSERT_NE(items, nullptr);
  const std::string message =
      std::string(RunTimeName(*items)) + "::DataRead を実行中にエラーが発生しました。" + kTableOutsideRomText;
  uint64_t size = std::filesystem::file_size(Rom("BPRJ"));
  for (std::string keys : {std::string("Item_Data=0\r\nItem_DataNum=2147483647\r\n"),
                           "Item_Data=" + std::to_string(size - 40) + "\r\nItem_DataNum=2\r\n",
                           "Item_Data=" + std::to_string(size) + "\r\nItem_DataNum=1\r\n"}) {
    TestDir dir;
    auto rom = CopyOfRom(dir, "BPRJ");
    dir.Write("Setting.ini", "[BPRJ]\r\n" + keys);
    TabSystem().set_startup_dir(dir.path());
    std::string before = dir.Read("rom.gba");
    EXPECT_EQ(TabSystem().DataRead(rom), 0) << keys;
    EXPECT_EQ(sink.text, message) << keys;
    EXPECT_EQ(text::SharedTables().items.bytes().capacity(), 0u) << "nothing allocated: " << keys;
    EXPECT_FALSE(text::SharedTables().items.loaded());
    TabSystem().Unload();
    EXPECT_EQ(dir.Read("rom.gba"), before);
  }
}

}  // namespace
