#pragma once
// The File menu's "表を書き出す..." and "表を読み込む...": the tables of the page shown (a page
// with several asks which), a file chosen in the common dialog, and the outcome in the status
// bar or, for a file with problems, in a box that lists them.
#include <windows.h>

#include <string>
#include <vector>

#include "frame/frame_status.h"

void RunTableCommand(HWND frame, bool import, CFrameStatus& status);

// The text of the box that lists an import's problems: the first lines, then how many more.
std::wstring ProblemBoxText(const std::vector<std::string>& lines, size_t shown = 20);
