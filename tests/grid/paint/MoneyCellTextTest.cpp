// A money column reads the same for every reader of its cells: the amount text the cell
// draws is what its tool tip shows and what its optimal width is measured on, with the
// decimal separator of the format settings.
#include "tests/support/PaintFixture.h"

#include "grid/DBGridGx/CellTextMeasure.h"
#include "grid/DBGridGx/Columns.h"
#include "gridcontrols/GxCurrency.h"
#include "platform/controls/ControlTypes.h"
#include "platform/controls/Messages.h"
#include "platform/rtl/SysUtils.h"

namespace {

class MoneyCellTextTest : public GridPaintTest {
protected:
  // A grid over one float field holding Value, its column marked as money and the grid's
  // money text formatting switched on; the amounts are then written as text, not in the
  // ledger's digit columns.
  TDBGridGx* MoneyGrid(double Value) {
    TDBGridGx* Grid = ShownGrid({"#Amount"}, 1);
    TDataSet* Data = Grid->DataSource()->DataSet();
    Data->Edit();
    Data->Fields()[0]->SetAsFloat(Value);
    Data->Post();
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName("Amount");
    Column->Title()->SetCaption("A");
    Column->SetIsCurrency(true);
    Column->SetToolTips(true);
    Grid->SetDrawCurrency(true);
    Grid->SetDrawCurrency(false);
    win::headless::ProcessMessages();
    return Grid;
  }
  std::string Drawn(TDBGridGx* Grid) { return Cell(Grid, Paint(Grid), 1, 1).Text(); }
  // The tool tip the grid gives for the pointer over the middle of cell (1, 1).
  std::string Tip(TDBGridGx* Grid) {
    const win::RECT R = Grid->CellRect(1, 1);
    THintInfo Info;
    Info.HintControl = Grid;
    Info.CursorPos = {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
    Info.HintStr = "grid hint";
    Grid->Perform(CM_HINTSHOW, 0, reinterpret_cast<win::LPARAM>(&Info));
    return Info.HintStr;
  }
};

TEST_F(MoneyCellTextTest, TipAndWidthTakeTheAmountTheCellDraws) {
  struct Case {
    const char* Name;
    char Separator;
    const char* Amount;  // with the money style's two decimal places
  };
  const Case Cases[] = {{"point", '.', "1234567.50"}, {"comma", ',', "1234567,50"}};
  TFormatSettingsScope Keep;
  TDBGridGx* Grid = MoneyGrid(1234567.5);
  TColumnGx* Column = Grid->Columns()->ColumnAt(0);
  ASSERT_EQ(Grid->CurrencyStyle()->Digits(), 2);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    DecimalSeparator = C.Separator;
    Column->SetWidth(200);
    EXPECT_EQ(Drawn(Grid), C.Amount);
    Column->SetWidth(30);  // the amount is cut: a tip shows it whole
    EXPECT_EQ(Tip(Grid), C.Amount);
    Grid->OptimizeColumnWidth(Column);
    Grid->Canvas()->Font()->Assign(Column->Font());
    EXPECT_EQ(Column->Width(), MeasureTextWidth(Grid->Canvas(), C.Amount) + 4);
  }
}

TEST_F(MoneyCellTextTest, LedgerDigitsFollowTheDecimalSeparator) {
  TFormatSettingsScope Keep;
  TDBGridGx* Grid = MoneyGrid(12.5);
  Grid->Columns()->ColumnAt(0)->SetWidth(150);
  Grid->SetDrawCurrency(true);
  for (const char Separator : {'.', ','}) {
    SCOPED_TRACE(Separator);
    DecimalSeparator = Separator;
    std::string Digits;
    for (const char Ch : Drawn(Grid))
      if (Ch >= '0' && Ch <= '9') Digits += Ch;
    EXPECT_EQ(Digits, "1250");
  }
}

}  // namespace
