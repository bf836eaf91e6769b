// vantrel-test-tray: a minimal freedesktop system tray for end-to-end tests.
// It owns _NET_SYSTEM_TRAY_S<screen> (taking it over from a running tray), announces
// itself with a MANAGER message, and docks icons that send SYSTEM_TRAY_REQUEST_DOCK by
// reparenting them (XEMBED) into a panel at the bottom right of the screen. It reports on
// stdout, one line per event:
//   ready <panel window>
//   docked <icon window> <x> <y> <width> <height> <name>     (root coordinates of the icon)
//   undocked <icon window>
// and ends (status 0) when another tray takes the selection or on SIGTERM/SIGINT.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

volatile sig_atomic_t gStop = 0;
void OnSignal(int) { gStop = 1; }

constexpr int kSlot = 24;
constexpr int kIconSize = 22;
constexpr long kRequestDock = 0;
constexpr long kEmbeddedNotify = 0;
constexpr long kXEmbedMapped = 1;

struct Docked {
  Window Id;
  int Slot;
};

std::string NameOf(Display* dpy, Window w) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_WM_NAME", False), 0, 1024, False, AnyPropertyType, &type,
                         &format, &count, &after, &data) == Success &&
      data) {
    name.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  std::replace(name.begin(), name.end(), '\n', ' ');
  return name;
}

bool WantsMapped(Display* dpy, Window w) {
  Atom info = XInternAtom(dpy, "_XEMBED_INFO", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  bool mapped = true;  // no _XEMBED_INFO: show it anyway
  if (XGetWindowProperty(dpy, w, info, 0, 2, False, info, &type, &format, &count, &after, &data) == Success && data) {
    if (format == 32 && count >= 2) mapped = (reinterpret_cast<long*>(data)[1] & kXEmbedMapped) != 0;
    XFree(data);
  }
  return mapped;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main() {
  signal(SIGTERM, OnSignal);
  signal(SIGINT, OnSignal);
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "vantrel-test-tray: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);  // icons may vanish at any time
  int screen = DefaultScreen(dpy);
  Window root = RootWindow(dpy, screen);
  int sw = DisplayWidth(dpy, screen), sh = DisplayHeight(dpy, screen);
  const int panelWidth = kSlot * 8, panelHeight = kSlot + 4;

  XSetWindowAttributes attrs{};
  attrs.override_redirect = True;
  attrs.background_pixel = 0x404850;
  attrs.event_mask = SubstructureNotifyMask;
  Window panel = XCreateWindow(dpy, root, sw - panelWidth, sh - panelHeight, panelWidth, panelHeight, 0,
                               CopyFromParent, InputOutput, CopyFromParent,
                               CWOverrideRedirect | CWBackPixel | CWEventMask, &attrs);
  XStoreName(dpy, panel, "vantrel-test-tray");
  XMapRaised(dpy, panel);

  Atom selection = XInternAtom(dpy, ("_NET_SYSTEM_TRAY_S" + std::to_string(screen)).c_str(), False);
  Atom opcode = XInternAtom(dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
  Atom xembed = XInternAtom(dpy, "_XEMBED", False);
  XSetSelectionOwner(dpy, selection, panel, CurrentTime);
  if (XGetSelectionOwner(dpy, selection) != panel) {
    std::fprintf(stderr, "vantrel-test-tray: cannot take the tray selection\n");
    return 1;
  }
  XEvent manager{};
  manager.xclient.type = ClientMessage;
  manager.xclient.window = root;
  manager.xclient.message_type = XInternAtom(dpy, "MANAGER", False);
  manager.xclient.format = 32;
  manager.xclient.data.l[0] = CurrentTime;
  manager.xclient.data.l[1] = long(selection);
  manager.xclient.data.l[2] = long(panel);
  XSendEvent(dpy, root, False, StructureNotifyMask, &manager);
  XFlush(dpy);
  std::printf("ready 0x%lx\n", panel);
  std::fflush(stdout);

  std::vector<Docked> icons;
  auto freeSlot = [&] {
    for (int s = 0;; ++s)
      if (std::none_of(icons.begin(), icons.end(), [&](const Docked& d) { return d.Slot == s; })) return s;
  };
  auto undock = [&](Window w) {
    auto it = std::find_if(icons.begin(), icons.end(), [&](const Docked& d) { return d.Id == w; });
    if (it == icons.end()) return;
    icons.erase(it);
    std::printf("undocked 0x%lx\n", w);
    std::fflush(stdout);
  };

  while (!gStop) {
    if (!XPending(dpy)) {
      pollfd p{ConnectionNumber(dpy), POLLIN, 0};
      if (poll(&p, 1, 200) < 0 && !gStop) continue;
      if (p.revents & (POLLHUP | POLLERR)) break;
      if (!XPending(dpy)) continue;
    }
    XEvent e;
    XNextEvent(dpy, &e);
    if (e.type == SelectionClear && e.xselectionclear.selection == selection) break;
    if (e.type == ClientMessage && e.xclient.message_type == opcode && e.xclient.data.l[1] == kRequestDock) {
      Window icon = Window(e.xclient.data.l[2]);
      if (std::any_of(icons.begin(), icons.end(), [&](const Docked& d) { return d.Id == icon; })) continue;
      int slot = freeSlot();
      int x = panelWidth - kSlot * (slot + 1) + (kSlot - kIconSize) / 2, y = (panelHeight - kIconSize) / 2;
      XSelectInput(dpy, icon, StructureNotifyMask | PropertyChangeMask);
      XAddToSaveSet(dpy, icon);
      XReparentWindow(dpy, icon, panel, x, y);
      XResizeWindow(dpy, icon, kIconSize, kIconSize);
      XEvent notify{};
      notify.xclient.type = ClientMessage;
      notify.xclient.window = icon;
      notify.xclient.message_type = xembed;
      notify.xclient.format = 32;
      notify.xclient.data.l[0] = CurrentTime;
      notify.xclient.data.l[1] = kEmbeddedNotify;
      notify.xclient.data.l[3] = long(panel);
      notify.xclient.data.l[4] = 0;
      XSendEvent(dpy, icon, False, NoEventMask, &notify);
      if (WantsMapped(dpy, icon)) XMapRaised(dpy, icon);
      XSync(dpy, False);
      icons.push_back(Docked{icon, slot});
      std::printf("docked 0x%lx %d %d %d %d %s\n", icon, sw - panelWidth + x, sh - panelHeight + y, kIconSize,
                  kIconSize, NameOf(dpy, icon).c_str());
      std::fflush(stdout);
    } else if (e.type == DestroyNotify) {
      undock(e.xdestroywindow.window);
    } else if (e.type == ReparentNotify && e.xreparent.parent != panel) {
      undock(e.xreparent.window);
    }
  }
  XCloseDisplay(dpy);
  return 0;
}
