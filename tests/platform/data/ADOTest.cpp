// ADO-style classes over SQLite files.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>

#include "platform/data/ADODB.h"
#include "tests/platform/data/AdoFixture.h"

namespace {

TEST(ADO, TheProgramsConnectionStringOpensTheSnippetTable) {
  TAdoFixture f;
  EXPECT_EQ(f.Conn->ConnectionValue("Data Source"), f.Db.Path);
  EXPECT_EQ(f.Conn->ConnectionValue("Extended Properties"), "");
  EXPECT_EQ(f.Conn->ConnectionValue("jet oledb:sfp"), "False");
  f.Conn->Open();
  f.Table->Open();
  EXPECT_EQ(f.Table->RecordCount(), 3);
  const struct {
    const char* Name;
    const char* Class;
  } fields[] = {{"ID", "TAutoIncField"},    {"shift", "TBooleanField"},    {"control", "TBooleanField"},
                {"alt", "TBooleanField"},   {"win", "TBooleanField"},      {"KeyIndex", "TIntegerField"},
                {"Content", "TMemoField"}};
  ASSERT_EQ(f.Table->FieldCount(), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(f.Table->Fields()[i]->FieldName(), fields[i].Name);
    EXPECT_EQ(f.Table->Fields()[i]->ClassName(), fields[i].Class);
  }
  std::vector<std::string> rows;
  for (f.Table->First(); !f.Table->Eof(); f.Table->Next())
    rows.push_back(f.Table->FieldByName("ID")->AsString() + ":" + f.Table->FieldByName("control")->AsString() +
                   ":" + f.Table->FieldByName("KeyIndex")->AsString() + ":" +
                   f.Table->FieldByName("Content")->AsString());
  EXPECT_EQ(rows, (std::vector<std::string>{"1:True:34:Hello", "2:True:0:你好", "3:False:76:"}));
  EXPECT_TRUE(f.Table->FieldByName("Content")->IsBlob());
  EXPECT_EQ(f.Table->FieldByName("Content")->DisplayText(), "(Memo)");
}

TEST(ADO, DeclaredColumnTypesGiveTheFieldClasses) {
  TAdoFixture f(false);
  f.Db.Exec("CREATE TABLE T (a COUNTER, b YESNO, c TEXT(50), d MEMO, e FLOAT, f CURRENCY, g DATETIME, h BLOB,"
            " i SMALLINT, j BIGINT, k TEXT, l DATE)");
  f.Table->SetTableName("T");
  f.Table->Open();
  const char* classes[] = {"TAutoIncField",  "TBooleanField", "TWideStringField", "TMemoField",
                           "TFloatField",    "TCurrencyField", "TDateTimeField",  "TBlobField",
                           "TSmallintField", "TLargeintField", "TMemoField",      "TDateField"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(f.Table->Fields()[i]->ClassName(), classes[i]) << i;
  EXPECT_EQ(f.Table->FieldByName("c")->Size(), 50);
}

TEST(ADO, MissingAndForeignFilesFailAndCreateNothing) {
  TAdoFixture f(false);
  std::string missing = f.Db.Dir + "/nothere.mdb";
  f.Conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + missing);
  try {
    f.Table->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find(missing), std::string::npos) << e.Message();
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_FALSE(f.Conn->Connected());

  // A Jet file (or anything that is not SQLite) says so.
  std::string jet = f.Db.Dir + "/jet.mdb";
  {
    std::ofstream out(jet, std::ios::binary);
    std::string header("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    out << header << std::string(4096, 'x');
  }
  f.Conn->SetConnectionString(JetConnectionString(jet));
  try {
    f.Conn->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("is not an SQLite database"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find(jet), std::string::npos);
  }
  EXPECT_EQ(std::filesystem::file_size(jet), 4116u);

  f.Conn->SetConnectionString("Provider=SQLOLEDB;Data Source=" + f.Db.Path);
  EXPECT_THROW(f.Conn->Open(), EDatabaseError);
  auto* orphan = new TADOTable(f.T.Owner.get());
  orphan->SetTableName("TSet");
  EXPECT_THROW(orphan->Open(), EDatabaseError);
}

TEST(ADO, MissingTableFails) {
  TAdoFixture f;
  f.Table->SetTableName("Nope");
  EXPECT_THROW(f.Table->Open(), EDatabaseError);
  EXPECT_FALSE(f.Table->Active());
}

TEST(ADO, PostsAndDeletesAreWrittenAtOnce) {
  TAdoFixture f;
  f.Table->Open();
  f.Table->Next();
  f.Table->Edit();
  f.Table->FieldByName("Content")->SetAsString("changed");
  f.Table->FieldByName("shift")->SetAsBoolean(false);
  f.Table->Post();
  EXPECT_EQ(f.Db.Query("SELECT Content FROM TSet WHERE ID = 2"), "changed");
  EXPECT_EQ(f.Db.Query("SELECT shift FROM TSet WHERE ID = 2"), "0");

  f.Table->Append();
  EXPECT_FALSE(f.Table->FieldByName("ID")->CanModify());  // the engine numbers rows
  f.Table->FieldByName("Content")->SetAsString("new row");
  f.Table->FieldByName("KeyIndex")->SetAsInteger(40);
  f.Table->Post();
  EXPECT_EQ(f.Table->FieldByName("ID")->AsInteger(), 4);
  EXPECT_EQ(f.Db.Query("SELECT Content FROM TSet WHERE ID = 4"), "new row");
  EXPECT_EQ(f.Table->RecNo(), 4);

  f.Table->First();
  f.Table->Delete();
  EXPECT_EQ(f.Table->FieldByName("ID")->AsInteger(), 2);
  EXPECT_EQ(f.Db.Query("SELECT count(*) FROM TSet"), "3");
  EXPECT_EQ(f.Db.Query("SELECT count(*) FROM TSet WHERE ID = 1"), "0");
}

TEST(ADO, ALockedDatabaseFailsThePostAndKeepsTheEdit) {
  TAdoFixture f;
  f.Table->Open();
  f.Table->Edit();
  f.Table->FieldByName("Content")->SetAsString("mine");
  sqlite3* other = nullptr;
  sqlite3_open(f.Db.Path.c_str(), &other);
  sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
  TLockWaits waits;  // the lock is waited for in no time, and never comes
  EXPECT_THROW(f.Table->Post(), EDatabaseError);
  EXPECT_EQ(waits.Waited, SQLiteBusyTimeoutMs);
  EXPECT_EQ(f.Table->State(), dsEdit);
  EXPECT_EQ(f.Table->FieldByName("Content")->AsString(), "mine");
  EXPECT_TRUE(f.Table->Modified());
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  f.Table->Post();
  EXPECT_EQ(f.Db.Query("SELECT Content FROM TSet WHERE ID = 1"), "mine");
}

TEST(ADO, AReadOnlyDatabaseFailsThePostAndKeepsTheInsert) {
  for (bool byFileMode : {false, true}) {
    SCOPED_TRACE(byFileMode ? "read-only file" : "read mode");
    TAdoFixture f;
    if (byFileMode) {
      ASSERT_EQ(chmod(f.Db.Path.c_str(), 0444), 0);
      if (access(f.Db.Path.c_str(), W_OK) == 0) continue;  // rights that ignore file modes
    } else {
      f.Conn->SetMode(cmRead);
    }
    f.Table->Open();
    f.Table->Append();
    f.Table->FieldByName("Content")->SetAsString("kept");
    try {
      f.Table->Post();
      ADD_FAILURE() << "posted";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message().rfind("ADOTable1: ", 0), 0u) << e.Message();
    }
    EXPECT_EQ(f.Table->State(), dsInsert);
    EXPECT_EQ(f.Table->FieldByName("Content")->AsString(), "kept");
    EXPECT_EQ(f.Db.Query("SELECT count(*) FROM TSet"), "3");
    f.Table->Cancel();
    EXPECT_EQ(f.Table->RecordCount(), 3);
  }
}

TEST(ADO, SortIsWrittenWhileOpenAndKeepsTheRecord) {
  TAdoFixture f;
  f.Table->Open();
  f.Table->Last();  // ID 3, KeyIndex 76
  f.Table->SetSort("KeyIndex DESC, ID");
  EXPECT_EQ(f.Table->FieldByName("ID")->AsInteger(), 3);
  EXPECT_EQ(f.Table->RecNo(), 1);
  std::vector<int> ids;
  for (f.Table->First(); !f.Table->Eof(); f.Table->Next()) ids.push_back(f.Table->FieldByName("ID")->AsInteger());
  EXPECT_EQ(ids, (std::vector<int>{3, 1, 2}));
  EXPECT_THROW(f.Table->SetSort("Nope"), EDatabaseError);
  EXPECT_EQ(f.Table->Sort(), "KeyIndex DESC, ID");
  f.Table->SetSort("");  // still on ID 2, now second again
  EXPECT_EQ(f.Table->FieldByName("ID")->AsInteger(), 2);
  EXPECT_EQ(f.Table->RecNo(), 2);
  f.Table->SetFilter("KeyIndex > 30");
  f.Table->SetFiltered(true);
  EXPECT_EQ(f.Table->RecordCount(), 2);
}

TEST(ADO, QueriesAndDataSets) {
  TAdoFixture f;
  auto* q = new TADOQuery(f.T.Owner.get());
  q->SetConnection(f.Conn);
  q->SQL()->SetText("SELECT ID, Content FROM TSet WHERE KeyIndex > 10 ORDER BY ID DESC");
  q->Open();
  EXPECT_EQ(q->RecordCount(), 2);
  EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 3);
  EXPECT_TRUE(q->CanModify());
  q->Edit();
  q->FieldByName("Content")->SetAsString("via query");
  q->Post();
  EXPECT_EQ(f.Db.Query("SELECT Content FROM TSet WHERE ID = 3"), "via query");
  q->SQL()->SetText("SELECT count(*) AS n FROM TSet");
  EXPECT_FALSE(q->Active());
  q->Open();
  EXPECT_EQ(q->FieldByName("n")->AsInteger(), 3);
  EXPECT_FALSE(q->CanModify());
  EXPECT_THROW(q->Edit(), EDatabaseError);

  auto* d = new TADODataSet(f.T.Owner.get());
  d->SetConnection(f.Conn);
  d->SetCommandText("TSet");
  d->Open();
  EXPECT_EQ(d->RecordCount(), 3);
  EXPECT_EQ(GetStrProp(d, "CommandText"), "TSet");
  d->SetCommandText("SELECT * FROM TSet WHERE ID = 2");
  d->Open();
  EXPECT_EQ(d->RecordCount(), 1);
  q->SQL()->SetText("SELECT * FROM Nope");
  EXPECT_THROW(q->Open(), EDatabaseError);

  // Closing the connection closes its datasets.
  f.Table->Open();
  f.Conn->Close();
  EXPECT_FALSE(d->Active());
  EXPECT_FALSE(f.Table->Active());
}

}  // namespace
