#pragma once
// CStausWnd: glyfen's status bar, the suite's status bar with the operations glyfen names. Its
// messages erase themselves 1.5 seconds after the last one.
#include <windows.h>

#include <cstddef>

#include "toolkit/win/status_bar.h"

namespace toolkit::win {

class CStausWnd : public CStatusBar {
 public:
  static constexpr UINT kEraseDelayMs = 1500;

  // Wraps the status bar and subclasses it so that the erase timer reaches this object.
  void Create(HWND status) {
    max_chars = 1024;
    SetEraseDelay(kEraseDelayMs);
    Attach(status);
  }
  // Restores the status bar's own window procedure.
  void Destroy() { Detach(); }

  using CZozarWnd::ResizeWindow;
  // From a WM_SIZE lParam: one part to the right edge, the bar moved to (0, 0, width, height).
  void ResizeWindow(long size);
  void SetPart(int* edges, int count);
  int GetHeight() const { return Height(); }
  char* ShowLastErrorText(char* buffer, size_t size) { return CopyLastError(buffer, size); }
};

}  // namespace toolkit::win
