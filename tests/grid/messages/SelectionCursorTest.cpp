// The pointer's shape over a multi-selecting grid: the record-selection arrow over the
// indicator of a non-empty dataset, the column-selection arrow in the low zone of a title.
#include "tests/support/DataFollowFixture.h"

#include "grid/DBGridGx/SharedResources.h"

namespace {

class SelectionCursorTest : public DataFollowTest {
protected:
  // The cursor shown with the pointer at (X, Y) of the grid's client area.
  win::HCURSOR CursorAt(int X, int Y) {
    const win::POINT P = Grid->ClientToScreen(win::POINT{X, Y});
    win::SetCursor(nullptr);
    win::headless::MouseMove(P.x, P.y);
    win::headless::ProcessMessages();
    return win::GetCursor();
  }
  win::POINT Middle(int ACol, int ARow) {
    const win::RECT R = Grid->CellRect(ACol, ARow);
    return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }
  void MultiSelect(bool On, bool RowSelect = false) {
    TDBGridOptions O = Grid->Options();
    On ? O += dgMultiSelect : O -= dgMultiSelect;
    RowSelect ? O += dgRowSelect : O -= dgRowSelect;
    Grid->SetOptions(O);
    Settle();
  }
};

TEST_F(SelectionCursorTest, RecordSelectionOverTheIndicator) {
  GridOn(10, 5);
  MultiSelect(true);
  const win::POINT Indicator = Middle(0, 2);
  EXPECT_EQ(CursorAt(Indicator.x, Indicator.y), RightCursorGx());
  // Over a data cell, the title's indicator cell, or without multi-selection: not.
  const win::POINT Cell = Middle(1, 2), TitleIndicator = Middle(0, 0);
  EXPECT_NE(CursorAt(Cell.x, Cell.y), RightCursorGx());
  EXPECT_NE(CursorAt(TitleIndicator.x, TitleIndicator.y), RightCursorGx());
  MultiSelect(false);
  EXPECT_NE(CursorAt(Indicator.x, Indicator.y), RightCursorGx());
  // Record selection not allowed.
  MultiSelect(true);
  Grid->SetAllowedSelections({gstRectangle, gstColumns, gstAll});
  EXPECT_NE(CursorAt(Indicator.x, Indicator.y), RightCursorGx());
}

TEST_F(SelectionCursorTest, AnEmptyDatasetShowsTheOrdinaryCursor) {
  GridOn(0, 5);
  MultiSelect(true);
  const win::POINT Indicator = Middle(0, 1);
  const win::HCURSOR Shown = CursorAt(Indicator.x, Indicator.y);
  EXPECT_NE(Shown, RightCursorGx());
  EXPECT_NE(Shown, LeftCursorGx());
}

TEST_F(SelectionCursorTest, ColumnSelectionInTheTitlesLowZone) {
  GridOn(10, 5);
  MultiSelect(true);
  const win::RECT Title = Grid->CellRect(1, 0);
  const int X = (Title.left + Title.right) / 2;
  ASSERT_GT(Title.bottom - Title.top, 8);
  EXPECT_EQ(CursorAt(X, Title.bottom - 2), DownCursorGx());
  EXPECT_EQ(CursorAt(X, Title.bottom - 7), DownCursorGx());
  EXPECT_NE(CursorAt(X, Title.bottom - 8), DownCursorGx());
  // Whole-row selection leaves no column selection.
  MultiSelect(true, true);
  EXPECT_NE(CursorAt(X, Title.bottom - 2), DownCursorGx());
}

}  // namespace
