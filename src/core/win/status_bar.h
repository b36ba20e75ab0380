#pragma once
// The main window's status bar with its progress bar. Every message of the program goes to
// part 0; messages stay until the next one.
#include <windows.h>

#include <cstddef>
#include <string>

#include "core/tab_system.h"

class CStatusBar : public IStatusSink {
 public:
  static constexpr int kProgressWidth = 110;

  // Creates the bar (id 1) and its smooth 0-100 progress bar in `parent`.
  bool Create(HWND parent);
  HWND window() const { return bar_; }
  HWND progress_bar() const { return progress_; }

  // A format longer than 999 characters is ignored; the text is cut to 1023 bytes.
  void Set_Status_Window_Text(int part, const char* format, ...) __attribute__((format(printf, 3, 4)));
  // The system's text for GetLastError in part 0, or copied into `buffer`.
  void ShowLastError();
  char* CopyLastError(char* buffer, size_t size);
  int Height() const;
  // On every resize of the main window: the bar, its two parts and the progress bar.
  void Layout(int client_width);
  std::string Text(int part) const;

  void SetText(const std::string& text) override;
  void SetProgress(int percent) override;
  void EnableSave(bool enabled) override;

 private:
  void SetPartText(int part, const std::string& text);

  HWND bar_ = nullptr;
  HWND progress_ = nullptr;
};

// The program's one status bar.
CStatusBar& StatusBar();
