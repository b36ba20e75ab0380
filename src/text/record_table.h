#pragma once
// A program-wide table of fixed-size records that carry a name field: the item table, the
// species names, the move names, the trainer classes. One page reads and writes it; every page
// that offers a choice of its entries fills a list from it by the one list rule.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/name_tables.h"
#include "text/vantari_text.h"

namespace text {

struct RecordLayout {
  size_t record_size;
  NameField name;     // the name at offset 0
  int decoded_bytes;  // bytes a list entry decodes
};

class CRecordTable {
 public:
  // `numbered` is the switch that asks for "%03d:%s" entries.
  CRecordTable(RecordLayout layout, const CVantariText& codec, const bool& numbered)
      : layout_(layout), codec_(codec), numbered_(numbered) {}

  const RecordLayout& layout() const { return layout_; }
  int32_t count() const { return int32_t(bytes_.size() / layout_.record_size); }
  // Read completely from the ROM: only then is it shown and written back.
  bool loaded() const { return loaded_; }
  void set_loaded(bool loaded) { loaded_ = loaded && !bytes_.empty(); }
  // The records back to back; a page fills or sizes it in its passes.
  std::vector<uint8_t>& bytes() { return bytes_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  // `count` zeroed records (none for a count that is not positive); not loaded.
  void Reset(int32_t count);
  void Free();

  uint8_t* record(int32_t index);
  const uint8_t* record(int32_t index) const;

  // The list line of record `index`: its decoded name, "%d" when the name gives no text,
  // "%03d:%s" while the numbering switch is on.
  std::string Entry(int32_t index) const;
  // Adds every entry in table order; the list is not emptied first.
  void FillList(INameList& list) const;
  // Stores a typed name into record `index` by the name-field rule.
  NameStoreResult StoreName(int32_t index, std::string_view typed);

  // A page's rename command: the status text (empty: cleared, or `prompt` for an empty name)
  // and, when the name was stored, the record's new list line.
  struct Rename {
    std::string status;
    bool stored = false;
    std::string entry;
  };
  Rename RenameRecord(int32_t index, std::string_view typed, const char* prompt);

 private:
  RecordLayout layout_;
  const CVantariText& codec_;
  const bool& numbered_;
  std::vector<uint8_t> bytes_;
  bool loaded_ = false;
};

}  // namespace text
