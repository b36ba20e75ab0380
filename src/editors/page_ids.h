#pragma once
// Dialog templates of the pages that have no editor of their own yet, in tab order.
#define IDD_SOLID_VALUE 137
#define IDD_TAMAGO_SKILL 138
#define IDD_COMPATIBILITY 134
#define IDD_TEXT_EDITOR 0  // an MDI client, no template
#define IDD_IMAGE 139
#define IDD_COMMUNICATION_CHANGE 140
