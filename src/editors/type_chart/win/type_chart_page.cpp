#include "editors/type_chart/win/type_chart_page.h"

#include "core/failure_text.h"
#include "core/free_space.h"
#include "core/win/relocation_dialog.h"
#include "editors/type_chart/type_chart_layout.h"
#include "editors/type_chart/win/type_chart_ids.h"
#include "platform/file.h"
#include "text/name_tables.h"

using toolkit::win::CDialogItems;

namespace {

constexpr int kControls[] = {IDC_CHART_ATTACKER, IDC_CHART_DEFENDER, IDC_CHART_MULTIPLIER, IDC_CHART_STORE,
                             IDC_CHART_REPOINT};

// Dialog 133 for the type chart: a new number of entries, each 3 bytes, plus the end marker.
class CTypeChartRelocation final : public CRelocationDialog {
 public:
  explicit CTypeChartRelocation(CVantari_Compatibility& page)
      : CRelocationDialog(FreeSpace()), page_(page) {}

 protected:
  std::string Caption() const override { return "相性変更～"; }
  std::string CountLabel() const override { return "相性の数："; }
  int InitialCount() const override { return page_.rules().count(); }
  uint64_t ByteSize(int count, int) const override { return type_chart_layout::ListBytes(count); }
  std::string MissingChoiceText() const override { return "repointするアドレスを指定してください。"; }
  std::string BadCountText() const override { return "相性の数がおかしいです。"; }
  bool Write(const Placement& placement) override {
    if (!page_.GbaRomData_Comp_Data_Save(placement.offset, placement.count, placement.copy_old)) return false;
    page_.ReInd();
    return true;
  }
  int CountEditWidth() const override { return 50; }

 private:
  CVantari_Compatibility& page_;
};

}  // namespace

CVantari_Compatibility::CVantari_Compatibility() {
  commands.On(IDC_CHART_LIST, LBN_SELCHANGE, [this] {
    rules().set_current(page().ListSelection(IDC_CHART_LIST));
    ShowEntry(page());
  });
  commands.On(IDC_CHART_STORE, BN_CLICKED, [this] {
    CDialogItems p = page();
    TypeChartView chosen{p.ComboSelection(IDC_CHART_ATTACKER), p.ComboSelection(IDC_CHART_DEFENDER),
                         p.ComboSelection(IDC_CHART_MULTIPLIER)};
    if (auto line = rules().Store(chosen)) {
      p.ListReplace(IDC_CHART_LIST, rules().current(), *line);
      ShowEntry(p);
    }
  });
  commands.On(IDC_CHART_REPOINT, BN_CLICKED, [this] { RePoint(); });
}

void CVantari_Compatibility::Fill(CDialogItems page) {
  bool enabled = rules().loaded();
  page.Enable(kControls, enabled);
  if (!enabled) {
    // A list that could not be read again shows no lines of the one it replaced.
    page.ListReset(IDC_CHART_LIST);
    return;
  }
  // Wide enough for the four-character type names, so that the columns stay in line.
  const int stops[] = {40, 80, 120};
  SendMessageW(page.Item(IDC_CHART_LIST), LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(stops));
  page.ComboFill(IDC_CHART_ATTACKER, text::kTypeNames);
  page.ComboFill(IDC_CHART_DEFENDER, text::kTypeNames);
  page.ComboFill(IDC_CHART_MULTIPLIER, kMultiplierNames);
  std::vector<std::string> lines;
  for (int32_t i = 0; i < rules().count(); ++i) lines.push_back(rules().Line(i));
  std::vector<const char*> entries;
  for (const std::string& line : lines) entries.push_back(line.c_str());
  SendMessageW(page.Item(IDC_CHART_LIST), WM_SETREDRAW, FALSE, 0);
  page.ListFill(IDC_CHART_LIST, entries);
  SendMessageW(page.Item(IDC_CHART_LIST), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(page.Item(IDC_CHART_LIST), nullptr, TRUE);
  page.ListSelect(IDC_CHART_LIST, rules().current());
  ShowEntry(page);
}

void CVantari_Compatibility::ShowEntry(CDialogItems page) {
  auto view = rules().Show();
  if (!view) return;
  page.ComboSelect(IDC_CHART_ATTACKER, view->attacker);
  page.ComboSelect(IDC_CHART_DEFENDER, view->defender);
  page.ComboSelect(IDC_CHART_MULTIPLIER, view->multiplier);
}

void CVantari_Compatibility::RePoint() {
  CTypeChartRelocation dialog(*this);
  dialog.Run(hWnd);
}

bool CVantari_Compatibility::GbaRomData_Comp_Data_Save(uint32_t offset, int count, bool copy) {
  std::string error;
  if (!rules().Relocate(TabSystem().rom_path(), offset, count, copy, error)) {
    TabSystem().SetErrorText(error);
    ShowStatus(FailureOf(*this, "GbaRomData_Comp_Data_Save", error));
    return false;
  }
  ShowStatus("保存しました。");
  return true;
}

void CVantari_Compatibility::ReInd() {
  std::string error;
  if (!rules().Reread(TabSystem().rom_path(), error)) ShowStatus(FailureOf(*this, "ReInd", error));
  if (hWnd) Fill(page());
}
