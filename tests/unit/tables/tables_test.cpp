// Tables out and back in: every table of every demo game survives a round trip byte for byte,
// an edited table changes exactly its fields, lists that grow move to free space, and a bad
// file changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ini.h"
#include "demo/games.h"
#include "demo/workspace.h"
#include "editors/monster/monster_layout.h"
#include "platform/file.h"
#include "tables/session.h"
#include "tables/tables.h"
#include "unit/demo_workspace.h"
#include "unit/test_dir.h"

namespace {

namespace M = monster_layout;
using tables::TextFormat;


std::filesystem::path DemoRom(const std::string& code) {
  for (const auto& entry : std::filesystem::directory_iterator(AllGamesWorkspace()))
    if (entry.path().filename().string().find(code) != std::string::npos && entry.path().extension() == ".gba")
      return entry.path();
  return {};
}

std::string Read(const std::filesystem::path& path) {
  std::vector<uint8_t> bytes;
  std::string error;
  tables::ReadRom(path, bytes, error);
  return std::string(bytes.begin(), bytes.end());
}

// A ROM of the demo workspace copied beside its Setting.ini, for one test to change.
struct Rom {
  explicit Rom(const std::string& code) : path(AllGamesWorkspace() / ("work_" + code + ".gba")) {
    std::filesystem::copy_file(DemoRom(code), path, std::filesystem::copy_options::overwrite_existing);
  }
  ~Rom() { std::filesystem::remove(path); }
  tables::TableSource Source() const {
    tables::CRomPages pages;
    std::string error;
    EXPECT_TRUE(pages.Load(path, AllGamesWorkspace() / "Setting.ini", error)) << error;
    EXPECT_TRUE(pages.warnings().empty());
    return pages.Source();
  }
  std::string Export(const std::string& table, TextFormat format = TextFormat::kCsv) const {
    std::string out, error;
    EXPECT_TRUE(tables::ExportTable(Source(), table, format, out, error)) << error;
    return out;
  }
  tables::ImportResult Import(const std::string& table, const std::string& text, TextFormat format = TextFormat::kCsv,
                              bool dry_run = false, tables::Space space = tables::Space::kProfile) const {
    tables::TableSource source = Source();
    tables::ImportOptions options;
    options.rom = path;
    options.dry_run = dry_run;
    options.space = space;
    return tables::ImportTable(source, table, format, text, options);
  }
  std::filesystem::path path;
};

long Setting(const char* code, const char* key) {
  CINI ini;
  int value = -1;
  ini.GetInt(AllGamesWorkspace() / "Setting.ini", code, key, value);
  return value;
}

// UTF-8 text in a source whose narrow literals are Shift-JIS.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Reasons(const tables::ImportResult& result) {
  std::string all = result.error;
  for (const std::string& line : tables::ProblemLines("in", result.problems)) all += line + "\n";
  return all;
}

// Replaces line `line` (0: the header) of a CSV text.
std::string WithLine(const std::string& csv, size_t line, const std::string& text) {
  size_t start = 0;
  for (size_t i = 0; i < line; ++i) start = csv.find("\r\n", start) + 2;
  const size_t end = csv.find("\r\n", start);
  return csv.substr(0, start) + text + csv.substr(end);
}

std::string LineOf(const std::string& csv, size_t line) {
  size_t start = 0;
  for (size_t i = 0; i < line; ++i) start = csv.find("\r\n", start) + 2;
  return csv.substr(start, csv.find("\r\n", start) - start);
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> cells;
  size_t start = 0;
  for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
    cells.push_back(line.substr(start, comma - start));
  cells.push_back(line.substr(start));
  return cells;
}

std::string Join(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) line += (i ? "," : "") + cells[i];
  return line;
}

class TablesRoundTrip : public testing::TestWithParam<const char*> {};

