#pragma once
// CFont: glyfen's font sheet. 70 rows of 16 tiles of 8 x 8 pixels, 2 bits a pixel in the ROM,
// kept as a 128 x 560 4-bit image with four greys, beside the raw block as the ROM holds it.
// Every operation leaves its status-bar text in status(); the window only shows it.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/image.h"

namespace fontedit {

inline constexpr int kSheetWidth = 128;
inline constexpr int kSheetHeight = 560;
inline constexpr size_t kBlockSize = 17920;  // 0x4600: 1120 tiles of 16 bytes

// The sheet colour of index 0-3 (red in the low byte; the four are greys).
inline constexpr std::array<uint32_t, 4> kGreys = {0xFFFFFF, 0xAFAFAF, 0x4F4F4F, 0x000000};

// Where pixel n (0-7, in file order) of a tile row lands: sheet column 8c + 7 - n, byte n / 4 of
// the row, bits 2 (n mod 4) and up.
struct PixelPlace {
  size_t byte;
  int shift;
};
// Byte and bit position in the block of sheet pixel (x, y).
PixelPlace PlaceOf(int x, int y);

// Turns the raw block into the sheet and back. Decoding sets every pixel; encoding keeps the
// low two bits of each index.
void DecodeBlock(std::span<const uint8_t, kBlockSize> block, lumak::CBitmapImage& sheet);
void EncodeBlock(const lumak::CBitmapImage& sheet, std::span<uint8_t, kBlockSize> block);

// The offset box: strtoul base 0 (decimal, 0x hexadecimal, 0 octal), surrounding blanks allowed.
// An empty box or one with anything else in it is refused.
bool ParseOffset(const std::string& text, uint64_t& offset);
inline constexpr const char* kOffsetRefused =
    "オフセットを入力してください（10進、0xで16進、0で8進）。";

class CFont : public lumak::CBitmapImage {
 public:
  // CreateImage(128, 560, 4) and the four greys (the other twelve entries 0).
  bool Create();
  void Destroy() { ReleaseImage(); }

  // Reads the whole block at `offset` and decodes it. A block that does not fit in the file
  // before its end is refused and the sheet stays as it was.
  bool Load_fontdata(const std::filesystem::path& file, uint64_t offset);
  // Encodes the sheet and writes the whole block over an existing file at `offset`.
  bool Save_fontdata(const std::filesystem::path& file, uint64_t offset);
  // A 16-colour 128 x 560 BMP (or indexed PNG) whose indices become the sheet's pixels.
  bool Loadbitmap(const std::filesystem::path& file);
  // The same from a file's bytes (a PNG by its signature).
  bool LoadbitmapBytes(std::span<const uint8_t> file);
  // A 4-bit BMP of the sheet.
  bool Savebitmap(const std::filesystem::path& file);

  const std::array<uint8_t, kBlockSize>& block() const { return block_; }
  // The text of the last operation for the status bar ("" when it shows nothing).
  const std::string& status() const { return status_; }

 private:
  bool TakeBitmap(const lumak::CImage& picture);

  std::array<uint8_t, kBlockSize> block_{};
  std::string status_;
};

}  // namespace fontedit
