// A large table read through a bounded window of row ids.
#include <gtest/gtest.h>

#include "platform/data/ADODB.h"
#include "tests/platform/data/DataFixtures.h"
#include "tests/platform/data/SQLiteFixture.h"

namespace {

constexpr int Rows = 10000;

// A table of the database at Path through its own ADO connection, not yet open.
TADOTable* AdoTable(TComponent* Owner, const std::string& Path, const std::string& Name) {
  auto* conn = new TADOConnection(Owner);
  conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Path);
  auto* table = new TADOTable(Owner);
  table->SetConnection(conn);
  table->SetTableName(Name);
  return table;
}

struct TBigTable {
  TTestOwner T;
  TTempDatabase Db;
  TADOTable* Table = nullptr;
  TRecordingLink Grid;

  TBigTable() {
    // Row ids 2, 4, 6, ...: positions cannot be computed from the ids.
    Db.Exec("CREATE TABLE Big (ID INTEGER PRIMARY KEY, Name TEXT(20));"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
            "INSERT INTO Big (ID, Name) SELECT i * 2, 'row ' || i FROM n;");
    Table = AdoTable(T.Owner.get(), Db.Path, "Big");
    Grid.SetBufferCount(30);
    Grid.SetDataSource(MakeSource(T.Owner.get(), Table));
    Table->Open();
  }
  int Id() const { return Table->FieldByName("ID")->AsInteger(); }
};

TEST(Keyset, NavigationFetchesOnlyAroundTheCursor) {
  TBigTable b;
  EXPECT_EQ(b.Grid.RecordCount(), 30);
  EXPECT_EQ(b.Table->MoveBy(5000), 5000);
  EXPECT_EQ(b.Id(), 10002);
  EXPECT_EQ(b.Table->RecNo(), 5001);
  EXPECT_EQ(b.Grid.ActiveRecord(), 29);
  b.Table->Last();
  EXPECT_EQ(b.Id(), 20000);
  EXPECT_TRUE(b.Table->Eof());
  EXPECT_EQ(b.Table->RecordCount(), Rows);
  EXPECT_EQ(b.Table->MoveBy(-(Rows - 1)), -(Rows - 1));
  EXPECT_EQ(b.Id(), 2);
  EXPECT_EQ(b.Table->RecNo(), 1);
  EXPECT_EQ(b.Table->MoveBy(-1), 0);
  EXPECT_TRUE(b.Table->Bof());

  int seen = 1;
  while (!b.Table->Eof()) {
    b.Table->Next();
    if (!b.Table->Eof()) ++seen;
  }
  EXPECT_EQ(seen, Rows);
  EXPECT_EQ(b.Table->RecNo(), Rows);
  // The index is a bounded window of row ids, not the table.
  EXPECT_LE(b.Table->IndexMemory(), 5000u * sizeof(std::int64_t));
}

TEST(Keyset, EveryRowShowsItsOwnValuesWhicheverWayTheCursorGoes) {
  TBigTable b;
  auto name = [&] { return b.Table->FieldByName("Name")->AsString(); };
  for (int i = 1; !b.Table->Eof(); ++i, b.Table->Next()) {
    ASSERT_EQ(b.Id(), 2 * i);
    ASSERT_EQ(name(), "row " + std::to_string(i));
  }
  for (int i = Rows; !b.Table->Bof(); --i, b.Table->Prior()) {
    ASSERT_EQ(b.Id(), 2 * i);
    ASSERT_EQ(name(), "row " + std::to_string(i));
  }
  // Rows read before are read again when asked for again, with what the file holds now.
  b.Table->SetRecNo(300);
  EXPECT_EQ(name(), "row 300");
  b.Db.Exec("UPDATE Big SET Name = 'changed' WHERE ID = 600");
  b.Table->Refresh();
  EXPECT_EQ(b.Id(), 600);
  EXPECT_EQ(name(), "changed");
  b.Table->Next();
  EXPECT_EQ(name(), "row 301");
}

// A counter that is not the row id keeps its own values; texts of every length and
// nulls come through row after row without leftovers from the rows before.
TEST(Keyset, EachColumnKeepsItsOwnValues) {
  TTestOwner T;
  TTempDatabase Db;
  Db.Exec("CREATE TABLE T (ID INTEGER PRIMARY KEY, Seq COUNTER, Name TEXT);"
          "INSERT INTO T VALUES (10, 7, 'a text much longer than a short one'), (20, 8, NULL),"
          " (30, 9, 'b'), (40, NULL, 'another text longer than a short one');");
  auto* table = AdoTable(T.Owner.get(), Db.Path, "T");
  table->Open();
  struct TRow {
    int Id;
    Variant Seq, Name;
  };
  const TRow rows[] = {{10, 7, "a text much longer than a short one"},
                       {20, 8, Null()},
                       {30, 9, "b"},
                       {40, Null(), "another text longer than a short one"}};
  auto check = [&](const TRow& r) {
    EXPECT_EQ(table->FieldByName("ID")->AsInteger(), r.Id);
    EXPECT_EQ(table->FieldByName("Seq")->AsVariant(), r.Seq) << r.Id;
    EXPECT_EQ(table->FieldByName("Name")->AsVariant(), r.Name) << r.Id;
  };
  for (const TRow& r : rows) {
    check(r);
    table->Next();
  }
  EXPECT_TRUE(table->Eof());
  for (int i = 3; i >= 0; --i, table->Prior()) check(rows[i]);
}

