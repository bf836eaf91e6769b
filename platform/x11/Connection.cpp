#include "platform/x11/Connection.h"

#include <X11/Xlib.h>

namespace win::x11 {

namespace {
int gTrappedError = 0;
int TrapHandler(::Display*, XErrorEvent* e) {
  if (gTrappedError == 0) gTrappedError = e->error_code;
  return 0;
}
}  // namespace

std::unique_ptr<Connection> Connection::Open(const char* displayName) {
  ::Display* dpy = XOpenDisplay(displayName);
  if (!dpy) return nullptr;
  std::unique_ptr<Connection> c(new Connection());
  c->FDisplay = dpy;
  c->FScreen = DefaultScreen(dpy);
  c->FRoot = RootWindow(dpy, c->FScreen);
  return c;
}

Connection::~Connection() {
  if (FDisplay) XCloseDisplay(FDisplay);
}

int Connection::Fd() const { return ConnectionNumber(FDisplay); }

XAtom Connection::Atom(const std::string& name) {
  auto it = FAtoms.find(name);
  if (it != FAtoms.end()) return it->second;
  XAtom a = XInternAtom(FDisplay, name.c_str(), False);
  FAtoms.emplace(name, a);
  return a;
}

void Connection::AddFilter(EventFilter filter) { FFilters.push_back(std::move(filter)); }

bool Connection::Filter(XEvent& event) {
  for (auto& f : FFilters)
    if (f(event)) return true;
  return false;
}

int Connection::Trapped(const std::function<void()>& fn) {
  XSync(FDisplay, False);
  int saved = gTrappedError;
  gTrappedError = 0;
  auto old = XSetErrorHandler(TrapHandler);
  fn();
  XSync(FDisplay, False);
  XSetErrorHandler(old);
  int result = gTrappedError;
  gTrappedError = saved;
  return result;
}

}  // namespace win::x11
