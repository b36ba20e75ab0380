#pragma once
// The Win32 view of every page. A page with an editor names its view (PageViewOf) in its view
// header, included here; the pages still to come are views without controls of their own.
#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "core/win/page_view.h"
#include "editors/page_ids.h"

#include "editors/extras/win/extras_page.h"
#include "editors/item/win/item_page.h"
#include "editors/monster/win/monster_page.h"
#include "editors/move/win/move_page.h"
#include "editors/text/win/text_page.h"

class CTamago_Skill final : public CPageAdapter<CNoTables<IDD_TAMAGO_SKILL>> {};
// The trainer page owns three items of the 設定 menu while it is shown.
class CTrainer_Edit final : public CPageAdapter<CNoTables<IDD_TRAINER_EDIT>> {
 public:
  int CreatePage(WindowHandle tab) override;
  void DestroyPage(bool final) override;
  bool has_trainer_data() const { return false; }

  bool show_trainer_picture = true;
  bool show_monster_picture = true;
};
class CVantari_Compatibility final : public CPageAdapter<CNoTables<IDD_COMPATIBILITY>> {};
class CImage final : public CPageAdapter<CNoTables<IDD_IMAGE>> {};
class CVantari_Communication_Change final : public CPageAdapter<CNoTables<IDD_COMMUNICATION_CHANGE>> {};

#define VANTARI_EMPTY_PAGE(id, view) \
  template <>                        \
  struct PageViewOf<CNoTables<id>> { \
    using type = view;               \
  }
VANTARI_EMPTY_PAGE(IDD_TAMAGO_SKILL, CTamago_Skill);
VANTARI_EMPTY_PAGE(IDD_TRAINER_EDIT, CTrainer_Edit);
VANTARI_EMPTY_PAGE(IDD_COMPATIBILITY, CVantari_Compatibility);
VANTARI_EMPTY_PAGE(IDD_IMAGE, CImage);
VANTARI_EMPTY_PAGE(IDD_COMMUNICATION_CHANGE, CVantari_Communication_Change);
#undef VANTARI_EMPTY_PAGE

// Adds the ten pages' views with their captions, in tab order.
void AddAllPages(CTabSystem& tabs);
