// vantari gfx: pictoma's exchange on the command line, through pictoma's own core.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "cli/numbers.h"
#include "imagetool/tile_image.h"
#include "platform/sjis.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari gfx decode ROM OFFSET OUT.(bmp|png) [--8bit] [--palette OFFSET] [--tiles-per-row N]\n"
    "       vantari gfx encode IN.(bmp|png) ROM OFFSET|append\n"
    "decode expands the LZ77 image at OFFSET (4-bit pixels, or 8-bit with --8bit) into a BMP or\n"
    "an indexed PNG (by OUT's extension), N tiles a row (8 by default: 64 pixels, a sprite's\n"
    "width), in the colours of the compressed palette at --palette, or in gray without one.\n"
    "Only whole rows of tiles are written, as pictoma does.\n"
    "encode cuts a 16- or 256-colour BMP or PNG whose sides are multiples of 8 into tiles, left\n"
    "to right and top to bottom, compresses them and writes them into the existing ROM at OFFSET;\n"
    "append (or 0) puts them at the end of the ROM after padding it with 0xFF to a multiple of 4.\n"
    "IN may be - for the standard input, OUT - for the standard output. Offsets are decimal, or\n"
    "hexadecimal after 0x (0100 is one hundred).\n";

// What went wrong, in the words of the command line.
std::string Describe(const imagetool::Outcome& o, const std::string& file) {
  char text[256];
  using imagetool::Problem;
  switch (o.problem) {
    case Problem::kCannotOpen: return "cannot open " + file + ": " + o.system_text;
    case Problem::kCannotRead: return "cannot read " + file + ": " + o.system_text;
    case Problem::kCannotWrite: return "cannot write " + file + ": " + o.system_text;
    case Problem::kPastEnd: std::snprintf(text, sizeof text, "offset 0x%X lies past the end of %s", o.offset, file.c_str()); break;
    case Problem::kNotCompressed:
      std::snprintf(text, sizeof text, "no LZ77 data at 0x%X (first byte is not 0x10)", o.offset);
      break;
    case Problem::kEmptyStream: std::snprintf(text, sizeof text, "the LZ77 data at 0x%X is empty", o.offset); break;
    case Problem::kCorrupt:
      std::snprintf(text, sizeof text, "the LZ77 data at 0x%X is damaged or cut short by the end of the file", o.offset);
      break;
    case Problem::kPaletteTooLarge:
      std::snprintf(text, sizeof text, "the LZ77 data at 0x%X holds more than 256 colours", o.offset);
      break;
    case Problem::kNoImage: return "not one whole row of tiles to write";
    case Problem::kTooLarge: return "the image is too large";
    case Problem::kNotIndexed: return file + " is no 16- or 256-colour image with sides that are multiples of 8";
    case Problem::kBadFile: return file + " is no BMP or PNG image that can be read";
    case Problem::kEncodeFailed: return "cannot make the PNG";
    default: return "failed";
  }
  return text;
}

bool IsRomFile(std::string_view name, const Io& io) {
  std::error_code ec;
  auto status = std::filesystem::status(platform::PathFromSjis(name), ec);
  if (name != "-" && !(std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))) return true;
  std::fprintf(io.err, "vantari: %s is no file: the ROM is read and written at an offset\n", std::string(name).c_str());
  return false;
}

bool ParseOffset(std::string_view text, uint32_t& offset) {
  uint64_t value = 0;
  if (!ParseNumber(text, value) || value > 0xFFFFFFFFu) return false;
  offset = uint32_t(value);
  return true;
}

