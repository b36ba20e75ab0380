#pragma once
// tessaro's main window: the buttons, the tab control with the ten pages, the status bar with
// its progress bar, the menu commands, the messages from skrevin, and its message loop's filters.
#include <windows.h>

#include <filesystem>

#include "frame/frame_status.h"
#include "toolkit/win/app_frame.h"
#include "toolkit/win/message_loop.h"
#include "toolkit/win/zozar_wnd.h"

class CMainFrame : public toolkit::win::CAppFrame {
 public:
  // Class (string 109), title (string 103), icon 107, menu and accelerators 109.
  static toolkit::win::AppSpec Spec(HINSTANCE instance);
  // Opens a ROM as the open dialog does once a file is chosen.
  void OpenRom(const std::filesystem::path& rom);
  // The ROM named first on the command line, if any, opened as OpenRom does.
  void OpenCommandLineRom();
  // One pass of the message loop for `msg`: Tab cycling inside the page, accelerators, MDI keys.
  void ProcessMessage(MSG& msg, HACCEL accelerators);
  toolkit::win::MessageFilters Filters() override;
  CFrameStatus& status() { return status_; }

 protected:
  // Applies [Tessaro] of Setting.ini (placement, switches) and shows the window; `show` is the
  // start-up show command used when the placement is incomplete.
  void Show(int show) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void OnCreate();
  void OnCommand(WPARAM wparam, LPARAM lparam, LRESULT& result);
  void OnDestroy();
  void OnTextWindowRequest(LPARAM offset);
  void OnSelectListItem(WPARAM index);
  void ShowOpenDialog();
  void Toggle(int command);
  bool CycleFocus(const MSG& msg);
  // Undo or redo of the edit history's last entry, its record shown again on its page.
  void UndoOrRedo(bool undo);
  // The 編集 menu's items name what they take back or make again, greyed when there is none.
  void UpdateEditMenu(HMENU menu);
  bool KeepEditUndo(MSG& msg);

  CFrameStatus status_;
  toolkit::win::CZozarWnd tab_;
  toolkit::win::CZozarWnd save_button_;
};
