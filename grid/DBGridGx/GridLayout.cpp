// The grid's layout: the rebuild of the base grid's geometry from the settings, columns
// and dataset (columns and fixed columns, row and title heights, auto-fit widths, row
// count), the rows above the data, the field map, column moves and the user's column
// sizing, and the multi-title header.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/QueuedMessages.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/SharedResources.h"
#include "grid/DBGridGx/TextDraw.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

void TCustomDBGridGx::CollectDataSetFields(TList* List) {
  TDataSource* Source = DataSource();
  if (!Source || !Source->DataSet()) return;
  TDataSet* DataSet = Source->DataSet();
  for (int I = 0; I < DataSet->FieldCount(); ++I) List->Add(DataSet->Fields()[I]);
}

TColumnDefValuesGx* TCustomDBGridGx::CreateColumnDefValues() { return new TDBGridGxColumnDefValuesGx(this); }

TDBGridColumnsGx* TCustomDBGridGx::CreateColumns() {
  return new TDBGridColumnsGx(this, TDBGridColumnGx::StaticClass());
}

TDBGridGxScrollBar* TCustomDBGridGx::CreateScrollBar(int Kind) {
  if (Kind == 1) return new TVertDBGridGxScrollBar(this, Kind);
  return new TDBGridGxScrollBar(this, Kind);
}

int TCustomDBGridGx::FilterRowCount() { return P->FSTFilter && P->FSTFilter->Visible() ? 1 : 0; }

int TCustomDBGridGx::TitleRowCount() { return P->FOptions.Contains(dgTitles) ? 1 : 0; }

void TCustomDBGridGx::BuildFieldMap() {
  const bool Customized = P->FColumns->IsCustomized();
  P->FDataLink->SetSparseMap(Customized);
  if (Customized) {
    for (int I = 0; I < P->FColumns->Count(); ++I) P->FDataLink->MapField(P->FColumns->ColumnAt(I)->FieldName());
    return;
  }
  TDataSet* DataSet = P->FDataLink->DataSet();
  if (!DataSet) return;
  for (int I = 0; I < DataSet->FieldCount(); ++I)
    if (DataSet->Fields()[I]->Visible()) P->FDataLink->MapField(DataSet->Fields()[I]->FieldName());
}

void TCustomDBGridGx::ColumnMoved(int FromIndex, int ToIndex) {
  const int From = GridToDataColumn(FromIndex), To = GridToDataColumn(ToIndex);
  auto ColumnOf = [this](int I) { return I >= 0 && I < P->FColumns->Count() ? P->FColumns->ColumnAt(I) : nullptr; };
  TColumnGx* FilterColumnBefore = ColumnOf(P->FFilterColumn);
  {
    P->FSTFilter->BeginUpdate();
    auto endUpdate = AtScopeExit([this] { P->FSTFilter->EndUpdate(); });
    if (From >= 0 && From < P->FColumns->Count() && To >= 0 && To < P->FColumns->Count()) {
      P->FColumns->ColumnAt(From)->SetIndex(To);
      if (P->FOnColumnMoved) P->FOnColumnMoved(this, From, To);
    }
  }
  if (P->FFilterEditing) {
    // The filter cell being edited is the current column's; the text typed so far stays
    // while that is still the same column.
    P->FFilterColumn = CurrentDataColumn();
    UpdateFilterEditor(ColumnOf(P->FFilterColumn) != FilterColumnBefore);
  } else if (FilterColumnBefore) {
    // The remembered filter cell stays with its column.
    P->FFilterColumn = FilterColumnBefore->Index();
  }
}