int Decode(std::span<const std::string_view> args, const Io& io) {
  std::vector<std::string_view> files;
  bool eight_bit = false, has_palette = false;
  uint32_t palette_offset = 0;
  uint64_t tiles_per_row = 8;
  for (size_t i = 0; i < args.size(); ++i) {
    bool ok = true;
    if (args[i] == "--8bit") {
      eight_bit = true;
    } else if (args[i] == "--palette" && i + 1 < args.size()) {
      ok = ParseOffset(args[++i], palette_offset);
      has_palette = true;
    } else if (args[i] == "--tiles-per-row" && i + 1 < args.size()) {
      ok = ParseNumber(args[++i], tiles_per_row) && tiles_per_row >= 1 &&
           tiles_per_row <= uint64_t(imagetool::CImage::kMaxTilesPerRow);
    } else if (args[i].starts_with("--")) {
      ok = false;
    } else {
      files.push_back(args[i]);
    }
    if (!ok) {
      std::fputs(kUsage, io.err);
      return 2;
    }
  }
  uint32_t offset = 0;
  if (files.size() != 3 || !ParseOffset(files[1], offset)) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  if (!IsRomFile(files[0], io)) return 1;
  const std::string rom_name(files[0]);
  const std::filesystem::path rom = platform::PathFromSjis(files[0]);
  imagetool::CImage image;
  if (image.LoadImageA(rom, offset, eight_bit ? 256 : 16)) {
    std::fprintf(io.err, "vantari: %s\n", Describe(image.outcome(), rom_name).c_str());
    return 1;
  }
  const uint32_t stream_bytes = image.outcome().bytes;
  if (has_palette) {
    if (image.LoadPalette(rom, palette_offset)) {
      std::fprintf(io.err, "vantari: palette: %s\n", Describe(image.outcome(), rom_name).c_str());
      return 1;
    }
  } else {
    const int levels = eight_bit ? 256 : 16;
    for (int i = 0; i < levels; ++i) {
      const uint32_t v = uint32_t(i * 255 / (levels - 1));
      image.palette()[size_t(i)] = v | v << 8 | v << 16;
    }
  }
  image.set_tilex(int(tiles_per_row));
  std::vector<uint8_t> bytes;
  if (!image.BitmapBytes(imagetool::IsPngName(platform::PathFromSjis(files[2])), bytes)) {
    std::fprintf(io.err, "vantari: %s\n", Describe(image.outcome(), std::string(files[2])).c_str());
    return 1;
  }
  if (!WriteOutput(files[2], bytes.data(), bytes.size(), io)) return 1;
  const int tiles = image.tile_count(), shown = image.rows_of_tiles() * image.tilex();
  // The picture alone goes to its output (perhaps the standard output); the report to the
  // error stream.
  std::fprintf(io.err, "%dx%d pixels, %d tiles of %d bits from %u bytes of stream at 0x%X\n", 8 * image.tilex(),
               8 * image.rows_of_tiles(), shown, eight_bit ? 8 : 4, stream_bytes, offset);
  if (shown != tiles || image.pixel_count() % 64 != 0) {
    std::fprintf(io.err, "vantari: warning: %llu pixels (%.2f tiles) in all; only whole rows of %d tiles are written\n",
                 static_cast<unsigned long long>(image.pixel_count()), image.gettilenum(), image.tilex());
  }
  return 0;
}

int Encode(std::span<const std::string_view> args, const Io& io) {
  if (args.size() != 3) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  uint32_t offset = 0;
  if (args[2] != "append" && !ParseOffset(args[2], offset)) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  std::string input;
  if (!ReadInput(args[0], input, io)) return 1;
  if (!IsRomFile(args[1], io)) return 1;
  imagetool::CImage image;
  // PNG by its signature, so that the standard input works too.
  const bool png = input.size() >= 8 && std::memcmp(input.data(), "\x89PNG\r\n\x1A\n", 8) == 0;
  if (image.OpenBitmapBytes({reinterpret_cast<const uint8_t*>(input.data()), input.size()}, png)) {
    std::fprintf(io.err, "vantari: %s\n", Describe(image.outcome(), std::string(args[0])).c_str());
    return 1;
  }
  if (image.WriteImage(platform::PathFromSjis(args[1]), offset)) {
    std::fprintf(io.err, "vantari: %s\n", Describe(image.outcome(), std::string(args[1])).c_str());
    return 1;
  }
  const imagetool::Outcome& o = image.outcome();
  std::fprintf(io.err, "%s %u bytes (%d tiles of %d bits) at 0x%X\n", o.appended ? "appended" : "wrote", o.bytes,
               image.tile_count(), image.eight_bit() ? 8 : 4, o.offset);
  return 0;
}

}  // namespace

int GfxCommand(std::span<const std::string_view> args, const Io& io) {
  if (!args.empty() && args[0] == "decode") return Decode(args.subspan(1), io);
  if (!args.empty() && args[0] == "encode") return Encode(args.subspan(1), io);
  std::fputs(kUsage, io.err);
  return 2;
}

}  // namespace cli
