#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <thread>
#endif

#include "demo/workspace.h"
#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/image.h"
#include "unit/cli/run_vantari.h"
#include "unit/test_dir.h"

namespace {

struct Case {
  std::vector<std::string> args;
  int code;
  std::string out;  // the whole standard output
  std::string err;  // a part of the error output
  std::string input = {};
};

// The demo FireRed workspace in `dir`.
void WriteDemo(const TestDir& dir) {
  std::string error;
  demo::WorkspaceOptions options;
  options.games = {"BPRJ"};
  options.rom_size = demo::kMinimumRomSize;
  ASSERT_TRUE(demo::WriteWorkspace(dir.path(), options, error)) << error;
}

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    SCOPED_TRACE(line);
    const Outcome got = Vantari(c.args, c.input);
    EXPECT_EQ(got.code, c.code) << got.err;
    EXPECT_EQ(got.out, c.out);
    EXPECT_TRUE(Contains(got.err, c.err)) << got.err;
  }
}

TEST(VantariTool, HelpVersionAndImageInfo) {
  const Outcome help = Vantari({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("usage: vantari", 0), 0u);
  EXPECT_TRUE(Contains(help.out, "never\noctal")) << help.out;
  for (const cli::Command& c : cli::AllCommands()) EXPECT_TRUE(Contains(help.out, c.name)) << c.name;
  EXPECT_EQ(Vantari({"--version"}).out.rfind("vantari 1.", 0), 0u);
  TestDir dir;
  ASSERT_EQ(lumak::CBitmapImage(64, 32, 4).SaveImage(dir / "sprite.bmp"), 1);
  const Outcome info = Vantari({"image", "info", (dir / "sprite.bmp").string()});
  EXPECT_EQ(info.code, 0);
  EXPECT_EQ(info.out.rfind("size 64x32\ndepth 4\nstride 32\nalpha no\npalette", 0), 0u) << info.out;
}

// Input a command cannot use exits 1, a command line it cannot take 2; each says why. Text
// goes both ways as hexadecimal codes or UTF-8; a character with no Shift-JIS form gives no code
// (like a kanji outside the codec's tables), never the code of '?'.
TEST(VantariTool, IniTextAndLz77Answers) {
  TestDir dir;
  const std::string out = (dir / "out.bin").string(), ini = (dir / "p.ini").string();
  const std::string guarded = dir.Write("guard.ini", "[AXVJ]\r\nPrice=300\r\nEmpty=\r\n").string();
  const std::string plain = dir.Write("a.bin", "plain").string();
  const std::string cut = dir.Write("b.bin", "\x10\x40\x00\x00\x00ab").string();
  const std::string one = dir.Write("c.bin", "x").string(), three = dir.Write("d.bin", "\x10\x40").string();
  const std::string not_png = dir.Write("x.png", "nope").string();
  const std::string missing = (dir / "missing").string();
  const std::string kBreaks = "would break the file";
  RunCases({
      {{}, 2, "", "usage: vantari"},
      {{"frobnicate"}, 2, "", "unknown command 'frobnicate'"},
      {{"ini", "get", "x"}, 2, "", "usage: vantari ini"},
      {{"ini", "set", ini, "BPRJ", "Item_Data", "4162148"}, 0, "", ""},
      {{"ini", "get", ini, "bprj", "ITEM_DATA"}, 0, "4162148\n", ""},
      {{"ini", "get", guarded, "axvj", "EMPTY"}, 0, "\n", ""},
      {{"ini", "get", missing, "AXVJ", "Price"}, 1, "", "cannot read"},
      {{"ini", "get", dir.path().string(), "AXVJ", "Price"}, 1, "", "cannot read"},
      {{"ini", "get", guarded, "AXVJ", "Weight"}, 1, "", "has no key Weight in [AXVJ]"},
      {{"ini", "get", guarded, "BPRJ", "Price"}, 1, "", "has no key Price in [BPRJ]"},
      // Every refused name and value is checked in profile_test; here a NUL, which only an
      // argument can carry.
      {{"ini", "set", guarded, "AXVJ", "Price", "375\n[AXVJ]"}, 2, "", kBreaks},
      {{"ini", "set", guarded, "AX]VJ", "Price", "1"}, 2, "", kBreaks},
      {{"ini", "set", guarded, "AXVJ", "Price", std::string("3\0" "7", 3)}, 2, "", kBreaks},
      {{"lz77", "decode", plain, out}, 1, "", "no LZ77 data"},
      {{"lz77", "decode", cut, out}, 1, "", "damaged"},
      {{"lz77", "decode", three, out}, 1, "", "damaged after 0 bytes"},
      {{"lz77", "decode", one, out, "--offset", "9"}, 1, "", "lies past the end"},
      {{"lz77", "decode", missing, out}, 1, "", "cannot read"},
      {{"lz77", "encode", "--search", "fast", "a", "b"}, 2, "", "usage: vantari lz77"},
      {{"image", "info", not_png}, 1, "", "is no BMP or PNG image"},
      {{"text", "decode", "bb", "BC", "aa", "06FF"}, 0, "AB9か終", ""},
      {{"text", "encode", "ABか終"}, 0, "BB BC 06 FF\n", ""},
      {{"text", "decode", "--utf8", "06", "FF", "FF"}, 0, "\xE3\x81\x8B\xE7\xB5\x82\xE7\xB5\x82", ""},  // か終終
      {{"text", "decode", "--hide-terminator", "06FFFF"}, 0, "か", ""},
      {{"text", "decode", "0G"}, 1, "", "pairs of hexadecimal digits"},
      {{"text", "decode", "123"}, 1, "", "pairs of hexadecimal digits"},
      {{"text", "encode", "--utf8", "\xEF\xBC\xA1" "BC"}, 0, "BB BC BD FF\n", ""},  // ＡBC
      {{"text", "encode", "ABC"}, 0, "BB BC BD FF\n", ""},
      {{"text", "encode"}, 0, "BB BC BD FF\n", "", "ABC\n"},
      {{"text", "encode"}, 0, "BB FE FF\n", "", "A\r\n"},
      {{"text", "encode", "--utf8", "a\xC3\xA9" "b"}, 0, "D5 D6 FF\n", ""},          // é
      {{"text", "encode", "--utf8", "a\xE6\xBC\xA2" "b"}, 0, "D5 D6 FF\n", ""},      // 漢
      {{"text", "encode", "--utf8", "a\xF0\x9F\x98\x80" "b"}, 0, "D5 D6 FF\n", ""},  // 😀
      {{"text", "encode", "--utf8", "?"}, 0, "AC FF\n", ""},
      {{"text", "encode", "--utf8", "\xFF\xFE"}, 1, "", "not valid UTF-8"},
      {{"text", "transcode"}, 2, "", "usage: vantari text"},
      {{"text", "encode", "--hide-terminator"}, 2, "", "usage: vantari text"},
  });
  EXPECT_EQ(dir.Read("guard.ini"), "[AXVJ]\r\nPrice=300\r\nEmpty=\r\n");
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
    std::string rom_path = dir.Write("rom.gba", std::string(0x40, '\xFF') + dir.Read("tiles.lz")).string();
    Outcome decoded = Vantari({"lz77", "decode", rom_path, back, "--offset", "0x40"});
    ASSERT_EQ(decoded.code, 0) << decoded.err;
    EXPECT_EQ(dir.Read("back.bin"), data);
  }
  ASSERT_EQ(Vantari({"lz77", "encode", "--no-compress", in, packed}).code, 0);
  EXPECT_EQ(dir.Read("tiles.lz").size(), 4 + 9 * ((data.size() + 7) / 8));
  // Every command reads offsets alike: decimal, or hexadecimal after 0x; a leading zero is no octal.
  std::string rom = dir.Write("rom.bin", std::string(100, '\xFF') + dir.Read("tiles.lz")).string();
  for (std::string_view offset : {"100", "0100", "0x64", "0X64", "00100"})
    EXPECT_EQ(Vantari({"lz77", "decode", rom, back, "--offset", offset}).code, 0) << offset;
  for (std::string_view offset : {"-1", "1e2", "0x", "", "+100", "0x64 ", "99999999999999999999999"})
    EXPECT_EQ(Vantari({"lz77", "decode", rom, back, "--offset", offset}).code, 2) << offset;
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
  std::vector<Case> cases = {
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
  for (Case& c : cases) c.args.insert(c.args.begin(), "space");
  RunCases(cases);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(dir.Read("rom.gba"), rom);
}

TEST(VantariHardening, InputFromStandardInputOrAPipeIsReadWhole) {
  TestDir dir;
  std::string data(5000, 'x');
  ASSERT_EQ(Vantari({"lz77", "encode", dir.Write("in.bin", data).string(), (dir / "file.lz").string()}).code, 0);
  Outcome piped = Vantari({"lz77", "encode", "-", (dir / "stdin.lz").string()}, data);
  EXPECT_EQ(piped.code, 0) << piped.err;
  EXPECT_EQ(dir.Read("stdin.lz"), dir.Read("file.lz"));
#ifndef _WIN32
  // A named pipe reports no size: it is read to its end all the same.
  std::string fifo = (dir / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] {
    std::FILE* f = std::fopen(fifo.c_str(), "wb");
    if (!f) return;
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
  });
  Outcome from_pipe = Vantari({"lz77", "encode", fifo, (dir / "pipe.lz").string()});
  writer.join();
  EXPECT_EQ(from_pipe.code, 0) << from_pipe.err;
  EXPECT_EQ(dir.Read("pipe.lz"), dir.Read("file.lz"));
#endif
  // The script decoder follows pointers back and forth: a ROM it cannot seek in is refused.
  dir.Write("define.source", demo::DefineSource());
  Outcome no_rom = Vantari({"script", "decode", "-", "0", "--define", (dir / "define.source").string()});
  EXPECT_EQ(no_rom.code, 1);
  EXPECT_TRUE(Contains(no_rom.err, "is no file")) << no_rom.err;
  Outcome to_stdout = Vantari({"lz77", "decode", (dir / "file.lz").string(), "-"});
  EXPECT_EQ(to_stdout.code, 0) << to_stdout.err;
  EXPECT_EQ(to_stdout.out.substr(0, data.size()), data);
}

