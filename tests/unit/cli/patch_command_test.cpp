// vantari patch: made, applied (to a new file, the standard output, or in place with a backup),
// described; and every refused patch leaves every file as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/rom_backup.h"
#include "patch/patch.h"
#include "unit/cli/run_vantari.h"
#include "unit/test_dir.h"

namespace {

using namespace std::string_literals;

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
uint32_t Crc(const std::string& s) { return patch::Crc32({reinterpret_cast<const uint8_t*>(s.data()), s.size()}); }

// "BPS1", `body`, and a footer with the CRC-32s of `source`, `target_crc` and the patch.
std::string Bps(const std::string& body, const std::string& source = "ABCDEFGH", uint32_t target_crc = 0) {
  std::string patch = "BPS1" + body + Le32(Crc(source)) + Le32(target_crc);
  return patch + Le32(Crc(patch));
}

TEST(VantariPatch, RefusedPatchesWriteNothing) {
  // The hand-written patch of the format test: "ABCDEFGH" to "ABCDxyFGHBCCCCCxy".
  const std::string actions = "\x88\x91\x83hi!\x8C\x85xy\x8A\x8A\x86\x8F\x8F\x94\x87\x95";
  std::string damaged = Bps(actions, "ABCDEFGH", 0xFA019198);
  damaged[8] ^= 0x20;
  char other_crc[9];
  std::snprintf(other_crc, sizeof other_crc, "%08X", unsigned(Crc("ABCDEFGX")));
  const struct {
    const char* what;
    std::string patch, says;
  } refusals[] = {
      {"damaged", damaged, "damaged: it records CRC-32 E844C872"},
      {"for another ROM", Bps(actions, "ABCDEFGX", 0xFA019198),
       "for another ROM: it wants 8 bytes with CRC-32 "s + other_crc + ", this ROM has 8 bytes with CRC-32 68DCB61C"},
      {"a wrong result", Bps(actions, "ABCDEFGH", 0x12345678), "has CRC-32 FA019198, the patch promises 12345678"},
      {"source read past the end", Bps("\x88\x89\x80\xA0"), "step at 0x7 reads outside"},
      {"source copy past the end", Bps("\x88\x82\x80\x86\x8E"), "step at 0x7 reads outside"},
      {"source cursor moved past the end", Bps("\x88\x82\x80\x82\x8A\x82\x86"), "step at 0x9 reads outside"},
      {"target copy of bytes not made", Bps("\x88\x82\x80\x87\x80"), "step at 0x7 writes or copies outside"},
      {"more than the result", Bps("\x88\x84\x80\x90"), "step at 0x7 writes or copies outside"},
      {"larger than a cartridge", Bps("\x88\x01\x7F\x7E\x8E\x80"), "more than a 32 MiB cartridge (at 0x5)"},
      {"ends early", Bps("\x88\x88\x80\x8C"), "ends early (at 0x8)"},
      {"ends inside an action", Bps("\x88\x88\x80\x02"), "ends early (at 0x7)"},
      {"an action after the end", Bps("\x88\x84\x80\x8C\x80"), "bytes follow the end of the patch (at 0x8)"},
      {"a number too long", Bps(std::string(8, '\0')), "too large to mean anything (at 0x4)"},
      {"IPS record cut short", "PATCH\0\0\x01\0\x05"s "ab", "ends early (at 0x5)"},
      {"IPS bytes after EOF", "PATCHEOFx", "bytes follow the end of the patch (at 0x8)"},
      {"IPS cut beyond the result", "PATCHEOF\0\0\x09"s, "writes or copies outside the result"},
      {"no patch", "hello", "neither a BPS nor an IPS patch"},
  };
  TestDir dir;
  const std::string rom = dir.Write("rom.gba", "ABCDEFGH").string(), out = (dir / "out.gba").string();
  RomBackup().set_enabled(true);
  for (const auto& r : refusals) {
    const std::string& says = r.says;
    const std::string patch = dir.Write("p.bin", r.patch).string();
    Outcome o = Vantari({"patch", "apply", rom, patch, out});
    EXPECT_EQ(o.code, 1) << r.what;
    EXPECT_NE(o.err.find(says), std::string::npos) << r.what << ": " << o.err;
    EXPECT_NE(o.err.find("nothing was written"), std::string::npos) << r.what;
    EXPECT_FALSE(std::filesystem::exists(out)) << r.what;
    EXPECT_EQ(Vantari({"patch", "apply", rom, patch, "--in-place"}).code, 1) << r.what;
    EXPECT_EQ(dir.Read("rom.gba"), "ABCDEFGH") << r.what;
    EXPECT_FALSE(std::filesystem::exists(CRomBackup::Folder(rom))) << r.what << ": no backup of an unchanged ROM";
  }
  RomBackup().set_enabled(false);
  EXPECT_EQ(Vantari({"patch", "apply", (dir / "none.gba").string(), (dir / "p.bin").string(), out}).code, 1);
}

TEST(VantariPatch, MakeApplyInPlaceAndInfo) {
  TestDir dir;
  std::string original;
  for (int i = 0; i < 70000; ++i) original += char(i % 251 < 200 ? (i * 7) >> 3 : 0xFF);
  std::string modified = original;
  modified.replace(1000, 4, "EDIT");
  modified += original.substr(30000, 5000);  // a block copied into new space
  const std::string a = dir.Write("a.gba", original).string(), b = dir.Write("b.gba", modified).string();
  const std::string meta = dir.Write("meta.txt", "<note/>").string();
  for (const char* name : {"p.bps", "p.ips"}) {
    const std::string patch = (dir / name).string(), out = (dir / "out.gba").string();
    Outcome made = Vantari({"patch", "make", a, b, patch, "--metadata", meta});
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_TRUE(made.out.empty()) << "reports go to the error stream";
    ASSERT_EQ(Vantari({"patch", "apply", a, patch, out}).code, 0) << name;
    EXPECT_EQ(dir.Read("out.gba"), modified) << name;
    Outcome piped = Vantari({"patch", "apply", a, patch, "-"});
    EXPECT_TRUE(piped.out == modified) << name << ": the ROM alone on the standard output";
    Outcome patch_in = Vantari({"patch", "apply", a, "-", "-"}, dir.Read(name));
    EXPECT_TRUE(patch_in.out == modified) << name << ": the patch from the standard input";
  }
  EXPECT_LT(dir.Read("p.bps").size(), 200u) << "the copied block costs a copy";

  Outcome info = Vantari({"patch", "info", (dir / "p.bps").string(), a});
  EXPECT_EQ(info.code, 0) << info.err;
  for (const char* line : {"format: BPS", "original: 70000 bytes", "result: 75000 bytes", "(holds)",
                           "metadata: 7 bytes\n<note/>\n", "the patch is for this ROM"})
    EXPECT_NE(info.out.find(line), std::string::npos) << line << " in\n" << info.out;
  Outcome other = Vantari({"patch", "info", (dir / "p.bps").string(), b});
  EXPECT_EQ(other.code, 1);
  EXPECT_NE(other.err.find("for another ROM"), std::string::npos) << other.err;
  info = Vantari({"patch", "info", (dir / "p.ips").string()});
  EXPECT_NE(info.out.find("format: IPS\npatch: "), std::string::npos) << info.out;

  // In place, through the ROM writer, with its backup first.
  RomBackup().set_enabled(true);
  Outcome in_place = Vantari({"patch", "apply", a, (dir / "p.bps").string(), "--in-place"});
  RomBackup().set_enabled(false);
  RomBackup().Forget();
  ASSERT_EQ(in_place.code, 0) << in_place.err;
  EXPECT_EQ(dir.Read("a.gba"), modified);
  ASSERT_EQ(CRomBackup::List(a).size(), 1u);

  EXPECT_EQ(Vantari({"patch", "make", a, b, (dir / "q.xdelta").string()}).code, 2);
}

}  // namespace
