// tilvane: the tile-map converter.
#include <windows.h>

#include "toolkit/win/app_frame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using namespace toolkit::win;
  AppSpec spec;
  spec.class_name = L"tilvane class";
  spec.title = L"tilvane";
  CAppFrame frame;
  return RunApp(instance, show, spec, frame);
}
