// The object table, stock objects, creation and selection of pens, brushes, fonts,
// bitmaps and regions.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/graphics/gdi/GdiInternal.h"
#include "platform/rtl/Utf8.h"

namespace win::gdi {
namespace {

struct Tables {
  std::unordered_map<std::uintptr_t, std::unique_ptr<GdiObject>> objects;
  std::unordered_map<std::uintptr_t, std::unique_ptr<DCObj>> dcs;
  std::uintptr_t next = 0x10000;
};
Tables& T() {
  static Tables* t = new Tables;  // lives to the end of the process: handles may outlive statics
  return *t;
}
template <class H>
std::uintptr_t Id(H h) { return reinterpret_cast<std::uintptr_t>(h); }

}  // namespace

HGDIOBJ AddObject(std::unique_ptr<GdiObject> obj) {
  std::uintptr_t id = T().next += 4;
  T().objects.emplace(id, std::move(obj));
  return reinterpret_cast<HGDIOBJ>(id);
}

GdiObject* FindObjectId(std::uintptr_t id) {
  auto it = T().objects.find(id);
  return it == T().objects.end() ? nullptr : it->second.get();
}

void AddSelectionId(std::uintptr_t id) {
  if (GdiObject* o = FindObjectId(id)) ++o->selections;
}

void ReleaseSelectionId(std::uintptr_t id) {
  GdiObject* o = FindObjectId(id);
  if (!o) return;
  if (o->selections > 0) --o->selections;
  if (o->selections == 0 && o->deletePending) T().objects.erase(id);
}

HDC AddDC(std::unique_ptr<DCObj> dc) {
  std::uintptr_t id = T().next += 4;
  HDC h = reinterpret_cast<HDC>(id);
  dc->self = h;
  T().dcs.emplace(id, std::move(dc));
  return h;
}

DCObj* FindDC(HDC h) {
  auto it = T().dcs.find(Id(h));
  return it == T().dcs.end() ? nullptr : it->second.get();
}

void RemoveDC(HDC h) { T().dcs.erase(Id(h)); }

DCObj::~DCObj() {
  for (HGDIOBJ o : {GdiObj(st.pen), GdiObj(st.brush), GdiObj(st.font)}) ReleaseSelection(o);
  for (auto& s : saved)
    for (HGDIOBJ o : {GdiObj(s.pen), GdiObj(s.brush), GdiObj(s.font)}) ReleaseSelection(o);
  if (BitmapObj* b = FindBitmap(bitmap)) {
    b->selectedInto = nullptr;
    ReleaseSelection(bitmap);
  }
  if (cr) cairo_destroy(cr);
  if (type == DCType::Printer && surface) {
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
  }
}

std::uint32_t* BitmapObj::Pixels() const {
  cairo_surface_flush(surface);
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
}
int BitmapObj::Stride() const { return cairo_image_surface_get_stride(surface) / 4; }

HBITMAP NewBitmap(int width, int height, int bpp) {
  auto b = std::make_unique<BitmapObj>();
  b->width = std::max(0, width);
  b->height = std::max(0, height);
  b->bpp = bpp;
  b->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, b->width), std::max(1, b->height));
  if (cairo_surface_status(b->surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  std::uint32_t* px = b->Pixels();
  std::uint32_t fill = bpp == 1 ? 0xFFFFFF : 0;
  std::fill(px, px + size_t(b->Stride()) * std::max(1, b->height), fill);
  cairo_surface_mark_dirty(b->surface);
  return reinterpret_cast<HBITMAP>(AddObject(std::move(b)));
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

namespace {
// The classic palette.
const COLORREF kSysColors[31] = {
    RGB(212, 208, 200), RGB(58, 110, 165), RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),      RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),  RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),   RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),    RGB(166, 202, 240), RGB(192, 192, 192), RGB(49, 106, 197),
    RGB(212, 208, 200)};

HGDIOBJ MakeStock(std::unique_ptr<GdiObject> o) {
  o->stock = true;
  return AddObject(std::move(o));
}
std::unique_ptr<BrushObj> Brush(UINT style, COLORREF c) {
  auto b = std::make_unique<BrushObj>();
  b->style = style;
  b->color = c;
  return b;
}
std::unique_ptr<PenObj> Pen(DWORD style, COLORREF c) {
  auto p = std::make_unique<PenObj>();
  p->style = style;
  p->color = c;
  return p;
}
std::unique_ptr<FontObj> Font(const char* face, int height, int pitch) {
  auto f = std::make_unique<FontObj>();
  f->lf.lfHeight = height;
  f->lf.lfWeight = FW_NORMAL;
  f->lf.lfPitchAndFamily = BYTE(pitch);
  SetFaceName(f->lf, face);
  return f;
}

