#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "unit/test_dir.h"

namespace {

// Runs vantari with `args`, capturing what it prints.
struct Outcome {
  int code;
  std::string out, err;
};

std::string Slurp(std::FILE* f) {
  std::string s;
  std::rewind(f);
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  std::fclose(f);
  return s;
}

Outcome Vantari(std::vector<std::string_view> args) {
  cli::Io io{std::tmpfile(), std::tmpfile()};
  int code = cli::Main(args, io);
  return {code, Slurp(io.out), Slurp(io.err)};
}

TEST(VantariTool, HelpAndVersion) {
  Outcome help = Vantari({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("usage: vantari"), std::string::npos);
  for (const cli::Command& c : cli::AllCommands()) {
    EXPECT_NE(help.out.find(std::string(c.name)), std::string::npos) << c.name;
  }
  Outcome version = Vantari({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out.rfind("vantari 1.", 0), 0u) << version.out;
}

TEST(VantariTool, BadUsageExitsTwo) {
  EXPECT_EQ(Vantari({}).code, 2);
  Outcome unknown = Vantari({"frobnicate"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("unknown command"), std::string::npos);
  EXPECT_EQ(Vantari({"ini", "get", "x"}).code, 2);
}

TEST(VantariTool, IniSetThenGet) {
  TestDir dir;
  std::string file = (dir / "Setting.ini").string();
  EXPECT_EQ(Vantari({"ini", "set", file, "BPRJ", "Item_Data", "4162148"}).code, 0);
  Outcome got = Vantari({"ini", "get", file, "bprj", "ITEM_DATA"});
  EXPECT_EQ(got.code, 0);
  EXPECT_EQ(got.out, "4162148\n");
}

}  // namespace
