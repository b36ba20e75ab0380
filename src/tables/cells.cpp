#include "tables/cells.h"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>

namespace tables {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool StartsWithBom(std::string_view text) { return text.substr(0, kBom.size()) == kBom; }

// Bytes of the UTF-8 sequence that starts with `lead`; 0 for a byte that starts none.
size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// A valid UTF-8 sequence at text[at], its length; 0 when there is none.
size_t Utf8At(std::string_view text, size_t at) {
  const size_t length = Utf8Length(static_cast<unsigned char>(text[at]));
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  return length;
}

// Lines and columns (1-based, in characters) of byte offsets into one text.
class CPositions {
 public:
  explicit CPositions(std::string_view text) : text_(text) {}
  // Offsets must not decrease from one call to the next.
  std::pair<uint32_t, uint32_t> At(size_t offset) {
    while (scanned_ < offset && scanned_ < text_.size()) {
      const char c = text_[scanned_];
      if (c == '\n' || (c == '\r' && (scanned_ + 1 >= text_.size() || text_[scanned_ + 1] != '\n'))) {
        ++line_;
        column_ = 1;
        ++scanned_;
        continue;
      }
      const size_t length = std::max<size_t>(1, Utf8At(text_, scanned_));
      if (c != '\r') ++column_;
      scanned_ += length;
    }
    return {line_, column_};
  }

 private:
  std::string_view text_;
  size_t scanned_ = 0;
  uint32_t line_ = 1, column_ = 1;
};

class CCsvReader {
 public:
  CCsvReader(std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems)
      : skip_(StartsWithBom(text) ? kBom.size() : 0), text_(text.substr(skip_)), positions_(text_),
        max_rows_(max_rows), grid_(grid), problems_(problems) {}

  bool Read() {
    std::vector<Cell> record;
    bool header = true;
    while (at_ < text_.size()) {
      if (!ReadRecord(record)) return false;
      if (record.size() == 1 && record[0].text.empty()) continue;  // an empty line
      if (header) {
        if (!TakeHeader(record)) return false;
        header = false;
        continue;
      }
      if (grid_.rows.size() >= max_rows_) {
        Report(record[0], "more rows than the table has records (" + std::to_string(max_rows_) + ")");
        return false;
      }
      if (record.size() != grid_.header.size()) {
        Report(record[0], std::to_string(record.size()) + " cells where the header has " +
                              std::to_string(grid_.header.size()));
        continue;
      }
      grid_.rows.push_back(std::move(record));
    }
    if (header) {
      problems_.push_back({1, 1, "the file holds no table (no header line)"});
      return false;
    }
    if (grid_.rows.empty()) {
      problems_.push_back({2, 1, "the file holds a header but no rows"});
      return false;
    }
    return true;
  }

 private:
  void Report(const Cell& cell, std::string reason) { problems_.push_back({cell.line, cell.column, std::move(reason)}); }
  void ReportAt(size_t offset, std::string reason) {
    auto [line, column] = positions_.At(offset);
    problems_.push_back({line, column, std::move(reason)});
  }

  bool TakeHeader(std::vector<Cell>& record) {
    for (const Cell& cell : record) {
      if (cell.text.empty()) {
        Report(cell, "a column without a name");
        return false;
      }
      if (std::find(grid_.header.begin(), grid_.header.end(), cell.text) != grid_.header.end()) {
        Report(cell, "column " + cell.text + " appears twice");
        return false;
      }
      grid_.header.push_back(cell.text);
    }
    grid_.header_cells = std::move(record);
    return true;
  }

  // One record up to its line end; false on a fault that ends the reading.
  bool ReadRecord(std::vector<Cell>& record) {
    record.clear();
    for (;;) {
      Cell cell;
      std::tie(cell.line, cell.column) = positions_.At(at_);
      cell.present = true;
      if (!ReadField(cell)) return false;
      record.push_back(std::move(cell));
      if (at_ >= text_.size()) return true;
      const char c = text_[at_];
      if (c == ',') {
        ++at_;
        continue;
      }
      // The line end: CR LF, LF, or a lone CR.
      at_ += c == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
      return true;
    }
  }

  bool Append(Cell& cell, size_t at, size_t length) {
    if (cell.text.size() + length > kMaxCellBytes) {
      Report(cell, "a cell longer than " + std::to_string(kMaxCellBytes) + " bytes");
      return false;
    }
    cell.text.append(text_.substr(at, length));
    return true;
  }

  // A character of a cell at at_: refused when it is NUL or no UTF-8; its length otherwise.
  size_t Character() {
    if (text_[at_] == '\0') {
      ReportAt(at_, "a NUL byte");
      return 0;
    }
    const size_t length = Utf8At(text_, at_);
    if (length == 0) ReportAt(at_, "bytes that are not UTF-8");
    return length;
  }

