// Measuring text as a grid cell shows it.
#include "tests/support/HeadlessFixture.h"

#include "grid/DBGridGx/CellTextMeasure.h"
#include "platform/controls/Forms.h"

namespace {

class CellTextMeasureTest : public HeadlessTest {};

TEST_F(CellTextMeasureTest, TextOverflowsCell) {
  auto* Form = new TForm(nullptr);
  auto* Grid = new TCustomGrid(Form);
  Grid->SetParent(Form);
  Form->Show();
  int LineW = 0, LineH = 0;
  TextOverflowsCell(Grid, 0, 0, "Wide text here", win::RECT{0, 0, 1000, 1000}, false, LineW, LineH);
  ASSERT_GT(LineW, 0);
  ASSERT_GT(LineH, 0);

  const struct {
    const char* Name;
    int HMargin, VMargin;
    win::RECT Rect;
    bool WordWrap;
    bool Overflows;
  } cases[] = {
      {"fits with room", 0, 0, {0, 0, LineW + 2, LineH - 1}, false, false},
      {"one pixel too narrow", 0, 0, {0, 0, LineW + 1, LineH}, false, true},
      {"the margin takes the room", 4, 0, {0, 0, LineW + 2, LineH}, false, true},
      {"height limit is cell height minus margin plus 1", 0, 2, {0, 0, LineW + 10, LineH + 1}, false, false},
      {"one row too low", 0, 3, {0, 0, LineW + 10, LineH + 1}, false, true},
      {"wrapped lines exceed the height", 0, 0, {10, 10, 10 + LineW / 2 + 2, 10 + LineH}, true, true},
      {"wrapped lines fit a tall cell", 0, 0, {0, 0, LineW / 2 + 30, LineH * 4}, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    int W = 0, H = 0;
    EXPECT_EQ(TextOverflowsCell(Grid, c.HMargin, c.VMargin, "Wide text here", c.Rect, c.WordWrap, W, H), c.Overflows);
    if (!c.WordWrap) {
      EXPECT_EQ(W, LineW);
    }
  }
  int W = 0, H = 0;
  TextOverflowsCell(Grid, 0, 0, "Wide text here", win::RECT{0, 0, LineW / 2 + 2, 1000}, true, W, H);
  EXPECT_GT(H, LineH);  // wrapped onto more lines
  EXPECT_EQ(MeasureTextWidth(Grid->Canvas(), "Wide text here"), LineW);
  delete Form;
}

// Both routines measure through the canvas's handle: after the grid's font changed they
// must measure in that font, not in whatever the device context held before.
TEST_F(CellTextMeasureTest, MeasuringFollowsTheCanvasFont) {
  auto* Form = new TForm(nullptr);
  auto* Grid = new TCustomGrid(Form);
  Grid->SetParent(Form);
  Form->Show();
  TCanvas* Canvas = Grid->Canvas();
  const std::string Text = "Wide text here";
  Canvas->TextWidth(Text);  // the first font is selected now
  const struct {
    const char* Name;
    void (*Change)(TFont*);
  } cases[] = {
      {"larger", [](TFont* F) { F->SetSize(24); }},
      {"bold", [](TFont* F) { F->SetStyle(TFontStyles{fsBold}); }},
      {"back to small", [](TFont* F) { F->SetSize(6); F->SetStyle(TFontStyles{}); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Change(Canvas->Font());
    int W = 0, H = 0;
    TextOverflowsCell(Grid, 0, 0, Text, win::RECT{0, 0, 1000, 1000}, false, W, H);
    EXPECT_EQ(W, Canvas->TextWidth(Text));
    EXPECT_EQ(H, Canvas->TextHeight(Text));
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Change(Canvas->Font());
    const int Measured = MeasureTextWidth(Canvas, Text);
    EXPECT_EQ(Measured, Canvas->TextWidth(Text));
  }
  delete Form;
}

TEST(CellTextMeasure, SwappingTheExtentKeepsTheCorner) {
  win::RECT R{10, 20, 40, 30};
  SwapRectExtent(R);
  EXPECT_EQ(R.left, 10);
  EXPECT_EQ(R.top, 20);
  EXPECT_EQ(R.right, 20);   // width 10, the old height
  EXPECT_EQ(R.bottom, 50);  // height 30, the old width
}

}  // namespace
