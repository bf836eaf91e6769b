// TCustomGrid: selecting by mouse, sizing and moving columns and rows, the timed
// scroll while selecting beyond the edges, and the grid's own messages.
#include "platform/controls/grids/CustomGrid.h"
#include "platform/controls/grids/InplaceEdit.h"

#include "platform/desktop/Windows.h"

#include <algorithm>

namespace {
constexpr win::UINT_PTR ScrollTimerId = 1;
constexpr win::UINT ScrollTimerInterval = 60;

// Where an index goes when the item at From moves to To.
void AdjustIndex(int& X, int From, int To) {
  if (X == From) X = To;
  else if (From < To && X > From && X <= To) --X;
  else if (From > To && X >= To && X < From) ++X;
}

template <class V>
void MoveEntry(V& v, int From, int To) {
  if (v.empty()) return;
  typename V::value_type item = v[From];
  v.erase(v.begin() + From);
  v.insert(v.begin() + To, item);
}

// Sizing zone around a border at B: [B - d, B - d + max(line, 7)).
bool InSizingZone(int Pos, int Border, int LineWidth) {
  int d = LineWidth <= 6 ? (7 - LineWidth) / 2 : 0;
  int start = Border - d;
  return Pos >= start && Pos < start + std::max(LineWidth, 7);
}

// The cell whose trailing border lies under Pos, scanning the shown cells; -1 none.
int BorderAt(const TGridAxisDrawInfo& a, int Pos, int& Border) {
  int last = a.LastVisibleCell();
  int found = -1;
  auto scan = [&](int from, int to, int start) {
    for (int i = from; i <= to; ++i) {
      int ext = a.Extent(i);
      int end = start + ext;
      if (ext > 0 && InSizingZone(Pos, end, a.EffectiveLineWidth)) {
        found = i;
        Border = end;
      }
      start = end + a.EffectiveLineWidth;
    }
  };
  scan(0, a.FixedCellCount - 1, 0);
  scan(a.FirstGridCell, last, a.FixedBoundary);
  return found;
}
}  // namespace

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs, TGridDrawInfo& FixedInfo) {
  State = gsNormal;
  Index = -1;
  CalcDrawInfo(FixedInfo);
  const auto& h = FixedInfo.Horz;
  const auto& v = FixedInfo.Vert;
  if (X < 0 || Y < 0 || X >= h.GridExtent + h.EffectiveLineWidth || Y >= v.GridExtent + v.EffectiveLineWidth) return;
  int border = 0;
  if (Y < v.FixedBoundary && FOptions.Contains(goColSizing)) {
    int i = BorderAt(h, X, border);
    if (i >= 0) {
      State = gsColSizing;
      Index = i;
      SizingPos = border;
      SizingOfs = border - X;
      return;
    }
  }
  if (X < h.FixedBoundary && FOptions.Contains(goRowSizing)) {
    int i = BorderAt(v, Y, border);
    if (i >= 0) {
      State = gsRowSizing;
      Index = i;
      SizingPos = border;
      SizingOfs = border - Y;
    }
  }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!ComponentState().Contains(csDesigning) && CanFocus() && !Focused() &&
      !(FInplaceEdit && FInplaceEdit->HandleAllocated() && win::GetFocus() == FInplaceEdit->Handle())) {
    SetFocus();
  }
  if (Button == mbLeft) {
    if (!Shift.Contains(ssDouble)) {
      TGridDrawInfo info;
      TGridState state;
      int index = -1, pos = 0, ofs = 0;
      CalcSizingState(X, Y, state, index, pos, ofs, info);
      if (state != gsNormal) {
        UpdateText();
        FGridState = state;
        FSizingIndex = index;
        FSizingPos = pos;
        FSizingOfs = ofs;
        DrawSizingLine(info);
        FSizingLineShown = true;
      } else {
        TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= 0 && cell.Y >= 0) {
          if (cell.Y < FFixedRows && cell.X >= FFixedCols && FOptions.Contains(goColMoving)) {
            UpdateText();
            FGridState = gsColMoving;
            FMoveIndex = FMovePos = cell.X;
            FMoveLineShown = false;
          } else if (cell.X < FFixedCols && cell.Y >= FFixedRows && FOptions.Contains(goRowMoving)) {
            UpdateText();
            FGridState = gsRowMoving;
            FMoveIndex = FMovePos = cell.Y;
            FMoveLineShown = false;
          } else if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
            bool wasCurrent = cell.X == FCurrent.X && cell.Y == FCurrent.Y;
            bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
            MoveColRow(cell.X, cell.Y, !extend, true);
            Click();
            FGridState = gsSelecting;
            if (HandleAllocated()) {
              win::SetTimer(FHandle, ScrollTimerId, ScrollTimerInterval, nullptr);
              FTimerActive = true;
            }
            // A press on the current cell opens the editor.
            if (wasCurrent && FOptions.Contains(goEditing) && !extend) ShowEditor();
          }
        }
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  switch (FGridState) {
    case gsSelecting: {
      TGridCoord cell{info.Horz.CellAt(std::clamp(X, info.Horz.FixedBoundary, std::max(info.Horz.FixedBoundary, info.Horz.GridBoundary - 1))),
                      info.Vert.CellAt(std::clamp(Y, info.Vert.FixedBoundary, std::max(info.Vert.FixedBoundary, info.Vert.GridBoundary - 1)))};
      if (cell.X >= FFixedCols && cell.Y >= FFixedRows && (cell.X != FCurrent.X || cell.Y != FCurrent.Y))
        MoveColRow(cell.X, cell.Y, !FOptions.Contains(goRangeSelect), false);
      break;
    }
    case gsColSizing:
    case gsRowSizing:
      if (FSizingLineShown) DrawSizingLine(info);
      FSizingPos = (FGridState == gsColSizing ? X : Y) + FSizingOfs;
      DrawSizingLine(info);
      FSizingLineShown = true;
      break;
    case gsColMoving:
    case gsRowMoving: {
      bool cols = FGridState == gsColMoving;
      const auto& a = cols ? info.Horz : info.Vert;
      int fixed = cols ? FFixedCols : FFixedRows;
      int p = std::clamp(cols ? X : Y, a.FixedBoundary, std::max(a.FixedBoundary, a.GridBoundary - 1));
      int target = a.CellAt(p);
      if (target >= fixed && target != FMovePos) {
        DrawMoveLine(info, false);
        FMovePos = target;
        if (FMovePos != FMoveIndex) DrawMoveLine(info, true);
      }
      break;
    }
    default: break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  switch (FGridState) {
    case gsSelecting:
      MouseMove(Shift, X, Y);
      FGridState = gsNormal;
      if (FTimerActive && HandleAllocated()) win::KillTimer(FHandle, ScrollTimerId);
      FTimerActive = false;
      break;
    case gsColSizing:
    case gsRowSizing:
      FSizingPos = (FGridState == gsColSizing ? X : Y) + FSizingOfs;
      EndSizing(true);
      break;
    case gsColMoving:
    case gsRowMoving:
      EndMoving(true);
      break;
    default: break;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Applies (or drops) a size being dragged; the new extent is at least 1.
void TCustomGrid::EndSizing(bool Apply) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  if (FSizingLineShown) DrawSizingLine(info);
  FSizingLineShown = false;
  TGridState state = FGridState;
  FGridState = gsNormal;
  if (!Apply) return;
  const auto& a = state == gsColSizing ? info.Horz : info.Vert;
  int start = a.CellStart(FSizingIndex);
  if (start < 0) return;
  int extent = std::max(1, FSizingPos - start);
  if (state == gsColSizing) {
    if (extent == ColWidths(FSizingIndex)) return;
    SetColWidths(FSizingIndex, extent);
    ColWidthsChanged();
  } else {
    if (extent == RowHeights(FSizingIndex)) return;
    SetRowHeights(FSizingIndex, extent);
    RowHeightsChanged();
  }
}

void TCustomGrid::EndMoving(bool Apply) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  DrawMoveLine(info, false);
  TGridState state = FGridState;
  FGridState = gsNormal;
  if (!Apply || FMovePos == FMoveIndex) return;
  if (state == gsColMoving) MoveColumn(FMoveIndex, FMovePos);
  else MoveRow(FMoveIndex, FMovePos);
}

// Stops whatever the mouse was doing, without applying it.
void TCustomGrid::CancelMode() {
  switch (FGridState) {
    case gsColSizing:
    case gsRowSizing: EndSizing(false); break;
    case gsColMoving:
    case gsRowMoving: EndMoving(false); break;
    default: FGridState = gsNormal; break;
  }
  if (FTimerActive && HandleAllocated()) win::KillTimer(FHandle, ScrollTimerId);
  FTimerActive = false;
  if (MouseCapture()) SetMouseCapture(false);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || FromIndex >= FColCount || ToIndex < 0 || ToIndex >= FColCount)
    throw EInvalidGridOperation("Grid index out of range");
  if (FromIndex == ToIndex) return;
  UpdateText();
  MoveEntry(FColWidths, FromIndex, ToIndex);
  MoveEntry(FTabStops, FromIndex, ToIndex);
  AdjustIndex(FCurrent.X, FromIndex, ToIndex);
  AdjustIndex(FAnchor.X, FromIndex, ToIndex);
  ColumnMoved(FromIndex, ToIndex);
  InvalidateGrid();
  if (FEditorMode) InvalidateEditor();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || FromIndex >= FRowCount || ToIndex < 0 || ToIndex >= FRowCount)
    throw EInvalidGridOperation("Grid index out of range");
  if (FromIndex == ToIndex) return;
  UpdateText();
  MoveEntry(FRowHeights, FromIndex, ToIndex);
  AdjustIndex(FCurrent.Y, FromIndex, ToIndex);
  AdjustIndex(FAnchor.Y, FromIndex, ToIndex);
  RowMoved(FromIndex, ToIndex);
  InvalidateGrid();
  if (FEditorMode) InvalidateEditor();
}