  bool ReadField(Cell& cell) {
    if (at_ < text_.size() && text_[at_] == '"') {
      const size_t open = at_++;
      for (;;) {
        if (at_ >= text_.size()) {
          ReportAt(open, "a quoted cell without its closing quote");
          return false;
        }
        if (text_[at_] == '"') {
          if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
            if (!Append(cell, at_, 1)) return false;
            at_ += 2;
            continue;
          }
          ++at_;
          break;
        }
        const size_t length = Character();
        if (length == 0 || !Append(cell, at_, length)) return false;
        at_ += length;
      }
      if (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\r' && text_[at_] != '\n') {
        ReportAt(at_, "text after a closing quote");
        return false;
      }
      return true;
    }
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == ',' || c == '\r' || c == '\n') break;
      if (c == '"') {
        ReportAt(at_, "a quote inside a cell that does not start with one");
        return false;
      }
      const size_t length = Character();
      if (length == 0 || !Append(cell, at_, length)) return false;
      at_ += length;
    }
    return true;
  }

  size_t skip_;
  std::string_view text_;
  CPositions positions_;
  size_t max_rows_;
  Grid& grid_;
  std::vector<Problem>& problems_;
  size_t at_ = 0;
};

// Reading JSON through the library's event interface (no document is built): a top-level
// array of flat objects. The iterator counts what the parser has taken, so every key and value
// gets the place it starts at.
class CJsonReader {
 public:
  using json = nlohmann::json;

  CJsonReader(std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems)
      : text_(text), positions_(text), max_rows_(max_rows), grid_(grid), problems_(problems) {}

  struct Counter {
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;
    const char* at = nullptr;
    const char* base = nullptr;
    size_t* taken = nullptr;
    reference operator*() const { return *at; }
    Counter& operator++() {
      ++at;
      if (taken) *taken = size_t(at - base);
      return *this;
    }
    Counter operator++(int) {
      Counter old = *this;
      ++*this;
      return old;
    }
    bool operator==(const Counter& other) const { return at == other.at; }
    bool operator!=(const Counter& other) const { return at != other.at; }
  };

  bool Read() {
    const size_t skip = StartsWithBom(text_) ? kBom.size() : 0;
    last_ = skip;
    if (text_.find_first_not_of(" \t\r\n", skip) == std::string_view::npos) {
      problems_.push_back({1, 1, "the file holds no table"});
      return false;
    }
    Counter first{text_.data() + skip, text_.data(), &taken_};
    Counter last{text_.data() + text_.size(), text_.data(), nullptr};
    bool parsed = false;
    try {
      parsed = json::sax_parse(first, last, this) && !failed_;
    } catch (const std::exception& error) {
      problems_.push_back({1, 1, std::string("not JSON: ") + error.what()});
    }
    if (!parsed) {
      if (problems_.empty()) problems_.push_back({1, 1, "not a table"});
      return false;
    }
    if (grid_.rows.empty()) {
      problems_.push_back({1, 1, "the array holds no rows"});
      return false;
    }
    for (auto& row : grid_.rows) row.resize(grid_.header.size());
    return true;
  }

  // The event interface.
  bool null() { return Value(nullptr); }
  bool boolean(bool) { return Fail("a number or a text is expected, not true or false"); }
  bool number_integer(json::number_integer_t) { return Value(nullptr, true); }
  bool number_unsigned(json::number_unsigned_t) { return Value(nullptr, true); }
  bool number_float(json::number_float_t, const std::string&) { return Value(nullptr, true); }
  bool string(std::string& value) { return Value(&value); }
  bool binary(json::binary_t&) { return Fail("binary values are not cells"); }
  bool start_object(std::size_t) {
    if (depth_ != 1) return Fail(depth_ == 0 ? "the table must be an array of objects" : "a cell cannot hold an object");
    Mark();
    ++depth_;
    if (grid_.rows.size() >= max_rows_)
      return Fail("more rows than the table has records (" + std::to_string(max_rows_) + ")");
    grid_.rows.emplace_back(grid_.header.size());
    return true;
  }
  bool key(std::string& name) {
    const auto [line, column] = Here();
    column_ = size_t(std::find(grid_.header.begin(), grid_.header.end(), name) - grid_.header.begin());
    if (column_ == grid_.header.size()) {
      grid_.header.push_back(name);
      grid_.header_cells.push_back({name, line, column, true});
    }
    std::vector<Cell>& row = grid_.rows.back();
    if (row.size() < grid_.header.size()) row.resize(grid_.header.size());
    if (row[column_].present) return Fail("key " + name + " appears twice in one object");
    row[column_].line = line;
    row[column_].column = column;
    return true;
  }
  bool end_object() {
    Mark();
    --depth_;
    return true;
  }
  bool start_array(std::size_t) {
    if (depth_ != 0) return Fail("a cell cannot hold an array");
    Mark();
    ++depth_;
    return true;
  }
  bool end_array() {
    Mark();
    --depth_;
    return true;
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) {
    const auto [line, column] = positions_.At(std::min(position, text_.size()) > 0 ? position - 1 : 0);
    std::string what = error.what();
    // The library's message after its own prefix ("[json.exception.parse_error.101] ...").
    if (const size_t at = what.find("] "); at != std::string::npos) what = what.substr(at + 2);
    problems_.push_back({line, column, "not JSON: " + what});
    return false;
  }

