#pragma once
// A form with a grid over 50 records shown on the test display through the X11 back end;
// the grid notes the cells it draws.
#include <memory>

#include "grid/DBGridGx.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "tests/support/CellNotingGrid.h"
#include "tests/support/GridTestClasses.h"
#include "tests/support/X11Program.h"

class GridOnDisplay : public xvfb_test::X11ProgramTest {
public:
  static void SetUpTestSuite() { RegisterGridTestClasses(); }

protected:
  void SetUp() override {
    X11ProgramTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Form = std::make_unique<TForm>(nullptr);
    Form->SetCaption("Grid");
    Form->SetBounds(40, 40, 400, 320);
    Data = new TClientDataSet(Form.get());
    Data->FieldDefs().Add("A", ftString, 20);
    Data->CreateDataSet();
    for (int I = 1; I <= 50; ++I) {
      Data->Append();
      Data->Fields()[0]->SetAsString("r" + std::to_string(I));
      Data->Post();
    }
    Data->First();
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Data);
    Grid = new TCellNotingGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(10, 10, 300, 220);
    Grid->SetDataSource(Source);
    Form->Show();
  }
  void TearDown() override {
    Form.reset();
    X11ProgramTest::TearDown();
  }
  void Pump() {
    win::headless::ProcessMessages();
    win::CurrentBackend().WaitForEvents(20);
  }

  TDBGridGxUnitUse Unit;
  std::unique_ptr<TForm> Form;
  TClientDataSet* Data = nullptr;
  TCellNotingGrid* Grid = nullptr;
};
