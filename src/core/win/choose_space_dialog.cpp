#include "core/win/choose_space_dialog.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/win/free_space_ids.h"
#include "platform/win/wide.h"

namespace {

constexpr int kRegionRadios[CFinddummyspace::kRegions] = {IDC_SPACE_REGION1, IDC_SPACE_REGION2,
                                                          IDC_SPACE_REGION3};
constexpr int kModeControls[] = {IDC_SPACE_NO_APPEND, IDC_SPACE_REGION1,   IDC_SPACE_REGION2,
                                 IDC_SPACE_REGION3,   IDC_SPACE_APPEND,    IDC_SPACE_FIRST_ONLY,
                                 IDC_SPACE_SEARCH,    IDC_SPACE_MAXIMUM,   IDC_SPACE_RESULTS,
                                 IDC_SPACE_ADDRESS,   IDOK};

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

}  // namespace

uint32_t CChooseSpaceDialog::Choose(HWND owner, uint32_t bytes) {
  finder_.value = bytes;
  bytes_ = bytes;
  commands.On(IDC_SPACE_AUTO, BN_CLICKED, [this] { SetMode(Mode::kAutomatic); });
  commands.On(IDC_SPACE_MANUAL, BN_CLICKED, [this] { SetMode(Mode::kManual); });
  commands.On(IDC_SPACE_ADDRESS_MODE, BN_CLICKED, [this] { SetMode(Mode::kAddress); });
  for (int i = 0; i < CFinddummyspace::kRegions; ++i)
    commands.On(kRegionRadios[i], BN_CLICKED, [this, i] { SetTarget(i + 1); });
  commands.On(IDC_SPACE_APPEND, BN_CLICKED, [this] { SetTarget(kAppendTarget); });
  commands.On(IDC_SPACE_SEARCH, BN_CLICKED, [this] { Search(); });
  commands.On(IDOK, BN_CLICKED, [this] { Accept(); });
  commands.On(IDCANCEL, BN_CLICKED, [this] {
    finder_.value = 0;
    End(0);
  });
  INT_PTR result = DoModal(owner, IDD_CHOOSE_SPACE);
  if (result <= 0) finder_.value = 0;
  return finder_.value;
}

bool CChooseSpaceDialog::OnInitDialog() {
  finder_.value = 0;
  SetText(IDC_SPACE_BYTES, Format("0x%X", unsigned(bytes_)));
  for (int i = 0; i < CFinddummyspace::kRegions; ++i) {
    uint32_t start = 0, length = 0;
    bool present = finder_.GetRegion(i, start, length);
    SetText(kRegionRadios[i], present ? Format("0x%06X - 0x%06X", unsigned(start), unsigned(start + length))
                                      : std::string("利用できません"));
  }
  SetText(IDC_SPACE_MAXIMUM, "10");
  Check(IDC_SPACE_AUTO, true);
  SetMode(Mode::kAutomatic);
  return true;
}

void CChooseSpaceDialog::SetMode(Mode mode) {
  mode_ = mode;
  Enable(kModeControls, false);
  switch (mode) {
    case Mode::kAutomatic:
      Enable({IDC_SPACE_NO_APPEND, IDOK}, true);
      break;
    case Mode::kManual:
      for (int i = 0; i < CFinddummyspace::kRegions; ++i) {
        uint32_t start = 0, length = 0;
        Enable({kRegionRadios[i]}, finder_.GetRegion(i, start, length));
      }
      Enable({IDC_SPACE_APPEND, IDC_SPACE_FIRST_ONLY, IDC_SPACE_MAXIMUM, IDC_SPACE_RESULTS}, true);
      Enable({IDC_SPACE_SEARCH}, target_ != 0);
      Enable({IDOK}, searched_);
      break;
    case Mode::kAddress:
      Enable({IDC_SPACE_ADDRESS, IDOK}, true);
      break;
  }
}

void CChooseSpaceDialog::SetTarget(int target) {
  target_ = target;
  if (mode_ == Mode::kManual) Enable({IDC_SPACE_SEARCH}, true);
}

