// The grid's mouse handling: presses on cells, titles, the indicator and column borders,
// drags that select, size or move, releases that click titles, cells and check boxes,
// and the menus a release opens.
#include <algorithm>
#include <cstdlib>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/UnitResources.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

namespace {
// A data row that shows a record: the rows below the last record show none.
bool ShowsRecord(TCustomDBGridGx* Grid, const TGridCellTypeGx& Type, int AreaRow) {
  return Type.Row == graData && Grid->GridLink()->Active() && AreaRow < Grid->GridLink()->RecordCount();
}
}  // namespace

bool TCustomDBGridGx::OnPressedTitle(int X, int Y) {
  const win::RECT Client = ClientRect();
  if (FPressedTitleCol < 0 || X < Client.left || X >= Client.right || Y < Client.top || Y >= Client.bottom)
    return false;
  const TGridCoord Cell = MouseCoord(X, Y);
  return Cell.Y == 0 && Cell.X == FPressedTitleCol && OnTitleLeaf(Cell.X, X, Y);
}

void TCustomDBGridGx::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbRight && !MouseCapture()) SetMouseCapture(true);
  FCheckClickCell = {-1, -1};
  FLastMouseDown = {X, Y};
  FMouseDownCell = MouseCoord(X, Y);
  FTitleDragged = false;
  if (FShowBmp && FOptions.Contains(dgIndicator)) PaintGlyphSpot();
  if (!TakeFocus()) return;
  const bool Active = FDataLink->Active();
  const bool Trace = FOptionsGx.Contains(dghTraceColSizing);
  if (FFilterEditing && PointInsideRect({X, Y}, DataAreaRect())) {
    // Text that cannot be stored stops the press; the right button keeps no capture then.
    bool Ended = false;
    auto release = AtScopeExit([&] {
      if (!Ended && Button == mbRight && MouseCapture()) SetMouseCapture(false);
    });
    EndFilterEditing();
    Ended = true;
  }

  TGridDrawInfo Info;
  TGridState State = gsNormal;
  int Index = -1, Pos = 0, Ofs = 0;
  if (Shift.Contains(ssDouble) && Button == mbLeft) {
    // The window layer has raised the double-click event already.
    CalcSizingState(X, Y, State, Index, Pos, Ofs, Info);
    if (State == gsColSizing || FrozenSizingZone(X, Y, Index, Pos, Ofs)) {
      const int DataCol = GridToDataColumn(Index);
      if (FOptionsGx.Contains(dghDblClickOptimizeColWidth) && DataCol >= 0 && DataCol < FColumns->Count())
        OptimizeColumnWidth(FColumns->ColumnAt(DataCol));
    } else {
      int DataCol = -1, AreaRow = -1;
      const TGridCellTypeGx Type = GetCellType(FMouseDownCell.X, FMouseDownCell.Y, DataCol, AreaRow);
      if (Type.Col == gcaData && ShowsRecord(this, Type, AreaRow) && DataCol < FColumns->Count()) {
        TColumnGx* Column = FColumns->ColumnAt(DataCol);
        if (IsCheckCell(Column) && Column->DblClickNextVal()) Column->StepCellValue(Shift.Contains(ssShift) ? -1 : 1);
      }
    }
    // Its release clicks no title: the first press of the pair did.
    FMouseDownCell = {-1, -1};
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }

  if (Button == mbLeft && FrozenSizingZone(X, Y, Index, Pos, Ofs)) {
    FMouseMode = 6;
    FSizingIndex = Index;
    FSizingPos = Pos;
    FSizingOfs = Ofs;
    if (!Trace) {
      CalcDrawInfo(Info);
      DrawSizingLine(Info);
    }
    return;
  }

  CalcSizingState(X, Y, State, Index, Pos, Ofs, Info);
  if (State != gsNormal) {
    if (Active) FDataLink->UpdateRecord();
    if (Trace && Button == mbLeft && State == gsColSizing) {
      // The column follows the pointer; no sizing line is drawn.
      FGridState = gsColSizing;
      FSizingIndex = Index;
      FSizingPos = Pos;
      FSizingOfs = Ofs;
    } else {
      TCustomGrid::MouseDown(Button, Shift, X, Y);
    }
    return;
  }

  const TGridCoord Cell = FMouseDownCell;
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = GetCellType(Cell.X, Cell.Y, DataCol, AreaRow);
  const bool OnDataTitle = Type.Col == gcaData && Type.Row == graTitle && DataCol < FColumns->Count();
  const bool Designing = ComponentState().Contains(csDesigning);

  // Selecting whole columns, where the title shows the column-selection cursor.
  if (OnDataTitle && CanSelectKind(gstColumns) && DownCursorGx() && win::GetCursor() == DownCursorGx()) {
    TColumnGx* Column = FColumns->ColumnAt(DataCol);
    InvalidateCol(Cell.X);
    FMouseMode = 2;
    StartAutoScrollTimer(60);
    if (Shift.Contains(ssShift)) {
      FSelection->Columns()->ShiftSelectTo(Column);
    } else if (Shift.Contains(ssCtrl)) {
      FSelection->Columns()->ToggleColumn(Column);
    } else {
      Invalidate();
      FSelection->Columns()->SelectColumn(Column, false);
    }
    return;
  }

  if (Button == mbLeft && OnDataTitle && !Designing && OnTitleLeaf(Cell.X, X, Y)) {
    bool Enabled = FColumns->ColumnAt(DataCol)->Title()->TitleButton();
    FireCheckButton(DataCol, FColumns->ColumnAt(DataCol), Enabled);
    if (Enabled && MouseCapture()) {
      FMouseTracking = true;
      FPressedTitleCol = Cell.X;
      UpdateTitleButtonShown(X, Y);
      return;
    }
  }

  if (Type.Row == graTitle && (FOptions.Contains(dgColumnResize) || Designing)) {
    // The indicator's title selects every record, or drops the selection.
    if (Type.Col == gcaIndicator && Active && CanSelectKind(gstAll)) {
      if (FSelection->Kind() != gstNon) ClearSelection();
      else FSelection->SelectAll();
      InvalidateCellEditor();
    }
    if (Active) FDataLink->UpdateRecord();
    Canvas()->Pen()->SetColor(clSilver);
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    return;
  }

  // Rows without a record take no press.
  const bool AboveRecords = Type.Row == graTitle || Type.Row == graFilter || ShowsRecord(this, Type, AreaRow);
  if (!Type.None() && AboveRecords && Active) PressCell(Button, Shift, X, Y, Cell);
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDBGridGx::PressCell(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell) {
  TDataSet* DataSet = FDataLink->DataSet();
  const bool Multi = FOptions.Contains(dgMultiSelect), RowSelect = FOptions.Contains(dgRowSelect);
  const bool ShiftKey = Shift.Contains(ssShift), Ctrl = Shift.Contains(ssCtrl);
  const bool ClearSel = FOptionsGx.Contains(dghClearSelection);
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = GetCellType(Cell.X, Cell.Y, DataCol, AreaRow);
  const bool InIndicator = Type.Col == gcaIndicator;
  const bool OnColumn = Type.Col == gcaData && DataCol < FColumns->Count();

  LockUpdates();
  auto Unlock = AtScopeExit([this] { UnlockUpdates(); });
  FDataLink->UpdateRecord();
  HideEditor();
  const TGridCoord OldCell{Col(), Row()};
  const int OldDataCol = CurrentDataColumn();
  const std::string OldBookmark = DataSet->Bookmark();

  // Shift with multi-selection marks the rows up to the one pressed instead of moving.
  const bool ExtendRows = ShiftKey && Multi && (RowSelect || InIndicator);
  int Distance = 0;
  if (Type.Row == graData) {
    Distance = AreaRow - FDataLink->ActiveRecord();
    if (Distance != 0 && !ExtendRows) DataSet->MoveBy(Distance);
  }
  if (OnColumn) SelectGridColumn(Cell.X, 0, false);
  if (!MouseCapture()) return;
  const std::string Bookmark = DataSet->Bookmark();
  const int SelCol = OnColumn ? DataCol : -1;

  if (FAutoDragOnSelection && Button == mbLeft && !ShiftKey && Type.Row == graData &&
      FSelection->DataCellSelected(SelCol, Bookmark)) {
    FDragPending = true;
    return;
  }

  if (PointInsideRect({X, Y}, DataAreaRect()) && !(Multi && RowSelect)) {
    FMouseTracking = true;
    FRectSelecting = true;
    // A right press inside the selection keeps it for a menu.
    if (!Ctrl && !ShiftKey && ClearSel && !(Button == mbRight && FSelection->DataCellSelected(SelCol, Bookmark)))
      ClearSelection();
    if (Button == mbLeft && OnColumn && !DataSet->IsEmpty() && CanSelectKind(gstRectangle)) {
      TDBGridGxSelectionRect* Rect = FSelection->Rect();
      if (ShiftKey) {
        if (FSelection->Kind() != gstRectangle) {
          Rect->Empty();
          Rect->ExtendTo(OldDataCol, OldBookmark, false);
        }
        Rect->ExtendTo(DataCol, Bookmark, true);
      } else {
        Rect->ExtendTo(DataCol, Bookmark, false);
      }
      FMouseMode = 3;
    }
  }

  const bool RowsMarkable = CanSelectKind(gstRecordBookmarks);
  if (Type.Row == graData && ((RowsMarkable && InIndicator) || RowSelect || !CanSelectKind(gstRectangle))) {
    ResetRowAnchor();
    const bool WasMarked = FBookmarks->IsCurrentRowMarked();
    FShiftExtends = Ctrl || !ClearSel;
    if (RowsMarkable) {
      if (ExtendRows && Distance != 0) {
        MoveBySelecting(true, Distance, true, false);
      } else if (Button == mbLeft && (Ctrl || !ClearSel)) {
        FBookmarks->MarkCurrentRow(!WasMarked);
      } else if (Button == mbLeft) {
        if (ClearSel) ClearSelection();
        FBookmarks->MarkCurrentRow(true);
      }
    }
    // A drag from here marks (or, toggling, unmarks) the rows it passes like this one.
    FMouseTracking = true;
    FRowSelecting = true;
    FMouseMode = 1;
    FRowAnchor = DataSet->Bookmark();
    FRowAnchorMarked = WasMarked;
    FRowAnchorSet = true;
  }

  if (Button == mbLeft && ((EditorAlwaysShown() && Cell == OldCell) || FOptions.Contains(dgAlwaysShowEditor)))
    ShowCellEditor();
  if (InIndicator || Button != mbLeft) {
    InvalidateCellEditor();
    return;
  }
  if (!OnColumn) return;
  TColumnGx* Column = FColumns->ColumnAt(DataCol);
  const win::RECT CellBox = CellRect(Cell.X, Cell.Y);
  const int ButtonsWidth = Column->EditButtonsWidth();
  const bool OnButtons = Type.Row == graData && ButtonsWidth > 0 &&
                         (UseRightToLeftAlignment() ? X < CellBox.left + ButtonsWidth : X >= CellBox.right - ButtonsWidth);
  if (FOptions.Contains(dgAlwaysShowEditor) || (Column->AlwaysShowEditButton() && OnButtons) || Cell == OldCell)
    ShowCellEditor();
  if (InplaceEditorVisible() && OnButtons) {
    // The editor's button under the pointer takes the press.
    EndTitleButtonTracking();
    const win::POINT Screen = ClientToScreen({X, Y});
    if (TWinControl* Window = TWinControl::FindControl(win::WindowFromPoint(Screen)); Window && Window != this) {
      TControl* Target = Window->ControlAtPos(Window->ScreenToClient(Screen), false);
      if (!Target) Target = Window;
      const win::POINT P = Target->ScreenToClient(Screen);
      Target->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON,
                      win::MAKELPARAM(static_cast<win::WORD>(P.x), static_cast<win::WORD>(P.y)));
    }
  }
  if (Type.Row == graData && IsCheckCell(Column)) FCheckClickCell = Cell;
}

