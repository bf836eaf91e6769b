// Positions of cells along one axis of a grid.
#include "platform/controls/grids/GridTypes.h"

#include <algorithm>

TGridRect GridRectOf(TGridCoord A, TGridCoord B) {
  return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

void CalcFixedAxis(TGridAxisDrawInfo& Axis, int LineWidth, int FixedCount, int FirstCell,
                   int CellCount, TGridExtentFunc GetExtent) {
  Axis.EffectiveLineWidth = LineWidth;
  Axis.GetExtent = std::move(GetExtent);
  Axis.FixedCellCount = FixedCount;
  Axis.FirstGridCell = FirstCell;
  Axis.GridCellCount = CellCount;
  int boundary = 0;
  for (int i = 0; i < FixedCount && i < CellCount; ++i) boundary += Axis.Extent(i) + LineWidth;
  Axis.FixedBoundary = boundary;
}

void CalcAxis(TGridAxisDrawInfo& Axis, int UsableExtent) {
  Axis.GridExtent = UsableExtent;
  Axis.GridBoundary = Axis.FixedBoundary;
  Axis.FullVisBoundary = Axis.FixedBoundary;
  Axis.LastFullVisibleCell = Axis.FirstGridCell;
  for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
    Axis.GridBoundary += Axis.Extent(i) + Axis.EffectiveLineWidth;
    if (Axis.GridBoundary > UsableExtent + Axis.EffectiveLineWidth) {
      Axis.GridBoundary = UsableExtent;
      break;
    }
    Axis.LastFullVisibleCell = i;
    Axis.FullVisBoundary = Axis.GridBoundary;
  }
}

int TGridAxisDrawInfo::LastVisibleCell() const {
  int last = LastFullVisibleCell;
  if (last + 1 < GridCellCount && FullVisBoundary < GridExtent) ++last;
  return std::min(last, GridCellCount - 1);
}

int TGridAxisDrawInfo::CellStart(int Cell) const {
  if (Cell < 0 || Cell >= GridCellCount) return -1;
  int pos = 0;
  if (Cell < FixedCellCount) {
    for (int i = 0; i < Cell; ++i) pos += Extent(i) + EffectiveLineWidth;
    return pos;
  }
  if (Cell < FirstGridCell || Cell > LastVisibleCell()) return -1;
  pos = FixedBoundary;
  for (int i = FirstGridCell; i < Cell; ++i) pos += Extent(i) + EffectiveLineWidth;
  return pos < GridExtent ? pos : -1;
}

int TGridAxisDrawInfo::CellAt(int Pos) const {
  if (Pos < 0) return -1;
  int start = 0;
  int i = 0;
  if (Pos >= FixedBoundary) {
    if (Pos >= GridBoundary) return -1;
    start = FixedBoundary;
    i = FirstGridCell;
  }
  for (; i < GridCellCount; ++i) {
    int end = start + Extent(i) + EffectiveLineWidth;
    if (Pos < end) return i;
    start = std::max(end, start);
    if (i + 1 == FixedCellCount && Pos < FixedBoundary) return -1;
  }
  return -1;
}

bool TGridAxisDrawInfo::Span(int Min, int Max, int& Start, int& End) const {
  Start = End = 0;
  if (Min > Max || Max < 0 || Min >= GridCellCount) return false;
  Min = std::max(Min, 0);
  Max = std::min(Max, GridCellCount - 1);
  // Cells scrolled out to the left (or top) of the scrolling area.
  if (Min >= FixedCellCount && Min < FirstGridCell) {
    if (Max < FirstGridCell) return false;
    Min = FirstGridCell;
  }
  if (Max >= FixedCellCount && Max < FirstGridCell) Max = FixedCellCount - 1;
  int last = LastVisibleCell();
  if (Max >= FixedCellCount && Max > last) Max = last;
  if (Min > Max) return false;
  Start = CellStart(Min);
  int maxStart = CellStart(Max);
  if (Start < 0 || maxStart < 0) {
    Start = End = 0;
    return false;
  }
  End = std::min(std::max(maxStart + Extent(Max), Start), GridExtent);
  return true;
}

int TGridAxisDrawInfo::FirstCellToShow(int Cell) const {
  int room = GridExtent - FixedBoundary;
  int first = Cell, used = 0;
  for (int i = Cell; i >= FixedCellCount; --i) {
    used += Extent(i) + EffectiveLineWidth;
    if (used > room + EffectiveLineWidth) break;
    first = i;
  }
  return std::max(first, FixedCellCount);
}
