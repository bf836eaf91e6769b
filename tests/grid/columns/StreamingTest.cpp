// Columns, titles and footers in a form description: what is stored and what reads back.
#include "tests/support/GridFixture.h"

namespace {

TEST_F(GridTest, ColumnsWithTitlesAndFootersReadBackToTheSameText) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetFooterRowCount(2);
  TColumnGx* A = Grid->Columns()->AddColumn();
  A->SetFieldName("Amount");
  A->SetWidth(87);
  A->SetColor(clYellow);
  A->Title()->SetCaption("Sales|Amount");
  A->Title()->SetAlignment(taCenter);
  A->Title()->Font()->SetName("Arial");
  A->Footer()->SetValueType(fvtSum);
  A->Footer()->SetDisplayFormat("#,##0.00");
  TColumnFooterGx* Row0 = A->Footers()->Add();
  Row0->SetValueType(fvtStaticText);
  Row0->SetValue("Total");
  Row0->SetColor(clRed);
  TColumnGx* B = Grid->Columns()->AddColumn();
  B->SetFieldName("Note");
  B->SetVisible(false);
  B->SetReadOnly(true);
  B->STFilter()->SetVisible(false);
  B->SetIncrement(0.5);

  const std::string Text = WriteComponentResText(Form.get());
  const std::string Columns = ColumnsBlock(Text);
  ASSERT_FALSE(Columns.empty()) << Text;
  // Defaults and unassigned soft values are not written.
  for (const char* Absent : {"DropDownRows", "AutoFitColWidth", "ButtonStyle", "NotInKeyListIndex", "Title.Color",
                             "Footer.Alignment", "ImageIndex", "Checkboxes", "Alignment = taLeftJustify"})
    EXPECT_EQ(Columns.find(Absent), std::string::npos) << Absent << "\n" << Columns;
  for (const char* Present : {"Width = 87", "Color = clYellow", "Title.Caption = 'Sales|Amount'",
                              "Title.Alignment = taCenter", "Title.Font.Name = 'Arial'", "Footer.ValueType = fvtSum",
                              "Footers = <", "Value = 'Total'", "Visible = False", "ReadOnly = True",
                              "STFilter.Visible = False", "Increment = 0.5"})
    EXPECT_NE(Columns.find(Present), std::string::npos) << Present << "\n" << Columns;

  auto Copy = std::make_unique<TForm>(nullptr);
  ReadComponentResText(Text, Copy.get());
  auto* Read = static_cast<TDBGridGx*>(Copy->FindComponent("DBGridGx1"));
  ASSERT_NE(Read, nullptr);
  ASSERT_EQ(Read->Columns()->Count(), 2);
  EXPECT_EQ(Read->Columns()->ColumnAt(1)->Visible(), false);
  EXPECT_EQ(Read->Columns()->ColumnAt(0)->Footers()->Items(0)->Color(), clRed);
  EXPECT_EQ(WriteComponentResText(Copy.get()), Text);
}

TEST_F(GridTest, KeyListAndPickListColumnsRoundTrip) {
  TDBGridGx* Grid = NewGrid();
  const char* Keys[] = {"KeyIndex", "control"};
  for (const char* Name : Keys) Grid->Columns()->AddColumn()->SetFieldName(Name);
  TColumnGx* Key = Grid->Columns()->ColumnAt(0);
  TColumnGx* Check = Grid->Columns()->ColumnAt(1);
  for (int i = 0; i < 103; ++i) {
    Key->KeyList()->Add(std::to_string(i));
    Key->PickList()->Add("vk" + std::to_string(i));
  }
  Check->KeyList()->Add("true");
  Check->KeyList()->Add("false");
  Check->SetCheckboxes(true);
  Check->Title()->SetCaption("键");

  const std::string Text = WriteComponentResText(Form.get());
  auto Copy = std::make_unique<TForm>(nullptr);
  ReadComponentResText(Text, Copy.get());
  auto* Read = static_cast<TDBGridGx*>(Copy->FindComponent("DBGridGx1"));
  ASSERT_NE(Read, nullptr);
  ASSERT_EQ(Read->Columns()->Count(), 2);
  TColumnGx* ReadKey = Read->Columns()->ColumnAt(0);
  EXPECT_EQ(ReadKey->KeyList()->Count(), 103);
  EXPECT_EQ(ReadKey->PickList()->Strings(102), "vk102");
  TColumnGx* ReadCheck = Read->Columns()->ColumnAt(1);
  EXPECT_FALSE(ReadCheck->HasPickList());
  EXPECT_TRUE(ReadCheck->Checkboxes());
  EXPECT_TRUE(ReadCheck->AssignedValues().Contains(cvCheckboxes));
  EXPECT_EQ(ReadCheck->Title()->Caption(), "键");
  EXPECT_EQ(WriteComponentResText(Copy.get()), Text);
}

TEST_F(GridTest, AssignedValuesEqualToTheirDefaultAreNotStored) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("Name");
  Column->Title()->SetCaption("Name");         // the default caption: the field name
  Column->SetColor(Grid->Color());             // the grid's colour
  Column->SetEndEllipsis(false);               // ColumnDefValues.EndEllipsis
  Column->SetTag(3);
  EXPECT_TRUE(Column->AssignedValues().Contains(cvTitleCaption));
  EXPECT_TRUE(Column->AssignedValues().Contains(cvColor));
  const std::string Columns = ColumnsBlock(WriteComponentResText(Form.get()));
  EXPECT_EQ(Columns.find("Caption"), std::string::npos) << Columns;
  EXPECT_EQ(Columns.find("Color"), std::string::npos) << Columns;
  EXPECT_EQ(Columns.find("EndEllipsis"), std::string::npos) << Columns;
  EXPECT_NE(Columns.find("Tag = 3"), std::string::npos) << Columns;
}

TEST_F(GridTest, ColumnSettingsOfTheWrongShapeFailToReadWithTheirName) {
  TDBGridGx* Grid = NewGrid();
  Grid->Columns()->AddColumn()->SetFieldName("A");
  const std::string Text = WriteComponentResText(Form.get());
  const std::string Field = "FieldName = 'A'";
  ASSERT_NE(Text.find(Field), std::string::npos) << Text;
  for (const char* Setting :
       {"MRUList = 1", "MRUList.Width = 3", "DropDownBox.Width = 200", "DropDownBox = 1",
        "OnDropDownBoxCheckButton = NoSuchMethod"}) {
    std::string Bad = Text;
    Bad.insert(Bad.find(Field) + Field.size(), std::string("\n        ") + Setting);
    const std::string Name = std::string(Setting).substr(0, std::string(Setting).find_first_of(". "));
    auto Copy = std::make_unique<TForm>(nullptr);
    try {
      ReadComponentResText(Bad, Copy.get());
      ADD_FAILURE() << Setting << " was read";
    } catch (const Exception& E) {
      EXPECT_NE(std::string(E.Message()).find(Name), std::string::npos) << E.Message();
    }
  }
}

}  // namespace
