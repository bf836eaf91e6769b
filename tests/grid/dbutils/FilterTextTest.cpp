// The filter and SQL text builders: conditions typed in filter cells written out as
// dataset filter text and as SQL, for every operator and kind of value.
#include <gtest/gtest.h>

#include <string>

#include "grid/DbUtilsGx.h"
#include "platform/data/FilterExpr.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/GridFixture.h"

namespace {

class FilterTextTest : public GridTest {
protected:
  void SetUp() override {
    Grid = NewGrid();
    DataSet = new TClientDataSet(Form.get());
    struct Def {
      const char* Name;
      TFieldType Type;
    };
    for (Def D : {Def{"Qty", ftInteger}, Def{"Name", ftString}, Def{"Price", ftFloat}, Def{"Done", ftBoolean},
                  Def{"Day", ftDate}, Def{"At", ftDateTime}, Def{"Tm", ftTime}, Def{"Amount", ftBCD},
                  Def{"Order Date", ftString}, Def{"Order", ftString}, Def{"Data", ftBlob}})
      DataSet->FieldDefs().Add(D.Name, D.Type, D.Type == ftString ? 20 : 0);
    DataSet->CreateDataSet();
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(DataSet);
    Grid->SetDataSource(Source);
  }

  TColumnGx* ColumnFor(const std::string& FieldName) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(FieldName);
    return Column;
  }

  TDBGridGx* Grid = nullptr;
  TClientDataSet* DataSet = nullptr;
};

struct ItemCase {
  const char* Field;
  const char* Condition;
  const char* Local;
  const char* SQL;
};

TEST_F(FilterTextTest, EveryOperatorAndKindOfValueInBothLanguages) {
  const ItemCase Cases[] = {
      {"Qty", "5", " [Qty] = 5", " Qty = 5"},
      {"Qty", ">= 10", " [Qty] >= 10", " Qty >= 10"},
      {"Qty", "<> 3", " [Qty] <> 3", " Qty <> 3"},
      {"Qty", "< 3", " [Qty] < 3", " Qty < 3"},
      {"Qty", "<= 3", " [Qty] <= 3", " Qty <= 3"},
      {"Qty", "> 3", " [Qty] > 3", " Qty > 3"},
      {"Qty", "= 1 OR = 2", "( [Qty] = 1 OR [Qty] = 2)", "( Qty = 1 OR Qty = 2)"},
      {"Qty", ">= 1 AND <= 9", " [Qty] >= 1 AND [Qty] <= 9", " Qty >= 1 AND Qty <= 9"},
      {"Qty", "In (1, 2,3)", " ([Qty] = 1 OR [Qty] = 2 OR [Qty] = 3)", " Qty IN (1,2,3)"},
      {"Qty", "!In (1,2)", " ([Qty] <> 1 AND [Qty] <> 2)", " Qty NOT IN (1,2)"},
      {"Qty", "= Null", " [Qty] IS NULL", " Qty IS NULL"},
      {"Qty", "<> Null", " [Qty] IS NOT NULL", " Qty IS NOT NULL"},
      // A trailing AND or OR adds nothing.
      {"Qty", "> 5 AND", " [Qty] > 5", " Qty > 5"},
      {"Qty", "> 5 OR", " [Qty] > 5", " Qty > 5"},
      {"Price", "> 2.25", " [Price] > 2.25", " Price > 2.25"},
      {"Amount", "= 12.5", " [Amount] = 12.5", " Amount = 12.5"},
      {"Name", "Smith", " [Name] LIKE 'Smith'", " Name LIKE 'Smith'"},
      {"Name", "~ Sm%", " [Name] LIKE 'Sm%'", " Name LIKE 'Sm%'"},
      {"Name", "!~ Sm%", " [Name] NOT LIKE 'Sm%'", " Name NOT LIKE 'Sm%'"},
      {"Name", "In ('a','b')", " ([Name] = 'a' OR [Name] = 'b')", " Name IN ('a','b')"},
      {"Name", "= O'Brien", " [Name] = 'O''Brien'", " Name = 'O''Brien'"},
      // An operand crafted to close the literal stays one literal.
      {"Name", "= a'OR'a'='a", " [Name] = 'a''OR''a''=''a'", " Name = 'a''OR''a''=''a'"},
      {"Name", "= 'Null'", " [Name] = 'Null'", " Name = 'Null'"},
      {"Done", "= True", " [Done] = 1", " Done = 1"},
      {"Done", "= no", " [Done] = 0", " Done = 0"},
      {"Done", "<> 1", " [Done] <> 1", " Done <> 1"},
      {"Done", "= maybe", " [Done] = 'maybe'", " Done = 'maybe'"},
      // Dates as the data layer stores them for the field's type.
      {"Day", ">= 3/15/2024", " [Day] >= '2024-03-15'", " Day >= '2024-03-15'"},
      {"At", "= 3/15/2024", " [At] = '2024-03-15 00:00:00'", " At = '2024-03-15 00:00:00'"},
      {"At", "< 3/15/2024 10:30", " [At] < '2024-03-15 10:30:00'", " At < '2024-03-15 10:30:00'"},
      {"Tm", "> 10:30", " [Tm] > '10:30:00'", " Tm > '10:30:00'"},
      // Names that SQL would not read as one name.
      {"Order Date", "= x", " [Order Date] = 'x'", " \"Order Date\" = 'x'"},
      {"Order", "= x", " [Order] = 'x'", " \"Order\" = 'x'"},
      // Not filterable, or no condition.
      {"Data", "= x", "", ""},
      {"Qty", "", "", ""},
  };
  for (const ItemCase& C : Cases) {
    SCOPED_TRACE(std::string(C.Field) + " " + C.Condition);
    Grid->Columns()->Clear();
    TColumnGx* Column = ColumnFor(C.Field);
    Column->STFilter()->SetFilterText(C.Condition);
    EXPECT_EQ(ColumnFilterText(Column, FilterItemText, nullptr, false), C.Local);
    EXPECT_EQ(ColumnFilterText(Column, SQLItemText, nullptr, true), C.SQL);
  }
}

