#pragma once
// Every table the pages edit, out as CSV or JSON and back in. The export reads what the pages
// hold; the import checks every row and cell against the same field descriptions the pages
// use, refuses the whole file when anything is wrong, and otherwise changes only the fields
// whose values differ: page-saved tables in the pages' copies (tessaro) or, with the lists that
// live behind pointers, in the ROM, as one change of the ROM writer.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/rom_writer.h"
#include "tables/cells.h"
#include "tables/table_source.h"

namespace tables {

// The table names, in the pages' order.
const std::vector<std::string>& TableNames();
// The tables `source` locates, each with a short description: "monsters  412 rows ...".
std::vector<std::string> ListTables(const TableSource& source);
// The tables of one of tessaro's pages (its tab index), as TableNames spells them.
std::vector<std::string> PageTables(int tab);
bool Located(const TableSource& source, std::string_view table);

// The table as text; false with `error` when the table is unknown or not located.
bool ExportTable(const TableSource& source, std::string_view table, TextFormat format, std::string& out,
                 std::string& error);

struct ImportOptions {
  Space space = Space::kProfile;
  bool dry_run = false;
  // tessaro: the pages' tables change in their copies (the save writes them); only the lists
  // behind pointers go into the ROM. Otherwise everything goes into the ROM.
  bool to_pages = false;
  std::filesystem::path rom;  // where the change is written
};

// A page copy the import changed: undo stores `before` again.
struct CopyChange {
  std::string name;
  std::vector<uint8_t> before, after;
};

struct ImportResult {
  bool ok = false;
  std::vector<Problem> problems;  // the file's problems (nothing was changed)
  std::string error;              // a failure outside the file (nothing was changed)
  std::vector<std::string> report;  // what changed, or would change
  size_t records = 0, bytes = 0;    // records and ROM bytes changed (moved lists included)
  RomChangeRecord rom_change;       // what the ROM writer did (empty: nothing)
  std::vector<CopyChange> page_changes;
};

// The one import: checks the whole file, then changes the copies and the ROM as the options
// say. `source` is left as it was (its copies' store functions are called for the changes).
ImportResult ImportTable(TableSource& source, std::string_view table, TextFormat format, std::string_view text,
                         const ImportOptions& options);

// "FILE:LINE:COLUMN: reason" lines for the first `shown` problems, then a count of the rest.
std::vector<std::string> ProblemLines(const std::string& file, const std::vector<Problem>& problems,
                                      size_t shown = 100);

// The format a file name asks for (.csv or .json); false for any other.
bool FormatOf(const std::filesystem::path& path, TextFormat& format);

}  // namespace tables
