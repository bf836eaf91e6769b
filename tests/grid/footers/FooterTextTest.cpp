// What a footer cell says for each value type, formatted by the field's type.
#include "tests/support/FooterFixture.h"

namespace {

struct FooterCase {
  const char* Name;
  const char* ColumnField;  // the column's field ("" for none)
  TFooterValueType Type;
  const char* FooterField;
  const char* FooterFormat;
  const char* FieldFormat;  // display format of the summed field
  const char* Expected;
};

TEST_F(FooterTest, TextFollowsValueTypeFieldTypeAndFormats) {
  TDBGridGx* Grid = SummedGrid();
  const FooterCase Cases[] = {
      {"integer sum", "Qty", fvtSum, "", "", "", "5"},
      {"integer average is rounded half to even", "Qty", fvtAvg, "", "", "", "2"},
      {"integer average in the footer's format", "Qty", fvtAvg, "", "0.00", "", "2.50"},
      {"integer sum in the field's format", "Qty", fvtSum, "", "", "0.0", "5.0"},
      {"footer format wins over the field's", "Qty", fvtSum, "", "#", "0.0", "5"},
      {"float sum", "Price", fvtSum, "", "", "", "4.25"},
      {"float average to four decimals", "Price", fvtAvg, "", "", "", "1.4167"},
      {"float sum in the field's format", "Price", fvtSum, "", "", "0.0", "4.3"},
      {"currency sum as money", "Cost", fvtSum, "", "", "", "$30.50"},
      {"currency average skips the empty row", "Cost", fvtAvg, "", "", "", "$15.25"},
      {"decimal sum", "Amount", fvtSum, "", "", "", "6.75"},
      {"decimal sum in the field's format", "Amount", fvtSum, "", "", "0.000", "6.750"},
      {"decimal sum in the footer's format", "Amount", fvtSum, "", "0.0", "0.000", "6.8"},
      {"sum of another field named by the footer", "Name", fvtSum, "Qty", "", "", "5"},
      {"sum over a column without a field", "", fvtSum, "", "", "", "0"},
      {"average of a string field", "Name", fvtAvg, "", "", "", "0"},
      {"record count", "Name", fvtCount, "", "", "", "3"},
      {"record count in the footer's format", "Name", fvtCount, "", "0 rows", "", "3 rows"},
      {"field value of the current record", "Name", fvtFieldValue, "Price", "", "", "1.5"},
      {"field value in the footer's format", "Name", fvtFieldValue, "Price", "0.00", "", "1.50"},
      {"field value of a field the dataset lacks", "Name", fvtFieldValue, "Missing", "", "", ""},
      {"field value without a field name", "Price", fvtFieldValue, "", "", "", ""},
      {"static text", "Name", fvtStaticText, "", "", "", "Total"},
      {"nothing", "Qty", fvtNon, "", "", "", ""},
  };
  TDataSet* DataSet = Grid->DataSource()->DataSet();
  for (const FooterCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(Case.ColumnField);
    TColumnFooterGx* Footer = Column->Footer();
    Footer->SetValueType(Case.Type);
    Footer->SetFieldName(Case.FooterField);
    Footer->SetDisplayFormat(Case.FooterFormat);
    Footer->SetValue("Total");
    const std::string Summed = *Case.FooterField ? Case.FooterField : Case.ColumnField;
    auto* Numeric = dynamic_cast<TNumericField*>(DataSet->FindField(Summed));
    if (Numeric) Numeric->SetDisplayFormat(Case.FieldFormat);
    DataSet->First();
    EXPECT_EQ(FooterText(Grid, Column, 0), Case.Expected);
    if (Numeric) Numeric->SetDisplayFormat("");
    delete Column;
  }
}

// The sum list refuses to total a field the dataset lacks; the footer still shows "0".
TEST_F(FooterTest, SumsOfFieldsTheDatasetLacksShowZero) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(NewSource({"Name", "%Qty"}, 2));
  TColumnGx* Gone = Grid->Columns()->AddColumn();
  Gone->SetFieldName("Gone");
  Gone->Footer()->SetValueType(fvtSum);
  TColumnGx* Named = Grid->Columns()->AddColumn();
  Named->SetFieldName("Qty");
  Named->Footer()->SetValueType(fvtAvg);
  Named->Footer()->SetFieldName("Missing");
  EXPECT_EQ(FooterText(Grid, Gone, 0), "0");
  EXPECT_EQ(FooterText(Grid, Named, 0), "0");
  Grid->SetDataSource(nullptr);
  EXPECT_EQ(FooterText(Grid, Named, 0), "0");
}

TEST_F(FooterTest, EachFooterRowUsesItsOwnItemElseTheSingleFooter) {
  TDBGridGx* Grid = SummedGrid();
  Grid->SetFooterRowCount(3);
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("Qty");
  Column->Footer()->SetValueType(fvtCount);
  Column->Footers()->Add()->SetValueType(fvtSum);
  TColumnFooterGx* Second = Column->Footers()->Add();
  Second->SetValueType(fvtStaticText);
  Second->SetValue("Qty");
  EXPECT_EQ(FooterText(Grid, Column, 0), "5");
  EXPECT_EQ(FooterText(Grid, Column, 1), "Qty");
  EXPECT_EQ(FooterText(Grid, Column, 2), "3");
}

TEST_F(FooterTest, SumsFollowEditsAndTheFieldTheColumnIsBoundTo) {
  TDBGridGx* Grid = SummedGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("Qty");
  Column->Footer()->SetValueType(fvtSum);
  TDataSet* DataSet = Grid->DataSource()->DataSet();
  DataSet->First();
  DataSet->Edit();
  DataSet->FieldByName("Qty")->SetAsInteger(11);
  DataSet->Post();
  EXPECT_EQ(FooterText(Grid, Column, 0), "15");
  // Re-bound to another field, the footer totals that one.
  Column->SetFieldName("Price");
  EXPECT_EQ(FooterText(Grid, Column, 0), "4.25");
  // Switched to text and back, it gets a sum of its own again.
  Column->Footer()->SetValueType(fvtStaticText);
  Column->Footer()->SetValueType(fvtSum);
  EXPECT_EQ(FooterText(Grid, Column, 0), "4.25");
}

}  // namespace
