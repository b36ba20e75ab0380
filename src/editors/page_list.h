#pragma once
// tessaro's ten pages in tab order: the rules class of each and its caption. AddPages builds
// them through PageOf<Rules>: the Win32 views in tessaro, the bare page adapters in the native
// tests. A new page is one line here.
#include <memory>

#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "editors/egg_moves/egg_moves_rules.h"
#include "editors/extras/extras_rules.h"
#include "editors/image/image_rules.h"
#include "editors/item/item_rules.h"
#include "editors/monster/monster_rules.h"
#include "editors/move/move_rules.h"
#include "editors/page_ids.h"
#include "editors/trainer/trainer_rules.h"
#include "editors/trades/trade_rules.h"
#include "editors/type_chart/type_chart_rules.h"

template <template <class> class PageOf>
void AddPages(CTabSystem& tabs) {
  tabs.AddPage(std::make_unique<PageOf<CMonsterRules>>(), "ヴァンタリエディター");
  tabs.AddPage(std::make_unique<PageOf<CEggMoveRules>>(), "卵技変更");
  tabs.AddPage(std::make_unique<PageOf<CTrainerRules>>(), "トレーナーエディター");
  tabs.AddPage(std::make_unique<PageOf<CMoveRules>>(), "アタックエディター");
  tabs.AddPage(std::make_unique<PageOf<CItemRules>>(), "アイテムエディター");
  tabs.AddPage(std::make_unique<PageOf<CTypeChartRules>>(), "相性変更");
  tabs.AddPage(std::make_unique<PageOf<CNoTables<IDD_TEXT_EDITOR>>>(), "ヴァンタリテキストエディター");
  tabs.AddPage(std::make_unique<PageOf<CImageRules>>(), "ヴァンタリイメージエディター");
  tabs.AddPage(std::make_unique<PageOf<CTradeRules>>(), "通信交換エディター");
  tabs.AddPage(std::make_unique<PageOf<CExtrasRules>>(), "その他");
}
