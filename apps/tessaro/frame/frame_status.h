#pragma once
// tessaro's status bar (id 1) with its progress bar, where the passes and the pages report.
// Every message goes to part 0 and stays until the next one.
#include <windows.h>

#include <string>

#include "core/tab_system.h"
#include "core/win/frame_ids.h"
#include "toolkit/win/status_bar.h"

class CFrameStatus : public IStatusSink {
 public:
  bool Create(HWND frame) {
    if (!bar.CreateBar(frame, kIdStatusBar)) return false;
    bar.AddProgressBar();
    RECT client;
    GetClientRect(frame, &client);
    bar.Layout(client.right);
    return true;
  }
  void SetText(const std::string& text) override { bar.SetText(0, text); }
  void SetProgress(int percent) override { bar.SetProgress(percent); }
  void EnableSave(bool enabled) override {
    HWND frame = bar.GethWnd() ? GetParent(bar.GethWnd()) : nullptr;
    if (!frame) return;
    EnableWindow(GetDlgItem(frame, kIdSaveRom), enabled);
    EnableMenuItem(GetMenu(frame), kIdSaveRom, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }

  toolkit::win::CStatusBar bar;
};