void TCustomDBGridGx::HandleMouseMove(TShiftState Shift, int X, int Y) {
  if (FDragPending) {
    FDragPending = false;
    BeginDrag(true);
    return;
  }
  if (FMouseTracking && FPressedTitleCol >= 0) {
    UpdateTitleButtonShown(X, Y);
    if (std::abs(X - FLastMouseDown.x) > 3 && FOptions.Contains(dgColumnResize)) {
      // Dragged sideways: the title becomes a column being moved.
      EndTitleButtonTracking();
      if (win::GetKeyState(win::VK_LBUTTON) < 0) SetMouseCapture(true);
      Canvas()->Pen()->SetColor(clSilver);
      FTitleDragged = true;
      TCustomGrid::MouseDown(mbLeft, Shift, FLastMouseDown.x, FLastMouseDown.y);
    }
  } else if (FRowSelecting || FRectSelecting || FMouseMode == 3) {
    TGridDrawInfo Info;
    CalcDrawInfo(Info);
    const int CX = std::clamp(X, 0, std::max(0, Info.Horz.GridBoundary - 1));
    const int CY = std::clamp(Y, 0, std::max(0, Info.Vert.GridBoundary - 1));
    const TGridCoord Cell = MouseCoord(CX, CY);
    const win::RECT R = DataAreaRect();
    if (FDataLink->Active()) {
      int DataCol = -1, AreaRow = -1;
      const TGridCellTypeGx Type = GetCellType(Cell.X, Cell.Y, DataCol, AreaRow);
      const int Distance = AreaRow - FDataLink->ActiveRecord();
      if (CY >= R.top && CY <= R.bottom && Type.Row == graData && Distance != 0) {
        const bool Moved = X != FLastMouseDown.x || Y != FLastMouseDown.y;
        MoveBySelecting(Shift.Contains(ssLeft) && Moved, Distance, FMouseMode != 3, false);
      }
      if (FRectSelecting && CX >= R.left && CX <= R.right && Type.Col == gcaData && Cell.X != Col())
        SelectGridColumn(Cell.X, Cell.X > Col() ? 1 : -1, FMouseMode == 3);
    }
    FLastMouseDown = {X, Y};
    AutoScrollStep(X, Y);
  } else if (FMouseMode == 2) {
    const win::RECT R = DataAreaRect();
    const TGridCoord Cell = MouseCoord(X, Y);
    const int DataCol = GridToDataColumn(Cell.X);
    if (X < R.left || X > R.right || Cell.X < FIndicatorColCount || DataCol >= FColumns->Count())
      AutoScrollStep(X, Y);
    else
      FSelection->Columns()->ShiftSelectTo(FColumns->ColumnAt(DataCol));
  }
  const bool Trace = FOptionsGx.Contains(dghTraceColSizing);
  if (Trace && (FGridState == gsColSizing || FMouseMode == 6)) {
    TraceColumnSizing(X);
    TCustomControl::MouseMove(Shift, X, Y);
    return;
  }
  if (FMouseMode == 6) {
    TGridDrawInfo Info;
    CalcDrawInfo(Info);
    DrawSizingLine(Info);
    FSizingPos = X + FSizingOfs;
    DrawSizingLine(Info);
  }
  TCustomGrid::MouseMove(Shift, X, Y);
}

