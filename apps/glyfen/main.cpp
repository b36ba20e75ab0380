// glyfen: the font editor.
#include <windows.h>

#include "fontedit/win/font_window.h"
#include "toolkit/win/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  fontedit::win::CFontWindow window;
  if (!window.Create(instance, show)) return 0;
  return toolkit::win::RunMessageLoop(window.hwnd(), nullptr);
}
