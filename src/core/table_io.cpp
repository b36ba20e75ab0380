#include "core/table_io.h"

#include <new>

bool TableSpan::FitsIn(uint64_t rom_size) const {
  if (!configured()) return false;
  // count and record_size are bounded, so the product cannot wrap: both are below 2^63 and the
  // record size below 2^16 in every table of the suite; check the division form all the same.
  if (uint64_t(count) > rom_size / record_size) return false;
  return uint64_t(offset) <= rom_size && bytes() <= rom_size - uint64_t(offset);
}

bool ReadTable(platform::CFile& rom, const TableSpan& span, std::vector<uint8_t>& table,
               std::string& error) {
  table.clear();
  uint64_t rom_size = 0;
  if (!rom.Size(rom_size)) {
    error = rom.ErrorText();
    return false;
  }
  if (!span.FitsIn(rom_size)) {
    error = kTableOutsideRomText;
    return false;
  }
  try {
    table.assign(size_t(span.bytes()), 0);
  } catch (const std::bad_alloc&) {
    error = kTableMemoryText;
    return false;
  }
  if (!rom.ReadAt(uint64_t(span.offset), table.data(), table.size())) {
    error = rom.ErrorText();
    table.clear();
    return false;
  }
  return true;
}

bool WriteTable(platform::CFile& rom, const TableSpan& span, const std::vector<uint8_t>& table,
                std::string& error) {
  if (!rom.WriteAt(uint64_t(span.offset), table.data(), table.size())) {
    error = rom.ErrorText();
    return false;
  }
  return true;
}

bool AllocateRecords(std::vector<uint8_t>& table, int64_t count, size_t record_size,
                     uint64_t rom_size, std::string& error) {
  table.clear();
  if (count <= 0 || record_size == 0) return true;
  if (uint64_t(count) > rom_size / record_size) {
    error = kTableOutsideRomText;
    return false;
  }
  try {
    table.assign(size_t(count) * record_size, 0);
  } catch (const std::bad_alloc&) {
    error = kTableMemoryText;
    return false;
  }
  return true;
}
