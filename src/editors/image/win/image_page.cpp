#include "editors/image/win/image_page.h"

#include <commdlg.h>

#include <cstdio>

#include "core/free_space.h"
#include "editors/image/win/image_ids.h"
#include "platform/win/wide.h"
#include "toolkit/win/file_dialogs.h"
#include "toolkit/win/graphics.h"

using platform::win::Wide;
using toolkit::win::CDialogItems;
using Graphic = CImageRules::Graphic;

namespace {

namespace L = image_layout;

constexpr char kOpenFilter[] = "Image(*.bmp, *.png)\0*.bmp;*.png\0All files(*.*)\0*.*\0";
constexpr char kSaveFilter[] = "BitMap(*.bmp)\0*.bmp\0PNG(*.png)\0*.png\0";
constexpr char kTitle[] = "ビットマップを選択してください";

constexpr int kModeRadios[] = {IDC_IMAGE_MONSTER, IDC_IMAGE_TRAINER, IDC_IMAGE_BACK_VIEW};
constexpr int kAreaRadios[] = {IDC_IMAGE_AREA1, IDC_IMAGE_AREA2, IDC_IMAGE_AREA3, IDC_IMAGE_APPEND};
constexpr int kViews[] = {IDC_IMAGE_FRONT_VIEW, IDC_IMAGE_BACK_VIEW_PANE, IDC_IMAGE_FRONT_SHINY_VIEW,
                          IDC_IMAGE_BACK_SHINY_VIEW, IDC_IMAGE_PALETTE_STRIP, IDC_IMAGE_SHINY_STRIP};
// Everything a loaded ROM enables, but for the area radios and the back-view radio.
constexpr int kControls[] = {
    IDC_IMAGE_MONSTER, IDC_IMAGE_TRAINER, IDC_IMAGE_PIC_ADDR, IDC_IMAGE_PIC_REPOINT, IDC_IMAGE_PAL_ADDR,
    IDC_IMAGE_PAL_REPOINT, IDC_IMAGE_BACK_ADDR, IDC_IMAGE_BACK_REPOINT, IDC_IMAGE_SHINY_ADDR,
    IDC_IMAGE_SHINY_REPOINT, IDC_IMAGE_INDEX, IDC_IMAGE_SHOW, IDC_IMAGE_PREVIOUS, IDC_IMAGE_NEXT,
    IDC_IMAGE_NORMAL_IMAGE, IDC_IMAGE_NORMAL_PALETTE, IDC_IMAGE_BACK_IMAGE, IDC_IMAGE_SHINY_PALETTE,
    IDC_IMAGE_IMPORT, IDC_IMAGE_EXPORT, IDC_IMAGE_SAVE, IDC_IMAGE_NO_COMPRESS, IDC_IMAGE_APPEND,
    IDC_IMAGE_IN_PLACE};
// Shown in the monster mode only.
constexpr int kMonsterOnly[] = {IDC_IMAGE_BACK_LABEL, IDC_IMAGE_BACK_ADDR, IDC_IMAGE_BACK_REPOINT,
                                IDC_IMAGE_SHINY_LABEL, IDC_IMAGE_SHINY_ADDR, IDC_IMAGE_SHINY_REPOINT,
                                IDC_IMAGE_BACK_IMAGE, IDC_IMAGE_SHINY_PALETTE, IDC_IMAGE_BACK_VIEW_PANE,
                                IDC_IMAGE_FRONT_SHINY_VIEW, IDC_IMAGE_BACK_SHINY_VIEW, IDC_IMAGE_SHINY_STRIP};

struct AddressRow {
  Graphic graphic;
  int edit;
  int button;
};
constexpr AddressRow kAddressRows[] = {{CImageRules::kFront, IDC_IMAGE_PIC_ADDR, IDC_IMAGE_PIC_REPOINT},
                                       {CImageRules::kPalette, IDC_IMAGE_PAL_ADDR, IDC_IMAGE_PAL_REPOINT},
                                       {CImageRules::kBack, IDC_IMAGE_BACK_ADDR, IDC_IMAGE_BACK_REPOINT},
                                       {CImageRules::kShinyPalette, IDC_IMAGE_SHINY_ADDR, IDC_IMAGE_SHINY_REPOINT}};

struct BoxControl {
  CImageRules::Box box;
  int id;
};
constexpr BoxControl kBoxes[] = {{CImageRules::kNormalImage, IDC_IMAGE_NORMAL_IMAGE},
                                 {CImageRules::kNormalPalette, IDC_IMAGE_NORMAL_PALETTE},
                                 {CImageRules::kBackImage, IDC_IMAGE_BACK_IMAGE},
                                 {CImageRules::kShinyPaletteBox, IDC_IMAGE_SHINY_PALETTE}};

void Show(CDialogItems page, std::span<const int> ids, bool shown) {
  for (int id : ids) ShowWindow(page.Item(id), shown ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

CImage::CImage() {
  for (int mode = 0; mode < 3; ++mode) {
    commands.On(kModeRadios[mode], BN_CLICKED, [this, mode] {
      rules().SetMode(mode);
      LayOut(page());
      ShowEntry(page());
    });
  }
  for (const AddressRow& row : kAddressRows) {
    commands.On(row.button, BN_CLICKED, [this, row] {
      rules().Repoint(row.graphic, page().Text(row.edit));
      ShowAddresses(page());
    });
  }
  commands.On(IDC_IMAGE_SHOW, BN_CLICKED, [this] {
    rules().SetIndex(page().Text(IDC_IMAGE_INDEX));
    ShowEntry(page());
  });
  commands.On(IDC_IMAGE_PREVIOUS, BN_CLICKED, [this] {
    rules().Step(-1);
    ShowEntry(page());
  });
  commands.On(IDC_IMAGE_NEXT, BN_CLICKED, [this] {
    rules().Step(1);
    ShowEntry(page());
  });
  for (const BoxControl& box : kBoxes) {
    commands.On(box.id, BN_CLICKED, [this, box] {
      rules().Tick(box.box, page().Checked(box.id));
      ShowBoxes(page());
    });
  }
  commands.On(IDC_IMAGE_NO_COMPRESS, BN_CLICKED,
              [this] { rules().flags().no_compress = page().Checked(IDC_IMAGE_NO_COMPRESS); });
  commands.On(IDC_IMAGE_IN_PLACE, BN_CLICKED,
              [this] { rules().flags().in_place = page().Checked(IDC_IMAGE_IN_PLACE); });
  for (int method = 0; method <= CImageRules::kAppend; ++method)
    commands.On(kAreaRadios[method], BN_CLICKED, [this, method] { rules().set_output_method(method); });
  commands.On(IDC_IMAGE_IMPORT, BN_CLICKED, [this] { Import(); });
  commands.On(IDC_IMAGE_EXPORT, BN_CLICKED, [this] { Export(); });
  commands.On(IDC_IMAGE_SAVE, BN_CLICKED, [this] {
    Report(rules().SaveToRom(TabSystem().rom_path(), FreeSpace()), hWnd);
    ShowAddresses(page());
    for (int id : kViews) InvalidateRect(page().Item(id), nullptr, FALSE);
  });
}

intptr_t CImage::DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) {
  if (message == WM_DRAWITEM && hWnd) {
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    return TRUE;
  }
  return CPageView<CImageRules>::DialogProc(message, wparam, lparam);
}

void CImage::Fill(CDialogItems page) {
  ShowBoxes(page);
  page.Check(IDC_IMAGE_NO_COMPRESS, rules().flags().no_compress);
  page.Check(IDC_IMAGE_IN_PLACE, rules().flags().in_place);
  for (int method = 0; method <= CImageRules::kAppend; ++method)
    page.Check(kAreaRadios[method], method == rules().output_method());
  const bool ready = TabSystem().loaded() && rules().Ready();
  page.Enable(kControls, ready);
  page.Enable({IDC_IMAGE_BACK_VIEW}, ready && rules().BackViewReady());
  for (int area = 0; area < CImageRules::kAreas; ++area)
    page.Enable({kAreaRadios[area]}, ready && rules().area(area).configured());
  LayOut(page);
  if (ready) ShowEntry(page);
}

void CImage::LayOut(CDialogItems page) {
  for (int mode = 0; mode < 3; ++mode) page.Check(kModeRadios[mode], mode == rules().mode());
  Show(page, kMonsterOnly, rules().mode() == CImageRules::kMonster);
  // A back-view frame always goes back to its own place.
  ShowWindow(page.Item(IDC_IMAGE_PIC_REPOINT), rules().mode() != CImageRules::kBackView ? SW_SHOWNA : SW_HIDE);
  for (int id : kViews) InvalidateRect(page.Item(id), nullptr, FALSE);
}

void CImage::ShowEntry(CDialogItems p) {
  ImageMessages messages = rules().LoadEntry(TabSystem().rom_path());
  p.SetText(IDC_IMAGE_INDEX, std::to_string(rules().current()));
  ShowAddresses(p);
  for (int id : kViews) InvalidateRect(p.Item(id), nullptr, FALSE);
  Report(messages, p.hwnd());
}

void CImage::ShowAddresses(CDialogItems page) {
  for (const AddressRow& row : kAddressRows) page.SetText(row.edit, rules().AddressText(row.graphic));
}

void CImage::ShowBoxes(CDialogItems page) {
  const CImageRules::Flags& f = rules().flags();
  page.Check(IDC_IMAGE_NORMAL_IMAGE, f.normal_image);
  page.Check(IDC_IMAGE_NORMAL_PALETTE, f.normal_palette);
  page.Check(IDC_IMAGE_BACK_IMAGE, f.back_image);
  page.Check(IDC_IMAGE_SHINY_PALETTE, f.shiny_palette);
}

void CImage::Report(const ImageMessages& messages, HWND owner) {
  for (const ImageMessage& message : messages) {
    if (message.box)
      MessageBoxW(owner, Wide(message.text).c_str(), L"Error!", MB_OK | MB_ICONERROR);
    else
      ShowStatus(message.text);
  }
}

void CImage::Draw(const DRAWITEMSTRUCT& item) const {
  const int width = int(item.rcItem.right - item.rcItem.left), height = int(item.rcItem.bottom - item.rcItem.top);
  lumak::CGraphics surface(item.hDC, width, height);
  if (!surface.valid()) return;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) surface.DrawDot(x, y, face);
  const CImageRules& r = rules();
  const int id = int(item.CtlID);
  if (id == IDC_IMAGE_PALETTE_STRIP || id == IDC_IMAGE_SHINY_STRIP) {
    // Sixteen 8 × 8 swatches.
    const CImageRules::Palette& palette = r.palette(id == IDC_IMAGE_SHINY_STRIP);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8 * L::kColours; ++x) surface.DrawDot(x, y, palette[size_t(x / 8)]);
  } else {
    const bool back = id == IDC_IMAGE_BACK_VIEW_PANE || id == IDC_IMAGE_BACK_SHINY_VIEW;
    const bool shiny = id == IDC_IMAGE_FRONT_SHINY_VIEW || id == IDC_IMAGE_BACK_SHINY_VIEW;
    const CImageRules::Image& image = r.image(back);
    const CImageRules::Palette& palette = r.palette(shiny);
    // The frames side by side, frame f (image rows 64f to 64f + 63) from x = 64f.
    for (int f = 0; f < r.frames(back); ++f)
      for (int y = 0; y < L::kSide; ++y)
        for (int x = 0; x < L::kSide; ++x)
          surface.DrawDot(f * L::kSide + x, y, palette[image[size_t((f * L::kSide + y) * L::kSide + x)]]);
  }
  surface.Draw(item.hDC, item.rcItem.left, item.rcItem.top, SRCCOPY);
}

