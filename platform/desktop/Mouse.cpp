// The cursor position and injected mouse input: hit-testing, activation by click,
// capture and double clicks.
#include <cstdlib>

#include "platform/desktop/Input.h"
#include "platform/desktop/internal/State.h"
#include "platform/rtl/ScopeExit.h"

namespace win {
using namespace detail;

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return FALSE;
  *pt = S().Cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  S().Cursor = POINT{x, y};
  return TRUE;
}

namespace input {
namespace {
struct Target {
  HWND Window = nullptr;
  LRESULT Hit = HTNOWHERE;
};

LPARAM PackPoint(POINT p) { return MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y))); }

Target MouseTarget(POINT pt) {
  State& s = S();
  if (Find(s.Capture)) return {s.Capture, HTCLIENT};
  HWND h = WindowFromPoint(pt);
  if (!h) return {};
  if (!IsWindowEnabled(Root(h))) return {};
  LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, PackPoint(pt));
  while (hit == HTTRANSPARENT) {
    Window* w = Find(h);
    if (!w || !w->Parent) return {};
    h = w->Parent;
    hit = SendMessageA(h, WM_NCHITTEST, 0, PackPoint(pt));
  }
  return {h, hit};
}

WPARAM KeyFlags() {
  WPARAM f = 0;
  if (GetKeyState(VK_LBUTTON) < 0) f |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) f |= MK_RBUTTON;
  if (GetKeyState(VK_MBUTTON) < 0) f |= MK_MBUTTON;
  if (GetKeyState(VK_SHIFT) < 0) f |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) f |= MK_CONTROL;
  return f;
}

UINT ButtonVk(MouseButton b) {
  return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

// The client message for a button: down, up or double click.
UINT ButtonMessage(MouseButton b, int kind) {
  UINT base = b == MouseButton::Left ? WM_LBUTTONDOWN : b == MouseButton::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  return base + UINT(kind);
}

void PostMouse(const Target& t, UINT clientMsg, POINT screen) {
  Window* w = Find(t.Window);
  if (!w) return;
  if (t.Hit == HTCLIENT) {
    POINT o = ClientScreenOrigin(*w);
    Post(t.Window, clientMsg, KeyFlags(), PackPoint(POINT{screen.x - o.x, screen.y - o.y}));
  } else {
    Post(t.Window, clientMsg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(t.Hit), PackPoint(screen));
  }
}

void SetCursorFor(const Target& t, UINT msg) {
  if (S().Capture || !Find(t.Window)) return;
  SendMessageA(t.Window, WM_SETCURSOR, reinterpret_cast<WPARAM>(t.Window),
               MAKELPARAM(WORD(SHORT(t.Hit)), WORD(msg)));
}
}  // namespace

void MouseMove(int x, int y) {
  POINT pt{x, y};
  S().Cursor = pt;
  Target t = MouseTarget(pt);
  if (t.Window) {
    SetCursorFor(t, WM_MOUSEMOVE);
    PostMouse(t, WM_MOUSEMOVE, pt);
  }
}

void MouseDown(MouseButton button, int x, int y) {
  State& s = S();
  POINT pt{x, y};
  s.Cursor = pt;
  S().Keys[ButtonVk(button)] |= 0x80;
  Target t = MouseTarget(pt);
  if (!t.Window) return;
  UINT down = ButtonMessage(button, 0);
  if (!s.Capture) {
    HWND root = Root(t.Window);
    if (root != s.Active) {
      LRESULT r = SendMessageA(t.Window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                               MAKELPARAM(WORD(SHORT(t.Hit)), WORD(down)));
      if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) {
        s.ActivatingByClick = true;
        auto done = AtScopeExit([&s] { s.ActivatingByClick = false; });
        SetActiveWindow(root);
      }
      if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) return;
    }
    SetCursorFor(t, down);
  }
  Window* w = Find(t.Window);
  if (!w) return;
  bool wantsDouble = t.Hit != HTCLIENT || (w->Class->Style & CS_DBLCLKS);
  std::uint64_t now = Now64();
  bool isDouble = wantsDouble && s.LastClickValid && s.LastClickWindow == t.Window &&
                  s.LastClickButton == down && now - s.LastClickTime <= GetDoubleClickTime() &&
                  std::abs(pt.x - s.LastClickPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                  std::abs(pt.y - s.LastClickPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (isDouble) {
    s.LastClickValid = false;
    PostMouse(t, ButtonMessage(button, 2), pt);
  } else {
    s.LastClickValid = true;
    s.LastClickWindow = t.Window;
    s.LastClickButton = down;
    s.LastClickTime = now;
    s.LastClickPoint = pt;
    PostMouse(t, down, pt);
  }
}

void MouseUp(MouseButton button, int x, int y) {
  POINT pt{x, y};
  S().Cursor = pt;
  S().Keys[ButtonVk(button)] &= BYTE(~0x80);
  Target t = MouseTarget(pt);
  if (t.Window) PostMouse(t, ButtonMessage(button, 1), pt);
}

void MouseWheel(int delta, int x, int y) {
  State& s = S();
  s.Cursor = POINT{x, y};
  HWND t = Find(s.Focus) ? s.Focus : Find(s.Active) ? s.Active : nullptr;
  if (t) Post(t, WM_MOUSEWHEEL, MAKEWPARAM(WORD(KeyFlags()), WORD(SHORT(delta))), PackPoint(s.Cursor));
}

}  // namespace input

namespace headless {

void MouseMove(int x, int y) {
  input::MouseMove(x, y);
  ProcessMessages();
}

void MouseDown(MouseButton button, int x, int y) {
  input::MouseDown(button, x, y);
  ProcessMessages();
}

void MouseUp(MouseButton button, int x, int y) {
  input::MouseUp(button, x, y);
  ProcessMessages();
}

void Click(MouseButton button, int x, int y) {
  MouseDown(button, x, y);
  MouseUp(button, x, y);
}

void DoubleClick(MouseButton button, int x, int y) {
  Click(button, x, y);
  Click(button, x, y);
}

void MouseWheel(int delta, int x, int y) {
  input::MouseWheel(delta, x, y);
  ProcessMessages();
}

}  // namespace headless
}  // namespace win
