// The kind of a column's cell, decided by the column's settings and its field.
#include <functional>

#include "tests/support/CellValuesFixture.h"

namespace {

TEST_F(CellValuesTest, CellKindFollowsTheColumnSettings) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"B", ftBoolean}});
  TClientDataSet* Main = NewLookupPair();
  auto* Images = new TCustomImageList(Form.get());
  const SettingCase<int> Cases[] = {
      {"plain string", Data, "S", NoSetting, CellKindPlain},
      {"boolean field", Data, "B", NoSetting, CellKindCheckBox},
      {"boolean without check box", Data, "B", [](TColumnGx* C) { C->SetCheckboxes(false); }, CellKindPlain},
      {"check box on a string", Data, "S", [](TColumnGx* C) { C->SetCheckboxes(true); }, CellKindCheckBox},
      {"check box beats a key list", Data, "S",
       [](TColumnGx* C) {
         C->SetCheckboxes(true);
         SetLines(C->KeyList(), {"Y", "N"});
       },
       CellKindCheckBox},
      {"lookup field", Main, "Title", NoSetting, CellKindLookup},
      {"lookup beats a pick list", Main, "Title", [](TColumnGx* C) { SetLines(C->PickList(), {"a"}); },
       CellKindLookup},
      {"pick list", Data, "S", [](TColumnGx* C) { SetLines(C->PickList(), {"a", "b"}); }, CellKindPickList},
      {"pick list beside an empty key list", Data, "S",
       [](TColumnGx* C) {
         SetLines(C->PickList(), {"a"});
         C->KeyList();
       },
       CellKindPickList},
      {"empty pick list", Data, "S", [](TColumnGx* C) { C->PickList(); }, CellKindPlain},
      {"key list with pick list", Data, "S",
       [](TColumnGx* C) {
         SetLines(C->KeyList(), {"1", "2"});
         SetLines(C->PickList(), {"one", "two"});
       },
       CellKindKeyPickList},
      {"key list alone", Data, "S", [](TColumnGx* C) { SetLines(C->KeyList(), {"1"}); }, CellKindKeyPickList},
      {"key list with images", Data, "S",
       [Images](TColumnGx* C) {
         SetLines(C->KeyList(), {"1"});
         SetLines(C->PickList(), {"one"});
         C->SetImageList(Images);
       },
       CellKindKeyImages},
  };
  CheckSettings(Cases, [](TColumnGx* C) { return C->CellKind(); });
}

TEST_F(CellValuesTest, AColumnWithoutFieldIsPlainUnlessItShowsCheckBoxes) {
  TColumnGx* Column = ColumnOn(NewDataSet({{"S", ftString}}), "Missing");
  EXPECT_EQ(Column->CellKind(), CellKindPlain);
  Column->SetCheckboxes(true);
  EXPECT_EQ(Column->CellKind(), CellKindCheckBox);
}

// Formatting a key-list cell used to create the pick list and so turn the kind; the kind
// and what Space steps through are the same before and after the first paint.
TEST_F(CellValuesTest, AKeyListColumnHasOneKindWhateverWasFormattedBefore) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  Put(Data, "S", Variant("x"));
  TColumnGx* Column = ColumnOn(Data, "S");
  SetLines(Column->KeyList(), {"A", "B"});
  EXPECT_EQ(Column->CellKind(), CellKindKeyPickList);
  Column->StepCellValue(1.0);
  EXPECT_EQ(Data->FieldByName("S")->AsString(), "A");
  EXPECT_EQ(Column->FormatCellText(), "");
  EXPECT_FALSE(Column->HasPickList());
  EXPECT_EQ(Column->CellKind(), CellKindKeyPickList);
}

}  // namespace
