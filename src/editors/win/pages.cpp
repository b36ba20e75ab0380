#include "editors/win/pages.h"

#include <windows.h>

#include "core/win/frame_ids.h"
#include "editors/page_list.h"

int CTrainer_Edit::CreatePage(WindowHandle tab) {
  if (HMENU menu = GetMenu(TabSystem().main_window())) {
    EnableMenuItem(menu, IDM_TRAINER_PARTY, MF_BYCOMMAND | (has_trainer_data() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, IDM_TRAINER_PICTURE, MF_BYCOMMAND | (show_trainer_picture ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, IDM_TRAINER_MONSTER_PICTURE,
                  MF_BYCOMMAND | (show_monster_picture ? MF_CHECKED : MF_UNCHECKED));
  }
  return CWindowBase::CreatePage(tab);
}

void CTrainer_Edit::DestroyPage(bool final) {
  if (HMENU menu = GetMenu(TabSystem().main_window()))
    EnableMenuItem(menu, IDM_TRAINER_PARTY, MF_BYCOMMAND | MF_GRAYED);
  CWindowBase::DestroyPage(final);
}

void AddAllPages(CTabSystem& tabs) { AddPages<PageView>(tabs); }