void TCustomDBGridGx::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A right press holds the mouse; it is let go before any menu can open.
  if (Button == mbRight && MouseCapture() && win::GetKeyState(win::VK_LBUTTON) >= 0) SetMouseCapture(false);
  FClickSortMarked = false;
  auto Done = AtScopeExit([this] {
    FClickSortMarked = false;
    FRowSizing = false;
    FCheckClickCell = {-1, -1};
  });
  const TGridCoord Cell = MouseCoord(X, Y);
  const bool Trace = FOptionsGx.Contains(dghTraceColSizing);

  if (FOptionsMenu && FUseMenu &&
      ((Button == mbRight && Cell.Y == 0) ||
       (Button == mbLeft && FOptions.Contains(dgIndicator) && Cell.X == 0 && Cell.Y == 0))) {
    TDataSource* Source = DataSource();
    if (Source && Source->DataSet() && Source->DataSet()->Active()) {
      FReleaseMenuShown = true;
      const win::POINT P = ClientToScreen({X, Y});
      FOptionsMenu->SetPopupComponent(this);
      FOptionsMenu->Popup(P.x, P.y);
    }
  }

  if (FMouseMode == 6 && !Trace) {
    TGridDrawInfo Info;
    CalcDrawInfo(Info);
    DrawSizingLine(Info);
    const int Width = FSizingPos - ColumnsLeftOf(FSizingIndex);
    if (Width > 1 && FSizingIndex < ColCount() && Width != ColWidths(FSizingIndex)) {
      SetColWidths(FSizingIndex, Width);
      ColWidthsChanged();
    }
  }

  if (FDragPending) {
    // The press on the selection did not become a drag: it was a click.
    FDragPending = false;
    if (Shift.Contains(ssCtrl) && FOptions.Contains(dgRowSelect)) FBookmarks->MarkCurrentRow(!FBookmarks->IsCurrentRowMarked());
    else if (FOptionsGx.Contains(dghClearSelection)) ClearSelection();
  } else if (Trace && (FGridState == gsColSizing || FMouseMode == 6)) {
    FGridState = gsNormal;
    FMouseMode = 0;
    return;
  }

  const int SavedMode = FMouseMode;
  FMouseMode = 0;
  ResetRowAnchor();
  if (FGridState == gsRowSizing) FRowSizing = true;

  if (FMouseTracking && FPressedTitleCol >= 0) {
    const bool Counted = OnPressedTitle(X, Y);
    const int DataCol = GridToDataColumn(FPressedTitleCol);
    EndTitleButtonTracking();
    if (Counted && DataCol >= 0 && DataCol < FColumns->Count()) {
      FireTitleBtnClick(DataCol, FColumns->ColumnAt(DataCol));
      FCtrlSort = Shift.Contains(ssCtrl);
      // The marker click sorts (or, with Ctrl, waits for Ctrl to be released); the title
      // click that follows does not sort again.
      if (FOptionsGx.Contains(dghAutoSortMarking) && DataCol < FColumns->Count()) {
        FColumns->ColumnAt(DataCol)->Title()->ClickSortMarker(FCtrlSort);
        FClickSortMarked = true;
        if (!FCtrlSort) FireSortMarkingChanged();
      }
    }
  }
  if (FRowSelecting || FRectSelecting) EndTitleButtonTracking();
  if (SavedMode != 0) StopAutoScrollTimer();

  const TGridState SavedState = FGridState;
  const bool ColumnMoved = SavedState == gsColMoving && (FMovePos != FMoveIndex || FTitleDragged);
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (SavedState == gsRowSizing || SavedState == gsColSizing) return;
  if (InplaceEditorVisible() && PointInsideRect({X, Y}, InplaceEditor()->BoundsRect())) return;

  const TGridCoord After = MouseCoord(X, Y);
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = GetCellType(After.X, After.Y, DataCol, AreaRow);
  if (Button == mbLeft && Type.Col == gcaData) {
    if (Type.Row == graTitle) {
      // Only a release on the title pressed is a click on it.
      if (!ColumnMoved && After == FMouseDownCell && DataCol < FColumns->Count())
        HandleTitleClick(FColumns->ColumnAt(DataCol));
    } else if (ShowsRecord(this, Type, AreaRow)) {
      if (TColumnGx* Column = CurrentColumn()) FireCellClick(Column);
    }
  }

  if (FCheckClickCell.X >= 0 && After == FCheckClickCell) {
    const int CheckCol = GridToDataColumn(After.X);
    TColumnGx* Column = CheckCol >= 0 && CheckCol < FColumns->Count() ? FColumns->ColumnAt(CheckCol) : nullptr;
    if (Column && !Column->DblClickNextVal() && Column->CheckEditable(true))
      Column->StepCellValue(Shift.Contains(ssShift) ? -1 : 1);
  }
}

