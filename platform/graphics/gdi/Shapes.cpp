// Lines, shapes, fills and pixels.
#include <algorithm>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win {
using namespace gdi;

namespace {
std::vector<POINT> DevicePoints(const DCObj& dc, const POINT* pts, int count) {
  std::vector<POINT> out;
  out.reserve(count);
  for (int i = 0; i < count; ++i) out.push_back(ToDevice(dc, pts[i].x, pts[i].y));
  return out;
}

void EmitLine(DCObj& dc, std::vector<POINT> pts) {
  DrawOp op = NewOp(dc, DrawKind::Line);
  SetPenFields(op, dc);
  if ((op.penStyle & PS_STYLE_MASK) == PS_NULL) return;
  op.color = op.penColor;
  op.points = std::move(pts);
  Emit(dc, std::move(op));
}

BOOL Shape(HDC hdc, DrawKind kind, int left, int top, int right, int bottom, int ew = 0, int eh = 0) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  DrawOp op = NewOp(*dc, kind);
  op.rect = ToDeviceRect(*dc, RECT{left, top, right, bottom});
  SetBrushFields(op, dc->st.brush);
  SetPenFields(op, *dc);
  op.ellipseW = ToDeviceHeight(*dc, ew);
  op.ellipseH = ToDeviceHeight(*dc, eh);
  Emit(*dc, std::move(op));
  return TRUE;
}
}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, POINT* old) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.cur;
  dc->st.cur = POINT{x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, POINT* out) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.cur;
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  EmitLine(*dc, {ToDevice(*dc, dc->st.cur.x, dc->st.cur.y), ToDevice(*dc, x, y)});
  dc->st.cur = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* pts, int count) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !pts || count < 2) return FALSE;
  EmitLine(*dc, DevicePoints(*dc, pts, count));
  return TRUE;
}

BOOL PolyPolyline(HDC hdc, const POINT* pts, const DWORD* counts, DWORD polyCount) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !pts || !counts) return FALSE;
  size_t at = 0;
  for (DWORD i = 0; i < polyCount; ++i) {
    if (counts[i] < 2) return FALSE;
    EmitLine(*dc, DevicePoints(*dc, pts + at, int(counts[i])));
    at += counts[i];
  }
  return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* pts, int count) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !pts || count < 2) return FALSE;
  DrawOp op = NewOp(*dc, DrawKind::Polygon);
  op.points = DevicePoints(*dc, pts, count);
  RECT box{op.points[0].x, op.points[0].y, op.points[0].x, op.points[0].y};
  for (const POINT& p : op.points) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max<LONG>(box.right, p.x + 1);
    box.bottom = std::max<LONG>(box.bottom, p.y + 1);
  }
  op.rect = box;
  SetBrushFields(op, dc->st.brush);
  SetPenFields(op, *dc);
  Emit(*dc, std::move(op));
  return TRUE;
}

BOOL Rectangle(HDC hdc, int l, int t, int r, int b) { return Shape(hdc, DrawKind::Rectangle, l, t, r, b); }
BOOL Ellipse(HDC hdc, int l, int t, int r, int b) { return Shape(hdc, DrawKind::Ellipse, l, t, r, b); }
BOOL RoundRect(HDC hdc, int l, int t, int r, int b, int w, int h) {
  return Shape(hdc, DrawKind::RoundRect, l, t, r, b, w, h);
}

int FillRect(HDC hdc, const RECT* r, HBRUSH brush) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !r) return 0;
  // A small integer is a system colour index plus one.
  std::uintptr_t v = reinterpret_cast<std::uintptr_t>(brush);
  if (v > 0 && v <= 31) brush = GetSysColorBrush(int(v) - 1);
  if (!FindBrush(brush)) return 0;
  DrawOp op = NewOp(*dc, DrawKind::Fill);
  op.rect = ToDeviceRect(*dc, *r);
  op.rop = PATCOPY;
  SetBrushFields(op, brush);
  if (op.brushStyle == BS_NULL || RectEmpty(op.rect)) return 1;
  Emit(*dc, std::move(op));
  return 1;
}

int FrameRect(HDC hdc, const RECT* r, HBRUSH brush) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !r || !FindBrush(brush)) return 0;
  DrawOp op = NewOp(*dc, DrawKind::Frame);
  op.rect = ToDeviceRect(*dc, *r);
  SetBrushFields(op, brush);
  if (op.brushStyle == BS_NULL || RectEmpty(op.rect)) return 1;
  Emit(*dc, std::move(op));
  return 1;
}

BOOL InvertRect(HDC hdc, const RECT* r) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !r) return FALSE;
  DrawOp op = NewOp(*dc, DrawKind::Invert);
  op.rect = ToDeviceRect(*dc, *r);
  op.rop = DSTINVERT;
  Emit(*dc, std::move(op));
  return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* r) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !r) return FALSE;
  DrawOp op = NewOp(*dc, DrawKind::FocusRect);
  op.rect = ToDeviceRect(*dc, *r);
  Emit(*dc, std::move(op));
  return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  DrawOp op = NewOp(*dc, DrawKind::Fill);
  op.rect = ToDeviceRect(*dc, RECT{x, y, x + w, y + h});
  op.rop = rop;
  SetBrushFields(op, dc->st.brush);
  std::uint8_t code = std::uint8_t(rop >> 16);
  bool usesPattern = ((code >> 4) & 0xF) != (code & 0xF);
  if (op.brushStyle == BS_NULL && usesPattern) return TRUE;
  op.brushStyle = op.brushStyle == BS_NULL ? BS_SOLID : op.brushStyle;
  Emit(*dc, std::move(op));
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  DrawOp op = NewOp(*dc, DrawKind::Pixel);
  POINT p = ToDevice(*dc, x, y);
  op.rect = RECT{p.x, p.y, p.x + 1, p.y + 1};
  op.color = color & 0xFFFFFF;
  Emit(*dc, std::move(op));
  return color & 0xFFFFFF;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  POINT p = ToDevice(*dc, x, y);
  if (p.x < 0 || p.y < 0 || p.x >= dc->width || p.y >= dc->height) return CLR_INVALID;
  if (!EffectiveClip(*dc).Contains(p.x, p.y)) return CLR_INVALID;
  PixelTarget t = PixelsOf(dc->surface);
  if (!t.Valid()) return CLR_INVALID;
  int sx = p.x + dc->origin.x, sy = p.y + dc->origin.y;
  if (sx < 0 || sy < 0 || sx >= t.width || sy >= t.height) return CLR_INVALID;
  return FromPixel(t.data[sy * t.stride + sx]);
}

}  // namespace win
