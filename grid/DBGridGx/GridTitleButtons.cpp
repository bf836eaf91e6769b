// Title buttons: the pressed look of a held title, the end of its tracking, Ctrl
// multi-column sort marking that waits for Ctrl to be released, and sorting by a click
// on a title.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/HeadTree.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

bool TCustomDBGridGx::TState::OnTitleLeaf(int ACol, int X, int Y) {
  if (!FUseMultiTitle || !FOptions.Contains(dgTitles)) return true;
  const int DataCol = G.GridToDataColumn(ACol);
  if (DataCol < 0 || DataCol >= FColumns->Count()) return true;
  THeadTreeNode* Leaf = G.HeadTreeLeaf(DataCol);
  if (!Leaf) return true;
  // The group captions above the leaf are no part of the button.
  return Y >= G.CellRect(ACol, 0).bottom - Leaf->Height + 1;
}

void TCustomDBGridGx::TState::UpdateTitleButtonShown(int X, int Y) {
  const bool Shown = !(X == -1 && Y == -1) && OnPressedTitle(X, Y);
  if (Shown == FTitleButtonShown) return;
  FTitleButtonShown = Shown;
  G.InvalidateRow(0);
}

void TCustomDBGridGx::TState::EndTitleButtonTracking() {
  if (!FMouseTracking) return;
  StopAutoScrollTimer();
  FRowSelecting = false;
  UpdateTitleButtonShown(-1, -1);
  FMouseTracking = false;
  if (G.MouseCapture()) G.SetMouseCapture(false);
  FPressedTitleCol = -1;
  FRectSelecting = false;
  FMouseMode = gmmNone;
}

void TCustomDBGridGx::TState::FinishCtrlSort() {
  if (!FCtrlSort) return;
  FCtrlSort = false;
  FireSortMarkingChanged();
}

void TCustomDBGridGx::KeyUp(win::WORD& Key, TShiftState Shift) {
  if (P->FCtrlSort && Key == win::VK_CONTROL) P->FinishCtrlSort();
  TCustomGrid::KeyUp(Key, Shift);
}

void TCustomDBGridGx::TState::AutoSortByColumn(TColumnGx* Column) {
  TDataSource* Source = G.DataSource();
  if (!Source || !Source->DataSet() || !Source->DataSet()->Active() || !Column || !Column->Field()) return;
  switch (Column->Field()->DataType()) {
    case ftString: case ftSmallint: case ftInteger: case ftWord: case ftBoolean: case ftFloat: case ftCurrency:
    case ftBCD: case ftDate: case ftTime: case ftDateTime: case ftBytes: case ftVarBytes: case ftAutoInc:
    case ftWideString: case ftLargeint:
      break;
    default: return;
  }
  const int Current = G.CurrentDataColumn();
  const std::string FieldName = Column->FieldName();
  const TSortMarkerGx Was = Column->Title()->SortMarker();
  for (int I = 0; I < FColumns->Count(); ++I) FColumns->ColumnAt(I)->Title()->SetSortMarker(smNoneGx);
  // Ascending, descending, unsorted. The marker kept is the one the rows were sorted by,
  // so that applying the markers again (a layout restored, a multi-column sort) keeps
  // the order.
  const TSortMarkerGx Now = Was == smNoneGx ? smDownGx : Was == smDownGx ? smUpGx : smNoneGx;
  Column->Title()->SetSortMarker(Now);
  if (G.OnSortMarkingChanged()) G.OnSortMarkingChanged()(&G);
  else G.ApplySortingDefault();
  // Sorting may have rebuilt the columns: the column is found again by its field.
  G.ColumnByFieldName(FieldName)->Title()->SetSortMarker(Now);
  if (Current >= 0 && Current < FColumns->Count()) G.SelectDataColumn(Current);
}
