#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "toolkit/image/bitmap_image.h"
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

Outcome Vantari(std::vector<std::string_view> args, std::string_view input = {}) {
  std::FILE* in = std::tmpfile();
  if (!input.empty()) std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  cli::Io io{in, std::tmpfile(), std::tmpfile()};
  int code = cli::Main(args, io);
  std::fclose(in);
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

TEST(VantariTool, Lz77EncodeDecodeRoundTrip) {
  TestDir dir;
  std::string data;
  for (int i = 0; i < 3000; ++i) data += static_cast<char>(i % 7 == 0 ? i : 0x11);
  std::string in = dir.Write("tiles.bin", data).string();
  std::string packed = (dir / "tiles.lz").string(), back = (dir / "back.bin").string();
  for (std::string_view search : {"full", "short"}) {
    ASSERT_EQ(Vantari({"lz77", "encode", "--search", search, in, packed}).code, 0);
    EXPECT_LT(dir.Read("tiles.lz").size(), data.size());
    // The stream placed at an offset inside a larger file, as in a ROM.
    std::string rom = std::string(0x40, '\xFF') + dir.Read("tiles.lz");
    std::string rom_path = dir.Write("rom.gba", rom).string();
    Outcome decoded = Vantari({"lz77", "decode", rom_path, back, "--offset", "0x40"});
    ASSERT_EQ(decoded.code, 0) << decoded.err;
    EXPECT_EQ(dir.Read("back.bin"), data);
  }
  ASSERT_EQ(Vantari({"lz77", "encode", "--no-compress", in, packed}).code, 0);
  EXPECT_EQ(dir.Read("tiles.lz").size(), 4 + 9 * ((data.size() + 7) / 8));
}

TEST(VantariTool, Lz77ReportsWhatItCannotDecode) {
  TestDir dir;
  std::string out = (dir / "out.bin").string();
  Outcome plain = Vantari({"lz77", "decode", dir.Write("a.bin", "plain").string(), out});
  EXPECT_EQ(plain.code, 1);
  EXPECT_NE(plain.err.find("no LZ77 data"), std::string::npos);
  Outcome cut = Vantari({"lz77", "decode", dir.Write("b.bin", "\x10\x40\x00\x00\x00ab").string(), out});
  EXPECT_EQ(cut.code, 1);
  EXPECT_NE(cut.err.find("damaged"), std::string::npos);
  EXPECT_EQ(Vantari({"lz77", "decode", dir.Write("c.bin", "x").string(), out, "--offset", "9"}).code, 1);
  EXPECT_EQ(Vantari({"lz77", "decode", (dir / "missing").string(), out}).code, 1);
  EXPECT_EQ(Vantari({"lz77", "encode", "--search", "fast", "a", "b"}).code, 2);
}

TEST(VantariTool, ImageInfo) {
  TestDir dir;
  lumak::CBitmapImage img(64, 32, 4);
  ASSERT_EQ(img.SaveImage(dir / "sprite.bmp"), 1);
  Outcome info = Vantari({"image", "info", (dir / "sprite.bmp").string()});
  EXPECT_EQ(info.code, 0);
  EXPECT_EQ(info.out.rfind("size 64x32\ndepth 4\nstride 32\nalpha no\npalette", 0), 0u) << info.out;
  EXPECT_EQ(Vantari({"image", "info", dir.Write("x.png", "nope").string()}).code, 1);
}

}  // namespace

