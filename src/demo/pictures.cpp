#include "demo/pictures.h"

#include <cstdlib>

namespace demo {

namespace {

// 3 × 5 digits 0-9 and A-F, one row of three bits per entry, top first.
constexpr uint8_t kDigits[16][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
    {2, 5, 7, 5, 5}, {6, 5, 6, 5, 6}, {3, 4, 4, 4, 3}, {6, 5, 5, 5, 6}, {7, 4, 6, 4, 7},
    {7, 4, 6, 4, 4},
};

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// A colour of hue 0-359 at the given lightness (0-255 scale of the brightest channel).
uint32_t HueColour(int hue, int bright, int dim) {
  hue %= 360;
  int x = dim + (bright - dim) * (60 - std::abs(hue % 120 - 60)) / 60;
  switch (hue / 60) {
    case 0: return Rgb(bright, x, dim);
    case 1: return Rgb(x, bright, dim);
    case 2: return Rgb(dim, bright, x);
    case 3: return Rgb(dim, x, bright);
    case 4: return Rgb(x, dim, bright);
    default: return Rgb(bright, dim, x);
  }
}

}  // namespace

CCanvas::CCanvas(int width, int height, uint8_t background)
    : width_(width), height_(height), pixels_(size_t(width * height), background) {}

void CCanvas::Set(int x, int y, uint8_t index) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[size_t(y * width_ + x)] = index;
}

void CCanvas::FillRect(int x, int y, int w, int h, uint8_t index) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, index);
}

void CCanvas::FillCircle(int cx, int cy, int r, uint8_t index) {
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x)
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) Set(x, y, index);
}

void CCanvas::FillDiamond(int cx, int cy, int r, uint8_t index) {
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x)
      if (std::abs(x - cx) + std::abs(y - cy) <= r) Set(x, y, index);
}

void CCanvas::FillTriangle(int cx, int top, int half_width, int height, uint8_t index) {
  for (int j = 0; j < height; ++j) {
    int half = half_width * j / height;
    FillRect(cx - half, top + j, 2 * half + 1, 1, index);
  }
}

void CCanvas::DrawNumber(int x, int y, unsigned value, int digits, int scale, uint8_t index,
                         bool hex) {
  unsigned base = hex ? 16 : 10;
  for (int d = digits - 1; d >= 0; --d, value /= base) {
    const uint8_t* glyph = kDigits[value % base];
    int left = x + d * 4 * scale;
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (glyph[row] & (4 >> col)) FillRect(left + col * scale, y + row * scale, scale, scale, index);
  }
}

std::vector<uint8_t> TileFrames4bpp(const CCanvas& canvas) {
  std::vector<uint8_t> out;
  out.reserve(size_t(canvas.width() * canvas.height() / 2));
  for (int frame = 0; frame < canvas.height() / 64; ++frame)
    for (int ty = 0; ty < 8; ++ty)
      for (int tx = 0; tx < 8; ++tx)
        for (int row = 0; row < 8; ++row)
          for (int col = 0; col < 8; col += 2) {
            int x = tx * 8 + col, y = frame * 64 + ty * 8 + row;
            out.push_back(uint8_t(canvas.At(x, y) | canvas.At(x + 1, y) << 4));
          }
  return out;
}

std::vector<uint8_t> Palette555(const uint32_t (&rgb)[16]) {
  std::vector<uint8_t> out;
  for (uint32_t c : rgb) {
    int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    uint16_t v = uint16_t((r >> 3) | (g >> 3) << 5 | (b >> 3) << 10);
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
  }
  return out;
}

void HuePalette(int hue, bool shiny, uint32_t (&rgb)[16]) {
  if (shiny) hue += 180;
  rgb[0] = Rgb(0xF0, 0xF8, 0xF0);
  rgb[1] = HueColour(hue, 0xF8, 0xA0);
  rgb[2] = HueColour(hue, 0xE0, 0x40);
  rgb[3] = HueColour(hue, 0x90, 0x10);
  for (int i = 4; i < 14; ++i) rgb[i] = HueColour(hue + 36 * i, 0xD0, 0x30);
  rgb[14] = Rgb(0xF8, 0xF8, 0xF8);
  rgb[15] = Rgb(0x10, 0x10, 0x18);
}

