#include "script/win/script_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/rom_writer.h"
#include "platform/file.h"
#include "platform/win/wide.h"
#include "toolkit/win/app_frame.h"
#include "toolkit/win/file_dialogs.h"

namespace {

using platform::win::Narrow;
using platform::win::Wide;

// skrevin's resources.
constexpr UINT kTitleString = 103, kClassString = 109;
constexpr int kIcon = 107, kSmallIcon = 108, kAccelerators = 109;
constexpr wchar_t kStripBitmap[] = L"BACKBMP";
constexpr int kMinClientWidth = 300;

void Box(HWND owner, const char* text, const char* title, UINT icon = MB_ICONERROR) {
  MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), MB_OK | icon);
}

}  // namespace

CScriptWindow::CScriptWindow() : decoder_(definitions_) {}

toolkit::win::AppSpec CScriptWindow::Spec(HINSTANCE instance) {
  toolkit::win::AppSpec spec;
  spec.class_name = toolkit::win::LoadStringResource(instance, kClassString);
  spec.title = toolkit::win::LoadStringResource(instance, kTitleString);
  spec.icon_id = kIcon;
  spec.small_icon_id = kSmallIcon;
  spec.accelerators_id = kAccelerators;
  spec.client_width = 450;
  spec.client_height = 200;
  return spec;
}

void CScriptWindow::OnCreate() {
  // Placed by Layout.
  const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP, button = BS_PUSHBUTTON | WS_TABSTOP;
  const DWORD pane = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL |
                     WS_TABSTOP;
  const toolkit::win::ChildControl controls[] = {
      {L"STATIC", "File：", 0, kIdFileLabel, 0, 0, 10, 10},
      {L"EDIT", "", edit, kIdFile, 0, 0, 10, 10, WS_EX_CLIENTEDGE},
      {L"STATIC", "：", 0, kIdColonLabel, 0, 0, 10, 10},
      {L"EDIT", "", edit, kIdOffset, 0, 0, 10, 10, WS_EX_CLIENTEDGE},
      {L"BUTTON", "...", button, kIdBrowse, 0, 0, 10, 10},
      {L"BUTTON", "Load", button, kIdLoad, 0, 0, 10, 10},
      {L"BUTTON", "Save", button, kIdSave, 0, 0, 10, 10},
      {L"BUTTON", "Rom Save", button, kIdRomSave, 0, 0, 10, 10},
      {L"EDIT", "", pane, kIdScript, 0, 0, 10, 10, WS_EX_CLIENTEDGE},
      {L"STATIC", "", SS_ETCHEDVERT, kIdSplitter, 0, 0, 10, 10},
      {L"EDIT", "", pane, kIdOutput, 0, 0, 10, 10, WS_EX_CLIENTEDGE}};
  for (const toolkit::win::ChildControl& c : controls) toolkit::win::CreateChildControl(hwnd(), c);
  for (int id : {kIdScript, kIdOutput}) SendDlgItemMessageW(hwnd(), id, EM_SETLIMITTEXT, 0, 0);

  status_.CreateBar(hwnd(), kIdStatus);
  status_.SetParts({100, 150, -1});
  // A click on the first part switches auto-trace.
  status_.OnClick([this](int x) {
    if (x <= 100) ToggleAutoTrace();
  });
  SetStatus(0, "自動追跡Off");
  strip_.reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), kStripBitmap, IMAGE_BITMAP, 0, 0, 0)));
  SetWindowTextW(hwnd(), L"Vantari Script Editor [新規]");
}

void CScriptWindow::ToggleAutoTrace() {
  auto_trace_ = !auto_trace_;
  SetStatus(0, auto_trace_ ? "自動追跡On" : "自動追跡Off");
}

void CScriptWindow::SetStatus(int part, const std::string& text) {
  if (Wide(text).size() >= 100) return;
  status_.SetText(std::min(part, 2), text);
}

void CScriptWindow::Append(int id, const std::string& text) {
  HWND pane = GetDlgItem(hwnd(), id);
  if (size_t(GetWindowTextLengthW(pane)) > kPaneLimit) SetWindowTextW(pane, L"");
  int end = GetWindowTextLengthW(pane);
  SendMessageW(pane, EM_SETSEL, WPARAM(end), LPARAM(end));
  SendMessageW(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  SendMessageW(pane, EM_SCROLLCARET, 0, 0);
}

std::string CScriptWindow::PaneText(int id) const {
  HWND pane = GetDlgItem(hwnd(), id);
  std::wstring text(size_t(GetWindowTextLengthW(pane)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(pane, text.data(), int(text.size()))));
  return Narrow(text);
}

void CScriptWindow::SetRomPath(const std::wstring& path) {
  SetDlgItemTextW(hwnd(), kIdFile, path.c_str());
  SetWindowTextW(hwnd(), (L"Vantari Script Editor [" + path + L"]").c_str());
}

uint32_t CScriptWindow::Offset() const {
  wchar_t text[15] = {};
  GetDlgItemTextW(hwnd(), kIdOffset, text, 15);
  return uint32_t(std::wcstoul(text, nullptr, 16));
}

std::filesystem::path CScriptWindow::RomPath() const {
  wchar_t text[MAX_PATH] = {};
  GetDlgItemTextW(hwnd(), kIdFile, text, MAX_PATH);
  return text;
}

bool CScriptWindow::LoadDefinitions(const std::filesystem::path& file) {
  if (definitions_.Load(file)) return true;
  SetStatus(2, "定義ファイルを読み込めませんでした。");
  return false;
}

std::filesystem::path CScriptWindow::DefinitionsBesideExecutable() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  return std::filesystem::path(exe).parent_path() / "define.source";
}

