#include "toolkit/win/message_loop.h"

namespace toolkit::win {

void ProcessMessage(MSG& msg, HWND main_window, HACCEL accelerators, const MessageFilters& filters) {
  if (filters.before_accelerators && filters.before_accelerators(msg)) return;
  if (accelerators && main_window && TranslateAcceleratorW(main_window, accelerators, &msg)) return;
  if (filters.after_accelerators && filters.after_accelerators(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int RunMessageLoop(HWND main_window, HACCEL accelerators, const MessageFilters& filters) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) ProcessMessage(msg, main_window, accelerators, filters);
  return int(msg.wParam);
}

}  // namespace toolkit::win
