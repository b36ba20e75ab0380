#include "text/record_table.h"

namespace text {

void CRecordTable::Reset(int32_t count) {
  bytes_.assign(count > 0 ? size_t(count) * layout_.record_size : 0, 0);
  loaded_ = false;
}

void CRecordTable::Free() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  loaded_ = false;
}

uint8_t* CRecordTable::record(int32_t index) {
  return index >= 0 && index < count() ? bytes_.data() + size_t(index) * layout_.record_size : nullptr;
}

const uint8_t* CRecordTable::record(int32_t index) const {
  return index >= 0 && index < count() ? bytes_.data() + size_t(index) * layout_.record_size : nullptr;
}

std::string CRecordTable::Entry(int32_t index) const {
  const uint8_t* bytes = record(index);
  if (bytes == nullptr) return {};
  return NameEntryText(codec_, bytes, layout_.decoded_bytes, index, numbered_);
}

void CRecordTable::FillList(INameList& list) const {
  for (int32_t i = 0; i < count(); ++i) list.AddEntry(Entry(i));
}

NameStoreResult CRecordTable::StoreName(int32_t index, std::string_view typed) {
  if (typed.empty()) return NameStoreResult::kEmptyText;
  uint8_t* field = record(index);
  if (field == nullptr) return NameStoreResult::kOutOfRange;
  return text::StoreName(codec_, typed, field, layout_.name);
}

CRecordTable::Rename CRecordTable::RenameRecord(int32_t index, std::string_view typed,
                                               const char* prompt) {
  Rename result;
  switch (StoreName(index, typed)) {
    case NameStoreResult::kEmptyText:
      result.status = prompt;
      break;
    case NameStoreResult::kStored:
      result.stored = true;
      result.entry = Entry(index);
      break;
    case NameStoreResult::kOutOfRange:
      break;
  }
  return result;
}

}  // namespace text
