#include "frame/table_menu.h"

#include "core/tab_system.h"
#include "core/win/frame_ids.h"
#include "platform/file.h"
#include "platform/sjis.h"
#include "platform/win/wide.h"
#include "tables/session.h"
#include "toolkit/win/dialog.h"
#include "toolkit/win/file_dialogs.h"

namespace {

using platform::win::Wide;

constexpr const char* kFilter = "CSV (*.csv)\0*.csv\0JSON (*.json)\0*.json\0All files(*.*)\0*.*\0";
constexpr const char* kNoTablesText = "このページには書き出せる表がありません。";
constexpr const char* kNotLoadedText = "ROMを読み込んでください。";
constexpr const char* kFormatText = "ファイル名は .csv か .json で終わらせてください。";

// Asks which of the page's tables (more than one) the command is for.
class CTableChoice : public toolkit::win::CDialog {
 public:
  explicit CTableChoice(const std::vector<std::string>& names) : names_(names) {
    commands.On(IDOK, toolkit::win::CCommandMap::kAnyCode, [this] { Choose(); });
    commands.On(IDCANCEL, toolkit::win::CCommandMap::kAnyCode, [this] { End(IDCANCEL); });
    commands.On(IDC_TABLE_LIST, LBN_DBLCLK, [this] { Choose(); });
  }
  int chosen() const { return chosen_; }

 protected:
  bool OnInitDialog() override {
    std::vector<const char*> entries;
    for (const std::string& name : names_) entries.push_back(name.c_str());
    ListFill(IDC_TABLE_LIST, entries);
    ListSelect(IDC_TABLE_LIST, 0);
    return true;
  }

 private:
  void Choose() {
    chosen_ = ListSelection(IDC_TABLE_LIST);
    if (chosen_ >= 0) End(IDOK);
  }
  const std::vector<std::string>& names_;
  int chosen_ = -1;
};

void Box(HWND owner, const std::string& text, const char* caption) {
  MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), MB_OK | MB_ICONERROR);
}

// The tables of the page shown that the loaded ROM has; "" when the user chose none.
std::string ChooseTable(HWND frame) {
  CTabSystem& tabs = TabSystem();
  std::vector<std::string> names;
  std::string error, probe;
  for (const std::string& name : tables::PageTables(tabs.current_index()))
    if (tables::ExportFromPages(tabs, name, tables::TextFormat::kCsv, probe, error)) names.push_back(name);
  if (names.empty()) {
    Box(frame, kNoTablesText, "Error");
    return {};
  }
  if (names.size() == 1) return names[0];
  CTableChoice choice(names);
  if (choice.DoModal(frame, IDD_TABLE_CHOOSE) != IDOK || choice.chosen() < 0) return {};
  return names[size_t(choice.chosen())];
}

void Export(HWND frame, const std::string& table, CFrameStatus& status) {
  const std::string initial = table + ".csv";
  const std::filesystem::path* file =
      toolkit::win::savediag(frame, kFilter, "csv", "表を書き出す", initial.c_str(), OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
  if (file == nullptr) return;
  tables::TextFormat format;
  if (!tables::FormatOf(*file, format)) {
    Box(frame, kFormatText, "Error");
    return;
  }
  std::string out, error;
  if (!tables::ExportFromPages(TabSystem(), table, format, out, error) ||
      !platform::ReplaceFileContents(*file, out.data(), out.size(), error)) {
    status.SetText("表を書き出せませんでした。" + error);
    return;
  }
  status.SetText("表 " + table + " を書き出しました。");
}

void Import(HWND frame, const std::string& table, CFrameStatus& status) {
  const std::filesystem::path* file =
      toolkit::win::opendiag(frame, kFilter, "csv", "表を読み込む", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr);
  if (file == nullptr) return;
  tables::TextFormat format;
  if (!tables::FormatOf(*file, format)) {
    Box(frame, kFormatText, "Error");
    return;
  }
  std::string text, error;
  if (!platform::ReadWholeFile(*file, text, error, tables::kMaxInputBytes)) {
    Box(frame, "表を読み込めませんでした。" + error, "Error");
    return;
  }
  const tables::ImportResult result = tables::ImportIntoPages(TabSystem(), table, format, text);
  if (!result.ok) {
    std::vector<std::string> lines =
        tables::ProblemLines(platform::SjisToUtf8(platform::SjisFromPath(file->filename())), result.problems);
    if (!result.error.empty()) lines.push_back(platform::SjisToUtf8(result.error));
    MessageBoxW(frame, ProblemBoxText(lines).c_str(), Wide("表を読み込めませんでした").c_str(), MB_OK | MB_ICONERROR);
    status.SetText("表を読み込めませんでした。何も変更していません。");
    return;
  }
  // The page shown takes what its copies now hold.
  if (CWindowBase* page = TabSystem().CurrentPage()) page->InitDialog(nullptr);
  status.SetText(platform::Utf8ToSjis(result.report.front()));
}

}  // namespace

std::wstring ProblemBoxText(const std::vector<std::string>& lines, size_t shown) {
  std::string text = platform::SjisToUtf8("ファイルに問題があるので、何も変更していません。") + "\r\n\r\n";
  for (size_t i = 0; i < lines.size() && i < shown; ++i) text += lines[i] + "\r\n";
  if (lines.size() > shown) text += "... " + std::to_string(lines.size() - shown) + " more\r\n";
  // The lines are UTF-8 (the file's own text): straight to UTF-16.
  std::wstring wide(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size()));
  return wide;
}

void RunTableCommand(HWND frame, bool import, CFrameStatus& status) {
  if (!TabSystem().loaded()) {
    Box(frame, kNotLoadedText, "Error");
    return;
  }
  const std::string table = ChooseTable(frame);
  if (table.empty()) return;
  if (import) Import(frame, table, status);
  else Export(frame, table, status);
}
