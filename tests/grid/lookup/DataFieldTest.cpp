// A lookup grid bound to a field of another dataset: choosing writes the key there, and
// the field's value is the grid's key.
#include "tests/support/LookupFixture.h"

namespace {
class DataFieldTest : public LookupTest {
protected:
  void Bind() {
    auto* Data = new TClientDataSet(Form.get());
    Data->SetName("Data");
    Data->FieldDefs().Add("KeyID", ftInteger, 0);
    Data->CreateDataSet();
    Data->Append();
    Data->FieldByName("KeyID")->SetAsInteger(4);
    Data->Post();
    DataSet = Data;
    auto* S = new TDataSource(Form.get());
    S->SetDataSet(Data);
    Grid->SetDataSource(S);
    Grid->SetDataField("KeyID");
  }
  TDataSet* DataSet = nullptr;
};
}  // namespace

TEST_F(DataFieldTest, TheFieldGivesTheKeyAndAChoiceWritesIt) {
  Open(20, 5);
  Bind();
  EXPECT_EQ(Key(), 4);
  Grid->SetFocus();
  Press(win::VK_DOWN);
  EXPECT_EQ(DataSet->FieldByName("KeyID")->AsInteger(), 5);
  EXPECT_EQ(Key(), 5);
  DataSet->Cancel();
  EXPECT_EQ(Key(), 4);
}

TEST_F(DataFieldTest, AReadOnlyLinkChangesNothing) {
  Open(20, 5);
  Bind();
  Grid->SetReadOnly(true);
  EXPECT_FALSE(Grid->CanChangeKeyValue());
  Grid->SetFocus();
  Press(win::VK_DOWN);
  EXPECT_EQ(DataSet->FieldByName("KeyID")->AsInteger(), 4);
}

TEST_F(DataFieldTest, ReadingTheKeyRowsLeavesTheListWhereItWas) {
  Open(20, 5);
  Grid->SetKeyValue(Variant(3));
  List->MoveBy(1);
  const int Active = Grid->GridLink()->ActiveRecord();
  EXPECT_EQ(Grid->KeyRowIndex(), 2);
  EXPECT_EQ(Grid->GridLink()->ActiveRecord(), Active);
  EXPECT_EQ(CurrentId(), 4);
}
