#pragma once
// Base of our windows: `this` travels as the creation parameter, is kept in GWLP_USERDATA, and
// a static procedure forwards every message to the virtual handler. Nothing throws across it.
#include <windows.h>

namespace toolkit::win {

// A child control: its window class, its text in Shift-JIS, its own styles (WS_CHILD and
// WS_VISIBLE are always added), its id and its place in the parent's client area.
struct ChildControl {
  const wchar_t* window_class;
  const char* text;
  DWORD style;
  int id;
  int x, y, width, height;
  DWORD ex_style = 0;
};

// The stock GUI font, which most controls of the suite show their text in.
HFONT GuiFont();

// Creates `control` in `parent` and gives it `font` (a null font: the control keeps its own).
// Null when it cannot be made.
HWND CreateChildControl(HWND parent, const ChildControl& control, HFONT font = GuiFont());

// The object a window of ours belongs to: at WM_NCCREATE it is taken from the creation
// parameter (an MDI child's from its MDICREATESTRUCT) and kept in GWLP_USERDATA, where every
// later message finds it. Null before WM_NCCREATE and for a window created without one.
void* WindowObject(HWND hwnd, UINT message, LPARAM lparam);
// The same for a dialog: the WM_INITDIALOG parameter, kept in DWLP_USER.
void* DialogObject(HWND dialog, UINT message, LPARAM lparam);

class CNativeWindow {
 public:
  CNativeWindow() = default;
  virtual ~CNativeWindow();
  CNativeWindow(const CNativeWindow&) = delete;
  CNativeWindow& operator=(const CNativeWindow&) = delete;

  // Registers a window class whose windows are handled by CNativeWindow objects.
  static ATOM Register(HINSTANCE instance, const wchar_t* class_name, HICON icon, HICON small_icon,
                       const wchar_t* menu, HBRUSH background);

  HWND Create(const wchar_t* class_name, const wchar_t* title, DWORD style, DWORD ex_style,
              int x, int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance);

  HWND hwnd() const { return hwnd_; }

 protected:
  // Handles one message; the default hands it to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
};

}  // namespace toolkit::win
