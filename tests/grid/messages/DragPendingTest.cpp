// With automatic dragging, a press in a multi-selecting grid selects first: no drag
// starts from the press itself, and the drag mode is automatic again afterwards.
#include "tests/support/DataFollowFixture.h"

namespace {

using DragPendingTest = DataFollowTest;

TEST_F(DragPendingTest, APressSelectsBeforeAnyDragStarts) {
  for (const bool Multi : {true, false}) {
    GridOn(10, 5);
    TDBGridOptions O = Grid->Options();
    Multi ? O += dgMultiSelect : O -= dgMultiSelect;
    Grid->SetOptions(O);
    Grid->SetDragMode(dmAutomatic);
    const win::RECT Cell = Grid->CellRect(1, 3);
    const win::POINT P = Grid->ClientToScreen(win::POINT{(Cell.left + Cell.right) / 2, (Cell.top + Cell.bottom) / 2});
    win::headless::MouseDown(win::headless::MouseButton::Left, P.x, P.y);
    win::headless::ProcessMessages();
    EXPECT_EQ(Grid->Dragging(), !Multi) << "multi-select " << Multi;
    EXPECT_EQ(Grid->DragMode(), dmAutomatic);
    Grid->CancelDrag();
    win::headless::MouseUp(win::headless::MouseButton::Left, P.x, P.y);
    win::headless::ProcessMessages();
    delete Grid;
  }
}

}  // namespace
