#pragma once
// Dialog templates of tessaro's pages, in tab order. Included by tessaro.rc and the code.
#define IDD_SOLID_VALUE 137
#define IDD_TAMAGO_SKILL 138
#define IDD_TRAINER_EDIT 131
#define IDD_ATTACK_EDIT 135
#define IDD_ITEM_EDIT 136
#define IDD_COMPATIBILITY 134
#define IDD_IMAGE 139
#define IDD_COMMUNICATION_CHANGE 140
#define IDD_OMAKE 132
