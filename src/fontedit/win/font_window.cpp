#include "fontedit/win/font_window.h"

#include <commctrl.h>

#include "toolkit/win/file_dialogs.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/unique_handle.h"

namespace fontedit::win {

namespace {
constexpr char kRomFilter[] = "GBA Roms(*.gba)\0*.gba\0All files(*.*)\0*.*\0";
constexpr char kBitmapFilter[] = "bitmap(*.bmp)\0*.bmp\0png(*.png)\0*.png\0All files(*.*)\0*.*\0";
constexpr char kRomTitle[] = "ROMを指定してください";
constexpr char kBitmapTitle[] = "ビットマップを選択してください";
constexpr unsigned long kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr unsigned long kSaveFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
}  // namespace

void Draw(const CFont& font, HDC dc, int x, int y) {
  if (!font.HasImage()) return;
  lumak::CGraphics surface(dc, kSheetWidth, kSheetHeight);
  if (!surface.valid()) return;
  for (int py = 0; py < kSheetHeight; ++py)
    for (int px = 0; px < kSheetWidth; ++px) surface.DrawDot(px, py, font.GetPixel(px, py));
  surface.StretchDraw(dc, x, y, kSheetWidth, kSheetHeight, SRCCOPY);
}

toolkit::win::AppSpec CFontWindow::Spec() {
  toolkit::win::AppSpec spec;
  spec.class_name = L"glyfen class";
  spec.title = L"glyfen";
  return spec;
}

LRESULT CFontWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      HINSTANCE instance = reinterpret_cast<LPCREATESTRUCTW>(lparam)->hInstance;
      HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                 hwnd(), reinterpret_cast<HMENU>(INT_PTR{kIdStatus}), instance,
                                 nullptr);
      status_.Create(bar);
      font_.Create();
      struct Control {
        toolkit::win::CZozarWnd& wrapper;
        const wchar_t* cls;
        const wchar_t* caption;
        int id;
        DWORD style;
        DWORD ex_style;
      };
      const Control controls[] = {
          {offset_, L"EDIT", L"", kIdOffset, ES_AUTOHSCROLL, WS_EX_STATICEDGE},
          {open_, L"BUTTON", L"OPEN", kIdOpen, BS_PUSHBUTTON, 0},
          {save_bitmap_, L"BUTTON", L"SAVEBITMAP", kIdSaveBitmap, BS_PUSHBUTTON, 0},
          {load_bitmap_, L"BUTTON", L"LOADBITMAP", kIdLoadBitmap, BS_PUSHBUTTON, 0},
          {save_, L"BUTTON", L"SAVE", kIdSave, BS_PUSHBUTTON, 0}};
      int x = 0;
      for (const Control& c : controls) {
        c.wrapper.Init(CreateWindowExW(c.ex_style, c.cls, c.caption,
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | c.style, x, 0, 100, 20,
                                       hwnd(), reinterpret_cast<HMENU>(INT_PTR{c.id}), instance,
                                       nullptr));
        c.wrapper.SetFont("default", 0);
        x += 100;
      }
      return 0;
    }
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) {
        toolkit::win::CZozarWnd* row[] = {&offset_, &open_, &save_bitmap_, &load_bitmap_, &save_};
        for (int i = 0; i < 5; ++i) {
          row[i]->MoveWindow(100 * i, 0);
          row[i]->ResizeWindow(100, 20);
        }
        status_.ResizeWindow(static_cast<long>(lparam));
      }
      return 0;
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) OnCommand(LOWORD(wparam));
      return 0;
    case WM_PAINT: {
      toolkit::win::CPaintSession paint(hwnd());
      Draw(font_, paint.dc(), 0, kSheetTop);
      return 0;
    }
    case WM_CLOSE:
      status_.Destroy();
      font_.Destroy();
      break;
    default:
      break;
  }
  return CAppFrame::HandleMessage(message, wparam, lparam);
}

bool CFontWindow::Offset(uint64_t& offset) {
  if (ParseOffset(offset_.GetText(), offset)) return true;
  status_.SetText(0, kOffsetRefused);
  return false;
}

void CFontWindow::ShowResult() {
  if (!font_.status().empty()) status_.SetText(0, font_.status());
}

void CFontWindow::OnCommand(int id) {
  using toolkit::win::opendiag;
  using toolkit::win::savediag;
  uint64_t offset = 0;
  const std::filesystem::path* path = nullptr;
  switch (id) {
    case kIdOpen:
      if (!Offset(offset)) return;
      path = opendiag(hwnd(), kRomFilter, "gba", kRomTitle, kOpenFlags, nullptr);
      if (!path) return;
      font_.Load_fontdata(*path, offset);
      break;
    case kIdSave:
      if (!Offset(offset)) return;
      path = savediag(hwnd(), kRomFilter, "gba", kRomTitle, nullptr, kSaveFlags);
      if (!path) return;
      font_.Save_fontdata(*path, offset);
      break;
    case kIdLoadBitmap:
      path = opendiag(hwnd(), kBitmapFilter, "bmp", kBitmapTitle, kOpenFlags, nullptr);
      if (!path) return;
      font_.Loadbitmap(*path);
      break;
    case kIdSaveBitmap:
      path = savediag(hwnd(), kBitmapFilter, "bmp", kBitmapTitle, nullptr, kSaveFlags);
      if (!path) return;
      font_.Savebitmap(*path);
      break;
    default:
      return;
  }
  ShowResult();
  InvalidateRect(hwnd(), nullptr, FALSE);
}

}  // namespace fontedit::win
