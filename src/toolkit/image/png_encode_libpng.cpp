// Indexed PNG files with libpng, written into memory. libpng reports errors by longjmp:
// everything this function owns lives in objects created before the jump point.
#include <png.h>

#include <csetjmp>

#include "toolkit/image/png_encode.h"

namespace lumak {

namespace {

void WriteToMemory(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
void Flush(png_structp) {}

[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

// The libpng calls, in a function of their own: nothing here changes after setjmp.
bool Write(const IndexedPng& image, png_bytepp rows, png_colorp colours, png_bytep alpha, bool transparent,
           std::vector<uint8_t>& file) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    file.clear();
    return false;
  }
  png_set_write_fn(png, &file, WriteToMemory, Flush);
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.bit_depth,
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, colours, image.palette_size);
  if (transparent) png_set_tRNS(png, info, alpha, image.palette_size, nullptr);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool EncodePng(const IndexedPng& image, std::vector<uint8_t>& file) {
  file.clear();
  if (!IndexedPngIsValid(image)) return false;
  // Rows packed as the file holds them: 4-bit pixels two to a byte, the left one high.
  const size_t row_bytes = image.bit_depth == 8 ? size_t(image.width) : (size_t(image.width) + 1) / 2;
  std::vector<uint8_t> packed(row_bytes * size_t(image.height), 0);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* src = image.indices.data() + size_t(y) * size_t(image.width);
    uint8_t* dst = packed.data() + size_t(y) * row_bytes;
    for (int x = 0; x < image.width; ++x) {
      if (image.bit_depth == 8) {
        dst[x] = src[x];
      } else {
        dst[x / 2] = static_cast<uint8_t>(dst[x / 2] | (x % 2 ? src[x] : src[x] << 4));
      }
    }
  }
  std::vector<png_bytep> rows(size_t(image.height));
  for (int y = 0; y < image.height; ++y) rows[size_t(y)] = packed.data() + size_t(y) * row_bytes;
  png_color colours[256];
  png_byte alpha[256];
  bool transparent = false;
  for (int i = 0; i < image.palette_size; ++i) {
    colours[i] = {image.palette[4 * i], image.palette[4 * i + 1], image.palette[4 * i + 2]};
    alpha[i] = image.palette[4 * i + 3];
    transparent = transparent || alpha[i] != 255;
  }

  return Write(image, rows.data(), colours, alpha, transparent, file);
}

}  // namespace lumak
