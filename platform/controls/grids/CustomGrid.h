#pragma once
// TCustomGrid: the base grid control. It keeps the geometry of rows and columns (fixed
// ones first), the current cell and selection, scrolling, painting through DrawCell,
// keyboard and mouse navigation, column and row sizing and moving by mouse, and the
// protocol of the in-place editor. Derived grids override its virtual operations.
#include "platform/controls/WinControl.h"
#include "platform/controls/grids/GridTypes.h"

#include <string>
#include <vector>

class TInplaceEdit;

class TCustomGrid : public TCustomControl {
  VANTREL_CLASS(TCustomGrid, TCustomControl)
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // Geometry.
  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);  // resets every column to it
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);  // resets every row to it
  // -1 hides a column together with its line, 0 hides the column only.
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  bool TabStops(int Index) const;
  void SetTabStops(int Index, bool Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TGridOptions Options() const { return FOptions; }
  virtual void SetOptions(TGridOptions Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // Current cell, selection and view.
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);  // fixed columns are refused; see MoveColRow
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& Value);
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  // Scrolling cells shown completely (at least 1 when any is shown).
  int VisibleColCount();
  int VisibleRowCount();
  // Extent of the drawn cells, at most the client extent.
  int GridWidth();
  int GridHeight();

  // Positions.
  void CalcDrawInfo(TGridDrawInfo& DrawInfo);
  void CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight);
  void CalcFixedInfo(TGridDrawInfo& DrawInfo);
  // Client rectangle of a cell; empty when it is not shown.
  win::RECT CellRect(int ACol, int ARow);
  win::RECT BoxRect(int ALeft, int ATop, int ARight, int ABottom);
  // The cell under a client point; -1 on an axis where no cell is.
  TGridCoord MouseCoord(int X, int Y);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);

  // Editing.
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  void ShowEditor();
  void HideEditor();
  // Reloads the editor from the current cell when it is shown.
  void InvalidateEditor();

  // Repainting.
  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid();
  void InvalidateRect(const TGridRect& ARect);

  // Mouse state.
  TGridState GridState() const { return FGridState; }
  int SizingIndex() const { return FSizingIndex; }
  int SizingPos() const { return FSizingPos; }
  int SizingOfs() const { return FSizingOfs; }

  // Moves the current cell (fixed cells allowed). MoveAnchor also moves the selection
  // anchor; Show scrolls the cell into view. Out-of-range cells raise.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  // Moves a column or row (widths, tab stops and the current cell go with it) and
  // reports it through ColumnMoved / RowMoved.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  // What a press at a client point would start: column or row sizing, or gsNormal.
  virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                               int& SizingOfs, TGridDrawInfo& FixedInfo);

  // The editor's text goes back to the grid (through SetEditText) when it changed.
  void UpdateText();

protected:
  // Painting.
  void Paint() override;
  virtual void DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) {}
  // The XOR line shown while sizing; drawing it twice erases it.
  virtual void DrawSizingLine(const TGridDrawInfo& DrawInfo);
  void DrawMoveLine(const TGridDrawInfo& DrawInfo, bool Show);

  // Notifications. ColWidthsChanged and RowHeightsChanged report sizing by the user
  // with the mouse; widths and heights set by code do not raise them.
  virtual bool SelectCell(int ACol, int ARow) { return true; }
  virtual void ColumnMoved(int FromIndex, int ToIndex) {}
  virtual void RowMoved(int FromIndex, int ToIndex) {}
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void TopLeftChanged();
  virtual void SizeChanged(int OldColCount, int OldRowCount) {}
  virtual void TimedScroll(TGridScrollDirection Direction);

  // The editor protocol.
  virtual bool CanEditShow();
  virtual bool CanEditModify() { return true; }
  virtual bool CanEditAcceptKey(TKeyChar Key) { return true; }
  virtual bool CanGridAcceptKey(win::WORD Key, TShiftState Shift) { return true; }
  virtual int GetEditLimit() { return 0; }
  virtual std::string GetEditMask(int ACol, int ARow) { return {}; }
  virtual std::string GetEditText(int ACol, int ARow) { return {}; }
  virtual void SetEditText(int ACol, int ARow, const std::string& Value) {}
  virtual TInplaceEdit* CreateEditor();
  friend class TInplaceEdit;

  // Input.
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override;

  // Window.
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  void UpdateScrollRange();
  void UpdateScrollPos();

  // Cell moves shared by keys, mouse and timer.
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void ClampInView(TGridCoord Coord);
  // Largest LeftCol / TopRow that still shows the last column / row completely.
  int MaxLeftCol();
  int MaxTopRow();
  void MoveTopLeft(int ALeft, int ATop);
  // After a change of widths, heights or counts: repaint, scroll limits, editor.
  void GeometryChanged();
  void CancelMode();
  bool IsActiveControl();

  TGridState FGridState = gsNormal;
  int FSizingIndex = 0;
  int FSizingPos = 0;
  int FSizingOfs = 0;
  int FMoveIndex = 0;
  int FMovePos = 0;
  TGridCoord FCurrent;
  TGridCoord FAnchor;
  TGridCoord FTopLeft;
  TInplaceEdit* FInplaceEdit = nullptr;

private:
  void WMGetDlgCode(TMessage& Message);
  void WMScroll(TMessage& Message, bool Horizontal);
  void WMTimer(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMFocusChanged(TMessage& Message);
  void ResizeExtents(int OldCols, int OldRows);
  void EndSizing(bool Apply);
  void EndMoving(bool Apply);
  void MoveEditorToCell();
  void TabMove(bool Forward);
  void DrawLines(const TGridDrawInfo& Info, bool Horz, bool Vert, int FirstCol, int FirstRow,
                 const win::RECT& Bounds, TColor Color);
  void DrawCells(const TGridDrawInfo& Info, int FirstCol, int FirstRow, const win::RECT& Bounds,
                 TGridDrawState Base, TColor AreaColor);

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  std::vector<int> FColWidths;   // empty: every column DefaultColWidth
  std::vector<int> FRowHeights;  // empty: every row DefaultRowHeight
  std::vector<bool> FTabStops;   // empty: every column a tab stop
  int FGridLineWidth = 1;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TColor FFixedColor;
  bool FDefaultDrawing = true;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FEditorMode = false;
  bool FTimerActive = false;
  bool FMoveLineShown = false;
  bool FSizingLineShown = false;
};
