#include <cstring>

#include "tests/platform/graphics/gdi/GdiFixture.h"

using namespace gx;

namespace {

struct MetricCase {
  const char* face;
  int height;
  LONG tmHeight, ascent, descent, internalLeading;
  bool fixedPitch;
};

TEST(TextMetrics, MappedFacesHaveFixedMetrics) {
  const MetricCase cases[] = {
      {"MS Sans Serif", -11, 13, 10, 3, 2, false},
      {"Tahoma", -11, 13, 10, 3, 2, false},
      {"Arial", -16, 19, 15, 4, 3, false},
      {"宋体", -12, 14, 11, 3, 2, false},
      {"SimSun", -12, 14, 11, 3, 2, false},
      {"楷体_GB2312", -12, 14, 11, 3, 2, false},
      {"Courier New", -13, 15, 12, 3, 2, true},
      {"Default", -11, 13, 10, 3, 2, false},
      // A positive height is the cell height.
      {"Arial", 13, 13, 10, 3, 2, false},
  };
  MemDC m(10, 10);
  for (const MetricCase& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height));
    m.UseFont(c.face, c.height);
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(m.Dc, &tm));
    EXPECT_EQ(tm.tmHeight, c.tmHeight);
    EXPECT_EQ(tm.tmAscent, c.ascent);
    EXPECT_EQ(tm.tmDescent, c.descent);
    EXPECT_EQ(tm.tmInternalLeading, c.internalLeading);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    // The TMPF_FIXED_PITCH bit is set for variable-pitch fonts.
    EXPECT_EQ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0, c.fixedPitch);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  }
}

TEST(TextMetrics, ExtentsAddUpPerCharacterWithCharacterExtra) {
  MemDC m(10, 10);
  m.UseFont("MS Sans Serif", -11);
  SIZE a, b, ab, empty;
  ASSERT_TRUE(GetTextExtentPoint32(m.Dc, "Hello", 5, &a));
  ASSERT_TRUE(GetTextExtentPoint32(m.Dc, "World", 5, &b));
  ASSERT_TRUE(GetTextExtentPoint32(m.Dc, "HelloWorld", 10, &ab));
  EXPECT_EQ(ab.cx, a.cx + b.cx);
  EXPECT_EQ(ab.cy, 13);
  ASSERT_TRUE(GetTextExtentPoint32(m.Dc, "", 0, &empty));
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, 13);
  SetTextCharacterExtra(m.Dc, 2);
  EXPECT_EQ(GetTextCharacterExtra(m.Dc), 2);
  SIZE spaced;
  GetTextExtentPoint32(m.Dc, "Hello", 5, &spaced);
  EXPECT_EQ(spaced.cx, a.cx + 10);
  // A count that ends inside a character measures the whole characters before it only.
  SetTextCharacterExtra(m.Dc, 0);
  SIZE one, cut;
  GetTextExtentPoint32(m.Dc, "中", 3, &one);
  GetTextExtentPoint32(m.Dc, "中文", 4, &cut);
  EXPECT_EQ(cut.cx, one.cx);
  EXPECT_FALSE(GetTextExtentPoint32(m.Dc, "x", -1, &cut));
}

TEST(TextMetrics, ChineseTextUsesTheCjkFaceAndBoldIsWider) {
  MemDC m(10, 10);
  m.UseFont("MS Sans Serif", -11);
  SIZE latin, cjk, cjk2;
  GetTextExtentPoint32(m.Dc, "中", 3, &cjk);
  GetTextExtentPoint32(m.Dc, "中文", 6, &cjk2);
  GetTextExtentPoint32(m.Dc, "WWWW", 4, &latin);
  EXPECT_EQ(cjk.cx, 11);  // ideographs are one em wide
  EXPECT_EQ(cjk2.cx, 22);
  SIZE bold;
  m.UseFont("MS Sans Serif", -11, FW_BOLD);
  GetTextExtentPoint32(m.Dc, "WWWW", 4, &bold);
  EXPECT_GT(bold.cx, latin.cx);
  // Glyphs are drawn, not boxes: the ideograph inks many pixels.
  m.UseFont("宋体", -16);
  TextOut(m.Dc, 0, 0, "中", 3);
  EXPECT_GT(m.Inked(RECT{0, 0, 10, 10}), 20);
}

