#include "frame/main_frame.h"

#include "frame/table_menu.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>

#include "core/edit_history.h"
#include "core/frame_settings.h"
#include "core/free_space.h"
#include "core/rom_backup.h"
#include "core/tab_system.h"
#include "core/win/frame_ids.h"
#include "editors/text/win/text_ids.h"
#include "editors/win/pages.h"
#include "frame/patch_menu.h"
#include "platform/win/wide.h"
#include "text/shared_tables.h"
#include "toolkit/win/app_frame.h"
#include "toolkit/win/dialog.h"
#include "toolkit/win/file_dialogs.h"

namespace {

using platform::win::Wide;

constexpr int kIdListBox = 1004;         // a page's main list, for WM_APP+1
// Posted to itself once the window is shown: one hidden page dialog made per message, so that
// no tab switch waits for a dialog and the window stays responsive meanwhile. (WM_APP to
// WM_APP + 2 are what skrevin sends.)
constexpr UINT kPrepareNextPage = WM_APP + 3;

// The version box: OK or Esc closes it.
class CAboutDialog : public toolkit::win::CDialog {
 public:
  CAboutDialog() {
    for (int id : {IDOK, IDCANCEL}) commands.On(id, toolkit::win::CCommandMap::kAnyCode, [this, id] { End(id); });
  }
};

// The buttons above the tab control: 50 × 50 each, two lines of text.
toolkit::win::ChildControl Button(const char* text, int id, int x, DWORD style = 0) {
  return {L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | style, id, x, 0, 50, 50};
}

}  // namespace

toolkit::win::AppSpec CMainFrame::Spec(HINSTANCE instance) {
  toolkit::win::AppSpec spec;
  spec.class_name = toolkit::win::LoadStringResource(instance, IDC_TESSARO);
  spec.title = toolkit::win::LoadStringResource(instance, IDS_APP_TITLE);
  spec.icon_id = IDI_TESSARO;
  spec.menu_id = IDC_TESSARO;
  spec.accelerators_id = IDC_TESSARO;
  return spec;
}

void CMainFrame::OnCreate() {
  using toolkit::win::CreateChildControl;
  CreateChildControl(hwnd(), Button("ROMの\n読み込み", IDM_OPEN_ROM, 0));
  status_.Create(hwnd());

  // Its font comes below, once the pages are known.
  HWND tab = CreateChildControl(hwnd(),
                                {WC_TABCONTROLW, "", WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_MULTILINE |
                                                         TCS_HOTTRACK,
                                 IDC_TAB, 0, 50, 400, 450},
                                nullptr);
  tab_.Init(tab);
  CTabSystem& tabs = TabSystem();
  tabs.Attach(tab, hwnd());
  tabs.set_status(&status_);
  FreeSpace().set_report([this](const std::string& text) { status_.SetText(text); });
  tabs.set_load_hook([](const std::filesystem::path& setting, const char* code, const std::filesystem::path& rom) {
    FreeSpace().FollowLoad(setting, code, rom);
  });
  save_button_.Init(CreateChildControl(hwnd(), Button("ROMへ\n保存", IDM_SAVE_ROM, 50, WS_DISABLED)));
  tabs.set_startup_dir(std::filesystem::current_path());
  EnableMenuItem(GetMenu(hwnd()), IDM_SAVE_ROM, MF_BYCOMMAND | MF_GRAYED);

  CreateChildControl(hwnd(), Button("新規\nウインドウ", IDM_TEXT_NEW_WINDOW, 250));
  CreateChildControl(hwnd(), Button("重ねて\n表示", IDM_TEXT_CASCADE, 300));
  CreateChildControl(hwnd(), Button("並べて\n表示", IDM_TEXT_TILE, 350));
  CreateChildControl(hwnd(), Button("アイコンの\n整列", IDM_TEXT_ARRANGE, 400));
  CreateChildControl(hwnd(), Button("すべて\n閉じる", IDM_TEXT_CLOSE_ALL, 450));

  tab_.ResizeWindow(400, 450);
  tab_.SetFont("ＭＳ Ｐゴシック", 12);
  AddAllPages(tabs);
  DragAcceptFiles(hwnd(), TRUE);
}

