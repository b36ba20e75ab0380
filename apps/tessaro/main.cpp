// tessaro: the tabbed editor of the game data. A ROM path given on the command line is opened
// at start-up as if chosen in the open dialog.
#include <windows.h>

#include "frame/main_frame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  CMainFrame frame;
  return toolkit::win::RunApp(instance, show, CMainFrame::Spec(instance), frame, [&] { frame.OpenCommandLineRom(); });
}
