#include "tests/grid/x11/RealPointer.h"

#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace real_pointer {

bool Available(win::x11::Connection& c) {
  int event = 0, error = 0, major = 0, minor = 0;
  return XTestQueryExtension(c.Display(), &event, &error, &major, &minor);
}

void MoveTo(win::x11::Connection& c, int x, int y) {
  XTestFakeMotionEvent(c.Display(), -1, x, y, CurrentTime);
  XSync(c.Display(), False);
}

void LeftButton(win::x11::Connection& c, bool press) {
  XTestFakeButtonEvent(c.Display(), 1, press ? True : False, CurrentTime);
  XSync(c.Display(), False);
}

void RightButton(win::x11::Connection& c, bool press) {
  XTestFakeButtonEvent(c.Display(), 3, press ? True : False, CurrentTime);
  XSync(c.Display(), False);
}

bool OverWindow(win::x11::Connection& c) {
  ::Window root = 0, child = 0;
  int rx = 0, ry = 0, wx = 0, wy = 0;
  unsigned mask = 0;
  return XQueryPointer(c.Display(), c.Root(), &root, &child, &rx, &ry, &wx, &wy, &mask) && child != 0;
}

}  // namespace real_pointer

namespace real_pointer {

namespace {
void Press(::Display* d, KeyCode Code, bool Down) { XTestFakeKeyEvent(d, Code, Down ? True : False, CurrentTime); }
}  // namespace

void Key(win::x11::Connection& c, unsigned long KeySym) {
  ::Display* d = c.Display();
  const KeyCode Code = XKeysymToKeycode(d, KeySym);
  Press(d, Code, true);
  Press(d, Code, false);
  XSync(d, False);
}

void Ctrl(win::x11::Connection& c, bool press) {
  Press(c.Display(), XKeysymToKeycode(c.Display(), XK_Control_L), press);
  XSync(c.Display(), False);
}

void Type(win::x11::Connection& c, const std::string& Text) {
  ::Display* d = c.Display();
  const KeyCode Shift = XKeysymToKeycode(d, XK_Shift_L);
  for (char Ch : Text) {
    const KeySym Sym = static_cast<unsigned char>(Ch);  // printable ASCII keysyms are the characters
    const KeyCode Code = XKeysymToKeycode(d, Sym);
    const bool Shifted = XkbKeycodeToKeysym(d, Code, 0, 0) != Sym;
    if (Shifted) Press(d, Shift, true);
    Press(d, Code, true);
    Press(d, Code, false);
    if (Shifted) Press(d, Shift, false);
  }
  XSync(d, False);
}

}  // namespace real_pointer
