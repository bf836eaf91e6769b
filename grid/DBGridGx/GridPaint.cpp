// How the grid paints: area lines and cells, the fills outside the cells, the row focus
// rectangle, cell colours, 3D cell edges and right-to-left drawing.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/SharedResources.h"
#include "grid/DBGridGx/Style.h"
#include "grid/DBGridGx/TextDraw.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/Forms.h"
#include "platform/controls/grids/InplaceEdit.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <vector>

bool TCustomDBGridGx::WantsRowFocusRect() {
  return !ComponentState().Contains(csDesigning) && P->FOptions.Contains(dgRowSelect) && P->FDefaultDrawingGx &&
         HandleAllocated() && Focused();
}

bool TCustomDBGridGx::IsCell3D(int ACol, int ARow, TGridDrawState AState, const win::RECT&) {
  const int D = ACol - P->FIndicatorColCount;
  const int R = ARow - P->FTitleAreaRowCount;
  const int F = P->FFooterRowCount;
  const int S = RowCount() - F - P->FTitleAreaRowCount - 1;
  const bool fixed = AState.Contains(gdFixed);
  const bool footer = F > 0 && R > S;
  const bool separator = F > 0 && R == S;
  // Filter cells stay flat.
  if (D >= 0 && IsFilterRowCell(ACol, ARow)) return false;
  const auto& o = P->FOptionsGx;
  if (o.Contains(dghFixed3D) && fixed && (D < 0 || R < 0) && !separator) return true;
  if (o.Contains(dghFooter3D) && footer) return true;
  if (o.Contains(dghData3D) && !fixed && !footer) return true;
  if (o.Contains(dghFixed3D) && (o.Contains(dghData3D) || o.Contains(dghFrozen3D)) && separator && D < 0)
    return true;
  return o.Contains(dghFrozen3D) && fixed && D >= 0 && R >= 0;
}

bool TCustomDBGridGx::FixedCellColors(int ACol, int ARow, TFont* AFont, TColor& Background, bool Selected,
                                      TGridDrawState, int, int, int) {
  if (!Selected) return false;
  int DataCol = 0, AreaRow = 0;
  const TGridCellTypeGx Type = GetCellType(ACol, ARow, DataCol, AreaRow);
  TFixedCellColorQuery Cell;
  Cell.Selected = true;
  Cell.PressedLook = (Type.Col == gcaIndicator && Type.Row != graSeparator) ||
                     (Type.Col == gcaData && (Type.Row == graTitle || Type.Row == graFilter));
  Cell.SelectionHasFocus = SelectionHasFocus();
  if (P->FStyle) return P->FStyle->FixedCellColors(Cell, Background, AFont);
  if (Cell.PressedLook) {
    Background = static_cast<TColor>(win::RGB(64, 64, 64));
    AFont->SetColor(clWhite);
  } else if (Cell.SelectionHasFocus) {
    Background = clHighlight;
    AFont->SetColor(clHighlightText);
  } else {
    Background = clBtnFace;
  }
  return true;
}

bool TCustomDBGridGx::DataCellColors(int DataCol, int DataRow, TFont* AFont, TColor& Background,
                                     TGridDrawState AState, const std::string&) {
  TDataCellColorQuery Cell;
  Cell.MultiSelectActive = P->FOptions.Contains(dgMultiSelect) && P->FDataLink->Active();
  if (Cell.MultiSelectActive && P->FBookmarks && P->FBookmarks->LinkActive())
    Cell.InMultiSelection = IsCellSelected(DataToGridColumn(DataCol), DataRow + P->FTitleAreaRowCount,
                                           P->FBookmarks->CurrentBookmark(), DataCol);
  Cell.GridFocused = HandleAllocated() && Focused();
  Cell.HighlightFocus = P->FOptionsGx.Contains(dghHighlightFocus);
  Cell.RowHighlight = P->FOptionsGx.Contains(dghRowHighlight);
  Cell.SelectionKindNone = !P->FSelection || P->FSelection->Kind() == gstNon;
  Cell.CurrentRow = DataRow + P->FTitleAreaRowCount == Row();
  Cell.CurrentCol = DataToGridColumn(DataCol) == Col();
  Cell.Selected = AState.Contains(gdSelected);
  Cell.RowSelect = P->FOptions.Contains(dgRowSelect);
  Cell.AlwaysShowSelection = P->FOptions.Contains(dgAlwaysShowSelection);
  Cell.UpdateLockCount = P->FUpdateLockCount;
  Cell.SelectionHasFocus = SelectionHasFocus();
  Cell.Canvas = Canvas()->Handle();
  if (P->FStyle) return P->FStyle->DataCellColors(Cell, Background, AFont);
  bool FocusHighlight = false;
  if (!DataCellHighlighted(Cell, FocusHighlight)) return false;
  const bool CurrentCell = Cell.CurrentRow && (Cell.CurrentCol || Cell.RowSelect);
  if (Cell.SelectionHasFocus) {
    Background = clHighlight;
    AFont->SetColor(clHighlightText);
  } else if (CurrentCell && (FocusHighlight || Cell.AlwaysShowSelection)) {
    Background = clBtnShadow;
    AFont->SetColor(clHighlightText);
  } else {
    Background = clBtnFace;
  }
  return true;
}

