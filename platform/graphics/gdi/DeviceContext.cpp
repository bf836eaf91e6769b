// Device contexts: creation, saved states, attributes, mapping modes and device capabilities.
#include <algorithm>
#include <cmath>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win::gdi {

void InitDCState(DCObj& dc) {
  dc.st = DCState{};
  dc.st.pen = reinterpret_cast<HPEN>(GetStockObject(BLACK_PEN));
  dc.st.brush = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc.st.font = reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  for (HGDIOBJ o : {GdiObj(dc.st.pen), GdiObj(dc.st.brush), GdiObj(dc.st.font)}) AddSelection(o);
}

void AttachSurface(DCObj& dc, cairo_surface_t* surface, POINT origin, int width, int height) {
  if (dc.cr) cairo_destroy(dc.cr);
  dc.cr = nullptr;
  dc.surface = surface;
  dc.origin = origin;
  dc.width = width;
  dc.height = height;
  dc.visible = Region(RECT{0, 0, width, height});
  if (surface) {
    dc.cr = cairo_create(surface);
    cairo_set_antialias(dc.cr, CAIRO_ANTIALIAS_NONE);
  }
}

double ScaleX(const DCObj& dc) {
  double s = dc.st.winExt.cx ? double(dc.st.vpExt.cx) / dc.st.winExt.cx : 1;
  return (dc.st.layout & LAYOUT_RTL) ? -s : s;
}
double ScaleY(const DCObj& dc) { return dc.st.winExt.cy ? double(dc.st.vpExt.cy) / dc.st.winExt.cy : 1; }

POINT ToDevice(const DCObj& dc, int x, int y) {
  double dx = (x - dc.st.winOrg.x) * ScaleX(dc) + dc.st.vpOrg.x;
  double dy = (y - dc.st.winOrg.y) * ScaleY(dc) + dc.st.vpOrg.y;
  // A right-to-left layout mirrors around the device's width.
  if (dc.st.layout & LAYOUT_RTL) dx += dc.width - 1;
  return POINT{LONG(std::lround(dx)), LONG(std::lround(dy))};
}

POINT ToLogical(const DCObj& dc, int x, int y) {
  double sx = ScaleX(dc), sy = ScaleY(dc);
  double dx = x;
  if (dc.st.layout & LAYOUT_RTL) dx -= dc.width - 1;
  double lx = sx ? (dx - dc.st.vpOrg.x) / sx + dc.st.winOrg.x : 0;
  double ly = sy ? (y - dc.st.vpOrg.y) / sy + dc.st.winOrg.y : 0;
  return POINT{LONG(std::lround(lx)), LONG(std::lround(ly))};
}

RECT ToDeviceRect(const DCObj& dc, const RECT& r) {
  POINT a = ToDevice(dc, r.left, r.top), b = ToDevice(dc, r.right, r.bottom);
  RECT d{a.x, a.y, b.x, b.y};
  // A mirrored rectangle keeps its right-exclusive edge on the device's right side.
  if (ScaleX(dc) < 0) { d.left += 1; d.right += 1; }
  return NormalizedRect(d);
}

int ToDeviceHeight(const DCObj& dc, int h) {
  double v = h * std::fabs(ScaleY(dc));
  return int(std::lround(v));
}

Region EffectiveClip(const DCObj& dc) {
  if (!dc.st.clip) return dc.visible;
  return dc.visible.Intersect(*dc.st.clip);
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

HDC CreateCompatibleDC(HDC) {
  auto dc = std::make_unique<DCObj>();
  dc->type = DCType::Memory;
  InitDCState(*dc);
  HDC h = AddDC(std::move(dc));
  // Starts with a 1x1 monochrome bitmap, like every fresh memory DC.
  HBITMAP mono = NewBitmap(1, 1, 1);
  FindObject(mono)->stock = false;
  SelectObject(h, mono);
  DeleteObject(mono);  // freed when another bitmap replaces it
  return h;
}

BOOL DeleteDC(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc || dc->type == DCType::Window || dc->type == DCType::Screen) return FALSE;
  RemoveDC(hdc);
  return TRUE;
}

int SaveDC(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return 0;
  for (HGDIOBJ o : {GdiObj(dc->st.pen), GdiObj(dc->st.brush), GdiObj(dc->st.font)}) AddSelection(o);
  dc->saved.push_back(dc->st);
  return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  int n = int(dc->saved.size());
  int target = saved < 0 ? n + saved + 1 : saved;
  if (target < 1 || target > n) return FALSE;
  for (HGDIOBJ o : {GdiObj(dc->st.pen), GdiObj(dc->st.brush), GdiObj(dc->st.font)}) ReleaseSelection(o);
  dc->st = dc->saved[target - 1];
  for (int i = n - 1; i >= target; --i)
    for (HGDIOBJ o : {GdiObj(dc->saved[i].pen), GdiObj(dc->saved[i].brush), GdiObj(dc->saved[i].font)})
      ReleaseSelection(o);
  dc->saved.resize(target - 1);
  return TRUE;
}

