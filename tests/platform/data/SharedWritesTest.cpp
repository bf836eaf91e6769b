// Writing a database other programs use too: only what the user changed is written, a
// row changed or deleted meanwhile is not overwritten, and a lock is waited for.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

#include "tests/platform/data/AdoFixture.h"

namespace {

const std::string NotLocated =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

// A write that must fail because the row is not there as it was read.
void ExpectNotLocated(const std::function<void()>& write) {
  try {
    write();
    ADD_FAILURE() << "written";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), NotLocated);
  }
}

// The snippet table through a table (rows fetched by row id) or a query (rows read once).
struct TSharedFixture : TAdoFixture {
  TDataSet* Data = nullptr;
  explicit TSharedFixture(bool viaQuery) {
    if (viaQuery) {
      auto* q = new TADOQuery(T.Owner.get());
      q->SetConnection(Conn);
      q->SQL()->SetText("SELECT * FROM TSet");
      Data = q;
    } else {
      Data = Table;
    }
    Data->Open();
  }
  TField* Field(const char* name) const { return Data->FieldByName(name); }
};

TEST(SharedWrites, APostWritesOnlyTheChangedFieldsWhereTheRowStillHoldsThem) {
  for (bool viaQuery : {false, true}) {
    SCOPED_TRACE(viaQuery ? "query" : "table");
    TSharedFixture f(viaQuery);
    // Another program sets row 1's key while the user edits its text.
    f.Data->Edit();
    f.Field("Content")->SetAsString("mine");
    f.Db.Exec("UPDATE TSet SET KeyIndex = 99 WHERE ID = 1");
    f.Data->Post();
    EXPECT_EQ(f.Db.Query("SELECT Content || '/' || KeyIndex FROM TSet WHERE ID = 1"), "mine/99");
    // A null read is matched as null; a flag stored as text matches the flag it reads as.
    f.Db.Exec("UPDATE TSet SET shift = 'No' WHERE ID = 3");
    f.Data->Last();
    f.Data->Refresh();
    ASSERT_FALSE(f.Field("shift")->AsBoolean());
    f.Data->Edit();
    f.Field("Content")->SetAsString("was null");
    f.Field("shift")->SetAsBoolean(true);
    f.Data->Post();
    EXPECT_EQ(f.Db.Query("SELECT Content || '/' || shift FROM TSet WHERE ID = 3"), "was null/1");
  }
}

TEST(SharedWrites, ARowChangedOrDeletedMeanwhileFailsThePostAndKeepsTheEdit) {
  struct TCase {
    const char* Name;
    const char* Meanwhile;
    const char* Left;  // row 1's Content afterwards ("" when the row is gone)
  } cases[] = {
      {"the same field changed", "UPDATE TSet SET Content = 'theirs' WHERE ID = 1", "theirs"},
      {"the row deleted", "DELETE FROM TSet WHERE ID = 1", ""},
  };
  for (bool viaQuery : {false, true})
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(viaQuery ? "query: " : "table: ") + c.Name);
      TSharedFixture f(viaQuery);
      f.Data->Edit();
      f.Field("Content")->SetAsString("mine");
      f.Db.Exec(c.Meanwhile);
      ExpectNotLocated([&] { f.Data->Post(); });
      EXPECT_EQ(f.Data->State(), dsEdit);
      EXPECT_EQ(f.Field("Content")->AsString(), "mine");
      EXPECT_EQ(f.Db.Query("SELECT Content FROM TSet WHERE ID = 1"), c.Left);
      f.Data->Cancel();
      EXPECT_EQ(f.Data->State(), dsBrowse);
    }
}

TEST(SharedWrites, ARowDeletedMeanwhileFailsAPostWithOrWithoutChangesAndNeverShowsBlank) {
  for (bool viaQuery : {false, true})
    for (bool changed : {false, true}) {
      SCOPED_TRACE(std::string(viaQuery ? "query, " : "table, ") + (changed ? "changed" : "unchanged"));
      TSharedFixture f(viaQuery);
      f.Db.Exec("DELETE FROM TSet WHERE ID = 1");
      f.Data->Edit();
      if (changed) f.Field("Content")->SetAsString("mine");
      ExpectNotLocated([&] { f.Data->Post(); });
      EXPECT_EQ(f.Data->State(), dsEdit);
      EXPECT_EQ(f.Field("Content")->AsString(), changed ? "mine" : "Hello");
      // The row shows as it was read, or leaves the view (a query read again); it never
      // shows empty.
      f.Data->Cancel();
      ASSERT_FALSE(f.Field("ID")->IsNull());
      if (f.Field("ID")->AsInteger() == 1) EXPECT_EQ(f.Field("Content")->AsString(), "Hello");
      f.Data->Next();
      f.Data->Prior();
      ASSERT_FALSE(f.Field("ID")->IsNull());
      if (f.Field("ID")->AsInteger() == 1) EXPECT_EQ(f.Field("Content")->AsString(), "Hello");
      EXPECT_EQ(f.Db.Query("SELECT count(*) FROM TSet"), "2");
    }
}

TEST(SharedWrites, APostWithNothingChangedWritesNothing) {
  for (bool viaQuery : {false, true}) {
    SCOPED_TRACE(viaQuery ? "query" : "table");
    TSharedFixture f(viaQuery);
    f.Data->Edit();
    f.Field("Content")->SetAsString("Hello");  // what it already holds
    f.Db.Exec("UPDATE TSet SET Content = 'theirs' WHERE ID = 1");
    f.Data->Post();
    EXPECT_EQ(f.Data->State(), dsBrowse);
    EXPECT_EQ(f.Db.Query("SELECT Content FROM TSet WHERE ID = 1"), "theirs");
  }
}

TEST(SharedWrites, DeletingARowAlreadyGoneFails) {
  for (bool viaQuery : {false, true}) {
    SCOPED_TRACE(viaQuery ? "query" : "table");
    TSharedFixture f(viaQuery);
    f.Db.Exec("DELETE FROM TSet WHERE ID = 1");
    ExpectNotLocated([&] { f.Data->Delete(); });
    EXPECT_EQ(f.Data->State(), dsBrowse);
    f.Data->Next();
    f.Data->Delete();  // a row still there goes
    EXPECT_EQ(f.Db.Query("SELECT group_concat(ID) FROM TSet"), "3");
  }
}

TEST(SharedWrites, ADatabaseLockedAtStartIsWaitedFor) {
  for (bool released : {false, true}) {
    SCOPED_TRACE(released ? "released within the time-out" : "held for good");
    TAdoFixture f;
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(f.Db.Path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    TLockWaits waits;  // no time passes here
    waits.OnWait = [&] {
      if (released && waits.Waited >= 200) sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    };
    if (released) {
      f.Conn->Open();
      f.Table->Open();
      EXPECT_EQ(f.Table->RecordCount(), 3);
      EXPECT_GE(waits.Waited, 200);
      EXPECT_LT(waits.Waited, SQLiteBusyTimeoutMs);
    } else {
      EXPECT_THROW(f.Conn->Open(), EDatabaseError);
      EXPECT_EQ(waits.Waited, SQLiteBusyTimeoutMs);
    }
    sqlite3_close(other);
  }
}

}  // namespace
