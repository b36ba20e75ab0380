// tilvane: the tile-map viewer and painter.
#include <windows.h>

#include "tileconv/win/tile_window.h"
#include "toolkit/win/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  tileconv::win::CTileWindow window;
  if (!window.Create(instance, show)) return 0;
  return toolkit::win::RunMessageLoop(window.hwnd(), nullptr);
}
