// BPS and IPS: patches written out byte by byte from the formats' rules, and round trips over
// pairs of ROMs that were edited in place, grown, shrunk and had data moved.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "patch/bps.h"
#include "patch/ips.h"
#include "patch/patch.h"
#include "patch/patch_files.h"
#include "unit/test_dir.h"

namespace {

using Buffer = std::vector<uint8_t>;

Buffer Of(std::string_view text) { return Buffer(text.begin(), text.end()); }

// "BPS1", source 8, target 17, metadata "hi!", then: source read 4 ("ABCD"), target read "xy",
// source copy 3 from +5 ("FGH"), source copy 2 from -7 ("BC"), target copy 4 from +10 (the "C"
// just made, repeated), target copy 2 from -10 ("xy"); the CRC-32s of source, target and patch.
const Buffer kBpsVector = {0x42, 0x50, 0x53, 0x31, 0x88, 0x91, 0x83, 0x68, 0x69, 0x21, 0x8C, 0x85,
                           0x78, 0x79, 0x8A, 0x8A, 0x86, 0x8F, 0x8F, 0x94, 0x87, 0x95, 0x1C, 0xB6,
                           0xDC, 0x68, 0x98, 0x91, 0x01, 0xFA, 0x72, 0xC8, 0x44, 0xE8};

TEST(BpsFormat, AppliesAHandWrittenPatchAndMakesTheObviousOne) {
  Buffer target;
  patch::Problem problem;
  ASSERT_TRUE(patch::Apply(kBpsVector, Of("ABCDEFGH"), target, problem)) << patch::ProblemText(problem);
  EXPECT_EQ(target, Of("ABCDxyFGHBCCCCCxy"));
  patch::Info info;
  ASSERT_TRUE(patch::Inspect(kBpsVector, info, problem));
  EXPECT_EQ(info.metadata, "hi!");
  EXPECT_EQ(info.source_crc, 0x68DCB61Cu);
  EXPECT_EQ(info.target_crc, 0xFA019198u);
  EXPECT_EQ(info.patch_crc, info.patch_crc_computed);

  // One changed byte: source read 3, target read "x", source read 4.
  Buffer made = patch::MakeBps(Of("ABCDEFGH"), Of("ABCxEFGH"));
  ASSERT_EQ(made.size(), 4u + 3 + 4 + 12);
  EXPECT_EQ(Buffer(made.begin(), made.begin() + 12),
            (Buffer{'B', 'P', 'S', '1', 0x88, 0x88, 0x80, 0x88, 0x81, 'x', 0x8C, 0x1C}));

  // Data moved off the indexed places is found at the next one and extended back over the new
  // bytes: target read "vwxyz", source copy 63 from +1.
  Buffer source(64);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i * 37 + 11);
  Buffer moved = Of("vwxyz");
  moved.insert(moved.end(), source.begin() + 1, source.end());
  made = patch::MakeBps(source, moved);
  EXPECT_EQ(Buffer(made.begin(), made.end() - 12),
            (Buffer{'B', 'P', 'S', '1', 0xC0, 0xC4, 0x80, 0x91, 'v', 'w', 'x', 'y', 'z', 0x7A, 0x80, 0x82}));

  // Numbers: seven bits a byte, each continuation adding one.
  const std::pair<uint64_t, Buffer> numbers[] = {
      {0, {0x80}}, {127, {0xFF}}, {128, {0x00, 0x80}}, {16511, {0x7F, 0xFF}}, {16512, {0x00, 0x00, 0x80}}};
  for (const auto& [value, bytes] : numbers) {
    Buffer out;
    patch::AppendBpsNumber(out, value);
    EXPECT_EQ(out, bytes) << value;
    EXPECT_EQ(patch::BpsNumberBytes(value), bytes.size()) << value;
  }
}

