#pragma once
// pictoma's image: palette indices in tile order, a 256-colour palette, the 8-bit
// flag and the tiles per row; its loads and saves of LZ77 graphics and palettes at a ROM offset,
// and its exchange with BMP and indexed PNG files, tile bitmaps and raw files. No window here:
// pictoma's window moves values in and out and shows the outcome of each operation.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "graphics/lz77.h"

namespace imagetool {

// What an operation ran into.
enum class Problem {
  kNone,
  kCannotOpen,        // the file cannot be opened (system text)
  kCannotRead,        // a read failed or came short (system text)
  kCannotWrite,       // a seek or write failed or came short (system text)
  kPastEnd,           // the offset lies past the end of the file
  kNotCompressed,     // no LZ77 stream at the offset: its first byte is not 0x10
  kEmptyStream,       // the stream's size is 0
  kCorrupt,           // the stream is damaged, or cut short by the end of the file
  kPaletteTooLarge,   // a palette stream of more than 512 bytes (256 colours)
  kNoImage,           // nothing to write: no pixels, or not one whole row of tiles
  kTooLarge,          // more than a ROM stream, or a picture, can hold
  kNotIndexed,        // not 4 or 8 bits per pixel, or a side that is no multiple of 8
  kNotTileBitmap,     // a tile bitmap must be a 16-bit BMP
  kEightBit,          // tile bitmaps carry 4-bit images only
  kBadFile,           // no BMP or PNG that can be read
  kEncodeFailed,      // the PNG encoder failed
};

struct Outcome {
  Problem problem = Problem::kNone;
  std::string system_text;  // the system's text, for the file problems
  uint32_t offset = 0;      // the ROM offset read or written
  uint32_t bytes = 0;       // stream bytes read (compressed loads) or bytes written into the ROM
  bool read_stream = false; // a compressed stream was read
  bool wrote = false;       // bytes went into the ROM
  bool appended = false;    // ... at its end, after padding it to a multiple of 4
  bool ok() const { return problem == Problem::kNone; }
};

class CImage {
 public:
  // The drawing: 512 × 512 pixels, the palette in the top 32 rows, tiles from row 32.
  static constexpr int kSurfaceSide = 512;
  static constexpr int kPaletteRows = 32;
  // Tiles per row are kept between 1 and this (a picture 32768 pixels wide).
  static constexpr int kMaxTilesPerRow = 4096;
  // The largest stream the format describes, and the pixels that makes for 4 bits.
  static constexpr uint32_t kMaxStream = 0xFFFFFF;
  static constexpr size_t kMaxPixels = size_t(2) * kMaxStream;
  // Compressed palettes hold at most 256 colours.
  static constexpr uint32_t kMaxPaletteBytes = 512;

  CImage();

  // ROM file operations, offsets are file offsets. 0 success, 1 failure; outcome() tells
  // what happened. A failure leaves the image and the palette as they were.
  //
  // A compressed image: 8-bit pixels for a colour count above 16, else 4-bit. The stream is
  // read up to its worst-case length, bounded by the end of the file.
  int LoadImageA(const std::filesystem::path& file, uint32_t offset, int colour_count);
  // A compressed palette of up to 256 colours; the palette is cleared, then refilled.
  int LoadPalette(const std::filesystem::path& file, uint32_t offset);
  // `count` raw colours; the entries after them become 0.
  int LoadRawPalette(const std::filesystem::path& file, uint32_t offset, int count);
  // Compressed at `offset`, or for offset 0 at the end of the file after padding it with 0xFF
  // to a multiple of 4. The file must exist; it is never created.
  int WriteImage(const std::filesystem::path& file, uint32_t offset);
  int WritePalette(const std::filesystem::path& file, uint32_t offset, int count);
  int WriteRawPalette(const std::filesystem::path& file, uint32_t offset, int count);

