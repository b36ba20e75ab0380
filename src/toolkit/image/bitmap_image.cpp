#include "toolkit/image/bitmap_image.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "platform/file.h"
#include "toolkit/image/png_encode.h"

namespace lumak {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

bool SupportedDepth(int depth) {
  return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

// Swaps the first and third byte of every palette entry (BGR <-> RGB).
void SwapRedBlue(std::array<uint8_t, 1024>& palette) {
  for (size_t i = 0; i < palette.size(); i += 4) std::swap(palette[i], palette[i + 2]);
}

}  // namespace

CBitmapImage::CBitmapImage(int width, int height, int depth, PaletteOrder order) : order_(order) {
  CreateImage(width, height, depth);
}

void CBitmapImage::initialize() {
  pixels_.clear();
  pixels_.shrink_to_fit();
  width_ = height_ = 0;
  stride_ = 0;
  depth_ = 0;
  palette_.fill(0);
}

void CBitmapImage::ReleaseImage() { initialize(); }

uint32_t CBitmapImage::StrideFor(int width, int depth) {
  if (width < 1) return 0;
  uint64_t w = static_cast<uint64_t>(width);
  uint64_t stride = w;
  if (depth == 8 || depth == 16 || depth == 24 || depth == 32) {
    stride = (w * static_cast<uint64_t>(depth) / 8 + 3) / 4 * 4;
  } else if (depth == 1 || depth == 4) {
    uint64_t per_word = 32 / static_cast<uint64_t>(depth);
    stride = (w + per_word - 1) / per_word * 4;
  }
  return static_cast<uint32_t>(stride);
}

int CBitmapImage::CreateImage(int width, int height, int depth) {
  ReleaseImage();
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || !SupportedDepth(depth)) {
    return 0;
  }
  uint32_t stride = StrideFor(width, depth);
  uint64_t bytes = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
  if (bytes > kMaxPixelBytes) return 0;
  pixels_.assign(static_cast<size_t>(bytes), 0);
  width_ = width;
  height_ = height;
  stride_ = stride;
  depth_ = static_cast<uint8_t>(depth);
  return 1;
}

int CBitmapImage::LoadImageA(const std::filesystem::path& path) {
  ReleaseImage();
  platform::CFile file;
  uint64_t size = 0;
  if (!file.Open(path, platform::OpenMode::kReadShared) || !file.Size(size) ||
      size > kMaxPixelBytes + 4096) {
    return 0;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!file.Read(bytes.data(), bytes.size())) return 0;
  return LoadBmp(bytes);
}

int CBitmapImage::LoadBmp(std::span<const uint8_t> file) {
  ReleaseImage();
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return 0;
  const uint8_t* info = file.data() + kFileHeaderSize;
  const uint32_t header_size = Le32(info);
  // The classic header, and versions 4 and 5 that paint programs write, uncompressed.
  if (header_size != 40 && header_size != 108 && header_size != 124) return 0;
  if (file.size() < kFileHeaderSize + header_size) return 0;
  const int32_t width = static_cast<int32_t>(Le32(info + 4));
  const int32_t height = static_cast<int32_t>(Le32(info + 8));  // bottom-up files only
  const int depth = Le16(info + 14);
  const uint32_t compression = Le32(info + 16);
  uint32_t colours = Le32(info + 32);
  if (compression != 0 || !SupportedDepth(depth)) return 0;

  size_t at = kFileHeaderSize + header_size;
  std::array<uint8_t, 1024> palette{};
  if (depth <= 8) {
    if (colours == 0) colours = 1u << depth;
    colours = std::min<uint32_t>(colours, 256);
    if (file.size() < at + colours * 4) return 0;
    std::memcpy(palette.data(), file.data() + at, colours * 4);
  } else {
    colours = std::min<uint32_t>(colours, 256);
  }
  at += colours * 4;
  // Pixels follow the palette, unless the file header points past it (a gap in the file).
  const uint32_t pixel_offset = Le32(file.data() + 10);
  if (pixel_offset > at && pixel_offset < file.size()) at = pixel_offset;

  if (!CreateImage(width, height, depth)) return 0;
  if (at > file.size() || file.size() - at < pixels_.size()) {
    ReleaseImage();
    return 0;
  }
  std::memcpy(pixels_.data(), file.data() + at, pixels_.size());
  palette_ = palette;
  if (order_ == PaletteOrder::kRgb) SwapRedBlue(palette_);
  return 1;
}

