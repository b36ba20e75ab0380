// The drawing surface on real GDI.
#include "toolkit/win/graphics.h"

#include <gtest/gtest.h>

namespace {

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

TEST(Graphics, DotsShowTheirTrueColour) {
  ScreenDc screen;
  lumak::CGraphics g(screen.get(), 4, 3);
  ASSERT_TRUE(g.valid());
  g.DrawDot(1, 2, 0x0000FF);  // red
  EXPECT_EQ(g.WordAt(1, 2), 0x00FF0000u);
  g.DrawDot(0, 0, 0x12345678);  // bits 24-31 kept
  EXPECT_EQ(g.WordAt(0, 0), 0x12785634u);
  // The device context sees red where the dot is.
  HDC mem = CreateCompatibleDC(screen.get());
  HBITMAP bmp = CreateCompatibleBitmap(screen.get(), 4, 3);
  HGDIOBJ old = SelectObject(mem, bmp);
  g.Draw(mem, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mem, 1, 2), RGB(255, 0, 0));
  g.StretchDraw(mem, 0, 0, 2, 1, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}

TEST(Graphics, IgnoresDotsOutsideAndSizesBelowOne) {
  ScreenDc screen;
  lumak::CGraphics g(screen.get(), 0, -5);
  EXPECT_EQ(g.width(), 1);
  EXPECT_EQ(g.height(), 1);
  g.DrawDot(1, 0, 0xFFFFFF);
  g.DrawDot(0, 1, 0xFFFFFF);
  g.DrawDot(-1, 0, 0xFFFFFF);
  EXPECT_EQ(g.WordAt(0, 0), 0u);
  g.Destroy();
  EXPECT_FALSE(g.valid());
  EXPECT_EQ(g.width(), 0);
  g.DrawDot(0, 0, 0xFFFFFF);  // nothing to draw on: no crash
}

}  // namespace
