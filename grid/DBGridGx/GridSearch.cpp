// Incremental search: typing the beginning of a cell's text moves to the first record
// whose text in the current column starts with it; the matched part is highlighted in the
// current cell while the search runs. A search started by typing ends by itself after a
// pause; one started with the search shortcut runs until a key or a move ends it.
#include <algorithm>
#include <string>

#include "grid/DBGridGx/CellContent.h"
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

namespace {

constexpr win::UINT_PTR SearchTimerId = 2;

// Where the grid's view stood: the record at its top, the current record and its row.
struct TViewSpot {
  std::string Top, Current;
  int Row = 0;
};

TViewSpot SaveView(TDataLink& Link) {
  TDataSet* DataSet = Link.DataSet();
  TViewSpot Spot;
  Spot.Row = Link.ActiveRecord();
  Spot.Current = DataSet->Bookmark();
  TActiveRecordKeeper Keep(Link);
  if (Link.SetActiveRecord(0)) Spot.Top = DataSet->Bookmark();
  return Spot;
}

// Brings the same records back into view with the same record current at the same row.
void RestoreView(TDataLink& Link, const TViewSpot& Spot) {
  TDataSet* DataSet = Link.DataSet();
  if (!Spot.Top.empty()) {
    DataSet->GotoBookmark(Spot.Top);
    // Stepping to the bottom of the view puts the top record back at the top; the
    // current record then lies inside the view.
    const int Moved = DataSet->MoveBy(Link.BufferCount() - 1);
    DataSet->MoveBy(Spot.Row - Moved);
  }
  if (DataSet->CompareBookmarks(DataSet->Bookmark(), Spot.Current) != 0) DataSet->GotoBookmark(Spot.Current);
}

// The beginning of Column's display text for the current record that matches Wanted
// ignoring case, counted in whole characters; false when it does not match. The search
// compares the column's display text, also where a money column shows its amount.
bool MatchingPrefix(TColumnGx* Column, const std::string& Wanted, std::string& Prefix) {
  std::string Text = Utf8LeftChars(CellContentOf(Column, {ccpText}).DisplayText, Utf8Length(Wanted));
  if (AnsiUpperCase(Text) != AnsiUpperCase(Wanted)) return false;
  Prefix = std::move(Text);
  return true;
}

}  // namespace

void TCustomDBGridGx::IncrementalSearch(const std::string& Text, int TimeOut, int Direction) {
  if (!P->FDataLink || !P->FDataLink->Active()) return;
  TDataSet* DataSet = P->FDataLink->DataSet();
  std::string New = P->FSearchText + Text;
  bool Found = false;
  TColumnGx* Column = CurrentColumn();
  if (!New.empty() && Column) {
    std::string Prefix;
    if (Direction == 0 && MatchingPrefix(Column, New, Prefix)) {
      Found = true;
    } else {
      DataSet->DisableControls();
      auto Enable = AtScopeExit([&] {
        P->FSearchMoving = true;
        auto Clear = AtScopeExit([&] { P->FSearchMoving = false; });
        DataSet->EnableControls();
      });
      const TViewSpot Start = SaveView(*P->FDataLink);
      if (Direction == 0) DataSet->First();
      else if (Direction == 1) DataSet->Next();
      else DataSet->Prior();
      const bool Backward = Direction == 2;
      while (!(Backward ? DataSet->Bof() : DataSet->Eof())) {
        if (MatchingPrefix(Column, New, Prefix)) {
          Found = true;
          break;
        }
        if (Backward) DataSet->Prior();
        else DataSet->Next();
      }
      if (!Found) RestoreView(*P->FDataLink, Start);
    }
    if (Found) New = Prefix;
  }
  HideEditor();
  P->FSearching = true;
  if (Found) P->FSearchText = New;
  InvalidateRow(Row());
  P->FSearchTimeout = TimeOut;
  StartSearchTimer();
}

void TCustomDBGridGx::StopIncrementalSearch() {
  StopSearchTimer();
  if (!P->FSearching) return;
  P->FSearching = false;
  P->FSearchText.clear();
  InvalidateRow(Row());
  if (P->FOptions.Contains(dgAlwaysShowEditor) && EditorAlwaysShown()) ShowCellEditor();
}

