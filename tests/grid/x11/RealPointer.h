#pragma once
// Real pointer and keyboard input on a display through the XTEST extension: the server
// moves its pointer and presses its buttons and keys as a user would. Kept apart from the
// component headers, whose names clash with the X headers'.
#include <string>

#include "platform/x11/Connection.h"

namespace real_pointer {
// Whether the display offers XTEST.
bool Available(win::x11::Connection& c);
// Moves the pointer to (x, y) on the screen, then presses or releases the left button.
void MoveTo(win::x11::Connection& c, int x, int y);
void LeftButton(win::x11::Connection& c, bool press);
void RightButton(win::x11::Connection& c, bool press);
// Whether a mapped top-level window lies under the pointer.
bool OverWindow(win::x11::Connection& c);
// Presses and releases the key of KeySym (an X keysym).
void Key(win::x11::Connection& c, unsigned long KeySym);
// Presses or releases the left Ctrl key.
void Ctrl(win::x11::Connection& c, bool press);
// Types Text (printable ASCII) key by key, holding Shift where the keyboard needs it.
void Type(win::x11::Connection& c, const std::string& Text);
}  // namespace real_pointer
