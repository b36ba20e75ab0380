#pragma once
// The one way a program starts: its main window's class registered from an AppSpec, the window
// created with `this` as its creation parameter (CNativeWindow) and shown, then the message loop
// with the program's accelerators, ended when the window is destroyed.
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/win/message_loop.h"
#include "toolkit/win/native_window.h"

namespace toolkit::win {

struct AppSpec {
  std::wstring class_name;
  std::wstring title;
  int icon_id = 0;        // 0: no icon
  int small_icon_id = 0;  // 0: none of its own
  int menu_id = 0;        // 0: no menu
  int accelerators_id = 0;
  // The window's size (CW_USEDEFAULT: the system's), unless a client area is given: then the
  // window is as large as that client area needs.
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  int client_width = 0;
  int client_height = 0;
};

class CAppFrame : public CNativeWindow {
 public:
  // Registers the window class the AppSpec describes (the first call; later ones find it),
  // creates the window at the system's default place and shows it with `show`. False when the
  // window cannot be made.
  bool Create(HINSTANCE instance, int show, const AppSpec& spec);

  // What the loop does besides the accelerators; nothing unless the program adds it.
  virtual MessageFilters Filters() { return {}; }

  // Whether destroying the window ends the thread's message loop (not for a window in a test).
  bool ends_loop = true;

 protected:
  // Shows the new window; the default is ShowWindow and UpdateWindow.
  virtual void Show(int show);
  // WM_DESTROY ends the loop; a program that handles it passes it on here afterwards.
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// Creates `frame` from its AppSpec, calls `started` once it is shown, then runs the loop with the
// program's accelerators and the frame's filters. The process exit code (0 when no window).
int RunApp(HINSTANCE instance, int show, const AppSpec& spec, CAppFrame& frame,
           const std::function<void()>& started = {});

// A string of the program's string table ("" when absent).
std::wstring LoadStringResource(HINSTANCE instance, UINT id);

}  // namespace toolkit::win
