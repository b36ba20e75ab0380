#pragma once
// CTabSystem: owns the editor pages in tab order, switches between them, and runs the ROM load
// and save passes over all of them. One program-wide instance.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/failure_text.h"
#include "core/window_base.h"

// Where the passes report: the main window's status bar with its progress bar, and the
// controls that only a loaded ROM enables.
class IStatusSink {
 public:
  virtual ~IStatusSink() = default;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetProgress(int percent) = 0;
  virtual void EnableSave(bool enabled) = 0;
};

class CTabSystem {
 public:
  static constexpr uint32_t kGameCodeOffset = 0xAC;

  // The Win32 side: the tab control, the main window (null when headless).
  void Attach(WindowHandle tab_control, WindowHandle main_window);
  void set_status(IStatusSink* status) { status_ = status; }

  // Appends a page and its tab; the number of tabs, or -1 for a null page.
  int AddPage(std::unique_ptr<CWindowBase> page, const char* caption);
  void ShowFirst();
  // Switches to the tab control's selection (a user's tab change).
  void TabChange();
  // Makes the dialog of the next page that has none, hidden; false when every page has one.
  bool PrepareNextPage();
  // Selects tab `index` and switches to it.
  void SelectTab(int index);
  // The tab control gets width × (height - status height - 50); -1 keeps that dimension.
  void Resize(int width, int height, int status_height);
  WindowHandle CurrentPageWindow() const;
  CWindowBase* CurrentPage() const;
  int current_index() const { return current_; }
  size_t page_count() const { return pages_.size(); }
  CWindowBase* page(size_t index) const { return index < pages_.size() ? pages_[index].get() : nullptr; }
  // The caption of tab `index`, as added.
  const std::string& caption(size_t index) const { return captions_.at(index); }
  // The tab of `page`, or -1.
  int IndexOf(const CWindowBase* page) const;

  intptr_t Forward(unsigned message, uintptr_t wparam, intptr_t lparam);
  intptr_t Broadcast(unsigned message, uintptr_t wparam, intptr_t lparam);

  // Load: 1 done, 0 a page failed, 2 the file or its header could not be read.
  int DataRead(const std::filesystem::path& rom);
  // Save: 1 done, 0 failed or nothing loaded. The pages write into a copy beside the file the
  // ROM's path leads to, which replaces it only when every page succeeded and the user may
  // write the ROM.
  int DataWrite(const std::filesystem::path& rom);
  // Whether saving now would change the ROM file: 1 it would (the pages hold changes not yet
  // saved), 0 it would not (or nothing is loaded), -1 it could not be told (the error text says
  // why). The pages write into a scratch copy beside the ROM, which is then compared and removed.
  int UnsavedChanges(const std::filesystem::path& rom);
  // Frees every page's data after a load.
  void Unload();
  // At exit: destroys every page's dialog, frees and deletes every page.
  void ShutDown();
  // Every page's copies, then the shared name tables, in a fixed order: what the edit history
  // compares around an operation.
  void Copies(std::vector<std::span<uint8_t>>& out) const;

  const std::filesystem::path& startup_dir() const { return startup_dir_; }
  void set_startup_dir(const std::filesystem::path& dir) { startup_dir_ = dir; }
  // Called once a ROM's header has been read, before the pages load it: with Setting.ini, the
  // game code and the ROM (the frame keeps its free-space finder on the loaded game this way).
  using LoadHook = std::function<void(const std::filesystem::path& setting, const char* game_code,
                                      const std::filesystem::path& rom)>;
  void set_load_hook(LoadHook hook) { load_hook_ = std::move(hook); }
  std::filesystem::path SettingPath() const { return startup_dir_ / "Setting.ini"; }
  const char* game_code() const { return game_code_; }
  bool loaded() const { return loaded_; }
  const std::string& error_text() const { return error_text_; }
  // The size of the ROM being loaded, for the pages' table checks.
  uint64_t rom_size() const { return rom_size_; }
  // A page's outcome in the status bar.
  void ShowStatus(const std::string& text) { Status(text); }
  // Pages copy the system's text of a failed file operation here (cut to 255 bytes).
  void SetErrorText(const std::string& text);

  // The ROM every page opens for its single-record operations.
  const std::filesystem::path& rom_path() const { return rom_path_; }
  void set_rom_path(const std::filesystem::path& path) { rom_path_ = path; }
  WindowHandle main_window() const { return main_window_; }
  WindowHandle tab_control() const { return tab_control_; }

  // "初心者モード" is checked while this is false.
  bool promode = false;

 private:
  void Status(const std::string& text);
  void Progress(int percent);
  // The failure text of `operation` with the last error text as its reason.
  std::string Failure(const char* class_name, const char* operation) const {
    return ::FailureText(class_name, operation, error_text_);
  }
  bool CopyToWorkFile(const std::filesystem::path& rom, const std::filesystem::path& work);
  // Runs the save passes on `work`, a copy of `rom`, and compares the two (UnsavedChanges).
  int CompareWithSaved(const std::filesystem::path& rom, const std::filesystem::path& work);
  // False, with the system's text as the error text, for a ROM the user may not write.
  bool RomWritable(const std::filesystem::path& rom);
  // Win32 side of AddPage.
  void InsertTab(const char* caption);

  WindowHandle tab_control_ = nullptr;
  WindowHandle main_window_ = nullptr;
  IStatusSink* status_ = nullptr;
  std::vector<std::unique_ptr<CWindowBase>> pages_;
  std::vector<std::string> captions_;
  int current_ = 0;
  size_t prepared_ = 0;  // pages PrepareNextPage has been through
  std::filesystem::path startup_dir_;
  LoadHook load_hook_;
  std::filesystem::path rom_path_;
  char game_code_[5] = {};
  uint64_t rom_size_ = 0;
  std::string error_text_;
  bool loaded_ = false;
  bool saveable_ = false;  // the last load finished: there is something to save
};

// The program's one tab system.
CTabSystem& TabSystem();
