// The grid's own sum list: a copy of another grid's keeps this grid's dataset and
// handlers; while the grid is designed the dataset keeps its own handlers.
#include "tests/support/FooterFixture.h"

namespace {

TEST_F(FooterTest, CopiedSumListKeepsTotallingTheGridsOwnData) {
  TDBGridGx* First = SummedGrid();
  First->DataSource()->DataSet()->SetName("T1");
  First->DataSource()->SetName("DS1");
  TColumnGx* FirstQty = First->Columns()->AddColumn();
  FirstQty->SetFieldName("Qty");
  FirstQty->Footer()->SetValueType(fvtSum);
  int FirstRecalcs = 0;
  First->SetOnSumListRecalcAll([&](TObject*) { ++FirstRecalcs; });
  TDataSet* FirstData = First->DataSource()->DataSet();
  FirstData->Last();

  TDBGridGx* Second = NewGrid("Second");
  Second->SetDataSource(NewSource({"%Qty"}, 2));
  TDataSet* SecondData = Second->DataSource()->DataSet();
  SecondData->First();
  for (int Value : {100, 200}) {
    SecondData->Edit();
    SecondData->FieldByName("Qty")->SetAsInteger(Value);
    SecondData->Post();
    SecondData->Next();
  }
  TColumnGx* SecondQty = Second->Columns()->AddColumn();
  SecondQty->SetFieldName("Qty");
  SecondQty->Footer()->SetValueType(fvtSum);
  FirstRecalcs = 0;

  Second->SetSumList(First->SumList());
  EXPECT_TRUE(Second->SumList()->Active());
  EXPECT_EQ(Second->SumList()->DataSet(), SecondData);
  EXPECT_EQ(FooterText(Second, SecondQty, 0), "300");
  EXPECT_EQ(FirstData->RecNo(), 3) << "the other grid's dataset was not walked";
  EXPECT_EQ(FirstRecalcs, 0) << "the other grid's handler is not called for this grid";

  // Edits reach the totals of the grid whose data changed, and only them.
  SecondData->First();
  SecondData->Edit();
  SecondData->FieldByName("Qty")->SetAsInteger(150);
  SecondData->Post();
  EXPECT_EQ(FooterText(Second, SecondQty, 0), "350");
  EXPECT_EQ(FooterText(First, FirstQty, 0), "5");
  FirstData->Edit();
  FirstData->FieldByName("Qty")->SetAsInteger(10);
  FirstData->Post();
  EXPECT_EQ(FooterText(First, FirstQty, 0), "15");
  EXPECT_EQ(FooterText(Second, SecondQty, 0), "350");
  EXPECT_EQ(Second->SumList()->SumListChanged().Data(), static_cast<void*>(static_cast<TCustomDBGridGx*>(Second)));
}

TEST_F(FooterTest, DesignedGridLeavesTheDatasetsHandlersInPlace) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDesigning(true, false);
  TDataSource* Source = NewSource({"%Qty"}, 2);
  TDataSet* DataSet = Source->DataSet();
  const TDataSetNotifyEvent Own = [](TDataSet*) {};
  DataSet->SetAfterPost(Own);
  DataSet->SetAfterScroll(Own);
  Grid->SetDataSource(Source);
  Grid->SumList()->SetActive(true);
  EXPECT_TRUE(DataSet->AfterPost() == Own);
  EXPECT_TRUE(DataSet->AfterScroll() == Own);
  Grid->SetDesigning(false, false);
  Grid->SumList()->SetActive(false);
  Grid->SumList()->SetActive(true);
  EXPECT_FALSE(DataSet->AfterPost() == Own) << "at run time the list takes them over";
  Grid->SumList()->SetActive(false);
  EXPECT_TRUE(DataSet->AfterPost() == Own);
}

// The form frees the dataset before the grid: the list lets go of it in time (the
// sanitizers see any late use).
TEST_F(FooterTest, FreeingTheFormWithSumsOnIsClean) {
  TDBGridGx* Grid = SummedGrid(true);
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("Qty");
  Column->Footer()->SetValueType(fvtSum);
  ASSERT_EQ(FooterText(Grid, Column, 0), "5");
  Form.reset();
}

}  // namespace
