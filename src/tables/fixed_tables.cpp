// The tables of fixed records: one row per record (per evolution slot), one column per field.
#include <algorithm>
#include <cstdio>
#include <map>

#include "core/rom_address.h"
#include "editors/extras/extras_layout.h"
#include "editors/item/item_layout.h"
#include "editors/monster/monster_layout.h"
#include "editors/move/move_layout.h"
#include "editors/monster/monster_rules.h"
#include "editors/trades/trade_layout.h"
#include "editors/trainer/trainer_layout.h"
#include "tables/table_kinds.h"
#include "text/shared_tables.h"

namespace tables {

namespace {

namespace M = monster_layout;

// A field of the records of one block, or a name field written by `text`.
struct FieldColumn {
  RecordField field;
  const char* block;
  TextRule text{0};
  bool when_flee_rate = false;  // only where the game uses it
};

class CFieldTable : public CTable {
 public:
  // Rows are the records of `block`; `slots` rows per record (evolutions) of `slot_size` bytes.
  CFieldTable(const char* name, const char* block, std::vector<FieldColumn> fields, const char* key = "index",
              NameList key_list = NameList::kNone, int slots = 1, size_t slot_size = 0)
      : name_(name), block_(block), fields_(std::move(fields)), key_(key), key_list_(key_list), slots_(slots),
        slot_size_(slot_size) {}

  const char* name() const override { return name_; }
  bool Located(CWorkspace& work) const override { return work.FindBlock(block_) != nullptr; }

  std::vector<Column> Columns(CWorkspace& work) const override {
    std::vector<Column> columns{{key_, true}};
    if (key_list_ != NameList::kNone) columns.push_back({NameColumn(key_), false});
    if (slots_ > 1) columns.push_back({"slot", true});
    for (const FieldColumn& f : Used(work)) {
      if (f.text.width > 0) columns.push_back({f.field.column, false});
      else AddColumns(columns, f.field.column, f.field);
    }
    AddExtraColumns(columns);
    return columns;
  }
  std::vector<std::string> Keys() const override {
    return slots_ > 1 ? std::vector<std::string>{key_, "slot"} : std::vector<std::string>{key_};
  }
  size_t MaxRows(CWorkspace& work) const override { return Records(work) * size_t(slots_); }

  void Export(CWorkspace& work, Rows& rows) const override {
    const std::vector<FieldColumn> used = Used(work);
    const NamedList* keys = key_list_ != NameList::kNone ? &work.List(key_list_) : nullptr;
    for (size_t r = 0; r < Records(work); ++r) {
      for (int slot = 0; slot < slots_; ++slot) {
        std::vector<std::string> row{Number(int64_t(r))};
        if (keys) row.push_back(keys->NameOf(int64_t(r)));
        if (slots_ > 1) row.push_back(Number(slot));
        for (const FieldColumn& f : used) {
          const uint8_t* record = RecordOf(work, f, r, slot);
          if (f.text.width > 0) row.push_back(work.DecodeName(record + f.field.offset, f.text.width));
          else AddCells(work, row, f.field, record);
        }
        AddExtraCells(work, row, r);
        rows.push_back(std::move(row));
      }
    }
  }

  void Import(CWorkspace& work, const Grid& grid, const CColumns& columns, Space space) const override {
    const std::vector<FieldColumn> used = Used(work);
    const NamedList* keys = key_list_ != NameList::kNone ? &work.List(key_list_) : nullptr;
    std::map<std::pair<int64_t, int64_t>, uint32_t> seen;
    for (const std::vector<Cell>& row : grid.rows) {
      int64_t record = 0, slot = 0;
      if (!ReadKey(work, columns, row, key_, keys, int64_t(Records(work)), record)) continue;
      if (slots_ > 1 && !ReadKey(work, columns, row, "slot", nullptr, slots_, slot)) continue;
      const Cell& at = columns.Any(row);
      if (auto [it, fresh] = seen.emplace(std::pair(record, slot), at.line); !fresh) {
        work.Problem(at, "a second row for " + std::string(key_) + " " + Number(record) + " (the first is on line " +
                             std::to_string(it->second) + ")");
        continue;
      }
      bool changed = false;
      for (const FieldColumn& f : used) {
        uint8_t* bytes = RecordOf(work, f, size_t(record), int(slot));
        if (f.text.width > 0) changed |= ImportName(work, columns, row, bytes + f.field.offset, f.field.column, f.text);
        else changed |= ImportOne(work, columns, row, bytes, f.field, size_t(record));
      }
      changed |= ImportExtra(work, columns, row, size_t(record), space);
      if (changed) ++work.records;
    }
  }

