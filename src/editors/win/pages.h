#pragma once
// tessaro's ten pages in tab order. A page whose editor has not been built yet is a real page
// on its dialog template that holds no data: every operation succeeds.
#include "core/tab_system.h"
#include "editors/item/win/item_page.h"

class CEmptyPage : public CWindowBase {
 public:
  explicit CEmptyPage(int dialog_id) : dialog_id_(dialog_id) {}
  void Init(WindowHandle) override {}
  int InitDialog(WindowHandle) override { return 1; }
  intptr_t DialogProc(unsigned, uintptr_t, intptr_t) override { return 0; }
  int LoadSetting(const char*) override { return 1; }
  bool RomRead(platform::CFile&) override { return true; }
  bool RomSave(platform::CFile&) override { return true; }
  void FreeData() override {}
  int GetDialogId() override { return dialog_id_; }

 private:
  int dialog_id_;
};

class CSolid_Value : public CEmptyPage {
 public:
  CSolid_Value();
};
class CTamago_Skill : public CEmptyPage {
 public:
  CTamago_Skill();
};
// The trainer page owns three items of the 設定 menu while it is shown.
class CTrainer_Edit : public CEmptyPage {
 public:
  CTrainer_Edit();
  int CreatePage(WindowHandle tab) override;
  void DestroyPage(bool final) override;
  bool has_trainer_data() const { return false; }

  bool show_trainer_picture = true;
  bool show_monster_picture = true;
};
class CAttack_Edit : public CEmptyPage {
 public:
  CAttack_Edit();
};
class CVantari_Compatibility : public CEmptyPage {
 public:
  CVantari_Compatibility();
};
// The text editor's page is an MDI client that is only hidden on a tab switch; it has no
// template and nothing to load or save.
class CVText : public CEmptyPage {
 public:
  CVText();
  int CreatePage(WindowHandle) override { return 0; }
  void DestroyPage(bool) override {}
  void ResizePage(WindowHandle) override {}
};
class CImage : public CEmptyPage {
 public:
  CImage();
};
class CVantari_Communication_Change : public CEmptyPage {
 public:
  CVantari_Communication_Change();
};
class COmake : public CEmptyPage {
 public:
  COmake();
};

// Adds the ten pages with their captions, in tab order.
void AddAllPages(CTabSystem& tabs);
