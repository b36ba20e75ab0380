#pragma once
// The File menu's patch items. "パッチを作成..." makes the patch that turns an original ROM the
// user chooses into the loaded ROM as saved; "パッチを当てる..." applies a patch to the loaded
// ROM (or one the user chooses) and writes the result to a new file, which it offers to open.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

// Where the outcome is shown: the frame's status bar. A failure is also shown in a box.
using PatchReport = std::function<void(const std::string& text)>;

// Unsaved changes are pointed out first: saved on request, or left out of the patch.
void MakePatchFromMenu(HWND frame, const PatchReport& report);
// `open` loads the result when the user asks for it.
void ApplyPatchFromMenu(HWND frame, const PatchReport& report,
                        const std::function<void(const std::filesystem::path&)>& open);
