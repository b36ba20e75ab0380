// The tables whose lists vary in length (learnsets, parties, the type chart) and the egg-move
// words: one row per entry, the owner and the entry's position as keys. A list that grows moves
// to free space as its page moves it: the list and its end first, the pointer last.
#include <algorithm>
#include <cstdio>
#include <map>

#include "core/rom_address.h"
#include "editors/egg_moves/egg_moves_layout.h"
#include "editors/monster/monster_layout.h"
#include "editors/trainer/trainer_layout.h"
#include "editors/type_chart/type_chart_layout.h"
#include "tables/table_kinds.h"
#include "text/name_tables.h"

namespace tables {

namespace {

namespace M = monster_layout;
namespace T = trainer_layout;
namespace C = type_chart_layout;
namespace E = egg_moves_layout;

constexpr uint8_t kUpperHalf = 0x09;

std::string Hex(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

// Rows grouped by their owner, each owner's rows by entry: entries must run 0, 1, ... without a
// gap or a second row for one entry.
struct Entries {
  std::map<int64_t, std::map<int64_t, const std::vector<Cell>*>> owners;
};

bool Group(CWorkspace& work, const Grid& grid, const CColumns& columns, const std::string& owner,
           const NamedList* owners, int64_t owner_count, int64_t max_entries, Entries& out) {
  for (const std::vector<Cell>& row : grid.rows) {
    int64_t who = 0, entry = 0;
    if (!owner.empty() && !ReadKey(work, columns, row, owner, owners, owner_count, who)) continue;
    if (!ReadKey(work, columns, row, "entry", nullptr, max_entries, entry)) continue;
    auto& list = out.owners[who];
    if (!list.emplace(entry, &row).second) {
      work.Problem(columns.Any(row), "a second row for entry " + Number(entry) +
                                         (owner.empty() ? "" : " of " + owner + " " + Number(who)));
    }
  }
  bool ok = true;
  for (auto& [who, list] : out.owners) {
    if (std::prev(list.end())->first != int64_t(list.size()) - 1) {
      int64_t missing = 0;
      while (list.count(missing)) ++missing;
      work.Problem(columns.Any(*std::prev(list.end())->second),
                   "entry " + Number(missing) + " is missing" + (owner.empty() ? "" : " from " + owner + " " + Number(who)) +
                       ": a list's entries run 0, 1, 2, ...");
      ok = false;
    }
  }
  return ok;
}

// The value a row gives a field, or `old` without one; `has_old` false makes it required.
bool Take(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, const std::string& column,
          const RecordField& field, int64_t old, bool has_old, int64_t& value, int64_t max = -1) {
  const NamedList* list = field.kind == FieldKind::kList ? &work.List(field.list) : nullptr;
  std::optional<int64_t> given;
  const Cell* used = nullptr;
  if (!ReadValue(work, columns, row, column, list, given, &used)) return false;
  if (!given) {
    if (!has_old) {
      work.Problem(columns.Any(row), column + " is needed for a new entry");
      return false;
    }
    value = old;
    return true;
  }
  if (has_old && *given == old) {
    value = old;
    return true;
  }
  if (!CheckValue(work, *used, column, field, list, *given, field.min, max >= 0 ? max : field.max)) return false;
  value = *given;
  return true;
}

// Writes `bytes` over the list at `old` when they fit in `old_room`, else at a new place; the
// new offset (the old one when it stayed).
bool PutList(CWorkspace& work, const std::vector<uint8_t>& bytes, uint64_t old, size_t old_room, bool readable,
             Space space, const Cell& cell, uint64_t& at) {
  if (readable && bytes.size() <= old_room) {
    at = old;
  } else {
    std::string reason;
    if (!work.Place(bytes.size(), space, at, reason)) {
      work.Problem(cell, reason);
      return false;
    }
  }
  std::copy(bytes.begin(), bytes.end(), work.image().begin() + std::ptrdiff_t(at));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Learnsets: species, entry, level, move.

class CLearnsetTable : public CTable {
 public:
  const char* name() const override { return "learnsets"; }
  bool Located(CWorkspace& work) const override { return work.FindBlock("learnset_pointers") != nullptr; }
  std::vector<Column> Columns(CWorkspace&) const override {
    std::vector<Column> columns{{"species", true}, {"species_name", false}, {"entry", true}};
    AddColumns(columns, "level", M::kLearnsetLevel);
    AddColumns(columns, "move", M::kLearnsetMove);
    return columns;
  }
  std::vector<std::string> Keys() const override { return {"species", "entry"}; }
  size_t MaxRows(CWorkspace&) const override { return size_t(M::kSpecies) * M::kLearnsetReadCap; }

  void Export(CWorkspace& work, Rows& rows) const override {
    const NamedList& species = work.List(NameList::kSpecies);
    for (int s = 0; s < M::kSpecies; ++s) {
      List list = Read(work, s);
      for (size_t i = 0; i < list.entries.size(); ++i) {
        std::vector<std::string> row{Number(s), species.NameOf(s), Number(int64_t(i))};
        uint8_t entry[2];
        rom::Put16(entry, list.entries[i]);
        AddCells(work, row, M::kLearnsetLevel, entry);
        AddCells(work, row, M::kLearnsetMove, entry);
        rows.push_back(std::move(row));
      }
    }
  }

  void Import(CWorkspace& work, const Grid& grid, const CColumns& columns, Space space) const override {
    Entries groups;
    if (!Group(work, grid, columns, "species", &work.List(NameList::kSpecies), M::kSpecies, M::kLearnsetReadCap, groups))
      return;
    for (const auto& [s, rows] : groups.owners) {
      List old = Read(work, int(s));
      if (!old.placed) {
        work.Problem(columns.Any(*rows.begin()->second), "species " + Number(s) + " has no learnset the page can read");
        continue;
      }
      std::vector<uint16_t> entries;
      bool ok = true;
      for (const auto& [i, row] : rows) {
        const bool has_old = size_t(i) < old.entries.size();
        uint8_t entry[2] = {0, 0};
        if (has_old) rom::Put16(entry, old.entries[size_t(i)]);
        int64_t level = 0, move = 0;
        if (!Take(work, columns, *row, "level", M::kLearnsetLevel, GetField(entry, M::kLearnsetLevel), has_old, level) ||
            !Take(work, columns, *row, "move", M::kLearnsetMove, GetField(entry, M::kLearnsetMove), has_old, move)) {
          ok = false;
          continue;
        }
        const uint16_t value = M::LearnsetEntry(int(level), int(move));
        if (value == M::kLearnsetEnd) {
          work.Problem(columns.Any(*row), "level 127 with move 511 reads as the list's end");
          ok = false;
        }
        entries.push_back(value);
      }
      if (!ok || entries == old.entries) continue;
      ++work.records;
      // The same length: in place, the list's end (and anything read past) stays as it is.
      std::vector<uint8_t> bytes(entries.size() * M::kLearnsetEntrySize);
      for (size_t i = 0; i < entries.size(); ++i) rom::Put16(bytes.data() + i * M::kLearnsetEntrySize, entries[i]);
      if (entries.size() != old.entries.size()) bytes.insert(bytes.end(), {0xFF, 0xFF});
      uint64_t at = 0;
      if (!PutList(work, bytes, old.offset, old.entries.size() * M::kLearnsetEntrySize + (old.ended ? 2 : 0),
                   true, space, columns.Any(*rows.begin()->second), at))
        continue;
      if (at != old.offset) {
        const Block& table = *work.FindBlock("learnset_pointers");
        PutOffsetAddress(work.Record(table, size_t(s)), at);
        work.MarkPointer(table.offset + size_t(s) * table.record_size, M::kLearnsetPointerSize);
        work.Report("learnsets: species " + Number(s) + " moved to " + Hex(at) + " (" + std::to_string(bytes.size()) +
                    " bytes)");
      }
    }
  }

 private:
  struct List {
    bool placed = false, ended = false;
    uint64_t offset = 0;
    std::vector<uint16_t> entries;
  };
  // The list as the page reads it: at most 200 entries, up to its end or the file's.
  static List Read(CWorkspace& work, int species) {
    List list;
    const Block& table = *work.FindBlock("learnset_pointers");
    const uint32_t address = rom::Get32(work.Record(table, size_t(species)));
    if (!AddressToOffset(address, list.offset) || list.offset >= work.image().size()) return list;
    list.placed = true;
    const std::vector<uint8_t>& image = work.image();
    for (uint64_t at = list.offset; at + 2 <= image.size() && list.entries.size() < size_t(M::kLearnsetReadCap); at += 2) {
      const uint16_t entry = rom::Get16(image.data() + at);
      if (entry == M::kLearnsetEnd) {
        list.ended = true;
        break;
      }
      list.entries.push_back(entry);
    }
    return list;
  }
};

// ---------------------------------------------------------------------------------------------
// Parties: trainer, entry, type and the members' fields.

class CPartyTable : public CTable {
 public:
  const char* name() const override { return "parties"; }
  bool Located(CWorkspace& work) const override { return work.FindBlock("trainers") != nullptr; }
  std::vector<Column> Columns(CWorkspace&) const override {
    std::vector<Column> columns{{"trainer", true}, {"entry", true}};
    AddColumns(columns, "type", T::kDataType);
    AddColumns(columns, "unknown", T::kUnknown);
    AddColumns(columns, "level", T::kLevel);
    AddColumns(columns, "species", T::kSpecies);
    AddColumns(columns, "item", ItemField());
    for (int i = 0; i < 4; ++i) AddColumns(columns, MoveColumn(i), MoveField());
    return columns;
  }
  std::vector<std::string> Keys() const override { return {"trainer", "entry"}; }
  size_t MaxRows(CWorkspace& work) const override { return work.FindBlock("trainers")->count * T::kMaxMembers; }

  void Export(CWorkspace& work, Rows& rows) const override {
    const Block& trainers = *work.FindBlock("trainers");
    for (size_t t = 0; t < trainers.count; ++t) {
      Party party = Read(work, t);
      if (!party.readable) continue;
      for (size_t m = 0; m < party.members.size(); ++m) {
        const Member& member = party.members[m];
        std::vector<std::string> row{Number(int64_t(t)), Number(int64_t(m))};
        uint8_t type = uint8_t(party.type);
        AddCells(work, row, T::kDataType, &type);
        AddCells(work, row, T::kUnknown, member.bytes.data());
        AddCells(work, row, T::kLevel, member.bytes.data());
        AddCells(work, row, T::kSpecies, member.bytes.data());
        const int cells = 2 * (1 + 4);
        std::vector<std::string> rest(cells);
        if (T::HasItem(party.type)) Put(work, rest, 0, member.item, NameList::kItem);
        if (T::HasMoves(party.type))
          for (int i = 0; i < 4; ++i) Put(work, rest, size_t(2 + 2 * i), member.moves[size_t(i)], NameList::kMove);
        row.insert(row.end(), rest.begin(), rest.end());
        rows.push_back(std::move(row));
      }
    }
  }

  void Import(CWorkspace& work, const Grid& grid, const CColumns& columns, Space space) const override {
    const Block& trainers = *work.FindBlock("trainers");
    Entries groups;
    if (!Group(work, grid, columns, "trainer", nullptr, int64_t(trainers.count), T::kMaxMembers, groups)) return;
    for (const auto& [t, rows] : groups.owners) {
      const Party old = Read(work, size_t(t));
      const Cell& first = columns.Any(*rows.begin()->second);
      // One type for the whole party.
      std::optional<int64_t> chosen;
      bool ok = true;
      for (const auto& [m, row] : rows) {
        std::optional<int64_t> given;
        const Cell* used = nullptr;
        if (!ReadValue(work, columns, *row, "type", &work.List(NameList::kPartyType), given, &used)) {
          ok = false;
        } else if (given && chosen && *given != *chosen) {
          work.Problem(*used, "trainer " + Number(t) + ": its members give different types");
          ok = false;
        } else if (given && *given != old.type &&
                   !CheckValue(work, *used, "type", T::kDataType, &work.List(NameList::kPartyType), *given, 0,
                               T::kDataTypeCount - 1)) {
          ok = false;
        } else if (given) {
          chosen = given;
        }
      }
      if (!ok) continue;
      const int64_t type = chosen.value_or(old.type);
      std::vector<uint8_t> bytes;
      for (const auto& [m, row] : rows) {
        const bool has_old = old.readable && size_t(m) < old.members.size();
        Member member = has_old ? old.members[size_t(m)] : Member{};
        if (!TakeMember(work, columns, *row, int(type), has_old, member)) {
          ok = false;
          continue;
        }
        Pack(int(type), member, bytes);
      }
      if (!ok) continue;
      if (old.readable && type == old.type && bytes == old.bytes) continue;
      ++work.records;
      uint64_t at = 0;
      if (!PutList(work, bytes, old.offset, old.bytes.size(), old.readable, space, first, at)) continue;
      uint8_t* record = work.Record(trainers, size_t(t));
      record[T::kDataType] = uint8_t(type);
      record[T::kPartySize] = uint8_t(rows.size());
      if (at != old.offset || !old.readable) {
        PutOffsetAddress(record + T::kPartyAddress, at);
        work.MarkPointer(trainers.offset + size_t(t) * trainers.record_size + T::kPartyAddress, 4);
        work.Report("parties: trainer " + Number(t) + " moved to " + Hex(at) + " (" + std::to_string(bytes.size()) +
                    " bytes)");
      }
    }
  }

 private:
  struct Member {
    std::array<uint8_t, 16> bytes{};  // as the ROM holds it (8 bytes for the types without moves)
    int64_t item = 0;
    std::array<int64_t, 4> moves{};
  };
  struct Party {
    bool readable = false;
    int type = 0;
    uint64_t offset = 0;
    std::vector<uint8_t> bytes;
    std::vector<Member> members;
  };

  static RecordField ItemField() { return ListField("item", 0, 2, NameList::kItem); }
  static RecordField MoveField() { return ListField("move", 0, 2, NameList::kMove); }
  static std::string MoveColumn(int i) { return "move" + std::to_string(i + 1); }
  // Where the held item and the moves lie in a member of `type`.
  static size_t ItemAt() { return T::kExtra; }
  static size_t MoveAt(int type, int i) { return type == 1 ? (i == 0 ? T::kExtra : T::kBlock + size_t(2 * (i - 1))) : T::kBlock + size_t(2 * i); }

  void Put(CWorkspace& work, std::vector<std::string>& cells, size_t at, int64_t value, NameList list) const {
    cells[at] = Number(value);
    cells[at + 1] = work.List(list).NameOf(value);
  }

  static Party Read(CWorkspace& work, size_t t) {
    Party party;
    const uint8_t* record = work.Record(*work.FindBlock("trainers"), t);
    party.type = record[T::kDataType];
    const size_t size = std::min<size_t>(record[T::kPartySize], T::kMaxMembers);
    party.offset = uint64_t(record[T::kPartyAddress]) | uint64_t(record[T::kPartyAddress + 1]) << 8 |
                   uint64_t(record[T::kPartyAddress + 2]) << 16 | (record[T::kPartyAddress + 3] == kUpperHalf ? 1u << 24 : 0);
    const size_t member_size = T::MemberSize(party.type);
    if (party.offset + size * member_size > work.image().size()) return party;
    party.readable = true;
    const uint8_t* bytes = work.image().data() + party.offset;
    party.bytes.assign(bytes, bytes + size * member_size);
    for (size_t m = 0; m < size; ++m) {
      Member member;
      std::copy_n(bytes + m * member_size, member_size, member.bytes.begin());
      if (T::HasItem(party.type)) member.item = rom::Get16(member.bytes.data() + ItemAt());
      if (T::HasMoves(party.type))
        for (int i = 0; i < 4; ++i) member.moves[size_t(i)] = rom::Get16(member.bytes.data() + MoveAt(party.type, i));
      party.members.push_back(member);
    }
    return party;
  }

  bool TakeMember(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, int type, bool has_old,
                  Member& member) const {
    int64_t value = 0;
    bool ok = true;
    for (const RecordField& field : {T::kUnknown, T::kLevel, T::kSpecies}) {
      const bool required = !has_old && field.offset != T::kUnknown.offset;
      if (Take(work, columns, row, field.column, field, GetField(member.bytes.data(), field), !required, value))
        PutField(member.bytes.data(), field, uint32_t(value));
      else ok = false;
    }
    // The item and the moves only where the type has them.
    auto only = [&](const std::string& column, bool allowed, int64_t& field, NameList list) {
      if (!allowed) {
        if (const Cell* cell = columns.Value(row, column); cell || columns.Value(row, NameColumn(column))) {
          work.Problem(cell ? *cell : *columns.Value(row, NameColumn(column)),
                       column + ": a member of type " + Number(type) + " has none");
          ok = false;
        }
        return;
      }
      const RecordField f = ListField(column.c_str(), 0, 2, list);
      if (Take(work, columns, row, column, f, field, true, value)) field = value;
      else ok = false;
    };
    only("item", T::HasItem(type), member.item, NameList::kItem);
    for (int i = 0; i < 4; ++i) only(MoveColumn(i), T::HasMoves(type), member.moves[size_t(i)], NameList::kMove);
    return ok;
  }

  static void Pack(int type, const Member& member, std::vector<uint8_t>& out) {
    std::array<uint8_t, 16> bytes = member.bytes;
    if (T::HasItem(type)) rom::Put16(bytes.data() + ItemAt(), uint16_t(member.item));
    if (T::HasMoves(type))
      for (int i = 0; i < 4; ++i) rom::Put16(bytes.data() + MoveAt(type, i), uint16_t(member.moves[size_t(i)]));
    out.insert(out.end(), bytes.begin(), bytes.begin() + std::ptrdiff_t(T::MemberSize(type)));
  }
};

// ---------------------------------------------------------------------------------------------
// The type chart: entry, attacker, defender, multiplier; the rows are the whole list.

class CTypeChartTable : public CTable {
 public:
  static constexpr int64_t kMaxEntries = 65536;
  const char* name() const override { return "type-chart"; }
  bool Located(CWorkspace& work) const override {
    return work.FindBlock("type_chart") != nullptr && work.FindBlock("type_chart_pointer") != nullptr;
  }
  std::vector<Column> Columns(CWorkspace&) const override {
    std::vector<Column> columns{{"entry", true}};
    AddColumns(columns, C::kAttacker.column, C::kAttacker);
    AddColumns(columns, C::kDefender.column, C::kDefender);
    AddColumns(columns, C::kMultiplier.column, C::kMultiplier);
    return columns;
  }
  std::vector<std::string> Keys() const override { return {"entry"}; }
  size_t MaxRows(CWorkspace&) const override { return size_t(kMaxEntries); }

  void Export(CWorkspace& work, Rows& rows) const override {
    const Block& chart = *work.FindBlock("type_chart");
    for (size_t e = 0; e < chart.count; ++e) {
      std::vector<std::string> row{Number(int64_t(e))};
      for (const RecordField& f : {C::kAttacker, C::kDefender, C::kMultiplier}) AddCells(work, row, f, work.Record(chart, e));
      rows.push_back(std::move(row));
    }
  }

  void Import(CWorkspace& work, const Grid& grid, const CColumns& columns, Space space) const override {
    const Block& chart = *work.FindBlock("type_chart");
    Entries groups;
    if (!Group(work, grid, columns, "", nullptr, 1, kMaxEntries, groups)) return;
    const auto& rows = groups.owners[0];
    std::vector<uint8_t> entries;
    bool ok = true;
    size_t changed = 0;
    for (const auto& [e, row] : rows) {
      const bool has_old = size_t(e) < chart.count;
      std::array<uint8_t, C::kEntrySize> entry{};
      if (has_old) std::copy_n(work.Record(chart, size_t(e)), C::kEntrySize, entry.begin());
      const auto before = entry;
      for (const RecordField& f : {C::kAttacker, C::kDefender, C::kMultiplier}) {
        int64_t value = 0;
        if (Take(work, columns, *row, f.column, f, GetField(entry.data(), f), has_old, value))
          PutField(entry.data(), f, uint32_t(value));
        else ok = false;
      }
      changed += entry != before || !has_old;
      entries.insert(entries.end(), entry.begin(), entry.end());
    }
    if (!ok) return;
    work.records += changed + (rows.size() < chart.count ? chart.count - rows.size() : 0);
    if (rows.size() == chart.count) {
      std::copy(entries.begin(), entries.end(), work.image().begin() + std::ptrdiff_t(chart.offset));
      return;
    }
    // Another length: the list and its end go to the ROM at once, in place when shorter.
    work.MakeDirect("type_chart");
    entries.insert(entries.end(), {C::kEndByte, C::kEndByte});
    uint64_t at = 0;
    if (!PutList(work, entries, chart.offset, C::ListBytes(int64_t(chart.count)), true, space,
                 columns.Any(*rows.begin()->second), at))
      return;
    if (at != chart.offset) {
      const Block& pointer = *work.FindBlock("type_chart_pointer");
      rom::Put32(work.Record(pointer, 0), rom::OffsetToPointer(uint32_t(at)));
      work.MarkPointer(pointer.offset, C::kPointerSize);
      work.Report("type-chart: " + std::to_string(rows.size()) + " entries moved to " + Hex(at) + " (" +
                  std::to_string(entries.size()) + " bytes)");
    }
  }
};

// ---------------------------------------------------------------------------------------------
// Egg moves: one row per word of the table, a species (a group's start) or a move.

class CEggMoveTable : public CTable {
 public:
  const char* name() const override { return "egg-moves"; }
  bool Located(CWorkspace& work) const override { return work.FindBlock("egg_moves") != nullptr; }
  std::vector<Column> Columns(CWorkspace&) const override {
    std::vector<Column> columns{{"entry", true}};
    AddColumns(columns, "species", Species());
    AddColumns(columns, "move", Move());
    return columns;
  }
  std::vector<std::string> Keys() const override { return {"entry"}; }
  size_t MaxRows(CWorkspace& work) const override { return work.FindBlock("egg_moves")->count; }

  void Export(CWorkspace& work, Rows& rows) const override {
    const Block& words = *work.FindBlock("egg_moves");
    for (size_t i = 0; i < words.count; ++i) {
      const uint16_t word = rom::Get16(work.Record(words, i));
      std::vector<std::string> row{Number(int64_t(i)), "", "", "", ""};
      if (E::IsMarker(word)) {
        row[1] = Number(word - E::kMarkerBase);
        row[2] = work.List(NameList::kSpecies).NameOf(word - E::kMarkerBase);
      } else if (!E::IsEnd(word)) {
        row[3] = Number(word);
        row[4] = work.List(NameList::kMove).NameOf(word);
      }
      rows.push_back(std::move(row));
    }
  }

  void Import(CWorkspace& work, const Grid& grid, const CColumns& columns, Space) const override {
    const Block& words = *work.FindBlock("egg_moves");
    std::vector<bool> seen(words.count);
    for (const std::vector<Cell>& row : grid.rows) {
      int64_t i = 0;
      const Cell& at = columns.Any(row);
      if (const Cell* entry = columns.Value(row, "entry"); entry && ParseNumber(entry->text, i) && i >= int64_t(words.count)) {
        work.Problem(*entry, "the egg-move table has " + std::to_string(words.count) + " entries and never grows");
        continue;
      }
      if (!ReadKey(work, columns, row, "entry", nullptr, int64_t(words.count), i)) continue;
      if (seen[size_t(i)]) {
        work.Problem(at, "a second row for entry " + Number(i));
        continue;
      }
      seen[size_t(i)] = true;
      uint8_t* word = work.Record(words, size_t(i));
      const uint16_t old = rom::Get16(word);
      std::optional<int64_t> species, move;
      const Cell *species_cell = nullptr, *move_cell = nullptr;
      if (!ReadValue(work, columns, row, "species", &work.List(NameList::kSpecies), species, &species_cell) ||
          !ReadValue(work, columns, row, "move", &work.List(NameList::kMove), move, &move_cell))
        continue;
      if (species && move) {
        work.Problem(*move_cell, "an entry is a species or a move, not both");
        continue;
      }
      if (!species && !move) continue;
      const int64_t wanted = species ? *species + E::kMarkerBase : *move;
      if (wanted == old) continue;
      if (E::IsEnd(old)) {
        work.Problem(species ? *species_cell : *move_cell, "entry " + Number(i) + " is the table's end, which stays");
        continue;
      }
      // Species 0 would make the word 20000, which reads as a move.
      if (species && !CheckValue(work, *species_cell, "species", Species(), &work.List(NameList::kSpecies), *species, 1,
                                 int64_t(text::kSpeciesCount) - 1))
        continue;
      if (move && !CheckValue(work, *move_cell, "move", Move(), &work.List(NameList::kMove), *move, 0, E::kMarkerBase))
        continue;
      rom::Put16(word, uint16_t(wanted));
      ++work.records;
    }
  }

 private:
  static RecordField Species() { return ListField("species", 0, 2, NameList::kSpecies); }
  static RecordField Move() { return ListField("move", 0, 2, NameList::kMove); }
};

}  // namespace

std::unique_ptr<CTable> MakeLearnsetTable() { return std::make_unique<CLearnsetTable>(); }
std::unique_ptr<CTable> MakePartyTable() { return std::make_unique<CPartyTable>(); }
std::unique_ptr<CTable> MakeTypeChartTable() { return std::make_unique<CTypeChartTable>(); }
std::unique_ptr<CTable> MakeEggMoveTable() { return std::make_unique<CEggMoveTable>(); }

void AddColumns(std::vector<Column>& columns, const std::string& name, const RecordField& field) {
  columns.push_back({name, true});
  if (field.kind == FieldKind::kList) columns.push_back({NameColumn(name), false});
}

void AddCells(CWorkspace& work, std::vector<std::string>& row, const RecordField& field, const uint8_t* record) {
  const int64_t value = GetField(record, field);
  row.push_back(Number(value));
  if (field.kind == FieldKind::kList) row.push_back(work.List(field.list).NameOf(value));
}

bool ReadKey(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, const std::string& column,
             const NamedList* list, int64_t count, int64_t& key) {
  std::optional<int64_t> value;
  const Cell* used = nullptr;
  if (!ReadValue(work, columns, row, column, list, value, &used)) return false;
  if (!value) {
    work.Problem(columns.Any(row), "the row has no " + column);
    return false;
  }
  if (*value >= count) {
    work.Problem(*used, column + " " + Number(*value) + " does not exist (0-" + Number(count - 1) + ")");
    return false;
  }
  key = *value;
  return true;
}

bool AddressToOffset(uint32_t address, uint64_t& offset) {
  if ((address & 0xFE000000u) != kGbaBase) return false;
  offset = address & ~kGbaBase;
  return true;
}

void PutOffsetAddress(uint8_t* at, uint64_t offset, size_t bytes) {
  for (size_t i = 0; i < 3 && i < bytes; ++i) at[i] = uint8_t(offset >> (8 * i));
  if (bytes > 3) at[3] = offset >> 24 ? kUpperHalf : uint8_t(kGbaBase >> 24);
}

}  // namespace tables
