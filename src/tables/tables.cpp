#include "tables/tables.h"

#include <algorithm>

#include "tables/table_kinds.h"

namespace tables {

namespace {

const CTable* Find(std::string_view name) {
  for (const auto& table : AllTables())
    if (table->name() == name) return table.get();
  return nullptr;
}

// A run of bytes the import changed in the ROM.
struct Run {
  uint64_t offset;
  std::vector<uint8_t> bytes;
};


// What goes into the ROM: every byte of the image that differs from the file, but for the
// pages' copies when they take their own changes; the pointers to moved data last.
void RomRuns(const CWorkspace& work, const TableSource& source, bool to_pages, std::vector<Run>& data,
             std::vector<Run>& pointers) {
  const std::vector<uint8_t>& image = const_cast<CWorkspace&>(work).image();
  const std::vector<uint8_t>& rom = source.rom;
  auto kept_by_page = [&](uint64_t at) {
    if (!to_pages) return false;
    for (const PageCopy& copy : source.copies)
      if (at >= copy.offset && at < copy.offset + copy.bytes.size() && !work.IsDirect(copy.name)) return true;
    return false;
  };
  auto is_pointer = [&](uint64_t at) {
    for (const auto& [start, size] : work.pointers())
      if (at >= start && at < start + size) return true;
    return false;
  };
  const uint64_t common = std::min(rom.size(), image.size());
  for (uint64_t at = 0; at < common;) {
    if (image[at] == rom[at] || kept_by_page(at)) {
      ++at;
      continue;
    }
    const bool pointer = is_pointer(at);
    Run run{at, {}};
    while (at < common && image[at] != rom[at] && !kept_by_page(at) && is_pointer(at) == pointer) run.bytes.push_back(image[at++]);
    (pointer ? pointers : data).push_back(std::move(run));
  }
  if (image.size() > rom.size()) data.push_back({rom.size(), std::vector<uint8_t>(image.begin() + std::ptrdiff_t(rom.size()), image.end())});
}

}  // namespace

const std::vector<std::unique_ptr<CTable>>& AllTables() {
  static const std::vector<std::unique_ptr<CTable>> tables = [] {
    std::vector<std::unique_ptr<CTable>> all;
    AddFieldTables(all);
    return all;
  }();
  return tables;
}

const std::vector<std::string>& TableNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const auto& table : AllTables()) all.push_back(table->name());
    return all;
  }();
  return names;
}

std::vector<std::string> PageTables(int tab) {
  switch (tab) {
    case 0: return {"monsters", "dex", "evolutions", "learnsets", "tmhm"};
    case 1: return {"egg-moves"};
    case 2: return {"trainers", "parties"};
    case 3: return {"moves"};
    case 4: return {"items"};
    case 5: return {"type-chart"};
    case 8: return {"trades"};
    case 9: return {"classes", "starters"};
    default: return {};
  }
}

bool Located(const TableSource& source, std::string_view table) {
  const CTable* found = Find(table);
  if (found == nullptr) return false;
  CWorkspace work(source);
  return found->Located(work);
}

std::vector<std::string> ListTables(const TableSource& source) {
  std::vector<std::string> lines;
  CWorkspace work(source);
  for (const auto& table : AllTables()) {
    if (!table->Located(work)) continue;
    Rows rows;
    table->Export(work, rows);
    const std::vector<Column> columns = table->Columns(work);
    char line[96];
    std::snprintf(line, sizeof line, "%-11s %6zu rows, %3zu columns", table->name(), rows.size(), columns.size());
    lines.push_back(line);
  }
  return lines;
}

bool ExportTable(const TableSource& source, std::string_view table, TextFormat format, std::string& out,
                 std::string& error) {
  const CTable* found = Find(table);
  if (found == nullptr) {
    error = "no table is called " + std::string(table);
    return false;
  }
  CWorkspace work(source);
  if (!found->Located(work)) {
    error = "the game's profile does not locate the table " + std::string(table);
    return false;
  }
  const std::vector<Column> columns = found->Columns(work);
  std::vector<std::string> header;
  std::vector<bool> numeric;
  for (const Column& column : columns) {
    header.push_back(column.name);
    numeric.push_back(column.numeric);
  }
  Rows rows;
  found->Export(work, rows);
  out = format == TextFormat::kCsv ? WriteCsv(header, rows) : WriteJson(header, numeric, rows);
  return true;
}

