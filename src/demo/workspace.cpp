#include "demo/workspace.h"

#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <system_error>

#include "demo/demo_rom.h"
#include "demo/pictures.h"
#include "platform/file.h"
#include "toolkit/image/bitmap_image.h"

namespace demo {

namespace {

constexpr const char* kTileSetName = "tileset.bmp";
constexpr const char* kTileMapName = "tilemap.bmp";
constexpr const char* kTextFiles[] = {"Setting.ini", "tokusei.ini", "effects.ini", "define.source",
                                      "README.txt"};

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size,
               std::string& error) {
  if (platform::ReplaceFileContents(path, data, size, error)) return true;
  error = path.string() + ": " + error;
  return false;
}

bool WriteText(const std::filesystem::path& path, const std::string& text, std::string& error) {
  return WriteFile(path, text.data(), text.size(), error);
}

std::string SettingIni(const std::vector<std::pair<const GameSpec*, DemoRom>>& roms) {
  std::string ini =
      "[Tessaro]\r\nWindowX=40\r\nWindowY=30\r\nWindowSizeX=820\r\nWindowSizeY=600\r\n"
      "ShowCmd=1\r\npromode=0\r\nviewnumber=0\r\nduplication=0\r\n";
  for (const auto& [game, rom] : roms) {
    ini += "\r\n[";
    ini += game->code;
    ini += "]\r\n";
    for (const auto& [key, value] : rom.keys) ini += key + "=" + std::to_string(value) + "\r\n";
  }
  return ini;
}

// printf into a growing text (the read-me's lines).
void Append(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& text, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  text.append(line);
}

std::string ReadMe(const std::vector<std::pair<const GameSpec*, DemoRom>>& roms) {
  std::string text =
      "Demo workspace\r\n"
      "==============\r\n"
      "Synthetic ROMs for the five game codes, made by `vantari demo`. They hold no game data:\r\n"
      "every name, number and picture is generated. Setting.ini lists where each table lies.\r\n"
      "Offsets below are ROM offsets in hexadecimal.\r\n";
  for (const auto& [game, rom] : roms) {
    const Highlights& h = rom.highlights;
    Append(text, "\r\n%s (%s)\r\n", game->file_name, game->code);
    Append(text, "  skrevin  ROM:%X  script with a trainer battle (trainer %d) and texts at",
           unsigned(h.battle_script), h.battle_trainer);
    for (uint32_t t : h.battle_texts) Append(text, " 0x%06X", unsigned(t));
    Append(text, "\r\n  skrevin  other scripts:");
    for (size_t i = 1; i < h.scripts.size(); ++i) Append(text, " 0x%06X", unsigned(h.scripts[i]));
    Append(text, "\r\n  tessaro  text editor: 0x%06X (line breaks and special codes)\r\n",
           unsigned(h.text));
    Append(text, "  pictoma  image 0x%06X, palette 0x%06X (LZ77, species 25)\r\n",
           unsigned(h.image), unsigned(h.palette));
    Append(text, "  glyfen   font block 0x%06X (17920 bytes)\r\n", unsigned(h.font));
  }
  text +=
      "\r\ntilvane: open tilemap.bmp with DEFOPEN, then tileset.bmp with OPEN.\r\n"
      "skrevin reads define.source from beside skrevin.exe: copy it there.\r\n";
  return text;
}

// A 16-colour tile set of 16 × 8 numbered tiles and a 32 × 24 map that uses it.
bool WriteTileMap(const std::filesystem::path& dir, std::string& error) {
  lumak::CBitmapImage tiles(128, 64, 4);
  uint32_t rgb[16];
  HuePalette(90, false, rgb);
  uint8_t* palette = tiles.GetPalette();
  for (int i = 0; i < 16; ++i) {
    palette[4 * i] = uint8_t(rgb[i] >> 16);
    palette[4 * i + 1] = uint8_t(rgb[i] >> 8);
    palette[4 * i + 2] = uint8_t(rgb[i]);
  }
  for (int t = 0; t < 128; ++t) {
    CCanvas tile(8, 8, uint8_t(4 + t % 10));
    tile.DrawNumber(0, 1, unsigned(t), 2, 1, 15, true);
    tile.FillRect(0, 7, 8, 1, 3);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) tiles.SetPixelIndex(t % 16 * 8 + x, t / 16 * 8 + y, tile.At(x, y));
  }
  lumak::CBitmapImage map(32, 24, 16);
  for (int row = 0; row < 24; ++row)
    for (int col = 0; col < 32; ++col) {
      unsigned entry = unsigned((row * 5 + col) % 128);
      if (row % 6 == 5) entry |= 1u << 10;  // horizontally flipped rows
      if (col % 8 == 7) entry |= 1u << 11;  // vertically flipped columns
      entry |= unsigned(row / 6) << 12;     // palette number
      // BMP row i of the file is map row i, so the picture stands upside down.
      map.SetPixel(col, 23 - row, entry);
    }
  std::vector<uint8_t> tile_bytes = tiles.BmpBytes(), map_bytes = map.BmpBytes();
  return WriteFile(dir / kTileSetName, tile_bytes.data(), tile_bytes.size(), error) &&
         WriteFile(dir / kTileMapName, map_bytes.data(), map_bytes.size(), error);
}

}  // namespace

