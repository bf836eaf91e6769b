// The tray icon on a private X server, with a stand-in tray manager as the other program.
#include <cstring>

#include "platform/graphics/Gdi.h"
#include "platform/x11/Tray.h"
#include "tests/platform/x11/ServicesXvfb.h"

// X's headers last: their macros clash with names in the others.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace win;
using namespace win::x11;

namespace {

constexpr UINT kCallback = WM_USER + 5;

class TrayTest : public xvfb_test::TwoClientsTest {
protected:
  void SetUp() override {
    TwoClientsTest::SetUp();
    if (HasFatalFailure()) return;
    FOwner = xvfb_test::PlainWindow();
  }

  // The other client becomes the tray manager.
  Window BecomeManager() {
    ::Display* dpy = FOther->Display();
    Window m = XCreateSimpleWindow(dpy, FOther->Root(), 0, 0, 100, 30, 0, 0, 0);
    XSetSelectionOwner(dpy, FOther->Atom("_NET_SYSTEM_TRAY_S0"), m, CurrentTime);
    XSync(dpy, False);
    return m;
  }

  TrayIconState State(UINT version = 0, const std::string& tip = "Vantrel") {
    TrayIconState s;
    s.Owner = FOwner;
    s.Id = 1;
    s.CallbackMessage = kCallback;
    s.Tip = tip;
    s.Version = version;
    return s;
  }

  void Pump(Tray& tray) {
    ::Display* dpy = FOurs->Display();
    XSync(dpy, False);
    while (XPending(dpy)) {
      XEvent e;
      XNextEvent(dpy, &e);
      tray.OnEvent(e);
    }
  }

  std::string Property(Window w, const char* name, int* format = nullptr) {
    ::Display* dpy = FOther->Display();
    Atom type;
    int fmt;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string out;
    if (XGetWindowProperty(dpy, w, FOther->Atom(name), 0, 1024, False, AnyPropertyType, &type, &fmt, &count, &after,
                           &data) == Success &&
        data) {
      out.assign(reinterpret_cast<char*>(data), fmt == 32 ? count * sizeof(long) : count * std::size_t(fmt / 8));
      XFree(data);
    }
    if (format) *format = fmt;
    return out;
  }

  XEvent Button(Tray& tray, int type, unsigned button, Time time) {
    XEvent e{};
    e.xbutton.type = type;
    e.xbutton.window = tray.IconWindow(FOwner, 1);
    e.xbutton.button = button;
    e.xbutton.time = time;
    e.xbutton.x_root = 600;
    e.xbutton.y_root = 460;
    return e;
  }

  HWND FOwner = nullptr;
};

TEST_F(TrayTest, WithoutATrayItSaysSoOnceAndKeepsItsIcons) {
  Tray tray(*FOurs, DesktopHost());
  testing::internal::CaptureStderr();
  tray.Added(State());
  TrayIconState second = State();
  second.Id = 2;
  tray.Added(second);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "vantrel: no system tray; hot keys still work\n");
  EXPECT_NE(tray.IconWindow(FOwner, 1), 0u);
  EXPECT_NE(tray.IconWindow(FOwner, 2), 0u);
  tray.Deleted(second);
  EXPECT_EQ(tray.IconWindow(FOwner, 2), 0u);
}

TEST_F(TrayTest, IconAsksTheManagerToDockItAndCarriesItsTip) {
  Window manager = BecomeManager();
  Tray tray(*FOurs, DesktopHost());
  tray.Added(State(0, "Vantrel 片段"));
  Window icon = tray.IconWindow(FOwner, 1);
  XSync(FOurs->Display(), False);
  XEvent e;
  ::Display* dpy = FOther->Display();
  XSync(dpy, False);
  ASSERT_TRUE(XCheckTypedWindowEvent(dpy, manager, ClientMessage, &e));
  EXPECT_EQ(e.xclient.message_type, FOther->Atom("_NET_SYSTEM_TRAY_OPCODE"));
  EXPECT_EQ(e.xclient.data.l[1], 0);  // SYSTEM_TRAY_REQUEST_DOCK
  EXPECT_EQ(Window(e.xclient.data.l[2]), icon);
  int format = 0;
  std::string info = Property(icon, "_XEMBED_INFO", &format);
  ASSERT_EQ(format, 32);
  ASSERT_EQ(info.size(), 2 * sizeof(long));
  EXPECT_EQ(reinterpret_cast<const long*>(info.data())[1], 1);  // mapped by the embedder
  EXPECT_EQ(Property(icon, "_NET_WM_NAME"), "Vantrel 片段");

  tray.Modified(State(0, "new tip"));
  XSync(FOurs->Display(), False);
  EXPECT_EQ(Property(icon, "_NET_WM_NAME"), "new tip");
}

