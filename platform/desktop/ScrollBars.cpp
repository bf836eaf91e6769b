// Scroll-bar information of windows and scroll-bar controls, and scrolling a window.
#include <algorithm>
#include <optional>
#include <utility>

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

// The highest position a bar's thumb can reach.
int TopPos(int min, int max, UINT page) { return std::max(min, max - std::max(int(page) - 1, 0)); }

enum Part { NoPart, LineUp, PageUp, Thumb, PageDown, LineDown };

bool DraggingThumb(HWND hwnd, int bar) {
  const ScrollTracking& t = S().Tracking;
  return t.Window && t.Window == hwnd && t.Bar == bar && t.Part == Thumb;
}

void Clamp(HWND hwnd, int bar, ScrollBarState& b) {
  UINT range = UINT(std::max(0, b.Max - b.Min)) + 1;
  if (b.Page > range) b.Page = range;
  b.Pos = std::clamp(b.Pos, b.Min, TopPos(b.Min, b.Max, b.Page));
  // While the thumb is dragged it stays where the cursor put it.
  if (!DraggingThumb(hwnd, bar)) b.TrackPos = b.Pos;
}

void Redraw(HWND hwnd, int bar) {
  if (!Find(hwnd)) return;
  if (bar == SB_CTL) InvalidateClient(hwnd, nullptr, true, false);
  else RedrawScrollBars(hwnd);
}

// ---- following a press on a window's scroll bar ----
constexpr UINT_PTR kRepeatTimer = 0xFFF5;

int Along(POINT p, bool horizontal) { return horizontal ? p.x : p.y; }
int Start(const RECT& r, bool horizontal) { return horizontal ? r.left : r.top; }
int End(const RECT& r, bool horizontal) { return horizontal ? r.right : r.bottom; }

struct BarView {
  ScrollBarState* State = nullptr;
  ScrollBarLayout Layout;
  bool Horizontal = false;
  POINT Origin;  // the window's top-left corner on the screen
};

std::optional<BarView> ViewOf(HWND hwnd, int bar) {
  Window* w = Find(hwnd);
  RECT r;
  if (!w || !GetWindowScrollBarRect(hwnd, bar, &r)) return std::nullopt;
  BarView v;
  v.State = Bar(*w, bar);
  v.Horizontal = bar == SB_HORZ;
  v.Layout = LayOutScrollBar(r, v.Horizontal, v.State->Min, v.State->Max, v.State->Page, v.State->TrackPos);
  v.Origin = ScreenOrigin(*w);
  return v;
}

Part PartAt(const BarView& v, POINT screen) {
  POINT p{screen.x - v.Origin.x, screen.y - v.Origin.y};
  const ScrollBarLayout& l = v.Layout;
  if (RectContains(l.Arrow1, p.x, p.y)) return LineUp;
  if (RectContains(l.Arrow2, p.x, p.y)) return LineDown;
  if (!RectContains(l.Track, p.x, p.y)) return NoPart;
  if (RectIsEmpty(l.Thumb)) return NoPart;
  int at = Along(p, v.Horizontal);
  if (at < Start(l.Thumb, v.Horizontal)) return PageUp;
  if (at >= End(l.Thumb, v.Horizontal)) return PageDown;
  return Thumb;
}

WORD CodeOf(int part) {
  switch (part) {
    case LineUp: return SB_LINEUP;
    case PageUp: return SB_PAGEUP;
    case PageDown: return SB_PAGEDOWN;
    case LineDown: return SB_LINEDOWN;
  }
  return SB_ENDSCROLL;
}

void SendScroll(HWND hwnd, int bar, WORD code, int pos) {
  Window* w = Find(hwnd);
  if (!w || w->Destroying) return;
  SendMessageA(hwnd, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, WORD(SHORT(pos))), 0);
}

void EndTracking(bool released) {
  ScrollTracking t = std::exchange(S().Tracking, ScrollTracking{});
  if (!t.Window) return;
  KillTimer(t.Window, kRepeatTimer);
  if (released && t.Part == Thumb) SendScroll(t.Window, t.Bar, SB_THUMBPOSITION, t.LastPos);
  SendScroll(t.Window, t.Bar, SB_ENDSCROLL, 0);
  if (S().Capture == t.Window) ReleaseCapture();
  if (Window* w = Find(t.Window)) {
    ScrollBarState* b = Bar(*w, t.Bar);
    b->TrackPos = b->Pos;
    RedrawScrollBars(t.Window);
  }
}

