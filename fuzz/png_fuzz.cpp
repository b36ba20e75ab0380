// The PNG reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "toolkit/image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumak::CImage image;
  if (!image.LoadPngBytes({data, size})) return 0;
  int width = 0, height = 0;
  image.GetImageSize(width, height);
  image.GetPixel(width - 1, height - 1);
  image.GetPixelIndex(width - 1, 0);
  return 0;
}
