#pragma once
// skrevin's window: ROM file and offset fields, the script pane, the output pane with a
// splitter, the status bar with the auto-trace switch; Load, Save and Rom Save; and the link
// that tells a running tessaro which texts and trainer a script uses.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "script/script_assembler.h"
#include "script/script_decoder.h"
#include "toolkit/win/app_frame.h"
#include "toolkit/win/status_bar.h"
#include "toolkit/win/unique_handle.h"

class CScriptWindow : public toolkit::win::CAppFrame {
 public:
  static constexpr int kIdFileLabel = 100, kIdColonLabel = 101;
  static constexpr int kIdFile = 150, kIdOffset = 151, kIdBrowse = 152, kIdLoad = 153, kIdSave = 154,
                       kIdRomSave = 155, kIdScript = 156, kIdOutput = 157, kIdSplitter = 158,
                       kIdStatus = 1;
  static constexpr int kStripHeight = 16;
  static constexpr int kSplitterWidth = 3;
  static constexpr size_t kPaneLimit = 61440;

  CScriptWindow();
  // Class (string 109), title (string 103), icons 107 and 108, accelerators 109 and a client
  // area of 450 × 200.
  static toolkit::win::AppSpec Spec(HINSTANCE instance);
  // The text after the program path: "ROM:OFFSET" fills the fields and runs a start-up Load.
  // The definitions are loaded first either way.
  void Start(const std::wstring& arguments, const std::filesystem::path& definitions);
  // define.source beside the executable.
  static std::filesystem::path DefinitionsBesideExecutable();
  bool LoadDefinitions(const std::filesystem::path& file);

  // Pane contents, for the tests.
  std::string PaneText(int id) const;
  bool auto_trace() const { return auto_trace_; }
  int output_width() const { return output_width_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void OnCreate();
  void Layout();
  void Paint();
  void Load(bool startup);
  void Save();
  void RomSave();
  void Browse();
  void ToggleAutoTrace();
  void SetStatus(int part, const std::string& text);
  void Append(int id, const std::string& text);
  void SetRomPath(const std::wstring& path);
  uint32_t Offset() const;
  std::filesystem::path RomPath() const;
  bool Assemble(uint32_t base, std::vector<uint8_t>& bytes);
  bool WriteBytes(const std::filesystem::path& file, uint32_t offset, const std::vector<uint8_t>& bytes,
                  bool create);
  void SendLink();
  RECT SplitterRect() const;

  script::CScriptDefinitions definitions_;
  script::CScriptDecoder decoder_;
  toolkit::win::CStatusBar status_;
  toolkit::win::UniqueBitmap strip_;
  bool auto_trace_ = false;
  bool dragging_ = false;
  int output_width_ = 300;
};
