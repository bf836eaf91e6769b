// Sizing columns with the mouse (also the frozen ones, and tracing the border live) and
// the timer that scrolls while a drag is held beyond the data cells.
#include <algorithm>
#include <cstdlib>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

namespace {
constexpr win::UINT_PTR AutoScrollTimerId = 1;
}  // namespace

bool TCustomDBGridGx::TState::PointInsideRect(win::POINT Point, const win::RECT& Rect) {
  return Point.x >= Rect.left && Point.x <= Rect.right && Point.y >= Rect.top && Point.y <= Rect.bottom;
}

int TCustomDBGridGx::TState::ColumnsLeftOf(int ACol) {
  const int LW = FOptions.Contains(dgColLines) ? G.GridLineWidth() : 0;
  int Width = 0;
  for (int C = 0; C < ACol && C < G.ColCount(); ++C) Width += std::max(0, G.ColWidths(C) + LW);
  return Width;
}

void TCustomDBGridGx::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                      TGridDrawInfo& FixedInfo) {
  TCustomGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
  if (State == gsColSizing) {
    // The indicator keeps its width.
    if (Index < P->FIndicatorColCount) {
      State = gsNormal;
      return;
    }
    Index = std::min(Index, ColCount() - 1);
    // A lone scrolling column wider than the room is the one sized.
    const int Room = FixedInfo.Horz.GridExtent - FixedInfo.Horz.FixedBoundary;
    if (VisibleColCount() == 1 && ColWidths(LeftCol()) > Room) Index = std::min(Index, LeftCol());
  } else if (State == gsRowSizing && X >= P->ColumnsLeftOf(P->FIndicatorColCount)) {
    State = gsNormal;
  }
}

bool TCustomDBGridGx::TState::FrozenSizingZone(int X, int Y, int& Index, int& Pos, int& Ofs) {
  if (!FOptions.Contains(dgColumnResize)) return false;
  TGridDrawInfo Info;
  G.CalcDrawInfo(Info);
  if (Y < 0 || Y >= Info.Vert.FixedBoundary) return false;
  const int LW = Info.Horz.EffectiveLineWidth;
  const int D = LW <= 6 ? (7 - LW) / 2 : 0;
  const int Span = std::max(LW, 7);
  int Border = ColumnsLeftOf(FIndicatorColCount);
  for (int C = FIndicatorColCount; C < G.FixedCols(); ++C) {
    const int W = G.ColWidths(C);
    if (W <= 0) {
      Border += std::max(0, W + LW);
      continue;
    }
    Border += W;
    if (Border > Info.Horz.GridBoundary) {
      // Frozen columns wider than a grid that fills the window: its last pixels size the
      // column cut off there.
      if (Info.Horz.GridBoundary >= G.ClientWidth() && X >= G.ClientWidth() - D && X < G.ClientWidth()) {
        Index = C;
        Pos = G.ClientWidth();
        Ofs = Pos - X;
        return true;
      }
      return false;
    }
    if (X >= Border - D && X < Border - D + Span) {
      Index = C;
      Pos = Border;
      Ofs = Border - X;
      return true;
    }
    Border += LW;
  }
  return false;
}

bool TCustomDBGridGx::TState::InFrozenSizingZone(int X, int Y) {
  int Index = 0, Pos = 0, Ofs = 0;
  return FrozenSizingZone(X, Y, Index, Pos, Ofs);
}

void TCustomDBGridGx::TState::TraceColumnSizing(int X) {
  TGridDrawInfo Info;
  G.CalcDrawInfo(Info);
  G.FSizingPos = X + G.FSizingOfs;
  const int Start = FMouseMode == gmmSizeFrozenCol ? ColumnsLeftOf(G.FSizingIndex) : Info.Horz.CellStart(G.FSizingIndex);
  if (Start < 0 || G.FSizingIndex >= G.ColCount()) return;
  if (FAutoFitColWidths && !G.ComponentState().Contains(csDesigning)) {
    // Every column right of the sized one keeps a pixel at least.
    const int Right = G.ColCount() - 1 - G.FSizingIndex;
    if (G.FSizingPos >= Info.Horz.GridBoundary - (1 + Info.Horz.EffectiveLineWidth) * Right) return;
  }
  const int Width = std::max(1, G.FSizingPos - Start);
  if (Width == G.ColWidths(G.FSizingIndex)) return;
  G.SetColWidths(G.FSizingIndex, Width);
  G.ColWidthsChanged();
}

