// TCustomGrid: painting the lines and cells of each area, and invalidating cells.
#include "platform/controls/grids/CustomGrid.h"
#include "platform/controls/grids/InplaceEdit.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"

#include <algorithm>

void TCustomGrid::Paint() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const auto& h = info.Horz;
  const auto& v = info.Vert;
  const bool lines = h.EffectiveLineWidth > 0 || v.EffectiveLineWidth > 0;
  const TColor fixedLine = clBlack, dataLine = clSilver;
  // Lines first, then the cells: fixed corner, fixed rows, fixed columns, data.
  if (lines) {
    bool fh = FOptions.Contains(goFixedHorzLine), fv = FOptions.Contains(goFixedVertLine);
    bool dh = FOptions.Contains(goHorzLine), dv = FOptions.Contains(goVertLine);
    DrawLines(info, fh, fv, 0, 0, {0, 0, h.FixedBoundary, v.FixedBoundary}, fixedLine);
    DrawLines(info, fh, fv, h.FirstGridCell, 0, {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, fixedLine);
    DrawLines(info, fh, fv, 0, v.FirstGridCell, {0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, fixedLine);
    DrawLines(info, dh, dv, h.FirstGridCell, v.FirstGridCell,
              {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary}, dataLine);
  }
  DrawCells(info, 0, 0, {0, 0, h.FixedBoundary, v.FixedBoundary}, {gdFixed}, FFixedColor);
  DrawCells(info, h.FirstGridCell, 0, {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, {gdFixed}, FFixedColor);
  DrawCells(info, 0, v.FirstGridCell, {0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, {gdFixed}, FFixedColor);
  DrawCells(info, h.FirstGridCell, v.FirstGridCell,
            {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary}, {}, Color());
  // The client area outside the cells.
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  if (h.GridBoundary < ClientWidth()) c->FillRect({h.GridBoundary, 0, ClientWidth(), v.GridBoundary});
  if (v.GridBoundary < ClientHeight()) c->FillRect({0, v.GridBoundary, ClientWidth(), ClientHeight()});
}

// Draws the boundary lines of the cells of one area: a line after each cell.
void TCustomGrid::DrawLines(const TGridDrawInfo& Info, bool Horz, bool Vert, int FirstCol, int FirstRow,
                            const win::RECT& Bounds, TColor Color) {
  if (Bounds.right <= Bounds.left || Bounds.bottom <= Bounds.top) return;
  TCanvas* c = Canvas();
  TColor off = Bounds.top < Info.Vert.FixedBoundary || Bounds.left < Info.Horz.FixedBoundary ? FFixedColor : this->Color();
  auto axis = [&](const TGridAxisDrawInfo& a, int first, int start, int end, int otherStart, int otherEnd,
                  bool vertical, bool wanted) {
    int lw = a.EffectiveLineWidth;
    if (lw <= 0) return;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(lw);
    c->Pen()->SetColor(wanted ? Color : off);
    int pos = start;
    int last = std::min(a.LastVisibleCell(), a.GridCellCount - 1);
    int limit = first < a.FixedCellCount ? a.FixedCellCount - 1 : last;
    for (int i = first; i <= limit; ++i) {
      pos += a.Extent(i);
      int at = pos + lw / 2;
      if (at >= end + lw) break;
      if (a.Extent(i) + lw > 0) {
        if (vertical) {
          c->MoveTo(at, otherStart);
          c->LineTo(at, otherEnd);
        } else {
          c->MoveTo(otherStart, at);
          c->LineTo(otherEnd, at);
        }
      }
      pos += lw;
    }
  };
  axis(Info.Horz, FirstCol, Bounds.left, Bounds.right, Bounds.top, Bounds.bottom, true, Vert);
  axis(Info.Vert, FirstRow, Bounds.top, Bounds.bottom, Bounds.left, Bounds.right, false, Horz);
  c->Pen()->SetWidth(1);
}

void TCustomGrid::DrawCells(const TGridDrawInfo& Info, int FirstCol, int FirstRow, const win::RECT& Bounds,
                            TGridDrawState Base, TColor AreaColor) {
  if (Bounds.right <= Bounds.left || Bounds.bottom <= Bounds.top) return;
  TCanvas* c = Canvas();
  const auto& h = Info.Horz;
  const auto& v = Info.Vert;
  bool focused = IsActiveControl();
  bool editorShown = FInplaceEdit && FEditorMode && FInplaceEdit->Visible();
  TGridRect sel = Selection();
  int top = Bounds.top;
  for (int row = FirstRow; row < FRowCount && top < Bounds.bottom; ++row) {
    if (FirstRow < FFixedRows && row >= FFixedRows) break;
    int height = RowHeights(row);
    int left = Bounds.left;
    for (int col = FirstCol; col < FColCount && left < Bounds.right; ++col) {
      if (FirstCol < FFixedCols && col >= FFixedCols) break;
      int width = ColWidths(col);
      if (width > 0 && height > 0) {
        win::RECT r{left, top, std::min(left + width, (int)h.GridExtent), std::min(top + height, (int)v.GridExtent)};
        TGridDrawState state = Base;
        bool current = col == FCurrent.X && row == FCurrent.Y;
        if (!Base.Contains(gdFixed)) {
          if (current && focused) state += gdFocused;
          if (sel.Contains(col, row) &&
              (!current || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect) || !focused))
            state += gdSelected;
        }
        if (!(current && editorShown)) {
          if (FDefaultDrawing) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(state.Contains(gdSelected) ? clHighlight : AreaColor);
            c->Font()->Assign(Font());
            if (state.Contains(gdSelected)) c->Font()->SetColor(clHighlightText);
            c->FillRect(r);
          }
          DrawCell(col, row, r, state);
          if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect))
            c->DrawFocusRect(r);
        }
      }
      left += width + h.EffectiveLineWidth;
    }
    top += height + v.EffectiveLineWidth;
  }
}