void CScriptWindow::Start(const std::wstring& arguments, const std::filesystem::path& definitions) {
  LoadDefinitions(definitions);
  std::wstring rom, offset;
  if (!script::SplitRomArgument(arguments, rom, offset)) return;
  SetRomPath(rom);
  SetDlgItemTextW(hwnd(), kIdOffset, offset.c_str());
  Load(true);
}

void CScriptWindow::Load(bool startup) {
  std::filesystem::path rom = RomPath();
  uint32_t offset = Offset();
  SetDlgItemTextW(hwnd(), kIdScript, L"");
  SetDlgItemTextW(hwnd(), kIdOutput, L"");
  decoder_.Reset();
  decoder_.auto_trace = auto_trace_;
  std::string script;
  int result = decoder_.DecodeScript(rom, offset, false, script);
  Append(kIdScript, script);
  if (result == script::CScriptDecoder::kCannotOpen) Box(hwnd(), "ファイルを開けません。", "Error");
  if (result == script::CScriptDecoder::kReadFailed) Box(hwnd(), "ファイルを読み込めません。", "Error");
  std::string tail, output;
  int failures = decoder_.FollowPointers(rom, tail, output);
  Append(kIdScript, tail);
  Append(kIdOutput, output);
  for (int i = 0; i < failures; ++i) Box(hwnd(), "何らかのエラーが発生しました。", "Error");
  if (startup) SendLink();
}

void CScriptWindow::SendLink() {
  HWND tessaro = FindWindowW(nullptr, L"tessaro");
  if (!tessaro) return;
  for (const script::LinkMessage& m : script::LinkMessages(decoder_.pointers(), decoder_.trainer()))
    SendMessageW(tessaro, m.message, m.wparam, m.lparam);
}

bool CScriptWindow::Assemble(uint32_t base, std::vector<uint8_t>& bytes) {
  std::string source = PaneText(kIdScript);
  SetDlgItemTextW(hwnd(), kIdOutput, L"");
  script::AssembleResult result = script::CScriptAssembler(definitions_).Assemble(source, base);
  if (result.source_cut) SetStatus(2, "61440バイトより後ろは無視しました。");
  if (result.error != script::AssembleError::kNone) {
    MessageBoxW(hwnd(), Wide(result.Message()).c_str(), Wide(result.Title()).c_str(), MB_OK | MB_ICONERROR);
    if (int(result.error) <= int(script::AssembleError::kNoPointerHere)) {
      // Select the token: the pane counts UTF-16 characters, the source Shift-JIS bytes.
      HWND pane = GetDlgItem(hwnd(), kIdScript);
      int start = int(Wide(source.substr(0, result.token_offset)).size());
      int end = start + int(Wide(result.token).size());
      SetFocus(pane);
      SendMessageW(pane, EM_SETSEL, WPARAM(start), LPARAM(end));
    }
    return false;
  }
  Append(kIdOutput, result.texts);
  Append(kIdOutput, script::HexDump(result.bytes));
  bytes = std::move(result.bytes);
  return true;
}

bool CScriptWindow::WriteBytes(const std::filesystem::path& file, uint32_t offset,
                               const std::vector<uint8_t>& bytes, bool create) {
  // Saving never truncates; "Rom Save" never creates a ROM that is not there. A file Save may
  // make a new file first; the bytes then go in through the ROM writer (inside the file or
  // appended at its end, undone on failure).
  std::error_code ec;
  const bool made = create && !std::filesystem::exists(file, ec);
  if (made) {
    platform::CFile empty;
    if (!empty.Open(file, platform::OpenMode::kCreateNew)) {
      Box(hwnd(), ("ファイルを開けません。" + empty.ErrorText()).c_str(), "Error");
      return false;
    }
  }
  CRomChange change(file);
  if (made) change.set_backup(false);  // nothing to keep of a file made just now
  if (!change.Open()) {
    Box(hwnd(), ("ファイルを開けません。" + change.error()).c_str(), "Error");
    return false;
  }
  // A file Save may run past the file's end: the rest is appended. A ROM keeps its size.
  const size_t inside = create && offset <= change.size()
                            ? size_t(std::min<uint64_t>(bytes.size(), change.size() - offset))
                            : bytes.size();
  const std::span<const uint8_t> all(bytes);
  if (!change.Write(offset, all.first(inside)) || (inside < bytes.size() && !change.Append(all.subspan(inside))) ||
      !change.Commit()) {
    Box(hwnd(), ("ファイルに書き込めません。" + change.error()).c_str(), "Error");
    return false;
  }
  return true;
}

