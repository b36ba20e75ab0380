#include "editors/text/win/text_page.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "core/edit_history.h"
#include "core/tab_system.h"
#include "editors/text/win/text_ids.h"
#include "platform/win/wide.h"
#include "toolkit/win/dialog.h"
#include "toolkit/win/native_window.h"

namespace {

using platform::win::Wide;
namespace te = text_editor;

constexpr wchar_t kDocumentClass[] = L"VTextDoc";
constexpr int kIconId = 107;
constexpr int kButtonRowHeight = 50;

// A document's page comes as its creation parameter and stays in GWLP_USERDATA.
LRESULT CALLBACK DocumentWindowProc(HWND doc, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (auto* page = static_cast<CVText*>(toolkit::win::WindowObject(doc, message, lparam)))
      return page->DocumentProc(doc, message, wparam, lparam);
  } catch (...) {
  }
  return DefMDIChildProcW(doc, message, wparam, lparam);
}

void RegisterDocumentClass() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kDocumentClass, &wc)) return;
  wc.lpfnWndProc = DocumentWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kDocumentClass;
  RegisterClassExW(&wc);
}

const toolkit::win::ChildControl kControls[] = {
    {L"STATIC", "Addr：", 0, IDC_TEXT_ADDR_LABEL, 0, 0, 40, 15},
    {L"EDIT", "16進数で台詞のアドレスを入力してください", ES_AUTOHSCROLL | WS_TABSTOP, IDC_TEXT_OFFSET, 40, 0, 150, 15,
     WS_EX_CLIENTEDGE},
    {L"BUTTON", "Load", BS_PUSHBUTTON | WS_TABSTOP, IDC_TEXT_LOAD, 190, 0, 30, 15},
    {L"BUTTON", "Save", BS_PUSHBUTTON | WS_TABSTOP, IDC_TEXT_SAVE, 230, 0, 55, 15},
    {L"BUTTON", "overwrite Save", BS_PUSHBUTTON | WS_TABSTOP, IDC_TEXT_OVERWRITE, 230, 0, 80, 15},
    {L"EDIT", "", ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP,
     IDC_TEXT_BODY, 0, 16, 70, 15, WS_EX_CLIENTEDGE},
};

void CreateControls(HWND doc) {
  for (const toolkit::win::ChildControl& c : kControls) toolkit::win::CreateChildControl(doc, c);
  // A text of 16 384 codes shows as more characters than an edit box takes by default.
  SendDlgItemMessageW(doc, IDC_TEXT_BODY, EM_SETLIMITTEXT, 0, 0);
}

void MoveControl(HWND doc, int id, int x, int y, int width, int height) {
  MoveWindow(GetDlgItem(doc, id), x, y, width, height, TRUE);
}

void LayOut(HWND doc) {
  RECT rect;
  GetClientRect(doc, &rect);
  int w = rect.right, h = rect.bottom;
  MoveControl(doc, IDC_TEXT_OFFSET, 40, 0, w - 214, 15);
  MoveControl(doc, IDC_TEXT_LOAD, w - 171, 0, 30, 15);
  MoveControl(doc, IDC_TEXT_SAVE, w - 138, 0, 55, 15);
  MoveControl(doc, IDC_TEXT_OVERWRITE, w - 80, 0, 80, 15);
  MoveControl(doc, IDC_TEXT_BODY, 0, 16, w, h - 16);
}

void SetTitle(HWND doc, const std::string& title) { SetWindowTextW(doc, Wide(title).c_str()); }

}  // namespace

HWND TextEditorClient() {
  const CTabSystem& tabs = TabSystem();
  for (size_t i = 0; i < tabs.page_count(); ++i)
    if (const auto* text = dynamic_cast<const CVText*>(tabs.page(i))) return text->hWnd;
  return nullptr;
}

CVText::CVText() { RegisterDocumentClass(); }

CVText::~CVText() {
  if (hWnd) DestroyWindow(hWnd);
}

int CVText::CreatePage(WindowHandle tab) {
  if (!hWnd) {
    CLIENTCREATESTRUCT client = {};
    client.idFirstChild = IDC_TEXT_FIRST_CHILD;
    hWnd = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                           0, 0, GetParent(tab), nullptr, GetModuleHandleW(nullptr), &client);
    if (!hWnd) return 0;
  }
  Place(tab);
  ShowWindow(hWnd, SW_SHOW);
  return 1;
}

void CVText::DestroyPage(bool final) {
  if (!hWnd) return;
  SetWindowRgn(TabSystem().tab_control(), nullptr, TRUE);
  if (!final) {
    ShowWindow(hWnd, SW_HIDE);
    return;
  }
  docs_.Clear();
  DestroyWindow(hWnd);
  hWnd = nullptr;
}

void CVText::ResizePage(WindowHandle tab) {
  if (hWnd) Place(tab);
}