HWND WindowFromDC(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc ? dc->hwnd : nullptr;
}

int GetDeviceCaps(HDC hdc, int index) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return 0;
  bool printer = dc->type == DCType::Printer;
  int dpi = dc->dpi;
  int w = dc->width, h = dc->height;
  auto mm = [&](int px) { return int(std::lround(px * 25.4 / dpi)); };
  switch (index) {
    case DRIVERVERSION: return 0x400;
    case TECHNOLOGY: return printer ? DT_RASPRINTER : dc->type == DCType::MetaFile ? DT_METAFILE : DT_RASDISPLAY;
    case HORZSIZE: return mm(w);
    case VERTSIZE: return mm(h);
    case HORZRES: return w;
    case VERTRES: return h;
    case BITSPIXEL: {
      if (dc->type == DCType::Memory)
        if (BitmapObj* b = FindBitmap(dc->bitmap)) return b->bpp;
      return 32;
    }
    case PLANES: return 1;
    case NUMBRUSHES: case NUMPENS: case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX: case LOGPIXELSY: return dpi;
    case SIZEPALETTE: return 0;
    case PHYSICALWIDTH: return printer ? dc->page.sheetWidth : 0;
    case PHYSICALHEIGHT: return printer ? dc->page.sheetHeight : 0;
    case PHYSICALOFFSETX: return printer ? dc->page.offsetX : 0;
    case PHYSICALOFFSETY: return printer ? dc->page.offsetY : 0;
    default: return 0;
  }
}

#define DC_ATTR(Set, Get, Type, field)         \
  Type Set(HDC hdc, Type v) {                  \
    DCObj* dc = FindDC(hdc);                   \
    if (!dc) return Type{};                    \
    Type old = dc->st.field;                   \
    dc->st.field = v;                          \
    return old;                                \
  }                                            \
  Type Get(HDC hdc) {                          \
    DCObj* dc = FindDC(hdc);                   \
    return dc ? dc->st.field : Type{};         \
  }

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->st.textColor;
  dc->st.textColor = color & 0xFFFFFF;
  return old;
}
COLORREF GetTextColor(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc ? dc->st.textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC hdc, COLORREF color) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->st.bkColor;
  dc->st.bkColor = color & 0xFFFFFF;
  return old;
}
COLORREF GetBkColor(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc ? dc->st.bkColor : CLR_INVALID;
}
int SetBkMode(HDC hdc, int mode) {
  DCObj* dc = FindDC(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = dc->st.bkMode;
  dc->st.bkMode = mode;
  return old;
}
int SetROP2(HDC hdc, int rop2) {
  DCObj* dc = FindDC(hdc);
  if (!dc || rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  int old = dc->st.rop2;
  dc->st.rop2 = rop2;
  return old;
}
int SetPolyFillMode(HDC hdc, int mode) {
  DCObj* dc = FindDC(hdc);
  if (!dc || (mode != ALTERNATE && mode != WINDING)) return 0;
  int old = dc->st.polyFill;
  dc->st.polyFill = mode;
  return old;
}
DC_ATTR(SetTextAlign, GetTextAlign, UINT, align)
DC_ATTR(SetTextCharacterExtra, GetTextCharacterExtra, int, charExtra)
int GetBkMode(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc ? dc->st.bkMode : 0;
}
int GetROP2(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc ? dc->st.rop2 : 0;
}
DWORD GetLayout(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc ? dc->st.layout : DWORD(-1);
}
DWORD SetLayout(HDC hdc, DWORD layout) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return DWORD(-1);
  DWORD old = dc->st.layout;
  dc->st.layout = layout & (LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED);
  return old;
}
#undef DC_ATTR

BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* old) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.brushOrg;
  dc->st.brushOrg = POINT{x, y};
  return TRUE;
}

