#pragma once
// What the X11 back end translates without a display: key symbols and virtual keys,
// pointer buttons, cursor shapes and the kind of X window a top-level window becomes.
#include <string>
#include <string_view>

#include "platform/desktop/Input.h"
#include "platform/desktop/WinTypes.h"

namespace win::x11 {

// The virtual key of an X key symbol (the unshifted symbol of the key), 0 when none.
UINT VkFromKeySym(unsigned long keysym);
// The key symbol a virtual key stands for (the unshifted one), 0 when none.
unsigned long KeySymFromVk(UINT vk);

// Text the layout typed with a key press that the key's WM_CHAR should carry: printable
// text only, and none while Ctrl is held (control characters come from the window
// system's own table, which knows which keys give none).
bool KeyTextIsTyped(std::string_view utf8, bool ctrlDown);
// Latin-1 bytes (what XLookupString gives without an input method) as UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

// A pointer button: a press of a mouse button, a wheel step, or nothing we use.
struct ButtonAction {
  enum Action { Nothing, Press, Wheel };
  Action Kind = Nothing;
  input::MouseButton Mouse = input::MouseButton::Left;
  int WheelDelta = 0;  // WM_MOUSEWHEEL units: +120 away from the user
};
ButtonAction TranslateButton(unsigned xbutton);

// The X font-cursor shape (cursorfont.h) for a stock cursor's name ("IDC_IBEAM"), or -1
// when the cursor is not a stock one.
int FontCursorShape(const std::string& name);

// How a top-level window appears on X. Windows the window manager frames show their
// client area; the manager draws the caption and borders.
struct WindowKind {
  bool OverrideRedirect = false;  // popups: menus, drop-downs, hints; never focused
  bool SkipTaskbar = false;
  const char* Type = "_NET_WM_WINDOW_TYPE_NORMAL";
};
WindowKind ClassifyWindow(DWORD style, DWORD exStyle, bool owned, const std::string& className);

}  // namespace win::x11
