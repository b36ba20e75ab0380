// The page kit: typed values, record access, table reads, and every real page's rules driven
// through the tab system on the demo ROMs.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/edit_history.h"
#include "core/free_space.h"
#include "core/ini.h"
#include "core/page_adapter.h"
#include "core/rom_address.h"
#include "core/table_io.h"
#include "core/typed_fields.h"
#include "demo/workspace.h"
#include "editors/egg_moves/egg_moves_layout.h"
#include "editors/extras/extras_layout.h"
#include "editors/image/image_layout.h"
#include "editors/item/item_layout.h"
#include "editors/page_list.h"
#include "editors/trades/trade_layout.h"
#include "editors/type_chart/type_chart_layout.h"
#include "text/shared_tables.h"
#include "unit/test_dir.h"

namespace {

TEST(TypedFields, ValuesOutsideTheirFieldAreClampedAndSaidSo) {
  struct Case {
    const char* text;
    int64_t min, max, value;
    bool replaced;
  };
  const Case cases[] = {
      {"1200", 0, 0xFFFF, 1200, false},   {"65535", 0, 0xFFFF, 65535, false},
      {"65536", 0, 0xFFFF, 65535, true},  {"70000", 0, 0xFFFF, 65535, true},
      {"0", 0, 0xFF, 0, false},           {"-1", 0, 0xFF, 0, true},
      {" 12 ", 0, 0xFF, 12, false},       {"+7", 0, 0xFF, 7, false},
      {"", 0, 0xFF, 0, true},             {"abc", 0, 0xFF, 0, true},
      {"12abc", 0, 0xFF, 12, true},       {"99999999999999999999999", 0, 0xFF, 255, true},
      {"-99999999999999999999", -10, 10, -10, true}, {"", 5, 10, 5, true},
      {"-128", -128, 127, -128, false},   {"128", -128, 127, 127, true},
  };
  for (const Case& c : cases) {
    CTypedFields fields;
    EXPECT_EQ(fields.Number(c.text, c.min, c.max), c.value) << '"' << c.text << '"';
    EXPECT_EQ(fields.replaced(), c.replaced) << '"' << c.text << '"';
    EXPECT_STREQ(fields.Status(), c.replaced ? kStatusReplaced : kStatusDone);
  }
  // Hexadecimal fields: spaces around and a 0x prefix are allowed, with the same clamps.
  const Case hex[] = {{" 1f ", 0, 0xFFFF, 0x1F, false}, {"0X20", 0, 0xFFFF, 0x20, false},
                      {"1FFFF", 0, 0xFFFF, 0xFFFF, true}, {"g", 0, 0xFFFF, 0, true}};
  for (const Case& c : hex) {
    CTypedFields fields;
    EXPECT_EQ(fields.HexNumber(c.text, c.min, c.max), c.value) << c.text;
    EXPECT_EQ(fields.replaced(), c.replaced) << c.text;
  }
}

TEST(TypedFields, AListWithoutAValidSelectionKeepsItsByte) {
  CTypedFields fields;
  EXPECT_EQ(fields.Selection(2, 3, 0x7F), 2);
  EXPECT_EQ(fields.Selection(0, 3, 0x7F), 0);
  EXPECT_EQ(fields.Selection(-1, 3, 0x7F), 0x7F);
  EXPECT_EQ(fields.Selection(3, 3, 0x7F), 0x7F);
  EXPECT_FALSE(fields.replaced()) << "no selection is no typed value";
  // A list longer than the byte (an effects.ini of 300 lines): never the low bits.
  EXPECT_EQ(fields.Selection(300, 400, 0x7F), 0xFF);
  EXPECT_TRUE(fields.replaced());
}

TEST(RecordAccess, LittleEndianValuesAndPointersInsideTheFile) {
  uint8_t bytes[4] = {};
  rom::Put32(bytes, 0x083E1A2C);
  EXPECT_EQ(bytes[0], 0x2C);
  EXPECT_EQ(bytes[3], 0x08);
  EXPECT_EQ(rom::Get32(bytes), 0x083E1A2Cu);
  rom::Put16(bytes, 0xBEEF);
  EXPECT_EQ(rom::Get16(bytes), 0xBEEF);
  EXPECT_EQ(rom::OffsetToPointer(0x100), 0x08000100u);
  EXPECT_EQ(rom::PointerToOffset(0x08000100, 0x101), 0x100u);
  EXPECT_FALSE(rom::PointerToOffset(0x08000101, 0x101)) << "one past the end";
  EXPECT_FALSE(rom::PointerToOffset(0x07FFFFFF, 0x1000000));
  EXPECT_FALSE(rom::PointerToOffset(0xFFFFFFFF, 0x1000000));
}

TEST(TableReads, TablesOutsideTheFileAreRefusedBeforeAnythingIsAllocated) {
  TestDir dir;
  auto path = dir.Write("rom.gba", std::string(100, '\x33'));
  platform::CFile rom;
  ASSERT_TRUE(rom.Open(path, platform::OpenMode::kReadExisting));
  struct Case {
    TableSpan span;
    bool ok;
  };
  const Case cases[] = {
      {{0, 100, 1}, true},        {{60, 1, 40}, true},         {{61, 1, 40}, false},
      {{64, 4, 40}, false},       {{0, 2147483647, 40}, false}, {{100, 1, 1}, false},
      {{0, int64_t(1) << 62, 40}, false}, {{int64_t(1) << 40, 1, 1}, false},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> table{1, 2, 3};
    std::string error;
    EXPECT_EQ(ReadTable(rom, c.span, table, error), c.ok) << c.span.offset << " " << c.span.count;
    if (c.ok) {
      EXPECT_EQ(table.size(), c.span.bytes());
    } else {
      EXPECT_TRUE(table.empty());
      EXPECT_EQ(error, kTableOutsideRomText);
    }
  }
  std::vector<uint8_t> table;
  std::string error;
  platform::CFile closed;
  EXPECT_FALSE(ReadTable(closed, {0, 1, 1}, table, error)) << "a file whose size is unknown";
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(AllocateRecords(table, 2147483647, 8, 100, error));
  EXPECT_TRUE(table.empty());
  EXPECT_TRUE(AllocateRecords(table, 12, 8, 100, error));
  EXPECT_EQ(table.size(), 96u);
}

// Every page's rules behind the plain adapter, on the demo workspace.
class RealPages : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    workspace = new TestDir;
    std::string error;
    demo::WorkspaceOptions options;
    options.rom_size = demo::kMinimumRomSize;
    ASSERT_TRUE(demo::WriteWorkspace(workspace->path(), options, error)) << error;
  }
  static void TearDownTestSuite() {
    delete workspace;
    workspace = nullptr;
  }
  void SetUp() override {
    text::SharedTables().Reset();
    TabSystem().ShutDown();
    TabSystem().set_status(&sink);
    TabSystem().set_startup_dir(workspace->path());
    TabSystem().set_load_hook([](const std::filesystem::path& setting, const char* code,
                                 const std::filesystem::path& rom) { FreeSpace().FollowLoad(setting, code, rom); });
    AddPages<CPageAdapter>(TabSystem());
  }
  void TearDown() override {
    TabSystem().ShutDown();
    TabSystem().set_status(nullptr);
    text::SharedTables().Reset();
  }
  static std::filesystem::path Rom(const std::string& code) {
    for (const auto& entry : std::filesystem::directory_iterator(workspace->path()))
      if (entry.path().extension() == ".gba" && entry.path().filename().string().find(code) != std::string::npos)
        return entry.path();
    return {};
  }
  std::filesystem::path CopyOfRom(const TestDir& dir, const std::string& code) {
    auto copy = dir / "rom.gba";
    std::filesystem::copy_file(Rom(code), copy);
    return copy;
  }

  struct Sink : IStatusSink {
    std::string text;
    void SetText(const std::string& t) override { text = t; }
    void SetProgress(int) override {}
    void EnableSave(bool) override {}
  } sink;
  static TestDir* workspace;
};
TestDir* RealPages::workspace = nullptr;

