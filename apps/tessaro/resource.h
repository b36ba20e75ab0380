#pragma once
// Resource ids of tessaro: the main window's and the pages' templates.
#include "core/win/frame_ids.h"
#include "editors/win/page_ids.h"