void TCustomDBGridGx::TState::StartAutoScrollTimer(int Interval) {
  if (!G.HandleAllocated() || Interval == FAutoScrollInterval) return;
  if (FAutoScrollInterval >= 0) win::KillTimer(G.Handle(), AutoScrollTimerId);
  win::SetTimer(G.Handle(), AutoScrollTimerId, static_cast<win::UINT>(Interval), nullptr);
  FAutoScrollInterval = Interval;
}

void TCustomDBGridGx::TState::StopAutoScrollTimer() {
  if (FAutoScrollInterval >= 0 && G.HandleAllocated()) win::KillTimer(G.Handle(), AutoScrollTimerId);
  FAutoScrollInterval = -1;
}

void TCustomDBGridGx::AutoScrollStep(int X, int Y) {
  const win::RECT R = DataAreaRect();
  if (P->FMouseMode == gmmSelectColumns) {
    // Selecting columns along the titles: the view follows sideways.
    int Distance = 0;
    if (X > R.right) {
      Distance = X - R.right;
      if (LeftCol() < MaxLeftCol()) {
        SetLeftCol(LeftCol() + 1);
        TGridDrawInfo Info;
        CalcDrawInfo(Info);
        const int Edge = GridToDataColumn(Info.Horz.LastVisibleCell());
        if (Edge >= 0 && Edge < P->FColumns->Count()) P->FSelection->Columns()->ShiftSelectTo(P->FColumns->ColumnAt(Edge));
      }
    } else if (X < R.left) {
      Distance = R.left - X;
      if (LeftCol() > FixedCols()) {
        SetLeftCol(LeftCol() - 1);
        const int Edge = GridToDataColumn(LeftCol());
        if (Edge >= 0 && Edge < P->FColumns->Count()) P->FSelection->Columns()->ShiftSelectTo(P->FColumns->ColumnAt(Edge));
      }
    } else {
      return;
    }
    P->StartAutoScrollTimer(std::max(0, 200 - 10 * Distance));
    return;
  }
  const int DY = Y < R.top ? Y - R.top : Y > R.bottom ? Y - R.bottom : 0;
  const int DX = X < R.left ? X - R.left : X > R.right ? X - R.right : 0;
  const int D = std::max(std::abs(DY), std::abs(DX));
  if (D == 0 || !P->FDataLink->Active()) {
    P->StopAutoScrollTimer();
    return;
  }
  {
    LockUpdates();
    auto Unlock = AtScopeExit([this] { UnlockUpdates(); });
    const int Rows = std::min(D / 6, 8);
    if (DY != 0 && Rows > 0) {
      const int Distance = DY < 0 ? -Rows : Rows;
      if (P->FMouseMode == gmmSelectRect) MoveBySelecting(true, Distance, false, false);
      else MoveBySelecting(P->FMouseMode == gmmMarkRows, Distance, true, false);
    }
    if (DX != 0) {
      const int Step = DX < 0 ? -1 : 1;
      if (P->FRectSelecting) {
        if (Step > 0 && LeftCol() < MaxLeftCol()) SetLeftCol(LeftCol() + 1);
        else if (Step < 0 && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
      }
      if (!P->FRowSelecting && Col() + Step >= P->FIndicatorColCount && Col() + Step < ColCount())
        SelectGridColumn(Col() + Step, Step, P->FMouseMode == gmmSelectRect);
    }
  }
  if (P->FUpdateLockCount == 0 && HandleAllocated()) {
    Invalidate();
    win::UpdateWindow(Handle());
  }
  P->StartAutoScrollTimer(std::max(0, 200 - 15 * D));
}
