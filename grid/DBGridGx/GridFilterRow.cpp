// The filter row: opening its editor in a filter cell, placing it again after the grid's
// geometry changed, storing and loading the conditions, ending the editing, and applying
// every column's condition to the dataset.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/Selection.h"
#include "grid/DBGridGx/Style.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

bool TCustomDBGridGx::HasFilterCell(int ACol) {
  const int I = GridToDataColumn(ACol);
  if (!P->FColumns || I < 0 || I >= P->FColumns->Count()) return false;
  TColumnGx* Column = P->FColumns->ColumnAt(I);
  return Column->Visible() && Column->STFilter()->Visible();
}

// The filter row follows the title rows; a lookup grid's special row comes after it.
bool TCustomDBGridGx::IsFilterRowCell(int, int ARow) {
  return P->FSTFilter && P->FSTFilter->Visible() && ARow == TitleRowCount();
}

std::string TCustomDBGridGx::FilterCellText(int Index) {
  if (!P->FColumns || Index < 0 || Index >= P->FColumns->Count()) return {};
  TColumnGx* Column = P->FColumns->ColumnAt(Index);
  return Column->FieldName().empty() ? std::string() : Column->STFilter()->FilterText();
}

void TCustomDBGridGx::MakeFilterEditor() {
  P->FFilterEditor = new TInplaceFilterEditGx(this);
  if (P->FOnDblFilterClick) P->FFilterEditor->SetOnDblClick(P->FOnDblFilterClick);
}

bool TCustomDBGridGx::CanShowFilterEditor() { return P->FFilterEditing && P->FSelection && P->FSelection->Kind() == gstNon; }

void TCustomDBGridGx::StoreFilterText(int Index) {
  if (!P->FFilterEditor || !P->FColumns || Index < 0 || Index >= P->FColumns->Count()) return;
  TColumnGx* Column = P->FColumns->ColumnAt(Index);
  if (!Column->FieldName().empty()) Column->STFilter()->SetFilterText(P->FFilterEditor->GetText());
}

void TCustomDBGridGx::LoadFilterText(int Index) {
  if (!P->FFilterEditor) return;
  P->FFilterEditor->SetValue(Null());
  P->FFilterEditor->MainButton()->SetVisible(false);
  P->FFilterEditor->SetText(FilterCellText(Index));
}

void TCustomDBGridGx::StoreCurrentFilterText() {
  if (P->FFilterEditor && P->FFilterColumn >= 0) StoreFilterText(P->FFilterColumn);
}

void TCustomDBGridGx::ShowFilterEditor(int ACol) {
  if (!P->FSTFilter->Visible() || !HasFilterCell(ACol)) return;
  if (P->FDataLink->Active()) P->FDataLink->DataSet()->CheckBrowseMode();
  if (!P->FFilterEditor) {
    MakeFilterEditor();
    P->FFilterEditor->SetVisible(false);
    P->FFilterEditor->SetParent(this);
    P->FFilterEditor->SetInplaceEditHolder(this);
    P->FFilterEditor->SetBorderStyle(bsNone);
    P->FFilterEditor->Font()->Assign(Font());
    P->FFilterEditor->Font()->SetColor(clBlue);
    P->FFilterEditor->SetColor(BrightenColor(FixedColor(), 8));
    P->FFilterEditor->SetFlat(P->FFlat);
    P->FFilterEditor->SetOnKeyPress(MakeEvent(this, &TCustomDBGridGx::FilterEditKeyPress));
  }
  const int FilterRow = TitleRowCount();
  int Previous = -1;
  if (P->FFilterEditor->Visible()) {
    CloseFilterEditor();
    Previous = P->FFilterColumn;
  }
  P->FFilterColumn = GridToDataColumn(ACol);
  P->FFilterEditing = true;
  HideEditor();
  {
    LockUpdates();
    P->FPaintLocked = true;
    auto unlock = AtScopeExit([this] {
      P->FPaintLocked = false;
      UnlockUpdates();
    });
    if (P->FOptions.Contains(dgRowSelect)) ClampInView({ACol, TopRow()});
    else SetCurrentGridColumn(ACol);
    InvalidateCell(ACol, FilterRow);
    if (Previous >= 0 && DataToGridColumn(Previous) < ColCount()) InvalidateCell(DataToGridColumn(Previous), FilterRow);
  }
  UpdateFilterEditor(true);
}