 protected:
  virtual void AddExtraColumns(std::vector<Column>&) const {}
  virtual void AddExtraCells(CWorkspace&, std::vector<std::string>&, size_t) const {}
  virtual bool ImportExtra(CWorkspace&, const CColumns&, const std::vector<Cell>&, size_t, Space) const { return false; }
  // One field of a record; a table may add its own rules.
  virtual bool ImportOne(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, uint8_t* record,
                         const RecordField& field, size_t) const {
    return ImportField(work, columns, row, record, field, field.column);
  }

  size_t Records(CWorkspace& work) const {
    const Block* block = work.FindBlock(block_);
    size_t count = block ? block->count : 0;
    for (const FieldColumn& f : Used(work))
      if (const Block* other = work.FindBlock(f.block)) count = std::min(count, other->count);
    return count;
  }
  uint8_t* RecordOf(CWorkspace& work, const FieldColumn& f, size_t record, int slot) const {
    const Block* block = work.FindBlock(f.block);
    return work.Record(*block, record) + (f.block == std::string_view(block_) ? size_t(slot) * slot_size_ : 0);
  }
  // The fields whose block the source holds.
  std::vector<FieldColumn> Used(CWorkspace& work) const {
    std::vector<FieldColumn> used;
    for (const FieldColumn& f : fields_)
      if (work.FindBlock(f.block) && (!f.when_flee_rate || work.source().flee_rate)) used.push_back(f);
    return used;
  }

  const char* name_;
  const char* block_;
  std::vector<FieldColumn> fields_;
  const char* key_;
  NameList key_list_;
  int slots_;
  size_t slot_size_;
};

// Evolutions: what a parameter may be depends on the method, as on the page.
class CEvolutionTable : public CFieldTable {
 public:
  using CFieldTable::CFieldTable;

 protected:
  bool ImportOne(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, uint8_t* record,
                 const RecordField& field, size_t r) const override {
    if (&field != &fields_[1].field && field.offset != M::kEvolutionParameter.offset)
      return CFieldTable::ImportOne(work, columns, row, record, field, r);
    const EvolutionKind kind = EvolutionKindOf(int(GetField(record, M::kEvolutionMethod)));
    if (kind == EvolutionKind::kLevel) return ImportField(work, columns, row, record, field, field.column, 100);
    if (kind != EvolutionKind::kItem) return ImportField(work, columns, row, record, field, field.column);
    // An item-type method's parameter is an item.
    RecordField item = field;
    item.kind = FieldKind::kList;
    item.list = NameList::kItem;
    return ImportField(work, columns, row, record, item, field.column);
  }
};

// Trainers: the picture index stays within the pictures the game has.
class CTrainerTable : public CFieldTable {
 public:
  using CFieldTable::CFieldTable;

 protected:
  bool ImportOne(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, uint8_t* record,
                 const RecordField& field, size_t r) const override {
    if (field.offset == trainer_layout::kPicture.offset && work.source().picture_max >= 0)
      return ImportField(work, columns, row, record, field, field.column, std::min(work.source().picture_max, 255));
    return CFieldTable::ImportOne(work, columns, row, record, field, r);
  }
};

// Dex records: the description text behind each record's pointer, written in place while it
// fits the room its old text takes, else moved to free space with the pointer written last.
class CDexTable : public CFieldTable {
 public:
  using CFieldTable::CFieldTable;

