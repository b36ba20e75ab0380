#pragma once
// One field of a ROM record, described once. The pages reach the field through it (a field
// stands for its byte offset wherever code indexes a record), and the table export and import
// take its column name, width, range and kind from the same description.
#include <cstddef>
#include <cstdint>

enum class FieldKind : uint8_t {
  kNumber,  // unsigned, little-endian, `width` bytes; or `bits` bits from bit `shift`
  kFlag,    // one bit (or a byte holding 0 or 1)
  kText,    // game text of `width` bytes, ended by 0xFF
  kList,    // an entry of the named list
};

// The named lists a field's value indexes. Species, moves, items and trainer classes come from
// the ROM; abilities and effects from tokusei.ini and effects.ini; the rest are the pages' own.
enum class NameList : uint8_t {
  kNone,
  kSpecies,
  kMove,
  kItem,
  kType,
  kAbility,
  kTrainerClass,
  kGrowth,
  kEggGroup,
  kEvolutionMethod,
  kPocket,
  kBattleUse,
  kEffect,
  kPartyType,
  kMultiplier,
};

struct RecordField {
  const char* column = "";  // stable ASCII column name
  size_t offset = 0;        // byte offset in the record
  size_t width = 1;         // bytes
  int64_t min = 0, max = 0;  // what a value may be (a list: checked against the list as well)
  FieldKind kind = FieldKind::kNumber;
  NameList list = NameList::kNone;
  uint8_t shift = 0, bits = 0;  // a bit field inside the width (bits 0: the whole bytes)

  constexpr operator size_t() const { return offset; }
  constexpr bool bit_field() const { return bits != 0; }
};

// Shorthands for the layout headers.
constexpr RecordField NumberField(const char* column, size_t offset, size_t width, int64_t max, int64_t min = 0) {
  return RecordField{column, offset, width, min, max, FieldKind::kNumber, NameList::kNone, 0, 0};
}
constexpr RecordField ListField(const char* column, size_t offset, size_t width, NameList list) {
  return RecordField{column, offset, width, 0, (int64_t(1) << (8 * width)) - 1, FieldKind::kList, list, 0, 0};
}
constexpr RecordField TextField(const char* column, size_t offset, size_t width) {
  return RecordField{column, offset, width, 0, 0, FieldKind::kText, NameList::kNone, 0, 0};
}
constexpr RecordField BitsField(const char* column, size_t offset, size_t width, uint8_t shift, uint8_t bits) {
  return RecordField{column, offset, width, 0, (int64_t(1) << bits) - 1,
                     bits == 1 ? FieldKind::kFlag : FieldKind::kNumber, NameList::kNone, shift, bits};
}

// The value of a number, flag or list field in `record`.
inline uint32_t GetField(const uint8_t* record, const RecordField& field) {
  uint32_t value = 0;
  for (size_t i = 0; i < field.width && i < 4; ++i) value |= uint32_t(record[field.offset + i]) << (8 * i);
  if (field.bit_field()) value = value >> field.shift & ((uint32_t(1) << field.bits) - 1);
  return value;
}

// Stores `value` into the field; the other bits of a bit field's bytes stay.
inline void PutField(uint8_t* record, const RecordField& field, uint32_t value) {
  uint32_t word = value;
  if (field.bit_field()) {
    const uint32_t mask = ((uint32_t(1) << field.bits) - 1) << field.shift;
    word = GetField(record, RecordField{field.column, field.offset, field.width}) & ~mask;
    word |= value << field.shift & mask;
  }
  for (size_t i = 0; i < field.width && i < 4; ++i) record[field.offset + i] = uint8_t(word >> (8 * i));
}