void TCustomDBGridGx::UpdateFilterEditor(bool Reload) {
  if (P->FSTFilter->UpdateCount() > 0 || !P->FFilterEditing) return;
  const int ACol = DataToGridColumn(P->FFilterColumn);
  if (!P->FSTFilter->Visible() || !HasFilterCell(ACol) || !P->FFilterEditor) {
    EndFilterEditing();
    return;
  }
  win::RECT Target = CellRect(ACol, TitleRowCount());
  ++Target.left;
  if (!CanShowFilterEditor()) {
    CloseFilterEditor();
    return;
  }
  if (Reload) {
    LoadFilterText(P->FFilterColumn);
    P->FFilterEditor->SelectAll();
  }
  const bool FocusInGrid = HandleAllocated() && (Focused() || P->FFilterEditor->Focused() ||
                                                  (InplaceEditor() && InplaceEditor()->Focused()));
  P->FFilterEditor->PlaceAt(Target);
  if (FocusInGrid && P->FFilterEditor->Visible()) P->FFilterEditor->SetFocus();
  if (P->FFilterEditor->HandleAllocated()) P->FFilterEditor->Perform(win::EM_SCROLLCARET, 0, 0);
}

void TCustomDBGridGx::CloseFilterEditor() {
  if (!P->FFilterEditor || !P->FFilterEditor->Visible()) return;
  if (P->FFilterColumn >= 0) {
    StoreFilterText(P->FFilterColumn);
    if (DataToGridColumn(P->FFilterColumn) < ColCount()) InvalidateCell(DataToGridColumn(P->FFilterColumn), TitleRowCount());
    if (Visible() && CanFocus() && P->FFilterEditor->Focused()) win::SetFocus(Handle());
  }
  P->FFilterEditor->SetVisible(false);
}

void TCustomDBGridGx::EndFilterEditing() {
  if (P->FSTFilter->UpdateCount() > 0) return;
  CloseFilterEditor();
  P->FFilterEditing = false;
  // The cell editor comes back where it is always shown.
  if (P->FOptions.Contains(dgAlwaysShowEditor)) ShowEditor();
  else HideEditor();
}

void TCustomDBGridGx::AbandonFilterEditing() {
  P->FFilterEditing = false;
  if (!P->FFilterEditor || !P->FFilterEditor->Visible()) return;
  if (Visible() && CanFocus() && P->FFilterEditor->Focused()) win::SetFocus(Handle());
  P->FFilterEditor->SetVisible(false);
}

void TCustomDBGridGx::SetFilterEditing(bool Show) {
  if (!Show) {
    EndFilterEditing();
    return;
  }
  ShowFilterEditor(P->FFilterColumn >= 0 ? DataToGridColumn(P->FFilterColumn) : Col());
}

void TCustomDBGridGx::ApplyFilterRow() {
  if (P->FFilterColumn >= 0 && P->FFilterEditor) StoreFilterText(P->FFilterColumn);
  const int SavedLeft = LeftCol();
  P->FPaintLocked = true;
  auto restore = AtScopeExit([this, SavedLeft] {
    if (SavedLeft < ColCount() && SavedLeft >= FixedCols()) SetLeftCol(SavedLeft);
    P->FPaintLocked = false;
    UpdateFilterEditor(true);
    if (P->FSumList && P->FSumList->Active()) P->FSumList->RecalculateAll();
    Invalidate();
  });
  if (P->FOnApplyFilter) P->FOnApplyFilter(this);
  else ApplyFilterDefault();
}

void TCustomDBGridGx::MenuClearFilterClick(TObject*) {
  if (!P->FFilterEditor) return;
  P->FFilterEditor->SetText("");
  ApplyFilterRow();
}
