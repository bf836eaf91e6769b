// Fields: classes by type, conversions, texts, persistent, calculated and lookup fields.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "tests/platform/data/DataFixtures.h"

namespace {

// A client dataset with one field of the given type, in insert state.
TClientDataSet* OneField(TComponent* owner, TFieldType type, int size = 0, const char* name = "T") {
  auto* ds = new TClientDataSet(owner);
  ds->SetName(name);
  ds->FieldDefs().Add("F", type, size);
  ds->CreateDataSet();
  ds->Append();
  return ds;
}

TEST(Fields, DefaultFieldClassesFollowTheDataTypes) {
  const struct {
    TFieldType Type;
    const char* Class;
  } cases[] = {
      {ftString, "TStringField"},     {ftWideString, "TWideStringField"}, {ftFixedChar, "TStringField"},
      {ftSmallint, "TSmallintField"}, {ftInteger, "TIntegerField"},       {ftWord, "TWordField"},
      {ftAutoInc, "TAutoIncField"},   {ftLargeint, "TLargeintField"},     {ftBoolean, "TBooleanField"},
      {ftFloat, "TFloatField"},       {ftCurrency, "TCurrencyField"},     {ftBCD, "TBCDField"},
      {ftFMTBcd, "TFMTBCDField"},     {ftDate, "TDateField"},             {ftTime, "TTimeField"},
      {ftDateTime, "TDateTimeField"}, {ftTimeStamp, "TSQLTimeStampField"}, {ftBytes, "TBytesField"},
      {ftVarBytes, "TVarBytesField"}, {ftBlob, "TBlobField"},             {ftMemo, "TMemoField"},
      {ftWideMemo, "TWideMemoField"}, {ftFmtMemo, "TMemoField"},          {ftGraphic, "TGraphicField"},
      {ftTypedBinary, "TBlobField"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Class);
    TTestOwner t;
    TClientDataSet* ds = OneField(t.Owner.get(), c.Type, 10);
    TField* f = ds->FieldByName("F");
    EXPECT_EQ(f->ClassName(), c.Class);
    EXPECT_EQ(f->DataType(), c.Type);
    EXPECT_EQ(f->FieldNo(), 1);
    EXPECT_TRUE(ds->DefaultFields());
  }
}

struct TTextCase {
  TFieldType Type;
  const char* Input;   // written through Text
  const char* AsString;
  const char* DisplayText;
};

TEST(Fields, TextsByType) {
  TFormatSettingsScope keep;
  ShortDateFormat = "yyyy-mm-dd";
  DateSeparator = '-';
  LongTimeFormat = "hh:nn:ss";
  const TTextCase cases[] = {
      {ftString, "abc", "abc", "abc"},
      {ftInteger, " 42", "42", "42"},
      {ftSmallint, "-7", "-7", "-7"},
      {ftLargeint, "9000000000", "9000000000", "9000000000"},
      {ftFloat, "2.5", "2.5", "2.5"},
      {ftBoolean, "t", "True", "True"},
      {ftBoolean, "FALSE", "False", "False"},
      {ftDate, "2024-01-05", "2024-01-05", "2024-01-05"},
      {ftMemo, "long text", "long text", "(MEMO)"},
      {ftBlob, "bytes", "bytes", "(BLOB)"},
  };
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(std::string(EnumTypeInfo(c.Type).Names[c.Type]) + " " + c.Input);
    TTestOwner t;
    TClientDataSet* ds = OneField(t.Owner.get(), c.Type, 20);
    TField* f = ds->FieldByName("F");
    f->SetText(c.Input);
    EXPECT_EQ(f->AsString(), c.AsString);
    EXPECT_EQ(f->DisplayText(), c.DisplayText);
    f->SetText("");
    EXPECT_TRUE(f->IsNull());
    EXPECT_EQ(f->AsString(), "");
  }
}

