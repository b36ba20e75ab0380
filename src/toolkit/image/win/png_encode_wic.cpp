// Indexed PNG files with the Windows Imaging Component, written into a memory stream.
#include <windows.h>
#include <objidl.h>
#include <wincodec.h>

#include <cstring>

#include "toolkit/image/png_encode.h"

#include "toolkit/image/win/com_ptr.h"

namespace lumak {

namespace {

using win::ComPtr;
using win::EnsureCom;

}  // namespace

bool EncodePng(const IndexedPng& image, std::vector<uint8_t>& file) {
  file.clear();
  if (!IndexedPngIsValid(image) || !EnsureCom()) return false;
  const UINT stride = image.bit_depth == 8 ? UINT(image.width) : (UINT(image.width) + 1) / 2;
  std::vector<BYTE> packed(size_t(stride) * size_t(image.height), 0);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* src = image.indices.data() + size_t(y) * size_t(image.width);
    BYTE* dst = packed.data() + size_t(y) * stride;
    for (int x = 0; x < image.width; ++x) {
      if (image.bit_depth == 8) {
        dst[x] = src[x];
      } else {
        dst[x / 2] = static_cast<BYTE>(dst[x / 2] | (x % 2 ? src[x] : src[x] << 4));
      }
    }
  }
  WICColor colours[256];
  for (int i = 0; i < image.palette_size; ++i) {  // 0xAARRGGBB
    const uint8_t* e = &image.palette[4 * size_t(i)];
    colours[i] = WICColor(e[3]) << 24 | WICColor(e[0]) << 16 | WICColor(e[1]) << 8 | e[2];
  }
  const WICPixelFormatGUID wanted =
      image.bit_depth == 8 ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat4bppIndexed;
  WICPixelFormatGUID format = wanted;

  ComPtr<IWICImagingFactory> factory;
  ComPtr<IStream> memory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  ComPtr<IWICPalette> palette;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(factory.out()))) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.out())) ||
      FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromIStream(memory.get())) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.out(), options.out())) ||
      FAILED(frame->Initialize(options.get())) ||
      FAILED(frame->SetSize(UINT(image.width), UINT(image.height))) ||
      FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, wanted) ||
      FAILED(factory->CreatePalette(palette.out())) ||
      FAILED(palette->InitializeCustom(colours, UINT(image.palette_size))) ||
      FAILED(frame->SetPalette(palette.get())) ||
      FAILED(frame->WritePixels(UINT(image.height), stride, UINT(packed.size()), packed.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return false;
  }
  HGLOBAL global = nullptr;
  STATSTG stat = {};
  if (FAILED(GetHGlobalFromStream(memory.get(), &global)) || FAILED(memory->Stat(&stat, STATFLAG_NONAME))) {
    return false;
  }
  const size_t size = size_t(stat.cbSize.QuadPart);
  const void* bytes = GlobalLock(global);
  if (!bytes) return false;
  file.assign(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + size);
  GlobalUnlock(global);
  return true;
}

}  // namespace lumak
