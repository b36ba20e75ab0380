#pragma once
// Simple pictures for the demo: shapes and numbers in distinct colours, so that a screenshot
// shows at once which sprite, frame or tile it is.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace demo {

// An image of palette indices, row by row.
class CCanvas {
 public:
  CCanvas(int width, int height, uint8_t background = 0);
  int width() const { return width_; }
  int height() const { return height_; }
  uint8_t At(int x, int y) const { return pixels_[size_t(y * width_ + x)]; }
  void Set(int x, int y, uint8_t index);
  void FillRect(int x, int y, int w, int h, uint8_t index);
  void FillCircle(int cx, int cy, int r, uint8_t index);
  void FillDiamond(int cx, int cy, int r, uint8_t index);
  void FillTriangle(int cx, int top, int half_width, int height, uint8_t index);
  // Hexadecimal (hex true) or decimal digits of a 3 × 5 font, each `scale` pixels wide.
  void DrawNumber(int x, int y, unsigned value, int digits, int scale, uint8_t index, bool hex = false);
  int NumberWidth(int digits, int scale) const { return digits * 4 * scale - scale; }

 private:
  int width_, height_;
  std::vector<uint8_t> pixels_;
};

// 64 × (64 n) pixels to n frames of 4-bit tiles (2048 bytes a frame).
std::vector<uint8_t> TileFrames4bpp(const CCanvas& canvas);
// 16 colours as BGR555 words, 32 bytes.
std::vector<uint8_t> Palette555(const uint32_t (&rgb)[16]);
// A 16-colour palette around one hue: background, three shades, outline and a dark ink.
void HuePalette(int hue, bool shiny, uint32_t (&rgb)[16]);

// The monster picture of species `s`: frame count 1 or 2, back view or front view.
CCanvas MonsterPicture(int species, int frames, bool back);
// A trainer: head and body with the picture number.
CCanvas TrainerPicture(int index);
// One back-view frame with its frame number.
CCanvas BackViewFrame(int frame);
// The 128 × 560 font sheet (pixel values 0-3) and its 2-bit ROM form.
CCanvas FontSheet();
std::vector<uint8_t> FontBlock(const CCanvas& sheet);

}  // namespace demo
