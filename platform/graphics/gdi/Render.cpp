// Turns drawing operations into pixels on the DC's cairo surface, with the raster
// operations that cairo has no operator for done pixel by pixel.
#include <algorithm>
#include <cmath>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win::gdi {

namespace {
void SetColor(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The region an operation may touch, device units.
Region OpClip(const DCObj& dc, const DrawOp& op) {
  Region r = dc.visible;
  if (op.hasClipRegion) {
    Region c;
    for (const RECT& rc : op.clipRects) c = c.Unite(Region(rc));
    r = r.Intersect(c);
  }
  return r;
}

void ClipCairo(cairo_t* cr, const Region& r) {
  cairo_new_path(cr);
  for (const RECT& rc : r.Rects()) cairo_rectangle(cr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  cairo_clip(cr);
}

// Cosmetic line pixels from a polyline, each segment without its last point, with the
// pen's style pattern: true pixels are dashes, false are gaps.
void CosmeticPixels(const std::vector<POINT>& pts, UINT style, std::vector<std::pair<POINT, bool>>& out) {
  static const int dash[] = {18, 6}, dot[] = {3, 3}, dashdot[] = {9, 6, 3, 6}, dashdotdot[] = {9, 3, 3, 3, 3, 3},
                   alt[] = {1, 1};
  const int* pat = nullptr;
  int n = 0;
  switch (style) {
    case PS_DASH: pat = dash; n = 2; break;
    case PS_DOT: pat = dot; n = 2; break;
    case PS_DASHDOT: pat = dashdot; n = 4; break;
    case PS_DASHDOTDOT: pat = dashdotdot; n = 6; break;
    case PS_ALTERNATE: pat = alt; n = 2; break;
    default: break;
  }
  int period = 0;
  for (int i = 0; i < n; ++i) period += pat[i];
  long step = 0;
  for (size_t k = 0; k + 1 < pts.size(); ++k) {
    int x0 = pts[k].x, y0 = pts[k].y, x1 = pts[k + 1].x, y1 = pts[k + 1].y;
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (!(x0 == x1 && y0 == y1)) {
      bool on = true;
      if (pat) {
        int pos = int(step % period), i = 0;
        while (pos >= pat[i]) pos -= pat[i++];
        on = i % 2 == 0;
      }
      out.push_back({POINT{x0, y0}, on});
      ++step;
      int e2 = 2 * err;
      if (e2 >= dy) { err += dy; x0 += sx; }
      if (e2 <= dx) { err += dx; y0 += sy; }
    }
  }
}

bool IsCosmetic(const DrawOp& op) { return !op.penGeometric && op.penWidth <= 1; }

// Runs `fn(x, y)` for every pixel in the mask and the clip.
template <class F>
void ForMask(const Region& clip, cairo_surface_t* mask, POINT maskOrg, F fn) {
  cairo_surface_flush(mask);
  const unsigned char* m = cairo_image_surface_get_data(mask);
  int ms = cairo_image_surface_get_stride(mask);
  int mw = cairo_image_surface_get_width(mask), mh = cairo_image_surface_get_height(mask);
  for (const RECT& rc : clip.Rects())
    for (int y = std::max<int>(rc.top, maskOrg.y); y < std::min<int>(rc.bottom, maskOrg.y + mh); ++y)
      for (int x = std::max<int>(rc.left, maskOrg.x); x < std::min<int>(rc.right, maskOrg.x + mw); ++x)
        if (m[(y - maskOrg.y) * ms + (x - maskOrg.x)] >= 128) fn(x, y);
}

// Hatch pattern of a brush, 8x8, repeating.
cairo_pattern_t* HatchPattern(const DrawOp& op) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 8);
  PixelTarget t = PixelsOf(s);
  std::uint32_t fg = ToPixel(op.color), bg = ToPixel(op.hatchBk);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool on = false;
      switch (op.hatch) {
        case HS_HORIZONTAL: on = y == 7; break;
        case HS_VERTICAL: on = x == 7; break;
        case HS_FDIAGONAL: on = x == y; break;
        case HS_BDIAGONAL: on = x == 7 - y; break;
        case HS_CROSS: on = x == 7 || y == 7; break;
        default: on = x == y || x == 7 - y; break;
      }
      t.data[y * t.stride + x] = on ? fg : bg;
    }
  cairo_surface_mark_dirty(s);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
  cairo_surface_destroy(s);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
  return p;
}

