// Region objects and the clip region of device contexts (kept in device units).
#include <algorithm>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win {
using namespace gdi;

namespace {
HRGN NewRegion(Region r) {
  auto o = std::make_unique<RegionObj>();
  o->rgn = std::move(r);
  return reinterpret_cast<HRGN>(AddObject(std::move(o)));
}
int ClipResult(const DCObj& dc) { return EffectiveClip(dc).Complexity(); }
}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return NewRegion(Region(RECT{left, top, right, bottom}));
}
HRGN CreateRectRgnIndirect(const RECT& r) { return CreateRectRgn(r.left, r.top, r.right, r.bottom); }
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode) {
  if (!pts || count < 0) return nullptr;
  return NewRegion(Region::FromPolygon(pts, count, fillMode));
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
  RegionObj* d = FindRegion(dest);
  RegionObj* ra = FindRegion(a);
  RegionObj* rb = FindRegion(b);
  if (!d || !ra || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
  if (mode != RGN_COPY && !rb) return RGN_ERROR;
  d->rgn = mode == RGN_COPY ? ra->rgn : Region::Combine(ra->rgn, rb->rgn, mode);
  return d->rgn.Complexity();
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  RegionObj* r = FindRegion(rgn);
  if (!r) return FALSE;
  r->rgn = Region(RECT{left, top, right, bottom});
  return TRUE;
}
BOOL PtInRegion(HRGN rgn, int x, int y) {
  RegionObj* r = FindRegion(rgn);
  return r && r->rgn.Contains(x, y);
}
BOOL RectInRegion(HRGN rgn, const RECT* rc) {
  RegionObj* r = FindRegion(rgn);
  return r && rc && r->rgn.Intersects(*rc);
}
int GetRgnBox(HRGN rgn, RECT* out) {
  RegionObj* r = FindRegion(rgn);
  if (!r || !out) return RGN_ERROR;
  *out = r->rgn.Box();
  return r->rgn.Complexity();
}
int OffsetRgn(HRGN rgn, int dx, int dy) {
  RegionObj* r = FindRegion(rgn);
  if (!r) return RGN_ERROR;
  r->rgn.Offset(dx, dy);
  return r->rgn.Complexity();
}
BOOL EqualRgn(HRGN a, HRGN b) {
  RegionObj* ra = FindRegion(a);
  RegionObj* rb = FindRegion(b);
  return ra && rb && ra->rgn == rb->rgn;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  DCObj* dc = FindDC(hdc);
  RegionObj* r = FindRegion(rgn);
  if (!dc || !r) return FALSE;
  // Region coordinates are logical here.
  for (const RECT& rc : r->rgn.Rects()) FillRect(hdc, &rc, brush);
  return TRUE;
}

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return RGN_ERROR;
  if (!rgn) {
    if (mode != RGN_COPY) return RGN_ERROR;
    dc->st.clip.reset();
    return ClipResult(*dc);
  }
  RegionObj* r = FindRegion(rgn);
  if (!r || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
  // The region is in device units already.
  if (mode == RGN_COPY || !dc->st.clip) {
    Region base = dc->st.clip ? *dc->st.clip : Region(RECT{0, 0, dc->width, dc->height});
    dc->st.clip = mode == RGN_COPY ? r->rgn : Region::Combine(base, r->rgn, mode);
  } else {
    dc->st.clip = Region::Combine(*dc->st.clip, r->rgn, mode);
  }
  return ClipResult(*dc);
}

int SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

int GetClipRgn(HDC hdc, HRGN out) {
  DCObj* dc = FindDC(hdc);
  RegionObj* r = FindRegion(out);
  if (!dc || !r) return -1;
  if (!dc->st.clip) return 0;
  r->rgn = *dc->st.clip;
  return 1;
}

int GetClipBox(HDC hdc, RECT* out) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !out) return RGN_ERROR;
  Region clip = EffectiveClip(*dc);
  RECT b = clip.Box();
  POINT a = ToLogical(*dc, b.left, b.top), c = ToLogical(*dc, b.right, b.bottom);
  *out = NormalizedRect(RECT{a.x, a.y, c.x, c.y});
  return clip.Complexity();
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return RGN_ERROR;
  Region r(ToDeviceRect(*dc, RECT{left, top, right, bottom}));
  dc->st.clip = dc->st.clip ? dc->st.clip->Intersect(r) : r.Intersect(Region(RECT{0, 0, dc->width, dc->height}));
  return ClipResult(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return RGN_ERROR;
  Region r(ToDeviceRect(*dc, RECT{left, top, right, bottom}));
  Region base = dc->st.clip ? *dc->st.clip : Region(RECT{0, 0, dc->width, dc->height});
  dc->st.clip = base.Subtract(r);
  return ClipResult(*dc);
}

BOOL PtVisible(HDC hdc, int x, int y) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  POINT p = ToDevice(*dc, x, y);
  return EffectiveClip(*dc).Contains(p.x, p.y);
}

BOOL RectVisible(HDC hdc, const RECT* r) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !r) return FALSE;
  return EffectiveClip(*dc).Intersects(ToDeviceRect(*dc, *r));
}

}  // namespace win
