// The mouse, the wheel and the vertical bar of the lookup grid.
#include "tests/support/LookupFixture.h"

using win::headless::MouseButton;

TEST_F(LookupTest, ClickingARowTakesItsKey) {
  Open(20, 5, false, true);
  Grid->SetKeyValue(Variant(1));
  const win::POINT P = Screen(20, DataRowY(3));
  win::headless::Click(MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Key(), 4);
  EXPECT_TRUE(Grid->HasFocus());
  const win::POINT S = Screen(20, SpecRowY());
  win::headless::Click(MouseButton::Left, S.x, S.y);
  EXPECT_EQ(Key(), 0);
  EXPECT_TRUE(Grid->SpecRow()->Selected());
}

TEST_F(LookupTest, ClickBelowTheLastRecordChangesNothing) {
  Open(3, 5);
  Grid->SetKeyValue(Variant(2));
  const win::POINT P = Screen(20, DataRowY(4));
  win::headless::Click(MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Key(), 2);
  EXPECT_EQ(CurrentId(), 2);
}

TEST_F(LookupTest, DraggingBelowTheGridStepsOnTheClock) {
  Open(20, 5);
  Grid->SetKeyValue(Variant(1));
  const win::POINT Down = Screen(20, DataRowY(4));
  win::headless::MouseDown(MouseButton::Left, Down.x, Down.y);
  ASSERT_EQ(Key(), 5);
  const win::POINT Below = Screen(20, Grid->ClientHeight() + 9);
  win::headless::MouseMove(Below.x, Below.y);
  EXPECT_EQ(Key(), 6);  // one record at once
  EXPECT_EQ(Grid->AutoScrollInterval(), 50);
  win::headless::AdvanceClock(49);
  EXPECT_EQ(Key(), 6);
  win::headless::AdvanceClock(1);
  EXPECT_EQ(Key(), 7);
  win::headless::AdvanceClock(100);
  EXPECT_EQ(Key(), 9);
  const win::POINT Far = Screen(20, Grid->ClientHeight() + 13);
  win::headless::MouseMove(Far.x, Far.y);
  EXPECT_EQ(Grid->AutoScrollInterval(), 0);
  win::headless::MouseUp(MouseButton::Left, Far.x, Far.y);
  EXPECT_EQ(Grid->AutoScrollInterval(), -1);
  const int Reached = Key();
  win::headless::AdvanceClock(500);
  EXPECT_EQ(Key(), Reached);
}

TEST_F(LookupTest, DraggingAboveTheFirstRecordReachesTheSpecialRow) {
  Open(20, 5, false, true);
  Grid->SetKeyValue(Variant(2));
  List->First();
  win::headless::ProcessMessages();
  const win::POINT Down = Screen(20, DataRowY(1));
  win::headless::MouseDown(MouseButton::Left, Down.x, Down.y);
  const win::POINT Above = Screen(20, -5);
  win::headless::MouseMove(Above.x, Above.y);
  win::headless::AdvanceClock(400);
  win::headless::MouseUp(MouseButton::Left, Above.x, Above.y);
  EXPECT_TRUE(Grid->SpecRow()->Selected());
  EXPECT_EQ(Key(), 0);
}

TEST_F(LookupTest, WheelAndBarMoveTheListButNotTheKey) {
  Open(40, 5);
  Grid->SetKeyValue(Variant(2));
  const win::POINT P = Screen(20, DataRowY(1));
  win::headless::MouseWheel(-120, P.x, P.y);
  EXPECT_GT(CurrentId(), 5);
  EXPECT_EQ(Key(), 2);
  for (int Code : {win::SB_LINEDOWN, win::SB_PAGEDOWN, win::SB_BOTTOM, win::SB_LINEUP, win::SB_PAGEUP}) {
    const int Before = CurrentId();
    win::SendMessage(Grid->Handle(), win::WM_VSCROLL, static_cast<win::WPARAM>(Code), 0);
    EXPECT_NE(CurrentId(), Before) << Code;
    EXPECT_EQ(Key(), 2) << Code;
  }
  win::SendMessage(Grid->Handle(), win::WM_VSCROLL, win::SB_TOP, 0);
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_EQ(Key(), 2);
}

TEST_F(LookupTest, DoubleClickFiresOnlyOnTheActiveRecordsRow) {
  Open(20, 5, false, true);
  int Fired = 0;
  Grid->SetOnDblClick([&](TObject*) { ++Fired; });
  // Rows count below the special row: the double-clicked row is the active record's.
  const win::POINT P = Screen(20, DataRowY(2));
  win::headless::DoubleClick(MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Fired, 1);
  // The list moves away between the two presses: the row no longer shows the active record.
  Grid->SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int, int) { List->First(); });
  win::headless::AdvanceClock(1000);
  const win::POINT Q = Screen(20, DataRowY(3));
  win::headless::DoubleClick(MouseButton::Left, Q.x, Q.y);
  EXPECT_EQ(Fired, 1);
}
