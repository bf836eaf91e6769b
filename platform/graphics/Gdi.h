#pragma once
// The drawing calls of the window system: device contexts, pens, brushes, fonts,
// bitmaps, regions, text and frames, on cairo.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/WinGdiTypes.h"

namespace win {

using COLORREF = std::uint32_t;  // 0x00BBGGRR
constexpr COLORREF RGB(int r, int g, int b) {
  return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int((c >> 16) & 0xFF); }
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;

using HENHMETAFILE = struct HENHMETAFILE__*;

// ---- text ----
inline constexpr UINT DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                      DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
                      DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400,
                      DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000,
                      DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
                      DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000,
                      DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000;
struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};
inline constexpr UINT ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_RTLREADING = 0x80;
inline constexpr UINT TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6,
                      TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24, TA_RTLREADING = 256;
inline constexpr int TRANSPARENT = 1, OPAQUE = 2;
inline constexpr int ALTERNATE = 1, WINDING = 2;

// ---- raster operations ----
inline constexpr int R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4,
                     R2_MASKPENNOT = 5, R2_NOT = 6, R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9,
                     R2_NOTXORPEN = 10, R2_NOP = 11, R2_MERGENOTPEN = 12, R2_COPYPEN = 13,
                     R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16;
inline constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6,
                       SRCINVERT = 0x00660046, SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008,
                       NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA, MERGEPAINT = 0x00BB0226,
                       PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
                       DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;

// ---- pens and brushes ----
inline constexpr DWORD PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4,
                       PS_NULL = 5, PS_INSIDEFRAME = 6, PS_USERSTYLE = 7, PS_ALTERNATE = 8,
                       PS_STYLE_MASK = 0xF, PS_ENDCAP_ROUND = 0, PS_ENDCAP_SQUARE = 0x100,
                       PS_ENDCAP_FLAT = 0x200, PS_ENDCAP_MASK = 0xF00, PS_JOIN_ROUND = 0,
                       PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000, PS_JOIN_MASK = 0xF000,
                       PS_COSMETIC = 0, PS_GEOMETRIC = 0x10000, PS_TYPE_MASK = 0xF0000;
inline constexpr UINT BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1, BS_HATCHED = 2, BS_PATTERN = 3;
inline constexpr int HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
                     HS_DIAGCROSS = 5;
struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  std::uintptr_t lbHatch = 0;
};
struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  POINT lopnWidth;
  COLORREF lopnColor = 0;
};
inline constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
                     NULL_BRUSH = 5, HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
                     OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12, SYSTEM_FONT = 13,
                     DEVICE_DEFAULT_FONT = 14, DEFAULT_PALETTE = 15, SYSTEM_FIXED_FONT = 16,
                     DEFAULT_GUI_FONT = 17, DC_BRUSH = 18, DC_PEN = 19;
inline constexpr int OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_DC = 3, OBJ_PAL = 5, OBJ_FONT = 6, OBJ_BITMAP = 7,
                     OBJ_REGION = 8, OBJ_METADC = 4, OBJ_MEMDC = 10, OBJ_ENHMETADC = 12, OBJ_ENHMETAFILE = 13;

