#pragma once
// What device contexts drew, as a list of operations in device units (relative to the
// DC's origin: a window's client area, a bitmap, a page). Tests switch the recording on
// and assert what a cell painted; metafiles keep the same operations for playback.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Gdi.h"

typedef struct _cairo_surface cairo_surface_t;

namespace win {

enum class DrawKind {
  Text,          // one line or run of text
  Line,          // a polyline in `points`
  Fill,          // a rectangle filled with a brush or a pattern raster operation
  Frame,         // FrameRect: a one-brush-wide frame
  Rectangle,     // pen outline and brush interior
  Ellipse,
  RoundRect,
  Polygon,
  Blit,          // pixels copied into `rect` (StretchBlt, BitBlt, StretchDIBits)
  Pixel,         // SetPixel
  Invert,        // InvertRect
  FocusRect,     // XOR dotted focus frame
  Edge,          // DrawEdge: summary; the lines and fills follow as their own operations
  FrameControl,  // DrawFrameControl: summary; the parts follow as their own operations
};

struct DrawOp {
  DrawKind kind = DrawKind::Fill;
  HDC dc = nullptr;
  HWND window = nullptr;       // the window a window DC belongs to
  RECT rect;                   // text: the line's box; others: the target rectangle
  std::vector<POINT> points;   // lines and polygons; text: points[0] is the glyph origin (baseline)
  std::string text;
  LOGFONT font;                // text: the font, height in device units
  int charExtra = 0;
  std::vector<int> dx;         // text: per-character advances when given
  int prefixChar = -1;         // text: byte offset of the underlined prefix character
  COLORREF color = 0;          // text colour, pen colour or brush colour
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  UINT brushStyle = BS_SOLID;  // fills and shapes: the brush (BS_NULL for none)
  int hatch = 0;
  COLORREF hatchBk = 0xFFFFFF;
  COLORREF penColor = 0;       // shapes: the pen's colour (lines keep it in `color`)
  UINT penStyle = PS_SOLID;    // lines and shapes: the pen (PS_NULL for none)
  int penWidth = 1;
  bool penGeometric = false;
  int rop2 = R2_COPYPEN;
  DWORD rop = SRCCOPY;         // fills and blits
  UINT flags = 0;              // ExtTextOut options, DrawEdge flags, frame control state
  UINT format = 0;             // text from DrawText: its format flags
  UINT type = 0;               // DrawEdge edge, DrawFrameControl type
  bool clipped = false;        // text drawn clipped to `clip`
  RECT clip;
  bool hasClipRegion = false;  // the DC's clip region at the time, device units
  std::vector<RECT> clipRects;
  std::shared_ptr<const PixelImage> image;  // blit source, already at the target's colours
  bool alpha = false;          // blit: the image's top byte is its opacity (0 see-through, 255 solid)
  RECT srcRect;                // blit: part of `image` stretched into `rect`
  HDC source = nullptr;        // blit: the DC the pixels came from (none for device-independent bits)
  POINT sourceOrigin;          // blit: where `image` starts on the source DC, its device units
  int polyFillMode = ALTERNATE;
  int ellipseW = 0, ellipseH = 0;

  // Convenience for tests.
  std::string FontName() const { return font.lfFaceName; }
  bool Bold() const { return font.lfWeight >= 600; }
};

// Records the operations of every device context while on.
void StartDrawRecording();
void StopDrawRecording();
bool DrawRecordingOn();
void ClearDrawRecording();
const std::vector<DrawOp>& DrawRecording();
// The recorded operations of one kind (and of one window when given).
std::vector<DrawOp> RecordedOps(DrawKind kind, HWND window = nullptr);
// The texts drawn, in order.
std::vector<std::string> RecordedTexts(HWND window = nullptr);

// Writes the pixels of a bitmap or of a DC's drawing surface as a PNG; false on failure.
bool SaveBitmapPng(HBITMAP bmp, const std::string& fileName);
bool SaveDCPng(HDC hdc, const std::string& fileName);
// The image a top-level window's contents are drawn into (for the display back end).
cairo_surface_t* WindowImageSurface(HWND hwnd);
// Writes what a window and its children show (its part of the top-level window's image).
bool SaveWindowPng(HWND hwnd, const std::string& fileName);

}  // namespace win
