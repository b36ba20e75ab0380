#pragma once
// The TM/HM window of the monster page: 50 TM and 8 HM check boxes for the species on show
// and a button that writes them into the ROM at once. It is made hidden with the page and
// lives as long as the page; closing it only hides it.
#include <windows.h>

#include "editors/monster/monster_rules.h"
#include "toolkit/win/native_window.h"
#include "toolkit/win/unique_handle.h"

inline constexpr int kMachineSaveId = 55579;
inline constexpr int kMachineFirstId = 55580;  // one check box per bit: TM 01-50, then HM 01-08
inline constexpr int kMachineClientWidth = 370;
inline constexpr int kMachineClientHeight = 216;

class CMachineWindow final : public toolkit::win::CNativeWindow {
 public:
  explicit CMachineWindow(CMonsterRules& rules) : rules_(rules) {}

  // Makes the window, hidden, owned by `owner`; false when it cannot be made.
  bool Create(HWND owner);
  // Shows the window and reads the species on show; without a usable table, the status bar
  // says why instead.
  void Show();
  // Reads the check boxes of the species on show from the ROM, shown or hidden. After a
  // failed read they are clear and the status bar (and, while the window is shown, a message
  // box) says what failed.
  void Load();
  // Clear and disabled boxes: the ROM they were read from is gone.
  void Clear();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void MakeControls();
  void ShowStates(const MachineStates& states, bool enabled) const;
  MachineStates Checked() const;
  void Save();
  // `status` in the status bar and, while the window is shown, `box` in a message box it owns.
  void Report(const std::string& status, const std::string& box) const;

  CMonsterRules& rules_;
  toolkit::win::UniqueFont font_;
};