// ---- fonts ----
inline constexpr int LF_FACESIZE = 32;
struct LOGFONT {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONTA = LOGFONT;
// Copies a face name into a LOGFONT, cut on a character boundary.
void SetFaceName(LOGFONT& lf, std::string_view name);

inline constexpr int FW_DONTCARE = 0, FW_THIN = 100, FW_LIGHT = 300, FW_NORMAL = 400, FW_REGULAR = 400,
                     FW_MEDIUM = 500, FW_SEMIBOLD = 600, FW_BOLD = 700, FW_HEAVY = 900;
inline constexpr BYTE ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, SHIFTJIS_CHARSET = 128,
                      HANGEUL_CHARSET = 129, GB2312_CHARSET = 134, CHINESEBIG5_CHARSET = 136,
                      OEM_CHARSET = 255;
inline constexpr BYTE OUT_DEFAULT_PRECIS = 0, OUT_TT_PRECIS = 4, OUT_TT_ONLY_PRECIS = 7,
                      CLIP_DEFAULT_PRECIS = 0, DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2,
                      NONANTIALIASED_QUALITY = 3, ANTIALIASED_QUALITY = 4;
inline constexpr BYTE DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2, FF_DONTCARE = 0,
                      FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30;
inline constexpr BYTE TMPF_FIXED_PITCH = 0x1, TMPF_VECTOR = 0x2, TMPF_TRUETYPE = 0x4, TMPF_DEVICE = 0x8;
struct TEXTMETRIC {
  LONG tmHeight = 0, tmAscent = 0, tmDescent = 0, tmInternalLeading = 0, tmExternalLeading = 0;
  LONG tmAveCharWidth = 0, tmMaxCharWidth = 0, tmWeight = 0, tmOverhang = 0;
  LONG tmDigitizedAspectX = 96, tmDigitizedAspectY = 96;
  BYTE tmFirstChar = 32, tmLastChar = 255, tmDefaultChar = 31, tmBreakChar = 32;
  BYTE tmItalic = 0, tmUnderlined = 0, tmStruckOut = 0, tmPitchAndFamily = 0, tmCharSet = 0;
};
struct OUTLINETEXTMETRIC {
  UINT otmSize = sizeof(OUTLINETEXTMETRIC);
  TEXTMETRIC otmTextMetrics;
  UINT otmEMSquare = 0;
  int otmsCharSlopeRise = 1;
  int otmsCharSlopeRun = 0;
  int otmItalicAngle = 0;  // tenths of a degree, negative leans right
  int otmAscent = 0, otmDescent = 0;
  UINT otmLineGap = 0;
  int otmsStrikeoutSize = 0, otmsStrikeoutPosition = 0;
  int otmsUnderscoreSize = 0, otmsUnderscorePosition = 0;
};

// ---- bitmaps ----
struct BITMAP {
  LONG bmType = 0, bmWidth = 0, bmHeight = 0, bmWidthBytes = 0;
  WORD bmPlanes = 1, bmBitsPixel = 0;
  void* bmBits = nullptr;
};
struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0, biHeight = 0;
  WORD biPlanes = 1, biBitCount = 0;
  DWORD biCompression = 0, biSizeImage = 0;
  LONG biXPelsPerMeter = 0, biYPelsPerMeter = 0;
  DWORD biClrUsed = 0, biClrImportant = 0;
};
struct RGBQUAD { BYTE rgbBlue = 0, rgbGreen = 0, rgbRed = 0, rgbReserved = 0; };
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
};
inline constexpr DWORD BI_RGB = 0, BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr int OBM_CHECKBOXES = 32759, OBM_CHECK = 32760;

// ---- frames ----
inline constexpr UINT BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4,
                      BDR_SUNKENINNER = 0x8, BDR_OUTER = 0x3, BDR_INNER = 0xC, BDR_RAISED = 0x5,
                      BDR_SUNKEN = 0xA, EDGE_RAISED = 0x5, EDGE_SUNKEN = 0xA, EDGE_ETCHED = 0x6,
                      EDGE_BUMP = 0x9;
inline constexpr UINT BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_TOPLEFT = 0x3,
                      BF_TOPRIGHT = 0x6, BF_BOTTOMLEFT = 0x9, BF_BOTTOMRIGHT = 0xC, BF_RECT = 0xF,
                      BF_DIAGONAL = 0x10, BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000,
                      BF_FLAT = 0x4000, BF_MONO = 0x8000;
inline constexpr UINT DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4;
inline constexpr UINT DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIOIMAGE = 0x1, DFCS_BUTTONRADIOMASK = 0x2,
                      DFCS_BUTTONRADIO = 0x4, DFCS_BUTTON3STATE = 0x8, DFCS_BUTTONPUSH = 0x10,
                      DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2,
                      DFCS_SCROLLRIGHT = 0x3, DFCS_SCROLLCOMBOBOX = 0x5, DFCS_SCROLLSIZEGRIP = 0x8,
                      DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400,
                      DFCS_TRANSPARENT = 0x800, DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000,
                      DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

// ---- regions ----
inline constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
inline constexpr int RGN_ERROR = 0;  // NULLREGION, SIMPLEREGION, COMPLEXREGION: WinStyles.h

// ---- mapping and device capabilities ----
inline constexpr int MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5,
                     MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
inline constexpr DWORD LAYOUT_RTL = 0x1, LAYOUT_BITMAPORIENTATIONPRESERVED = 0x8;
inline constexpr int DRIVERVERSION = 0, TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8,
                     VERTRES = 10, BITSPIXEL = 12, PLANES = 14, NUMBRUSHES = 16, NUMPENS = 18,
                     NUMFONTS = 22, NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88, LOGPIXELSY = 90,
                     SIZEPALETTE = 104, PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112,
                     PHYSICALOFFSETY = 113;
inline constexpr int DT_PLOTTER = 0, DT_RASDISPLAY = 1, DT_RASPRINTER = 2, DT_METAFILE = 5;
inline constexpr int RC_BITBLT = 1, RC_STRETCHBLT = 0x800, RC_STRETCHDIB = 0x2000;

// ---- system colours ----
inline constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2,
                     COLOR_INACTIVECAPTION = 3, COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6,
                     COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9,
                     COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
                     COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15,
                     COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18,
                     COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21,
                     COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26,
                     COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
                     COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30, COLOR_3DFACE = 15, COLOR_3DSHADOW = 16,
                     COLOR_3DHIGHLIGHT = 20, COLOR_3DHILIGHT = 20, COLOR_BTNHILIGHT = 20;
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