bool ParseSpace(std::string_view text, Space& space) {
  if (text == "region1") space = Space::kRegion1;
  else if (text == "region2") space = Space::kRegion2;
  else if (text == "region3") space = Space::kRegion3;
  else if (text == "append") space = Space::kAppend;
  else return false;
  return true;
}

ImportResult ImportTable(TableSource& source, std::string_view table, TextFormat format, std::string_view text,
                         const ImportOptions& options) {
  ImportResult result;
  const CTable* found = Find(table);
  if (found == nullptr) {
    result.error = "no table is called " + std::string(table);
    return result;
  }
  CWorkspace work(source);
  if (!found->Located(work)) {
    result.error = "the game's profile does not locate the table " + std::string(table);
    return result;
  }
  Grid grid;
  if (text.size() > kMaxInputBytes) {
    result.problems.push_back({1, 1, "the file is larger than " + std::to_string(kMaxInputBytes >> 20) + " MiB"});
    return result;
  }
  if (!ReadGrid(format, text, found->MaxRows(work), grid, result.problems)) return result;
  std::vector<std::string> known, keys = found->Keys();
  for (const Column& column : found->Columns(work)) known.push_back(column.name);
  CColumns columns(work, grid);
  if (!columns.Check(known, keys)) {
    result.problems = std::move(work.problems());
    return result;
  }
  found->Import(work, grid, columns, options.space);
  if (!work.problems().empty()) {
    result.problems = std::move(work.problems());
    std::stable_sort(result.problems.begin(), result.problems.end(), [](const Problem& a, const Problem& b) {
      return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return result;
  }

  // What changed: the pages' copies, and the ROM's bytes.
  std::vector<Run> data, pointers;
  RomRuns(work, source, options.to_pages, data, pointers);
  for (const PageCopy& copy : source.copies) {
    if (copy.offset + copy.bytes.size() > work.image().size()) continue;
    std::vector<uint8_t> after(work.image().begin() + std::ptrdiff_t(copy.offset),
                               work.image().begin() + std::ptrdiff_t(copy.offset + copy.bytes.size()));
    if (after != copy.bytes && (!options.to_pages || !work.IsDirect(copy.name)))
      result.page_changes.push_back({copy.name, copy.bytes, std::move(after)});
  }
  result.records = work.records;
  for (const auto& runs : {&data, &pointers})
    for (const Run& run : *runs) result.bytes += run.bytes.size();
  if (options.to_pages)
    for (const CopyChange& change : result.page_changes)
      for (size_t i = 0; i < change.after.size(); ++i) result.bytes += change.before[i] != change.after[i];
  const char* verb = options.dry_run ? " would change, " : " changed, ";
  auto counted = [](size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
  result.report.push_back(std::string(table) + ": " + counted(result.records, "record") + verb +
                          counted(result.bytes, "byte"));
  for (std::string& line : work.report()) result.report.push_back(std::move(line));
  result.ok = true;
  if (options.dry_run || (data.empty() && pointers.empty() && result.page_changes.empty())) return result;

  if (!data.empty() || !pointers.empty()) {
    CRomChange change(options.rom);
    bool written = change.Open();
    // The data first, in file order, then the appended bytes, then the pointers that lead there.
    for (const auto& runs : {&data, &pointers})
      for (const Run& run : *runs)
        if (written) written = change.Write(int64_t(run.offset), run.bytes);
    if (!written || !change.Commit()) {
      result.ok = false;
      result.error = change.error();
      result.page_changes.clear();
      return result;
    }
    result.rom_change = change.record();
  }
  if (options.to_pages) {
    for (const CopyChange& change : result.page_changes)
      for (PageCopy& copy : source.copies)
        if (copy.name == change.name && copy.store) copy.store(change.after);
  } else {
    result.page_changes.clear();
  }
  return result;
}

std::vector<std::string> ProblemLines(const std::string& file, const std::vector<Problem>& problems, size_t shown) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < problems.size() && i < shown; ++i)
    lines.push_back(file + ":" + std::to_string(problems[i].line) + ":" + std::to_string(problems[i].column) + ": " +
                    problems[i].reason);
  if (problems.size() > shown) lines.push_back(std::to_string(problems.size() - shown) + " more problems");
  return lines;
}

bool FormatOf(const std::filesystem::path& path, TextFormat& format) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (extension == ".csv") format = TextFormat::kCsv;
  else if (extension == ".json") format = TextFormat::kJson;
  else return false;
  return true;
}

}  // namespace tables
