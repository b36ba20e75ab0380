#pragma once
// The Win32 view of every page. A page with an editor names its view (PageViewOf) in its view
// header, included here; the pages still to come are views without controls of their own.
#include "core/page_adapter.h"
#include "core/tab_system.h"
#include "core/win/page_view.h"
#include "editors/page_ids.h"

#include "editors/egg_moves/win/egg_moves_page.h"
#include "editors/extras/win/extras_page.h"
#include "editors/image/win/image_page.h"
#include "editors/item/win/item_page.h"
#include "editors/move/win/move_page.h"
#include "editors/text/win/text_page.h"
#include "editors/trades/win/trade_page.h"
#include "editors/trainer/win/trainer_page.h"
#include "editors/type_chart/win/type_chart_page.h"

class CSolid_Value final : public CPageAdapter<CNoTables<IDD_SOLID_VALUE>> {};

#define VANTARI_EMPTY_PAGE(id, view) \
  template <>                        \
  struct PageViewOf<CNoTables<id>> { \
    using type = view;               \
  }
VANTARI_EMPTY_PAGE(IDD_SOLID_VALUE, CSolid_Value);
#undef VANTARI_EMPTY_PAGE

// Adds the ten pages' views with their captions, in tab order.
void AddAllPages(CTabSystem& tabs);
