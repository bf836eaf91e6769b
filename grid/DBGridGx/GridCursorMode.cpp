// Whole-dataset cursor mode: when the dataset offers IMemTableGx the grid has one row per
// record the dataset makes available, scrolls its view without moving the current record,
// draws any row by asking the dataset to present that record, and asks for more records
// when the view reaches the end of what is there. Never with footer rows.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/MemTable.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

void TCustomDBGridGx::UpdateCursorMode() {
  TDataSet* DataSet = P->FDataLink ? P->FDataLink->DataSet() : nullptr;
  IMemTableGx* Found = nullptr;
  if (DataSet && P->FFooterRowCount == 0 && P->FWholeDataSetCursorAllowed) Found = dynamic_cast<IMemTableGx*>(DataSet);
  if (Found == P->FMemTable) return;
  P->FMemTable = Found;
  P->FMemTableDataSet = Found ? DataSet : nullptr;
  if (Found) DataSet->FreeNotification(this);
  RequestLayout();
}

void TCustomDBGridGx::BeginDrawRow(int Row) {
  if (P->FMemTable) {
    P->FMemTable->SetDrawRecord(Row);
    return;
  }
  P->FSavedDrawRecord = P->FDataLink->ActiveRecord();
  P->FDataLink->SetActiveRecord(Row);
}

void TCustomDBGridGx::EndDrawRow() {
  if (P->FMemTable) P->FMemTable->RestoreDrawRecord();
  else P->FDataLink->SetActiveRecord(P->FSavedDrawRecord);
}

bool TCustomDBGridGx::IsCurrentRecordRow(int Row) {
  return Row == (P->FMemTable ? P->FMemTable->CurrentRecordIndex() : P->FDataLink->ActiveRecord());
}

int TCustomDBGridGx::RecordRowCount() const {
  return P->FMemTable ? RowCount() - P->FTitleAreaRowCount : P->FDataLink->RecordCount();
}

namespace {
// The row count of the mode: one row per available record, at least one.
int CursorRowCount(TGridDataLinkGx& Link, IMemTableGx& Table, int TitleRows) {
  const int N = Link.Active() ? Table.AvailableRecordCount() : 0;
  return std::max(N, 1) + TitleRows;
}
}  // namespace

void TCustomDBGridGx::RecountRowsCursorMode() {
  SetFixedRows(P->FTitleAreaRowCount);
  const int Count = CursorRowCount(*P->FDataLink, *P->FMemTable, P->FTitleAreaRowCount);
  if (Row() >= Count) MoveColRow(Col(), Count - 1, false, false);
  SetRowCount(Count);
  if (HandleAllocated()) {
    ClampTopRow();
    const int Index = P->FDataLink->Active() ? P->FMemTable->CurrentRecordIndex() : -1;
    if (P->FDataLink->Active() && Index != Row() - P->FTitleAreaRowCount) {
      InvalidateRow(Row());
      const int Target = Index < 0 ? FixedRows() : std::min(Index + P->FTitleAreaRowCount, RowCount() - 1);
      const int OldCol = Col();
      // An indicator column cannot be entered: the row is entered at the first data column.
      if (OldCol < P->FIndicatorColCount && P->FIndicatorColCount < ColCount())
        MoveColRow(P->FIndicatorColCount, Target, true, false);
      MoveColRow(OldCol, Target, false, false);
      InvalidateRow(Row());
    }
  }
  FetchAhead();
  Invalidate();
}