std::vector<uint8_t> CBitmapImage::BmpBytes() const {
  std::vector<uint8_t> out;
  if (!HasImage()) return out;
  const uint32_t colours = depth_ <= 8 ? 1u << depth_ : 0;
  const uint32_t image_bytes = static_cast<uint32_t>(pixels_.size());
  const uint32_t offset = static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * colours);
  out.reserve(offset + image_bytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + image_bytes);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(width_));
  Put32(out, static_cast<uint32_t>(height_));
  Put16(out, 1);
  Put16(out, depth_);
  Put32(out, 0);
  Put32(out, image_bytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, colours);
  Put32(out, 0);
  std::array<uint8_t, 1024> palette = palette_;
  if (order_ == PaletteOrder::kRgb) SwapRedBlue(palette);  // files keep blue first
  out.insert(out.end(), palette.begin(), palette.begin() + 4 * colours);
  out.insert(out.end(), pixels_.begin(), pixels_.end());
  return out;
}

std::vector<uint8_t> CBitmapImage::PngBytes() const {
  std::vector<uint8_t> file;
  if (!HasImage() || (depth_ != 4 && depth_ != 8)) return file;
  IndexedPng png;
  png.width = width_;
  png.height = height_;
  png.bit_depth = depth_;
  png.palette_size = 1 << depth_;
  png.indices.reserve(size_t(width_) * size_t(height_));
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) png.indices.push_back(uint8_t(GetPixelIndex(x, y)));
  const bool red_first = order_ == PaletteOrder::kRgb;
  for (int i = 0; i < png.palette_size; ++i) {
    const uint8_t* entry = palette_.data() + 4 * i;
    png.palette[size_t(4 * i)] = red_first ? entry[0] : entry[2];
    png.palette[size_t(4 * i + 1)] = entry[1];
    png.palette[size_t(4 * i + 2)] = red_first ? entry[2] : entry[0];
    png.palette[size_t(4 * i + 3)] = 255;
  }
  if (!EncodePng(png, file)) file.clear();
  return file;
}

int CBitmapImage::SaveImage(const std::filesystem::path& path) const {
  std::string extension = path.extension().string();
  for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
  std::vector<uint8_t> bytes = extension == ".png" ? PngBytes() : BmpBytes();
  if (bytes.empty()) return 0;
  platform::CFile file;
  // An existing file is overwritten in place and then cut, so a longer old file leaves no tail.
  bool ok = file.Open(path, platform::OpenMode::kReadWriteOrCreate) &&
            file.Write(bytes.data(), bytes.size()) && file.Truncate(bytes.size());
  return ok ? 1 : 0;
}

int CBitmapImage::GetPixelIndex(int x, int y) const {
  if (!Inside(x, y)) return -1;
  const uint8_t* row = Row(y);
  switch (depth_) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    case 8: return row[x];
    default: return -1;
  }
}

int CBitmapImage::SetPixelIndex(int x, int y, unsigned char index) {
  if (!Inside(x, y)) return 0;
  uint8_t* row = Row(y);
  if (depth_ == 8) {
    row[x] = index;
  } else if (depth_ == 4) {
    uint8_t& b = row[x / 2];
    b = x % 2 ? static_cast<uint8_t>((b & 0xF0) | (index & 0x0F))
              : static_cast<uint8_t>((b & 0x0F) | (index & 0x0F) << 4);
  } else {
    return 0;
  }
  return 1;
}

uint32_t CBitmapImage::GetPixel(int x, int y) const {
  if (!Inside(x, y)) return 0;
  const uint8_t* row = Row(y);
  switch (depth_) {
    case 1:
    case 4:
    case 8: {
      const uint8_t* e = &palette_[static_cast<size_t>(GetPixelIndex(x, y)) * 4];
      uint8_t red = order_ == PaletteOrder::kRgb ? e[0] : e[2];
      uint8_t blue = order_ == PaletteOrder::kRgb ? e[2] : e[0];
      return red | e[1] << 8 | blue << 16;
    }
    case 16: return Le16(row + 2 * x);
    case 24: return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    case 32: return Le32(row + 4 * x);
    default: return 0;
  }
}

int CBitmapImage::SetPixel(int x, int y, unsigned long value) {
  if (!Inside(x, y)) return -1;
  int bytes = depth_ == 16 ? 2 : depth_ == 24 ? 3 : depth_ == 32 ? 4 : 0;
  if (bytes == 0) return -1;
  uint8_t* p = Row(y) + static_cast<size_t>(x) * bytes;
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
  return 1;
}

}  // namespace lumak
