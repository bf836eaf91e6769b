// Values other programs stored, as the fields read them: flags written as words, and
// numbers too large for their field are not cut into another value; texts the dataset
// writes, as the file then holds them, and new rows the table's rules drop.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "tests/platform/data/AdoFixture.h"

namespace {

TEST(StoredValues, FlagsAndWholeNumbersReadAsTheFieldsConvertThem) {
  struct TCase {
    const char* Stored;  // an SQL literal
    const char* Flag;    // the Boolean field: "1", "0" or "null"
    const char* Whole;   // the Integer field: its value or "null"
  } cases[] = {
      {"1", "1", "1"},
      {"0", "0", "0"},
      {"'no'", "0", "null"},
      {"'OFF'", "0", "null"},
      {"'False'", "0", "null"},
      {"'0'", "0", "0"},
      {"'yes'", "1", "null"},
      {"' On '", "1", "null"},
      {"'TRUE'", "1", "null"},
      {"'maybe'", "null", "null"},
      {"''", "null", "null"},
      {"NULL", "null", "null"},
      {"4294967301", "1", "null"},  // 2^32 + 5: not 5
      {"-2147483649", "1", "null"},
      {"2147483647", "1", "2147483647"},
      {"' 42 '", "1", "42"},
      {"2.5", "1", "2"},  // half to even
  };
  TAdoFixture f(false);
  f.Db.Exec("CREATE TABLE TSet (ID INTEGER PRIMARY KEY, flag BOOLEAN, whole INTEGER, big BIGINT)");
  for (const TCase& c : cases)
    f.Db.Exec(std::string("INSERT INTO TSet (flag, whole, big) VALUES (") + c.Stored + ", " + c.Stored + ", " +
              c.Stored + ")");
  f.Table->Open();
  auto text = [](TField* fl) { return fl->IsNull() ? std::string("null") : fl->AsString(); };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored);
    TField* flag = f.Table->FieldByName("flag");
    EXPECT_EQ(flag->IsNull() ? "null" : (flag->AsBoolean() ? "1" : "0"), std::string(c.Flag));
    EXPECT_EQ(text(f.Table->FieldByName("whole")), c.Whole);
    f.Table->Next();
  }
  // A 64-bit field keeps what a 32-bit one cannot hold.
  ASSERT_TRUE(f.Table->Locate("ID", Variant(13), {}));
  EXPECT_EQ(f.Table->FieldByName("big")->AsLargeInt(), 4294967301LL);
}

// Each text reaches its own column whole, whatever its length, row after row through the
// same statements: new rows in a write batch, then edits of one column and of all.
TEST(StoredValues, WrittenTextsAreWhatTheFileHolds) {
  const std::string texts[] = {"", "a", "fifteen chars!!", std::string(40, 'x'), std::string(5000, 'y') + "z",
                               "多行\n文本\t片段", "say \"hi\""};
  TAdoFixture f(false);
  f.Db.Exec("CREATE TABLE TSet (ID INTEGER PRIMARY KEY, a TEXT, b TEXT, n INTEGER)");
  f.Table->Open();
  const int count = static_cast<int>(std::size(texts));
  f.Table->BeginWriteBatch();
  for (int i = 0; i < count; ++i) {
    f.Table->Append();
    f.Table->FieldByName("a")->SetAsString(texts[i]);
    f.Table->FieldByName("b")->SetAsString(texts[count - 1 - i]);
    f.Table->FieldByName("n")->SetAsInteger(i);
    f.Table->Post();
    EXPECT_EQ(f.Table->FieldByName("a")->AsString(), texts[i]);
  }
  f.Table->EndWriteBatch();
  auto stored = [&](const char* column, int n) {
    return f.Db.Query(std::string("SELECT ") + column + " FROM TSet WHERE n = " + std::to_string(n));
  };
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(stored("a", i), texts[i]);
    EXPECT_EQ(stored("b", i), texts[count - 1 - i]);
  }
  // Edits: one column (another statement), then both.
  f.Table->First();
  for (int i = 0; i < count; ++i, f.Table->Next()) {
    f.Table->Edit();
    f.Table->FieldByName("b")->SetAsString(texts[i] + "!");
    if (i % 2) f.Table->FieldByName("a")->SetAsString(texts[count - 1 - i] + "?");
    f.Table->Post();
  }
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(stored("a", i), i % 2 ? texts[count - 1 - i] + "?" : texts[i]);
    EXPECT_EQ(stored("b", i), texts[i] + "!");
  }
}

// A new row the table's own rules drop is not reported as written, and no other row is
// shown in its place: the post fails and the record stays as entered.
TEST(StoredValues, ANewRowTheTableIgnoresFailsThePost) {
  TAdoFixture f(false);
  f.Db.Exec("CREATE TABLE TSet (ID INTEGER PRIMARY KEY, name TEXT UNIQUE ON CONFLICT IGNORE, n INTEGER);"
            "INSERT INTO TSet (name, n) VALUES ('a', 1), ('b', 2)");
  f.Table->Open();
  f.Table->Append();
  f.Table->FieldByName("name")->SetAsString("a");
  f.Table->FieldByName("n")->SetAsInteger(3);
  EXPECT_THROW(f.Table->Post(), EDatabaseError);
  EXPECT_EQ(f.Table->State(), dsInsert);
  EXPECT_EQ(f.Table->FieldByName("n")->AsInteger(), 3);
  f.Table->Cancel();
  EXPECT_EQ(f.Db.Query("SELECT group_concat(name || n) FROM TSet"), "a1,b2");
  // The same inside a write batch, where the next row is still written.
  f.Table->BeginWriteBatch();
  f.Table->Append();
  f.Table->FieldByName("name")->SetAsString("b");
  EXPECT_THROW(f.Table->Post(), EDatabaseError);
  f.Table->Cancel();
  f.Table->Append();
  f.Table->FieldByName("name")->SetAsString("c");
  f.Table->FieldByName("n")->SetAsInteger(4);
  f.Table->Post();
  EXPECT_EQ(f.Table->FieldByName("name")->AsString(), "c");
  f.Table->EndWriteBatch();
  EXPECT_EQ(f.Db.Query("SELECT group_concat(name || n) FROM TSet"), "a1,b2,c4");
}

}  // namespace
