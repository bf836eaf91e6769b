// Writing editor text and values back to the field, through the column's OnUpdateData.
#include "tests/support/CellValuesFixture.h"

namespace {

using UpdateHandler = std::function<void(std::string& Text, Variant& Value, bool& UseText, bool& Handled)>;

TColCellUpdateDataEventGx OnUpdate(UpdateHandler Handler) {
  return TColCellUpdateDataEventGx(
      [Handler](TObject*, std::string& Text, Variant& Value, bool& UseText, bool& Handled) {
        Handler(Text, Value, UseText, Handled);
      });
}

TEST_F(CellValuesTest, OnUpdateDataSeesAndRewritesWhatIsWritten) {
  TClientDataSet* Data = NewDataSet({{"I", ftInteger}});
  struct Case {
    const char* Name;
    std::string Text;
    Variant Value;
    bool UseText;
    UpdateHandler Handler;
    Variant Written;
  };
  const Case Cases[] = {
      {"text through the field's conversion", " 12", Variant(99), true, nullptr, Variant(12)},
      {"value", "ignored", Variant(7), false, nullptr, Variant(7)},
      {"handler changes the text", "12", Null(), true,
       [](std::string& Text, Variant&, bool&, bool&) { Text = "13"; }, Variant(13)},
      {"handler turns text into a value", "12", Null(), true,
       [](std::string&, Variant& Value, bool& UseText, bool&) {
         Value = Variant(40);
         UseText = false;
       },
       Variant(40)},
      {"handled writes nothing", "12", Null(), true,
       [](std::string&, Variant&, bool&, bool& Handled) { Handled = true; }, Variant(1)},
  };
  for (const Case& C : Cases) {
    Put(Data, "I", Variant(1));
    TColumnGx* Column = ColumnOn(Data, "I");
    if (C.Handler) Column->SetOnUpdateData(OnUpdate(C.Handler));
    Data->Edit();
    Column->WriteCellValue(C.Text, C.Value, C.UseText);
    EXPECT_EQ(Data->FieldByName("I")->Value(), C.Written) << C.Name;
    Data->Cancel();
  }
}

TEST_F(CellValuesTest, AColumnWithoutGridWritesNothing) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  TDBGridColumnsGx Loose(nullptr, TDBGridColumnGx::StaticClass());
  TColumnGx* Column = Loose.AddColumn();
  Column->SetField(Data->FieldByName("S"));
  bool Called = false;
  Column->SetOnUpdateData(OnUpdate([&](std::string&, Variant&, bool&, bool&) { Called = true; }));
  Data->Edit();
  Column->WriteCellValue("text", Variant("text"), true);
  EXPECT_FALSE(Called);
  EXPECT_TRUE(Data->FieldByName("S")->IsNull());
  Data->Cancel();
}

TEST_F(CellValuesTest, MemoTextIsWrittenAsItStandsWhenTheGridShowsMemoText) {
  TClientDataSet* Data = NewDataSet({{"M", ftMemo}});
  Data->FieldByName("M")->SetOnSetText(
      TFieldSetTextEvent([](TField* F, const std::string& Text) { F->SetAsString("set:" + Text); }));
  TColumnGx* Column = ColumnOn(Data, "M");
  for (bool MemoText : {false, true}) {
    Grid->SetDrawMemoText(MemoText);
    Data->Edit();
    Column->WriteCellValue("note", Null(), true);
    EXPECT_EQ(Data->FieldByName("M")->AsString(), MemoText ? "note" : "set:note") << MemoText;
    Data->Cancel();
  }
}

TEST_F(CellValuesTest, LookupValuesAreWrittenToTheKeyFields) {
  TClientDataSet* Main = NewLookupPair();
  Put(Main, "Code", Variant(1));
  TColumnGx* Column = ColumnOn(Main, "Title");
  Main->Edit();
  Column->WriteCellValue("one", Variant(3), false);
  EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(3));
  EXPECT_EQ(Main->FieldByName("Title")->AsString(), "three");
  Column->WriteCellValue("three", Null(), false);
  EXPECT_TRUE(Main->FieldByName("Code")->IsNull());
  Main->Cancel();
}

}  // namespace
