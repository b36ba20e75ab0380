#include "imagetool/tile_image.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "core/failure_text.h"
#include "core/rom_writer.h"
#include "imagetool/gba_colour.h"
#include "imagetool/tile_layout.h"
#include "platform/file.h"
#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/image.h"
#include "toolkit/image/png_encode.h"

namespace imagetool {

namespace {

// The class name as the suite's messages print it (the encoded run-time name of a class
// CImage outside any namespace).
constexpr const char* kClassName = "6CImage";

// A palette entry of a loaded picture as a COLORREF. lumak::CImage keeps every palette red
// first, a BMP's too.
uint32_t EntryColour(const uint8_t* e) { return e[0] | uint32_t(e[1]) << 8 | uint32_t(e[2]) << 16; }

}  // namespace

CImage::CImage() = default;

int CImage::Fail(Problem problem, std::string system_text) {
  outcome_.problem = problem;
  outcome_.system_text = std::move(system_text);
  outcome_.wrote = outcome_.appended = outcome_.read_stream = false;
  return 1;
}

void CImage::set_tilex(int tiles_per_row) { tiles_per_row_ = std::clamp(tiles_per_row, 1, kMaxTilesPerRow); }

void CImage::SetPixels(std::vector<uint8_t> pixels, bool eight_bit) {
  pixels_ = std::move(pixels);
  eight_bit_ = eight_bit;
  work_.assign(4 * pixels_.size() + 8, 0);
}

bool CImage::ReadStream(const std::filesystem::path& file, uint32_t offset, uint32_t limit,
                        bool allow_empty, std::vector<uint8_t>& out) {
  platform::CFile in;
  uint64_t size = 0;
  if (!in.Open(file, platform::OpenMode::kReadExisting)) return !Fail(Problem::kCannotOpen, in.ErrorText());
  if (!in.Size(size)) return !Fail(Problem::kCannotRead, in.ErrorText());
  if (offset >= size) return !Fail(Problem::kPastEnd);
  const uint64_t available = size - offset;
  uint8_t header[4] = {};
  const size_t head = size_t(std::min<uint64_t>(available, 4));
  if (!in.ReadAt(offset, header, head)) return !Fail(Problem::kCannotRead, in.ErrorText());
  if (header[0] != 0x10) return !Fail(Problem::kNotCompressed);
  if (head < 4) return !Fail(Problem::kCorrupt);
  const uint32_t length = graphics::Lz77DecodedSize({header, 4});
  if (length == 0 && !allow_empty) return !Fail(Problem::kEmptyStream);
  if (length > limit) return !Fail(Problem::kPaletteTooLarge);
  // Everything the longest stream for this size may need, as far as the file goes; the
  // decoder stops at the end of what was read.
  const size_t want = size_t(std::min<uint64_t>(graphics::Lz77MaxCompressedSize(length), available));
  std::vector<uint8_t> stream(want);
  if (!in.ReadAt(offset, stream.data(), want)) return !Fail(Problem::kCannotRead, in.ErrorText());
  in.Close();
  out.assign(length, 0);
  graphics::Lz77Decoded d = graphics::Lz77Decode(stream, out.data(), out.size());
  if (d.status != graphics::Lz77Decoded::kOk || d.size != length) return !Fail(Problem::kCorrupt);
  work_ = std::move(stream);
  outcome_.read_stream = true;
  outcome_.bytes = d.consumed;
  return true;
}

int CImage::LoadImageA(const std::filesystem::path& file, uint32_t offset, int colour_count) {
  outcome_ = {};
  outcome_.offset = offset;
  std::vector<uint8_t> data;
  if (!ReadStream(file, offset, kMaxStream, false, data)) return 1;
  if (colour_count > 16) {
    pixels_ = std::move(data);
    eight_bit_ = true;
  } else {
    pixels_ = Unpack4(data);
    eight_bit_ = false;
  }
  return 0;
}

int CImage::LoadPalette(const std::filesystem::path& file, uint32_t offset) {
  outcome_ = {};
  outcome_.offset = offset;
  std::vector<uint8_t> data;
  if (!ReadStream(file, offset, kMaxPaletteBytes, true, data)) return 1;
  palette_.fill(0);
  for (size_t i = 0; i < data.size() / 2; ++i) {
    palette_[i] = Bgr555ToColorref(static_cast<uint16_t>(data[2 * i] | data[2 * i + 1] << 8));
  }
  return 0;
}

int CImage::LoadRawPalette(const std::filesystem::path& file, uint32_t offset, int count) {
  outcome_ = {};
  outcome_.offset = offset;
  count = std::clamp(count, 0, 256);
  platform::CFile in;
  uint64_t size = 0;
  if (!in.Open(file, platform::OpenMode::kReadExisting)) return Fail(Problem::kCannotOpen, in.ErrorText());
  if (!in.Size(size)) return Fail(Problem::kCannotRead, in.ErrorText());
  if (offset >= size) return Fail(Problem::kPastEnd);
  uint8_t data[512];
  if (!in.ReadAt(offset, data, size_t(count) * 2)) return Fail(Problem::kCannotRead, in.ErrorText());
  palette_.fill(0);
  for (int i = 0; i < count; ++i) {
    palette_[size_t(i)] = Bgr555ToColorref(static_cast<uint16_t>(data[2 * i] | data[2 * i + 1] << 8));
  }
  return 0;
}

std::vector<uint8_t> CImage::RomData() const { return eight_bit_ ? pixels_ : Pack4(pixels_); }

std::vector<uint8_t> CImage::PaletteBytes(int count) const {
  count = std::clamp(count, 0, 256);
  std::vector<uint8_t> bytes(size_t(count) * 2);
  for (int i = 0; i < count; ++i) {
    const uint16_t c = ColorrefToBgr555(palette_[size_t(i)]);
    bytes[2 * size_t(i)] = static_cast<uint8_t>(c);
    bytes[2 * size_t(i) + 1] = static_cast<uint8_t>(c >> 8);
  }
  return bytes;
}

bool CImage::WriteToRom(const std::filesystem::path& file, uint32_t offset, size_t size) {
  // One change of the ROM writer: inside the file or appended at its end, never past 32 MiB,
  // and a failure anywhere (the pad included) leaves the file as it was.
  CRomChange change(file);
  if (!change.Open()) return !Fail(Problem::kCannotOpen, change.error());
  uint64_t at = offset;
  if (offset == 0) {
    // As the free-space finder appends: 0xFF up to a multiple of 4.
    if (!change.PadTo(4)) return !Fail(Problem::kCannotWrite, change.error());
    at = change.size();
    outcome_.appended = true;
  } else if (offset > change.size()) {
    change.Abandon();
    return !Fail(Problem::kPastEnd);
  }
  if (!change.Write(int64_t(at), work_.data(), size) || !change.Commit())
    return !Fail(Problem::kCannotWrite, change.error());
  outcome_.offset = uint32_t(at);
  outcome_.bytes = uint32_t(size);
  outcome_.wrote = true;
  return true;
}

int CImage::CompressAndWrite(const std::filesystem::path& file, uint32_t offset, std::span<const uint8_t> data) {
  if (data.size() > kMaxStream) return Fail(Problem::kTooLarge);
  work_.resize(graphics::Lz77MaxCompressedSize(data.size()));
  const size_t size = codec_.LZ77Compress(data.data(), int32_t(data.size()), work_.data());
  return WriteToRom(file, offset, size) ? 0 : 1;
}

int CImage::WriteImage(const std::filesystem::path& file, uint32_t offset) {
  outcome_ = {};
  outcome_.offset = offset;
  if (pixels_.empty()) return Fail(Problem::kNoImage);
  return CompressAndWrite(file, offset, RomData());
}

int CImage::WritePalette(const std::filesystem::path& file, uint32_t offset, int count) {
  outcome_ = {};
  outcome_.offset = offset;
  return CompressAndWrite(file, offset, PaletteBytes(count));
}

int CImage::WriteRawPalette(const std::filesystem::path& file, uint32_t offset, int count) {
  outcome_ = {};
  outcome_.offset = offset;
  work_ = PaletteBytes(count);
  return WriteToRom(file, offset, work_.size()) ? 0 : 1;
}

int CImage::OpenBitmapBytes(std::span<const uint8_t> file, bool png) {
  lumak::CImage picture;
  const int loaded = png ? picture.LoadPngBytes(file) : picture.LoadBmp(file);
  if (!loaded) return Fail(Problem::kBadFile);
  int width = 0, height = 0;
  picture.GetImageSize(width, height);
  const int depth = picture.GetColorDepth();
  if ((depth != 4 && depth != 8) || width % 8 != 0 || height % 8 != 0) return Fail(Problem::kNotIndexed);
  if (size_t(width) * size_t(height) > (depth == 8 ? size_t(kMaxStream) : kMaxPixels)) {
    return Fail(Problem::kTooLarge);
  }
  std::vector<uint8_t> rows(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) rows[size_t(y) * size_t(width) + size_t(x)] = uint8_t(picture.GetPixelIndex(x, y));
  }
  eight_bit_ = depth == 8;
  pixels_ = RowsToTiles(rows, width, height);
  palette_.fill(0);
  const uint8_t* entries = picture.GetPalette();
  for (int i = 0; i < (eight_bit_ ? 256 : 16); ++i) palette_[size_t(i)] = EntryColour(entries + 4 * i);
  return 0;
}

