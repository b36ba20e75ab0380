#include "imagetool/win/pictoma_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/win/wide.h"
#include "toolkit/win/file_dialogs.h"
#include "toolkit/win/unique_handle.h"

namespace {

using platform::win::Wide;

constexpr int kColourCounts[] = {16, 48, 80, 256};
constexpr const char* kColourNames[] = {"16color", "48color", "80color", "256color"};

constexpr char kRomFilter[] = "GBA Roms(*.gba)\0*.gba\0All files(*.*)\0*.*\0";
// Indexed PNG beside BMP: the extension chooses the format.
constexpr char kPictureFilter[] = "BitMap(*.bmp)\0*.bmp\0PNG(*.png)\0*.png\0All files(*.*)\0*.*\0";
constexpr char kBitmapFilter[] = "BitMap(*.bmp)\0*.bmp\0All files(*.*)\0*.*\0";
constexpr char kBinaryFilter[] = "binary(*.bin)\0*.bin\0All files(*.*)\0*.*\0";
constexpr char kBitmapTitle[] = "ビットマップを選択してください";
constexpr unsigned long kSaveFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

}  // namespace

CPictomaWindow::CPictomaWindow() : drawing_(size_t(imagetool::CImage::kSurfaceSide) * imagetool::CImage::kSurfaceSide, 0) {}

CPictomaWindow::~CPictomaWindow() { surface_.reset(); }

toolkit::win::AppSpec CPictomaWindow::Spec() {
  toolkit::win::AppSpec spec;
  spec.class_name = spec.title = L"pictoma";
  return spec;
}

toolkit::win::CZozarWnd& CPictomaWindow::Control(int id) {
  for (auto& [control_id, control] : controls_) {
    if (control_id == id) return control;
  }
  static toolkit::win::CZozarWnd none;
  return none;
}

void CPictomaWindow::OnCreate() {
  controls_.reserve(16);
  // Each control is kept with its id; Layout places them.
  auto make = [&](const wchar_t* cls, const char* text, DWORD style, int id, DWORD ex_style = 0) {
    HWND child = toolkit::win::CreateChildControl(hwnd(), {cls, text, style, id, 0, 0, 10, kControlHeight, ex_style});
    controls_.emplace_back(id, toolkit::win::CZozarWnd(child));
    return child;
  };
  const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP, button = BS_PUSHBUTTON | WS_TABSTOP;
  EnableWindow(make(L"EDIT", "", edit, kIdPath, WS_EX_CLIENTEDGE), FALSE);
  make(L"BUTTON", "OPEN", button, kIdOpen);
  SendMessageW(make(L"EDIT", "", edit, kIdImageOffset, WS_EX_CLIENTEDGE), EM_SETLIMITTEXT, 255, 0);
  make(L"BUTTON", "LOAD", button, kIdLoad);
  make(L"BUTTON", "SaveImage", button, kIdSaveImage);
  SendMessageW(make(L"EDIT", "", edit, kIdPaletteOffset, WS_EX_CLIENTEDGE), EM_SETLIMITTEXT, 255, 0);
  make(L"BUTTON", "PALLOAD", button, kIdPalLoad);
  make(L"BUTTON", "SavePalette", button, kIdSavePalette);
  make(L"BUTTON", "PALRAW", BS_AUTOCHECKBOX | WS_TABSTOP, kIdPalRaw);
  HWND list = make(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kIdColours);
  for (const char* name : kColourNames) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  make(L"EDIT", "1", edit, kIdTilesPerRow, WS_EX_CLIENTEDGE);
  make(L"BUTTON", "openbitmap", button, kIdOpenBitmap);
  make(L"BUTTON", "savebitmap", button, kIdSaveBitmap);
  make(L"BUTTON", "savebinary", button, kIdSaveBinary);
  make(L"BUTTON", "opentilebitmap", button, kIdOpenTileBitmap);
  make(L"BUTTON", "savetilebitmap", button, kIdSaveTileBitmap);

  status_.CreateBar(hwnd(), kIdStatus);
  status_.SetParts({-1});
  toolkit::win::CWindowDC dc(hwnd());
  surface_ = std::make_unique<lumak::CGraphics>(dc.get(), imagetool::CImage::kSurfaceSide,
                                                imagetool::CImage::kSurfaceSide);
}