TEST_F(TrayTest, ANewTrayManagerRestartsTheIcons) {
  NOTIFYICONDATAA d{};
  d.cbSize = sizeof d;
  d.hWnd = FOwner;
  d.uID = 1;
  d.uFlags = NIF_MESSAGE | NIF_TIP;
  d.uCallbackMessage = kCallback;
  std::strcpy(d.szTip, "Vantrel");
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &d));  // the window system's side
  Tray tray(*FOurs, DesktopHost());
  tray.Added(State());
  Window manager = BecomeManager();
  XEvent m{};
  m.xclient.type = ClientMessage;
  m.xclient.window = FOther->Root();
  m.xclient.message_type = FOther->Atom("MANAGER");
  m.xclient.format = 32;
  m.xclient.data.l[1] = long(FOther->Atom("_NET_SYSTEM_TRAY_S0"));
  m.xclient.data.l[2] = long(manager);
  XSendEvent(FOther->Display(), FOther->Root(), False, StructureNotifyMask, &m);
  XSync(FOther->Display(), False);
  Pump(tray);
  EXPECT_TRUE(headless::TrayIcons().empty());
  EXPECT_EQ(tray.IconWindow(FOwner, 1), 0u);
  auto restarted = xvfb_test::Posted(FOwner, 0xC000, 0xFFFF);
  ASSERT_EQ(restarted.size(), 1u);
  EXPECT_EQ(restarted[0].message, RegisterWindowMessageA("TaskbarCreated"));
  EXPECT_EQ(tray.Manager(), manager);
}