TEST(IpsFormat, HandWrittenRecordsRunsTruncationAndTheEofOffset) {
  Buffer source(32);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i);
  Buffer target(source.begin(), source.begin() + 24);
  target[2] = 0xAA;
  target[3] = 0xBB;
  // Five unchanged bytes between changes: a new record costs as much as them.
  std::fill(target.begin() + 9, target.begin() + 19, 0x55);
  const Buffer expected = {'P', 'A', 'T', 'C', 'H', 0, 0, 2, 0, 2, 0xAA, 0xBB,          // data record
                           0, 0, 9, 0, 0, 0, 10, 0x55,                                  // run record
                           'E', 'O', 'F', 0, 0, 24};                                    // cut to 24
  Buffer made, applied;
  patch::Problem problem;
  ASSERT_TRUE(patch::MakeIps(source, target, made, problem));
  EXPECT_EQ(made, expected);
  ASSERT_TRUE(patch::Apply(expected, source, applied, problem));
  EXPECT_EQ(applied, target);

  // A change at 0x454F46 would start a record that reads "EOF": it starts one byte earlier.
  Buffer big(0x454F50), changed = big;
  changed[0x454F46] = 7;
  ASSERT_TRUE(patch::MakeIps(big, changed, made, problem));
  EXPECT_EQ(made, (Buffer{'P', 'A', 'T', 'C', 'H', 0x45, 0x4F, 0x45, 0, 2, 0, 7, 'E', 'O', 'F'}));
  ASSERT_TRUE(patch::Apply(made, big, applied, problem));
  EXPECT_EQ(applied, changed);
}

TEST(IpsFormat, ChangesAtOrPast16MiBAreRefusedWithTheirPlace) {
  Buffer source(patch::kIpsReach + 16), target = source, made;
  target[patch::kIpsReach + 3] = 1;
  patch::Problem problem;
  EXPECT_FALSE(patch::MakeIps(source, target, made, problem));
  EXPECT_EQ(problem.fault, patch::Fault::kIpsOutOfReach);
  EXPECT_EQ(problem.offset, patch::kIpsReach + 3);
  EXPECT_NE(patch::ProblemText(problem).find("BPS"), std::string::npos);
  // A result cut to 16 MiB or more cannot be told in three bytes either.
  target.assign(source.begin(), source.end() - 8);
  EXPECT_FALSE(patch::MakeIps(source, target, made, problem));
  EXPECT_TRUE(made.empty());
}

// Quick bytes that look like a ROM: stretches of noise, of 0xFF and of repeated records.
struct RomMaker {
  uint64_t state;
  uint64_t Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
  size_t Below(size_t n) { return n ? size_t(Next() % n) : 0; }
  Buffer Rom(size_t size) {
    Buffer rom(size);
    for (size_t at = 0; at < size;) {
      const size_t n = std::min(size - at, 1 + Below(4096));
      switch (Below(3)) {
        case 0: std::fill_n(rom.begin() + ptrdiff_t(at), n, 0xFF); break;
        case 1:
          for (size_t i = 0; i < n; ++i) rom[at + i] = uint8_t(i % 28 < 6 ? i % 28 : 0);
          break;
        default:
          for (size_t i = 0; i < n; i += 8) {
            const uint64_t word = Next();
            std::memcpy(rom.data() + at + i, &word, std::min<size_t>(8, n - i));
          }
      }
      at += n;
    }
    return rom;
  }
  // A copy of `rom` edited the way a hack edits one: 0 bytes changed in place, 1 grown,
  // 2 shrunk, 3 a block moved to free space and its old place cleared.
  Buffer Edit(const Buffer& rom, int kind) {
    Buffer out = rom;
    if (kind == 1) {
      const Buffer more = Rom(1 + Below(3000));
      out.insert(out.end(), more.begin(), more.end());
    }
    if (kind == 2) out.resize(Below(out.size()));
    if (kind == 3 && out.size() > 64) {
      const size_t length = 16 + Below(out.size() / 4), from = Below(out.size() - length);
      Buffer block(out.begin() + ptrdiff_t(from), out.begin() + ptrdiff_t(from + length));
      std::fill_n(out.begin() + ptrdiff_t(from), length, 0xFF);
      out.insert(out.end(), block.begin(), block.end());
    }
    for (size_t i = Below(12); i > 0 && !out.empty(); --i) out[Below(out.size())] = uint8_t(Next());
    return out;
  }
};

void ExpectRoundTrip(patch::Format format, const Buffer& source, const Buffer& target, size_t* size = nullptr) {
  Buffer made, applied;
  patch::Problem problem;
  ASSERT_TRUE(patch::Make(format, source, target, made, problem)) << patch::ProblemText(problem);
  ASSERT_TRUE(patch::Apply(made, source, applied, problem)) << patch::ProblemText(problem);
  ASSERT_TRUE(applied == target) << patch::FormatName(format) << ": " << source.size() << " -> " << target.size();
  if (size) *size = made.size();
}