void CImage::Import() {
  const auto* file = toolkit::win::opendiag(hWnd, kOpenFilter, "bmp", kTitle, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr);
  if (!file) return;
  ShowStatus(rules().Import(*file));
  for (int id : kViews) InvalidateRect(page().Item(id), nullptr, FALSE);
}

void CImage::Export() {
  if (auto refusal = rules().ExportRefusal()) {
    ShowStatus(*refusal);
    return;
  }
  const auto* file = toolkit::win::savediag(hWnd, kSaveFilter, "bmp", kTitle, nullptr,
                                            OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  if (!file) return;
  ShowStatus(rules().Export(*file));
}

HBITMAP CImage::GetImage(HWND window, bool trainer, long index) {
  std::vector<uint32_t> pixels;
  ImageMessages messages;
  const bool ok = rules().GetImage(TabSystem().rom_path(), trainer, int32_t(index), pixels, messages);
  Report(messages, window);
  if (!ok) return nullptr;
  // A top-down 32-bit DIB holds blue in the low byte: swap red and blue of each COLORREF.
  for (uint32_t& c : pixels) c = (c & 0x00FF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF);
  HDC dc = GetDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, L::kSide, L::kSide);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = L::kSide;
  info.bmiHeader.biHeight = -L::kSide;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  if (bitmap && SetDIBits(dc, bitmap, 0, L::kSide, pixels.data(), &info, DIB_RGB_COLORS) != L::kSide) {
    DeleteObject(bitmap);
    bitmap = nullptr;
  }
  ReleaseDC(window, dc);
  return bitmap;
}
