// On a real display a one-record scroll of the grid draws only the rows that changed: the
// window's paint is clipped to what was invalidated, as on the headless desktop.
#include "tests/support/GridOnDisplay.h"

namespace {
using namespace win;

class GridScrollPaintOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    ShowFiftyRows();
  }
  void Settle() {
    for (int I = 0; I < 5; ++I) Pump();
  }
};

TEST_F(GridScrollPaintOnDisplayTest, OneRecordDrawsOnlyTheRowsThatChanged) {
  Settle();
  const int Rows = Grid->VisibleDataRowCount();
  ASSERT_GT(Rows, 3);
  ASSERT_LT(Rows, 50);
  Data->MoveBy(Rows - 1);  // the last row shown
  Settle();
  const int Last = Grid->Row();
  Grid->Drawn.clear();
  Data->Next();
  Settle();
  ASSERT_EQ(Grid->Row(), Last);
  ASSERT_FALSE(Grid->Drawn.empty());
  for (const POINT& Cell : Grid->Drawn) EXPECT_GE(Cell.y, Last - 1) << "column " << Cell.x;
  EXPECT_LE(Grid->Drawn.size(), static_cast<std::size_t>(2 * Grid->ColCount()));
}

}  // namespace