TEST(VantariHardening, ScriptAssembleNeitherCutsNorLeavesTheRomSpace) {
  TestDir dir;
  std::string define = dir.Write("define.source", demo::DefineSource()).string();
  const std::string script = "loadpointer 0x00 Text\r\nend\r\n#Text \"ABC\"\r\n";
  std::string many;
  for (int i = 0; i < 1001; ++i) many += "#raw 00\r\n";
  struct Script {
    std::string source;
    const char* base;  // null: no --base
    int code;
    const char* message;
  };
  const Script kCases[] = {
      {script, nullptr, 0, ""},
      {script + std::string(61440, ' '), nullptr, 1, "longer than 61440 bytes"},
      {many, nullptr, 1, "more than 1000 commands"},
      {script, "-1", 2, "below 0x2000000"},
      {script, "FFFFFFFFFF", 2, "below 0x2000000"},
      {script, "0x2000000", 2, "below 0x2000000"},
      {script, "33554432", 2, "below 0x2000000"},
      {script, "0x1FFFFFE", 1, "run past the 32 MiB"},
      {script, "0x1FFFF00", 0, ""},
  };
  const std::string out = (dir / "script.bin").string();
  for (const Script& c : kCases) {
    std::string source = dir.Write("script.txt", c.source).string();
    std::filesystem::remove(out);
    std::vector<std::string_view> args = {"script", "assemble", source, out, "--define", define};
    if (c.base) args.insert(args.end(), {"--base", c.base});
    Outcome assembled = Vantari(args);
    EXPECT_EQ(assembled.code, c.code) << c.base << " " << c.source.size() << ": " << assembled.err;
    EXPECT_TRUE(Contains(assembled.err, c.message)) << assembled.err;
    EXPECT_EQ(std::filesystem::exists(out), c.code == 0) << c.base << " " << c.source.size();
  }
  // The text pointer is the ROM address of the text placed after the code.
  EXPECT_EQ(dir.Read("script.bin").substr(2, 4), std::string("\x07\xFF\xFF\x09", 4));
  // Both cuts at once are both reported.
  std::string source = dir.Write("script.txt", many + std::string(61440, ' ')).string();
  Outcome both = Vantari({"script", "assemble", source, out, "--define", define});
  EXPECT_TRUE(Contains(both.err, "longer than") && Contains(both.err, "more than 1000")) << both.err;
  EXPECT_EQ(Vantari({"script", "assemble", source, out, "--define", (dir / "none").string()}).code, 1);
}

