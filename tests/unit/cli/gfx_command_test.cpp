// vantari gfx: decode and encode through pictoma's core, on a demo ROM.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "demo/demo_rom.h"
#include "demo/pictures.h"
#include "demo/workspace.h"
#include "graphics/lz77.h"
#include "imagetool/gba_colour.h"
#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/image.h"
#include "unit/cli/run_vantari.h"
#include "unit/test_dir.h"

namespace {

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", v);
  return text;
}

class VantariGfx : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = new demo::DemoRom(demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1));
  }
  static void TearDownTestSuite() {
    delete demo_;
    demo_ = nullptr;
  }
  void SetUp() override { rom = dir.Write("rom.gba", std::string(demo_->bytes.begin(), demo_->bytes.end())).string(); }
  // The length of the demo sprite's stream.
  static size_t StreamSize() {
    return graphics::CLZ77().Compress(demo::TileFrames4bpp(demo::MonsterPicture(25, 2, false))).size();
  }
  std::string Out(const char* name) const { return (dir / name).string(); }

  static demo::DemoRom* demo_;
  TestDir dir;
  std::string rom;
};
demo::DemoRom* VantariGfx::demo_ = nullptr;

TEST_F(VantariGfx, DecodesTheDemoSpriteToBmpAndPng) {
  const demo::CCanvas picture = demo::MonsterPicture(25, 2, false);
  uint32_t rgb[16];
  demo::HuePalette(25 * 47, false, rgb);
  const std::vector<uint8_t> colours = demo::Palette555(rgb);
  for (const char* name : {"sprite.bmp", "sprite.png"}) {
    Outcome r = Vantari({"gfx", "decode", rom, Hex(demo_->highlights.image), Out(name), "--palette",
                     Hex(demo_->highlights.palette)});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "64x128 pixels, 128 tiles of 4 bits from " + std::to_string(StreamSize()) +
                         " bytes of stream at " + Hex(demo_->highlights.image) + "\n");
    lumak::CImage image;
    ASSERT_EQ(image.Load(dir / name), 1) << name;
    int w = 0, h = 0;
    image.GetImageSize(w, h);
    ASSERT_EQ(w, 64);
    ASSERT_EQ(h, 128);
    EXPECT_EQ(image.GetColorDepth(), 4);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) ASSERT_EQ(image.GetPixelIndex(x, y), picture.At(x, y)) << name << x << "," << y;
    }
    for (int i = 0; i < 16; ++i) {
      const uint8_t* e = image.GetPalette() + 4 * i;
      EXPECT_EQ(uint32_t(e[0] | e[1] << 8 | e[2] << 16),
                imagetool::Bgr555ToColorref(uint16_t(colours[2 * size_t(i)] | colours[2 * size_t(i) + 1] << 8)))
          << name << i;
    }
  }
}

