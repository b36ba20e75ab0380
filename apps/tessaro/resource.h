#pragma once
// Resource ids of tessaro.
#define IDS_APP_TITLE 103
#define IDI_TESSARO 107
#define IDC_TESSARO 109
