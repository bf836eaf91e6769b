// The two-level layout lock, the deferred layout and the reaction to a new window size.
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

void TCustomDBGridGx::LockUpdates() { ++P->FUpdateLockCount; }

void TCustomDBGridGx::UnlockUpdates() {
  if (P->FUpdateLockCount == 0) return;
  --P->FUpdateLockCount;
  // A deferred layout that found a lock held is done once the last lock goes.
  if (P->FUpdateLockCount == 0 && P->FLayoutLockCount == 0 && P->FLayoutPending &&
      !ComponentState().Contains(csDestroying)) {
    P->FLayoutPending = false;
    RequestLayout();
  }
}

void TCustomDBGridGx::LockLayout() {
  LockUpdates();
  if (P->FLayoutLockCount == 0) P->FColumns->BeginUpdate();
  ++P->FLayoutLockCount;
}

bool TCustomDBGridGx::TryLockLayout() {
  if (P->FUpdateLockCount != 0 || P->FLayoutLockCount != 0) return false;
  LockLayout();
  return true;
}

void TCustomDBGridGx::UnlockLayout() {
  if (P->FLayoutLockCount == 0) return;
  auto release = AtScopeExit([this] { ReleaseLayoutLock(); });
  if (P->FLayoutLockCount == 1) RebuildLayout();
}

void TCustomDBGridGx::ReleaseLayoutLock() {
  if (P->FLayoutLockCount == 0) return;
  if (P->FLayoutLockCount == 1) P->FColumns->EndUpdate();
  --P->FLayoutLockCount;
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
  else P->FLayoutPending = true;
}

void TCustomDBGridGx::ClientSizeChanged() {
  if (P->FUpdateLockCount == 0) {
    if (!P->FAutoFitColWidths || ComponentState().Contains(csDesigning)) {
      RecountRows();
      UpdateVertScrollBar();
      if (P->FFilterEditing) UpdateFilterEditor(false);
    } else {
      RequestLayout();
      InvalidateCellEditor();
    }
  }
  UpdateHorzScrollBar();
}
