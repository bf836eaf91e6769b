#pragma once
// A form with a data grid on a client dataset, the grid unit started for the test.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/forms/FormText.h"
#include "resources/artwork/Artwork.h"

class ColumnsTest : public ::testing::Test {
public:
  static void SetUpTestSuite() {
    RegisterArtwork();
    RegisterStandardClasses();
    RegisterDataClasses();
    RegisterDBGridGxClasses();
  }

protected:
  TDBGridGx* NewGrid(TForm* Owner = nullptr) {
    Owner = Owner ? Owner : Form.get();
    auto* Grid = new TDBGridGx(Owner);
    Grid->SetName("DBGridGx1");
    Grid->SetParent(Owner);
    return Grid;
  }

  // An open client dataset "T" on data source "DS": the fields named (a leading '?'
  // makes a Boolean field, '#' a float field), with Rows empty records.
  TDataSource* NewSource(std::initializer_list<const char*> Fields, int Rows = 0) {
    auto* DataSet = new TClientDataSet(Form.get());
    DataSet->SetName("T");
    for (const char* F : Fields) {
      if (F[0] == '?') DataSet->FieldDefs().Add(F + 1, ftBoolean, 0);
      else if (F[0] == '#') DataSet->FieldDefs().Add(F + 1, ftFloat, 0);
      else DataSet->FieldDefs().Add(F, ftString, 20);
    }
    DataSet->CreateDataSet();
    for (int i = 0; i < Rows; ++i) {
      DataSet->Append();
      DataSet->Post();
    }
    auto* Source = new TDataSource(Form.get());
    Source->SetName("DS");
    Source->SetDataSet(DataSet);
    return Source;
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
