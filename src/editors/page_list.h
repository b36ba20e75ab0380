#pragma once
// tessaro's ten pages in tab order: the rules class of each and its caption. AddPages builds
// them through PageOf<Rules>: the Win32 views in tessaro, the bare page adapters in the native
// tests. A new page is one line here.
#include <memory>

#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "editors/extras/extras_rules.h"
#include "editors/item/item_rules.h"
#include "editors/monster/monster_rules.h"
#include "editors/move/move_rules.h"
#include "editors/page_ids.h"

template <template <class> class PageOf>
void AddPages(CTabSystem& tabs) {
  tabs.AddPage(std::make_unique<PageOf<CMonsterRules>>(), "ヴァンタリエディター");
  tabs.AddPage(std::make_unique<PageOf<CNoTables<IDD_TAMAGO_SKILL>>>(), "卵技変更");
  tabs.AddPage(std::make_unique<PageOf<CNoTables<IDD_TRAINER_EDIT>>>(), "トレーナーエディター");
  tabs.AddPage(std::make_unique<PageOf<CMoveRules>>(), "アタックエディター");
  tabs.AddPage(std::make_unique<PageOf<CItemRules>>(), "アイテムエディター");
  tabs.AddPage(std::make_unique<PageOf<CNoTables<IDD_COMPATIBILITY>>>(), "相性変更");
  tabs.AddPage(std::make_unique<PageOf<CNoTables<IDD_TEXT_EDITOR>>>(), "ヴァンタリテキストエディター");
  tabs.AddPage(std::make_unique<PageOf<CNoTables<IDD_IMAGE>>>(), "ヴァンタリイメージエディター");
  tabs.AddPage(std::make_unique<PageOf<CNoTables<IDD_COMMUNICATION_CHANGE>>>(), "通信交換エディター");
  tabs.AddPage(std::make_unique<PageOf<CExtrasRules>>(), "その他");
}