struct Stock {
  HGDIOBJ objs[20] = {};
  HBRUSH sysBrushes[31] = {};
  Stock() {
    objs[WHITE_BRUSH] = MakeStock(Brush(BS_SOLID, RGB(255, 255, 255)));
    objs[LTGRAY_BRUSH] = MakeStock(Brush(BS_SOLID, RGB(192, 192, 192)));
    objs[GRAY_BRUSH] = MakeStock(Brush(BS_SOLID, RGB(128, 128, 128)));
    objs[DKGRAY_BRUSH] = MakeStock(Brush(BS_SOLID, RGB(64, 64, 64)));
    objs[BLACK_BRUSH] = MakeStock(Brush(BS_SOLID, RGB(0, 0, 0)));
    objs[NULL_BRUSH] = MakeStock(Brush(BS_NULL, 0));
    objs[WHITE_PEN] = MakeStock(Pen(PS_SOLID, RGB(255, 255, 255)));
    objs[BLACK_PEN] = MakeStock(Pen(PS_SOLID, 0));
    objs[NULL_PEN] = MakeStock(Pen(PS_NULL, 0));
    objs[OEM_FIXED_FONT] = MakeStock(Font("Courier New", 12, FIXED_PITCH));
    objs[ANSI_FIXED_FONT] = MakeStock(Font("Courier New", 12, FIXED_PITCH));
    objs[ANSI_VAR_FONT] = MakeStock(Font("MS Sans Serif", 13, VARIABLE_PITCH));
    objs[SYSTEM_FONT] = MakeStock(Font("System", 16, VARIABLE_PITCH));
    objs[DEVICE_DEFAULT_FONT] = MakeStock(Font("System", 16, VARIABLE_PITCH));
    objs[SYSTEM_FIXED_FONT] = MakeStock(Font("Courier New", 16, FIXED_PITCH));
    objs[DEFAULT_GUI_FONT] = MakeStock(Font("MS Shell Dlg", -11, VARIABLE_PITCH));
    objs[DC_BRUSH] = MakeStock(Brush(BS_SOLID, RGB(255, 255, 255)));
    objs[DC_PEN] = MakeStock(Pen(PS_SOLID, 0));
    for (int i = 0; i < 31; ++i) {
      auto b = Brush(BS_SOLID, kSysColors[i]);
      b->sysColor = i;
      sysBrushes[i] = reinterpret_cast<HBRUSH>(MakeStock(std::move(b)));
    }
  }
};
Stock& Stocks() {
  static Stock* s = new Stock;
  return *s;
}
}  // namespace

void SetFaceName(LOGFONT& lf, std::string_view name) {
  // Never cut a multi-byte character.
  std::string cut = Utf8Truncate(name, LF_FACESIZE - 1);
  std::memset(lf.lfFaceName, 0, LF_FACESIZE);
  std::memcpy(lf.lfFaceName, cut.data(), cut.size());
}

COLORREF GetSysColor(int index) { return index >= 0 && index < 31 ? kSysColors[index] : 0; }

HBRUSH GetSysColorBrush(int index) { return index >= 0 && index < 31 ? Stocks().sysBrushes[index] : nullptr; }

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= 20) return nullptr;
  return Stocks().objs[index];
}

HPEN CreatePen(int style, int width, COLORREF color) {
  auto p = std::make_unique<PenObj>();
  p->style = DWORD(style) & PS_STYLE_MASK;
  if (p->style == PS_ALTERNATE || p->style == PS_USERSTYLE) p->style = PS_SOLID;
  p->width = std::max(0, width);
  p->color = color & 0xFFFFFF;
  // Styled lines wider than one pixel come out solid.
  if (p->width > 1 && p->style >= PS_DASH && p->style <= PS_DASHDOTDOT) p->style = PS_SOLID;
  return reinterpret_cast<HPEN>(AddObject(std::move(p)));
}