void TCustomDBGridGx::AfterColumnResize() {
  P->FSTFilter->BeginUpdate();
  // The filter editor follows its cell without reloading: the text typed so far stays.
  auto endFilterUpdate = AtScopeExit([this] {
    P->FSTFilter->EndUpdate();
    if (P->FFilterEditing) UpdateFilterEditor(false);
  });
  if ((P->FDataLink->Active() || P->FColumns->IsCustomized()) && TryLockLayout()) {
    // The widths go back through the rebuild, which spreads them out again.
    auto unlock = AtScopeExit([this] { UnlockLayout(); });
    TCustomGrid::ColWidthsChanged();
    const bool Fitting = P->FAutoFitColWidths && !ComponentState().Contains(csDesigning);
    for (int I = 0; I < P->FColumns->Count() && DataToGridColumn(I) < ColCount(); ++I) {
      TColumnGx* Column = P->FColumns->ColumnAt(I);
      const int GridCol = DataToGridColumn(I);
      if (Column->Visible()) SetColWidths(GridCol, Column->ClampWidth(ColWidths(GridCol)));
    }
    for (int I = 0; I < P->FColumns->Count() && DataToGridColumn(I) < ColCount(); ++I) {
      TColumnGx* Column = P->FColumns->ColumnAt(I);
      if (!Column->Visible()) continue;
      const int W = ColWidths(DataToGridColumn(I));
      if (!Fitting) {
        Column->SetWidth(W);
        continue;
      }
      const int OldWidth = Column->Width();
      if (OldWidth == W) continue;
      if (P->FOptionsGx.Contains(dghResizeWholeRightPart)) {
        ResizeRightPart(Column, W);
        continue;
      }
      const int K = P->FShownColumns->IndexOf(Column);
      if (K < 0) continue;
      if (!Column->AutoFitColWidth()) {
        Column->SetWidth(W);
        continue;
      }
      // A column that had no width gives no ratio to scale its share by.
      if (OldWidth == 0) continue;
      const int OldShare = Column->ProportionalWidth();
      Column->SetProportionalWidth(MulDiv(OldShare, W, OldWidth));
      if (K + 1 < P->FShownColumns->Count()) {
        TColumnGx* Next = P->FShownColumns->ColumnAt(K + 1);
        Next->SetProportionalWidth(std::max(0, Next->ProportionalWidth() + OldShare - Column->ProportionalWidth()));
      }
    }
  } else {
    TCustomGrid::ColWidthsChanged();
  }
  InvalidateCellEditor();
  if (P->FOnColWidthsChanged) P->FOnColWidthsChanged(this);
  UpdateHorzScrollBar();
}

void TCustomDBGridGx::ResizeRightPart(TColumnGx* Column, int W) {
  const int OldWidth = Column->Width();
  if (!Column->AutoFitColWidth()) Column->SetWidth(W);
  else if (OldWidth != 0) Column->SetProportionalWidth(MulDiv(W, Column->ProportionalWidth(), OldWidth));
  int D = 0;
  for (int I = Column->Index() + 1; I < P->FColumns->Count(); ++I) {
    TColumnGx* Right = P->FColumns->ColumnAt(I);
    if (Right->Visible() && Right->AutoFitColWidth()) D += Right->Width();
  }
  if (D == 0) return;
  for (int I = Column->Index() + 1; I < P->FColumns->Count(); ++I) {
    TColumnGx* Right = P->FColumns->ColumnAt(I);
    if (Right->Visible() && Right->AutoFitColWidth())
      Right->SetProportionalWidth(std::max(1, MulDiv(D + OldWidth - W, Right->ProportionalWidth(), D)));
  }
}

// A data row resized with the mouse gives every data row its height.
void TCustomDBGridGx::AfterRowHeightsChanged() {
  if (P->FRowSizing) {
    P->FRowSizing = false;
    const int First = P->FOptions.Contains(dgTitles) ? 1 : 0;
    const int Last = P->FTitleAreaRowCount + DataRowCount() - 1;
    for (int R = First; R <= Last && R < RowCount(); ++R) {
      if (RowHeights(R) == DefaultRowHeight()) continue;
      P->FRowLines = 0;
      SetRowHeight(RowHeights(R));
      break;
    }
    UpdateVertScrollBar();
  }
  TCustomGrid::RowHeightsChanged();
}

// ---- multi-title header ----

void TCustomDBGridGx::BuildHeadTree() {
  P->FHeadTreeLeaves.clear();
  P->FHeadTreeRoot->BuildFromColumns(this, &P->FHeadTreeLeaves);
}

THeadTreeNode* TCustomDBGridGx::HeadTreeLeaf(int I) const {
  return I >= 0 && static_cast<std::size_t>(I) < P->FHeadTreeLeaves.size() ? P->FHeadTreeLeaves[static_cast<std::size_t>(I)]
                                                                         : nullptr;
}

