#pragma once
// Helpers for driving real windows from a test: message pumping, host windows, modal answers.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "toolkit/win/unique_handle.h"

namespace gui_test {

// Dispatches this thread's messages for `ms` milliseconds.
void Pump(DWORD ms);

// How long `work` takes, in milliseconds (for timings the tests print, never assert).
double Milliseconds(const std::function<void()>& work);

// A visible top-level window to put controls in.
toolkit::win::UniqueWindow MakeHost(int x, int y, int width, int height);
HWND MakeChild(HWND parent, const wchar_t* class_name, DWORD style, int x, int y, int width,
               int height, int id = 0);

// Runs `answer` on the first dialog this thread shows from now on (a common dialog, a message
// box), from a timer, so that a modal call in the test can return.
void AnswerNextDialog(std::function<void(HWND dialog)> answer);
bool DialogWasAnswered();
// Answers the next common open or save dialog with `path`; when the file exists and the dialog
// asks before replacing it, the question is answered yes. `title`, if given, gets the dialog's.
void AnswerFileDialog(const std::filesystem::path& path, std::string* title = nullptr);

// Saves what the screen shows of `window` as build/windows/screenshots/<name>.bmp.
void SaveScreenshot(HWND window, const char* name);

// A window's text as Shift-JIS.
std::string Text(HWND window);

}  // namespace gui_test
