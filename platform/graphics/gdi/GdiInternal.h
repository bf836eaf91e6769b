#pragma once
// Internal state of the drawing layer: the object table, device contexts and the
// low-level renderer that turns recorded operations into pixels.
#include <cairo.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/gdi/FontEngine.h"
#include "platform/graphics/gdi/Region.h"

namespace win::gdi {

enum class ObjKind { Pen = 1, Brush = 2, Font = 6, Bitmap = 7, Region = 8, MetaFile = 13, Icon = 20 };

struct GdiObject {
  virtual ~GdiObject() = default;
  ObjKind kind;
  bool stock = false;
  int selections = 0;        // DCs that have it selected
  bool deletePending = false;
  explicit GdiObject(ObjKind k) : kind(k) {}
};

struct PenObj : GdiObject {
  PenObj() : GdiObject(ObjKind::Pen) {}
  DWORD style = PS_SOLID;  // full style with type, caps and joins
  int width = 1;
  COLORREF color = 0;
  std::vector<DWORD> userStyle;
  DWORD Kind() const { return style & PS_STYLE_MASK; }
  bool Geometric() const { return (style & PS_TYPE_MASK) == PS_GEOMETRIC || width > 1; }
};

struct BrushObj : GdiObject {
  BrushObj() : GdiObject(ObjKind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  int sysColor = -1;  // a system-colour brush follows the palette
};

struct FontObj : GdiObject {
  FontObj() : GdiObject(ObjKind::Font) {}
  LOGFONT lf;
};

struct BitmapObj : GdiObject {
  BitmapObj() : GdiObject(ObjKind::Bitmap) {}
  ~BitmapObj() override { if (surface) cairo_surface_destroy(surface); }
  cairo_surface_t* surface = nullptr;  // RGB24 image
  int width = 0, height = 0, bpp = 32;
  HDC selectedInto = nullptr;
  std::uint32_t* Pixels() const;
  int Stride() const;  // in pixels
};

struct RegionObj : GdiObject {
  RegionObj() : GdiObject(ObjKind::Region) {}
  Region rgn;
};

struct MetaFileObj : GdiObject {
  MetaFileObj() : GdiObject(ObjKind::MetaFile) {}
  std::vector<DrawOp> ops;
  int width = 0, height = 0;  // frame in the recording DC's device units
  int dpi = 96;
};

// Attributes saved and restored by SaveDC/RestoreDC.
struct DCState {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int polyFill = ALTERNATE;
  UINT align = TA_LEFT | TA_TOP;
  int charExtra = 0;
  int mapMode = MM_TEXT;
  POINT winOrg, vpOrg;
  SIZE winExt{1, 1}, vpExt{1, 1};
  DWORD layout = 0;
  std::optional<Region> clip;  // device units; nullopt = no clip region
  POINT cur;
  POINT brushOrg;
};

enum class DCType { Memory, Window, Screen, Printer, MetaFile };

// The file a printer's PDF goes into; a failed write is remembered until the end.
struct PdfSink {
  int fd = -1;
  bool failed = false;
  ~PdfSink();
  // Closes the file; false when anything could not be written.
  bool Close();
};

struct DCObj {
  DCType type = DCType::Memory;
  HWND hwnd = nullptr;
  HDC self = nullptr;
  bool fromBeginPaint = false;
  // Where the drawing goes; window surfaces are borrowed, printer surfaces owned.
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  POINT origin;           // device (0,0) within the surface
  int width = 0, height = 0;
  Region visible;         // device units: where this DC may draw at all
  DCState st;
  std::vector<DCState> saved;
  HBITMAP bitmap = nullptr;  // memory DC: the selected bitmap
  int dpi = 96;
  // Printer pages (device pixels); a printer without a surface only answers questions
  PrinterPage page;
  std::unique_ptr<PdfSink> sink;
  bool pageOpen = false;
  // Enhanced-metafile recording
  MetaFileObj* meta = nullptr;
  HGDIOBJ metaHandle = nullptr;
  ~DCObj();
};

// Handle table.
HGDIOBJ AddObject(std::unique_ptr<GdiObject> obj);
GdiObject* FindObjectId(std::uintptr_t id);
template <class H>
GdiObject* FindObject(H h) { return FindObjectId(reinterpret_cast<std::uintptr_t>(h)); }
template <class T, class H>
T* Find(H h, ObjKind kind) {
  GdiObject* o = FindObject(h);
  return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
}
template <class H> PenObj* FindPen(H h) { return Find<PenObj>(h, ObjKind::Pen); }
template <class H> BrushObj* FindBrush(H h) { return Find<BrushObj>(h, ObjKind::Brush); }
template <class H> FontObj* FindFont(H h) { return Find<FontObj>(h, ObjKind::Font); }
template <class H> BitmapObj* FindBitmap(H h) { return Find<BitmapObj>(h, ObjKind::Bitmap); }
template <class H> RegionObj* FindRegion(H h) { return Find<RegionObj>(h, ObjKind::Region); }
// A DC stopped using the object; frees it when its delete was pending.
void ReleaseSelectionId(std::uintptr_t id);
void AddSelectionId(std::uintptr_t id);
template <class H> void ReleaseSelection(H h) { ReleaseSelectionId(reinterpret_cast<std::uintptr_t>(h)); }
template <class H> void AddSelection(H h) { AddSelectionId(reinterpret_cast<std::uintptr_t>(h)); }

HDC AddDC(std::unique_ptr<DCObj> dc);
DCObj* FindDC(HDC h);
void RemoveDC(HDC h);
void InitDCState(DCObj& dc);

// Creates an RGB24 bitmap object (white for bpp 1, black otherwise).
HBITMAP NewBitmap(int width, int height, int bpp);
// Points the DC's cairo context at a new surface.
void AttachSurface(DCObj& dc, cairo_surface_t* surface, POINT origin, int width, int height);

// Mapping between logical and device units.
double ScaleX(const DCObj& dc);
double ScaleY(const DCObj& dc);
POINT ToDevice(const DCObj& dc, int x, int y);
POINT ToLogical(const DCObj& dc, int x, int y);
RECT ToDeviceRect(const DCObj& dc, const RECT& r);  // normalized
int ToDeviceHeight(const DCObj& dc, int h);          // font heights and pen widths

// The effective clip of the DC: visible area and clip region, device units.
Region EffectiveClip(const DCObj& dc);

// Fills the common fields (dc, window, clip state) of an operation.
DrawOp NewOp(const DCObj& dc, DrawKind kind);
void SetBrushFields(DrawOp& op, HBRUSH brush);
void SetPenFields(DrawOp& op, const DCObj& dc);

// Source over destination, the source's top byte being its opacity.
std::uint32_t Blend(std::uint32_t s, std::uint32_t d);
void RecordOp(const DrawOp& op);
// Records the operation (when recording is on or the DC is a metafile) and renders it.
void Emit(DCObj& dc, DrawOp op);
// Renders an operation onto the DC's surface, clipped to its recorded clip and the DC's visible area.
void Render(DCObj& dc, const DrawOp& op);

// A same-size copy between two colour image surfaces, straight from the source's pixels,
// when nothing needs to keep the operation (no recording, no metafile). False leaves the
// transfer to the general path.
bool CopyPixelsDirect(DCObj& dest, const DrawOp& op, DCObj& src, const RECT& srcArea);

// Text rendering used by Render.
void RenderText(DCObj& dc, cairo_t* cr, const DrawOp& op);
// The logical font selected into the DC, with its height in device units.
LOGFONT DeviceFont(const DCObj& dc);
std::shared_ptr<ResolvedFont> CurrentFont(const DCObj& dc);

// Whole-pixel access to image surfaces.
struct PixelTarget {
  std::uint32_t* data = nullptr;
  int stride = 0;  // pixels
  int width = 0, height = 0;
  bool Valid() const { return data != nullptr; }
};
PixelTarget PixelsOf(cairo_surface_t* surface);
// Applies a binary raster operation (R2_*) or a ternary one with pattern and source to a pixel.
std::uint32_t ApplyRop3(std::uint8_t rop, std::uint32_t pat, std::uint32_t src, std::uint32_t dst);
std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst);
inline std::uint32_t ToPixel(COLORREF c) {
  return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}
inline COLORREF FromPixel(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

// Gives the window system the drawing hooks (scrolling pixels, filling update regions).
void InstallGraphicsHooks();

}  // namespace win::gdi
