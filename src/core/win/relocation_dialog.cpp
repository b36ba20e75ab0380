#include "core/win/relocation_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "core/win/free_space_ids.h"
#include "platform/win/wide.h"

namespace {

std::string Offset(uint32_t offset) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", unsigned(offset));
  return text;
}

// A hexadecimal field of at most 14 characters (64-bit: long has 32 bits on Windows).
long long HexField(const std::string& text) { return std::strtoll(text.substr(0, 14).c_str(), nullptr, 16); }

}  // namespace

bool CRelocationDialog::Run(HWND owner) {
  commands.On(IDC_RELOC_SEARCH, BN_CLICKED, [this] { Search(); });
  commands.On(IDOK, BN_CLICKED, [this] { Accept(); });
  commands.On(IDCANCEL, BN_CLICKED, [this] { End(0); });
  return DoModal(owner, IDD_RELOCATION) == 1;
}

bool CRelocationDialog::OnInitDialog() {
  SetWindowTextW(hwnd(), platform::win::Wide(Caption()).c_str());
  SetText(IDC_RELOC_COUNT_LABEL, CountLabel());
  std::vector<std::string> types = DataTypes();
  if (types.empty()) {
    ShowWindow(Item(IDC_RELOC_TYPE), SW_HIDE);
    ShowWindow(Item(IDC_RELOC_TYPE_LABEL), SW_HIDE);
  } else {
    std::vector<const char*> entries;
    for (const std::string& type : types) entries.push_back(type.c_str());
    ComboFill(IDC_RELOC_TYPE, entries);
    ComboSelect(IDC_RELOC_TYPE, InitialDataType());
  }
  SetText(IDC_RELOC_COUNT, InitialCountText());
  if (const int width = CountEditWidth(); width > 0) {
    RECT box;
    GetWindowRect(Item(IDC_RELOC_COUNT), &box);
    SetWindowPos(Item(IDC_RELOC_COUNT), nullptr, 0, 0, width, box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetText(IDC_RELOC_MAXIMUM, std::to_string(InitialMaximum()));
  uint32_t start = 0, length = 0;
  if (finder_.GetRegion(0, start, length)) {
    SetText(IDC_RELOC_START, Offset(start));
    SetText(IDC_RELOC_END, Offset(start + length));
  }
  Enable({IDOK}, false);
  return true;
}

int CRelocationDialog::Count() const { return std::atoi(Text(IDC_RELOC_COUNT).c_str()); }

int CRelocationDialog::DataType() const { return DataTypes().empty() ? -1 : ComboSelection(IDC_RELOC_TYPE); }

void CRelocationDialog::Search() {
  Enable({IDOK}, false);
  long long start = HexField(Text(IDC_RELOC_START));
  long long end = HexField(Text(IDC_RELOC_END));
  if (start < 0 || start >= end || end > (long long)UINT32_MAX) {
    Box("offsetがおかしいです。", "error", MB_OK | MB_ICONERROR);
    return;
  }
  int count = Count();
  if (std::string refused = RefusedChoice(count, DataType()); !refused.empty()) {
    Box(refused, "error", MB_OK | MB_ICONERROR);
    return;
  }
  int maximum = std::atoi(Text(IDC_RELOC_MAXIMUM).c_str());
  if (maximum < 1) {
    maximum = 10;
    SetText(IDC_RELOC_MAXIMUM, "10");
  }
  if (Checked(IDC_RELOC_FIRST_ONLY)) maximum = 1;
  uint64_t bytes = ByteSize(count, DataType());
  ListReset(IDC_RELOC_RESULTS);
  std::vector<uint32_t> found;
  bool ok = bytes <= UINT32_MAX &&
            finder_.Finddummyspacelist(uint32_t(start), uint32_t(end), uint32_t(bytes), found, uint64_t(maximum));
  if (!ok || found.empty()) {
    Box("検索できませんでした。", "error", MB_OK | MB_ICONERROR);
    return;
  }
  searched_count_ = count;
  searched_type_ = DataType();
  std::vector<std::string> lines;
  for (uint32_t offset : found) lines.push_back(Offset(offset));
  std::vector<const char*> entries;
  for (const std::string& line : lines) entries.push_back(line.c_str());
  ListFill(IDC_RELOC_RESULTS, entries);
  ListSelect(IDC_RELOC_RESULTS, 0);
  Enable({IDOK}, true);
}

void CRelocationDialog::Accept() {
  int selected = ListSelection(IDC_RELOC_RESULTS);
  long long offset = 0;
  if (selected >= 0) {
    wchar_t line[64] = {};
    if (SendDlgItemMessageW(hwnd(), IDC_RELOC_RESULTS, LB_GETTEXTLEN, WPARAM(selected), 0) < 64) {
      SendDlgItemMessageW(hwnd(), IDC_RELOC_RESULTS, LB_GETTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(line));
      offset = std::wcstoll(line, nullptr, 16);
    }
  }
  // The places were found for the count and type of the search, whatever the fields say now.
  const int count = searched_count_;
  if (selected < 0 || offset <= 0 || count < 1) {
    const Refusal refusal =
        MissingChoice(selected < 0 ? Missing::kPlace : offset <= 0 ? Missing::kZeroPlace : Missing::kCount);
    Box(refusal.text, refusal.title.c_str(), MB_OK | MB_ICONERROR);
    return;
  }
  if (Write(Placement{uint32_t(offset), count, searched_type_, Checked(IDC_RELOC_COPY)})) End(1);
}

int CRelocationDialog::Box(const std::string& text, const char* title, UINT type) const {
  return MessageBoxW(hwnd(), platform::win::Wide(text).c_str(), platform::win::Wide(title).c_str(), type);
}
