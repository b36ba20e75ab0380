#pragma once
// The tables, each a class that names its columns, writes its rows and takes them back.
// Internal to the table export and import.
#include <memory>
#include <string>
#include <vector>

#include "tables/workspace.h"

namespace tables {

struct Column {
  std::string name;
  bool numeric = true;
};

using Rows = std::vector<std::vector<std::string>>;

class CTable {
 public:
  virtual ~CTable() = default;
  virtual const char* name() const = 0;
  virtual bool Located(CWorkspace& work) const = 0;
  virtual std::vector<Column> Columns(CWorkspace& work) const = 0;
  virtual std::vector<std::string> Keys() const = 0;
  // Rows a file may hold at most.
  virtual size_t MaxRows(CWorkspace& work) const = 0;
  virtual void Export(CWorkspace& work, Rows& rows) const = 0;
  // Checks every row; changes the workspace's image (problems: nothing may be written).
  virtual void Import(CWorkspace& work, const Grid& grid, const CColumns& columns, Space space) const = 0;
};

// The tables in the pages' order.
const std::vector<std::unique_ptr<CTable>>& AllTables();

// Tables of fixed records (monsters, dex, evolutions, tmhm, trainers, moves, items, trades,
// classes, starters) and the lists (learnsets, parties, type-chart, egg-moves).
void AddFieldTables(std::vector<std::unique_ptr<CTable>>& tables);
std::unique_ptr<CTable> MakeLearnsetTable();
std::unique_ptr<CTable> MakePartyTable();
std::unique_ptr<CTable> MakeTypeChartTable();
std::unique_ptr<CTable> MakeEggMoveTable();

// Helpers the tables share.
// The columns of a field: its own, and the name column of a list field.
void AddColumns(std::vector<Column>& columns, const std::string& name, const RecordField& field);
void AddCells(CWorkspace& work, std::vector<std::string>& row, const RecordField& field, const uint8_t* record);
// A row's key: a number (or name) within [0, count); false with a problem.
bool ReadKey(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, const std::string& column,
             const NamedList* list, int64_t count, int64_t& key);
// A GBA address to a ROM offset inside the cartridge; false for any other value.
bool AddressToOffset(uint32_t address, uint64_t& offset);
// Bytes 0-2 of an address and its byte 3 (0x08, or 0x09 for the upper 16 MiB) for `offset`.
void PutOffsetAddress(uint8_t* at, uint64_t offset, size_t bytes = 4);

}  // namespace tables