int TCustomDBGridGx::MeasureHeadTree(THeadTreeNode* Node) {
  if (!Node || !Node->FirstChild) return 0;
  // Without a window the canvas measures on the screen's device context.
  columns_detail::TCanvasLend lend(this);
  TCanvas* canvas = lend.Canvas();
  int height = 0;
  THeadTreeNode* first = Node->FirstChild;
  THeadTreeNode* child = first;
  do {
    const int below = child->FirstChild ? MeasureHeadTree(child) : 0;
    canvas->SetFont(child->Column ? child->Column->Title()->Font() : P->FTitleFont.get());
    const win::RECT area{0, 0, std::max(1, child->Width - child->MarkerIndent - 4), 0};
    std::string text = child->Caption.empty() ? std::string(" ") : child->Caption;
    const bool vertical = child->Column && !child->FirstChild && child->Column->Title()->Orientation() == tohVertical;
    int textHeight = 0;
    if (vertical) {
      if (child->Width > 0)
        textHeight = PaintVerticalCellText(canvas, area, false, 0, 0, text, taLeftJustify, 0, true) + 6;
    } else {
      if (child->Width > 0) {
        win::RECT r = area;
        canvas->TextRect(r, text, TTextFormat{tfCalcRect, tfWordBreak});
        textHeight = r.bottom - r.top;
      }
      textHeight += P->FVTitleMargin;
    }
    height = std::max(height, below + textHeight);
    child = child->NextSibling;
  } while (child != first);
  child = first;
  do {
    // A group keeps the height of its own cell: what is left above its measured children.
    child->Height = child->FirstChild ? height - child->Height : height;
    child = child->NextSibling;
  } while (child != first);
  Node->Height = height;
  return height;
}

// ---- the rebuild ----

namespace {

// A field the user cannot change: its own ReadOnly, or a lookup field whose key fields
// are all read-only (or that belongs to no dataset).
bool IsReadOnlyField(TField* Field) {
  if (Field->ReadOnly()) return true;
  if (!Field->Lookup() || Field->KeyFields().empty()) return false;
  TDataSet* DataSet = Field->DataSet();
  if (!DataSet) return true;
  for (TField* Key : DataSet->GetFieldList(Field->KeyFields()))
    if (!Key->ReadOnly()) return false;
  return true;
}

// The text metrics of the font now on the canvas.
win::TEXTMETRIC CanvasMetrics(TCanvas* Canvas) {
  // Measuring puts the canvas's font into its device context.
  Canvas->TextHeight("Wg");
  win::TEXTMETRIC Metrics{};
  win::GetTextMetrics(Canvas->Handle(), &Metrics);
  return Metrics;
}

}  // namespace

void TCustomDBGridGx::RebuildLayout() {
  if (Loading()) return;
  P->FLayoutPending = false;
  if (HandleAllocated()) DropQueuedMessages(Handle(), WM_DEFERREDLAYOUT_GX);
  P->FPaintLocked = true;
  auto unlockPaint = AtScopeExit([this] { P->FPaintLocked = false; });
  ArrangeColumns();
  MeasureRows();
  ApplyHorzScrollBar();
  ApplyColumnAttributes();
  FitColumnWidths();
  MeasureTitleRow();
  ApplyColumnAttributes();
  {
    // Recounting rows scrolls the view; a whole-row selection keeps its left column.
    const int SavedLeft = LeftCol();
    auto restoreLeft = AtScopeExit([this, SavedLeft] {
      if (P->FOptions.Contains(dgRowSelect) && SavedLeft < ColCount() && SavedLeft >= FixedCols())
        SetLeftCol(SavedLeft);
    });
    RecountRows();
  }
  SyncActiveRow();
  Invalidate();
  if (P->FSelection && P->FSelection->Kind() == gstColumns) P->FSelection->Columns()->Refresh();
  if (P->FFilterEditing) UpdateFilterEditor(false);
}