// ---- device contexts ----
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
// Gives the window system the drawing layer's hooks (scrolling pixels, update regions,
// erasing backgrounds). Done by the first window DC too; programs call it at start.
void InstallDrawingHooks();
// Clipped to the update region, which it validates; sends WM_ERASEBKGND when asked to erase.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);
int GetDeviceCaps(HDC hdc, int index);
HWND WindowFromDC(HDC hdc);
int GetObjectType(HGDIOBJ obj);
// A printer device context drawing PDF pages into the named file at 600 dpi
// (page size in millimetres; margins give the unprintable offsets).
HDC CreatePdfDC(const std::string& fileName, double pageWidthMM, double pageHeightMM,
                double marginMM = 0);
// The sheet of a printer in its device pixels: the whole sheet, and the printable area
// (its size and its top-left corner on the sheet).
struct PrinterPage {
  int dpi = 600;
  int sheetWidth = 0, sheetHeight = 0;
  int offsetX = 0, offsetY = 0;
  int width = 0, height = 0;
};
// A printer device context drawing PDF pages of that sheet into the named file; nullptr
// for a page that does not fit its sheet or a file that cannot be made.
HDC CreatePdfDC(const std::string& fileName, const PrinterPage& page);
// A printer device context that answers the device's questions (sizes, offsets,
// resolution, text metrics) and draws nothing.
HDC CreatePrinterIC(const PrinterPage& page);
// The page a printer device context prints on (zeros for other device contexts).
PrinterPage GetPrinterPage(HDC hdc);
int StartPage(HDC hdc);
int EndPage(HDC hdc);
int EndDoc(HDC hdc);

// ---- enhanced metafiles ----
struct ENHMETAHEADER {
  RECT rclBounds;       // device units of the recording DC
  RECT rclFrame;        // .01 mm
  DWORD nRecords = 0;
  SIZE szlDevice;       // reference device, pixels
  SIZE szlMillimeters;  // reference device, mm
};
// Records every operation drawn on the returned DC (frame in .01 mm, may be null).
HDC CreateEnhMetaFile(HDC reference, const char* fileName, const RECT* frame, const char* description);
HENHMETAFILE CloseEnhMetaFile(HDC hdc);
// Plays the recording into the logical rectangle of the target, scaled to fit.
BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE emf, const RECT* r);
BOOL DeleteEnhMetaFile(HENHMETAFILE emf);
UINT GetEnhMetaFileHeader(HENHMETAFILE emf, UINT size, ENHMETAHEADER* out);
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE emf, const char* fileName);
// The recorded operations of a metafile (device units of the recording DC).
const std::vector<struct DrawOp>* EnhMetaFileOps(HENHMETAFILE emf);

// ---- objects ----
HGDIOBJ GetStockObject(int index);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
// Typed handles convert to HGDIOBJ for the object calls.
template <class H>
inline HGDIOBJ GdiObj(H h) { return reinterpret_cast<HGDIOBJ>(h); }
inline HGDIOBJ SelectObject(HDC hdc, HPEN h) { return SelectObject(hdc, GdiObj(h)); }
inline HGDIOBJ SelectObject(HDC hdc, HBRUSH h) { return SelectObject(hdc, GdiObj(h)); }
inline HGDIOBJ SelectObject(HDC hdc, HFONT h) { return SelectObject(hdc, GdiObj(h)); }
inline HGDIOBJ SelectObject(HDC hdc, HBITMAP h) { return SelectObject(hdc, GdiObj(h)); }
inline HGDIOBJ SelectObject(HDC hdc, HRGN h) { return SelectObject(hdc, GdiObj(h)); }
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
BOOL DeleteObject(HGDIOBJ obj);
inline BOOL DeleteObject(HPEN h) { return DeleteObject(GdiObj(h)); }
inline BOOL DeleteObject(HBRUSH h) { return DeleteObject(GdiObj(h)); }
inline BOOL DeleteObject(HFONT h) { return DeleteObject(GdiObj(h)); }
inline BOOL DeleteObject(HBITMAP h) { return DeleteObject(GdiObj(h)); }
inline BOOL DeleteObject(HRGN h) { return DeleteObject(GdiObj(h)); }
int GetObject(HGDIOBJ obj, int size, void* out);
inline int GetObject(HBITMAP h, int size, void* out) { return GetObject(GdiObj(h), size, out); }
inline int GetObject(HFONT h, int size, void* out) { return GetObject(GdiObj(h), size, out); }
inline int GetObject(HPEN h, int size, void* out) { return GetObject(GdiObj(h), size, out); }
inline int GetObject(HBRUSH h, int size, void* out) { return GetObject(GdiObj(h), size, out); }
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN& lp);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH& brush, DWORD styleCount, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH& lb);
HBRUSH CreatePatternBrush(HBITMAP bmp);
HFONT CreateFontIndirect(const LOGFONT& lf);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, const char* faceName);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD offset);
HBITMAP LoadBitmap(HINSTANCE inst, int id);
COLORREF GetNearestColor(HDC hdc, COLORREF color);