TEST(TextMetrics, AWidthNarrowsOrWidensEveryCharacter) {
  MemDC m(10, 10);
  SIZE natural, narrow, wide;
  m.UseFont("宋体", -16);
  GetTextExtentPoint32(m.Dc, "分0", 4, &natural);
  HFONT f = CreateFont(-16, 4, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "宋体");
  SelectObject(m.Dc, f);
  TEXTMETRIC tm;
  GetTextMetrics(m.Dc, &tm);
  EXPECT_EQ(tm.tmAveCharWidth, 4);
  EXPECT_EQ(tm.tmHeight, 19);  // the height stays
  GetTextExtentPoint32(m.Dc, "分0", 4, &narrow);
  HFONT g = CreateFont(-16, 16, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "宋体");
  SelectObject(m.Dc, g);
  GetTextExtentPoint32(m.Dc, "分0", 4, &wide);
  EXPECT_LT(narrow.cx, natural.cx);
  EXPECT_GT(wide.cx, natural.cx);
  SelectObject(m.Dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
  DeleteObject(g);
}

TEST(TextMetrics, OutlineMetricsGiveTheItalicSlant) {
  MemDC m(10, 10);
  HFONT f = CreateFont(-12, 0, 0, 0, FW_NORMAL, TRUE, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(m.Dc, f);
  OUTLINETEXTMETRIC otm;
  ASSERT_EQ(GetOutlineTextMetrics(m.Dc, sizeof otm, &otm), sizeof otm);
  EXPECT_GT(otm.otmsCharSlopeRun, 0);
  EXPECT_GT(otm.otmsCharSlopeRise, otm.otmsCharSlopeRun);
  EXPECT_EQ(otm.otmTextMetrics.tmItalic, 1);
  SelectObject(m.Dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

struct DrawCase {
  const char* name;
  const char* text;
  UINT flags;
  RECT rect;
  std::vector<std::string> lines;  // texts drawn, in order
  std::vector<LONG> xs;            // left of each line's box (empty: not checked)
  std::vector<LONG> tops;          // top of each line's box (empty: not checked)
};

// With MS Sans Serif at -11: line height 13; "Hello" is 28 pixels, "World" 33, "..." 9.
TEST(DrawText, FlagsRectanglesAndTexts) {
  MemDC m(300, 200);
  m.UseFont("MS Sans Serif", -11);
  SIZE hello, world, dots;
  GetTextExtentPoint32(m.Dc, "Hello", 5, &hello);
  GetTextExtentPoint32(m.Dc, "World", 5, &world);
  GetTextExtentPoint32(m.Dc, "...", 3, &dots);
  ASSERT_EQ(hello.cx, 28);
  ASSERT_EQ(world.cx, 33);
  ASSERT_EQ(dots.cx, 9);
  const DrawCase cases[] = {
      {"left top", "Hello", DT_LEFT | DT_SINGLELINE, {10, 10, 110, 40}, {"Hello"}, {10}, {10}},
      {"right", "Hello", DT_RIGHT | DT_SINGLELINE, {10, 10, 110, 40}, {"Hello"}, {110 - 28}, {10}},
      {"centre", "Hello", DT_CENTER | DT_SINGLELINE, {10, 10, 110, 40}, {"Hello"}, {10 + (100 - 28) / 2}, {10}},
      {"vcentre", "Hello", DT_SINGLELINE | DT_VCENTER, {10, 10, 110, 40}, {"Hello"}, {10}, {10 + (30 - 13) / 2}},
      {"bottom", "Hello", DT_SINGLELINE | DT_BOTTOM, {10, 10, 110, 40}, {"Hello"}, {10}, {40 - 13}},
      {"vcentre needs single line", "Hello", DT_VCENTER, {10, 10, 110, 40}, {"Hello"}, {10}, {10}},
      {"line breaks", "Hello\r\nWorld\nX", DT_LEFT, {0, 0, 200, 100}, {"Hello", "World", "X"}, {0, 0, 0}, {0, 13, 26}},
      {"single line joins", "Hello\nWorld", DT_SINGLELINE, {0, 0, 200, 100}, {"HelloWorld"}, {0}, {0}},
      {"word wrap", "Hello World", DT_WORDBREAK, {0, 0, 50, 100}, {"Hello", "World"}, {0, 0}, {0, 13}},
      {"word wrap fits", "Hello World", DT_WORDBREAK, {0, 0, 200, 100}, {"Hello World"}, {0}, {0}},
      {"long word overflows", "HelloWorld", DT_WORDBREAK, {0, 0, 40, 100}, {"HelloWorld"}, {0}, {0}},
      {"wrap centres each line", "Hello World", DT_WORDBREAK | DT_CENTER, {0, 0, 51, 100}, {"Hello", "World"},
       {(51 - 28) / 2, (51 - 33) / 2}, {}},
      {"ellipsis", "Hello World", DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 50, 20}, {"Hello ..."}, {0}, {}},
      {"ellipsis keeps fitting text", "Hello", DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 28, 20}, {"Hello"}, {0}, {}},
      {"ellipsis cuts whole characters", "中文中文中文", DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 40, 20},
       {"中文..."}, {0}, {}},
      {"ellipsis in a tiny cell", "Hello", DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 5, 20}, {"..."}, {0}, {}},
      {"prefix", "&File", DT_SINGLELINE, {0, 0, 100, 20}, {"File"}, {0}, {}},
      {"double ampersand", "A&&B", DT_SINGLELINE, {0, 0, 100, 20}, {"A&B"}, {0}, {}},
      {"no prefix", "A&&B", DT_SINGLELINE | DT_NOPREFIX, {0, 0, 100, 20}, {"A&&B"}, {0}, {}},
      {"tabs expand", "A\tB", DT_SINGLELINE | DT_EXPANDTABS, {0, 0, 200, 20}, {"A", "B"}, {0, 8 * 6}, {}},
      {"wide cjk wraps between characters", "中文中文", DT_WORDBREAK, {0, 0, 25, 100}, {"中文", "中文"}, {0, 0},
       {0, 13}},
      {"right to left keeps the alignment", "Hello", DT_RIGHT | DT_SINGLELINE | DT_RTLREADING, {0, 0, 100, 20},
       {"Hello"}, {72}, {}},
  };
  for (const DrawCase& c : cases) {
    SCOPED_TRACE(c.name);
    ClearDrawRecording();
    RECT r = c.rect;
    int h = DrawText(m.Dc, c.text, -1, &r, c.flags);
    EXPECT_GT(h, 0);
    auto ops = m.Ops(DrawKind::Text);
    std::vector<std::string> texts;
    for (auto& op : ops) texts.push_back(op.text);
    EXPECT_EQ(texts, c.lines);
    for (size_t i = 0; i < c.xs.size() && i < ops.size(); ++i) EXPECT_EQ(ops[i].rect.left, c.xs[i]) << i;
    for (size_t i = 0; i < c.tops.size() && i < ops.size(); ++i) EXPECT_EQ(ops[i].rect.top, c.tops[i]) << i;
    for (auto& op : ops) {
      EXPECT_EQ(op.FontName(), "MS Sans Serif");
      EXPECT_EQ(op.font.lfHeight, -11);
      EXPECT_TRUE(op.clipped);  // clipped to the rectangle without DT_NOCLIP
      EXPECT_EQ(op.clip, c.rect);
    }
  }
}