// Fields declared in another order than the table's columns, with a calculated one among
// them: every field shows its own column, and an edit goes back to the right column.
TEST(Keyset, FieldsInTheirOwnOrderShowAndWriteTheirOwnColumns) {
  TTestOwner T;
  TTempDatabase Db;
  Db.Exec("CREATE TABLE T (ID INTEGER PRIMARY KEY, N INTEGER, Name TEXT);"
          "INSERT INTO T VALUES (1, 10, 'one'), (2, 20, 'two'), (3, 30, 'three');");
  auto* table = AdoTable(T.Owner.get(), Db.Path, "T");
  auto* name = new TMemoField(T.Owner.get());
  name->SetFieldName("Name");
  name->SetDataSet(table);
  auto* twice = new TIntegerField(T.Owner.get());
  twice->SetFieldName("Twice");
  twice->SetFieldKind(fkCalculated);
  twice->SetDataSet(table);
  auto* n = new TIntegerField(T.Owner.get());
  n->SetFieldName("N");
  n->SetDataSet(table);
  auto* id = new TAutoIncField(T.Owner.get());
  id->SetFieldName("ID");
  id->SetDataSet(table);
  table->SetOnCalcFields(TDataSetNotifyEvent([&](TDataSet*) { twice->SetAsInteger(n->AsInteger() * 2); }));
  table->Open();
  const char* names[] = {"one", "two", "three"};
  for (int i = 1; i <= 3; ++i, table->Next()) {
    EXPECT_EQ(id->AsInteger(), i);
    EXPECT_EQ(n->AsInteger(), 10 * i);
    EXPECT_EQ(twice->AsInteger(), 20 * i);
    EXPECT_EQ(name->AsString(), names[i - 1]);
  }
  table->SetRecNo(2);
  table->Edit();
  name->SetAsString("zwei");
  table->Post();
  table->Close();
  table->Open();
  table->SetRecNo(2);
  EXPECT_EQ(name->AsString(), "zwei");
  EXPECT_EQ(n->AsInteger(), 20);
  EXPECT_EQ(id->AsInteger(), 2);
}

TEST(Keyset, BookmarksLocateAndRecNoJumps) {
  TBigTable b;
  b.Table->SetRecNo(7000);
  EXPECT_EQ(b.Id(), 14000);
  TBookmark far = b.Table->Bookmark();
  b.Table->First();
  TBookmark near = b.Table->Bookmark();
  EXPECT_EQ(b.Table->CompareBookmarks(near, far), -1);
  EXPECT_EQ(b.Table->CompareBookmarks(far, near), 1);
  b.Table->GotoBookmark(far);
  EXPECT_EQ(b.Id(), 14000);
  EXPECT_EQ(b.Table->RecNo(), 7000);
  EXPECT_EQ(b.Grid.ActiveRecord(), 14);  // centred in the window
  EXPECT_TRUE(b.Table->Locate("Name", "row 9999", {}));
  EXPECT_EQ(b.Table->RecNo(), 9999);
  EXPECT_EQ(b.Table->Lookup("ID", 40, "Name").AsString(), "row 20");
  EXPECT_FALSE(b.Table->Locate("Name", "nobody", {}));
  EXPECT_EQ(b.Table->RecNo(), 9999);
}

// The table numbers its rows wherever the cursor lands, counting where it jumps to.
TEST(Keyset, EveryRowIsNumberedWhereverTheCursorLands) {
  TBigTable b;
  EXPECT_TRUE(b.Table->IsSequenced());
  b.Table->Last();
  EXPECT_EQ(b.Table->RecNo(), Rows);
  b.Table->MoveBy(-40);
  EXPECT_EQ(b.Table->RecNo(), Rows - 40);
  EXPECT_EQ(b.Id(), 2 * (Rows - 40));
  // Alone, without a window of rows around it, the row after a deleted one takes its number.
  TTestOwner T;
  auto* alone = AdoTable(T.Owner.get(), b.Db.Path, "Big");
  alone->Open();
  alone->SetRecNo(5000);
  alone->Delete();
  EXPECT_EQ(alone->FieldByName("ID")->AsInteger(), 10002);
  EXPECT_EQ(alone->RecNo(), 5000);
  alone->Prior();
  EXPECT_EQ(alone->RecNo(), 4999);
  EXPECT_EQ(alone->FieldByName("ID")->AsInteger(), 9998);
}