// Which columns exist, in what order, which are shown and how many are fixed.
void TCustomDBGridGx::ArrangeColumns() {
  // Automatic columns never stay beside stored ones.
  bool SeenAutomatic = false;
  for (int I = 0; I < P->FColumns->Count(); ++I) {
    if (!P->FColumns->ColumnAt(I)->Customized()) {
      SeenAutomatic = true;
    } else if (SeenAutomatic) {
      for (int K = P->FColumns->Count() - 1; K >= 0; --K)
        if (!P->FColumns->ColumnAt(K)->Customized()) P->FColumns->Delete(K);
      break;
    }
  }

  P->FIndicatorColCount = P->FOptions.Contains(dgIndicator) ? 1 : 0;
  P->FDataLink->ClearFieldMap();
  if (P->FDataLink->Active()) BuildFieldMap();

  if (P->FColumns->IsCustomized()) {
    // Each column finds its field again by name when next asked.
    for (int I = 0; I < P->FColumns->Count(); ++I) P->FColumns->ColumnAt(I)->SetField(nullptr);
  } else {
    auto InFieldMap = [this](TField* Field) {
      for (int Pos = 0; Pos < P->FDataLink->FieldCount(); ++Pos)
        if (P->FDataLink->FieldAt(Pos) == Field) return true;
      return false;
    };
    if (P->FDataLink->Active() || !P->FDataLink->UsesDefaultFields()) {
      for (int I = P->FColumns->Count() - 1; I >= 0; --I) {
        TField* Field = P->FColumns->ColumnAt(I)->Field();
        if (!Field || !InFieldMap(Field)) P->FColumns->Delete(I);
      }
    } else {
      P->FColumns->Clear();
    }
    const int Positions = std::max(P->FDataLink->FieldCount(), P->FColumns->Count() == 0 ? 1 : 0);
    for (int Pos = 0; Pos < Positions; ++Pos) {
      TField* Field = P->FDataLink->FieldAt(Pos);
      TColumnGx* Column = nullptr;
      if (Field)
        for (int I = Pos; I < P->FColumns->Count() && !Column; ++I)
          if (P->FColumns->ColumnAt(I)->Field() == Field) Column = P->FColumns->ColumnAt(I);
      if (!Column) {
        Column = P->FColumns->AddFieldColumn();
        if (Field) Column->SetField(Field);
      }
      if (Column->Index() != Pos) Column->SetIndex(Pos);
    }
  }

  P->FShownColumns->Clear();
  for (int I = 0; I < P->FColumns->Count(); ++I)
    if (P->FColumns->ColumnAt(I)->Visible()) P->FShownColumns->Add(P->FColumns->ColumnAt(I));
  // Hidden columns among and right after the frozen ones are fixed too, so that the
  // frozen part still holds FrozenCols visible columns.
  int Hidden = 0;
  for (int I = 0; I < P->FColumns->Count(); ++I)
    if (!P->FColumns->ColumnAt(I)->Visible() && I < P->FFrozenCols + Hidden) ++Hidden;
  for (int I = P->FFrozenCols + Hidden; I < P->FColumns->Count() && !P->FColumns->ColumnAt(I)->Visible(); ++I) ++Hidden;
  if (P->FShownColumns->Count() == 0) --Hidden;

  SetColCount(P->FColumns->Count() + P->FIndicatorColCount);
  int Fixed = P->FIndicatorColCount + Hidden;
  if (P->FDataLink->Active() || P->FColumns->IsCustomized()) Fixed += P->FFrozenCols;
  // The base grid needs one scrolling column at least.
  SetFixedCols(std::clamp(Fixed, 0, ColCount() - 1));
  P->FTitleAreaRowCount = static_cast<std::uint8_t>(TitleRowCount() + FilterRowCount());
}

// The default row height, the edit-button height, whether rows wrap text, and the
// title row's height from the title fonts.
void TCustomDBGridGx::MeasureRows() {
  columns_detail::TCanvasLend Lend(this);
  TCanvas* Canvas = Lend.Canvas();
  Canvas->SetFont(Font());
  const int B = (P->FFlat ? 1 : 3) + (P->FOptions.Contains(dgRowLines) ? GridLineWidth() : 0);
  const int T = Canvas->TextHeight("Wg");
  const win::TEXTMETRIC Metrics = CanvasMetrics(Canvas);
  int Height = T + B;
  if (P->FRowHeight > 0 || P->FRowLines > 0) Height = P->FRowHeight + (Metrics.tmHeight + Metrics.tmExternalLeading) * P->FRowLines;
  if (P->FOptionsGx.Contains(dghFitRowHeightToText) && T > 0) {
    const int Lines = (Height - B) / T, Rest = (Height - B) % T;
    Height = (Rest > T / 2 || Lines == 0 ? Lines + 1 : Lines) * T + B;
    P->FRowLines = (Height - B) / T;
    P->FRowHeight = B;
  }
  SetDefaultRowHeight(Height);
  P->FEditButtonHeight =
      DefaultRowHeight() > static_cast<int>(Round(3.0 * P->FEditButtonWidth / 2)) ? P->FEditButtonWidth : DefaultRowHeight();
  P->FRowsAllowWrap =
      Metrics.tmHeight + Metrics.tmInternalLeading + Metrics.tmExternalLeading + P->FTextMargin < DefaultRowHeight();
  if (!P->FOptions.Contains(dgTitles)) return;
  int TitleRow = 0;
  if (P->FColumns->Count() == 0) {
    Canvas->SetFont(P->FTitleFont.get());
    TitleRow = Canvas->TextHeight("Wg") + P->FTextMargin;
  }
  for (int I = 0; I < P->FColumns->Count(); ++I) {
    Canvas->SetFont(P->FColumns->ColumnAt(I)->Title()->Font());
    TitleRow = std::max(TitleRow, Canvas->TextHeight("Wg") + P->FTextMargin);
  }
  SetRowHeights(0, TitleRow);
}

