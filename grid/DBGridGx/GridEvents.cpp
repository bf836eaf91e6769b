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

void TCustomDBGridGx::TState::FireCellClick(TColumnGx* Column) {
  if (FOnCellClick) FOnCellClick(Column);
}

void TCustomDBGridGx::TState::FireCheckButton(int ACol, TColumnGx* Column, bool& Enabled) {
  if (ACol < 0 || ACol >= FColumns->Count()) Enabled = false;
  else if (FOnCheckButton) FOnCheckButton(&G, ACol, Column, Enabled);
}

void TCustomDBGridGx::TState::FireColEnter() {
  ApplyColumnIme();
  if (FOnColEnter) FOnColEnter(&G);
}

void TCustomDBGridGx::TState::FireColExit() {
  if (FOnColExit) FOnColExit(&G);
}

void TCustomDBGridGx::TState::FireSortMarkingChanged() {
  if (!FOptionsGx.Contains(dghAutoSortMarking)) return;
  if (FOnSortMarkingChanged) FOnSortMarkingChanged(&G);
  else G.ApplySortingDefault();
}

void TCustomDBGridGx::TState::FireTitleBtnClick(int ACol, TColumnGx* Column) {
  if (FOnTitleBtnClick) FOnTitleBtnClick(&G, ACol, Column);
}

void TCustomDBGridGx::TState::FireDrawColumnCell(const win::RECT& Rect, int DataCol, TColumnGx* Column,
                                         TGridDrawState State) {
  if (FOnDrawColumnCell) FOnDrawColumnCell(&G, Rect, DataCol, Column, State);
  if (!State.Contains(gdFixed)) G.DrawFieldPicture(Rect, Column);
}

void TCustomDBGridGx::TState::FireDrawDataCell(const win::RECT& Rect, TField* Field, TGridDrawState State) {
  if (FOnDrawDataCell) FOnDrawDataCell(&G, Rect, Field, State);
}

void TCustomDBGridGx::FireEditButtonClick() {
  if (P->FOnEditButtonClick) P->FOnEditButtonClick(this);
}

void TCustomDBGridGx::FireGetCellParams(TColumnGx* Column, TFont* AFont, TColor& Background,
                                        TGridDrawState State) {
  if (P->FOnGetCellParams) P->FOnGetCellParams(this, Column, AFont, Background, State);
}

void TCustomDBGridGx::TState::FireGetFooterParams(int DataCol, int Row, TColumnGx* Column, TFont* AFont,
                                          TColor& Background, TAlignment& Alignment, TGridDrawState State,
                                          std::string& Text) {
  if (FOnGetFooterParams) FOnGetFooterParams(&G, DataCol, Row, Column, AFont, Background, Alignment, State, Text);
}

void TCustomDBGridGx::HandleTitleClick(TColumnGx* Column) {
  if (P->FOnTitleClick) P->FOnTitleClick(Column);
  else if (P->FSortOnColumnClick && !P->FClickSortMarked) P->AutoSortByColumn(Column);
}

void TCustomDBGridGx::SumListChanged(TObject*) { InvalidateFooterRows(); }

void TCustomDBGridGx::SumListRecalcAll(TObject*) {
  if (P->FOnSumListRecalcAll) P->FOnSumListRecalcAll(P->FSumList.get());
}

void TCustomDBGridGx::SumListAfterRecalcAll(TObject*) {
  if (P->FOnSumListAfterRecalcAll) P->FOnSumListAfterRecalcAll(P->FSumList.get());
}
