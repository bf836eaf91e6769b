// Presses on the grid's vertical bar move the dataset: arrows and track by the rows
// shown, the thumb to a record number, or on the five-step bar to its ends.
#include "tests/support/DataFollowFixture.h"
#include "tests/support/WindowScrollBars.h"

namespace {

class ScrollMessagesTest : public DataFollowTest {
protected:
  win::ScrollBarLayout Layout() { return BarLayout(Grid->Handle(), win::SB_VERT); }
  win::POINT OnScreen(const win::RECT& Part) { return BarPartOnScreen(Grid->Handle(), Part); }
  void Click(win::POINT P) {
    win::headless::MouseDown(win::headless::MouseButton::Left, P.x, P.y);
    win::headless::ProcessMessages();
    win::headless::MouseUp(win::headless::MouseButton::Left, P.x, P.y);
    win::headless::ProcessMessages();
  }
  // Drags the thumb from its middle to Y (screen), recording the record numbers passed.
  std::vector<int> DragThumbTo(int Y) {
    std::vector<int> Seen;
    DragVertThumbTo(Grid->Handle(), Y, [&] { Seen.push_back(DataSet->RecNo()); });
    return Seen;
  }
  int TrackBottom() {
    win::RECT W{};
    win::GetWindowRect(Grid->Handle(), &W);
    return W.top + Layout().Track.bottom - 1;
  }
};

TEST_F(ScrollMessagesTest, ArrowsAndTrackMoveByTheRowsShown) {
  GridOn(50, 10);
  struct Case {
    const char* What;
    win::RECT win::ScrollBarLayout::*Part;
    int Below;  // on the track: pixels below the thumb
    int RecNo;
  };
  for (const Case& C : {Case{"down arrow: the record below the last shown", &win::ScrollBarLayout::Arrow2, 0, 11},
                        Case{"up arrow: the record above the first shown", &win::ScrollBarLayout::Arrow1, 0, 3},
                        Case{"track below the thumb: a page down", &win::ScrollBarLayout::Track, 3, 14}}) {
    DataSet->First();
    DataSet->MoveBy(3);
    if (C.Part == &win::ScrollBarLayout::Arrow1) {  // the first row shown is record 4
      DataSet->MoveBy(20);
      DataSet->MoveBy(-20);
    }
    win::POINT P = OnScreen(Layout().*C.Part);
    if (C.Below) {
      win::RECT W{};
      win::GetWindowRect(Grid->Handle(), &W);
      P.y = W.top + Layout().Thumb.bottom + C.Below;
    }
    Click(P);
    EXPECT_EQ(DataSet->RecNo(), C.RecNo) << C.What;
    EXPECT_EQ(VertInfo().Pos, C.RecNo) << C.What;
  }
  EXPECT_TRUE(Grid->Focused());
}

TEST_F(ScrollMessagesTest, TheThumbMovesToItsRecordNumber) {
  for (const bool Tracking : {false, true}) {
    Form = std::make_unique<TForm>(nullptr);
    SetUp();
    GridOn(50, 10);
    Grid->VertScrollBar()->SetTracking(Tracking);
    const std::vector<int> Seen = DragThumbTo(TrackBottom());
    EXPECT_EQ(DataSet->RecNo(), 50) << "tracking " << Tracking;
    EXPECT_EQ(VertInfo().Pos, 50);
    if (Tracking) {
      EXPECT_GT(Seen[1], 1);  // the dataset followed the thumb
      EXPECT_LT(Seen[1], 50);
    } else {
      EXPECT_EQ(Seen.back(), 1);  // only the release moves the dataset
    }
  }
}

// Tracking is ignored on the five-step bar: the thumb tells no record number, and the
// release decides.
TEST_F(ScrollMessagesTest, TheFiveStepThumbActsOnRelease) {
  GridOn(50, 10, false);
  Grid->VertScrollBar()->SetTracking(true);
  const std::vector<int> Seen = DragThumbTo(TrackBottom());
  EXPECT_EQ(Seen.back(), 1);
  EXPECT_TRUE(DataSet->Eof());
  EXPECT_EQ(VertInfo().Pos, 4);
  DataSet->MoveBy(-10);
  DragThumbTo(OnScreen(Layout().Track).y);
  EXPECT_EQ(DataSet->RecNo(), 40) << "the middle step moves nothing";
}

// A horizontal thumb drag moves the columns only with Tracking on; the release always does.
TEST_F(ScrollMessagesTest, HorizontalTrackingFollowsTheThumb) {
  for (const bool Tracking : {false, true}) {
    GridOn(5, 3);
    for (int I = 0; I < 12; ++I) Grid->Columns()->AddColumn()->SetFieldName("A");
    Grid->RequestLayout();
    Grid->HorzScrollBar()->SetTracking(Tracking);
    const int Left = Grid->LeftCol();
    Grid->Perform(win::WM_HSCROLL, win::MAKEWPARAM(win::SB_THUMBTRACK, 127), 0);
    EXPECT_EQ(Grid->LeftCol() > Left, Tracking) << "tracking " << Tracking;
    Grid->Perform(win::WM_HSCROLL, win::MAKEWPARAM(win::SB_THUMBPOSITION, 127), 0);
    EXPECT_GT(Grid->LeftCol(), Left);
    delete Grid;
  }
}

}  // namespace
