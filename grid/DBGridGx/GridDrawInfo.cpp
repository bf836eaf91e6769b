// The grid's draw geometry: its areas along both axes (indicator, frozen and scrolling
// columns; title area, data rows, separator and footer rows), the cell areas, and how the
// selection is shown.
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/Selection.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

void CalcFixedAxisGx(TGridAxisDrawInfoGx& Axis, int LineWidth, int FixedCount, int FrozenCount, int FirstCell,
                     int CellCount, TGridExtentFunc GetExtent) {
  CalcFixedAxis(Axis, LineWidth, FixedCount, FirstCell, CellCount, std::move(GetExtent));
  // The frozen cells are the last FrozenCount of the fixed ones.
  const int Fixed = std::min(FixedCount, CellCount);
  Axis.FrozenExtent = 0;
  for (int I = std::max(0, Fixed - std::max(0, FrozenCount)); I < Fixed; ++I)
    Axis.FrozenExtent += Axis.Extent(I) + LineWidth;
  Axis.FooterExtent = 0;
}

void CalcAxisGx(TGridAxisDrawInfoGx& Axis, int Extent, int FooterCount) {
  CalcAxis(Axis, Extent);
  Axis.FooterExtent = 0;
  if (FooterCount <= 0) return;
  const int FirstFooter = std::max(0, Axis.GridCellCount - FooterCount);
  if (FirstFooter < Axis.FirstGridCell) {
    // Footer cells scrolled into the fixed part: those shown completely count.
    for (int I = FirstFooter; I <= Axis.LastFullVisibleCell && I < Axis.GridCellCount; ++I)
      Axis.FooterExtent += Axis.Extent(I) + Axis.EffectiveLineWidth;
    return;
  }
  // The footers start where the cells before them end; they take what is drawn from
  // there, when the cells before them left any room.
  int Start = Axis.FixedBoundary;
  for (int I = Axis.FirstGridCell; I < FirstFooter; ++I) Start += Axis.Extent(I) + Axis.EffectiveLineWidth;
  if (Start <= Extent + Axis.EffectiveLineWidth) Axis.FooterExtent = std::max(0, Axis.GridBoundary - Start);
}

void TCustomDBGridGx::CalcDrawInfoGx(TGridDrawInfoGx& Info) { CalcDrawInfoGxXY(Info, ClientWidth(), ClientHeight()); }

void TCustomDBGridGx::CalcDrawInfoGxXY(TGridDrawInfoGx& Info, int UseWidth, int UseHeight) {
  const TGridOptions Base = TCustomGrid::Options();
  const int VertLines = (Base * TGridOptions{goFixedVertLine, goVertLine}).Empty() ? 0 : GridLineWidth();
  const int HorzLines = (Base * TGridOptions{goFixedHorzLine, goHorzLine}).Empty() ? 0 : GridLineWidth();
  CalcFixedAxisGx(Info.Horz, VertLines, FixedCols(), FixedCols() - P->FIndicatorColCount, LeftCol(), ColCount(),
                  [this](int I) { return ColWidths(I); });
  CalcFixedAxisGx(Info.Vert, HorzLines, FixedRows(), 0, TopRow(), RowCount(),
                  [this](int I) { return RowHeights(I); });
  CalcAxisGx(Info.Horz, UseWidth, 0);
  CalcAxisGx(Info.Vert, UseHeight, P->FFooterRowCount);
}

int TCustomDBGridGx::DataRowCount() const {
  int Count = RowCount() - P->FTitleAreaRowCount;
  if (P->FFooterRowCount > 0) Count -= P->FFooterRowCount + 1;
  return Count;
}

int TCustomDBGridGx::VisibleDataRowCount() {
  const int Visible = VisibleRowCount();
  if (P->FFooterRowCount > 0) return std::max(Visible - P->FFooterRowCount - 1, 1);
  return Visible;
}