void SetBrushSource(cairo_t* cr, const DrawOp& op) {
  if (op.brushStyle == BS_HATCHED) {
    cairo_pattern_t* p = HatchPattern(op);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
  } else {
    SetColor(cr, op.color);
  }
}

// Path of a shape's interior in device pixels.
void ShapePath(cairo_t* cr, const DrawOp& op, double inset) {
  const RECT& r = op.rect;
  double l = r.left + inset, t = r.top + inset, w = r.right - r.left - 2 * inset, h = r.bottom - r.top - 2 * inset;
  if (w <= 0 || h <= 0) return;
  switch (op.kind) {
    case DrawKind::Ellipse:
      cairo_save(cr);
      cairo_translate(cr, l + w / 2, t + h / 2);
      cairo_scale(cr, w / 2, h / 2);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      break;
    case DrawKind::RoundRect: {
      double rx = std::min(op.ellipseW / 2.0, w / 2), ry = std::min(op.ellipseH / 2.0, h / 2);
      if (rx <= 0 || ry <= 0) { cairo_rectangle(cr, l, t, w, h); break; }
      cairo_new_sub_path(cr);
      auto corner = [&](double cx, double cy, double a0) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, a0, a0 + M_PI / 2);
        cairo_restore(cr);
      };
      corner(l + w - rx, t + ry, -M_PI / 2);
      corner(l + w - rx, t + h - ry, 0);
      corner(l + rx, t + h - ry, M_PI / 2);
      corner(l + rx, t + ry, M_PI);
      cairo_close_path(cr);
      break;
    }
    case DrawKind::Polygon:
      for (size_t i = 0; i < op.points.size(); ++i) {
        double x = op.points[i].x + 0.5, y = op.points[i].y + 0.5;
        if (i == 0) cairo_move_to(cr, x, y);
        else cairo_line_to(cr, x, y);
      }
      cairo_close_path(cr);
      break;
    default: cairo_rectangle(cr, l, t, w, h); break;
  }
}

void SetPenStroke(cairo_t* cr, const DrawOp& op) {
  cairo_set_line_width(cr, std::max(1, op.penWidth));
  DWORD cap = op.penStyle & PS_ENDCAP_MASK, join = op.penStyle & PS_JOIN_MASK;
  cairo_set_line_cap(cr, cap == PS_ENDCAP_FLAT ? CAIRO_LINE_CAP_BUTT
                         : cap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, join == PS_JOIN_BEVEL ? CAIRO_LINE_JOIN_BEVEL
                          : join == PS_JOIN_MITER ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
  UINT kind = op.penStyle & PS_STYLE_MASK;
  double w = std::max(1, op.penWidth);
  std::vector<double> d;
  switch (kind) {
    case PS_DASH: d = {3 * w, w}; break;
    case PS_DOT: d = {w, w}; break;
    case PS_DASHDOT: d = {3 * w, w, w, w}; break;
    case PS_DASHDOTDOT: d = {3 * w, w, w, w, w, w}; break;
    default: break;
  }
  if (!d.empty()) cairo_set_dash(cr, d.data(), int(d.size()), 0);
  else cairo_set_dash(cr, nullptr, 0, 0);
}

// The outline of a shape as polyline points (cosmetic pens).
std::vector<POINT> OutlinePoints(const DrawOp& op) {
  const RECT& r = op.rect;
  if (op.kind == DrawKind::Polygon) {
    std::vector<POINT> p = op.points;
    if (!p.empty()) p.push_back(p.front());
    p.push_back(p.size() > 1 ? p[1] : p.front());  // close including the last pixel
    return p;
  }
  return {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.right - 1, r.bottom - 1},
          POINT{r.left, r.bottom - 1}, POINT{r.left, r.top}};
}

