// TCustomGrid: construction, geometry properties, positions and scrolling.
#include "platform/controls/grids/CustomGrid.h"
#include "platform/controls/grids/InplaceEdit.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {
[[noreturn]] void IndexError() { throw EInvalidGridOperation("Grid index out of range"); }

int ExtentOf(const std::vector<int>& Extents, int Default, int Count, int Index) {
  if (Index < 0 || Index >= Count) IndexError();
  return Extents.empty() ? Default : Extents[Index];
}

// Stores one column width or row height (-1 at least); false when nothing changed.
bool StoreExtent(std::vector<int>& Extents, int Default, int Count, int Index, int Value) {
  if (Index < 0 || Index >= Count) IndexError();
  Value = std::max(Value, -1);
  if (Extents.empty()) {
    if (Value == Default) return false;
    Extents.assign(Count, Default);
  }
  if (Extents[Index] == Value) return false;
  Extents[Index] = Value;
  return true;
}
}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FFixedColor = clBtnFace;
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  // Click is raised by the moves of the current cell, not by every release.
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
  FWidth = 320;
  FHeight = 120;
  FCurrent = {FFixedCols, FFixedRows};
  FAnchor = FCurrent;
  FTopLeft = FCurrent;
}

TCustomGrid::~TCustomGrid() = default;

// --- counts ----------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == FColCount) return;
  int oldCols = FColCount;
  if (FFixedCols > Value - 1) FFixedCols = std::max(0, Value - 1);
  FColCount = Value;
  ResizeExtents(oldCols, FRowCount);
}

void TCustomGrid::SetRowCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == FRowCount) return;
  int oldRows = FRowCount;
  if (FFixedRows > Value - 1) FFixedRows = std::max(0, Value - 1);
  FRowCount = Value;
  ResizeExtents(FColCount, oldRows);
}

// Keeps the extents, the current cell, the selection and the view inside new counts.
void TCustomGrid::ResizeExtents(int OldCols, int OldRows) {
  if (!FColWidths.empty()) FColWidths.resize(FColCount, FDefaultColWidth);
  if (!FTabStops.empty()) FTabStops.resize(FColCount, true);
  if (!FRowHeights.empty()) FRowHeights.resize(FRowCount, FDefaultRowHeight);
  auto clampCoord = [&](TGridCoord& c) {
    c.X = std::clamp(c.X, FFixedCols, FColCount - 1);
    c.Y = std::clamp(c.Y, FFixedRows, FRowCount - 1);
  };
  bool editing = FEditorMode;
  if (FCurrent.X >= FColCount || FCurrent.Y >= FRowCount) HideEditor();
  FCurrent.X = std::min(FCurrent.X, FColCount - 1);
  FCurrent.Y = std::min(FCurrent.Y, FRowCount - 1);
  clampCoord(FAnchor);
  clampCoord(FTopLeft);
  SizeChanged(OldCols, OldRows);
  GeometryChanged();
  if (editing && !FEditorMode && FOptions.Contains(goAlwaysShowEditor)) ShowEditor();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0 || Value >= FColCount) throw EInvalidGridOperation("Fixed column count must be less than column count");
  if (Value == FFixedCols) return;
  FFixedCols = Value;
  FCurrent.X = std::max(FCurrent.X, Value);
  FAnchor = FCurrent;
  FTopLeft.X = Value;
  GeometryChanged();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0 || Value >= FRowCount) throw EInvalidGridOperation("Fixed row count must be less than row count");
  if (Value == FFixedRows) return;
  FFixedRows = Value;
  FCurrent.Y = std::max(FCurrent.Y, Value);
  FAnchor = FCurrent;
  FTopLeft.Y = Value;
  GeometryChanged();
}

// --- extents ---------------------------------------------------------------------

void TCustomGrid::SetDefaultColWidth(int Value) {
  FDefaultColWidth = Value;
  FColWidths.clear();
  GeometryChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FDefaultRowHeight = Value;
  FRowHeights.clear();
  GeometryChanged();
}

int TCustomGrid::ColWidths(int Index) const { return ExtentOf(FColWidths, FDefaultColWidth, FColCount, Index); }

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (StoreExtent(FColWidths, FDefaultColWidth, FColCount, Index, Value)) GeometryChanged();
}

int TCustomGrid::RowHeights(int Index) const { return ExtentOf(FRowHeights, FDefaultRowHeight, FRowCount, Index); }

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (StoreExtent(FRowHeights, FDefaultRowHeight, FRowCount, Index, Value)) GeometryChanged();
}

bool TCustomGrid::TabStops(int Index) const {
  if (Index < 0 || Index >= FColCount) IndexError();
  return FTabStops.empty() ? true : bool(FTabStops[Index]);
}

