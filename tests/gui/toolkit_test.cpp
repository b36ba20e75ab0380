// The Win32 toolkit on real windows: the control wrapper, the erasing status bar, the dialog base and the common file dialogs. (The drawing surface is seen in the tool
// windows' pixels.)
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "gui_helpers.h"
#include "platform/error_text.h"
#include "platform/win/wide.h"
#include "test_dialog_ids.h"
#include "toolkit/win/dialog.h"
#include "toolkit/win/file_dialogs.h"
#include "toolkit/win/staus_wnd.h"
#include "toolkit/win/zozar_wnd.h"
#include "unit/test_dir.h"

namespace {

using gui_test::AnswerNextDialog;
using gui_test::MakeChild;
using gui_test::MakeHost;
using toolkit::win::CZozarWnd;

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

// -1 keeps a coordinate; texts go through the W functions as Japanese; the wrapper owns (and
// frees) only the fonts it made, never the stock one or a copy's.
TEST(ZozarWnd, PlacementTextsAndFonts) {
  auto host = MakeHost(120, 90, 400, 300);
  HWND edit = MakeChild(host.get(), L"EDIT", WS_BORDER, 10, 20, 100, 24);
  CZozarWnd wrapper(edit);
  wrapper.MoveWindow(50, -1);
  wrapper.ResizeWindow(-1, 40);
  RECT r;
  GetWindowRect(edit, &r);
  MapWindowPoints(nullptr, host.get(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(std::tuple(r.left, r.top, r.right - r.left, r.bottom - r.top), std::tuple(50, 20, 100, 40));

  wrapper.SWTextF("%s:%03d", "ピカ", 7);
  wchar_t wide[16] = {};
  GetWindowTextW(edit, wide, 16);
  EXPECT_STREQ(wide, L"ピカ:007");

  HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), made = nullptr;
  {
    CZozarWnd owner(edit);
    owner.SetFont("ＭＳ ゴシック", 14);
    made = owner.font();
    EXPECT_NE(made, stock);
    EXPECT_EQ(FontOf(edit), made);
    { CZozarWnd copy = owner; }
    EXPECT_EQ(GetObjectType(made), DWORD(OBJ_FONT)) << "a copy must not free the font";
    owner.SetFont("A face name far longer than any LOGFONT holds", 14);
    EXPECT_EQ(FontOf(edit), stock);
    EXPECT_EQ(GetObjectType(made), 0u) << "the replaced font is freed";
    owner.SetFont("Tahoma", 12);
    made = owner.font();
  }
  EXPECT_EQ(GetObjectType(made), 0u) << "the wrapper frees its font";
}

std::string PartText(HWND bar) {
  wchar_t text[1100] = {};
  SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return platform::win::Narrow(text);
}

// A message stays 1.5 s after the last one; system error texts; the subclass undone.
TEST(StausWnd, MessagesClearAfterTheLastOnePartsAndErrors) {
  auto host = MakeHost(0, 0, 400, 300);
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, host.get(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  const LONG_PTR original = GetWindowLongPtrW(bar, GWLP_WNDPROC);
  toolkit::win::CStausWnd status;
  status.Create(bar);
  status.Set_Status_Window_Text(0, "%s %d", "読み込み完了。", 5);
  gui_test::Pump(700);
  ASSERT_EQ(PartText(bar), "読み込み完了。 5") << "too slow a machine to time this";
  const DWORD second = GetTickCount();
  status.Set_Status_Window_Text(0, "second");
  while (PartText(bar) != " " && GetTickCount() - second < 10000) gui_test::Pump(10);
  EXPECT_EQ(PartText(bar), " ");
  EXPECT_GE(long(GetTickCount() - second), 1500 - 20) << "the timer restarts with each message";

  SetLastError(ERROR_FILE_NOT_FOUND);
  status.ShowLastError();
  EXPECT_EQ(PartText(bar), platform::SystemErrorText(ERROR_FILE_NOT_FOUND));
  status.Destroy();
  EXPECT_EQ(GetWindowLongPtrW(bar, GWLP_WNDPROC), original);
}

class CTestDialog : public toolkit::win::CDialog {
 public:
  CTestDialog() {
    commands.On(IDC_TEST_RUN, BN_CLICKED, [this] { ++runs; });
    commands.On(IDC_TEST_EDIT, EN_CHANGE, [] { throw std::runtime_error("stays inside"); });
  }
  int runs = 0;

 protected:
  bool OnInitDialog() override {
    const char* const entries[] = {"ノーマル", "格闘", "飛行"};
    ComboFill(IDC_TEST_COMBO, entries);
    return true;
  }
};

// Commands by id and notification code, a throw kept inside the procedure, the window gone with
// its object. (Modal dialogs run in the free-space dialogs' tests.)
TEST(Dialog, AModelessDialogRunsItsCommandsAndGoesWithItsObject) {
  HWND window = nullptr;
  {
    CTestDialog dialog;
    window = dialog.Create(nullptr, IDD_TEST_DIALOG);
    ASSERT_TRUE(window);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_RUN, BN_CLICKED), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_RUN, BN_SETFOCUS), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT, EN_CHANGE), 0);  // a throw stays inside
    EXPECT_EQ(dialog.runs, 1) << "another notification of the same control is not a click";
    dialog.ComboSelect(IDC_TEST_COMBO, 2);
    dialog.ComboSelect(IDC_TEST_COMBO, 3);
    EXPECT_EQ(dialog.ComboSelection(IDC_TEST_COMBO), -1) << "outside the list: no selection, as on Windows";
  }
  EXPECT_FALSE(IsWindow(window)) << "a modeless dialog goes with its object";
}

// The open dialog starts where the first chosen file was; the save dialog asks before replacing.
TEST(FileDialogs, OpenRemembersTheFirstChoiceAndSaveAsksBeforeReplacing) {
  TestDir dir;
  const std::filesystem::path first = dir.Write("first.bmp", "BM"), other = dir.Write("other.bmp", "BM");
  const std::string start = platform::win::Narrow(other.wstring());
  const char* filter = "BMP (*.bmp)\0*.bmp\0";
  AnswerNextDialog(gui_test::ChooseFile(first));
  const std::filesystem::path* chosen = toolkit::win::opendiag(nullptr, filter, "bmp", "開く", OFN_FILEMUSTEXIST, start.c_str());
  ASSERT_NE(chosen, nullptr);
  AnswerNextDialog(gui_test::PressButton(IDOK));
  chosen = toolkit::win::opendiag(nullptr, filter, "bmp", "開く", OFN_FILEMUSTEXIST, start.c_str());
  ASSERT_NE(chosen, nullptr);
  EXPECT_TRUE(std::filesystem::equivalent(*chosen, first)) << "OK at once takes the remembered path";

  std::filesystem::path destination = "keep";
  AnswerNextDialog(gui_test::PressButton(IDCANCEL));
  EXPECT_FALSE(toolkit::win::filediag(nullptr, destination, "ROM\0*.gba\0", "gba", "保存", true));
  EXPECT_EQ(destination, "keep");
  gui_test::AnswerFileDialog(dir.Write("saved.gba", "x"));
  ASSERT_TRUE(toolkit::win::filediag(nullptr, destination, "ROM\0*.gba\0", "gba", "保存", true));
  EXPECT_EQ(destination.filename(), "saved.gba");
  EXPECT_TRUE(gui_test::ReplaceWasAsked());
}

}  // namespace
