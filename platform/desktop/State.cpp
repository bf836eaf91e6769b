// The window system's shared state and small helpers: rectangles, lookup, clock, text.
#include "platform/desktop/internal/State.h"

#include <algorithm>
#include <chrono>

namespace win::detail {

bool RectIsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT RectIntersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (RectIsEmpty(r)) return RECT{};
  return r;
}

bool RectContains(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

RECT RectOffset(RECT r, int dx, int dy) {
  r.left += dx; r.right += dx; r.top += dy; r.bottom += dy;
  return r;
}

std::vector<RECT> RectSubtract(const RECT& r, const RECT& cut) {
  RECT c = RectIntersect(r, cut);
  if (RectIsEmpty(c)) return {r};
  std::vector<RECT> out;
  if (c.top > r.top) out.push_back({r.left, r.top, r.right, c.top});
  if (c.bottom < r.bottom) out.push_back({r.left, c.bottom, r.right, r.bottom});
  if (c.left > r.left) out.push_back({r.left, c.top, c.left, c.bottom});
  if (c.right < r.right) out.push_back({c.right, c.top, r.right, c.bottom});
  return out;
}

void RectSet::Add(const RECT& r) {
  if (RectIsEmpty(r)) return;
  std::vector<RECT> pieces{r};
  for (const RECT& e : FRects) {
    std::vector<RECT> next;
    for (const RECT& p : pieces) {
      auto parts = RectSubtract(p, e);
      next.insert(next.end(), parts.begin(), parts.end());
    }
    pieces.swap(next);
    if (pieces.empty()) return;
  }
  FRects.insert(FRects.end(), pieces.begin(), pieces.end());
}

void RectSet::Remove(const RECT& r) {
  if (RectIsEmpty(r)) return;
  std::vector<RECT> next;
  for (const RECT& e : FRects) {
    auto parts = RectSubtract(e, r);
    next.insert(next.end(), parts.begin(), parts.end());
  }
  FRects.swap(next);
}

void RectSet::IntersectWith(const RECT& r) {
  std::vector<RECT> next;
  for (const RECT& e : FRects) {
    RECT c = RectIntersect(e, r);
    if (!RectIsEmpty(c)) next.push_back(c);
  }
  FRects.swap(next);
}

void RectSet::Offset(int dx, int dy) {
  for (RECT& e : FRects) e = RectOffset(e, dx, dy);
}

bool RectSet::Contains(int x, int y) const {
  for (const RECT& e : FRects)
    if (RectContains(e, x, y)) return true;
  return false;
}

RECT RectSet::Bounds() const {
  if (FRects.empty()) return RECT{};
  RECT b = FRects.front();
  for (const RECT& e : FRects) {
    b.left = std::min(b.left, e.left);
    b.top = std::min(b.top, e.top);
    b.right = std::max(b.right, e.right);
    b.bottom = std::max(b.bottom, e.bottom);
  }
  return b;
}

State& S() {
  static State state;
  return state;
}

Window* Find(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& ws = S().Windows;
  auto it = ws.find(hwnd);
  return it == ws.end() ? nullptr : it->second.get();
}

Window* Get(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

HWND Root(HWND hwnd) {
  Window* w = Find(hwnd);
  while (w && w->Parent) w = Find(w->Parent);
  return w ? w->Handle : nullptr;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
  Window* w = Find(hwnd);
  while (w) {
    if (w->Handle == ancestor) return true;
    w = Find(w->Parent);
  }
  return false;
}

bool IsShowing(const Window& w) {
  const Window* p = &w;
  while (p) {
    if (!(p->Style & WS_VISIBLE)) return false;
    p = Find(p->Parent);
  }
  return !w.MessageOnly;
}

POINT ScreenOrigin(const Window& w) {
  POINT pt{w.Rect.left, w.Rect.top};
  if (Window* p = Find(w.Parent)) {
    POINT o = ClientScreenOrigin(*p);
    pt.x += o.x;
    pt.y += o.y;
  }
  return pt;
}

POINT ClientScreenOrigin(const Window& w) {
  POINT pt = ScreenOrigin(w);
  pt.x += w.Client.left;
  pt.y += w.Client.top;
  return pt;
}

std::vector<HWND>& SiblingsOf(const Window& w) {
  if (Window* p = Find(w.Parent)) return p->Children;
  return w.MessageOnly ? S().MessageOnly : S().TopLevels;
}

std::uint64_t Now64() {
  Backend& b = CurrentBackend();
  if (b.UsesManualClock()) return S().ManualNow;
  return b.Now();
}

DWORD TickCount() { return DWORD(S().ClockBase + DWORD(Now64())); }

void NoteActivity() { ++S().Activity; }

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return r;
}

}  // namespace win::detail