// The client covers the tab control's display area; the tab control loses that area from its
// region so that it does not paint over the documents.
void CVText::Place(HWND tab) {
  RECT full, area;
  GetClientRect(tab, &full);
  area = full;
  TabCtrl_AdjustRect(tab, FALSE, &area);
  RECT placed = area;
  MapWindowPoints(tab, GetParent(hWnd), reinterpret_cast<POINT*>(&placed), 2);
  // Above the tab control, which it overlaps.
  SetWindowPos(hWnd, HWND_TOP, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, 0);
  HRGN region = CreateRectRgnIndirect(&full);
  HRGN display = CreateRectRgnIndirect(&area);
  CombineRgn(region, region, display, RGN_XOR);
  DeleteObject(display);
  if (!SetWindowRgn(tab, region, TRUE)) DeleteObject(region);  // the system owns it once set
}

intptr_t CVText::DialogProc(unsigned message, uintptr_t wparam, intptr_t) {
  if (message != WM_COMMAND || !hWnd) return 0;
  switch (LOWORD(wparam)) {
    case 32782:
      return NewDocument() ? 1 : 0;
    case 32787:
      SendMessageW(hWnd, WM_MDICASCADE, 0, 0);
      return 1;
    case 32788:
      SendMessageW(hWnd, WM_MDITILE, MDITILE_VERTICAL, 0);
      return 1;
    case 32790:
      SendMessageW(hWnd, WM_MDIICONARRANGE, 0, 0);
      return 1;
    case 32789:
      CloseAll();
      return 1;
  }
  return 0;
}

HWND CVText::NewDocument() {
  std::wstring title = Wide(te::NewTitle(docs_.NextNumber()));
  HWND doc = CreateMDIWindowW(kDocumentClass, title.c_str(), 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, hWnd, GetModuleHandleW(nullptr), reinterpret_cast<LPARAM>(this));
  if (!doc) return nullptr;
  docs_.Add(reinterpret_cast<uintptr_t>(doc));
  RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
  return doc;
}

void CVText::CloseAll() {
  std::vector<te::Document> open = docs_.documents();
  docs_.Clear();
  for (const te::Document& doc : open) SendMessageW(hWnd, WM_MDIDESTROY, WPARAM(doc.window), 0);
}

LRESULT CVText::DocumentProc(HWND doc, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(doc);
      return 0;
    case WM_SIZE:
      // The MDI client needs every size change too (a maximised document's caption and menu).
      LayOut(doc);
      break;
    case WM_CLOSE:
      docs_.Remove(reinterpret_cast<uintptr_t>(doc));
      break;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_TEXT_LOAD:
          Load(doc);
          return 0;
        case IDC_TEXT_SAVE:
        case IDC_TEXT_OVERWRITE:
          if (MessageBoxW(doc, Wide(te::kSaveQuestion).c_str(), Wide("注意").c_str(), MB_YESNO) == IDYES)
            Save(doc, LOWORD(wparam) == IDC_TEXT_OVERWRITE);
          return 0;
      }
      break;
  }
  return DefMDIChildProcW(doc, message, wparam, lparam);
}

void CVText::Load(HWND doc) {
  CTabSystem& tabs = TabSystem();
  if (tabs.rom_path().empty()) {
    MessageBoxW(doc, Wide(te::kNoRom).c_str(), L"Error", MB_OK | MB_ICONSTOP);
    return;
  }
  toolkit::win::CDialogItems items(doc);
  const std::optional<uint64_t> typed = te::ParseOffset(items.Text(IDC_TEXT_OFFSET));
  if (!typed) {
    tabs.ShowStatus(te::kBadOffset);
    return;
  }
  const uint64_t offset = *typed;
  te::LoadedText loaded;
  std::string error;
  if (!te::LoadText(tabs.rom_path(), offset, loaded, error)) {
    tabs.ShowStatus(error);
    return;
  }
  items.SetText(IDC_TEXT_BODY, loaded.text);
  uintptr_t key = reinterpret_cast<uintptr_t>(doc);
  if (docs_.Loaded(key, offset, loaded.permitted)) SetTitle(doc, te::LoadedTitle(*docs_.Find(key), offset));
  tabs.ShowStatus(te::kLoaded);
}

bool CVText::Save(HWND doc, bool overwrite) {
  CTabSystem& tabs = TabSystem();
  const te::Document* record = docs_.Find(reinterpret_cast<uintptr_t>(doc));
  if (!record) {
    tabs.ShowStatus(te::kInternalError);
    return false;
  }
  toolkit::win::CDialogItems items(doc);
  const std::optional<uint64_t> typed = te::ParseOffset(items.Text(IDC_TEXT_OFFSET));
  if (!typed) {
    tabs.ShowStatus(te::kBadOffset);
    return false;
  }
  const uint64_t offset = *typed;
  std::vector<uint8_t> bytes;
  std::string error;
  // The write is one entry of the edit history.
  char label[48];
  std::snprintf(label, sizeof label, "テキスト 0x%llX の保存", static_cast<unsigned long long>(offset));
  bool written = false;
  EditHistory().Track(label, tabs.IndexOf(this), -1, [&] {
    written = te::PrepareSave(*record, offset, items.Text(IDC_TEXT_BODY), overwrite, bytes, error) &&
              te::WriteText(tabs.rom_path(), offset, bytes, error);
  });
  if (!written) {
    tabs.ShowStatus(error);
    return false;
  }
  SetTitle(doc, te::LoadedTitle(*record, offset));
  return true;
}