bool TCustomDBGridGx::SelectionHasFocus() {
  if (!HandleAllocated()) return false;
  return Focused() || (InplaceEditor() && InplaceEditor()->Focused());
}

// A filter cell shows its condition as typed, in blue on a lighter fixed colour; other
// cells of the title area are filled with their colour.
void TCustomDBGridGx::DrawTitleAreaCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) {
  TCanvas* C = Canvas();
  int AreaCol = 0, AreaRow = 0;
  GetCellType(ACol, ARow, AreaCol, AreaRow);
  const int DataCol = GridToDataColumn(ACol);
  const bool Selected = IsCellSelected(ACol, ARow, std::string(), DataCol);
  const bool FilterCell = ACol >= P->FIndicatorColCount && IsFilterRowCell(ACol, ARow) && HasFilterCell(ACol);
  TColor Background = FixedColor();
  if (FilterCell) {
    C->Pen()->SetColor(clBlack);
    C->Font()->Assign(Font());
    C->Font()->SetColor(clBlue);
    Background = BrightenColor(FixedColor(), 8);
  } else if (DataCol >= 0 && DataCol < P->FColumns->Count()) {
    Background = P->FColumns->ColumnAt(DataCol)->Title()->Color();
  }
  FixedCellColors(ACol, ARow, C->Font(), Background, Selected, AState, 0, AreaCol, AreaRow);
  C->Brush()->SetColor(Background);
  C->FillRect(ARect);
  if (!FilterCell) return;
  C->TextRect(ARect, ARect.left + 1, ARect.top + 1, FilterCellText(DataCol));
  C->Pen()->SetColor(Background);
}

// ---- right-to-left drawing ----

void TCustomDBGridGx::SetCanvasMirrored(bool RightToLeft) {
  win::HDC dc = Canvas()->Handle();
  const int W = ClientWidth(), H = ClientHeight();
  win::SetMapMode(dc, win::MM_ANISOTROPIC);
  win::SetWindowOrgEx(dc, RightToLeft ? W : 0, 0, nullptr);
  win::SetViewportExtEx(dc, W, H, nullptr);
  win::SetWindowExtEx(dc, RightToLeft ? -W : W, H, nullptr);
}

template <class F>
void TCustomDBGridGx::Unmirrored(const win::RECT& Rect, F&& Action) {
  if (!UseRightToLeftAlignment()) {
    Action(Rect, false);
    return;
  }
  win::POINT pts[2] = {{Rect.left, Rect.top}, {Rect.right, Rect.bottom}};
  win::LPtoDP(Canvas()->Handle(), pts, 2);
  // Mirrored, the rectangle's right edge lands on the left.
  const win::RECT device{std::min(pts[0].x, pts[1].x), pts[0].y, std::max(pts[0].x, pts[1].x), pts[1].y};
  SetCanvasMirrored(false);
  auto restore = TScopeExit([this] { SetCanvasMirrored(true); });
  Action(device, true);
}

