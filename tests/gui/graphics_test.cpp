// The drawing surface on real GDI.
#include "toolkit/win/graphics.h"

#include <gtest/gtest.h>

#include <utility>

#include "toolkit/win/unique_handle.h"

namespace {

using toolkit::win::CSelectedObject;
using toolkit::win::CWindowDC;
using toolkit::win::UniqueBitmap;
using toolkit::win::UniqueMemoryDC;

TEST(Graphics, DotsShowTheirTrueColour) {
  CWindowDC screen(nullptr);
  lumak::CGraphics g(screen.get(), 4, 3);
  ASSERT_TRUE(g.valid());
  g.DrawDot(1, 2, 0x0000FF);  // red
  EXPECT_EQ(g.WordAt(1, 2), 0x00FF0000u);
  g.DrawDot(0, 0, 0x12345678);  // bits 24-31 kept
  EXPECT_EQ(g.WordAt(0, 0), 0x12785634u);
  // The device context sees red where the dot is, drawn as it is and stretched twice over.
  UniqueMemoryDC mem(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 8, 6));
  CSelectedObject selected(mem.get(), bitmap.get());
  g.Draw(mem.get(), 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mem.get(), 1, 2), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(mem.get(), 2, 2), RGB(255, 0, 0));
  g.StretchDraw(mem.get(), 0, 0, 8, 6, SRCCOPY);
  for (auto [x, y] : {std::pair{2, 4}, {3, 4}, {2, 5}, {3, 5}})
    EXPECT_EQ(GetPixel(mem.get(), x, y), RGB(255, 0, 0)) << x << "," << y;
  EXPECT_NE(GetPixel(mem.get(), 1, 4), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(mem.get(), 4, 4), RGB(255, 0, 0));
}

TEST(Graphics, IgnoresDotsOutsideAndSizesBelowOne) {
  CWindowDC screen(nullptr);
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
