#include <functional>

#include "tests/platform/graphics/gdi/GdiFixture.h"

using namespace gx;

namespace {

// Paints something varied so inversions show.
void Paint(MemDC& m) {
  HBRUSH b = CreateSolidBrush(RGB(10, 120, 200));
  RECT r{5, 5, 30, 25};
  FillRect(m.Dc, &r, b);
  DeleteObject(b);
  m.UseFont("Arial", -12);
  TextOut(m.Dc, 2, 2, "Xy", 2);
}

TEST(Raster, XorDrawingTwiceRestoresThePixels) {
  struct Case {
    const char* name;
    std::function<void(HDC)> draw;
  };
  const Case cases[] = {
      {"xor pen line", [](HDC dc) {
         SetROP2(dc, R2_XORPEN);
         HPEN p = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
         HGDIOBJ old = SelectObject(dc, p);
         MoveToEx(dc, 0, 0, nullptr);
         LineTo(dc, 39, 29);
         SelectObject(dc, old);
         DeleteObject(p);
         SetROP2(dc, R2_COPYPEN);
       }},
      {"not pen rectangle", [](HDC dc) {
         SetROP2(dc, R2_NOT);
         HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
         Rectangle(dc, 3, 3, 35, 20);
         SelectObject(dc, old);
         SetROP2(dc, R2_COPYPEN);
       }},
      {"notxor filled ellipse", [](HDC dc) {
         SetROP2(dc, R2_NOTXORPEN);
         HBRUSH b = CreateSolidBrush(RGB(0, 0, 0));
         HGDIOBJ old = SelectObject(dc, b);
         Ellipse(dc, 4, 4, 30, 22);
         SelectObject(dc, old);
         DeleteObject(b);
         SetROP2(dc, R2_COPYPEN);
       }},
      {"patinvert", [](HDC dc) {
         HBRUSH b = CreateSolidBrush(RGB(90, 33, 200));
         HGDIOBJ old = SelectObject(dc, b);
         PatBlt(dc, 2, 2, 30, 20, PATINVERT);
         SelectObject(dc, old);
         DeleteObject(b);
       }},
      {"dstinvert", [](HDC dc) { PatBlt(dc, 0, 0, 40, 30, DSTINVERT); }},
      {"invert rect", [](HDC dc) {
         RECT r{1, 1, 20, 20};
         InvertRect(dc, &r);
       }},
      {"focus rect", [](HDC dc) {
         RECT r{2, 3, 33, 21};
         DrawFocusRect(dc, &r);
       }},
      {"srcinvert blit", [](HDC dc) {
         HDC src = CreateCompatibleDC(dc);
         HBITMAP bmp = CreateCompatibleBitmap(dc, 10, 10);
         HGDIOBJ old = SelectObject(src, bmp);
         RECT r{0, 0, 10, 10};
         HBRUSH b = CreateSolidBrush(RGB(200, 100, 50));
         FillRect(src, &r, b);
         BitBlt(dc, 4, 4, 10, 10, src, 0, 0, SRCINVERT);
         SelectObject(src, old);
         DeleteObject(b);
         DeleteObject(bmp);
         DeleteDC(src);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemDC m(40, 30);
    Paint(m);
    auto before = m.Pixels();
    c.draw(m.Dc);
    EXPECT_NE(m.Pixels(), before) << "the first drawing changes pixels";
    c.draw(m.Dc);
    EXPECT_EQ(m.Pixels(), before);
  }
}

TEST(Raster, FillsFramesAndRectanglesCoverGdiPixels) {
  MemDC m(40, 40);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{10, 10, 20, 15};
  FillRect(m.Dc, &r, red);
  EXPECT_EQ(GetPixel(m.Dc, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(m.Dc, 19, 14), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(m.Dc, 20, 14), RGB(255, 255, 255));  // right and bottom edges excluded
  EXPECT_EQ(GetPixel(m.Dc, 19, 15), RGB(255, 255, 255));
  EXPECT_EQ(m.Inked(RECT{0, 0, 40, 40}), 50);
  // A system colour index plus one stands for its brush.
  RECT s{0, 0, 2, 2};
  FillRect(m.Dc, &s, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1)));
  EXPECT_EQ(GetPixel(m.Dc, 1, 1), GetSysColor(COLOR_BTNFACE));

  MemDC f(40, 40);
  RECT fr{5, 5, 15, 12};
  FrameRect(f.Dc, &fr, red);
  EXPECT_EQ(f.Inked(RECT{0, 0, 40, 40}), 2 * 10 + 2 * 5);
  EXPECT_EQ(GetPixel(f.Dc, 7, 7), RGB(255, 255, 255));

  // Rectangle: one-pixel pen outline on left..right-1, brush inside.
  MemDC g(40, 40);
  HGDIOBJ oldBrush = SelectObject(g.Dc, red);
  Rectangle(g.Dc, 5, 5, 15, 12);
  EXPECT_EQ(GetPixel(g.Dc, 5, 5), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(g.Dc, 14, 11), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(g.Dc, 15, 11), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(g.Dc, 8, 8), RGB(255, 0, 0));
  auto op = g.Ops(DrawKind::Rectangle).at(0);
  EXPECT_EQ(op.color, RGB(255, 0, 0));
  EXPECT_EQ(op.penColor, RGB(0, 0, 0));
  // Without a pen the filled area is one pixel smaller.
  SelectObject(g.Dc, GetStockObject(NULL_PEN));
  Rectangle(g.Dc, 20, 20, 30, 30);
  EXPECT_EQ(GetPixel(g.Dc, 28, 28), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(g.Dc, 29, 29), RGB(255, 255, 255));
  SelectObject(g.Dc, oldBrush);
  DeleteObject(red);
}

TEST(Raster, LinesSkipTheirLastPixelAndFollowPenStyles) {
  struct Case {
    int style;
    int inked;  // of a 24-pixel horizontal line
  };
  const Case cases[] = {{PS_SOLID, 24}, {PS_DOT, 12}, {PS_DASH, 18}, {PS_NULL, 0}};
  for (const Case& c : cases) {
    MemDC m(30, 5);
    SetBkMode(m.Dc, TRANSPARENT);
    HPEN p = CreatePen(c.style, 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(m.Dc, p);
    MoveToEx(m.Dc, 0, 2, nullptr);
    LineTo(m.Dc, 24, 2);
    EXPECT_EQ(m.Inked(RECT{0, 0, 30, 5}), c.inked) << c.style;
    SelectObject(m.Dc, old);
    DeleteObject(p);
  }
  // Vertical and diagonal solid lines leave out their last pixel too.
  MemDC d(10, 10);
  MoveToEx(d.Dc, 0, 0, nullptr);
  LineTo(d.Dc, 5, 5);
  LineTo(d.Dc, 5, 9);
  EXPECT_EQ(d.Inked(RECT{0, 0, 10, 10}), 5 + 4);
  EXPECT_EQ(d.Px(4, 4), RGB(0, 0, 0));
  EXPECT_EQ(d.Px(5, 9), RGB(255, 255, 255));
  // A cosmetic alternate pen sets every other pixel.
  MemDC a(30, 5);
  LOGBRUSH lb{BS_SOLID, RGB(0, 0, 0), 0};
  HPEN alt = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, lb, 0, nullptr);
  ASSERT_NE(alt, nullptr);
  SelectObject(a.Dc, alt);
  MoveToEx(a.Dc, 0, 0, nullptr);
  LineTo(a.Dc, 10, 0);
  EXPECT_EQ(a.Inked(RECT{0, 0, 30, 5}), 5);
  EXPECT_EQ(GetPixel(a.Dc, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(a.Dc, 1, 0), RGB(255, 255, 255));
  SelectObject(a.Dc, GetStockObject(BLACK_PEN));
  DeleteObject(alt);
  // Geometric pens must not be PS_ALTERNATE; cosmetic ones must be one pixel wide.
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 3, lb, 0, nullptr), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, lb, 0, nullptr), nullptr);
  // PolyPolyline records one line per part.
  MemDC pp(30, 30);
  POINT pts[] = {{0, 0}, {10, 0}, {0, 5}, {10, 5}, {10, 10}};
  DWORD counts[] = {2, 3};
  EXPECT_TRUE(PolyPolyline(pp.Dc, pts, counts, 2));
  EXPECT_EQ(pp.Ops(DrawKind::Line).size(), 2u);
  EXPECT_EQ(pp.Inked(RECT{0, 0, 30, 30}), 10 + 10 + 5);
}

