// What the window manager and the server do to our windows: moves and resizes, mapping
// (minimise and restore through the manager's icons).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/x11/X11Backend.h"

namespace win::x11 {

void X11Backend::HandleConfigure(XWin& w, XEvent& event) {
  ::Display* dpy = FConnection->Display();
  const XConfigureEvent& c = event.xconfigure;
  // Under a reparenting manager the event's position is relative to its frame.
  int x = 0, y = 0;
  ::Window child = 0;
  if (!XTranslateCoordinates(dpy, w.Id, FConnection->Root(), 0, 0, &x, &y, &child)) return;
  RECT g{x, y, x + c.width, y + c.height};
  if (g.right - g.left != w.Geometry.right - w.Geometry.left || g.bottom - g.top != w.Geometry.bottom - w.Geometry.top)
    w.Dirty = true;
  w.Geometry = g;
  // Popups only move when the program moves them.
  if (w.OverrideRedirect || !w.WantMapped || IsIconic(w.Hwnd)) return;
  RECT wr{}, cr{};
  GetWindowRect(w.Hwnd, &wr);
  GetClientRect(w.Hwnd, &cr);
  POINT o{0, 0};
  ClientToScreen(w.Hwnd, &o);
  int left = g.left - (o.x - wr.left), top = g.top - (o.y - wr.top);
  int width = (wr.right - wr.left) - cr.right + c.width;
  int height = (wr.bottom - wr.top) - cr.bottom + c.height;
  if (left == wr.left && top == wr.top && width == wr.right - wr.left && height == wr.bottom - wr.top) return;
  FApplyingX = true;
  auto done = AtScopeExit([this] { FApplyingX = false; });
  SetWindowPos(w.Hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void X11Backend::HandleMap(XWin& w) {
  w.Mapped = true;
  w.Dirty = true;
  if (w.Iconic && IsWindowVisible(w.Hwnd) && IsIconic(w.Hwnd)) {
    if (!WindowManagerRunning()) return;
    // Restored from the manager's icon.
    w.Iconic = false;
    w.WantMapped = true;
    PostMessageA(w.Hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    return;
  }
  if (FocusTargetFor(GetActiveWindow()) == &w) Focus(w);
}

void X11Backend::HandleUnmap(XWin& w) {
  w.Mapped = false;
  if (w.OverrideRedirect || !w.WantMapped || IsIconic(w.Hwnd)) return;
  // Only the manager's own minimise (ICCCM state Iconic) minimises the window.
  ::Display* dpy = FConnection->Display();
  ::Atom wmState = FConnection->Atom("WM_STATE"), type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool iconic = XGetWindowProperty(dpy, w.Id, wmState, 0, 2, False, wmState, &type, &format, &count, &after,
                                   &data) == Success &&
                data && format == 32 && count >= 1 && reinterpret_cast<long*>(data)[0] == IconicState;
  if (data) XFree(data);
  if (!iconic) return;
  w.WantMapped = false;
  w.Iconic = true;
  PostMessageA(w.Hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

}  // namespace win::x11
