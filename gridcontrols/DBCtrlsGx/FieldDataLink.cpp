// The field link of the data-aware edit: bound to a field of a dataset, or holding a value
// of its own while it has neither data source nor field name.
#include "gridcontrols/DBCtrlsGx/FieldDataLink.h"

#include "gridcontrols/ToolCtrlsGx/SpecRow.h"
#include "platform/controls/Messages.h"
#include "platform/controls/WinControl.h"
#include "platform/data/DataSet.h"
#include "platform/desktop/Windows.h"

#include <algorithm>

TFieldDataLinkGx::TFieldDataLinkGx() { SetVisualControl(true); }

bool TFieldDataLinkGx::StartEdit() {
  if (FIndependent) {
    if (!FLinkEditing && !ReadOnly()) {
      FLinkEditing = true;
      FLinkModified = false;
      Fire(OnLinkEditingChange, this);
    }
  } else if (CanModifyField()) {
    Edit();
  }
  return FLinkEditing;
}

bool TFieldDataLinkGx::IsActive() const { return FIndependent || (Active() && FirstField()); }

bool TFieldDataLinkGx::CanModifyField() const {
  if (TField* f = FirstField()) return f->CanModify();
  return FIndependent;
}

void TFieldDataLinkGx::AssignText(const std::string& Text) {
  if (FIndependent) {
    FIndependentValue = Variant(Text);
    RecordChanged(nullptr);
    return;
  }
  TField* f = FirstField();
  if (!f) return;
  if (f->DataType() == ftMemo || f->DataType() == ftWideMemo) f->SetAsString(Text);
  else f->SetText(Text);
}

void TFieldDataLinkGx::SetLinkDataSource(TDataSource* Value) {
  if (Value == DataSource()) return;
  SetDataSource(Value);
  UpdateIndependence();
}

void TFieldDataLinkGx::SetFieldName(const std::string& Value) {
  if (Value == FLinkFieldName) return;
  FLinkFieldName = Value;
  FLinkFields.clear();
  RefreshFields();
  UpdateIndependence();
}

bool TFieldDataLinkGx::ContainsField(TField* Field) const {
  return Field && std::find(FLinkFields.begin(), FLinkFields.end(), Field) != FLinkFields.end();
}

void TFieldDataLinkGx::UpdateIndependence() {
  bool now = !DataSource() && FLinkFieldName.empty();
  if (now == FIndependent) return;
  FIndependent = now;
  FIndependentValue = Null();
  LayoutChanged();
  if (FIndependent) RecordChanged(nullptr);
}

void TFieldDataLinkGx::RefreshFields() {
  std::vector<TField*> list;
  TDataSet* ds = DataSet();
  if (Active() && ds && !FLinkFieldName.empty()) {
    if (FMultipleFields) {
      if (FLinkControl) CollectNamedFields(&list, ds, FLinkControl, FLinkFieldName);
      else list = ds->GetFieldList(FLinkFieldName);
    } else if (FLinkControl) {
      TField* f = ds->FindField(FLinkFieldName);
      if (!f) DatabaseError("Field '" + FLinkFieldName + "' not found", FLinkControl);
      list.push_back(f);
    } else {
      list.push_back(ds->FieldByName(FLinkFieldName));
    }
  }
  StoreFields(list);
}

void TFieldDataLinkGx::StoreFields(const std::vector<TField*>& List) {
  FLinkFields = List;
  EditingChanged();
  RecordChanged(nullptr);
  SyncRightToLeft();
}

void TFieldDataLinkGx::SetLinkEditing(bool Value) {
  if (Value == FLinkEditing) return;
  FLinkEditing = Value;
  FLinkModified = false;
  Fire(OnLinkEditingChange, this);
}

void TFieldDataLinkGx::SyncRightToLeft() {
  auto* control = dynamic_cast<TWinControl*>(FLinkControl);
  if (!control || !SysLocale.MiddleEast || !control->UseRightToLeftReading() || !control->HandleAllocated()) return;
  bool hasRight = (win::GetWindowLong(control->Handle(), win::GWL_EXSTYLE) & win::WS_EX_RIGHT) != 0;
  if (hasRight != FieldUsesRightToLeftAlignment(control, FirstField())) control->Perform(CM_RECREATEWND, 0, 0);
}

void TFieldDataLinkGx::ActiveChanged() {
  FLinkFields.clear();
  RefreshFields();
  Fire(OnLinkActiveChange, this);
}

void TFieldDataLinkGx::EditingChanged() { SetLinkEditing(Editing() && CanModifyField()); }

void TFieldDataLinkGx::FocusControl(TField** Field) {
  if (!Field || !ContainsField(*Field)) return;
  auto* control = dynamic_cast<TWinControl*>(FLinkControl);
  if (!control || !control->CanFocus()) return;
  *Field = nullptr;
  control->SetFocus();
}

void TFieldDataLinkGx::LayoutChanged() {
  FLinkFields.clear();
  RefreshFields();
}

void TFieldDataLinkGx::RecordChanged(TField* Field) {
  if (Field && !ContainsField(Field)) return;
  Fire(OnLinkDataChange, this);
  FLinkModified = false;
}

void TFieldDataLinkGx::UpdateData() {
  if (FIndependent) {
    if (FLinkModified) Fire(OnLinkUpdateData, this);
    FLinkEditing = false;
    FLinkModified = false;
    return;
  }
  if (!FLinkModified) return;
  // The control's text goes to its handler even without a field: an edit with its own
  // update handler may take it elsewhere.
  Fire(OnLinkUpdateData, this);
  FLinkModified = false;
}

bool FieldUsesRightToLeftAlignment(const TControl* Control, const TField* Field) {
  // A right-to-left control mirrors the alignment of the field it shows.
  TAlignment a = Field ? Field->Alignment() : taLeftJustify;
  return Control && SysLocale.MiddleEast && Control->IsRightToLeft() && a != taRightJustify;
}