TEST(Raster, ClippingLimitsDrawingAndIsKeptInDeviceUnits) {
  MemDC m(50, 50);
  EXPECT_EQ(IntersectClipRect(m.Dc, 10, 10, 30, 30), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(m.Dc, 15, 15, 20, 20), COMPLEXREGION);
  RECT box;
  EXPECT_EQ(GetClipBox(m.Dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{10, 10, 30, 30}));
  RECT all{0, 0, 50, 50};
  HBRUSH black = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  FillRect(m.Dc, &all, black);
  EXPECT_EQ(m.Inked(all), 20 * 20 - 5 * 5);
  EXPECT_EQ(m.Px(16, 16), RGB(255, 255, 255));
  EXPECT_TRUE(m.Ops(DrawKind::Fill).back().hasClipRegion);

  // GetClipRgn gives the region in device units; SaveDC/RestoreDC bring the old clip back.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(m.Dc, rgn), 1);
  EXPECT_TRUE(PtInRegion(rgn, 10, 10));
  EXPECT_FALSE(PtInRegion(rgn, 16, 16));
  int saved = SaveDC(m.Dc);
  SelectClipRgn(m.Dc, nullptr);
  EXPECT_EQ(GetClipRgn(m.Dc, rgn), 0);
  RestoreDC(m.Dc, saved);
  EXPECT_EQ(GetClipRgn(m.Dc, rgn), 1);

  // With a moved viewport, a selected region stays in device units while clip rectangles
  // are logical.
  MemDC v(50, 50);
  SetViewportOrgEx(v.Dc, 10, 0, nullptr);
  HRGN dev = CreateRectRgn(0, 0, 20, 20);
  SelectClipRgn(v.Dc, dev);
  RECT lbox;
  GetClipBox(v.Dc, &lbox);
  EXPECT_EQ(lbox, (RECT{-10, 0, 10, 20}));
  FillRect(v.Dc, &all, black);
  EXPECT_EQ(v.Inked(RECT{0, 0, 50, 50}), 200);  // device 10..20 of the fill
  EXPECT_EQ(v.Px(19, 19), RGB(0, 0, 0));
  EXPECT_EQ(v.Px(20, 19), RGB(255, 255, 255));
  DeleteObject(dev);
  DeleteObject(rgn);
}

