// The column's drop-down box settings, passed through to the column's popup grid.
#include "grid/DBLookupGridsGx/ColumnDropDownBox.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBLookupGridsGx/PopupDataGrid.h"

void TColumnDropDownBoxGx::Publish(TClassBuilder<TColumnDropDownBoxGx>& b) {
  using T = TColumnDropDownBoxGx;
  b.Property("AutoFitColWidths", &T::AutoFitColWidths, &T::SetAutoFitColWidths).Default(true);
  b.Property("ColumnDefValues", &T::ColumnDefValues, &T::SetColumnDefValues).Stored(&T::PopupMade);
  b.Property("Columns", &T::Columns, &T::SetColumns).Stored(&T::IsColumnsStored);
  b.Property("ListSource", &T::ListSource, &T::SetListSource);
  b.Property("Options", &T::Options, &T::SetOptions).Stored(&T::IsOptionsStored);
  b.Property("UseMultiTitle", &T::UseMultiTitle, &T::SetUseMultiTitle).Default(false);
}

void TColumnDropDownBoxGx::SetListSource(TDataSource* Value) {
  if (Value == FListSource) return;
  FListSource = Value;
  if (IDropDownBoxOwnerGx* Owner = BoxOwner()) Owner->WatchComponent(Value);
}

TDBGridColumnsGx* TColumnDropDownBoxGx::Columns() {
  IDropDownBoxOwnerGx* Owner = BoxOwner();
  return Owner ? Owner->GetPopupGrid()->Columns() : nullptr;
}

void TColumnDropDownBoxGx::SetColumns(TDBGridColumnsGx* Value) {
  if (!Value) return;
  if (IDropDownBoxOwnerGx* Owner = BoxOwner()) Owner->GetPopupGrid()->Columns()->Assign(Value);
}

TColumnDefValuesGx* TColumnDropDownBoxGx::ColumnDefValues() {
  IDropDownBoxOwnerGx* Owner = BoxOwner();
  return Owner ? Owner->GetPopupGrid()->ColumnDefValues() : nullptr;
}

void TColumnDropDownBoxGx::SetColumnDefValues(TColumnDefValuesGx* Value) {
  if (!Value) return;
  if (IDropDownBoxOwnerGx* Owner = BoxOwner()) Owner->GetPopupGrid()->ColumnDefValues()->Assign(Value);
}

TDBLookupGridGxOptions TColumnDropDownBoxGx::Options() {
  IDropDownBoxOwnerGx* Owner = BoxOwner();
  return Owner ? Owner->GetPopupOptions() : TDBLookupGridGxOptions{};
}

void TColumnDropDownBoxGx::SetOptions(TDBLookupGridGxOptions Value) {
  if (IDropDownBoxOwnerGx* Owner = BoxOwner()) Owner->SetPopupOptions(Value);
}

bool TColumnDropDownBoxGx::IsColumnsStored() {
  return PopupMade() && BoxOwner()->PopupGridIfMade()->Columns()->IsCustomized();
}

bool TColumnDropDownBoxGx::IsOptionsStored() {
  return PopupMade() && BoxOwner()->PopupGridIfMade()->LookupOptions() != DefaultLookupGridGxOptions;
}

void TColumnDropDownBoxGx::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TColumnDropDownBoxGx*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  SetAutoFitColWidths(Other->AutoFitColWidths());
  SetColumnDefValues(Other->ColumnDefValues());
  if (Other->IsColumnsStored()) SetColumns(Other->Columns());
  else if (TDBGridColumnsGx* Own = Columns()) Own->Clear();
  SetOptions(Other->Options());
  SetUseMultiTitle(Other->UseMultiTitle());
  SetListSource(Other->ListSource());
}