TEST(DrawText, PrefixUnderlinesOneCharacter) {
  MemDC m(100, 20);
  m.UseFont("MS Sans Serif", -11);
  RECT r{0, 0, 100, 20};
  DrawText(m.Dc, "Sa&ve", -1, &r, DT_SINGLELINE);
  auto ops = m.Ops(DrawKind::Text);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].prefixChar, 2);  // the 'v'
  ClearDrawRecording();
  DrawText(m.Dc, "Sa&ve", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_EQ(m.Ops(DrawKind::Text)[0].prefixChar, -1);
}

struct CalcCase {
  const char* name;
  const char* text;
  UINT flags;
  RECT in;
  RECT out;
  int ret;
};

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
  MemDC m(10, 10);
  m.UseFont("MS Sans Serif", -11);
  const CalcCase cases[] = {
      {"single", "Hello", DT_CALCRECT | DT_SINGLELINE, {5, 5, 6, 5}, {5, 5, 33, 18}, 13},
      {"lines", "Hello\nWorld", DT_CALCRECT, {0, 0, 1, 0}, {0, 0, 33, 26}, 26},
      {"wrap narrows", "Hello World", DT_CALCRECT | DT_WORDBREAK, {0, 0, 50, 0}, {0, 0, 33, 26}, 26},
      {"wrap widens for a long word", "HelloWorld", DT_CALCRECT | DT_WORDBREAK, {0, 0, 20, 0}, {0, 0, 61, 13}, 13},
      {"empty", "", DT_CALCRECT | DT_SINGLELINE, {3, 3, 50, 50}, {3, 3, 3, 16}, 13},
      {"no prefix keeps the ampersand", "&Hello", DT_CALCRECT | DT_NOPREFIX, {0, 0, 1, 0}, {0, 0, 37, 13}, 13},
  };
  for (const CalcCase& c : cases) {
    SCOPED_TRACE(c.name);
    ClearDrawRecording();
    RECT r = c.in;
    EXPECT_EQ(DrawText(m.Dc, c.text, -1, &r, c.flags), c.ret);
    EXPECT_EQ(r.left, c.out.left);
    EXPECT_EQ(r.top, c.out.top);
    EXPECT_EQ(r.right, c.out.right);
    EXPECT_EQ(r.bottom, c.out.bottom);
    EXPECT_TRUE(DrawRecording().empty());
  }
}

