// The grid's columns by position or field name, the current column, and what the grid
// forgets of a column that leaves it.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridErrors.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/Selection.h"
#include "platform/rtl/SysUtils.h"

TColumnGx* TCustomDBGridGx::CurrentColumn() const {
  const int I = CurrentDataColumn();
  return I >= 0 && I < P->FColumns->Count() ? P->FColumns->ColumnAt(I) : nullptr;
}

TField* TCustomDBGridGx::CurrentColumnField() const {
  TColumnGx* Column = CurrentColumn();
  return Column ? Column->Field() : nullptr;
}

void TCustomDBGridGx::SelectDataColumn(int I) {
  const int GridCol = DataToGridColumn(I);
  if (GridCol >= FixedCols() && GridCol < ColCount()) SetCol(GridCol);
}

void TCustomDBGridGx::SetCurrentGridColumn(int ACol) {
  if (ACol == Col()) return;
  // The base grid refuses fixed columns as current; a frozen data column is one.
  if (ACol >= P->FIndicatorColCount && ACol < FixedCols()) MoveColRow(ACol, Row(), false, false);
  else SetCol(ACol);
}

TColumnGx* TCustomDBGridGx::ColumnByFieldName(const std::string& FieldName) const {
  for (int I = 0; I < P->FColumns->Count(); ++I)
    if (AnsiCompareText(P->FColumns->ColumnAt(I)->FieldName(), FieldName) == 0) return P->FColumns->ColumnAt(I);
  RaiseInvalidGridOperation(Format("字段名 '%s' 没有找到", FieldName));
}

TColumnGx* TCustomDBGridGx::FindColumnNoCase(const std::string& FieldName) const {
  const std::string Wanted = UpperCase(FieldName);
  for (int I = 0; I < P->FColumns->Count(); ++I)
    if (UpperCase(P->FColumns->ColumnAt(I)->FieldName()) == Wanted) return P->FColumns->ColumnAt(I);
  return nullptr;
}

void TCustomDBGridGx::ForgetColumn(TColumnGx* Column) {
  // The sort positions after a sorted column that leaves move up, so that they keep
  // running without a gap.
  if (P->FSortedColumnList && P->FSortedColumnList->Remove(Column) >= 0 && P->FColumns && Column->Collection() == P->FColumns.get())
    P->FColumns->CloseSortGap(Column);
  if (P->FShownColumns) P->FShownColumns->Remove(Column);
  if (P->FSelection) {
    P->FSelection->Columns()->ForgetColumn(Column);
    if (P->FColumns && Column->Collection() == P->FColumns.get()) P->FSelection->ColumnRemoved(P->FColumns->Count() - 1);
  }
  // The header keeps its shape until the next layout, without the column.
  for (THeadTreeNode*& Leaf : P->FHeadTreeLeaves)
    if (Leaf && Leaf->Column == Column) {
      Leaf->Column = nullptr;
      Leaf = nullptr;
    }
}
