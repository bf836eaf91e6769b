// Binding a column to its dataset field by name: the field's own name, closed datasets,
// unbinding a field-driven column and moving it.
#include "tests/support/GridFixture.h"

namespace {

TEST_F(GridTest, AColumnTakesTheFieldsOwnNameOrStaysUnbound) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(NewSource({"Name"}, 1));
  TColumnGx* Column = Grid->Columns()->AddColumn();
  const struct {
    const char* Written;
    const char* Read;
    bool Bound;
  } Cases[] = {{"nAME", "Name", true}, {"Missing", "Missing", false}, {"", "", false}, {"name", "Name", true}};
  for (const auto& Case : Cases) {
    Column->SetFieldName(Case.Written);
    EXPECT_EQ(Column->FieldName(), Case.Read) << Case.Written;
    EXPECT_EQ(Column->Field() != nullptr, Case.Bound) << Case.Written;
  }
}

TEST_F(GridTest, AClosedDataSetBindsOnlyItsPersistentFields) {
  TDBGridGx* Grid = NewGrid();
  // Default fields go with the closed dataset.
  TDataSource* Defaults = NewSource({"Name"}, 1);
  Defaults->DataSet()->Close();
  Grid->SetDataSource(Defaults);
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("Name");
  EXPECT_EQ(Column->Field(), nullptr);
  EXPECT_EQ(Column->FieldName(), "Name");

  // A field made for the dataset stays while it is closed.
  auto* DataSet = new TClientDataSet(Form.get());
  auto* Field = new TStringField(Form.get());
  Field->SetFieldName("Name");
  Field->SetSize(10);
  Field->SetDataSet(DataSet);
  DataSet->CreateDataSet();
  DataSet->Close();
  auto* Persistent = new TDataSource(Form.get());
  Persistent->SetDataSet(DataSet);
  Grid->SetDataSource(Persistent);
  TColumnGx* Other = Grid->Columns()->AddColumn();
  Other->SetFieldName("name");
  EXPECT_EQ(Other->Field(), Field);
  EXPECT_EQ(Other->FieldName(), "Name");
}

TEST_F(GridTest, AFieldDrivenColumnFollowsItsFieldOrLetsItsNameGo) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"A", "B", "C"}, 1);
  Grid->SetDataSource(Source);
  TDataSet* DataSet = Source->DataSet();
  for (const char* Name : {"A", "B", "C"}) {
    Grid->Columns()->AddFieldColumn()->SetFieldName(Name);
    Grid->GridLink()->MapField(Name);
  }
  // Moving a default column moves its field in the dataset to the field shown there.
  Grid->Columns()->ColumnAt(2)->SetIndex(0);
  std::string Order;
  for (int i = 0; i < 3; ++i) Order += DataSet->Fields()[i]->FieldName();
  EXPECT_EQ(Order, "CAB");
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->FieldName(), "C");

  // Unbound, a default column lets the name go and returns to its defaults; a
  // customised column keeps the name it was given.
  TColumnGx* Driven = Grid->Columns()->ColumnAt(1);
  Driven->SetColor(clRed);
  Driven->SetField(nullptr);
  EXPECT_EQ(Driven->FieldName(), "");
  EXPECT_FALSE(Driven->AssignedValues().Contains(cvColor));
  TColumnGx* Custom = Grid->Columns()->AddColumn();
  Custom->SetFieldName("B");
  Custom->SetColor(clRed);
  Custom->SetField(nullptr);
  EXPECT_EQ(Custom->FieldName(), "B");
  EXPECT_EQ(Custom->Color(), clRed);
}

TEST_F(GridTest, AFlaggedCaptionIsStoredOnlyWhenItDiffersFromTheFieldsLabel) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"Name"}, 1);
  Grid->SetDataSource(Source);
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("Name");
  Source->DataSet()->FieldByName("Name")->SetDisplayLabel("Label");
  const TPropInfo* Caption = GetPropInfo(Column->Title(), "Caption");
  const struct {
    const char* Caption;
    bool Stored;
  } Cases[] = {{"Label", false}, {"Name", true}, {"Other", true}};
  for (const auto& Case : Cases) {
    Column->Title()->SetCaption(Case.Caption);
    EXPECT_TRUE(Column->AssignedValues().Contains(cvTitleCaption));
    EXPECT_EQ(Caption->IsStored(Column->Title()), Case.Stored) << Case.Caption;
  }
}

TEST_F(GridTest, DefaultsFollowTheBoundFieldsType) {
  TDBGridGx* Grid = NewGrid();
  auto* DataSet = new TClientDataSet(Form.get());
  const struct {
    const char* Name;
    TFieldType Type;
    bool WordWrap, Checkboxes;
    TAlignment Alignment;
  } Cases[] = {
      {"S", ftString, true, false, taLeftJustify},      {"M", ftMemo, true, false, taLeftJustify},
      {"F", ftFmtMemo, true, false, taLeftJustify},     {"W", ftWideString, true, false, taLeftJustify},
      {"I", ftInteger, false, false, taRightJustify},   {"D", ftFloat, false, false, taRightJustify},
      {"B", ftBoolean, false, true, taCenter},
  };
  for (const auto& Case : Cases)
    DataSet->FieldDefs().Add(Case.Name, Case.Type, Case.Type == ftString || Case.Type == ftWideString ? 10 : 0);
  DataSet->CreateDataSet();
  auto* Source = new TDataSource(Form.get());
  Source->SetDataSet(DataSet);
  Grid->SetDataSource(Source);
  for (const auto& Case : Cases) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(Case.Name);
    ASSERT_NE(Column->Field(), nullptr) << Case.Name;
    EXPECT_EQ(Column->WordWrap(), Case.WordWrap) << Case.Name;
    EXPECT_EQ(Column->Checkboxes(), Case.Checkboxes) << Case.Name;
    EXPECT_EQ(Column->Alignment(), Column->Field()->Alignment()) << Case.Name;
    EXPECT_TRUE(Column->AssignedValues().Empty()) << Case.Name;
  }
}

TEST_F(GridTest, AFieldDrivenWidthLivesInTheFieldsDisplayWidth) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"A"}, 1);
  Grid->SetDataSource(Source);
  TColumnGx* Column = Grid->Columns()->AddFieldColumn();
  Column->SetFieldName("A");
  Grid->HandleNeeded();
  TField* Field = Source->DataSet()->FieldByName("A");
  const int Digit = (Column->Width() - 4) / Field->DisplayWidth();
  ASSERT_GT(Digit, 0);
  Column->SetWidth(Digit * 7 + 4);
  EXPECT_EQ(Field->DisplayWidth(), 7);
  EXPECT_EQ(Column->Width(), Digit * 7 + 4);
  EXPECT_FALSE(Column->AssignedValues().Contains(cvWidth));
}

}  // namespace
