#pragma once
// Texts for status bars: printf-style messages with the status bars' limits, and setting one
// part from Shift-JIS.
#include <windows.h>

#include <cstdarg>
#include <string>
#include <string_view>

namespace toolkit::win {

// Formats a status message into `text`, cut to `max_chars` bytes. False, and `text` left
// alone, for a null format or one longer than 999 characters.
bool FormatStatusText(std::string& text, size_t max_chars, const char* format, va_list args);

// Shows `text` in part `part` of status bar `bar` (nothing without a bar).
void SetStatusPartText(HWND bar, int part, std::string_view text);

}  // namespace toolkit::win
