#include "tests/grid/x11/RealPointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

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
