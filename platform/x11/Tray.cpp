#include "platform/x11/Tray.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"

namespace win::x11 {

namespace {
constexpr long kRequestDock = 0;
constexpr long kXEmbedMapped = 1;

// Nearest-neighbour scaling of an image with opacity to w x h.
PixelImage Scaled(const PixelImage& src, int w, int h) {
  PixelImage out;
  out.width = w;
  out.height = h;
  out.pixels.resize(std::size_t(w) * h);
  if (src.width <= 0 || src.height <= 0) return out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.pixels[std::size_t(y) * w + x] =
          src.pixels[std::size_t(y * src.height / h) * src.width + std::size_t(x * src.width / w)];
  return out;
}

int Shift(unsigned long mask) {
  int s = 0;
  while (mask && !(mask & 1)) mask >>= 1, ++s;
  return s;
}

// An XImage of the default visual holding the image's colours (opacity ignored).
XImage* ToXImage(::Display* dpy, int screen, const PixelImage& img) {
  Visual* visual = DefaultVisual(dpy, screen);
  int depth = DefaultDepth(dpy, screen);
  XImage* x = XCreateImage(dpy, visual, unsigned(depth), ZPixmap, 0, nullptr, unsigned(img.width),
                           unsigned(img.height), 32, 0);
  if (!x) return nullptr;
  x->data = static_cast<char*>(std::calloc(std::size_t(x->bytes_per_line) * img.height, 1));
  int rs = Shift(visual->red_mask), gs = Shift(visual->green_mask), bs = Shift(visual->blue_mask);
  auto part = [](std::uint32_t v, unsigned long mask, int shift) {
    unsigned long max = mask >> shift;
    return ((v * max + 127) / 255) << shift;
  };
  for (int y = 0; y < img.height; ++y)
    for (int xx = 0; xx < img.width; ++xx) {
      std::uint32_t p = img.pixels[std::size_t(y) * img.width + xx];
      unsigned long pixel = part((p >> 16) & 0xFF, visual->red_mask, rs) |
                            part((p >> 8) & 0xFF, visual->green_mask, gs) | part(p & 0xFF, visual->blue_mask, bs);
      XPutPixel(x, xx, y, pixel);
    }
  return x;
}

// The owner's window still exists in the window system.
}  // namespace

struct Tray::Icon {
  TrayIconState State;
  XWindowId Window = 0;
  Time LastPress = 0;
  unsigned LastButton = 0;
  bool PressWasDouble = false;
};

Tray::Tray(Connection& conn, BackendHost& host) : FConn(conn), FHost(host) {
  ::Display* dpy = FConn.Display();
  FSelection = FConn.Atom("_NET_SYSTEM_TRAY_S" + std::to_string(FConn.Screen()));
  // A new tray manager announces itself to the root window's structure listeners.
  XWindowAttributes attrs;
  long mask = XGetWindowAttributes(dpy, FConn.Root(), &attrs) ? attrs.your_event_mask : 0;
  XSelectInput(dpy, FConn.Root(), mask | StructureNotifyMask);
}

Tray::~Tray() {
  ::Display* dpy = FConn.Display();
  for (auto& icon : FIcons) XDestroyWindow(dpy, icon->Window);
  if (FTip) XDestroyWindow(dpy, FTip);
  XFlush(dpy);
}

XWindowId Tray::Manager() {
  ::Display* dpy = FConn.Display();
  XWindowId m = XGetSelectionOwner(dpy, FSelection);
  if (m && m != FManager) {
    // Its end comes as a DestroyNotify.
    FConn.Trapped([&] { XSelectInput(dpy, m, StructureNotifyMask); });
  }
  FManager = m;
  return m;
}

Tray::Icon* Tray::Find(XWindowId window) const {
  for (auto& icon : FIcons)
    if (icon->Window == window) return icon.get();
  return nullptr;
}

Tray::Icon* Tray::Find(HWND owner, UINT_PTR id) const {
  for (auto& icon : FIcons)
    if (icon->State.Owner == owner && icon->State.Id == id) return icon.get();
  return nullptr;
}

XWindowId Tray::IconWindow(HWND owner, UINT_PTR id) const {
  Icon* icon = Find(owner, id);
  return icon ? icon->Window : 0;
}

void Tray::Added(const TrayIconState& state) {
  ::Display* dpy = FConn.Display();
  auto icon = std::make_unique<Icon>();
  icon->State = state;
  XSetWindowAttributes attrs{};
  attrs.background_pixmap = ParentRelative;
  attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                     LeaveWindowMask | StructureNotifyMask;
  icon->Window = XCreateWindow(dpy, FConn.Root(), 0, 0, kIconSize, kIconSize, 0, CopyFromParent, InputOutput,
                               CopyFromParent, CWBackPixmap | CWEventMask, &attrs);
  long info[2] = {0, kXEmbedMapped};
  XChangeProperty(dpy, icon->Window, FConn.Atom("_XEMBED_INFO"), FConn.Atom("_XEMBED_INFO"), 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(info), 2);
  XClassHint hint{const_cast<char*>("vantrel"), const_cast<char*>("Vantrel")};
  XSetClassHint(dpy, icon->Window, &hint);
  SetName(*icon);
  Icon& ref = *icon;
  FIcons.push_back(std::move(icon));
  Dock(ref);
}

void Tray::Modified(const TrayIconState& state) {
  Icon* icon = Find(state.Owner, state.Id);
  if (!icon) return;
  icon->State = state;
  SetName(*icon);
  Paint(*icon);
}

void Tray::Deleted(const TrayIconState& state) {
  auto it = std::find_if(FIcons.begin(), FIcons.end(), [&](const auto& icon) {
    return icon->State.Owner == state.Owner && icon->State.Id == state.Id;
  });
  if (it == FIcons.end()) return;
  HideTip();
  XDestroyWindow(FConn.Display(), (*it)->Window);
  XFlush(FConn.Display());
  FIcons.erase(it);
}

void Tray::SetName(Icon& icon) {
  ::Display* dpy = FConn.Display();
  const std::string& tip = icon.State.Tip;
  XChangeProperty(dpy, icon.Window, FConn.Atom("_NET_WM_NAME"), FConn.Atom("UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(tip.data()), int(tip.size()));
  XChangeProperty(dpy, icon.Window, XA_WM_NAME, FConn.Atom("UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(tip.data()), int(tip.size()));
}

void Tray::Dock(Icon& icon) {
  ::Display* dpy = FConn.Display();
  XWindowId manager = Manager();
  if (!manager) {
    if (!FToldNoTray) std::fprintf(stderr, "vantrel: no system tray; hot keys still work\n");
    FToldNoTray = true;
    return;
  }
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = manager;
  e.xclient.message_type = FConn.Atom("_NET_SYSTEM_TRAY_OPCODE");
  e.xclient.format = 32;
  e.xclient.data.l[0] = CurrentTime;
  e.xclient.data.l[1] = kRequestDock;
  e.xclient.data.l[2] = long(icon.Window);
  FConn.Trapped([&] { XSendEvent(dpy, manager, False, NoEventMask, &e); });
}

void Tray::Paint(Icon& icon) {
  ::Display* dpy = FConn.Display();
  XWindowAttributes attrs;
  if (!XGetWindowAttributes(dpy, icon.Window, &attrs) || attrs.width <= 0 || attrs.height <= 0) return;
  XClearWindow(dpy, icon.Window);
  const PixelImage* image = icon.State.Icon ? GetIconImage(icon.State.Icon) : nullptr;
  if (!image || image->width <= 0 || image->height <= 0) return;
  // The largest square that fits, centred.
  int side = std::min(attrs.width, attrs.height);
  PixelImage img = Scaled(*image, side, side);
  int ox = (attrs.width - side) / 2, oy = (attrs.height - side) / 2;
  bool anyOpacity = std::any_of(img.pixels.begin(), img.pixels.end(), [](std::uint32_t p) { return p >> 24; });
  // Transparent pixels leave the tray's background showing: they are clipped away.
  std::vector<unsigned char> maskBits(std::size_t((side + 7) / 8) * side, 0);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      if (!anyOpacity || (img.pixels[std::size_t(y) * side + x] >> 24) >= 0x80)
        maskBits[std::size_t(y) * ((side + 7) / 8) + x / 8] |= (unsigned char)(1 << (x % 8));
  Pixmap mask = XCreateBitmapFromData(dpy, icon.Window, reinterpret_cast<char*>(maskBits.data()), unsigned(side),
                                      unsigned(side));
  XImage* ximg = ToXImage(dpy, FConn.Screen(), img);
  GC gc = XCreateGC(dpy, icon.Window, 0, nullptr);
  XSetClipMask(dpy, gc, mask);
  XSetClipOrigin(dpy, gc, ox, oy);
  if (ximg) {
    XPutImage(dpy, icon.Window, gc, ximg, 0, 0, ox, oy, unsigned(side), unsigned(side));
    XDestroyImage(ximg);
  }
  XFreeGC(dpy, gc);
  XFreePixmap(dpy, mask);
  XFlush(dpy);
}

void Tray::Callback(const Icon& icon, UINT what, int rootX, int rootY) {
  FHost.TrayIconEvent(icon.State, what, POINT{rootX, rootY});
}

void Tray::ShowTip(const Icon& icon, int rootX, int rootY) {
  if (FTipShown || icon.State.Tip.empty()) return;
  ::Display* dpy = FConn.Display();
  // The text drawn as the window system draws it, then shown as the window's background.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, 0, 0};
  const std::string& tip = icon.State.Tip;
  DrawText(dc, tip.c_str(), int(tip.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  int w = r.right - r.left + 8, h = r.bottom - r.top + 6;
  HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  RECT all{0, 0, w, h};
  HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
  FillRect(dc, &all, back);
  DeleteObject(back);
  HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_INFOTEXT));
  FrameRect(dc, &all, frame);
  DeleteObject(frame);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  RECT text{4, 3, w - 4, h - 3};
  DrawText(dc, tip.c_str(), int(tip.size()), &text, DT_NOPREFIX);
  SelectObject(dc, oldBmp);
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  PixelImage img = GetBitmapImage(bmp);
  DeleteObject(bmp);
  if (img.width <= 0 || img.height <= 0) return;

  if (!FTip) {
    XSetWindowAttributes attrs{};
    attrs.override_redirect = True;
    FTip = XCreateWindow(dpy, FConn.Root(), 0, 0, 1, 1, 0, CopyFromParent, InputOutput, CopyFromParent,
                         CWOverrideRedirect, &attrs);
    XStoreName(dpy, FTip, "vantrel tooltip");
  }
  Pixmap pix = XCreatePixmap(dpy, FTip, unsigned(img.width), unsigned(img.height),
                             unsigned(DefaultDepth(dpy, FConn.Screen())));
  GC gc = XCreateGC(dpy, pix, 0, nullptr);
  if (XImage* ximg = ToXImage(dpy, FConn.Screen(), img)) {
    XPutImage(dpy, pix, gc, ximg, 0, 0, 0, 0, unsigned(img.width), unsigned(img.height));
    XDestroyImage(ximg);
  }
  XFreeGC(dpy, gc);
  int sw = DisplayWidth(dpy, FConn.Screen()), sh = DisplayHeight(dpy, FConn.Screen());
  int x = std::max(0, std::min(rootX + 12, sw - img.width));
  int y = rootY + 20 + img.height <= sh ? rootY + 20 : std::max(0, rootY - 4 - img.height);
  XSetWindowBackgroundPixmap(dpy, FTip, pix);
  XFreePixmap(dpy, pix);
  XMoveResizeWindow(dpy, FTip, x, y, unsigned(img.width), unsigned(img.height));
  XMapRaised(dpy, FTip);
  XClearWindow(dpy, FTip);
  XFlush(dpy);
  FTipShown = true;
}

void Tray::HideTip() {
  if (!FTipShown) return;
  XUnmapWindow(FConn.Display(), FTip);
  XFlush(FConn.Display());
  FTipShown = false;
}

void Tray::Restart() {
  for (const TrayIconState& t : FHost.TakeTrayIcons()) Deleted(t);
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

bool Tray::OnEvent(XEvent& event) {
  ::Display* dpy = FConn.Display();
  if (event.type == ClientMessage && event.xclient.window == FConn.Root()) {
    if (event.xclient.message_type != FConn.Atom("MANAGER") || XAtom(event.xclient.data.l[1]) != FSelection)
      return false;
    Manager();
    Restart();
    return true;
  }
  if (event.type == DestroyNotify && FManager && event.xdestroywindow.window == FManager) {
    FManager = 0;
    return true;
  }
  Icon* icon = Find(event.xany.window);
  if (!icon) return false;
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Paint(*icon);
      break;
    case ReparentNotify:
      // Back on the root when the tray went away: hidden until a tray takes it again.
      if (event.xreparent.parent == FConn.Root()) XUnmapWindow(dpy, icon->Window);
      break;
    case ButtonPress: {
      HideTip();
      const XButtonEvent& b = event.xbutton;
      if (b.button == Button1) {
        bool dbl = icon->LastButton == Button1 && !icon->PressWasDouble &&
                   b.time - icon->LastPress <= Time(GetDoubleClickTime());
        icon->PressWasDouble = dbl;
        Callback(*icon, dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, b.x_root, b.y_root);
      } else if (b.button == Button2) {
        Callback(*icon, WM_MBUTTONDOWN, b.x_root, b.y_root);
      } else if (b.button == Button3) {
        Callback(*icon, WM_RBUTTONDOWN, b.x_root, b.y_root);
      } else {
        break;  // the wheel
      }
      icon->LastButton = b.button;
      icon->LastPress = b.time;
      break;
    }
    case ButtonRelease: {
      const XButtonEvent& b = event.xbutton;
      bool v3 = icon->State.Version >= NOTIFYICON_VERSION;
      if (b.button == Button1) {
        Callback(*icon, WM_LBUTTONUP, b.x_root, b.y_root);
        if (v3 && !icon->PressWasDouble) Callback(*icon, NIN_SELECT, b.x_root, b.y_root);
      } else if (b.button == Button2) {
        Callback(*icon, WM_MBUTTONUP, b.x_root, b.y_root);
      } else if (b.button == Button3) {
        Callback(*icon, WM_RBUTTONUP, b.x_root, b.y_root);
        if (v3) Callback(*icon, WM_CONTEXTMENU, b.x_root, b.y_root);
      }
      break;
    }
    case MotionNotify:
      Callback(*icon, WM_MOUSEMOVE, event.xmotion.x_root, event.xmotion.y_root);
      ShowTip(*icon, event.xmotion.x_root, event.xmotion.y_root);
      break;
    case EnterNotify:
      Callback(*icon, WM_MOUSEMOVE, event.xcrossing.x_root, event.xcrossing.y_root);
      ShowTip(*icon, event.xcrossing.x_root, event.xcrossing.y_root);
      break;
    case LeaveNotify:
      HideTip();
      break;
  }
  return true;
}

}  // namespace win::x11
