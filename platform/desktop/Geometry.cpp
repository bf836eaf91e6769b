// Window positions and sizes, z-order, the non-client frame, coordinate mapping and
// placement.
#include <algorithm>

#include "platform/desktop/internal/State.h"

namespace win {
using namespace detail;

namespace detail {

RECT DefaultClientRect(const Window& w, const RECT& r) {
  if (w.Style & WS_MINIMIZE) return RECT{r.left, r.top, r.left, r.top};
  RECT c = r;
  int bx = 0, by = 0;
  if (w.Style & WS_THICKFRAME) {
    bx = GetSystemMetrics(SM_CXFRAME);
    by = GetSystemMetrics(SM_CYFRAME);
  } else if ((w.Style & WS_DLGFRAME) || (w.ExStyle & WS_EX_DLGMODALFRAME)) {
    bx = GetSystemMetrics(SM_CXDLGFRAME);
    by = GetSystemMetrics(SM_CYDLGFRAME);
  } else if (w.Style & WS_BORDER) {
    bx = GetSystemMetrics(SM_CXBORDER);
    by = GetSystemMetrics(SM_CYBORDER);
  }
  if (w.ExStyle & WS_EX_CLIENTEDGE) {
    bx += GetSystemMetrics(SM_CXEDGE);
    by += GetSystemMetrics(SM_CYEDGE);
  }
  if (w.ExStyle & WS_EX_STATICEDGE) {
    bx += 1;
    by += 1;
  }
  c.left += bx;
  c.right -= bx;
  c.top += by;
  c.bottom -= by;
  if ((w.Style & WS_CAPTION) == WS_CAPTION)
    c.top += GetSystemMetrics((w.ExStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (w.Style & WS_VSCROLL) {
    if (w.ExStyle & WS_EX_LEFTSCROLLBAR) c.left += GetSystemMetrics(SM_CXVSCROLL);
    else c.right -= GetSystemMetrics(SM_CXVSCROLL);
  }
  if (w.Style & WS_HSCROLL) c.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  return c;
}

void RecalcFrame(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  RECT r = w->Rect;
  SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  if (!(w = Find(hwnd))) return;
  w->Client = RECT{r.left - w->Rect.left, r.top - w->Rect.top, r.right - w->Rect.left,
                   r.bottom - w->Rect.top};
}

}  // namespace detail

namespace {
bool IsTopmost(HWND h) {
  Window* w = Find(h);
  return w && (w->ExStyle & WS_EX_TOPMOST);
}

void PlaceInZOrder(Window& w, HWND after) {
  auto& sib = SiblingsOf(w);
  sib.erase(std::remove(sib.begin(), sib.end(), w.Handle), sib.end());
  bool top = !w.Parent && !w.MessageOnly;
  auto firstNonTopmost = [&] {
    return std::find_if(sib.begin(), sib.end(), [](HWND h) { return !IsTopmost(h); });
  };
  if (after == HWND_TOPMOST) {
    if (top) w.ExStyle |= WS_EX_TOPMOST;
    sib.insert(sib.begin(), w.Handle);
  } else if (after == HWND_NOTOPMOST) {
    w.ExStyle &= ~WS_EX_TOPMOST;
    sib.insert(top ? firstNonTopmost() : sib.begin(), w.Handle);
  } else if (after == HWND_TOP) {
    sib.insert(top && !(w.ExStyle & WS_EX_TOPMOST) ? firstNonTopmost() : sib.begin(), w.Handle);
  } else if (after == HWND_BOTTOM) {
    sib.push_back(w.Handle);
  } else {
    auto it = std::find(sib.begin(), sib.end(), after);
    sib.insert(it == sib.end() ? sib.begin() : it + 1, w.Handle);
  }
}

// Activates another top-level window when `leaving` stops being active.
void ActivateOther(HWND leaving) {
  State& s = S();
  Window* lw = Find(leaving);
  auto usable = [&](HWND h) {
    Window* w = Find(h);
    return w && h != leaving && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED) &&
           !(w->Style & WS_MINIMIZE) && !w->Destroying;
  };
  HWND next = nullptr;
  if (lw && lw->Owner && usable(lw->Owner)) next = lw->Owner;
  for (std::size_t i = 0; !next && i < s.TopLevels.size(); ++i)
    if (usable(s.TopLevels[i])) next = s.TopLevels[i];
  SetActiveWindow(next);
}

RECT MinimizedRect() { return RECT{-32000, -32000, -32000 + 160, -32000 + 28}; }
}  // namespace

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (cx < 0) cx = 0;
  if (cy < 0) cy = 0;
  bool visible = (w->Style & WS_VISIBLE) != 0;
  if ((flags & SWP_SHOWWINDOW) && visible) flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) && !visible) flags &= ~SWP_HIDEWINDOW;
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->Rect.left;
    wp.y = w->Rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->Rect.right - w->Rect.left;
    wp.cy = w->Rect.bottom - w->Rect.top;
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = Find(hwnd))) return FALSE;
    flags = wp.flags;
  }
  RECT oldRect = w->Rect;
  RECT oldClient = w->Client;
  bool oldShowing = IsShowing(*w);
  RECT newRect = oldRect;
  if (!(flags & SWP_NOMOVE)) newRect = RectOffset(newRect, wp.x - oldRect.left, wp.y - oldRect.top);
  if (!(flags & SWP_NOSIZE)) {
    newRect.right = newRect.left + std::max(0, wp.cx);
    newRect.bottom = newRect.top + std::max(0, wp.cy);
  }
  bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
  bool sized = (newRect.right - newRect.left) != (oldRect.right - oldRect.left) ||
               (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
  if (!(flags & SWP_NOZORDER)) PlaceInZOrder(*w, wp.hwndInsertAfter);
  w->Rect = newRect;
  if (!(w->Style & (WS_MINIMIZE | WS_MAXIMIZE))) w->NormalRect = newRect;
  if (sized || (flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newRect;
    p.rgrc[1] = oldRect;
    p.rgrc[2] = RectOffset(oldClient, oldRect.left, oldRect.top);
    p.lppos = &wp;
    SendMessageA(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    if (!(w = Find(hwnd))) return FALSE;
    RECT c = p.rgrc[0];
    w->Client = RECT{c.left - w->Rect.left, c.top - w->Rect.top, c.right - w->Rect.left,
                     c.bottom - w->Rect.top};
    if (flags & SWP_FRAMECHANGED) w->FrameDirty = true;
  }
  if (flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;
  bool clientSized = (w->Client.right - w->Client.left) != (oldClient.right - oldClient.left) ||
                     (w->Client.bottom - w->Client.top) != (oldClient.bottom - oldClient.top);
  bool nowShowing = IsShowing(*w);

  if (!(flags & SWP_NOREDRAW)) {
    if (oldShowing && (moved || sized || !nowShowing))
      if (Window* p = Find(w->Parent)) InvalidateClient(p->Handle, &oldRect, true, false);
    if (nowShowing) {
      int cw = w->Client.right - w->Client.left, ch = w->Client.bottom - w->Client.top;
      int ow = oldClient.right - oldClient.left, oh = oldClient.bottom - oldClient.top;
      UINT cs = w->Class->Style;
      // Nothing copies a moved window's pixels, so a move redraws it whole.
      if (!oldShowing || moved || (flags & SWP_FRAMECHANGED) || ((cs & CS_HREDRAW) && cw != ow) ||
          ((cs & CS_VREDRAW) && ch != oh)) {
        InvalidateClient(hwnd, nullptr, true, true);
        w->FrameDirty = true;
        // Coming back from no client area (minimised), nothing of the children was kept:
        // clipped children and their frames (scroll bars) repaint too.
        if ((ow <= 0 || oh <= 0) && cw > 0 && ch > 0) ExposeDescendants(hwnd);
      } else if (clientSized) {
        RectSet exposed;
        exposed.Add(RECT{0, 0, cw, ch});
        exposed.Remove(RECT{0, 0, ow, oh});
        for (const RECT& r : exposed.Rects()) InvalidateClient(hwnd, &r, true, false);
      }
    }
  }
  if (!w->Parent && !w->MessageOnly) {
    Backend& b = CurrentBackend();
    if (moved || sized) b.WindowMoved(hwnd, w->Rect);
    if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) b.WindowShown(hwnd, (w->Style & WS_VISIBLE) != 0);
    if (flags & SWP_HIDEWINDOW) {
      if (S().Active == hwnd) ActivateOther(hwnd);
    } else if (!(flags & SWP_NOACTIVATE) && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED)) {
      SetActiveWindow(hwnd);
    }
    if (!(w = Find(hwnd))) return TRUE;
  }
  // The frame is painted at once when there is one to paint.
  if (!(flags & SWP_NOREDRAW) && w->FrameDirty && IsShowing(*w)) {
    w->FrameDirty = false;
    RECT whole{0, 0, w->Rect.right - w->Rect.left, w->Rect.bottom - w->Rect.top};
    if (!(w->Client == whole)) {
      SendMessageA(hwnd, WM_NCPAINT, 1, 0);
      if (!(w = Find(hwnd))) return TRUE;
    }
  }
  WINDOWPOS done{hwnd, wp.hwndInsertAfter, w->Rect.left, w->Rect.top, w->Rect.right - w->Rect.left,
                 w->Rect.bottom - w->Rect.top, flags};
  // The flags say what happened to the client area, which a frame change can move or resize.
  bool clientMoved = moved || w->Client.left != oldClient.left || w->Client.top != oldClient.top;
  done.flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
  if (!clientMoved) done.flags |= SWP_NOMOVE;
  if (!sized && !clientSized) done.flags |= SWP_NOSIZE;
  SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {
void HideOwnedPopups(HWND owner, bool hide) {
  std::vector<HWND> list = S().TopLevels;
  for (HWND t : list) {
    Window* tw = Find(t);
    if (!tw || tw->Owner != owner) continue;
    if (hide && (tw->Style & WS_VISIBLE)) {
      SendMessageA(t, WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
      if (!(tw = Find(t))) continue;
      tw->HiddenByOwner = true;
      SetWindowPos(t, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (!hide && tw->HiddenByOwner) {
      tw->HiddenByOwner = false;
      SendMessageA(t, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
      SetWindowPos(t, nullptr, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

void ShowState(HWND hwnd, bool visibleBefore) {
  if (!visibleBefore) SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
}
}  // namespace

BOOL ShowWindow(HWND hwnd, int cmd) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  bool wasVisible = (w->Style & WS_VISIBLE) != 0;
  bool top = !w->Parent && !w->MessageOnly;
  const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | keep);
      return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: {
      ShowState(hwnd, wasVisible);
      if (!(w = Find(hwnd))) return wasVisible;
      if (!(w->Style & WS_MINIMIZE)) {
        if (w->Style & WS_MAXIMIZE) w->MaxPosition = POINT{1, 1};  // restore to maximised
        else {
          w->NormalRect = w->Rect;
          w->MaxPosition = POINT{-1, -1};
        }
        w->Style = (w->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        if (top) HideOwnedPopups(hwnd, true);
        RECT m = top ? MinimizedRect() : w->Rect;
        SetWindowPos(hwnd, nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top,
                     SWP_FRAMECHANGED | SWP_SHOWWINDOW | keep);
      } else if (!wasVisible) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | keep);
      }
      if (!Find(hwnd)) return wasVisible;
      if (top) {
        if (cmd == SW_SHOWMINIMIZED) SetActiveWindow(hwnd);
        else if (S().Active == hwnd) ActivateOther(hwnd);
      }
      return wasVisible;
    }
    case SW_MAXIMIZE: {
      ShowState(hwnd, wasVisible);
      if (!(w = Find(hwnd))) return wasVisible;
      if (!(w->Style & (WS_MINIMIZE | WS_MAXIMIZE))) w->NormalRect = w->Rect;
      bool wasIconic = (w->Style & WS_MINIMIZE) != 0;
      w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
      RECT r;
      if (top) {
        MONITORINFO mi;
        GetMonitorInfoA(MonitorFromRect(&w->NormalRect, MONITOR_DEFAULTTONEAREST), &mi);
        r = mi.rcWork;
      } else if (Window* p = Find(w->Parent)) {
        r = RECT{0, 0, p->Client.right - p->Client.left, p->Client.bottom - p->Client.top};
      } else {
        r = w->Rect;
      }
      SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_FRAMECHANGED | SWP_SHOWWINDOW | keep);
      if (top && wasIconic) HideOwnedPopups(hwnd, false);
      if (top && Find(hwnd)) SetActiveWindow(hwnd);
      return wasVisible;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
      ShowState(hwnd, wasVisible);
      if (!(w = Find(hwnd))) return wasVisible;
      if (w->Style & WS_MINIMIZE) {
        w->Style &= ~WS_MINIMIZE;
        if (w->MaxPosition.x == 1 && cmd == SW_RESTORE) {
          w->MaxPosition = POINT{-1, -1};
          ShowWindow(hwnd, SW_MAXIMIZE);
          return wasVisible;
        }
      } else {
        w->Style &= ~WS_MAXIMIZE;
      }
      RECT r = w->NormalRect;
      bool changed = r.left != w->Rect.left || r.top != w->Rect.top || r.right != w->Rect.right ||
                     r.bottom != w->Rect.bottom;
      SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_SHOWWINDOW | keep | (changed ? SWP_FRAMECHANGED : SWP_NOMOVE | SWP_NOSIZE));
      if (top) HideOwnedPopups(hwnd, false);
      if (top && cmd != SW_SHOWNOACTIVATE && Find(hwnd)) SetActiveWindow(hwnd);
      return wasVisible;
    }
    case SW_SHOW:
    case SW_SHOWNA:
    default:
      ShowState(hwnd, wasVisible);
      if (!Find(hwnd)) return wasVisible;
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | keep);
      if (top && cmd == SW_SHOW && Find(hwnd)) SetActiveWindow(hwnd);
      return wasVisible;
  }
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && IsShowing(*w) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && (w->Style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && (w->Style & WS_MAXIMIZE) ? TRUE : FALSE;
}

namespace {
RECT ScreenRect() {
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
}  // namespace

BOOL GetWindowRect(HWND hwnd, RECT* out) {
  if (!out) return FALSE;
  if (hwnd == GetDesktopWindow()) {
    *out = ScreenRect();
    return TRUE;
  }
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  POINT o = ScreenOrigin(*w);
  *out = RECT{o.x, o.y, o.x + (w->Rect.right - w->Rect.left), o.y + (w->Rect.bottom - w->Rect.top)};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* out) {
  if (!out) return FALSE;
  if (hwnd == GetDesktopWindow()) {
    *out = ScreenRect();
    return TRUE;
  }
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  *out = RECT{0, 0, w->Client.right - w->Client.left, w->Client.bottom - w->Client.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
  if (!pt) return FALSE;
  if (hwnd == GetDesktopWindow()) return TRUE;
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  POINT o = ClientScreenOrigin(*w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
  if (!pt) return FALSE;
  if (hwnd == GetDesktopWindow()) return TRUE;
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  POINT o = ClientScreenOrigin(*w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from && from != GetDesktopWindow()) {
    Window* w = Get(from);
    if (!w) return 0;
    a = ClientScreenOrigin(*w);
  }
  if (to && to != GetDesktopWindow()) {
    Window* w = Get(to);
    if (!w) return 0;
    b = ClientScreenOrigin(*w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; pts && i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  SetLastError(0);
  return int(MAKELONG(WORD(SHORT(dx)), WORD(SHORT(dy))));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  Window probe;
  probe.Style = style & ~(WS_MINIMIZE | WS_VSCROLL | WS_HSCROLL);
  probe.ExStyle = exStyle;
  RECT big{0, 0, 10000, 10000};
  RECT c = DefaultClientRect(probe, big);
  rect->left -= c.left - big.left;
  rect->top -= c.top - big.top;
  rect->right += big.right - c.right;
  rect->bottom += big.bottom - c.bottom;
  if (menu) rect->top -= GetSystemMetrics(SM_CYMENU);
  return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}

// ---- hit-testing ----
namespace {
// pt in the window's own coordinates of its rectangle (window region honoured).
bool WindowContains(const Window& w, POINT screen) {
  POINT o = ScreenOrigin(w);
  int x = screen.x - o.x, y = screen.y - o.y;
  if (x < 0 || y < 0 || x >= w.Rect.right - w.Rect.left || y >= w.Rect.bottom - w.Rect.top) return false;
  return !w.Region || w.Region->Contains(x, y);
}

bool ClientContains(const Window& w, POINT screen) {
  POINT o = ClientScreenOrigin(w);
  return RectContains(RECT{0, 0, w.Client.right - w.Client.left, w.Client.bottom - w.Client.top},
                      screen.x - o.x, screen.y - o.y);
}

HWND Deepest(HWND hwnd, POINT pt) {
  Window* w = Find(hwnd);
  if (!w || !ClientContains(*w, pt)) return hwnd;
  for (HWND c : w->Children) {
    Window* cw = Find(c);
    if (!cw || !(cw->Style & WS_VISIBLE) || !WindowContains(*cw, pt)) continue;
    if (cw->Style & WS_DISABLED) return hwnd;
    return Deepest(c, pt);
  }
  return hwnd;
}
}  // namespace

HWND WindowFromPoint(POINT pt) {
  for (HWND t : S().TopLevels) {
    Window* w = Find(t);
    if (w && (w->Style & WS_VISIBLE) && WindowContains(*w, pt)) return Deepest(t, pt);
  }
  return nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  Window* w = Get(parent);
  if (!w) return nullptr;
  RECT client{0, 0, w->Client.right - w->Client.left, w->Client.bottom - w->Client.top};
  if (!RectContains(client, pt.x, pt.y)) return nullptr;
  POINT o = ClientScreenOrigin(*w);
  POINT screen{pt.x + o.x, pt.y + o.y};
  for (HWND c : w->Children) {
    Window* cw = Find(c);
    if (!cw || !WindowContains(*cw, screen)) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(cw->Style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (cw->Style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (cw->ExStyle & WS_EX_TRANSPARENT)) continue;
    return c;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

BOOL SetWindowRegionRects(HWND hwnd, const std::vector<RECT>* rects, BOOL redraw) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (rects) {
    RectSet set;
    for (const RECT& r : *rects) set.Add(r);
    w->Region = set;
  } else {
    w->Region.reset();
  }
  if (redraw && IsShowing(*w)) {
    if (Window* p = Find(w->Parent)) InvalidateClient(p->Handle, &w->Rect, true, false);
    InvalidateClient(hwnd, nullptr, true, true);
  }
  return TRUE;
}

bool GetWindowRegionRects(HWND hwnd, std::vector<RECT>* out) {
  Window* w = Find(hwnd);
  if (!w || !w->Region) return false;
  if (out) *out = w->Region->Rects();
  return true;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* out) {
  Window* w = Get(hwnd);
  if (!w || !out) return FALSE;
  out->length = sizeof(WINDOWPLACEMENT);
  out->flags = (w->Style & WS_MINIMIZE) && w->MaxPosition.x == 1 ? WPF_RESTORETOMAXIMIZED : 0;
  out->showCmd = (w->Style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                 : (w->Style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                 : (w->Style & WS_VISIBLE) ? SW_SHOWNORMAL
                                           : SW_HIDE;
  out->ptMinPosition = w->MinPosition;
  out->ptMaxPosition = POINT{-1, -1};
  out->rcNormalPosition = (w->Style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->NormalRect : w->Rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* wp) {
  Window* w = Get(hwnd);
  if (!w || !wp) return FALSE;
  RECT r = wp->rcNormalPosition;
  w->NormalRect = r;
  if (!(w->Style & (WS_MINIMIZE | WS_MAXIMIZE)))
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (wp->flags & WPF_SETMINPOSITION) w->MinPosition = wp->ptMinPosition;
  ShowWindow(hwnd, int(wp->showCmd));
  return TRUE;
}

}  // namespace win
