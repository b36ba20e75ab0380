// The dialog base: a modal and a modeless dialog driven by commands, with the item helpers.
#include "toolkit/win/dialog.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "gui_helpers.h"
#include "test_dialog_ids.h"

namespace {

using toolkit::win::CCommandMap;
using toolkit::win::CDialog;

const char* const kEntries[] = {"ノーマル", "格闘", "飛行"};

class CTestDialog : public CDialog {
 public:
  CTestDialog() {
    commands.On(IDC_TEST_RUN, BN_CLICKED, [this] { ++runs; });
    commands.On(IDC_TEST_CLOSE, CCommandMap::kAnyCode, [this] { End(42); });
    commands.On(IDC_TEST_COMBO, CBN_SELCHANGE, [this] { chosen = ComboSelection(IDC_TEST_COMBO); });
    commands.On(IDC_TEST_EDIT, EN_CHANGE, [] { throw std::runtime_error("stays inside"); });
  }
  int runs = 0;
  int chosen = -2;
  bool initialised = false;

 protected:
  bool OnInitDialog() override {
    initialised = true;
    ComboFill(IDC_TEST_COMBO, kEntries);
    ListFill(IDC_TEST_LIST, kEntries);
    return true;
  }
};

TEST(Dialog, ModalDialogRunsItsCommandsAndEndsWithItsResult) {
  CTestDialog dialog;
  int runs_seen = -1;
  gui_test::AnswerNextDialog([&](HWND window) {
    SendDlgItemMessageW(window, IDC_TEST_RUN, BM_CLICK, 0, 0);
    SendDlgItemMessageW(window, IDC_TEST_RUN, BM_CLICK, 0, 0);
    runs_seen = dialog.runs;
    SendDlgItemMessageW(window, IDC_TEST_CLOSE, BM_CLICK, 0, 0);
  });
  EXPECT_EQ(dialog.DoModal(nullptr, IDD_TEST_DIALOG), 42);
  EXPECT_TRUE(gui_test::DialogWasAnswered());
  EXPECT_TRUE(dialog.initialised);
  EXPECT_EQ(runs_seen, 2);
  EXPECT_EQ(dialog.hwnd(), nullptr) << "the object forgets its window once it is gone";
  EXPECT_EQ(CTestDialog().DoModal(nullptr, 9999), -1) << "no such template";
}

TEST(Dialog, ModelessDialogItemsAndHelpers) {
  CTestDialog dialog;
  HWND window = dialog.Create(nullptr, IDD_TEST_DIALOG);
  ASSERT_TRUE(window);
  EXPECT_EQ(GetWindowLongPtrW(window, DWLP_USER), reinterpret_cast<LONG_PTR>(&dialog));
  EXPECT_TRUE(IsWindowVisible(window));

  // Commands by id and notification code; a handler that throws stays inside the procedure.
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_RUN, BN_CLICKED), 0);
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_RUN, BN_SETFOCUS), 0);
  EXPECT_EQ(dialog.runs, 1) << "another notification of the same control is not a click";

  // Combo box: fill, select, a selection outside the list shows none even after a valid one.
  EXPECT_EQ(dialog.ComboCount(IDC_TEST_COMBO), 3);
  dialog.ComboSelect(IDC_TEST_COMBO, 2);
  EXPECT_EQ(dialog.ComboSelection(IDC_TEST_COMBO), 2);
  dialog.ComboSelect(IDC_TEST_COMBO, 3);
  EXPECT_EQ(dialog.ComboSelection(IDC_TEST_COMBO), -1);
  dialog.ComboReplace(IDC_TEST_COMBO, 1, "かくとう");
  EXPECT_EQ(dialog.ComboCount(IDC_TEST_COMBO), 3);
  EXPECT_EQ(dialog.ComboSelection(IDC_TEST_COMBO), 1);
  SendDlgItemMessageW(window, IDC_TEST_COMBO, CB_SETCURSEL, 0, 0);
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_COMBO, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(dialog.Item(IDC_TEST_COMBO)));
  EXPECT_EQ(dialog.chosen, 0);

  // List box: the same rules.
  dialog.ListSelect(IDC_TEST_LIST, 1);
  EXPECT_EQ(dialog.ListSelection(IDC_TEST_LIST), 1);
  dialog.ListSelect(IDC_TEST_LIST, -5);
  EXPECT_EQ(dialog.ListSelection(IDC_TEST_LIST), -1);
  dialog.ListReplace(IDC_TEST_LIST, 2, "ひこう");
  dialog.ListReplace(IDC_TEST_LIST, 3, "none");
  EXPECT_EQ(dialog.ListCount(IDC_TEST_LIST), 3);
  EXPECT_EQ(dialog.ListSelection(IDC_TEST_LIST), 2);

  // Groups of controls and the tab order.
  dialog.Enable({IDC_TEST_COMBO, IDC_TEST_LIST}, false);
  EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_TEST_COMBO)));
  EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_TEST_LIST)));
  EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_TEST_EDIT)));
  dialog.RemoveTabStop(IDC_TEST_COMBO);
  EXPECT_FALSE(GetWindowLongPtrW(dialog.Item(IDC_TEST_COMBO), GWL_STYLE) & WS_TABSTOP);

  // Closing a modeless dialog destroys it; the object stays usable and empty.
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_CLOSE, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(Dialog, AModelessDialogGoesWithItsObject) {
  HWND window = nullptr;
  {
    CTestDialog dialog;
    window = dialog.Create(nullptr, IDD_TEST_DIALOG);
    ASSERT_TRUE(IsWindow(window));
  }
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
