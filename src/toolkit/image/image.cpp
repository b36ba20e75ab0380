#include "toolkit/image/image.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "platform/file.h"
#include "toolkit/image/png_decode.h"

namespace lumak {

namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

}  // namespace

void CImage::ReleaseImage() {
  CBitmapImage::ReleaseImage();
  alpha_ = false;
}

int CImage::Load(const std::filesystem::path& path) {
  std::string ext = LowerExtension(path);
  if (ext == ".bmp") return LoadImageA(path);
  if (ext == ".png") return LoadPng(path);
  ReleaseImage();
  return 0;
}

int CImage::LoadBytes(std::span<const uint8_t> file) {
  static constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const bool png = file.size() >= sizeof kPngSignature &&
                   std::equal(std::begin(kPngSignature), std::end(kPngSignature), file.begin());
  return png ? LoadPngBytes(file) : LoadBmp(file);
}

int CImage::LoadPng(const std::filesystem::path& path) {
  ReleaseImage();
  std::string bytes, error;
  if (!platform::ReadWholeFile(path, bytes, error)) return 0;
  return LoadPngBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

int CImage::LoadPngBytes(std::span<const uint8_t> file) {
  ReleaseImage();
  DecodedPng png;
  if (!DecodePng(file, png)) return 0;

  int depth = 8;
  switch (png.kind) {
    case DecodedPng::kIndexed:
    case DecodedPng::kGray:
      depth = png.bit_depth == 2 ? 4 : png.bit_depth == 16 ? 8 : png.bit_depth;
      break;
    case DecodedPng::kRgb: depth = 24; break;
    case DecodedPng::kRgba: depth = 32; break;
  }
  if (!CreateImage(png.width, png.height, depth)) return 0;

  if (png.kind == DecodedPng::kIndexed) {
    std::memcpy(palette_.data(), png.palette.data(), 4 * static_cast<size_t>(png.palette_size));
    for (int i = 0; i < png.palette_size; ++i) alpha_ = alpha_ || png.palette[4 * i + 3] != 255;
  } else if (png.kind == DecodedPng::kGray) {
    const int levels = std::min(1 << std::min(png.bit_depth, 8), 256);
    for (int i = 0; i < levels; ++i) {
      auto v = static_cast<uint8_t>(i * 255 / (levels - 1));
      palette_[4 * i] = palette_[4 * i + 1] = palette_[4 * i + 2] = v;
      palette_[4 * i + 3] = 255;
    }
  }
  alpha_ = alpha_ || png.kind == DecodedPng::kRgba;

  const size_t channels = png.kind == DecodedPng::kRgb ? 3 : png.kind == DecodedPng::kRgba ? 4 : 1;
  for (int y = 0; y < height_; ++y) {
    const uint8_t* src = png.samples.data() + static_cast<size_t>(y) * width_ * channels;
    if (depth >= 24 || depth == 8) {
      std::memcpy(Row(y), src, static_cast<size_t>(width_) * channels);
      continue;
    }
    for (int x = 0; x < width_; ++x) {
      uint8_t* row = Row(y);
      if (depth == 4) {
        SetPixelIndex(x, y, src[x]);
      } else if (src[x] & 1) {  // depth 1: leftmost pixel in bit 7
        row[x / 8] = static_cast<uint8_t>(row[x / 8] | 0x80 >> (x % 8));
      }
    }
  }
  return 1;
}

}  // namespace lumak