// ---- attributes ----
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetTextCharacterExtra(HDC hdc, int extra);
int GetTextCharacterExtra(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* old);

// ---- mapping ----
int SetMapMode(HDC hdc, int mode);
int GetMapMode(HDC hdc);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC hdc, POINT* out);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC hdc, POINT* out);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* old);
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* old);
BOOL SetWindowExtEx(HDC hdc, int x, int y, SIZE* old);
BOOL GetWindowExtEx(HDC hdc, SIZE* out);
BOOL SetViewportExtEx(HDC hdc, int x, int y, SIZE* old);
BOOL GetViewportExtEx(HDC hdc, SIZE* out);
BOOL LPtoDP(HDC hdc, POINT* pts, int count);
BOOL DPtoLP(HDC hdc, POINT* pts, int count);
DWORD SetLayout(HDC hdc, DWORD layout);
DWORD GetLayout(HDC hdc);

// ---- regions and clipping ----
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT& r);
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode);
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* r);
int GetRgnBox(HRGN rgn, RECT* out);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);
// A window's shape (window coordinates); the window system then owns the region.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN rgn);
int SelectClipRgn(HDC hdc, HRGN rgn);
int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode);
int GetClipRgn(HDC hdc, HRGN out);
int GetClipBox(HDC hdc, RECT* out);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* r);

// ---- lines and shapes ----
BOOL MoveToEx(HDC hdc, int x, int y, POINT* old);
BOOL GetCurrentPositionEx(HDC hdc, POINT* out);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* pts, int count);
BOOL PolyPolyline(HDC hdc, const POINT* pts, const DWORD* counts, DWORD polyCount);
BOOL Polygon(HDC hdc, const POINT* pts, int count);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int w, int h);
int FillRect(HDC hdc, const RECT* r, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* r, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* r);
BOOL DrawFocusRect(HDC hdc, const RECT* r);
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
int StretchDIBits(HDC hdc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop);
int GetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
BOOL DrawEdge(HDC hdc, RECT* r, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC hdc, RECT* r, UINT type, UINT state);
// A scroll bar in bar (horizontal or vertical): its arrows, track and thumb from the range,
// page and position; disabledArrows (ESB_* bits) greys arrows, and a bar that cannot
// scroll or has both arrows off is drawn disabled, without a thumb.
BOOL DrawScrollBar(HDC hdc, const RECT& bar, bool horizontal, int min, int max, UINT page, int pos,
                   UINT disabledArrows);

// ---- images and icons ----
// Pixels, row by row: 0x00RRGGBB, or 0xAARRGGBB where an image carries opacity.
struct PixelImage {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};
// Draws part of an image with opacity (0xAARRGGBB) stretched into dest (logical units).
BOOL DrawPixelImage(HDC hdc, const RECT& dest, std::shared_ptr<const PixelImage> image, const RECT& src);
// The pixels of a bitmap (0x00RRGGBB); an empty image for a bad handle.
PixelImage GetBitmapImage(HBITMAP bmp);
// Replaces a bitmap's pixels (sizes must match).
BOOL SetBitmapImage(HBITMAP bmp, const PixelImage& image);
// Icons hold an image with opacity.
HICON CreateIconFromImage(const PixelImage& argb);
HICON CopyIcon(HICON icon);
BOOL DestroyIcon(HICON icon);
const PixelImage* GetIconImage(HICON icon);
inline constexpr UINT DI_MASK = 1, DI_IMAGE = 2, DI_NORMAL = 3;
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int w, int h, UINT step, HBRUSH flickerFree, UINT flags);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);

// ---- text ----
BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* tm);
UINT GetOutlineTextMetrics(HDC hdc, UINT size, OUTLINETEXTMETRIC* otm);
BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size);
BOOL GetTextExtentPoint(HDC hdc, const char* text, int count, SIZE* size);
int GetTextFace(HDC hdc, int count, char* out);
// The font families installed on the system (fontconfig), sorted, each once.
std::vector<std::string> InstalledFontFamilies();
BOOL TextOut(HDC hdc, int x, int y, const char* text, int count);
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* r, const char* text, UINT count,
                const int* dx);
int DrawText(HDC hdc, const char* text, int count, RECT* r, UINT format);
int DrawTextEx(HDC hdc, const char* text, int count, RECT* r, UINT format, DRAWTEXTPARAMS* params);

}  // namespace win
