#pragma once
// The sprite page's view: dialog 139 over the sprite rules, and the front-sprite pictures the
// trainer page shows.
#include "core/win/page_view.h"
#include "editors/image/image_rules.h"

class CImage final : public CPageView<CImageRules> {
 public:
  CImage();
  intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

  // Frame 0 of a monster's (trainer false) or trainer's front sprite in its palette, as a new
  // 64 × 64 bitmap compatible with `window`'s device context; null on failure. The caller owns
  // the bitmap.
  HBITMAP GetImage(HWND window, bool trainer, long index);

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  // Shows the controls of the current mode and checks its radio.
  void LayOut(toolkit::win::CDialogItems page);
  // Reads the current entry and shows it.
  void ShowEntry(toolkit::win::CDialogItems page);
  void ShowAddresses(toolkit::win::CDialogItems page);
  void ShowBoxes(toolkit::win::CDialogItems page);
  void Report(const ImageMessages& messages, HWND owner);
  void Draw(const DRAWITEMSTRUCT& item) const;
  void Import();
  void Export();
};

template <>
struct PageViewOf<CImageRules> {
  using type = CImage;
};
