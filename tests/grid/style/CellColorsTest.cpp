// How the style colours highlighted data and fixed cells, on true-colour and 256-colour screens.
#include <gtest/gtest.h>

#include <functional>

#include "grid/DBGridGx/Style.h"
#include "platform/desktop/Headless.h"

namespace {

// A style that reads a chosen number of screen colours.
class ScreenStyle : public TDBGridGxStyle {
  VANTREL_CLASS(ScreenStyle, TDBGridGxStyle)
public:
  explicit ScreenStyle(int Colors) {
    FColors = Colors;
    ReadScreenColors();
  }

protected:
  void ReadScreenColors() override { SetScreenColorCount(FColors); }

private:
  int FColors = -1;
};

constexpr TColor Cell = TColor(0x00C0FFC0);  // the cell's own colour
constexpr TColor Text = clBlack;

class CellColorsTest : public ::testing::Test {
protected:
  void SetUp() override { win::headless::Reset(); }
  void TearDown() override { win::headless::Reset(); }
};

TEST_F(CellColorsTest, DataCells) {
  const TColor Focused = TDBGridGxStyle::BlendColor(Cell, clHighlight, true);
  const TColor Unfocused = TDBGridGxStyle::BlendColor(Cell, clBtnShadow, false);
  auto FocusedGrid = [](TDataCellColorQuery& Q) {
    Q.GridFocused = Q.HighlightFocus = Q.SelectionHasFocus = true;
  };
  const struct {
    const char* Name;
    int ScreenColors;
    std::function<void(TDataCellColorQuery&)> Setup;
    bool Highlighted;
    TColor Background, Font;
  } cases[] = {
      {"plain cell", -1, [](TDataCellColorQuery&) {}, false, Cell, Text},
      {"focused current cell", -1,
       [&](TDataCellColorQuery& Q) { FocusedGrid(Q); Q.Selected = Q.CurrentRow = Q.CurrentCol = true; }, true,
       clHighlight, clHighlightText},
      {"other selected cell is blended", -1,
       [&](TDataCellColorQuery& Q) { FocusedGrid(Q); Q.Selected = true; }, true, Focused, Text},
      {"256 colours: no blending", 256,
       [&](TDataCellColorQuery& Q) { FocusedGrid(Q); Q.Selected = true; }, true, clHighlight, clHighlightText},
      {"row highlight marks the row's other cells", -1,
       [&](TDataCellColorQuery& Q) { FocusedGrid(Q); Q.HighlightFocus = false; Q.RowHighlight = Q.CurrentRow = true; },
       true, Focused, Text},
      {"held updates hide the highlight", -1,
       [&](TDataCellColorQuery& Q) { FocusedGrid(Q); Q.Selected = true; Q.UpdateLockCount = 1; }, false, Cell, Text},
      {"held updates keep a selected row", -1,
       [&](TDataCellColorQuery& Q) { FocusedGrid(Q); Q.CurrentRow = Q.RowSelect = true; Q.UpdateLockCount = 1; }, true,
       clHighlight, clHighlightText},
      {"unfocused grid shows nothing without always-show", -1,
       [](TDataCellColorQuery& Q) { Q.Selected = Q.SelectionHasFocus = true; }, false, Cell, Text},
      {"selection without focus: current cell", -1,
       [](TDataCellColorQuery& Q) { Q.Selected = Q.CurrentRow = Q.CurrentCol = Q.AlwaysShowSelection = true; }, true,
       clBtnShadow, clHighlightText},
      {"selection without focus: other cell", -1,
       [](TDataCellColorQuery& Q) { Q.Selected = Q.AlwaysShowSelection = true; }, true, Unfocused, Text},
      {"selection without focus at 256 colours", 256,
       [](TDataCellColorQuery& Q) { Q.Selected = Q.AlwaysShowSelection = true; }, true, clBtnFace, Text},
      {"multi-selection decides alone", -1,
       [](TDataCellColorQuery& Q) { Q.MultiSelectActive = Q.InMultiSelection = true; }, true, Unfocused, Text},
      {"record outside the multi-selection", -1,
       [&](TDataCellColorQuery& Q) { FocusedGrid(Q); Q.Selected = true; Q.MultiSelectActive = true; }, false, Cell,
       Text},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ScreenStyle Style(c.ScreenColors);
    TDataCellColorQuery Q;
    c.Setup(Q);
    TColor Background = Cell;
    TFont Font;
    Font.SetColor(Text);
    EXPECT_EQ(Style.DataCellColors(Q, Background, &Font), c.Highlighted);
    EXPECT_EQ(Background, c.Background);
    EXPECT_EQ(Font.Color(), c.Font);
  }
}

TEST_F(CellColorsTest, FixedCells) {
  const struct {
    const char* Name;
    int ScreenColors;
    TFixedCellColorQuery Query;
    bool Highlighted;
    TColor Background, Font;
  } cases[] = {
      {"unselected", -1, {false, false, true}, false, Cell, Text},
      {"pressed look", -1, {true, true, true}, true, TColor(win::RGB(64, 64, 64)), clWhite},
      {"focused, true colour", -1, {true, false, true}, true, TDBGridGxStyle::BlendColor(Cell, clHighlight, true), Text},
      {"focused, 256 colours", 256, {true, false, true}, true, clHighlight, clHighlightText},
      {"unfocused, true colour", -1, {true, false, false}, true, TDBGridGxStyle::BlendColor(Cell, clBtnShadow, false),
       Text},
      {"unfocused, 256 colours", 256, {true, false, false}, true, clBtnFace, Text},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ScreenStyle Style(c.ScreenColors);
    TColor Background = Cell;
    TFont Font;
    Font.SetColor(Text);
    EXPECT_EQ(Style.FixedCellColors(c.Query, Background, &Font), c.Highlighted);
    EXPECT_EQ(Background, c.Background);
    EXPECT_EQ(Font.Color(), c.Font);
  }
}

}  // namespace
