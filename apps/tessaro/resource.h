#pragma once
// Resource ids of tessaro's main window; the pages' templates come with the pages.
#include "core/win/frame_ids.h"
