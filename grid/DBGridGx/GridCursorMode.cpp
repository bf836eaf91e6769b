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

void TCustomDBGridGx::TState::UpdateCursorMode() {
  TDataSet* DataSet = FDataLink ? FDataLink->DataSet() : nullptr;
  IMemTableGx* Found = nullptr;
  if (DataSet && FFooterRowCount == 0 && FWholeDataSetCursorAllowed) Found = dynamic_cast<IMemTableGx*>(DataSet);
  if (Found == FMemTable) return;
  FMemTable = Found;
  FMemTableDataSet = Found ? DataSet : nullptr;
  if (Found) DataSet->FreeNotification(&G);
  G.RequestLayout();
}

void TCustomDBGridGx::TState::BeginDrawRow(int Row) {
  if (FMemTable) {
    FMemTable->SetDrawRecord(Row);
    return;
  }
  FSavedDrawRecord = FDataLink->ActiveRecord();
  FDataLink->SetActiveRecord(Row);
}

void TCustomDBGridGx::TState::EndDrawRow() {
  if (FMemTable) FMemTable->RestoreDrawRecord();
  else FDataLink->SetActiveRecord(FSavedDrawRecord);
}

bool TCustomDBGridGx::TState::IsCurrentRecordRow(int Row) {
  return Row == (FMemTable ? FMemTable->CurrentRecordIndex() : FDataLink->ActiveRecord());
}

int TCustomDBGridGx::TState::RecordRowCount() const {
  return FMemTable ? G.RowCount() - FTitleAreaRowCount : FDataLink->RecordCount();
}

namespace {
// The row count of the mode: one row per available record, at least one.
int CursorRowCount(TGridDataLinkGx& Link, IMemTableGx& Table, int TitleRows) {
  const int N = Link.Active() ? Table.AvailableRecordCount() : 0;
  return std::max(N, 1) + TitleRows;
}
}  // namespace

void TCustomDBGridGx::TState::RecountRowsCursorMode() {
  G.SetFixedRows(FTitleAreaRowCount);
  const int Count = CursorRowCount(*FDataLink, *FMemTable, FTitleAreaRowCount);
  if (G.Row() >= Count) G.MoveColRow(G.Col(), Count - 1, false, false);
  G.SetRowCount(Count);
  if (G.HandleAllocated()) {
    ClampTopRow();
    const int Index = FDataLink->Active() ? FMemTable->CurrentRecordIndex() : -1;
    if (FDataLink->Active() && Index != G.Row() - FTitleAreaRowCount) {
      G.InvalidateRow(G.Row());
      const int Target = Index < 0 ? G.FixedRows() : std::min(Index + FTitleAreaRowCount, G.RowCount() - 1);
      const int OldCol = G.Col();
      // An indicator column cannot be entered: the row is entered at the first data column.
      if (OldCol < FIndicatorColCount && FIndicatorColCount < G.ColCount())
        G.MoveColRow(FIndicatorColCount, Target, true, false);
      G.MoveColRow(OldCol, Target, false, false);
      G.InvalidateRow(G.Row());
    }
  }
  FetchAhead();
  G.Invalidate();
}

void TCustomDBGridGx::TState::SyncActiveRowCursorMode() {
  if (FSearching && !FSearchMoving) G.StopIncrementalSearch();  // the dataset moved for another reason
  const int Count = CursorRowCount(*FDataLink, *FMemTable, FTitleAreaRowCount);
  if (G.Row() >= Count) G.MoveColRow(G.Col(), Count - 1, false, false);
  G.SetRowCount(Count);
  const int Index = FDataLink->Active() ? FMemTable->CurrentRecordIndex() : -1;
  if (FDataLink->Active() && Index != G.Row() - FTitleAreaRowCount) {
    G.InvalidateRow(G.Row());
    // No current record: the first data row.
    const int Target = Index < 0 ? G.FixedRows() : std::min(Index + FTitleAreaRowCount, G.RowCount() - 1);
    if (G.HandleAllocated() && !G.Loading() && Target != G.Row()) {
      if (!FOptions.Contains(dgAlwaysShowEditor)) G.HideEditor();
      const int OldCol = G.Col();
      if (OldCol < FIndicatorColCount && FIndicatorColCount < G.ColCount())
        G.MoveColRow(FIndicatorColCount, Target, true, false);
      // The current record comes into view.
      G.MoveColRow(OldCol, Target, false, true);
      G.InvalidateCellEditor();
      G.InvalidateRow(Target);
    }
  }
  TField* Current = G.CurrentColumnField();
  if (Current && !FDataLink->Modified() && Current->Text() != FEditText) G.InvalidateCellEditor();
  G.UpdateVertScrollBar();
}

