// Activation, keyboard focus, mouse capture and enabling windows.
#include "platform/desktop/internal/State.h"

namespace win {
using namespace detail;

HWND SetActiveWindow(HWND hwnd) {
  State& s = S();
  HWND old = s.Active;
  if (hwnd) {
    Window* w = Get(hwnd);
    if (!w || w->MessageOnly) return nullptr;
    hwnd = Root(hwnd);
  }
  if (hwnd == old) return old;
  s.Active = hwnd;
  if (Find(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                 reinterpret_cast<LPARAM>(hwnd));
  }
  if (!old || !hwnd) {
    // The application gains or loses activation as a whole.
    if (Find(hwnd)) SendMessageA(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    if (Find(old)) SendMessageA(old, WM_ACTIVATEAPP, FALSE, 0);
  }
  if (s.Active != hwnd) return old;  // a handler activated something else
  if (Window* w = Find(hwnd)) {
    auto& sib = SiblingsOf(*w);
    if (!sib.empty() && sib.front() != hwnd && !(w->Style & WS_MINIMIZE))
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    WORD how = s.ActivatingByClick ? WA_CLICKACTIVE : WA_ACTIVE;
    SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    if (s.Active == hwnd && Find(hwnd)) CurrentBackend().WindowActivated(hwnd);
  } else if (s.Focus) {
    SetFocus(nullptr);
  }
  return Find(old) ? old : nullptr;
}

HWND GetActiveWindow() { return S().Active; }

BOOL SetForegroundWindow(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w || w->MessageOnly) return FALSE;
  SetActiveWindow(hwnd);
  return TRUE;
}

HWND GetForegroundWindow() { return S().Active; }

HWND SetFocus(HWND hwnd) {
  State& s = S();
  HWND old = s.Focus;
  if (hwnd) {
    Window* w = Get(hwnd);
    if (!w || (w->Style & WS_DISABLED) || w->Destroying) return nullptr;
    if (hwnd == old) return old;
    HWND root = Root(hwnd);
    if (s.Active != root && !w->MessageOnly) {
      SetActiveWindow(root);
      if (!Find(hwnd)) return nullptr;
      old = s.Focus;
      if (old == hwnd) return old;
    }
  } else if (!old) {
    return nullptr;
  }
  s.Focus = hwnd;
  if (Find(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (s.Focus == hwnd && Find(hwnd)) SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return Find(old) ? old : nullptr;
}

HWND GetFocus() { return S().Focus; }

HWND SetCapture(HWND hwnd) {
  State& s = S();
  HWND old = s.Capture;
  if (hwnd && !Get(hwnd)) return nullptr;
  if (hwnd == old) return old;
  s.Capture = hwnd;
  ScrollCaptureChanged(hwnd);
  if (Find(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  State& s = S();
  HWND old = s.Capture;
  s.Capture = nullptr;
  ScrollCaptureChanged(nullptr);
  if (Find(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return S().Capture; }

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  bool wasDisabled = (w->Style & WS_DISABLED) != 0;
  if (bool(enable) == !wasDisabled) return wasDisabled;
  State& s = S();
  if (enable) {
    w->Style &= ~WS_DISABLED;
  } else {
    w->Style |= WS_DISABLED;
    if (s.Capture && IsDescendant(hwnd, s.Capture)) SendMessageA(s.Capture, WM_CANCELMODE, 0, 0);
    if (s.Focus && IsDescendant(hwnd, s.Focus)) SetFocus(nullptr);
  }
  if (Find(hwnd)) SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL GetGUIThreadInfo(DWORD, GUITHREADINFO* info) {
  if (!info) return FALSE;
  State& s = S();
  info->hwndActive = s.Active;
  info->hwndFocus = s.Focus;
  info->hwndCapture = s.Capture;
  info->hwndCaret = s.TheCaret ? s.TheCaret->Owner : nullptr;
  if (s.TheCaret) info->rcCaret = RECT{s.TheCaret->Pos.x, s.TheCaret->Pos.y,
                                       s.TheCaret->Pos.x + s.TheCaret->Width,
                                       s.TheCaret->Pos.y + s.TheCaret->Height};
  return TRUE;
}

namespace detail {

// Called before a window is destroyed: capture, focus and activation leave it.
void FocusWindowDestroyed(HWND hwnd) {
  State& s = S();
  if (s.Capture && IsDescendant(hwnd, s.Capture)) ReleaseCapture();
  if (s.Active == hwnd) {
    // Prefer the owner, then the topmost other visible window.
    Window* w = Find(hwnd);
    HWND next = nullptr;
    if (w && w->Owner) {
      Window* o = Find(w->Owner);
      if (o && (o->Style & WS_VISIBLE) && !(o->Style & WS_DISABLED)) next = w->Owner;
    }
    for (std::size_t i = 0; !next && i < s.TopLevels.size(); ++i) {
      Window* t = Find(s.TopLevels[i]);
      if (t && t->Handle != hwnd && !t->Destroying && (t->Style & WS_VISIBLE) &&
          !(t->Style & WS_DISABLED) && !(t->Style & WS_MINIMIZE))
        next = t->Handle;
    }
    SetActiveWindow(next);
  }
  if (s.Focus && IsDescendant(hwnd, s.Focus)) SetFocus(nullptr);
}

}  // namespace detail
}  // namespace win
