#pragma once
// tilvane's map model. A definition is a 16-bit BMP whose pixel array, in file order (bottom row
// of the picture first), is the map row by row: each pixel one 16-bit entry (tile bits 0-9,
// flips bits 10 and 11, palette bits 12-15) or two 8-bit entries (even column in the low byte).
// A tile set is an indexed BMP whose 8 x 8 cells, left to right then downwards, are the tiles.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/image.h"
#include "toolkit/vectorp.h"

namespace tileconv {

struct CONVERT_TILE {
  int32_t value = 0;  // tile number
  int32_t x = 0;      // column, in tiles
  int32_t y = 0;      // row, in tiles
  bool hflip = false;
  bool vflip = false;
  uint8_t palette = 0;  // 16-bit entries only; kept per entry through load, paint and save
};

enum class EntryFormat { kWide, kNarrow };  // 16-bit entries, 8-bit entries
inline int MaxTile(EntryFormat format) { return format == EntryFormat::kWide ? 1023 : 255; }

// The entry word of the 16-bit format and back.
uint16_t PackEntry(const CONVERT_TILE& entry);
CONVERT_TILE UnpackEntry(uint16_t word, int x, int y);

class CConverter {
 public:
  // Both return -1 on failure with the message box text in `error` ("" for a silent failure).
  // LoadDef returns the palette number of the picture's top-left pixel, LoadDef2 returns 0.
  int LoadDef(const std::filesystem::path& file, std::string& error);
  int LoadDef2(const std::filesystem::path& file, std::string& error);
  // The same from BMP bytes in memory.
  int LoadDefBytes(const std::vector<uint8_t>& bmp, EntryFormat format, std::string& error);
  // 0 on success, 1 on failure. Each entry keeps its own palette number.
  int SaveDef(const std::filesystem::path& file) const;
  int SaveDef2(const std::filesystem::path& file) const;
  // The definition picture SaveDef / SaveDef2 write (no image when there is no map).
  void BuildDef(EntryFormat format, lumak::CBitmapImage& out) const;

  // The entry at map cell (x, y), or null outside the map or when there is none.
  CONVERT_TILE* Getbase(int x, int y);
  // Sets it; null when there is none or the tile number does not fit the format.
  CONVERT_TILE* Setbase(int x, int y, int value, bool hflip, bool vflip, uint8_t palette);

  int base_width() const { return base_width_; }
  int base_height() const { return base_height_; }
  int map_width() const { return map_width_; }    // pixels
  int map_height() const { return map_height_; }  // pixels
  EntryFormat format() const { return format_; }
  const lumak::vectorp<CONVERT_TILE>& entries() const { return entries_; }

 private:
  int base_width_ = 0, base_height_ = 0;
  int map_width_ = 0, map_height_ = 0;
  EntryFormat format_ = EntryFormat::kWide;
  lumak::vectorp<CONVERT_TILE> entries_;  // map order: row by row, left to right
};

// Loads a tile set from a BMP or an indexed PNG, told apart by their first bytes, whatever the
// file is called. False when it is neither or cannot be read.
bool LoadTileSet(const std::filesystem::path& file, lumak::CImage& tiles);

// Number of whole tiles in a tile set.
int TileCount(const lumak::CBitmapImage& tiles);
// Draws the entry's tile (with its flips) into `dest` at its cell. A tile number beyond the
// format or beyond the set draws an empty tile (index 0).
void pixel8x8copy(lumak::CBitmapImage& dest, const lumak::CBitmapImage& tiles,
                  const CONVERT_TILE& entry, EntryFormat format = EntryFormat::kWide);

enum class RenderResult { kOk, kSizeMismatch, kCreateFailed };
// The rendered map at the tile set's depth (4 bits for a two-colour set): its palette in the
// map's own colour order, index 0, every entry drawn (deeper sets leave it blank).
RenderResult Render(const CConverter& converter, const lumak::CBitmapImage& tiles,
                    lumak::CBitmapImage& map);

// The painting state and its rules, in coordinates relative to the tile set's and the map's
// top-left corners on the screen.
class CPainter {
 public:
  static constexpr int kMaxZoom = 8;
  int current = 0;
  bool hflip = false, vflip = false, addpen = false;
  uint8_t palette = 0;
  int zoom = 1;

  void ZoomIn() { if (zoom < kMaxZoom) ++zoom; }
  void ZoomOut() { if (zoom > 1) --zoom; }
  // The cell under (px, py) of the zoomed map; false outside it (the far edges are outside).
  bool CellAt(const CConverter& converter, int px, int py, int& cx, int& cy) const;
  // Paints the cell under (px, py) and draws it into `map`; true when an entry changed. During
  // a drag the cell last painted is not painted again.
  bool PaintAt(CConverter& converter, const lumak::CBitmapImage& tiles, lumak::CBitmapImage& map,
               int px, int py, bool dragging);
  void EndDrag() { last_x_ = last_y_ = -1; }
  // Right click on the tile set: that tile becomes current. False outside the set.
  bool PickTile(const lumak::CBitmapImage& tiles, int px, int py);
  // Right click on the map: the entry's tile and flips become current. False without an entry.
  bool PickEntry(CConverter& converter, int px, int py);

 private:
  int last_x_ = -1, last_y_ = -1;
};

}  // namespace tileconv
