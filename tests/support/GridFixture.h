#pragma once
// A form holding data grids on client datasets, with the grid unit started for the test.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/forms/FormText.h"
#include "tests/support/GridTestClasses.h"

class GridTest : public ::testing::Test {
public:
  static void SetUpTestSuite() { RegisterGridTestClasses(); }

protected:
  // A grid (of class G) named Name on Owner (the test's form when none is given).
  template <class G = TDBGridGx>
  G* NewGrid(TForm* Owner = nullptr, const std::string& Name = "DBGridGx1") {
    Owner = Owner ? Owner : Form.get();
    auto* Grid = new G(Owner);
    Grid->SetName(Name);
    Grid->SetParent(Owner);
    return Grid;
  }
  TDBGridGx* NewGrid(const std::string& Name) { return NewGrid(nullptr, Name); }

  // An open client dataset "T" on data source "DS": the fields named (a leading '?'
  // makes a Boolean field, '#' a float field, '%' an integer field, '$' a currency field,
  // '^' a BCD field, else a string field), with Rows records; Fill gives record r's value
  // of each string field, empty when none.
  TDataSource* NewSource(std::initializer_list<const char*> Fields, int Rows = 0,
                         std::string (*Fill)(int Row) = nullptr) {
    auto* DataSet = new TClientDataSet(Form.get());
    DataSet->SetName("T");
    for (const char* F : Fields) {
      if (F[0] == '?') DataSet->FieldDefs().Add(F + 1, ftBoolean, 0);
      else if (F[0] == '#') DataSet->FieldDefs().Add(F + 1, ftFloat, 0);
      else if (F[0] == '%') DataSet->FieldDefs().Add(F + 1, ftInteger, 0);
      else if (F[0] == '$') DataSet->FieldDefs().Add(F + 1, ftCurrency, 0);
      else if (F[0] == '^') DataSet->FieldDefs().Add(F + 1, ftBCD, 4);
      else DataSet->FieldDefs().Add(F, ftString, 20);
    }
    DataSet->CreateDataSet();
    for (int Row = 0; Row < Rows; ++Row) {
      DataSet->Append();
      if (Fill)
        for (int I = 0; I < DataSet->FieldCount(); ++I)
          if (DataSet->Fields()[I]->DataType() == ftString) DataSet->Fields()[I]->SetAsString(Fill(Row));
      DataSet->Post();
    }
    auto* Source = new TDataSource(Form.get());
    Source->SetName("DS");
    Source->SetDataSet(DataSet);
    return Source;
  }

  // Reads a form description into Copy; its grid "DBGridGx1", or nil.
  static TDBGridGx* ReadGrid(const std::string& Text, TForm& Copy) {
    ReadComponentResText(Text, &Copy);
    return dynamic_cast<TDBGridGx*>(Copy.FindComponent("DBGridGx1"));
  }

  // The block of the grid's columns in a form description.
  static std::string ColumnsBlock(const std::string& Text) {
    const std::size_t Start = Text.find("Columns = <");
    if (Start == std::string::npos) return {};
    int Depth = 0;
    bool Quoted = false;
    for (std::size_t i = Start; i < Text.size(); ++i) {
      const char C = Text[i];
      if (C == '\'') Quoted = !Quoted;
      if (Quoted) continue;
      if (C == '<') ++Depth;
      if (C == '>' && --Depth == 0) return Text.substr(Start, i + 1 - Start);
    }
    return Text.substr(Start);
  }

  TDBGridGxUnitUse Unit;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
};
