#include "tests/platform/x11/controls/XQueries.h"

#include <X11/Xlib.h>

#include <cstring>

namespace xvfb_test {

win::x11::XWindowId FindTopLevel(win::x11::Connection& Other, const char* Title) {
  ::Display* dpy = Other.Display();
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned n = 0;
  ::Window found = 0;
  XQueryTree(dpy, Other.Root(), &root, &parent, &children, &n);
  for (unsigned i = 0; i < n && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(dpy, children[i], &name) && name && std::strcmp(name, Title) == 0) found = children[i];
    if (name) XFree(name);
  }
  if (children) XFree(children);
  return found;
}

XWindowView ViewOf(win::x11::Connection& Other, win::x11::XWindowId Window) {
  XWindowView v;
  XWindowAttributes a{};
  if (!Window || !XGetWindowAttributes(Other.Display(), Window, &a)) return v;
  v.Viewable = a.map_state == IsViewable;
  v.OverrideRedirect = a.override_redirect;
  v.X = a.x;
  v.Y = a.y;
  v.Width = a.width;
  v.Height = a.height;
  return v;
}

void SendLeftClick(win::x11::Connection& Other, win::x11::XWindowId Window, int X, int Y) {
  ::Display* dpy = Other.Display();
  XEvent button{};
  button.xbutton.type = ButtonPress;
  button.xbutton.display = dpy;
  button.xbutton.root = Other.Root();
  button.xbutton.same_screen = True;
  button.xbutton.button = 1;
  button.xbutton.x = X;
  button.xbutton.y = Y;
  button.xbutton.window = Window;
  XSendEvent(dpy, Window, False, ButtonPressMask, &button);
  button.xbutton.type = ButtonRelease;
  button.xbutton.state = Button1Mask;
  XSendEvent(dpy, Window, False, ButtonReleaseMask, &button);
  XSync(dpy, False);
}

void SendKey(win::x11::Connection& Other, win::x11::XWindowId Window, unsigned long KeySym, unsigned State) {
  ::Display* dpy = Other.Display();
  XEvent key{};
  key.xkey.type = KeyPress;
  key.xkey.display = dpy;
  key.xkey.window = Window;
  key.xkey.root = Other.Root();
  key.xkey.same_screen = True;
  key.xkey.keycode = XKeysymToKeycode(dpy, KeySym);
  key.xkey.state = State;
  XSendEvent(dpy, Window, False, KeyPressMask, &key);
  key.xkey.type = KeyRelease;
  XSendEvent(dpy, Window, False, KeyReleaseMask, &key);
  XSync(dpy, False);
}

win::x11::XWindowId FocusedXWindow(win::x11::Connection& Other) {
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(Other.Display(), &focus, &revert);
  return focus;
}

void Sync(win::x11::Connection& Other) { XSync(Other.Display(), False); }

}  // namespace xvfb_test