// The settings of the demo workspace with one key of the BPRJ section removed (`value` null)
// or set to `value`.
std::string SettingWith(const std::string& ini, const std::string& key, const char* value) {
  const size_t section = ini.find("[BPRJ]");
  size_t line = ini.find("\n" + key + "=", section);
  EXPECT_NE(line, std::string::npos) << key;
  if (line == std::string::npos) return ini;
  ++line;
  const size_t end = ini.find('\n', line) + 1;
  return ini.substr(0, line) + (value ? key + "=" + value + "\r\n" : "") + ini.substr(end);
}

// A table is read only if its keys are there and it lies inside the ROM; a table that was not
// read is never written (its bytes, changed on disk after the load, survive a save). A table
// past the end fails the load with its page's message, before anything is allocated.
TEST_F(RealPages, TablesWithoutKeysOrOutsideTheRomAreNeitherReadNorWritten) {
  struct Case {
    int tab;          // the page that reads the table
    const char* key;  // the key changed
    const char* value;  // nullptr: removed; "end": the file's size less 4
    const char* table;  // the key whose offset holds the table's first bytes
  };
  const Case cases[] = {
      {0, "Name_Start_Pos", nullptr, "Name_Start_Pos"},
      {0, "MonsterBaseStats_Pos", nullptr, "MonsterBaseStats_Pos"},
      {0, "MonsterDexData", nullptr, "MonsterDexData"},
      {0, "Monster_Evol_Data_Pos", nullptr, "Monster_Evol_Data_Pos"},
      {0, "MonsterBaseStats_Pos", "end", "MonsterBaseStats_Pos"},
      {1, "MonsterEggDataNum", nullptr, "MonsterEggData"},
      {1, "MonsterEggDataNum", "-3", "MonsterEggData"},
      {1, "MonsterEggDataNum", "2147483647", "MonsterEggData"},
      {2, "TrainerData", nullptr, "TrainerData"},
      {2, "TrainerData", "end", "TrainerData"},
      {3, "AttackTable", nullptr, "AttackTable"},
      {3, "AttackTable", "end", "AttackTable"},
      {4, "Item_DataNum", nullptr, "Item_Data"},
      {4, "Item_DataNum", "2147483647", "Item_Data"},
      {4, "Item_Data", "end", "Item_Data"},
      {8, "Communication_ChangeNum", "0", "Communication_Change"},
      {8, "Communication_Change", nullptr, "Communication_Change"},
      {8, "Communication_Change", "end", "Communication_Change"},
      {9, "TrainerClasses", nullptr, "TrainerClasses"},
      {9, "TrainerClasses", "end", "TrainerClasses"},
      {3, "AttackNum", "2147483647", "AttackTable"},
      {9, "AttackName", "end", "AttackName"},
  };
  const std::string ini = workspace->Read("Setting.ini");
  const std::string original = workspace->Read(Rom("BPRJ").filename().string());
  const std::string end = std::to_string(original.size() - 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + (c.value ? c.value : "(none)"));
    TestDir dir;
    for (const auto& entry : std::filesystem::directory_iterator(workspace->path()))
      if (entry.path().extension() == ".ini") std::filesystem::copy_file(entry.path(), dir.path() / entry.path().filename());
    const char* value = c.value && std::string(c.value) == "end" ? end.c_str() : c.value;
    dir.Write("Setting.ini", SettingWith(ini, c.key, value));
    auto rom = CopyOfRom(dir, "BPRJ");
    TabSystem().set_startup_dir(dir.path());
    int table = -1;
    CINI().GetInt(workspace->path() / "Setting.ini", "BPRJ", c.table, table);
    ASSERT_GT(table, 0);

    const bool outside = value && value != std::string("0") && value != std::string("-3");
    ASSERT_EQ(TabSystem().DataRead(rom), outside ? 0 : 1) << sink.text;
    if (outside) {
      EXPECT_EQ(sink.text, FailureOf(*TabSystem().page(size_t(c.tab)), "DataRead", kTableOutsideRomText));
      for (const text::CRecordTable* names : {&text::SharedTables().items, &text::SharedTables().moves})
        EXPECT_LE(names->bytes().capacity(), original.size()) << "no buffer beyond the file";
    }
    // Another program changes the table's first bytes; the save keeps them.
    std::string changed = original;
    changed.replace(size_t(table), 16, std::string(16, '\x5A'));
    dir.Write("rom.gba", changed);
    EXPECT_EQ(TabSystem().DataWrite(rom), outside ? 0 : 1) << sink.text;
    EXPECT_TRUE(dir.Read("rom.gba") == changed);
    TabSystem().Unload();
  }
}