void TCustomGrid::SetTabStops(int Index, bool Value) {
  if (Index < 0 || Index >= FColCount) IndexError();
  if (FTabStops.empty()) {
    if (Value) return;
    FTabStops.assign(FColCount, true);
  }
  FTabStops[Index] = Value;
}

void TCustomGrid::SetGridLineWidth(int Value) {
  Value = std::max(0, Value);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  GeometryChanged();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  if (Value.Contains(goRowSelect)) Value -= goAlwaysShowEditor;
  FOptions = Value;
  if (!FOptions.Contains(goEditing)) HideEditor();
  if (FOptions.Contains(goRowSelect)) {
    HideEditor();
    FAnchor = FCurrent;
  }
  if (FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing)) ShowEditor();
  GeometryChanged();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::GeometryChanged() {
  if (FGridState == gsRowSizing || FGridState == gsColSizing) FSizingLineShown = false;
  // The view may no longer reach past the end.
  int maxLeft = MaxLeftCol(), maxTop = MaxTopRow();
  if (FTopLeft.X > maxLeft || FTopLeft.Y > maxTop)
    MoveTopLeft(std::min(FTopLeft.X, maxLeft), std::min(FTopLeft.Y, maxTop));
  InvalidateGrid();
  UpdateScrollRange();
  if (FEditorMode) MoveEditorToCell();
}

// --- positions -------------------------------------------------------------------

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo) {
  int vertLine = FOptions * TGridOptions{goFixedVertLine, goVertLine} == TGridOptions{} ? 0 : FGridLineWidth;
  int horzLine = FOptions * TGridOptions{goFixedHorzLine, goHorzLine} == TGridOptions{} ? 0 : FGridLineWidth;
  CalcFixedAxis(DrawInfo.Horz, vertLine, FFixedCols, FTopLeft.X, FColCount,
                [this](int i) { return ColWidths(i); });
  CalcFixedAxis(DrawInfo.Vert, horzLine, FFixedRows, FTopLeft.Y, FRowCount,
                [this](int i) { return RowHeights(i); });
}

void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight) {
  CalcFixedInfo(DrawInfo);
  CalcAxis(DrawInfo.Horz, UseWidth);
  CalcAxis(DrawInfo.Vert, UseHeight);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo) {
  CalcDrawInfoXY(DrawInfo, ClientWidth(), ClientHeight());
}

win::RECT TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  win::RECT r;
  int l, t, rr, b;
  if (!info.Horz.Span(std::min(ALeft, ARight), std::max(ALeft, ARight), l, rr) ||
      !info.Vert.Span(std::min(ATop, ABottom), std::max(ATop, ABottom), t, b))
    return r;
  r.left = l;
  r.top = t;
  r.right = rr;
  r.bottom = b;
  return r;
}

win::RECT TCustomGrid::CellRect(int ACol, int ARow) { return BoxRect(ACol, ARow, ACol, ARow); }

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TGridCoord c{info.Horz.CellAt(X), info.Vert.CellAt(Y)};
  if (c.X < 0 || c.Y < 0) return {-1, -1};
  return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

int TCustomGrid::VisibleColCount() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return std::max(1, info.Horz.LastFullVisibleCell - FTopLeft.X + 1);
}

int TCustomGrid::VisibleRowCount() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return std::max(1, info.Vert.LastFullVisibleCell - FTopLeft.Y + 1);
}

int TCustomGrid::GridWidth() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Horz.GridBoundary;
}

int TCustomGrid::GridHeight() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Vert.GridBoundary;
}

// --- current cell and selection ---------------------------------------------------

TGridRect TCustomGrid::Selection() const {
  TGridRect r = GridRectOf(FCurrent, FAnchor);
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = FColCount - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  TGridRect old = Selection();
  FAnchor = {Value.Left, Value.Top};
  TGridCoord cur{Value.Right, Value.Bottom};
  if (cur.X < 0 || cur.Y < 0 || cur.X >= FColCount || cur.Y >= FRowCount || FAnchor.X < 0 ||
      FAnchor.Y < 0 || FAnchor.X >= FColCount || FAnchor.Y >= FRowCount)
    IndexError();
  FCurrent = cur;
  InvalidateRect(old);
  InvalidateRect(Selection());
  ClampInView(FCurrent);
  if (FEditorMode) MoveEditorToCell();
}

