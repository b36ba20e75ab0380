// The BMP reader on arbitrary bytes; what loads can be saved, reloaded and read pixel by pixel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/image/bitmap_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumak::CBitmapImage image;
  if (!image.LoadBmp({data, size})) return 0;
  int width = 0, height = 0;
  image.GetImageSize(width, height);
  for (int y = -1; y <= height && y < 64; ++y) {
    for (int x = -1; x <= width && x < 64; ++x) {
      image.GetPixel(x, y);
      image.GetPixelIndex(x, y);
    }
  }
  std::vector<uint8_t> saved = image.BmpBytes();
  lumak::CBitmapImage again;
  if (!again.LoadBmp(saved)) std::abort();
  if (!std::equal(again.pixels().begin(), again.pixels().end(), image.pixels().begin(),
                  image.pixels().end())) {
    std::abort();
  }
  return 0;
}