TEST(Raster, RegionsCombineCompareAndMove) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), d = CreateRectRgn(0, 0, 0, 0);
  struct Case { int mode; int result; int area; } cases[] = {
      {RGN_AND, SIMPLEREGION, 25}, {RGN_OR, COMPLEXREGION, 175}, {RGN_XOR, COMPLEXREGION, 150},
      {RGN_DIFF, COMPLEXREGION, 75}, {RGN_COPY, SIMPLEREGION, 100}};
  for (auto& c : cases) {
    EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.result) << c.mode;
    int area = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) area += PtInRegion(d, x, y) ? 1 : 0;
    EXPECT_EQ(area, c.area) << c.mode;
  }
  // With an empty region or apart.
  HRGN e = CreateRectRgn(0, 0, 0, 0), far = CreateRectRgn(20, 20, 30, 30);
  struct WithCase { HRGN x, y; int mode, result, area; } withs[] = {
      {a, far, RGN_AND, NULLREGION, 0},    {a, e, RGN_AND, NULLREGION, 0},   {a, e, RGN_OR, SIMPLEREGION, 100},
      {e, a, RGN_XOR, SIMPLEREGION, 100},  {a, e, RGN_DIFF, SIMPLEREGION, 100}, {e, a, RGN_DIFF, NULLREGION, 0},
      {a, far, RGN_OR, COMPLEXREGION, 200}};
  for (auto& c : withs) {
    EXPECT_EQ(CombineRgn(d, c.x, c.y, c.mode), c.result) << c.mode;
    int area = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) area += PtInRegion(d, x, y) ? 1 : 0;
    EXPECT_EQ(area, c.area) << c.mode;
  }
  for (HRGN h : {e, far}) DeleteObject(h);
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_AND), RGN_ERROR);
  RECT box;
  CombineRgn(d, a, b, RGN_OR);
  EXPECT_EQ(GetRgnBox(d, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 15, 15}));
  EXPECT_EQ(OffsetRgn(a, 5, 5), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(a, b));
  POINT tri[] = {{0, 0}, {10, 0}, {0, 10}};
  HRGN t = CreatePolygonRgn(tri, 3, ALTERNATE);
  EXPECT_TRUE(PtInRegion(t, 1, 1));
  EXPECT_FALSE(PtInRegion(t, 8, 8));
  for (HRGN h : {a, b, d, t}) EXPECT_TRUE(DeleteObject(h));
  EXPECT_FALSE(DeleteObject(a));  // already gone
}