void TCustomGrid::SetCol(int Value) {
  if (Value < 0 || Value >= FColCount) IndexError();
  if (Value == FCurrent.X || Value < FFixedCols) return;
  FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value < 0 || Value >= FRowCount) IndexError();
  if (Value == FCurrent.Y || Value < FFixedRows) return;
  FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveColRow(ACol, ARow, MoveAnchor, true);
  Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) IndexError();
  if (!SelectCell(ACol, ARow)) return;
  bool moved = ACol != FCurrent.X || ARow != FCurrent.Y;
  if (moved) {
    UpdateText();
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
  }
  TGridRect old = Selection();
  TGridCoord oldCurrent = FCurrent;
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  if (FOptions.Contains(goRowSelect)) FAnchor.X = FCurrent.X;
  TGridRect now = Selection();
  if (!(old == now) || moved) {
    InvalidateRect(old);
    InvalidateRect(now);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
  }
  if (Show) ClampInView(FCurrent);
  if (moved) {
    // An editor still shown (always-show) reloads for its new cell.
    if (FEditorMode) InvalidateEditor();
    else if (FOptions.Contains(goAlwaysShowEditor)) ShowEditor();
  }
}

// --- scrolling -------------------------------------------------------------------

int TCustomGrid::MaxLeftCol() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Horz.FirstCellToShow(FColCount - 1);
}

int TCustomGrid::MaxTopRow() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Vert.FirstCellToShow(FRowCount - 1);
}

void TCustomGrid::SetLeftCol(int Value) {
  MoveTopLeft(std::clamp(Value, FFixedCols, MaxLeftCol()), FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int Value) {
  MoveTopLeft(FTopLeft.X, std::clamp(Value, FFixedRows, MaxTopRow()));
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = {ALeft, ATop};
  InvalidateGrid();
  TopLeftChanged();
}

// Scrolls so that the cell is shown completely (as far as the client area allows).
void TCustomGrid::ClampInView(TGridCoord Coord) {
  if (!HandleAllocated() && ClientWidth() <= 0) return;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  auto first = [](const TGridAxisDrawInfo& a, int cell) {
    if (cell < a.FixedCellCount) return a.FirstGridCell;
    if (cell < a.FirstGridCell) return cell;
    if (cell > a.LastFullVisibleCell) return std::max(a.FirstCellToShow(cell), a.FirstGridCell);
    return a.FirstGridCell;
  };
  MoveTopLeft(first(info.Horz, Coord.X), first(info.Vert, Coord.Y));
}

void TCustomGrid::TopLeftChanged() {
  UpdateScrollPos();
  if (FEditorMode) MoveEditorToCell();
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  if (FEditorMode) MoveEditorToCell();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  if (FEditorMode) MoveEditorToCell();
}

void TCustomGrid::Resize() {
  TCustomControl::Resize();
  GeometryChanged();
}

// Scroll bars show the view on a scale of 0..127.
void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated()) return;
  auto apply = [&](int bar, int fixed, int maxFirst) {
    win::SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = win::SIF_RANGE | win::SIF_PAGE;
    si.nMin = 0;
    si.nMax = maxFirst > fixed ? 127 : 0;
    si.nPage = 0;
    win::SetScrollInfo(FHandle, bar, &si, true);
  };
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) apply(win::SB_HORZ, FFixedCols, MaxLeftCol());
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) apply(win::SB_VERT, FFixedRows, MaxTopRow());
  UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated()) return;
  auto apply = [&](int bar, int first, int fixed, int maxFirst) {
    int pos = maxFirst > fixed ? MulDiv(first - fixed, 127, maxFirst - fixed) : 0;
    win::SetScrollPos(FHandle, bar, std::clamp(pos, 0, 127), true);
  };
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) apply(win::SB_HORZ, FTopLeft.X, FFixedCols, MaxLeftCol());
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) apply(win::SB_VERT, FTopLeft.Y, FFixedRows, MaxTopRow());
}

void TCustomGrid::WMScroll(TMessage& Message, bool Horizontal) {
  int fixed = Horizontal ? FFixedCols : FFixedRows;
  int maxFirst = Horizontal ? MaxLeftCol() : MaxTopRow();
  int first = Horizontal ? FTopLeft.X : FTopLeft.Y;
  int page = Horizontal ? VisibleColCount() : VisibleRowCount();
  int code = Message.WParamLo();
  int thumb = Message.WParamHi();
  int next = first;
  switch (code) {
    case win::SB_LINEUP: next = first - 1; break;
    case win::SB_LINEDOWN: next = first + 1; break;
    case win::SB_PAGEUP: next = first - page; break;
    case win::SB_PAGEDOWN: next = first + page; break;
    case win::SB_TOP: next = fixed; break;
    case win::SB_BOTTOM: next = maxFirst; break;
    case win::SB_THUMBTRACK:
      if (!FOptions.Contains(goThumbTracking)) return;
      [[fallthrough]];
    case win::SB_THUMBPOSITION:
      next = fixed + MulDiv(thumb, maxFirst - fixed, 127);
      break;
    default: return;
  }
  next = std::clamp(next, fixed, maxFirst);
  if (Horizontal) MoveTopLeft(next, FTopLeft.Y);
  else MoveTopLeft(FTopLeft.X, next);
  UpdateScrollPos();
}
