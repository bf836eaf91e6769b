// How many grid rows the layout makes from the client height, the records and the
// footers, and where the footer rows sit.
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/GridDataLink.h"

namespace {

class RowCountTest : public GridTest {
protected:
  // A windowed grid on a dataset of Records records, its client area Rows rows of
  // records high (plus the title row) and Extra pixels more.
  TDBGridGx* GridOn(int Records, int Rows, int Extra = 0) {
    Form = std::make_unique<TForm>(nullptr);  // a fresh form for each case
    TDBGridGx* Grid = NewGrid();
    Grid->HandleNeeded();
    Grid->SetDataSource(NewSource({"A"}, Records));
    Grid->SetClientHeight(TitleExtent(Grid) + Rows * RowExtent(Grid) + Extra);
    Grid->RequestLayout();
    return Grid;
  }
  static int LineWidth(TDBGridGx* Grid) { return Grid->Options().Contains(dgRowLines) ? Grid->GridLineWidth() : 0; }
  static int RowExtent(TDBGridGx* Grid) { return Grid->DefaultRowHeight() + LineWidth(Grid); }
  static int TitleExtent(TDBGridGx* Grid) { return Grid->RowHeights(0) + LineWidth(Grid); }
  // Where the last row ends, its line included.
  static int LastRowEnd(TDBGridGx* Grid) {
    return Grid->CellRect(0, Grid->RowCount() - 1).bottom + LineWidth(Grid);
  }
};

TEST_F(RowCountTest, WithoutFootersThereIsOneRowPerRecordShown) {
  struct Case {
    int Records, Rows, Extra, DataRows;
  };
  for (const Case C : {Case{3, 10, 0, 3}, Case{10, 4, 0, 4}, Case{10, 4, 5, 4}, Case{10, 0, 0, 1}}) {
    TDBGridGx* Grid = GridOn(C.Records, C.Rows, C.Extra);
    EXPECT_EQ(Grid->RowCount(), 1 + C.DataRows) << C.Records << " records in " << C.Rows << " rows";
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->GridLink()->BufferCount(), std::max(1, C.Rows));
    EXPECT_EQ(Grid->DataRowCount(), C.DataRows);
  }
}

// The separator row takes what is left below the records' rows, so that the footers
// end at the bottom of the client area; with FooterDisplayStyle they follow the last
// record instead.
TEST_F(RowCountTest, FootersSitAtTheBottomOrRightAfterTheRecords) {
  struct Case {
    int Records, Rows, Extra;
    bool FollowRecords;
  };
  for (const Case C : {Case{3, 10, 0, false}, Case{3, 10, 7, false}, Case{30, 10, 7, false},
                       Case{3, 10, 7, true}, Case{30, 10, 7, true}}) {
    TDBGridGx* Grid = GridOn(C.Records, C.Rows, C.Extra);
    Grid->SetFooterDisplayStyle(C.FollowRecords);
    Grid->SetFooterRowCount(2);
    Grid->RequestLayout();
    const int L = RowExtent(Grid);
    const int Fit = (Grid->ClientHeight() - TitleExtent(Grid) - 2 * L - LineWidth(Grid)) / L;
    const int DataRows = C.FollowRecords ? std::min(C.Records, Fit) : Fit;
    SCOPED_TRACE(::testing::Message() << C.Records << " records, extra " << C.Extra << ", follow "
                                      << C.FollowRecords);
    ASSERT_EQ(Grid->RowCount(), 1 + DataRows + 1 + 2);
    EXPECT_EQ(Grid->DataRowCount(), DataRows);
    const int Separator = 1 + DataRows;
    if (C.FollowRecords) {
      EXPECT_EQ(Grid->RowHeights(Separator), 0);
      EXPECT_EQ(Grid->CellRect(0, Separator + 1).top,
                Grid->CellRect(0, Separator - 1).bottom + 2 * LineWidth(Grid));
    } else {
      EXPECT_LT(Grid->RowHeights(Separator), L);
      EXPECT_EQ(LastRowEnd(Grid), Grid->ClientHeight());
    }
  }
}

TEST_F(RowCountTest, AnEmptyDataSetShowsOneEmptyRowAndFootersAtTheBottom) {
  TDBGridGx* Grid = GridOn(0, 6, 3);
  EXPECT_EQ(Grid->RowCount(), 2);
  Grid->SetFooterRowCount(1);
  ASSERT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(LastRowEnd(Grid), Grid->ClientHeight());
  EXPECT_GT(Grid->RowHeights(2), RowExtent(Grid));
  // So does a grid without a dataset.
  Grid->SetDataSource(nullptr);
  ASSERT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(LastRowEnd(Grid), Grid->ClientHeight());
}

TEST_F(RowCountTest, ResizingTheWindowRecountsTheRowsUnlessUpdatesAreLocked) {
  TDBGridGx* Grid = GridOn(20, 4);
  ASSERT_EQ(Grid->RowCount(), 5);
  Grid->SetClientHeight(TitleExtent(Grid) + 7 * RowExtent(Grid));
  EXPECT_EQ(Grid->RowCount(), 8);
  Grid->LockUpdates();
  Grid->SetClientHeight(TitleExtent(Grid) + 2 * RowExtent(Grid));
  EXPECT_EQ(Grid->RowCount(), 8);
  Grid->UnlockUpdates();
  // With auto-fit widths a new size lays the columns out again.
  Grid->SetAutoFitColWidths(true);
  Grid->HandleNeeded();
  Grid->SetClientWidth(300);
  const int R = Grid->ClientWidth() - IndicatorWidth - 1 - 1;
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), R);
  Grid->SetClientWidth(500);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), R + 200);
}

}  // namespace
