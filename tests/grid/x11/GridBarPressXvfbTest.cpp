// The grid's vertical bar on a real display: presses on its arrow and its track and a drag
// of its thumb, made by the server's own pointer, move the dataset's record.
#include "tests/support/GridOnDisplay.h"
#include "tests/support/WindowScrollBars.h"

namespace {
using namespace win;

class GridBarOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    ShowFiftyRows();
  }
  // The screen point Below pixels under the top of a part of the grid's bar (its middle
  // when Below is negative); the display places windows where we put them.
  POINT At(const RECT& Part, int Below = -1) {
    POINT P = BarPartOnScreen(Grid->Handle(), Part);
    if (Below >= 0) {
      RECT W{};
      GetWindowRect(Grid->Handle(), &W);
      P.y = W.top + Part.top + Below;
    }
    return P;
  }
  // A press and release at P with the display's pointer; true when the press moved the
  // record from where it was.
  bool PressAt(POINT P) {
    const int Before = Data->RecNo();
    real_pointer::MoveTo(*FOther, P.x, P.y);
    real_pointer::LeftButton(*FOther, true);
    const bool Moved = PumpUntil([&] { return Data->RecNo() != Before; });
    real_pointer::LeftButton(*FOther, false);
    PumpUntil([] { return GetCapture() == nullptr; });
    return Moved;
  }
  ScrollBarLayout Bar() { return BarLayout(Grid->Handle(), SB_VERT); }
};

TEST_F(GridBarOnDisplayTest, TheArrowTheTrackAndTheThumbMoveTheRecord) {
  ASSERT_TRUE(PumpUntil([&] { return Grid->VisibleDataRowCount() > 0 && Grid->VisibleDataRowCount() < 50; }));
  const int Rows = Grid->VisibleDataRowCount();
  // Wait until the display shows the form under the pointer.
  const POINT Down = At(Bar().Arrow2);
  real_pointer::MoveTo(*FOther, Down.x, Down.y);
  ASSERT_TRUE(PumpUntil([&] { return real_pointer::OverWindow(*FOther); }));

  // The down arrow: the record just below the last row shown.
  ASSERT_TRUE(PressAt(Down));
  EXPECT_EQ(Data->RecNo(), Rows + 1);
  EXPECT_EQ(GetScrollPos(Grid->Handle(), SB_VERT), Rows + 1);

  // The track below the thumb: a page down.
  const int Before = Data->RecNo();
  ASSERT_TRUE(PressAt(At(Bar().Track, Bar().Thumb.bottom - Bar().Track.top + 3)));
  EXPECT_EQ(Data->RecNo(), Before + Rows);

  // The up arrow: the record just above the first row shown.
  const int FirstShown = Data->RecNo() - Grid->GridLink()->ActiveRecord();
  ASSERT_TRUE(PressAt(At(Bar().Arrow1)));
  EXPECT_EQ(Data->RecNo(), FirstShown - 1);
  EXPECT_TRUE(Grid->Focused());

  // The thumb dragged to the end of the track: the last record.
  const POINT Thumb = At(Bar().Thumb);
  const POINT End = At(Bar().Track, Bar().Track.bottom - Bar().Track.top - 1);
  real_pointer::MoveTo(*FOther, Thumb.x, Thumb.y);
  real_pointer::LeftButton(*FOther, true);
  ASSERT_TRUE(PumpUntil([] { return GetCapture() != nullptr; }));
  for (int Step = 1; Step <= 4; ++Step) {
    real_pointer::MoveTo(*FOther, Thumb.x, Thumb.y + (End.y - Thumb.y) * Step / 4);
    for (int Round = 0; Round < 3; ++Round) Pump();
  }
  real_pointer::LeftButton(*FOther, false);
  EXPECT_TRUE(PumpUntil([&] { return Data->RecNo() == 50 && GetCapture() == nullptr; })) << Data->RecNo();
}

}  // namespace
