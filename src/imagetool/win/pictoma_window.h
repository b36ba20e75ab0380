#pragma once
// pictoma's window: the ROM path and the two offsets, the image and palette buttons,
// the colour count and raw-palette switch, tiles per row, the exchange buttons, the 512 × 512
// drawing and a status bar that says how each operation ended.
#include <windows.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "imagetool/tile_image.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/app_frame.h"
#include "toolkit/win/status_bar.h"
#include "toolkit/win/zozar_wnd.h"

class CPictomaWindow : public toolkit::win::CAppFrame {
 public:
  static constexpr int kIdPath = 1001, kIdOpen = 1002, kIdImageOffset = 1003, kIdLoad = 1004,
                       kIdSaveImage = 1005, kIdPaletteOffset = 1006, kIdPalLoad = 1007,
                       kIdSavePalette = 1008, kIdPalRaw = 1009, kIdColours = 1010,
                       kIdTilesPerRow = 1011, kIdOpenBitmap = 1012, kIdSaveBitmap = 1013,
                       kIdSaveBinary = 1014, kIdOpenTileBitmap = 1015, kIdSaveTileBitmap = 1016,
                       kIdStatus = 1017;
  // Where the drawing and the tile count go in the client area.
  static constexpr int kDrawX = 205, kDrawY = 50, kTextX = 205, kTextY = 25;
  static constexpr int kControlHeight = 20;
  static constexpr int kRows = 14;

  CPictomaWindow();
  ~CPictomaWindow() override;
  // Class "pictoma", titled "pictoma", at the system's default size; no icon, menu or
  // accelerators.
  static toolkit::win::AppSpec Spec();

  // What the buttons do once their dialog has given a file (the tests call these directly).
  void OpenBitmap(const std::filesystem::path& file);
  void SaveBitmap(const std::filesystem::path& file);
  void OpenTileBitmap(const std::filesystem::path& file);
  void SaveTileBitmap(const std::filesystem::path& file);
  void SaveBinary(const std::filesystem::path& file);

  imagetool::CImage& image() { return image_; }
  // The drawing as last painted (a COLORREF, red low, or 0 outside).
  uint32_t DrawingAt(int x, int y) const;
  std::string StatusText() const { return status_.Text(0); }
  // The unit of the layout: (client height - status bar) / 14.
  int row() const { return row_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void OnCreate();
  void Layout();
  void Paint();
  void Command(int id, int code);
  void Open();
  void Load();
  void PaletteLoad();
  void SaveImage();
  void SavePalette();
  // Shows `operation`'s outcome in the status bar; repaints after a success when asked.
  bool Report(const char* operation, int result, bool repaint);
  bool Confirm(uint32_t offset);
  std::filesystem::path RomPath() const;
  uint32_t Offset(int id) const;
  int ColourCount() const;
  toolkit::win::CZozarWnd& Control(int id);

  imagetool::CImage image_;
  toolkit::win::CStatusBar status_;
  std::vector<std::pair<int, toolkit::win::CZozarWnd>> controls_;
  std::unique_ptr<lumak::CGraphics> surface_;
  std::vector<uint32_t> drawing_;
  bool dirty_ = true;
  int row_ = 0;
};
