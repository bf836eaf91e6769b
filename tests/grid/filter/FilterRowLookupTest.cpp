// A lookup grid showing both its filter row and its special row: the special row counts
// among the filter rows but is never a filter cell.
#include "tests/support/LookupFixture.h"

#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridFilter.h"
#include "tests/support/PaintFixture.h"

namespace {

namespace hl = win::headless;

class FilterRowLookupTest : public LookupTest {
protected:
  void TearDown() override {
    Form.reset();
    hl::Reset();
  }
  bool FilterEditorShown() const { return Grid->FilterEditor() && Grid->FilterEditor()->Visible(); }
};

TEST_F(FilterRowLookupTest, TheSpecialRowIsNoFilterCell) {
  Open(20, 5, false, true);
  Grid->STFilter()->SetVisible(true);
  hl::ProcessMessages();
  TCustomDBGridGx* Base = Grid;
  ASSERT_EQ(Base->FilterRowCount(), 2);
  const int Title = Base->TitleRowCount(), Special = Grid->TitleAreaRowCount() - 1;
  ASSERT_EQ(Special, Title + 1);
  const int ACol = Grid->DataToGridColumn(0);
  EXPECT_TRUE(Grid->IsFilterRowCell(ACol, Title));
  EXPECT_FALSE(Grid->IsFilterRowCell(ACol, Special));

  // The special row's cells show the special row, the filter row's its conditions.
  Grid->Columns()->ColumnAt(0)->STFilter()->SetFilterText("= n3");
  const auto Ops = PaintAndRecord(Grid->Handle());
  EXPECT_EQ(DrawnInCell(Grid, Ops, ACol, Special).Text(), "(none)");
  EXPECT_EQ(DrawnInCell(Grid, Ops, ACol, Title).Text(), "= n3");

  const win::RECT SpecialCell = Grid->CellRect(ACol, Special);
  const win::POINT OnSpecial = Screen(SpecialCell.left + 5, (SpecialCell.top + SpecialCell.bottom) / 2);
  hl::Click(hl::MouseButton::Left, OnSpecial.x, OnSpecial.y);
  EXPECT_FALSE(FilterEditorShown());
  EXPECT_FALSE(Grid->FilterEditing());

  const win::RECT FilterCell = Grid->CellRect(ACol, Title);
  const win::POINT OnFilter = Screen(FilterCell.left + 5, (FilterCell.top + FilterCell.bottom) / 2);
  hl::Click(hl::MouseButton::Left, OnFilter.x, OnFilter.y);
  EXPECT_TRUE(FilterEditorShown());
  EXPECT_EQ(Grid->FilterColumn(), 0);
  EXPECT_EQ(Grid->FilterEditor()->Top(), FilterCell.top);
}

}  // namespace
