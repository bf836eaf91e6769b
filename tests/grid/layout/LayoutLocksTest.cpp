// The layout lock: requests inside a lock rebuild once at its end, the deferred layout
// keeps lock counts balanced and never keeps a message loop busy.
#include "tests/support/CountingGrid.h"
#include "tests/support/GridFixture.h"

namespace {

class LayoutLocksTest : public GridTest {
protected:
  // A windowed grid with nothing left in its queue and no rebuild counted yet.
  TCountingGrid* NewCountingGrid() {
    auto* Grid = new TCountingGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->HandleNeeded();
    Pump(Grid);
    Grid->Requests = 0;
    return Grid;
  }

  // Runs the grid's queued messages, at most Max of them, as a message loop would;
  // returns how many deferred layouts it met.
  static int Pump(TCustomDBGridGx* Grid, int Max = 50) {
    int Deferred = 0;
    win::MSG Msg;
    for (int I = 0; I < Max && win::PeekMessage(&Msg, Grid->Handle(), 0, 0, win::PM_REMOVE); ++I) {
      if (Msg.message == WM_DEFERREDLAYOUT_GX) ++Deferred;
      win::DispatchMessage(&Msg);
    }
    return Deferred;
  }

  static bool DeferredQueued(TCustomDBGridGx* Grid) {
    win::MSG Msg;
    return win::PeekMessage(&Msg, Grid->Handle(), WM_DEFERREDLAYOUT_GX, WM_DEFERREDLAYOUT_GX, win::PM_NOREMOVE);
  }
};

TEST_F(LayoutLocksTest, RequestsInsideALockRebuildOnceAtTheOutermostUnlock) {
  TCountingGrid* Grid = NewCountingGrid();
  Grid->LockLayout();
  Grid->RequestLayout();
  Grid->SetFrozenCols(1);
  Grid->LockLayout();
  Grid->UnlockLayout();
  EXPECT_EQ(Grid->Requests, 0);
  Grid->UnlockLayout();
  EXPECT_EQ(Grid->Requests, 1);
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
}

TEST_F(LayoutLocksTest, DeferringReleasesOnlyTheCallersLock) {
  TCountingGrid* Grid = NewCountingGrid();
  // Asking for a deferred layout holds no lock and queues one message however often.
  Grid->PostDeferredLayout();
  Grid->PostDeferredLayout();
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  Grid->Requests = 0;
  EXPECT_EQ(Pump(Grid), 1);
  EXPECT_EQ(Grid->Requests, 1);

  // An outer update lock survives an inner deferred unlock.
  Grid->LockUpdates();
  Grid->LockLayout();
  Grid->UnlockLayoutDeferred();
  EXPECT_EQ(Grid->UpdateLockCount(), 1);
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  EXPECT_TRUE(DeferredQueued(Grid));
  Grid->UnlockUpdates();
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
}

// A lock held across a message loop (a modal box, a menu): the deferred layout is met
// once, the loop finds its queue empty, and the outermost unlock rebuilds.
TEST_F(LayoutLocksTest, ADeferredLayoutMeetingALockWaitsForTheUnlockInsteadOfRepostingItself) {
  TCountingGrid* Grid = NewCountingGrid();
  Grid->LockUpdates();
  Grid->LockLayout();
  Grid->UnlockLayoutDeferred();
  EXPECT_EQ(Pump(Grid), 1);
  EXPECT_FALSE(DeferredQueued(Grid));
  EXPECT_TRUE(Grid->LayoutPending());
  EXPECT_EQ(Grid->Requests, 0);
  EXPECT_EQ(Grid->UpdateLockCount(), 1);
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  Grid->UnlockUpdates();
  EXPECT_EQ(Grid->Requests, 1);
  EXPECT_FALSE(Grid->LayoutPending());
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
  EXPECT_EQ(Pump(Grid), 0);
  EXPECT_EQ(Grid->Requests, 1);
}

TEST_F(LayoutLocksTest, ARebuildTakesEveryQueuedDeferredLayoutAndIgnoresThePopupMessageNumbers) {
  TCountingGrid* Grid = NewCountingGrid();
  win::PostMessage(Grid->Handle(), WM_DEFERREDLAYOUT_GX, 0, 0);
  win::PostMessage(Grid->Handle(), WM_DEFERREDLAYOUT_GX, 0, 0);
  Grid->RequestLayout();
  EXPECT_FALSE(DeferredQueued(Grid));
  // The library's popup messages (from WM_USER + 100) mean something else to a grid.
  Grid->Requests = 0;
  for (win::UINT Msg = win::WM_USER + 100; Msg <= win::WM_USER + 102; ++Msg) Grid->Perform(Msg, 0, 0);
  EXPECT_EQ(Grid->Requests, 0);
}

// A filtered peek also takes a pending WM_QUIT: the grid's queue handling leaves it for
// the loop that owns it, so "exit" still ends the program.
TEST_F(LayoutLocksTest, APendingQuitOutlivesTheGridsQueuedLayouts) {
  TCountingGrid* Grid = NewCountingGrid();
  win::PostMessage(Grid->Handle(), WM_DEFERREDLAYOUT_GX, 0, 0);
  win::PostQuitMessage(3);
  Grid->RequestLayout();     // takes the queued layouts
  Grid->PostDeferredLayout();  // the quit is no layout already queued
  int Layouts = 0, Quits = 0;
  win::MSG Msg;
  while (win::PeekMessage(&Msg, nullptr, 0, 0, win::PM_REMOVE)) {
    if (Msg.message == WM_DEFERREDLAYOUT_GX) ++Layouts;
    if (Msg.message == win::WM_QUIT && Msg.wParam == 3u) ++Quits;
  }
  EXPECT_EQ(Layouts, 1);
  EXPECT_EQ(Quits, 1);
}

}  // namespace

namespace {

// A grid whose rebuild fails part-way.
class TFailingLayoutGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  bool Fail = false;
  bool PaintLockedWhenFailing = false;
  void ApplyColumnAttributes() override {
    if (Fail) {
      PaintLockedWhenFailing = PaintLocked();
      throw EInvalidGridOperation("column writer failed");
    }
    TDBGridGx::ApplyColumnAttributes();
  }
};

TEST_F(LayoutLocksTest, AFailedRebuildReachesTheCallerWithLocksAndPaintingRestored) {
  auto* Grid = new TFailingLayoutGrid(Form.get());
  Grid->SetParent(Form.get());
  Grid->HandleNeeded();
  Grid->Fail = true;
  Grid->LockUpdates();
  Grid->LockLayout();
  Grid->UnlockLayoutDeferred();
  Pump(Grid);
  EXPECT_THROW(Grid->UnlockUpdates(), EInvalidGridOperation) << "the pending layout runs at the last unlock";
  EXPECT_THROW(Grid->RequestLayout(), EInvalidGridOperation);
  EXPECT_TRUE(Grid->PaintLockedWhenFailing);
  EXPECT_FALSE(Grid->PaintLocked());
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
  Grid->Fail = false;
  EXPECT_NO_THROW(Grid->RequestLayout());
}

}  // namespace
