// Copying columns, titles, footers and column defaults: assigned values travel, defaults
// keep following the target's grid.
#include "tests/support/GridFixture.h"

namespace {

TEST_F(GridTest, AssignCopiesAssignedValuesAndLeavesDefaultsFollowingTheTargetGrid) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Source = Grid->Columns()->AddColumn();
  Source->SetFieldName("A");
  Source->SetWidth(120);
  Source->Title()->SetCaption("Alpha");
  Source->Title()->SetSortIndex(0);
  Source->Footer()->SetValueType(fvtStaticText);
  Source->Footer()->SetValue("sum");
  Source->Footers()->Add()->SetValue("row 0");
  Source->PickList()->Add("x");
  Source->SetTag(7);
  Source->SetVisible(false);
  Source->SetIsCurrency(true);
  Source->STFilter()->SetDataField("ORIGIN");
  Source->DropDownBox()->SetUseMultiTitle(!Source->DropDownBox()->UseMultiTitle());
  Source->MRUList()->SetLimit(3);
  Source->MRUList()->SetActive(true);

  auto Other = std::make_unique<TForm>(nullptr);
  TDBGridGx* Target = NewGrid(Other.get());
  Target->SetColor(clAqua);
  TColumnGx* Copy = Target->Columns()->AddColumn();
  Copy->SetKeyList(nullptr);
  Copy->Assign(Source);

  EXPECT_EQ(Copy->FieldName(), "A");
  EXPECT_EQ(Copy->Width(), 120);
  EXPECT_EQ(Copy->Title()->Caption(), "Alpha");
  EXPECT_EQ(Copy->Footer()->Value(), "sum");
  ASSERT_EQ(Copy->Footers()->Count(), 1);
  EXPECT_EQ(Copy->Footers()->Items(0)->Value(), "row 0");
  EXPECT_EQ(Copy->PickList()->Strings(0), "x");
  EXPECT_FALSE(Copy->HasKeyList());
  EXPECT_EQ(Copy->Tag(), 7);
  EXPECT_EQ(Copy->DropDownBox()->UseMultiTitle(), Source->DropDownBox()->UseMultiTitle());
  EXPECT_EQ(Copy->MRUList()->Limit(), 3);
  EXPECT_TRUE(Copy->MRUList()->Active());
  EXPECT_FALSE(Copy->Visible());
  // Colour was not assigned in the source: the copy shows its own grid's colour.
  EXPECT_FALSE(Copy->AssignedValues().Contains(cvColor));
  EXPECT_EQ(Copy->Color(), clAqua);
  // Not copied.
  EXPECT_FALSE(Copy->IsCurrency());
  EXPECT_EQ(Copy->STFilter()->DataField(), "");
  // Copied through their writers: assigned in the copy.
  EXPECT_TRUE(Copy->AssignedValues().Contains(cvEndEllipsis));
  EXPECT_TRUE(Copy->AssignedValues().Contains(cvTitleButton));
  EXPECT_EQ(Target->Columns()->UpdateCount(), 0);
}

TEST_F(GridTest, AssignFromAnotherClassRaisesTheConversionError) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  TFont Font;
  EXPECT_THROW(Column->Assign(&Font), EConvertError);
  EXPECT_THROW(Column->Title()->Assign(&Font), EConvertError);
  EXPECT_THROW(Column->Footer()->Assign(&Font), EConvertError);
  EXPECT_EQ(Grid->Columns()->UpdateCount(), 0);
}

TEST_F(GridTest, FooterAndDefaultValuesCopyOnlyWhatTheSourceAssigned) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetFooterColor(clSilver);
  TColumnGx* Column = Grid->Columns()->AddColumn();
  TColumnFooterGx* Colored = Column->Footers()->Add();
  Colored->SetColor(clRed);
  TColumnFooterGx* Plain = Column->Footers()->Add();
  TColumnFooterGx* FromColored = Column->Footers()->Add();
  TColumnFooterGx* FromPlain = Column->Footers()->Add();
  FromColored->Assign(Colored);
  FromPlain->Assign(Plain);
  EXPECT_EQ(FromColored->Color(), clRed);
  EXPECT_TRUE(FromColored->AssignedValues().Contains(fvColor));
  EXPECT_FALSE(FromPlain->AssignedValues().Contains(fvColor));
  Grid->SetFooterColor(clLime);
  EXPECT_EQ(FromPlain->Color(), clLime);

  TColumnDefValuesGx Defaults(nullptr);
  Defaults.Title()->SetColor(clNavy);
  Defaults.SetToolTips(true);
  Grid->ColumnDefValues()->Assign(&Defaults);
  EXPECT_EQ(Column->Title()->Color(), clNavy);
  EXPECT_TRUE(Column->ToolTips());
  EXPECT_FALSE(Grid->ColumnDefValues()->Title()->AssignedValues().Contains(tdvAlignment));
}

TEST_F(GridTest, AColumnCopiedOntoItselfKeepsEveryValue) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("A");
  Column->SetColor(clRed);
  Column->SetWidth(111);
  Column->Title()->SetCaption("Alpha");
  Column->PickList()->Add("x");
  Column->SetButtonStyle(cbsEllipsis);
  const TColumnGxValues Assigned = Column->AssignedValues();
  Column->Assign(Column);
  EXPECT_EQ(Column->AssignedValues(), Assigned);
  EXPECT_EQ(Column->Color(), clRed);
  EXPECT_EQ(Column->Width(), 111);
  EXPECT_EQ(Column->Title()->Caption(), "Alpha");
  ASSERT_TRUE(Column->HasPickList());
  EXPECT_EQ(Column->PickList()->Strings(0), "x");
  EXPECT_EQ(Column->ButtonStyle(), cbsEllipsis);
}

}  // namespace
