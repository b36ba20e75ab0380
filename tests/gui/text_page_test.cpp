// The text editor on a demo ROM: documents from the frame's buttons, load, edit and save by
// offset, the window commands, a tab switch, and skrevin's open-text message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/win/frame_ids.h"
#include "demo/demo_rom.h"
#include "demo/games.h"
#include "demo/workspace.h"
#include "editors/text/text_rules.h"
#include "editors/text/win/text_ids.h"
#include "editors/text/win/text_page.h"
#include "frame_fixture.h"
#include "platform/win/wide.h"
#include "text/vantari_text.h"

namespace {

using gui_test::AnswerNextDialog;
using gui_test::PageTest;
using gui_test::Workspace;
namespace te = text_editor;

constexpr int kTextTab = 6;

const demo::Highlights& Demo() {
  static demo::DemoRom rom = demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1);
  return rom.highlights;
}

std::string Hex(uint32_t value) {
  char text[16];
  wsprintfA(text, "%X", value);
  return text;
}

class TextPage : public PageTest {
 protected:
  CVText& Editor() { return *dynamic_cast<CVText*>(TabSystem().page(kTextTab)); }
  const std::vector<te::Document>& Docs() { return Editor().documents().documents(); }
  HWND Doc(size_t i) { return reinterpret_cast<HWND>(Docs().at(i).window); }
  void NewWindow() { SendMessageW(Item(IDM_TEXT_NEW_WINDOW), BM_CLICK, 0, 0); }
  std::string Title(HWND doc) { return gui_test::Text(doc); }
  std::string Field(HWND doc, int id) { return gui_test::Text(GetDlgItem(doc, id)); }
  void Type(HWND doc, int id, const std::string& text) {
    SetWindowTextW(GetDlgItem(doc, id), platform::win::Wide(text).c_str());
  }
  void Load(HWND doc, uint32_t offset) {
    Type(doc, IDC_TEXT_OFFSET, Hex(offset));
    SendMessageW(GetDlgItem(doc, IDC_TEXT_LOAD), BM_CLICK, 0, 0);
  }
  // Presses a save button and answers its question (or the no-ROM box) with `button`;
  // the box's text.
  std::string Press(HWND doc, int id, int button = IDYES) {
    std::string asked;
    AnswerNextDialog([&asked, button](HWND box) {
      asked = gui_test::Text(GetDlgItem(box, 0xFFFF));
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
    SendMessageW(GetDlgItem(doc, id), BM_CLICK, 0, 0);
    EXPECT_TRUE(gui_test::DialogWasAnswered());
    return asked;
  }
  std::string RomBytes(const TestDir& dir) { return dir.Read(rom_.filename().string()); }
  static std::string Codes(const std::string& shown) {
    std::vector<uint8_t> out;
    text::VantariText().string2binary(shown, out);
    return std::string(out.begin(), out.end());
  }

  std::filesystem::path rom_;
};

TEST_F(TextPage, DocumentsLoadEditSaveAndSurviveATabSwitch) {
  Start(Workspace());
  // Before a ROM: the tab shows its client, and Load asks for a ROM.
  SendMessageW(hwnd(), WM_APP, kTextTab, 0);
  ASSERT_EQ(TabSystem().CurrentPageWindow(), TextEditorClient());
  NewWindow();
  ASSERT_EQ(Docs().size(), 1u);
  EXPECT_EQ(Press(Doc(0), IDC_TEXT_LOAD, IDOK), te::kNoRom);
  SendMessageW(Item(IDM_TEXT_CLOSE_ALL), BM_CLICK, 0, 0);
  EXPECT_TRUE(Docs().empty());
  EXPECT_EQ(GetWindow(TextEditorClient(), GW_CHILD), nullptr);

  TestDir dir;
  rom_ = CopyOfRom(dir);
  std::string expected = RomBytes(dir);
  Open(rom_, kTextTab);
  ASSERT_EQ(page, TextEditorClient());
  for (int i = 0; i < 3; ++i) NewWindow();
  ASSERT_EQ(Docs().size(), 3u);
  EXPECT_EQ(Title(Doc(0)), "Vantari Text Editor DocNo:2 [新規]");
  EXPECT_EQ(Field(Doc(2), IDC_TEXT_OFFSET), "16進数で台詞のアドレスを入力してください");

  // The demo text with line breaks and special codes, shortened and saved in place.
  uint32_t at = Demo().text;
  Load(Doc(0), at);
  EXPECT_EQ(Status(), te::kLoaded);
  te::LoadedText shown = te::DecodeText(reinterpret_cast<const uint8_t*>(expected.data()) + at, te::kMaxTextBytes);
  EXPECT_EQ(Field(Doc(0), IDC_TEXT_BODY), shown.text);
  EXPECT_EQ(Title(Doc(0)), "Vantari Text Editor DocNo:2 [0x" + Hex(at) + "] 書き込み許可バイト数:" +
                               std::to_string(shown.permitted));
  EXPECT_EQ(Codes(Field(Doc(0), IDC_TEXT_BODY)), expected.substr(at, size_t(shown.permitted)));
  Type(Doc(0), IDC_TEXT_BODY, "ヴァンタリ\r\nテキスト");
  EXPECT_EQ(Press(Doc(0), IDC_TEXT_SAVE), te::kSaveQuestion);
  std::string saved = Codes("ヴァンタリ\r\nテキスト");
  ASSERT_LT(saved.size(), size_t(shown.permitted));
  expected.replace(at, saved.size(), saved);
  EXPECT_EQ(RomBytes(dir), expected);

  // A battle text lengthened: Save keeps to its room, "No" writes nothing.
  uint32_t battle = Demo().battle_texts.at(0);
  Load(Doc(1), battle);
  int room = Docs()[1].permitted;
  std::string longer = Field(Doc(1), IDC_TEXT_BODY) + "ながいながいテキスト";
  Type(Doc(1), IDC_TEXT_BODY, longer);
  Press(Doc(1), IDC_TEXT_SAVE, IDNO);
  EXPECT_EQ(RomBytes(dir), expected);
  Press(Doc(1), IDC_TEXT_SAVE);
  std::string cut = Codes(longer).substr(0, size_t(room));
  cut.back() = '\xFF';
  expected.replace(battle, cut.size(), cut);
  EXPECT_EQ(RomBytes(dir), expected);
  // "overwrite Save" writes the whole text, past the room it was loaded with.
  std::string whole = Codes(longer);
  Press(Doc(1), IDC_TEXT_OVERWRITE);
  EXPECT_EQ(RomBytes(dir).substr(battle, whole.size()), whole);
  expected.replace(battle, whole.size(), whole);
  // Beyond the file: reported, the document keeps its text and title.
  std::string title = Title(Doc(1));
  Load(Doc(1), 0x08000000 + battle);
  EXPECT_EQ(Status(), te::kOutsideRom);
  EXPECT_EQ(Field(Doc(1), IDC_TEXT_BODY), longer);
  EXPECT_EQ(Title(Doc(1)), title);

  // Three documents with Japanese text, tiled.
  Load(Doc(2), Demo().battle_texts.at(1));
  SendMessageW(Item(IDM_TEXT_TILE), BM_CLICK, 0, 0);
  RECT a, b, overlap;
  GetWindowRect(Doc(0), &a);
  GetWindowRect(Doc(1), &b);
  EXPECT_FALSE(IntersectRect(&overlap, &a, &b));
  gui_test::SaveScreenshot(hwnd(), "text_editor");
  SendMessageW(Item(IDM_TEXT_CASCADE), BM_CLICK, 0, 0);
  GetWindowRect(Doc(0), &a);
  GetWindowRect(Doc(1), &b);
  EXPECT_TRUE(IntersectRect(&overlap, &a, &b));
  SendMessageW(Item(IDM_TEXT_ARRANGE), BM_CLICK, 0, 0);

  // Closing one document leaves the others; numbers keep increasing.
  HWND closed = Doc(1);
  SendMessageW(closed, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(closed));
  ASSERT_EQ(Docs().size(), 2u);
  NewWindow();
  EXPECT_EQ(Title(Doc(2)), "Vantari Text Editor DocNo:5 [新規]");

  // Another tab hides the documents; coming back shows them as they were.
  Revisit();
  EXPECT_EQ(page, TextEditorClient());
  EXPECT_TRUE(IsWindowVisible(page));
  ASSERT_EQ(Docs().size(), 3u);
  EXPECT_EQ(Field(Doc(0), IDC_TEXT_BODY), "ヴァンタリ\r\nテキスト");

  // skrevin's open-text message, also while another tab is shown.
  SendMessageW(hwnd(), WM_APP, 0, 0);
  EXPECT_FALSE(IsWindowVisible(TextEditorClient()));
  SendMessageW(hwnd(), WM_APP + 2, 0, LPARAM(Demo().battle_texts.at(1)));
  ASSERT_EQ(Docs().size(), 4u);
  EXPECT_EQ(Field(Doc(3), IDC_TEXT_OFFSET), Hex(Demo().battle_texts.at(1)));
  EXPECT_EQ(Field(Doc(3), IDC_TEXT_BODY), Field(Doc(1), IDC_TEXT_BODY));  // the same text, loaded earlier
  EXPECT_EQ(Status(), te::kLoaded);

  SendMessageW(Item(IDM_TEXT_CLOSE_ALL), BM_CLICK, 0, 0);
  EXPECT_TRUE(Docs().empty());
  EXPECT_EQ(GetWindow(TextEditorClient(), GW_CHILD), nullptr);
  EXPECT_EQ(RomBytes(dir), expected);
}

}  // namespace
