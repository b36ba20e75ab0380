// tilvane's window in this process on the demo map and tile set: rendering, painting with
// synthesised mouse messages, zoom, saving and loading again.
#include "tileconv/win/tile_window.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "frame_fixture.h"
#include "gui_helpers.h"
#include "platform/win/wide.h"
#include "toolkit/win/unique_handle.h"
#include "unit/test_dir.h"

namespace {

using gui_test::AnswerFileDialog;
using tileconv::win::CTileWindow;

void Click(HWND window, int id) {
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void Check(HWND window, int id, bool on) {
  SendMessageW(GetDlgItem(window, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  Click(window, id);
}

// The centre of map cell (cx, cy) at the window's zoom, as a mouse message's lParam.
LPARAM Cell(const CTileWindow& window, int cx, int cy) {
  const POINT origin = window.MapOrigin();
  const int size = 8 * window.painter().zoom;
  return MAKELPARAM(origin.x + cx * size + size / 2, origin.y + cy * size + size / 2);
}

// What the client area shows, as COLORREFs, through a copy into a 32-bit DIB.
std::vector<uint32_t> ClientPixels(HWND window, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  toolkit::win::UniqueMemoryDC memory(CreateCompatibleDC(nullptr));
  toolkit::win::UniqueBitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<uint32_t> out;
  if (!bitmap || !bits) return out;
  {
    toolkit::win::CSelectedObject selected(memory.get(), bitmap.get());
    HDC dc = GetDC(window);
    BitBlt(memory.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
  const auto* p = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i)  // blue, green, red in memory: turn into red first
    out.push_back((p[i] >> 16 & 0xFF) | (p[i] & 0xFF00) | (p[i] & 0xFF) << 16);
  return out;
}

long RepaintMs(HWND window) {
  const DWORD start = GetTickCount();
  for (int i = 0; i < 5; ++i) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return long(GetTickCount() - start) / 5;
}

TEST(Tilvane, RenderPaintZoomSaveReload) {
  const auto& workspace = gui_test::Workspace();
  CTileWindow window;
  window.ends_loop = false;
  ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
  HWND hwnd = window.hwnd();
  SetWindowPos(hwnd, nullptr, 0, 0, 1000, 800, SWP_NOZORDER | SWP_NOMOVE);
  AnswerFileDialog(workspace / "tilemap.bmp");
  Click(hwnd, CTileWindow::kIdDefOpen);
  AnswerFileDialog(workspace / "tileset.bmp");
  Click(hwnd, CTileWindow::kIdOpen);

  // The window's map image and what it shows equal the portable renderer's result.
  tileconv::CConverter expected;
  std::string error;
  ASSERT_GE(expected.LoadDef(workspace / "tilemap.bmp", error), 0);
  lumak::CBitmapImage tiles, map;
  ASSERT_TRUE(tiles.LoadImageA(workspace / "tileset.bmp"));
  ASSERT_EQ(tileconv::Render(expected, tiles, map), tileconv::RenderResult::kOk);
  ASSERT_EQ(window.map_image().BmpBytes(), map.BmpBytes());
  UpdateWindow(hwnd);
  const POINT origin = window.MapOrigin();
  const auto shown = ClientPixels(hwnd, origin.x + 256, origin.y + 192);
  ASSERT_FALSE(shown.empty());
  int differing = 0;
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x)
      differing += shown[size_t((origin.y + y) * (origin.x + 256) + origin.x + x)] != (map.GetPixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(differing, 0);
  gui_test::SaveScreenshot(hwnd, "tilvane");

  // Tile 5 from the set (right click), palette 9, the pen on: a click and a drag paint two
  // cells, the second with tile 6; the drag's second message on the same cell paints nothing.
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(CTileWindow::kLeft + 5 * 8 + 2, 3));
  EXPECT_EQ(window.painter().current, 5);
  // A palette number beyond 15 is taken as 15 and says so; 9 is taken as it is.
  SetWindowTextW(GetDlgItem(hwnd, CTileWindow::kIdPalette), L"16");
  EXPECT_EQ(window.painter().palette, 15);
  EXPECT_EQ(window.note(), "正しい値を取得できなかったので、適当な値を設定しました。");
  gui_test::SaveScreenshot(hwnd, "tilvane_palette_note");
  SetWindowTextW(GetDlgItem(hwnd, CTileWindow::kIdPalette), L"9");
  EXPECT_EQ(window.note(), "");
  Check(hwnd, CTileWindow::kIdAddPen, true);
  Check(hwnd, CTileWindow::kIdHFlip, true);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Cell(window, 2, 3));
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Cell(window, 3, 3));
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Cell(window, 3, 3));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, Cell(window, 3, 3));
  EXPECT_EQ(window.painter().current, 7);
  tileconv::CConverter& model = expected;
  model.Setbase(2, 3, 5, true, false, 9);
  model.Setbase(3, 3, 6, true, false, 9);

  // Zoom: three steps in, the cells are 32 pixels; a right click there takes the entry's values.
  for (int i = 0; i < 10; ++i) Click(hwnd, CTileWindow::kIdZoomIn);
  EXPECT_EQ(window.painter().zoom, 8);
  const long zoom8 = RepaintMs(hwnd);
  for (int i = 0; i < 10; ++i) Click(hwnd, CTileWindow::kIdZoomOut);
  EXPECT_EQ(window.painter().zoom, 1);
  const long zoom1 = RepaintMs(hwnd);
  std::printf("[ measured ] tilvane repaint of the 32 x 24 demo map: zoom 1 %ld ms, zoom 8 %ld ms\n", zoom1, zoom8);
  for (int i = 0; i < 3; ++i) Click(hwnd, CTileWindow::kIdZoomIn);
  Check(hwnd, CTileWindow::kIdHFlip, false);
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, Cell(window, 2, 3));
  EXPECT_EQ(window.painter().current, 5);
  EXPECT_TRUE(window.painter().hflip);
  EXPECT_EQ(SendMessageW(GetDlgItem(hwnd, CTileWindow::kIdHFlip), BM_GETCHECK, 0, 0), BST_CHECKED);
  gui_test::SaveScreenshot(hwnd, "tilvane_zoom4");

  // Saved and loaded again: the painted cells changed, every other entry (palettes included)
  // as the demo wrote it.
  TestDir dir;
  AnswerFileDialog(dir / "saved.bmp");
  Click(hwnd, CTileWindow::kIdSave);
  tileconv::CConverter reloaded;
  ASSERT_GE(reloaded.LoadDef(dir / "saved.bmp", error), 0);
  ASSERT_EQ(reloaded.entries().size(), model.entries().size());
  for (size_t i = 0; i < model.entries().size(); ++i)
    EXPECT_EQ(tileconv::PackEntry(reloaded.entries()[i]), tileconv::PackEntry(model.entries()[i])) << i;
  DestroyWindow(hwnd);
}

}  // namespace
