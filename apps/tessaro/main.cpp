// tessaro: the tabbed editor of the game data.
#include <windows.h>

#include "resource.h"
#include "toolkit/win/app_frame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using namespace toolkit::win;
  AppSpec spec;
  spec.class_name = LoadStringResource(instance, IDC_TESSARO);
  spec.title = LoadStringResource(instance, IDS_APP_TITLE);
  spec.icon_id = IDI_TESSARO;
  CAppFrame frame;
  return RunApp(instance, show, spec, frame);
}