std::string AbilityNames() {
  static constexpr const char* kWords[] = {"かぜ", "いわ", "ほのお", "みず", "ひかり", "かげ"};
  static constexpr const char* kKinds[] = {"のちから", "のよろい", "のめぐみ", "がえし", "よけ"};
  std::string text = "なし\r\n";
  for (int i = 1; i < kAbilities; ++i) {
    text += kWords[i % 6];
    text += kKinds[i / 6 % 5];
    text += std::to_string(i / 30 + 1) + "\r\n";
  }
  return text;
}

std::string EffectNames() {
  std::string text;
  for (int i = 0; i < kEffects; ++i) Append(text, "こうか%03d\r\n", i);
  return text;
}

bool WriteWorkspace(const std::filesystem::path& dir, const WorkspaceOptions& options,
                    std::string& error) {
  std::vector<const GameSpec*> games;
  for (const std::string& code : options.games) {
    const GameSpec* game = FindGame(code);
    if (game == nullptr) {
      error = "unknown game code " + code + " (AXVJ, AXPJ, BPEJ, BPRJ or BPGJ)";
      return false;
    }
    games.push_back(game);
  }
  if (games.empty())
    for (const GameSpec& game : kGames) games.push_back(&game);
  if (options.rom_size < kMinimumRomSize || options.rom_size > 32 * 1024 * 1024) {
    error = "the ROM size must lie between 4 MiB and 32 MiB";
    return false;
  }
  std::error_code ec;
  if (!options.replace_existing) {
    std::vector<std::filesystem::path> names;
    for (const GameSpec* game : games) names.push_back(dir / game->file_name);
    for (const char* name : kTextFiles) names.push_back(dir / name);
    names.push_back(dir / kTileSetName);
    names.push_back(dir / kTileMapName);
    for (const std::filesystem::path& name : names) {
      if (std::filesystem::exists(std::filesystem::symlink_status(name, ec))) {
        error = name.string() + " exists already";
        return false;
      }
    }
  }
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = dir.string() + ": " + ec.message();
    return false;
  }

  std::vector<std::pair<const GameSpec*, DemoRom>> roms;
  for (const GameSpec* game : games) {
    DemoRom rom = BuildDemoRom(*game, options.rom_size, options.seed);
    if (!WriteFile(dir / game->file_name, rom.bytes.data(), rom.bytes.size(), error)) return false;
    rom.bytes.clear();
    roms.emplace_back(game, std::move(rom));
  }
  const std::string texts[] = {SettingIni(roms), AbilityNames(), EffectNames(), DefineSource(),
                               ReadMe(roms)};
  for (size_t i = 0; i < std::size(texts); ++i)
    if (!WriteText(dir / kTextFiles[i], texts[i], error)) return false;
  return WriteTileMap(dir, error);
}

}  // namespace demo