HPEN CreatePenIndirect(const LOGPEN& lp) { return CreatePen(int(lp.lopnStyle), lp.lopnWidth.x, lp.lopnColor); }

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH& brush, DWORD styleCount, const DWORD* styles) {
  bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
  // Cosmetic pens are one pixel wide; PS_ALTERNATE is cosmetic only.
  if (!geometric && width != 1) return nullptr;
  if (geometric && (style & PS_STYLE_MASK) == PS_ALTERNATE) return nullptr;
  auto p = std::make_unique<PenObj>();
  p->style = style;
  p->width = int(width);
  p->color = brush.lbStyle == BS_NULL ? 0 : brush.lbColor & 0xFFFFFF;
  if (brush.lbStyle == BS_NULL) p->style = (style & ~PS_STYLE_MASK) | PS_NULL;
  if ((style & PS_STYLE_MASK) == PS_USERSTYLE && styles && styleCount > 0)
    p->userStyle.assign(styles, styles + std::min<DWORD>(styleCount, 16));
  return reinterpret_cast<HPEN>(AddObject(std::move(p)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return reinterpret_cast<HBRUSH>(AddObject(Brush(BS_SOLID, color & 0xFFFFFF)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  auto b = Brush(BS_HATCHED, color & 0xFFFFFF);
  b->hatch = std::clamp(hatch, 0, 5);
  return reinterpret_cast<HBRUSH>(AddObject(std::move(b)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH& lb) {
  if (lb.lbStyle == BS_NULL) return reinterpret_cast<HBRUSH>(AddObject(Brush(BS_NULL, 0)));
  if (lb.lbStyle == BS_HATCHED) return CreateHatchBrush(int(lb.lbHatch), lb.lbColor);
  return CreateSolidBrush(lb.lbColor);
}

HBRUSH CreatePatternBrush(HBITMAP bmp) {
  // Patterns draw as their first pixel's colour.
  BitmapObj* b = FindBitmap(bmp);
  if (!b) return nullptr;
  return CreateSolidBrush(FromPixel(b->Pixels()[0]));
}

HFONT CreateFontIndirect(const LOGFONT& lf) {
  auto f = std::make_unique<FontObj>();
  f->lf = lf;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return reinterpret_cast<HFONT>(AddObject(std::move(f)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, const char* faceName) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = BYTE(italic != 0);
  lf.lfUnderline = BYTE(underline != 0);
  lf.lfStrikeOut = BYTE(strikeOut != 0);
  lf.lfCharSet = BYTE(charSet);
  lf.lfOutPrecision = BYTE(outPrecision);
  lf.lfClipPrecision = BYTE(clipPrecision);
  lf.lfQuality = BYTE(quality);
  lf.lfPitchAndFamily = BYTE(pitchAndFamily);
  SetFaceName(lf, faceName ? faceName : "");
  return CreateFontIndirect(lf);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  if (width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return NewBitmap(1, 1, 1);
  DCObj* dc = FindDC(hdc);
  int bpp = 32;
  // A memory DC with its default bitmap makes monochrome bitmaps.
  if (dc && dc->type == DCType::Memory) {
    BitmapObj* b = FindBitmap(dc->bitmap);
    if (b) bpp = b->bpp;
  }
  return NewBitmap(width, height, bpp);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width < 0 || height < 0 || width > 32767 || height > 32767) return nullptr;
  int bpp = int(planes * bitsPerPixel) <= 1 ? 1 : 32;
  HBITMAP h = NewBitmap(width, height, bpp);
  BitmapObj* b = FindBitmap(h);
  if (!b || !bits) return h;
  std::uint32_t* px = b->Pixels();
  int stride = b->Stride();
  const auto* src = static_cast<const unsigned char*>(bits);
  if (bpp == 1) {
    int rowBytes = ((width + 15) / 16) * 2;  // rows padded to 16 bits
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        px[y * stride + x] = (src[y * rowBytes + x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0;
  } else if (bitsPerPixel == 32) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const unsigned char* p = src + (size_t(y) * width + x) * 4;
        px[y * stride + x] = (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
      }
  } else if (bitsPerPixel == 24) {
    int rowBytes = ((width * 3 + 1) / 2) * 2;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const unsigned char* p = src + size_t(y) * rowBytes + x * 3;
        px[y * stride + x] = (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
      }
  }
  cairo_surface_mark_dirty(b->surface);
  return h;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, void*, DWORD) {
  if (!info) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int w = h.biWidth, ht = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (w <= 0 || ht <= 0 || w > 32767 || ht > 32767) return nullptr;
  HBITMAP bmp = NewBitmap(w, ht, h.biBitCount <= 1 ? 1 : 32);
  if (bits) {
    // Top-down 32-bit sections share the bitmap's own rows (blue, green, red, unused);
    // other layouts are reached through GetDIBits and StretchDIBits.
    *bits = nullptr;
    BitmapObj* b = FindBitmap(bmp);
    if (b && h.biBitCount == 32 && h.biHeight < 0 && h.biCompression == BI_RGB && b->Stride() == w)
      *bits = b->Pixels();
  }
  return bmp;
}

COLORREF GetNearestColor(HDC, COLORREF color) { return color & 0xFFFFFF; }

int GetObjectType(HGDIOBJ obj) {
  if (GdiObject* o = FindObject(obj)) return int(o->kind);
  if (DCObj* dc = FindDC(reinterpret_cast<HDC>(obj))) {
    switch (dc->type) {
      case DCType::Memory: return OBJ_MEMDC;
      case DCType::MetaFile: return OBJ_ENHMETADC;
      default: return OBJ_DC;
    }
  }
  return 0;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return GdiObj(dc->st.pen);
    case OBJ_BRUSH: return GdiObj(dc->st.brush);
    case OBJ_FONT: return GdiObj(dc->st.font);
    case OBJ_BITMAP: return GdiObj(dc->bitmap);
    default: return nullptr;
  }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  DCObj* dc = FindDC(hdc);
  GdiObject* o = FindObject(obj);
  if (!dc || !o || o->deletePending) return nullptr;
  auto swap = [&](auto& slot) -> HGDIOBJ {
    using H = std::remove_reference_t<decltype(slot)>;
    HGDIOBJ old = GdiObj(slot);
    if (old == obj) return old;
    AddSelection(obj);
    slot = reinterpret_cast<H>(obj);
    ReleaseSelection(old);
    return old;
  };
  switch (o->kind) {
    case ObjKind::Pen: return swap(dc->st.pen);
    case ObjKind::Brush: return swap(dc->st.brush);
    case ObjKind::Font: return swap(dc->st.font);
    case ObjKind::Region: {
      SelectClipRgn(hdc, reinterpret_cast<HRGN>(obj));
      return reinterpret_cast<HGDIOBJ>(std::uintptr_t(static_cast<RegionObj*>(o)->rgn.Complexity()));
    }
    case ObjKind::Bitmap: {
      if (dc->type != DCType::Memory) return nullptr;
      auto* b = static_cast<BitmapObj*>(o);
      if (b->selectedInto && b->selectedInto != hdc) return nullptr;  // one DC at a time
      HGDIOBJ old = GdiObj(dc->bitmap);
      if (old == obj) return old;
      if (BitmapObj* ob = FindBitmap(old)) ob->selectedInto = nullptr;
      b->selectedInto = hdc;
      AddSelection(obj);
      dc->bitmap = reinterpret_cast<HBITMAP>(obj);
      AttachSurface(*dc, b->surface, POINT{}, b->width, b->height);
      ReleaseSelection(old);
      return old;
    }
    default: return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ obj) {
  GdiObject* o = FindObject(obj);
  if (!o) return FALSE;
  if (o->stock) return TRUE;
  if (o->selections > 0) {
    // Still selected: it goes when the DC lets go of it.
    o->deletePending = true;
    return TRUE;
  }
  o->deletePending = true;
  ReleaseSelection(obj);
  return TRUE;
}

int GetObject(HGDIOBJ obj, int size, void* out) {
  GdiObject* o = FindObject(obj);
  if (!o) return 0;
  switch (o->kind) {
    case ObjKind::Bitmap: {
      auto* b = static_cast<BitmapObj*>(o);
      if (!out) return sizeof(BITMAP);
      if (size < int(sizeof(BITMAP))) return 0;
      BITMAP bm;
      bm.bmWidth = b->width;
      bm.bmHeight = b->height;
      bm.bmBitsPixel = WORD(b->bpp);
      bm.bmPlanes = 1;
      bm.bmWidthBytes = b->bpp == 1 ? ((b->width + 15) / 16) * 2 : b->width * 4;
      std::memcpy(out, &bm, sizeof bm);
      return sizeof(BITMAP);
    }
    case ObjKind::Font: {
      if (!out) return sizeof(LOGFONT);
      int n = std::min<int>(size, sizeof(LOGFONT));
      if (n <= 0) return 0;
      std::memcpy(out, &static_cast<FontObj*>(o)->lf, n);
      return n;
    }
    case ObjKind::Pen: {
      if (!out) return sizeof(LOGPEN);
      if (size < int(sizeof(LOGPEN))) return 0;
      auto* p = static_cast<PenObj*>(o);
      LOGPEN lp;
      lp.lopnStyle = p->style;
      lp.lopnWidth.x = p->width;
      lp.lopnColor = p->color;
      std::memcpy(out, &lp, sizeof lp);
      return sizeof(LOGPEN);
    }
    case ObjKind::Brush: {
      if (!out) return sizeof(LOGBRUSH);
      if (size < int(sizeof(LOGBRUSH))) return 0;
      auto* b = static_cast<BrushObj*>(o);
      LOGBRUSH lb;
      lb.lbStyle = b->style;
      lb.lbColor = b->color;
      lb.lbHatch = std::uintptr_t(b->hatch);
      std::memcpy(out, &lb, sizeof lb);
      return sizeof(LOGBRUSH);
    }
    default: return 0;
  }
}

}  // namespace win