TEST_F(VantariGfx, OptionsChooseDepthWidthAndGray) {
  Outcome r = Vantari({"gfx", "decode", rom, Hex(demo_->highlights.image), Out("wide.bmp"), "--tiles-per-row", "16"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err.rfind("128x64 pixels, 128 tiles of 4 bits", 0), 0u) << r.err;
  lumak::CBitmapImage bmp;
  ASSERT_EQ(bmp.LoadImageA(dir / "wide.bmp"), 1);
  const uint8_t* p = bmp.GetPalette();
  EXPECT_EQ(p[4 * 15], 255) << "without a palette: a gray ramp";
  EXPECT_EQ(p[4 * 1 + 2], 17);

  r = Vantari({"gfx", "decode", rom, Hex(demo_->highlights.image), Out("eight.png"), "--8bit"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err.rfind("64x64 pixels, 64 tiles of 8 bits", 0), 0u) << r.err;

  // 128 tiles do not fill rows of 48: a warning, and the two whole rows.
  r = Vantari({"gfx", "decode", rom, Hex(demo_->highlights.image), Out("rows.bmp"), "--tiles-per-row", "48"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err.rfind("384x16 pixels, 96 tiles of 4 bits", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("warning"), std::string::npos);
}

TEST_F(VantariGfx, EncodesInPlaceAndAppended) {
  ASSERT_EQ(Vantari({"gfx", "decode", rom, Hex(demo_->highlights.image), Out("s.png")}).code, 0);
  // In place: the demo was compressed by the same encoder, so the ROM stays as it was.
  Outcome r = Vantari({"gfx", "encode", Out("s.png"), rom, Hex(demo_->highlights.image)});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "wrote " + std::to_string(StreamSize()) + " bytes (128 tiles of 4 bits) at " + Hex(demo_->highlights.image) + "\n");
  EXPECT_EQ(r.out, "") << "the standard output carries data only";
  EXPECT_EQ(dir.Read("rom.gba"), std::string(demo_->bytes.begin(), demo_->bytes.end()));

  // Appended after padding, from the standard input; decoded again from there.
  std::string odd = dir.Read("rom.gba") + "x";
  dir.Write("rom.gba", odd);
  r = Vantari({"gfx", "encode", "-", rom, "append"}, dir.Read("s.png"));
  ASSERT_EQ(r.code, 0) << r.err;
  const uint32_t at = uint32_t(odd.size() + 3) / 4 * 4;
  EXPECT_EQ(r.err.rfind("appended ", 0), 0u);
  EXPECT_NE(r.err.find(" at " + Hex(at) + "\n"), std::string::npos) << r.err;
  EXPECT_EQ(dir.Read("rom.gba").substr(odd.size(), at - odd.size()), std::string(at - odd.size(), '\xFF'));
  ASSERT_EQ(Vantari({"gfx", "decode", rom, Hex(at), Out("again.png")}).code, 0);
  EXPECT_EQ(dir.Read("again.png"), dir.Read("s.png"));
}

// Refusals exit 1 with their reason (2 for a command line it cannot take), and neither create
// an output nor a ROM nor change the ROM.
TEST_F(VantariGfx, FailuresAreReported) {
  ASSERT_EQ(lumak::CBitmapImage(60, 64, 4).SaveImage(dir / "odd.bmp"), 1);
  ASSERT_EQ(lumak::CBitmapImage(8, 8, 4).SaveImage(dir / "fine.bmp"), 1);
  const std::string gone = Out("gone.gba"), bmp = Out("x.bmp");
  const struct {
    std::vector<std::string> args;
    int code;
    std::string err;  // the start of the error output
  } kCases[] = {
      {{"decode", rom, "0xAC", bmp}, 1, "vantari: no LZ77 data at 0xAC (first byte is not 0x10)\n"},
      {{"decode", rom, "0x7FFFFFF", bmp}, 1, "vantari: offset 0x7FFFFFF lies past the end of " + rom + "\n"},
      {{"decode", gone, "0x100", bmp}, 1, "vantari: cannot open " + gone + ": "},
      {{"decode", rom, Hex(demo_->highlights.image), bmp, "--palette", "0xAC"}, 1,
       "vantari: palette: no LZ77 data at 0xAC (first byte is not 0x10)\n"},
      {{"decode", "-", "0x100", bmp}, 1, "vantari: - is no file: the ROM is read and written at an offset\n"},
      {{"encode", Out("odd.bmp"), rom, "append"}, 1,
       "vantari: " + Out("odd.bmp") + " is no 16- or 256-colour image with sides that are multiples of 8\n"},
      {{"encode", Out("fine.bmp"), gone, "0x100"}, 1, "vantari: cannot open " + gone + ": "},
      {{"encode", Out("fine.bmp"), rom, "0x7FFFFFF"}, 1, "vantari: offset 0x7FFFFFF lies past the end of " + rom + "\n"},
      {{}, 2, "usage: vantari gfx"},
      {{"decode", rom, "0x100"}, 2, "usage: vantari gfx"},
      {{"decode", rom, "0x100", bmp, "--tiles-per-row", "0"}, 2, "usage: vantari gfx"},
      {{"decode", rom, "0x100", bmp, "--frobnicate"}, 2, "usage: vantari gfx"},
      {{"decode", rom, "-1", bmp}, 2, "usage: vantari gfx"},
      {{"encode", Out("fine.bmp"), rom, "somewhere"}, 2, "usage: vantari gfx"},
  };
  for (const auto& c : kCases) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "gfx");
    const Outcome r = Vantari(args);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "x.bmp"));
  EXPECT_FALSE(std::filesystem::exists(gone)) << "a ROM is never created";
  EXPECT_TRUE(dir.Read("rom.gba") == std::string(demo_->bytes.begin(), demo_->bytes.end()));
}

}  // namespace
