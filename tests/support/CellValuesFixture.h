#pragma once
// A data grid on small client datasets, for tests of what a column reads from and writes
// to the cell of the current record.
#include <functional>
#include <string>

#include "tests/support/GridFixture.h"

class CellValuesTest : public GridTest {
protected:
  struct NamedType {
    const char* Name;
    TFieldType Type;
  };

  // An open client dataset with the fields given (strings 20 wide) and one empty row.
  TClientDataSet* NewDataSet(std::initializer_list<NamedType> Fields, const char* Name = "T") {
    auto* DataSet = new TClientDataSet(Form.get());
    DataSet->SetName(Name);
    for (const NamedType& F : Fields) DataSet->FieldDefs().Add(F.Name, F.Type, F.Type == ftString ? 20 : 0);
    DataSet->CreateDataSet();
    DataSet->Append();
    DataSet->Post();
    return DataSet;
  }

  // A persistent field of class F named Name on DataSet (before the dataset is opened).
  template <class F>
  F* AddField(TDataSet* DataSet, const char* Name) {
    auto* Field = new F(Form.get());
    Field->SetFieldName(Name);
    Field->SetDataSet(DataSet);
    return Field;
  }

  // "Main" (integer Code and the lookup field "Title" naming a row of "Codes" by Code) and
  // "Codes" (Code, Title) with the rows 1 one, 2 two, 3 three (none with ListRows false).
  // Main has one row with Code Null.
  TClientDataSet* NewLookupPair(bool ListRows = true) {
    Codes = new TClientDataSet(Form.get());
    Codes->SetName("Codes");
    Codes->FieldDefs().Add("Code", ftInteger, 0);
    Codes->FieldDefs().Add("Title", ftString, 20);
    Codes->CreateDataSet();
    const char* Titles[] = {"one", "two", "three"};
    for (int I = 0; ListRows && I < 3; ++I) {
      Codes->Append();
      Codes->FieldByName("Code")->SetAsInteger(I + 1);
      Codes->FieldByName("Title")->SetAsString(Titles[I]);
      Codes->Post();
    }
    Codes->First();
    auto* Main = new TClientDataSet(Form.get());
    Main->SetName("Main");
    Main->FieldDefs().Add("Code", ftInteger, 0);
    AddField<TIntegerField>(Main, "Code");
    auto* Title = new TStringField(Form.get());
    Title->SetFieldName("Title");
    Title->SetSize(20);
    Title->SetFieldKind(fkLookup);
    Title->SetKeyFields("Code");
    Title->SetLookupDataSet(Codes);
    Title->SetLookupKeyFields("Code");
    Title->SetLookupResultField("Title");
    Title->SetDataSet(Main);
    Main->CreateDataSet();
    Main->Append();
    Main->Post();
    return Main;
  }

  // A new column of the grid (made on first use) bound to FieldName of DataSet.
  TColumnGx* ColumnOn(TDataSet* DataSet, const std::string& FieldName) {
    if (!Grid) {
      Grid = NewGrid();
      Source = new TDataSource(Form.get());
    }
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(FieldName);
    if (Source->DataSet() != DataSet) {
      Source->SetDataSet(DataSet);
      Grid->SetDataSource(Source);
      // The name was looked up in the dataset shown before.
      Column->SetField(DataSet->FindField(FieldName));
    }
    return Column;
  }

  // Posts Value into Field of DataSet's current record.
  static void Put(TDataSet* DataSet, const char* Field, const Variant& Value) {
    DataSet->Edit();
    DataSet->FieldByName(Field)->SetValue(Value);
    DataSet->Post();
  }

  // A column setting to try: a new column on Field of DataSet, changed by Set, for which
  // the answer looked at should be Want.
  template <class R>
  struct SettingCase {
    const char* Name;
    TDataSet* DataSet;
    const char* Field;
    std::function<void(TColumnGx*)> Set;
    R Want;
  };
  static void NoSetting(TColumnGx*) {}

  // Checks Answer(column) against each case's Want; After undoes what a case changed
  // beyond its column.
  template <class R, std::size_t N, class AnswerFn>
  void CheckSettings(const SettingCase<R> (&Cases)[N], AnswerFn Answer, const std::function<void()>& After = {}) {
    for (const SettingCase<R>& C : Cases) {
      TColumnGx* Column = ColumnOn(C.DataSet, C.Field);
      C.Set(Column);
      EXPECT_EQ(Answer(Column), C.Want) << C.Name;
      if (After) After();
    }
  }

  static void SetLines(TStrings* List, std::initializer_list<const char*> Lines) {
    List->Clear();
    for (const char* Line : Lines) List->Add(Line);
  }

  TDBGridGx* Grid = nullptr;
  TDataSource* Source = nullptr;
  TClientDataSet* Codes = nullptr;
};
