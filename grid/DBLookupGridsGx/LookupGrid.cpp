// The lookup grid's construction, properties, list fields, key value and the data
// field it may write the key into.
#include "grid/DBLookupGridsGx/LookupGrid.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

win::DWORD LastSearchKeyTime = 0;

TDBLookupGridGx::TDBLookupGridGx(TComponent* AOwner) : TCustomDBGridGx(AOwner) {
  RemakeColumnObjects();
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
  SetParentColor(false);
  FLookupModeSource = std::make_unique<TDataSource>(this);
  FDataLink = std::make_unique<TLookupGridDataLinkGx>(this);
  FSpecRow = std::make_unique<TSpecRowGx>(this);
  FSpecRow->SetOnChanged(MakeEvent(this, &TDBLookupGridGx::SpecRowChanged));
  SetOptions(TDBGridOptions{dgColLines, dgRowSelect});
  SetOptionsGx(OptionsGx() + TDBGridGxOptions{dghTraceColSizing});
  HorzScrollBar()->SetTracking(true);
  VertScrollBar()->SetTracking(true);
  SetFlat(true);
  SetDrawMemoText(true);
  SetTabStop(false);
  SetVTitleMargin(5);
  SetWholeDataSetCursorAllowed(false);
}

TDBLookupGridGx::~TDBLookupGridGx() {
  FSpecRow->SetOnChanged(nullptr);
  FDataLink->ForgetGrid();
  FDataLink->SetDataSource(nullptr);
}

void TDBLookupGridGx::SpecRowChanged(TObject*) { InvalidateIfReady(); }

void TDBLookupGridGx::InvalidateIfReady() {
  if (!ComponentState().Contains(csLoading)) Invalidate();
}

void TDBLookupGridGx::ForgetRemovedComponent(TComponent* AComponent) {
  TCustomDBGridGx::ForgetRemovedComponent(AComponent);
  if (FDataLink && AComponent == FDataLink->DataSource()) SetDataSource(nullptr);
}

TDBGridColumnsGx* TDBLookupGridGx::CreateColumns() {
  return new TDBGridColumnsGx(this, TDBLookupGridColumnGx::StaticClass());
}

TColumnDefValuesGx* TDBLookupGridGx::CreateColumnDefValues() { return new TDBLookupGridColumnDefValuesGx(this); }

// ---- properties ----

void TDBLookupGridGx::CheckKeyFieldsWritable() {
  if (FLookupMode) DatabaseError("Property already defined by lookup field", this);
  if (FDataLink->DataSourceFixed()) DatabaseError("Operation not allowed in a DBCtrlGrid", this);
}

void TDBLookupGridGx::SetListSource(TDataSource* Value) {
  CheckKeyFieldsWritable();
  TCustomDBGridGx::SetDataSource(Value);
}

void TDBLookupGridGx::SetKeyFields(const std::string& Value) {
  CheckKeyFieldsWritable();
  if (Value == FKeyFields) return;
  FKeyFields = Value;
  RebuildListFields();
  UpdateFittedWidths();
}

void TDBLookupGridGx::SetListFields(const std::string& Value) {
  if (Value == FListFields) return;
  FListFields = Value;
  RebuildListFields();
  UpdateFittedWidths();
}

void TDBLookupGridGx::SetKeyValue(const Variant& Value) {
  if (VariantsEqual(FKeyValue, Value)) return;
  FKeyValue = Value;
  KeyValueChanged();
}

void TDBLookupGridGx::SetMultiTitle(bool Value) {
  SetUseMultiTitle(Value);
  WriteDisplayRowCountAgain();
}

void TDBLookupGridGx::SetLookupOptions(TDBLookupGridGxOptions Value) {
  if (Value == FLookupOptions) return;
  FLookupOptions = Value;
  TDBGridOptions O = Options();
  const auto Match = [&](TDBGridOption Opt, TDBLookupGridGxOption L) {
    if (Value.Contains(L)) O += Opt;
    else O -= Opt;
  };
  Match(dgColumnResize, dlgColumnResizeGx);
  Match(dgColLines, dlgColLinesGx);
  Match(dgRowLines, dlgRowLinesGx);
  SetOptions(O);
  TDBGridGxOptions G = OptionsGx();
  if (Value.Contains(dlgAutoSortMarkingGx)) G += dghAutoSortMarking;
  else G -= dghAutoSortMarking;
  if (Value.Contains(dlgMultiSortMarkingGx)) G += dghMultiSortMarking;
  else G -= dghMultiSortMarking;
  SetOptionsGx(G);
}

