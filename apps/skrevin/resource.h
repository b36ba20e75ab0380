#pragma once
// Resource ids of skrevin.
#define IDS_APP_TITLE 103
#define IDI_SKREVIN 107
#define IDI_SMALL 108
#define IDC_SKREVIN 109
