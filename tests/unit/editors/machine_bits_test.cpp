// The TM/HM bits of the monster page: the bit order of a record, a read and write of one
// species' record in the ROM file changing nothing else, and the guards that keep bits from
// reaching the wrong species, a vanished ROM or a table that is not there.
#include "editors/monster/machine_bits.h"

#include <filesystem>
#include <functional>
#include <string>

#include "editors/monster/monster_rules.h"
#include "unit/editors/rules_on_rom.h"

namespace {

namespace L = monster_layout;

constexpr size_t kTableAt = 0x40;
constexpr size_t kTableBytes = L::kSpecies * L::kMachineSize;
constexpr int kSpecies = 5;

MachineRecord RecordOfBit(int bit) {
  MachineRecord record{};
  record[size_t(bit / 8)] = uint8_t(1u << (bit % 8));
  return record;
}

class MachineBits : public RulesOnRom<CMonsterRules> {
 protected:
  // A ROM whose every byte differs from its neighbours, with the table at kTableAt; species
  // 5's record has every bit set, bits 58-63 too.
  void Load(const std::string& key = "Skill_Machine=64", size_t rom_size = kTableAt + kTableBytes + 0x20) {
    std::string bytes(rom_size, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 13 + 5);
    if (bytes.size() >= kTableAt + kTableBytes)
      bytes.replace(kTableAt + kSpecies * L::kMachineSize, L::kMachineSize, L::kMachineSize, '\xFF');
    Setup(bytes, key + "\r\n");
  }
  CMachineBits& machine() { return rules.machine(); }
  static size_t RecordAt(int species) { return kTableAt + size_t(species) * L::kMachineSize; }
  static bool StartsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }
};

// Bit i is bit i % 8 of byte i / 8, both ways; of a record with all 64 bits set, the 58 states
// are set and the record written back has bits 58-63 clear.
TEST(MachineRecord, BitIIsBitIMod8OfByteIDiv8AndBits58To63AreWrittenClear) {
  for (int bit : {0, 7, 8, 31, 32, 49, 50, 57}) {
    const MachineRecord record = RecordOfBit(bit);
    MachineStates states{};
    states[size_t(bit)] = true;
    EXPECT_EQ(UnpackMachine(record), states) << bit;
    EXPECT_EQ(PackMachine(states), record) << bit;
  }
  MachineRecord all;
  all.fill(0xFF);
  MachineStates set;
  set.fill(true);
  EXPECT_EQ(UnpackMachine(all), set);
  EXPECT_EQ(PackMachine(set), (MachineRecord{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x03}));
}

// A read gives the species' states; a save writes that species' 8 bytes and nothing else.
TEST_F(MachineBits, ASaveAfterAReadChangesOnlyThatSpeciesRecord) {
  Load();
  std::string status;
  ASSERT_TRUE(machine().Load(rom_path, kSpecies, status)) << status;
  MachineStates states = machine().states();
  MachineStates all;
  all.fill(true);
  ASSERT_EQ(states, all);
  states[0] = states[31] = states[32] = false;
  ASSERT_TRUE(machine().Save(rom_path, kSpecies, states, status));
  EXPECT_EQ(status, kMachineSavedText);
  std::string expected = rom;
  expected.replace(RecordAt(kSpecies), L::kMachineSize, std::string("\xFE\xFF\xFF\x7F\xFE\xFF\xFF\x03", 8));
  EXPECT_TRUE(File() == expected) << "bits 0, 31, 32 and 58-63 clear, no other byte changed";
  EXPECT_EQ(machine().states(), states) << "what was written is what is on show";
}

// Bits on show are written only into the species they were read from: after a read of
// another species, a read that failed, or a new ROM, the save is refused with its reason and
// the file is left as it was.
TEST_F(MachineBits, ASaveIsRefusedUnlessTheSpeciesOnShowWasRead) {
  Load();
  const std::filesystem::path away = dir / "away.gba";
  struct Case {
    const char* name;
    std::function<void()> before;
  };
  std::string status;
  const Case cases[] = {
      {"another species read", [&] { machine().Load(rom_path, 7, status); }},
      {"the read failed",
       [&] {
         machine().Load(rom_path, kSpecies, status);  // read once, then the ROM is gone for a read
         std::filesystem::rename(rom_path, away);
         EXPECT_FALSE(machine().Load(rom_path, kSpecies, status));
         EXPECT_TRUE(StartsWith(status, kMachineReadFailure)) << status;
         EXPECT_GT(status.size(), std::string(kMachineReadFailure).size()) << "with the system's text";
         EXPECT_EQ(machine().states(), MachineStates{}) << "the boxes are cleared";
         std::filesystem::rename(away, rom_path);
       }},
      {"the ROM's data freed",
       [&] {
         machine().Load(rom_path, kSpecies, status);
         rules.FreeData();
       }},
  };
  MachineStates states{};
  states[3] = true;
  for (const Case& c : cases) {
    c.before();
    EXPECT_FALSE(machine().Save(rom_path, kSpecies, states, status)) << c.name;
    EXPECT_EQ(status, kMachineNotReadText) << c.name;
    EXPECT_TRUE(File() == rom) << c.name;
  }
}

// Without the key, with a table that does not fit the ROM as loaded, or in a ROM file cut
// short since, nothing is read or written.
TEST_F(MachineBits, ATableMissingOrOutsideTheRomIsNeitherReadNorWritten) {
  struct Case {
    const char* key;
    size_t rom_size;
    const char* reason;
  };
  const Case cases[] = {
      {"", 0x1000, kMachineMissingText},
      {"Skill_Machine=64", kTableAt + kTableBytes - 1, kMachineOutsideText},
      {"Skill_Machine=4096", 0x1000, kMachineOutsideText},
  };
  std::string status;
  for (const Case& c : cases) {
    Load(c.key, c.rom_size);
    EXPECT_STREQ(machine().Unusable(), c.reason) << c.key;
    EXPECT_FALSE(machine().Load(rom_path, 0, status)) << c.key;
    EXPECT_EQ(status, c.reason) << c.key;
    EXPECT_FALSE(machine().Save(rom_path, 0, MachineStates{}, status)) << c.key;
    EXPECT_TRUE(File() == rom) << c.key;
  }

  Load();
  ASSERT_TRUE(machine().Load(rom_path, kSpecies, status));
  const std::string cut = rom.substr(0, kTableAt + kTableBytes - 1);
  dir.Write("rom.gba", cut);
  EXPECT_FALSE(machine().Save(rom_path, kSpecies, MachineStates{}, status));
  EXPECT_EQ(status, std::string(kMachineSaveFailure) + kTableOutsideRomText);
  EXPECT_TRUE(File() == cut);
  EXPECT_FALSE(machine().Load(rom_path, kSpecies, status));
  EXPECT_EQ(status, std::string(kMachineReadFailure) + kTableOutsideRomText);
}

}  // namespace