void RepeatScroll(HWND hwnd, UINT, UINT_PTR, DWORD) {
  const ScrollTracking t = S().Tracking;
  if (t.Window != hwnd || t.Part == Thumb) {
    KillTimer(hwnd, kRepeatTimer);
    return;
  }
  SetTimer(hwnd, kRepeatTimer, SCROLL_REPEAT_INTERVAL, &RepeatScroll);
  // The press repeats only while the cursor stays on the part pressed: on a page press
  // that ends once the thumb has come under the cursor.
  std::optional<BarView> v = ViewOf(hwnd, t.Bar);
  if (v && PartAt(*v, S().Cursor) == t.Part) SendScroll(hwnd, t.Bar, CodeOf(t.Part), 0);
}
}  // namespace

bool ScrollRangeScrolls(int min, int max, UINT page) {
  if (page == 0) return max > min;
  return int(page) <= max - min;
}

ScrollBarLayout LayOutScrollBar(const RECT& bar, bool horizontal, int min, int max, UINT page, int pos) {
  ScrollBarLayout l;
  int start = Start(bar, horizontal), end = std::max(start, End(bar, horizontal));
  int thick = horizontal ? bar.bottom - bar.top : bar.right - bar.left;
  int arrow = std::max(0, std::min(thick, (end - start) / 2));
  auto span = [&](int from, int to) {
    return horizontal ? RECT{from, bar.top, to, bar.bottom} : RECT{bar.left, from, bar.right, to};
  };
  l.Arrow1 = span(start, start + arrow);
  l.Arrow2 = span(end - arrow, end);
  l.Track = span(start + arrow, end - arrow);
  l.Thumb = span(start + arrow, start + arrow);
  l.Scrollable = ScrollRangeScrolls(min, max, page);
  int track = end - start - 2 * arrow;
  long long range = static_cast<long long>(max) - min + 1;
  constexpr int kMinThumb = 8;
  int thumb = page > 0 ? std::max<int>(kMinThumb, int(track * static_cast<long long>(page) / range)) : thick;
  if (!l.Scrollable || thumb > track) return l;
  long long positions = static_cast<long long>(TopPos(min, max, page)) - min;
  int at = std::clamp(pos, min, TopPos(min, max, page));
  int offset = positions > 0 ? int((track - thumb) * (static_cast<long long>(at) - min) / positions) : 0;
  l.Thumb = span(start + arrow + offset, start + arrow + offset + thumb);
  return l;
}

BOOL GetWindowScrollBarRect(HWND hwnd, int bar, RECT* rect) {
  Window* w = Find(hwnd);
  if (!w || !rect || (bar != SB_HORZ && bar != SB_VERT) || !(w->Style & StyleBit(bar))) return FALSE;
  const RECT& c = w->Client;
  if (bar == SB_VERT) {
    int cx = GetSystemMetrics(SM_CXVSCROLL);
    int left = (w->ExStyle & WS_EX_LEFTSCROLLBAR) ? c.left - cx : c.right;
    *rect = RECT{left, c.top, left + cx, c.bottom};
  } else {
    *rect = RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  }
  return TRUE;
}

