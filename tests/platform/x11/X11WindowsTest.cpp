// The window system's windows on a private Xvfb: what another program sees of them, their
// pixels, input sent to them, and changes the display makes to them.
#include <cstring>
#include <functional>

#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/x11/ServicesXvfb.h"

// X's headers last: their macros clash with names in the others.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

using namespace win;
using namespace win::x11;

namespace {

LRESULT RedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &r, red);
    DeleteObject(red);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class X11WindowsTest : public xvfb_test::TwoClientsTest {
protected:
  void SetUp() override {
    TwoClientsTest::SetUp();
    if (HasFatalFailure()) return;
    InstallDrawingHooks();
    InstallBackend(std::make_unique<X11Backend>(std::move(FOurs)));
    WNDCLASSA wc{};
    if (!GetClassInfo(nullptr, "X11TestRed", &wc)) {
      wc.lpfnWndProc = &RedWindowProc;
      wc.lpszClassName = "X11TestRed";
      RegisterClassA(&wc);
    }
  }
  void TearDown() override {
    headless::Reset();
    InstallBackend(nullptr);
    TwoClientsTest::TearDown();
  }

  // Lets the back end read the display until done() (a bounded number of rounds).
  bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
      MSG m;
      while (PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&m);
      if (done()) return true;
      CurrentBackend().WaitForEvents(20);
      XSync(FOther->Display(), False);
    }
    return done();
  }

  // The top-level X window named title, as another program finds it; 0 when none.
  ::Window Find(const char* title) {
    ::Display* dpy = FOther->Display();
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    ::Window found = 0;
    XQueryTree(dpy, FOther->Root(), &root, &parent, &children, &n);
    for (unsigned i = 0; i < n && !found; ++i) {
      char* name = nullptr;
      if (XFetchName(dpy, children[i], &name) && name && std::strcmp(name, title) == 0) found = children[i];
      if (name) XFree(name);
    }
    if (children) XFree(children);
    return found;
  }
  bool Viewable(::Window w) {
    XWindowAttributes a{};
    return w && XGetWindowAttributes(FOther->Display(), w, &a) && a.map_state == IsViewable;
  }
  XWindowAttributes Attributes(::Window w) {
    XWindowAttributes a{};
    XGetWindowAttributes(FOther->Display(), w, &a);
    return a;
  }
  std::string AtomProperty(::Window w, const char* name, unsigned long index = 0) {
    ::Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string out;
    if (XGetWindowProperty(FOther->Display(), w, FOther->Atom(name), 0, 8, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success && data && count > index) {
      char* n = XGetAtomName(FOther->Display(), reinterpret_cast<::Atom*>(data)[index]);
      out = n;
      XFree(n);
    }
    if (data) XFree(data);
    return out;
  }
  std::string Utf8Name(::Window w) {
    ::Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string out;
    int status = 0;
    FOther->Trapped([&] {
      status = XGetWindowProperty(FOther->Display(), w, FOther->Atom("_NET_WM_NAME"), 0, 256, False,
                                  FOther->Atom("UTF8_STRING"), &type, &format, &count, &after, &data);
    });
    if (status == Success && data) out.assign(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    return out;
  }
  void Send(::Window w, XEvent e, long mask) {
    e.xany.window = w;
    XSendEvent(FOther->Display(), w, False, mask, &e);
    XSync(FOther->Display(), False);
  }
  HWND Shown(const char* title, DWORD style, int x, int y, int w, int h) {
    HWND hwnd = CreateWindowExA(0, "X11TestRed", title, style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    return hwnd;
  }
};

TEST_F(X11WindowsTest, ShownWindowsBecomeXWindowsWithTheirPixels) {
  HWND main = Shown("Main", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 50, 40, 300, 200);
  ::Window x = 0;
  ASSERT_TRUE(PumpUntil([&] { return Viewable(x = Find("Main")); }));
  // The X window is the client area, where the window system put it.
  RECT client;
  GetClientRect(main, &client);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  XWindowAttributes a = Attributes(x);
  EXPECT_EQ(a.x, origin.x);
  EXPECT_EQ(a.y, origin.y);
  EXPECT_EQ(a.width, client.right);
  EXPECT_EQ(a.height, client.bottom);
  EXPECT_FALSE(a.override_redirect);
  EXPECT_EQ(AtomProperty(x, "_NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_NORMAL");
  EXPECT_EQ(AtomProperty(x, "WM_PROTOCOLS"), "WM_DELETE_WINDOW");
  EXPECT_EQ(AtomProperty(x, "_NET_WM_STATE"), "");
  // A caption change follows, in UTF-8.
  SetWindowTextA(main, "Vantrel \xE4\xB8\xAD");
  EXPECT_TRUE(PumpUntil([&] { return Utf8Name(x) == "Vantrel \xE4\xB8\xAD"; }));

  // What it painted is on the screen.
  ASSERT_TRUE(PumpUntil([&] {
    XImage* img = XGetImage(FOther->Display(), x, a.width / 2, a.height / 2, 1, 1, AllPlanes, ZPixmap);
    unsigned long px = img ? XGetPixel(img, 0, 0) : 0;
    if (img) XDestroyImage(img);
    return px == 0xFF0000;
  }));

  // Popups are override-redirect; hiding unmaps, destroying removes.
  Shown("Popup", WS_POPUP | WS_BORDER, 10, 10, 80, 60);
  ::Window p = 0;
  ASSERT_TRUE(PumpUntil([&] { return Viewable(p = Find("Popup")); }));
  EXPECT_TRUE(Attributes(p).override_redirect);
  EXPECT_EQ(Attributes(p).width, 80);
  // A tool window stays off the task bar; a topmost one asks to stay above.
  HWND tool = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "X11TestRed", "Tool", WS_CAPTION | WS_SYSMENU, 30, 30,
                              100, 80, main, nullptr, nullptr, nullptr);
  ShowWindow(tool, SW_SHOWNORMAL);
  ::Window t = 0;
  ASSERT_TRUE(PumpUntil([&] { return Viewable(t = Find("Tool")); }));
  EXPECT_EQ(AtomProperty(t, "_NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_UTILITY");
  EXPECT_EQ(AtomProperty(t, "_NET_WM_STATE"), "_NET_WM_STATE_SKIP_TASKBAR");
  EXPECT_EQ(AtomProperty(t, "_NET_WM_STATE", 1), "_NET_WM_STATE_ABOVE");
  ::Window transientFor = 0;
  XGetTransientForHint(FOther->Display(), t, &transientFor);
  EXPECT_EQ(transientFor, x);
  ShowWindow(main, SW_HIDE);
  EXPECT_TRUE(PumpUntil([&] { return !Viewable(x); }));
  DestroyWindow(main);
  EXPECT_TRUE(PumpUntil([&] { return Utf8Name(x).empty(); }));
}

TEST_F(X11WindowsTest, InputAndChangesFromTheDisplayBecomeMessages) {
  HWND hwnd = Shown("Input", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 100, 100, 200, 150);
  ::Window x = 0;
  ASSERT_TRUE(PumpUntil([&] { return Viewable(x = Find("Input")); }));
  SetFocus(hwnd);
  ::Display* dpy = FOther->Display();

  XEvent key{};
  key.xkey.type = KeyPress;
  key.xkey.display = dpy;
  key.xkey.root = FOther->Root();
  key.xkey.same_screen = True;
  key.xkey.keycode = XKeysymToKeycode(dpy, XK_a);
  Send(x, key, KeyPressMask);
  std::vector<MSG> keys;
  ASSERT_TRUE(PumpUntil([&] {
    auto got = xvfb_test::Posted(hwnd, WM_KEYDOWN, WM_KEYDOWN);
    keys.insert(keys.end(), got.begin(), got.end());
    return !keys.empty();
  }));
  EXPECT_EQ(keys[0].wParam, WPARAM('A'));
  TranslateMessage(&keys[0]);
  auto chars = xvfb_test::Posted(hwnd, WM_CHAR, WM_CHAR);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].wParam, WPARAM('a'));

  XEvent button{};
  button.xbutton.type = ButtonPress;
  button.xbutton.display = dpy;
  button.xbutton.root = FOther->Root();
  button.xbutton.same_screen = True;
  button.xbutton.button = 4;  // wheel away from the user
  button.xbutton.x = 10;
  button.xbutton.y = 20;
  Send(x, button, ButtonPressMask);
  std::vector<MSG> wheel;
  ASSERT_TRUE(PumpUntil([&] { return !(wheel = xvfb_test::Posted(hwnd, WM_MOUSEWHEEL, WM_MOUSEWHEEL)).empty(); }));
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), 120);
  button.xbutton.button = 1;
  Send(x, button, ButtonPressMask);
  std::vector<MSG> clicks;
  ASSERT_TRUE(PumpUntil([&] { return !(clicks = xvfb_test::Posted(hwnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN)).empty(); }));
  EXPECT_EQ(clicks[0].lParam, MAKELPARAM(10, 20));
  button.xbutton.type = ButtonRelease;
  Send(x, button, ButtonReleaseMask);

  // Another program (a window manager) moves and resizes it: the window system follows.
  XMoveResizeWindow(dpy, x, 300, 250, 240, 120);
  XSync(dpy, False);
  ASSERT_TRUE(PumpUntil([&] {
    RECT c;
    GetClientRect(hwnd, &c);
    POINT o{0, 0};
    ClientToScreen(hwnd, &o);
    return o.x == 300 && o.y == 250 && c.right == 240 && c.bottom == 120;
  }));

  // The close button asks the window to close, unless a modal window has disabled it.
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.message_type = FOther->Atom("WM_PROTOCOLS");
  close.xclient.format = 32;
  close.xclient.data.l[0] = long(FOther->Atom("WM_DELETE_WINDOW"));
  EnableWindow(hwnd, FALSE);
  Send(x, close, 0);
  Send(x, key, KeyPressMask);  // comes after the close: once it is here, the close was read
  EXPECT_TRUE(PumpUntil([&] { return !xvfb_test::Posted(hwnd, WM_KEYDOWN, WM_KEYDOWN).empty(); }));
  EXPECT_TRUE(xvfb_test::Posted(hwnd, WM_CLOSE, WM_CLOSE).empty());
  EnableWindow(hwnd, TRUE);
  Send(x, close, 0);
  EXPECT_TRUE(PumpUntil([&] { return !xvfb_test::Posted(hwnd, WM_CLOSE, WM_CLOSE).empty(); }));
}

TEST_F(X11WindowsTest, TheLoopWaitsForTimersAndForTheDisplay) {
  HWND hwnd = Shown("Loop", WS_CAPTION | WS_SYSMENU, 20, 20, 120, 80);
  ::Window x = 0;
  ASSERT_TRUE(PumpUntil([&] { return Viewable(x = Find("Loop")); }));
  SetFocus(hwnd);
  auto next = [&](UINT wanted) {
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
      if (m.message == wanted) return true;
      DispatchMessageA(&m);
    }
    return false;
  };
  // A due timer ends the wait.
  SetTimer(hwnd, 7, 30, nullptr);
  EXPECT_TRUE(next(WM_TIMER));
  KillTimer(hwnd, 7);
  // With no timer, input from the display ends it.
  XEvent key{};
  key.xkey.type = KeyPress;
  key.xkey.display = FOther->Display();
  key.xkey.root = FOther->Root();
  key.xkey.same_screen = True;
  key.xkey.keycode = XKeysymToKeycode(FOther->Display(), XK_Escape);
  Send(x, key, KeyPressMask);
  EXPECT_TRUE(next(WM_KEYDOWN));
}

}  // namespace
