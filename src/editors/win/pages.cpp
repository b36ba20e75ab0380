#include "editors/win/pages.h"

#include <windows.h>

#include "editors/egg_moves/win/egg_moves_ids.h"
#include "editors/extras/win/extras_ids.h"
#include "editors/image/win/image_ids.h"
#include "editors/item/win/item_ids.h"
#include "editors/monster/win/monster_ids.h"
#include "editors/move/win/move_ids.h"
#include "editors/page_list.h"
#include "editors/trades/win/trade_ids.h"
#include "editors/trainer/win/trainer_ids.h"
#include "editors/type_chart/win/type_chart_ids.h"

// A page's dialog id is written in three places: its rules (kDialogId, which the adapter
// creates), the page list's ids and the template its resource script builds. They must agree.
static_assert(CMonsterRules::kDialogId == IDD_SOLID_VALUE);
static_assert(CEggMoveRules::kDialogId == IDD_TAMAGO_SKILL && IDD_TAMAGO_SKILL == IDD_EGG_MOVES);
static_assert(CTrainerRules::kDialogId == IDD_TRAINER_EDIT);
static_assert(CMoveRules::kDialogId == IDD_ATTACK_EDIT);
static_assert(CItemRules::kDialogId == IDD_ITEM_EDIT);
static_assert(CTypeChartRules::kDialogId == IDD_COMPATIBILITY && IDD_COMPATIBILITY == IDD_TYPE_CHART);
static_assert(CImageRules::kDialogId == IDD_IMAGE && IDD_IMAGE == IDD_IMAGE_EDIT);
static_assert(CTradeRules::kDialogId == IDD_COMMUNICATION_CHANGE && IDD_COMMUNICATION_CHANGE == IDD_TRADES);
static_assert(CExtrasRules::kDialogId == IDD_OMAKE);

void AddAllPages(CTabSystem& tabs) { AddPages<PageView>(tabs); }
