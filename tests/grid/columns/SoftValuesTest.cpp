// Soft values of columns and titles: defaults from the field, the grid and its column
// defaults until assigned; widths; returning to the defaults.
#include "tests/support/GridFixture.h"

namespace {

TEST_F(GridTest, AColumnWithoutGridReportsThePlainDefaults) {
  TDBGridColumnsGx Columns(nullptr, TDBGridColumnGx::StaticClass());
  TColumnGx* Column = Columns.AddColumn();
  EXPECT_EQ(Column->Width(), 64);
  EXPECT_EQ(Column->Color(), clWindow);
  EXPECT_EQ(Column->Alignment(), taLeftJustify);
  EXPECT_EQ(Column->Title()->Color(), clBtnFace);
  EXPECT_EQ(Column->Footer()->Color(), clWindow);
  EXPECT_EQ(Column->DropDownRows(), 7u);
  EXPECT_EQ(Column->NotInKeyListIndex(), -1);
}

TEST_F(GridTest, WidthWritesStoreOnlyRealValuesAndKeepTheLimits) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  const int Default = Column->Width();
  Column->SetWidth(Default);
  EXPECT_FALSE(Column->AssignedValues().Contains(cvWidth));
  Column->SetWidth(-1);
  EXPECT_FALSE(Column->AssignedValues().Contains(cvWidth));
  Column->SetMaxWidth(40);
  Column->SetMinWidth(50);
  Column->SetWidth(100);
  EXPECT_TRUE(Column->AssignedValues().Contains(cvWidth));
  EXPECT_EQ(Column->Width(), 50);  // the lower limit is applied last
  EXPECT_EQ(Column->ClampWidth(10), 50);
  Column->SetMinWidth(0);
  Column->SetMaxWidth(0);
  Column->SetWidth(500);
  EXPECT_EQ(Column->Width(), 500);
}

TEST_F(GridTest, DefaultsFollowTheGridUntilAssigned) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Grid->SetColor(clAqua);
  Grid->Font()->SetName("Arial");
  Grid->ColumnDefValues()->SetEndEllipsis(true);
  EXPECT_EQ(Column->Color(), clAqua);
  EXPECT_EQ(Column->Font()->Name(), "Arial");
  EXPECT_TRUE(Column->EndEllipsis());
  EXPECT_FALSE(Column->AssignedValues().Contains(cvFont));
  Column->Font()->SetSize(14);
  EXPECT_TRUE(Column->AssignedValues().Contains(cvFont));
  Grid->Font()->SetName("Courier New");
  EXPECT_EQ(Column->Font()->Name(), "Arial");

  // Title defaults: alignment centred with multi-line titles, colour from FixedColor.
  TColumnTitleGx* Title = Column->Title();
  EXPECT_EQ(Title->Alignment(), taLeftJustify);
  Grid->SetUseMultiTitle(true);
  EXPECT_EQ(Title->Alignment(), taCenter);
  Grid->SetFixedColor(clTeal);
  EXPECT_EQ(Title->Color(), clTeal);
  Grid->ColumnDefValues()->Title()->SetColor(clTeal);
  EXPECT_FALSE(GetPropInfo(Grid->ColumnDefValues()->Title(), "Color")->IsStored(Grid->ColumnDefValues()->Title()));
  Title->SetColor(clRed);
  Grid->SetFixedColor(clGray);
  EXPECT_EQ(Title->Color(), clRed);
}

TEST_F(GridTest, ResetToDefaultsClearsFlagsAndListsButKeepsPlainValues) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetColor(clRed);
  Column->SetWidth(99);
  Column->Title()->SetCaption("T");
  Column->Title()->SetColor(clRed);
  Column->PickList()->Add("p");
  Column->KeyList()->Add("k");
  Column->SetButtonStyle(cbsEllipsis);
  Column->SetDisplayFormat("0.00");
  Column->SetEditMask("999");
  Column->SetVisible(false);
  Column->SetTag(5);
  Column->ResetToDefaults();
  EXPECT_TRUE(Column->AssignedValues().Empty());
  EXPECT_EQ(Column->Title()->Caption(), "");
  EXPECT_FALSE(Column->HasPickList());
  EXPECT_FALSE(Column->HasKeyList());
  EXPECT_EQ(Column->ButtonStyle(), cbsAuto);
  EXPECT_EQ(Column->DisplayFormat(), "0.00");
  EXPECT_EQ(Column->EditMask(), "999");
  EXPECT_FALSE(Column->Visible());
  EXPECT_EQ(Column->Tag(), 5);
}

TEST_F(GridTest, FieldDrivenColumnsWriteThroughToTheirField) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"Name", "?Flag"}, 1);
  Grid->SetDataSource(Source);
  TColumnGx* Column = Grid->Columns()->AddFieldColumn();
  Column->SetFieldName("Name");
  TField* Field = Source->DataSet()->FieldByName("Name");
  ASSERT_EQ(Column->Field(), Field);
  // Unassigned width: the field's display width in digits of the column font, plus 4.
  const int Digit = (Column->Width() - 4) / Field->DisplayWidth();
  EXPECT_GT(Digit, 0);
  EXPECT_EQ(Column->Width(), Digit * Field->DisplayWidth() + 4);
  Column->SetAlignment(taRightJustify);
  Column->SetReadOnly(true);
  Column->Title()->SetCaption("Label");
  EXPECT_EQ(Field->Alignment(), taRightJustify);
  EXPECT_TRUE(Field->ReadOnly());
  EXPECT_EQ(Field->DisplayLabel(), "Label");
  EXPECT_FALSE(Column->AssignedValues().Contains(cvAlignment));
  EXPECT_EQ(Column->Alignment(), taRightJustify);
  EXPECT_EQ(Column->Title()->Caption(), "Label");
  EXPECT_TRUE(Column->WordWrap());  // string fields wrap by default
  EXPECT_FALSE(Grid->Columns()->IsCustomized());
}

}  // namespace
