// The text a column shows for the current record: key lists, check boxes, memos, lookups
// with their special row, and display formats of every kind of field.
#include <functional>

#include "platform/rtl/DateTime.h"
#include "tests/support/CellValuesFixture.h"

namespace {

TEST_F(CellValuesTest, KeyListCellsShowTheirPickListEntry) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  struct Case {
    const char* Name;
    const char* Value;
    std::initializer_list<const char*> Keys, Picks;
    int NotInKeyList;
    bool CheckBoxes;
    const char* Text;
  };
  const Case Cases[] = {
      {"listed value", "2", {"1", "2", "3"}, {"one", "two", "three"}, -1, false, "two"},
      {"keys compare ignoring case", "b", {"A", "B"}, {"alpha", "beta"}, -1, false, "beta"},
      {"listed beyond the pick list", "3", {"1", "2", "3"}, {"one", "two"}, -1, false, ""},
      {"listed beyond the pick list, fallback", "3", {"1", "2", "3"}, {"one", "two"}, 0, false, "one"},
      {"not listed, fallback", "9", {"1", "2"}, {"one", "two", "other"}, 2, false, "other"},
      {"not listed, no fallback", "9", {"1", "2"}, {"one", "two"}, -1, false, ""},
      {"not listed, fallback past the picks", "9", {"1", "2"}, {"one", "two"}, 2, false, ""},
      {"null value, fallback", nullptr, {"1"}, {"one", "none"}, 1, false, "none"},
      {"key list without pick list", "1", {"1"}, {}, 0, false, ""},
      // Check-box key lists hold ';'-lists, which are whole entries to the text lookup.
      {"check box item is no whole entry", "Y", {"Y;YES", "N;NO"}, {"yes", "no"}, -1, true, ""},
      {"check box whole entry", "N;NO", {"Y;YES", "N;NO"}, {"yes", "no"}, -1, true, "no"},
  };
  for (const Case& C : Cases) {
    Put(Data, "S", C.Value ? Variant(C.Value) : Null());
    TColumnGx* Column = ColumnOn(Data, "S");
    SetLines(Column->KeyList(), C.Keys);
    if (C.Picks.size()) SetLines(Column->PickList(), C.Picks);
    Column->SetNotInKeyListIndex(C.NotInKeyList);
    Column->SetCheckboxes(C.CheckBoxes);
    EXPECT_EQ(Column->FormatCellText(), C.Text) << C.Name;
  }
}

TEST_F(CellValuesTest, KeyImageCellsShowNoTextButTheirImageIndex) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  TColumnGx* Column = ColumnOn(Data, "S");
  SetLines(Column->KeyList(), {"a", "b"});
  SetLines(Column->PickList(), {"A", "B"});
  EXPECT_EQ(Column->KeyImageIndex(), -1);  // not an image cell yet
  Column->SetImageList(new TCustomImageList(Form.get()));
  Column->SetNotInKeyListIndex(5);
  struct Case {
    const char* Value;
    int Image;
  };
  for (const Case& C : {Case{"b", 1}, Case{"a", 0}, Case{"z", 5}}) {
    Put(Data, "S", Variant(C.Value));
    EXPECT_EQ(Column->KeyImageIndex(), C.Image) << C.Value;
    EXPECT_EQ(Column->FormatCellText(), "") << C.Value;
  }
}

TEST_F(CellValuesTest, MemoCellsShowTheirTextOnlyWhenTheGridDrawsMemoText) {
  TClientDataSet* Data = NewDataSet({{"M", ftMemo}});
  Put(Data, "M", Variant("long text"));
  TColumnGx* Column = ColumnOn(Data, "M");
  EXPECT_EQ(Column->FormatCellText(), Data->FieldByName("M")->DisplayText());
  EXPECT_NE(Column->FormatCellText(), "long text");
  Grid->SetDrawMemoText(true);
  EXPECT_EQ(Column->FormatCellText(), "long text");
}

