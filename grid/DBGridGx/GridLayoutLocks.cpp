// The two-level layout lock, the deferred layout and the reaction to a new window size.
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

void TCustomDBGridGx::LockUpdates() { ++FUpdateLockCount; }

void TCustomDBGridGx::UnlockUpdates() {
  if (FUpdateLockCount == 0) return;
  --FUpdateLockCount;
  // A deferred layout that found a lock held is done once the last lock goes.
  if (FUpdateLockCount == 0 && FLayoutLockCount == 0 && FLayoutPending &&
      !ComponentState().Contains(csDestroying)) {
    FLayoutPending = false;
    RequestLayout();
  }
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
  auto release = AtScopeExit([this] { ReleaseLayoutLock(); });
  if (FLayoutLockCount == 1) RebuildLayout();
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

void TCustomDBGridGx::PostDeferredLayout() {
  if (!HandleAllocated()) return;
  win::MSG Msg;
  // A filtered peek also sees a pending WM_QUIT; that is no layout already queued.
  if (!win::PeekMessage(&Msg, Handle(), WM_DEFERREDLAYOUT_GX, WM_DEFERREDLAYOUT_GX, win::PM_NOREMOVE) ||
      Msg.message == win::WM_QUIT)
    win::PostMessage(Handle(), WM_DEFERREDLAYOUT_GX, 0, 0);
}

void TCustomDBGridGx::UnlockLayoutDeferred() {
  PostDeferredLayout();
  ReleaseLayoutLock();
}

void TCustomDBGridGx::DeferredLayoutMessage(TMessage&) {
  if (TryLockLayout()) UnlockLayout();
  // A lock is held, perhaps across a message loop (a modal box, a menu): posting again
  // would keep that loop busy. The outermost unlock rebuilds instead.
  else FLayoutPending = true;
}

void TCustomDBGridGx::ClientSizeChanged() {
  if (FUpdateLockCount == 0) {
    if (!FAutoFitColWidths || ComponentState().Contains(csDesigning)) {
      RecountRows();
      UpdateVertScrollBar();
      if (FFilterEditing) UpdateFilterEditor(false);
    } else {
      RequestLayout();
      InvalidateCellEditor();
    }
  }
  UpdateHorzScrollBar();
}