 protected:
  void AddExtraColumns(std::vector<Column>& columns) const override { columns.push_back({"description", false}); }
  void AddExtraCells(CWorkspace& work, std::vector<std::string>& row, size_t r) const override {
    uint64_t offset = 0;
    size_t room = 0;
    const uint8_t* record = work.Record(*work.FindBlock(block_), r);
    row.push_back(AddressToOffset(GetField(record, M::kDexDescription), offset) ? work.DecodeText(offset, room) : "");
  }
  bool ImportExtra(CWorkspace& work, const CColumns& columns, const std::vector<Cell>& row, size_t r,
                   Space space) const override {
    const Cell* cell = columns.Value(row, "description");
    if (cell == nullptr) return false;
    uint8_t* record = work.Record(*work.FindBlock(block_), r);
    uint64_t offset = 0;
    size_t room = 0;
    const bool placed = AddressToOffset(GetField(record, M::kDexDescription), offset);
    if (placed && work.DecodeText(offset, room) == cell->text) return false;
    std::vector<uint8_t> codes;
    std::string reason;
    if (!work.EncodeText(cell->text, codes, reason)) {
      work.Problem(*cell, "description: " + reason);
      return false;
    }
    codes.push_back(text::kCodeTerminator);
    if (placed && room > 0 && codes.size() <= room) {
      if (!written_.emplace(offset, r).second) {
        work.Problem(*cell, "description: dex " + Number(int64_t(r)) + " shares its text with dex " +
                                Number(int64_t(written_[offset])) + ", which changes it as well");
        return false;
      }
      std::copy(codes.begin(), codes.end(), work.image().begin() + std::ptrdiff_t(offset));
      return true;
    }
    uint64_t at = 0;
    if (!work.Place(codes.size(), space, at, reason)) {
      work.Problem(*cell, "description: " + reason);
      return false;
    }
    record = work.Record(*work.FindBlock(block_), r);  // the image may have grown
    std::copy(codes.begin(), codes.end(), work.image().begin() + std::ptrdiff_t(at));
    PutField(record, M::kDexDescription, rom::OffsetToPointer(uint32_t(at)));
    work.MarkPointer(work.FindBlock(block_)->offset + r * M::kDexSize + M::kDexDescription.offset, 4);
    work.Report("dex " + Number(int64_t(r)) + ": description moved to " + Hex(at) + " (" +
                std::to_string(codes.size()) + " bytes)");
    return true;
  }

 private:
  static std::string Hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
  }
  mutable std::map<uint64_t, size_t> written_;
};

// Starters: one species at each place Setting.ini gives, the rows named by their keys.
class CStarterTable : public CTable {
 public:
  const char* name() const override { return "starters"; }
  bool Located(CWorkspace& work) const override {
    for (const char* key : kKeys)
      if (work.FindBlock(std::string("starter.") + key)) return true;
    return false;
  }
  std::vector<Column> Columns(CWorkspace&) const override {
    std::vector<Column> columns{{"index", true}, {"slot", false}};
    AddColumns(columns, "species", extras_layout::kStarter);
    return columns;
  }
  std::vector<std::string> Keys() const override { return {"index"}; }
  size_t MaxRows(CWorkspace&) const override { return kKeys.size(); }
  void Export(CWorkspace& work, Rows& rows) const override {
    for (size_t i = 0; i < kKeys.size(); ++i) {
      const Block* block = work.FindBlock(std::string("starter.") + kKeys[i]);
      if (!block) continue;
      std::vector<std::string> row{Number(int64_t(i)), kKeys[i]};
      AddCells(work, row, extras_layout::kStarter, work.Record(*block, 0));
      rows.push_back(std::move(row));
    }
  }
  void Import(CWorkspace& work, const Grid& grid, const CColumns& columns, Space) const override {
    std::vector<bool> seen(kKeys.size());
    for (const std::vector<Cell>& row : grid.rows) {
      int64_t index = 0;
      if (!ReadKey(work, columns, row, "index", nullptr, int64_t(kKeys.size()), index)) continue;
      const Block* block = work.FindBlock(std::string("starter.") + kKeys[size_t(index)]);
      const Cell& at = columns.Any(row);
      if (!block) {
        work.Problem(at, "starter " + Number(index) + " (" + kKeys[size_t(index)] + ") is not one the page can store");
        continue;
      }
      if (const Cell* slot = columns.Value(row, "slot"); slot && slot->text != kKeys[size_t(index)]) {
        work.Problem(*slot, "slot " + slot->text + " is not starter " + Number(index) + " (" + kKeys[size_t(index)] + ")");
        continue;
      }
      if (seen[size_t(index)]) {
        work.Problem(at, "a second row for starter " + Number(index));
        continue;
      }
      seen[size_t(index)] = true;
      if (ImportField(work, columns, row, work.Record(*block, 0), extras_layout::kStarter, "species")) ++work.records;
    }
  }

