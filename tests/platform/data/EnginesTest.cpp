// The table/query, SQL-connection and InterBase-style families over SQLite.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/data/ADODB.h"
#include "platform/data/DBTables.h"
#include "platform/data/IBX.h"
#include "platform/data/SqlExpr.h"
#include "tests/platform/data/DataFixtures.h"
#include "tests/platform/data/SQLiteFixture.h"

namespace {

TEST(Engines, EachFamilyReadsTheSnippetTable) {
  TTempDatabase db;
  db.CreateSnippets();
  TTestOwner t;
  TComponent* o = t.Owner.get();

  auto* bde = new TDatabase(o);
  bde->SetDatabaseName("Snippets");
  bde->Params()->Add("PATH=" + db.Path);
  auto* table = new TTable(o);
  table->SetDatabaseName("Snippets");
  table->SetTableName("TSet");
  auto* query = new TQuery(o);
  query->SetDatabaseName("Snippets");
  query->SQL()->SetText("SELECT * FROM TSet WHERE KeyIndex > 0");

  auto* dbx = new TSQLConnection(o);
  dbx->SetDriverName("Sqlite");
  dbx->Params()->Add("Database=" + db.Path);
  auto* sqlQuery = new TSQLQuery(o);
  sqlQuery->SetSQLConnection(dbx);
  sqlQuery->SQL()->SetText("SELECT * FROM TSet");
  auto* sqlDataSet = new TSQLDataSet(o);
  sqlDataSet->SetSQLConnection(dbx);
  sqlDataSet->SetCommandText("SELECT ID FROM TSet WHERE shift = 1");

  auto* ib = new TIBDatabase(o);
  ib->SetDatabaseName(db.Path);
  auto* ibQuery = new TIBQuery(o);
  ibQuery->SetDatabase(ib);
  ibQuery->SQL()->SetText("SELECT Content FROM TSet ORDER BY ID DESC");
  auto* ibDataSet = new TIBDataSet(o);
  ibDataSet->SetDatabase(ib);
  ibDataSet->SelectSQL()->SetText("SELECT * FROM TSet");

  const struct {
    TDataSet* DataSet;
    int Rows;
  } cases[] = {{table, 3}, {query, 2}, {sqlQuery, 3}, {sqlDataSet, 1}, {ibQuery, 3}, {ibDataSet, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.DataSet->ClassName());
    c.DataSet->Open();
    EXPECT_EQ(c.DataSet->RecordCount(), c.Rows);
  }
  EXPECT_EQ(ibQuery->FieldByName("Content")->AsString(), "");
  ibQuery->Next();
  EXPECT_EQ(ibQuery->FieldByName("Content")->AsString(), "你好");
  EXPECT_EQ(table->Database(), bde);
  EXPECT_EQ(bde->DriverTypeName(), "STANDARD");

  // Edits through a table of this family are written at once.
  table->Edit();
  table->FieldByName("Content")->SetAsString("bde");
  table->Post();
  EXPECT_EQ(db.Query("SELECT Content FROM TSet WHERE ID = 1"), "bde");
}

TEST(Engines, PublishedPropertiesAreReachedByName) {
  TTestOwner t;
  TComponent* o = t.Owner.get();
  auto* sqlConn = new TSQLConnection(o);
  sqlConn->SetDriverName("INTERBASE");
  const struct {
    TObject* Object;
    const char* Prop;
    bool Present;
  } cases[] = {
      {new TADOQuery(o), "SQL", true},         {new TADODataSet(o), "CommandText", true},
      {new TADOTable(o), "TableName", true},   {new TADOTable(o), "SQL", false},
      {new TADOQuery(o), "Sort", true},        {new TQuery(o), "SQL", true},
      {new TTable(o), "SQL", false},           {new TTable(o), "TableName", true},
      {new TSQLQuery(o), "SQL", true},         {new TSQLDataSet(o), "CommandText", true},
      {new TIBQuery(o), "SQL", true},          {new TIBDataSet(o), "SelectSQL", true},
      {new TIBDataSet(o), "SQL", false},       {sqlConn, "DriverName", true},
      {new TClientDataSet(o), "ProviderName", true}, {new TClientDataSet(o), "MasterSource", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Object->ClassName()) + "." + c.Prop);
    EXPECT_EQ(GetPropInfo(c.Object, c.Prop) != nullptr, c.Present);
  }
  auto* q = new TIBQuery(o);
  q->SQL()->SetText("SELECT 1");
  EXPECT_EQ(dynamic_cast<TStrings*>(GetObjectProp(q, "SQL"))->Strings(0), "SELECT 1");
  EXPECT_EQ(GetStrProp(sqlConn, "DriverName"), "INTERBASE");
  EXPECT_TRUE(TADOQuery::StaticClass()->InheritsFrom(TCustomADODataSet::StaticClass()));
  EXPECT_TRUE(TClientDataSet::StaticClass()->InheritsFrom(TCustomClientDataSet::StaticClass()));
  EXPECT_FALSE(TADOTable::StaticClass()->InheritsFrom(TADOQuery::StaticClass()));
  for (const char* name : {"TADOTable", "TADOConnection", "TDataSource", "TAutoIncField", "TMemoField", "TIBDataSet"})
    EXPECT_NE(GetClass(name), nullptr) << name;
}

TEST(Engines, MissingConnectionsAndDatabasesFailClearly) {
  TTestOwner t;
  TComponent* o = t.Owner.get();
  auto* table = new TTable(o);
  table->SetName("Table1");
  table->SetDatabaseName("Nowhere");
  table->SetTableName("TSet");
  try {
    table->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Table1: Unknown database: 'Nowhere'");
  }
  auto* ib = new TIBDatabase(o);
  ib->SetDatabaseName("/nonexistent/dir/x.gdb");
  EXPECT_THROW(ib->Open(), EDatabaseError);
  EXPECT_FALSE(std::filesystem::exists("/nonexistent/dir/x.gdb"));
  EXPECT_THROW((new TSQLQuery(o))->Open(), EDatabaseError);
}

}  // namespace