void TCustomDBGridGx::StartSearchTimer() {
  StopSearchTimer();
  if (P->FSearchTimeout < 0 || !HandleAllocated()) return;
  win::SetTimer(Handle(), SearchTimerId, static_cast<win::UINT>(P->FSearchTimeout), nullptr);
  P->FSearchTimerRunning = true;
}

void TCustomDBGridGx::StopSearchTimer() {
  if (P->FSearchTimerRunning && HandleAllocated()) win::KillTimer(Handle(), SearchTimerId);
  P->FSearchTimerRunning = false;
}

int TCustomDBGridGx::SearchTimeOut() { return P->FSearchTimeout; }

bool TCustomDBGridGx::SearchTimerMessage(TMessage& Message) {
  if (Message.Msg != win::WM_TIMER || Message.WParam != SearchTimerId) return false;
  StopIncrementalSearch();
  return true;
}

bool TCustomDBGridGx::InSearchMode() {
  if (P->FSearching) return true;
  if (P->FOptionsGx.Contains(dghIncSearch)) {
    TColumnGx* Column = CurrentColumn();
    if (!P->FOptions.Contains(dgEditing) || !Column || !Column->CheckEditable(false)) return true;
  }
  return P->FOptionsGx.Contains(dghPreferIncSearch) && !P->FOptions.Contains(dgAlwaysShowEditor) &&
         !InplaceEditorVisible();
}

void TCustomDBGridGx::DrawSearchHighlight(int DataCol, int DataRow, const win::RECT& Rect, TGridDrawState State,
                                          int L, int T) {
  if (!P->FSearching || P->FSearchText.empty() || !State.Contains(gdSelected)) return;
  if (DataRow + P->FTitleAreaRowCount != Row() || DataToGridColumn(DataCol) != Col()) return;
  if (!(HandleAllocated() && Focused()) && !P->FOptions.Contains(dgAlwaysShowSelection)) return;
  if (ComponentState().Contains(csDesigning) || P->FUpdateLockCount != 0 || !IsActiveControl()) return;
  TColumnGx* Column = P->FColumns->ColumnAt(DataCol);
  TCanvas* C = Canvas();
  C->Brush()->SetColor(SearchColor());
  C->Font()->SetColor(SearchTextColor());
  // The highlight ends where the rest of the cell's text begins, so that right-aligned
  // and centred texts are covered where they stand.
  const std::string& CellText = P->FCellParams->Text;
  const std::size_t RestStart = Utf8CharToByteIndex(CellText, Utf8Length(P->FSearchText));
  const std::string Rest = CellText.substr(std::min(CellText.size(), RestStart));
  win::RECT R{Rect.left + L, Rect.top + T, Rect.right - L, Rect.bottom - T};
  if (L != 0) R.bottom += 1;
  TAlignment Alignment = P->FCellParams->Alignment;
  win::UINT Flags = win::DT_EXPANDTABS | win::DT_NOPREFIX;
  if (Column->WordWrap() && P->FRowsAllowWrap) Flags |= win::DT_WORDBREAK;
  const bool RightToLeft = UseRightToLeftAlignment();
  if (RightToLeft) {
    // Drawn on the unmirrored canvas so that the glyphs read the right way round.
    win::POINT Corners[2] = {{R.left, R.top}, {R.right, R.bottom}};
    win::LPtoDP(C->Handle(), Corners, 2);
    R = {std::min(Corners[0].x, Corners[1].x), Corners[0].y, std::max(Corners[0].x, Corners[1].x), Corners[1].y};
    if (Alignment == taLeftJustify) Alignment = taRightJustify;
    else if (Alignment == taRightJustify) Alignment = taLeftJustify;
    Flags |= win::DT_RTLREADING;
    SetCanvasMirrored(false);
  }
  auto Remirror = AtScopeExit([&] {
    if (RightToLeft) SetCanvasMirrored(true);
  });
  if (Alignment != taLeftJustify) R.right -= C->TextWidth(Rest);
  Flags |= Alignment == taRightJustify ? win::DT_RIGHT : Alignment == taCenter ? win::DT_CENTER : win::DT_LEFT;
  win::DRAWTEXTPARAMS Params;
  Params.cbSize = sizeof Params;
  Params.iTabLength = 8;
  Params.iLeftMargin = 0;
  Params.iRightMargin = 0;
  win::DrawTextEx(C->Handle(), P->FSearchText.c_str(), static_cast<int>(P->FSearchText.size()), &R, Flags, &Params);
}