void DrawPixels(cairo_t* cr, PixelTarget* px, const Region& clip, const std::vector<std::pair<POINT, bool>>& pixels,
                const DrawOp& op) {
  std::uint32_t pen = ToPixel(op.color), bk = ToPixel(op.bkColor);
  bool fillGaps = op.bkMode == OPAQUE && (op.penStyle & PS_STYLE_MASK) != PS_SOLID;
  if (px && op.rop2 != R2_COPYPEN) {
    for (auto& [p, on] : pixels) {
      if (!on && !fillGaps) continue;
      if (p.x < 0 || p.y < 0 || p.x >= px->width || p.y >= px->height || !clip.Contains(p.x, p.y)) continue;
      std::uint32_t& d = px->data[p.y * px->stride + p.x];
      d = ApplyRop2(op.rop2, on ? pen : bk, d) & 0xFFFFFF;
    }
    return;
  }
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1 && !fillGaps) break;
    bool want = pass == 0;
    bool any = false;
    // Merge horizontal and vertical runs into rectangles.
    size_t i = 0;
    while (i < pixels.size()) {
      if (pixels[i].second != want) { ++i; continue; }
      POINT a = pixels[i].first;
      size_t j = i + 1;
      int ddx = 0, ddy = 0;
      if (j < pixels.size() && pixels[j].second == want) {
        ddx = pixels[j].first.x - a.x;
        ddy = pixels[j].first.y - a.y;
        if (std::abs(ddx) + std::abs(ddy) != 1) ddx = ddy = 0;
      }
      if (ddx || ddy) {
        while (j < pixels.size() && pixels[j].second == want && pixels[j].first.x == pixels[j - 1].first.x + ddx &&
               pixels[j].first.y == pixels[j - 1].first.y + ddy)
          ++j;
      }
      POINT b = pixels[j - 1].first;
      cairo_rectangle(cr, std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x) + 1, std::abs(b.y - a.y) + 1);
      any = true;
      i = j;
    }
    if (any) {
      SetColor(cr, want ? op.color : op.bkColor);
      cairo_fill(cr);
    }
  }
}

// Draws a path into a mask and combines the pen colour with the covered pixels by a
// binary raster operation (clip in device units of the DC).
template <class F>
void MaskRop(DCObj& dc, const Region& clip, PixelTarget& px, int rop2, COLORREF color, F build) {
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, std::max(1, dc.width), std::max(1, dc.height));
  cairo_t* m = cairo_create(mask);
  cairo_set_antialias(m, CAIRO_ANTIALIAS_NONE);
  build(m);
  cairo_destroy(m);
  std::uint32_t pen = ToPixel(color);
  ForMask(clip, mask, POINT{}, [&](int x, int y) {
    int sx = x + dc.origin.x, sy = y + dc.origin.y;
    if (sx < 0 || sy < 0 || sx >= px.width || sy >= px.height) return;
    std::uint32_t& d = px.data[sy * px.stride + sx];
    d = ApplyRop2(rop2, pen, d) & 0xFFFFFF;
  });
  cairo_surface_destroy(mask);
  cairo_surface_mark_dirty(dc.surface);
}

}  // namespace

DrawOp NewOp(const DCObj& dc, DrawKind kind) {
  DrawOp op;
  op.kind = kind;
  op.dc = dc.self;
  op.window = dc.hwnd;
  op.color = dc.st.textColor;
  op.bkColor = dc.st.bkColor;
  op.bkMode = dc.st.bkMode;
  op.rop2 = dc.st.rop2;
  op.polyFillMode = dc.st.polyFill;
  if (dc.st.clip) {
    op.hasClipRegion = true;
    op.clipRects = dc.st.clip->Rects();
  }
  return op;
}

void SetBrushFields(DrawOp& op, HBRUSH brush) {
  BrushObj* b = FindBrush(brush);
  if (!b) {
    op.brushStyle = BS_NULL;
    return;
  }
  op.brushStyle = b->style;
  op.color = b->sysColor >= 0 ? GetSysColor(b->sysColor) : b->color;
  op.hatch = b->hatch;
  op.hatchBk = op.bkMode == OPAQUE ? op.bkColor : op.hatchBk;
}

void SetPenFields(DrawOp& op, const DCObj& dc) {
  PenObj* p = FindPen(dc.st.pen);
  if (!p) {
    op.penStyle = PS_NULL;
    return;
  }
  op.penStyle = p->style;
  op.penColor = p->color;
  op.penGeometric = (p->style & PS_TYPE_MASK) == PS_GEOMETRIC || p->width > 1;
  op.penWidth = op.penGeometric ? std::max(1, ToDeviceHeight(dc, p->width)) : 1;
}

