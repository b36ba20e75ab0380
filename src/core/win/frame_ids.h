#pragma once
// Resource and command ids of tessaro's main window. Included by tessaro.rc and the code.
#define IDS_APP_TITLE 103
#define IDD_ABOUTBOX 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDI_TESSARO 107
#define IDC_TESSARO 109
#define IDB_ABOUT 110

#define IDM_OPEN_ROM 32771
#define IDM_TERMINATOR 32773
#define IDM_SAVE_ROM 32774
#define IDM_TRAINER_MONSTER_PICTURE 32778
#define IDM_TRAINER_PICTURE 32779
#define IDM_TRAINER_PARTY 32780
#define IDM_TEXT_NEW_WINDOW 32782
#define IDM_TEXT_CASCADE 32787
#define IDM_TEXT_TILE 32788
#define IDM_TEXT_CLOSE_ALL 32789
#define IDM_TEXT_ARRANGE 32790
#define IDM_BEGINNER 32791
#define IDM_VIEWNUMBER 32792
#define IDM_DUPLICATION 32793
#define IDM_MAKE_PATCH 32794
#define IDM_APPLY_PATCH 32795
#define IDM_UNDO 32810
#define IDM_REDO 32811
#define IDM_TABLE_EXPORT 32796
#define IDM_TABLE_IMPORT 32797

// The table-choice dialog of the table export and import.
#define IDD_TABLE_CHOOSE 120
#define IDC_TABLE_LIST 1200

#define IDC_TAB 289
#define IDC_STATUS_BAR 1

#ifndef RC_INVOKED
constexpr int kIdStatusBar = IDC_STATUS_BAR;
constexpr int kIdSaveRom = IDM_SAVE_ROM;
#endif
