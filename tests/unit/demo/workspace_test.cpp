// The workspace files around the ROMs, read back the way the programs read them.
#include "demo/workspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "demo/demo_rom.h"
#include "platform/profile.h"
#include "unit/test_dir.h"

namespace {

long ProfileNumber(const std::filesystem::path& ini, const char* section, const char* key) {
  char value[30];
  if (platform::ReadProfileValue(ini, section, key, "", value, sizeof value) == 0) return -1;
  return std::atol(value);
}

TEST(DemoWorkspace, SettingsReadBackToTheOffsetsTheGeneratorUsed) {
  TestDir dir;
  demo::WorkspaceOptions options;
  options.games = {"BPRJ", "AXVJ"};
  options.rom_size = demo::kMinimumRomSize;
  std::string error;
  ASSERT_TRUE(demo::WriteWorkspace(dir.path(), options, error)) << error;

  for (const char* code : {"BPRJ", "AXVJ"}) {
    const demo::GameSpec& game = *demo::FindGame(code);
    demo::DemoRom rom = demo::BuildDemoRom(game, options.rom_size, options.seed);
    EXPECT_EQ(dir.Read(game.file_name).size(), options.rom_size);
    EXPECT_TRUE(dir.Read(game.file_name) == std::string(rom.bytes.begin(), rom.bytes.end()));
    for (const auto& [key, value] : rom.keys)
      EXPECT_EQ(ProfileNumber(dir / "Setting.ini", code, key.c_str()), value) << code << " " << key;
  }
  EXPECT_EQ(ProfileNumber(dir / "Setting.ini", "BPEJ", "Item_Data"), -1) << "only the games asked for";
  EXPECT_EQ(ProfileNumber(dir / "Setting.ini", "Tessaro", "ShowCmd"), 1);

  std::string abilities = dir.Read("tokusei.ini");
  EXPECT_EQ(std::count(abilities.begin(), abilities.end(), '\n'), demo::kAbilities);
  EXPECT_EQ(std::count(abilities.begin(), abilities.end(), '\r'), demo::kAbilities);
  std::string effects = dir.Read("effects.ini");
  EXPECT_EQ(std::count(effects.begin(), effects.end(), '\n'), demo::kEffects);
  EXPECT_EQ(dir.Read("define.source"), demo::DefineSource());
  EXPECT_NE(dir.Read("README.txt").find("demo_BPRJ_firered.gba"), std::string::npos);

  // The map and tile set are checked by rendering them in cli_test.
}

TEST(DemoWorkspace, BadOptionsAreReported) {
  TestDir dir;
  std::string error;
  demo::WorkspaceOptions options;
  options.games = {"ABCD"};
  EXPECT_FALSE(demo::WriteWorkspace(dir.path(), options, error));
  EXPECT_NE(error.find("ABCD"), std::string::npos);
  options.games = {"BPRJ"};
  options.rom_size = 1024;
  EXPECT_FALSE(demo::WriteWorkspace(dir.path(), options, error));
  EXPECT_FALSE(std::filesystem::exists(dir / "demo_BPRJ_firered.gba"));
}

}  // namespace
