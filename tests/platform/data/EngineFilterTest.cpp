// Dataset filters that the SQLite engine runs itself select the same rows as the filter
// evaluated row by row, without holding every row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/data/ADODB.h"
#include "platform/data/FilterExpr.h"
#include "platform/rtl/Exceptions.h"
#include "tests/platform/data/DataFixtures.h"
#include "tests/platform/data/SQLiteFixture.h"

namespace {

struct TItems {
  TTestOwner T;
  TTempDatabase Db;
  TADOConnection* Conn = nullptr;

  explicit TItems(int extraRows = 0) {
    Db.Exec("CREATE TABLE Items (ID INTEGER PRIMARY KEY, Name TEXT, Qty INTEGER, Price REAL, Done BOOLEAN,"
            " Day DATE);"
            "INSERT INTO Items VALUES (1, 'Smith', 12, 2.5, 1, '2024-03-15');"
            "INSERT INTO Items VALUES (2, 'O''Brien', 3, 1.25, 0, '2024-03-14');"
            "INSERT INTO Items VALUES (3, 'smythe', 40, 10.0, 1, '2024-04-01');"
            "INSERT INTO Items VALUES (4, 'Jones', NULL, 1.5, 0, NULL);");
    if (extraRows > 0)
      Db.Exec("WITH RECURSIVE n(i) AS (SELECT 5 UNION ALL SELECT i + 1 FROM n WHERE i < " +
              std::to_string(4 + extraRows) + ") INSERT INTO Items SELECT i, 'x' || i, 1000 + i, 1, 0, NULL FROM n;");
    Conn = new TADOConnection(T.Owner.get());
    Conn->SetLoginPrompt(false);
    Conn->SetConnectionString(JetConnectionString(Db.Path));
  }
  TCustomADODataSet* Query() {
    auto* Q = new TADOQuery(T.Owner.get());
    Q->SetConnection(Conn);
    Q->SQL()->SetText("SELECT * FROM Items;\n");
    return Q;
  }
  TCustomADODataSet* Table() {
    auto* Q = new TADOTable(T.Owner.get());
    Q->SetConnection(Conn);
    Q->SetTableName("Items");
    return Q;
  }
};

std::vector<std::string> Names(TDataSet* D) {
  std::vector<std::string> out;
  for (D->First(); !D->Eof(); D->Next()) out.push_back(D->FieldByName("Name")->AsString());
  return out;
}

TEST(EngineFilter, TheEngineSelectsWhatRowByRowEvaluationSelects) {
  TItems Items;
  const char* Filters[] = {
      "[Qty] >= 10",
      "[Name] LIKE 'sm%'",
      "[Name] NOT LIKE 'S%'",
      "NOT [Qty] = 3",
      "NOT ([Qty] > 5 OR [Day] > '2024-03-14')",
      "[Day] >= '2024-03-15'",
      "[Day] >= '3/15/2024'",
      "[Done] = 1",
      "[Done] = 'True'",
      "[Price] > 1.25 AND [Price] < 3",
      "[Day] IS NULL",
      "[Qty] IS NOT NULL AND [Qty] <> 12",
      "[Name] = 'O''Brien'",
      "[Qty] = NULL",
      "1=1",
      "3 < 2 OR [Qty] < 5",
      "[Qty] = [ID]",
      "[Qty] > 'many'",
      "[Qty] > -5 AND [Price] >= -1.5e1",
      "[Qty] <> -3",
  };
  for (bool Table : {false, true}) {
    TCustomADODataSet* Engine = Table ? Items.Table() : Items.Query();
    TCustomADODataSet* RowByRow = Table ? Items.Table() : Items.Query();
    // An event asks for every row: the filter is then evaluated row by row.
    RowByRow->SetOnFilterRecord([](TDataSet*, bool& Accept) { Accept = true; });
    Engine->Open();
    RowByRow->Open();
    for (const char* Filter : Filters) {
      SCOPED_TRACE(std::string(Table ? "table " : "query ") + Filter);
      Engine->SetFilter(Filter);
      RowByRow->SetFilter(Filter);
      Engine->SetFiltered(true);
      RowByRow->SetFiltered(true);
      EXPECT_EQ(Names(Engine), Names(RowByRow));
      EXPECT_EQ(Engine->RecordCount(), RowByRow->RecordCount());
    }
  }
}

TEST(EngineFilter, ASignGoesWithANumberOnly) {
  EXPECT_NO_THROW(TFilterExpr("[Qty] = -9223372036854775808"));
  EXPECT_NO_THROW(TFilterExpr("[Qty] > - 5"));
  for (const char* Bad : {"[Qty] = -'5'", "[Qty] = -", "[Qty] - 5", "-[Qty] = 5"})
    EXPECT_THROW(TFilterExpr{Bad}, EDatabaseError) << Bad;
}

TEST(EngineFilter, FilteredRowsAreNotAllHeldAndAnEmptyFilterCostsNothing) {
  const int Extra = 20000;
  TItems Items(Extra);
  TCustomADODataSet* Query = Items.Query();
  TCustomADODataSet* Table = Items.Table();
  for (TCustomADODataSet* D : {Query, Table}) {
    SCOPED_TRACE(D->ClassName());
    D->Open();
    const std::size_t Unfiltered = D->IndexMemory();
    D->SetFiltered(true);
    EXPECT_EQ(D->IndexMemory(), Unfiltered);
    EXPECT_EQ(D->RecordCount(), Extra + 4);
    D->SetFilter("[Qty] < 20 OR [Name] = 'x500'");
    EXPECT_EQ(Names(D), (std::vector<std::string>{"Smith", "O'Brien", "x500"}));
    EXPECT_LE(D->IndexMemory(), 1000u);
    EXPECT_LE(D->QueryRowsHeld(), 1000u);
    // Edited out of the filter, a row leaves the rows shown.
    D->First();
    D->Edit();
    D->FieldByName("Qty")->SetAsInteger(99);
    D->Post();
    EXPECT_EQ(Names(D), (std::vector<std::string>{"O'Brien", "x500"}));
    D->SetFiltered(false);
    EXPECT_EQ(D->RecordCount(), Extra + 4);
    ASSERT_TRUE(D->Locate("Name", Variant("Smith"), {}));
    D->Edit();
    D->FieldByName("Qty")->SetAsInteger(12);
    D->Post();
  }
}

TEST(EngineFilter, ATableHoldsNoKeysWhenManyRowsPass) {
  const int Extra = 20000;
  TItems Items(Extra);
  TCustomADODataSet* D = Items.Table();
  D->Open();
  // Every extra row passes, and three of the first four.
  D->SetFilter("[Qty] > 5 OR [Qty] IS NULL");
  D->SetFiltered(true);
  EXPECT_EQ(D->RecordCount(), Extra + 3);
  EXPECT_EQ(D->FieldByName("Name")->AsString(), "Smith");
  int Seen = 0;
  for (D->First(); !D->Eof(); D->Next()) ++Seen;
  EXPECT_EQ(Seen, Extra + 3);
  EXPECT_LE(D->IndexMemory(), 64u * 1024);
  D->Last();
  EXPECT_EQ(D->FieldByName("ID")->AsInteger(), Extra + 4);
  EXPECT_EQ(D->RecNo(), Extra + 3);
  ASSERT_TRUE(D->Locate("Name", Variant("x10000"), {}));
  EXPECT_EQ(D->RecNo(), 10000 - 4 + 3);
  // Edited out of the filter, the row leaves and the next one takes its place.
  D->Edit();
  D->FieldByName("Qty")->SetAsInteger(1);
  D->Post();
  EXPECT_EQ(D->FieldByName("Name")->AsString(), "x10001");
  EXPECT_EQ(D->RecordCount(), Extra + 2);
  // A new row the filter leaves out is written but not shown; one it selects is.
  D->Append();
  D->FieldByName("Name")->SetAsString("hidden");
  D->FieldByName("Qty")->SetAsInteger(2);
  D->Post();
  EXPECT_EQ(D->RecordCount(), Extra + 2);
  EXPECT_FALSE(D->Locate("Name", Variant("hidden"), {}));
  D->Append();
  D->FieldByName("Name")->SetAsString("shown");
  D->FieldByName("Qty")->SetAsInteger(7);
  D->Post();
  EXPECT_EQ(D->FieldByName("Name")->AsString(), "shown");
  EXPECT_EQ(D->RecordCount(), Extra + 3);
  D->Last();
  EXPECT_EQ(D->FieldByName("Name")->AsString(), "shown");
  // After a delete the next row the filter selects is current.
  EXPECT_FALSE(D->Locate("Name", Variant("O'Brien"), {}));
  ASSERT_TRUE(D->Locate("Name", Variant("Smith"), {}));
  D->Delete();
  EXPECT_EQ(D->FieldByName("Name")->AsString(), "smythe");
  EXPECT_EQ(D->RecNo(), 1);
  EXPECT_EQ(D->RecordCount(), Extra + 2);
}

}  // namespace
