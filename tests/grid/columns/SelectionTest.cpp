// The grid's selection: whole columns by Ctrl and Shift steps, cell rectangles.
#include "tests/support/GridFixture.h"

namespace {

class SelectionTest : public GridTest {
protected:
  TDBGridGx* Grid = nullptr;
  TDBGridGxSelectionCols* Cols = nullptr;
  void SetUp() override {
    Grid = NewGrid();
    for (int i = 0; i < 6; ++i) Grid->Columns()->AddColumn();
    Cols = Grid->GridSelection()->Columns();
  }
  TColumnGx* C(int i) const { return Grid->Columns()->ColumnAt(i); }
  std::string Listed() const {
    std::string s;
    for (int i = 0; i < Cols->Count(); ++i) s += std::to_string(Cols->ColumnAt(i)->Index());
    return s;
  }
};

TEST_F(SelectionTest, ShiftStepsGrowAndShrinkFromTheAnchor) {
  Cols->SelectColumn(C(2), false);
  Cols->ShiftSelectTo(C(5));
  EXPECT_EQ(Listed(), "2345");
  Cols->ShiftSelectTo(C(3));
  EXPECT_EQ(Listed(), "23");
  Cols->ShiftSelectTo(C(0));
  EXPECT_EQ(Listed(), "012");
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstColumns);
  const TGridRect Bounds = Cols->GridBounds();
  EXPECT_EQ(Bounds.Left, Grid->DataToGridColumn(0));
  EXPECT_EQ(Bounds.Right, Grid->DataToGridColumn(2));
}

TEST_F(SelectionTest, AToggledOffAnchorMakesShiftStepsDeselect) {
  Cols->SelectColumn(C(0), false);
  Cols->ShiftSelectTo(C(4));
  Cols->ToggleColumn(C(2));
  EXPECT_EQ(Listed(), "0134");
  Cols->ShiftSelectTo(C(4));
  EXPECT_EQ(Listed(), "01");
  Cols->ToggleColumn(C(0));
  Cols->ToggleColumn(C(1));
  EXPECT_EQ(Listed(), "");
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
}

TEST_F(SelectionTest, HiddenColumnsAreSkippedByShiftSteps) {
  C(2)->SetVisible(false);
  Cols->SelectColumn(C(0), false);
  Cols->ShiftSelectTo(C(3));
  EXPECT_EQ(Listed(), "013");
}

TEST_F(SelectionTest, ARectangleNeedsTwoCellsAndData) {
  TDataSource* Source = NewSource({"A", "B"}, 3);
  Grid->SetDataSource(Source);
  TDataSet* DataSet = Source->DataSet();
  TDBGridGxSelection* Selection = Grid->GridSelection();
  DataSet->First();
  const std::string First = DataSet->Bookmark();
  DataSet->Next();
  const std::string Second = DataSet->Bookmark();
  DataSet->Next();
  const std::string Third = DataSet->Bookmark();
  Selection->Rect()->ExtendTo(1, First, true);
  Selection->Rect()->ExtendTo(1, First, true);
  EXPECT_EQ(Selection->Kind(), gstNon);
  Selection->Rect()->ExtendTo(3, Second, true);
  EXPECT_EQ(Selection->Kind(), gstRectangle);
  EXPECT_TRUE(Selection->DataCellSelected(2, Second));
  EXPECT_FALSE(Selection->DataCellSelected(0, Second));
  EXPECT_FALSE(Selection->DataCellSelected(2, Third));
  Selection->SelectAll();
  EXPECT_EQ(Selection->Kind(), gstAll);
  EXPECT_TRUE(Selection->DataCellSelected(0, Third));

  Selection->Reset();
  Selection->Rect()->ExtendTo(0, First, false);
  Selection->Rect()->ExtendTo(1, Third, true);
  delete Source;
  EXPECT_THROW(Selection->Rect()->GetBottomRow(), EInvalidGridOperation);
  EXPECT_EQ(Selection->GridBounds(), (TGridRect{-1, -1, -1, -1}));
}

}  // namespace
