#include "editors/win/pages.h"

#include <windows.h>

#include "editors/page_list.h"

void AddAllPages(CTabSystem& tabs) { AddPages<PageView>(tabs); }
