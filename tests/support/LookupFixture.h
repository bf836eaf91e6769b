#pragma once
// A shown form holding a lookup grid over a list of Rows records with an integer key
// "ID" (record r has key r + 1) and a string "Name" ("n<r+1>" unless a fill is given).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/SharedResources.h"
#include "grid/DBLookupGridsGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/Headless.h"
#include "tests/support/CellDrawing.h"
#include "tests/support/GridTestClasses.h"

class LookupTest : public ::testing::Test {
public:
  static void SetUpTestSuite() { RegisterGridTestClasses(); }

protected:
  // Names of the records; past the list they read "n<r+1>".
  std::vector<std::string> Names;

  TDataSource* NewList(int Rows) {
    auto* DataSet = new TClientDataSet(Form.get());
    DataSet->SetName("List");
    DataSet->FieldDefs().Add("ID", ftInteger, 0);
    DataSet->FieldDefs().Add("Name", ftString, 40);
    DataSet->CreateDataSet();
    for (int R = 0; R < Rows; ++R) {
      DataSet->Append();
      DataSet->FieldByName("ID")->SetAsInteger(R + 1);
      DataSet->FieldByName("Name")->SetAsString(R < static_cast<int>(Names.size()) ? Names[R]
                                                                                   : "n" + std::to_string(R + 1));
      DataSet->Post();
    }
    DataSet->First();
    auto* Source = new TDataSource(Form.get());
    Source->SetName("ListSource");
    Source->SetDataSet(DataSet);
    return Source;
  }

  // A lookup grid (or a class derived from it) of DisplayRows data rows over Rows
  // records, keyed by "ID", showing "Name" (and "ID" with TwoColumns).
  template <class G = TDBLookupGridGx>
  G* Open(int Rows = 20, int DisplayRows = 5, bool TwoColumns = false, bool SpecRowShown = false) {
    Form->SetBounds(10, 10, 500, 400);
    auto* Made = new G(Form.get());
    Grid = Made;
    Grid->SetName("LookupGrid1");
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 200, 100);
    Grid->SpecRow()->SetVisible(SpecRowShown);
    Grid->SpecRow()->SetValue(Variant(0));
    Grid->SpecRow()->SetCellsText("(none);-");
    Source = NewList(Rows);
    List = Source->DataSet();
    Grid->SetListSource(Source);
    Grid->SetKeyFields("ID");
    Grid->SetListFields(TwoColumns ? "Name;ID" : "Name");
    Form->Show();
    Grid->HandleNeeded();
    Grid->SetDisplayRowCount(DisplayRows);
    win::headless::ProcessMessages();
    return Made;
  }

  int Key() const { return Grid->KeyValue().IsNull() ? -1 : Grid->KeyValue().AsInteger(); }
  int CurrentId() const { return List->FieldByName("ID")->AsInteger(); }
  void Press(win::UINT Key) { win::headless::PressKey(Key); }
  // Screen point of a client point of the grid.
  win::POINT Screen(int X, int Y) { return Grid->ClientToScreen(win::POINT{X, Y}); }
  // Client height of the middle of data row R (0-based) and of the special row.
  int DataRowY(int R) {
    const int Top = Grid->CellRect(0, Grid->TitleAreaRowCount()).top;
    return Top + R * Grid->DataRowHeight() + Grid->DataRowHeight() / 2;
  }
  int SpecRowY() { return Grid->CellRect(0, Grid->TitleAreaRowCount() - 1).top + 3; }

  TDBGridGxUnitUse Unit;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TDBLookupGridGx* Grid = nullptr;
  TDataSource* Source = nullptr;
  TDataSet* List = nullptr;
};
