// PNG decoding with libpng. libpng reports errors by longjmp: everything this function owns
// lives in objects created before the jump point, and the structures are destroyed on both
// paths.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/png_chunks.h"
#include "toolkit/image/png_decode.h"

namespace lumak {

namespace {

struct Reader {
  std::span<const uint8_t> file;
  size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (n > r->file.size() - r->at) png_error(png, "BUFFER OVER FLOW");
  std::memcpy(out, r->file.data() + r->at, n);
  r->at += n;
}

// Errors end the decode through the jump buffer without printing; warnings are dropped.
[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

constexpr png_alloc_size_t kMaxChunkBytes = 8 << 20;

}  // namespace

bool DecodePng(std::span<const uint8_t> file, DecodedPng& out) {
  if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) return false;
  if (!PngChunksFitTheFile(file)) return false;
  Reader reader{file, 8};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_set_sig_bytes(png, 8);
  // A second wall behind the chunk walk: libpng itself refuses larger images, and any chunk
  // (or compressed text and profile expanded) longer than 8 MiB, before allocating for it.
  png_set_user_limits(png, CBitmapImage::kMaxSide, CBitmapImage::kMaxSide);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_set_chunk_cache_max(png, 1000);
  // Text, profiles and the other ancillary chunks the images never use are skipped unread, in
  // small pieces, instead of being allocated whole.
  static const png_byte kSkipped[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0";
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkipped, 6);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_read_info(png, info);

  png_uint_32 width = 0, height = 0;
  int bit_depth = 0, colour_type = 0;
  png_get_IHDR(png, info, &width, &height, &bit_depth, &colour_type, nullptr, nullptr, nullptr);
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.bit_depth = bit_depth;
  out.palette.fill(0);
  out.palette_size = 0;

  int channels = 1;
  if (colour_type == PNG_COLOR_TYPE_PALETTE) {
    out.kind = DecodedPng::kIndexed;
    png_colorp colours = nullptr;
    int n = 0;
    png_get_PLTE(png, info, &colours, &n);
    out.palette_size = std::min(n, 256);
    for (int i = 0; i < out.palette_size; ++i) {
      out.palette[4 * i] = colours[i].red;
      out.palette[4 * i + 1] = colours[i].green;
      out.palette[4 * i + 2] = colours[i].blue;
      out.palette[4 * i + 3] = 255;
    }
    png_bytep alpha = nullptr;
    int n_alpha = 0;
    if (png_get_tRNS(png, info, &alpha, &n_alpha, nullptr) && alpha) {
      for (int i = 0; i < std::min(n_alpha, out.palette_size); ++i) out.palette[4 * i + 3] = alpha[i];
    }
  } else if (colour_type == PNG_COLOR_TYPE_GRAY) {
    out.kind = DecodedPng::kGray;
  } else if (colour_type == PNG_COLOR_TYPE_RGB) {
    out.kind = DecodedPng::kRgb;
    channels = 3;
    png_set_bgr(png);
  } else {  // RGB with alpha; gray with alpha is widened to it
    out.kind = DecodedPng::kRgba;
    channels = 4;
    if (colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_bgr(png);
  }
  png_set_strip_16(png);
  png_set_packing(png);  // 1, 2 and 4-bit samples become one byte each, unscaled
  png_read_update_info(png, info);

  const size_t row_bytes = static_cast<size_t>(width) * channels;
  if (png_get_rowbytes(png, info) != row_bytes ||
      static_cast<uint64_t>(row_bytes) * height > CBitmapImage::kMaxPixelBytes) {
    png_error(png, "size");
  }
  out.samples.assign(row_bytes * height, 0);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.samples.data() + y * row_bytes;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace lumak