TEST(DrawText, ExMarginsMayBeNegativeAndLengthIsReported) {
  MemDC m(200, 20);
  m.UseFont("MS Sans Serif", -11);
  DRAWTEXTPARAMS p;
  p.iLeftMargin = 7;
  p.iRightMargin = 3;
  RECT r{10, 0, 110, 20};
  DrawTextEx(m.Dc, const_cast<char*>("Hello"), -1, &r, DT_SINGLELINE, &p);
  EXPECT_EQ(p.uiLengthDrawn, 5u);
  EXPECT_EQ(m.Ops(DrawKind::Text)[0].rect.left, 17);
  ClearDrawRecording();
  DrawTextEx(m.Dc, const_cast<char*>("Hello"), -1, &r, DT_SINGLELINE | DT_RIGHT, &p);
  EXPECT_EQ(m.Ops(DrawKind::Text)[0].rect.right, 107);
  ClearDrawRecording();
  p.iLeftMargin = -4;
  DrawTextEx(m.Dc, const_cast<char*>("中文"), -1, &r, DT_SINGLELINE, &p);
  EXPECT_EQ(m.Ops(DrawKind::Text)[0].rect.left, 6);
  EXPECT_EQ(p.uiLengthDrawn, 2u);  // characters, not bytes
  RECT calc{0, 0, 1, 0};
  p.iLeftMargin = 2;
  p.iRightMargin = 2;
  DrawTextEx(m.Dc, const_cast<char*>("Hello"), -1, &calc, DT_CALCRECT | DT_SINGLELINE, &p);
  EXPECT_EQ(calc.right, 32);
  // A wrong structure size is refused.
  p.cbSize = 4;
  EXPECT_EQ(DrawTextEx(m.Dc, const_cast<char*>("Hello"), -1, &r, DT_SINGLELINE, &p), 0);
}

