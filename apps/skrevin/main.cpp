// skrevin: the event-script decoder and assembler. "skrevin ROM:OFFSET" loads the script at
// OFFSET (hexadecimal) of ROM at start-up and tells a running tessaro about it.
#include <windows.h>

#include "core/rom_backup.h"
#include "resource.h"
#include "script/win/script_window.h"
#include "toolkit/win/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
  RomBackup().set_enabled(true);  // a copy of each ROM before its first write of the run
  CScriptWindow window;
  if (!window.Create(instance, show)) return 0;
  window.Start(arguments ? arguments : L"", CScriptWindow::DefinitionsBesideExecutable());
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_SKREVIN));
  return toolkit::win::RunMessageLoop(window.hwnd(), accelerators);
}
