#include "toolkit/win/graphics.h"

#include <algorithm>

namespace lumak {

CGraphics::CGraphics(HDC dc, int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info_.bmiHeader.biWidth = width_;
  info_.bmiHeader.biHeight = height_;  // positive: rows run bottom-up
  info_.bmiHeader.biPlanes = 1;
  info_.bmiHeader.biBitCount = 32;
  info_.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(dc);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info_, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc_ || !bitmap_ || !bits) {
    Destroy();
    return;
  }
  bits_ = static_cast<uint32_t*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
}

void CGraphics::Destroy() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  if (dc_) DeleteDC(dc_);
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  previous_ = nullptr;
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
  info_ = BITMAPINFO{};
}

void CGraphics::DrawDot(int x, int y, unsigned long colour) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint32_t c = static_cast<uint32_t>(colour);
  uint32_t swapped = (c & 0xFF00FF00u) | (c & 0xFF) << 16 | (c >> 16 & 0xFF);
  bits_[static_cast<size_t>(height_ - 1 - y) * width_ + x] = swapped;
}

uint32_t CGraphics::WordAt(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return bits_[static_cast<size_t>(height_ - 1 - y) * width_ + x];
}

void CGraphics::Draw(HDC dc, int x, int y, unsigned long rop) const {
  if (dc_) BitBlt(dc, x, y, width_, height_, dc_, 0, 0, static_cast<DWORD>(rop));
}

void CGraphics::StretchDraw(HDC dc, int x, int y, int w, int h, unsigned long rop) const {
  if (dc_) StretchBlt(dc, x, y, w, h, dc_, 0, 0, width_, height_, static_cast<DWORD>(rop));
}

}  // namespace lumak