  // Exchange files. BMP, or indexed PNG when the name ends in ".png" (any case).
  int openbitmap(const std::filesystem::path& file);
  int savebitmap(const std::filesystem::path& file);
  // A 16-bit BMP whose pixel bytes are the packed 4-bit tile data.
  int opentilebitmap(const std::filesystem::path& file);
  int savetilebitmap(const std::filesystem::path& file);
  // The uncompressed ROM data (8-bit pixels, or 4-bit packed).
  int savebinary(const std::filesystem::path& file);

  // The same exchanges with the file's bytes in memory.
  int OpenBitmapBytes(std::span<const uint8_t> file, bool png);
  int OpenTileBitmapBytes(std::span<const uint8_t> file);
  bool BitmapBytes(bool png, std::vector<uint8_t>& file);
  bool TileBitmapBytes(std::vector<uint8_t>& file);
  // The image as the ROM holds it uncompressed: the pixels, or 4-bit pixels packed.
  std::vector<uint8_t> RomData() const;

  // Paints the 512 × 512 drawing into `surface` (rows top-down, COLORREF values): the palette
  // as 4 rows of 64 swatches of 8 × 8, then from row 32 the whole rows of tiles, tiles per row
  // to a line. The rest is 0.
  void Render(std::span<uint32_t> surface) const;

  // Tile count (pixels / 64) as the window prints it.
  double gettilenum() const { return double(pixels_.size()) / 64.0; }
  int tile_count() const { return int(pixels_.size() / 64); }
  // Values below 1 become 1, above kMaxTilesPerRow that.
  void set_tilex(int tiles_per_row);
  int tilex() const { return tiles_per_row_; }
  // Whole rows of tiles the drawing and the exports show.
  int rows_of_tiles() const { return tile_count() / tiles_per_row_; }
  void set_nocompress(bool on) { codec_.set_nocompress(on); }

  const std::vector<uint8_t>& pixels() const { return pixels_; }
  size_t pixel_count() const { return pixels_.size(); }
  bool eight_bit() const { return eight_bit_; }
  const std::array<uint32_t, 256>& palette() const { return palette_; }
  std::array<uint32_t, 256>& palette() { return palette_; }
  const std::vector<uint8_t>& work_buffer() const { return work_; }
  const Outcome& outcome() const { return outcome_; }

  // Replaces the image (tests, the command line); pixels in tile order.
  void SetPixels(std::vector<uint8_t> pixels, bool eight_bit);

 private:
  int Fail(Problem problem, std::string system_text = {});
  // Reads the compressed stream at `offset` and decodes it into `out`; at most `limit` bytes.
  bool ReadStream(const std::filesystem::path& file, uint32_t offset, uint32_t limit, bool allow_empty,
                  std::vector<uint8_t>& out);
  // Writes `size` bytes of the work buffer at `offset` (0: appended) of the existing file.
  bool WriteToRom(const std::filesystem::path& file, uint32_t offset, size_t size);
  int CompressAndWrite(const std::filesystem::path& file, uint32_t offset, std::span<const uint8_t> data);
  std::vector<uint8_t> PaletteBytes(int count) const;
  bool SaveFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);

  std::vector<uint8_t> pixels_;        // one index per byte, tile order
  std::vector<uint8_t> work_;          // stream read, or stream written
  std::array<uint32_t, 256> palette_{};
  bool eight_bit_ = false;
  int tiles_per_row_ = 1;
  graphics::CLZ77 codec_{graphics::Lz77Search::kFullWindow};
  Outcome outcome_;
};

// The status-bar line for `operation`'s outcome: on failure "6CImage::<operation> " and what
// went wrong (file errors in the suite's pattern with the system's text); on success where the
// data was read or written, or "正常終了。".
std::string StatusText(const char* operation, const Outcome& outcome);

// True for a name ending in ".png", in any case.
bool IsPngName(const std::filesystem::path& file);

}  // namespace imagetool