TEST(Keyset, EditsInsertsAndDeletesKeepTheWindowRight) {
  TBigTable b;
  b.Table->SetRecNo(100);
  b.Table->Delete();
  EXPECT_EQ(b.Id(), 202);
  EXPECT_EQ(b.Table->RecNo(), 100);
  EXPECT_EQ(b.Db.Query("SELECT count(*) FROM Big"), "9999");
  b.Table->Edit();
  b.Table->FieldByName("Name")->SetAsString("edited");
  b.Table->Next();  // posts
  EXPECT_EQ(b.Db.Query("SELECT Name FROM Big WHERE ID = 202"), "edited");
  b.Table->Insert();
  b.Table->FieldByName("Name")->SetAsString("new");
  b.Table->Post();
  EXPECT_EQ(b.Id(), 20001);  // the next row id: the end of the table
  EXPECT_EQ(b.Table->RecNo(), Rows);
  b.Table->Last();
  EXPECT_EQ(b.Table->FieldByName("Name")->AsString(), "new");
}

// A pass over the rows with the controls held reads every row in order, takes writes of
// its own on the way, and leaves the file free for other programs once the controls are
// enabled, wherever the pass stopped.
TEST(Keyset, APassWithTheControlsHeldReadsOnAndLetsGoOfTheFileAfter) {
  TBigTable b;
  auto name = [&] { return b.Table->FieldByName("Name")->AsString(); };
  b.Table->DisableControls();
  b.Table->First();
  for (int i = 1; i <= 3000; ++i, b.Table->Next()) {
    ASSERT_EQ(b.Id(), 2 * i);
    ASSERT_EQ(name(), "row " + std::to_string(i));
    if (i == 1000) {
      b.Table->Edit();
      b.Table->FieldByName("Name")->SetAsString("edited");
      b.Table->Post();
      ASSERT_EQ(name(), "edited");
    }
  }
  EXPECT_EQ(b.Db.Query("SELECT Name FROM Big WHERE ID = 2000"), "edited");
  EXPECT_EQ(b.Id(), 6002);
  b.Table->EnableControls();
  // Another program writes at once: nothing of the pass holds the file.
  EXPECT_NO_THROW(b.Db.Exec("UPDATE Big SET Name = 'theirs' WHERE ID = 10000"));
  EXPECT_EQ(b.Table->MoveBy(1999), 1999);
  EXPECT_EQ(name(), "theirs");
  b.Table->Next();
  EXPECT_EQ(name(), "row 5001");
}

TEST(Keyset, SortAndFilterSwitchToAFullIndexAndBack) {
  TBigTable b;
  b.Table->SetRecNo(10);
  b.Table->SetSort("ID DESC");
  EXPECT_TRUE(b.Table->IsSequenced());
  EXPECT_EQ(b.Id(), 20);
  EXPECT_EQ(b.Table->RecNo(), Rows - 9);
  b.Table->First();
  EXPECT_EQ(b.Id(), 20000);
  b.Table->SetSort("");
  EXPECT_EQ(b.Id(), 20000);
  EXPECT_EQ(b.Table->RecNo(), Rows);
  b.Table->SetFilter("ID < 10");
  b.Table->SetFiltered(true);
  EXPECT_EQ(b.Table->RecordCount(), 4);
  b.Table->SetFiltered(false);
  EXPECT_EQ(b.Table->RecordCount(), Rows);
}

}  // namespace

// A write batch: its writes reach the file together at its end, a write that fails
// inside it takes back only itself, and appended rows know their place without counting.
TEST(Keyset, AWriteBatchCommitsItsWritesTogetherAtItsEnd) {
  TBigTable b;
  b.Db.Exec("CREATE UNIQUE INDEX BigName ON Big (Name)");
  auto Add = [&](const char* Name) {
    b.Table->Append();
    b.Table->FieldByName("Name")->SetAsString(Name);
    b.Table->Post();
  };
  b.Table->BeginWriteBatch();
  b.Table->BeginWriteBatch();
  Add("new 1");
  EXPECT_THROW(Add("new 1"), EDatabaseError) << "this write alone fails";
  b.Table->Cancel();
  Add("new 2");
  EXPECT_EQ(b.Table->RecNo(), Rows + 2);
  EXPECT_EQ(b.Id(), 20002);
  EXPECT_THROW(b.Db.Exec("UPDATE Big SET Name = 'theirs' WHERE ID = 4"), std::exception)
      << "the batch holds the file for writing";
  b.Table->EndWriteBatch();
  EXPECT_EQ(b.Db.Query("SELECT count(*) FROM Big"), std::to_string(Rows)) << "nothing before the outermost end";
  b.Table->EndWriteBatch();
  EXPECT_EQ(b.Db.Query("SELECT group_concat(Name) FROM Big WHERE ID > 20000"), "new 1,new 2");
  EXPECT_NO_THROW(b.Db.Exec("UPDATE Big SET Name = 'theirs' WHERE ID = 4"));
}