TEST_F(CellValuesTest, LookupCellsShowTheSpecialRowForItsValueOrAMissingKey) {
  TClientDataSet* Main = NewLookupPair();
  TColumnGx* Column = ColumnOn(Main, "Title");
  TSpecRowGx* Spec = Column->DropDownSpecRow();
  Spec->SetCellsText("(all);x");
  Spec->SetValue(Variant(2));
  struct Case {
    const char* Name;
    Variant Code;
    bool Visible, ShowIfNotInKeyList;
    const char* Text;
  };
  const Case Cases[] = {
      {"hidden row", Variant(2), false, true, "two"},
      {"row's value", Variant(2), true, false, "(all)"},
      {"other value", Variant(1), true, true, "one"},
      {"no key, row shown for it", Null(), true, true, "(all)"},
      {"no key, row not shown for it", Null(), true, false, ""},
      {"key not in the list", Variant(7), true, true, "(all)"},
  };
  for (const Case& C : Cases) {
    Put(Main, "Code", C.Code);
    Spec->SetVisible(C.Visible);
    Spec->SetShowIfNotInKeyList(C.ShowIfNotInKeyList);
    EXPECT_EQ(Column->FormatCellText(), C.Text) << C.Name;
  }
  EXPECT_TRUE(TColumnGx::LookupKeyFound(Main->FieldByName("Title")) == false);  // key 7 finds nothing
  Put(Main, "Code", Variant(1));
  EXPECT_TRUE(TColumnGx::LookupKeyFound(Main->FieldByName("Title")));
  Codes->Close();
  EXPECT_FALSE(TColumnGx::LookupKeyFound(Main->FieldByName("Title")));
  EXPECT_FALSE(TColumnGx::LookupKeyFound(nullptr));
}

TEST_F(CellValuesTest, DisplayFormatsApplyByFieldType) {
  TClientDataSet* Data = NewDataSet({{"I", ftInteger}, {"SI", ftSmallint}, {"W", ftWord}, {"L", ftLargeint},
                                     {"F", ftFloat}, {"C", ftCurrency}, {"BC", ftBCD}, {"D", ftDate},
                                     {"T", ftTime}, {"DT", ftDateTime}, {"TS", ftTimeStamp}, {"S", ftString},
                                     {"B", ftBoolean}});
  const TDateTime When = EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0);
  Data->Edit();
  for (const char* F : {"I", "SI", "W", "L"}) Data->FieldByName(F)->SetValue(Variant(15));
  for (const char* F : {"F", "C", "BC"}) Data->FieldByName(F)->SetValue(Variant(1.5));
  for (const char* F : {"D", "T", "DT", "TS"}) Data->FieldByName(F)->SetAsDateTime(When);
  Data->FieldByName("S")->SetAsString("text");
  Data->FieldByName("B")->SetAsBoolean(true);
  Data->Post();
  struct Case {
    const char* Field;
    const char* Format;
    const char* Text;
  };
  const Case Cases[] = {
      {"I", "0.00", "15.00"},   {"SI", "000", "015"},     {"W", "0.0", "15.0"},     {"L", "0.0", "15.0"},
      {"F", "0.00", "1.50"},    {"C", "0.000", "1.500"},  {"BC", "0.0", "1.5"},     {"D", "yyyy-mm-dd", "2024-03-05"},
      {"T", "hh:nn", "14:30"},  {"DT", "dd/hh", "05/14"}, {"TS", "yyyy", "2024"},   {"S", "0.00", ""},
      {"B", "0", ""},
  };
  for (const Case& C : Cases) {
    TField* Field = Data->FieldByName(C.Field);
    EXPECT_EQ(TColumnGx::FormatFieldWithDisplayFormat(Field, C.Format), C.Text) << C.Field;
    EXPECT_EQ(TColumnGx::FormatFieldWithDisplayFormat(Field, ""), Field->DisplayText()) << C.Field;
  }
  // The column's own format is what its cell shows.
  TColumnGx* Column = ColumnOn(Data, "F");
  Column->SetDisplayFormat("0.00");
  EXPECT_EQ(Column->FormatCellText(), "1.50");
  Put(Data, "F", Null());
  EXPECT_EQ(Column->FormatCellText(), "");
}

TEST_F(CellValuesTest, AggregateFieldsFormatByTheirResultType) {
  auto* Data = new TClientDataSet(Form.get());
  Data->FieldDefs().Add("N", ftInteger, 0);
  AddField<TIntegerField>(Data, "N");
  auto* Total = AddField<TAggregateField>(Data, "Total");
  Data->CreateDataSet();
  Data->Append();
  EXPECT_EQ(TColumnGx::FormatFieldWithDisplayFormat(Total, "0.0"), "");  // Null
  struct Case {
    TFieldType Result;
    const char* Format;
    const char* Text;
  };
  for (const Case& C : {Case{ftFloat, "0.0", "2.3"}, Case{ftCurrency, "0.00", "2.25"}, Case{ftDate, "yyyy", "1900"},
                        Case{ftDateTime, "yyyy", "1900"}, Case{ftTime, "hh", "06"}, Case{ftString, "0.0", ""}, Case{ftInteger, "0.0", ""},
                        Case{ftUnknown, "0.0", ""}}) {
    Total->SetResultType(C.Result);
    Total->SetValue(Variant(2.25));
    EXPECT_EQ(TColumnGx::FormatFieldWithDisplayFormat(Total, C.Format), C.Text) << C.Result;
  }
  Data->Cancel();
}

}  // namespace
