#pragma once
// glyfen's main window: the offset box, four buttons, the sheet at (0, 20) and the erasing
// status bar. The sheet and its rules live in CFont; the window moves paths and texts.
#include <windows.h>

#include "fontedit/font_sheet.h"
#include "toolkit/win/app_frame.h"
#include "toolkit/win/staus_wnd.h"
#include "toolkit/win/zozar_wnd.h"

namespace fontedit::win {

// Paints the sheet at (x, y) in its palette's colours.
void Draw(const CFont& font, HDC dc, int x, int y);

class CFontWindow : public toolkit::win::CAppFrame {
 public:
  enum : int { kIdOffset = 1001, kIdOpen, kIdSaveBitmap, kIdLoadBitmap, kIdSave, kIdStatus };
  static constexpr int kSheetTop = 20;

  // Class "glyfen class", titled "glyfen", at the system's default size.
  static toolkit::win::AppSpec Spec();

  const CFont& font() const { return font_; }
  std::string StatusText() const { return status_.Text(0); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void OnCommand(int id);
  // The offset in the box; a refusal is shown and gives false.
  bool Offset(uint64_t& offset);
  void ShowResult();

  CFont font_;
  toolkit::win::CStausWnd status_;
  toolkit::win::CZozarWnd offset_, open_, save_bitmap_, load_bitmap_, save_;
};

}  // namespace fontedit::win