// One typed change on a page, made through its rules as the view makes it, and where it lands
// in the file: the save pass writes exactly those bytes and nothing else.
struct Landing {
  uint64_t offset;
  std::string bytes;
};

// The demo game's files a change's landing is computed from.
struct GameFiles {
  std::filesystem::path ini;
  const char* code;
  std::string rom;  // before the change
  uint64_t Key(const char* key) const {
    int value = -1;
    CINI().GetInt(ini, code, key, value);
    EXPECT_GE(value, 0) << code << " " << key;
    return uint64_t(value);
  }
  uint32_t Le(uint64_t at, int bytes) const {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= uint32_t(uint8_t(rom.at(size_t(at) + size_t(i)))) << (8 * i);
    return value;
  }
};

std::string LeBytes(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i)));
  return out;
}

// A byte or word one step from `old`, inside [0, max].
uint32_t Other(uint32_t old, uint32_t max) { return old < max ? old + 1 : old - 1; }

struct PageChange {
  int tab;
  const char* what;
  std::function<Landing(const GameFiles&)> change;
};

template <class R>
R& PageRules(int tab) {
  return dynamic_cast<CPageAdapter<R>&>(*TabSystem().page(size_t(tab))).rules();
}

const PageChange kPageChanges[] = {
    {0, "base attack of species 1",
     [](const GameFiles& g) {
       namespace L = monster_layout;
       auto& rules = PageRules<CMonsterRules>(0);
       rules.ReadAbilities();
       rules.set_current(1);
       const MonsterView view = *rules.ShowSpecies();
       MonsterInput input;
       input.base = view.base;
       input.effort = view.effort;
       input.catch_rate = view.catch_rate, input.exp_yield = view.exp_yield, input.gender = view.gender;
       input.egg_steps = view.egg_steps, input.friendship = view.friendship, input.flee_rate = view.flee_rate;
       input.type1 = view.type1, input.type2 = view.type2, input.item_common = view.item_common;
       input.item_rare = view.item_rare, input.growth = view.growth, input.egg_group1 = view.egg_group1;
       input.egg_group2 = view.egg_group2, input.ability1 = view.ability1, input.ability2 = view.ability2;
       const uint32_t attack = Other(uint32_t(std::stoi(view.base[1])), 255);
       input.base[1] = std::to_string(attack);
       EXPECT_STREQ(rules.ApplySpecies(input).c_str(), kStatusDone);
       return Landing{g.Key("MonsterBaseStats_Pos") + L::kStatsSize + L::kHp + 1, LeBytes(attack, 1)};
     }},
    {0, "height of dex record 2",
     [](const GameFiles& g) {
       namespace L = monster_layout;
       auto& rules = PageRules<CMonsterRules>(0);
       std::string height, weight;
       EXPECT_TRUE(rules.DexSize(2, height, weight));
       const uint64_t at = g.Key("MonsterDexData") + 2 * L::kDexSize + L::kDexHeight;
       const uint32_t tenths = Other(g.Le(at, 2), 65534);
       const std::string typed = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
       EXPECT_STREQ(rules.StoreDexSize(2, typed, weight).c_str(), kStatusDone);
       return Landing{at, LeBytes(tenths, 2)};
     }},
    {0, "evolution method of species 3, slot 1",
     [](const GameFiles& g) {
       namespace L = monster_layout;
       auto& rules = PageRules<CMonsterRules>(0);
       rules.set_current(3);
       const uint64_t at = g.Key("Monster_Evol_Data_Pos") + 3 * L::kEvolutionRecord + L::kEvolutionSize + L::kEvolutionMethod;
       const uint32_t method = Other(g.Le(at, 1), L::kEvolutionMethods - 1);
       EXPECT_TRUE(rules.SelectEvolutionMethod(1, int(method)));
       return Landing{at, LeBytes(method, 1)};
     }},
    {1, "first egg move of the first species",
     [](const GameFiles& g) {
       namespace L = egg_moves_layout;
       auto& rules = PageRules<CEggMoveRules>(1);
       uint64_t at = g.Key("MonsterEggData");
       while (!L::IsMarker(uint16_t(g.Le(at, 2)))) at += L::kWordSize;
       at += L::kWordSize;
       rules.SelectLeft(0);
       rules.SelectRight(0);
       const uint32_t move = Other(g.Le(at, 2), uint32_t(text::SharedTables().moves.count() - 1));
       EXPECT_TRUE(rules.StoreMove(int(move)).stored);
       return Landing{at, LeBytes(move, 2)};
     }},
    {2, "music of trainer 1",
     [](const GameFiles& g) {
       namespace L = trainer_layout;
       auto& rules = PageRules<CTrainerRules>(2);
       rules.set_current(1);
       const TrainerView view = *rules.ShowTrainer();
       TrainerInput input;
       input.name = view.name, input.party_size = view.party_size, input.party_offset = view.party_offset;
       input.trainer_class = view.trainer_class, input.data_type = view.data_type;
       input.items = view.items, input.double_battle = view.double_battle, input.checks = view.checks;
       const uint32_t music = Other(uint32_t(std::stoi(view.music)), 255);
       input.music = std::to_string(music);
       EXPECT_STREQ(rules.StoreTrainer(input, false, view.picture).c_str(), kStatusDone);
       return Landing{g.Key("TrainerData") + L::kSize + L::kMusic, LeBytes(music, 1)};
     }},
    {3, "power of move 1",
     [](const GameFiles& g) {
       namespace L = move_layout;
       auto& rules = PageRules<CMoveRules>(3);
       rules.ReadEffects();
       rules.set_current(1);
       const MoveView view = *rules.ShowMove();
       MoveInput input;
       input.effect = view.effect, input.type = view.type;
       input.accuracy = view.accuracy, input.pp = view.pp, input.chance = view.chance;
       const uint32_t power = Other(uint32_t(std::stoi(view.power)), 255);
       input.power = std::to_string(power);
       EXPECT_STREQ(rules.ApplyMove(input).c_str(), kStatusDone);
       return Landing{g.Key("AttackTable") + L::kSize + L::kPower, LeBytes(power, 1)};
     }},
    {4, "price of item 1",
     [](const GameFiles& g) {
       namespace L = item_layout;
       auto& rules = PageRules<CItemRules>(4);
       rules.set_current(1);
       const ItemView view = *rules.Show();
       const uint32_t price = Other(uint32_t(std::stoi(view.price)), 0xFFFF);
       EXPECT_EQ(rules.Apply({view.battle_type, view.pocket, std::to_string(price), view.parameter}), kStatusDone);
       return Landing{g.Key("Item_Data") + L::kSize + L::kPrice, LeBytes(price, 2)};
     }},
    {5, "multiplier of the first type chart entry",
     [](const GameFiles& g) {
       namespace L = type_chart_layout;
       auto& rules = PageRules<CTypeChartRules>(5);
       rules.set_current(0);
       TypeChartView chosen = *rules.Show();
       chosen.multiplier = (chosen.multiplier + 1) % int(L::kMultipliers.size());
       EXPECT_TRUE(rules.Store(chosen).has_value());
       const uint64_t table = g.Le(g.Key("Compatibility"), 4) - kGbaBase;
       return Landing{table + L::kMultiplier, LeBytes(L::kMultipliers[size_t(chosen.multiplier)], 1)};
     }},
    {7, "front sprite address of species 1",
     [](const GameFiles& g) {
       namespace L = image_layout;
       auto& rules = PageRules<CImageRules>(7);
       rules.SetMode(CImageRules::kMonster);
       rules.SetIndex("1");
       const uint64_t at = g.Key("MonsterPics") + L::kEntrySize + L::kAddress;
       const uint32_t address = (g.Le(at, 4) + 0x20) | L::kAddressBit;
       char typed[16];
       std::snprintf(typed, sizeof typed, "%X", unsigned(address & L::kOffsetMask));
       rules.Repoint(CImageRules::kFront, typed);
       return Landing{at, LeBytes(address, 4)};
     }},
    {8, "first IV of trade 0",
     [](const GameFiles& g) {
       namespace L = trade_layout;
       auto& rules = PageRules<CTradeRules>(8);
       rules.Select(0);
       const TradeView view = *rules.Show();
       TradeInput input{view.species_given, view.species_asked, view.item, view.ivs, view.second_ability};
       const uint32_t iv = Other(uint32_t(std::stoi(view.ivs[0])), L::kIvMax);
       input.ivs[0] = std::to_string(iv);
       EXPECT_EQ(rules.Apply(input), kStatusDone);
       return Landing{g.Key("Communication_Change") + L::kIvs, LeBytes(iv, 1)};
     }},
    {9, "the player's left starter",
     [](const GameFiles& g) {
       auto& rules = PageRules<CExtrasRules>(9);
       const uint64_t at = g.Key(extras_layout::kPlayerStarterKeys[0]);
       const uint32_t species = Other(g.Le(at, 2), text::kSpeciesCount - 1);
       rules.StoreStarters(StarterGroup::kPlayer, {int(species), -1, -1});
       return Landing{at, LeBytes(species, int(extras_layout::kStarterSize))};
     }},
};

