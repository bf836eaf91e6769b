// Vertical titles: the caption is written with a rotated font, running upward from near
// the cell's bottom, placed across the cell by the title's alignment (centred with
// multi-level titles), and the font is upright again for the cells after it.
#include "tests/support/PaintFixture.h"
#include "tests/support/TitlePlacement.h"

namespace {

class VerticalTitleDrawTest : public GridPaintTest {
protected:
  TDBGridGx* GridWithVerticalTitle() {
    TDBGridGx* Grid = ShownGrid({"A", "B"}, 1);
    TColumnGx* Column = Grid->Columns()->ColumnAt(0);
    Column->SetWidth(60);
    Column->Title()->SetCaption("Name");
    Column->Title()->SetOrientation(tohVertical);
    return Grid;
  }
};

TEST_F(VerticalTitleDrawTest, CaptionRunsUpwardPlacedByTheTitleAlignment) {
  TDBGridGx* Grid = GridWithVerticalTitle();
  Grid->SetTitleHeight(60);
  ForEachTitlePlacement(Grid, [&](const TitlePlacement& C, const win::RECT& R, const std::vector<win::DrawOp>& Ops,
                                  const CellDrawing& Title) {
    const win::DrawOp* Caption = Title.FirstText();
    ASSERT_NE(Caption, nullptr);
    EXPECT_EQ(Caption->text, "Name");
    EXPECT_EQ(Caption->font.lfEscapement, 900);
    // Taller than wide: the text runs up the cell, starting near its bottom.
    const win::RECT& B = Caption->rect;
    EXPECT_GT(B.bottom - B.top, B.right - B.left);
    EXPECT_GE(B.top, R.top);
    EXPECT_LE(B.bottom, R.bottom);
    EXPECT_GE(B.bottom, R.bottom - 8);
    ExpectPlaced(B, R, C);
    // The column's data is written upright.
    const CellDrawing Data = DrawnInCell(Grid, Ops, 1, 1);
    ASSERT_NE(Data.FirstText(), nullptr);
    EXPECT_EQ(Data.FirstText()->font.lfEscapement, 0);
  });
}

}  // namespace