// Monochrome bitmaps hold black and white only: what was drawn takes the nearer of the two.
void ReduceToMonochrome(DCObj& dc, const DrawOp& op, const Region& clip) {
  BitmapObj* b = FindBitmap(dc.bitmap);
  if (!b || b->bpp != 1) return;
  RECT box = NormalizedRect(op.rect);
  for (const POINT& p : op.points) {
    box.left = std::min<LONG>(box.left, p.x - op.penWidth);
    box.top = std::min<LONG>(box.top, p.y - op.penWidth);
    box.right = std::max<LONG>(box.right, p.x + op.penWidth + 1);
    box.bottom = std::max<LONG>(box.bottom, p.y + op.penWidth + 1);
  }
  PixelTarget px = PixelsOf(dc.surface);
  if (!px.Valid()) return;
  Region area = clip.Intersect(Region(box));
  for (const RECT& rc : area.Rects())
    for (int y = std::max<int>(0, rc.top); y < std::min<int>(px.height, rc.bottom); ++y)
      for (int x = std::max<int>(0, rc.left); x < std::min<int>(px.width, rc.right); ++x) {
        std::uint32_t& d = px.data[y * px.stride + x];
        std::uint32_t r = (d >> 16) & 0xFF, g = (d >> 8) & 0xFF, bl = d & 0xFF;
        d = (r * 30 + g * 59 + bl * 11) / 100 >= 128 ? 0xFFFFFF : 0;
      }
  cairo_surface_mark_dirty(dc.surface);
}

void Emit(DCObj& dc, DrawOp op) {
  if (DrawRecordingOn()) RecordOp(op);
  if (dc.type == DCType::MetaFile) {
    if (dc.meta) dc.meta->ops.push_back(std::move(op));
    return;
  }
  Render(dc, op);
}

bool CopyPixelsDirect(DCObj& dest, const DrawOp& op, DCObj& src, const RECT& srcArea) {
  if (DrawRecordingOn() || dest.type == DCType::MetaFile || !dest.cr || op.kind != DrawKind::Blit) return false;
  const RECT& r = op.rect;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0 || srcArea.right - srcArea.left != w || srcArea.bottom - srcArea.top != h) return false;
  if (!src.surface || src.surface == dest.surface) return false;
  for (DCObj* d : {&dest, &src}) {
    if (cairo_surface_get_type(d->surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(d->surface) != CAIRO_FORMAT_RGB24)
      return false;
    if (d->type == DCType::Memory)
      if (BitmapObj* b = FindBitmap(d->bitmap); b && b->bpp == 1) return false;
  }
  PixelTarget from = PixelsOf(src.surface);
  const int sx0 = srcArea.left + src.origin.x, sy0 = srcArea.top + src.origin.y;
  if (sx0 < 0 || sy0 < 0 || sx0 + w > from.width || sy0 + h > from.height) return false;
  PixelTarget to = PixelsOf(dest.surface);
  Region area = (op.hasClipRegion ? OpClip(dest, op) : dest.visible).Intersect(Region(r));
  area.Offset(dest.origin.x, dest.origin.y);
  area = area.Intersect(Region(RECT{0, 0, to.width, to.height}));
  // Source pixel of a surface pixel of the destination.
  const int dx = sx0 - (r.left + dest.origin.x), dy = sy0 - (r.top + dest.origin.y);
  for (const RECT& rc : area.Rects()) {
    const int n = rc.right - rc.left;
    for (int y = rc.top; y < rc.bottom; ++y) {
      const std::uint32_t* s = from.data + size_t(y + dy) * from.stride + (rc.left + dx);
      std::uint32_t* d = to.data + size_t(y) * to.stride + rc.left;
      for (int x = 0; x < n; ++x) d[x] = s[x] & 0xFFFFFF;
    }
  }
  cairo_surface_mark_dirty(dest.surface);
  return true;
}