int CImage::openbitmap(const std::filesystem::path& file) {
  outcome_ = {};
  std::string bytes, error;
  if (!platform::ReadWholeFile(file, bytes, error)) return Fail(Problem::kCannotOpen, error);
  return OpenBitmapBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, IsPngName(file));
}

bool CImage::BitmapBytes(bool png, std::vector<uint8_t>& file) {
  file.clear();
  const int rows_of_tiles = this->rows_of_tiles();
  if (rows_of_tiles < 1) return !Fail(Problem::kNoImage);
  const int width = 8 * tiles_per_row_;
  if (int64_t(rows_of_tiles) * 8 > lumak::CBitmapImage::kMaxSide) return !Fail(Problem::kTooLarge);
  const int height = 8 * rows_of_tiles;
  const std::vector<uint8_t> rows = TilesToRows(pixels_, tiles_per_row_, rows_of_tiles);
  const int colours = eight_bit_ ? 256 : 16;
  if (png) {
    lumak::IndexedPng image;
    image.width = width;
    image.height = height;
    image.bit_depth = eight_bit_ ? 8 : 4;
    image.indices = rows;
    for (uint8_t& index : image.indices) index = eight_bit_ ? index : index & 0x0F;
    image.palette_size = colours;
    for (int i = 0; i < colours; ++i) {
      const uint32_t c = palette_[size_t(i)];
      image.palette[4 * size_t(i)] = uint8_t(c);
      image.palette[4 * size_t(i) + 1] = uint8_t(c >> 8);
      image.palette[4 * size_t(i) + 2] = uint8_t(c >> 16);
      image.palette[4 * size_t(i) + 3] = 255;
    }
    if (!lumak::EncodePng(image, file)) return !Fail(Problem::kEncodeFailed);
    return true;
  }
  lumak::CBitmapImage bitmap(lumak::PaletteOrder::kBgr);
  if (!bitmap.CreateImage(width, height, eight_bit_ ? 8 : 4)) return !Fail(Problem::kTooLarge);
  uint8_t* entries = bitmap.GetPalette();
  for (int i = 0; i < colours; ++i) {  // blue, green, red, 0 as the file keeps them
    const uint32_t c = palette_[size_t(i)];
    entries[4 * i] = uint8_t(c >> 16);
    entries[4 * i + 1] = uint8_t(c >> 8);
    entries[4 * i + 2] = uint8_t(c);
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap.SetPixelIndex(x, y, rows[size_t(y) * size_t(width) + size_t(x)]);
  }
  file = bitmap.BmpBytes();
  return true;
}

