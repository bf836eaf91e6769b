// The two-level layout lock and the rebuild of the base grid's geometry.
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/UnitRoutines.h"

#include <algorithm>

void TCustomDBGridGx::LockUpdates() { ++FUpdateLockCount; }

void TCustomDBGridGx::UnlockUpdates() {
  if (FUpdateLockCount > 0) --FUpdateLockCount;
}

void TCustomDBGridGx::LockLayout() {
  LockUpdates();
  if (FLayoutLockCount == 0) FColumns->BeginUpdate();
  ++FLayoutLockCount;
}

bool TCustomDBGridGx::TryLockLayout() {
  if (FUpdateLockCount != 0 || FLayoutLockCount != 0) return false;
  LockLayout();
  return true;
}

void TCustomDBGridGx::UnlockLayout() {
  if (FLayoutLockCount == 0) return;
  auto Release = [this] {
    if (FLayoutLockCount == 1) FColumns->EndUpdate();
    --FLayoutLockCount;
    UnlockUpdates();
  };
  if (FLayoutLockCount == 1) {
    try {
      RebuildLayout();
    } catch (...) {
      Release();
      throw;
    }
  }
  Release();
}

void TCustomDBGridGx::ReleaseLayoutLock() {
  if (FLayoutLockCount == 0) return;
  if (FLayoutLockCount == 1) FColumns->EndUpdate();
  --FLayoutLockCount;
  UnlockUpdates();
}

void TCustomDBGridGx::RequestLayout() {
  if (TryLockLayout()) UnlockLayout();
}

void TCustomDBGridGx::UnlockLayoutDeferred() {
  if (HandleAllocated()) {
    win::MSG Msg;
    if (!win::PeekMessage(&Msg, Handle(), WM_DEFERREDLAYOUT_GX, WM_DEFERREDLAYOUT_GX, win::PM_NOREMOVE))
      win::PostMessage(Handle(), WM_DEFERREDLAYOUT_GX, 0, 0);
  }
  ReleaseLayoutLock();
  UnlockUpdates();
}

void TCustomDBGridGx::DeferredLayoutMessage(TMessage&) {
  if (TryLockLayout()) {
    UnlockLayout();
  } else {
    // Someone holds a lock: try again with a later message.
    LockLayout();
    UnlockLayoutDeferred();
  }
}

// Rebuilds the geometry the grid's settings describe: the indicator column, one grid
// column per column, the title and filter rows above the data.
void TCustomDBGridGx::RebuildLayout() {
  if (Loading()) return;
  if (HandleAllocated()) DropQueuedMessage(Handle(), WM_DEFERREDLAYOUT_GX);
  FPaintLocked = true;
  try {
    FIndicatorColCount = FOptions.Contains(dgIndicator) ? 1 : 0;
    FTitleAreaRowCount = static_cast<std::uint8_t>(TitleRowCount() + FilterRowCount());
    SetColCount(std::max(FColumns->Count() + FIndicatorColCount, 1));
    SetFixedCols(std::min<int>(FIndicatorColCount, ColCount() - 1));
    ApplyColumnAttributes();
    RecountRows();
    if (FUseMultiTitle) BuildHeadTree();
    Invalidate();
  } catch (...) {
    FPaintLocked = false;
    throw;
  }
  FPaintLocked = false;
}

void TCustomDBGridGx::ApplyColumnAttributes() {
  for (int I = 0; I < FColumns->Count(); ++I) {
    TColumnGx* Column = FColumns->ColumnAt(I);
    const int GridCol = DataToGridColumn(I);
    if (GridCol >= ColCount()) break;
    SetTabStops(GridCol, Column->Visible() && !Column->ReadOnly() && FDataLink->Active() && Column->Field());
    SetColWidths(GridCol, Column->Visible() ? Column->Width() : (FOptions.Contains(dgColLines) ? -1 : 0));
  }
  if (FOptions.Contains(dgIndicator) && ColCount() > 0) SetColWidths(0, IndicatorWidth);
}

void TCustomDBGridGx::RecountRows() {
  if (!FDataLink) return;
  if (FTitleAreaRowCount >= RowCount()) SetRowCount(FTitleAreaRowCount + 1);
  SetFixedRows(FTitleAreaRowCount);
}