// The base grid's horizontal bar: wanted unless the columns fit the width or another
// bar stands in for it.
void TCustomDBGridGx::ApplyHorzScrollBar() {
  const bool Wanted = (!P->FAutoFitColWidths || ComponentState().Contains(csDesigning)) && P->FHorzScrollBar->Visible() &&
                      !P->FHorzScrollBar->ExtScrollBar();
  const bool Has = ScrollBars() == ssHorizontal || ScrollBars() == ssBoth;
  if (Wanted == Has) return;
  SetScrollBars(Wanted ? ssHorizontal : ssNone);
  if (HandleAllocated()) {
    HandleNeeded();
    UpdateVertScrollBar();
  }
}

// Gives the auto-fit columns the client width left by the others, in proportion to
// their shares, so that the shown columns end exactly at the right edge.
void TCustomDBGridGx::FitColumnWidths() {
  if (!P->FAutoFitColWidths || ComponentState().Contains(csDesigning) || !HandleAllocated()) return;
  const int ShownCount = P->FShownColumns->Count();
  std::vector<TColumnGx*> Limited;  // held at a width its limits gave it
  auto IsLimited = [&Limited](TColumnGx* Column) {
    return std::find(Limited.begin(), Limited.end(), Column) != Limited.end();
  };
  auto Fits = [&](TColumnGx* Column) { return Column->AutoFitColWidth() && !IsLimited(Column); };
  int R = 0, S = 0;
  for (int Pass = 0; Pass < ShownCount; ++Pass) {
    UpdateVertScrollBar();
    int Shares = 0, F = 0, Fitting = 0;
    for (int K = 0; K < ShownCount; ++K) {
      TColumnGx* Column = P->FShownColumns->ColumnAt(K);
      if (Fits(Column)) {
        Shares += std::max(0, Column->ProportionalWidth());
        ++Fitting;
      } else {
        F += Column->Width();
      }
    }
    R = std::max(0, std::max(P->FMinAutoFitWidth, ClientWidth()) - F);
    if (P->FOptions.Contains(dgIndicator)) R -= ColWidths(0);
    if (P->FOptions.Contains(dgColLines)) R -= ShownCount;
    if (P->FOptions.Contains(dgIndicator) && P->FOptions.Contains(dgColLines)) R -= 1;
    R = std::max(0, R);
    bool Marked = false;
    S = 0;
    for (int K = 0; K < ShownCount; ++K) {
      TColumnGx* Column = P->FShownColumns->ColumnAt(K);
      if (!Fits(Column)) continue;
      // Shares that add up to nothing share the room equally.
      const int Wanted = Shares > 0 ? MulDiv(std::max(0, Column->ProportionalWidth()), R, Shares) : MulDiv(1, R, Fitting);
      Column->SetWidth(Wanted);
      if (Column->Width() != Wanted) {
        Limited.push_back(Column);
        Marked = true;
      }
      S += Column->Width();
    }
    if (!Marked) break;
  }
  if (S == R) return;
  for (int K = ShownCount - 1; K >= 0; --K) {
    TColumnGx* Column = P->FShownColumns->ColumnAt(K);
    if (!Fits(Column)) continue;
    Column->SetWidth(std::max(0, Column->Width() + R - S));
    break;
  }
}

