#include "tileconv/win/tile_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "platform/win/wide.h"
#include "toolkit/win/file_dialogs.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/unique_handle.h"

namespace tileconv::win {

namespace {
constexpr char kFilter[] = "BitMap(*.bmp)\0*.bmp\0All files(*.*)\0*.*\0";
// Tile sets may also be indexed PNG files.
constexpr char kTileSetFilter[] =
    "BitMap(*.bmp)\0*.bmp\0PNG(*.png)\0*.png\0All files(*.*)\0*.*\0";
constexpr char kBitmapTitle[] = "ビットマップを選択してください";
constexpr char kDefinitionTitle[] = "定義ファイルを選択してください";
constexpr unsigned long kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr unsigned long kSaveFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// The colour of a pixel as a COLORREF, whatever the depth.
unsigned long Colour(const lumak::CBitmapImage& image, int x, int y) {
  const uint32_t value = image.GetPixel(x, y);
  switch (image.GetColorDepth()) {
    case 16: {
      const uint32_t r = (value >> 10) & 31, g = (value >> 5) & 31, b = value & 31;
      return (r << 3) | (g << 3) << 8 | (b << 3) << 16;
    }
    case 24:
    case 32:
      return (value >> 16 & 0xFF) | (value & 0xFF00) | (value & 0xFF) << 16;
    default:
      return value & 0xFFFFFF;
  }
}

// Paints `image` at (x, y), each pixel `scale` times enlarged.
void DrawImage(HDC dc, const lumak::CBitmapImage& image, int x, int y, int scale) {
  int width = 0, height = 0;
  image.GetImageSize(width, height);
  if (!image.HasImage() || width <= 0 || height <= 0) return;
  lumak::CGraphics surface(dc, width, height);
  if (!surface.valid()) return;
  for (int py = 0; py < height; ++py)
    for (int px = 0; px < width; ++px) surface.DrawDot(px, py, Colour(image, px, py));
  surface.StretchDraw(dc, x, y, width * scale, height * scale, SRCCOPY);
}

void Text(HDC dc, int x, int y, const char* text) {
  const std::wstring wide = platform::win::Wide(text);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}
}  // namespace

toolkit::win::AppSpec CTileWindow::Spec() {
  toolkit::win::AppSpec spec;
  spec.class_name = L"tilvane class";
  spec.title = L"tilvane";
  return spec;
}

int CTileWindow::TileSetHeight() const {
  int width = 0, height = 0;
  tiles_->GetImageSize(width, height);
  return height;
}

POINT CTileWindow::MapOrigin() const { return {kLeft, TileSetHeight() + 50}; }

void CTileWindow::CreateControls() {
  struct Control {
    toolkit::win::CZozarWnd& wrapper;
    toolkit::win::ChildControl control;  // placed by Layout
  };
  constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP, kBox = BS_AUTOCHECKBOX | WS_TABSTOP;
  const Control controls[] = {
      {def_open_, {L"BUTTON", "DEFOPEN", kButton, kIdDefOpen, 0, 0, 100, 20}},
      {def_open2_, {L"BUTTON", "DEFOPEN2", kButton, kIdDefOpen2, 0, 0, 100, 20}},
      {open_, {L"BUTTON", "OPEN", kButton, kIdOpen, 0, 0, 100, 20}},
      {save_, {L"BUTTON", "SAVE", kButton, kIdSave, 0, 0, 100, 20}},
      {save2_, {L"BUTTON", "SAVE2", kButton, kIdSave2, 0, 0, 100, 20}},
      {addpen_, {L"BUTTON", "addpen", kBox, kIdAddPen, 0, 0, 100, 20}},
      {hflip_, {L"BUTTON", "左右反転", kBox, kIdHFlip, 0, 0, 100, 20}},
      {vflip_, {L"BUTTON", "上下反転", kBox, kIdVFlip, 0, 0, 100, 20}},
      {zoom_in_, {L"BUTTON", "拡大", kButton, kIdZoomIn, 0, 0, 100, 20}},
      {zoom_out_, {L"BUTTON", "縮小", kButton, kIdZoomOut, 0, 0, 100, 20}},
      {palette_, {L"EDIT", "0", ES_AUTOHSCROLL | WS_TABSTOP, kIdPalette, 0, 0, 100, 20, WS_EX_STATICEDGE}}};
  for (const Control& c : controls) c.wrapper.Init(toolkit::win::CreateChildControl(hwnd(), c.control));
}

void CTileWindow::Layout(int client_height) {
  const int row = client_height / 14;
  toolkit::win::CZozarWnd* column[] = {&def_open_, &def_open2_, &open_,  &save_,
                                       &save2_,    &addpen_,    &hflip_, &vflip_};
  for (int i = 0; i < 8; ++i) {
    column[i]->MoveWindow(0, row * i);
    column[i]->ResizeWindow(100, 20);
  }
  zoom_in_.MoveWindow(0, row * 8);
  zoom_in_.ResizeWindow(50, 20);
  zoom_out_.MoveWindow(50, row * 8);
  zoom_out_.ResizeWindow(50, 20);
  palette_.MoveWindow(0, row * 9);
  palette_.ResizeWindow(100, 20);
}

void CTileWindow::Error(const char* text) {
  MessageBoxW(hwnd(), platform::win::Wide(text).c_str(), L"Error", MB_OK);
}

void CTileWindow::SyncFlipBoxes() {
  hflip_.SetChk(painter_.hflip);
  vflip_.SetChk(painter_.vflip);
}

void CTileWindow::OnCommand(int id, int code) {
  using toolkit::win::opendiag;
  using toolkit::win::savediag;
  if (id == kIdPalette) {
    if (code != EN_CHANGE) return;
    const int typed = palette_.EditTextToValue();
    painter_.palette = static_cast<uint8_t>(std::clamp(typed, 0, 15));
    const std::string note =
        typed == painter_.palette ? "" : "正しい値を取得できなかったので、適当な値を設定しました。";
    if (note != note_) {
      note_ = note;
      InvalidateRect(hwnd(), nullptr, TRUE);
    }
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kIdDefOpen:
    case kIdDefOpen2: {
      const auto* path = opendiag(hwnd(), kFilter, "bmp", kDefinitionTitle, kOpenFlags, nullptr);
      if (!path) return;
      std::string error;
      const int result =
          id == kIdDefOpen ? converter_.LoadDef(*path, error) : converter_.LoadDef2(*path, error);
      if (result < 0) {
        if (!error.empty()) Error(error.c_str());
        Error("定義ファイルの読み取りに失敗しました。");
      } else {
        painter_.palette = static_cast<uint8_t>(result);
      }
      break;
    }
    case kIdOpen: {
      const auto* path =
          opendiag(hwnd(), kTileSetFilter, "bmp", kBitmapTitle, kOpenFlags, nullptr);
      if (!path) return;
      auto tiles = std::make_unique<lumak::CImage>();
      if (!LoadTileSet(*path, *tiles)) {
        Error("読み取りに失敗しました。");
        return;
      }
      auto map = std::make_unique<lumak::CBitmapImage>();
      switch (Render(converter_, *tiles, *map)) {
        case RenderResult::kSizeMismatch:
          Error("サイズ不一致。");
          return;
        case RenderResult::kCreateFailed:
          Error("作成に失敗しました。");
          return;
        case RenderResult::kOk:
          break;
      }
      tiles_ = std::move(tiles);
      map_ = std::move(map);
      break;
    }
    case kIdSave: {
      const auto* path = savediag(hwnd(), kFilter, "bmp", kBitmapTitle, nullptr, kSaveFlags);
      // A definition that could not be written is said so, never passed over in silence.
      if (path && converter_.SaveDef(*path) != 0) Error("保存に失敗しました。");
      return;
    }
    case kIdSave2: {
      const auto* path = savediag(hwnd(), kFilter, "bmp", kBitmapTitle, nullptr, kSaveFlags);
      if (path && converter_.SaveDef2(*path) != 0) Error("保存に失敗しました。");
      return;
    }
    case kIdAddPen:
      painter_.addpen = addpen_.GetChk();
      return;
    case kIdHFlip:
      painter_.hflip = hflip_.GetChk();
      break;
    case kIdVFlip:
      painter_.vflip = vflip_.GetChk();
      break;
    case kIdZoomIn:
      painter_.ZoomIn();
      break;
    case kIdZoomOut:
      painter_.ZoomOut();
      break;
    default:
      return;
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CTileWindow::OnPaint(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int row = client.bottom / 14;
  int width = 0, height = 0;
  tiles_->GetImageSize(width, height);

  DrawImage(dc, *tiles_, kLeft, 0, 1);
  // The current tile, twice enlarged, in a grey frame.
  RECT frame = {198 - 2, height + 16 - 2, 198 + 16 + 2, height + 16 + 16 + 2};
  FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  if (tiles_->HasImage() && tiles_->GetColorDepth() <= 8) {
    // The tile set's palette copied as it is, so in the tile set's own colour order.
    lumak::CBitmapImage tile(8, 8, 8, tiles_->palette_order());
    std::copy_n(tiles_->GetPalette(), 1024, tile.GetPalette());
    pixel8x8copy(tile, *tiles_, CONVERT_TILE{painter_.current, 0, 0, false, false, 0});
    DrawImage(dc, tile, 198, height + 16, 2);
  }
  const POINT origin = MapOrigin();
  DrawImage(dc, *map_, origin.x, origin.y, painter_.zoom);

  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  char line[128];
  std::snprintf(line, sizeof line, "color depth base : %d", tiles_->GetColorDepth());
  Text(dc, 0, row * 10, line);
  std::snprintf(line, sizeof line, "color depth converted : %d", map_->GetColorDepth());
  Text(dc, 0, row * 10 + 20, line);
  std::snprintf(line, sizeof line, "convertlist size : %d",
                static_cast<int>(converter_.entries().size()));
  Text(dc, 0, row * 10 + 40, line);
  std::snprintf(line, sizeof line, "base image size : %d / %d", converter_.base_width(),
                converter_.base_height());
  Text(dc, 0, row * 10 + 60, line);
  std::snprintf(line, sizeof line, "new image size : %d / %d", converter_.map_width(),
                converter_.map_height());
  Text(dc, 0, row * 10 + 80, line);
  if (!note_.empty()) {
    const std::wstring note = platform::win::Wide(note_);
    RECT box = {0, row * 10 + 100, kLeft - 4, client.bottom};
    DrawTextW(dc, note.c_str(), static_cast<int>(note.size()), &box, DT_WORDBREAK);
  }

  Text(dc, kLeft, height + 16, "選択tile");
  RECT band = {222, height + 16, 342, height + 36};
  FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  std::snprintf(line, sizeof line, "select : %02X", painter_.current);
  Text(dc, 222, height + 16, line);
  std::snprintf(line, sizeof line, "左右反転 : %d", painter_.hflip ? 1 : 0);
  Text(dc, 292, height + 16, line);
  std::snprintf(line, sizeof line, "上下反転 : %d", painter_.vflip ? 1 : 0);
  Text(dc, 362, height + 16, line);
  SelectObject(dc, old_font);
}

LRESULT CTileWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) return 0;
      Layout(HIWORD(lparam));
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_PAINT: {
      toolkit::win::CPaintSession paint(hwnd());
      OnPaint(paint.dc());
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
      const bool down = message == WM_LBUTTONDOWN;
      if (!down && !dragging_) return 0;
      const POINT origin = MapOrigin();
      const int px = GET_X_LPARAM(lparam) - origin.x, py = GET_Y_LPARAM(lparam) - origin.y;
      if (down) {
        int cx = 0, cy = 0;
        if (!painter_.CellAt(converter_, px, py, cx, cy)) return 0;
        painter_.EndDrag();
      }
      if (painter_.PaintAt(converter_, *tiles_, *map_, px, py, !down))
        InvalidateRect(hwnd(), nullptr, FALSE);
      if (down) {
        dragging_ = true;
        SetCapture(hwnd());
      }
      return 0;
    }
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        painter_.EndDrag();
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      painter_.EndDrag();
      return 0;
    case WM_RBUTTONDOWN: {
      const int x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
      const POINT origin = MapOrigin();
      if (painter_.PickTile(*tiles_, x - kLeft, y)) {
        InvalidateRect(hwnd(), nullptr, FALSE);
      } else if (painter_.PickEntry(converter_, x - origin.x, y - origin.y)) {
        SyncFlipBoxes();
        InvalidateRect(hwnd(), nullptr, FALSE);
      }
      return 0;
    }
    case WM_CLOSE:
      tiles_->ReleaseImage();
      map_->ReleaseImage();
      break;
    default:
      break;
  }
  return CAppFrame::HandleMessage(message, wparam, lparam);
}

}  // namespace tileconv::win
