// Rows another program deletes while a dataset is open: reading on skips them, in every
// way a table or a query over SQLite reads its rows, and never shows an empty row.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "platform/data/ADODB.h"
#include "tests/platform/data/DataFixtures.h"
#include "tests/platform/data/SQLiteFixture.h"

namespace {

constexpr int Rows = 2000;

std::string NameOf(int id) {
  char s[16];
  std::snprintf(s, sizeof s, "r%05d", id);
  return s;
}

struct TMode {
  const char* Name;
  bool Query;
  const char* Sql;     // the query's statement
  const char* Sort;    // "" for none
  const char* Filter;  // a filter the engine runs, "" for none
  bool FilterEvent;    // rows filtered here, one by one
};

const TMode Modes[] = {
    {"table", false, "", "", "", false},
    {"table sorted", false, "", "Name", "", false},
    {"table filtered by the engine", false, "", "", "ID > 0", false},
    {"table filtered by an event", false, "", "", "", true},
    {"query", true, "SELECT * FROM T", "", "", false},
    {"query filtered by an event", true, "SELECT * FROM T", "", "", true},
};

struct TVanishFixture {
  TTestOwner T;
  TTempDatabase Db;
  TCustomADODataSet* Data = nullptr;
  TRecordingLink Grid;  // a window of records, as a grid keeps
  std::set<int> Gone;

  explicit TVanishFixture(const TMode& m) {
    Db.Exec("CREATE TABLE T (ID INTEGER PRIMARY KEY, Name TEXT(10));"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(Rows) + ") INSERT INTO T (ID, Name) SELECT i, printf('r%05d', i) FROM n;");
    auto* conn = new TADOConnection(T.Owner.get());
    conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Db.Path);
    if (m.Query) {
      auto* q = new TADOQuery(T.Owner.get());
      q->SQL()->SetText(m.Sql);
      Data = q;
    } else {
      auto* t = new TADOTable(T.Owner.get());
      t->SetTableName("T");
      Data = t;
    }
    Data->SetConnection(conn);
    Data->SetSort(m.Sort);
    if (*m.Filter) Data->SetFilter(m.Filter);
    if (m.FilterEvent) Data->SetOnFilterRecord(TFilterRecordEvent([](TDataSet*, bool& accept) { accept = true; }));
    Data->SetFiltered(*m.Filter || m.FilterEvent);
    Grid.SetBufferCount(10);
    Grid.SetDataSource(MakeSource(T.Owner.get(), Data));
    Data->Open();
  }
  // Another program deletes rows.
  void Delete(std::initializer_list<int> ids) {
    for (int id : ids) {
      Db.Exec("DELETE FROM T WHERE ID = " + std::to_string(id));
      Gone.insert(id);
    }
  }
  std::vector<std::string> Remaining() const {
    std::vector<std::string> names;
    for (int id = 1; id <= Rows; ++id)
      if (!Gone.count(id)) names.push_back(NameOf(id));
    return names;
  }
  // Walks from the cursor to the end (or the start): the rows' names, in table order. No
  // row is empty, and the rows are numbered in order.
  std::vector<std::string> Walk(bool forward) {
    std::vector<std::string> seen;
    std::vector<int> numbers, expected;
    int empty = 0;
    while (!(forward ? Data->Eof() : Data->Bof())) {
      TField* name = Data->FieldByName("Name");
      if (name->IsNull() || Data->FieldByName("ID")->IsNull()) ++empty;
      seen.push_back(name->AsString());
      numbers.push_back(Data->RecNo());
      if (forward) Data->Next();
      else Data->Prior();
    }
    EXPECT_EQ(empty, 0);
    // Walking on, the rows are numbered one after another; walking back, rows gone
    // behind the cursor are not known before they are reached, so the numbers only fall.
    if (forward) {
      for (std::size_t i = 0; i < numbers.size(); ++i) expected.push_back(static_cast<int>(i) + 1);
      EXPECT_EQ(numbers, expected);
    } else {
      EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end(), std::less_equal<int>()), numbers.end());
    }
    if (!forward) std::reverse(seen.begin(), seen.end());
    return seen;
  }
};

TEST(VanishedRows, RowsDeletedElsewhereAreSkippedWhereverTheyAreRead) {
  for (const TMode& m : Modes) {
    SCOPED_TRACE(m.Name);
    TVanishFixture f(m);
    // Every row has been passed once, backwards: the cursor is on the first row, the
    // window holds the first ten.
    f.Data->Last();
    while (!f.Data->Bof()) f.Data->Prior();
    ASSERT_EQ(f.Data->FieldByName("Name")->AsString(), NameOf(1));
    // Ahead of the cursor: in the middle, two together, and the last row.
    f.Delete({700, 1300, 1301, Rows});
    EXPECT_EQ(f.Walk(true), f.Remaining());
    EXPECT_EQ(f.Data->RecordCount(), Rows - 4);
    // Behind it (the window holds the last rows): the first two and one in the middle.
    f.Delete({1, 2, 1000});
    EXPECT_EQ(f.Walk(false), f.Remaining());
    if (!m.Query) {
      EXPECT_EQ(f.Data->RecordCount(), Rows - 7);
    }
    f.Data->Refresh();
    EXPECT_EQ(f.Data->RecordCount(), Rows - 7);
    f.Data->First();
    EXPECT_EQ(f.Walk(true), f.Remaining());
  }
}

TEST(VanishedRows, AJumpLandsOnRowsStillThere) {
  for (const TMode& m : Modes) {
    SCOPED_TRACE(m.Name);
    TVanishFixture f(m);
    f.Data->Last();
    f.Data->First();
    // Rows far from what was read go; a jump there (a thumb drop) shows the rows after.
    f.Delete({1499, 1500, 1501, 1502, 1503});
    f.Data->SetRecNo(1499);
    EXPECT_EQ(f.Data->FieldByName("Name")->AsString(), NameOf(1504));
    for (int i = 0; i < f.Grid.RecordCount(); ++i) {
      f.Grid.SetActiveRecord(i);
      EXPECT_FALSE(f.Data->FieldByName("Name")->IsNull()) << i;
      EXPECT_EQ(f.Gone.count(f.Data->FieldByName("ID")->AsInteger()), 0u) << i;
    }
  }
}

}  // namespace
