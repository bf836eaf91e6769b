// The one place that decides what a data cell shows.
#include "grid/DBGridGx/CellContent.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "gridcontrols/GxCurrency.h"
#include "platform/data/Field.h"
#include "platform/rtl/SysUtils.h"

namespace {

// The amount of a money column in fixed format. The text is written with the current
// decimal separator, since the money style reads it back with it.
bool MoneyText(TColumnGx* Column, std::string& Text) {
  TCustomDBGridGx* grid = Column->Grid();
  TField* field = Column->Field();
  if (!Column->IsCurrency() || !grid || !grid->MoneyTextFormatting() || !field || field->IsNull()) return false;
  Text = FloatToStrF(field->AsFloat(), ffFixed, 15, grid->CurrencyStyle()->Digits());
  return true;
}

}  // namespace

TCellContent CellContentOf(TColumnGx* Column, TCellContentParts Parts) {
  TCellContent content;
  if (Parts.Contains(ccpText)) {
    content.DisplayText = Column->FormatCellText();
    if (!MoneyText(Column, content.Text)) content.Text = content.DisplayText;
  }
  if (Parts.Contains(ccpImage)) content.ImageIndex = Column->KeyImageIndex();
  if (Parts.Contains(ccpCheck) && Column->CellKind() == CellKindCheckBox) content.CheckState = Column->ReadCheckState();
  return content;
}