// Every table the game's profile locates (all of them on the demo games), in both formats.
TEST_P(TablesRoundTrip, EveryTableComesBackByteForByte) {
  Rom rom(GetParam());
  const std::string before = Read(rom.path);
  const tables::TableSource source = rom.Source();
  for (const std::string& table : tables::TableNames()) {
    ASSERT_TRUE(tables::Located(source, table)) << table;
    EXPECT_EQ(LineOf(rom.Export(table), 1).rfind("0,", 0), 0u) << table << ": record 0 goes out too";
    for (TextFormat format : {TextFormat::kCsv, TextFormat::kJson}) {
      const tables::ImportResult result = rom.Import(table, rom.Export(table, format), format);
      EXPECT_TRUE(result.ok) << table << "\n" << Reasons(result);
      EXPECT_EQ(result.records, 0u) << table;
      EXPECT_TRUE(result.rom_change.empty()) << table;
    }
  }
  EXPECT_TRUE(Read(rom.path) == before);
}

INSTANTIATE_TEST_SUITE_P(Games, TablesRoundTrip, testing::Values("AXVJ", "AXPJ", "BPEJ", "BPRJ", "BPGJ"));

// A monsters table edited outside: three stats changed and one type given by its name change
// exactly their four bytes; a second import of the same file changes nothing.
TEST(TablesImport, EditedMonstersChangeExactlyTheirBytes) {
  Rom rom("BPRJ");
  const std::string csv = rom.Export("monsters");
  const std::vector<std::string> header = Split(LineOf(csv, 0));
  auto column = [&](const std::string& name) { return size_t(std::find(header.begin(), header.end(), name) - header.begin()); };
  std::vector<std::string> row = Split(LineOf(csv, 26));  // species 25
  auto bump = [&](const std::string& name) { row[column(name)] = std::to_string((std::stoi(row[column(name)]) + 7) % 256); };
  row[column("hp")] = "0x5";  // cells may be hexadecimal
  bump("speed");
  bump("sp_defense");
  const int old_type = std::stoi(row[column("type1")]);
  const int new_type = old_type == 10 ? 11 : 10;
  row[column("type1")] = "";
  row[column("type1_name")] = new_type == 10 ? U8(u8"火") : U8(u8"水");
  std::string before = Read(rom.path);
  const tables::ImportResult result = rom.Import("monsters", WithLine(csv, 26, Join(row)));
  ASSERT_TRUE(result.ok) << Reasons(result);
  EXPECT_EQ(result.records, 1u);
  const std::string after = Read(rom.path);
  const size_t record = size_t(Setting("BPRJ", "MonsterBaseStats_Pos")) + 25 * M::kStatsSize;
  std::string expected = before;
  for (const RecordField& f : {M::kBaseStats[0], M::kBaseStats[3], M::kBaseStats[5]})
    expected[record + f.offset] = char(std::stoi(row[column(f.column)], nullptr, 0));
  expected[record + M::kType1.offset] = char(new_type);
  EXPECT_TRUE(after == expected);
  EXPECT_TRUE(rom.Import("monsters", WithLine(csv, 26, Join(row))).rom_change.empty());
}

