#pragma once
// A form with one grid over a client dataset, put on the shared Xvfb through the X11
// back end, with the display's own pointer (XTEST) at hand as the other client. The grid
// notes the cells it draws.
#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/Windows.h"
#include "tests/grid/x11/RealPointer.h"
#include "tests/support/CellNotingGrid.h"
#include "tests/support/GridTestClasses.h"
#include "tests/support/X11Program.h"

#include <functional>
#include <memory>
#include <string>

class GridOnDisplayTest : public xvfb_test::X11ProgramTest {
public:
  static void SetUpTestSuite() { RegisterGridTestClasses(); }

protected:
  void SetUp() override {
    X11ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(real_pointer::Available(*FOther)) << "the display has no XTEST";
  }
  void TearDown() override {
    Form.reset();
    X11ProgramTest::TearDown();
  }
  // The form titled Caption at (40, 40), Width x Height, with a grid at (10, 10) of
  // GridWidth x GridHeight over the string fields named, Rows records (record r's
  // fields as Fill gives them); not shown yet.
  void MakeGrid(const std::string& Caption, int Width, int Height, int GridWidth, int GridHeight,
                std::initializer_list<const char*> Fields, int Rows,
                const std::function<std::string(int Row, int Field)>& Fill) {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetCaption(Caption);
    Form->SetBounds(40, 40, Width, Height);
    Data = new TClientDataSet(Form.get());
    for (const char* F : Fields) Data->FieldDefs().Add(F, ftString, 20);
    Data->CreateDataSet();
    for (int R = 1; R <= Rows; ++R) {
      Data->Append();
      for (int F = 0; F < Data->FieldCount(); ++F) Data->Fields()[F]->SetAsString(Fill(R, F));
      Data->Post();
    }
    Data->First();
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Data);
    Grid = new TCellNotingGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(10, 10, GridWidth, GridHeight);
    Grid->SetDataSource(Source);
  }
  // A grid of 300 x 220 over fifty records "r1" to "r50" of one field, shown.
  void ShowFiftyRows() {
    MakeGrid("Grid", 400, 320, 300, 220, {"A"}, 50, [](int R, int) { return "r" + std::to_string(R); });
    Form->Show();
  }
  void Pump() {
    win::headless::ProcessMessages();
    win::CurrentBackend().WaitForEvents(20);
  }
  bool PumpUntil(const std::function<bool()>& Done) {
    for (int I = 0; I < 200; ++I) {
      if (Done()) return true;
      Pump();
    }
    return Done();
  }

  TDBGridGxUnitUse Unit;
  std::unique_ptr<TForm> Form;
  TClientDataSet* Data = nullptr;
  TCellNotingGrid* Grid = nullptr;
};