namespace {

TEST(VantariTool, TextDecodeThenEncodeKeepsEveryCode) {
  std::string hex;
  char pair[4];
  for (int code = 0; code < 256; ++code) {
    std::snprintf(pair, sizeof pair, code ? " %02X" : "%02X", code);
    hex += pair;
  }
  Outcome shown = Vantari({"text", "decode", hex});
  ASSERT_EQ(shown.code, 0) << shown.err;
  Outcome back = Vantari({"text", "encode"}, shown.out);
  ASSERT_EQ(back.code, 0) << back.err;
  EXPECT_EQ(back.out, hex + "\n");

  Outcome utf8 = Vantari({"text", "decode", "--utf8", "06", "FF", "FF"});
  EXPECT_EQ(utf8.out, "\xE3\x81\x8B\xE7\xB5\x82\xE7\xB5\x82");  // か終終 in UTF-8
  EXPECT_EQ(Vantari({"text", "decode", "--hide-terminator", "06FFFF"}).out, "か");
  EXPECT_EQ(Vantari({"text", "encode", "--utf8", "\xEF\xBC\xA1" "BC"}).out, "BB BC BD FF\n");
  EXPECT_EQ(Vantari({"text", "encode", "ABC"}).out, "BB BC BD FF\n");
  EXPECT_EQ(Vantari({"text", "encode"}, "ABC\n").out, "BB BC BD FF\n");
}

TEST(VantariTool, SpaceFindsListsAndShowsRegions) {
  TestDir dir;
  // Game code BPRJ, free bytes at 0x100-0x140.
  std::string rom = std::string(0xAC, '\0') + "BPRJ" + std::string(0x50, '\0') +
                    std::string(0x40, '\xFF') + std::string(0x10, '\0');
  const std::string path = dir.Write("rom.gba", rom).string();
  const std::string missing = (dir / "missing.gba").string();
  dir.Write("Setting.ini", "[BPRJ]\r\ndomain1=0x100\r\ndomain1end=320\r\ndomain2=0x120\r\n");
  const std::string other =
      dir.Write("other.ini", "[BPRJ]\r\ndomain2=240\r\ndomain2end=0x150\r\n").string();
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string out, err;  // err: a part of the error output
  } cases[] = {
      {{"find", path, "0x100", "0x140", "8"}, 0, "0x000100\n", ""},
      {{"list", path, "0x100", "0x140", "8"}, 0,
       "0x000104\n0x000110\n0x00011C\n0x000128\n0x000134\n", ""},
      // A leading zero is decimal: 0256 is 0x100 (as octal it would start at 0xAE).
      {{"list", path, "0256", "0x140", "8", "--max", "2"}, 0, "0x000104\n0x000110\n", ""},
      {{"find", path, "0x100", "0x140", "0x40"}, 1, "", "vantari: no free space"},
      {{"find", missing, "0x100", "0x140", "8"}, 1, "",
       "15CFinddummyspace::CFinddummyspace を実行中にエラーが発生しました。"},
      {{"list", missing, "0x100", "0x140", "8"}, 1, "",
       "15CFinddummyspace::Finddummyspacelist を実行中にエラーが発生しました。"},
      {{"regions", path}, 0,
       "game BPRJ\nregion 1 0x000100 - 0x000140, 64 bytes, 64 free, longest run 64\n"
       "region 2 unused\nregion 3 unused\n", ""},
      {{"regions", path, "--setting", other}, 0,
       "game BPRJ\nregion 1 unused\n"
       "region 2 0x0000F0 - 0x000150, 96 bytes, 64 free, longest run 64\nregion 3 unused\n", ""},
      {{"regions", missing}, 1, "", "cannot read"},
      {{"list", path, "0x100", "0x140", "8", "--max", "0"}, 2, "", "usage"},
      {{"find", path, "0x100", "0x140"}, 2, "", "usage"},
      {{"find", path, "0x", "0x140", "8"}, 2, "", "usage"},
      {{"find", path, "-4", "0x140", "8"}, 2, "", "usage"},
      {{"find", path, "0x100", "0x100000000", "8"}, 2, "", "usage"},
      {{"grow", path}, 2, "", "usage"},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> args{"space"};
    for (const std::string& a : c.args) args.push_back(a);
    SCOPED_TRACE(c.args[0] + " " + c.args[2 % c.args.size()]);
    Outcome got = Vantari(args);
    EXPECT_EQ(got.code, c.code) << got.err;
    EXPECT_EQ(got.out, c.out);
    EXPECT_NE(got.err.find(c.err), std::string::npos) << got.err;
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(dir.Read("rom.gba"), rom);
}

TEST(VantariTool, TextRejectsBadInput) {
  EXPECT_EQ(Vantari({"text", "decode", "0G"}).code, 1);
  EXPECT_EQ(Vantari({"text", "decode", "123"}).code, 1);
  EXPECT_EQ(Vantari({"text", "encode", "--utf8", "\xFF\xFE"}).code, 1);
  EXPECT_EQ(Vantari({"text", "transcode"}).code, 2);
  EXPECT_EQ(Vantari({"text", "encode", "--hide-terminator"}).code, 2);
}

}  // namespace
