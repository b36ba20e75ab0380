// skrevin: the event-script decoder and assembler.
#include <windows.h>

#include "resource.h"
#include "toolkit/win/app_frame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using namespace toolkit::win;
  AppSpec spec;
  spec.class_name = LoadStringResource(instance, IDC_SKREVIN);
  spec.title = LoadStringResource(instance, IDS_APP_TITLE);
  spec.icon_id = IDI_SKREVIN;
  spec.small_icon_id = IDI_SMALL;
  spec.client_width = 450;
  spec.client_height = 200;
  CAppFrame frame;
  return RunApp(instance, show, spec, frame);
}
