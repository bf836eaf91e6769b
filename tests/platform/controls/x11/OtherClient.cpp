#include "tests/platform/controls/x11/OtherClient.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

namespace other_client {

namespace {
// The window's UTF-8 title (_NET_WM_NAME), which titles beyond Latin-1 need.
std::string Utf8Name(win::x11::Connection& c, ::Window w) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string out;
  if (XGetWindowProperty(c.Display(), w, c.Atom("_NET_WM_NAME"), 0, 1024, False, c.Atom("UTF8_STRING"), &type,
                         &format, &count, &after, &data) == Success &&
      data && format == 8)
    out.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  return out;
}
}  // namespace

unsigned long FindViewable(win::x11::Connection& c, const char* title) {
  ::Display* dpy = c.Display();
  ::Window root = 0, parent = 0, *children = nullptr, found = 0;
  unsigned n = 0;
  XQueryTree(dpy, c.Root(), &root, &parent, &children, &n);
  for (unsigned i = 0; i < n && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(dpy, children[i], &name) && name && std::string(name) == title) found = children[i];
    if (name) XFree(name);
    if (!found && Utf8Name(c, children[i]) == title) found = children[i];
  }
  if (children) XFree(children);
  XWindowAttributes a{};
  return found && XGetWindowAttributes(dpy, found, &a) && a.map_state == IsViewable ? found : 0;
}

std::set<unsigned long> Colours(win::x11::Connection& c, unsigned long window, const win::RECT& r) {
  std::set<unsigned long> out;
  XImage* img = XGetImage(c.Display(), window, r.left, r.top, unsigned(r.right - r.left), unsigned(r.bottom - r.top),
                          AllPlanes, ZPixmap);
  if (!img) return out;
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x) out.insert(XGetPixel(img, x, y) & 0xFFFFFF);
  XDestroyImage(img);
  return out;
}

void Button(win::x11::Connection& c, unsigned long window, bool press, int x, int y) {
  XEvent e{};
  e.xbutton.type = press ? ButtonPress : ButtonRelease;
  e.xbutton.display = c.Display();
  e.xbutton.window = window;
  e.xbutton.root = c.Root();
  e.xbutton.same_screen = True;
  e.xbutton.button = 1;
  e.xbutton.state = press ? 0 : Button1Mask;
  e.xbutton.x = x;
  e.xbutton.y = y;
  XSendEvent(c.Display(), window, False, press ? ButtonPressMask : ButtonReleaseMask, &e);
  Sync(c);
}

void DragTo(win::x11::Connection& c, unsigned long window, int x, int y) {
  XEvent e{};
  e.xmotion.type = MotionNotify;
  e.xmotion.display = c.Display();
  e.xmotion.window = window;
  e.xmotion.root = c.Root();
  e.xmotion.same_screen = True;
  e.xmotion.state = Button1Mask;
  e.xmotion.x = x;
  e.xmotion.y = y;
  XSendEvent(c.Display(), window, False, PointerMotionMask | ButtonMotionMask, &e);
  Sync(c);
}

void Sync(win::x11::Connection& c) { XSync(c.Display(), False); }

}  // namespace other_client