void TCustomDBGridGx::SyncActiveRowCursorMode() {
  if (P->FSearching && !P->FSearchMoving) StopIncrementalSearch();  // the dataset moved for another reason
  const int Count = CursorRowCount(*P->FDataLink, *P->FMemTable, P->FTitleAreaRowCount);
  if (Row() >= Count) MoveColRow(Col(), Count - 1, false, false);
  SetRowCount(Count);
  const int Index = P->FDataLink->Active() ? P->FMemTable->CurrentRecordIndex() : -1;
  if (P->FDataLink->Active() && Index != Row() - P->FTitleAreaRowCount) {
    InvalidateRow(Row());
    // No current record: the first data row.
    const int Target = Index < 0 ? FixedRows() : std::min(Index + P->FTitleAreaRowCount, RowCount() - 1);
    if (HandleAllocated() && !Loading() && Target != Row()) {
      if (!P->FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
      const int OldCol = Col();
      if (OldCol < P->FIndicatorColCount && P->FIndicatorColCount < ColCount())
        MoveColRow(P->FIndicatorColCount, Target, true, false);
      // The current record comes into view.
      MoveColRow(OldCol, Target, false, true);
      InvalidateCellEditor();
      InvalidateRow(Target);
    }
  }
  TField* Current = CurrentColumnField();
  if (Current && !P->FDataLink->Modified() && Current->Text() != P->FEditText) InvalidateCellEditor();
  UpdateVertScrollBar();
}

void TCustomDBGridGx::FetchAhead() {
  if (!P->FMemTable || P->FFetchingAhead || !P->FDataLink->Active() || !HandleAllocated()) return;
  P->FFetchingAhead = true;
  auto done = AtScopeExit([this] { P->FFetchingAhead = false; });
  TGridDrawInfo Info;
  CalcDrawInfo(Info);
  const TGridAxisDrawInfo& V = Info.Vert;
  if (V.GridBoundary < V.GridExtent)
    P->FMemTable->FetchRecords((V.GridExtent - V.GridBoundary) / std::max(1, DefaultRowHeight()) + 1);
  else if (V.LastFullVisibleCell == RowCount() - 1)
    P->FMemTable->FetchRecords(1);
}

void TCustomDBGridGx::ClampTopRow() {
  const int Highest = MaxTopRow();
  if (TopRow() > Highest) SetTopRow(Highest);
}

void TCustomDBGridGx::SafeMoveTop(int Top) {
  Top = std::clamp(Top, FixedRows(), std::max(FixedRows(), RowCount() - 1));
  SetTopRow(std::min(Top, MaxTopRow()));
  UpdateScrollInfoCursorMode();
}

void TCustomDBGridGx::UpdateScrollInfoCursorMode() {
  if (!HandleAllocated()) return;
  TGridDrawInfo Info;
  CalcDrawInfo(Info);
  win::SCROLLINFO Old{};
  Old.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  win::GetScrollInfo(Handle(), win::SB_VERT, &Old);
  win::SCROLLINFO New{};
  New.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  New.nMin = 1;
  New.nMax = RowCount() - FixedRows();
  New.nPage = static_cast<win::UINT>(std::max(0, Info.Vert.LastFullVisibleCell - TopRow() + 1));
  New.nPos = TopRow() - FixedRows() + 1;
  if (New.nMin != Old.nMin || New.nMax != Old.nMax || New.nPage != Old.nPage || New.nPos != Old.nPos)
    win::SetScrollInfo(Handle(), win::SB_VERT, &New, win::TRUE);
}

void TCustomDBGridGx::VScrollCursorMode(TMessage& Message) {
  if (!P->FDataLink->Active()) return;
  TGridDrawInfo Info;
  CalcDrawInfo(Info);
  const int Top = TopRow();
  const int LastFull = Info.Vert.LastFullVisibleCell;
  switch (Message.WParamLo()) {
    case win::SB_LINEUP: SafeMoveTop(Top - 1); break;
    case win::SB_LINEDOWN: SafeMoveTop(Top + 1); break;
    case win::SB_PAGEUP: {
      // Up to the top row that shows the current top row as the last one fully shown.
      const int LW = Info.Vert.EffectiveLineWidth, Room = Info.Vert.GridExtent - Info.Vert.FixedBoundary;
      int Height = RowHeights(Top) + LW, NewTop = Top;
      while (NewTop > FixedRows() && Height + RowHeights(NewTop - 1) + LW <= Room) Height += RowHeights(--NewTop) + LW;
      SafeMoveTop(Top - std::max(1, Top - NewTop));
      break;
    }
    case win::SB_PAGEDOWN: SafeMoveTop(Top + std::max(1, LastFull - Top)); break;
    case win::SB_TOP: SafeMoveTop(FixedRows()); break;
    case win::SB_BOTTOM: SafeMoveTop(RowCount()); break;
    case win::SB_THUMBPOSITION: SafeMoveTop(FixedRows() + VertTrackPos() - 1); break;
    case win::SB_THUMBTRACK:
      if (P->FVertScrollBar->Tracking()) SafeMoveTop(FixedRows() + VertTrackPos() - 1);
      break;
    default: break;
  }
  UpdateScrollInfoCursorMode();
}

bool TCustomDBGridGx::HandleMouseWheel(bool Down, TShiftState Shift, win::POINT MousePos) {
  const bool Active = P->FDataLink && P->FDataLink->Active();
  if (!P->FMemTable) {
    if (Down ? TCustomControl::DoMouseWheelDown(Shift, MousePos) : TCustomControl::DoMouseWheelUp(Shift, MousePos))
      return true;
    if (Active) P->FDataLink->DataSet()->MoveBy(Down ? 1 : -1);
    return true;
  }
  if (!Active) return true;
  if (Down ? TCustomControl::DoMouseWheelDown(Shift, MousePos) : TCustomControl::DoMouseWheelUp(Shift, MousePos))
    return true;
  TDataSet* DataSet = P->FDataLink->DataSet();
  const bool Ctrl = Shift.Contains(ssCtrl);
  if (Shift.Contains(ssShift)) {
    if (Ctrl) DataSet->MoveBy(Down ? VisibleDataRowCount() : -VisibleDataRowCount());
    else if (Down) DataSet->Next();
    else DataSet->Prior();
    return true;
  }
  TGridDrawInfo Info;
  CalcDrawInfo(Info);
  const int Page = std::max(1, Info.Vert.LastFullVisibleCell - TopRow() + 1);
  if (!Down) {
    SafeMoveTop(TopRow() - (Ctrl ? Page : 1));
    return true;
  }
  if (Ctrl) {
    // Fewer than a page of rows below the view: ask for the missing ones first.
    const int Below = RowCount() - 1 - Info.Vert.LastFullVisibleCell;
    if (Below < Page) P->FMemTable->FetchRecords(Page - Below);
    SafeMoveTop(TopRow() + Page);
  } else {
    SafeMoveTop(TopRow() + 1);
  }
  return true;
}
