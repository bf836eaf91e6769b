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

bool TCustomDBGridGx::TState::OnPressedTitle(int X, int Y) {
  const win::RECT Client = G.ClientRect();
  if (FPressedTitleCol < 0 || X < Client.left || X >= Client.right || Y < Client.top || Y >= Client.bottom)
    return false;
  const TGridCoord Cell = G.MouseCoord(X, Y);
  return Cell.Y == 0 && Cell.X == FPressedTitleCol && OnTitleLeaf(Cell.X, X, Y);
}

void TCustomDBGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbRight && !MouseCapture()) SetMouseCapture(true);
  P->FCheckClickCell = {-1, -1};
  P->FLastMouseDown = {X, Y};
  P->FMouseDownCell = MouseCoord(X, Y);
  P->FTitleDragged = false;
  if (P->FShowBmp && P->FOptions.Contains(dgIndicator)) P->PaintGlyphSpot();
  if (!TakeFocus()) return;
  const bool Active = P->FDataLink->Active();
  const bool Trace = P->FOptionsGx.Contains(dghTraceColSizing);
  if (P->FFilterEditing && P->PointInsideRect({X, Y}, DataAreaRect())) {
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
    if (State == gsColSizing || P->FrozenSizingZone(X, Y, Index, Pos, Ofs)) {
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

  if (Button == mbLeft && P->FrozenSizingZone(X, Y, Index, Pos, Ofs)) {
    P->FMouseMode = gmmSizeFrozenCol;
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
    P->FMouseMode = gmmSelectColumns;
    P->StartAutoScrollTimer(60);
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

  if (Button == mbLeft && OnDataTitle && !Designing && P->OnTitleLeaf(Cell.X, X, Y)) {
    bool Enabled = P->FColumns->ColumnAt(DataCol)->Title()->TitleButton();
    P->FireCheckButton(DataCol, P->FColumns->ColumnAt(DataCol), Enabled);
    if (Enabled && MouseCapture()) {
      P->FMouseTracking = true;
      P->FPressedTitleCol = Cell.X;
      P->UpdateTitleButtonShown(X, Y);
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
  if (!Type.None() && AboveRecords && Active) P->PressCell(Button, Shift, X, Y, Cell);
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDBGridGx::TState::PressCell(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell) {
  TDataSet* DataSet = FDataLink->DataSet();
  const bool Multi = FOptions.Contains(dgMultiSelect), RowSelect = FOptions.Contains(dgRowSelect);
  const bool ShiftKey = Shift.Contains(ssShift), Ctrl = Shift.Contains(ssCtrl);
  const bool ClearSel = FOptionsGx.Contains(dghClearSelection);
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = G.GetCellType(Cell.X, Cell.Y, DataCol, AreaRow);
  const bool InIndicator = Type.Col == gcaIndicator;
  const bool OnColumn = Type.Col == gcaData && DataCol < FColumns->Count();

  G.LockUpdates();
  auto Unlock = AtScopeExit([this] { G.UnlockUpdates(); });
  FDataLink->UpdateRecord();
  G.HideEditor();
  const TGridCoord OldCell{G.Col(), G.Row()};
  const int OldDataCol = G.CurrentDataColumn();
  const std::string OldBookmark = DataSet->Bookmark();

  // Shift with multi-selection marks the rows up to the one pressed instead of moving.
  const bool ExtendRows = ShiftKey && Multi && (RowSelect || InIndicator);
  int Distance = 0;
  if (Type.Row == graData) {
    Distance = AreaRow - FDataLink->ActiveRecord();
    if (Distance != 0 && !ExtendRows) DataSet->MoveBy(Distance);
  }
  if (OnColumn) G.SelectGridColumn(Cell.X, 0, false);
  if (!G.MouseCapture()) return;
  const std::string Bookmark = DataSet->Bookmark();
  const int SelCol = OnColumn ? DataCol : -1;

  if (FAutoDragOnSelection && Button == mbLeft && !ShiftKey && Type.Row == graData &&
      FSelection->DataCellSelected(SelCol, Bookmark)) {
    FDragPending = true;
    return;
  }

  if (PointInsideRect({X, Y}, G.DataAreaRect()) && !(Multi && RowSelect)) {
    FMouseTracking = true;
    FRectSelecting = true;
    // A right press inside the selection keeps it for a menu.
    if (!Ctrl && !ShiftKey && ClearSel && !(Button == mbRight && FSelection->DataCellSelected(SelCol, Bookmark)))
      G.ClearSelection();
    if (Button == mbLeft && OnColumn && !DataSet->IsEmpty() && G.CanSelectKind(gstRectangle)) {
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
      FMouseMode = gmmSelectRect;
    }
  }

  const bool RowsMarkable = G.CanSelectKind(gstRecordBookmarks);
  if (Type.Row == graData && ((RowsMarkable && InIndicator) || RowSelect || !G.CanSelectKind(gstRectangle))) {
    G.ResetRowAnchor();
    const bool WasMarked = FBookmarks->IsCurrentRowMarked();
    FShiftExtends = Ctrl || !ClearSel;
    if (RowsMarkable) {
      if (ExtendRows && Distance != 0) {
        G.MoveBySelecting(true, Distance, true, false);
      } else if (Button == mbLeft && (Ctrl || !ClearSel)) {
        FBookmarks->MarkCurrentRow(!WasMarked);
      } else if (Button == mbLeft) {
        if (ClearSel) G.ClearSelection();
        FBookmarks->MarkCurrentRow(true);
      }
    }
    // A drag from here marks (or, toggling, unmarks) the rows it passes like this one.
    FMouseTracking = true;
    FRowSelecting = true;
    FMouseMode = gmmMarkRows;
    FRowAnchor = DataSet->Bookmark();
    FRowAnchorMarked = WasMarked;
    FRowAnchorSet = true;
  }

  if (Button == mbLeft && ((G.EditorAlwaysShown() && Cell == OldCell) || FOptions.Contains(dgAlwaysShowEditor)))
    G.ShowCellEditor();
  if (InIndicator || Button != mbLeft) {
    G.InvalidateCellEditor();
    return;
  }
  if (!OnColumn) return;
  TColumnGx* Column = FColumns->ColumnAt(DataCol);
  const win::RECT CellBox = G.CellRect(Cell.X, Cell.Y);
  const int ButtonsWidth = Column->EditButtonsWidth();
  const bool OnButtons = Type.Row == graData && ButtonsWidth > 0 &&
                         (G.UseRightToLeftAlignment() ? X < CellBox.left + ButtonsWidth : X >= CellBox.right - ButtonsWidth);
  if (FOptions.Contains(dgAlwaysShowEditor) || (Column->AlwaysShowEditButton() && OnButtons) || Cell == OldCell)
    G.ShowCellEditor();
  if (G.InplaceEditorVisible() && OnButtons) {
    // The editor's button under the pointer takes the press.
    EndTitleButtonTracking();
    const win::POINT Screen = G.ClientToScreen({X, Y});
    if (TWinControl* Window = TWinControl::FindControl(win::WindowFromPoint(Screen)); Window && Window != &G) {
      TControl* Target = Window->ControlAtPos(Window->ScreenToClient(Screen), false);
      if (!Target) Target = Window;
      const win::POINT Pt = Target->ScreenToClient(Screen);
      Target->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON,
                      win::MAKELPARAM(static_cast<win::WORD>(Pt.x), static_cast<win::WORD>(Pt.y)));
    }
  }
  if (Type.Row == graData && IsCheckCell(Column)) FCheckClickCell = Cell;
}

void TCustomDBGridGx::MouseMove(TShiftState Shift, int X, int Y) {
  if (P->FDragPending) {
    P->FDragPending = false;
    BeginDrag(true);
    return;
  }
  if (P->FMouseTracking && P->FPressedTitleCol >= 0) {
    P->UpdateTitleButtonShown(X, Y);
    if (std::abs(X - P->FLastMouseDown.x) > 3 && P->FOptions.Contains(dgColumnResize)) {
      // Dragged sideways: the title becomes a column being moved.
      P->EndTitleButtonTracking();
      if (win::GetKeyState(win::VK_LBUTTON) < 0) SetMouseCapture(true);
      Canvas()->Pen()->SetColor(clSilver);
      P->FTitleDragged = true;
      TCustomGrid::MouseDown(mbLeft, Shift, P->FLastMouseDown.x, P->FLastMouseDown.y);
    }
  } else if (P->FRowSelecting || P->FRectSelecting || P->FMouseMode == gmmSelectRect) {
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
        MoveBySelecting(Shift.Contains(ssLeft) && Moved, Distance, P->FMouseMode != gmmSelectRect, false);
      }
      if (P->FRectSelecting && CX >= R.left && CX <= R.right && Type.Col == gcaData && Cell.X != Col())
        SelectGridColumn(Cell.X, Cell.X > Col() ? 1 : -1, P->FMouseMode == gmmSelectRect);
    }
    P->FLastMouseDown = {X, Y};
    AutoScrollStep(X, Y);
  } else if (P->FMouseMode == gmmSelectColumns) {
    const win::RECT R = DataAreaRect();
    const TGridCoord Cell = MouseCoord(X, Y);
    const int DataCol = GridToDataColumn(Cell.X);
    if (X < R.left || X > R.right || Cell.X < P->FIndicatorColCount || DataCol >= P->FColumns->Count())
      AutoScrollStep(X, Y);
    else
      P->FSelection->Columns()->ShiftSelectTo(P->FColumns->ColumnAt(DataCol));
  }
  const bool Trace = P->FOptionsGx.Contains(dghTraceColSizing);
  if (Trace && (FGridState == gsColSizing || P->FMouseMode == gmmSizeFrozenCol)) {
    P->TraceColumnSizing(X);
    TCustomControl::MouseMove(Shift, X, Y);
    return;
  }
  if (P->FMouseMode == gmmSizeFrozenCol) {
    TGridDrawInfo Info;
    CalcDrawInfo(Info);
    DrawSizingLine(Info);
    FSizingPos = X + FSizingOfs;
    DrawSizingLine(Info);
  }
  TCustomGrid::MouseMove(Shift, X, Y);
}

void TCustomDBGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
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

  if (P->FMouseMode == gmmSizeFrozenCol && !Trace) {
    TGridDrawInfo Info;
    CalcDrawInfo(Info);
    DrawSizingLine(Info);
    const int Width = FSizingPos - P->ColumnsLeftOf(FSizingIndex);
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
  } else if (Trace && (FGridState == gsColSizing || P->FMouseMode == gmmSizeFrozenCol)) {
    FGridState = gsNormal;
    P->FMouseMode = gmmNone;
    return;
  }

  const TGridMouseMode SavedMode = P->FMouseMode;
  P->FMouseMode = gmmNone;
  ResetRowAnchor();
  if (FGridState == gsRowSizing) P->FRowSizing = true;

  if (P->FMouseTracking && P->FPressedTitleCol >= 0) {
    const bool Counted = P->OnPressedTitle(X, Y);
    const int DataCol = GridToDataColumn(P->FPressedTitleCol);
    P->EndTitleButtonTracking();
    if (Counted && DataCol >= 0 && DataCol < P->FColumns->Count()) {
      P->FireTitleBtnClick(DataCol, P->FColumns->ColumnAt(DataCol));
      P->FCtrlSort = Shift.Contains(ssCtrl);
      // The marker click sorts (or, with Ctrl, waits for Ctrl to be released); the title
      // click that follows does not sort again.
      if (P->FOptionsGx.Contains(dghAutoSortMarking) && DataCol < P->FColumns->Count()) {
        P->FColumns->ColumnAt(DataCol)->Title()->ClickSortMarker(P->FCtrlSort);
        P->FClickSortMarked = true;
        if (!P->FCtrlSort) P->FireSortMarkingChanged();
      }
    }
  }
  if (P->FRowSelecting || P->FRectSelecting) P->EndTitleButtonTracking();
  if (SavedMode != gmmNone) P->StopAutoScrollTimer();

  const TGridState SavedState = FGridState;
  const bool ColumnMoved = SavedState == gsColMoving && (FMovePos != FMoveIndex || P->FTitleDragged);
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (SavedState == gsRowSizing || SavedState == gsColSizing) return;
  if (InplaceEditorVisible() && P->PointInsideRect({X, Y}, InplaceEditor()->BoundsRect())) return;

  const TGridCoord After = MouseCoord(X, Y);
  int DataCol = -1, AreaRow = -1;
  const TGridCellTypeGx Type = GetCellType(After.X, After.Y, DataCol, AreaRow);
  if (Button == mbLeft && Type.Col == gcaData) {
    if (Type.Row == graTitle) {
      // Only a release on the title pressed is a click on it.
      if (!ColumnMoved && After == P->FMouseDownCell && DataCol < P->FColumns->Count())
        HandleTitleClick(P->FColumns->ColumnAt(DataCol));
    } else if (ShowsRecord(this, Type, AreaRow)) {
      if (TColumnGx* Column = CurrentColumn()) P->FireCellClick(Column);
    }
  }

  if (P->FCheckClickCell.X >= 0 && After == P->FCheckClickCell) {
    const int CheckCol = GridToDataColumn(After.X);
    TColumnGx* Column = CheckCol >= 0 && CheckCol < P->FColumns->Count() ? P->FColumns->ColumnAt(CheckCol) : nullptr;
    if (Column && !Column->DblClickNextVal() && Column->CheckEditable(true))
      Column->StepCellValue(Shift.Contains(ssShift) ? -1 : 1);
  }
}

void TCustomDBGridGx::TState::CancelMouseMode() {
  if (FMouseMode == gmmSizeFrozenCol) {
    if (!FOptionsGx.Contains(dghTraceColSizing)) {
      TGridDrawInfo Info;
      G.CalcDrawInfo(Info);
      G.DrawSizingLine(Info);
    }
  } else if (FMouseMode != gmmNone) {
    StopAutoScrollTimer();
  }
  EndTitleButtonTracking();
  FMouseMode = gmmNone;
  FDragPending = false;
}

bool TCustomDBGridGx::TState::MouseMessage(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK: {
      if (G.DragMode() != dmAutomatic || !FOptions.Contains(dgMultiSelect) || G.ComponentState().Contains(csDesigning))
        return false;
      // A press selects first; the mouse handling starts the drag itself once the pointer
      // moves on a selected cell.
      G.SetDragMode(dmManual);
      FAutoDragOnSelection = true;
      auto Restore = AtScopeExit([this] {
        G.SetDragMode(dmAutomatic);
        FAutoDragOnSelection = false;
      });
      G.Dispatch(Message);
      return true;
    }
    case win::WM_RBUTTONUP: {
      FReleaseMenuShown = false;
      auto Reset = AtScopeExit([this] { FReleaseMenuShown = false; });
      if (!PopupColumnMenu(Message)) G.TCustomGrid::Dispatch(Message);
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
      if (FMouseMode == gmmSelectColumns) {
        win::POINT Pt;
        win::GetCursorPos(&Pt);
        Pt = G.ScreenToClient(Pt);
        G.AutoScrollStep(Pt.x, Pt.y);
      } else if (FRowSelecting || FRectSelecting) {
        G.AutoScrollStep(FLastMouseDown.x, FLastMouseDown.y);
      }
      return true;
    }
    default: return false;
  }
}

// A right-button release over a data column whose column has its own auto-popup menu
// pops that menu up at the mouse point (instead of the grid's context menu); true when
// the release was handled so.
bool TCustomDBGridGx::TState::PopupColumnMenu(TMessage& Message) {
  if (!FColumns) return false;
  const int X = Message.XPos(), Y = Message.YPos();
  const TGridCoord Cell = G.MouseCoord(X, Y);
  if (Cell.X < FIndicatorColCount || Cell.Y < 0) return false;
  const int DataCol = G.GridToDataColumn(Cell.X);
  if (DataCol >= FColumns->Count()) return false;
  TPopupMenu* Menu = FColumns->ColumnAt(DataCol)->PopupMenu();
  if (!Menu || !Menu->AutoPopup()) return false;
  G.MouseUp(mbRight, KeysToShiftState(static_cast<win::WORD>(Message.WParam)), X, Y);
  Message.Result = 1;
  // The options menu of the title row went up for this release: one menu is enough.
  if (FReleaseMenuShown) return true;
  CancelMouseMode();
  G.CancelMode();
  Menu->SetPopupComponent(&G);
  const win::POINT Pt = G.ClientToScreen(win::POINT{X, Y});
  Menu->Popup(Pt.x, Pt.y);
  return true;
}