bool CImage::SaveFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  // Opened or created, written from the start and cut to the new length.
  platform::CFile out;
  if (!out.Open(file, platform::OpenMode::kReadWriteOrCreate)) return !Fail(Problem::kCannotOpen, out.ErrorText());
  if (!out.Write(bytes.data(), bytes.size()) || !out.Truncate(bytes.size())) {
    return !Fail(Problem::kCannotWrite, out.ErrorText());
  }
  return true;
}

int CImage::savebitmap(const std::filesystem::path& file) {
  outcome_ = {};
  std::vector<uint8_t> bytes;
  if (!BitmapBytes(IsPngName(file), bytes)) return 1;
  return SaveFile(file, bytes) ? 0 : 1;
}

bool CImage::TileBitmapBytes(std::vector<uint8_t>& file) {
  file.clear();
  if (eight_bit_) return !Fail(Problem::kEightBit);
  const int rows_of_tiles = this->rows_of_tiles();
  if (rows_of_tiles < 1) return !Fail(Problem::kNoImage);
  if (int64_t(rows_of_tiles) * 4 > lumak::CBitmapImage::kMaxSide) return !Fail(Problem::kTooLarge);
  lumak::CBitmapImage bitmap(lumak::PaletteOrder::kBgr);
  if (!bitmap.CreateImage(4 * tiles_per_row_, 4 * rows_of_tiles, 16)) return !Fail(Problem::kTooLarge);
  // The pixel bytes, in the order the file holds them, are the packed tiles (rows 8 × tiles
  // per row bytes long, so no row padding).
  const size_t whole = size_t(rows_of_tiles) * size_t(tiles_per_row_) * kTilePixels;
  const std::vector<uint8_t> packed = Pack4({pixels_.data(), whole});
  std::memcpy(bitmap.pixels().data(), packed.data(), packed.size());
  file = bitmap.BmpBytes();
  return true;
}

