#pragma once
// tilvane's main window: the column of buttons and check boxes on the left, the tile set, the
// current tile and the rendered map on the right. The map model and the painting rules live in
// CConverter and CPainter; the window moves values, paints and asks for files.
#include <windows.h>

#include <memory>
#include <string>

#include "tileconv/converter.h"
#include "toolkit/win/app_frame.h"
#include "toolkit/win/zozar_wnd.h"

namespace tileconv::win {

class CTileWindow : public toolkit::win::CAppFrame {
 public:
  enum : int {
    kIdDefOpen = 1101, kIdDefOpen2, kIdOpen, kIdSave, kIdSave2, kIdAddPen, kIdHFlip, kIdVFlip,
    kIdZoomIn, kIdZoomOut, kIdPalette
  };
  static constexpr int kLeft = 150;  // x of the drawing area

  // Class "tilvane class", titled "tilvane", at the system's default size.
  static toolkit::win::AppSpec Spec();

  const CConverter& converter() const { return converter_; }
  const lumak::CBitmapImage& map_image() const { return *map_; }
  const lumak::CBitmapImage& tiles() const { return *tiles_; }
  const CPainter& painter() const { return painter_; }
  // Top-left corner of the rendered map in client coordinates.
  POINT MapOrigin() const;
  // The note under the information lines: the replaced-value text after a palette number
  // outside 0-15 was typed, else empty.
  const std::string& note() const { return note_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void CreateControls();
  void Layout(int client_height);
  void OnCommand(int id, int code);
  void OnPaint(HDC dc);
  void Error(const char* text);
  int TileSetHeight() const;
  void SyncFlipBoxes();

  CConverter converter_;
  std::unique_ptr<lumak::CImage> tiles_ = std::make_unique<lumak::CImage>();
  std::unique_ptr<lumak::CBitmapImage> map_ = std::make_unique<lumak::CBitmapImage>();
  CPainter painter_;
  bool dragging_ = false;
  std::string note_;
  toolkit::win::CZozarWnd def_open_, def_open2_, open_, save_, save2_, addpen_, hflip_, vflip_,
      zoom_in_, zoom_out_, palette_;
};

}  // namespace tileconv::win
