#pragma once
// What another program on the display does to our windows: finds them, reads their pixels
// and sends them pointer events. Kept apart from the component headers, whose names
// clash with the X headers'.
#include <set>

#include "platform/desktop/WinTypes.h"
#include "platform/x11/Connection.h"

namespace other_client {
// The viewable top-level X window named title; 0 when none.
unsigned long FindViewable(win::x11::Connection& c, const char* title);
// The colours (0xRRGGBB) in a rectangle of a window.
std::set<unsigned long> Colours(win::x11::Connection& c, unsigned long window, const win::RECT& r);
// A left-button press or release, or a move with the button held, at (x, y) in the window.
void Button(win::x11::Connection& c, unsigned long window, bool press, int x, int y);
void DragTo(win::x11::Connection& c, unsigned long window, int x, int y);
void Sync(win::x11::Connection& c);
}  // namespace other_client
