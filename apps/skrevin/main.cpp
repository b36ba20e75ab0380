// skrevin: the event-script decoder and assembler. "skrevin ROM:OFFSET" loads the script at
// OFFSET (hexadecimal) of ROM at start-up and tells a running tessaro about it.
#include <windows.h>

#include "core/rom_backup.h"
#include "script/win/script_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
  RomBackup().set_enabled(true);  // a copy of each ROM before its first write of the run
  CScriptWindow window;
  return toolkit::win::RunApp(instance, show, CScriptWindow::Spec(instance), window, [&] {
    window.Start(arguments ? arguments : L"", CScriptWindow::DefinitionsBesideExecutable());
  });
}
