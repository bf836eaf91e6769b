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

namespace {
// Decodes one UTF-8 character at s[i]; returns U+FFFD (and one byte) for bad input.
char32_t DecodeUtf8(std::string_view s, std::size_t& i, bool& bad) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (len == 0 || i + len > s.size()) {
    ++i;
    bad = true;
    return 0xFFFD;
  }
  char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (int k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      bad = true;
      return 0xFFFD;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  static const char32_t minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    bad = true;
    return 0xFFFD;
  }
  i += len;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}
}  // namespace

std::u16string ToUtf16(std::string_view s, bool* invalid) {
  std::u16string out;
  bool bad = false;
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = DecodeUtf8(s, i, bad);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
  }
  if (invalid) *invalid = bad;
  return out;
}

std::string ToUtf8(std::u16string_view s, bool* invalid) {
  std::string out;
  bool bad = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
      bad = true;
    }
    AppendUtf8(out, c);
  }
  if (invalid) *invalid = bad;
  return out;
}

std::string CutUtf8(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return std::string(s);
  std::size_t n = maxBytes;
  // Step back over continuation bytes, then drop a lead byte whose sequence was cut.
  std::size_t k = n;
  while (k > 0 && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80) --k;
  return std::string(s.substr(0, k));
}

}  // namespace win::detail
