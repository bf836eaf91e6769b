// Keyboard focus, keys, pointer buttons and motion from X, fed into the window system,
// and the window system's cursor shown on X.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include "platform/desktop/Input.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/x11/Translate.h"
#include "platform/x11/X11Backend.h"

namespace win::x11 {

POINT X11Backend::ScreenPoint(XWin& w, int x, int y) {
  POINT p{x, y};
  if (w.OverrideRedirect) {
    RECT r{};
    GetWindowRect(w.Hwnd, &r);
    p.x += r.left;
    p.y += r.top;
  } else {
    ClientToScreen(w.Hwnd, &p);
  }
  return p;
}

void X11Backend::SyncModifiers(unsigned state) {
  // Keys released while another program had the focus are released here too.
  input::SetKeyDown(VK_SHIFT, (state & ShiftMask) != 0);
  input::SetKeyDown(VK_CONTROL, (state & ControlMask) != 0);
  input::SetKeyDown(VK_MENU, (state & Mod1Mask) != 0);
  input::SetKeyDown(VK_LBUTTON, (state & Button1Mask) != 0);
  input::SetKeyDown(VK_MBUTTON, (state & Button2Mask) != 0);
  input::SetKeyDown(VK_RBUTTON, (state & Button3Mask) != 0);
}

void X11Backend::HandleFocus(XWin& w, XEvent& event) {
  const XFocusChangeEvent& f = event.xfocus;
  // Grabs (menus of other programs, hot keys) and the pointer's own focus change nothing.
  if (f.mode == NotifyGrab || f.mode == NotifyUngrab || f.detail == NotifyPointer || f.detail == NotifyInferior)
    return;
  if (event.type == FocusOut) {
    if (w.InputContext) XUnsetICFocus(w.InputContext);
    FFocusCheck = true;
    return;
  }
  if (w.InputContext) XSetICFocus(w.InputContext);
  HWND hwnd = w.Hwnd;
  if (GetActiveWindow() == hwnd) return;
  if (!IsWindowEnabled(hwnd)) {
    // A modal window is up: it keeps the focus.
    if (XWin* a = FocusTargetFor(GetActiveWindow()); a && a != &w) Focus(*a);
    return;
  }
  // The active window shows through this one (it is not on X itself).
  if (FocusTargetFor(GetActiveWindow()) == &w) return;
  {
    FActivatingFromX = true;
    auto done = AtScopeExit([this] { FActivatingFromX = false; });
    SetActiveWindow(hwnd);
  }
  // The control that had the focus when the program lost it gets it back.
  HWND saved = FSavedFocus;
  FSavedFocus = nullptr;
  if (saved && IsWindow(saved) && IsChild(hwnd, saved) && IsWindowVisible(saved) && IsWindowEnabled(saved))
    SetFocus(saved);
}

void X11Backend::CheckFocus() {
  FFocusCheck = false;
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(FConnection->Display(), &focus, &revert);
  if (FindX(focus)) return;
  // The display's focus went to another program: the program is no longer active.
  HWND active = GetActiveWindow();
  if (!active) return;
  HWND f = GetFocus();
  FSavedFocus = f && IsChild(active, f) ? f : nullptr;
  FActivatingFromX = true;
  auto done = AtScopeExit([this] { FActivatingFromX = false; });
  SetActiveWindow(nullptr);
}

void X11Backend::HandleKey(XWin& w, XEvent& event) {
  XKeyEvent& k = event.xkey;
  SyncModifiers(k.state);
  bool press = event.type == KeyPress;
  std::string text;
  KeySym sym = 0;
  if (press && w.InputContext) {
    char buf[64];
    Status status = 0;
    int n = Xutf8LookupString(w.InputContext, &k, buf, sizeof buf, &sym, &status);
    if (status == XBufferOverflow) {
      std::string big(std::size_t(n), '\0');
      n = Xutf8LookupString(w.InputContext, &k, big.data(), n, &sym, &status);
      text = big.substr(0, std::size_t(std::max(0, n)));
    } else if (status == XLookupChars || status == XLookupBoth) {
      text.assign(buf, std::size_t(std::max(0, n)));
    }
  } else if (press) {
    char buf[64];
    int n = XLookupString(&k, buf, sizeof buf, &sym, nullptr);
    text = Latin1ToUtf8(std::string_view(buf, std::size_t(std::max(0, n))));
  }
  // Text an input method composed comes without a key.
  if (k.keycode == 0) {
    if (!text.empty()) input::TypeText(text);
    return;
  }
  KeySym base = XLookupKeysym(&k, 0);
  if (IsKeypadKey(base)) {
    // Num Lock decides between digits and cursor keys.
    KeySym shifted = 0;
    XLookupString(&k, nullptr, 0, &shifted, nullptr);
    if (shifted) base = shifted;
  }
  UINT vk = VkFromKeySym(base);
  if (!vk) {
    // A key the virtual keys do not name still types its characters.
    if (press && KeyTextIsTyped(text, false)) input::TypeText(text);
    return;
  }
  if (press) input::KeyDown(vk, KeyTextIsTyped(text, (k.state & ControlMask) != 0) ? text : std::string());
  else input::KeyUp(vk);
}

void X11Backend::HandleButton(XWin& w, XEvent& event) {
  const XButtonEvent& b = event.xbutton;
  SyncModifiers(b.state);
  ButtonAction a = TranslateButton(b.button);
  POINT p = ScreenPoint(w, b.x, b.y);
  bool press = event.type == ButtonPress;
  if (a.Kind == ButtonAction::Wheel && press) input::MouseWheel(a.WheelDelta, p.x, p.y);
  if (a.Kind != ButtonAction::Press) return;
  if (press) input::MouseDown(a.Mouse, p.x, p.y);
  else input::MouseUp(a.Mouse, p.x, p.y);
}

void X11Backend::HandlePointer(XWin& w, XEvent& event) {
  ::Display* dpy = FConnection->Display();
  if (event.type == MotionNotify) {
    // Only the latest position of a run of motion counts.
    while (XCheckTypedWindowEvent(dpy, w.Id, MotionNotify, &event)) {
    }
    POINT p = ScreenPoint(w, event.xmotion.x, event.xmotion.y);
    input::MouseMove(p.x, p.y);
    return;
  }
  const XCrossingEvent& c = event.xcrossing;
  if (c.mode != NotifyNormal) return;
  POINT p = ScreenPoint(w, c.x, c.y);
  if (event.type == EnterNotify) input::MouseMove(p.x, p.y);
  else SetCursorPos(p.x, p.y);  // off our window: nobody gets a move
}

namespace {
// An X cursor drawn from a cursor's image: opaque dark pixels in black, the rest in white.
::Cursor CursorFromImage(::Display* dpy, ::Window root, const CursorImage& img) {
  if (img.Width <= 0 || img.Height <= 0 || img.Pixels.size() < std::size_t(img.Width) * img.Height) return 0;
  int stride = (img.Width + 7) / 8;
  std::vector<char> source(std::size_t(stride) * img.Height), mask(source.size());
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      std::uint32_t px = img.Pixels[std::size_t(y) * img.Width + x];
      if ((px >> 24) < 0x80) continue;
      int lum = int((px >> 16) & 0xFF) + int((px >> 8) & 0xFF) + int(px & 0xFF);
      char bit = char(1 << (x % 8));
      mask[std::size_t(y) * stride + x / 8] |= bit;
      if (lum < 384) source[std::size_t(y) * stride + x / 8] |= bit;
    }
  Pixmap s = XCreateBitmapFromData(dpy, root, source.data(), unsigned(img.Width), unsigned(img.Height));
  Pixmap m = XCreateBitmapFromData(dpy, root, mask.data(), unsigned(img.Width), unsigned(img.Height));
  XColor black{}, white{};
  white.red = white.green = white.blue = 0xFFFF;
  ::Cursor c = XCreatePixmapCursor(dpy, s, m, &black, &white, unsigned(img.HotX), unsigned(img.HotY));
  XFreePixmap(dpy, s);
  XFreePixmap(dpy, m);
  return c;
}
}  // namespace

