#pragma once
// A grid over a client dataset for export and import: records made from a table of texts,
// the dataset read back as texts, selections of every kind, and the exporters and
// importers run on strings.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "grid/DBGridGx.h"
#include "gridoutput/DBGridGxImpExp.h"
#include "platform/data/DBClient.h"
#include "platform/desktop/Headless.h"
#include "tests/support/GridFixture.h"
#include "tests/support/RunCommand.h"

using Cells = std::vector<std::optional<std::string>>;  // nullopt: a null field

// Runs a Python script with Input as its standard input; its standard output.
inline std::string RunPython(const std::string& Script, const std::string& Input) {
  const std::string ScriptPath = ::testing::TempDir() + "/impexp-script" + std::to_string(getpid()) + ".py";
  std::ofstream(ScriptPath, std::ios::binary) << Script;
  std::string Out = RunCommand("python3 " + ScriptPath, Input);
  std::remove(ScriptPath.c_str());
  return Out;
}

class ImpExpTest : public GridTest {
public:  // open to the cases of table-driven tests
  // A new grid (replacing the last one) showing DataSet, with multi-selection on.
  TDBGridGx* GridOn(TDataSet* DataSet) {
    delete Grid;
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(DataSet);
    Grid = NewGrid();
    Grid->SetBounds(0, 0, 600, 300);
    Grid->HandleNeeded();
    Grid->SetDataSource(Source);
    Grid->SetOptions(Grid->Options() + dgMultiSelect);
    Data = DataSet;
    return Grid;
  }

  // A grid "G" over dataset fields given as (name, type) with the records of Rows (texts
  // set through each field's text rules; nullopt leaves the field null). The first record
  // is current.
  TDBGridGx* MakeGrid(std::initializer_list<std::pair<const char*, TFieldType>> Fields,
                      const std::vector<Cells>& Rows) {
    auto* DataSet = new TClientDataSet(Form.get());
    for (const auto& [Name, Type] : Fields)
      DataSet->FieldDefs().Add(Name, Type, Type == ftString || Type == ftFixedChar || Type == ftWideString ? 200
                                           : Type == ftBytes || Type == ftVarBytes                     ? 16
                                           : Type == ftBCD || Type == ftFMTBcd                         ? 4
                                                                                                       : 0);
    DataSet->CreateDataSet();
    for (const Cells& Row : Rows) {
      DataSet->Append();
      for (std::size_t I = 0; I < Row.size(); ++I)
        if (Row[I]) DataSet->Fields()[static_cast<int>(I)]->SetText(*Row[I]);
      DataSet->Post();
    }
    DataSet->First();
    return GridOn(DataSet);
  }
  // A grid of string fields A, B, C, ... with the given records.
  TDBGridGx* TextGrid(int Columns, const std::vector<Cells>& Rows) {
    static const char* Names[] = {"A", "B", "C", "D", "E", "F"};
    auto* DataSet = new TClientDataSet(Form.get());
    for (int I = 0; I < Columns; ++I) DataSet->FieldDefs().Add(Names[I], ftString, 200);
    DataSet->CreateDataSet();
    for (const Cells& Row : Rows) {
      DataSet->Append();
      for (std::size_t I = 0; I < Row.size(); ++I)
        if (Row[I]) DataSet->Fields()[static_cast<int>(I)]->SetAsString(*Row[I]);
      DataSet->Post();
    }
    DataSet->First();
    return GridOn(DataSet);
  }

  // "Main" with an integer Code and the lookup field Fruit naming a row of "Fruits" by
  // Code (1 Apple, 2 Banana, 3 Cherry); one record per given code (0: null).
  TDBGridGx* LookupGrid(const std::vector<int>& Codes) {
    auto* Fruits = new TClientDataSet(Form.get());
    Fruits->FieldDefs().Add("Code", ftInteger, 0);
    Fruits->FieldDefs().Add("Name", ftString, 20);
    Fruits->CreateDataSet();
    const char* Names[] = {"Apple", "Banana", "Cherry"};
    for (int I = 0; I < 3; ++I) {
      Fruits->Append();
      Fruits->FieldByName("Code")->SetAsInteger(I + 1);
      Fruits->FieldByName("Name")->SetAsString(Names[I]);
      Fruits->Post();
    }
    auto* Main = new TClientDataSet(Form.get());
    auto* Code = new TIntegerField(Form.get());
    Code->SetFieldName("Code");
    Code->SetDataSet(Main);
    auto* Fruit = new TStringField(Form.get());
    Fruit->SetFieldName("Fruit");
    Fruit->SetSize(20);
    Fruit->SetFieldKind(fkLookup);
    Fruit->SetKeyFields("Code");
    Fruit->SetLookupDataSet(Fruits);
    Fruit->SetLookupKeyFields("Code");
    Fruit->SetLookupResultField("Name");
    Fruit->SetDataSet(Main);
    Main->CreateDataSet();
    for (int C : Codes) {
      Main->Append();
      if (C) Code->SetAsInteger(C);
      Main->Post();
    }
    Main->First();
    return GridOn(Main);
  }

  // Every record as the fields' texts ("<null>" for a null field); the current record
  // stays.
  std::vector<std::vector<std::string>> Records() {
    std::vector<std::vector<std::string>> Out;
    const std::string Here = Data->Bookmark();
    Data->DisableControls();
    for (Data->First(); !Data->Eof(); Data->Next()) {
      std::vector<std::string> Row;
      for (int I = 0; I < Data->FieldCount(); ++I) {
        TField* F = Data->Fields()[I];
        Row.push_back(F->IsNull() ? "<null>" : F->AsString());
      }
      Out.push_back(Row);
    }
    if (!Here.empty() && Data->BookmarkValid(Here)) Data->GotoBookmark(Here);
    Data->EnableControls();
    return Out;
  }

  // Record Index (from 0) becomes current; its bookmark.
  std::string GoTo(int Index) {
    Data->First();
    Data->MoveBy(Index);
    return Data->Bookmark();
  }
  void SelectRows(std::initializer_list<int> Indexes) {
    Grid->GridSelection()->Reset();
    for (int I : Indexes) {
      GoTo(I);
      Grid->BookmarkedRows()->MarkCurrentRow(true);
    }
    Data->First();
  }
  void SelectRect(int Col1, int Row1, int Col2, int Row2) {
    Grid->GridSelection()->Reset();
    const std::string First = GoTo(Row1), Last = GoTo(Row2);
    Grid->GridSelection()->Rect()->ExtendTo(Col1, First, false);
    Grid->GridSelection()->Rect()->ExtendTo(Col2, Last, true);
    Data->First();
  }
  void SelectColumns(std::initializer_list<int> Indexes) {
    Grid->GridSelection()->Reset();
    bool Add = false;
    for (int I : Indexes) {
      Grid->GridSelection()->Columns()->SelectColumn(Grid->Columns()->ColumnAt(I), Add);
      Add = true;
    }
  }

  std::string Export(TClass ExportClass, bool All = false) {
    TStringStream Out;
    ExportGridToStream(ExportClass, Grid, &Out, All);
    return Out.DataString();
  }
  void Import(TClass ImportClass, const std::string& Bytes, bool All = false) {
    TStringStream In(Bytes);
    ImportGridFromStream(ImportClass, Grid, &In, All);
  }

  TDBGridGx* Grid = nullptr;
  TDataSet* Data = nullptr;
};
