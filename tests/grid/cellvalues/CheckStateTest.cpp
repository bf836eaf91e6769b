// Check states read from and written to boolean fields and fields with ';'-listed keys.
#include "tests/support/CellValuesFixture.h"

namespace {

TEST_F(CellValuesTest, CheckStatesReadFromKeyListsAndBooleans) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"B", ftBoolean}});
  struct Case {
    const char* Name;
    const char* Field;
    Variant Value;
    std::initializer_list<const char*> Keys;
    TCheckBoxState State;
  };
  const Case Cases[] = {
      {"first item", "S", Variant("Y"), {"Y;YES", "N;NO"}, cbChecked},
      {"item in other case", "S", Variant("yes"), {"Y;YES", "N;NO"}, cbChecked},
      {"items trimmed", "S", Variant(" no"), {"Y ; YES", " N ; NO "}, cbUnchecked},
      {"unchecked item", "S", Variant("no"), {"Y;YES", "N;NO"}, cbUnchecked},
      {"unlisted", "S", Variant("maybe"), {"Y;YES", "N;NO"}, cbGrayed},
      {"null", "S", Null(), {"Y;YES", "N;NO"}, cbGrayed},
      {"one entry, matching", "S", Variant("T"), {"T"}, cbChecked},
      {"one entry, not matching", "S", Variant("F"), {"T"}, cbGrayed},
      {"no entries", "S", Variant("Y"), {}, cbGrayed},
      {"boolean true", "B", Variant(true), {}, cbChecked},
      {"boolean false", "B", Variant(false), {"false"}, cbUnchecked},
      {"boolean null", "B", Null(), {}, cbGrayed},
  };
  for (const Case& C : Cases) {
    Put(Data, C.Field, C.Value);
    TColumnGx* Column = ColumnOn(Data, C.Field);
    SetLines(Column->KeyList(), C.Keys);
    EXPECT_EQ(Column->ReadCheckState(), C.State) << C.Name;
  }
  EXPECT_EQ(ColumnOn(Data, "Missing")->ReadCheckState(), cbUnchecked);
}

TEST_F(CellValuesTest, CheckStatesWriteTheFirstKeyItemOrABoolean) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"B", ftBoolean}});
  struct Case {
    const char* Name;
    const char* Field;
    std::initializer_list<const char*> Keys;
    TCheckBoxState State;
    Variant Written;
  };
  const Case Cases[] = {
      {"checked", "S", {" Y ;YES", "N;NO"}, cbChecked, Variant("Y")},
      {"unchecked", "S", {"Y;YES", "N;NO"}, cbUnchecked, Variant("N")},
      {"grayed", "S", {"Y;YES", "N;NO"}, cbGrayed, Null()},
      {"unchecked with one entry writes no text", "S", {"T"}, cbUnchecked, Null()},
      {"boolean checked", "B", {}, cbChecked, Variant(true)},
      {"boolean unchecked", "B", {}, cbUnchecked, Variant(false)},
      {"boolean grayed", "B", {}, cbGrayed, Null()},
  };
  for (const Case& C : Cases) {
    Put(Data, C.Field, C.Field[0] == 'B' ? Variant(true) : Variant("x"));
    TColumnGx* Column = ColumnOn(Data, C.Field);
    SetLines(Column->KeyList(), C.Keys);
    Data->Edit();
    Column->WriteCheckState(C.State);
    EXPECT_EQ(Data->FieldByName(C.Field)->Value(), C.Written) << C.Name;
    Data->Cancel();
  }
}

}  // namespace