TEST(Fields, BadTextsRaiseTheFieldsConversionError) {
  const struct {
    TFieldType Type;
    const char* Input;
    const char* Message;
  } cases[] = {
      {ftInteger, "abc", "'abc' is not a valid integer value"},
      {ftInteger, "1.5", "'1.5' is not a valid integer value"},
      {ftFloat, "1,2,3", "'1,2,3' is not a valid floating point value"},
      {ftBoolean, "maybe", "'maybe' is not a valid boolean value for field 'F'"},
      {ftDate, "31.31.31", "'31.31.31' is not a valid date"},
      {ftSmallint, "40000", "40000 is not a valid value for field 'F'. The allowed range is -32768 to 32767"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Input);
    TTestOwner t;
    TClientDataSet* ds = OneField(t.Owner.get(), c.Type);
    TField* f = ds->FieldByName("F");
    try {
      f->SetText(c.Input);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
    EXPECT_TRUE(f->IsNull());
    EXPECT_FALSE(ds->Modified());
  }
}

TEST(Fields, StringSizeCutsOnACharacterBoundary) {
  TTestOwner t;
  TClientDataSet* ds = OneField(t.Owner.get(), ftString, 4);
  TField* f = ds->FieldByName("F");
  f->SetAsString("ab内容");  // 2 + 3 + 3 bytes
  EXPECT_EQ(f->AsString(), "ab");
  f->SetAsString("abcdef");
  EXPECT_EQ(f->AsString(), "abcd");
}

TEST(Fields, NumericFormatsAndBooleanDisplayValues) {
  TFormatSettingsScope keep;
  DecimalSeparator = '.';
  ThousandSeparator = ',';
  TTestOwner t;
  TClientDataSet* ds = OneField(t.Owner.get(), ftFloat);
  auto* f = dynamic_cast<TFloatField*>(ds->FieldByName("F"));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Alignment(), taRightJustify);
  f->SetAsFloat(1234.5);
  f->SetDisplayFormat("#,##0.00");
  EXPECT_EQ(f->DisplayText(), "1,234.50");
  EXPECT_EQ(f->Text(), "1,234.50");  // no EditFormat: the display format serves
  f->SetEditFormat("0.000");
  EXPECT_EQ(f->Text(), "1234.500");
  EXPECT_TRUE(f->IsValidChar(U'5'));
  EXPECT_FALSE(f->IsValidChar(U'x'));

  TClientDataSet* bs = OneField(t.Owner.get(), ftBoolean, 0, "B");
  auto* b = dynamic_cast<TBooleanField*>(bs->FieldByName("F"));
  ASSERT_NE(b, nullptr);
  b->SetDisplayValues("Yes;No");
  b->SetText("n");
  EXPECT_FALSE(b->AsBoolean());
  EXPECT_EQ(b->DisplayText(), "No");
  b->SetAsBoolean(true);
  EXPECT_EQ(b->AsString(), "Yes");
  EXPECT_EQ(b->AsInteger(), -1);
}

TEST(Fields, GetAndSetTextHandlersReplaceTheClassText) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 1);
  TField* f = ds->FieldByName("Name");
  f->SetOnGetText(TFieldGetTextEvent([](TField* s, std::string& text, bool display) {
    text = (display ? "<" : "[") + s->AsString() + (display ? ">" : "]");
  }));
  f->SetOnSetText(TFieldSetTextEvent([](TField* s, const std::string& text) { s->SetAsString(text + "!"); }));
  EXPECT_EQ(f->DisplayText(), "<P1>");
  EXPECT_EQ(f->Text(), "[P1]");
  ds->Edit();
  f->SetText("hi");
  EXPECT_EQ(f->AsString(), "hi!");
}

TEST(Fields, FieldByNameAndFieldLists) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 2, "Table1");
  EXPECT_EQ(ds->FindField("name"), ds->Fields()[1]);
  EXPECT_EQ(ds->FindField("X"), nullptr);
  try {
    ds->FieldByName("X");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Table1: Field 'X' not found");
  }
  std::vector<TField*> list = ds->GetFieldList("Amount; ID");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]->FieldName(), "Amount");
  EXPECT_THROW(ds->GetFieldList("ID;Nope"), EDatabaseError);

  Variant v = ds->FieldValues("ID;Name");
  ASSERT_TRUE(v.IsArray());
  EXPECT_EQ(v[0].AsInteger(), 1);
  EXPECT_EQ(v[1].AsString(), "P1");
  EXPECT_EQ(ds->FieldValues("Name").AsString(), "P1");
  ds->Edit();
  ds->SetFieldValues("Name;Amount", VarArrayOf({"Q", 7.0}));
  ds->Post();
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "Q");
  EXPECT_DOUBLE_EQ(ds->FieldByName("Amount")->AsFloat(), 7.0);
}

TEST(Fields, IndexMovesAFieldAndTellsTheLinks) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 1);
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink link;
  link.SetDataSource(src);
  link.Log.clear();
  TField* amount = ds->FieldByName("Amount");
  amount->SetIndex(0);
  EXPECT_EQ(ds->Fields()[0], amount);
  EXPECT_EQ(ds->Fields()[1]->FieldName(), "ID");
  EXPECT_DOUBLE_EQ(amount->AsFloat(), 1.5);
  EXPECT_EQ(link.Log, std::vector<std::string>{"LayoutChanged"});
}

