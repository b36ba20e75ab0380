#include "toolkit/win/staus_wnd.h"

#include <commctrl.h>

#include <vector>

namespace toolkit::win {

void CStausWnd::ResizeWindow(long size) {
  HWND status = GethWnd();
  if (!status) return;
  SetParts({-1});
  ::MoveWindow(status, 0, 0, LOWORD(size), HIWORD(size), TRUE);
}

void CStausWnd::SetPart(int* edges, int count) {
  if (edges && count > 0) SetParts(std::vector<int>(edges, edges + count));
}

}  // namespace toolkit::win