// Lists that grow go to free space with their pointer written last; the export shows them,
// the old place keeps its bytes, and a dry run writes nothing.
TEST(TablesImport, GrowingListsMoveToFreeSpace) {
  Rom rom("BPEJ");
  const std::string original = Read(rom.path);
  struct Case {
    const char* table;
    const char* key;  // the owner column (none for the type chart)
  };
  for (const Case& c : {Case{"learnsets", "species"}, Case{"type-chart", nullptr}}) {
    const std::string before = Read(rom.path);
    const std::string csv = rom.Export(c.table).substr(3);  // without the byte-order mark
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = csv.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(csv.substr(at, end - at));
    // The first owner's rows (the whole chart) and one more entry like its last.
    size_t last = 1;
    while (last + 1 < lines.size() && (c.key == nullptr || Split(lines[last + 1])[0] == "0")) ++last;
    lines.resize(last + 1);
    std::vector<std::string> extra = Split(lines[last]);
    const std::vector<std::string> header = Split(lines[0]);
    const size_t entry = size_t(std::find(header.begin(), header.end(), "entry") - header.begin());
    extra[entry] = std::to_string(std::stoi(extra[entry]) + 1);
    lines.push_back(Join(extra));
    std::string grown;
    for (const std::string& line : lines) grown += line + "\r\n";
    const tables::ImportResult dry = rom.Import(c.table, grown, TextFormat::kCsv, true);
    EXPECT_TRUE(dry.ok) << c.table << "\n" << Reasons(dry);
    EXPECT_TRUE(Read(rom.path) == before) << "a dry run writes nothing";
    if (c.key) {  // a chosen region without room refuses the move
      const uint64_t start = uint64_t(Setting("BPEJ", "domain3")), end = uint64_t(Setting("BPEJ", "domain3end"));
      platform::CFile file;
      ASSERT_TRUE(file.Open(rom.path, platform::OpenMode::kReadWriteExisting) &&
                  file.WriteAt(start, std::vector<uint8_t>(end - start).data(), end - start));
      file.Close();
      EXPECT_NE(Reasons(rom.Import(c.table, grown, TextFormat::kCsv, false, tables::Space::kRegion3)).find("no free space"),
                std::string::npos);
    }
    const tables::ImportResult result = rom.Import(c.table, grown, TextFormat::kCsv, false, tables::Space::kAppend);
    ASSERT_TRUE(result.ok) << Reasons(result);
    ASSERT_GE(result.report.size(), 2u) << c.table;
    EXPECT_NE(result.report[1].find("moved to"), std::string::npos) << result.report[1];
    const std::string again = rom.Export(c.table);
    EXPECT_NE(again.find("\r\n" + Join(extra) + "\r\n"), std::string::npos) << c.table << " shows the new entry";
    EXPECT_EQ(rom.Import(c.table, again).records, 0u);
  }
  const std::string after = Read(rom.path);
  EXPECT_GT(after.size(), original.size()) << "appended at the end";
  EXPECT_TRUE(after.compare(0, original.size() - 64, original, 0, original.size() - 64) != 0)
      << "the pointers changed";
}

