// The grid's events, raised only when assigned, and the sum list's notifications.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::FireCellClick(TColumnGx* Column) {
  if (P->FOnCellClick) P->FOnCellClick(Column);
}

void TCustomDBGridGx::FireCheckButton(int ACol, TColumnGx* Column, bool& Enabled) {
  if (ACol < 0 || ACol >= P->FColumns->Count()) Enabled = false;
  else if (P->FOnCheckButton) P->FOnCheckButton(this, ACol, Column, Enabled);
}

void TCustomDBGridGx::FireColEnter() {
  ApplyColumnIme();
  if (P->FOnColEnter) P->FOnColEnter(this);
}

void TCustomDBGridGx::FireColExit() {
  if (P->FOnColExit) P->FOnColExit(this);
}

void TCustomDBGridGx::FireSortMarkingChanged() {
  if (!P->FOptionsGx.Contains(dghAutoSortMarking)) return;
  if (P->FOnSortMarkingChanged) P->FOnSortMarkingChanged(this);
  else ApplySortingDefault();
}

void TCustomDBGridGx::FireTitleBtnClick(int ACol, TColumnGx* Column) {
  if (P->FOnTitleBtnClick) P->FOnTitleBtnClick(this, ACol, Column);
}

void TCustomDBGridGx::FireDrawColumnCell(const win::RECT& Rect, int DataCol, TColumnGx* Column,
                                         TGridDrawState State) {
  if (P->FOnDrawColumnCell) P->FOnDrawColumnCell(this, Rect, DataCol, Column, State);
  if (!State.Contains(gdFixed)) DrawFieldPicture(Rect, Column);
}

void TCustomDBGridGx::FireDrawDataCell(const win::RECT& Rect, TField* Field, TGridDrawState State) {
  if (P->FOnDrawDataCell) P->FOnDrawDataCell(this, Rect, Field, State);
}

void TCustomDBGridGx::FireEditButtonClick() {
  if (P->FOnEditButtonClick) P->FOnEditButtonClick(this);
}

void TCustomDBGridGx::FireGetCellParams(TColumnGx* Column, TFont* AFont, TColor& Background,
                                        TGridDrawState State) {
  if (P->FOnGetCellParams) P->FOnGetCellParams(this, Column, AFont, Background, State);
}

void TCustomDBGridGx::FireGetFooterParams(int DataCol, int Row, TColumnGx* Column, TFont* AFont,
                                          TColor& Background, TAlignment& Alignment, TGridDrawState State,
                                          std::string& Text) {
  if (P->FOnGetFooterParams) P->FOnGetFooterParams(this, DataCol, Row, Column, AFont, Background, Alignment, State, Text);
}

void TCustomDBGridGx::HandleTitleClick(TColumnGx* Column) {
  if (P->FOnTitleClick) P->FOnTitleClick(Column);
  else if (P->FSortOnColumnClick && !P->FClickSortMarked) AutoSortByColumn(Column);
}

void TCustomDBGridGx::SumListChanged(TObject*) { InvalidateFooterRows(); }

void TCustomDBGridGx::SumListRecalcAll(TObject*) {
  if (P->FOnSumListRecalcAll) P->FOnSumListRecalcAll(P->FSumList.get());
}

void TCustomDBGridGx::SumListAfterRecalcAll(TObject*) {
  if (P->FOnSumListAfterRecalcAll) P->FOnSumListAfterRecalcAll(P->FSumList.get());
}
