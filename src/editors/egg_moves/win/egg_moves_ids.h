#pragma once
// Controls of the egg-move page (dialog 138).
#define IDD_EGG_MOVES 138
#define IDC_EGG_SPECIES 1132
#define IDC_EGG_STORE_SPECIES 1129
#define IDC_EGG_LEFT 1133
#define IDC_EGG_MOVE 1131
#define IDC_EGG_STORE_MOVE 1004
#define IDC_EGG_RIGHT 1130
#define IDC_EGG_NORMAL 1134
#define IDC_EGG_RAW 1135
