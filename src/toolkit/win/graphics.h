#pragma once
// lumak::CGraphics: an off-screen 32-bit surface (a DIB section in a memory device context)
// that the tools paint dot by dot and then copy or stretch onto a window.
#include <windows.h>

#include <cstdint>

namespace lumak {

class CGraphics {
 public:
  // Width and height below 1 become 1. The surface is compatible with `dc`.
  CGraphics(HDC dc, int width, int height);
  ~CGraphics() { Destroy(); }
  CGraphics(const CGraphics&) = delete;
  CGraphics& operator=(const CGraphics&) = delete;

  // Releases the surface; every field becomes zero.
  void Destroy();

  // Stores a COLORREF (red in the low byte) at (x, y) so that the DIB shows its true colour;
  // bits 24-31 are kept. Dots outside the surface are ignored.
  void DrawDot(int x, int y, unsigned long colour);
  void Draw(HDC dc, int x, int y, unsigned long rop) const;
  void StretchDraw(HDC dc, int x, int y, int w, int h, unsigned long rop) const;

  int width() const { return width_; }
  int height() const { return height_; }
  bool valid() const { return bits_ != nullptr; }
  // The stored word at (x, y) (bottom-up rows); 0 outside.
  uint32_t WordAt(int x, int y) const;

 private:
  HDC dc_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  uint32_t* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  BITMAPINFO info_{};
};

}  // namespace lumak
