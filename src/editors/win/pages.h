#pragma once
// The Win32 view of every page: each view header names its view (PageViewOf) and is included
// here.
#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "core/win/page_view.h"
#include "editors/page_ids.h"

#include "editors/egg_moves/win/egg_moves_page.h"
#include "editors/extras/win/extras_page.h"
#include "editors/image/win/image_page.h"
#include "editors/item/win/item_page.h"
#include "editors/monster/win/monster_page.h"
#include "editors/move/win/move_page.h"
#include "editors/text/win/text_page.h"
#include "editors/trades/win/trade_page.h"
#include "editors/trainer/win/trainer_page.h"
#include "editors/type_chart/win/type_chart_page.h"


// Adds the ten pages' views with their captions, in tab order.
void AddAllPages(CTabSystem& tabs);
