// How the grid follows its dataset: activation, data and record changes, scrolling,
// the active row and the scroll bars.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

// Navigation clears the selection only with dghClearSelection; without it the
// selection stays while the user moves.
void TCustomDBGridGx::ClearSelection() {
  const bool Clearing = P->FOptionsGx.Contains(dghClearSelection);
  if (P->FOptions.Contains(dgMultiSelect) && Clearing && P->FBookmarks) P->FBookmarks->Clear();
  P->FRowAnchorSet = false;
  if (!Clearing || !P->FSelection || P->FSelection->Kind() == gstNon) return;
  P->FSelection->Reset();
  Invalidate();
  InvalidateCellEditor();
}

void TCustomDBGridGx::SetDataSource(TDataSource* Value) {
  if (Value == DataSource()) return;
  // Marks of another dataset mean nothing here, whatever the options say.
  if (P->FSelection) P->FSelection->Reset();
  P->FRowAnchorSet = false;
  P->FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  LinkActiveChanged();
  P->FSumList->SetDataSet(Value ? Value->DataSet() : nullptr);
}

void TCustomDBGridGx::LinkActiveChanged() {
  const bool Active = P->FDataLink && P->FDataLink->Active();
  if (!Active) HideEditor();
  // The marked rows belong to the old state of the link: they go, and bookmarks can be
  // taken only while the link is active.
  if (P->FSelection) P->FSelection->LinkActive(Active);
  P->FSumList->SetDataSet(P->FDataLink ? P->FDataLink->DataSet() : nullptr);
  if (CursorModeActive()) RecountRows();
  RequestLayout();
  if (Active && EditorAlwaysShown()) ShowCellEditor();
  UpdateVertScrollBar();
  UpdateCursorMode();
}

bool TCustomDBGridGx::VertBarShown() {
  return HandleAllocated() && (win::GetWindowLongPtr(Handle(), win::GWL_STYLE) & win::WS_VSCROLL) != 0;
}

void TCustomDBGridGx::UpdateVertScrollBarAndFit() {
  const bool Shown = VertBarShown();
  UpdateVertScrollBar();
  if (Shown != VertBarShown() && P->FAutoFitColWidths && !ComponentState().Contains(csDesigning))
    PostDeferredLayout();
}

void TCustomDBGridGx::RefreshAfterDataChange() {
  if (!HandleAllocated()) return;
  if (ComponentState().Contains(csDesigning) && P->FSumList->Active() && !P->FRecalculatingSums) {
    P->FRecalculatingSums = true;
    auto done = AtScopeExit([this] { P->FRecalculatingSums = false; });
    P->FSumList->RecalculateAll();
  }
  RecountRows();
  UpdateVertScrollBarAndFit();
  SyncActiveRow();
  InvalidateCellEditor();
  win::ValidateRect(Handle(), nullptr);
  Invalidate();
}

void TCustomDBGridGx::ScrollRows(int Distance) {
  if (CursorModeActive()) {
    SyncActiveRowCursorMode();
    return;
  }
  if (!HandleAllocated()) return;
  const win::RECT Client = ClientRect();
  // A column in view gives the rows' vertical extent.
  const int ShownCol = FixedCols() > 0 ? 0 : LeftCol();
  auto RowBox = [&](int ARow) {
    win::RECT R = CellRect(ShownCol, ARow);
    R.left = 0;
    R.right = Client.right;
    return R;
  };
  const win::RECT OldBox = RowBox(Row());
  if (P->FDataLink->ActiveRecord() >= RowCount() - P->FTitleAreaRowCount) RecountRows();
  UpdateVertScrollBarAndFit();
  SyncActiveRow();
  win::ValidateRect(Handle(), &OldBox);
  win::InvalidateRect(Handle(), &OldBox, win::FALSE);
  const win::RECT NewBox = RowBox(Row());
  win::InvalidateRect(Handle(), &NewBox, win::FALSE);

  if (Distance != 0) {
    HideEditor();
    auto reshow = AtScopeExit([this] {
      if (P->FOptions.Contains(dgAlwaysShowEditor)) ShowCellEditor();
    });
    if (std::abs(Distance) > VisibleDataRowCount()) {
      Invalidate();
    } else {
      const int H = DefaultRowHeight() + (P->FOptions.Contains(dgRowLines) ? GridLineWidth() : 0);
      if (P->FOptions.Contains(dgIndicator)) InvalidateIndicator();
      win::RECT Area = CellRect(ShownCol, P->FTitleAreaRowCount);
      Area.left = 0;
      Area.right = Client.right;
      Area.bottom = Client.bottom;
      // Footers stay put: only the rows above the separator move.
      if (P->FFooterRowCount > 0) Area.bottom = std::max(Area.top, CellRect(ShownCol, RowCount() - P->FFooterRowCount - 1).top);
      win::ScrollWindowEx(Handle(), 0, -H * Distance, &Area, &Area, nullptr, nullptr, win::SW_INVALIDATE);
      if (P->FOptions.Contains(dgIndicator)) InvalidateCell(0, Row());
    }
  }
  for (int I = 0; I < P->FFooterRowCount; ++I) InvalidateRow(RowCount() - 1 - I);
  if (P->FUpdateLockCount == 0) Update();
}

