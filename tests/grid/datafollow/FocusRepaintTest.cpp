// Gaining or losing the focus repaints the selected row, frozen columns included, when
// whole rows are selected.
#include "tests/support/DataFollowFixture.h"

#include "platform/controls/StdCtrls.h"

namespace {

using FocusRepaintTest = DataFollowTest;

TEST_F(FocusRepaintTest, TheSelectedRowIsRepaintedWithItsFrozenColumns) {
  auto* Other = new TEdit(Form.get());
  Other->SetParent(Form.get());
  Other->SetBounds(10, 300, 100, 20);
  for (const bool RowSelect : {true, false}) {
    GridOn(20, 8);
    for (int I = 0; I < 4; ++I) Grid->Columns()->AddColumn()->SetFieldName("A");
    Grid->SetFrozenCols(1);
    TDBGridOptions Options = Grid->Options();
    if (RowSelect) Options += dgRowSelect;
    else Options -= dgRowSelect;
    Grid->SetOptions(Options);
    DataSet->MoveBy(2);
    Other->SetFocus();
    for (const bool Into : {true, false}) {
      Settle();
      Into ? Grid->SetFocus() : Other->SetFocus();
      const win::RECT Frozen = Grid->CellRect(1, Grid->Row());
      const win::POINT Mid{(Frozen.left + Frozen.right) / 2, (Frozen.top + Frozen.bottom) / 2};
      bool Covered = false;
      for (const win::RECT& R : win::GetUpdateRects(Grid->Handle()))
        Covered |= Mid.x >= R.left && Mid.x < R.right && Mid.y >= R.top && Mid.y < R.bottom;
      EXPECT_EQ(Covered, RowSelect) << (Into ? "focus in" : "focus out") << ", row select " << RowSelect;
    }
    delete Grid;
  }
}

}  // namespace
