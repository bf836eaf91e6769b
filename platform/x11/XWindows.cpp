// Top-level and popup windows as X windows: creating them, their properties for the
// window manager, mapping, geometry, and copying the window images onto them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <cairo.h>
#include <unistd.h>

#include <vector>

#include "platform/desktop/Windows.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/x11/Translate.h"
#include "platform/x11/X11Backend.h"

namespace win::x11 {

namespace {
bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(std::size_t(n) + 1, '\0');
  s.resize(std::size_t(std::max(0, GetWindowTextA(hwnd, s.data(), n + 1))));
  return s;
}

std::string ClassName(HWND hwnd) {
  char buf[256] = "";
  GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

WindowKind KindOf(HWND hwnd) {
  return ClassifyWindow(DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)), DWORD(GetWindowLongPtr(hwnd, GWL_EXSTYLE)),
                        GetWindow(hwnd, GW_OWNER) != nullptr, ClassName(hwnd));
}

// How the window manager shows the window when it is mapped; it accepts the focus.
void SetInitialState(::Display* dpy, XWindowId id, int state) {
  XWMHints* h = XAllocWMHints();
  h->flags = StateHint | InputHint;
  h->initial_state = state;
  h->input = True;
  XSetWMHints(dpy, id, h);
  XFree(h);
}

const long kEventMask = ExposureMask | StructureNotifyMask | FocusChangeMask | KeyPressMask | KeyReleaseMask |
                        ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                        LeaveWindowMask;
}  // namespace

X11Backend::XWin* X11Backend::FindX(XWindowId id) {
  auto it = FByX.find(id);
  return it == FByX.end() ? nullptr : FindWin(it->second);
}

X11Backend::XWin* X11Backend::FindWin(HWND hwnd) {
  auto it = FWindows.find(hwnd);
  return it == FWindows.end() ? nullptr : it->second.get();
}

RECT X11Backend::XGeometryOf(HWND hwnd, bool overrideRedirect) {
  RECT r{};
  if (overrideRedirect) {
    GetWindowRect(hwnd, &r);
  } else {
    GetClientRect(hwnd, &r);
    POINT o{0, 0};
    ClientToScreen(hwnd, &o);
    r = RECT{o.x, o.y, o.x + r.right, o.y + r.bottom};
  }
  if (r.right <= r.left || r.bottom <= r.top) return RECT{};
  return r;
}

X11Backend::XWin* X11Backend::Realize(HWND hwnd) {
  if (XWin* w = FindWin(hwnd)) return w;
  WindowKind kind = KindOf(hwnd);
  RECT g = XGeometryOf(hwnd, kind.OverrideRedirect);
  // A window without an area (the hidden application window) shows nothing.
  if (g.right <= g.left) return nullptr;
  ::Display* dpy = FConnection->Display();
  XSetWindowAttributes a{};
  a.override_redirect = kind.OverrideRedirect ? True : False;
  a.save_under = kind.OverrideRedirect ? True : False;
  a.event_mask = kEventMask;
  a.bit_gravity = NorthWestGravity;
  a.background_pixmap = 0;
  XWindowId id = XCreateWindow(dpy, FConnection->Root(), g.left, g.top, unsigned(g.right - g.left),
                               unsigned(g.bottom - g.top), 0, CopyFromParent, InputOutput, CopyFromParent,
                               CWOverrideRedirect | CWSaveUnder | CWEventMask | CWBitGravity | CWBackPixmap, &a);
  if (!id) return nullptr;
  auto w = std::make_unique<XWin>();
  w->Hwnd = hwnd;
  w->Id = id;
  w->OverrideRedirect = kind.OverrideRedirect;
  w->Geometry = g;

  XClassHint cls{const_cast<char*>("vantrel"), const_cast<char*>("Vantrel")};
  XSetClassHint(dpy, id, &cls);
  ::Atom protocols[] = {FConnection->Atom("WM_DELETE_WINDOW")};
  XSetWMProtocols(dpy, id, protocols, 1);
  long pid = long(getpid());
  XChangeProperty(dpy, id, FConnection->Atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&pid), 1);
  if (FInputMethod) {
    w->InputContext = XCreateIC(FInputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                                id, XNFocusWindow, id, nullptr);
    long extra = 0;
    if (w->InputContext && !XGetICValues(w->InputContext, XNFilterEvents, &extra, nullptr) && extra)
      XSelectInput(dpy, id, kEventMask | extra);
  }
  XWin* raw = w.get();
  FByX[id] = hwnd;
  FWindows[hwnd] = std::move(w);
  return raw;
}

