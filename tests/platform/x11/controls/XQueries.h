#pragma once
// What another program sees of our windows on the X server, for tests whose own code
// cannot include X's headers (their names clash with the class library's).
#include "platform/x11/Connection.h"

namespace xvfb_test {

struct XWindowView {
  bool Viewable = false;
  bool OverrideRedirect = false;
  int X = 0, Y = 0, Width = 0, Height = 0;
};

// The top-level window named Title; 0 when none.
win::x11::XWindowId FindTopLevel(win::x11::Connection& Other, const char* Title);
XWindowView ViewOf(win::x11::Connection& Other, win::x11::XWindowId Window);
// Sends a left click (press and release) at a point of Window.
void SendLeftClick(win::x11::Connection& Other, win::x11::XWindowId Window, int X, int Y);
// The modifier state of a key sent with Alt held (X's Mod1Mask).
inline constexpr unsigned XAltMask = 1u << 3;
// Sends a key press and release of the key of KeySym (an X keysym) to Window, with the
// modifier State (an X state mask) held.
void SendKey(win::x11::Connection& Other, win::x11::XWindowId Window, unsigned long KeySym, unsigned State = 0);
// The window that has the keyboard focus of the X server.
win::x11::XWindowId FocusedXWindow(win::x11::Connection& Other);
void Sync(win::x11::Connection& Other);

}  // namespace xvfb_test