void CScriptWindow::Save() {
  std::vector<uint8_t> bytes;
  if (!Assemble(0, bytes)) return;
  if (const auto* file = toolkit::win::savediag(
          hwnd(), "GBA Roms(*.gba)\0*.gba\0Bin Files(*.bin)\0*.bin\0All files(*.*)\0*.*\0", "bin",
          "ファイル保存！", nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, 2))
    WriteBytes(*file, 0, bytes, true);
}

void CScriptWindow::RomSave() {
  uint32_t offset = Offset();
  std::vector<uint8_t> bytes;
  if (!Assemble(offset, bytes)) return;
  char question[128];
  std::snprintf(question, sizeof question, "0x%08Xに%dByte書き込むけどおk？", unsigned(offset), int(bytes.size()));
  if (MessageBoxW(hwnd(), Wide(question).c_str(), L"Question", MB_YESNO | MB_ICONQUESTION) == IDYES)
    WriteBytes(RomPath(), offset, bytes, false);
}

void CScriptWindow::Browse() {
  if (const auto* file = toolkit::win::opendiag(
          hwnd(), "GBA Roms(*.gba),Bin Files(*.bin)\0*.gba;*.bin\0All files(*.*)\0*.*\0", "gba",
          "ファイルオープン！", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr))
    SetRomPath(file->wstring());
}

RECT CScriptWindow::SplitterRect() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  int x = client.right - output_width_ - kSplitterWidth;
  return RECT{x, kStripHeight, x + kSplitterWidth, client.bottom};
}

void CScriptWindow::Layout() {
  RECT client;
  GetClientRect(hwnd(), &client);
  int w = client.right;
  if (w < kMinClientWidth && !IsIconic(hwnd())) {
    RECT window;
    GetWindowRect(hwnd(), &window);
    SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left + kMinClientWidth - w,
                 window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;  // the resize lays the window out again
  }
  status_.Layout(w);
  RECT status;
  GetWindowRect(status_.GethWnd(), &status);
  int bottom = client.bottom - (status.bottom - status.top);
  output_width_ = std::clamp(output_width_, 10, std::max(10, w - 10));
  auto place = [&](int id, int x, int y, int cx, int cy) {
    MoveWindow(GetDlgItem(hwnd(), id), x, y, cx, cy, TRUE);
  };
  place(kIdFileLabel, 0, 0, 30, 15);
  place(kIdFile, 25, 0, std::max(w - 250, 10), kStripHeight);
  place(kIdColonLabel, w - 225, 0, 10, 15);
  place(kIdOffset, w - 220, 0, 70, kStripHeight);
  place(kIdBrowse, w - 149, 0, 25, kStripHeight);
  place(kIdLoad, w - 121, 0, 30, kStripHeight);
  place(kIdSave, w - 88, 0, 30, kStripHeight);
  place(kIdRomSave, w - 55, 0, 55, kStripHeight);
  int pane_height = std::max(bottom - kStripHeight, 0);
  int split = w - output_width_ - kSplitterWidth;
  place(kIdScript, 0, kStripHeight, std::max(split, 0), pane_height);
  place(kIdSplitter, split, kStripHeight, kSplitterWidth, pane_height);
  place(kIdOutput, w - output_width_, kStripHeight, output_width_, pane_height);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void CScriptWindow::Paint() {
  toolkit::win::CPaintSession paint(hwnd());
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(hwnd(), &client);
  if (strip_) {
    toolkit::win::UniqueMemoryDC memory(CreateCompatibleDC(dc));
    toolkit::win::CSelectedObject selected(memory.get(), strip_.get());
    StretchBlt(dc, 0, 0, client.right, kStripHeight, memory.get(), 0, 0, 2, 16, SRCCOPY);
  }
}

LRESULT CScriptWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC: {
      int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
      if (id != kIdFileLabel && id != kIdColonLabel) break;
      SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(hwnd(), &p);
      RECT splitter = SplitterRect();
      if (PtInRect(&splitter, p) || dragging_) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      POINT p = {short(LOWORD(lparam)), short(HIWORD(lparam))};
      RECT splitter = SplitterRect();
      if (PtInRect(&splitter, p)) {
        dragging_ = true;
        SetCapture(hwnd());
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        RECT client;
        GetClientRect(hwnd(), &client);
        int x = std::clamp(int(short(LOWORD(lparam))), 10, std::max(10, int(client.right) - 10));
        output_width_ = client.right - x;
        Layout();
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
      }
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kIdBrowse: Browse(); return 0;
        case kIdLoad: Load(false); return 0;
        case kIdSave: Save(); return 0;
        case kIdRomSave: RomSave(); return 0;
      }
      break;
    case WM_DESTROY:
      strip_.reset();
      break;
  }
  return CAppFrame::HandleMessage(message, wparam, lparam);
}
