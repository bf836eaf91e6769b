// Moving the dataset beyond the rows shown scrolls the data rows' pixels; the footer rows
// stay, and a move further than a page repaints everything.
#include "tests/support/CellNotingGrid.h"
#include "tests/support/DataFollowFixture.h"

namespace {

class RowScrollTest : public DataFollowTest {
protected:
  // The update region left by Move, taken before the window repaints.
  std::vector<win::RECT> RegionAfter(void (*Move)(TDataSet*)) {
    Settle();
    EXPECT_TRUE(win::GetUpdateRects(Grid->Handle()).empty());
    Grid->LockUpdates();
    Move(DataSet);
    std::vector<win::RECT> Rects = win::GetUpdateRects(Grid->Handle());
    Grid->UnlockUpdates();
    return Rects;
  }
  static bool Covers(const std::vector<win::RECT>& Rects, win::POINT P) {
    for (const win::RECT& R : Rects)
      if (P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom) return true;
    return false;
  }
};

TEST_F(RowScrollTest, OneRecordScrollsTheDataRowsAndLeavesTheFooters) {
  GridOn(50, 10, true, 2);
  DataSet->MoveBy(9);  // the last row shown
  ASSERT_EQ(Grid->Row(), Grid->TitleAreaRowCount() + 9);
  const std::vector<win::RECT> Region = RegionAfter([](TDataSet* D) { D->Next(); });
  EXPECT_EQ(Grid->Row(), Grid->TitleAreaRowCount() + 9);
  const int X = Grid->CellRect(1, 1).left + 2;
  const int Separator = Grid->CellRect(1, Grid->RowCount() - 3).top;
  const int H = Grid->DefaultRowHeight() + Grid->GridLineWidth();
  // Uncovered by the scroll: one row right above the footer separator.
  EXPECT_TRUE(Covers(Region, {X, Separator - H + 1}));
  EXPECT_TRUE(Covers(Region, {X, Separator - 1}));
  // Moved rows that are neither the old nor the new current row are not repainted.
  for (int Row = 2; Row < 8; ++Row)
    EXPECT_FALSE(Covers(Region, {X, Grid->CellRect(1, Grid->TitleAreaRowCount() + Row).top + 2})) << Row;
  // The footers are repainted in place.
  for (int Row = Grid->RowCount() - 2; Row < Grid->RowCount(); ++Row)
    EXPECT_TRUE(Covers(Region, {X, Grid->CellRect(1, Row).top + 2})) << Row;
  EXPECT_FALSE(Covers(Region, {X, Grid->CellRect(1, 0).top + 2})) << "title";
}

// The paint after a one-record scroll draws the rows it uncovered and the rows whose
// current-row marks changed, not the rows whose pixels moved.
TEST_F(RowScrollTest, OneRecordDrawsOnlyTheRowsThatChanged) {
  auto* Noting = new TCellNotingGrid(Form.get());
  GridOn(50, 10, true, 0, Noting);
  DataSet->MoveBy(9);  // the last row shown
  Settle();
  Noting->Drawn.clear();
  DataSet->Next();
  Settle();
  const int Last = Grid->TitleAreaRowCount() + 9;
  ASSERT_EQ(Grid->Row(), Last);
  ASSERT_FALSE(Noting->Drawn.empty());
  for (const win::POINT& Cell : Noting->Drawn) EXPECT_GE(Cell.y, Last - 1) << "column " << Cell.x;
  EXPECT_LE(Noting->Drawn.size(), static_cast<std::size_t>(2 * Grid->ColCount()));
  // A whole repaint draws every cell again.
  Noting->Drawn.clear();
  Grid->Invalidate();
  Settle();
  EXPECT_EQ(Noting->Drawn.size(), static_cast<std::size_t>(11 * Grid->ColCount()));
}

TEST_F(RowScrollTest, MovingFurtherThanAPageRepaintsTheWholeGrid) {
  GridOn(50, 10, true, 1);
  DataSet->MoveBy(9);
  const std::vector<win::RECT> Region = RegionAfter([](TDataSet* D) { D->MoveBy(15); });
  const win::RECT Client = Grid->ClientRect();
  for (int Y = 0; Y < Client.bottom; Y += 5) EXPECT_TRUE(Covers(Region, {Client.right / 2, Y})) << Y;
  EXPECT_EQ(DataSet->RecNo(), 25);
}

// Selecting beyond the top or bottom edge moves the dataset to the record just outside
// the rows shown.
class TTimedGrid : public TDBGridGx {
public:
  explicit TTimedGrid(TComponent* AOwner) : TDBGridGx(AOwner) {}
  using TDBGridGx::TimedScroll;
};

TEST_F(RowScrollTest, SelectingBeyondAnEdgeMovesToTheRecordOutside) {
  auto* Timed = new TTimedGrid(Form.get());
  GridOn(50, 10, true, 0, Timed);
  DataSet->MoveBy(20);
  DataSet->MoveBy(-5);  // records 12..21 shown, 16 current
  struct Case {
    TGridScrollDirection Direction;
    int RecNo;
  };
  for (const Case& C : {Case{TGridScrollDirection{sdDown}, 22}, Case{TGridScrollDirection{sdUp}, 12},
                        Case{TGridScrollDirection{sdUp}, 11}}) {
    Timed->TimedScroll(C.Direction);
    EXPECT_EQ(DataSet->RecNo(), C.RecNo);
  }
  Grid->SetDataSource(nullptr);
  const int Row = Grid->Row();
  Timed->TimedScroll(TGridScrollDirection{sdDown});
  EXPECT_EQ(Grid->Row(), Row) << "nothing moves without data";
}

}  // namespace
