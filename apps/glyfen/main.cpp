// glyfen: the font editor.
#include <windows.h>

#include "core/rom_backup.h"
#include "fontedit/win/font_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  RomBackup().set_enabled(true);  // a copy of each ROM before its first write of the run
  fontedit::win::CFontWindow window;
  return toolkit::win::RunApp(instance, show, fontedit::win::CFontWindow::Spec(), window);
}