bool TCustomGrid::IsActiveControl() {
  if (!HandleAllocated()) return false;
  TCustomForm* f = GetParentForm(this);
  if (f && f->ActiveControl() != this) return false;
  win::HWND focus = win::GetFocus();
  return focus == FHandle || (FInplaceEdit && FInplaceEdit->HandleAllocated() && focus == FInplaceEdit->Handle());
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect) {
  if (!HandleAllocated()) return;
  win::RECT r = BoxRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
  if (r.right > r.left && r.bottom > r.top) win::InvalidateRect(FHandle, &r, false);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) { InvalidateRect({ACol, ARow, ACol, ARow}); }
void TCustomGrid::InvalidateCol(int ACol) { InvalidateRect({ACol, 0, ACol, FRowCount - 1}); }
void TCustomGrid::InvalidateRow(int ARow) { InvalidateRect({0, ARow, FColCount - 1, ARow}); }

void TCustomGrid::InvalidateGrid() {
  if (HandleAllocated()) win::InvalidateRect(FHandle, nullptr, false);
}

void TCustomGrid::DrawSizingLine(const TGridDrawInfo& DrawInfo) {
  TCanvas* c = Canvas();
  TPenMode oldMode = c->Pen()->Mode();
  TPenStyle oldStyle = c->Pen()->Style();
  TColor oldColor = c->Pen()->Color();
  int oldWidth = c->Pen()->Width();
  c->Pen()->SetStyle(psDot);
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(clWhite);
  c->Pen()->SetWidth(1);
  if (FGridState == gsRowSizing) {
    c->MoveTo(0, FSizingPos);
    c->LineTo(DrawInfo.Horz.GridBoundary, FSizingPos);
  } else {
    c->MoveTo(FSizingPos, 0);
    c->LineTo(FSizingPos, DrawInfo.Vert.GridBoundary);
  }
  c->Pen()->SetMode(oldMode);
  c->Pen()->SetStyle(oldStyle);
  c->Pen()->SetColor(oldColor);
  c->Pen()->SetWidth(oldWidth);
}

// The marker where a moved column or row would land, in the canvas's pen colour.
void TCustomGrid::DrawMoveLine(const TGridDrawInfo& DrawInfo, bool Show) {
  if (Show == FMoveLineShown) return;
  FMoveLineShown = Show;
  TCanvas* c = Canvas();
  TPenMode oldMode = c->Pen()->Mode();
  int oldWidth = c->Pen()->Width();
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetWidth(3);
  bool cols = FGridState == gsColMoving;
  const TGridAxisDrawInfo& a = cols ? DrawInfo.Horz : DrawInfo.Vert;
  int start = a.CellStart(FMovePos);
  if (start >= 0) {
    // The marker goes on the side the item would move to.
    int pos = FMovePos > FMoveIndex ? start + a.Extent(FMovePos) : start;
    if (cols) {
      c->MoveTo(pos, 0);
      c->LineTo(pos, DrawInfo.Vert.GridBoundary);
    } else {
      c->MoveTo(0, pos);
      c->LineTo(DrawInfo.Horz.GridBoundary, pos);
    }
  }
  c->Pen()->SetMode(oldMode);
  c->Pen()->SetWidth(oldWidth);
}