TEST(VantariHardening, DemoKeepsAnExistingWorkspaceUnlessForced) {
  TestDir dir;
  dir.Write("Setting.ini", "mine");
  const std::string root = dir.path().string();
  std::vector<std::string_view> args = {"demo", root, "--game", "AXVJ", "--size", "0x400000"};
  Outcome kept = Vantari(args);
  EXPECT_EQ(kept.code, 1);
  EXPECT_TRUE(Contains(kept.err, "Setting.ini exists already")) << kept.err;
  EXPECT_EQ(dir.Read("Setting.ini"), "mine");
  EXPECT_FALSE(std::filesystem::exists(dir / "README.txt")) << "nothing is written";
  args.push_back("--force");
  EXPECT_EQ(Vantari(args).code, 0);
  EXPECT_NE(dir.Read("Setting.ini"), "mine");
}

// vantari table: the list, a table out to the standard output and back in from the standard
// input (a dry run writes nothing, a wrong cell is refused with its place), and command lines
// it cannot take.
TEST(VantariTool, TableListExportAndImport) {
  TestDir dir;
  ASSERT_NO_FATAL_FAILURE(WriteDemo(dir));
  const std::string rom = (dir / "demo_BPRJ_firered.gba").string(), original = dir.Read("demo_BPRJ_firered.gba");
  const Outcome listed = Vantari({"table", "list", rom});
  EXPECT_EQ(listed.out.rfind("monsters ", 0), 0u) << listed.err;
  const Outcome items = Vantari({"table", "export", rom, "items", "-"});
  ASSERT_EQ(items.out.rfind("\xEF\xBB\xBFindex,name,price,", 0), 0u) << items.err;
  const std::string edited = "index,price\n1,65535\n";
  RunCases({
      {{"table", "import", rom, "items", "-", "--dry-run"}, 0, "", "items: 1 record would change, 2 bytes\ndry run: nothing was written", edited},
      {{"table", "import", rom, "items", "-"}, 1, "", "-:2:3: price: 65536 is outside 0-65535", "index,price\n1,65536\n"},
      {{"table", "export", rom, "nothing", "-"}, 1, "", "no table is called nothing"},
      {{"table", "export", rom, "items"}, 2, "", "usage: vantari table"},
      {{"table", "export", rom, "items", "-", "--format"}, 2, "", "usage: vantari table"},
      {{"table", "export", rom, "items", "-", "--setting", "a", "--setting", "b"}, 2, "", "usage: vantari table"},
      {{"table", "import", rom, "items", "-", "--space", "nowhere"}, 2, "", "usage: vantari table"},
      {{"table", "list", rom, "--dry-run"}, 2, "", "usage: vantari table"},
  });
  EXPECT_TRUE(dir.Read("demo_BPRJ_firered.gba") == original);
  EXPECT_EQ(Vantari({"table", "import", rom, "items", "-"}, edited).code, 0);
  const Outcome back = Vantari({"table", "export", rom, "items", "-", "--format", "json"});
  EXPECT_NE(back.out.find("{\"index\": 1, \"name\": \""), std::string::npos) << back.out.substr(0, 200);
  EXPECT_NE(back.out.find("\"price\": 65535"), std::string::npos);
}

