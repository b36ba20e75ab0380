// font: glyfen's sheet between a ROM and a bitmap; tilemap: tilvane's rendering of a map.
#include <cctype>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "cli/numbers.h"
#include "fontedit/font_sheet.h"
#include "platform/sjis.h"
#include "tileconv/converter.h"
#include "toolkit/image/image.h"

namespace cli {

namespace {

// An output named "*.png" (any case) is written as an indexed PNG, any other as a BMP.
std::vector<uint8_t> ImageBytes(const lumak::CBitmapImage& image, std::string_view name) {
  std::string extension = name.size() >= 4 ? std::string(name.substr(name.size() - 4)) : std::string();
  for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".png" ? image.PngBytes() : image.BmpBytes();
}

}  // namespace

int FontCommand(std::span<const std::string_view> args, const Io& io) {
  const bool do_export = args.size() == 4 && args[0] == "export";
  const bool do_import = args.size() == 4 && args[0] == "import";
  uint64_t offset = 0;
  if ((!do_export && !do_import) ||
      !ParseNumber(do_export ? args[2] : args[3], offset)) {
    std::fputs("usage: vantari font export ROM OFFSET OUT.(bmp|png) | import IN.(bmp|png) ROM OFFSET\n", io.err);
    return 2;
  }
  fontedit::CFont font;
  font.Create();
  bool ok = false;
  if (do_export) {
    if (!font.Load_fontdata(platform::PathFromSjis(args[1]), offset)) {
      std::fprintf(io.err, "vantari: %s\n", font.status().c_str());
      return 1;
    }
    const std::vector<uint8_t> bytes = ImageBytes(font, args[3]);
    return !bytes.empty() && WriteOutput(args[3], bytes.data(), bytes.size(), io) ? 0 : 1;
  } else {
    std::string picture;
    if (!ReadInput(args[1], picture, io)) return 1;
    ok = font.LoadbitmapBytes({reinterpret_cast<const uint8_t*>(picture.data()), picture.size()}) &&
         font.Save_fontdata(platform::PathFromSjis(args[2]), offset);
  }
  if (!ok) {
    std::fprintf(io.err, "vantari: %s\n", font.status().c_str());
    return 1;
  }
  return 0;
}

int TilemapCommand(std::span<const std::string_view> args, const Io& io) {
  if (args.size() != 4 || args[0] != "render") {
    std::fputs("usage: vantari tilemap render DEF.bmp TILES.(bmp|png) OUT.(bmp|png)\n", io.err);
    return 2;
  }
  // Both inputs may come from the standard input ("-"), one of them at a time.
  if (args[1] == "-" && args[2] == "-") {
    std::fputs("vantari: only one input can be the standard input\n", io.err);
    return 2;
  }
  std::string definition, tile_set;
  if (!ReadInput(args[1], definition, io) || !ReadInput(args[2], tile_set, io)) return 1;
  tileconv::CConverter converter;
  std::string error;
  if (converter.LoadDefBytes(std::vector<uint8_t>(definition.begin(), definition.end()),
                             tileconv::EntryFormat::kWide, error) < 0) {
    std::fprintf(io.err, "vantari: %s: %s\n", std::string(args[1]).c_str(),
                 error.empty() ? "no definition that can be read" : error.c_str());
    return 1;
  }
  lumak::CImage tiles;
  lumak::CBitmapImage map;
  if (!tiles.LoadBytes({reinterpret_cast<const uint8_t*>(tile_set.data()), tile_set.size()})) {
    std::fprintf(io.err, "vantari: %s is no BMP or PNG image that can be read\n",
                 std::string(args[2]).c_str());
    return 1;
  }
  if (tiles.GetColorDepth() > 8) {
    std::fputs("vantari: the tile set must be an indexed image\n", io.err);
    return 1;
  }
  switch (tileconv::Render(converter, tiles, map)) {
    case tileconv::RenderResult::kOk: break;
    case tileconv::RenderResult::kSizeMismatch:
      std::fprintf(io.err, "vantari: the tile set is not the %d x %d picture the definition names\n",
                   converter.base_width(), converter.base_height());
      return 1;
    case tileconv::RenderResult::kCreateFailed:
      std::fprintf(io.err, "vantari: the map of %d x %d pixels the definition describes is too large to draw\n",
                   converter.map_width(), converter.map_height());
      return 1;
  }
  const std::vector<uint8_t> bytes = ImageBytes(map, args[3]);
  if (bytes.empty()) {
    std::fputs("vantari: the map cannot be written in that format\n", io.err);
    return 1;
  }
  return WriteOutput(args[3], bytes.data(), bytes.size(), io) ? 0 : 1;
}

}  // namespace cli