namespace detail {
void RedrawScrollBars(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  auto& paint = S().Hooks.PaintScrollBars;
  if (paint && IsShowing(*w)) paint(hwnd);
  else w->FrameDirty = true;
}

void StartScrollTracking(HWND hwnd, int bar, POINT screen) {
  if (S().Tracking.Window || !IsWindowEnabled(hwnd)) return;
  std::optional<BarView> v = ViewOf(hwnd, bar);
  if (!v || !v->Layout.Scrollable) return;
  ScrollBarState& b = *v->State;
  Part part = PartAt(*v, screen);
  UINT off = b.DisabledArrows;
  if (part == NoPart || off == ESB_DISABLE_BOTH || (part == LineUp && (off & ESB_DISABLE_LTUP)) ||
      (part == LineDown && (off & ESB_DISABLE_RTDN)))
    return;
  ScrollTracking& t = S().Tracking;
  t = ScrollTracking{hwnd, bar, part, 0, b.Pos};
  SetCapture(hwnd);
  if (part == Thumb) {
    t.Grab = Along(screen, v->Horizontal) - Along(v->Origin, v->Horizontal) - Start(v->Layout.Thumb, v->Horizontal);
    SendScroll(hwnd, bar, SB_THUMBTRACK, t.LastPos);
  } else {
    SetTimer(hwnd, kRepeatTimer, SCROLL_REPEAT_DELAY, &RepeatScroll);
    SendScroll(hwnd, bar, CodeOf(part), 0);
  }
}

bool FollowScrollTracking(const MSG& msg) {
  const ScrollTracking t = S().Tracking;
  if (!t.Window || msg.hwnd != t.Window) return false;
  // Moves and the release come to the captured window as client messages; those queued
  // before the press took the capture still name the bar.
  bool client = msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP;
  bool release = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP;
  if (!client && msg.message != WM_NCMOUSEMOVE && !release) return false;
  Window* w = Find(t.Window);
  if (!w || S().Capture != t.Window) {
    EndTracking(false);
    return false;
  }
  if (release) {
    EndTracking(true);
    return true;
  }
  if (t.Part != Thumb) return true;
  std::optional<BarView> v = ViewOf(t.Window, t.Bar);
  if (!v) return true;
  POINT c = client ? ClientScreenOrigin(*w) : POINT{0, 0};
  int at = Along(POINT{GET_X_LPARAM(msg.lParam) + c.x, GET_Y_LPARAM(msg.lParam) + c.y}, v->Horizontal) -
           Along(v->Origin, v->Horizontal);
  const ScrollBarLayout& l = v->Layout;
  ScrollBarState& b = *v->State;
  int thumb = End(l.Thumb, v->Horizontal) - Start(l.Thumb, v->Horizontal);
  int room = End(l.Track, v->Horizontal) - Start(l.Track, v->Horizontal) - thumb;
  int top = TopPos(b.Min, b.Max, b.Page);
  int offset = std::clamp(at - t.Grab - Start(l.Track, v->Horizontal), 0, std::max(room, 0));
  int pos = room > 0 ? b.Min + int((static_cast<long long>(offset) * (top - b.Min) + room / 2) / room) : b.Pos;
  if (pos == t.LastPos) return true;
  S().Tracking.LastPos = pos;
  b.TrackPos = pos;
  RedrawScrollBars(t.Window);
  SendScroll(t.Window, t.Bar, SB_THUMBTRACK, pos);
  return true;
}

void ScrollCaptureChanged(HWND newCapture) {
  const ScrollTracking& t = S().Tracking;
  if (t.Window && newCapture != t.Window) EndTracking(false);
}
}  // namespace detail

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  Window* w = Get(hwnd);
  if (!w || !info) return 0;
  ScrollBarState* b = Bar(*w, bar);
  if (!b) return 0;
  const ScrollBarState before = *b;
  const DWORD style = w->Style;
  UINT mask = info->fMask;
  if (mask & SIF_RANGE) {
    b->Min = info->nMin;
    b->Max = std::max(info->nMin, info->nMax);
  }
  if (mask & SIF_PAGE) b->Page = info->nPage;
  if (mask & SIF_POS) b->Pos = info->nPos;
  b->Set = true;
  Clamp(hwnd, bar, *b);
  int pos = b->Pos;
  if (bar != SB_CTL && (mask & (SIF_RANGE | SIF_PAGE))) {
    if (ScrollRangeScrolls(b->Min, b->Max, b->Page)) {
      b->DisabledArrows = ESB_ENABLE_BOTH;
      SetBarShown(hwnd, bar, true);
    } else if (mask & SIF_DISABLENOSCROLL) {
      b->DisabledArrows = ESB_DISABLE_BOTH;
      SetBarShown(hwnd, bar, true);
    } else {
      SetBarShown(hwnd, bar, false);
    }
  }
  // A bar that only appeared or went away was drawn with its frame; one that did not
  // change needs no drawing.
  w = Find(hwnd);
  bool changed = before.Min != b->Min || before.Max != b->Max || before.Page != b->Page || before.Pos != b->Pos ||
                 before.TrackPos != b->TrackPos || before.DisabledArrows != b->DisabledArrows;
  if (redraw && w && w->Style == style && changed) Redraw(hwnd, bar);
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
