#pragma once
// The type chart page's view: dialog 134, the type chart rules, and the move of the list to free
// space through the relocation dialog (133).
#include "core/win/page_view.h"
#include "editors/type_chart/type_chart_rules.h"

class CVantari_Compatibility final : public CPageView<CTypeChartRules> {
 public:
  CVantari_Compatibility();

  // Writes a list of `count` entries at `offset` and points the chart at it; the status bar
  // says how it went. True when the ROM file was written.
  bool GbaRomData_Comp_Data_Save(uint32_t offset, int count, bool copy);
  // Reads the list again from the ROM file and refills the page.
  void ReInd();

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  void ShowEntry(toolkit::win::CDialogItems page);
  void RePoint();
};

template <>
struct PageViewOf<CTypeChartRules> {
  using type = CVantari_Compatibility;
};
