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
      using toolkit::win::CreateChildControl;
      status_.Create(CreateChildControl(hwnd(), {STATUSCLASSNAMEW, "", 0, kIdStatus, 0, 0, 0, 0}, nullptr));
      font_.Create();
      struct Control {
        toolkit::win::CZozarWnd& wrapper;
        toolkit::win::ChildControl control;
      };
      constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
      const Control controls[] = {
          {offset_, {L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kIdOffset, 0, 0, 100, 20, WS_EX_STATICEDGE}},
          {open_, {L"BUTTON", "OPEN", kButton, kIdOpen, 100, 0, 100, 20}},
          {save_bitmap_, {L"BUTTON", "SAVEBITMAP", kButton, kIdSaveBitmap, 200, 0, 100, 20}},
          {load_bitmap_, {L"BUTTON", "LOADBITMAP", kButton, kIdLoadBitmap, 300, 0, 100, 20}},
          {save_, {L"BUTTON", "SAVE", kButton, kIdSave, 400, 0, 100, 20}}};
      for (const Control& c : controls) c.wrapper.Init(CreateChildControl(hwnd(), c.control));
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
