// tilvane: the tile-map viewer and painter.
#include <windows.h>

#include "tileconv/win/tile_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  tileconv::win::CTileWindow window;
  return toolkit::win::RunApp(instance, show, tileconv::win::CTileWindow::Spec(), window);
}
