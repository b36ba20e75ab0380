#include "fontedit/font_sheet.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "core/failure_text.h"
#include "core/rom_writer.h"
#include "platform/file.h"
#include "toolkit/image/image.h"

namespace fontedit {

namespace {
constexpr int kTilesPerRow = kSheetWidth / 8;
const std::string kLoadError = FailureText("CFont", "Load_fontdata");
const std::string kSaveError = FailureText("CFont", "Save_fontdata");
}  // namespace

PixelPlace PlaceOf(int x, int y) {
  const int tile = (y / 8) * kTilesPerRow + x / 8;
  const int n = 7 - x % 8;  // position of the pixel within its row in file order
  return {static_cast<size_t>(tile) * 16 + static_cast<size_t>(y % 8) * 2 + static_cast<size_t>(n / 4),
          2 * (n % 4)};
}

void DecodeBlock(std::span<const uint8_t, kBlockSize> block, lumak::CBitmapImage& sheet) {
  for (int y = 0; y < kSheetHeight; ++y) {
    for (int x = 0; x < kSheetWidth; ++x) {
      const PixelPlace place = PlaceOf(x, y);
      sheet.SetPixelIndex(x, y, static_cast<unsigned char>((block[place.byte] >> place.shift) & 3));
    }
  }
}

void EncodeBlock(const lumak::CBitmapImage& sheet, std::span<uint8_t, kBlockSize> block) {
  std::fill(block.begin(), block.end(), uint8_t{0});
  for (int y = 0; y < kSheetHeight; ++y) {
    for (int x = 0; x < kSheetWidth; ++x) {
      const int index = sheet.GetPixelIndex(x, y);
      if (index < 0) continue;
      const PixelPlace place = PlaceOf(x, y);
      block[place.byte] = static_cast<uint8_t>(block[place.byte] | (index & 3) << place.shift);
    }
  }
}

bool ParseOffset(const std::string& text, uint64_t& offset) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  if (begin == end || text[begin] == '-' || text[begin] == '+') return false;
  const std::string digits = text.substr(begin, end - begin);
  errno = 0;
  char* stop = nullptr;
  const unsigned long long value = std::strtoull(digits.c_str(), &stop, 0);
  if (errno != 0 || stop != digits.c_str() + digits.size()) return false;
  offset = value;
  return true;
}

bool CFont::Create() {
  if (!CreateImage(kSheetWidth, kSheetHeight, 4)) return false;
  uint8_t* palette = GetPalette();
  for (size_t i = 0; i < kGreys.size(); ++i) {
    // The image keeps its palette as the BMP file does: blue, green, red, reserved.
    palette[4 * i + 0] = static_cast<uint8_t>(kGreys[i] >> 16);
    palette[4 * i + 1] = static_cast<uint8_t>(kGreys[i] >> 8);
    palette[4 * i + 2] = static_cast<uint8_t>(kGreys[i]);
    palette[4 * i + 3] = 0;
  }
  return true;
}

bool CFont::Load_fontdata(const std::filesystem::path& file, uint64_t offset) {
  platform::CFile rom;
  uint64_t size = 0;
  if (!rom.Open(file, platform::OpenMode::kReadShared) || !rom.Size(size)) {
    status_ = kLoadError + rom.ErrorText();
    return false;
  }
  if (offset > size || size - offset < kBlockSize) {
    status_ = std::string(kLoadError) + "ファイルの終わりまでにフォント全体(0x4600バイト)がありません。";
    return false;
  }
  std::array<uint8_t, kBlockSize> read{};
  if (!rom.ReadAt(offset, read.data(), read.size())) {
    status_ = kLoadError + rom.ErrorText();
    return false;
  }
  if (!HasImage() && !Create()) {
    status_ = kLoadError;
    return false;
  }
  block_ = read;
  DecodeBlock(block_, *this);
  status_ = "ok " + std::to_string(kBlockSize) + "/0";
  return true;
}

bool CFont::Save_fontdata(const std::filesystem::path& file, uint64_t offset) {
  EncodeBlock(*this, block_);
  // Into the existing ROM, inside it: an offset past its end grows nothing.
  CRomChange change(file);
  if (!change.Open() || !change.Write(int64_t(std::min<uint64_t>(offset, INT64_MAX)), block_.data(), block_.size()) ||
      !change.Commit()) {
    status_ = kSaveError + change.error();
    return false;
  }
  status_.clear();
  return true;
}

bool CFont::Loadbitmap(const std::filesystem::path& file) {
  lumak::CImage picture;
  if (!picture.Load(file)) {
    status_ = "CFont::Loadbitmap 読み込みに失敗。";
    return false;
  }
  return TakeBitmap(picture);
}

bool CFont::LoadbitmapBytes(std::span<const uint8_t> file) {
  lumak::CImage picture;
  if (!picture.LoadBytes(file)) {
    status_ = "CFont::Loadbitmap 読み込みに失敗。";
    return false;
  }
  return TakeBitmap(picture);
}

bool CFont::TakeBitmap(const lumak::CImage& picture) {
  int width = 0, height = 0;
  picture.GetImageSize(width, height);
  if (picture.GetColorDepth() != 4) {
    status_ = "CFont::Loadbitmap 16色ビットマップではありません。";
    return false;
  }
  if (width != kSheetWidth || height != kSheetHeight) {
    status_ = "CFont::Loadbitmap サイズが128x560ではありません。";
    return false;
  }
  if (!HasImage() && !Create()) {
    status_ = "CFont::Loadbitmap 読み込みに失敗。";
    return false;
  }
  for (int y = 0; y < kSheetHeight; ++y)
    for (int x = 0; x < kSheetWidth; ++x)
      SetPixelIndex(x, y, static_cast<unsigned char>(picture.GetPixelIndex(x, y)));
  status_.clear();
  return true;
}

bool CFont::Savebitmap(const std::filesystem::path& file) {
  if (HasImage() && SaveImage(file)) {
    status_ = "ok";
    return true;
  }
  status_ = "CFont::Savebitmap 保存に失敗。";
  return false;
}

}  // namespace fontedit
