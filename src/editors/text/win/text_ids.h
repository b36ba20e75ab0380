#pragma once
// The controls of a text document window.
#define IDC_TEXT_ADDR_LABEL 1
#define IDC_TEXT_OFFSET 56151
#define IDC_TEXT_LOAD 56153
#define IDC_TEXT_SAVE 56155
#define IDC_TEXT_OVERWRITE 56156
#define IDC_TEXT_BODY 56157
// The MDI client's first document id.
#define IDC_TEXT_FIRST_CHILD 5400
