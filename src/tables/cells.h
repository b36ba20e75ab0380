#pragma once
// Tables as text: a header of column names and rows of cells, read from and written to CSV
// (RFC 4180, UTF-8 with a byte-order mark and CR LF line ends) and JSON (an array of objects
// with the column names as keys). Every cell keeps the line and column it was read from, so
// that a problem can be reported as FILE:LINE:COLUMN.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tables {

// Limits that keep any input's memory bounded: a file larger than kMaxInputBytes is refused
// before it is read whole, a longer cell is an error, and reading stops once more rows come
// than the table can hold.
inline constexpr uint64_t kMaxInputBytes = uint64_t(16) << 20;
inline constexpr size_t kMaxCellBytes = 65536;

struct Cell {
  std::string text;  // UTF-8
  uint32_t line = 0, column = 0;
  bool present = false;  // false: the row has no value for this column (a JSON key left out)
};

struct Grid {
  std::vector<std::string> header;
  std::vector<Cell> header_cells;  // where each column name stands
  std::vector<std::vector<Cell>> rows;  // each as long as the header
};

// A place in the input and what is wrong there.
struct Problem {
  uint32_t line = 0, column = 0;
  std::string reason;
};

enum class TextFormat { kCsv, kJson };

// `max_rows`: more rows than this are one problem, and reading stops there. False with at
// least one problem when the input is not a table.
bool ReadCsv(std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems);
bool ReadJson(std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems);
bool ReadGrid(TextFormat format, std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems);

// `numeric[c]`: column c holds numbers (JSON writes them unquoted; an empty cell is left out).
std::string WriteCsv(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);
std::string WriteJson(const std::vector<std::string>& header, const std::vector<bool>& numeric,
                      const std::vector<std::vector<std::string>>& rows);

}  // namespace tables
