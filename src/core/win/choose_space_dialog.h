#pragma once
// The choose-space dialog (141, "空きスペースを検索"): the user picks where a table of a given
// size goes: found automatically in the profile's regions (or appended), chosen from a manual
// search's results, or typed as an address.
#include <windows.h>

#include <cstdint>

#include "core/free_space.h"
#include "toolkit/win/dialog.h"

class CChooseSpaceDialog : public toolkit::win::CDialog {
 public:
  explicit CChooseSpaceDialog(CFinddummyspace& finder) : finder_(finder) {}

  // Runs the dialog for `bytes`; the chosen ROM offset (also left in the finder's value), or 0
  // when the user cancelled.
  uint32_t Choose(HWND owner, uint32_t bytes);

 protected:
  bool OnInitDialog() override;

 private:
  enum class Mode { kAutomatic, kManual, kAddress };
  // The manual search's target: a region 1-3 or 4 for the end of the file.
  static constexpr int kAppendTarget = 4;

  void SetMode(Mode mode);
  void SetTarget(int target);
  void Search();
  void Accept();
  void AcceptAutomatic();
  void AcceptManual();
  void AcceptAddress();
  int Box(const char* text, const char* title, UINT type) const;

  CFinddummyspace& finder_;
  uint32_t bytes_ = 0;
  Mode mode_ = Mode::kAutomatic;
  int target_ = 0;
  bool searched_ = false;
};