void TCustomDBGridGx::PaintCellText(const win::RECT& Rect, int DX, int DY, const std::string& Text,
                                    TAlignment Alignment, int Layout, bool WordWrap, bool EndEllipsis,
                                    int LeftMargin, int RightMargin) {
  Unmirrored(Rect, [&](const win::RECT& R, bool Mirrored) {
    TAlignment A = Alignment;
    int Left = LeftMargin, Right = RightMargin;
    if (Mirrored) {
      if (A == taLeftJustify) A = taRightJustify;
      else if (A == taRightJustify) A = taLeftJustify;
      std::swap(Left, Right);
    }
    PaintHorizontalCellText(Canvas(), R, DX, DY, Text, A, Layout, WordWrap, EndEllipsis, Left, Right, Mirrored);
  });
}

void TCustomDBGridGx::PaintCellButton(const win::RECT& Rect, TColor Color, int DrawKind, int PressedPart, bool Flat,
                                      bool Active, bool Enabled, int CheckState) {
  Unmirrored(Rect, [&](const win::RECT& R, bool) {
    DrawEditButtonGx(Canvas()->Handle(), R, Color, DrawKind, PressedPart, Flat, Active, Enabled, CheckState);
  });
}

void TCustomDBGridGx::DrawCellEdges(const win::RECT& Rect, bool RightSide, bool LeftSide, bool Down, bool Down2) {
  const win::UINT edge = Down || Down2 ? win::BDR_SUNKENINNER : win::BDR_RAISEDINNER;
  const TColor brush = Canvas()->Brush()->Color();
  Unmirrored(Rect, [&](const win::RECT& Device, bool Mirrored) {
    win::HDC dc = Canvas()->Handle();
    win::RECT R = Device;
    // Mirrored, the cell's left side is the device rectangle's right side.
    const win::UINT topSide = LeftSide ? (Mirrored ? win::BF_TOP | win::BF_RIGHT : win::BF_TOPLEFT) : win::BF_TOP;
    const win::UINT bottomSide =
        RightSide ? (Mirrored ? win::BF_BOTTOM | win::BF_LEFT : win::BF_BOTTOMRIGHT) : win::BF_BOTTOM;
    if (!P->FFlat) {
      if (RightSide && LeftSide) {
        win::DrawEdge(dc, &R, edge, win::BF_RECT);
        return;
      }
      win::RECT top = R, bottom = R;
      win::DrawEdge(dc, &top, edge, topSide);
      win::DrawEdge(dc, &bottom, edge, bottomSide);
      return;
    }
    TPen* pen = Canvas()->Pen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetColor(brush);
    if (Mirrored) {
      Canvas()->MoveTo(R.right - 1, R.bottom - 1);
      Canvas()->LineTo(R.left, R.bottom - 1);
      if (RightSide) Canvas()->LineTo(R.left, R.top - 1);
    } else {
      Canvas()->MoveTo(R.left, R.bottom - 1);
      Canvas()->LineTo(R.right - 1, R.bottom - 1);
      if (RightSide) Canvas()->LineTo(R.right - 1, R.top - 1);
    }
    win::DrawEdge(dc, &R, edge, topSide);
  });
}

// ---- painting ----

