#include "tileconv/converter.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

#include "platform/file.h"

namespace tileconv {

uint16_t PackEntry(const CONVERT_TILE& entry) {
  return static_cast<uint16_t>((entry.palette & 0xF) << 12 | (entry.value & 0x3FF) |
                               (entry.hflip ? 0x400 : 0) | (entry.vflip ? 0x800 : 0));
}

CONVERT_TILE UnpackEntry(uint16_t word, int x, int y) {
  CONVERT_TILE entry;
  entry.value = word & 0x3FF;
  entry.x = x;
  entry.y = y;
  entry.hflip = (word & 0x400) != 0;
  entry.vflip = (word & 0x800) != 0;
  entry.palette = static_cast<uint8_t>(word >> 12);
  return entry;
}

namespace {

int LoadFrom(lumak::CBitmapImage& picture, EntryFormat format, int& base_w, int& base_h,
             int& map_w, int& map_h, lumak::vectorp<CONVERT_TILE>& entries, std::string& error) {
  if (picture.GetColorDepth() != 16) {
    error = "65535色のファイルにしてください。";
    return -1;
  }
  int width = 0, height = 0;
  picture.GetImageSize(width, height);
  const bool wide = format == EntryFormat::kWide;
  if (width % (wide ? 8 : 4) != 0) {
    error = wide ? "8で割り切れません。" : "4で割り切れません。";
    return -1;
  }
  base_w = base_h = -1;
  map_w = (wide ? 8 : 16) * width;
  map_h = 8 * height;
  entries.mrealloc(uint64_t(width) * uint64_t(height) * (wide ? 1 : 2) + 1);
  bool stored = true;
  for (int row = 0; row < height && stored; ++row) {  // pixel-array row `row` is map row `row`
    const int y = height - 1 - row;
    for (int x = 0; x < width && stored; ++x) {
      const auto word = static_cast<uint16_t>(picture.GetPixel(x, y));
      if (wide) {
        stored = entries.push_back(UnpackEntry(word, x, row));
      } else {
        stored = entries.push_back({word & 0xFF, 2 * x, row, false, false, 0}) &&
                 entries.push_back({word >> 8, 2 * x + 1, row, false, false, 0});
      }
    }
  }
  if (!stored) {
    entries.clear();
    map_w = map_h = 0;
    error = "作成に失敗しました。";
    return -1;
  }
  return wide ? static_cast<uint16_t>(picture.GetPixel(0, 0)) >> 12 : 0;
}

}  // namespace

int CConverter::LoadDefBytes(const std::vector<uint8_t>& bmp, EntryFormat format,
                             std::string& error) {
  error.clear();
  entries_.clear();
  lumak::CBitmapImage picture;
  if (!picture.LoadBmp(bmp)) return -1;
  format_ = format;
  return LoadFrom(picture, format, base_width_, base_height_, map_width_, map_height_, entries_,
                  error);
}

int CConverter::LoadDef(const std::filesystem::path& file, std::string& error) {
  std::string data;
  error.clear();
  if (!platform::ReadWholeFile(file, data, error)) {
    error.clear();
    entries_.clear();
    return -1;
  }
  return LoadDefBytes(std::vector<uint8_t>(data.begin(), data.end()), EntryFormat::kWide, error);
}

int CConverter::LoadDef2(const std::filesystem::path& file, std::string& error) {
  std::string data;
  error.clear();
  if (!platform::ReadWholeFile(file, data, error)) {
    error.clear();
    entries_.clear();
    return -1;
  }
  const int result =
      LoadDefBytes(std::vector<uint8_t>(data.begin(), data.end()), EntryFormat::kNarrow, error);
  return result < 0 ? -1 : 0;
}

void CConverter::BuildDef(EntryFormat format, lumak::CBitmapImage& out) const {
  out.ReleaseImage();
  const bool wide = format == EntryFormat::kWide;
  const int width = map_width_ / (wide ? 8 : 16), height = map_height_ / 8;
  if (width <= 0 || height <= 0 || !out.CreateImage(width, height, 16)) return;
  const int columns = map_width_ / 8;
  for (const CONVERT_TILE& entry : entries_) {
    if (entry.x < 0 || entry.y < 0 || entry.x >= columns || entry.y >= height) continue;
    const int y = height - 1 - entry.y;
    if (wide) {
      out.SetPixel(entry.x, y, PackEntry(entry));
    } else {
      const int x = entry.x / 2;
      uint32_t word = out.GetPixel(x, y);
      const int shift = entry.x % 2 ? 8 : 0;
      word = (word & ~(0xFFu << shift)) | (static_cast<uint32_t>(entry.value & 0xFF) << shift);
      out.SetPixel(x, y, word);
    }
  }
}

int CConverter::SaveDef(const std::filesystem::path& file) const {
  lumak::CBitmapImage out;
  BuildDef(EntryFormat::kWide, out);
  return out.HasImage() && out.SaveImage(file) ? 0 : 1;
}

int CConverter::SaveDef2(const std::filesystem::path& file) const {
  lumak::CBitmapImage out;
  BuildDef(EntryFormat::kNarrow, out);
  return out.HasImage() && out.SaveImage(file) ? 0 : 1;
}

CONVERT_TILE* CConverter::Getbase(int x, int y) {
  const int columns = map_width_ / 8, rows = map_height_ / 8;
  if (x < 0 || y < 0 || x >= columns || y >= rows) return nullptr;
  const size_t guess = static_cast<size_t>(x) + static_cast<size_t>(y) * columns;
  if (guess < entries_.size() && entries_[guess].x == x && entries_[guess].y == y)
    return &entries_[guess];
  for (CONVERT_TILE& entry : entries_)
    if (entry.x == x && entry.y == y) return &entry;
  return nullptr;
}

CONVERT_TILE* CConverter::Setbase(int x, int y, int value, bool hflip, bool vflip,
                                  uint8_t palette) {
  if (value < 0 || value > MaxTile(format_)) return nullptr;
  CONVERT_TILE* entry = Getbase(x, y);
  if (!entry) return nullptr;
  entry->value = value;
  if (format_ == EntryFormat::kWide) {
    entry->hflip = hflip;
    entry->vflip = vflip;
    entry->palette = palette & 0xF;
  }
  return entry;
}

bool LoadTileSet(const std::filesystem::path& file, lumak::CImage& tiles) {
  tiles.ReleaseImage();
  std::string data, error;
  if (!platform::ReadWholeFile(file, data, error)) return false;
  return tiles.LoadBytes({reinterpret_cast<const uint8_t*>(data.data()), data.size()}) != 0;
}

int TileCount(const lumak::CBitmapImage& tiles) {
  int width = 0, height = 0;
  tiles.GetImageSize(width, height);
  return (width / 8) * (height / 8);
}

void pixel8x8copy(lumak::CBitmapImage& dest, const lumak::CBitmapImage& tiles,
                  const CONVERT_TILE& entry, EntryFormat format) {
  int width = 0, height = 0;
  tiles.GetImageSize(width, height);
  const bool drawn = entry.value >= 0 && entry.value <= MaxTile(format) &&
                     entry.value < TileCount(tiles);
  const int per_row = width / 8;
  const int tx = drawn ? 8 * (entry.value % per_row) : 0;
  const int ty = drawn ? 8 * (entry.value / per_row) : 0;
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 8; ++i) {
      const int index = drawn ? tiles.GetPixelIndex(tx + i, ty + j) : 0;
      const int di = entry.hflip ? 7 - i : i, dj = entry.vflip ? 7 - j : j;
      dest.SetPixelIndex(8 * entry.x + di, 8 * entry.y + dj,
                         static_cast<unsigned char>(index < 0 ? 0 : index));
    }
  }
}