void Render(DCObj& dc, const DrawOp& op) {
  cairo_t* cr = dc.cr;
  if (!cr || op.kind == DrawKind::Edge || op.kind == DrawKind::FrameControl) return;
  Region own;
  if (op.hasClipRegion) own = OpClip(dc, op);
  const Region& clip = op.hasClipRegion ? own : dc.visible;
  if (clip.Empty()) return;
  // Pixel access only for the raster operations cairo cannot do.
  std::uint8_t rop3 = std::uint8_t(op.rop >> 16);
  bool cairoOnly = op.kind == DrawKind::Text || op.kind == DrawKind::Pixel || op.kind == DrawKind::Frame ||
                   (op.kind == DrawKind::Fill && (rop3 == 0xF0 || rop3 == 0x00 || rop3 == 0xFF)) ||
                   ((op.kind == DrawKind::Line || op.kind == DrawKind::Rectangle || op.kind == DrawKind::Ellipse ||
                     op.kind == DrawKind::RoundRect || op.kind == DrawKind::Polygon) &&
                    op.rop2 == R2_COPYPEN);
  PixelTarget px = cairoOnly ? PixelTarget{} : PixelsOf(dc.surface);
  // Pixel access works in surface coordinates; shift the clip there.
  Region sclip = clip;
  sclip.Offset(dc.origin.x, dc.origin.y);
  auto shifted = [&](int x, int y) { return POINT{x + dc.origin.x, y + dc.origin.y}; };
  cairo_save(cr);
  cairo_translate(cr, dc.origin.x, dc.origin.y);
  // A clip covering the whole surface clips nothing.
  bool whole = false;
  if (clip.Rects().size() == 1 && cairo_surface_get_type(dc.surface) == CAIRO_SURFACE_TYPE_IMAGE) {
    const RECT& c = clip.Rects()[0];
    whole = c.left + dc.origin.x <= 0 && c.top + dc.origin.y <= 0 &&
            c.right + dc.origin.x >= cairo_image_surface_get_width(dc.surface) &&
            c.bottom + dc.origin.y >= cairo_image_surface_get_height(dc.surface);
  }
  if (!whole) ClipCairo(cr, clip);
  cairo_new_path(cr);
  switch (op.kind) {
    case DrawKind::Text: RenderText(dc, cr, op); break;
    case DrawKind::Pixel:
      cairo_rectangle(cr, op.rect.left, op.rect.top, 1, 1);
      SetColor(cr, op.color);
      cairo_fill(cr);
      break;
    case DrawKind::Fill:
    case DrawKind::Invert: {
      std::uint8_t rop = std::uint8_t(op.rop >> 16);
      if (op.kind == DrawKind::Invert) rop = 0x55;
      bool plain = rop == 0xF0 || rop == 0x00 || rop == 0xFF;
      if (plain || !px.Valid()) {
        cairo_rectangle(cr, op.rect.left, op.rect.top, op.rect.right - op.rect.left, op.rect.bottom - op.rect.top);
        if (rop == 0x00) SetColor(cr, 0);
        else if (rop == 0xFF) SetColor(cr, 0xFFFFFF);
        else SetBrushSource(cr, op);
        cairo_fill(cr);
        break;
      }
      std::uint32_t pat = ToPixel(op.color);
      Region area = sclip.Intersect(Region(RECT{op.rect.left + dc.origin.x, op.rect.top + dc.origin.y,
                                                op.rect.right + dc.origin.x, op.rect.bottom + dc.origin.y}));
      for (const RECT& rc : area.Rects())
        for (int y = std::max<int>(0, rc.top); y < std::min<int>(px.height, rc.bottom); ++y)
          for (int x = std::max<int>(0, rc.left); x < std::min<int>(px.width, rc.right); ++x) {
            std::uint32_t& d = px.data[y * px.stride + x];
            d = ApplyRop3(rop, pat, 0, d) & 0xFFFFFF;
          }
      cairo_surface_mark_dirty(dc.surface);
      break;
    }
    case DrawKind::Frame: {
      const RECT& r = op.rect;
      SetBrushSource(cr, op);
      cairo_rectangle(cr, r.left, r.top, r.right - r.left, 1);
      cairo_rectangle(cr, r.left, r.bottom - 1, r.right - r.left, 1);
      cairo_rectangle(cr, r.left, r.top + 1, 1, r.bottom - r.top - 2);
      cairo_rectangle(cr, r.right - 1, r.top + 1, 1, r.bottom - r.top - 2);
      cairo_fill(cr);
      break;
    }
    case DrawKind::FocusRect: {
      if (!px.Valid()) break;
      const RECT& r = op.rect;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
          bool edge = y == r.top || y == r.bottom - 1 || x == r.left || x == r.right - 1;
          if (!edge || (x + y) % 2 != 0) continue;
          POINT s = shifted(x, y);
          if (s.x < 0 || s.y < 0 || s.x >= px.width || s.y >= px.height || !sclip.Contains(s.x, s.y)) continue;
          std::uint32_t& d = px.data[s.y * px.stride + s.x];
          d = ~d & 0xFFFFFF;
        }
      cairo_surface_mark_dirty(dc.surface);
      break;
    }
    case DrawKind::Line: {
      if ((op.penStyle & PS_STYLE_MASK) == PS_NULL) break;
      bool solidCopy = (op.penStyle & PS_STYLE_MASK) == PS_SOLID && (op.rop2 == R2_COPYPEN || !px.Valid());
      if (IsCosmetic(op) && solidCopy) {
        // Straight segments are rectangles without their last pixel; others go pixel by pixel.
        for (size_t k = 0; k + 1 < op.points.size(); ++k) {
          POINT a = op.points[k], b = op.points[k + 1];
          if (a.y == b.y && a.x != b.x)
            cairo_rectangle(cr, std::min(a.x, b.x + 1), a.y, std::abs(b.x - a.x), 1);
          else if (a.x == b.x && a.y != b.y)
            cairo_rectangle(cr, a.x, std::min(a.y, b.y + 1), 1, std::abs(b.y - a.y));
          else if (a.x != b.x) {
            std::vector<std::pair<POINT, bool>> pixels;
            CosmeticPixels({a, b}, PS_SOLID, pixels);
            for (auto& p : pixels) cairo_rectangle(cr, p.first.x, p.first.y, 1, 1);
          }
        }
        SetColor(cr, op.color);
        cairo_fill(cr);
        break;
      }
      if (IsCosmetic(op)) {
        std::vector<std::pair<POINT, bool>> pixels;
        CosmeticPixels(op.points, op.penStyle & PS_STYLE_MASK, pixels);
        if (px.Valid() && op.rop2 != R2_COPYPEN) {
          for (auto& p : pixels) p.first = shifted(p.first.x, p.first.y);
          DrawPixels(cr, &px, sclip, pixels, op);
          cairo_surface_mark_dirty(dc.surface);
        } else {
          DrawPixels(cr, nullptr, clip, pixels, op);
        }
        break;
      }
      SetPenStroke(cr, op);
      for (size_t i = 0; i < op.points.size(); ++i) {
        double off = op.penWidth % 2 ? 0.5 : 0;
        if (i == 0) cairo_move_to(cr, op.points[i].x + off, op.points[i].y + off);
        else cairo_line_to(cr, op.points[i].x + off, op.points[i].y + off);
      }
      SetColor(cr, op.color);
      cairo_stroke(cr);
      break;
    }
    case DrawKind::Rectangle:
    case DrawKind::Ellipse:
    case DrawKind::RoundRect:
    case DrawKind::Polygon: {
      bool noPen = (op.penStyle & PS_STYLE_MASK) == PS_NULL;
      bool xorMode = op.rop2 != R2_COPYPEN && px.Valid();
      // Interior
      if (op.brushStyle != BS_NULL) {
        cairo_set_fill_rule(cr, op.polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
        DrawOp inner = op;
        if (noPen && op.kind != DrawKind::Polygon) {
          inner.rect.right -= 1;
          inner.rect.bottom -= 1;
        }
        if (xorMode) {
          MaskRop(dc, clip, px, op.rop2, op.color, [&](cairo_t* m) {
            ShapePath(m, inner, op.kind == DrawKind::Rectangle || op.kind == DrawKind::Polygon ? 0 : 0.5);
            cairo_fill(m);
          });
        } else {
          ShapePath(cr, inner, op.kind == DrawKind::Rectangle || op.kind == DrawKind::Polygon ? 0 : 0.5);
          SetBrushSource(cr, op);
          cairo_fill(cr);
        }
      }
      if (noPen) break;
      DrawOp pen = op;
      pen.color = op.penColor;
      if ((op.kind == DrawKind::Rectangle || op.kind == DrawKind::Polygon) && IsCosmetic(op)) {
        std::vector<std::pair<POINT, bool>> pixels;
        CosmeticPixels(OutlinePoints(op), op.penStyle & PS_STYLE_MASK, pixels);
        if (xorMode) {
          for (auto& p : pixels) p.first = shifted(p.first.x, p.first.y);
          DrawPixels(cr, &px, sclip, pixels, pen);
          cairo_surface_mark_dirty(dc.surface);
        } else {
          DrawPixels(cr, nullptr, clip, pixels, pen);
        }
        break;
      }
      double w = op.penWidth;
      double inset = (op.penStyle & PS_STYLE_MASK) == PS_INSIDEFRAME ? w / 2 : 0.5;
      auto strokePath = [&](cairo_t* c) {
        SetPenStroke(c, op);
        if (op.kind == DrawKind::Polygon) ShapePath(c, op, 0);
        else {
          DrawOp outline = op;
          outline.rect.right -= 1;
          outline.rect.bottom -= 1;
          ShapePath(c, outline, inset - 0.5 + (int(w) % 2 ? 0.5 : 0));
        }
      };
      if (xorMode) {
        MaskRop(dc, clip, px, op.rop2, pen.color, [&](cairo_t* m) {
          strokePath(m);
          cairo_stroke(m);
        });
        break;
      }
      strokePath(cr);
      SetColor(cr, pen.color);
      cairo_stroke(cr);
      break;
    }
    case DrawKind::Blit: {
      if (!op.image || op.image->width <= 0 || op.image->height <= 0) break;
      const RECT& r = op.rect;
      const RECT& s = op.srcRect;
      int dw = r.right - r.left, dh = r.bottom - r.top, sw = s.right - s.left, sh = s.bottom - s.top;
      if (dw == 0 || dh == 0 || sw == 0 || sh == 0) break;
      std::uint8_t rop = std::uint8_t(op.rop >> 16);
      const PixelImage& img = *op.image;
      auto srcAt = [&](int x, int y) -> std::uint32_t {
        int sx = s.left + int(std::floor((x + 0.5) * sw / double(std::abs(dw))));
        int sy = s.top + int(std::floor((y + 0.5) * sh / double(std::abs(dh))));
        if (sw < 0) sx -= 1;
        if (sh < 0) sy -= 1;
        sx = std::clamp(sx, 0, img.width - 1);
        sy = std::clamp(sy, 0, img.height - 1);
        return img.pixels[size_t(sy) * img.width + sx];
      };
      RECT nr = NormalizedRect(r);
      if (!px.Valid()) {
        // Vector targets: copy through a temporary image.
        int w = nr.right - nr.left, h = nr.bottom - nr.top;
        cairo_surface_t* tmp = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        PixelTarget t = PixelsOf(tmp);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            int ix = dw < 0 ? w - 1 - x : x, iy = dh < 0 ? h - 1 - y : y;
            std::uint32_t sp = srcAt(ix, iy);
            if (op.alpha) {
              // Premultiplied for cairo's ARGB surface.
              std::uint32_t a = sp >> 24;
              auto ch = [&](int shift) { return (((sp >> shift) & 0xFF) * a / 255) << shift; };
              t.data[y * t.stride + x] = (a << 24) | ch(16) | ch(8) | ch(0);
            } else {
              t.data[y * t.stride + x] = 0xFF000000 | (ApplyRop3(rop, ToPixel(op.color), sp, 0xFFFFFF) & 0xFFFFFF);
            }
          }
        cairo_surface_mark_dirty(tmp);
        cairo_set_source_surface(cr, tmp, nr.left, nr.top);
        cairo_paint(cr);
        cairo_surface_destroy(tmp);
        break;
      }
      std::uint32_t pat = ToPixel(op.color);
      Region area = sclip.Intersect(
          Region(RECT{nr.left + dc.origin.x, nr.top + dc.origin.y, nr.right + dc.origin.x, nr.bottom + dc.origin.y}));
      for (const RECT& rc : area.Rects())
        for (int y = std::max<int>(0, rc.top); y < std::min<int>(px.height, rc.bottom); ++y)
          for (int x = std::max<int>(0, rc.left); x < std::min<int>(px.width, rc.right); ++x) {
            int lx = x - dc.origin.x - nr.left, ly = y - dc.origin.y - nr.top;
            int ix = dw < 0 ? (nr.right - nr.left) - 1 - lx : lx, iy = dh < 0 ? (nr.bottom - nr.top) - 1 - ly : ly;
            std::uint32_t& d = px.data[y * px.stride + x];
            std::uint32_t sp = srcAt(ix, iy);
            if (op.alpha) d = Blend(sp, d);
            else d = ApplyRop3(rop, pat, sp, d) & 0xFFFFFF;
          }
      cairo_surface_mark_dirty(dc.surface);
      break;
    }
    default: break;
  }
  cairo_restore(cr);
  if (dc.type == DCType::Memory) ReduceToMonochrome(dc, op, clip);
}

}  // namespace win::gdi
