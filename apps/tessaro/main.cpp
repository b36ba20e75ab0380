// tessaro: the tabbed editor of the game data. A ROM path given on the command line is opened
// at start-up as if chosen in the open dialog.
#include <windows.h>
#include <shellapi.h>

#include "frame/main_frame.h"
#include "resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  CMainFrame frame;
  if (!frame.Create(instance)) return 0;
  frame.ApplySettingsAndShow(show);
  int argc = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    if (argc > 1) frame.OpenRom(argv[1]);
    LocalFree(argv);
  }
  return frame.RunMessageLoop(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_TESSARO)));
}
