#pragma once
// Controls of the type chart page (dialog 134).
#define IDD_TYPE_CHART 134
#define IDC_CHART_LIST 1044
#define IDC_CHART_ATTACKER 1045
#define IDC_CHART_DEFENDER 1046
#define IDC_CHART_MULTIPLIER 1047
#define IDC_CHART_STORE 128
#define IDC_CHART_REPOINT 1137
