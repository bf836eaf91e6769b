// Button faces through the bitmap cache, checked through what the device contexts recorded.
#include <gtest/gtest.h>

#include <memory>

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/desktop/Headless.h"
#include "platform/graphics/DrawRecord.h"

namespace {

class EditButtonDrawTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    ResetButtonBitmapCache();
    Target = std::make_unique<TBitmap>();
    Target->SetSize(100, 60);
    DC = Target->Canvas()->Handle();
    win::ClearDrawRecording();
    win::StartDrawRecording();
  }
  void TearDown() override {
    win::StopDrawRecording();
    win::ClearDrawRecording();
    ResetButtonBitmapCache();
    Target.reset();
    win::headless::Reset();
  }
  std::vector<win::DrawOp> OpsOnTarget(win::DrawKind Kind) {
    std::vector<win::DrawOp> Out;
    for (const win::DrawOp& Op : win::RecordedOps(Kind))
      if (Op.dc == DC) Out.push_back(Op);
    return Out;
  }
  static bool SameRect(const win::RECT& A, const win::RECT& B) {
    return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
  }
  std::unique_ptr<TBitmap> Target;
  win::HDC DC = nullptr;
};

TEST_F(EditButtonDrawTest, CacheHoldsOneBitmapPerKey) {
  TButtonsBitmapCache* Cache = EditButtonBitmapCache();
  TButtonBitmapKey Key;
  Key.Width = 15;
  Key.Height = 17;
  Key.Enabled = 1;
  TBitmap* First = Cache->GetButtonBitmap(Key);
  EXPECT_EQ(First->Width(), 15);
  EXPECT_EQ(Cache->GetButtonBitmap(Key), First);
  EXPECT_EQ(Cache->Count(), 1);

  const struct {
    const char* Name;
    void (*Change)(TButtonBitmapKey&);
  } others[] = {
      {"pressed", [](TButtonBitmapKey& K) { K.Pressed = 1; }},
      {"flat", [](TButtonBitmapKey& K) { K.Flat = 1; }},
      {"active", [](TButtonBitmapKey& K) { K.Active = 1; }},
      {"disabled", [](TButtonBitmapKey& K) { K.Enabled = 0; }},
      {"lower half", [](TButtonBitmapKey& K) { K.DrawKind = bdkUpDown; K.Part = 1; }},
      {"checked box", [](TButtonBitmapKey& K) { K.DrawKind = bdkCheckBox; K.CheckState = 1; }},
      {"wider", [](TButtonBitmapKey& K) { K.Width = 16; }},
  };
  int Expected = 1;
  for (const auto& o : others) {
    SCOPED_TRACE(o.Name);
    TButtonBitmapKey Other = Key;
    o.Change(Other);
    EXPECT_NE(Cache->GetButtonBitmap(Other), First);
    EXPECT_EQ(Cache->Count(), ++Expected);
  }

  // Negative sizes are kept as 0 by 0.
  TButtonBitmapKey Negative = Key;
  Negative.Width = -4;
  Negative.Height = -1;
  TButtonBitmapKey Zero = Key;
  Zero.Width = 0;
  Zero.Height = 0;
  TBitmap* Empty = Cache->GetButtonBitmap(Negative);
  EXPECT_EQ(Empty->Width(), 0);
  EXPECT_EQ(Cache->GetButtonBitmap(Zero), Empty);

  // Drawing the same face twice draws it once.
  win::ClearDrawRecording();
  DrawEditButtonGx(DC, win::RECT{0, 0, 20, 18}, clWindow, bdkEllipsis, 0, false, false, true, 0);
  const std::size_t FirstOps = win::DrawRecording().size();
  win::ClearDrawRecording();
  DrawEditButtonGx(DC, win::RECT{30, 0, 50, 18}, clWindow, bdkEllipsis, 0, false, false, true, 0);
  EXPECT_LT(win::DrawRecording().size(), FirstOps);
  EXPECT_EQ(OpsOnTarget(win::DrawKind::Blit).size(), 1u);

  // A system colour change empties the cache: the face is drawn again.
  ResetButtonBitmapCache();
  EXPECT_EQ(Cache->Count(), 0);
  win::ClearDrawRecording();
  DrawEditButtonGx(DC, win::RECT{0, 0, 20, 18}, clWindow, bdkEllipsis, 0, false, false, true, 0);
  EXPECT_EQ(win::DrawRecording().size(), FirstOps);
}

