#pragma once
// The tables' working state: the ROM's bytes with the pages' copies laid over them, the named
// lists, game text in UTF-8, the cells of an import and the places found for lists that grow.
// Internal to the table export and import.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/record_field.h"
#include "tables/cells.h"
#include "tables/table_source.h"

namespace tables {

// Records of one kind in the image: a page's copy or a table the pages write directly.
struct Block {
  std::string name;
  uint64_t offset = 0;
  size_t record_size = 1;
  size_t count = 0;
  bool copy = false;  // a page's copy
};

// A list a field's value indexes: each entry's stored value and its name (UTF-8).
struct NamedList {
  std::vector<int64_t> values;
  std::vector<std::string> names;
  bool known() const { return !values.empty(); }
  bool Holds(int64_t value) const;
  std::string NameOf(int64_t value) const;  // "" for a value the list does not hold
};

// How a name field is written: `width` bytes, the codes then 0xFF when they leave room
// (`terminated`: the last byte is kept for it), and for some fields the last byte always 0xFF.
struct TextRule {
  size_t width;
  bool terminated = true;
  bool force_last = false;
  size_t max_chars() const { return terminated ? width - 1 : width; }
};

class CWorkspace {
 public:
  explicit CWorkspace(const TableSource& source);

  const TableSource& source() const { return source_; }
  std::vector<uint8_t>& image() { return image_; }
  const std::vector<uint8_t>& original() const { return original_; }
  const Block* FindBlock(std::string_view name) const;
  uint8_t* Record(const Block& block, size_t index) { return image_.data() + block.offset + index * block.record_size; }

  const NamedList& List(NameList id);
  // Game text of at most `width` bytes up to its terminator, as UTF-8.
  std::string DecodeName(const uint8_t* bytes, size_t width) const;
  // A text up to its terminator (at most kMaxTextBytes), as UTF-8, and the bytes it takes with
  // the terminator (0: no terminator within reach, or outside the image).
  std::string DecodeText(uint64_t offset, size_t& room) const;
  // UTF-8 to codes, exactly; false with the reason naming the character that has none.
  bool EncodeText(std::string_view utf8, std::vector<uint8_t>& codes, std::string& reason) const;

  // Problems of the file.
  void Problem(const Cell& cell, std::string reason);
  std::vector<tables::Problem>& problems() { return problems_; }

  // A place for `bytes` bytes for a list that grew: in the chosen free space, or appended at the
  // end (padded to a multiple of 4). The place is reserved; false with `reason` when none fits.
  bool Place(size_t bytes, Space space, uint64_t& at, std::string& reason);
  // Bytes that hold a pointer to moved data: written last.
  void MarkPointer(uint64_t offset, size_t bytes) { pointers_.push_back({offset, bytes}); }
  const std::vector<std::pair<uint64_t, size_t>>& pointers() const { return pointers_; }
  // A block that must go to the ROM whole although a page keeps it (the type chart whose length
  // changed); the page reads it again afterwards.
  void MakeDirect(std::string_view block) { direct_.push_back(std::string(block)); }
  bool IsDirect(std::string_view block) const;

  void Report(std::string line) { report_.push_back(std::move(line)); }
  std::vector<std::string>& report() { return report_; }
  size_t records = 0;

 private:
  void AddBlocks();
  NamedList NamesFromBlock(std::string_view block, size_t name_bytes, size_t count) const;
  bool Reserved(uint64_t at, size_t bytes) const;

  const TableSource& source_;
  std::vector<uint8_t> image_, original_;
  std::vector<Block> blocks_;
  std::map<NameList, NamedList> lists_;
  std::vector<tables::Problem> problems_;
  std::vector<std::pair<uint64_t, size_t>> pointers_;
  std::vector<std::pair<uint64_t, size_t>> reserved_;
  std::vector<std::string> direct_;
  std::vector<std::string> report_;
  std::map<int, uint64_t> cursors_;  // next-fit position per region
};

// The columns of one import: which header column holds each name, and the rest refused.
class CColumns {
 public:
  CColumns(CWorkspace& work, const Grid& grid) : work_(work), grid_(grid) {}
  // The header's columns must all be known; the key columns must be there. False with problems.
  bool Check(const std::vector<std::string>& known, const std::vector<std::string>& keys);
  // The cell of `column` in `row`, or null when the column is absent or the cell empty.
  const Cell* Value(const std::vector<Cell>& row, std::string_view column) const;
  // A cell of the row for reports: the first present one.
  const Cell& Any(const std::vector<Cell>& row) const;
  bool Has(std::string_view column) const;

 private:
  CWorkspace& work_;
  const Grid& grid_;
  std::map<std::string, size_t, std::less<>> index_;
};

// Cell values. A number is decimal digits or 0x and hexadecimal digits, nothing else.
bool ParseNumber(std::string_view text, int64_t& value);
std::string Number(int64_t value);

// The value a number or list column asks for: the number cell, or the `_name` cell looked up in
// `list`. nullopt when neither is given; false (with a problem) on a bad cell.
bool ReadValue(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, const std::string& column,
               const NamedList* list, std::optional<int64_t>& value, const Cell** used = nullptr);
// A changed value checked against its field (and its list): false with a problem.
bool CheckValue(CWorkspace& work, const Cell& cell, const std::string& column, const RecordField& field,
                const NamedList* list, int64_t value, int64_t min, int64_t max);

// Imports one number, flag or list field of the record at `record`: true when it changed.
bool ImportField(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, uint8_t* record,
                 const RecordField& field, const std::string& column, int64_t max_override = -1);
// Imports a name field by `rule`: true when it changed.
bool ImportName(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, uint8_t* field,
                const std::string& column, const TextRule& rule);

inline std::string NameColumn(const std::string& column) { return column + "_name"; }

}  // namespace tables
