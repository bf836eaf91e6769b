// The filter row: opening its editor in a filter cell, placing it again after the grid's
// geometry changed, storing and loading the conditions, ending the editing, and applying
// every column's condition to the dataset.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/Selection.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

bool TCustomDBGridGx::HasFilterCell(int ACol) {
  const int I = GridToDataColumn(ACol);
  if (!FColumns || I < 0 || I >= FColumns->Count()) return false;
  TColumnGx* Column = FColumns->ColumnAt(I);
  return Column->Visible() && Column->STFilter()->Visible();
}

// The filter row follows the title rows; a lookup grid's special row comes after it.
bool TCustomDBGridGx::IsFilterRowCell(int, int ARow) {
  return FSTFilter && FSTFilter->Visible() && ARow == TitleRowCount();
}

std::string TCustomDBGridGx::FilterCellText(int Index) {
  if (!FColumns || Index < 0 || Index >= FColumns->Count()) return {};
  TColumnGx* Column = FColumns->ColumnAt(Index);
  return Column->FieldName().empty() ? std::string() : Column->STFilter()->FilterText();
}

void TCustomDBGridGx::MakeFilterEditor() {
  FFilterEditor = new TInplaceFilterEditGx(this);
  if (FOnDblFilterClick) FFilterEditor->SetOnDblClick(FOnDblFilterClick);
}

bool TCustomDBGridGx::CanShowFilterEditor() { return FFilterEditing && FSelection && FSelection->Kind() == gstNon; }

void TCustomDBGridGx::StoreFilterText(int Index) {
  if (!FFilterEditor || !FColumns || Index < 0 || Index >= FColumns->Count()) return;
  TColumnGx* Column = FColumns->ColumnAt(Index);
  if (!Column->FieldName().empty()) Column->STFilter()->SetFilterText(FFilterEditor->GetText());
}

void TCustomDBGridGx::LoadFilterText(int Index) {
  if (!FFilterEditor) return;
  FFilterEditor->SetValue(Null());
  FFilterEditor->MainButton()->SetVisible(false);
  FFilterEditor->SetText(FilterCellText(Index));
}

void TCustomDBGridGx::StoreCurrentFilterText() {
  if (FFilterEditor && FFilterColumn >= 0) StoreFilterText(FFilterColumn);
}

void TCustomDBGridGx::ShowFilterEditor(int ACol) {
  if (!FSTFilter->Visible() || !HasFilterCell(ACol)) return;
  if (FDataLink->Active()) FDataLink->DataSet()->CheckBrowseMode();
  if (!FFilterEditor) {
    MakeFilterEditor();
    FFilterEditor->SetVisible(false);
    FFilterEditor->SetParent(this);
    FFilterEditor->SetInplaceEditHolder(this);
    FFilterEditor->SetBorderStyle(bsNone);
    FFilterEditor->Font()->Assign(Font());
    FFilterEditor->Font()->SetColor(clBlue);
    FFilterEditor->SetColor(BrightenColor(FixedColor(), 8));
    FFilterEditor->SetFlat(FFlat);
    FFilterEditor->SetOnKeyPress(MakeEvent(this, &TCustomDBGridGx::FilterEditKeyPress));
  }
  const int FilterRow = TitleRowCount();
  int Previous = -1;
  if (FFilterEditor->Visible()) {
    CloseFilterEditor();
    Previous = FFilterColumn;
  }
  FFilterColumn = GridToDataColumn(ACol);
  FFilterEditing = true;
  HideEditor();
  {
    LockUpdates();
    FPaintLocked = true;
    auto unlock = AtScopeExit([this] {
      FPaintLocked = false;
      UnlockUpdates();
    });
    if (FOptions.Contains(dgRowSelect)) ClampInView({ACol, TopRow()});
    else SetCurrentGridColumn(ACol);
    InvalidateCell(ACol, FilterRow);
    if (Previous >= 0 && DataToGridColumn(Previous) < ColCount()) InvalidateCell(DataToGridColumn(Previous), FilterRow);
  }
  UpdateFilterEditor(true);
}

void TCustomDBGridGx::UpdateFilterEditor(bool Reload) {
  if (FSTFilter->UpdateCount() > 0 || !FFilterEditing) return;
  const int ACol = DataToGridColumn(FFilterColumn);
  if (!FSTFilter->Visible() || !HasFilterCell(ACol) || !FFilterEditor) {
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
    LoadFilterText(FFilterColumn);
    FFilterEditor->SelectAll();
  }
  const bool FocusInGrid = HandleAllocated() && (Focused() || FFilterEditor->Focused() ||
                                                  (InplaceEditor() && InplaceEditor()->Focused()));
  FFilterEditor->PlaceAt(Target);
  if (FocusInGrid && FFilterEditor->Visible()) FFilterEditor->SetFocus();
  if (FFilterEditor->HandleAllocated()) FFilterEditor->Perform(win::EM_SCROLLCARET, 0, 0);
}

void TCustomDBGridGx::CloseFilterEditor() {
  if (!FFilterEditor || !FFilterEditor->Visible()) return;
  if (FFilterColumn >= 0) {
    StoreFilterText(FFilterColumn);
    if (DataToGridColumn(FFilterColumn) < ColCount()) InvalidateCell(DataToGridColumn(FFilterColumn), TitleRowCount());
    if (Visible() && CanFocus() && FFilterEditor->Focused()) win::SetFocus(Handle());
  }
  FFilterEditor->SetVisible(false);
}

void TCustomDBGridGx::EndFilterEditing() {
  if (FSTFilter->UpdateCount() > 0) return;
  CloseFilterEditor();
  FFilterEditing = false;
  // The cell editor comes back where it is always shown.
  if (FOptions.Contains(dgAlwaysShowEditor)) ShowEditor();
  else HideEditor();
}

void TCustomDBGridGx::AbandonFilterEditing() {
  FFilterEditing = false;
  if (!FFilterEditor || !FFilterEditor->Visible()) return;
  if (Visible() && CanFocus() && FFilterEditor->Focused()) win::SetFocus(Handle());
  FFilterEditor->SetVisible(false);
}

void TCustomDBGridGx::SetFilterEditing(bool Show) {
  if (!Show) {
    EndFilterEditing();
    return;
  }
  ShowFilterEditor(FFilterColumn >= 0 ? DataToGridColumn(FFilterColumn) : Col());
}

void TCustomDBGridGx::ApplyFilterRow() {
  if (FFilterColumn >= 0 && FFilterEditor) StoreFilterText(FFilterColumn);
  const int SavedLeft = LeftCol();
  FPaintLocked = true;
  auto restore = AtScopeExit([this, SavedLeft] {
    if (SavedLeft < ColCount() && SavedLeft >= FixedCols()) SetLeftCol(SavedLeft);
    FPaintLocked = false;
    UpdateFilterEditor(true);
    if (FSumList && FSumList->Active()) FSumList->RecalculateAll();
    Invalidate();
  });
  if (FOnApplyFilter) FOnApplyFilter(this);
  else ApplyFilterDefault();
}

void TCustomDBGridGx::MenuClearFilterClick(TObject*) {
  if (!FFilterEditor) return;
  FFilterEditor->SetText("");
  ApplyFilterRow();
}