TEST_F(TrayTest, PointerInputBecomesTheOwnersCallbacks) {
  struct Case {
    UINT Version;
    std::vector<std::pair<int, unsigned>> Events;  // (type, button), 100 ms apart
    std::vector<UINT> Callbacks;
  } cases[] = {
      {0, {{ButtonPress, 1}, {ButtonRelease, 1}}, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {NOTIFYICON_VERSION, {{ButtonPress, 1}, {ButtonRelease, 1}}, {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}},
      {0,
       {{ButtonPress, 1}, {ButtonRelease, 1}, {ButtonPress, 1}, {ButtonRelease, 1}},
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {NOTIFYICON_VERSION,
       {{ButtonPress, 1}, {ButtonRelease, 1}, {ButtonPress, 1}, {ButtonRelease, 1}},
       {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {0, {{ButtonPress, 3}, {ButtonRelease, 3}}, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {NOTIFYICON_VERSION, {{ButtonPress, 3}, {ButtonRelease, 3}}, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}},
      {0, {{ButtonPress, 2}, {ButtonRelease, 2}, {ButtonPress, 4}}, {WM_MBUTTONDOWN, WM_MBUTTONUP}},
  };
  for (const Case& c : cases) {
    Tray tray(*FOurs, DesktopHost());
    testing::internal::CaptureStderr();
    tray.Added(State(c.Version));
    testing::internal::GetCapturedStderr();
    Time t = 1000;
    for (auto [type, button] : c.Events) {
      XEvent e = Button(tray, type, button, t += 100);
      EXPECT_TRUE(tray.OnEvent(e));
    }
    std::vector<UINT> got;
    for (const MSG& m : xvfb_test::Posted(FOwner, kCallback, kCallback)) {
      EXPECT_EQ(m.wParam, WPARAM(1));
      got.push_back(UINT(m.lParam));
    }
    EXPECT_EQ(got, c.Callbacks) << "version " << c.Version << ", case " << (&c - cases);
  }
}

TEST_F(TrayTest, PressesFarApartAreTwoClicksAndVersion4CarriesThePoint) {
  Tray tray(*FOurs, DesktopHost());
  testing::internal::CaptureStderr();
  tray.Added(State(NOTIFYICON_VERSION_4));
  testing::internal::GetCapturedStderr();
  Time gap = Time(GetDoubleClickTime()) + 1;
  for (Time t : {Time(1000), 1000 + gap}) {
    XEvent e = Button(tray, ButtonPress, 1, t);
    tray.OnEvent(e);
  }
  auto msgs = xvfb_test::Posted(FOwner, kCallback, kCallback);
  ASSERT_EQ(msgs.size(), 2u);
  for (const MSG& m : msgs) {
    EXPECT_EQ(LOWORD(m.lParam), WM_LBUTTONDOWN);
    EXPECT_EQ(HIWORD(m.lParam), 1);
    EXPECT_EQ(m.wParam, MAKEWPARAM(600, 460));
  }
  POINT p;
  GetCursorPos(&p);  // where the owner opens its menu
  EXPECT_EQ(p.x, 600);
  EXPECT_EQ(p.y, 460);
}

TEST_F(TrayTest, HoverShowsTheTipAndLeavingHidesIt) {
  Tray tray(*FOurs, DesktopHost());
  testing::internal::CaptureStderr();
  tray.Added(State(0, "Vantrel 片段管理"));
  testing::internal::GetCapturedStderr();
  XEvent enter{};
  enter.xcrossing.type = EnterNotify;
  enter.xcrossing.window = tray.IconWindow(FOwner, 1);
  enter.xcrossing.x_root = 600;
  enter.xcrossing.y_root = 460;
  tray.OnEvent(enter);
  ASSERT_NE(tray.TipWindow(), 0u);
  XWindowAttributes a;
  XSync(FOurs->Display(), False);
  ASSERT_TRUE(XGetWindowAttributes(FOurs->Display(), tray.TipWindow(), &a));
  EXPECT_EQ(a.map_state, IsViewable);
  EXPECT_GT(a.width, 20);
  EXPECT_LE(a.x + a.width, 640);  // kept on the screen
  EXPECT_LE(a.y + a.height, 480);
  EXPECT_EQ(xvfb_test::Posted(FOwner, kCallback, kCallback).size(), 1u);  // WM_MOUSEMOVE
  XEvent leave = enter;
  leave.xcrossing.type = LeaveNotify;
  tray.OnEvent(leave);
  EXPECT_EQ(tray.TipWindow(), 0u);
}

TEST_F(TrayTest, TheIconsPixelsAreDrawnScaledWithTransparencyKept) {
  // 8 x 8: left half transparent, right half opaque red.
  PixelImage img;
  img.width = img.height = 8;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) img.pixels.push_back(x < 4 ? 0x00000000u : 0xFFFF0000u);
  HICON icon = CreateIconFromImage(img);
  Tray tray(*FOurs, DesktopHost());
  testing::internal::CaptureStderr();
  TrayIconState s = State();
  s.Icon = icon;
  tray.Added(s);
  testing::internal::GetCapturedStderr();
  ::Display* dpy = FOurs->Display();
  Window w = tray.IconWindow(FOwner, 1);
  XSetWindowBackground(dpy, w, 0x0000FF);  // stands in for the tray's background
  XMapWindow(dpy, w);
  Pump(tray);  // Expose paints it
  XImage* shot = XGetImage(dpy, w, 0, 0, Tray::kIconSize, Tray::kIconSize, AllPlanes, ZPixmap);
  ASSERT_TRUE(shot);
  EXPECT_EQ(XGetPixel(shot, 16, 11) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(XGetPixel(shot, 12, 0) & 0xFFFFFF, 0xFF0000u);  // scaled up to the whole window
  EXPECT_EQ(XGetPixel(shot, 4, 11) & 0xFFFFFF, 0x0000FFu);
  XDestroyImage(shot);
  DestroyIcon(icon);
}

}  // namespace