RenderResult Render(const CConverter& converter, const lumak::CBitmapImage& tiles,
                    lumak::CBitmapImage& map) {
  int width = 0, height = 0;
  tiles.GetImageSize(width, height);
  const bool any = converter.base_width() == -1 && converter.base_height() == -1;
  if (!any && (width != converter.base_width() || height != converter.base_height()))
    return RenderResult::kSizeMismatch;
  map.ReleaseImage();
  // A two-colour set is drawn into a 16-colour map: one-bit pixels take no index.
  const int depth = tiles.GetColorDepth() == 1 ? 4 : tiles.GetColorDepth();
  if (!map.CreateImage(converter.map_width(), converter.map_height(), depth))
    return RenderResult::kCreateFailed;
  if (depth <= 8) {
    std::copy_n(tiles.GetPalette(), 1024, map.GetPalette());
    if (tiles.palette_order() != map.palette_order()) {
      uint8_t* p = map.GetPalette();
      for (int i = 0; i < 256; ++i) std::swap(p[4 * i], p[4 * i + 2]);
    }
    for (const CONVERT_TILE& entry : converter.entries())
      pixel8x8copy(map, tiles, entry, converter.format());
  }
  return RenderResult::kOk;
}

bool CPainter::CellAt(const CConverter& converter, int px, int py, int& cx, int& cy) const {
  if (px < 0 || py < 0 || px >= zoom * converter.map_width() ||
      py >= zoom * converter.map_height())
    return false;
  cx = px / (8 * zoom);
  cy = py / (8 * zoom);
  return true;
}

bool CPainter::PaintAt(CConverter& converter, const lumak::CBitmapImage& tiles,
                       lumak::CBitmapImage& map, int px, int py, bool dragging) {
  int cx = 0, cy = 0;
  if (!CellAt(converter, px, py, cx, cy)) return false;
  if (dragging && cx == last_x_ && cy == last_y_) return false;
  CONVERT_TILE* entry = converter.Setbase(cx, cy, current, hflip, vflip, palette);
  if (!entry) return false;
  last_x_ = cx;
  last_y_ = cy;
  if (addpen) {
    const int count = TileCount(tiles);
    current = count > 0 ? (current + 1) % count : 0;
  }
  pixel8x8copy(map, tiles, *entry, converter.format());
  return true;
}

bool CPainter::PickTile(const lumak::CBitmapImage& tiles, int px, int py) {
  int width = 0, height = 0;
  tiles.GetImageSize(width, height);
  if (px < 0 || py < 0 || px >= (width / 8) * 8 || py >= (height / 8) * 8) return false;
  current = (py / 8) * (width / 8) + px / 8;
  return true;
}

bool CPainter::PickEntry(CConverter& converter, int px, int py) {
  int cx = 0, cy = 0;
  if (!CellAt(converter, px, py, cx, cy)) return false;
  const CONVERT_TILE* entry = converter.Getbase(cx, cy);
  if (!entry) return false;
  current = entry->value;
  hflip = entry->hflip;
  vflip = entry->vflip;
  return true;
}

}  // namespace tileconv
