// The trainer editor's rules: the trainer store with its clamps, parties of every layout read,
// edited and written back, the search, and moving a party to free space.
#include "editors/trainer/trainer_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/typed_fields.h"
#include "editors/trainer/trainer_layout.h"
#include "text/shared_tables.h"
#include "text/vantari_text.h"
#include "unit/test_dir.h"

namespace {

namespace L = trainer_layout;
using Bytes = std::vector<uint8_t>;

constexpr size_t kRomSize = 4096, kTable = 256;
// Trainer 0: type 1, two members at 0x400. Trainer 1: type 0, size byte 7, at 0x500.
// Trainer 2: type 3, two members whose second one runs past the end of the file.
constexpr uint32_t kParty0 = 0x400, kParty1 = 0x500, kParty2 = kRomSize - 20;

std::string Record(uint8_t type, uint8_t size, uint32_t party, uint8_t tag) {
  std::string r(L::kSize, '\0');
  r[L::kDataType] = char(type);
  r[L::kClass] = 3;
  r[L::kMusic] = char(tag);
  r[L::kPicture] = 2;
  r.replace(L::kName, 6, "\x01\x02\x03\xFF\x00\x00", 6);
  r[L::kItems] = char(tag);
  r[L::kChecks] = char(0xF5);
  r[L::kPartySize] = char(size);
  for (int i = 0; i < 3; ++i) r[L::kPartyAddress + size_t(i)] = char(party >> (8 * i));
  r[31] = 0x08;
  return r;
}

// A member: unknown value, level, species, then `extra` 16-bit words.
std::string Member(uint8_t unknown, uint8_t level, uint16_t species, std::vector<uint16_t> extra) {
  std::string m = {char(unknown), '\x77', char(level), '\x66', char(species), char(species >> 8)};
  for (uint16_t w : extra) m += {char(w), char(w >> 8)};
  return m;
}

class TrainerRules : public testing::Test {
 protected:
  void SetUp() override {
    text::SharedTables().Reset();
    text::SharedTables().items.Reset(375);
    text::SharedTables().moves.Reset(355);
    text::SharedTables().classes.Reset(90);
    rom = std::string(kRomSize, '\xFF');
    rom.replace(kTable, 32, Record(1, 2, kParty0, 10));
    rom.replace(kTable + 32, 32, Record(0, 7, kParty1, 11));
    rom.replace(kTable + 64, 32, Record(3, 2, kParty2, 12));
    std::string party0 = Member(1, 20, 25, {33, 0xFFFF, 34, 35, 36}) + Member(2, 30, 26, {40, 0xFFFF, 41, 42, 43});
    rom.replace(kParty0, party0.size(), party0);
    for (int m = 0; m < 7; ++m) rom.replace(kParty1 + 8 * size_t(m), 8, Member(uint8_t(m), uint8_t(10 + m), uint16_t(m + 1), {0x1234}));
    rom_path = dir.Write("rom.gba", rom);
    ini = dir.Write("Setting.ini", "[BPRJ]\r\nTrainerData=256\r\nTrainerDataNum=3\r\nTrainer_Pic_Num=5\r\n");
    Load();
  }
  void TearDown() override { text::SharedTables().Reset(); }
  void Load() {
    rules.Init();
    rules.LoadSetting(PageSetup{ini, "BPRJ", kRomSize});
    platform::CFile file;
    ASSERT_TRUE(file.Open(rom_path, platform::OpenMode::kReadExisting));
    std::string error;
    ASSERT_TRUE(rules.RomRead(file, error)) << error;
  }
  Bytes Rom() const {
    std::string bytes, error;
    EXPECT_TRUE(platform::ReadWholeFile(rom_path, bytes, error));
    return Bytes(bytes.begin(), bytes.end());
  }
  Bytes RecordBytes(int t) const { return Bytes(rules.record(t), rules.record(t) + L::kSize); }
  TrainerInput Input() const {
    auto view = rules.ShowTrainer();
    TrainerInput input;
    input.name = view->name, input.party_size = view->party_size, input.party_offset = view->party_offset;
    input.music = view->music, input.trainer_class = view->trainer_class, input.data_type = view->data_type;
    for (size_t i = 0; i < 4; ++i) input.items[i] = view->items[i];
    input.double_battle = view->double_battle, input.checks = view->checks;
    return input;
  }