TEST_F(EditButtonDrawTest, CheckBoxIsACentredSquare) {
  const struct {
    const char* Name;
    win::RECT Cell;
    bool Flat;
    win::RECT Square;
  } cases[] = {
      {"wider than tall", {0, 0, 40, 13}, false, {13, 0, 26, 13}},
      {"taller than wide", {0, 0, 13, 20}, false, {0, 3, 13, 16}},
      {"odd difference", {0, 0, 16, 13}, false, {1, 0, 14, 13}},
      {"flat shrinks by one", {0, 0, 40, 13}, true, {14, 1, 25, 12}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    win::ClearDrawRecording();
    DrawEditButtonGx(DC, c.Cell, clWindow, bdkCheckBox, 0, c.Flat, false, true, 1);
    const auto Blits = OpsOnTarget(win::DrawKind::Blit);
    ASSERT_EQ(Blits.size(), 1u);
    EXPECT_TRUE(SameRect(Blits[0].rect, c.Square));
  }
}

TEST_F(EditButtonDrawTest, UpDownHalvesAndTheMiddleLine) {
  const win::COLORREF Surface = ColorToRGB(clWindow);
  const struct {
    const char* Name;
    int Height;
    bool Line;
  } cases[] = {{"odd height shows a line", 17, true}, {"even height shows none", 16, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    win::ClearDrawRecording();
    DrawEditButtonGx(DC, win::RECT{0, 0, 15, c.Height}, clWindow, bdkUpDown, 2, false, false, true, 0);
    const auto Blits = OpsOnTarget(win::DrawKind::Blit);
    ASSERT_EQ(Blits.size(), 2u);
    EXPECT_TRUE(SameRect(Blits[0].rect, win::RECT{0, 0, 15, c.Height / 2}));
    EXPECT_TRUE(SameRect(Blits[1].rect, win::RECT{0, c.Height - c.Height / 2, 15, c.Height}));
    bool LineFilled = false;
    for (const win::DrawOp& Op : OpsOnTarget(win::DrawKind::Fill))
      if (Op.color == Surface && SameRect(Op.rect, win::RECT{0, 8, 15, 9})) LineFilled = true;
    EXPECT_EQ(LineFilled, c.Line);
  }
  // Only the lower half is drawn pressed.
  TButtonBitmapKey Lower;
  Lower.Width = 15;
  Lower.Height = 8;
  Lower.DrawKind = bdkUpDown;
  Lower.Enabled = 1;
  Lower.Part = 1;
  Lower.Pressed = 1;
  const int Before = EditButtonBitmapCache()->Count();
  EditButtonBitmapCache()->GetButtonBitmap(Lower);
  EXPECT_EQ(EditButtonBitmapCache()->Count(), Before);  // already drawn
}

TEST_F(EditButtonDrawTest, FlatButtonsFrameAndRing) {
  const win::COLORREF Surface = ColorToRGB(clWindow);
  const win::RECT R{0, 0, 15, 18};
  // Not active: a frame in the surrounding colour around a face one pixel in.
  DrawEditButtonGx(DC, R, clWindow, bdkDropDown, 0, true, false, true, 0);
  auto Frames = OpsOnTarget(win::DrawKind::Frame);
  ASSERT_EQ(Frames.size(), 1u);
  EXPECT_EQ(Frames[0].color, Surface);
  EXPECT_TRUE(SameRect(Frames[0].rect, R));
  auto Blits = OpsOnTarget(win::DrawKind::Blit);
  ASSERT_EQ(Blits.size(), 1u);
  EXPECT_TRUE(SameRect(Blits[0].rect, win::RECT{1, 1, 14, 17}));

  // Active: the whole rectangle, its face carrying a thin raised ring, sunken while pressed.
  const struct {
    int PressedPart;
    win::UINT Edge;
  } rings[] = {{0, win::BDR_RAISEDINNER}, {1, win::BDR_SUNKENOUTER}};
  for (const auto& r : rings) {
    ResetButtonBitmapCache();
    win::ClearDrawRecording();
    DrawEditButtonGx(DC, R, clWindow, bdkDropDown, r.PressedPart, true, true, true, 0);
    EXPECT_TRUE(OpsOnTarget(win::DrawKind::Frame).empty());
    Blits = OpsOnTarget(win::DrawKind::Blit);
    ASSERT_EQ(Blits.size(), 1u);
    EXPECT_TRUE(SameRect(Blits[0].rect, R));
    const auto Edges = win::RecordedOps(win::DrawKind::Edge);
    ASSERT_FALSE(Edges.empty());
    EXPECT_EQ(Edges.back().type, r.Edge);
    EXPECT_TRUE(SameRect(Edges.back().rect, win::RECT{0, 0, 15, 18}));
  }
}

TEST_F(EditButtonDrawTest, EllipsisDotsAndPlusBars) {
  // The symbol's squares, drawn with PATCOPY on the inset face (2 pixels in).
  const struct {
    const char* Name;
    TButtonDrawKind Kind;
    int W, H;
    bool Pressed;
    std::vector<win::RECT> Squares;
  } cases[] = {
      // face 16 x 14 at (2, 2): s = 2, g = 2, centre dot at x = 2 + 8 - 1, y = 2 + 7 - 1
      {"ellipsis", bdkEllipsis, 20, 18, false, {{5, 8, 7, 10}, {9, 8, 11, 10}, {13, 8, 15, 10}}},
      {"ellipsis pressed", bdkEllipsis, 20, 18, true, {{6, 9, 8, 11}, {10, 9, 12, 11}, {14, 9, 16, 11}}},
      // face 7 x 14: s = 1, g = 1
      {"narrow ellipsis", bdkEllipsis, 11, 18, false, {{3, 9, 4, 10}, {5, 9, 6, 10}, {7, 9, 8, 10}}},
      // face 16 x 14: m = 14, L = 8, T = 2, L even like m and like T
      {"minus", bdkMinus, 20, 18, false, {{6, 8, 14, 10}}},
      {"plus", bdkPlus, 20, 18, false, {{6, 8, 14, 10}, {9, 5, 11, 13}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ResetButtonBitmapCache();
    win::ClearDrawRecording();
    DrawEditButtonGx(DC, win::RECT{0, 0, c.W, c.H}, clWindow, c.Kind, c.Pressed ? 1 : 0, false, false, true, 0);
    std::vector<win::RECT> Squares;
    for (const win::DrawOp& Op : win::RecordedOps(win::DrawKind::Fill))
      if (Op.dc != DC && Op.rop == win::PATCOPY && Op.color == win::GetSysColor(win::COLOR_BTNTEXT))
        Squares.push_back(Op.rect);
    ASSERT_EQ(Squares.size(), c.Squares.size());
    for (std::size_t I = 0; I < Squares.size(); ++I) EXPECT_TRUE(SameRect(Squares[I], c.Squares[I])) << I;
  }
}

TEST_F(EditButtonDrawTest, ImageCentredInRect) {
  TImageList Images(16, 16);
  TBitmap Picture;
  Picture.SetSize(16, 16);
  Images.Add(&Picture, nullptr);
  const struct {
    const char* Name;
    win::RECT Rect;
    int Index;
    bool Drawn, Clipped;
  } cases[] = {
      {"fits", {10, 10, 40, 30}, 0, true, false},
      {"too small", {10, 10, 20, 20}, 0, true, true},
      {"no such image", {10, 10, 40, 30}, 3, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    win::ClearDrawRecording();
    DrawImageInRect(DC, c.Rect, &Images, false, c.Index);
    const auto Blits = OpsOnTarget(win::DrawKind::Blit);
    ASSERT_EQ(Blits.size(), c.Drawn ? 1u : 0u);
    if (!c.Drawn) continue;
    EXPECT_EQ(Blits[0].rect.left, (c.Rect.left + c.Rect.right - 16) / 2);
    EXPECT_EQ(Blits[0].rect.top, (c.Rect.top + c.Rect.bottom - 16) / 2);
    EXPECT_EQ(Blits[0].hasClipRegion, c.Clipped);
    win::HRGN After = win::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(win::GetClipRgn(DC, After), 0);  // the previous state: no clip region
    win::DeleteObject(After);
  }
}

TEST_F(EditButtonDrawTest, FlatButtonWidth) {
  const struct {
    int FontHeight, ScrollBar, Width;
  } cases[] = {
      {12, 17, 7},   // 8 is even: one less
      {13, 17, 9},   // 8.67 rounds to 9
      {14, 17, 9},   // 9.33 rounds to 9
      {16, 17, 11},  // 10.67 rounds to 11
      {21, 17, 13},  // 14: one less
      {30, 17, 17},  // 19 is wider than the scroll bar
  };
  for (const auto& c : cases)
    EXPECT_EQ(FlatButtonWidthFor(c.FontHeight, c.ScrollBar), c.Width) << c.FontHeight;
  win::TEXTMETRIC TM;
  win::HDC Screen = win::GetDC(nullptr);
  win::GetTextMetrics(Screen, &TM);
  win::ReleaseDC(nullptr, Screen);
  EXPECT_EQ(ComputeFlatButtonWidth(), FlatButtonWidthFor(TM.tmHeight, win::GetSystemMetrics(win::SM_CXVSCROLL)));
  EXPECT_EQ(DefaultFlatButtonWidth, ComputeFlatButtonWidth());
  EXPECT_GT(DefaultCheckBoxWidth, 0);
  EXPECT_GT(DefaultCheckBoxHeight, 0);
}

}  // namespace