// ---- mapping ----
namespace {
// Isotropic mapping keeps one unit the same size along both axes.
void FixIsotropic(DCObj& dc) {
  if (dc.st.mapMode != MM_ISOTROPIC) return;
  DCState& s = dc.st;
  if (!s.winExt.cx || !s.winExt.cy || !s.vpExt.cx || !s.vpExt.cy) return;
  double sx = std::fabs(double(s.vpExt.cx) / s.winExt.cx), sy = std::fabs(double(s.vpExt.cy) / s.winExt.cy);
  if (sx < sy) {
    int sign = (s.vpExt.cy < 0) != (s.winExt.cy < 0) ? -1 : 1;
    s.vpExt.cy = LONG(std::lround(sign * std::fabs(double(s.winExt.cy)) * sx));
  } else if (sy < sx) {
    int sign = (s.vpExt.cx < 0) != (s.winExt.cx < 0) ? -1 : 1;
    s.vpExt.cx = LONG(std::lround(sign * std::fabs(double(s.winExt.cx)) * sy));
  }
}
}  // namespace

int SetMapMode(HDC hdc, int mode) {
  DCObj* dc = FindDC(hdc);
  if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  int old = dc->st.mapMode;
  dc->st.mapMode = mode;
  double dpi = dc->dpi;
  auto setMetric = [&](double unitsPerInch) {
    // Metric modes: y grows upward.
    dc->st.winExt = SIZE{LONG(std::lround(unitsPerInch)), LONG(std::lround(unitsPerInch))};
    dc->st.vpExt = SIZE{LONG(std::lround(dpi)), LONG(-std::lround(dpi))};
  };
  switch (mode) {
    case MM_TEXT: dc->st.winExt = dc->st.vpExt = SIZE{1, 1}; break;
    case MM_LOMETRIC: setMetric(254); break;
    case MM_HIMETRIC: setMetric(2540); break;
    case MM_LOENGLISH: setMetric(100); break;
    case MM_HIENGLISH: setMetric(1000); break;
    case MM_TWIPS: setMetric(1440); break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
      // Entering from a fixed mode keeps the current extents.
      if (old == MM_TEXT) dc->st.winExt = dc->st.vpExt = SIZE{1, 1};
      FixIsotropic(*dc);
      break;
  }
  return old;
}

int GetMapMode(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  return dc ? dc->st.mapMode : 0;
}

namespace {
template <class T>
BOOL PutField(HDC hdc, T DCState::*field, T v, T* old) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.*field;
  dc->st.*field = v;
  return TRUE;
}
template <class T>
BOOL TakeField(HDC hdc, T DCState::*field, T* out) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.*field;
  return TRUE;
}
}  // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* old) { return PutField(hdc, &DCState::winOrg, POINT{x, y}, old); }
BOOL GetWindowOrgEx(HDC hdc, POINT* out) { return TakeField(hdc, &DCState::winOrg, out); }
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* old) { return PutField(hdc, &DCState::vpOrg, POINT{x, y}, old); }
BOOL GetViewportOrgEx(HDC hdc, POINT* out) { return TakeField(hdc, &DCState::vpOrg, out); }
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* old) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  return SetViewportOrgEx(hdc, dc->st.vpOrg.x + dx, dc->st.vpOrg.y + dy, old);
}
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* old) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  return SetWindowOrgEx(hdc, dc->st.winOrg.x + dx, dc->st.winOrg.y + dy, old);
}
namespace {
BOOL SetExtent(HDC hdc, SIZE DCState::*field, int x, int y, SIZE* old) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.*field;
  // Extents are fixed outside the isotropic and anisotropic modes; zero is refused.
  if (dc->st.mapMode != MM_ISOTROPIC && dc->st.mapMode != MM_ANISOTROPIC) return TRUE;
  if (x == 0 || y == 0) return FALSE;
  dc->st.*field = SIZE{x, y};
  FixIsotropic(*dc);
  return TRUE;
}
}  // namespace

BOOL SetWindowExtEx(HDC hdc, int x, int y, SIZE* old) { return SetExtent(hdc, &DCState::winExt, x, y, old); }
BOOL GetWindowExtEx(HDC hdc, SIZE* out) { return TakeField(hdc, &DCState::winExt, out); }
BOOL SetViewportExtEx(HDC hdc, int x, int y, SIZE* old) { return SetExtent(hdc, &DCState::vpExt, x, y, old); }
BOOL GetViewportExtEx(HDC hdc, SIZE* out) { return TakeField(hdc, &DCState::vpExt, out); }
BOOL LPtoDP(HDC hdc, POINT* pts, int count) {
  DCObj* dc = FindDC(hdc);
  if (!dc || (!pts && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = ToDevice(*dc, pts[i].x, pts[i].y);
  return TRUE;
}
BOOL DPtoLP(HDC hdc, POINT* pts, int count) {
  DCObj* dc = FindDC(hdc);
  if (!dc || (!pts && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = ToLogical(*dc, pts[i].x, pts[i].y);
  return TRUE;
}

}  // namespace win
