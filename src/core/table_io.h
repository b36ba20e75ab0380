#pragma once
// Reading and writing a page's table of fixed-size records. The offset and count come from
// Setting.ini, so a table is checked against the file before anything is allocated: no count,
// however large, sizes a buffer beyond the ROM.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

inline constexpr const char* kTableOutsideRomText = "テーブルがROMファイルに収まりません。";
inline constexpr const char* kTableMemoryText = "テーブルのメモリを確保できませんでした。";

// A table of `count` records of `record_size` bytes at ROM offset `offset`.
struct TableSpan {
  int64_t offset = -1;
  int64_t count = 0;
  size_t record_size = 0;

  // Configured: an offset and at least one record.
  bool configured() const { return offset >= 0 && count > 0 && record_size > 0; }
  uint64_t bytes() const { return uint64_t(count) * record_size; }
  // Lies wholly inside a file of `rom_size` bytes.
  bool FitsIn(uint64_t rom_size) const;
};

// Allocates and reads the table: false with a text in `error` when it does not lie inside the
// file, memory cannot be had, or the read fails or is short. `table` is empty after a failure.
bool ReadTable(platform::CFile& rom, const TableSpan& span, std::vector<uint8_t>& table,
               std::string& error);

// Writes `table` at the span's offset; false with the system's text in `error`.
bool WriteTable(platform::CFile& rom, const TableSpan& span, const std::vector<uint8_t>& table,
                std::string& error);

// Sizes a buffer of `count` records that has no place in the file yet (a table rebuilt from a
// count alone): refused, with `error`, when it would be larger than the ROM.
bool AllocateRecords(std::vector<uint8_t>& table, int64_t count, size_t record_size,
                     uint64_t rom_size, std::string& error);