CCanvas MonsterPicture(int species, int frames, bool back) {
  CCanvas canvas(64, 64 * frames);
  for (int f = 0; f < frames; ++f) {
    int top = 64 * f, bob = f * 3;
    // The second frame moves down and lightens, so an animation shows at a glance.
    uint8_t inner = f ? 1 : 2;
    int cy = top + 30 + bob;
    switch (species % 4) {
      case 0:
        canvas.FillCircle(32, cy, 24, 3);
        canvas.FillCircle(32, cy, 21, inner);
        break;
      case 1:
        canvas.FillRect(8, cy - 22, 48, 46, 3);
        canvas.FillRect(11, cy - 19, 42, 40, inner);
        break;
      case 2:
        canvas.FillTriangle(32, cy - 26, 28, 52, 3);
        canvas.FillTriangle(32, cy - 20, 22, 42, inner);
        break;
      default:
        canvas.FillDiamond(32, cy, 27, 3);
        canvas.FillDiamond(32, cy, 23, inner);
        break;
    }
    canvas.FillRect(0, top + 60, 64, 4, back ? 1 : 0);
    int width = canvas.NumberWidth(3, 3);
    canvas.FillRect(32 - width / 2 - 2, top + 21 + bob, width + 4, 19, 14);
    canvas.DrawNumber(32 - width / 2, top + 23 + bob, unsigned(species), 3, 3, 15);
  }
  return canvas;
}

CCanvas TrainerPicture(int index) {
  CCanvas canvas(64, 64);
  canvas.FillCircle(32, 14, 11, 3);
  canvas.FillCircle(32, 14, 9, 1);
  canvas.FillRect(14, 27, 36, 37, 3);
  canvas.FillRect(17, 30, 30, 34, 2);
  int width = canvas.NumberWidth(3, 2);
  canvas.FillRect(32 - width / 2 - 2, 38, width + 4, 14, 14);
  canvas.DrawNumber(32 - width / 2, 40, unsigned(index), 3, 2, 15);
  return canvas;
}

CCanvas BackViewFrame(int frame) {
  CCanvas canvas(64, 64);
  canvas.FillCircle(32, 18, 14, 3);
  canvas.FillRect(12 + frame % 4 * 2, 32, 40, 32, 2);
  canvas.FillRect(24, 40, canvas.NumberWidth(2, 2) + 4, 14, 14);
  canvas.DrawNumber(26, 42, unsigned(frame), 2, 2, 15);
  return canvas;
}

CCanvas FontSheet() {
  CCanvas sheet(128, 560);
  for (int r = 0; r < 70; ++r)
    for (int c = 0; c < 16; ++c) {
      unsigned glyph = unsigned(r * 16 + c);
      sheet.DrawNumber(c * 8, r * 8 + 1, glyph & 0xFF, 2, 1, 3, true);
      sheet.FillRect(c * 8, r * 8 + 7, 7, 1, (glyph >> 8) ? 2 : 1);
    }
  return sheet;
}

std::vector<uint8_t> FontBlock(const CCanvas& sheet) {
  std::vector<uint8_t> block;
  for (int r = 0; r < 70; ++r)
    for (int c = 0; c < 16; ++c)
      for (int y = 0; y < 8; ++y) {
        uint8_t bytes[2] = {0, 0};
        // File pixel n of a row is sheet column 8c + 7 - n.
        for (int n = 0; n < 8; ++n)
          bytes[n / 4] |= uint8_t(sheet.At(c * 8 + 7 - n, r * 8 + y) << (2 * (n % 4)));
        block.push_back(bytes[0]);
        block.push_back(bytes[1]);
      }
  return block;
}

}  // namespace demo
