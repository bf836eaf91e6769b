// Footer cells as the grid draws them, the footer events, and the footer-only repaint.
#include "tests/support/FooterFixture.h"

namespace {

// A shown grid with customized columns Name, Qty and Price and one footer row:
// a count under Name, sums under Qty and Price.
TDBGridGx* FootedGrid(TDBGridGx* Grid) {
  for (const char* Field : {"Name", "Qty", "Price"}) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(Field);
    Column->SetWidth(70);
  }
  Grid->Columns()->ColumnAt(0)->Footer()->SetValueType(fvtCount);
  Grid->Columns()->ColumnAt(1)->Footer()->SetValueType(fvtSum);
  Grid->Columns()->ColumnAt(2)->Footer()->SetValueType(fvtSum);
  Grid->Columns()->ColumnAt(2)->Footer()->SetDisplayFormat("0.00");
  Grid->SetFooterRowCount(1);
  win::headless::ProcessMessages();
  return Grid;
}

TEST_F(FooterTest, DrawnFooterCellsShowTheirFormattedTotals) {
  TDBGridGx* Grid = FootedGrid(SummedGrid(true));
  const int FooterRow = Grid->RowCount() - 1;
  const auto Ops = Paint(Grid);
  EXPECT_EQ(Cell(Grid, Ops, 1, FooterRow).Text(), "3");
  EXPECT_EQ(Cell(Grid, Ops, 2, FooterRow).Text(), "5");
  EXPECT_EQ(Cell(Grid, Ops, 3, FooterRow).Text(), "4.25");
}

TEST_F(FooterTest, FooterParamsEventReplacesTextAlignmentAndBackground) {
  TDBGridGx* Grid = FootedGrid(SummedGrid(true));
  std::vector<std::string> Seen;
  Grid->SetOnGetFooterParams([&](TObject* Sender, int DataCol, int Row, TColumnGx* Column, TFont*, TColor& Background,
                                 TAlignment& Alignment, TGridDrawState, std::string& Text) {
    EXPECT_EQ(Sender, Grid);
    EXPECT_EQ(Row, 0);
    Seen.push_back(Column->FieldName() + "=" + Text);
    if (DataCol != 1) return;
    Text = "Sum " + Text;
    EXPECT_EQ(Alignment, taRightJustify) << "an integer field's";
    Alignment = taLeftJustify;
    Background = clYellow;
  });
  const int FooterRow = Grid->RowCount() - 1;
  const auto Ops = Paint(Grid);
  const CellDrawing Qty = Cell(Grid, Ops, 2, FooterRow);
  EXPECT_EQ(Qty.Text(), "Sum 5");
  EXPECT_EQ(Qty.Background(), static_cast<long>(clYellow));
  ASSERT_NE(Qty.FirstText(), nullptr);
  EXPECT_LT(Qty.FirstText()->rect.left - Qty.Rect.left, 5) << "left-aligned";
  EXPECT_EQ(Cell(Grid, Ops, 3, FooterRow).Text(), "4.25");
  EXPECT_NE(std::find(Seen.begin(), Seen.end(), "Price=4.25"), Seen.end());
}

TEST_F(FooterTest, ASumChangeRepaintsOnlyTheFooterRows) {
  TDBGridGx* Grid = FootedGrid(SummedGrid(true));
  Grid->SetFooterRowCount(2);
  win::headless::ProcessMessages();
  Paint(Grid);
  TDataSet* DataSet = Grid->DataSource()->DataSet();
  DataSet->Last();
  win::headless::ProcessMessages();
  Paint(Grid);
  // The list recalculates and reports its change; nothing else moves.
  Grid->SumList()->SetExternalRecalc(true);
  const std::vector<win::RECT> Dirty = win::GetUpdateRects(Grid->Handle());
  ASSERT_FALSE(Dirty.empty());
  const int FirstFooterTop = Grid->CellRect(0, Grid->RowCount() - 2).top;
  for (const win::RECT& R : Dirty) EXPECT_GE(R.top, FirstFooterTop);
  const auto Ops = Paint(Grid);
  EXPECT_EQ(Cell(Grid, Ops, 2, Grid->RowCount() - 1).Text(), "0");
}

TEST_F(FooterTest, SumListEventsComeFromTheGridsSumList) {
  TDBGridGx* Grid = SummedGrid();
  std::vector<std::string> Calls;
  Grid->SetOnSumListRecalcAll([&](TObject* Sender) {
    EXPECT_EQ(Sender, Grid->SumList());
    Calls.push_back("before");
  });
  Grid->SetOnSumListAfterRecalcAll([&](TObject* Sender) {
    EXPECT_EQ(Sender, Grid->SumList());
    Calls.push_back("after");
  });
  Grid->SumList()->RecalculateAll();
  EXPECT_EQ(Calls, (std::vector<std::string>{"before", "after"}));
}

}  // namespace