void TCustomDBGridGx::TState::FetchAhead() {
  if (!FMemTable || FFetchingAhead || !FDataLink->Active() || !G.HandleAllocated()) return;
  FFetchingAhead = true;
  auto done = AtScopeExit([this] { FFetchingAhead = false; });
  TGridDrawInfo Info;
  G.CalcDrawInfo(Info);
  const TGridAxisDrawInfo& V = Info.Vert;
  if (V.GridBoundary < V.GridExtent)
    FMemTable->FetchRecords((V.GridExtent - V.GridBoundary) / std::max(1, G.DefaultRowHeight()) + 1);
  else if (V.LastFullVisibleCell == G.RowCount() - 1)
    FMemTable->FetchRecords(1);
}

void TCustomDBGridGx::TState::ClampTopRow() {
  const int Highest = G.MaxTopRow();
  if (G.TopRow() > Highest) G.SetTopRow(Highest);
}

void TCustomDBGridGx::TState::SafeMoveTop(int Top) {
  Top = std::clamp(Top, G.FixedRows(), std::max(G.FixedRows(), G.RowCount() - 1));
  G.SetTopRow(std::min(Top, G.MaxTopRow()));
  UpdateScrollInfoCursorMode();
}

void TCustomDBGridGx::TState::UpdateScrollInfoCursorMode() {
  if (!G.HandleAllocated()) return;
  TGridDrawInfo Info;
  G.CalcDrawInfo(Info);
  win::SCROLLINFO Old{};
  Old.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  win::GetScrollInfo(G.Handle(), win::SB_VERT, &Old);
  win::SCROLLINFO New{};
  New.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  New.nMin = 1;
  New.nMax = G.RowCount() - G.FixedRows();
  New.nPage = static_cast<win::UINT>(std::max(0, Info.Vert.LastFullVisibleCell - G.TopRow() + 1));
  New.nPos = G.TopRow() - G.FixedRows() + 1;
  if (New.nMin != Old.nMin || New.nMax != Old.nMax || New.nPage != Old.nPage || New.nPos != Old.nPos)
    win::SetScrollInfo(G.Handle(), win::SB_VERT, &New, win::TRUE);
}

void TCustomDBGridGx::TState::VScrollCursorMode(TMessage& Message) {
  if (!FDataLink->Active()) return;
  TGridDrawInfo Info;
  G.CalcDrawInfo(Info);
  const int Top = G.TopRow();
  const int LastFull = Info.Vert.LastFullVisibleCell;
  switch (Message.WParamLo()) {
    case win::SB_LINEUP: SafeMoveTop(Top - 1); break;
    case win::SB_LINEDOWN: SafeMoveTop(Top + 1); break;
    case win::SB_PAGEUP: {
      // Up to the top row that shows the current top row as the last one fully shown.
      const int LW = Info.Vert.EffectiveLineWidth, Room = Info.Vert.GridExtent - Info.Vert.FixedBoundary;
      int Height = G.RowHeights(Top) + LW, NewTop = Top;
      while (NewTop > G.FixedRows() && Height + G.RowHeights(NewTop - 1) + LW <= Room) Height += G.RowHeights(--NewTop) + LW;
      SafeMoveTop(Top - std::max(1, Top - NewTop));
      break;
    }
    case win::SB_PAGEDOWN: SafeMoveTop(Top + std::max(1, LastFull - Top)); break;
    case win::SB_TOP: SafeMoveTop(G.FixedRows()); break;
    case win::SB_BOTTOM: SafeMoveTop(G.RowCount()); break;
    case win::SB_THUMBPOSITION: SafeMoveTop(G.FixedRows() + VertTrackPos() - 1); break;
    case win::SB_THUMBTRACK:
      if (FVertScrollBar->Tracking()) SafeMoveTop(G.FixedRows() + VertTrackPos() - 1);
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
    P->SafeMoveTop(TopRow() - (Ctrl ? Page : 1));
    return true;
  }
  if (Ctrl) {
    // Fewer than a page of rows below the view: ask for the missing ones first.
    const int Below = RowCount() - 1 - Info.Vert.LastFullVisibleCell;
    if (Below < Page) P->FMemTable->FetchRecords(Page - Below);
    P->SafeMoveTop(TopRow() + Page);
  } else {
    P->SafeMoveTop(TopRow() + 1);
  }
  return true;
}