void CPictomaWindow::Layout() {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int w = client.right;
  status_.Layout(w);
  row_ = std::max(0, int(client.bottom) - status_.Height()) / kRows;
  auto place = [&](int id, int x, int row, int width, int height = kControlHeight) {
    MoveWindow(Control(id).GethWnd(), x, row * row_, std::max(width, 0), height, TRUE);
  };
  place(kIdPath, 0, 0, w - 100);
  place(kIdOpen, w - 100, 0, 100);
  place(kIdImageOffset, 0, 1, 100);
  place(kIdLoad, 100, 1, 100);
  place(kIdSaveImage, 0, 2, 200);
  place(kIdPaletteOffset, 0, 3, 100);
  place(kIdPalLoad, 100, 3, 100);
  place(kIdSavePalette, 0, 4, 200);
  place(kIdPalRaw, 0, 5, 100);
  place(kIdColours, 100, 5, 100, 200);  // the height a drop-down list opens to
  place(kIdTilesPerRow, 0, 7, 200);
  place(kIdOpenBitmap, 0, 8, 200);
  place(kIdSaveBitmap, 0, 9, 200);
  place(kIdSaveBinary, 0, 10, 200);
  place(kIdOpenTileBitmap, 0, 11, 200);
  place(kIdSaveTileBitmap, 0, 12, 200);
}

uint32_t CPictomaWindow::DrawingAt(int x, int y) const {
  const int side = imagetool::CImage::kSurfaceSide;
  if (x < 0 || y < 0 || x >= side || y >= side) return 0;
  return drawing_[size_t(y) * side + size_t(x)];
}

void CPictomaWindow::Paint() {
  toolkit::win::CPaintSession paint(hwnd());
  HDC dc = paint.dc();
  if (surface_ && surface_->valid()) {
    if (dirty_) {
      image_.Render(drawing_);
      const int side = imagetool::CImage::kSurfaceSide;
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) surface_->DrawDot(x, y, drawing_[size_t(y) * side + size_t(x)]);
      }
      dirty_ = false;
    }
    surface_->Draw(dc, kDrawX, kDrawY, SRCCOPY);
  }
  char text[64];
  std::snprintf(text, sizeof text, "Tile Num : %f", image_.gettilenum());
  std::wstring wide = Wide(text);
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  TextOutW(dc, kTextX, kTextY, wide.c_str(), int(wide.size()));
}

std::filesystem::path CPictomaWindow::RomPath() const {
  wchar_t text[MAX_PATH] = {};
  GetDlgItemTextW(hwnd(), kIdPath, text, MAX_PATH);
  return text;
}

uint32_t CPictomaWindow::Offset(int id) const {
  wchar_t text[256] = {};
  GetDlgItemTextW(hwnd(), id, text, 256);
  return uint32_t(std::wcstoul(text, nullptr, 16));
}

int CPictomaWindow::ColourCount() const {
  LRESULT selected = SendDlgItemMessageW(hwnd(), kIdColours, CB_GETCURSEL, 0, 0);
  return kColourCounts[selected >= 0 && selected < 4 ? selected : 0];
}

bool CPictomaWindow::Report(const char* operation, int result, bool repaint) {
  status_.SetText(0, imagetool::StatusText(operation, image_.outcome()));
  if (result == 0 && repaint) {
    dirty_ = true;
    InvalidateRect(hwnd(), nullptr, TRUE);
  }
  return result == 0;
}

