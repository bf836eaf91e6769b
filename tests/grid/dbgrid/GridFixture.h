#pragma once
// A form holding data grids, with the grid unit started for the test.
#include <gtest/gtest.h>

#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/forms/FormText.h"
#include "tests/support/GridTestClasses.h"

class GridTest : public ::testing::Test {
public:
  static void SetUpTestSuite() { RegisterGridTestClasses(); }

protected:
  TDBGridGx* NewGrid(const std::string& Name = "DBGridGx1") {
    auto* Grid = new TDBGridGx(Form.get());
    Grid->SetName(Name);
    Grid->SetParent(Form.get());
    return Grid;
  }

  // A client dataset "T" with the string fields named, one row, on data source "DS".
  TDataSource* NewSource(std::initializer_list<const char*> Fields) {
    auto* DataSet = new TClientDataSet(Form.get());
    DataSet->SetName("T");
    for (const char* F : Fields) DataSet->FieldDefs().Add(F, ftString, 20);
    DataSet->CreateDataSet();
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

  TDBGridGxUnitUse Unit;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
};