TEST(Raster, MirroredMappingDrawsFromTheRight) {
  MemDC m(100, 20);
  EXPECT_EQ(SetMapMode(m.Dc, MM_ANISOTROPIC), MM_TEXT);
  SetWindowExtEx(m.Dc, -100, 20, nullptr);
  SetViewportExtEx(m.Dc, 100, 20, nullptr);
  SetViewportOrgEx(m.Dc, 99, 0, nullptr);
  POINT p{0, 0};
  LPtoDP(m.Dc, &p, 1);
  EXPECT_EQ(p.x, 99);
  DPtoLP(m.Dc, &p, 1);
  EXPECT_EQ(p.x, 0);
  RECT r{0, 0, 10, 20};
  FillRect(m.Dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(m.Inked(RECT{0, 0, 100, 20}), 200);
  EXPECT_EQ(m.Inked(RECT{90, 0, 100, 20}), 200);
  // Left-aligned text starts at the logical left, which is the device's right.
  m.UseFont("Arial", -12);
  RECT t{0, 0, 100, 20};
  DrawText(m.Dc, "Hi", -1, &t, DT_SINGLELINE | DT_LEFT);
  auto op = m.Ops(DrawKind::Text).at(0);
  EXPECT_EQ(op.rect.right, 100);
  EXPECT_EQ(SetMapMode(m.Dc, 99), 0);
  // A right-to-left layout mirrors the same way.
  MemDC l(100, 20);
  SetLayout(l.Dc, LAYOUT_RTL);
  FillRect(l.Dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(l.Inked(RECT{90, 0, 100, 20}), 200);
}

TEST(Raster, ScaledMappingScalesShapesAndFonts) {
  MemDC m(100, 100);
  SetMapMode(m.Dc, MM_ISOTROPIC);
  SetWindowExtEx(m.Dc, 100, 100, nullptr);
  SetViewportExtEx(m.Dc, 50, 80, nullptr);  // isotropic: the smaller scale wins
  SIZE vp;
  GetViewportExtEx(m.Dc, &vp);
  EXPECT_EQ(vp.cx, 50);
  EXPECT_EQ(vp.cy, 50);
  RECT r{0, 0, 20, 20};
  FillRect(m.Dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(m.Inked(RECT{0, 0, 100, 100}), 100);
  m.UseFont("Arial", -24);
  TextOut(m.Dc, 0, 50, "A", 1);
  EXPECT_EQ(m.Ops(DrawKind::Text).at(0).font.lfHeight, -12);
  TEXTMETRIC tm;
  GetTextMetrics(m.Dc, &tm);
  EXPECT_NEAR(tm.tmHeight, 28, 1);  // logical units
}

TEST(Raster, BlitsConvertBetweenMonochromeAndColour) {
  MemDC m(20, 20);
  HDC src = CreateCompatibleDC(m.Dc);
  HBITMAP mono = CreateBitmap(4, 1, 1, 1, nullptr);  // starts white (1 bits)
  HGDIOBJ old = SelectObject(src, mono);
  SetPixel(src, 0, 0, RGB(0, 0, 0));
  SetTextColor(m.Dc, RGB(255, 0, 0));
  SetBkColor(m.Dc, RGB(0, 0, 255));
  BitBlt(m.Dc, 0, 0, 4, 1, src, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(m.Dc, 0, 0), RGB(255, 0, 0));  // 0 bits take the text colour
  EXPECT_EQ(GetPixel(m.Dc, 1, 0), RGB(0, 0, 255));  // 1 bits the background colour
  // Colour to monochrome: the source's background colour becomes white.
  HDC msk = CreateCompatibleDC(m.Dc);
  HBITMAP mbmp = CreateBitmap(4, 1, 1, 1, nullptr);
  HGDIOBJ oldm = SelectObject(msk, mbmp);
  SetBkColor(m.Dc, RGB(0, 0, 255));
  BitBlt(msk, 0, 0, 4, 1, m.Dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(msk, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(msk, 1, 0), RGB(255, 255, 255));
  BITMAP bm;
  ASSERT_EQ(GetObject(mbmp, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidth, 4);
  SelectObject(msk, oldm);
  SelectObject(src, old);
  DeleteDC(msk);
  DeleteDC(src);
  DeleteObject(mbmp);
  DeleteObject(mono);
  // Drawing into a monochrome bitmap keeps black and white only.
  HDC mdc = CreateCompatibleDC(nullptr);
  HBITMAP m1 = CreateCompatibleBitmap(mdc, 4, 1);  // compatible with the DC's default: monochrome
  HGDIOBJ oldm1 = SelectObject(mdc, m1);
  SetPixel(mdc, 0, 0, RGB(200, 200, 0));
  SetPixel(mdc, 1, 0, RGB(0, 0, 150));
  EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(0, 0, 0));
  SelectObject(mdc, oldm1);
  DeleteObject(m1);
  DeleteDC(mdc);
  // StretchBlt doubles; StretchDIBits reads bottom-up rows.
  MemDC s(20, 20);
  // 32-bit rows hold 0x00RRGGBB: red, green / blue, black.
  std::uint32_t px[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00000000};
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = 2;
  bi.bmiHeader.biBitCount = 32;
  StretchDIBits(s.Dc, 0, 0, 4, 4, 0, 0, 2, 2, px, &bi, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(GetPixel(s.Dc, 0, 3), RGB(255, 0, 0));  // first row in memory is the bottom
  EXPECT_EQ(GetPixel(s.Dc, 3, 3), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(s.Dc, 1, 0), RGB(0, 0, 255));
  EXPECT_EQ(s.Ops(DrawKind::Blit).at(0).rect, (RECT{0, 0, 4, 4}));
}

TEST(Raster, TopDownDibSectionsShareTheirPixels) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bits, nullptr);
  static_cast<std::uint32_t*>(bits)[3 + 2] = 0x00FF8000;  // row 1, column 2
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, b);
  EXPECT_EQ(GetPixel(dc, 2, 1), RGB(255, 128, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(b);
  bi.bmiHeader.biHeight = 2;  // bottom-up: no shared rows
  HBITMAP up = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_NE(up, nullptr);
  EXPECT_EQ(bits, nullptr);
  DeleteObject(up);
}

TEST(Raster, ObjectsSelectDeleteAndDescribe) {
  MemDC m(4, 4);
  HPEN p = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  HGDIOBJ old = SelectObject(m.Dc, p);
  EXPECT_EQ(old, GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(m.Dc, old), GdiObj(p));
  LOGFONT lf{};
  lf.lfHeight = -13;
  lf.lfWeight = FW_BOLD;
  SetFaceName(lf, "宋体");
  HFONT f = CreateFontIndirect(lf);
  LOGFONT back{};
  ASSERT_EQ(GetObject(f, sizeof back, &back), int(sizeof back));
  EXPECT_STREQ(back.lfFaceName, "宋体");
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  // A long face name is cut on a character boundary.
  SetFaceName(lf, "字字字字字字字字字字字字");  // 36 bytes
  EXPECT_EQ(std::string(lf.lfFaceName).size(), 30u);
  // Deleting a selected object waits until it is deselected.
  SelectObject(m.Dc, f);
  EXPECT_TRUE(DeleteObject(f));
  TEXTMETRIC tm;
  EXPECT_TRUE(GetTextMetrics(m.Dc, &tm));
  SelectObject(m.Dc, GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetObject(f, sizeof back, &back), 0);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
  EXPECT_NE(GetObjectType(GetStockObject(BLACK_PEN)), 0);
  DeleteObject(p);
  EXPECT_EQ(GetDeviceCaps(m.Dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(m.Dc, NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(m.Dc, HORZRES), 4);
  EXPECT_EQ(GetNearestColor(m.Dc, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

TEST(Frames, EdgesUseTheClassicColours) {
  struct Case { UINT edge; COLORREF outerTopLeft, outerBottomRight, innerTopLeft; };
  const Case cases[] = {
      {EDGE_RAISED, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)},
      {EDGE_SUNKEN, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW)},
      {EDGE_ETCHED, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT)},
      {EDGE_BUMP, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW)},
  };
  for (const Case& c : cases) {
    MemDC m(20, 20);
    RECT r{0, 0, 20, 20};
    EXPECT_TRUE(DrawEdge(m.Dc, &r, c.edge, BF_RECT | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(r, (RECT{2, 2, 18, 18})) << c.edge;
    EXPECT_EQ(GetPixel(m.Dc, 0, 5), c.outerTopLeft) << c.edge;
    EXPECT_EQ(GetPixel(m.Dc, 19, 5), c.outerBottomRight) << c.edge;
    EXPECT_EQ(GetPixel(m.Dc, 19, 0), c.outerBottomRight) << c.edge;  // corners belong to the dark side
    EXPECT_EQ(GetPixel(m.Dc, 1, 5), c.innerTopLeft) << c.edge;
    EXPECT_EQ(GetPixel(m.Dc, 10, 10), GetSysColor(COLOR_BTNFACE)) << c.edge;
    auto edge = m.Ops(DrawKind::Edge).at(0);
    EXPECT_EQ(edge.type, c.edge);
  }
  // Only the sides asked for; flat and mono borders.
  MemDC s(20, 20);
  RECT r{0, 0, 20, 20};
  DrawEdge(s.Dc, &r, BDR_SUNKENOUTER, BF_BOTTOM);
  EXPECT_EQ(s.Inked(RECT{0, 0, 20, 19}), 0);
  RECT f{0, 0, 20, 20};
  DrawEdge(s.Dc, &f, EDGE_SUNKEN, BF_RECT | BF_FLAT);
  EXPECT_EQ(GetPixel(s.Dc, 0, 5), GetSysColor(COLOR_BTNSHADOW));
  DrawEdge(s.Dc, &f, EDGE_SUNKEN, BF_RECT | BF_MONO);
  EXPECT_EQ(GetPixel(s.Dc, 0, 5), GetSysColor(COLOR_WINDOWFRAME));
}

TEST(Frames, FrameControlsAndTheCheckBoxGlyphs) {
  MemDC m(60, 20);
  RECT box{0, 0, 13, 13};
  DrawFrameControl(m.Dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
  int empty = m.Inked(RECT{2, 2, 11, 11});
  RECT box2{20, 0, 33, 13};
  DrawFrameControl(m.Dc, &box2, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_EQ(empty, 0);  // white inside
  EXPECT_GT(m.Inked(RECT{22, 2, 31, 11}), 10);  // the check mark
  EXPECT_EQ(GetPixel(m.Dc, 25, 5 + 2), GetSysColor(COLOR_WINDOWTEXT));
  RECT dis{40, 0, 53, 13};
  DrawFrameControl(m.Dc, &dis, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
  EXPECT_EQ(GetPixel(m.Dc, 46, 6), GetSysColor(COLOR_BTNFACE));
  auto fc = m.Ops(DrawKind::FrameControl);
  ASSERT_EQ(fc.size(), 3u);
  EXPECT_EQ(fc[1].flags, DFCS_BUTTONCHECK | DFCS_CHECKED);

  MemDC s(20, 20);
  RECT arrow{0, 0, 17, 20};
  DrawFrameControl(s.Dc, &arrow, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
  int black = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 17; ++x) black += GetPixel(s.Dc, x, y) == RGB(0, 0, 0);
  EXPECT_EQ(black, 7 + 5 + 3 + 1);  // the down arrow

  HBITMAP glyphs = LoadBitmap(nullptr, OBM_CHECKBOXES);
  BITMAP bm;
  ASSERT_EQ(GetObject(glyphs, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 4 * 13);
  EXPECT_EQ(bm.bmHeight, 3 * 13);
  EXPECT_EQ(LoadBitmap(nullptr, 12345), nullptr);
  EXPECT_TRUE(SaveBitmapPng(glyphs, SnapshotPath("gx-checkboxes.png")));
  DeleteObject(glyphs);
}

}  // namespace