TEST(Fields, PersistentFieldsAreKeptAcrossCloseAndMustExist) {
  TTestOwner t;
  auto* ds = new TClientDataSet(t.Owner.get());
  ds->SetName("T");
  ds->FieldDefs().Add("ID", ftInteger);
  ds->FieldDefs().Add("Name", ftString, 10);
  auto* name = new TStringField(t.Owner.get());
  name->SetFieldName("Name");
  name->SetDisplayLabel("名字");
  name->SetDataSet(ds);
  ds->CreateDataSet();
  EXPECT_FALSE(ds->DefaultFields());
  EXPECT_EQ(ds->FieldCount(), 1);
  EXPECT_EQ(ds->FindField("ID"), nullptr);
  EXPECT_EQ(name->DisplayName(), "名字");
  EXPECT_EQ(name->FieldNo(), 2);
  ds->Close();
  EXPECT_EQ(ds->FieldCount(), 1);

  auto* ghost = new TIntegerField(t.Owner.get());
  ghost->SetFieldName("Ghost");
  ghost->SetDataSet(ds);
  try {
    ds->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "T: Field 'Ghost' not found");
  }
  EXPECT_FALSE(ds->Active());
  delete ghost;
  EXPECT_EQ(ds->FieldCount(), 1);
  ds->Open();
  EXPECT_TRUE(ds->Active());
  EXPECT_THROW(name->SetFieldName("Other"), EDatabaseError);
}

TEST(Fields, CalculatedAndLookupFields) {
  TTestOwner t;
  // Lookup table: Code -> Title.
  auto* titles = new TClientDataSet(t.Owner.get());
  titles->SetName("Titles");
  titles->FieldDefs().Add("Code", ftInteger);
  titles->FieldDefs().Add("Title", ftString, 20);
  titles->CreateDataSet();
  for (auto [code, title] : {std::pair{1, "one"}, std::pair{2, "two"}}) {
    titles->Append();
    titles->FieldByName("Code")->SetAsInteger(code);
    titles->FieldByName("Title")->SetAsString(title);
    titles->Post();
  }
  titles->First();

  auto* ds = new TClientDataSet(t.Owner.get());
  ds->SetName("Main");
  ds->FieldDefs().Add("ID", ftInteger);
  ds->FieldDefs().Add("Code", ftInteger);
  for (const char* n : {"ID", "Code"}) {
    auto* f = new TIntegerField(t.Owner.get());
    f->SetFieldName(n);
    f->SetDataSet(ds);
  }
  auto* doubled = new TIntegerField(t.Owner.get());
  doubled->SetFieldName("Doubled");
  doubled->SetFieldKind(fkCalculated);
  doubled->SetDataSet(ds);
  auto* title = new TStringField(t.Owner.get());
  title->SetFieldName("TitleText");
  title->SetFieldKind(fkLookup);
  title->SetKeyFields("Code");
  title->SetLookupDataSet(titles);
  title->SetLookupKeyFields("Code");
  title->SetLookupResultField("Title");
  title->SetDataSet(ds);
  std::vector<TDataSetState> statesSeen;
  ds->SetOnCalcFields(TDataSetNotifyEvent([&](TDataSet* d) {
    statesSeen.push_back(d->State());
    d->FieldByName("Doubled")->SetAsInteger(d->FieldByName("ID")->AsInteger() * 2);
  }));
  ds->CreateDataSet();
  ds->Append();
  ds->FieldByName("ID")->SetAsInteger(5);
  ds->FieldByName("Code")->SetAsInteger(2);
  EXPECT_EQ(doubled->AsInteger(), 10);
  EXPECT_EQ(title->AsString(), "two");
  ds->Post();
  EXPECT_EQ(doubled->AsInteger(), 10);
  EXPECT_EQ(title->AsString(), "two");
  EXPECT_FALSE(doubled->CanModify());
  EXPECT_THROW(doubled->SetAsInteger(1), EDatabaseError);
  ds->Edit();
  ds->FieldByName("Code")->SetAsInteger(7);
  EXPECT_TRUE(title->IsNull());
  ds->Cancel();
  EXPECT_EQ(title->AsString(), "two");
  // Writing a lookup field writes the key that gives the value.
  ds->Edit();
  title->SetAsString("one");
  EXPECT_EQ(ds->FieldByName("Code")->AsInteger(), 1);
  title->Clear();
  EXPECT_TRUE(ds->FieldByName("Code")->IsNull());
  ds->Cancel();
  ASSERT_FALSE(statesSeen.empty());
  for (TDataSetState s : statesSeen) EXPECT_EQ(s, dsCalcFields);
  EXPECT_EQ(titles->RecNo(), 1);  // lookups leave the lookup table where it was

  delete titles;
  EXPECT_EQ(title->LookupDataSet(), nullptr);
}

}  // namespace
