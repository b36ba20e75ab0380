#pragma once
// The dialog templates of the ten pages, in tab order (each page's ids header repeats its own).
#define IDD_SOLID_VALUE 137
#define IDD_TAMAGO_SKILL 138
#define IDD_TRAINER_EDIT 131
#define IDD_ATTACK_EDIT 135
#define IDD_ITEM_EDIT 136
#define IDD_COMPATIBILITY 134
#define IDD_TEXT_EDITOR 0  // an MDI client, no template
#define IDD_IMAGE 139
#define IDD_COMMUNICATION_CHANGE 140
#define IDD_OMAKE 132
