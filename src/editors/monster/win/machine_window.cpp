#include "editors/monster/win/machine_window.h"

#include <cstdio>
#include <string>

#include "core/edit_history.h"
#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "platform/win/wide.h"

namespace L = monster_layout;

namespace {

constexpr wchar_t kClassName[] = L"skillmachine_class";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
// Check boxes: 35 x 25 on a 37-pixel pitch; the TMs in five rows of ten from y = 27, the HMs
// in one row at y = 189.
constexpr int kBoxWidth = 35, kBoxHeight = 25, kPitch = 37, kRowPitch = 27;
constexpr int kTmTop = 27, kTmColumns = 10, kHmTop = 189;

}  // namespace

bool CMachineWindow::Create(HWND owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static const ATOM registered = CNativeWindow::Register(instance, kClassName, nullptr, nullptr, nullptr,
                                                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!registered) return false;
  RECT frame = {0, 0, kMachineClientWidth, kMachineClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  if (!CNativeWindow::Create(kClassName, L"Skill Machine Window", kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                             frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance))
    return false;
  MakeControls();
  ShowStates({}, rules_.machine().usable());
  return true;
}

void CMachineWindow::MakeControls() {
  // The page's own face and size (9 points), so that the window reads like the page.
  font_.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH, L"MS UI Gothic"));
  HFONT font = font_ ? font_.get() : toolkit::win::GuiFont();
  using toolkit::win::CreateChildControl;
  CreateChildControl(hwnd(), {L"STATIC", "技マシン", 0, 0, 0, 0, 70, 25}, font);
  CreateChildControl(hwnd(), {L"STATIC", "秘伝マシン", 0, 0, 0, 162, 90, 25}, font);
  CreateChildControl(hwnd(), {L"BUTTON", "Romへ保存", BS_PUSHBUTTON | WS_TABSTOP, kMachineSaveId, 268, 0, 100, 25},
                     font);
  char caption[8];
  for (int i = 0; i < L::kMachineBits; ++i) {
    const bool tm = i < L::kMachineTms;
    const int number = tm ? i : i - L::kMachineTms;  // from 0 within its kind
    const int x = kPitch * (tm ? number % kTmColumns : number);
    const int y = tm ? kTmTop + kRowPitch * (number / kTmColumns) : kHmTop;
    std::snprintf(caption, sizeof caption, "%02d", number + 1);
    CreateChildControl(hwnd(),
                       {L"BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, kMachineFirstId + i, x, y, kBoxWidth,
                        kBoxHeight},
                       font);
  }
}

void CMachineWindow::Show() {
  if (!hwnd()) return;
  if (const char* reason = rules_.machine().Unusable()) {  // the reason, not a window of nothing
    ShowStates({}, false);
    TabSystem().ShowStatus(reason);
    return;
  }
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  Load();
}

void CMachineWindow::Load() {
  if (!hwnd()) return;
  CMachineBits& machine = rules_.machine();
  if (!machine.usable()) {  // no table to read: nothing to tick and nothing to save
    ShowStates({}, false);
    return;
  }
  std::string status;
  const bool read = machine.Load(TabSystem().rom_path(), rules_.current(), status);
  ShowStates(machine.states(), true);  // clear after a failure: no stale bits stay on show
  // The box gives the short text; the status bar keeps the system's reason.
  if (!read && !status.empty()) Report(status, kMachineReadBoxText);
}

void CMachineWindow::Clear() {
  if (hwnd()) ShowStates({}, false);
}

void CMachineWindow::ShowStates(const MachineStates& states, bool enabled) const {
  for (int i = 0; i < L::kMachineBits; ++i) {
    HWND box = GetDlgItem(hwnd(), kMachineFirstId + i);
    SendMessageW(box, BM_SETCHECK, states[size_t(i)] ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(box, enabled);
  }
  EnableWindow(GetDlgItem(hwnd(), kMachineSaveId), enabled);
}

MachineStates CMachineWindow::Checked() const {
  MachineStates states{};
  for (int i = 0; i < L::kMachineBits; ++i)
    states[size_t(i)] = SendDlgItemMessageW(hwnd(), kMachineFirstId + i, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return states;
}

void CMachineWindow::Save() {
  // One entry of the edit history, on the monster page's species.
  CTabSystem& tabs = TabSystem();
  int page = -1;
  for (size_t i = 0; i < tabs.page_count(); ++i)
    if (auto* monsters = dynamic_cast<CPageAdapter<CMonsterRules>*>(tabs.page(i)); monsters && &monsters->rules() == &rules_)
      page = int(i);
  EditHistory().Track(rules_.Subject() + " の技マシン保存", page, rules_.current(), [&] {
    std::string status;
    if (rules_.machine().Save(tabs.rom_path(), rules_.current(), Checked(), status))
      tabs.ShowStatus(status);
    else
      Report(status, status);
  });
}

void CMachineWindow::Report(const std::string& status, const std::string& box) const {
  TabSystem().ShowStatus(status);
  if (IsWindowVisible(hwnd()))
    MessageBoxW(hwnd(), platform::win::Wide(box).c_str(), platform::win::Wide(kMachineBoxCaption).c_str(),
                MB_OK | MB_ICONERROR);
}

LRESULT CMachineWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kMachineSaveId && HIWORD(wparam) == BN_CLICKED) Save();
      return 0;
    case WM_CLOSE:  // the window lives as long as the page: closing only hides it
      ShowWindow(hwnd(), SW_HIDE);
      return 0;
    default:
      return CNativeWindow::HandleMessage(message, wparam, lparam);
  }
}
