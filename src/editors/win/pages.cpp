#include "editors/win/pages.h"

#include <windows.h>

#include <memory>

#include "core/win/frame_ids.h"
#include "editors/win/page_ids.h"

CSolid_Value::CSolid_Value() : CEmptyPage(IDD_SOLID_VALUE) {}
CTamago_Skill::CTamago_Skill() : CEmptyPage(IDD_TAMAGO_SKILL) {}
CTrainer_Edit::CTrainer_Edit() : CEmptyPage(IDD_TRAINER_EDIT) {}
CAttack_Edit::CAttack_Edit() : CEmptyPage(IDD_ATTACK_EDIT) {}
CVantari_Compatibility::CVantari_Compatibility() : CEmptyPage(IDD_COMPATIBILITY) {}
CVText::CVText() : CEmptyPage(0) {}
CImage::CImage() : CEmptyPage(IDD_IMAGE) {}
CVantari_Communication_Change::CVantari_Communication_Change()
    : CEmptyPage(IDD_COMMUNICATION_CHANGE) {}
COmake::COmake() : CEmptyPage(IDD_OMAKE) {}

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

void AddAllPages(CTabSystem& tabs) {
  tabs.AddPage(std::make_unique<CSolid_Value>(), "ヴァンタリエディター");
  tabs.AddPage(std::make_unique<CTamago_Skill>(), "卵技変更");
  tabs.AddPage(std::make_unique<CTrainer_Edit>(), "トレーナーエディター");
  tabs.AddPage(std::make_unique<CAttack_Edit>(), "アタックエディター");
  tabs.AddPage(std::make_unique<CItem_Edit>(), "アイテムエディター");
  tabs.AddPage(std::make_unique<CVantari_Compatibility>(), "相性変更");
  tabs.AddPage(std::make_unique<CVText>(), "ヴァンタリテキストエディター");
  tabs.AddPage(std::make_unique<CImage>(), "ヴァンタリイメージエディター");
  tabs.AddPage(std::make_unique<CVantari_Communication_Change>(), "通信交換エディター");
  tabs.AddPage(std::make_unique<COmake>(), "その他");
}
