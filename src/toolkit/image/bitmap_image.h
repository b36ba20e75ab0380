#pragma once
// lumak: device-independent bitmaps held in memory, read from and written to BMP files, with
// pixel access by palette index or by colour value.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace lumak {

// How palette entries are kept: as in the BMP file (blue, green, red, reserved) or red first
// (red, green, blue, alpha), so that an entry read as a little-endian word is a COLORREF.
enum class PaletteOrder { kBgr, kRgb };

class CBitmapImage {
 public:
  explicit CBitmapImage(PaletteOrder order = PaletteOrder::kBgr) : order_(order) {}
  CBitmapImage(int width, int height, int depth, PaletteOrder order = PaletteOrder::kBgr);
  virtual ~CBitmapImage() = default;
  CBitmapImage(const CBitmapImage&) = delete;
  CBitmapImage& operator=(const CBitmapImage&) = delete;

  // Forgets the image: no pixels, all sizes 0, the palette zeroed.
  void initialize();
  virtual void ReleaseImage();

  // 1 when created (pixels zeroed, palette kept zero), 0 for sizes or depths it cannot hold.
  int CreateImage(int width, int height, int depth);

  // BMP files: 1 on success, 0 on failure (the image is then empty, or the file partly written).
  int LoadImageA(const std::filesystem::path& path);
  // Writes a BMP, or an indexed PNG when the name ends in ".png" (any case).
  int SaveImage(const std::filesystem::path& path) const;
  // The same load from bytes already in memory.
  int LoadBmp(std::span<const uint8_t> file);
  // The bytes SaveImage writes (empty when there is no image).
  std::vector<uint8_t> BmpBytes() const;
  // The same image as an indexed PNG file (4- and 8-bit images; empty for other depths).
  std::vector<uint8_t> PngBytes() const;

  void GetImageSize(int& width, int& height) const {
    width = width_;
    height = height_;
  }
  int GetColorDepth() const { return depth_; }
  uint8_t* GetPalette() { return palette_.data(); }
  const uint8_t* GetPalette() const { return palette_.data(); }
  PaletteOrder palette_order() const { return order_; }

  // Palette index at (x, y) for depths 1, 4 and 8; -1 without image, outside, or other depths.
  int GetPixelIndex(int x, int y) const;
  // Depths 4 (low four bits kept) and 8; 1 stored, 0 otherwise.
  int SetPixelIndex(int x, int y, unsigned char index);
  // Indexed depths: the palette colour as a COLORREF (red in the low byte); 16, 24 and 32 bits:
  // the stored value (24 bits: blue | green << 8 | red << 16). 0 without image or outside.
  uint32_t GetPixel(int x, int y) const;
  // Depths 16, 24 and 32 (the value's low 2, 3 or 4 bytes); 1 stored, -1 otherwise.
  int SetPixel(int x, int y, unsigned long value);

  bool HasImage() const { return !pixels_.empty(); }
  uint32_t stride() const { return stride_; }
  // The pixel rows bottom-up, as in a BMP file: image row y is buffer row height - 1 - y.
  std::span<uint8_t> pixels() { return pixels_; }
  std::span<const uint8_t> pixels() const { return pixels_; }

  // Bytes per stored row for a width and depth (0 for a width below 1).
  static uint32_t StrideFor(int width, int depth);
  // Largest side and largest pixel buffer accepted.
  static constexpr int kMaxSide = 32768;
  static constexpr uint64_t kMaxPixelBytes = 256u << 20;

 protected:
  // Pointer to the first byte of image row y (no checks).
  uint8_t* Row(int y) { return pixels_.data() + static_cast<size_t>(height_ - 1 - y) * stride_; }
  const uint8_t* Row(int y) const {
    return pixels_.data() + static_cast<size_t>(height_ - 1 - y) * stride_;
  }
  bool Inside(int x, int y) const { return HasImage() && x >= 0 && y >= 0 && x < width_ && y < height_; }

  std::vector<uint8_t> pixels_;
  int width_ = 0;
  int height_ = 0;
  uint32_t stride_ = 0;
  uint8_t depth_ = 0;
  std::array<uint8_t, 1024> palette_{};
  PaletteOrder order_;
};

}  // namespace lumak