TGridRect TCustomDBGridGx::DataCellBounds() const {
  const int Bottom = P->FFooterRowCount > 0 ? RowCount() - P->FFooterRowCount - 2 : RowCount() - 1;
  return {P->FIndicatorColCount, P->FTitleAreaRowCount, ColCount() - 1, Bottom};
}

win::RECT TCustomDBGridGx::DataAreaRect() {
  const TGridRect Cells = DataCellBounds();
  return BoxRect(Cells.Left, Cells.Top, Cells.Right, Cells.Bottom);
}

TGridCellTypeGx TCustomDBGridGx::GetCellType(int ACol, int ARow, int& DataCol, int& AreaRow) {
  TGridCellTypeGx Type;
  // A point outside every cell reports -1 on an axis: it is no cell, not a title.
  if (ACol < 0 || ARow < 0) {
    DataCol = -1;
    AreaRow = -1;
    return Type;
  }
  if (ACol >= ColCount() || ARow >= RowCount()) throw Exception("Algorithm error in TCustomDBGridGx.GetCellType");
  if (ACol >= P->FIndicatorColCount) {
    Type.Col = gcaData;
    DataCol = ACol - P->FIndicatorColCount;
  } else {
    Type.Col = gcaIndicator;
    DataCol = ACol;
  }
  const int TitleRows = TitleRowCount();
  const int LastDataRow = DataCellBounds().Bottom;
  if (ARow < TitleRows) {
    Type.Row = graTitle;
    AreaRow = ARow;
  } else if (ARow < P->FTitleAreaRowCount) {
    Type.Row = graFilter;
    AreaRow = ARow - TitleRows;
  } else if (ARow <= LastDataRow) {
    Type.Row = graData;
    AreaRow = ARow - P->FTitleAreaRowCount;
  } else if (ARow == LastDataRow + 1) {
    Type.Row = graSeparator;
    AreaRow = 0;
  } else {
    Type.Row = graFooter;
    AreaRow = ARow - (LastDataRow + 1);
  }
  return Type;
}

void TCustomDBGridGx::TState::InvalidateGridRect(const TGridRect& GridRect) {
  if (!G.HandleAllocated() || GridRect.Left < 0 || GridRect.Top < 0) return;
  const win::RECT Box = G.BoxRect(GridRect.Left, GridRect.Top, GridRect.Right, GridRect.Bottom);
  win::InvalidateRect(G.Handle(), &Box, false);
}

void TCustomDBGridGx::SelectionChanged() {
  if (!P->FSelection) return;
  if (P->FSelection->Kind() == gstAll) Invalidate();
  else P->InvalidateGridRect(P->FSelection->GridBounds());
  if (Row() >= 0 && Row() < RowCount()) InvalidateRow(Row());
  P->FSelectionShownActive = SelectionHasFocus();
}

bool TCustomDBGridGx::IsCellSelected(int ACol, int ARow, const std::string& Bookmark, int DataCol) {
  if (!P->FSelection) return false;
  const TDBGridGxSelectionType Kind = P->FSelection->Kind();
  if (Kind == gstAll) return true;
  int AreaCol = 0, AreaRow = 0;
  const TGridCellTypeGx Type = GetCellType(ACol, ARow, AreaCol, AreaRow);
  if (Type.None()) return false;
  if (Type.Col == gcaIndicator)
    return Type.Row == graData && Kind == gstRecordBookmarks && P->FSelection->DataCellSelected(DataCol, Bookmark);
  if (Type.Row != graData) return Kind == gstColumns && P->FSelection->DataCellSelected(DataCol, Bookmark);
  return P->FSelection->DataCellSelected(DataCol, Bookmark);
}

bool TCustomDBGridGx::CanSelectKind(TDBGridGxSelectionType Kind) const {
  if (Kind == gstNon) return true;
  if (!P->FOptions.Contains(dgMultiSelect) || !P->FAllowedSelections.Contains(Kind)) return false;
  return !(P->FOptions.Contains(dgRowSelect) && (Kind == gstRectangle || Kind == gstColumns));
}