void CMainFrame::Show(int show) {
  FrameSettings settings = ReadFrameSettings(TabSystem().SettingPath());
  TabSystem().promode = settings.promode;
  RomBackup().set_enabled(settings.backup);
  text::SharedTables().switches.viewnumber = settings.viewnumber;
  text::SharedTables().switches.duplication = settings.duplication;
  HMENU menu = GetMenu(hwnd());
  CheckMenuItem(menu, IDM_BEGINNER, MF_BYCOMMAND | (settings.promode ? MF_UNCHECKED : MF_CHECKED));
  CheckMenuItem(menu, IDM_VIEWNUMBER, MF_BYCOMMAND | (settings.viewnumber ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, IDM_DUPLICATION, MF_BYCOMMAND | (settings.duplication ? MF_CHECKED : MF_UNCHECKED));
  if (settings.has_placement) {
    SetWindowPos(hwnd(), nullptr, settings.x, settings.y, settings.width, settings.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    show = settings.show_cmd;
  }
  ShowWindow(hwnd(), show);
  UpdateWindow(hwnd());
  // The first page once the window is up: the user sees the window without waiting for the
  // largest dialog; the others are made while the program waits.
  TabSystem().ShowFirst();
  PostMessageW(hwnd(), kPrepareNextPage, 0, 0);
}

void CMainFrame::OnDestroy() {
  FrameSettings settings;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd(), &placement);
  settings.show_cmd = int(placement.showCmd);
  RECT rect;
  GetWindowRect(hwnd(), &rect);
  settings.x = rect.left;
  settings.y = rect.top;
  settings.width = rect.right - rect.left;
  settings.height = rect.bottom - rect.top;
  settings.promode = TabSystem().promode;
  settings.viewnumber = text::SharedTables().switches.viewnumber;
  settings.duplication = text::SharedTables().switches.duplication;
  WriteFrameSettings(TabSystem().SettingPath(), settings, IsIconic(hwnd()) || IsZoomed(hwnd()));
  TabSystem().ShutDown();
  TabSystem().set_status(nullptr);
  FreeSpace().set_report(nullptr);
  TabSystem().Attach(nullptr, nullptr);
}

void CMainFrame::OpenRom(const std::filesystem::path& rom) {
  CTabSystem& tabs = TabSystem();
  tabs.set_rom_path(rom);
  if (tabs.loaded()) tabs.Unload();
  // Nothing a ROM or Setting.ini holds may end the program: whatever escapes the pages'
  // own checks is reported like any failed load.
  try {
    tabs.DataRead(rom);
  } catch (const std::exception&) {
    status_.SetText(FailureOf(tabs, "DataRead"));
  }
}

void CMainFrame::OpenCommandLineRom() {
  int argc = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    if (argc > 1) OpenRom(argv[1]);
    LocalFree(argv);
  }
}

void CMainFrame::ShowOpenDialog() {
  std::filesystem::path chosen = TabSystem().rom_path();
  if (toolkit::win::filediag(hwnd(), chosen, "GBA Roms(*.gba)\0*.gba\0All files(*.*)\0*.*\0", "gba",
                             "ROMを指定してください", false))
    OpenRom(chosen);
}