  TestDir dir;
  std::string rom;
  std::filesystem::path rom_path, ini;
  CTrainerRules rules;
};

TEST_F(TrainerRules, ShowsTrainersAndTheirLines) {
  EXPECT_EQ(rules.ListLine(2).substr(0, 5), "002: ");
  rules.set_current(1);
  auto view = rules.ShowTrainer();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->party_offset, "0x500");
  EXPECT_EQ(view->party_size, "7");
  EXPECT_EQ(view->music, "11");
  EXPECT_EQ(view->items[0], 11);
  EXPECT_EQ(view->checks, (std::array<bool, 4>{true, false, true, false}));
  EXPECT_EQ(view->picture, 2);
  // The picture arrows stay within Trainer_Pic_Num, and at 0 without it.
  EXPECT_EQ(rules.ClampPicture(9), 5);
  EXPECT_EQ(rules.ClampPicture(-1), 0);
  rules.Init();
  EXPECT_EQ(rules.ClampPicture(1), 0);
}

// The store: typed values clamped with the replaced-value text, beginner mode keeping the size
// and type, lists without a choice keeping their bytes, bits 4-7 of the checks kept, byte 31
// of the pointer never touched.
TEST_F(TrainerRules, StoringATrainer) {
  struct Case {
    const char* what;
    void (*edit)(TrainerInput&);
    bool promode;
    size_t byte;
    int stored;
    const char* status;
    uint8_t high = 0x08;  // byte 31
    uint64_t rom_size = 0;  // the file's size, when the store knows it
  };
  const Case cases[] = {
      {"size 7", [](TrainerInput& i) { i.party_size = "7"; }, true, L::kPartySize, 6, kStatusReplaced},
      {"size 0", [](TrainerInput& i) { i.party_size = "0"; }, true, L::kPartySize, 1, kStatusReplaced},
      {"size, beginner", [](TrainerInput& i) { i.party_size = "3"; }, false, L::kPartySize, 2, kStatusDone},
      {"type", [](TrainerInput& i) { i.data_type = 2; }, true, L::kDataType, 2, kStatusDone},
      {"type, beginner", [](TrainerInput& i) { i.data_type = 2; }, false, L::kDataType, 1, kStatusDone},
      {"no type", [](TrainerInput& i) { i.data_type = -1; }, true, L::kDataType, 1, kStatusDone},
      {"music 300", [](TrainerInput& i) { i.music = "300"; }, false, L::kMusic, 255, kStatusReplaced},
      {"music text", [](TrainerInput& i) { i.music = "abc"; }, false, L::kMusic, 0, kStatusReplaced},
      // Ten characters of the box are read: an eleventh is not.
      {"music, 11 digits", [](TrainerInput& i) { i.music = "00000000019"; }, false, L::kMusic, 1, kStatusDone},
      {"no class", [](TrainerInput& i) { i.trainer_class = -1; }, false, L::kClass, 3, kStatusDone},
      {"class 89", [](TrainerInput& i) { i.trainer_class = 89; }, false, L::kClass, 89, kStatusDone},
      {"checks", [](TrainerInput& i) { i.checks = {false, true, true, true}; }, false, L::kChecks, 0xFE, kStatusDone},
      {"item beyond", [](TrainerInput& i) { i.items[0] = 375; }, false, L::kItems, 10, kStatusDone},
      {"offset", [](TrainerInput& i) { i.party_offset = "0x1234"; }, false, L::kPartyAddress, 0x34, kStatusDone},
      {"upper 16 MiB", [](TrainerInput& i) { i.party_offset = "0x1234567"; }, false, L::kPartyAddress + 2, 0x23, kStatusDone, 0x09},
      {"beyond 32 MiB", [](TrainerInput& i) { i.party_offset = "0x2345678"; }, false, L::kPartyAddress + 2, 0xFF, kStatusReplaced, 0x09},
      // Past the end of the file (a GBA address typed): the party of 2 × 16 bytes ends at its end.
      {"past the file", [](TrainerInput& i) { i.party_offset = "0x08123456"; }, false, L::kPartyAddress, 0xE0,
       kStatusReplaced, 0x08, kRomSize},
      {"inside the file", [](TrainerInput& i) { i.party_offset = "0xFE0"; }, false, L::kPartyAddress, 0xE0, kStatusDone,
       0x08, kRomSize},
  };
  for (const Case& c : cases) {
    Load();
    TrainerInput input = Input();
    c.edit(input);
    EXPECT_EQ(rules.StoreTrainer(input, c.promode, 2, c.rom_size), c.status) << c.what;
    EXPECT_EQ(rules.record(0)[c.byte], c.stored) << c.what;
    EXPECT_EQ(rules.record(0)[31], c.high) << c.what;
  }
  Load();
  TrainerInput input = Input();
  input.name = "";
  const Bytes before = RecordBytes(0);
  EXPECT_EQ(rules.StoreTrainer(input, false, 2), "名前を入力してください。");
  EXPECT_EQ(Bytes(rules.record(0) + L::kName, rules.record(0) + L::kName + 6), Bytes(before.begin() + 4, before.begin() + 10));
  // A name that shows as nothing (terminators only, and hidden) is shown empty, never as the
  // trainer's number, and a store keeps its bytes.
  rom.replace(kTable + L::kName, L::kNameSize, std::string(L::kNameSize, '\xFF'));
  dir.Write("rom.gba", rom);
  text::VantariText().set_hide_terminator(1);
  Load();
  EXPECT_EQ(rules.ShowTrainer()->name, "");
  EXPECT_EQ(rules.StoreTrainer(Input(), false, 2), kStatusDone);
  EXPECT_EQ(RecordBytes(0)[L::kName + 1], 0xFF);
  text::VantariText().set_hide_terminator(0);
  rom.replace(kTable, L::kSize, Record(1, 2, kParty0, 10));
  dir.Write("rom.gba", rom);
  Load();
  EXPECT_EQ(rules.StoreTrainer(Input(), false, 9), kStatusReplaced);
  EXPECT_EQ(rules.record(0)[L::kPicture], 5);  // the highest picture the game has
  TrainerInput upper = Input();
  upper.party_offset = "0x1000010";
  rules.StoreTrainer(upper, false, 2);
  EXPECT_EQ(rules.ShowTrainer()->party_offset, "0x1000010");
  upper.party_offset = "0x400";
  rules.StoreTrainer(upper, false, 2);
  EXPECT_EQ(rules.record(0)[31], 0x08);
  // Without a picture count the picture byte is kept.
  ini = dir.Write("Setting.ini", "[BPRJ]\r\nTrainerData=256\r\nTrainerDataNum=3\r\n");
  Load();
  EXPECT_EQ(rules.StoreTrainer(Input(), false, 0), kStatusDone);
  EXPECT_EQ(rules.record(0)[L::kPicture], 2);
}

