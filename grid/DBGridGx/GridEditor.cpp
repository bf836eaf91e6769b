// The grid's side of in-place editing: when the editor shows, what it may change, the
// text it gets and gives back, and the filter row's editor.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/InplaceEdit.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

bool TCustomDBGridGx::InplaceEditorVisible() const { return InplaceEditor() && InplaceEditor()->Visible(); }

bool TCustomDBGridGx::IsActiveControl() {
  if (TCustomForm* Form = GetParentForm(this)) return Form->ActiveControl() == this;
  if (!HandleAllocated()) return false;
  for (win::HWND Window = win::GetFocus(); Window; Window = win::GetParent(Window))
    if (Window == Handle()) return true;
  return false;
}

void TCustomDBGridGx::ShowCellEditor() {
  if (FFilterEditing) FFilterEditing = false;
  ShowEditor();
}

void TCustomDBGridGx::InvalidateCellEditor() {
  if (InplaceEditor()) InvalidateEditor();
}

bool TCustomDBGridGx::TakeFocus() {
  if (!CanFocus() || ComponentState().Contains(csDesigning)) return true;
  SetFocus();
  return Focused() || (InplaceEditor() && InplaceEditor()->Focused());
}

bool TCustomDBGridGx::EditorAlwaysShown() { return FOptions.Contains(dgAlwaysShowEditor) && !FFilterEditing; }

void TCustomDBGridGx::MakeFilterEditor() {}

bool TCustomDBGridGx::CanShowFilterEditor() { return FFilterEditing && FSelection && FSelection->Kind() == gstNon; }

void TCustomDBGridGx::StoreFilterText(int) {}

void TCustomDBGridGx::LoadFilterText(int) {}

TInplaceEdit* TCustomDBGridGx::CreateEditor() { return new TDBGridInplaceEdit(this); }

// Until the grid can write the editor's text back into the field, no editor is shown
// and no cell may be changed: typed text would be lost.
bool TCustomDBGridGx::CanEditShow() { return false; }

bool TCustomDBGridGx::CanEditAcceptKey(TKeyChar) { return false; }

bool TCustomDBGridGx::CanEditModify() { return false; }

int TCustomDBGridGx::GetEditLimit() { return 0; }

std::string TCustomDBGridGx::GetEditMask(int, int) { return {}; }

std::string TCustomDBGridGx::GetEditText(int, int) { return FEditText; }

void TCustomDBGridGx::SetEditText(int, int, const std::string& Value) { FEditText = Value; }

// The in-place editor and its write-back come later: there is no typed text to write.
void TCustomDBGridGx::WriteEditorText() {}