void TCustomDBGridGx::CancelMouseMode() {
  if (FMouseMode == 6) {
    if (!FOptionsGx.Contains(dghTraceColSizing)) {
      TGridDrawInfo Info;
      CalcDrawInfo(Info);
      DrawSizingLine(Info);
    }
  } else if (FMouseMode != 0) {
    StopAutoScrollTimer();
  }
  EndTitleButtonTracking();
  FMouseMode = 0;
  FDragPending = false;
}

bool TCustomDBGridGx::MouseMessage(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK: {
      if (DragMode() != dmAutomatic || !FOptions.Contains(dgMultiSelect) || ComponentState().Contains(csDesigning))
        return false;
      // A press selects first; the mouse handling starts the drag itself once the pointer
      // moves on a selected cell.
      SetDragMode(dmManual);
      FAutoDragOnSelection = true;
      auto Restore = AtScopeExit([this] {
        SetDragMode(dmAutomatic);
        FAutoDragOnSelection = false;
      });
      Dispatch(Message);
      return true;
    }
    case win::WM_RBUTTONUP: {
      FReleaseMenuShown = false;
      auto Reset = AtScopeExit([this] { FReleaseMenuShown = false; });
      if (!PopupColumnMenu(Message)) TCustomGrid::Dispatch(Message);
      return true;
    }
    case win::WM_CONTEXTMENU:
      // The release that asks for it has opened a menu already.
      if (!FReleaseMenuShown) return false;
      Message.Result = 1;
      return true;
    case win::WM_CANCELMODE: CancelMouseMode(); return false;
    case CM_CANCELMODE:
      CancelMouseMode();
      if (FFilterEditor) FFilterEditor->Perform(CM_CANCELMODE, Message.WParam, Message.LParam);
      return false;
    case win::WM_TIMER: {
      if (Message.WParam != 1 || FAutoScrollInterval < 0) return false;
      if (FMouseMode == 2) {
        win::POINT P;
        win::GetCursorPos(&P);
        P = ScreenToClient(P);
        AutoScrollStep(P.x, P.y);
      } else if (FRowSelecting || FRectSelecting) {
        AutoScrollStep(FLastMouseDown.x, FLastMouseDown.y);
      }
      return true;
    }
    default: return false;
  }
}

// A right-button release over a data column whose column has its own auto-popup menu
// pops that menu up at the mouse point (instead of the grid's context menu); true when
// the release was handled so.
bool TCustomDBGridGx::PopupColumnMenu(TMessage& Message) {
  if (!FColumns) return false;
  const int X = Message.XPos(), Y = Message.YPos();
  const TGridCoord Cell = MouseCoord(X, Y);
  if (Cell.X < FIndicatorColCount || Cell.Y < 0) return false;
  const int DataCol = GridToDataColumn(Cell.X);
  if (DataCol >= FColumns->Count()) return false;
  TPopupMenu* Menu = FColumns->ColumnAt(DataCol)->PopupMenu();
  if (!Menu || !Menu->AutoPopup()) return false;
  HandleMouseUp(mbRight, KeysToShiftState(static_cast<win::WORD>(Message.WParam)), X, Y);
  Message.Result = 1;
  // The options menu of the title row went up for this release: one menu is enough.
  if (FReleaseMenuShown) return true;
  CancelMouseMode();
  CancelMode();
  Menu->SetPopupComponent(this);
  const win::POINT P = ClientToScreen(win::POINT{X, Y});
  Menu->Popup(P.x, P.y);
  return true;
}
