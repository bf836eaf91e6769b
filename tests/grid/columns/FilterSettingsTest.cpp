// Filter-row settings: the grid's and each column's, and the text form of a condition.
#include "tests/support/GridFixture.h"

namespace {

TEST_F(GridTest, AColumnKeepsItsFilterTextAsTyped) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  TSTColumnFilterGx* Filter = Column->STFilter();
  Filter->SetFilterText("  >=  'b'  ");
  EXPECT_EQ(Filter->FilterText(), "  >=  'b'  ");
  EXPECT_EQ(Filter->ReadExpression().Operator1, focGreaterOrEqual);
  EXPECT_THROW(Filter->SetFilterText("= ("), Exception);
  EXPECT_EQ(Filter->FilterText(), "  >=  'b'  ");
  EXPECT_EQ(Filter->FilterFieldName(), "");
  EXPECT_EQ(Filter->ButtonProvider(), nullptr);
}

TEST_F(GridTest, ConditionsWriteBackInTheirTextForm) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(NewSource({"#Amount", "Name"}));
  TColumnGx* Amount = Grid->Columns()->AddColumn();
  Amount->SetFieldName("Amount");
  TColumnGx* Name = Grid->Columns()->AddColumn();
  Name->SetFieldName("Name");
  TDBGridColumnsGx Loose(nullptr, TDBGridColumnGx::StaticClass());
  TColumnGx* Unbound = Loose.AddColumn();
  const struct {
    TColumnGx* Column;
    const char* Typed;
    const char* Text;
  } Cases[] = {
      {Amount, "In (1, 2)", "In (1,2)"},
      {Amount, ">1.5 or <3", "> 1.5 OR < 3"},
      {Amount, "<>null", "<>Null"},
      {Name, "~ab", "~ 'ab'"},
      {Name, "!In (x)", "!In ('x')"},
      {Unbound, "= 1", ""},  // no field: no operand kind, no text form
  };
  for (const auto& Case : Cases) {
    std::string Normalized;
    Case.Column->STFilter()->ParseText(Case.Typed, Normalized);
    EXPECT_EQ(Normalized, Case.Text) << Case.Typed;
  }
}

TEST_F(GridTest, GridFilterSettingsCopyAndRelayout) {
  TDBGridGx* Grid = NewGrid();
  TSTDBGridGxFilter Settings(nullptr);
  Settings.SetVisible(true);
  Settings.SetLocal(true);
  Grid->STFilter()->Assign(&Settings);
  EXPECT_TRUE(Grid->STFilter()->Visible());
  EXPECT_TRUE(Grid->STFilter()->Local());
  EXPECT_EQ(Grid->TitleAreaRowCount(), 2);  // the title row and the filter row
  TFont Font;
  EXPECT_THROW(Grid->STFilter()->Assign(&Font), EConvertError);
}

}  // namespace
