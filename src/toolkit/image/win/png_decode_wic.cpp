// PNG decoding with the Windows Imaging Component. Frames come in the pixel format WIC reports
// for the file; each is turned into the samples libpng gives on other systems.
#include <windows.h>
#include <wincodec.h>

#include <cstring>

#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/png_chunks.h"
#include "toolkit/image/png_decode.h"

#include "toolkit/image/win/com_ptr.h"

namespace lumak {

namespace {

using win::ComPtr;
using win::EnsureCom;

struct Layout {
  DecodedPng::Kind kind;
  int bits;          // bits per pixel of WIC's format
  int file_depth;    // the sample depth reported for the image
};

bool LayoutOf(const WICPixelFormatGUID& f, Layout& l) {
  struct Entry {
    const GUID* format;
    Layout layout;
  };
  static const Entry kFormats[] = {
      {&GUID_WICPixelFormat1bppIndexed, {DecodedPng::kIndexed, 1, 1}},
      {&GUID_WICPixelFormat2bppIndexed, {DecodedPng::kIndexed, 2, 2}},
      {&GUID_WICPixelFormat4bppIndexed, {DecodedPng::kIndexed, 4, 4}},
      {&GUID_WICPixelFormat8bppIndexed, {DecodedPng::kIndexed, 8, 8}},
      {&GUID_WICPixelFormatBlackWhite, {DecodedPng::kGray, 1, 1}},
      {&GUID_WICPixelFormat2bppGray, {DecodedPng::kGray, 2, 2}},
      {&GUID_WICPixelFormat4bppGray, {DecodedPng::kGray, 4, 4}},
      {&GUID_WICPixelFormat8bppGray, {DecodedPng::kGray, 8, 8}},
      {&GUID_WICPixelFormat16bppGray, {DecodedPng::kGray, 16, 16}},
      {&GUID_WICPixelFormat24bppBGR, {DecodedPng::kRgb, 24, 8}},
      {&GUID_WICPixelFormat24bppRGB, {DecodedPng::kRgb, 24, 8}},
      {&GUID_WICPixelFormat48bppRGB, {DecodedPng::kRgb, 48, 16}},
      {&GUID_WICPixelFormat32bppBGRA, {DecodedPng::kRgba, 32, 8}},
      {&GUID_WICPixelFormat64bppRGBA, {DecodedPng::kRgba, 64, 16}},
  };
  for (const Entry& e : kFormats) {
    if (IsEqualGUID(*e.format, f)) {
      l = e.layout;
      return true;
    }
  }
  return false;
}

// One pixel's samples from WIC's row into `out` (1, 3 or 4 bytes).
void ConvertPixel(const WICPixelFormatGUID& f, const Layout& l, const uint8_t* row, int x,
                  uint8_t* out) {
  if (l.bits < 8) {
    int per_byte = 8 / l.bits;
    int shift = 8 - l.bits * (x % per_byte + 1);  // leftmost pixel in the high bits
    out[0] = static_cast<uint8_t>((row[x / per_byte] >> shift) & ((1 << l.bits) - 1));
  } else if (l.bits == 8) {
    out[0] = row[x];
  } else if (l.bits == 16) {
    out[0] = row[2 * x + 1];  // the high byte of a little-endian word
  } else if (l.bits == 24) {
    const uint8_t* p = row + 3 * x;
    bool rgb = IsEqualGUID(f, GUID_WICPixelFormat24bppRGB);
    out[0] = rgb ? p[2] : p[0];
    out[1] = p[1];
    out[2] = rgb ? p[0] : p[2];
  } else if (l.bits == 32) {
    std::memcpy(out, row + 4 * x, 4);
  } else {  // 48-bit RGB and 64-bit RGBA: little-endian words, red first
    const uint8_t* p = row + (l.bits / 8) * x;
    out[0] = p[5];
    out[1] = p[3];
    out[2] = p[1];
    if (l.bits == 64) out[3] = p[7];
  }
}

}  // namespace

bool DecodePng(std::span<const uint8_t> file, DecodedPng& out) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) return false;
  if (!PngChunksFitTheFile(file) || !EnsureCom()) return false;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(factory.out()))) ||
      FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(file.data()),
                                          static_cast<DWORD>(file.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out()))) {
    return false;
  }
  UINT width = 0, height = 0;
  WICPixelFormatGUID format;
  Layout layout;
  if (FAILED(frame->GetSize(&width, &height)) || FAILED(frame->GetPixelFormat(&format)) ||
      !LayoutOf(format, layout) || width < 1 || height < 1 ||
      width > static_cast<UINT>(CBitmapImage::kMaxSide) ||
      height > static_cast<UINT>(CBitmapImage::kMaxSide)) {
    return false;
  }
  const size_t channels = layout.kind == DecodedPng::kRgb ? 3 : layout.kind == DecodedPng::kRgba ? 4 : 1;
  const uint64_t sample_bytes = uint64_t{width} * height * channels;
  const UINT stride = (width * static_cast<UINT>(layout.bits) + 7) / 8;
  if (sample_bytes > CBitmapImage::kMaxPixelBytes || uint64_t{stride} * height > CBitmapImage::kMaxPixelBytes) {
    return false;
  }
  std::vector<uint8_t> raw(static_cast<size_t>(stride) * height);
  if (FAILED(frame->CopyPixels(nullptr, stride, static_cast<UINT>(raw.size()), raw.data()))) return false;

  out.kind = layout.kind;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.bit_depth = layout.file_depth;
  out.palette.fill(0);
  out.palette_size = 0;
  if (layout.kind == DecodedPng::kIndexed) {
    ComPtr<IWICPalette> palette;
    WICColor colours[256];
    UINT count = 0;
    if (FAILED(factory->CreatePalette(palette.out())) || FAILED(frame->CopyPalette(palette.get())) ||
        FAILED(palette->GetColors(256, colours, &count))) {
      return false;
    }
    out.palette_size = static_cast<int>(count);
    for (UINT i = 0; i < count; ++i) {  // WICColor is 0xAARRGGBB
      out.palette[4 * i] = static_cast<uint8_t>(colours[i] >> 16);
      out.palette[4 * i + 1] = static_cast<uint8_t>(colours[i] >> 8);
      out.palette[4 * i + 2] = static_cast<uint8_t>(colours[i]);
      out.palette[4 * i + 3] = static_cast<uint8_t>(colours[i] >> 24);
    }
  }
  out.samples.assign(static_cast<size_t>(sample_bytes), 0);
  for (UINT y = 0; y < height; ++y) {
    const uint8_t* row = raw.data() + static_cast<size_t>(y) * stride;
    uint8_t* dst = out.samples.data() + static_cast<size_t>(y) * width * channels;
    for (UINT x = 0; x < width; ++x) ConvertPixel(format, layout, row, static_cast<int>(x), dst + x * channels);
  }
  return true;
}

}  // namespace lumak