 private:
  static constexpr std::array<const char*, 6> kKeys = {"Left", "Center", "Right", "RLeft", "RCenter", "RRight"};
};

std::vector<FieldColumn> In(const char* block, std::initializer_list<RecordField> fields, bool flee = false) {
  std::vector<FieldColumn> columns;
  for (const RecordField& f : fields) columns.push_back({f, block, TextRule{0}, flee});
  return columns;
}

template <size_t N>
std::vector<FieldColumn> In(const char* block, const std::array<RecordField, N>& fields) {
  std::vector<FieldColumn> columns;
  for (const RecordField& f : fields) columns.push_back({f, block});
  return columns;
}

std::vector<FieldColumn> Join(std::initializer_list<std::vector<FieldColumn>> parts) {
  std::vector<FieldColumn> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

FieldColumn Name(const char* column, const char* block, size_t offset, TextRule rule) {
  return {TextField(column, offset, rule.width), block, rule};
}

std::vector<FieldColumn> MachineFields() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    char name[8];
    for (int i = 0; i < M::kMachineBits; ++i) {
      std::snprintf(name, sizeof name, i < M::kMachineTms ? "tm%02d" : "hm%02d", i < M::kMachineTms ? i + 1 : i - M::kMachineTms + 1);
      all.push_back(name);
    }
    return all;
  }();
  std::vector<FieldColumn> fields;
  for (int i = 0; i < M::kMachineBits; ++i)
    fields.push_back({BitsField(names[size_t(i)].c_str(), size_t(i / 8), 1, uint8_t(i % 8), 1), "tmhm"});
  return fields;
}

}  // namespace

void AddFieldTables(std::vector<std::unique_ptr<CTable>>& tables) {
  namespace I = item_layout;
  namespace V = move_layout;
  namespace R = trade_layout;
  namespace T = trainer_layout;
  tables.push_back(std::make_unique<CFieldTable>(
      "monsters", "base_stats",
      Join({{Name("name", "species_names", 0, TextRule{6})}, In("base_stats", M::kBaseStats),
            In("base_stats", {M::kType1, M::kType2, M::kCatchRate, M::kExpYield}), In("base_stats", M::kEffortYields),
            In("base_stats", {M::kItemCommon, M::kItemRare, M::kGender, M::kEggSteps, M::kFriendship, M::kGrowth,
                              M::kEggGroup1, M::kEggGroup2, M::kAbility1, M::kAbility2}),
            In("base_stats", {M::kFleeRate}, true)})));
  tables.push_back(std::make_unique<CDexTable>(
      "dex", "dex",
      Join({{Name("name", "dex", M::kDexName.offset, TextRule{M::kDexName.width, false})},
            In("dex", {M::kDexHeight, M::kDexWeight})})));
  tables.push_back(std::make_unique<CEvolutionTable>(
      "evolutions", "evolutions", In("evolutions", {M::kEvolutionMethod, M::kEvolutionParameter, M::kEvolutionTarget}),
      "species", NameList::kSpecies, M::kEvolutionSlots, M::kEvolutionSize));
  tables.push_back(MakeLearnsetTable());
  tables.push_back(std::make_unique<CFieldTable>("tmhm", "tmhm", MachineFields(), "species", NameList::kSpecies));
  tables.push_back(MakeEggMoveTable());
  tables.push_back(std::make_unique<CTrainerTable>(
      "trainers", "trainers",
      Join({{Name("name", "trainers", T::kName.offset, TextRule{T::kName.width, true, true})},
            In("trainers", {T::kClass, T::kMusic, T::kPicture}), In("trainers", T::kItemFields),
            In("trainers", {T::kDouble}), In("trainers", T::kCheckFlags)})));
  tables.push_back(MakePartyTable());
  tables.push_back(std::make_unique<CFieldTable>(
      "moves", "moves",
      Join({{Name("name", "move_names", 0, TextRule{text::kMoveNames.record_size})},
            In("moves", {V::kEffect, V::kPower, V::kType, V::kAccuracy, V::kPP, V::kChance}),
            In("moves", V::kUnknownBytes)})));
  tables.push_back(std::make_unique<CFieldTable>(
      "items", "items",
      Join({{Name("name", "items", I::kName.offset, TextRule{I::kName.width})},
            In("items", {I::kPrice, I::kParameter, I::kPocket, I::kBattleUse})})));
  tables.push_back(MakeTypeChartTable());
  tables.push_back(std::make_unique<CFieldTable>(
      "trades", "trades",
      Join({{Name("nickname", "trades", R::kNickname.offset, TextRule{R::kNickname.width, true, true})},
            In("trades", {R::kSpeciesGiven}), In("trades", R::kIvFields),
            In("trades", {R::kAbility, R::kTrainerId, R::kPersonality, R::kItem}),
            {Name("partner", "trades", R::kPartner.offset, TextRule{R::kPartner.width, true, true})},
            In("trades", {R::kSpeciesAsked})})));
  tables.push_back(std::make_unique<CFieldTable>(
      "classes", "classes", std::vector<FieldColumn>{Name("name", "classes", 0, TextRule{extras_layout::kClassNameBytes})}));
  tables.push_back(std::make_unique<CStarterTable>());
}

}  // namespace tables
