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

bool TCustomDBGridGx::TState::HasFilterCell(int ACol) {
  const int I = G.GridToDataColumn(ACol);
  if (!FColumns || I < 0 || I >= FColumns->Count()) return false;
  TColumnGx* Column = FColumns->ColumnAt(I);
  return Column->Visible() && Column->STFilter()->Visible();
}

// The filter row follows the title rows; a lookup grid's special row comes after it.
bool TCustomDBGridGx::IsFilterRowCell(int, int ARow) {
  return P->FSTFilter && P->FSTFilter->Visible() && ARow == TitleRowCount();
}

std::string TCustomDBGridGx::TState::FilterCellText(int Index) {
  if (!FColumns || Index < 0 || Index >= FColumns->Count()) return {};
  TColumnGx* Column = FColumns->ColumnAt(Index);
  return Column->FieldName().empty() ? std::string() : Column->STFilter()->FilterText();
}

void TCustomDBGridGx::TState::MakeFilterEditor() {
  FFilterEditor = new TInplaceFilterEditGx(&G);
  if (FOnDblFilterClick) FFilterEditor->SetOnDblClick(FOnDblFilterClick);
}

bool TCustomDBGridGx::TState::CanShowFilterEditor() { return FFilterEditing && FSelection && FSelection->Kind() == gstNon; }

void TCustomDBGridGx::TState::StoreFilterText(int Index) {
  if (!FFilterEditor || !FColumns || Index < 0 || Index >= FColumns->Count()) return;
  TColumnGx* Column = FColumns->ColumnAt(Index);
  if (!Column->FieldName().empty()) Column->STFilter()->SetFilterText(FFilterEditor->GetText());
}

void TCustomDBGridGx::TState::LoadFilterText(int Index) {
  if (!FFilterEditor) return;
  FFilterEditor->SetValue(Null());
  FFilterEditor->MainButton()->SetVisible(false);
  FFilterEditor->SetText(FilterCellText(Index));
}

void TCustomDBGridGx::ShowFilterEditor(int ACol) {
  if (!P->FSTFilter->Visible() || !P->HasFilterCell(ACol)) return;
  if (P->FDataLink->Active()) P->FDataLink->DataSet()->CheckBrowseMode();
  if (!P->FFilterEditor) {
    P->MakeFilterEditor();
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
    P->CloseFilterEditor();
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
  P->UpdateFilterEditor(true);
}

void TCustomDBGridGx::TState::UpdateFilterEditor(bool Reload) {
  if (FSTFilter->UpdateCount() > 0 || !FFilterEditing) return;
  const int ACol = G.DataToGridColumn(FFilterColumn);
  if (!FSTFilter->Visible() || !HasFilterCell(ACol) || !FFilterEditor) {
    G.EndFilterEditing();
    return;
  }
  win::RECT Target = G.CellRect(ACol, G.TitleRowCount());
  ++Target.left;
  if (!CanShowFilterEditor()) {
    CloseFilterEditor();
    return;
  }
  if (Reload) {
    LoadFilterText(FFilterColumn);
    FFilterEditor->SelectAll();
  }
  const bool FocusInGrid = G.HandleAllocated() && (G.Focused() || FFilterEditor->Focused() ||
                                                  (G.InplaceEditor() && G.InplaceEditor()->Focused()));
  FFilterEditor->PlaceAt(Target);
  if (FocusInGrid && FFilterEditor->Visible()) FFilterEditor->SetFocus();
  if (FFilterEditor->HandleAllocated()) FFilterEditor->Perform(win::EM_SCROLLCARET, 0, 0);
}

void TCustomDBGridGx::TState::CloseFilterEditor() {
  if (!FFilterEditor || !FFilterEditor->Visible()) return;
  if (FFilterColumn >= 0) {
    StoreFilterText(FFilterColumn);
    if (G.DataToGridColumn(FFilterColumn) < G.ColCount()) G.InvalidateCell(G.DataToGridColumn(FFilterColumn), G.TitleRowCount());
    if (G.Visible() && G.CanFocus() && FFilterEditor->Focused()) win::SetFocus(G.Handle());
  }
  FFilterEditor->SetVisible(false);
}

void TCustomDBGridGx::EndFilterEditing() {
  if (P->FSTFilter->UpdateCount() > 0) return;
  P->CloseFilterEditor();
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

void TCustomDBGridGx::TState::ApplyFilterRow() {
  if (FFilterColumn >= 0 && FFilterEditor) StoreFilterText(FFilterColumn);
  const int SavedLeft = G.LeftCol();
  FPaintLocked = true;
  auto restore = AtScopeExit([this, SavedLeft] {
    if (SavedLeft < G.ColCount() && SavedLeft >= G.FixedCols()) G.SetLeftCol(SavedLeft);
    FPaintLocked = false;
    UpdateFilterEditor(true);
    if (FSumList && FSumList->Active()) FSumList->RecalculateAll();
    G.Invalidate();
  });
  if (FOnApplyFilter) FOnApplyFilter(&G);
  else G.ApplyFilterDefault();
}

void TCustomDBGridGx::MenuClearFilterClick(TObject*) {
  if (!P->FFilterEditor) return;
  P->FFilterEditor->SetText("");
  P->ApplyFilterRow();
}
