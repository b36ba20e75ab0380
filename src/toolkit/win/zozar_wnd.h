#pragma once
// CZozarWnd: a thin wrapper around one child control (edit, button, check box, combo box,
// static). Text crosses it as Shift-JIS. Every operation does nothing when no window is wrapped.
// The wrapper does not own the window; it owns a font it created itself.
#include <windows.h>

#include <string>

#include "toolkit/win/unique_handle.h"

namespace toolkit::win {

class CZozarWnd {
 public:
  CZozarWnd() = default;
  explicit CZozarWnd(HWND window) { Init(window); }
  // A copy shares the window and the font but owns neither: the font stays with the original.
  CZozarWnd(const CZozarWnd& other) : window_(other.window_), font_(other.font_) {}
  CZozarWnd& operator=(const CZozarWnd& other);
  virtual ~CZozarWnd() = default;

  void Init(HWND window);
  HWND GethWnd() const { return window_; }
  bool owns_font() const { return static_cast<bool>(owned_font_); }
  HFONT font() const { return font_; }

  // Moves in the parent's client coordinates without resizing or activating; -1 keeps the
  // current coordinate.
  void MoveWindow(int x, int y);
  // Resizes without moving; -1 keeps the current width or height.
  void ResizeWindow(int cx, int cy);

  void SWText(const char* text);
  // printf-style, at most 1024 characters.
  void SWTextF(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Copies the window text (NUL-terminated, cut to `size`); returns its length.
  int GetText(char* buffer, int size) const;
  std::string GetText() const;

  // atoi of the first 256 characters; 0 when no window.
  int EditTextToValue() const;
  // The value written with `format` ("%ld" when null).
  void EditValueToText(long value, const char* format = nullptr);

  bool GetChk() const;
  void SetChk(bool checked);

  // "default": the stock GUI font. Otherwise a font of that face and height, kept by the
  // wrapper; the stock GUI font when it cannot be made.
  void SetFont(const char* name, int height);

 private:
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  UniqueFont owned_font_;
};

}  // namespace toolkit::win