TEST(DrawText, NoClipAndTheClipRectangle) {
  MemDC m(100, 40);
  m.UseFont("MS Sans Serif", -11);
  RECT r{0, 0, 10, 20};
  DrawText(m.Dc, "Hello", -1, &r, DT_SINGLELINE);
  EXPECT_EQ(m.Inked(RECT{10, 0, 100, 20}), 0);  // nothing past the rectangle
  EXPECT_GT(m.Inked(RECT{0, 0, 10, 20}), 0);
  RECT r2{0, 20, 10, 40};
  DrawText(m.Dc, "Hello", -1, &r2, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(m.Inked(RECT{10, 20, 100, 40}), 0);
  EXPECT_FALSE(m.Ops(DrawKind::Text)[1].clipped);
}

TEST(TextOut, AlignmentAndCurrentPosition) {
  MemDC m(200, 60);
  m.UseFont("MS Sans Serif", -11);
  struct { UINT align; LONG left, top; } cases[] = {
      {TA_LEFT | TA_TOP, 50, 30},
      {TA_RIGHT | TA_TOP, 50 - 28, 30},
      {TA_CENTER | TA_TOP, 50 - 14, 30},
      {TA_LEFT | TA_BASELINE, 50, 30 - 10},
      {TA_LEFT | TA_BOTTOM, 50, 30 - 13},
  };
  for (auto& c : cases) {
    ClearDrawRecording();
    SetTextAlign(m.Dc, c.align);
    TextOut(m.Dc, 50, 30, "Hello", 5);
    auto op = m.Ops(DrawKind::Text).at(0);
    EXPECT_EQ(op.rect.left, c.left) << c.align;
    EXPECT_EQ(op.rect.top, c.top) << c.align;
  }
  SetTextAlign(m.Dc, TA_UPDATECP);
  MoveToEx(m.Dc, 5, 5, nullptr);
  TextOut(m.Dc, 0, 0, "Hello", 5);
  POINT cp;
  GetCurrentPositionEx(m.Dc, &cp);
  EXPECT_EQ(cp.x, 33);
  EXPECT_EQ(cp.y, 5);
}

TEST(TextOut, OpaqueAndTransparentBackgrounds) {
  MemDC m(100, 20);
  m.UseFont("MS Sans Serif", -11);
  SetBkColor(m.Dc, RGB(255, 0, 0));
  SetBkMode(m.Dc, OPAQUE);
  TextOut(m.Dc, 0, 0, "  ", 2);
  EXPECT_EQ(GetPixel(m.Dc, 1, 1), RGB(255, 0, 0));
  SetBkMode(m.Dc, TRANSPARENT);
  TextOut(m.Dc, 50, 0, "  ", 2);
  EXPECT_EQ(GetPixel(m.Dc, 51, 1), RGB(255, 255, 255));
  // ExtTextOut's opaque rectangle is filled with the background colour.
  RECT r{20, 5, 40, 15};
  ExtTextOut(m.Dc, 20, 5, ETO_OPAQUE, &r, "", 0, nullptr);
  EXPECT_EQ(GetPixel(m.Dc, 39, 14), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(m.Dc, 40, 15), RGB(255, 255, 255));
}

TEST(TextOut, RotatedTextRunsUpward) {
  MemDC m(60, 120);
  m.UseFont("Arial", -14, FW_NORMAL, 900);
  SetBkMode(m.Dc, TRANSPARENT);
  SetTextAlign(m.Dc, TA_LEFT | TA_TOP);
  TextOut(m.Dc, 10, 110, "Rotated", 7);
  auto op = m.Ops(DrawKind::Text).at(0);
  EXPECT_EQ(op.font.lfEscapement, 900);
  SIZE ext;
  GetTextExtentPoint32(m.Dc, "Rotated", 7, &ext);
  // The box is as tall as the text is long, ending at the reference point.
  EXPECT_EQ(op.rect.bottom, 110);
  EXPECT_EQ(op.rect.bottom - op.rect.top, ext.cx);
  EXPECT_EQ(op.rect.left, 10);
  EXPECT_GT(m.Inked(RECT{10, 110 - ext.cx, 10 + ext.cy, 110}), 30);
  EXPECT_EQ(m.Inked(RECT{30, 0, 60, 120}), 0);
}

}  // namespace
