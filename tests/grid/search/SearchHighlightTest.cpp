// What a running search draws: the matched part of the current cell's text on the search
// colours over the text where it stands, and the search arrow in the indicator.
#include "tests/support/SearchFixture.h"

#include "grid/DBGridGx/Columns.h"
#include "platform/controls/StdCtrls.h"

namespace {

// The text operations in a cell drawn on the search colours.
std::vector<win::DrawOp> Highlights(const CellDrawing& Cell) {
  std::vector<win::DrawOp> R;
  for (const win::DrawOp& Op : Cell.OfKind(win::DrawKind::Text))
    if (Op.bkMode == win::OPAQUE && Op.bkColor == ColorToRGB(SearchColor()) &&
        Op.color == ColorToRGB(SearchTextColor()))
      R.push_back(Op);
  return R;
}

const win::DrawOp* TextOp(const CellDrawing& Cell, const std::string& Text) {
  for (const win::DrawOp& Op : Cell.Ops)
    if (Op.kind == win::DrawKind::Text && Op.text == Text) return &Op;
  return nullptr;
}

TEST_F(SearchTest, TheMatchedPartIsDrawnOverTheCellTextWhereItStands) {
  const TAlignment Alignments[] = {taLeftJustify, taRightJustify, taCenter};
  Open();
  for (TAlignment Alignment : Alignments) {
    SCOPED_TRACE(static_cast<int>(Alignment));
    Grid->Columns()->ColumnAt(0)->SetAlignment(Alignment);
    Data->First();
    Type("apr");
    ASSERT_EQ(Current(), "Apricot");
    const auto Ops = Paint(Grid);
    const CellDrawing Current = Cell(Grid, Ops, Grid->Col(), Grid->Row());
    const std::vector<win::DrawOp> Marked = Highlights(Current);
    ASSERT_EQ(Marked.size(), 1u);
    EXPECT_EQ(Marked[0].text, "Apr");
    const win::DrawOp* Whole = TextOp(Current, "Apricot");
    ASSERT_NE(Whole, nullptr);
    EXPECT_NEAR(Marked[0].points[0].x, Whole->points[0].x, 1);
    EXPECT_EQ(Marked[0].points[0].y, Whole->points[0].y);
    // Nowhere else: not in the next column, not in the other rows.
    EXPECT_TRUE(Highlights(Cell(Grid, Ops, Grid->Col() + 1, Grid->Row())).empty());
    EXPECT_TRUE(Highlights(Cell(Grid, Ops, Grid->Col(), Grid->Row() - 1)).empty());
    EXPECT_EQ(Cell(Grid, Ops, 0, Grid->Row()).Image(IndicatorImages()), 6);
    Wait(1500);
  }
}

TEST_F(SearchTest, InARightToLeftGridTheHighlightCoversTheTextsBeginningUnmirrored) {
  Open();
  Grid->SetBiDiMode(bdRightToLeft);
  Type("apr");
  ASSERT_EQ(Current(), "Apricot");
  const int W = Grid->ClientWidth();
  const win::RECT Logical = Grid->CellRect(Grid->Col(), Grid->Row());
  const win::RECT Device{W - Logical.right, Logical.top, W - Logical.left, Logical.bottom};
  const CellDrawing Current = DrawnInside(Paint(Grid), Device);
  const std::vector<win::DrawOp> Marked = Highlights(Current);
  ASSERT_EQ(Marked.size(), 1u);
  const win::DrawOp* Whole = TextOp(Current, "Apricot");
  ASSERT_NE(Whole, nullptr);
  EXPECT_NEAR(Marked[0].rect.left, Whole->rect.left, 1);
  EXPECT_LT(Marked[0].rect.right, Whole->rect.right);
}

TEST_F(SearchTest, NoHighlightOnceTheSearchEndsOrTheGridIsNotTheActiveControl) {
  Open();
  Type("b");
  ASSERT_TRUE(Highlights(Cell(Grid, Paint(Grid), Grid->Col(), Grid->Row())).size() == 1);
  Wait(1500);
  auto Ended = Paint(Grid);
  EXPECT_TRUE(Highlights(Cell(Grid, Ended, Grid->Col(), Grid->Row())).empty());
  EXPECT_EQ(Cell(Grid, Ended, 0, Grid->Row()).Image(IndicatorImages()), 0);

  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgAlwaysShowSelection});
  auto* Other = new TEdit(Form.get());
  Other->SetParent(Form.get());
  Other->SetBounds(0, 220, 100, 24);
  Type("c");
  ASSERT_TRUE(Grid->Searching());
  Other->SetFocus();
  EXPECT_TRUE(Highlights(Cell(Grid, Paint(Grid), Grid->Col(), Grid->Row())).empty());
}

}  // namespace