// Every page copy, one after the other.
std::string CopyBytes() {
  std::vector<std::span<uint8_t>> copies;
  TabSystem().Copies(copies);
  std::string bytes;
  for (std::span<uint8_t> copy : copies) bytes.append(copy.begin(), copy.end());
  return bytes;
}

// One load per game, one change on every page, one save: the file holds exactly the changed
// bytes besides the original ones; every change undone, a save gives the ROM as it was loaded. The text page keeps no tables, so its save has nothing to change.
TEST_F(RealPages, OneChangeOnEachPageSavesExactlyItsBytesOnEveryGame) {
  for (const char* code : {"AXVJ", "AXPJ", "BPEJ", "BPRJ", "BPGJ"}) {
    SCOPED_TRACE(code);
    TestDir dir;
    auto rom = CopyOfRom(dir, code);
    const GameFiles game{workspace->path() / "Setting.ini", code, dir.Read("rom.gba")};
    ASSERT_EQ(TabSystem().DataRead(rom), 1) << sink.text;
    std::set<int> changed;
    for (const PageChange& row : kPageChanges) changed.insert(row.tab);
    ASSERT_EQ(changed.size(), TabSystem().page_count() - 1) << "a row for every page of the list with tables";
    EXPECT_GT(text::SharedTables().items.count(), 300);
    EXPECT_TRUE(text::SharedTables().species.loaded()) << "every page lists the names read";
    uint32_t start = 0, length = 0;
    EXPECT_TRUE(FreeSpace().GetRegion(0, start, length)) << "a load reads the free-space regions";
    EXPECT_EQ(FreeSpace().rom(), rom);
    EXPECT_EQ(PageRules<CTypeChartRules>(5).count(), 111);
    EXPECT_GE(PageRules<CTradeRules>(8).count(), 3);
    std::string expected = game.rom;
    std::vector<const char*> owner(expected.size(), nullptr);
    // Each change is one entry of the edit history, as a page command makes it.
    std::vector<std::string> copies{CopyBytes()};
    for (const PageChange& row : kPageChanges) {
      Landing landing;
      EditHistory().Track(row.what, -1, -1, [&] { landing = row.change(game); });
      copies.push_back(CopyBytes());
      ASSERT_LE(landing.offset + landing.bytes.size(), expected.size()) << row.what;
      EXPECT_NE(expected.substr(size_t(landing.offset), landing.bytes.size()), landing.bytes) << row.what << ": no change";
      expected.replace(size_t(landing.offset), landing.bytes.size(), landing.bytes);
      for (size_t i = 0; i < landing.bytes.size(); ++i) owner[size_t(landing.offset) + i] = row.what;
    }
    ASSERT_EQ(TabSystem().DataWrite(rom), 1) << sink.text;
    const std::string saved = dir.Read("rom.gba");
    ASSERT_EQ(saved.size(), expected.size());
    int reported = 0;
    for (size_t i = 0; i < saved.size() && reported < 5; ++i)
      if (saved[i] != expected[i]) {
        ++reported;
        ADD_FAILURE() << "byte 0x" << std::hex << i << " is 0x" << int(uint8_t(saved[i])) << ", expected 0x"
                      << int(uint8_t(expected[i])) << " (" << (owner[i] ? owner[i] : "no change there") << ")";
      }
    // A save keeps the history: every change undone puts each copy back as it was before it, and
    // the next save writes the ROM as it was loaded; redone, as it was after.
    ASSERT_EQ(EditHistory().size(), std::size(kPageChanges));
    for (size_t n = std::size(kPageChanges); n-- > 0;) {
      ASSERT_TRUE(EditHistory().Undo().done) << kPageChanges[n].what;
      EXPECT_TRUE(CopyBytes() == copies[n]) << kPageChanges[n].what;
    }
    EXPECT_FALSE(EditHistory().CanUndo());
    ASSERT_EQ(TabSystem().DataWrite(rom), 1) << sink.text;
    EXPECT_TRUE(dir.Read("rom.gba") == game.rom);
    while (EditHistory().CanRedo()) ASSERT_TRUE(EditHistory().Redo().done);
    EXPECT_TRUE(CopyBytes() == copies.back());
    ASSERT_EQ(TabSystem().DataWrite(rom), 1) << sink.text;
    EXPECT_TRUE(dir.Read("rom.gba") == saved);
    TabSystem().Unload();
  }
}

}  // namespace
