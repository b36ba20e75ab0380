#pragma once
// The top-level frame of a program: registers its class, creates and shows the window, runs the
// message loop, and ends the loop when the window is destroyed.
#include <windows.h>

#include <string>

#include "toolkit/win/native_window.h"

namespace toolkit::win {

struct AppSpec {
  std::wstring class_name;
  std::wstring title;
  int icon_id = 0;        // 0: no icon
  int small_icon_id = 0;  // 0: none of its own
  int menu_id = 0;
  int accelerators_id = 0;
  int client_width = 0;   // 0: the system's default size
  int client_height = 0;
};

class CAppFrame : public CNativeWindow {
 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// Registers, creates and shows `frame`, then runs the loop. Returns the process exit code.
int RunApp(HINSTANCE instance, int show, const AppSpec& spec, CAppFrame& frame);

// A string of the program's string table ("" when absent).
std::wstring LoadStringResource(HINSTANCE instance, UINT id);

}  // namespace toolkit::win
