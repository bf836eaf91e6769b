// Moving a column of the lookup grid: its list field and its special-row text go along.
#include "tests/support/LookupFixture.h"

TEST_F(LookupTest, MovingADefaultColumnMovesItsListFieldAndSpecialText) {
  Open(20, 5, true, true);
  Grid->SpecRow()->SetCellsText("none;0");
  Grid->Columns()->ColumnAt(1)->SetIndex(0);
  EXPECT_EQ(Grid->ListFields(), "ID;Name");
  EXPECT_EQ(Grid->ListField()->FieldName(), "Name");
  EXPECT_EQ(Grid->ListFieldIndex(), 1);
  EXPECT_EQ(Grid->SpecRow()->CellTextAt(0), "0");
  EXPECT_EQ(Grid->SpecRow()->CellTextAt(1), "none");
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->FieldName(), "ID");
}

TEST_F(LookupTest, ColumnMoveKeepsSpecialTextsWithSeparatorsAndQuotes) {
  Open(20, 5, true, true);
  // Texts holding the separator, starting with a quote, empty, and one past the columns.
  Grid->SpecRow()->SetCellsText("\"a;b\";\"\"\"q\"\" x\";\"\";extra");
  ASSERT_EQ(Grid->SpecRow()->CellTextAt(0), "a;b");
  ASSERT_EQ(Grid->SpecRow()->CellTextAt(1), "\"q\" x");
  Grid->Columns()->ColumnAt(1)->SetIndex(0);
  EXPECT_EQ(Grid->SpecRow()->CellCount(), 4);
  EXPECT_EQ(Grid->SpecRow()->CellTextAt(0), "\"q\" x");
  EXPECT_EQ(Grid->SpecRow()->CellTextAt(1), "a;b");
  EXPECT_EQ(Grid->SpecRow()->CellTextAt(2), "");
  EXPECT_EQ(Grid->SpecRow()->CellTextAt(3), "extra");
  auto* Cell = static_cast<TDBLookupGridColumnGx*>(Grid->Columns()->ColumnAt(1))->SpecCell();
  EXPECT_EQ(Cell->Text(), "a;b");
}

TEST_F(LookupTest, SpecialCellFollowsTheRowUntilAssigned) {
  Open(20, 5, true, true);
  auto* Cell = static_cast<TDBLookupGridColumnGx*>(Grid->Columns()->ColumnAt(1))->SpecCell();
  EXPECT_EQ(Cell->Text(), "-");
  EXPECT_FALSE(Cell->TextAssigned());
  EXPECT_FALSE(Cell->FontAssigned());
  Grid->SpecRow()->SetColor(clYellow);
  EXPECT_EQ(Cell->Color(), clYellow);
  Cell->SetText("own");
  Cell->SetColor(clRed);
  Grid->SpecRow()->SetCellsText("x;y");
  EXPECT_EQ(Cell->Text(), "own");
  EXPECT_EQ(Cell->Color(), clRed);
}
