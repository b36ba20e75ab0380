// pictoma: the sprite and palette tool for LZ77 graphics at any ROM offset.
#include <windows.h>

#include "core/rom_backup.h"
#include "imagetool/win/pictoma_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  RomBackup().set_enabled(true);  // a copy of each ROM before its first write of the run
  CPictomaWindow window;
  return toolkit::win::RunApp(instance, show, CPictomaWindow::Spec(), window);
}
