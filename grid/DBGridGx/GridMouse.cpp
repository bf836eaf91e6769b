// The grid's mouse handling: presses on cells, titles, the indicator and column borders,
// drags that select, size or move, releases that click titles, cells and check boxes,
// and the menus a release opens.
#include <algorithm>
#include <cstdlib>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/SharedResources.h"
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
  if (P->FPressedTitleCol < 0 || X < Client.left || X >= Client.right || Y < Client.top || Y >= Client.bottom)
    return false;
  const TGridCoord Cell = MouseCoord(X, Y);
  return Cell.Y == 0 && Cell.X == P->FPressedTitleCol && OnTitleLeaf(Cell.X, X, Y);
}

void TCustomDBGridGx::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbRight && !MouseCapture()) SetMouseCapture(true);
  P->FCheckClickCell = {-1, -1};
  P->FLastMouseDown = {X, Y};
  P->FMouseDownCell = MouseCoord(X, Y);
  P->FTitleDragged = false;
  if (P->FShowBmp && P->FOptions.Contains(dgIndicator)) PaintGlyphSpot();
  if (!TakeFocus()) return;
  const bool Active = P->FDataLink->Active();
  const bool Trace = P->FOptionsGx.Contains(dghTraceColSizing);
  if (P->FFilterEditing && PointInsideRect({X, Y}, DataAreaRect())) {
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
      if (P->FOptionsGx.Contains(dghDblClickOptimizeColWidth) && DataCol >= 0 && DataCol < P->FColumns->Count())
        OptimizeColumnWidth(P->FColumns->ColumnAt(DataCol));
    } else {
      int DataCol = -1, AreaRow = -1;
      const TGridCellTypeGx Type = GetCellType(P->FMouseDownCell.X, P->FMouseDownCell.Y, DataCol, AreaRow);
      if (Type.Col == gcaData && ShowsRecord(this, Type, AreaRow) && DataCol < P->FColumns->Count()) {
        TColumnGx* Column = P->FColumns->ColumnAt(DataCol);
        if (IsCheckCell(Column) && Column->DblClickNextVal()) Column->StepCellValue(Shift.Contains(ssShift) ? -1 : 1);
      }
    }
    // Its release clicks no title: the first press of the pair did.
    P->FMouseDownCell = {-1, -1};
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }

  if (Button == mbLeft && FrozenSizingZone(X, Y, Index, Pos, Ofs)) {
    P->FMouseMode = 6;
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
    if (Active) P->FDataLink->UpdateRecord();
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

  const TGridCoord Cell = P->FMouseDownCell;
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = GetCellType(Cell.X, Cell.Y, DataCol, AreaRow);
  const bool OnDataTitle = Type.Col == gcaData && Type.Row == graTitle && DataCol < P->FColumns->Count();
  const bool Designing = ComponentState().Contains(csDesigning);

  // Selecting whole columns, where the title shows the column-selection cursor.
  if (OnDataTitle && CanSelectKind(gstColumns) && DownCursorGx() && win::GetCursor() == DownCursorGx()) {
    TColumnGx* Column = P->FColumns->ColumnAt(DataCol);
    InvalidateCol(Cell.X);
    P->FMouseMode = 2;
    StartAutoScrollTimer(60);
    if (Shift.Contains(ssShift)) {
      P->FSelection->Columns()->ShiftSelectTo(Column);
    } else if (Shift.Contains(ssCtrl)) {
      P->FSelection->Columns()->ToggleColumn(Column);
    } else {
      Invalidate();
      P->FSelection->Columns()->SelectColumn(Column, false);
    }
    return;
  }

  if (Button == mbLeft && OnDataTitle && !Designing && OnTitleLeaf(Cell.X, X, Y)) {
    bool Enabled = P->FColumns->ColumnAt(DataCol)->Title()->TitleButton();
    FireCheckButton(DataCol, P->FColumns->ColumnAt(DataCol), Enabled);
    if (Enabled && MouseCapture()) {
      P->FMouseTracking = true;
      P->FPressedTitleCol = Cell.X;
      UpdateTitleButtonShown(X, Y);
      return;
    }
  }

  if (Type.Row == graTitle && (P->FOptions.Contains(dgColumnResize) || Designing)) {
    // The indicator's title selects every record, or drops the selection.
    if (Type.Col == gcaIndicator && Active && CanSelectKind(gstAll)) {
      if (P->FSelection->Kind() != gstNon) ClearSelection();
      else P->FSelection->SelectAll();
      InvalidateCellEditor();
    }
    if (Active) P->FDataLink->UpdateRecord();
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
  TDataSet* DataSet = P->FDataLink->DataSet();
  const bool Multi = P->FOptions.Contains(dgMultiSelect), RowSelect = P->FOptions.Contains(dgRowSelect);
  const bool ShiftKey = Shift.Contains(ssShift), Ctrl = Shift.Contains(ssCtrl);
  const bool ClearSel = P->FOptionsGx.Contains(dghClearSelection);
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = GetCellType(Cell.X, Cell.Y, DataCol, AreaRow);
  const bool InIndicator = Type.Col == gcaIndicator;
  const bool OnColumn = Type.Col == gcaData && DataCol < P->FColumns->Count();

  LockUpdates();
  auto Unlock = AtScopeExit([this] { UnlockUpdates(); });
  P->FDataLink->UpdateRecord();
  HideEditor();
  const TGridCoord OldCell{Col(), Row()};
  const int OldDataCol = CurrentDataColumn();
  const std::string OldBookmark = DataSet->Bookmark();

  // Shift with multi-selection marks the rows up to the one pressed instead of moving.
  const bool ExtendRows = ShiftKey && Multi && (RowSelect || InIndicator);
  int Distance = 0;
  if (Type.Row == graData) {
    Distance = AreaRow - P->FDataLink->ActiveRecord();
    if (Distance != 0 && !ExtendRows) DataSet->MoveBy(Distance);
  }
  if (OnColumn) SelectGridColumn(Cell.X, 0, false);
  if (!MouseCapture()) return;
  const std::string Bookmark = DataSet->Bookmark();
  const int SelCol = OnColumn ? DataCol : -1;

  if (P->FAutoDragOnSelection && Button == mbLeft && !ShiftKey && Type.Row == graData &&
      P->FSelection->DataCellSelected(SelCol, Bookmark)) {
    P->FDragPending = true;
    return;
  }

  if (PointInsideRect({X, Y}, DataAreaRect()) && !(Multi && RowSelect)) {
    P->FMouseTracking = true;
    P->FRectSelecting = true;
    // A right press inside the selection keeps it for a menu.
    if (!Ctrl && !ShiftKey && ClearSel && !(Button == mbRight && P->FSelection->DataCellSelected(SelCol, Bookmark)))
      ClearSelection();
    if (Button == mbLeft && OnColumn && !DataSet->IsEmpty() && CanSelectKind(gstRectangle)) {
      TDBGridGxSelectionRect* Rect = P->FSelection->Rect();
      if (ShiftKey) {
        if (P->FSelection->Kind() != gstRectangle) {
          Rect->Empty();
          Rect->ExtendTo(OldDataCol, OldBookmark, false);
        }
        Rect->ExtendTo(DataCol, Bookmark, true);
      } else {
        Rect->ExtendTo(DataCol, Bookmark, false);
      }
      P->FMouseMode = 3;
    }
  }

  const bool RowsMarkable = CanSelectKind(gstRecordBookmarks);
  if (Type.Row == graData && ((RowsMarkable && InIndicator) || RowSelect || !CanSelectKind(gstRectangle))) {
    ResetRowAnchor();
    const bool WasMarked = P->FBookmarks->IsCurrentRowMarked();
    P->FShiftExtends = Ctrl || !ClearSel;
    if (RowsMarkable) {
      if (ExtendRows && Distance != 0) {
        MoveBySelecting(true, Distance, true, false);
      } else if (Button == mbLeft && (Ctrl || !ClearSel)) {
        P->FBookmarks->MarkCurrentRow(!WasMarked);
      } else if (Button == mbLeft) {
        if (ClearSel) ClearSelection();
        P->FBookmarks->MarkCurrentRow(true);
      }
    }
    // A drag from here marks (or, toggling, unmarks) the rows it passes like this one.
    P->FMouseTracking = true;
    P->FRowSelecting = true;
    P->FMouseMode = 1;
    P->FRowAnchor = DataSet->Bookmark();
    P->FRowAnchorMarked = WasMarked;
    P->FRowAnchorSet = true;
  }

  if (Button == mbLeft && ((EditorAlwaysShown() && Cell == OldCell) || P->FOptions.Contains(dgAlwaysShowEditor)))
    ShowCellEditor();
  if (InIndicator || Button != mbLeft) {
    InvalidateCellEditor();
    return;
  }
  if (!OnColumn) return;
  TColumnGx* Column = P->FColumns->ColumnAt(DataCol);
  const win::RECT CellBox = CellRect(Cell.X, Cell.Y);
  const int ButtonsWidth = Column->EditButtonsWidth();
  const bool OnButtons = Type.Row == graData && ButtonsWidth > 0 &&
                         (UseRightToLeftAlignment() ? X < CellBox.left + ButtonsWidth : X >= CellBox.right - ButtonsWidth);
  if (P->FOptions.Contains(dgAlwaysShowEditor) || (Column->AlwaysShowEditButton() && OnButtons) || Cell == OldCell)
    ShowCellEditor();
  if (InplaceEditorVisible() && OnButtons) {
    // The editor's button under the pointer takes the press.
    EndTitleButtonTracking();
    const win::POINT Screen = ClientToScreen({X, Y});
    if (TWinControl* Window = TWinControl::FindControl(win::WindowFromPoint(Screen)); Window && Window != this) {
      TControl* Target = Window->ControlAtPos(Window->ScreenToClient(Screen), false);
      if (!Target) Target = Window;
      const win::POINT Pt = Target->ScreenToClient(Screen);
      Target->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON,
                      win::MAKELPARAM(static_cast<win::WORD>(Pt.x), static_cast<win::WORD>(Pt.y)));
    }
  }
  if (Type.Row == graData && IsCheckCell(Column)) P->FCheckClickCell = Cell;
}