void TCustomDBGridGx::InvalidateIndicator() {
  if (P->FOptions.Contains(dgIndicator)) InvalidateCell(0, P->FIndicatorRow >= 0 ? P->FIndicatorRow : Row());
}

void TCustomDBGridGx::RecordChanged(TField* Field) {
  if (!HandleAllocated()) return;
  if (!Field) {
    Invalidate();
  } else {
    for (int I = 0; I < P->FColumns->Count(); ++I)
      if (P->FColumns->ColumnAt(I)->Field() == Field) InvalidateCell(DataToGridColumn(I), Row());
  }
  TField* Current = CurrentColumnField();
  if (!Current || (Field && Field != Current)) return;
  if (CellEditText(CurrentColumn()) != P->FEditText) {
    InvalidateCellEditor();
    if (InplaceEditor()) InplaceEditor()->SetSelLength(0);
  }
}

void TCustomDBGridGx::SyncActiveRow() {
  if (P->FSearching && !P->FSearchMoving) StopIncrementalSearch();  // the dataset moved for another reason
  if (CursorModeActive()) {
    SyncActiveRowCursorMode();
    return;
  }
  if (!P->FDataLink || !P->FDataLink->Active() || !HandleAllocated() || Loading()) return;
  const int Target = P->FDataLink->ActiveRecord() + P->FTitleAreaRowCount;
  if (Target != Row() && Target < RowCount()) {
    if (!P->FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
    MoveColRow(Col(), Target, false, false);
    InvalidateCellEditor();
  }
  // The editor follows the field, unless it holds typed text not yet written.
  TField* Current = CurrentColumnField();
  if (Current && !P->FDataLink->Modified() && CellEditText(CurrentColumn()) != P->FEditText) InvalidateCellEditor();
}

void TCustomDBGridGx::UpdateVertScrollBar() {
  if (CursorModeActive()) {
    UpdateScrollInfoCursorMode();
    return;
  }
  if (!P->FDataLink || !HandleAllocated()) return;
  const win::HWND H = Handle();
  const bool Always = P->FVertScrollBar->VisibleMode() == sbAlwaysShowGx;
  TScrollBar* Ext = P->FVertScrollBar->ExtScrollBar();
  win::SCROLLINFO Old{};
  Old.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  win::GetScrollInfo(H, win::SB_VERT, &Old);

  int Min = 0, Max = 1, Page = 2, Pos = 0;
  if (P->FDataLink->Active()) {
    TDataSet* DS = P->FDataLink->DataSet();
    if (P->FSumList->DataSet() && P->FSumList->CursorIsSequenced()) {
      Min = 1;
      Page = VisibleDataRowCount();
      Max = P->FSumList->VirtualRecordCount() + Page - 1;
      Pos = DS->State() >= dsInsert ? Old.nPos : P->FSumList->VirtualRecNo();
    } else {
      // Without record numbers the thumb tells only top, middle or bottom.
      Min = 0;
      Page = 0;
      Max = 4;
      Pos = DS->Bof() ? 0 : DS->Eof() ? 4 : 2;
    }
  }
  const int RealMax = Max;
  if (!P->FVertScrollBar->Visible() || Ext) Max = Min;

  const bool ModeChanged = P->FAppliedVertMode != static_cast<int>(P->FVertScrollBar->VisibleMode());
  if (Min != Old.nMin || Max != Old.nMax || Page != static_cast<int>(Old.nPage) || Pos != Old.nPos || ModeChanged) {
    // The window's own test: disagreeing, hiding the bar here and showing it again below
    // would resize the window back and forth without end.
    const bool Stuck = !win::ScrollRangeScrolls(Min, Max, static_cast<win::UINT>(std::max(Page, 0)));
    const bool DisableOnly = Always && !Ext;
    if (Stuck && !DisableOnly) {
      win::EnableScrollBar(H, win::SB_VERT, win::ESB_ENABLE_BOTH);
      win::ShowScrollBar(H, win::SB_VERT, win::FALSE);
    } else if (Stuck) {
      win::EnableScrollBar(H, win::SB_VERT, win::ESB_DISABLE_BOTH);
      win::ShowScrollBar(H, win::SB_VERT, win::TRUE);
    }
    win::SCROLLINFO Info{};
    Info.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | (DisableOnly ? win::SIF_DISABLENOSCROLL : 0);
    Info.nMin = Min;
    Info.nMax = Max;
    Info.nPage = static_cast<win::UINT>(Page);
    Info.nPos = Pos;
    win::SetScrollInfo(H, win::SB_VERT, &Info, win::TRUE);
    P->FAppliedVertMode = static_cast<int>(P->FVertScrollBar->VisibleMode());
  }

  if (Ext) {
    const int ExtMin = std::min(Min, RealMax);
    Ext->SetPageSize(0);
    Ext->SetParams(Pos, ExtMin, RealMax);
    // An empty dataset leaves a range shorter than a page: the bar takes no more.
    Ext->SetPageSize(std::min(Page, RealMax - ExtMin + 1));
  }
}

void TCustomDBGridGx::UpdateHorzScrollBar() {
  TScrollBar* Ext = P->FHorzScrollBar ? P->FHorzScrollBar->ExtScrollBar() : nullptr;
  if (!Ext || !HandleAllocated()) return;
  const int Page = VisibleColCount();
  const int Max = Page + FixedCols() >= ColCount() ? 0 : 127;
  // When every column fits there is nowhere to go: the thumb stays at 0.
  const int Span = MaxLeftCol() - FixedCols();
  const int Pos = Span > 0 ? std::clamp(MulDiv(LeftCol() - FixedCols(), 127, Span), 0, 127) : 0;
  if (Ext->Min() != 0 || Ext->Max() != Max || Ext->PageSize() != Page || Ext->Position() != Pos) {
    Ext->SetPageSize(0);
    Ext->SetParams(Pos, 0, Max);
  }
}

void TCustomDBGridGx::TimedScroll(TGridScrollDirection Direction) {
  if (!P->FDataLink || !P->FDataLink->Active()) return;
  TDataSet* DS = P->FDataLink->DataSet();
  if (Direction.Contains(sdUp)) DS->MoveBy(-P->FDataLink->ActiveRecord() - 1);
  if (Direction.Contains(sdDown)) DS->MoveBy(P->FDataLink->RecordCount() - P->FDataLink->ActiveRecord());
  TGridScrollDirection Rest = Direction;
  Rest -= sdUp;
  Rest -= sdDown;
  if (!Rest.Empty()) TCustomGrid::TimedScroll(Rest);
}

void TCustomDBGridGx::ApplyColumnIme() {
  if (!win::GetSystemMetrics(win::SM_DBCSENABLED)) return;
  std::string Name = P->FDefaultImeName;
  TImeMode Mode = P->FDefaultImeMode;
  if (TColumnGx* Column = CurrentColumn()) {
    if (Column->AssignedValues().Contains(cvImeName)) Name = Column->ImeName();
    if (Column->AssignedValues().Contains(cvImeMode)) Mode = Column->ImeMode();
  }
  SetImeName(Name);
  SetImeMode(Mode);
  if (TInplaceEdit* Editor = InplaceEditor()) {
    Editor->SetImeName(Name);
    Editor->SetImeMode(Mode);
  }
}

int TCustomDBGridGx::VertTrackPos() {
  win::SCROLLINFO Info{};
  Info.fMask = win::SIF_TRACKPOS;
  win::GetScrollInfo(Handle(), win::SB_VERT, &Info);
  return Info.nTrackPos;
}

void TCustomDBGridGx::VertScrollMessage(TMessage& Message) {
  if (!TakeFocus()) return;
  if (CursorModeActive()) {
    VScrollCursorMode(Message);
    return;
  }
  if (!P->FDataLink || !P->FDataLink->Active()) return;
  TDataSet* DS = P->FDataLink->DataSet();
  const bool Numbered = P->FSumList->DataSet() && P->FSumList->CursorIsSequenced();
  switch (Message.WParamLo()) {
    case win::SB_LINEUP: DS->MoveBy(-P->FDataLink->ActiveRecord() - 1); break;
    case win::SB_LINEDOWN: DS->MoveBy(P->FDataLink->RecordCount() - P->FDataLink->ActiveRecord()); break;
    case win::SB_PAGEUP: DS->MoveBy(-VisibleDataRowCount()); break;
    case win::SB_PAGEDOWN: DS->MoveBy(VisibleDataRowCount()); break;
    case win::SB_THUMBPOSITION:
      if (P->FSkipThumbPosition) {
        P->FSkipThumbPosition = false;
        break;
      }
      if (!Numbered) {
        switch (Message.WParamHi()) {
          case 0: DS->First(); break;
          case 1: DS->MoveBy(-VisibleDataRowCount()); break;
          case 3: DS->MoveBy(VisibleDataRowCount()); break;
          case 4: DS->Last(); break;
          default: break;
        }
      } else {
        const int Pos = VertTrackPos();
        const int Count = P->FSumList->VirtualRecordCount();
        if (Pos > 1 && Pos < Count) P->FSumList->SetVirtualRecNo(Pos);
        else if (Pos >= Count) DS->Last();
        else DS->First();
      }
      break;
    case win::SB_THUMBTRACK:
      // On the five-step bar the thumb has no record number to follow: only its final
      // position counts.
      if (P->FVertScrollBar->Tracking() && Numbered) {
        DS->MoveBy(VertTrackPos() - P->FSumList->VirtualRecNo());
        P->FSkipThumbPosition = true;
      }
      break;
    case win::SB_TOP: DS->First(); break;
    case win::SB_BOTTOM: DS->Last(); break;
    default: break;
  }
}

void TCustomDBGridGx::HorzScrollMessage(TMessage& Message) {
  if (P->FHorzScrollBar->Tracking() && Message.WParamLo() == win::SB_THUMBTRACK) {
    Perform(win::WM_HSCROLL, win::MAKEWPARAM(win::SB_THUMBPOSITION, Message.WParamHi()), Message.LParam);
  } else {
    TCustomGrid::Dispatch(Message);
  }
  UpdateHorzScrollBar();
}

void TCustomDBGridGx::FocusMessage(TMessage& Message) {
  const bool In = Message.Msg == win::WM_SETFOCUS;
  const win::HWND Other = reinterpret_cast<win::HWND>(Message.WParam);
  const bool FromEditor = InplaceEditor() && InplaceEditor()->HandleAllocated() && Other == InplaceEditor()->Handle();
  auto RepaintSelectedRow = [this] {
    if (!P->FOptions.Contains(dgRowSelect)) return;
    // The frozen columns belong to the row's highlight too; the row runs to the right edge.
    const int First = std::max(0, FixedCols() - P->FFrozenCols);
    win::RECT R = CellRect(First, Selection().Top);
    R.bottom = std::max(R.bottom, CellRect(First, Selection().Bottom).bottom);
    R.right = ClientWidth();
    win::InvalidateRect(Handle(), &R, win::FALSE);
  };
  if (!In && !FromEditor) FinishCtrlSort();
  const bool ToEditor = FromEditor;  // on focus out the other window is where it goes
  if (In && !FromEditor) ApplyColumnIme();
  RepaintSelectedRow();
  // Leaving the grid, the input method goes back to the system's default.
  const bool DoubleByte = win::GetSystemMetrics(win::SM_DBCSENABLED) != 0;
  if (!In && DoubleByte) {
    SetImeName(Screen->DefaultIme());
    SetImeMode(imDontCare);
  }
  TCustomGrid::Dispatch(Message);
  // While a filter cell is edited the focus belongs in its editor.
  if (In && P->FFilterEditing && P->FFilterEditor && P->FFilterEditor->HandleAllocated() && Other != P->FFilterEditor->Handle() &&
      P->FFilterEditor->Visible())
    P->FFilterEditor->SetFocus();
  if (!In && DoubleByte && !ToEditor) win::ActivateKeyboardLayout(Screen->DefaultKbLayout(), win::KLF_ACTIVATE);
  if (P->FSelectionShownActive != SelectionHasFocus()) SelectionChanged();
}
