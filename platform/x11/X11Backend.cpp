// The X11 back end: the clock, the wait for events and their dispatch, message boxes, and
// installing the back end.
#include "platform/x11/X11Backend.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <langinfo.h>
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"
#include "platform/x11/Clipboard.h"
#include "platform/x11/HotKeys.h"
#include "platform/x11/MessageBoxWindow.h"
#include "platform/x11/Tray.h"

namespace win::x11 {

namespace {
// X errors are reported, never fatal: a window that vanished under a request is not a
// reason to end the program.
int ReportError(::Display* dpy, XErrorEvent* e) {
  char text[256] = "";
  XGetErrorText(dpy, e->error_code, text, sizeof text);
  std::fprintf(stderr, "vantrel: X error: %s (request %d)\n", text, int(e->request_code));
  return 0;
}

// The window system's monitor: the X screen, less what panels reserve.
void SetMonitorFromScreen(Connection& c) {
  ::Display* dpy = c.Display();
  RECT bounds{0, 0, DisplayWidth(dpy, c.Screen()), DisplayHeight(dpy, c.Screen())};
  RECT work = bounds;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy, c.Root(), c.Atom("_NET_WORKAREA"), 0, 4, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      data && format == 32 && count >= 4) {
    const long* v = reinterpret_cast<const long*>(data);
    if (v[2] > 0 && v[3] > 0) work = RECT{int(v[0]), int(v[1]), int(v[0] + v[2]), int(v[1] + v[3])};
  }
  if (data) XFree(data);
  headless::SetMonitors({headless::MonitorSetup{bounds, work}});
}
}  // namespace

X11Backend::X11Backend(std::unique_ptr<Connection> connection) : FConnection(std::move(connection)) {
  ::Display* dpy = FConnection->Display();
  XSetErrorHandler(ReportError);
  // Held keys repeat as presses only, as on the window system's own keyboard.
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(dpy, True, &detectable);
  if (XSupportsLocale()) {
    XSetLocaleModifiers("");
    FInputMethod = XOpenIM(dpy, nullptr, nullptr, nullptr);
  }
  SetMonitorFromScreen(*FConnection);
  StartServices();
}

X11Backend::~X11Backend() {
  StopServices();
  std::vector<HWND> all;
  for (auto& [hwnd, w] : FWindows) all.push_back(hwnd);
  for (HWND h : all) Unrealize(h);
  for (auto& [handle, cursor] : FCursors) XFreeCursor(FConnection->Display(), cursor);
  if (FInputMethod) XCloseIM(FInputMethod);
  XSync(FConnection->Display(), False);
}

std::uint64_t X11Backend::Now() {
  using namespace std::chrono;
  return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool X11Backend::WaitForEvents(int timeoutMs) {
  ::Display* dpy = FConnection->Display();
  Flush();
  if (XPending(dpy) == 0) {
    pollfd p{FConnection->Fd(), POLLIN, 0};
    if (poll(&p, 1, timeoutMs < 0 ? -1 : timeoutMs) <= 0) return false;
  }
  bool any = false;
  // A bounded batch: timers and painting get their turn under a flood of events.
  for (int n = 0; n < 256 && XPending(dpy) > 0; ++n) {
    XEvent event;
    XNextEvent(dpy, &event);
    any = true;
    if (FConnection->Filter(event)) continue;
    if (XFilterEvent(&event, 0)) continue;
    HandleEvent(event);
  }
  if (FFocusCheck) CheckFocus();
  ApplyCursor();
  Flush();
  return any;
}

void X11Backend::HandleEvent(XEvent& event) {
  XWin* w = FindX(event.xany.window);
  if (!w) return;
  switch (event.type) {
    case Expose:
      w->Dirty = true;
      break;
    case ConfigureNotify:
      HandleConfigure(*w, event);
      break;
    case MapNotify:
      HandleMap(*w);
      break;
    case UnmapNotify:
      HandleUnmap(*w);
      break;
    case FocusIn:
    case FocusOut:
      HandleFocus(*w, event);
      break;
    case KeyPress:
    case KeyRelease:
      HandleKey(*w, event);
      break;
    case ButtonPress:
    case ButtonRelease:
      HandleButton(*w, event);
      break;
    case MotionNotify:
    case EnterNotify:
    case LeaveNotify:
      HandlePointer(*w, event);
      break;
    case ClientMessage:
      // The window manager's close button; a window under a modal box stays.
      if (event.xclient.message_type == FConnection->Atom("WM_PROTOCOLS") && event.xclient.format == 32 &&
          Atom(event.xclient.data.l[0]) == FConnection->Atom("WM_DELETE_WINDOW") && IsWindowEnabled(w->Hwnd))
        PostMessageA(w->Hwnd, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

void X11Backend::Beep(UINT) {
  XBell(FConnection->Display(), 0);
  XFlush(FConnection->Display());
}

int X11Backend::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  return RunMessageBoxWindow(owner, text, caption, type);
}

bool InstallX11Backend() {
  // Input methods and UTF-8 key text follow the user's character set; numbers and dates
  // keep the program's own formats.
  const char* set = std::setlocale(LC_CTYPE, "");
  if (!set || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
  std::unique_ptr<Connection> c = Connection::Open();
  if (!c) return false;
  InstallBackend(std::make_unique<X11Backend>(std::move(c)));
  return true;
}

}  // namespace win::x11
