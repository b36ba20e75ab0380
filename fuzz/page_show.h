#pragma once
// What the passes target does to a page between its read and its save: the calls its view makes
// when a record is chosen, and its store of what it shows. Each page has its show in a file of
// its own under fuzz/pages/ (every file there is built into the target); a page without one is
// still loaded and saved by every input.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

#include "core/typed_fields.h"

namespace passes_fuzz {

// Lists longer than this are shown a line at a time, not whole.
constexpr int kWholeListLimit = 2048;

struct Context {
  std::filesystem::path rom;
  std::vector<int> records;  // first records and picks, possibly outside every table
};

[[noreturn]] void Fail(const char* page, const char* what);

// Storing what a page shows, untouched, keeps the record as it was. Left out: a store that
// said it replaced a value, and the bytes in `kept` (fields a box shows as on or off, texts the
// codec may spell differently), which are put back before the comparison.
struct Kept {
  size_t offset;
  uint8_t mask;  // the bits put back
};

void CheckStoredAsShown(const char* page, uint8_t* record, const std::vector<uint8_t>& before,
                        std::initializer_list<Kept> kept);

template <class Store>
void StoreAsShown(const char* page, uint8_t* record, size_t size, std::initializer_list<Kept> kept, Store store) {
  if (record == nullptr) return;
  const std::vector<uint8_t> before(record, record + size);
  if (!store()) {
    // A value was clamped: the record changed for a reason. Put back, so that the save that
    // follows still has nothing to write.
    std::memcpy(record, before.data(), size);
    return;
  }
  CheckStoredAsShown(page, record, before, kept);
}

inline bool Done(const std::string& status) { return status == kStatusDone; }
inline bool Done(const std::optional<std::string>& status) { return status && *status == kStatusDone; }

// The shows by rules class; a page's file adds its own with a PageShow.
using ShowFunction = std::function<void(void* rules, const Context&)>;
std::map<std::type_index, ShowFunction>& PageShows();

template <class Rules>
struct PageShow {
  explicit PageShow(void (*show)(Rules&, const Context&)) {
    PageShows()[std::type_index(typeid(Rules))] = [show](void* rules, const Context& c) {
      show(*static_cast<Rules*>(rules), c);
    };
  }
};

}  // namespace passes_fuzz