TEST_F(FilterTextTest, DecimalsAndDatesIgnoreTheLocale) {
  const TFormatSettings Saved = GetFormatSettings();
  auto Restore = AtScopeExit([&] { SetFormatSettings(Saved); });
  TFormatSettings German = Saved;
  German.DecimalSeparator = ',';
  German.ThousandSeparator = '.';
  German.DateSeparator = '.';
  German.ShortDateFormat = "dd.mm.yyyy";
  SetFormatSettings(German);
  TColumnGx* Price = ColumnFor("Price");
  Price->STFilter()->SetFilterText("> 1,5");
  EXPECT_EQ(ColumnFilterText(Price, FilterItemText, nullptr, false), " [Price] > 1.5");
  EXPECT_EQ(ColumnFilterText(Price, SQLItemText, nullptr, false), " Price > 1.5");
  TColumnGx* Day = ColumnFor("Day");
  Day->STFilter()->SetFilterText("= 15.03.2024");
  EXPECT_EQ(ColumnFilterText(Day, SQLItemText, nullptr, false), " Day = '2024-03-15'");
  // The separator put back.
  EXPECT_EQ(DecimalSeparator, ',');
  EXPECT_EQ(FloatToStr(1.5), "1,5");
}

TEST_F(FilterTextTest, NumbersReadBackThroughTheDatasetFilter) {
  // Signs, exponents and lists written out for a dataset must select the rows meant.
  const struct {
    const char* Field;
    const char* Condition;
    Variant Value;
    bool Match;
  } Cases[] = {
      {"Qty", "1,-1050406", Variant(-1050406), true},
      {"Qty", "In (1, -7)", Variant(-7), true},
      {"Qty", "> -5", Variant(-4), true},
      {"Qty", "> -5", Variant(-5), false},
      {"Price", "< -1.5", Variant(-2.0), true},
      {"Price", "< -1.5", Variant(-1.0), false},
      {"Price", "> 1e-7", Variant(1e-6), true},
      {"Price", "> -1.5e20", Variant(-1e20), true},
      {"Price", "< +2.5", Variant(2.0), true},
      {"Amount", "= -12.5", Variant(-12.5), true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(std::string(C.Field) + " " + C.Condition);
    Grid->Columns()->Clear();
    TColumnGx* Column = ColumnFor(C.Field);
    Column->STFilter()->SetFilterText(C.Condition);
    const std::string Text = ColumnFilterText(Column, FilterItemText, nullptr, false);
    ASSERT_FALSE(Text.empty());
    TFilterExpr Expr(Text);
    const TFieldType Type = Column->Field()->DataType();
    EXPECT_EQ(Expr.Matches([&](const std::string&, Variant& V, TFieldType& T) {
      V = C.Value;
      T = Type;
      return true;
    }),
              C.Match)
        << Text;
  }
}

TEST_F(FilterTextTest, TheWholeGridJoinsColumnsWithAndOnlyWhileOpen) {
  ColumnFor("Qty")->STFilter()->SetFilterText(">= 10");
  ColumnFor("Price");
  ColumnFor("Name")->STFilter()->SetFilterText("~ Smith");
  std::string Text = "old";
  GridFilterText(Grid, FilterItemText, nullptr, Text, false);
  EXPECT_EQ(Text, " [Qty] >= 10 AND  [Name] LIKE 'Smith'");
  GridFilterText(Grid, SQLItemText, nullptr, Text, false);
  EXPECT_EQ(Text, " Qty >= 10 AND  Name LIKE 'Smith'");
  DataSet->Close();
  GridFilterText(Grid, FilterItemText, nullptr, Text, false);
  EXPECT_EQ(Text, "");
  Grid->SetDataSource(nullptr);
  GridFilterText(Grid, FilterItemText, nullptr, Text, false);
  EXPECT_EQ(Text, "");
}

TEST_F(FilterTextTest, OriginsNameTheFieldInSQLUnlessTheFilterNamesADataField) {
  TColumnGx* Column = ColumnFor("Qty");
  Column->STFilter()->SetFilterText("> 1");
  Column->Field()->SetOrigin("T.Qty");
  EXPECT_EQ(ColumnFilterText(Column, SQLItemText, nullptr, true), " T.Qty > 1");
  EXPECT_EQ(ColumnFilterText(Column, SQLItemText, nullptr, false), " Qty > 1");
  Column->STFilter()->SetDataField("Other");
  EXPECT_EQ(ColumnFilterText(Column, SQLItemText, nullptr, true), " Qty > 1");
}

TEST(SQLLiterals, DatesByDialect) {
  const TFormatSettings Saved = GetFormatSettings();
  auto Restore = AtScopeExit([&] { SetFormatSettings(Saved); });
  TFormatSettings Dotted = Saved;
  Dotted.DateSeparator = '.';
  Dotted.ShortDateFormat = "dd.mm.yyyy";
  SetFormatSettings(Dotted);
  const Variant Date = Variant::FromDateTime(EncodeDate(2024, 3, 15));
  const Variant Stamp = Variant::FromDateTime(EncodeDate(2024, 3, 15) + EncodeTime(9, 5, 7, 0));
  struct Case {
    const char* Dialect;
    Variant Value;
    TFieldType Type;
    const char* Literal;
  };
  const Case Cases[] = {
      {"MSACCESS", Date, ftUnknown, "#03/15/2024#"},
      {"msaccess", Date, ftDate, "#03/15/2024#"},
      {"ORACLE", Date, ftUnknown, "TO_DATE('15.03.2024','dd.mm.yyyy')"},
      {"STANDARD", Date, ftUnknown, "'15.03.2024'"},
      {"INTRBASE", Stamp, ftUnknown, "'15.03.2024 09:05:07'"},
      {"SQLITE", Date, ftUnknown, "'2024-03-15'"},
      {"SQLITE", Date, ftDateTime, "'2024-03-15 00:00:00'"},
      {"SQLITE", Stamp, ftUnknown, "'2024-03-15 09:05:07'"},
      {"SQLITE", Stamp, ftDate, "'2024-03-15'"},
      {"SQLITE", Stamp, ftTime, "'09:05:07'"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Dialect);
    std::string Text;
    SQLDateLiteral(C.Dialect, C.Value, Text, C.Type);
    EXPECT_EQ(Text, C.Literal);
  }
  EXPECT_EQ(DateSeparator, '.');
}

TEST(SQLLiterals, ValuesAndNames) {
  struct Case {
    Variant Value;
    const char* Literal;
  };
  const Case Cases[] = {
      {Variant(7), "7"},          {Variant(2.5), "2.5"},   {Variant(true), "1"},
      {Variant(false), "0"},      {Variant("it's"), "'it''s'"}, {Null(), "NULL"},
      {Variant(Currency::FromDouble(1.25)), "1.25"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(SQLValueText(C.Value, nullptr, nullptr), C.Literal);
    EXPECT_EQ(FilterValueText(C.Value, nullptr, nullptr), C.Literal);
  }
  struct NameCase {
    const char* Name;
    const char* SQL;
  };
  for (NameCase C : {NameCase{"Qty", "Qty"}, NameCase{"Order Date", "\"Order Date\""}, NameCase{"group", "\"group\""},
                     NameCase{"T.Qty", "T.Qty"}, NameCase{"T.Order", "T.\"Order\""}, NameCase{"[A B]", "[A B]"},
                     NameCase{"Say \"hi\"", "\"Say \"\"hi\"\"\""}, NameCase{"2nd", "\"2nd\""}})
    EXPECT_EQ(SQLFieldName(C.Name), C.SQL);
}

}  // namespace
