// On a real display a one-record scroll of the grid draws only the rows that changed: the
// window's paint is clipped to what was invalidated, as on the headless desktop.
#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/x11/ServicesXvfb.h"
#include "tests/support/CellNotingGrid.h"
#include "tests/support/GridTestClasses.h"

namespace {
using namespace win;

class GridScrollPaintOnDisplay : public xvfb_test::TwoClients {
public:
  static void SetUpTestSuite() { RegisterGridTestClasses(); }

protected:
  void SetUp() override {
    TwoClients::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InstallDrawingHooks();
    InstallBackend(std::make_unique<x11::X11Backend>(std::move(FOurs)));
    Form = std::make_unique<TForm>(nullptr);
    Form->SetCaption("Grid paint");
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
    headless::Reset();
    InstallBackend(nullptr);
    TwoClients::TearDown();
  }
  void Pump() {
    for (int I = 0; I < 5; ++I) {
      headless::ProcessMessages();
      CurrentBackend().WaitForEvents(10);
    }
  }

  TDBGridGxUnitUse Unit;
  std::unique_ptr<TForm> Form;
  TClientDataSet* Data = nullptr;
  TCellNotingGrid* Grid = nullptr;
};

TEST_F(GridScrollPaintOnDisplay, OneRecordDrawsOnlyTheRowsThatChanged) {
  Pump();
  const int Rows = Grid->VisibleDataRowCount();
  ASSERT_GT(Rows, 3);
  ASSERT_LT(Rows, 50);
  Data->MoveBy(Rows - 1);  // the last row shown
  Pump();
  const int Last = Grid->Row();
  Grid->Drawn.clear();
  Data->Next();
  Pump();
  ASSERT_EQ(Grid->Row(), Last);
  ASSERT_FALSE(Grid->Drawn.empty());
  for (const POINT& Cell : Grid->Drawn) EXPECT_GE(Cell.y, Last - 1) << "column " << Cell.x;
  EXPECT_LE(Grid->Drawn.size(), static_cast<std::size_t>(2 * Grid->ColCount()));
}

}  // namespace