// The title row's height from TitleHeight and TitleLines, or from the multi-title
// header.
void TCustomDBGridGx::MeasureTitleRow() {
  if (!P->FOptions.Contains(dgTitles)) return;
  if (P->FTitleHeight != 0 || P->FTitleLines != 0) {
    columns_detail::TCanvasLend Lend(this);
    TCanvas* Canvas = Lend.Canvas();
    TFont* Tallest = P->FTitleFont.get();
    int TallestHeight = -1;
    for (int I = 0; I < P->FColumns->Count(); ++I) {
      TFont* TitleFont = P->FColumns->ColumnAt(I)->Title()->Font();
      Canvas->SetFont(TitleFont);
      const int H = Canvas->TextHeight("Wg");
      if (H > TallestHeight) {
        TallestHeight = H;
        Tallest = TitleFont;
      }
    }
    Canvas->SetFont(Tallest);
    const win::TEXTMETRIC Metrics = CanvasMetrics(Canvas);
    int H = P->FTitleLines * Metrics.tmHeight + Metrics.tmExternalLeading + 2 + P->FTitleHeight;
    if (P->FOptions.Contains(dgRowLines)) ++H;
    P->FComputedTitleHeight = H;
    SetRowHeights(0, H);
  }
  if (P->FUseMultiTitle) {
    BuildHeadTree();
    const int Total = MeasureHeadTree(P->FHeadTreeRoot.get());
    SetRowHeights(0, std::max(0, Total - (P->FOptionsGx.Contains(dghFixed3D) ? 1 : 3)));
  }
}

void TCustomDBGridGx::ApplyColumnAttributes() {
  const bool Active = P->FDataLink->Active();
  for (int I = 0; I < P->FColumns->Count(); ++I) {
    TColumnGx* Column = P->FColumns->ColumnAt(I);
    const int GridCol = DataToGridColumn(I);
    if (GridCol >= ColCount()) break;
    bool Stop = Column->Visible() && !Column->ReadOnly() && Active;
    if (Stop) {
      TField* Field = Column->Field();
      Stop = Field && !Field->Calculated() && !IsReadOnlyField(Field);
    }
    SetTabStops(GridCol, Stop);
    SetColWidths(GridCol, Column->Visible() ? Column->Width() : (P->FOptions.Contains(dgColLines) ? -1 : 0));
  }
  if (P->FOptions.Contains(dgIndicator) && ColCount() > 0) SetColWidths(0, IndicatorWidth);
}

void TCustomDBGridGx::RecountRows() {
  if (!P->FDataLink) return;
  if (CursorModeActive()) {
    if (P->FTitleAreaRowCount >= RowCount()) SetRowCount(P->FTitleAreaRowCount + 1);
    RecountRowsCursorMode();
    return;
  }
  if (P->FTitleAreaRowCount >= RowCount()) SetRowCount(P->FTitleAreaRowCount + 1);
  SetFixedRows(P->FTitleAreaRowCount);
  const int LW = P->FOptions.Contains(dgRowLines) ? GridLineWidth() : 0;
  const int L = std::max(1, DefaultRowHeight() + LW);
  const bool Titles = P->FOptions.Contains(dgTitles);
  const int TitleRow = Titles ? RowHeights(0) : 0;
  int U = (Titles ? TitleRow + LW : 0) + L * FilterRowCount() + L * P->FFooterRowCount + (P->FFooterRowCount > 0 ? LW : 0);
  SetDefaultRowHeight(DefaultRowHeight());
  if (Titles) SetRowHeights(0, TitleRow);
  const int OldRowCount = RowCount();
  SetTopRow(FixedRows());
  if (P->FDataLink->Active() && P->FDataLink->RecordCount() > 0 && HandleAllocated()) {
    int D = std::max(1, (ClientHeight() - U) / L);
    P->FDataLink->SetBufferCount(D);
    if (P->FFooterDisplayStyle || P->FFooterRowCount == 0) D = P->FDataLink->RecordCount();
    U += D * L;
    if (P->FFooterRowCount == 0) {
      SetRowCount(P->FTitleAreaRowCount + D);
    } else {
      SetRowCount(P->FTitleAreaRowCount + D + P->FFooterRowCount + 1);
      // The separator row takes what is left below the records, so that the footers
      // end at the bottom; with FooterDisplayStyle they follow the records.
      const int Spare = P->FFooterDisplayStyle ? 0 : std::max(0, ClientHeight() - U);
      SetRowHeights(P->FTitleAreaRowCount + D, Spare);
    }
    SyncActiveRow();
  } else {
    SetRowCount(P->FTitleAreaRowCount + 1);
    U += L;
    if (HandleAllocated() && P->FFooterRowCount > 0) {
      SetRowCount(RowCount() + P->FFooterRowCount + 1);
      SetRowHeights(P->FTitleAreaRowCount + 1, std::max(0, ClientHeight() - U));
    }
  }
  if (RowCount() != OldRowCount) Invalidate();
}
