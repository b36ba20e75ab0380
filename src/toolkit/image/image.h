#pragma once
// lumak::CImage: a bitmap image (red-first palette) that also reads PNG files.
#include <filesystem>
#include <span>

#include "toolkit/image/bitmap_image.h"

namespace lumak {

class CImage : public CBitmapImage {
 public:
  CImage() : CBitmapImage(PaletteOrder::kRgb) {}

  // Also clears the alpha flag.
  void ReleaseImage() override;

  // Loads by the extension, in any case: ".bmp" as a BMP, ".png" as a PNG; others fail.
  // 1 loaded, 0 failed.
  int Load(const std::filesystem::path& path);

  // PNG: palette images keep their indices (1 and 4 bits as they are, 2 bits widened to 4,
  // 8 bits), the palette red, green, blue and alpha; gray images become indexed with a gray
  // palette (16 bits cut to 8); RGB becomes 24-bit; RGB and gray with alpha become 32-bit
  // blue, green, red, alpha. 16-bit channels keep their high byte.
  int LoadPng(const std::filesystem::path& path);
  int LoadPngBytes(std::span<const uint8_t> file);
  // A file's bytes whose name is not known (the standard input): a PNG by its signature, a BMP
  // otherwise. 1 loaded, 0 failed.
  int LoadBytes(std::span<const uint8_t> file);

  // Set when the PNG brought an alpha channel or transparent palette entries.
  bool alpha() const { return alpha_; }

 private:
  bool alpha_ = false;
};

}  // namespace lumak
