#pragma once
// The trainer editor's view: dialog 131 and the trainer rules; it also owns three items of the
// 設定 menu while it is shown and the beginner-mode switch.
#include <memory>

#include "core/win/page_view.h"
#include "toolkit/win/unique_handle.h"
#include "editors/trainer/trainer_rules.h"

class CTrainer_Edit final : public CPageView<CTrainerRules> {
 public:
  CTrainer_Edit();

  int CreatePage(WindowHandle tab) override;
  void DestroyPage(bool final) override;
  intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

  bool show_trainer_picture = true;
  bool show_monster_picture = true;

 private:
  void Fill(toolkit::win::CDialogItems page) override;
  void ShowTrainer(toolkit::win::CDialogItems page);
  void ShowParty(toolkit::win::CDialogItems page, int member);
  void ShowMember(toolkit::win::CDialogItems page, int member);
  void StoreTrainer();
  void StoreMember();
  void Search(bool forward);
  void ChangeParty();
  void DrawTrainerPicture(int index);
  void DrawMonsterPicture(int species);
  // Gets the picture from the sprite page into `control`; false (and no picture) without one.
  bool ShowPicture(int control, bool trainer, int index, toolkit::win::UniqueBitmap& held);
  void SetMenuCheck(unsigned id, bool checked) const;

  int picture_ = 0;            // trainer picture shown in the number edit
  int drawn_picture_ = -1;     // trainer picture last drawn
  int monster_picture_ = 0;    // species whose picture is shown
  int drawn_monster_ = -1;
  bool drawing_ = false;       // the number edit is being written by the page itself
  toolkit::win::UniqueBitmap trainer_bitmap_, monster_bitmap_;  // shown in 1031 and 1030
};

template <>
struct PageViewOf<CTrainerRules> {
  using type = CTrainer_Edit;
};
