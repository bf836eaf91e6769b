// Queries read through a bounded window of their rows.
#include <gtest/gtest.h>

#include "platform/data/ADODB.h"
#include "tests/platform/data/DataFixtures.h"
#include "tests/platform/data/SQLiteFixture.h"

namespace {

constexpr int Rows = 20000;
// More rows than a query may hold at once, far fewer than it reads.
constexpr std::size_t HeldBound = 1024;

struct TBigQuery {
  TTestOwner T;
  TTempDatabase Db;
  TADOQuery* Query = nullptr;
  TRecordingLink Grid;

  explicit TBigQuery(const std::string& sql = "SELECT ID, Name FROM Big") {
    // Row ids 2, 4, 6, ...
    Db.Exec("CREATE TABLE Big (ID INTEGER PRIMARY KEY, Name TEXT(20));"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(Rows) + ") INSERT INTO Big (ID, Name) SELECT i * 2, 'row ' || i FROM n;");
    auto* conn = new TADOConnection(T.Owner.get());
    conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Db.Path);
    Query = new TADOQuery(T.Owner.get());
    Query->SetConnection(conn);
    Query->SQL()->SetText(sql);
    Grid.SetBufferCount(30);
    Grid.SetDataSource(MakeSource(T.Owner.get(), Query));
    Query->Open();
  }
  int Id() const { return Query->FieldByName("ID")->AsInteger(); }
  std::string Name() const { return Query->FieldByName("Name")->AsString(); }
  void ExpectBounded() const {
    EXPECT_LE(Query->QueryRowsHeld(), HeldBound);
    EXPECT_LE(Query->IndexMemory(), HeldBound * sizeof(std::int64_t));
  }
};

TEST(QueryPages, ScansAndNavigatesWithoutHoldingTheResult) {
  TBigQuery q;
  for (int i = 1; !q.Query->Eof(); ++i, q.Query->Next()) {
    ASSERT_EQ(q.Id(), 2 * i);
    ASSERT_EQ(q.Query->RecNo(), i);
  }
  q.ExpectBounded();
  EXPECT_EQ(q.Query->RecordCount(), Rows);
  for (int i = Rows; !q.Query->Bof(); --i, q.Query->Prior()) {
    ASSERT_EQ(q.Id(), 2 * i);
    ASSERT_EQ(q.Name(), "row " + std::to_string(i));
  }
  q.ExpectBounded();

  // Jumps: record numbers, bookmarks, searches, the last row.
  q.Query->SetRecNo(15000);
  EXPECT_EQ(q.Id(), 30000);
  const TBookmark mark = q.Query->GetBookmark();
  q.Query->First();
  const TBookmark first = q.Query->GetBookmark();
  EXPECT_LT(q.Query->CompareBookmarks(first, mark), 0);
  EXPECT_TRUE(q.Query->BookmarkValid(mark));
  q.Query->GotoBookmark(mark);
  EXPECT_EQ(q.Id(), 30000);
  EXPECT_EQ(q.Query->RecNo(), 15000);
  EXPECT_TRUE(q.Query->Locate("Name", "row 19999", {}));
  EXPECT_EQ(q.Id(), 39998);
  q.Query->Last();
  EXPECT_EQ(q.Id(), 2 * Rows);
  EXPECT_EQ(q.Query->MoveBy(-(Rows - 1)), -(Rows - 1));
  EXPECT_EQ(q.Id(), 2);
  EXPECT_TRUE(q.Query->Lookup("ID", 40000, "Name") == Variant("row 20000"));
  q.ExpectBounded();
}

TEST(QueryPages, StatementsOfEveryShapeReadTheSameBothWays) {
  struct TCase {
    const char* Sql;
    std::vector<int> Ids;
  };
  const TCase cases[] = {
      {"SELECT ID FROM Big WHERE ID > 39990;  ", {39992, 39994, 39996, 39998, 40000}},
      {"SELECT b.ID FROM Big b JOIN Big c ON c.ID = b.ID + 2 WHERE b.ID <= 6 -- joined", {2, 4, 6}},
      {"SELECT ID FROM Big WHERE ID < 0", {}},
      {"SELECT ID FROM Big ORDER BY Name DESC LIMIT 3", {19998, 19996, 19994}},
      {"WITH s(ID) AS (SELECT ID FROM Big WHERE ID % 10000 = 0) SELECT ID FROM s", {10000, 20000, 30000, 40000}},
  };
  for (const TCase& c : cases) {
    TBigQuery q(c.Sql);
    std::vector<int> forward, backward;
    for (; !q.Query->Eof(); q.Query->Next()) forward.push_back(q.Id());
    EXPECT_EQ(forward, c.Ids) << c.Sql;
    EXPECT_EQ(q.Query->RecordCount(), static_cast<int>(c.Ids.size())) << c.Sql;
    q.Query->Last();
    for (; !q.Query->Bof(); q.Query->Prior()) backward.insert(backward.begin(), q.Id());
    EXPECT_EQ(backward, c.Ids) << c.Sql;
  }
}

// A statement that cannot be a sub-query is read by stepping over the rows before a position.
TEST(QueryPages, AStatementThatIsNotAQueryIsReadToo) {
  TBigQuery q("PRAGMA table_info(Big)");
  auto name = [&] { return q.Query->FieldByName("name")->AsString(); };
  EXPECT_EQ(name(), "ID");
  q.Query->Last();
  EXPECT_EQ(name(), "Name");
  EXPECT_EQ(q.Query->RecordCount(), 2);
  q.Query->Prior();
  EXPECT_EQ(name(), "ID");
  EXPECT_FALSE(q.Query->CanModify());
}