// Outputs are replaced whole or not at all: a file the user protected, or a write that fails
// half-way, leaves the old file as it was and no copy beside it.
TEST(VantariHardening, OutputsAreReplacedWholeOrNotAtAll) {
  TestDir dir;
  std::string input = dir.Write("in.bin", std::string(200000, '\x11')).string();
  dir.Write("define.source", demo::DefineSource());
  std::string source = dir.Write("script.txt", "end\r\n").string();
  const std::string old = "the user's file";
  auto out = dir / "out.bin";
  const std::vector<std::vector<std::string>> kWriters = {
      {"lz77", "encode", "--no-compress", input, out.string()},
      {"script", "assemble", source, out.string(), "--define", (dir / "define.source").string()},
      {"ini", "set", out.string(), "A", "K", "V"},
  };
  for (const auto& writer : kWriters) {
    dir.Write("out.bin", old);
    std::filesystem::permissions(out, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                          std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(Vantari(writer).code, 1) << writer[0];
    EXPECT_EQ(dir.Read("out.bin"), old) << writer[0];
    std::filesystem::permissions(out, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_EQ(Vantari(writer).code, 0) << writer[0];
    EXPECT_NE(dir.Read("out.bin"), old) << writer[0];
  }
#ifndef _WIN32
  // A file size limit makes the write fail half-way.
  dir.Write("out.bin", old);
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 65536;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  Outcome cut = Vantari({"lz77", "encode", "--no-compress", input, out.string()});
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(cut.code, 1);
  EXPECT_TRUE(Contains(cut.err, "cannot write")) << cut.err;
  EXPECT_EQ(dir.Read("out.bin"), old);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bin~new"));
#endif
}

// A font block out to an indexed PNG sheet and back into another place of the ROM (the BMP
// sheet is the font editor's own, checked in font_sheet_test); a demo map drawn as a PNG.
TEST(VantariTool, FontSheetAndTileMap) {
  TestDir dir;
  std::string rom(0x200, '\0');
  for (size_t i = 0; i < 0x4600; ++i) rom.push_back(static_cast<char>(i * 37 + i / 300));
  rom += std::string(0x4600, '\0');
  const std::string path = dir.Write("rom.gba", rom).string();
  const std::string sheet = (dir / "sheet.bmp").string(), png = (dir / "sheet.png").string();
  ASSERT_EQ(Vantari({"font", "export", path, "0x200", sheet}).code, 0);
  ASSERT_EQ(Vantari({"font", "export", path, "0x200", png}).code, 0);
  lumak::CBitmapImage image;
  lumak::CImage from_png;
  ASSERT_TRUE(image.LoadImageA(sheet) && from_png.Load(png));
  ASSERT_EQ(from_png.GetColorDepth(), 4);
  for (int i = 0; i < 16; ++i) {  // red-first in the PNG reader, blue-first in the BMP
    EXPECT_EQ(from_png.GetPalette()[4 * i], image.GetPalette()[4 * i + 2]) << i;
    EXPECT_EQ(from_png.GetPalette()[4 * i + 1], image.GetPalette()[4 * i + 1]) << i;
  }
  ASSERT_EQ(Vantari({"font", "import", png, path, "0x4800"}).code, 0);
  EXPECT_EQ(dir.Read("rom.gba").substr(0x4800), rom.substr(0x200, 0x4600));
  EXPECT_EQ(Vantari({"font", "export", path, "0x4900", sheet}).code, 1) << "past the end";
  EXPECT_EQ(Vantari({"font", "import", sheet, path, ""}).code, 2);

  ASSERT_NO_FATAL_FAILURE(WriteDemo(dir));
  const std::string map = (dir / "map.png").string();
  const std::string tilemap = (dir / "tilemap.bmp").string(), tileset = (dir / "tileset.bmp").string();
  ASSERT_EQ(Vantari({"tilemap", "render", tilemap, tileset, map}).code, 0);
  lumak::CImage rendered;
  ASSERT_TRUE(rendered.Load(map));
  int width = 0, height = 0;
  rendered.GetImageSize(width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(256, 192));
  EXPECT_EQ(rendered.GetColorDepth(), 4);
  EXPECT_EQ(Vantari({"tilemap", "render", tileset, tileset, map}).code, 1);
}

// Commands that write into a ROM write inside it only, whole or not at all; data alone goes to
// the standard output; inputs beyond what a format holds are refused before they are read whole.
TEST(VantariHardening, RomWritesStayInsideTheFileAndReportsGoToTheErrorStream) {
  TestDir dir;
  ASSERT_NO_FATAL_FAILURE(WriteDemo(dir));
  const std::string rom = (dir / "demo_BPRJ_firered.gba").string(), sheet = (dir / "sheet.bmp").string();
  const std::string original = dir.Read("demo_BPRJ_firered.gba");
  ASSERT_EQ(Vantari({"font", "export", rom, "0x200", sheet}).code, 0);
  lumak::CBitmapImage wide;
  ASSERT_TRUE(wide.CreateImage(8192, 1, 16) && wide.SaveImage(dir / "wide.bmp"));
  const std::string end = std::to_string(original.size() - 0x4600 + 1);
  struct Refusal {
    std::vector<std::string> args;
    const char* err;
  } refusals[] = {
      {{"font", "import", sheet, rom, "0x40000000", "--no-backup"}, "範囲外"},
      {{"font", "import", sheet, rom, end, "--no-backup"}, "範囲外"},
#ifndef _WIN32
      {{"gfx", "encode", "/dev/zero", rom, "append", "--no-backup"}, "larger than 33554432 bytes"},
      {{"lz77", "encode", "/dev/zero", (dir / "z.lz").string()}, "larger than 16777215 bytes"},
#endif
      {{"space", "regions", rom, "--setting", (dir / "missing.ini").string()}, "cannot read"},
      {{"tilemap", "render", (dir / "wide.bmp").string(), (dir / "tileset.bmp").string(), "-"}, "too large to draw"},
      {{"tilemap", "render", (dir / "tilemap.bmp").string(), (dir / "wide.bmp").string(), "-"}, "indexed"},
  };
  for (const Refusal& c : refusals) {
    const Outcome got = Vantari(c.args);
    EXPECT_EQ(got.code, 1) << c.args[0] << " " << c.args[1];
    EXPECT_TRUE(Contains(got.err, c.err)) << got.err;
    EXPECT_TRUE(dir.Read("demo_BPRJ_firered.gba") == original) << c.args[0];
  }
  // Data alone on the standard output, the report on the error stream; "-" as an input.
  const std::string lz = dir.Write("p.lz", std::string("\x10\x04\x00\x00\x00" "abcd", 9)).string();
  Outcome decoded = Vantari({"lz77", "decode", lz, "-"});
  EXPECT_EQ(decoded.out, "abcd");
  EXPECT_TRUE(Contains(decoded.err, "4 bytes from ")) << decoded.err;
  EXPECT_EQ(Vantari({"font", "import", "-", rom, "0x200", "--no-backup"}, dir.Read("sheet.bmp")).code, 0);
  EXPECT_TRUE(dir.Read("demo_BPRJ_firered.gba") == original) << "the same sheet back in its place";
#ifndef _WIN32
  // A file-size limit makes an append fail; vantari lives on and the ROM is cut back.
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = original.size() + 8;
  auto* previous = std::signal(SIGXFSZ, SIG_DFL);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  Outcome cut = Vantari({"gfx", "encode", sheet, rom, "append", "--no-backup"});
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(cut.code, 1) << cut.err;
  EXPECT_TRUE(dir.Read("demo_BPRJ_firered.gba") == original);
#endif
}

}  // namespace
