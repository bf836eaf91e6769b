// The grid's mouse handling: clicks, drags, auto scroll and the columns' own menus.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::AutoScrollStep(int, int) {}

bool TCustomDBGridGx::InFrozenSizingZone(int, int) { return false; }

void TCustomDBGridGx::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseDown(Button, Shift, X, Y);
}

void TCustomDBGridGx::HandleMouseMove(TShiftState Shift, int X, int Y) { TCustomGrid::MouseMove(Shift, X, Y); }

void TCustomDBGridGx::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseUp(Button, Shift, X, Y);
}

// A right-button release over a data column whose column has its own auto-popup menu
// pops that menu up at the mouse point (instead of the grid's context menu); true when it
// did.
bool TCustomDBGridGx::PopupColumnMenu(TMessage& Message) {
  if (!FColumns) return false;
  const int X = Message.XPos(), Y = Message.YPos();
  const TGridCoord Cell = MouseCoord(X, Y);
  if (Cell.X < FIndicatorColCount || Cell.Y < 0) return false;
  const int DataCol = GridToDataColumn(Cell.X);
  if (DataCol >= FColumns->Count()) return false;
  TPopupMenu* Menu = FColumns->ColumnAt(DataCol)->PopupMenu();
  if (!Menu || !Menu->AutoPopup()) return false;
  HandleMouseUp(mbRight, KeysToShiftState(static_cast<win::WORD>(Message.WParam)), X, Y);
  CancelMode();
  Menu->SetPopupComponent(this);
  const win::POINT P = ClientToScreen(win::POINT{X, Y});
  Menu->Popup(P.x, P.y);
  Message.Result = 1;
  return true;
}
