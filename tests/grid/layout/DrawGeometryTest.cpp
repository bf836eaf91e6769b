// The grid's areas: cell kinds, selection per kind of cell, the draw information of
// frozen columns and footer rows, and what may be selected.
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridFilter.h"
#include "platform/desktop/Headless.h"

namespace {

class DrawGeometryTest : public GridTest {
protected:
  // Title row 0, filter row 1, data rows 2..4 (three records), separator 5, footers 6
  // and 7; indicator column 0, data columns 1 and 2.
  TDBGridGx* FullGrid() {
    TDBGridGx* Grid = NewGrid();
    Grid->HandleNeeded();
    Grid->SetClientHeight(400);
    Grid->SetDataSource(NewSource({"A", "B"}, 3));
    Grid->STFilter()->SetVisible(true);
    Grid->SetFooterDisplayStyle(true);
    Grid->SetFooterRowCount(2);
    Grid->RequestLayout();
    Grid->SetOptions(Grid->Options() + dgMultiSelect);
    return Grid;
  }
  // The bookmark of record Index (from 0); the record becomes current.
  static std::string BookmarkOf(TDBGridGx* Grid, int Index) {
    TDataSet* DataSet = Grid->GridLink()->DataSet();
    DataSet->First();
    DataSet->MoveBy(Index);
    return Grid->BookmarkedRows()->CurrentBookmark();
  }
};

TEST_F(DrawGeometryTest, EveryCellFallsIntoOneColumnAreaAndOneRowArea) {
  TDBGridGx* Grid = FullGrid();
  ASSERT_EQ(Grid->RowCount(), 8);
  ASSERT_EQ(Grid->ColCount(), 3);
  struct Case {
    int Col, Row;
    TGridColAreaGx ColArea;
    TGridRowAreaGx RowArea;
    int DataCol, AreaRow;
  };
  for (const Case C : {Case{0, 0, gcaIndicator, graTitle, 0, 0}, Case{1, 0, gcaData, graTitle, 0, 0},
                       Case{2, 1, gcaData, graFilter, 1, 0}, Case{0, 2, gcaIndicator, graData, 0, 0},
                       Case{2, 4, gcaData, graData, 1, 2}, Case{1, 5, gcaData, graSeparator, 0, 0},
                       Case{1, 6, gcaData, graFooter, 0, 1}, Case{0, 7, gcaIndicator, graFooter, 0, 2}}) {
    int DataCol = -9, AreaRow = -9;
    const TGridCellTypeGx Type = Grid->GetCellType(C.Col, C.Row, DataCol, AreaRow);
    EXPECT_EQ(Type, (TGridCellTypeGx{C.ColArea, C.RowArea})) << C.Col << "," << C.Row;
    EXPECT_EQ(DataCol, C.DataCol) << C.Col << "," << C.Row;
    EXPECT_EQ(AreaRow, C.AreaRow) << C.Col << "," << C.Row;
  }
  // A press outside every cell is no cell at all, not a title.
  for (const auto& [Col, Row] : {std::pair{-1, -1}, std::pair{-1, 3}, std::pair{1, -1}}) {
    int DataCol = 0, AreaRow = 0;
    EXPECT_TRUE(Grid->GetCellType(Col, Row, DataCol, AreaRow).None()) << Col << "," << Row;
    EXPECT_EQ(DataCol, -1);
    EXPECT_EQ(AreaRow, -1);
  }
  int DataCol = 0, AreaRow = 0;
  EXPECT_THROW(Grid->GetCellType(1, Grid->RowCount(), DataCol, AreaRow), Exception);
}

TEST_F(DrawGeometryTest, ACellIsSelectedByTheKindOfSelectionThatCoversItsArea) {
  TDBGridGx* Grid = FullGrid();
  TDataSet* DataSet = Grid->GridLink()->DataSet();
  const std::string Second = BookmarkOf(Grid, 1);
  const std::string First = BookmarkOf(Grid, 0);
  TDBGridGxSelection* Selection = Grid->GridSelection();
  TColumnGx* ColumnB = Grid->Columns()->ColumnAt(1);

  enum Cell { Indicator, IndicatorTitle, Title, Filter, DataA, DataB, Separator, Footer, FooterB, Outside };
  struct Probe {
    int Col, Row, DataCol;
  };
  // Data rows are 2..4 and hold records 1..3.
  const Probe Probes[] = {{0, 2, 0}, {0, 0, 0}, {2, 0, 1}, {2, 1, 1}, {1, 2, 0},
                          {2, 2, 1}, {2, 5, 1}, {1, 6, 0}, {2, 7, 1}, {-1, -1, -1}};
  auto Selected = [&](Cell C) {
    const Probe& P = Probes[C];
    return Grid->IsCellSelected(P.Col, P.Row, First, P.DataCol);
  };
  struct Case {
    const char* Name;
    std::function<void()> Select;
    std::vector<Cell> Expected;
  };
  const std::vector<Case> Cases{
      {"none", [&] { Selection->Reset(); }, {}},
      {"all",
       [&] { Selection->SelectAll(); },
       {Indicator, IndicatorTitle, Title, Filter, DataA, DataB, Separator, Footer, FooterB, Outside}},
      {"records",
       [&] {
         Selection->Reset();
         DataSet->First();
         Grid->BookmarkedRows()->MarkCurrentRow(true);
       },
       {Indicator, DataA, DataB}},
      {"column B",
       [&] {
         Selection->Reset();
         Selection->Columns()->SelectColumn(ColumnB, false);
       },
       {Title, Filter, DataB, Separator, FooterB}},
      {"rectangle",
       [&] {
         Selection->Reset();
         Selection->Rect()->ExtendTo(0, First, false);
         Selection->Rect()->ExtendTo(1, Second, true);
       },
       {DataA, DataB}},
  };
  for (const Case& C : Cases) {
    C.Select();
    for (int Index = Indicator; Index <= Outside; ++Index) {
      const Cell Each = static_cast<Cell>(Index);
      const bool Expected = std::find(C.Expected.begin(), C.Expected.end(), Each) != C.Expected.end();
      EXPECT_EQ(Selected(Each), Expected) << C.Name << ", cell " << Index;
    }
  }
}

// A point's cell is repainted when it lies in the window's update region.
bool Dirty(TDBGridGx* Grid, int Col, int Row) {
  const win::RECT Cell = Grid->CellRect(Col, Row);
  const int X = (Cell.left + Cell.right) / 2, Y = (Cell.top + Cell.bottom) / 2;
  for (const win::RECT& U : win::GetUpdateRects(Grid->Handle()))
    if (X >= U.left && X < U.right && Y >= U.top && Y < U.bottom) return true;
  return false;
}

TEST_F(DrawGeometryTest, AChangedSelectionRepaintsItsCellsAndTheCurrentRowAndRemembersTheFocus) {
  TDBGridGx* Grid = FullGrid();
  Grid->GridSelection()->Columns()->SelectColumn(Grid->Columns()->ColumnAt(1), false);
  Grid->SelectionChanged();
  EXPECT_FALSE(Grid->SelectionShownActive());
  Form->Show();
  Grid->SetFocus();
  win::ValidateRect(Grid->Handle(), nullptr);
  Grid->SelectionChanged();
  EXPECT_TRUE(Grid->SelectionShownActive());
  // The selected column below the title area (the separator row is 0 high), and the
  // current row; nothing else.
  for (const int Row : {2, 3, 4, 6, 7}) EXPECT_TRUE(Dirty(Grid, 2, Row)) << Row;
  EXPECT_TRUE(Dirty(Grid, 1, Grid->Row()));
  for (const int Row : {2, 3, 4, 6, 7}) {
    if (Row != Grid->Row()) {
      EXPECT_FALSE(Dirty(Grid, 1, Row)) << Row;
    }
  }
}

TEST_F(DrawGeometryTest, DrawInformationMeasuresFrozenColumnsAndTheShownFooterRows) {
  TDBGridGx* Grid = FullGrid();
  Grid->SetFrozenCols(1);
  TGridDrawInfoGx Info;
  Grid->CalcDrawInfoGx(Info);
  const int Line = Grid->GridLineWidth();
  EXPECT_EQ(Info.Horz.FrozenExtent, Grid->ColWidths(1) + Line);
  EXPECT_EQ(Info.Horz.FixedBoundary, IndicatorWidth + Line + Grid->ColWidths(1) + Line);
  EXPECT_EQ(Info.Horz.FooterExtent, 0);
  EXPECT_EQ(Info.Vert.FrozenExtent, 0);
  const int L = Grid->DefaultRowHeight() + Line;
  EXPECT_EQ(Info.Vert.FooterExtent, 2 * L);

  // A client area that shows half of the second footer row counts only what it shows.
  const int FooterStart = Grid->CellRect(0, 6).top;
  Grid->CalcDrawInfoGxXY(Info, Grid->ClientWidth(), FooterStart + L + L / 2);
  EXPECT_EQ(Info.Vert.FooterExtent, L + L / 2);
  // Without footers nothing at the bottom belongs to them.
  Grid->SetFooterRowCount(0);
  Grid->CalcDrawInfoGx(Info);
  EXPECT_EQ(Info.Vert.FooterExtent, 0);
  EXPECT_EQ(Grid->DataRowCount(), Grid->RowCount() - Grid->TitleAreaRowCount());
}

TEST_F(DrawGeometryTest, DataBoundsAndPagingLeaveOutTheTitleAreaAndTheFooters) {
  TDBGridGx* Grid = FullGrid();
  EXPECT_EQ(Grid->DataCellBounds(), (TGridRect{1, 2, 2, 4}));
  EXPECT_EQ(Grid->DataRowCount(), 3);
  const win::RECT Area = Grid->DataAreaRect();
  EXPECT_EQ(Area.left, Grid->CellRect(1, 2).left);
  EXPECT_EQ(Area.top, Grid->CellRect(1, 2).top);
  EXPECT_EQ(Area.bottom, Grid->CellRect(1, 4).bottom);
  EXPECT_EQ(Grid->VisibleDataRowCount(), std::max(Grid->VisibleRowCount() - 3, 1));
  // Rows that barely hold the footers still page by one row.
  Grid->SetClientHeight(Grid->CellRect(0, 3).top);
  EXPECT_EQ(Grid->VisibleDataRowCount(), 1);
}

TEST_F(DrawGeometryTest, OnlyAllowedKindsCanBeSelected) {
  TDBGridGx* Grid = NewGrid();
  for (const TDBGridGxSelectionType Kind : {gstRecordBookmarks, gstRectangle, gstColumns, gstAll})
    EXPECT_FALSE(Grid->CanSelectKind(Kind)) << Kind << " without multi-select";
  EXPECT_TRUE(Grid->CanSelectKind(gstNon));
  Grid->SetOptions(Grid->Options() + dgMultiSelect);
  for (const TDBGridGxSelectionType Kind : {gstRecordBookmarks, gstRectangle, gstColumns, gstAll})
    EXPECT_TRUE(Grid->CanSelectKind(Kind)) << Kind;
  Grid->SetOptions(Grid->Options() + dgRowSelect);
  EXPECT_FALSE(Grid->CanSelectKind(gstRectangle));
  EXPECT_FALSE(Grid->CanSelectKind(gstColumns));
  EXPECT_TRUE(Grid->CanSelectKind(gstRecordBookmarks));
  Grid->SetAllowedSelections({gstAll});
  EXPECT_FALSE(Grid->CanSelectKind(gstRecordBookmarks));
  EXPECT_TRUE(Grid->CanSelectKind(gstAll));
}

TEST_F(DrawGeometryTest, NarrowingTheAllowedKindsClearsOnlyASelectionOfAKindLeftOut) {
  TDBGridGx* Grid = FullGrid();
  Grid->GridSelection()->Rect()->ExtendTo(0, BookmarkOf(Grid, 0), false);
  Grid->GridSelection()->Rect()->ExtendTo(1, BookmarkOf(Grid, 2), true);
  ASSERT_EQ(Grid->GridSelection()->Kind(), gstRectangle);
  Grid->SetAllowedSelections({gstRectangle, gstAll});
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstRectangle);
  Grid->SetAllowedSelections({gstAll});
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
}

TEST_F(DrawGeometryTest, TheCurrentColumnCanMoveIntoTheFrozenColumns) {
  TDBGridGx* Grid = NewGrid();
  Grid->HandleNeeded();
  Grid->SetDataSource(NewSource({"A", "B", "C"}, 2));
  Grid->SetFrozenCols(1);
  ASSERT_EQ(Grid->FixedCols(), 2);
  Grid->SetCurrentGridColumn(3);
  EXPECT_EQ(Grid->CurrentGridColumn(), 3);
  Grid->SetCurrentGridColumn(1);
  EXPECT_EQ(Grid->CurrentGridColumn(), 1);
  EXPECT_EQ(Grid->CurrentColumn(), Grid->Columns()->ColumnAt(0));
  Grid->SetCurrentGridColumn(2);
  EXPECT_EQ(Grid->CurrentGridColumn(), 2);
}

}  // namespace
