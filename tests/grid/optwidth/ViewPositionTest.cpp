// Fitting columns walks the dataset; the user's view and record stay where they were.
#include "grid/DBGridGx/Columns.h"
#include "tests/support/PaintFixture.h"

namespace {

class ViewPositionTest : public GridPaintTest {
protected:
  // The texts of the Name column's data rows as drawn.
  std::vector<std::string> ShownNames(TDBGridGx* Grid) {
    const auto Ops = Paint(Grid);
    std::vector<std::string> Names;
    for (int Row = 1; Row < Grid->RowCount(); ++Row) Names.push_back(Cell(Grid, Ops, 1, Row).Text());
    return Names;
  }
};

TEST_F(ViewPositionTest, FittingKeepsTheRowsShownAndTheCurrentRecord) {
  TDBGridGx* Grid = ShownGrid({"Name"}, 40);
  TDataSet* DataSet = Grid->DataSource()->DataSet();
  // The current record inside the view, then on its top row.
  for (bool FromEnd : {false, true}) {
    SCOPED_TRACE(FromEnd);
    if (FromEnd) DataSet->Last();
    else DataSet->First();
    DataSet->MoveBy(FromEnd ? -12 : 25);
    DataSet->MoveBy(FromEnd ? 0 : -3);
    win::headless::ProcessMessages();
    const std::vector<std::string> Before = ShownNames(Grid);
    const int RecNo = DataSet->RecNo(), Row = Grid->Row();
    ASSERT_NE(Before.front(), "r1") << "the view is scrolled";
    Grid->OptimizeColumnWidth(Grid->Columns()->ColumnAt(0));
    win::headless::ProcessMessages();
    EXPECT_EQ(ShownNames(Grid), Before);
    EXPECT_EQ(DataSet->RecNo(), RecNo);
    EXPECT_EQ(Grid->Row(), Row);
  }
}

TEST_F(ViewPositionTest, RecordBeingInsertedIsNeitherPostedNorLost) {
  TDBGridGx* Grid = ShownGrid({"Name"}, 40);
  TDataSet* DataSet = Grid->DataSource()->DataSet();
  DataSet->MoveBy(20);
  DataSet->Insert();
  const std::string Typed = "a new, wider record";
  DataSet->FieldByName("Name")->SetAsString(Typed);
  TColumnGx* Name = Grid->Columns()->ColumnAt(0);
  Grid->OptimizeColumnWidth(Name);
  EXPECT_EQ(DataSet->State(), dsInsert);
  EXPECT_EQ(DataSet->FieldByName("Name")->AsString(), Typed);
  EXPECT_EQ(DataSet->RecordCount(), 40);
  Grid->Canvas()->Font()->Assign(Name->Font());
  EXPECT_EQ(Name->Width(), Grid->Canvas()->TextWidth(Typed) + 4) << "the new record is measured";

  // Saving and restoring the view around an insert moves nothing either.
  Grid->SaveViewPosition();
  Grid->RestoreViewPosition();
  EXPECT_EQ(DataSet->State(), dsInsert);
  EXPECT_EQ(DataSet->FieldByName("Name")->AsString(), Typed);
}

}  // namespace