void CMainFrame::Toggle(int command) {
  HMENU menu = GetMenu(hwnd());
  bool on = false;
  if (command == IDM_TERMINATOR) {
    // The menu shows the terminator while the codec's hide switch is 0.
    text::CVantariText& codec = text::VantariText();
    codec.set_hide_terminator(codec.hide_terminator() ? 0 : 1);
    on = codec.hide_terminator() == 0;
  } else if (command == IDM_VIEWNUMBER) {
    on = text::SharedTables().switches.viewnumber = !text::SharedTables().switches.viewnumber;
  } else {
    on = text::SharedTables().switches.duplication = !text::SharedTables().switches.duplication;
  }
  CheckMenuItem(menu, UINT(command), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CMainFrame::OnCommand(WPARAM wparam, LPARAM lparam, LRESULT& result) {
  int command = LOWORD(wparam);
  result = 0;
  switch (command) {
    case IDM_TERMINATOR:
    case IDM_VIEWNUMBER:
    case IDM_DUPLICATION:
      Toggle(command);
      return;
    case IDM_EXIT:
      DestroyWindow(hwnd());
      return;
    case IDM_ABOUT:
      CAboutDialog().DoModal(hwnd(), IDD_ABOUTBOX);
      return;
    case IDM_OPEN_ROM:
      ShowOpenDialog();
      return;
    case IDM_SAVE_ROM:
      TabSystem().DataWrite(TabSystem().rom_path());
      return;
    case IDM_MAKE_PATCH:
      MakePatchFromMenu(hwnd(), [this](const std::string& text) { status_.SetText(text); });
      return;
    case IDM_APPLY_PATCH:
      ApplyPatchFromMenu(hwnd(), [this](const std::string& text) { status_.SetText(text); },
                         [this](const std::filesystem::path& rom) { OpenRom(rom); });
      return;
    case IDM_TABLE_EXPORT:
      RunTableCommand(hwnd(), false, status_);
      return;
    case IDM_TABLE_IMPORT: {
      // The whole import, copies and file, is one entry of the edit history.
      CWindowBase* page = TabSystem().CurrentPage();
      EditHistory().Track(page ? page->Subject() + " の表の読み込み" : "表の読み込み", TabSystem().current_index(),
                          page ? page->CurrentRecord() : -1, [&] { RunTableCommand(hwnd(), true, status_); });
      if (page) page->InitDialog(nullptr);
      return;
    }
    case IDM_UNDO:
    case IDM_REDO:
      UndoOrRedo(command == IDM_UNDO);
      return;
  }
  if (TabSystem().Broadcast(WM_COMMAND, wparam, lparam) == 0)
    result = DefFrameProcW(hwnd(), TextEditorClient(), WM_COMMAND, wparam, lparam);
}

void CMainFrame::UndoOrRedo(bool undo) {
  const HistoryStep step = undo ? EditHistory().Undo() : EditHistory().Redo();
  status_.SetText(step.status);
  if (!step.done) return;
  // The record the entry changed, on its page, filled again from the copies.
  CTabSystem& tabs = TabSystem();
  if (step.page >= 0 && step.page != tabs.current_index()) tabs.SelectTab(step.page);
  if (CWindowBase* page = tabs.CurrentPage()) {
    if (step.page == tabs.current_index()) page->ShowRecord(step.record);
    page->InitDialog(nullptr);
  }
}

void CMainFrame::UpdateEditMenu(HMENU menu) {
  auto item = [&](int id, const char* verb, const char* keys, bool can, const std::string& label) {
    std::string text = std::string(verb) + (can ? ": " + label : std::string()) + "\t" + keys;
    ModifyMenuW(menu, UINT(id), MF_BYCOMMAND | MF_STRING | (can ? MF_ENABLED : MF_GRAYED), UINT_PTR(id),
                Wide(text).c_str());
  };
  const CEditHistory& history = EditHistory();
  item(IDM_UNDO, "元に戻す(&U)", "Ctrl+Z", history.CanUndo(), history.UndoLabel());
  item(IDM_REDO, "やり直し(&R)", "Ctrl+Y", history.CanRedo(), history.RedoLabel());
}

bool CMainFrame::KeepEditUndo(MSG& msg) {
  // Ctrl+Z and Ctrl+Y in a text box act on its text, as they do everywhere; the menu items
  // always act on the history.
  if (msg.message != WM_KEYDOWN || (msg.wParam != 'Z' && msg.wParam != 'Y') || !(GetKeyState(VK_CONTROL) & 0x8000))
    return false;
  wchar_t name[16] = {};
  if (!GetClassNameW(msg.hwnd, name, 16) || lstrcmpiW(name, L"Edit") != 0) return false;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void CMainFrame::OnSelectListItem(WPARAM index) {
  HWND page = TabSystem().CurrentPageWindow();
  HWND list = page ? GetDlgItem(page, kIdListBox) : nullptr;
  if (!list) return;
  SendMessageW(list, LB_SETCURSEL, index, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(kIdListBox, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void CMainFrame::OnTextWindowRequest(LPARAM offset) {
  if (TabSystem().Broadcast(WM_COMMAND, IDM_TEXT_NEW_WINDOW, 0) == 0) return;
  // The new document is the client's active one, whichever tab is shown.
  HWND client = TextEditorClient();
  HWND child = client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
  if (!child) return;
  wchar_t text[16];
  wsprintfW(text, L"%X", unsigned(offset));
  SetDlgItemTextW(child, IDC_TEXT_OFFSET, text);
  SendMessageW(child, WM_COMMAND, IDC_TEXT_LOAD, 0);
}

LRESULT CMainFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_SIZE:
      status_.bar.Layout(LOWORD(lparam));
      TabSystem().Resize(LOWORD(lparam), HIWORD(lparam), status_.bar.Height());
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->hwndFrom == tab_.GethWnd() && header->code == TCN_SELCHANGE) TabSystem().TabChange();
      return 0;
    }
    case WM_PAINT: {
      toolkit::win::CPaintSession paint(hwnd());
      return 0;
    }
    case WM_COMMAND: {
      LRESULT result = 0;
      OnCommand(wparam, lparam, result);
      return result;
    }
    case WM_INITMENUPOPUP:
      UpdateEditMenu(GetMenu(hwnd()));
      break;
    case WM_DROPFILES: {
      auto drop = reinterpret_cast<HDROP>(wparam);
      wchar_t path[MAX_PATH] = {};
      bool got = DragQueryFileW(drop, 0, path, MAX_PATH) > 0;
      DragFinish(drop);
      if (got) OpenRom(path);
      return 0;
    }
    case WM_DESTROY:
      OnDestroy();
      return CAppFrame::HandleMessage(message, wparam, lparam);
    case WM_APP:
      TabSystem().SelectTab(int(wparam));
      return 0;
    case WM_APP + 1:
      OnSelectListItem(wparam);
      return 0;
    case WM_APP + 2:
      OnTextWindowRequest(lparam);
      return 0;
    case kPrepareNextPage:
      if (TabSystem().PrepareNextPage()) PostMessageW(hwnd(), kPrepareNextPage, 0, 0);
      return 0;
  }
  return DefFrameProcW(hwnd(), TextEditorClient(), message, wparam, lparam);
}

bool CMainFrame::CycleFocus(const MSG& msg) {
  HWND page = TabSystem().CurrentPageWindow();
  if (!page || msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || (GetKeyState(VK_CONTROL) & 0x8000))
    return false;
  // The child of the page that holds the window with the key.
  HWND child = msg.hwnd;
  for (int i = 0; i < 100 && child && GetParent(child) != page; ++i) child = GetParent(child);
  if (child && GetParent(child) == page) {
    bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    // Once round the page's children at most, however many a page has.
    int children = 0;
    for (HWND w = GetWindow(page, GW_CHILD); w && children < 100000; w = GetWindow(w, GW_HWNDNEXT)) ++children;
    HWND next = child;
    for (int i = 0; i < children; ++i) {
      next = GetWindow(next, back ? GW_HWNDPREV : GW_HWNDNEXT);
      if (!next) next = back ? GetWindow(GetWindow(page, GW_CHILD), GW_HWNDLAST) : GetWindow(page, GW_CHILD);
      if (!next || next == child) break;
      LONG style = LONG(GetWindowLongPtrW(next, GWL_STYLE));
      if ((style & WS_TABSTOP) && IsWindowEnabled(next)) {
        SetFocus(next);
        break;
      }
    }
  }
  return true;
}

toolkit::win::MessageFilters CMainFrame::Filters() {
  toolkit::win::MessageFilters filters;
  filters.before_accelerators = [this](MSG& msg) { return CycleFocus(msg) || KeepEditUndo(msg); };
  filters.after_accelerators = [](MSG& msg) {
    HWND client = TextEditorClient();
    return client && TranslateMDISysAccel(client, &msg);
  };
  return filters;
}

void CMainFrame::ProcessMessage(MSG& msg, HACCEL accelerators) {
  toolkit::win::ProcessMessage(msg, hwnd(), accelerators, Filters());
}