void TCustomDBGridGx::DrawAreaLines(const TGridDrawInfoGx& Info, bool HorzWanted, bool VertWanted, int FirstCol,
                                    int FirstRow, const win::RECT& Bounds, TColor OnColor, TColor OffColor,
                                    bool RowEndLine, bool ColEndLine) {
  if (Bounds.right <= Bounds.left || Bounds.bottom <= Bounds.top) return;
  win::HDC dc = Canvas()->Handle();
  const bool rtl = UseRightToLeftAlignment();
  auto axis = [&](const TGridAxisDrawInfoGx& a, int first, int start, int end, int otherStart, int otherEnd,
                  bool vertical, bool wanted, bool endLine) {
    const int lw = a.EffectiveLineWidth;
    if (lw <= 0) return;
    const int last = first < a.FixedCellCount ? a.FixedCellCount - 1
                                               : std::min(a.LastFullVisibleCell, a.GridCellCount - 1);
    // Two points per line; the walk below adds at most one line per cell it passes.
    std::vector<win::POINT> points;
    points.reserve(2 * static_cast<std::size_t>(std::max(0, last - first + 1) + 1));
    int pos = start + a.Extent(first) + lw / 2 + (vertical && rtl ? 1 : 0);
    for (int i = first; i <= last || i == first; ++i) {
      if (i != first) {
        if (pos > end || (pos == end && !endLine)) break;
      }
      if (vertical) {
        points.push_back({pos, otherStart});
        points.push_back({pos, otherEnd});
      } else {
        points.push_back({otherStart, pos});
        points.push_back({otherEnd, pos});
      }
      if (i + 1 >= a.GridCellCount) break;
      pos += a.Extent(i + 1) + lw;
    }
    if (points.empty()) return;
    const win::COLORREF color = ColorToRGB(wanted ? OnColor : OffColor);
    const int width = GridLineWidth();
    win::HPEN pen;
    if (width > 1) {
      win::LOGBRUSH lb{win::BS_SOLID, color, 0};
      pen = win::ExtCreatePen(win::PS_GEOMETRIC | win::PS_SOLID | win::PS_ENDCAP_FLAT | win::PS_JOIN_MITER, width,
                              lb, 0, nullptr);
    } else {
      pen = win::CreatePen(win::PS_SOLID, 1, color);
    }
    win::HGDIOBJ old = win::SelectObject(dc, pen);
    std::vector<win::DWORD> counts(points.size() / 2, 2);
    win::PolyPolyline(dc, points.data(), counts.data(), static_cast<win::DWORD>(counts.size()));
    win::SelectObject(dc, old);
    win::DeleteObject(pen);
  };
  auto vertLines = [&] {
    axis(Info.Horz, FirstCol, Bounds.left, Bounds.right, Bounds.top, Bounds.bottom, true, VertWanted, ColEndLine);
  };
  auto horzLines = [&] {
    axis(Info.Vert, FirstRow, Bounds.top, Bounds.bottom, Bounds.left, Bounds.right, false, HorzWanted, RowEndLine);
  };
  if (HorzWanted) {
    vertLines();
    horzLines();
  } else {
    horzLines();
    vertLines();
  }
}

void TCustomDBGridGx::DrawAreaCells(const TGridDrawInfoGx& Info, int FirstCol, int FirstRow,
                                    const win::RECT& Bounds, TColor AreaColor, TGridDrawState BaseState) {
  if (Bounds.right <= Bounds.left || Bounds.bottom <= Bounds.top) return;
  TCanvas* c = Canvas();
  const bool designing = ComponentState().Contains(csDesigning);
  const bool active = IsActiveControl();
  const bool editorCovers = EditorMode() && InplaceEditorVisible() && !designing;
  const TGridRect sel = Selection();
  const int lwX = Info.Horz.EffectiveLineWidth, lwY = Info.Vert.EffectiveLineWidth;
  int top = Bounds.top;
  for (int row = FirstRow; row < RowCount() && top < Bounds.bottom; ++row) {
    if (FirstRow < FixedRows() && row >= FixedRows()) break;
    const int height = RowHeights(row);
    int left = Bounds.left;
    for (int col = FirstCol; col < ColCount() && left < Bounds.right; ++col) {
      if (FirstCol < FixedCols() && col >= FixedCols()) break;
      const int width = ColWidths(col);
      const win::RECT r{left, top, left + width, top + height};
      left += width + lwX;
      if (width <= 0 || !win::RectVisible(c->Handle(), &r)) continue;
      TGridDrawState state = BaseState;
      const bool current = col == Col() && row == Row();
      if (active && current) state += gdFocused;
      if (sel.Contains(col, row)) state += gdSelected;
      if (current && editorCovers) continue;
      c->Brush()->SetStyle(bsSolid);
      c->Font()->Assign(Font());
      c->Brush()->SetColor(AreaColor);
      if (designing) {
        if (state.Contains(gdSelected) && (!state.Contains(gdFocused) || P->FOptions.Contains(dgRowSelect))) {
          c->Brush()->SetColor(clHighlight);
          c->Font()->SetColor(clHighlightText);
        }
        c->FillRect(r);
      }
      DrawCell(col, row, r, state);
    }
    top += height + lwY;
  }
}