int CImage::savetilebitmap(const std::filesystem::path& file) {
  outcome_ = {};
  std::vector<uint8_t> bytes;
  if (!TileBitmapBytes(bytes)) return 1;
  return SaveFile(file, bytes) ? 0 : 1;
}

int CImage::OpenTileBitmapBytes(std::span<const uint8_t> file) {
  lumak::CBitmapImage bitmap(lumak::PaletteOrder::kBgr);
  if (!bitmap.LoadBmp(file)) return Fail(Problem::kBadFile);
  int width = 0, height = 0;
  bitmap.GetImageSize(width, height);
  if (bitmap.GetColorDepth() != 16) return Fail(Problem::kNotTileBitmap);
  if (size_t(width) * size_t(height) * 4 > kMaxPixels) return Fail(Problem::kTooLarge);
  // Each row's 16-bit pixels, in file order, without the padding after them.
  std::vector<uint8_t> packed;
  packed.reserve(size_t(width) * size_t(height) * 2);
  for (int row = 0; row < height; ++row) {
    const uint8_t* p = bitmap.pixels().data() + size_t(row) * bitmap.stride();
    packed.insert(packed.end(), p, p + 2 * size_t(width));
  }
  pixels_ = Unpack4(packed);
  eight_bit_ = false;
  return 0;
}

