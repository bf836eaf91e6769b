// The lookup grid's height in whole rows, fitted columns, its vertical bar and how it
// follows the list dataset.
#include "grid/DBLookupGridsGx/LookupGrid.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "platform/controls/Messages.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

// ---- heights ----

int TDBLookupGridGx::RowLineWidth() { return Options().Contains(dgRowLines) ? GridLineWidth() : 0; }
int TDBLookupGridGx::DataRowHeight() { return DefaultRowHeight() + RowLineWidth(); }
int TDBLookupGridGx::SpecRowHeight() { return DefaultRowHeight() + RowLineWidth(); }
int TDBLookupGridGx::NonClientHeight() { return HandleAllocated() ? Height() - ClientHeight() : 0; }
int TDBLookupGridGx::TitleHeightT() { return Options().Contains(dgTitles) ? RowHeights(0) : 0; }
int TDBLookupGridGx::SpecRowHeightShown() { return FSpecRow && FSpecRow->Visible() ? SpecRowHeight() : 0; }

void TDBLookupGridGx::SetDisplayRowCount(int Value) {
  const int N = std::clamp(Value, 1, 100);
  const int L = RowLineWidth();
  // The special row's height counts from the first opening on, not only once some
  // earlier bounds noted it.
  SetHeight(TitleHeightT() + L + N * DefaultRowHeight() + N * L + NonClientHeight() + SpecRowHeightShown());
}

void TDBLookupGridGx::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!FSpecRow) {
    TCustomDBGridGx::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  FSpecRowSpace = SpecRowHeightShown();
  const int T = TitleHeightT(), NC = NonClientHeight(), H = DataRowHeight();
  // Rows of no height cannot be counted: the count stays as it was.
  const int Rows = H > 0 ? std::max(1, (AHeight - NC - T - FSpecRowSpace) / H) : std::max(1, FDisplayRowCount);
  FDisplayRowCount = Rows;
  TCustomDBGridGx::SetBounds(ALeft, ATop, AWidth, T + NC + Rows * H + FSpecRowSpace + RowLineWidth());
}

void TDBLookupGridGx::SetShowTitles(bool Value) {
  if (Value == ShowTitles()) return;
  TDBGridOptions O = Options();
  if (Value) O += dgTitles;
  else O -= dgTitles;
  SetOptions(O);
  SetHeight(DataRowHeight() * FDisplayRowCount + NonClientHeight() + TitleHeightT() + SpecRowHeightShown());
}

void TDBLookupGridGx::CreateWnd() {
  // Fitting switches the scroll bars, which re-creates the window: the sizing messages of
  // the window being made must not fit, or they destroy it under its own feet. The
  // columns are fitted at the next sizing.
  {
    const bool Guard = FFitColumnsToWidth && !FFitGuard;
    if (Guard) FFitGuard = true;
    auto down = AtScopeExit([this, Guard] {
      if (Guard) FFitGuard = false;
    });
    TCustomDBGridGx::CreateWnd();
  }
  WriteDisplayRowCountAgain();
}

// ---- fitting columns ----

void TDBLookupGridGx::SetFitColumnsToWidth(bool Value) {
  if (Value == FFitColumnsToWidth) return;
  FFitColumnsToWidth = Value;
  HorzScrollBar()->SetVisible(!Value);
  WriteDisplayRowCountAgain();
  UpdateVertScrollBar();
  UpdateFittedWidths();
}

void TDBLookupGridGx::UpdateFittedWidths() {
  if (FFitGuard) return;
  {
    FFitGuard = true;
    auto down = AtScopeExit([this] { FFitGuard = false; });
    if (FFitColumnsToWidth) {
      SetAutoFitColWidths(true);
      for (int I = 0; I < Columns()->Count(); ++I)
        Columns()->ColumnAt(I)->SetProportionalWidth(Columns()->ColumnAt(I)->Width());
      SetAutoFitColWidths(false);
    }
  }
  WriteDisplayRowCountAgain();
}

void TDBLookupGridGx::ColWidthsChanged() {
  TCustomDBGridGx::ColWidthsChanged();
  if (FFitGuard || !HandleAllocated() || GridState() != gsColSizing || !FFitColumnsToWidth) return;
  int W = 0;
  for (int I = 0; I < ColCount(); ++I)
    W += ColWidths(I) + (Options().Contains(dgColLines) ? GridLineWidth() : 0);
  FFitGuard = true;
  auto down = AtScopeExit([this] { FFitGuard = false; });
  SetClientWidth(W);
  for (int I = 0; I < Columns()->Count(); ++I)
    Columns()->ColumnAt(I)->SetProportionalWidth(Columns()->ColumnAt(I)->Width());
}

int TDBLookupGridGx::ColumnsTotalWidth() {
  int W = 0;
  for (int I = 0; I < Columns()->Count(); ++I) {
    TColumnGx* C = Columns()->ColumnAt(I);
    if (C->Visible()) W += FFitColumnsToWidth ? C->ProportionalWidth() : C->Width();
    if (Options().Contains(dgColLines)) W += GridLineWidth();
  }
  return W;
}

void TDBLookupGridGx::WindowSized(TMessage& Message) {
  if (FFitGuard) {
    TCustomDBGridGx::Dispatch(Message);
    return;
  }
  FFitGuard = true;
  const bool Fit = FFitColumnsToWidth;
  if (Fit) SetAutoFitColWidths(true);
  // The guard holds until the scroll bars are switched back: that re-creates the window,
  // whose sizing must not fit again.
  auto down = AtScopeExit([this, Fit] {
    if (Fit) SetAutoFitColWidths(false);
    FFitGuard = false;
  });
  TCustomDBGridGx::Dispatch(Message);
}

