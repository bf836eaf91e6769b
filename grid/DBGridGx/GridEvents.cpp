// The grid's events, raised only when assigned, and the sum list's notifications.
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

void TCustomDBGridGx::FireCellClick(TColumnGx* Column) {
  if (FOnCellClick) FOnCellClick(Column);
}

void TCustomDBGridGx::FireCheckButton(int ACol, TColumnGx* Column, bool& Enabled) {
  if (ACol < 0 || ACol >= FColumns->Count()) Enabled = false;
  else if (FOnCheckButton) FOnCheckButton(this, ACol, Column, Enabled);
}

void TCustomDBGridGx::FireColEnter() {
  ApplyColumnIme();
  if (FOnColEnter) FOnColEnter(this);
}

void TCustomDBGridGx::FireColExit() {
  if (FOnColExit) FOnColExit(this);
}

void TCustomDBGridGx::FireSortMarkingChanged() {
  if (!FOptionsGx.Contains(dghAutoSortMarking)) return;
  if (FOnSortMarkingChanged) FOnSortMarkingChanged(this);
  else ApplySortingDefault();
}

void TCustomDBGridGx::FireTitleBtnClick(int ACol, TColumnGx* Column) {
  if (FOnTitleBtnClick) FOnTitleBtnClick(this, ACol, Column);
}

void TCustomDBGridGx::FireDrawColumnCell(const win::RECT& Rect, int DataCol, TColumnGx* Column,
                                         TGridDrawState State) {
  if (FOnDrawColumnCell) FOnDrawColumnCell(this, Rect, DataCol, Column, State);
  if (!State.Contains(gdFixed)) DrawFieldPicture(Rect, Column);
}

void TCustomDBGridGx::FireDrawDataCell(const win::RECT& Rect, TField* Field, TGridDrawState State) {
  if (FOnDrawDataCell) FOnDrawDataCell(this, Rect, Field, State);
}

void TCustomDBGridGx::FireEditButtonClick() {
  if (FOnEditButtonClick) FOnEditButtonClick(this);
}

void TCustomDBGridGx::FireGetCellParams(TColumnGx* Column, TFont* AFont, TColor& Background,
                                        TGridDrawState State) {
  if (FOnGetCellParams) FOnGetCellParams(this, Column, AFont, Background, State);
}

void TCustomDBGridGx::FireGetFooterParams(int DataCol, int Row, TColumnGx* Column, TFont* AFont,
                                          TColor& Background, TAlignment& Alignment, TGridDrawState State,
                                          std::string& Text) {
  if (FOnGetFooterParams) FOnGetFooterParams(this, DataCol, Row, Column, AFont, Background, Alignment, State, Text);
}

void TCustomDBGridGx::HandleTitleClick(TColumnGx* Column) {
  if (FOnTitleClick) FOnTitleClick(Column);
  else if (FSortOnColumnClick && !FClickSortMarked) AutoSortByColumn(Column);
}

void TCustomDBGridGx::SumListChanged(TObject*) { InvalidateFooterRows(); }

void TCustomDBGridGx::SumListRecalcAll(TObject*) {
  if (FOnSumListRecalcAll) FOnSumListRecalcAll(FSumList.get());
}

void TCustomDBGridGx::SumListAfterRecalcAll(TObject*) {
  if (FOnSumListAfterRecalcAll) FOnSumListAfterRecalcAll(FSumList.get());
}