void TCustomDBGridGx::Paint() {
  if (P->FPaintLocked) return;
  const int W = ClientWidth(), H = ClientHeight();
  // A zero extent cannot be mapped; there is nothing to show either.
  if (W <= 0 || H <= 0) return;
  const bool rtl = UseRightToLeftAlignment();
  if (rtl) SetCanvasMirrored(true);
  auto unmirror = TScopeExit([&] {
    if (rtl) {
      win::HDC dc = Canvas()->Handle();
      win::SetMapMode(dc, win::MM_TEXT);
      win::SetWindowOrgEx(dc, 0, 0, nullptr);
    }
  });
  TGridDrawInfoGx info;
  CalcDrawInfoGxXY(info, W, H);
  const auto& h = info.Horz;
  const auto& v = info.Vert;
  const TColor fixedLine = P->FFlat ? clGray : clBlack;
  const TColor dataLine = ColorToRGB(Color()) == ColorToRGB(clSilver) ? clGray : clSilver;
  const bool fh = P->FOptions.Contains(dgRowLines), fv = P->FOptions.Contains(dgColLines);
  const bool dh = fh, dv = fv;
  const bool footerArea = P->FOptionsGx.Contains(dghFooter3D) || P->FFooterColor == clBtnFace;
  if (h.EffectiveLineWidth > 0 || v.EffectiveLineWidth > 0) {
    DrawAreaLines(info, fh, fv, 0, 0, {0, 0, h.FixedBoundary, v.FixedBoundary}, fixedLine, FixedColor(), true,
                  true);
    DrawAreaLines(info, fh, fv, LeftCol(), 0, {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, fixedLine,
                  FixedColor(), true, true);
    DrawAreaLines(info, fh, fv, 0, TopRow(), {0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, fixedLine,
                  FixedColor(), true, true);
    if (P->FFrozenCols > 0 && !P->FOptionsGx.Contains(dghFrozen3D)) {
      const int F = footerArea ? v.FooterExtent : 0;
      DrawAreaLines(info, fh, fv, FixedCols() - P->FFrozenCols, TopRow(),
                    {h.FixedBoundary - h.FrozenExtent, v.FixedBoundary, h.FixedBoundary - 1, v.GridBoundary - F},
                    dataLine, Color(), true, false);
    }
    DrawAreaLines(info, dh, dv, LeftCol(), TopRow(),
                  {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary}, dataLine, Color(), true, true);
    if (footerArea && P->FFooterRowCount > 0 && v.FooterExtent > 0) {
      DrawAreaLines(info, dh, dv, LeftCol(), RowCount() - P->FFooterRowCount,
                    {h.FixedBoundary, v.GridBoundary - v.FooterExtent, h.GridBoundary, v.GridBoundary}, fixedLine,
                    FixedColor(), true, true);
      if (dh && v.EffectiveLineWidth > 0) {
        const int y = v.GridBoundary - v.FooterExtent - 1;
        TPen* pen = Canvas()->Pen();
        pen->SetStyle(psSolid);
        pen->SetWidth(GridLineWidth());
        pen->SetColor(fixedLine);
        Canvas()->MoveTo(h.FixedBoundary - h.FrozenExtent, y);
        Canvas()->LineTo(h.GridBoundary, y);
        pen->SetWidth(1);
      }
    }
  }
  DrawAreaCells(info, 0, 0, {0, 0, h.FixedBoundary, v.FixedBoundary}, FixedColor(), {gdFixed});
  DrawAreaCells(info, LeftCol(), 0, {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, FixedColor(), {gdFixed});
  DrawAreaCells(info, 0, TopRow(), {0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, FixedColor(), {gdFixed});
  DrawAreaCells(info, LeftCol(), TopRow(), {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary},
                Color(), {});
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  if (h.GridBoundary < W) c->FillRect({h.GridBoundary, 0, W, v.GridBoundary});
  if (v.GridBoundary < H) c->FillRect({0, v.GridBoundary, W, H});
  if (WantsRowFocusRect()) {
    const TGridRect sel = Selection();
    c->Font()->SetColor(clWindowText);
    c->Brush()->SetColor(clWindow);
    const win::RECT r = BoxRect(std::max(0, sel.Left - P->FFrozenCols), sel.Top, sel.Right, sel.Bottom);
    if (r.right > r.left && r.bottom > r.top) c->DrawFocusRect(r);
  }
}
