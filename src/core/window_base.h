#pragma once
// The contract of an editor page. A page keeps its data for the whole run of a loaded ROM; its
// dialog window is made the first time its tab is shown and hidden while another tab is shown. The first three operations have common
// Win32 implementations; every page class provides the other eight.
//
// Page classes live in the global namespace: their run-time type names ("13CTrainer_Edit")
// are part of the status messages.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/file.h"

// The window handle type of windows.h, without windows.h.
struct HWND__;
using WindowHandle = HWND__*;

class CWindowBase {
 public:
  CWindowBase() = default;
  CWindowBase(const CWindowBase&) = delete;
  CWindowBase& operator=(const CWindowBase&) = delete;

  // Shows the page dialog in the tab control's display area: made from template GetDialogId()
  // the first time, refilled from the page's data after that; nonzero when the dialog exists.
  virtual int CreatePage(WindowHandle tab);
  // Makes the page dialog, hidden, before its tab is first shown (the frame does this while it
  // waits for the user, so that no tab waits for its dialog).
  virtual void PreparePage(WindowHandle tab);
  // Hides the dialog while another tab is shown; destroys it at shut-down (`final`). The data
  // stay in the object.
  virtual void DestroyPage(bool final);
  // Refits the dialog to the tab control's display area.
  virtual void ResizePage(WindowHandle tab);
  // Once, when the page is added: no data, offsets -1, counts 0.
  virtual void Init(WindowHandle tab) = 0;
  // Fills the controls from the page's data; null means the page's own dialog.
  virtual int InitDialog(WindowHandle dialog) = 0;
  // Every other message of the page dialog, and main-window commands the frame does not take.
  // Nonzero when handled.
  virtual intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) = 0;
  // Reads the page's keys of section [game_code] and allocates its tables.
  virtual int LoadSetting(const char* game_code) = 0;
  // Reads or writes the page's tables; false after setting the tab system's error text.
  virtual bool RomRead(platform::CFile& rom) = 0;
  virtual bool RomSave(platform::CFile& rom) = 0;
  virtual void FreeData() = 0;
  virtual int GetDialogId() = 0;

  // For the edit history: the page's copies of ROM tables (fixed in size and order while a ROM
  // is loaded), what the shown record is called ("トレーナー 0x1A"), and the record shown.
  virtual void Copies(std::vector<std::span<uint8_t>>&) {}
  virtual std::string Subject() const { return {}; }
  virtual int CurrentRecord() const { return -1; }
  // Shows record `record` again after an undo or redo changed it (the page refills itself).
  virtual void ShowRecord(int) {}

  virtual ~CWindowBase() = default;

  WindowHandle hWnd = nullptr;     // the page dialog, once made (hidden while another tab is shown)
  WindowHandle hParent = nullptr;  // the tab control
};