void X11Backend::ApplyCursor() {
  HCURSOR current = GetCursor();
  if (current == FAppliedCursor) return;
  FAppliedCursor = current;
  ::Display* dpy = FConnection->Display();
  ::Cursor xc = 0;
  if (const CursorImage* img = GetCursorImage(current)) {
    auto it = FCursors.find(current);
    if (it == FCursors.end()) {
      int shape = FontCursorShape(img->Name);
      ::Cursor made = shape >= 0 ? XCreateFontCursor(dpy, unsigned(shape)) : CursorFromImage(dpy, FConnection->Root(), *img);
      if (!made) made = XCreateFontCursor(dpy, XC_left_ptr);
      it = FCursors.emplace(current, made).first;
    }
    xc = it->second;
  }
  for (auto& [hwnd, w] : FWindows) XDefineCursor(dpy, w->Id, xc);
}

}  // namespace win::x11

namespace win::x11 {

void X11Backend::UpdateGrab() {
  XWin* popup = nullptr;
  if (HWND capture = GetCapture()) {
    HWND top = capture;
    while (GetWindowLongPtr(top, GWL_STYLE) & WS_CHILD) top = GetParent(top);
    popup = FindWin(top);
    if (popup && (!popup->OverrideRedirect || !popup->Mapped)) popup = nullptr;
  }
  XWindowId want = popup ? popup->Id : 0;
  if (want == FGrab) return;
  ::Display* dpy = FConnection->Display();
  if (FGrab) {
    XUngrabPointer(dpy, CurrentTime);
    XUngrabKeyboard(dpy, CurrentTime);
    FGrab = 0;
  }
  if (!want) return;
  const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
  if (XGrabPointer(dpy, want, True, mask, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime) != GrabSuccess) return;
  XGrabKeyboard(dpy, want, True, GrabModeAsync, GrabModeAsync, CurrentTime);
  FGrab = want;
}

}  // namespace win::x11