bool CPictomaWindow::Confirm(uint32_t offset) {
  char question[128];
  std::snprintf(question, sizeof question, "アドレス%Xに保存してもよろしいですか？", unsigned(offset));
  return MessageBoxW(hwnd(), Wide(question).c_str(), Wide("注意").c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

void CPictomaWindow::Open() {
  if (const auto* file = toolkit::win::opendiag(hwnd(), kRomFilter, "gba", "ROMを指定してください",
                                                OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr)) {
    SetDlgItemTextW(hwnd(), kIdPath, file->wstring().c_str());
  }
}

void CPictomaWindow::Load() {
  int result = image_.LoadImageA(RomPath(), Offset(kIdImageOffset), ColourCount());
  // No box when the offset holds no stream: the status bar says it.
  Report("LoadImageA", result, true);
}

void CPictomaWindow::PaletteLoad() {
  const bool raw = Control(kIdPalRaw).GetChk();
  int result = raw ? image_.LoadRawPalette(RomPath(), Offset(kIdPaletteOffset), ColourCount())
                   : image_.LoadPalette(RomPath(), Offset(kIdPaletteOffset));
  Report(raw ? "LoadRawPalette" : "LoadPalette", result, true);
  if (!raw && image_.outcome().problem == imagetool::Problem::kNotCompressed) {
    MessageBoxW(hwnd(), Wide("パレットの圧縮データが見つかりませんでした。").c_str(), L"Error!", MB_OK | MB_ICONERROR);
  }
}

void CPictomaWindow::SaveImage() {
  const uint32_t offset = Offset(kIdImageOffset);
  if (!Confirm(offset)) return;
  if (!Report("WriteImage", image_.WriteImage(RomPath(), offset), false)) {
    MessageBoxW(hwnd(), Wide("書き込みに失敗しました。").c_str(), L"", MB_OK | MB_ICONERROR);
  }
}

void CPictomaWindow::SavePalette() {
  const uint32_t offset = Offset(kIdPaletteOffset);
  if (!Confirm(offset)) return;
  // A failure is never silent: the status bar says what went wrong.
  if (Control(kIdPalRaw).GetChk()) {
    Report("WriteRawPalette", image_.WriteRawPalette(RomPath(), offset, ColourCount()), false);
  } else {
    Report("WritePalette", image_.WritePalette(RomPath(), offset, ColourCount()), false);
  }
}

void CPictomaWindow::OpenBitmap(const std::filesystem::path& file) { Report("openbitmap", image_.openbitmap(file), true); }
void CPictomaWindow::SaveBitmap(const std::filesystem::path& file) { Report("savebitmap", image_.savebitmap(file), false); }
void CPictomaWindow::OpenTileBitmap(const std::filesystem::path& file) {
  Report("opentilebitmap", image_.opentilebitmap(file), true);
}
void CPictomaWindow::SaveTileBitmap(const std::filesystem::path& file) {
  Report("savetilebitmap", image_.savetilebitmap(file), false);
}
void CPictomaWindow::SaveBinary(const std::filesystem::path& file) { Report("savebinary", image_.savebinary(file), false); }

void CPictomaWindow::Command(int id, int code) {
  using toolkit::win::opendiag;
  using toolkit::win::savediag;
  switch (id) {
    case kIdOpen: Open(); break;
    case kIdLoad: Load(); break;
    case kIdPalLoad: PaletteLoad(); break;
    case kIdSaveImage: SaveImage(); break;
    case kIdSavePalette: SavePalette(); break;
    case kIdTilesPerRow:
      if (code == EN_CHANGE) {
        image_.set_tilex(Control(kIdTilesPerRow).EditTextToValue());
        dirty_ = true;
        InvalidateRect(hwnd(), nullptr, TRUE);
      }
      break;
    case kIdOpenBitmap:
      if (const auto* file = opendiag(hwnd(), kPictureFilter, "bmp", kBitmapTitle, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr))
        OpenBitmap(*file);
      break;
    case kIdSaveBitmap:
      if (const auto* file = savediag(hwnd(), kPictureFilter, "bmp", kBitmapTitle, nullptr, kSaveFlags)) SaveBitmap(*file);
      break;
    case kIdSaveBinary:
      if (const auto* file = savediag(hwnd(), kBinaryFilter, "bin", "ファイルを選択してください", nullptr, kSaveFlags))
        SaveBinary(*file);
      break;
    case kIdOpenTileBitmap:
      if (const auto* file = opendiag(hwnd(), kBitmapFilter, "bmp", kBitmapTitle, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr))
        OpenTileBitmap(*file);
      break;
    case kIdSaveTileBitmap:
      if (const auto* file = savediag(hwnd(), kBitmapFilter, "bmp", kBitmapTitle, nullptr, kSaveFlags)) SaveTileBitmap(*file);
      break;
  }
}

LRESULT CPictomaWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_COMMAND:
      if (lparam != 0) Command(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_DESTROY:
      surface_.reset();
      status_.Detach();
      break;
  }
  return CAppFrame::HandleMessage(message, wparam, lparam);
}
