#pragma once
// Helpers for driving real windows from a test: message pumping, host windows, modal answers,
// screenshots, and the suite's other programs started as processes.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/win/unique_handle.h"

namespace gui_test {

// Dispatches this thread's messages for `ms` milliseconds.
void Pump(DWORD ms);

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
bool ReplaceWasAsked();

// Answers the dialogs this thread shows next, one function each, in turn (a dialog still closing
// after its answer is passed over); AnsweredInTurn() counts those answered so far.
using Answer = std::function<void(HWND dialog)>;
void AnswerInTurn(std::vector<Answer> answers);
size_t AnsweredInTurn();
// Answers: a file dialog given `path`; a box whose button `id` is pressed, its text kept in `text`.
Answer ChooseFile(const std::filesystem::path& path);
Answer PressButton(int id, std::string* text = nullptr);

// Saves what the screen shows of `window` as build/windows/screenshots/<name>.bmp.
void SaveScreenshot(HWND window, const char* name);

// A window's text as Shift-JIS.
std::string Text(HWND window);

// Polls for a shown top-level window of `pid` with `class_name` and `title` (null: any), for up
// to `ms` milliseconds. A window exists before the program has placed and shown it.
HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD ms, DWORD poll_ms = 100);

// `exe` (beside the test program) started in `directory` (null: the test's) with `arguments`.
class RunningProgram {
 public:
  RunningProgram(const wchar_t* exe, const std::wstring& arguments, const wchar_t* directory);
  // Closes `window` and expects the program to end with exit code 0.
  void CloseAndExpectExitCodeZero(HWND window);

  bool started = false;
  DWORD pid = 0;
  toolkit::win::UniqueKernelHandle process, thread;
};

}  // namespace gui_test
