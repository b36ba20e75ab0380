#pragma once
// Controls of the in-game trade page (dialog 140).
#define IDD_TRADES 140
#define IDC_TRADE_LIST 1147
#define IDC_TRADE_PARTNER 1148
#define IDC_TRADE_NICKNAME 1149
#define IDC_TRADE_STORE_PARTNER 1152
#define IDC_TRADE_STORE_NICKNAME 1153
#define IDC_TRADE_SPECIES_GIVEN 1146
#define IDC_TRADE_NATURE 1150
#define IDC_TRADE_SPECIES_ASKED 1151
#define IDC_TRADE_IV_HP 1069  // to 1074: HP, attack, defence, speed, special attack, special defence
#define IDC_TRADE_PERSONALITY 1157
#define IDC_TRADE_GENDER 1155
#define IDC_TRADE_ABILITY 1160
#define IDC_TRADE_SHINY 1156
#define IDC_TRADE_ID 1154
#define IDC_TRADE_ITEM 1158
#define IDC_TRADE_APPLY 1159