void CChooseSpaceDialog::Search() {
  if (mode_ != Mode::kManual || target_ == 0) return;
  if (target_ == kAppendTarget) {
    if (uint32_t offset = finder_.Finddummyspaceadd()) {
      ListReset(IDC_SPACE_RESULTS);
      const std::string line = Format("0x%06X", unsigned(offset));
      const char* lines[] = {line.c_str()};
      ListFill(IDC_SPACE_RESULTS, lines);
      ListSelect(IDC_SPACE_RESULTS, 0);
      searched_ = true;
      Enable({IDOK}, true);
    }
    return;
  }
  int maximum = Checked(IDC_SPACE_FIRST_ONLY) ? 1 : std::atoi(Text(IDC_SPACE_MAXIMUM).c_str());
  if (maximum <= 0) {
    Box("出力数が異常です", "error", MB_OK | MB_ICONERROR);
    return;
  }
  ListReset(IDC_SPACE_RESULTS);
  uint32_t start = 0, length = 0;
  std::vector<uint32_t> found;
  bool ok = finder_.GetRegion(target_ - 1, start, length) &&
            finder_.Finddummyspacelist(start, start + length, bytes_, found, uint64_t(maximum));
  if (!ok || found.empty()) {
    Box("検索できませんでした。", "error", MB_OK | MB_ICONERROR);
    return;
  }
  std::vector<std::string> lines;
  for (uint32_t offset : found) lines.push_back(Format("0x%06X", unsigned(offset)));
  std::vector<const char*> entries;
  for (const std::string& line : lines) entries.push_back(line.c_str());
  ListFill(IDC_SPACE_RESULTS, entries);
  ListSelect(IDC_SPACE_RESULTS, 0);
  searched_ = true;
  Enable({IDOK}, true);
}

void CChooseSpaceDialog::Accept() {
  switch (mode_) {
    case Mode::kAutomatic:
      return AcceptAutomatic();
    case Mode::kManual:
      return AcceptManual();
    case Mode::kAddress:
      return AcceptAddress();
  }
}

void CChooseSpaceDialog::AcceptAutomatic() {
  for (int i = 0; i < CFinddummyspace::kRegions; ++i) {
    uint32_t start = 0, length = 0;
    if (!finder_.GetRegion(i, start, length)) continue;
    if (uint32_t offset = finder_.Finddummyspace(start, start + length, bytes_)) {
      finder_.value = offset;
      End(1);
      return;
    }
  }
  if (Checked(IDC_SPACE_NO_APPEND)) {
    Box("見つかりませんでした。", "error", MB_OK | MB_ICONERROR);
    return;
  }
  if (uint32_t offset = finder_.Finddummyspaceadd()) {
    finder_.value = offset;
    End(1);
  }
}

void CChooseSpaceDialog::AcceptManual() {
  int selected = ListSelection(IDC_SPACE_RESULTS);
  if (selected < 0) return;
  wchar_t line[64] = {};
  if (SendDlgItemMessageW(hwnd(), IDC_SPACE_RESULTS, LB_GETTEXTLEN, WPARAM(selected), 0) >= 64) return;
  SendDlgItemMessageW(hwnd(), IDC_SPACE_RESULTS, LB_GETTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(line));
  uint32_t offset = uint32_t(std::wcstoul(line, nullptr, 0));
  if (offset == 0) {
    Box("変換エラー？", "error", MB_OK | MB_ICONERROR);
    return;
  }
  finder_.value = offset;
  End(1);
}

void CChooseSpaceDialog::AcceptAddress() {
  std::string text = Text(IDC_SPACE_ADDRESS).substr(0, 249);
  // An address beyond 32 bits is no place at all, not its low bits or the largest one.
  const unsigned long long typed = std::strtoull(text.c_str(), nullptr, 0);
  const uint32_t offset = typed <= 0xFFFFFFFFull ? uint32_t(typed) : 0;
  if (offset == 0) {
    Box("変換エラーです。", "error", MB_OK | MB_ICONERROR);
    return;
  }
  std::string question = Format("0x%X に書き込みます。よろしいですか？", unsigned(offset));
  if (Box(question.c_str(), "question", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  finder_.value = offset;
  End(1);
}

int CChooseSpaceDialog::Box(const char* text, const char* title, UINT type) const {
  return MessageBoxW(hwnd(), platform::win::Wide(text).c_str(), platform::win::Wide(title).c_str(), type);
}