void X11Backend::Unrealize(HWND hwnd) {
  XWin* w = FindWin(hwnd);
  if (!w) return;
  if (w->Surface) cairo_surface_destroy(w->Surface);
  if (w->InputContext) XDestroyIC(w->InputContext);
  if (FGrab == w->Id) FGrab = 0;  // X ends a grab whose window goes
  XDestroyWindow(FConnection->Display(), w->Id);
  FByX.erase(w->Id);
  if (FSavedFocus && (FSavedFocus == hwnd || IsChild(hwnd, FSavedFocus))) FSavedFocus = nullptr;
  FWindows.erase(hwnd);
}

void X11Backend::UpdateProperties(XWin& w) {
  ::Display* dpy = FConnection->Display();
  WindowKind kind = KindOf(w.Hwnd);
  if (kind.OverrideRedirect != w.OverrideRedirect && !w.Mapped) {
    XSetWindowAttributes a{};
    a.override_redirect = kind.OverrideRedirect ? True : False;
    XChangeWindowAttributes(dpy, w.Id, CWOverrideRedirect, &a);
    w.OverrideRedirect = kind.OverrideRedirect;
  }
  ::Atom type = FConnection->Atom(kind.Type);
  XChangeProperty(dpy, w.Id, FConnection->Atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  if (!w.Mapped) {
    std::vector<::Atom> states;
    if (kind.SkipTaskbar) states.push_back(FConnection->Atom("_NET_WM_STATE_SKIP_TASKBAR"));
    if (GetWindowLongPtr(w.Hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) states.push_back(FConnection->Atom("_NET_WM_STATE_ABOVE"));
    XChangeProperty(dpy, w.Id, FConnection->Atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(states.data()), int(states.size()));
  }
  // Owned windows stay above their owner while it shows.
  XWindowId owner = 0;
  if (XWin* o = FindWin(GetWindow(w.Hwnd, GW_OWNER)); o && o->WantMapped) owner = o->Id;
  if (owner != w.TransientFor) {
    if (owner) XSetTransientForHint(dpy, w.Id, owner);
    else XDeleteProperty(dpy, w.Id, XA_WM_TRANSIENT_FOR);
    w.TransientFor = owner;
  }
  if (!w.OverrideRedirect) {
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PPosition | PSize | PWinGravity;
    hints->x = w.Geometry.left;
    hints->y = w.Geometry.top;
    hints->width = w.Geometry.right - w.Geometry.left;
    hints->height = w.Geometry.bottom - w.Geometry.top;
    hints->win_gravity = StaticGravity;  // positions are the client area's own
    if (!(GetWindowLongPtr(w.Hwnd, GWL_STYLE) & WS_THICKFRAME)) {
      hints->flags |= PMinSize | PMaxSize;
      hints->min_width = hints->max_width = hints->width;
      hints->min_height = hints->max_height = hints->height;
    }
    XSetWMNormalHints(dpy, w.Id, hints);
    XFree(hints);
  }
  std::string title = WindowText(w.Hwnd);
  if (title != w.Title || w.Title.empty()) {
    w.Title = title;
    XChangeProperty(dpy, w.Id, FConnection->Atom("_NET_WM_NAME"), FConnection->Atom("UTF8_STRING"), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
    char* list[] = {title.data()};
    XTextProperty tp{};
    if (Xutf8TextListToTextProperty(dpy, list, 1, XStdICCTextStyle, &tp) >= Success) {
      XSetWMName(dpy, w.Id, &tp);
      XSetWMIconName(dpy, w.Id, &tp);
      XFree(tp.value);
    }
  }
}

bool X11Backend::WindowManagerRunning() {
  ::Display* dpy = FConnection->Display();
  ::Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool running = XGetWindowProperty(dpy, FConnection->Root(), FConnection->Atom("_NET_SUPPORTING_WM_CHECK"), 0, 1,
                                    False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                 data && count == 1;
  if (data) XFree(data);
  return running;
}

void X11Backend::UpdateMapping(XWin& w) {
  ::Display* dpy = FConnection->Display();
  bool visible = IsWindowVisible(w.Hwnd) != 0;
  bool iconic = visible && IsIconic(w.Hwnd);
  if (!visible) {
    if (w.WantMapped || w.Iconic) {
      if (w.OverrideRedirect) XUnmapWindow(dpy, w.Id);
      else XWithdrawWindow(dpy, w.Id, FConnection->Screen());
    }
    w.WantMapped = w.Iconic = false;
    return;
  }
  if (iconic) {
    if (w.Iconic) return;
    // A minimised window goes to the window manager's icons; without one it is not shown.
    if (!w.OverrideRedirect && WindowManagerRunning()) {
      if (w.Mapped) {
        XIconifyWindow(dpy, w.Id, FConnection->Screen());
      } else {
        SetInitialState(dpy, w.Id, IconicState);
        XMapWindow(dpy, w.Id);
      }
    } else if (w.WantMapped) {
      XUnmapWindow(dpy, w.Id);
    }
    w.Iconic = true;
    w.WantMapped = false;
    return;
  }
  if (w.WantMapped) return;
  if (!w.OverrideRedirect) SetInitialState(dpy, w.Id, NormalState);
  // Coming back from an icon, the geometry may have changed meanwhile.
  RECT g = XGeometryOf(w.Hwnd, w.OverrideRedirect);
  if (g.right > g.left && !SameRect(g, w.Geometry)) {
    w.Geometry = g;
    XMoveResizeWindow(dpy, w.Id, g.left, g.top, unsigned(g.right - g.left), unsigned(g.bottom - g.top));
  }
  XMapRaised(dpy, w.Id);
  w.WantMapped = true;
  w.Iconic = false;
  w.Dirty = true;
}

void X11Backend::WindowCreated(HWND) {
  // X windows are made when a window first shows (its styles are final by then).
}

void X11Backend::WindowDestroyed(HWND hwnd) {
  Unrealize(hwnd);
  XFlush(FConnection->Display());
}

void X11Backend::WindowShown(HWND hwnd, bool visible) {
  XWin* w = visible ? Realize(hwnd) : FindWin(hwnd);
  if (!w) return;
  if (visible && !w->WantMapped) UpdateProperties(*w);
  UpdateMapping(*w);
  XFlush(FConnection->Display());
}

void X11Backend::WindowMoved(HWND hwnd, const RECT&) {
  XWin* w = FindWin(hwnd);
  if (!w) {
    // A window shown while it had no area (minimised) gets its X window once it has one.
    if (IsWindowVisible(hwnd) && !IsIconic(hwnd)) WindowShown(hwnd, true);
    return;
  }
  if (IsIconic(hwnd) != w->Iconic || (IsWindowVisible(hwnd) != 0) != (w->WantMapped || w->Iconic)) {
    UpdateMapping(*w);
    return;
  }
  if (w->Iconic || FApplyingX) return;
  RECT g = XGeometryOf(hwnd, w->OverrideRedirect);
  if (g.right <= g.left || SameRect(g, w->Geometry)) return;
  w->Geometry = g;
  w->Dirty = true;
  if (!w->OverrideRedirect) UpdateProperties(*w);
  XMoveResizeWindow(FConnection->Display(), w->Id, g.left, g.top, unsigned(g.right - g.left),
                    unsigned(g.bottom - g.top));
}

void X11Backend::SurfaceInvalidated(HWND hwnd, const RECT&) {
  if (XWin* w = FindWin(hwnd)) w->Dirty = true;
}

void X11Backend::Blit(XWin& w) {
  w.Dirty = false;
  cairo_surface_t* image = WindowImageSurface(w.Hwnd);
  if (!image) return;
  int width = w.Geometry.right - w.Geometry.left, height = w.Geometry.bottom - w.Geometry.top;
  if (width <= 0 || height <= 0) return;
  ::Display* dpy = FConnection->Display();
  if (!w.Surface) {
    w.Surface = cairo_xlib_surface_create(dpy, w.Id, DefaultVisual(dpy, FConnection->Screen()), width, height);
  } else {
    cairo_xlib_surface_set_size(w.Surface, width, height);
  }
  // The image covers the whole window; framed windows show its client area.
  RECT wr{};
  GetWindowRect(w.Hwnd, &wr);
  RECT src = XGeometryOf(w.Hwnd, w.OverrideRedirect);
  cairo_t* cr = cairo_create(w.Surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, image, -(src.left - wr.left), -(src.top - wr.top));
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(w.Surface);
}

void X11Backend::Flush() {
  UpdateGrab();
  for (auto& [hwnd, w] : FWindows) {
    if (!w->WantMapped) continue;
    if (w->Mapped && w->Dirty) Blit(*w);
    if (WindowText(hwnd) != w->Title) UpdateProperties(*w);
  }
  XFlush(FConnection->Display());
}

void X11Backend::Focus(XWin& w) {
  if (w.OverrideRedirect || !w.Mapped) return;
  ::Display* dpy = FConnection->Display();
  XRaiseWindow(dpy, w.Id);
  FConnection->Trapped([&] { XSetInputFocus(dpy, w.Id, RevertToParent, CurrentTime); });
  if (WindowManagerRunning()) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w.Id;
    e.xclient.message_type = FConnection->Atom("_NET_ACTIVE_WINDOW");
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1;  // from an application
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, FConnection->Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  }
}

X11Backend::XWin* X11Backend::FocusTargetFor(HWND active) {
  if (!active) return nullptr;
  if (XWin* w = FindWin(active)) return w;
  // A window not shown on X (the hidden application window) passes the focus to a shown
  // window it owns.
  for (auto& [hwnd, w] : FWindows)
    if (w->WantMapped && !w->OverrideRedirect && GetWindow(hwnd, GW_OWNER) == active) return w.get();
  return nullptr;
}

void X11Backend::WindowActivated(HWND hwnd) {
  if (FActivatingFromX) return;
  if (XWin* w = FocusTargetFor(hwnd)) Focus(*w);
}

}  // namespace win::x11
