#pragma once
// tessaro's main window: the buttons, the tab control with the ten pages, the status bar with
// its progress bar, the menu commands, the messages from skrevin, and the message loop.
#include <windows.h>

#include <filesystem>

#include "frame/frame_status.h"
#include "toolkit/win/native_window.h"
#include "toolkit/win/message_loop.h"
#include "toolkit/win/zozar_wnd.h"

class CMainFrame : public toolkit::win::CNativeWindow {
 public:
  // Registers the class (string 109, icon 107, menu 109) and creates the window, without
  // showing it. False when the window cannot be made.
  bool Create(HINSTANCE instance);
  // Applies [Tessaro] of Setting.ini (placement, switches) and shows the window; `show` is the
  // start-up show command used when the placement is incomplete.
  void ApplySettingsAndShow(int show);
  // Opens a ROM as the open dialog does once a file is chosen.
  void OpenRom(const std::filesystem::path& rom);
  // One pass of the message loop for `msg`: Tab cycling inside the page, accelerators, MDI keys.
  void ProcessMessage(MSG& msg, HACCEL accelerators);
  int RunMessageLoop(HACCEL accelerators);
  CFrameStatus& status() { return status_; }

 protected:
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

  toolkit::win::MessageFilters Filters();

  CFrameStatus status_;
  toolkit::win::CZozarWnd tab_;
  toolkit::win::CZozarWnd save_button_;
};