int CImage::opentilebitmap(const std::filesystem::path& file) {
  outcome_ = {};
  std::string bytes, error;
  if (!platform::ReadWholeFile(file, bytes, error)) return Fail(Problem::kCannotOpen, error);
  return OpenTileBitmapBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

int CImage::savebinary(const std::filesystem::path& file) {
  outcome_ = {};
  if (pixels_.empty()) return Fail(Problem::kNoImage);
  return SaveFile(file, RomData()) ? 0 : 1;
}

void CImage::Render(std::span<uint32_t> surface) const {
  constexpr int kSide = kSurfaceSide;
  if (surface.size() < size_t(kSide) * kSide) return;
  std::fill(surface.begin(), surface.begin() + kSide * kSide, 0u);
  for (int i = 0; i < 256; ++i) {
    const int x0 = (i % 64) * 8, y0 = (i / 64) * 8;
    for (int y = y0; y < y0 + 8; ++y) std::fill_n(surface.data() + size_t(y) * kSide + x0, 8, palette_[size_t(i)]);
  }
  const int rows = std::min(rows_of_tiles(), (kSide - kPaletteRows) / 8);
  const int across = std::min(tiles_per_row_, kSide / 8);
  for (int ty = 0; ty < rows; ++ty) {
    for (int tx = 0; tx < across; ++tx) {
      const uint8_t* tile = pixels_.data() + (size_t(ty) * size_t(tiles_per_row_) + size_t(tx)) * kTilePixels;
      uint32_t* at = surface.data() + size_t(kPaletteRows + ty * 8) * kSide + size_t(tx) * 8;
      for (int y = 0; y < 8; ++y, at += kSide) {
        for (int x = 0; x < 8; ++x) at[x] = palette_[tile[y * 8 + x]];
      }
    }
  }
}

bool IsPngName(const std::filesystem::path& file) {
  std::string ext = file.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".png";
}

std::string StatusText(const char* operation, const Outcome& outcome) {
  char text[512];
  const unsigned offset = outcome.offset;
  if (outcome.ok()) {
    if (outcome.wrote && outcome.appended) {
      std::snprintf(text, sizeof text, "ファイルの最後、アドレス0x%Xに%uバイト追記しました。", offset, outcome.bytes);
    } else if (outcome.wrote) {
      std::snprintf(text, sizeof text, "アドレス0x%Xに%uバイト書き込みました。", offset, outcome.bytes);
    } else if (outcome.read_stream) {
      std::snprintf(text, sizeof text, "アドレス0x%Xの圧縮データ%uバイトを読み込みました。", offset, outcome.bytes);
    } else {
      return "正常終了。";
    }
    return text;
  }
  std::string head = std::string(kClassName) + "::" + operation;
  switch (outcome.problem) {
    case Problem::kCannotOpen:
    case Problem::kCannotRead:
    case Problem::kCannotWrite:
      return FailureText(kClassName, operation, outcome.system_text);
    case Problem::kPastEnd:
      std::snprintf(text, sizeof text, " アドレス0x%Xはファイルの外です。", offset);
      break;
    case Problem::kNotCompressed:
      // The program's own words for the image and the palette, with the offset.
      std::snprintf(text, sizeof text, " %sの圧縮データが見つかりませんでした。(アドレス0x%X)",
                    std::strcmp(operation, "LoadPalette") == 0 ? "パレット" : "画像", offset);
      break;
    case Problem::kEmptyStream:
      std::snprintf(text, sizeof text, " アドレス0x%Xの圧縮データは大きさが0です。", offset);
      break;
    case Problem::kCorrupt:
      std::snprintf(text, sizeof text, " アドレス0x%Xの圧縮データが壊れているか、ファイルの終わりで切れています。", offset);
      break;
    case Problem::kPaletteTooLarge:
      std::snprintf(text, sizeof text, " アドレス0x%Xの圧縮データは512バイト(256色)を超えています。", offset);
      break;
    case Problem::kNoImage: return head + " 保存するタイルがありません。";
    case Problem::kTooLarge: return head + " 画像が大きすぎます。";
    case Problem::kNotIndexed: return head + " 16色か256色で、幅と高さが8の倍数の画像ではありません。";
    case Problem::kNotTileBitmap: return head + " 16ビットのビットマップではありません。";
    case Problem::kEightBit: return head + " タイルビットマップにできるのは16色の画像だけです。";
    case Problem::kBadFile: return head + " BMPかPNGの画像として読み込めませんでした。";
    case Problem::kEncodeFailed: return head + " PNGを作れませんでした。";
    case Problem::kNone: break;
  }
  return head + text;
}

}  // namespace imagetool