// One step of selecting beyond the edges: the current cell moves one cell past the
// shown ones in each direction and the view follows.
void TCustomGrid::TimedScroll(TGridScrollDirection Direction) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TGridCoord to = FCurrent;
  if (Direction.Contains(sdLeft) && FTopLeft.X > FFixedCols) to.X = FTopLeft.X - 1;
  if (Direction.Contains(sdRight) && info.Horz.LastFullVisibleCell < FColCount - 1)
    to.X = info.Horz.LastFullVisibleCell + 1;
  if (Direction.Contains(sdUp) && FTopLeft.Y > FFixedRows) to.Y = FTopLeft.Y - 1;
  if (Direction.Contains(sdDown) && info.Vert.LastFullVisibleCell < FRowCount - 1)
    to.Y = info.Vert.LastFullVisibleCell + 1;
  MoveColRow(to.X, to.Y, !FOptions.Contains(goRangeSelect), true);
}

void TCustomGrid::WMTimer(TMessage& Message) {
  if (Message.WParam != ScrollTimerId || FGridState != gsSelecting) {
    DefaultHandler(Message);
    return;
  }
  win::POINT p;
  win::GetCursorPos(&p);
  p = ScreenToClient(p);
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TGridScrollDirection dir;
  if (p.x < info.Horz.FixedBoundary) dir += sdLeft;
  else if (p.x >= info.Horz.FullVisBoundary) dir += sdRight;
  if (p.y < info.Vert.FixedBoundary) dir += sdUp;
  else if (p.y >= info.Vert.FullVisBoundary) dir += sdDown;
  if (!dir.Empty()) TimedScroll(dir);
}

void TCustomGrid::WMSetCursor(TMessage& Message) {
  if (win::LOWORD(static_cast<win::DWORD>(Message.LParam)) == win::HTCLIENT && FGridState == gsNormal) {
    win::POINT p;
    win::GetCursorPos(&p);
    p = ScreenToClient(p);
    TGridDrawInfo info;
    TGridState state;
    int index = 0, pos = 0, ofs = 0;
    CalcSizingState(p.x, p.y, state, index, pos, ofs, info);
    if (state != gsNormal) {
      win::SetCursor(win::LoadCursor(nullptr, state == gsColSizing ? win::IDC_SIZEWE : win::IDC_SIZENS));
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::Dispatch(Message);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (FCurrent.Y < FRowCount - 1) {
    MoveColRow(FCurrent.X, FCurrent.Y + 1, true, true);
    Click();
  }
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (FCurrent.Y > FFixedRows) {
    MoveColRow(FCurrent.X, FCurrent.Y - 1, true, true);
    Click();
  }
  return true;
}
