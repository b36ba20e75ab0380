#pragma once
// CStausWnd: a status bar that shows printf-style messages and system error texts and erases
// them 1.5 seconds after the last one.
#include <windows.h>

#include <cstddef>

#include "toolkit/win/zozar_wnd.h"

namespace toolkit::win {

class CStausWnd : public CZozarWnd {
 public:
  static constexpr UINT_PTR kEraseTimer = 32767;
  static constexpr UINT kEraseDelayMs = 1500;

  ~CStausWnd() override { Destroy(); }

  // Wraps the status bar and subclasses it so that the erase timer reaches this object.
  void Create(HWND status);
  // Restores the status bar's own window procedure.
  void Destroy();

  using CZozarWnd::ResizeWindow;
  // From a WM_SIZE lParam: one part to the right edge, the bar moved to (0, 0, width, height).
  void ResizeWindow(long size);
  void SetPart(int* edges, int count);
  int GetHeight() const;

  // A format longer than 999 characters is ignored; otherwise the text (at most 1024
  // characters) goes to `part` and the erase timer restarts.
  void Set_Status_Window_Text(int part, const char* format, ...)
      __attribute__((format(printf, 3, 4)));
  void CallErase();
  void Erase();

  // The system's text for the last error, in part 0 or copied into `buffer`.
  void ShowLastError();
  char* ShowLastErrorText(char* buffer, size_t size);

  WNDPROC GetWndProc() const { return old_proc_; }
  bool erase_pending() const { return erase_pending_; }

 private:
  WNDPROC old_proc_ = nullptr;
  bool erase_pending_ = false;
};

// The subclassed procedure: WM_TIMER erases, everything goes on to the bar's own procedure.
LRESULT CALLBACK StausWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace toolkit::win
