#pragma once
// The one message loop of the suite's programs: a program's own filters, the accelerators of
// its main window, then translation and dispatch.
#include <windows.h>

#include <functional>

namespace toolkit::win {

struct MessageFilters {
  // Each returns true when it handled the message (it is then not dispatched).
  std::function<bool(MSG&)> before_accelerators;
  std::function<bool(MSG&)> after_accelerators;
};

// Handles one message as the loop does.
void ProcessMessage(MSG& msg, HWND main_window, HACCEL accelerators, const MessageFilters& filters);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND main_window, HACCEL accelerators, const MessageFilters& filters = {});

}  // namespace toolkit::win
