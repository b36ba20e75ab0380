// pictoma: the sprite and palette tool.
#include <windows.h>

#include "toolkit/win/app_frame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using namespace toolkit::win;
  AppSpec spec;
  spec.class_name = L"pictoma";
  spec.title = L"pictoma";
  CAppFrame frame;
  return RunApp(instance, show, spec, frame);
}