TEST(PatchRoundTrip, SmallPairsEditedGrownShrunkAndMoved) {
  RomMaker maker{0x9E3779B97F4A7C15ull};
  for (int i = 0; i < 240; ++i) {
    const int kind = i % 4;
    const Buffer source = maker.Rom(i < 8 ? size_t(i) : 1 + maker.Below(40000));
    const Buffer target = maker.Edit(source, kind);
    size_t bps = 0;
    ExpectRoundTrip(patch::Format::kBps, source, target, &bps);
    ExpectRoundTrip(patch::Format::kIps, source, target);
    // Moved data costs a copy, not its bytes: a few dozen bytes besides the edits.
    if (kind == 3) {
      EXPECT_LT(bps, 200u) << "pair " << i << ", " << source.size() << " bytes";
    }
  }
}

TEST(PatchRoundTrip, TheSixteenAndThirtyTwoMiBEdges) {
  RomMaker maker{12345};
  const Buffer source = maker.Rom(size_t(16) << 20);
  // Grown to the cartridge's 32 MiB, a 1 MiB block moved into the new half.
  Buffer grown = source;
  grown.resize(patch::kMaxRomBytes, 0xFF);
  std::copy_n(source.begin() + (3 << 20), 1 << 20, grown.begin() + (20 << 20));
  std::fill_n(grown.begin() + (3 << 20), 1 << 20, 0xFF);
  size_t bps = 0;
  ExpectRoundTrip(patch::Format::kBps, source, grown, &bps);
  EXPECT_LT(bps, 1024u);
  Buffer made;
  patch::Problem problem;
  EXPECT_FALSE(patch::Make(patch::Format::kIps, source, grown, made, problem));
  // One side beyond the cartridge is enough to refuse.
  grown.push_back(0);
  EXPECT_FALSE(patch::Make(patch::Format::kBps, grown, source, made, problem));
  EXPECT_EQ(problem.fault, patch::Fault::kInputTooLarge);
  grown.pop_back();
  // Shrunk to the last size IPS can state, its last byte changed.
  Buffer cut(source.begin(), source.end() - 1);
  cut.back() ^= 0xFF;
  ExpectRoundTrip(patch::Format::kIps, source, cut);
  ExpectRoundTrip(patch::Format::kBps, source, cut);
}

// tessaro's file operations: the format by the patch's name, no ROM under a patch's name, and
// nothing written when refused.
TEST(PatchFiles, NamesAndRefusals) {
  TestDir dir;
  const auto a = dir.Write("a.gba", "ABCDEFGH"), b = dir.Write("b.gba", "ABCxEFGHIJ");
  std::string text;
  EXPECT_FALSE(patch::MakePatchFile(a, b, dir / "p.txt", text));
  ASSERT_TRUE(patch::MakePatchFile(a, b, dir / "p.IPS", text)) << text;
  EXPECT_EQ(dir.Read("p.IPS").rfind("PATCH", 0), 0u);
  ASSERT_TRUE(patch::MakePatchFile(a, b, dir / "p.bps", text)) << text;
  EXPECT_FALSE(patch::ApplyPatchFile(a, dir / "p.bps", dir / "out.ips", text));
  EXPECT_FALSE(patch::ApplyPatchFile(b, dir / "p.bps", dir / "out.gba", text));
  EXPECT_EQ(text.rfind("このパッチは別のROM用です。", 0), 0u) << text;
  EXPECT_FALSE(std::filesystem::exists(dir / "out.ips") || std::filesystem::exists(dir / "out.gba"));
  EXPECT_FALSE(patch::ApplyPatchFile(a, dir / "p.IPS", dir / "missing" / "out.gba", text));
  EXPECT_NE(text.find("out.gba"), std::string::npos) << "names the file it could not write";
  // A patch that is not there, and a ROM beyond the cartridge (refused before it is read).
  EXPECT_FALSE(patch::ApplyPatchFile(a, dir / "none.ips", dir / "out.gba", text));
  const auto big = dir.Write("big.gba", "");
  std::filesystem::resize_file(big, patch::kMaxRomBytes + 1);
  EXPECT_FALSE(patch::MakePatchFile(big, b, dir / "big.ips", text));
  EXPECT_NE(text.find("big.gba"), std::string::npos) << text;
  EXPECT_FALSE(std::filesystem::exists(dir / "out.gba") || std::filesystem::exists(dir / "big.ips"));
  ASSERT_TRUE(patch::ApplyPatchFile(a, dir / "p.IPS", dir / "out.gba", text)) << text;
  EXPECT_EQ(dir.Read("out.gba"), "ABCxEFGHIJ");
}

}  // namespace
