#pragma once
// System error texts, in Shift-JIS, as the programs show them in their status bars.
#include <cstddef>
#include <string>

namespace platform {

// The system's message for an error code (FormatMessage on Windows: system table, default
// language, inserts ignored, at most 200 characters; strerror elsewhere), without a trailing
// line break.
std::string SystemErrorText(int code);

// The message for the calling thread's last error (GetLastError / errno).
std::string LastSystemErrorText();

// The last error's text copied into `buffer` of `size` bytes (cut to fit, zero-terminated);
// returns buffer.
char* CopyLastSystemErrorText(char* buffer, size_t size);

// Texts for a transfer that moved fewer bytes than asked for.
inline constexpr const char* kShortReadText = "指定バイト分読み込めませんでした。";
inline constexpr const char* kShortWriteText = "指定バイト分書き込めませんでした。";
// Text for an operation on a file that is not open.
inline constexpr const char* kNotOpenText = "ファイルが開かれていません。";

}  // namespace platform
