// Device contexts of windows and of the screen. Every top-level window has an image
// surface; child windows draw into it, offset and clipped to their visible client area.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/desktop/Backend.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/gdi/GdiInternal.h"

namespace win::gdi {
namespace {

struct WindowSurface {
  cairo_surface_t* surface = nullptr;
  int width = 0, height = 0;
};

std::unordered_map<HWND, WindowSurface>& Surfaces() {
  static auto* m = new std::unordered_map<HWND, WindowSurface>;
  return *m;
}

// The surface of a top-level window, grown or shrunk to its size (pixels kept).
WindowSurface* SurfaceOf(HWND root) {
  auto& all = Surfaces();
  for (auto it = all.begin(); it != all.end();) {
    if (!IsWindow(it->first)) {
      cairo_surface_destroy(it->second.surface);
      it = all.erase(it);
    } else {
      ++it;
    }
  }
  RECT wr;
  if (!GetWindowRect(root, &wr)) return nullptr;
  int w = std::max<int>(1, wr.right - wr.left), h = std::max<int>(1, wr.bottom - wr.top);
  WindowSurface& ws = all[root];
  if (ws.surface && ws.width == w && ws.height == h) return &ws;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  PixelTarget t = PixelsOf(s);
  std::fill(t.data, t.data + size_t(t.stride) * h, ToPixel(GetSysColor(COLOR_BTNFACE)));
  cairo_surface_mark_dirty(s);
  if (ws.surface) {
    cairo_t* cr = cairo_create(s);
    cairo_set_source_surface(cr, ws.surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(ws.surface);
  }
  ws = WindowSurface{s, w, h};
  return &ws;
}

RECT ScreenRectOfClient(HWND hwnd) {
  RECT cr;
  GetClientRect(hwnd, &cr);
  POINT o{0, 0};
  ClientToScreen(hwnd, &o);
  return RECT{o.x, o.y, o.x + cr.right, o.y + cr.bottom};
}

bool Visible(HWND h) { return IsWindowVisible(h) != 0; }

// Screen area where a window may draw: inside every ancestor's client area, less the
// siblings above it and, with WS_CLIPCHILDREN, its visible children.
Region VisibleScreenArea(HWND hwnd, const RECT& area) {
  Region vis(area);
  HWND child = hwnd;
  for (HWND p = GetParent(hwnd); p && (GetWindowLongPtr(child, GWL_STYLE) & WS_CHILD); child = p, p = GetParent(p)) {
    vis = vis.Intersect(Region(ScreenRectOfClient(p)));
    if (GetWindowLongPtr(child, GWL_STYLE) & WS_CLIPSIBLINGS)
      for (HWND s = GetWindow(child, GW_HWNDPREV); s; s = GetWindow(s, GW_HWNDPREV)) {
        RECT sr;
        if (Visible(s) && GetWindowRect(s, &sr)) vis = vis.Subtract(Region(sr));
      }
  }
  // A window region (window coordinates) limits the window and what lies inside it.
  for (HWND w = hwnd; w; w = (GetWindowLongPtr(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
    std::vector<RECT> rects;
    RECT wr;
    if (!GetWindowRegionRects(w, &rects) || !GetWindowRect(w, &wr)) continue;
    Region shape;
    for (RECT r : rects) {
      r.left += wr.left;
      r.right += wr.left;
      r.top += wr.top;
      r.bottom += wr.top;
      shape = shape.Unite(Region(r));
    }
    vis = vis.Intersect(shape);
  }
  // Children show only within the client area: beyond it (over the scroll bars) the
  // window draws its own frame.
  if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CLIPCHILDREN) {
    const Region client(ScreenRectOfClient(hwnd));
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      RECT cr;
      if (Visible(c) && GetWindowRect(c, &cr)) vis = vis.Subtract(Region(cr).Intersect(client));
    }
  }
  return vis;
}

void OffsetRectBy(RECT& r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}

HWND RootOf(HWND hwnd) {
  HWND root = hwnd;
  while ((GetWindowLongPtr(root, GWL_STYLE) & WS_CHILD) && GetParent(root)) root = GetParent(root);
  return root;
}

HDC MakeWindowDC(HWND hwnd, bool client) {
  if (!IsWindow(hwnd)) return nullptr;
  HWND root = RootOf(hwnd);
  WindowSurface* ws = SurfaceOf(root);
  if (!ws) return nullptr;
  RECT rootRect, area;
  GetWindowRect(root, &rootRect);
  if (client) area = ScreenRectOfClient(hwnd);
  else GetWindowRect(hwnd, &area);
  auto dc = std::make_unique<DCObj>();
  dc->type = DCType::Window;
  dc->hwnd = hwnd;
  InitDCState(*dc);
  AttachSurface(*dc, ws->surface, POINT{area.left - rootRect.left, area.top - rootRect.top}, area.right - area.left,
                area.bottom - area.top);
  Region vis = VisibleScreenArea(hwnd, area);
  vis.Offset(-area.left, -area.top);
  dc->visible = vis;
  return AddDC(std::move(dc));
}

}  // namespace

void InstallGraphicsHooks() {
  static bool done = false;
  if (done) return;
  done = true;
  GraphicsHooks hooks;
  hooks.ScrollPixels = [](HWND hwnd, int dx, int dy, const RECT& rect) {
    HDC hdc = MakeWindowDC(hwnd, true);
    DCObj* dc = FindDC(hdc);
    if (dc && dc->surface) {
      // Move the pixels of rect by (dx, dy) within the window's visible area: the pixels
      // that land inside rect (dst) come from dst - (dx, dy); those from outside the
      // surface are black.
      const RECT src = NormalizedRect(rect);
      const RECT dst = RectIntersect(src, RECT{src.left + dx, src.top + dy, src.right + dx, src.bottom + dy});
      PixelTarget t = PixelsOf(dc->surface);
      if (t.Valid() && !RectEmpty(dst)) {
        const int ox = dc->origin.x, oy = dc->origin.y;
        const RECT surface{-ox, -oy, t.width - ox, t.height - oy};
        const int w = dst.right - dst.left;
        std::vector<std::uint32_t> copy(size_t(w) * size_t(dst.bottom - dst.top), 0);
        const RECT from =
            RectIntersect(RECT{dst.left - dx, dst.top - dy, dst.right - dx, dst.bottom - dy}, surface);
        for (int y = from.top; y < from.bottom; ++y)
          std::memcpy(&copy[size_t(y + dy - dst.top) * w + size_t(from.left + dx - dst.left)],
                      &t.data[size_t(y + oy) * t.stride + size_t(from.left + ox)],
                      size_t(from.right - from.left) * sizeof(std::uint32_t));
        for (const RECT& v : dc->visible.Rects()) {
          const RECT to = RectIntersect(RectIntersect(v, dst), surface);
          for (int y = to.top; y < to.bottom; ++y)
            std::memcpy(&t.data[size_t(y + oy) * t.stride + size_t(to.left + ox)],
                        &copy[size_t(y - dst.top) * w + size_t(to.left - dst.left)],
                        size_t(to.right - to.left) * sizeof(std::uint32_t));
        }
        cairo_surface_mark_dirty(dc->surface);
      }
    }
    RemoveDC(hdc);
  };
  hooks.SetRegionRects = [](HRGN rgn, const std::vector<RECT>& rects) {
    if (RegionObj* r = FindRegion(rgn)) {
      Region out;
      for (const RECT& rc : rects) out = out.Unite(Region(rc));
      r->rgn = out;
    }
  };
  hooks.EraseBackground = [](HWND hwnd, HDC hdc, HBRUSH brush) -> BOOL {
    RECT r;
    if (!GetClientRect(hwnd, &r)) return FALSE;
    return FillRect(hdc, &r, brush) ? TRUE : FALSE;
  };
  hooks.PaintScrollBars = [](HWND hwnd) {
    HDC hdc = MakeWindowDC(hwnd, false);
    if (!hdc) return;
    RECT bars[2];
    bool shown[2] = {false, false};
    const int which[2] = {SB_VERT, SB_HORZ};
    for (int i = 0; i < 2; ++i) {
      SCROLLINFO si;
      si.fMask = SIF_ALL;
      shown[i] = GetWindowScrollBarRect(hwnd, which[i], &bars[i]) && GetScrollInfo(hwnd, which[i], &si);
      if (!shown[i]) continue;
      UINT off = IsWindowEnabled(hwnd) ? GetScrollBarDisabledArrows(hwnd, which[i]) : ESB_DISABLE_BOTH;
      // The thumb shows where a drag has taken it.
      DrawScrollBar(hdc, bars[i], which[i] == SB_HORZ, si.nMin, si.nMax, si.nPage, si.nTrackPos, off);
    }
    if (shown[0] && shown[1]) {
      RECT corner{bars[0].left, bars[1].top, bars[0].right, bars[1].bottom};
      FillRect(hdc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(hwnd, hdc);
  };
  SetGraphicsHooks(hooks);
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

void InstallDrawingHooks() { gdi::InstallGraphicsHooks(); }

namespace {
// A window's frame (its scroll bars) can be painted before anything has asked for a device
// context: the drawing hooks are in place from the start, not from the first context.
const bool DrawingHooksInstalled = (InstallDrawingHooks(), true);
}  // namespace

namespace {
cairo_surface_t* ScreenSurface() {
  static cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1920, 1080);
  return s;
}
}  // namespace

HDC GetDC(HWND hwnd) {
  if (!hwnd) {
    auto dc = std::make_unique<DCObj>();
    dc->type = DCType::Screen;
    InitDCState(*dc);
    AttachSurface(*dc, ScreenSurface(), POINT{}, 1920, 1080);
    return AddDC(std::move(dc));
  }
  return MakeWindowDC(hwnd, true);
}

HDC GetWindowDC(HWND hwnd) { return hwnd ? MakeWindowDC(hwnd, false) : GetDC(nullptr); }

namespace {
// Tells the display which part of the top-level window's image a window DC may have changed.
void ReportDrawn(const DCObj& dc) {
  if (dc.type != DCType::Window || !IsWindow(dc.hwnd)) return;
  RECT box = dc.visible.Box();
  if (RectEmpty(box)) return;
  OffsetRectBy(box, dc.origin.x, dc.origin.y);
  CurrentBackend().SurfaceInvalidated(RootOf(dc.hwnd), box);
}
}  // namespace

int ReleaseDC(HWND, HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc || (dc->type != DCType::Window && dc->type != DCType::Screen)) return 0;
  ReportDrawn(*dc);
  RemoveDC(hdc);
  return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  if (!ps || !IsWindow(hwnd)) return nullptr;
  std::vector<RECT> update = GetUpdateRects(hwnd);
  bool erase = GetUpdateErase(hwnd);
  ValidateRect(hwnd, nullptr);
  HDC hdc = MakeWindowDC(hwnd, true);
  DCObj* dc = FindDC(hdc);
  if (!dc) return nullptr;
  Region upd;
  for (const RECT& r : update) upd = upd.Unite(Region(r));
  dc->visible = dc->visible.Intersect(upd);
  dc->fromBeginPaint = true;
  ps->hdc = hdc;
  ps->rcPaint = upd.Box();
  ps->fErase = FALSE;
  if (erase) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
  return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  DCObj* dc = FindDC(ps->hdc);
  if (!dc || !dc->fromBeginPaint) return FALSE;
  ReportDrawn(*dc);
  RemoveDC(ps->hdc);
  return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  if (!IsWindow(hwnd)) return 0;
  if (!rgn) return SetWindowRegionRects(hwnd, nullptr, redraw) ? 1 : 0;
  RegionObj* r = FindRegion(rgn);
  if (!r) return 0;
  std::vector<RECT> rects = r->rgn.Rects();
  // The window system owns the region from now on.
  DeleteObject(rgn);
  return SetWindowRegionRects(hwnd, &rects, redraw) ? 1 : 0;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  RegionObj* r = FindRegion(rgn);
  std::vector<RECT> rects;
  if (!r || !GetWindowRegionRects(hwnd, &rects)) return RGN_ERROR;
  Region out;
  for (const RECT& rc : rects) out = out.Unite(Region(rc));
  r->rgn = out;
  return out.Complexity();
}

bool SaveWindowPng(HWND hwnd, const std::string& fileName) {
  if (!IsWindow(hwnd)) return false;
  HWND root = RootOf(hwnd);
  WindowSurface* ws = SurfaceOf(root);
  if (!ws) return false;
  RECT rootRect, wr;
  GetWindowRect(root, &rootRect);
  GetWindowRect(hwnd, &wr);
  cairo_surface_t* sub = cairo_surface_create_for_rectangle(ws->surface, wr.left - rootRect.left, wr.top - rootRect.top,
                                                            std::max<int>(1, wr.right - wr.left),
                                                            std::max<int>(1, wr.bottom - wr.top));
  bool ok = cairo_surface_write_to_png(sub, fileName.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sub);
  return ok;
}

cairo_surface_t* WindowImageSurface(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  WindowSurface* ws = SurfaceOf(RootOf(hwnd));
  return ws ? ws->surface : nullptr;
}

}  // namespace win
