#pragma once
// A table a page keeps in memory and writes back with the save, as it lies in the ROM. The
// table import lays these over the ROM, so that it works on what the pages show, and hands
// changed bytes back through `store`, the way the page's own stores change its copy.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct PageCopy {
  std::string name;            // "base_stats", "species_names", ...
  uint64_t offset = 0;         // ROM offset of its first byte
  size_t record_size = 1;      // bytes per record
  std::vector<uint8_t> bytes;  // the page's copy now
  std::function<void(const std::vector<uint8_t>&)> store;
};
