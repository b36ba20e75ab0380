#pragma once
// The suite's one status bar: a common-controls status bar wrapped with printf-style messages in
// Shift-JIS, system error texts, and what each program adds: a progress bar in its last part
// (tessaro), an erase timer (glyfen), a click handler (skrevin). The bar is subclassed with
// SetWindowSubclass while it has a timer or a click handler: its window procedure is the common
// control's, so its own timer and clicks reach this object only through a subclass.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/win/zozar_wnd.h"

namespace toolkit::win {

class CStatusBar : public CZozarWnd {
 public:
  static constexpr UINT_PTR kEraseTimer = 32767;

  CStatusBar() = default;
  CStatusBar(const CStatusBar&) = delete;
  CStatusBar& operator=(const CStatusBar&) = delete;
  ~CStatusBar() override { Detach(); }

  // Creates a bar with id `id` at the bottom of `parent`.
  bool CreateBar(HWND parent, int id);
  // Wraps an existing bar.
  void Attach(HWND bar);
  // Gives the bar its own procedure back and forgets it.
  void Detach();

  // A smooth 0-100 progress bar in the last part (kept there by Layout).
  void AddProgressBar();
  HWND progress_bar() const { return progress_; }
  void SetProgress(int percent);

  // Parts: fixed right edges (-1: to the right edge), or with a progress bar the text part
  // ending `progress_width` pixels before the right edge.
  void SetParts(const std::vector<int>& edges);
  // On every resize of the parent: the bar, its parts and the progress bar.
  void Layout(int client_width);
  int Height() const;

  // A format longer than 999 characters is ignored; the text is cut to `max_chars` bytes.
  void Set_Status_Window_Text(int part, const char* format, ...) __attribute__((format(printf, 3, 4)));
  void SetText(int part, const std::string& text);
  std::string Text(int part) const;
  // The system's text for the last error in part 0, or copied into `buffer`.
  void ShowLastError();
  char* CopyLastError(char* buffer, size_t size);

  // Messages erase themselves `delay_ms` after the last one (0: they stay).
  void SetEraseDelay(UINT delay_ms);
  void CallErase();
  void Erase();
  bool erase_pending() const { return erase_pending_; }
  // Called with the client x of a left click on the bar.
  void OnClick(std::function<void(int x)> handler);

  size_t max_chars = 1023;
  int progress_width = 110;

 private:
  static LRESULT CALLBACK Subclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
  void EnsureSubclass();

  HWND progress_ = nullptr;
  std::vector<int> edges_;
  UINT erase_delay_ = 0;
  bool erase_pending_ = false;
  bool subclassed_ = false;
  std::function<void(int)> on_click_;
};

}  // namespace toolkit::win