void TDBLookupGridGx::SetDataSource(TDataSource* Value) {
  if (!(FDataLink->DataSourceFixed() && ComponentState().Contains(csLoading))) FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

void TDBLookupGridGx::SetDataField(const std::string& Value) {
  if (Value == FDataField) return;
  FDataField = Value;
  DataFieldChanged();
}

// ---- list fields ----

void TDBLookupGridGx::CheckNotCircular() {
  TDataSet* List = GridLink()->DataSet();
  if (List && FDataLink->DataSource() && List->IsLinkedTo(FDataLink->DataSource()))
    DatabaseError("Circular datalinks are not allowed", this);
}

void TDBLookupGridGx::RebuildListFields() {
  FListActive = false;
  FListField = nullptr;
  FListFieldList.clear();
  auto finish = AtScopeExit([this] {
    if (FListActive) KeyValueChanged();
    else ListDataChanged();
  });
  TDataSet* List = GridLink()->DataSet();
  if (GridLink()->Active() && !FKeyFields.empty()) {
    CheckNotCircular();
    NamedFieldsArray(List, this, FKeyFields, FKeyFieldList);
    try {
      FListFieldList = List->GetFieldList(FListFields);
    } catch (const Exception&) {
      FListFieldList.clear();
      DatabaseError("Field '" + FListFields + "' not found", this);
    }
    if (FLookupMode) {
      TField* Result = List->FieldByName(FDataFieldList[0]->LookupResultField());
      if (std::find(FListFieldList.begin(), FListFieldList.end(), Result) == FListFieldList.end())
        FListFieldList.insert(FListFieldList.begin(), Result);
      FListField = Result;
    } else {
      if (FListFieldList.empty()) FListFieldList.assign(FKeyFieldList.begin(), FKeyFieldList.end());
      if (!FListFieldList.empty())
        FListField = FListFieldIndex >= 0 && FListFieldIndex < static_cast<int>(FListFieldList.size())
                         ? FListFieldList[FListFieldIndex]
                         : FListFieldList[0];
    }
    FListActive = true;
  }
  if (FLookupMode) {
    FKeyFields = FDataFieldList[0]->LookupKeyFields();
    if (GridLink()->Active()) {
      NamedFieldsArray(List, this, FKeyFields, FKeyFieldList);
      FListField = List->FieldByName(FDataFieldList[0]->LookupResultField());
    }
  }
}

void TDBLookupGridGx::CollectDataSetFields(TList* List) {
  for (TField* F : FListFieldList) List->Add(F);
}

void TDBLookupGridGx::BuildFieldMap() {
  TGridDataLinkGx* Link = GridLink();
  const bool Customized = Columns()->IsCustomized();
  Link->SetSparseMap(Customized);
  if (Customized) {
    for (int I = 0; I < Columns()->Count(); ++I) Link->MapField(Columns()->ColumnAt(I)->FieldName());
    return;
  }
  for (TField* F : FListFieldList) Link->MapField(F->FieldName());
}

// ---- key value ----

bool TDBLookupGridGx::ValueFitsKeyFields(const TFieldsArrGx& Fields, const Variant& Value) {
  if (Fields.size() == 1) return !VarIsArray(Value);
  if (Fields.size() > 1 && VarIsArray(Value))
    return VarArrayHighBound(Value, 1) - VarArrayLowBound(Value, 1) + 1 == static_cast<int>(Fields.size());
  return false;
}

bool TDBLookupGridGx::LocateKeyValue() {
  try {
    TDataSet* List = GridLink()->DataSet();
    if (!FKeyValue.IsNull() && List && List->Active() && ValueFitsKeyFields(FKeyFieldList, FKeyValue))
      return List->Locate(FKeyFields, FKeyValue, TLocateOptions{});
  } catch (...) {
  }
  return false;
}

void TDBLookupGridGx::KeyValueChanged() {
  if (FSpecRow->Visible()) {
    FSpecRow->SetSelected(VariantsEqual(FKeyValue, FSpecRow->Value()));
    if (!FSelectingInList && !FSpecRow->Selected() && FSpecRow->ShowIfNotInKeyList()) {
      if (LocateKeyValue()) ListDataChanged();
      else FSpecRow->SetSelected(true);
    }
  } else {
    FSpecRow->SetSelected(false);
  }
  if (FListActive && !FSelectingInList) {
    if (LocateKeyValue() || FSpecRow->Selected()) ListDataChanged();
    else GridLink()->DataSet()->First();
  }
  if (FSpecRow->Visible() && FSpecRow->Selected()) FDisplayText = FSpecRow->CellTextAt(FListFieldIndex);
  else if (FListField) FDisplayText = FListField->DisplayText();
  else FDisplayText.clear();
  SyncActiveRow();
  InvalidateIfReady();
}

bool TDBLookupGridGx::CanChangeKeyValue() {
  if (!FListActive || FDataLink->ReadOnly()) return false;
  if (!FDataLink->DataSource()) return true;
  if (FDataKeyFields.empty()) return false;
  for (TField* F : FDataKeyFields)
    if (!F->CanModify()) return false;
  return true;
}

void TDBLookupGridGx::ChooseKeyValue(const Variant& Value) {
  if (FDataKeyFields.empty()) {
    SetKeyValue(Value);
  } else if (FDataLink->Edit()) {
    FDataLink->DataSet()->SetFieldValues(FDataKeyFieldNames, Value);
  }
  SyncActiveRow();
  Repaint();
  Click();
}

void TDBLookupGridGx::SelectCurrentKey() {
  FSelectingInList = true;
  auto reset = AtScopeExit([this] { FSelectingInList = false; });
  const Variant Current = GridLink()->DataSet()->FieldValues(FKeyFields);
  if (!VariantsEqual(Current, FKeyValue)) ChooseKeyValue(Current);
}

void TDBLookupGridGx::SelectSpecRow() {
  {
    FSelectingInList = true;
    auto reset = AtScopeExit([this] { FSelectingInList = false; });
    if (!VariantsEqual(FSpecRow->Value(), FKeyValue)) ChooseKeyValue(FSpecRow->Value());
  }
  FSpecRow->SetSelected(true);
  InvalidateIfReady();
}

template <class F>
void TDBLookupGridGx::AtBufferRecord(int Index, F&& Action) {
  TGridDataLinkGx* Link = GridLink();
  const int Saved = Link->ActiveRecord();
  auto restore = AtScopeExit([&] { Link->SetActiveRecord(Saved); });
  if (Link->SetActiveRecord(Index)) Action();
}

int TDBLookupGridGx::KeyRowIndex() {
  if (FKeyValue.IsNull() || !GridLink()->Active()) return -1;
  TDataSet* List = GridLink()->DataSet();
  // Only records the buffer holds count, however stale the remembered count is.
  const int Count = std::min(FListRecordCount, GridLink()->RecordCount());
  for (int I = 0; I < Count; ++I) {
    bool Equal = false;
    AtBufferRecord(I, [&] { Equal = VariantsEqual(List->FieldValues(FKeyFields), FKeyValue); });
    if (Equal) return I;
  }
  return -1;
}

// ---- the data field ----

void TDBLookupGridGx::DataFieldChanged() {
  FDataKeyFieldNames.clear();
  FDataFieldList.clear();
  FDataKeyFields.clear();
  if (FDataLink->Active() && !FDataField.empty()) {
    CheckNotCircular();
    TDataSet* Data = FDataLink->DataSet();
    NamedFieldsArray(Data, this, FDataField, FDataFieldList);
    if (FDataFieldList.size() == 1 && FDataFieldList[0]->FieldKind() == fkLookup)
      NamedFieldsArray(Data, this, FDataFieldList[0]->KeyFields(), FDataKeyFields);
    else
      FDataKeyFields = FDataFieldList;
    for (TField* F : FDataKeyFields) {
      if (!FDataKeyFieldNames.empty()) FDataKeyFieldNames += ';';
      FDataKeyFieldNames += F->FieldName();
    }
  }
  SetLookupMode(FDataFieldList.size() == 1 && FDataFieldList[0]->FieldKind() == fkLookup);
  DataRecordChanged(nullptr);
}

void TDBLookupGridGx::SetLookupMode(bool On) {
  if (On == FLookupMode) return;
  if (On) {
    TField* Lookup = FDataFieldList[0];
    NamedFieldsArray(Lookup->DataSet(), this, Lookup->KeyFields(), FDataKeyFields);
    FLookupModeSource->SetDataSet(Lookup->LookupDataSet());
    FKeyFields = Lookup->LookupKeyFields();
    FLookupMode = true;
    TCustomDBGridGx::SetDataSource(FLookupModeSource.get());
  } else {
    TCustomDBGridGx::SetDataSource(nullptr);
    FLookupMode = false;
    FKeyFields.clear();
    FLookupModeSource->SetDataSet(nullptr);
    FDataKeyFields = FDataFieldList;
  }
}

void TDBLookupGridGx::DataRecordChanged(TField* Field) {
  if (Field && std::find(FDataKeyFields.begin(), FDataKeyFields.end(), Field) == FDataKeyFields.end()) return;
  if (FDataKeyFields.empty()) SetKeyValue(Null());
  else SetKeyValue(FDataLink->DataSet()->FieldValues(FDataKeyFieldNames));
}

void TLookupGridDataLinkGx::ActiveChanged() {
  if (FGrid) FGrid->DataFieldChanged();
}

void TLookupGridDataLinkGx::LayoutChanged() {
  if (FGrid) FGrid->DataFieldChanged();
}

void TLookupGridDataLinkGx::RecordChanged(TField* Field) {
  if (FGrid) FGrid->DataRecordChanged(Field);
}

void TLookupGridDataLinkGx::FocusControl(TField** Field) {
  if (!FGrid || !*Field) return;
  if (FGrid->FDataFieldList.empty() || *Field != FGrid->FDataFieldList[0] || !FGrid->CanFocus()) return;
  *Field = nullptr;
  FGrid->SetFocus();
}