// ---- vertical bar ----

void TDBLookupGridGx::UpdateVertScrollBar() {
  if (!HandleAllocated() || !FSpecRow) return;
  TGridDataLinkGx* Link = GridLink();
  int Max = 2, Page = 0, Pos = 0;
  if (Link->Active()) {
    TDataSet* List = Link->DataSet();
    if (List->IsSequenced()) {
      Max = List->RecordCount() - 1;
      Page = DataRowCount();
      Pos = List->State() < dsInsert ? List->RecNo() - Link->ActiveRecord() - 1 : 0;
    } else if (DataRowCount() != FListRecordCount) {
      Max = 0;
    } else {
      Max = 4;
      Pos = List->Bof() ? 0 : List->Eof() ? 4 : 2;
    }
  }
  win::SCROLLINFO Old{};
  Old.cbSize = sizeof Old;
  Old.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  win::GetScrollInfo(Handle(), win::SB_VERT, &Old);
  if (Old.nMin == 0 && Old.nMax == Max && static_cast<int>(Old.nPage) == Page && Old.nPos == Pos) return;
  win::SCROLLINFO Info{};
  Info.cbSize = sizeof Info;
  Info.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | win::SIF_DISABLENOSCROLL;
  Info.nMin = 0;
  Info.nMax = Max;
  Info.nPage = static_cast<win::UINT>(std::max(Page, 0));
  Info.nPos = Pos;
  win::SetScrollInfo(Handle(), win::SB_VERT, &Info, win::TRUE);
}

void TDBLookupGridGx::VertScroll(TMessage& Message) {
  FSearchText.clear();
  TGridDataLinkGx* Link = GridLink();
  if (!Link->Active()) return;
  TDataSet* List = Link->DataSet();
  const int C = FListRecordCount, A = FListActiveRecord;
  switch (Message.WParamLo()) {
    case win::SB_LINEUP: List->MoveBy(-A - 1); break;
    case win::SB_LINEDOWN: List->MoveBy(C - A); break;
    case win::SB_PAGEUP: List->MoveBy(1 - A - C); break;
    case win::SB_PAGEDOWN: List->MoveBy(2 * C - A - 2); break;
    case win::SB_THUMBPOSITION:
      switch (Message.WParamHi()) {
        case 0: List->First(); break;
        case 1: List->MoveBy(1 - A - C); break;
        case 3: List->MoveBy(2 * C - A - 2); break;
        case 4: List->Last(); break;
        default: break;
      }
      break;
    case win::SB_THUMBTRACK:
      if (List->IsSequenced()) {
        win::SCROLLINFO Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = win::SIF_TRACKPOS;
        win::GetScrollInfo(Handle(), win::SB_VERT, &Info);
        const int P = Info.nTrackPos;
        const int Saved = Link->ActiveRecord();
        Link->SetActiveRecord(0);
        const int F = List->RecNo() - 1;
        if (F > P) {
          Link->SetActiveRecord(Saved);
          List->MoveBy(P - F);
        } else if (F < P) {
          Link->SetActiveRecord(Saved);
          List->MoveBy(Link->RecordCount() + P - F - 1);
        } else {
          Link->SetActiveRecord(Saved);
        }
      }
      break;
    case win::SB_TOP: List->First(); break;
    case win::SB_BOTTOM: List->Last(); break;
    default: break;
  }
}

// ---- following the list ----

void TDBLookupGridGx::ListDataChanged() {
  TGridDataLinkGx* Link = GridLink();
  if (FListActive) {
    FListActiveRecord = Link->ActiveRecord();
    FListRecordCount = Link->RecordCount();
  } else {
    FListActiveRecord = 0;
    FListRecordCount = 0;
  }
  if (HandleAllocated()) {
    UpdateVertScrollBar();
    // Fitting the columns may re-create the window, and a layout inside that creation
    // would re-create it once more under its own feet: the fitting lays out afterwards.
    if (!FFitGuard) RequestLayout();
  }
}

void TDBLookupGridGx::LinkActiveChanged() {
  RebuildListFields();
  TCustomDBGridGx::LinkActiveChanged();
  UpdateFittedWidths();
}

void TDBLookupGridGx::RefreshAfterDataChange() {
  TCustomDBGridGx::RefreshAfterDataChange();
  ListDataChanged();
}

void TDBLookupGridGx::ScrollRows(int Distance) {
  LockUpdates();
  auto unlock = AtScopeExit([this] { UnlockUpdates(); });
  TCustomDBGridGx::ScrollRows(Distance);
  ListDataChanged();
}

void TDBLookupGridGx::RecountRows() {
  if (FRecountGuard) return;
  {
    FRecountGuard = true;
    auto down = AtScopeExit([this] { FRecountGuard = false; });
    TCustomDBGridGx::RecountRows();
  }
  ListDataChanged();
}

void TDBLookupGridGx::RequestLayout() { TCustomDBGridGx::RequestLayout(); }

void TDBLookupGridGx::SyncActiveRow() {
  if (Searching()) StopIncrementalSearch();
  FRowFocus = false;
  if (!GridLink()->Active() || !HandleAllocated() || ComponentState().Contains(csLoading)) return;
  const int R = KeyRowIndex();
  if (R < 0) return;
  const int Target = R + TitleAreaRowCount();
  if (Target >= RowCount()) return;
  if (Target != Row()) {
    if (!Options().Contains(dgAlwaysShowEditor)) HideEditor();
    MoveColRow(CurrentGridColumn(), Target, false, false);
    InvalidateCellEditor();
  }
  FRowFocus = true;
}