// Bad files: each is refused whole with its place, and the ROM stays as it was.
TEST(TablesImport, BadFilesAreRefusedAndNothingIsWritten) {
  Rom rom("BPRJ");
  const std::string before = Read(rom.path);
  const std::string csv = rom.Export("monsters");
  const std::string header = LineOf(csv, 0);
  std::string many = "\xEF\xBB\xBFindex,hp\r\n";
  for (int i = 0; i < 100000; ++i) many += std::to_string(i % 412) + ",1\r\n";
  const std::string no_code = "\"" + U8(u8"漢") + "\" has no code";  // the character named whole
  struct Case {
    const char* name;
    std::string text;
    const char* reason;
    TextFormat format = TextFormat::kCsv;
  };
  const Case cases[] = {
      {"empty", "", "in:1:1: the file holds no table"},
      {"header only", header + "\r\n", "no rows"},
      {"byte-order mark only", "\xEF\xBB\xBF", "no header"},
      {"100 000 rows", many, "more rows than the table has records"},
      {"10 MB cell", "index,name\r\n1," + std::string(10 << 20, 'a') + "\r\n", "longer than"},
      {"NUL byte", std::string("index,hp\r\n1,2\0\r\n", 15), "NUL"},
      {"1e9", "index,hp\r\n1,1e9\r\n", "1e9 is not a number"},
      {"-0", "index,hp\r\n1,-0\r\n", "-0 is not a number"},
      {"beyond the field", "index,hp\r\n1,256\r\n", "in:2:3: hp: 256 is outside 0-255"},
      {"record that does not exist", "index,hp\r\n412,1\r\n", "index 412 does not exist"},
      {"unknown column", "index,hp,colour\r\n1,2,red\r\n", "unknown column colour"},
      {"number and name disagree", "index,type1,type1_name\r\n1,0," + U8(u8"水") + "\r\n", "name different entries"},
      {"unknown name", "index,type1_name\r\n1," + U8(u8"光") + "\r\n", "no entry is named"},
      {"character without a code", "index,name\r\n1," + U8(u8"漢") + "\r\n", no_code.c_str()},
      {"name too long", "index,name\r\n1,ABCDEF\r\n", "longer than 5 characters"},
      {"open quote", "index,name\r\n1,\"AB\r\n", "closing quote"},
      {"JSON number 1e9", "[{\"index\": 1, \"hp\": 1e9}]", "in:1:21: hp: 1e9", TextFormat::kJson},
      {"JSON -0", "[{\"index\": 1, \"hp\": -0}]", "-0 is not a number", TextFormat::kJson},
      {"JSON not a table", "{\"index\": 1}", "array of objects", TextFormat::kJson},
      {"JSON broken", "[{\"index\": 1,", "not JSON: parse error", TextFormat::kJson},
      {"JSON empty", "  ", "no table", TextFormat::kJson},
  };
  for (const Case& c : cases) {
    const tables::ImportResult result = rom.Import("monsters", c.text, c.format);
    EXPECT_FALSE(result.ok) << c.name;
    EXPECT_NE(Reasons(result).find(c.reason), std::string::npos) << c.name << ":\n" << Reasons(result);
  }
  // The egg-move table never grows.
  EXPECT_NE(Reasons(rom.Import("egg-moves", "entry,move\r\n100000,1\r\n")).find("never grows"), std::string::npos);
  EXPECT_TRUE(Read(rom.path) == before);
  // Many problems: the first hundred, then a count.
  std::string wrong = "index,hp\r\n";
  for (int i = 0; i < 150; ++i) wrong += std::to_string(i) + ",300\r\n";
  const std::vector<std::string> lines = tables::ProblemLines("in", rom.Import("monsters", wrong).problems);
  ASSERT_EQ(lines.size(), 101u);
  EXPECT_EQ(lines.back(), "50 more problems");
  // A species whose list pointer is no cartridge address has no list an import could change.
  platform::CFile file;
  const uint8_t zero[4] = {};
  ASSERT_TRUE(file.Open(rom.path, platform::OpenMode::kReadWriteExisting) &&
              file.WriteAt(uint64_t(Setting("BPRJ", "Level_Skill")) + 5 * 4, zero, 4));
  file.Close();
  const std::string broken = Read(rom.path);
  EXPECT_NE(Reasons(rom.Import("learnsets", "species,entry,level,move\r\n5,0,7,1\r\n")).find("species 5 has no learnset"),
            std::string::npos);
  EXPECT_TRUE(Read(rom.path) == broken);
}

// CSV as spreadsheets write it: with or without the mark, LF or CR LF, quoted cells holding
// commas, quotes and line breaks.
TEST(TablesCells, CsvQuotingAndLineEnds) {
  const std::vector<std::string> header = {"a", "b"};
  const std::vector<std::vector<std::string>> rows = {{"x,y", "say \"hi\""}, {"two\r\nlines", ""}};
  const std::string written = tables::WriteCsv(header, rows);
  EXPECT_EQ(written, "\xEF\xBB\xBF" "a,b\r\n\"x,y\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",\r\n");
  for (const std::string& text : {written, written.substr(3), std::string("a,b\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\r\nlines\",\n")}) {
    tables::Grid grid;
    std::vector<tables::Problem> problems;
    ASSERT_TRUE(tables::ReadCsv(text, 10, grid, problems));
    ASSERT_EQ(grid.rows.size(), 2u);
    EXPECT_EQ(grid.rows[0][0].text, "x,y");
    EXPECT_EQ(grid.rows[0][1].text, "say \"hi\"");
    EXPECT_EQ(grid.rows[1][0].text, "two\r\nlines");
    EXPECT_EQ(grid.rows[1][0].line, 3u);
  }
}

}  // namespace
