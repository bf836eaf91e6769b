// Values other programs stored, as the fields read them: flags written as words, and
// numbers too large for their field are not cut into another value.
#include <gtest/gtest.h>

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

}  // namespace
