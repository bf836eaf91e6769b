// Title buttons: the pressed look of a held title, the end of its tracking, Ctrl
// multi-column sort marking that waits for Ctrl to be released, and sorting by a click
// on a title.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/HeadTree.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

bool TCustomDBGridGx::OnTitleLeaf(int ACol, int X, int Y) {
  if (!P->FUseMultiTitle || !P->FOptions.Contains(dgTitles)) return true;
  const int DataCol = GridToDataColumn(ACol);
  if (DataCol < 0 || DataCol >= P->FColumns->Count()) return true;
  THeadTreeNode* Leaf = HeadTreeLeaf(DataCol);
  if (!Leaf) return true;
  // The group captions above the leaf are no part of the button.
  return Y >= CellRect(ACol, 0).bottom - Leaf->Height + 1;
}

void TCustomDBGridGx::UpdateTitleButtonShown(int X, int Y) {
  const bool Shown = !(X == -1 && Y == -1) && OnPressedTitle(X, Y);
  if (Shown == P->FTitleButtonShown) return;
  P->FTitleButtonShown = Shown;
  InvalidateRow(0);
}

void TCustomDBGridGx::EndTitleButtonTracking() {
  if (!P->FMouseTracking) return;
  StopAutoScrollTimer();
  P->FRowSelecting = false;
  UpdateTitleButtonShown(-1, -1);
  P->FMouseTracking = false;
  if (MouseCapture()) SetMouseCapture(false);
  P->FPressedTitleCol = -1;
  P->FRectSelecting = false;
  P->FMouseMode = gmmNone;
}

void TCustomDBGridGx::FinishCtrlSort() {
  if (!P->FCtrlSort) return;
  P->FCtrlSort = false;
  FireSortMarkingChanged();
}

void TCustomDBGridGx::KeyUp(win::WORD& Key, TShiftState Shift) {
  if (P->FCtrlSort && Key == win::VK_CONTROL) FinishCtrlSort();
  TCustomGrid::KeyUp(Key, Shift);
}

void TCustomDBGridGx::AutoSortByColumn(TColumnGx* Column) {
  TDataSource* Source = DataSource();
  if (!Source || !Source->DataSet() || !Source->DataSet()->Active() || !Column || !Column->Field()) return;
  switch (Column->Field()->DataType()) {
    case ftString: case ftSmallint: case ftInteger: case ftWord: case ftBoolean: case ftFloat: case ftCurrency:
    case ftBCD: case ftDate: case ftTime: case ftDateTime: case ftBytes: case ftVarBytes: case ftAutoInc:
    case ftWideString: case ftLargeint:
      break;
    default: return;
  }
  const int Current = CurrentDataColumn();
  const std::string FieldName = Column->FieldName();
  const TSortMarkerGx Was = Column->Title()->SortMarker();
  for (int I = 0; I < P->FColumns->Count(); ++I) P->FColumns->ColumnAt(I)->Title()->SetSortMarker(smNoneGx);
  // Ascending, descending, unsorted. The marker kept is the one the rows were sorted by,
  // so that applying the markers again (a layout restored, a multi-column sort) keeps
  // the order.
  const TSortMarkerGx Now = Was == smNoneGx ? smDownGx : Was == smDownGx ? smUpGx : smNoneGx;
  Column->Title()->SetSortMarker(Now);
  if (OnSortMarkingChanged()) OnSortMarkingChanged()(this);
  else ApplySortingDefault();
  // Sorting may have rebuilt the columns: the column is found again by its field.
  ColumnByFieldName(FieldName)->Title()->SetSortMarker(Now);
  if (Current >= 0 && Current < P->FColumns->Count()) SelectDataColumn(Current);
}
