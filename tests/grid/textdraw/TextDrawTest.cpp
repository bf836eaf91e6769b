// Text and images in cell rectangles, checked through what the device contexts recorded.
#include <gtest/gtest.h>

#include <memory>

#include "grid/DBGridGx/TextDraw.h"
#include "platform/desktop/Headless.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/Utf8.h"

namespace {

class TextDrawTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    Target = std::make_unique<TBitmap>();
    Target->SetSize(300, 120);
    Canvas = Target->Canvas();
    Canvas->Brush()->SetColor(clWhite);
    win::ClearDrawRecording();
    win::StartDrawRecording();
  }
  void TearDown() override {
    win::StopDrawRecording();
    win::ClearDrawRecording();
    Target.reset();
    win::headless::Reset();
  }
  std::vector<win::DrawOp> TextsOn(win::HDC DC) {
    std::vector<win::DrawOp> Out;
    for (const win::DrawOp& Op : win::RecordedOps(win::DrawKind::Text))
      if (Op.dc == DC) Out.push_back(Op);
    return Out;
  }
  std::unique_ptr<TBitmap> Target;
  TCanvas* Canvas = nullptr;
};

TEST_F(TextDrawTest, ShortenWithEllipsisCutsWholeCharacters) {
  const std::string Chinese = "汉字测试文本";
  const std::string Mixed = "ab汉字cd";
  const int Full = Canvas->TextWidth(Chinese);
  const struct {
    const char* Name;
    std::string Text;
    int MaxWidth;
    std::string Expected;
  } cases[] = {
      {"fits unchanged", Chinese, Full, Chinese},
      {"one pixel short", Chinese, Full - 1, "汉字测试..."},
      {"room for three characters", Chinese, Canvas->TextWidth("汉字测..."), "汉字测..."},
      {"just under three", Chinese, Canvas->TextWidth("汉字测...") - 1, "汉字..."},
      {"nothing fits", Chinese, 1, "..."},
      {"one character that does not fit", "汉", 1, "..."},
      {"empty text", "", 0, ""},
      {"mixed text", Mixed, Canvas->TextWidth("ab汉...") , "ab汉..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string R = ShortenWithEllipsis(c.Text, Canvas, c.MaxWidth);
    EXPECT_EQ(R, c.Expected);
    EXPECT_TRUE(Utf8IsValid(R));
  }
}

TEST_F(TextDrawTest, DirectTextPositions) {
  const std::string Text = "Cell";
  const int W = Canvas->TextWidth(Text);
  const struct {
    const char* Name;
    win::RECT Rect;
    int DX;
    TAlignment Alignment;
    int ExpectedX;
  } cases[] = {
      {"left from DX", {10, 0, 110, 20}, 2, taLeftJustify, 12},
      {"right ends 3 pixels inside", {10, 0, 110, 20}, 2, taRightJustify, 110 - W - 3},
      {"centred", {10, 0, 110, 20}, 2, taCenter, 10 + 50 - (W >> 1)},
      {"centred in an empty rectangle starts at 0", {50, 0, 50, 20}, 2, taCenter, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    win::ClearDrawRecording();
    PaintHorizontalCellText(Canvas, c.Rect, c.DX, 3, Text, c.Alignment, tlTop, false, false, 0, 0, false);
    const auto Texts = TextsOn(Canvas->Handle());
    ASSERT_EQ(Texts.size(), 1u);
    ASSERT_FALSE(Texts[0].points.empty());
    EXPECT_EQ(Texts[0].points[0].x, c.ExpectedX);
    EXPECT_EQ(Texts[0].text, Text);
    EXPECT_TRUE(win::RecordedOps(win::DrawKind::Blit).empty());  // no bitmap on this path
  }
}

TEST_F(TextDrawTest, DirectTextWithEllipsis) {
  const win::RECT R{0, 0, Canvas->TextWidth("汉字测...") + 2, 20};
  PaintHorizontalCellText(Canvas, R, 2, 2, "汉字测试文本", taLeftJustify, tlTop, false, true, 0, 0, false);
  const auto Texts = TextsOn(Canvas->Handle());
  ASSERT_EQ(Texts.size(), 1u);
  EXPECT_EQ(Texts[0].text, "汉字测...");
}

TEST_F(TextDrawTest, WrappedTextGoesThroughTheSharedBitmap) {
  AcquireDrawBitmap();
  const win::RECT R{20, 10, 120, 90};
  const struct {
    const char* Name;
    TTextLayout Layout;
  } layouts[] = {{"top", tlTop}, {"centre", tlCenter}, {"bottom", tlBottom}};
  int Tops[3] = {};
  for (int I = 0; I < 3; ++I) {
    SCOPED_TRACE(layouts[I].Name);
    win::ClearDrawRecording();
    PaintHorizontalCellText(Canvas, R, 2, 2, "one two", taLeftJustify, layouts[I].Layout, true, false, 0, 0, false);
    TBitmap* Shared = SharedDrawBitmap();
    ASSERT_NE(Shared, nullptr);
    EXPECT_GE(Shared->Width(), 100);
    EXPECT_GE(Shared->Height(), 80);
    const auto OnBitmap = TextsOn(Shared->Canvas()->Handle());
    ASSERT_FALSE(OnBitmap.empty());
    Tops[I] = OnBitmap[0].rect.top;
    EXPECT_TRUE(TextsOn(Canvas->Handle()).empty());
    // The bitmap's part is copied onto the cell.
    bool Copied = false;
    for (const win::DrawOp& Op : win::RecordedOps(win::DrawKind::Blit))
      if (Op.dc == Canvas->Handle() && Op.rect.left == R.left && Op.rect.top == R.top && Op.rect.right == R.right &&
          Op.rect.bottom == R.bottom)
        Copied = true;
    EXPECT_TRUE(Copied);
  }
  EXPECT_LT(Tops[0], Tops[1]);
  EXPECT_LT(Tops[1], Tops[2]);

  // The bitmap only grows.
  PaintHorizontalCellText(Canvas, win::RECT{0, 0, 10, 10}, 0, 0, "x", taLeftJustify, tlTop, true, false, 0, 0, false);
  EXPECT_GE(SharedDrawBitmap()->Width(), 100);
  AcquireDrawBitmap();
  ReleaseDrawBitmap();
  EXPECT_NE(SharedDrawBitmap(), nullptr);  // one user left
  ReleaseDrawBitmap();
  EXPECT_EQ(SharedDrawBitmap(), nullptr);
}

// Bold or italic text that is not left-aligned is measured through the canvas's handle,
// and text on the shared bitmap is drawn through the bitmap's handle: both must use the
// font the canvas holds now, after it changed since it was last used.
TEST_F(TextDrawTest, TextFollowsTheCanvasFontAfterItChanged) {
  AcquireDrawBitmap();
  const std::string Text = "Cell text";
  const win::RECT R{10, 0, 250, 60};
  Canvas->TextWidth(Text);  // the first font is selected now
  const struct {
    const char* Name;
    int Size;
    TFontStyles Style;
    TAlignment Alignment;
  } cases[] = {
      {"bold right", 20, TFontStyles{fsBold}, taRightJustify},
      {"italic centred", 16, TFontStyles{fsItalic}, taCenter},
      {"bold italic right, smaller", 7, TFontStyles{fsBold, fsItalic}, taRightJustify},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Canvas->Font()->SetSize(c.Size);
    Canvas->Font()->SetStyle(c.Style);
    win::ClearDrawRecording();
    PaintHorizontalCellText(Canvas, R, 2, 2, Text, c.Alignment, tlTop, false, false, 0, 0, false);
    const int W = Canvas->TextWidth(Text);
    const auto Direct = TextsOn(Canvas->Handle());
    ASSERT_EQ(Direct.size(), 1u);
    ASSERT_FALSE(Direct[0].points.empty());
    EXPECT_EQ(Direct[0].points[0].x, c.Alignment == taRightJustify ? R.right - W - 3 : R.left + 120 - (W >> 1));

    // The same font, changed once more, word-wrapped on the shared bitmap.
    Canvas->Font()->SetSize(c.Size + 1);
    win::ClearDrawRecording();
    PaintHorizontalCellText(Canvas, R, 2, 2, Text, c.Alignment, tlTop, true, false, 0, 0, false);
    const auto OnBitmap = TextsOn(SharedDrawBitmap()->Canvas()->Handle());
    ASSERT_FALSE(OnBitmap.empty());
    win::LOGFONT Expected;
    win::GetObject(Canvas->Font()->Handle(), sizeof Expected, &Expected);
    for (const win::DrawOp& Op : OnBitmap) {
      EXPECT_EQ(Op.FontName(), Expected.lfFaceName);
      EXPECT_EQ(Op.font.lfHeight, Expected.lfHeight);
      EXPECT_EQ(Op.font.lfWeight, Expected.lfWeight);
      EXPECT_EQ(Op.font.lfItalic, Expected.lfItalic);
    }
  }
  ReleaseDrawBitmap();
}

TEST_F(TextDrawTest, RotatedFont) {
  TFont Font;
  const struct {
    const char* Name;
    std::string FontName;
    TFontStyles Style;
    const char* Face;
    int Weight;
  } cases[] = {
      {"Default becomes MS Sans Serif", "Default", {}, "MS Sans Serif", 400},
      {"any case of default", "DEFAULT", {fsBold}, "MS Sans Serif", 700},
      {"other names stay", "Arial", {fsItalic}, "Arial", 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Font.SetName(c.FontName);
    Font.SetStyle(c.Style);
    Font.SetHeight(-13);
    win::HFONT H = CreateRotatedFont(&Font);
    win::LOGFONT LF;
    ASSERT_EQ(win::GetObject(H, sizeof LF, &LF), int(sizeof LF));
    EXPECT_STREQ(LF.lfFaceName, c.Face);
    EXPECT_EQ(LF.lfEscapement, 900);
    EXPECT_EQ(LF.lfOrientation, 900);
    EXPECT_EQ(LF.lfHeight, -13);
    EXPECT_EQ(LF.lfWeight, c.Weight);
    EXPECT_EQ(LF.lfItalic != 0, c.Style.Contains(fsItalic));
    EXPECT_EQ(LF.lfOutPrecision, win::OUT_TT_ONLY_PRECIS);
    win::DeleteObject(H);
  }
}

TEST_F(TextDrawTest, VerticalTextMeasuresAndDraws) {
  const win::RECT R{10, 10, 40, 110};
  const int Extent = PaintVerticalCellText(Canvas, R, false, 2, 2, "Title", taLeftJustify, tlTop, true);
  EXPECT_GT(Extent, 0);
  EXPECT_TRUE(TextsOn(Canvas->Handle()).empty());  // measuring draws nothing
  EXPECT_EQ(Canvas->Font()->Name(), TFont().Name());

  const int Drawn = PaintVerticalCellText(Canvas, R, false, 2, 2, "Title", taLeftJustify, tlTop, false);
  EXPECT_EQ(Drawn, Extent);
  const auto Texts = TextsOn(Canvas->Handle());
  ASSERT_EQ(Texts.size(), 1u);
  EXPECT_EQ(Texts[0].font.lfEscapement, 900);
  // Upward from the bottom of the line box: top layout ends the text Extent below the top.
  EXPECT_EQ(Texts[0].rect.left, 12);
  EXPECT_EQ(Texts[0].rect.bottom, 10 + Extent);
  EXPECT_EQ(Texts[0].points[0].y, 10 + Extent);
  EXPECT_EQ(Texts[0].clip.top, 10);
  EXPECT_EQ(Texts[0].clip.bottom, 110);
  // The canvas font is upright again afterwards.
  win::LOGFONT LF;
  win::GetObject(Canvas->Font()->Handle(), sizeof LF, &LF);
  EXPECT_EQ(LF.lfEscapement, 0);
}

TEST_F(TextDrawTest, ImageLargerThanTheCellIsClipped) {
  TImageList Images(32, 32);
  TBitmap Picture;
  Picture.SetSize(32, 32);
  Images.Add(&Picture, nullptr);
  const win::HDC DC = Canvas->Handle();
  const struct {
    const char* Name;
    win::RECT Cell;
    bool Clipped;
  } cases[] = {
      {"fits", {0, 0, 60, 40}, false},
      {"too small", {0, 0, 20, 20}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    win::ClearDrawRecording();
    DrawImageInCell(&Images, nullptr, Canvas, c.Cell, 0, 0, taCenter);
    const auto Blits = win::RecordedOps(win::DrawKind::Blit);
    ASSERT_FALSE(Blits.empty());
    EXPECT_EQ(Blits.back().hasClipRegion, c.Clipped);
    EXPECT_EQ(Blits.back().rect.left, (c.Cell.left + c.Cell.right - 32) / 2);
    win::HRGN After = win::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(win::GetClipRgn(DC, After), 0);  // no clip region before, none after
    win::DeleteObject(After);
  }

  // A clip region the canvas had is put back.
  win::IntersectClipRect(DC, 0, 0, 100, 100);
  DrawImageInCell(&Images, nullptr, Canvas, win::RECT{0, 0, 10, 10}, 0, 0, taLeftJustify);
  win::HRGN After = win::CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(win::GetClipRgn(DC, After), 1);
  win::RECT Box;
  win::GetRgnBox(After, &Box);
  EXPECT_EQ(Box.right, 100);
  EXPECT_EQ(Box.bottom, 100);
  win::DeleteObject(After);
}

}  // namespace
