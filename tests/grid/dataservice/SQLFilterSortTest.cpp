// The data service filtering and sorting SQLite-backed datasets: the rows a user sees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/DBGridGx/GridDataService.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/SQLGridFixture.h"

namespace {

using Rows = std::vector<std::string>;

class SQLFilterSortTest : public SQLGridTest {
protected:
  void Filter(const std::string& FieldName, const std::string& Condition) {
    Column(FieldName)->STFilter()->SetFilterText(Condition);
  }
  void ApplyFilter() { Grid->ApplyFilterDefault(); }
  std::string SQLText(TDataSet* DataSet, const char* Prop = "SQL") {
    std::string Text;
    EXPECT_TRUE(ReadSQLTextProperty(DataSet, Prop, Text));
    return Text;
  }
};

TEST_F(SQLFilterSortTest, EveryFamilyFiltersThroughItsSQLText) {
  const struct {
    const char* Family;
    const char* Prop;
  } Families[] = {{"TADOQuery", "SQL"},        {"TADODataSet", "CommandText"}, {"TQuery", "SQL"},
                  {"TSQLQuery", "SQL"},        {"TSQLDataSet", "CommandText"}, {"TIBQuery", "SQL"},
                  {"TIBDataSet", "SelectSQL"}};
  for (const auto& F : Families) {
    SCOPED_TRACE(F.Family);
    TDataSet* DataSet = NewDataSet(F.Family);
    Show(DataSet);
    Filter("Qty", ">= 10");
    Filter("Day", ">= 3/15/2024");
    ApplyFilter();
    EXPECT_TRUE(DataSet->Active());
    EXPECT_EQ(Names(DataSet), (Rows{"Smith", "smythe", "Brown"}));
    EXPECT_NE(SQLText(DataSet, F.Prop).find("/*FILTER*/ ( Qty >= 10 AND  Day >= '2024-03-15')"), std::string::npos);
    // Emptied conditions bring every row back.
    Filter("Qty", "");
    Filter("Day", "");
    ApplyFilter();
    EXPECT_EQ(Names(DataSet).size(), 6u);
    EXPECT_NE(SQLText(DataSet, F.Prop).find("/*FILTER*/ (1=1)"), std::string::npos);
  }
}

TEST_F(SQLFilterSortTest, ConditionsFindTheRowsAUserMeans) {
  TDataSet* DataSet = NewDataSet("TADOQuery");
  Show(DataSet);
  const struct {
    const char* Field;
    const char* Condition;
    Rows Expected;
  } Cases[] = {
      {"Name", "~ sm%", {"Smith", "smythe"}},
      {"Name", "!~ S%", {"O'Brien", "Jones", "a'OR'a'='a", "Brown"}},
      {"Name", "= O'Brien", {"O'Brien"}},
      // The crafted operand is one literal: it finds its own row, not every row.
      {"Name", "= a'OR'a'='a", {"a'OR'a'='a"}},
      {"Qty", "In (3, 7)", {"O'Brien", "Jones"}},
      {"Qty", "!In (3, 7)", {"Smith", "smythe", "a'OR'a'='a", "Brown"}},
      {"Qty", "< 5 OR > 30", {"O'Brien", "smythe", "a'OR'a'='a"}},
      {"Price", "> 1.25 AND < 3", {"Smith", "Jones"}},
      {"Done", "= True", {"Smith", "smythe", "Brown"}},
      {"Done", "= no", {"O'Brien", "Jones", "a'OR'a'='a"}},
      {"Day", "= Null", {"Jones"}},
      {"Day", "= 3/15/2024", {"Smith"}},
      {"Order Date", "> 1/3/2024", {"a'OR'a'='a", "Brown"}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(std::string(C.Field) + " " + C.Condition);
    for (int I = 0; I < Grid->Columns()->Count(); ++I) Grid->Columns()->ColumnAt(I)->STFilter()->SetFilterText("");
    Filter(C.Field, C.Condition);
    ApplyFilter();
    EXPECT_EQ(Names(DataSet), C.Expected);
  }
}

TEST_F(SQLFilterSortTest, TheLocalModeFiltersTheSameRowsWithTheDatasetsOwnFilter) {
  TDataSet* DataSet = NewDataSet("TADOQuery");
  Show(DataSet);
  Grid->STFilter()->SetLocal(true);
  const std::string Before = SQLText(DataSet);
  Filter("Name", "~ sm%");
  Filter("Qty", "> 1");
  ApplyFilter();
  EXPECT_TRUE(DataSet->Filtered());
  EXPECT_EQ(DataSet->Filter(), " [Name] LIKE 'sm%' AND  [Qty] > 1");
  EXPECT_EQ(Names(DataSet), (Rows{"Smith", "smythe"}));
  EXPECT_EQ(SQLText(DataSet), Before);
  Filter("Name", "= O'Brien");
  ApplyFilter();
  EXPECT_EQ(Names(DataSet), (Rows{"O'Brien"}));
}

TEST_F(SQLFilterSortTest, AFailedReopenLeavesThePreviousTextAndRows) {
  TDataSet* DataSet = NewDataSet("TQuery");
  Show(DataSet);
  Filter("Qty", ">= 10");
  ApplyFilter();
  const std::string Good = SQLText(DataSet);
  // A field whose origin the engine does not know.
  Column("Name")->Field()->SetOrigin("Gone.Name");
  Filter("Name", "~ S%");
  EXPECT_THROW(ApplyFilter(), EDatabaseError);
  EXPECT_EQ(SQLText(DataSet), Good);
  EXPECT_TRUE(DataSet->Active());
  EXPECT_EQ(Names(DataSet), (Rows{"Smith", "smythe", "Brown"}));
}

TEST_F(SQLFilterSortTest, TitleClicksSortAscendingDescendingThenNotAtAll) {
  for (const char* Family : {"TADOQuery", "TQuery", "TIBDataSet"}) {
    SCOPED_TRACE(Family);
    TDataSet* DataSet = NewDataSet(Family, std::string(ItemsSQL) + "ORDER BY 1\n");
    Show(DataSet);
    const Rows Natural = Names(DataSet);
    Grid->HandleTitleClick(Column("Qty"));
    EXPECT_EQ(Column("Qty")->Title()->SortMarker(), smDownGx);
    EXPECT_EQ(Names(DataSet), (Rows{"a'OR'a'='a", "O'Brien", "Jones", "Smith", "Brown", "smythe"}));
    // Applying the markers again keeps the order.
    Grid->ApplySortingDefault();
    EXPECT_EQ(Names(DataSet).front(), "a'OR'a'='a");
    Grid->HandleTitleClick(Column("Qty"));
    EXPECT_EQ(Column("Qty")->Title()->SortMarker(), smUpGx);
    EXPECT_EQ(Names(DataSet), (Rows{"smythe", "Brown", "Smith", "Jones", "O'Brien", "a'OR'a'='a"}));
    Grid->ApplySortingDefault();
    EXPECT_EQ(Names(DataSet).front(), "smythe");
    Grid->HandleTitleClick(Column("Qty"));
    EXPECT_EQ(Column("Qty")->Title()->SortMarker(), smNoneGx);
    EXPECT_EQ(Names(DataSet), Natural);
  }
}

TEST_F(SQLFilterSortTest, OrderByLinesAreWrittenWhereverTheStatementHasThem) {
  const struct {
    const char* SQL;
    const char* After;
  } Cases[] = {
      {"SELECT ID, Name, Qty FROM Items", "SELECT ID, Name, Qty FROM Items\nORDER BY 3 DESC, 2\n"},
      {"SELECT ID, Name, Qty FROM Items\n  order by 1", "SELECT ID, Name, Qty FROM Items\nORDER BY 3 DESC, 2\n"},
      {"SELECT ID, Name, Qty FROM Items;\n\n", "SELECT ID, Name, Qty FROM Items\nORDER BY 3 DESC, 2;\n"},
      {"SELECT ID, Name, Qty FROM Items\nORDER BY 1;", "SELECT ID, Name, Qty FROM Items\nORDER BY 3 DESC, 2;\n"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.SQL);
    TDataSet* DataSet = NewDataSet("TSQLQuery", C.SQL);
    Show(DataSet);
    Grid->SetOptionsGx({dghAutoSortMarking, dghMultiSortMarking});
    Column("Qty")->Title()->SetSortMarker(smUpGx);
    Column("Name")->Title()->SetSortMarker(smDownGx);
    // A column without a field and an empty slot have no place in the order.
    TColumnGx* Unbound = Grid->Columns()->AddColumn();
    Unbound->Title()->SetSortMarker(smDownGx);
    Grid->SortedColumnList()->Add(nullptr);
    Grid->ApplySortingDefault();
    std::string Text = SQLText(DataSet);
    for (std::size_t P; (P = Text.find("\r\n")) != std::string::npos;) Text.replace(P, 2, "\n");
    EXPECT_EQ(Text, C.After);
    EXPECT_EQ(Names(DataSet), (Rows{"smythe", "Brown", "Smith", "Jones", "O'Brien", "a'OR'a'='a"}));
    Grid->SortedColumnList()->Remove(nullptr);
    delete Unbound;
  }
}

TEST_F(SQLFilterSortTest, ADODatasetsSortThroughTheirSortProperty) {
  auto* Query = static_cast<TADOQuery*>(NewDataSet("TADOQuery"));
  Show(Query);
  const std::string Before = SQLText(Query);
  Column("Qty")->Title()->SetSortMarker(smUpGx);
  Grid->ApplySortingDefault();
  EXPECT_EQ(Query->Sort(), "Qty DESC");
  EXPECT_EQ(Names(Query).front(), "smythe");
  EXPECT_EQ(SQLText(Query), Before);
  // Locally the same, unchecked.
  Grid->SetSortLocal(true);
  Column("Order Date")->Title()->SetSortMarker(smDownGx);
  Grid->ApplySortingDefault();
  EXPECT_EQ(Query->Sort(), "[Order Date]");
  EXPECT_EQ(Names(Query), (Rows{"Jones", "Smith", "smythe", "O'Brien", "Brown", "a'OR'a'='a"}));
  // A row being edited is posted before the rows move.
  Grid->SetSortLocal(false);
  Query->Edit();
  Query->FieldByName("Qty")->SetAsInteger(99);
  Column("Qty")->Title()->SetSortMarker(smUpGx);
  Grid->ApplySortingDefault();
  EXPECT_EQ(Query->State(), dsBrowse);
  EXPECT_EQ(Db.Query("SELECT Qty FROM Items WHERE Name = 'Jones'"), "99");
  EXPECT_EQ(Names(Query).front(), "Jones");
}

TEST_F(SQLFilterSortTest, DatasetsWithoutSQLOrInLocalModeRefuseToSort) {
  TDataSet* Table = NewDataSet("TTable");
  Show(Table);
  Column("Qty")->Title()->SetSortMarker(smDownGx);
  try {
    Grid->ApplySortingDefault();
    ADD_FAILURE() << "no error";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "TTable is not SQL based dataset");
  }
  TDataSet* Query = NewDataSet("TQuery");
  Show(Query);
  Query->SetName("Orders");
  Grid->SetSortLocal(true);
  Column("Qty")->Title()->SetSortMarker(smDownGx);
  try {
    Grid->ApplySortingDefault();
    ADD_FAILURE() << "no error";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "TSQLDatasetFeaturesGx can not sort data in dataset \"Orders\" in local mode");
  }
  EXPECT_EQ(Names(Query).front(), "Smith");
}

TEST_F(SQLFilterSortTest, ThePlainADOTableHasNoServiceItsMarkersCycleAndItsRowsStay) {
  TDataSet* Table = NewDataSet("TADOTable");
  Show(Table);
  const Rows Natural = Names(Table);
  Grid->HandleTitleClick(Column("Qty"));
  EXPECT_EQ(Column("Qty")->Title()->SortMarker(), smDownGx);
  EXPECT_EQ(Names(Table), Natural);
  Grid->STFilter()->SetLocal(true);
  Filter("Qty", "> 10");
  ApplyFilter();
  EXPECT_TRUE(Table->Filtered());
  EXPECT_EQ(Table->Filter(), "");
  EXPECT_EQ(Names(Table), Natural);
}

}  // namespace
