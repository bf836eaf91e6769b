// Scroll-bar information of windows and scroll-bar controls, and scrolling a window.
#include <algorithm>

#include "platform/desktop/internal/State.h"

namespace win {
using namespace detail;

namespace {
ScrollBarState* Bar(Window& w, int bar) {
  switch (bar) {
    case SB_HORZ: return &w.HScroll;
    case SB_VERT: return &w.VScroll;
    case SB_CTL: return &w.Ctl;
  }
  return nullptr;
}

DWORD StyleBit(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }

void SetBarShown(HWND hwnd, int bar, bool show) {
  Window* w = Find(hwnd);
  if (!w || bar == SB_CTL) return;
  DWORD bit = StyleBit(bar);
  if (bool(w->Style & bit) == show) return;
  if (show) w->Style |= bit;
  else w->Style &= ~bit;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Clamp(ScrollBarState& b) {
  UINT range = UINT(std::max(0, b.Max - b.Min)) + 1;
  if (b.Page > range) b.Page = range;
  int maxPos = b.Max - std::max(int(b.Page) - 1, 0);
  b.Pos = std::max(b.Min, std::min(b.Pos, std::max(b.Min, maxPos)));
  b.TrackPos = b.Pos;
}

bool Scrollable(const ScrollBarState& b) {
  if (b.Page == 0) return b.Max > b.Min;
  return int(b.Page) <= b.Max - b.Min;
}

void Redraw(HWND hwnd, int bar) {
  Window* w = Find(hwnd);
  if (!w) return;
  if (bar == SB_CTL) InvalidateClient(hwnd, nullptr, true, false);
  else w->FrameDirty = true;
}
}  // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  Window* w = Get(hwnd);
  if (!w || !info) return 0;
  ScrollBarState* b = Bar(*w, bar);
  if (!b) return 0;
  UINT mask = info->fMask;
  if (mask & SIF_RANGE) {
    b->Min = info->nMin;
    b->Max = std::max(info->nMin, info->nMax);
  }
  if (mask & SIF_PAGE) b->Page = info->nPage;
  if (mask & SIF_POS) b->Pos = info->nPos;
  b->Set = true;
  Clamp(*b);
  int pos = b->Pos;
  if (bar != SB_CTL && (mask & (SIF_RANGE | SIF_PAGE))) {
    if (Scrollable(*b)) {
      b->DisabledArrows = ESB_ENABLE_BOTH;
      SetBarShown(hwnd, bar, true);
    } else if (mask & SIF_DISABLENOSCROLL) {
      b->DisabledArrows = ESB_DISABLE_BOTH;
      SetBarShown(hwnd, bar, true);
    } else {
      SetBarShown(hwnd, bar, false);
    }
  }
  if (redraw) Redraw(hwnd, bar);
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  Window* w = Get(hwnd);
  if (!w || !info) return FALSE;
  ScrollBarState* b = Bar(*w, bar);
  if (!b) return FALSE;
  if (bar != SB_CTL && !b->Set && !(w->Style & StyleBit(bar))) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = b->Min;
    info->nMax = b->Max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = b->Page;
  if (info->fMask & SIF_POS) info->nPos = b->Pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = b->TrackPos;
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  ScrollBarState* b = Bar(*w, bar);
  if (!b) return 0;
  int old = b->Pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO si;
  si.fMask = SIF_POS;
  return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = minPos;
  si.nMax = maxPos;
  if (!Get(hwnd)) return FALSE;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &si)) {
    if (minPos) *minPos = 0;
    if (maxPos) *maxPos = 0;
    return FALSE;
  }
  if (minPos) *minPos = si.nMin;
  if (maxPos) *maxPos = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (bar == SB_CTL) return ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE), TRUE;
  if (bar == SB_HORZ || bar == SB_BOTH) SetBarShown(hwnd, SB_HORZ, show != FALSE);
  if (bar == SB_VERT || bar == SB_BOTH) SetBarShown(hwnd, SB_VERT, show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  bool changed = false;
  auto apply = [&](int which) {
    ScrollBarState* b = Bar(*w, which);
    if (!b) return;
    changed |= b->DisabledArrows != (arrows & ESB_DISABLE_BOTH);
    b->DisabledArrows = arrows & ESB_DISABLE_BOTH;
    Redraw(hwnd, which);
  };
  if (bar == UINT(SB_BOTH)) {
    apply(SB_HORZ);
    apply(SB_VERT);
  } else {
    apply(int(bar));
  }
  return changed ? TRUE : FALSE;
}

UINT GetScrollBarDisabledArrows(HWND hwnd, int bar) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  ScrollBarState* b = Bar(*w, bar);
  return b ? b->DisabledArrows : 0;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRgn,
                   RECT* updateRect, UINT flags) {
  Window* w = Get(hwnd);
  if (!w) return ERROR_REGION;
  RECT client{0, 0, w->Client.right - w->Client.left, w->Client.bottom - w->Client.top};
  RECT area = scroll ? RectIntersect(*scroll, client) : client;
  RECT clipRect = clip ? RectIntersect(*clip, client) : client;
  RECT visible = RectIntersect(area, clipRect);

  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> list = w->Children;
    for (HWND c : list) {
      Window* cw = Find(c);
      if (!cw) continue;
      if (scroll && RectIsEmpty(RectIntersect(cw->Rect, area))) continue;
      SetWindowPos(c, nullptr, cw->Rect.left + dx, cw->Rect.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    if (!(w = Find(hwnd))) return ERROR_REGION;
  }

  RectSet uncovered;
  uncovered.Add(visible);
  auto& hooks = S().Hooks;
  if (hooks.ScrollPixels && !RectIsEmpty(visible)) {
    hooks.ScrollPixels(hwnd, dx, dy, visible);
    uncovered.Remove(RectOffset(area, dx, dy));
    // The pending update region moves with the pixels.
    RectSet moved;
    RectSet stay;
    for (const RECT& r : w->Update.Rects()) {
      RECT in = RectIntersect(r, visible);
      if (!RectIsEmpty(in)) moved.Add(RectIntersect(RectOffset(in, dx, dy), visible));
      for (const RECT& out : RectSubtract(r, visible)) stay.Add(out);
    }
    for (const RECT& r : moved.Rects()) stay.Add(r);
    w->Update = stay;
  }
  if (flags & SW_INVALIDATE)
    for (const RECT& r : uncovered.Rects()) InvalidateClient(hwnd, &r, (flags & SW_ERASE) != 0, true);
  if (updateRect) *updateRect = uncovered.Bounds();
  if (updateRgn && hooks.SetRegionRects) hooks.SetRegionRects(updateRgn, uncovered.Rects());
  if (uncovered.Empty()) return NULLREGION;
  return uncovered.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
  UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR_REGION;
}

}  // namespace win