void TCustomDBGridGx::HandleMouseMove(TShiftState Shift, int X, int Y) {
  if (P->FDragPending) {
    P->FDragPending = false;
    BeginDrag(true);
    return;
  }
  if (P->FMouseTracking && P->FPressedTitleCol >= 0) {
    UpdateTitleButtonShown(X, Y);
    if (std::abs(X - P->FLastMouseDown.x) > 3 && P->FOptions.Contains(dgColumnResize)) {
      // Dragged sideways: the title becomes a column being moved.
      EndTitleButtonTracking();
      if (win::GetKeyState(win::VK_LBUTTON) < 0) SetMouseCapture(true);
      Canvas()->Pen()->SetColor(clSilver);
      P->FTitleDragged = true;
      TCustomGrid::MouseDown(mbLeft, Shift, P->FLastMouseDown.x, P->FLastMouseDown.y);
    }
  } else if (P->FRowSelecting || P->FRectSelecting || P->FMouseMode == 3) {
    TGridDrawInfo Info;
    CalcDrawInfo(Info);
    const int CX = std::clamp(X, 0, std::max(0, Info.Horz.GridBoundary - 1));
    const int CY = std::clamp(Y, 0, std::max(0, Info.Vert.GridBoundary - 1));
    const TGridCoord Cell = MouseCoord(CX, CY);
    const win::RECT R = DataAreaRect();
    if (P->FDataLink->Active()) {
      int DataCol = -1, AreaRow = -1;
      const TGridCellTypeGx Type = GetCellType(Cell.X, Cell.Y, DataCol, AreaRow);
      const int Distance = AreaRow - P->FDataLink->ActiveRecord();
      if (CY >= R.top && CY <= R.bottom && Type.Row == graData && Distance != 0) {
        const bool Moved = X != P->FLastMouseDown.x || Y != P->FLastMouseDown.y;
        MoveBySelecting(Shift.Contains(ssLeft) && Moved, Distance, P->FMouseMode != 3, false);
      }
      if (P->FRectSelecting && CX >= R.left && CX <= R.right && Type.Col == gcaData && Cell.X != Col())
        SelectGridColumn(Cell.X, Cell.X > Col() ? 1 : -1, P->FMouseMode == 3);
    }
    P->FLastMouseDown = {X, Y};
    AutoScrollStep(X, Y);
  } else if (P->FMouseMode == 2) {
    const win::RECT R = DataAreaRect();
    const TGridCoord Cell = MouseCoord(X, Y);
    const int DataCol = GridToDataColumn(Cell.X);
    if (X < R.left || X > R.right || Cell.X < P->FIndicatorColCount || DataCol >= P->FColumns->Count())
      AutoScrollStep(X, Y);
    else
      P->FSelection->Columns()->ShiftSelectTo(P->FColumns->ColumnAt(DataCol));
  }
  const bool Trace = P->FOptionsGx.Contains(dghTraceColSizing);
  if (Trace && (FGridState == gsColSizing || P->FMouseMode == 6)) {
    TraceColumnSizing(X);
    TCustomControl::MouseMove(Shift, X, Y);
    return;
  }
  if (P->FMouseMode == 6) {
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
  P->FClickSortMarked = false;
  auto Done = AtScopeExit([this] {
    P->FClickSortMarked = false;
    P->FRowSizing = false;
    P->FCheckClickCell = {-1, -1};
  });
  const TGridCoord Cell = MouseCoord(X, Y);
  const bool Trace = P->FOptionsGx.Contains(dghTraceColSizing);

  if (P->FOptionsMenu && P->FUseMenu &&
      ((Button == mbRight && Cell.Y == 0) ||
       (Button == mbLeft && P->FOptions.Contains(dgIndicator) && Cell.X == 0 && Cell.Y == 0))) {
    TDataSource* Source = DataSource();
    if (Source && Source->DataSet() && Source->DataSet()->Active()) {
      P->FReleaseMenuShown = true;
      const win::POINT Pt = ClientToScreen({X, Y});
      P->FOptionsMenu->SetPopupComponent(this);
      P->FOptionsMenu->Popup(Pt.x, Pt.y);
    }
  }

  if (P->FMouseMode == 6 && !Trace) {
    TGridDrawInfo Info;
    CalcDrawInfo(Info);
    DrawSizingLine(Info);
    const int Width = FSizingPos - ColumnsLeftOf(FSizingIndex);
    if (Width > 1 && FSizingIndex < ColCount() && Width != ColWidths(FSizingIndex)) {
      SetColWidths(FSizingIndex, Width);
      ColWidthsChanged();
    }
  }

  if (P->FDragPending) {
    // The press on the selection did not become a drag: it was a click.
    P->FDragPending = false;
    if (Shift.Contains(ssCtrl) && P->FOptions.Contains(dgRowSelect)) P->FBookmarks->MarkCurrentRow(!P->FBookmarks->IsCurrentRowMarked());
    else if (P->FOptionsGx.Contains(dghClearSelection)) ClearSelection();
  } else if (Trace && (FGridState == gsColSizing || P->FMouseMode == 6)) {
    FGridState = gsNormal;
    P->FMouseMode = 0;
    return;
  }

  const int SavedMode = P->FMouseMode;
  P->FMouseMode = 0;
  ResetRowAnchor();
  if (FGridState == gsRowSizing) P->FRowSizing = true;

  if (P->FMouseTracking && P->FPressedTitleCol >= 0) {
    const bool Counted = OnPressedTitle(X, Y);
    const int DataCol = GridToDataColumn(P->FPressedTitleCol);
    EndTitleButtonTracking();
    if (Counted && DataCol >= 0 && DataCol < P->FColumns->Count()) {
      FireTitleBtnClick(DataCol, P->FColumns->ColumnAt(DataCol));
      P->FCtrlSort = Shift.Contains(ssCtrl);
      // The marker click sorts (or, with Ctrl, waits for Ctrl to be released); the title
      // click that follows does not sort again.
      if (P->FOptionsGx.Contains(dghAutoSortMarking) && DataCol < P->FColumns->Count()) {
        P->FColumns->ColumnAt(DataCol)->Title()->ClickSortMarker(P->FCtrlSort);
        P->FClickSortMarked = true;
        if (!P->FCtrlSort) FireSortMarkingChanged();
      }
    }
  }
  if (P->FRowSelecting || P->FRectSelecting) EndTitleButtonTracking();
  if (SavedMode != 0) StopAutoScrollTimer();

  const TGridState SavedState = FGridState;
  const bool ColumnMoved = SavedState == gsColMoving && (FMovePos != FMoveIndex || P->FTitleDragged);
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (SavedState == gsRowSizing || SavedState == gsColSizing) return;
  if (InplaceEditorVisible() && PointInsideRect({X, Y}, InplaceEditor()->BoundsRect())) return;

  const TGridCoord After = MouseCoord(X, Y);
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = GetCellType(After.X, After.Y, DataCol, AreaRow);
  if (Button == mbLeft && Type.Col == gcaData) {
    if (Type.Row == graTitle) {
      // Only a release on the title pressed is a click on it.
      if (!ColumnMoved && After == P->FMouseDownCell && DataCol < P->FColumns->Count())
        HandleTitleClick(P->FColumns->ColumnAt(DataCol));
    } else if (ShowsRecord(this, Type, AreaRow)) {
      if (TColumnGx* Column = CurrentColumn()) FireCellClick(Column);
    }
  }

  if (P->FCheckClickCell.X >= 0 && After == P->FCheckClickCell) {
    const int CheckCol = GridToDataColumn(After.X);
    TColumnGx* Column = CheckCol >= 0 && CheckCol < P->FColumns->Count() ? P->FColumns->ColumnAt(CheckCol) : nullptr;
    if (Column && !Column->DblClickNextVal() && Column->CheckEditable(true))
      Column->StepCellValue(Shift.Contains(ssShift) ? -1 : 1);
  }
}

void TCustomDBGridGx::CancelMouseMode() {
  if (P->FMouseMode == 6) {
    if (!P->FOptionsGx.Contains(dghTraceColSizing)) {
      TGridDrawInfo Info;
      CalcDrawInfo(Info);
      DrawSizingLine(Info);
    }
  } else if (P->FMouseMode != 0) {
    StopAutoScrollTimer();
  }
  EndTitleButtonTracking();
  P->FMouseMode = 0;
  P->FDragPending = false;
}

bool TCustomDBGridGx::MouseMessage(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK: {
      if (DragMode() != dmAutomatic || !P->FOptions.Contains(dgMultiSelect) || ComponentState().Contains(csDesigning))
        return false;
      // A press selects first; the mouse handling starts the drag itself once the pointer
      // moves on a selected cell.
      SetDragMode(dmManual);
      P->FAutoDragOnSelection = true;
      auto Restore = AtScopeExit([this] {
        SetDragMode(dmAutomatic);
        P->FAutoDragOnSelection = false;
      });
      Dispatch(Message);
      return true;
    }
    case win::WM_RBUTTONUP: {
      P->FReleaseMenuShown = false;
      auto Reset = AtScopeExit([this] { P->FReleaseMenuShown = false; });
      if (!PopupColumnMenu(Message)) TCustomGrid::Dispatch(Message);
      return true;
    }
    case win::WM_CONTEXTMENU:
      // The release that asks for it has opened a menu already.
      if (!P->FReleaseMenuShown) return false;
      Message.Result = 1;
      return true;
    case win::WM_CANCELMODE: CancelMouseMode(); return false;
    case CM_CANCELMODE:
      CancelMouseMode();
      if (P->FFilterEditor) P->FFilterEditor->Perform(CM_CANCELMODE, Message.WParam, Message.LParam);
      return false;
    case win::WM_TIMER: {
      if (Message.WParam != 1 || P->FAutoScrollInterval < 0) return false;
      if (P->FMouseMode == 2) {
        win::POINT Pt;
        win::GetCursorPos(&Pt);
        Pt = ScreenToClient(Pt);
        AutoScrollStep(Pt.x, Pt.y);
      } else if (P->FRowSelecting || P->FRectSelecting) {
        AutoScrollStep(P->FLastMouseDown.x, P->FLastMouseDown.y);
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
  if (!P->FColumns) return false;
  const int X = Message.XPos(), Y = Message.YPos();
  const TGridCoord Cell = MouseCoord(X, Y);
  if (Cell.X < P->FIndicatorColCount || Cell.Y < 0) return false;
  const int DataCol = GridToDataColumn(Cell.X);
  if (DataCol >= P->FColumns->Count()) return false;
  TPopupMenu* Menu = P->FColumns->ColumnAt(DataCol)->PopupMenu();
  if (!Menu || !Menu->AutoPopup()) return false;
  HandleMouseUp(mbRight, KeysToShiftState(static_cast<win::WORD>(Message.WParam)), X, Y);
  Message.Result = 1;
  // The options menu of the title row went up for this release: one menu is enough.
  if (P->FReleaseMenuShown) return true;
  CancelMouseMode();
  CancelMode();
  Menu->SetPopupComponent(this);
  const win::POINT Pt = ClientToScreen(win::POINT{X, Y});
  Menu->Popup(Pt.x, Pt.y);
  return true;
}
