// The File menu's table export and import, wired: the choice of the page's table, the file
// dialogs, the page's copy changed (and saved by "ROMへ保存"), and the box that lists a bad
// file's problems. The rules themselves are the native table tests'.
#include <gtest/gtest.h>

#include "core/win/frame_ids.h"
#include "editors/monster/monster_layout.h"
#include "editors/monster/win/monster_ids.h"
#include "frame_fixture.h"

namespace {

using gui_test::AnswerFileDialog;
using gui_test::AnswerNextDialog;
using gui_test::PageTest;
using gui_test::SaveScreenshot;
using gui_test::Workspace;

class TableMenu : public PageTest {
 protected:
  // Runs a menu command whose first dialog is the table choice: `table` is picked there, then
  // the file dialog gets `file`; `then` answers a dialog that follows (the problem box).
  void Run(int command, int table, const std::filesystem::path& file, const char* shot,
           std::function<void(HWND)> then = nullptr) {
    AnswerNextDialog([=](HWND choice) {
      if (shot) SaveScreenshot(choice, shot);
      SendDlgItemMessageW(choice, IDC_TABLE_LIST, LB_SETCURSEL, WPARAM(table), 0);
      AnswerFileDialogThen(file, then);
      PostMessageW(choice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  }

  static void AnswerFileDialogThen(const std::filesystem::path& file, std::function<void(HWND)> then) {
    if (!then) {
      AnswerFileDialog(file);
      return;
    }
    const std::wstring name = file.wstring();
    AnswerNextDialog([name, then](HWND dialog) {
      HWND edit = GetDlgItem(dialog, 0x47C);
      SetWindowTextW(edit ? edit : GetDlgItem(dialog, 0x480), name.c_str());
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      AnswerBox(then);
    });
  }
  // The box comes once the file dialog has gone: any other dialog is waited out.
  static void AnswerBox(std::function<void(HWND)> then) {
    AnswerNextDialog([then](HWND dialog) {
      if (GetDlgItem(dialog, 0x47C) || GetDlgItem(dialog, 0x480)) return AnswerBox(then);
      then(dialog);
    });
  }
};

TEST_F(TableMenu, ExportEditImportAndSaveTheMonsters) {
  Start(Workspace());
  TestDir dir;
  const std::filesystem::path rom = CopyOfRom(dir);
  const std::string original = dir.Read(rom.filename().string());
  Open(rom, 0);

  Run(IDM_TABLE_EXPORT, 0, dir / "monsters.csv", "table_choice");
  std::string csv = dir.Read("monsters.csv");
  ASSERT_EQ(csv.rfind("\xEF\xBB\xBFindex,name,hp,", 0), 0u) << Status();

  // Species 0's HP (the third cell of line 2) becomes 201 or 202.
  const size_t line = csv.find("\r\n") + 2;
  const size_t hp = csv.find(',', csv.find(',', line) + 1) + 1;
  const std::string old_hp = csv.substr(hp, csv.find(',', hp) - hp);
  const std::string new_hp = old_hp == "201" ? "202" : "201";
  csv.replace(hp, old_hp.size(), new_hp);
  dir.Write("monsters.csv", csv);
  Run(IDM_TABLE_IMPORT, 0, dir / "monsters.csv", nullptr);
  EXPECT_EQ(Status(), "monsters: 1 records changed, 1 bytes");
  EXPECT_EQ(Text(IDC_MONSTER_HP), new_hp) << "the page shows its copy";
  EXPECT_TRUE(dir.Read(rom.filename().string()) == original) << "the copy waits for the save";
  Save();
  std::string expected = original;
  expected[size_t(Setting("BPRJ", "MonsterBaseStats_Pos"))] = char(std::stoi(new_hp));
  ExpectRomBytes(dir.Read(rom.filename().string()), expected);

  // A bad file: the box lists the problem with its place, and nothing changes.
  dir.Write("bad.csv", "index,hp\r\n0,300\r\n");
  std::string box;
  Run(IDM_TABLE_IMPORT, 0, dir / "bad.csv", nullptr, [&box](HWND dialog) {
    SaveScreenshot(dialog, "table_problems");
    box = gui_test::Text(GetDlgItem(dialog, 0xFFFF));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_NE(box.find("bad.csv:2:3: hp: 300 is outside 0-255"), std::string::npos) << box;
  EXPECT_EQ(Status(), "表を読み込めませんでした。何も変更していません。");
  EXPECT_EQ(Text(IDC_MONSTER_HP), new_hp);
}

}  // namespace