// Parties of each kind: whole, damaged (size byte above six), cut by the end of the file; only a
// party that was read is written back, member by member, into an existing ROM.
TEST_F(TrainerRules, PartiesReadEditedAndSaved) {
  EXPECT_EQ(rules.ReadParty(rom_path), "");
  ASSERT_EQ(rules.PartyLines().size(), 2u);
  EXPECT_EQ(rules.PartyLines()[1].substr(0, 8), "Lv:030: ");
  auto member = rules.ShowMember(0);
  ASSERT_TRUE(member);
  EXPECT_TRUE(member->has_moves);
  EXPECT_FALSE(member->has_item);
  EXPECT_EQ(member->moves, (std::array<int, 4>{33, 0xFFFF, 34, 35}));
  EXPECT_EQ(member->species, 25);

  MemberInput input{"00000000019", "4", 100, -1, {50, -1, 52, 53}};
  EXPECT_EQ(rules.StoreMember(0, input), kStatusDone);  // ten characters are read: level 1
  EXPECT_EQ(rules.ShowMember(0)->level, "1");
  input.level = "300";
  EXPECT_EQ(rules.StoreMember(0, input), kStatusReplaced);  // level 300 -> 255
  EXPECT_EQ(rules.SavePartyToRom(rom_path), kPartySavedText);
  Bytes expected(rom.begin(), rom.end());
  const std::string stored = Member(4, 255, 100, {50, 0xFFFF, 52, 53, 36});
  std::copy(stored.begin(), stored.end(), expected.begin() + kParty0);
  EXPECT_EQ(Rom(), expected);

  rules.set_current(1);
  EXPECT_EQ(rules.ReadParty(rom_path), kPartyDamagedText);
  EXPECT_EQ(rules.PartyLines().size(), 6u);
  EXPECT_FALSE(rules.ShowMember(0)->has_moves);

  rules.set_current(2);
  EXPECT_EQ(rules.ReadParty(rom_path), kPartyReadFailedText);
  EXPECT_TRUE(rules.PartyLines().empty());
  EXPECT_FALSE(rules.ShowMember(0));
  EXPECT_EQ(rules.SavePartyToRom(rom_path), kPartyNotReadText);
  EXPECT_EQ(Rom(), expected);

  rules.set_current(0);
  EXPECT_EQ(rules.ReadParty(rom_path), "");
  std::filesystem::remove(rom_path);
  EXPECT_NE(rules.SavePartyToRom(rom_path).find("ファイルの書き込みに失敗しました。"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(rom_path));
}

TEST_F(TrainerRules, SearchBothWays) {
  std::string status;
  EXPECT_EQ(rules.Search("002", true, status), 2);
  rules.set_current(2);
  EXPECT_EQ(rules.Search("002", true, status), -1);
  EXPECT_EQ(status, "終端まで検索しました。");
  EXPECT_EQ(rules.Search("000", false, status), 0);
  rules.set_current(0);
  EXPECT_EQ(rules.Search("00", false, status), -1);
  EXPECT_EQ(status, "先頭まで検索しました。");
}

// Moving a party: the new place holds zeros and the members both layouts share, converted;
// then the table with the new pointer. A copy of a party that was not read writes nothing.
TEST_F(TrainerRules, MovingAParty) {
  struct Case {
    int trainer, size, type;
    bool copy;
    std::string member0;  // the first member at the new place
  };
  const Case cases[] = {
      {0, 3, 3, true, Member(1, 20, 25, {0, 33, 0xFFFF, 34, 35})},          // moves kept, no item
      {0, 1, 1, true, Member(1, 20, 25, {33, 0xFFFF, 34, 35, 36})},  // same layout: as it was
      {0, 2, 2, true, Member(1, 20, 25, {0})},                               // no moves, no item
      {1, 6, 3, false, std::string(16, '\0')},                               // fresh
  };
  const uint32_t place = 0x800;
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(Load());
    rules.set_current(c.trainer);
    rules.ReadParty(rom_path);
    RelocationResult result = rules.Relocate(rom_path, place, c.size, c.type, c.copy);
    ASSERT_TRUE(result.ok) << result.box << result.error;
    const Bytes now = Rom();
    const size_t bytes = size_t(CTrainerRules::PartyBytes(c.size, c.type));
    EXPECT_EQ(Bytes(now.begin() + place, now.begin() + place + c.member0.size()), Bytes(c.member0.begin(), c.member0.end()));
    const size_t copied = c.copy ? size_t(std::min(c.size, 2)) * L::MemberSize(c.type) : 0;
    EXPECT_EQ(Bytes(now.begin() + place + copied, now.begin() + place + bytes), Bytes(bytes - copied, 0));
    const uint8_t* record = now.data() + kTable + 32 * size_t(c.trainer);
    EXPECT_EQ(record[L::kPartySize], c.size);
    EXPECT_EQ(record[L::kDataType], c.type);
    EXPECT_EQ(record[L::kPartyAddress] | record[L::kPartyAddress + 1] << 8, 0x800);
    EXPECT_EQ(record[31], 0x08);
    EXPECT_EQ(rules.ReadParty(rom_path), "");
    rom_path = dir.Write("rom.gba", rom);
  }
  rules.set_current(2);
  rules.ReadParty(rom_path);  // cut short: nothing to copy
  RelocationResult refused = rules.Relocate(rom_path, place, 2, 3, true);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(Rom(), Bytes(rom.begin(), rom.end()));
}

}  // namespace
