// How the grid follows its dataset: activation, data and record changes, scrolling,
// the active row and the scroll bars.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/data/Field.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::ClearSelection() {
  if (FSelection) FSelection->Reset();
}

void TCustomDBGridGx::RefreshAfterDataChange() { Invalidate(); }

void TCustomDBGridGx::LinkActiveChanged() {
  // The marked rows belong to the old state of the link: they go, and bookmarks can be
  // taken only while the link is active.
  if (FSelection) FSelection->LinkActive(FDataLink && FDataLink->Active());
  RequestLayout();
}

void TCustomDBGridGx::ScrollRows(int) { Invalidate(); }

void TCustomDBGridGx::SyncActiveRow() {}

void TCustomDBGridGx::UpdateHorzScrollBar() {}

void TCustomDBGridGx::UpdateVertScrollBar() {}

void TCustomDBGridGx::TopLeftChanged() { TCustomGrid::TopLeftChanged(); }

void TCustomDBGridGx::TimedScroll(TGridScrollDirection Direction) { TCustomGrid::TimedScroll(Direction); }

void TCustomDBGridGx::RecordChanged(TField* Field) {
  if (!HandleAllocated()) return;
  if (!Field) {
    Invalidate();
  } else {
    for (int I = 0; I < FColumns->Count(); ++I)
      if (FColumns->ColumnAt(I)->Field() == Field) InvalidateCell(DataToGridColumn(I), Row());
  }
  TField* Current = CurrentColumnField();
  if (Current && (!Field || Field == Current) && Current->Text() != FEditText) InvalidateCellEditor();
}