 private:
  // Where the token the parser has just taken starts: after what the last event took, past
  // blanks and punctuation.
  size_t TokenStart() {
    size_t at = last_;
    while (at < text_.size() && std::string_view(" \t\r\n,:[{").find(text_[at]) != std::string_view::npos) ++at;
    return at;
  }
  std::pair<uint32_t, uint32_t> Here() {
    start_ = TokenStart();
    const auto place = positions_.At(start_);
    last_ = taken_;
    return place;
  }
  void Mark() { last_ = taken_; }

  bool Fail(std::string reason) {
    const auto [line, column] = Here();
    problems_.push_back({line, column, std::move(reason)});
    failed_ = true;
    return false;
  }

  // A value of the current key: a text, a number (its own characters) or null (no value).
  bool Value(const std::string* text, bool number = false) {
    if (depth_ != 2) return Fail("the table must be an array of objects");
    const size_t taken = taken_;
    Cell& cell = grid_.rows.back()[column_];
    std::tie(cell.line, cell.column) = Here();
    if (number) {
      size_t end = start_;
      while (end < text_.size() && std::string_view("0123456789+-.eE").find(text_[end]) != std::string_view::npos) ++end;
      cell.text = std::string(text_.substr(start_, end - start_));
    } else if (text != nullptr) {
      if (text->size() > kMaxCellBytes) return Fail("a cell longer than " + std::to_string(kMaxCellBytes) + " bytes");
      if (text->find('\0') != std::string::npos) return Fail("a NUL character");
      cell.text = *text;
    }
    cell.present = text != nullptr || number;
    last_ = taken;
    return true;
  }

  std::string_view text_;
  CPositions positions_;
  size_t max_rows_;
  Grid& grid_;
  std::vector<Problem>& problems_;
  size_t taken_ = 0, last_ = 0, start_ = 0;
  size_t column_ = 0;
  int depth_ = 0;
  bool failed_ = false;
};

bool NeedsQuotes(std::string_view cell) {
  return cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

void AppendCsvCell(std::string& out, std::string_view cell) {
  if (!NeedsQuotes(cell)) {
    out += cell;
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendCsvLine(std::string& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += ',';
    AppendCsvCell(out, cells[i]);
  }
  out += "\r\n";
}

std::string Quoted(const std::string& text) {
  return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

bool ReadCsv(std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems) {
  grid = {};
  return CCsvReader(text, max_rows, grid, problems).Read();
}

bool ReadJson(std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems) {
  grid = {};
  return CJsonReader(text, max_rows, grid, problems).Read();
}

bool ReadGrid(TextFormat format, std::string_view text, size_t max_rows, Grid& grid, std::vector<Problem>& problems) {
  return format == TextFormat::kCsv ? ReadCsv(text, max_rows, grid, problems) : ReadJson(text, max_rows, grid, problems);
}

std::string WriteCsv(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows) {
  std::string out(kBom);
  AppendCsvLine(out, header);
  for (const auto& row : rows) AppendCsvLine(out, row);
  return out;
}

std::string WriteJson(const std::vector<std::string>& header, const std::vector<bool>& numeric,
                      const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::string> keys;
  keys.reserve(header.size());
  for (const std::string& name : header) keys.push_back(Quoted(name));
  std::string out = "[";
  for (size_t r = 0; r < rows.size(); ++r) {
    out += r == 0 ? "\n  {" : ",\n  {";
    bool first = true;
    for (size_t c = 0; c < header.size(); ++c) {
      const std::string& cell = rows[r][c];
      if (numeric[c] && cell.empty()) continue;
      if (!first) out += ", ";
      first = false;
      out += keys[c];
      out += ": ";
      out += numeric[c] ? cell : Quoted(cell);
    }
    out += '}';
  }
  out += "\n]\n";
  return out;
}

}  // namespace tables