TEST(QueryPages, RowsAskedForAgainAreReadAgain) {
  TBigQuery q;
  q.Query->SetRecNo(10000);
  EXPECT_EQ(q.Name(), "row 10000");
  q.Db.Exec("UPDATE Big SET Name = 'changed' WHERE ID = 20000");
  q.Query->Refresh();
  EXPECT_EQ(q.Id(), 20000);
  EXPECT_EQ(q.Name(), "changed");
  q.Query->Next();
  EXPECT_EQ(q.Name(), "row 10001");
  // Back over rows the cursor has been handed already.
  EXPECT_EQ(q.Query->MoveBy(-300), -300);
  EXPECT_EQ(q.Name(), "row 9701");
  q.Query->First();
  EXPECT_EQ(q.Name(), "row 1");
  q.ExpectBounded();
}

TEST(QueryPages, EditsAreWrittenAndTheCursorStaysOnTheRow) {
  TBigQuery q("SELECT ID, Name FROM Big WHERE ID > 100");
  q.Query->SetRecNo(5000);  // ID 10100, far beyond the first window
  EXPECT_EQ(q.Id(), 10100);
  q.Query->Edit();
  q.Query->FieldByName("Name")->SetAsString("edited");
  q.Query->Post();
  EXPECT_EQ(q.Db.Query("SELECT Name FROM Big WHERE ID = 10100"), "edited");
  EXPECT_EQ(q.Id(), 10100);
  EXPECT_EQ(q.Name(), "edited");
  q.Query->Next();
  EXPECT_EQ(q.Id(), 10102);

  q.Query->Delete();
  EXPECT_EQ(q.Db.Query("SELECT count(*) FROM Big WHERE ID = 10102"), "0");
  EXPECT_EQ(q.Id(), 10104);
  EXPECT_EQ(q.Query->RecordCount(), Rows - 50 - 1);

  q.Query->Append();
  q.Query->FieldByName("Name")->SetAsString("new");
  q.Query->Post();
  EXPECT_EQ(q.Name(), "new");
  EXPECT_EQ(q.Id(), 40001);
  EXPECT_EQ(q.Query->RecNo(), Rows - 50);
  q.ExpectBounded();
}

// Bookmarks of a query name rows, not positions: deleting rows before them, here or
// elsewhere, and deleting marked rows one by one never reaches another row.
TEST(QueryPages, BookmarksNameTheirRowsWhateverMovesAroundThem) {
  for (const char* sort : {"", "Name DESC"}) {
    SCOPED_TRACE(sort);
    TBigQuery q;
    q.Query->SetSort(sort);
    auto markId = [&](int id) {
      EXPECT_TRUE(q.Query->Locate("ID", id, {}));
      return q.Query->GetBookmark();
    };
    const TBookmark a = markId(2000), b = markId(2004), c = markId(2006);
    EXPECT_EQ(q.Query->CompareBookmarks(a, b), *sort ? 1 : -1);
    q.Query->First();
    q.Query->Delete();
    // Another program deletes rows too. (A sorted query holds the file while partly
    // read, so there the rows go through the query.)
    if (*sort) {
      for (int id : {10, 2002}) {
        q.Query->Locate("ID", id, {});
        q.Query->Delete();
      }
    } else {
      q.Db.Exec("DELETE FROM Big WHERE ID IN (10, 2002)");
      q.Query->Refresh();
    }
    for (const TBookmark& m : {a, b}) {
      ASSERT_TRUE(q.Query->BookmarkValid(m));
      q.Query->GotoBookmark(m);
      q.Query->Delete();
    }
    EXPECT_EQ(q.Db.Query("SELECT group_concat(ID) FROM Big WHERE ID BETWEEN 1998 AND 2008"), "1998,2006,2008");
    EXPECT_FALSE(q.Query->BookmarkValid(a));
    q.Query->GotoBookmark(c);
    EXPECT_EQ(q.Id(), 2006);
    q.ExpectBounded();
  }
}

TEST(QueryPages, SortAndFilterKeepTheCurrentRow) {
  TBigQuery q;
  q.Query->SetRecNo(3);  // ID 6
  q.Query->SetSort("ID DESC");
  EXPECT_EQ(q.Id(), 6);
  EXPECT_EQ(q.Query->RecNo(), Rows - 2);
  q.Query->First();
  EXPECT_EQ(q.Id(), 2 * Rows);
  q.ExpectBounded();

  q.Query->SetFilter("ID < 9");
  q.Query->SetFiltered(true);
  EXPECT_EQ(q.Query->RecordCount(), 4);
  EXPECT_EQ(q.Id(), 8);
  q.Query->Last();
  EXPECT_EQ(q.Id(), 2);
  q.Query->SetFiltered(false);  // back on the first row
  EXPECT_EQ(q.Id(), 2 * Rows);
  EXPECT_EQ(q.Query->RecordCount(), Rows);
  q.Query->SetSort("");
  EXPECT_EQ(q.Id(), 2 * Rows);
  EXPECT_EQ(q.Query->RecNo(), Rows);
  q.ExpectBounded();
}

}  // namespace
