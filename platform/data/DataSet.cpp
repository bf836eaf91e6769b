// TDataSet: opening and closing, state, fields and notifications.
#include "platform/data/DataSet.h"

#include "platform/data/DataConvert.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {
// The data classes are known by name from the start (form descriptions name them).
const bool DataClassesRegistered = (RegisterDataClasses(), true);
}  // namespace

void DatabaseError(const std::string& Message, const TComponent* Component) {
  if (Component && !Component->Name().empty()) throw EDatabaseError(Component->Name() + ": " + Message);
  throw EDatabaseError(Message);
}

TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner), FFields(this), FFieldDefs(std::make_unique<TFieldDefs>(this)) {}

void TDataSet::CloseOnDestroy() {
  Destroying();
  if (FState == dsInactive) return;
  FState = dsInactive;
  try {
    DataEvent(deUpdateState, 0);
    CloseCursor();
  } catch (...) {
  }
}

TDataSet::~TDataSet() {
  Destroying();
  while (!FDataSources.empty()) FDataSources.back()->SetDataSet(nullptr);
  // The dataset frees its fields, persistent ones too.
  std::vector<TField*> fields = FFields.List();
  FFields.Clear();
  for (TField* f : fields) {
    f->FDataSet = nullptr;
    delete f;
  }
}

void TDataSet::Publish(TClassBuilder<TDataSet>& b) {
  b.Property("Active", &TDataSet::Active, &TDataSet::SetActive).Default(false);
  b.Property("Filter", &TDataSet::Filter, &TDataSet::SetFilter);
  b.Property("Filtered", &TDataSet::Filtered, &TDataSet::SetFiltered).Default(false);
  b.Property("MasterSource", &TDataSet::MasterSource, &TDataSet::SetMasterSource);
  b.Property("BeforeOpen", &TDataSet::BeforeOpen, &TDataSet::SetBeforeOpen);
  b.Property("AfterOpen", &TDataSet::AfterOpen, &TDataSet::SetAfterOpen);
  b.Property("BeforeClose", &TDataSet::BeforeClose, &TDataSet::SetBeforeClose);
  b.Property("AfterClose", &TDataSet::AfterClose, &TDataSet::SetAfterClose);
  b.Property("BeforeInsert", &TDataSet::BeforeInsert, &TDataSet::SetBeforeInsert);
  b.Property("AfterInsert", &TDataSet::AfterInsert, &TDataSet::SetAfterInsert);
  b.Property("BeforeEdit", &TDataSet::BeforeEdit, &TDataSet::SetBeforeEdit);
  b.Property("AfterEdit", &TDataSet::AfterEdit, &TDataSet::SetAfterEdit);
  b.Property("BeforePost", &TDataSet::BeforePost, &TDataSet::SetBeforePost);
  b.Property("AfterPost", &TDataSet::AfterPost, &TDataSet::SetAfterPost);
  b.Property("BeforeCancel", &TDataSet::BeforeCancel, &TDataSet::SetBeforeCancel);
  b.Property("AfterCancel", &TDataSet::AfterCancel, &TDataSet::SetAfterCancel);
  b.Property("BeforeDelete", &TDataSet::BeforeDelete, &TDataSet::SetBeforeDelete);
  b.Property("AfterDelete", &TDataSet::AfterDelete, &TDataSet::SetAfterDelete);
  b.Property("BeforeScroll", &TDataSet::BeforeScroll, &TDataSet::SetBeforeScroll);
  b.Property("AfterScroll", &TDataSet::AfterScroll, &TDataSet::SetAfterScroll);
  b.Property("BeforeRefresh", &TDataSet::BeforeRefresh, &TDataSet::SetBeforeRefresh);
  b.Property("AfterRefresh", &TDataSet::AfterRefresh, &TDataSet::SetAfterRefresh);
  b.Property("OnCalcFields", &TDataSet::OnCalcFields, &TDataSet::SetOnCalcFields);
  b.Property("OnFilterRecord", &TDataSet::OnFilterRecord, &TDataSet::SetOnFilterRecord);
  b.Property("OnNewRecord", &TDataSet::OnNewRecord, &TDataSet::SetOnNewRecord);
}

void TDataSet::Error(const std::string& msg) const { DatabaseError(msg, this); }

void TDataSet::CheckActive() const {
  if (!Active()) Error("Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckInactive() const {
  if (Active()) Error("Cannot perform this operation on an open dataset");
}

void TDataSet::CheckCanModify() const {
  if (!CanModify()) Error("Cannot modify a read-only dataset");
}

bool TDataSet::IsEmpty() const { return FActiveRecord >= FRecordCount; }

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) {
    FStreamedActive = false;
    SetActive(true);
  }
}

void TDataSet::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TField* f : std::vector<TField*>(FFields.List()))
    if (f->Owner() == Root) Proc(f);
}

void TDataSet::SetActive(bool v) {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
    FStreamedActive = v;
    return;
  }
  if (v == Active()) return;
  if (v) {
    FBeforeOpen(this);
    OpenCursor();
    SetState(dsBrowse);
    FAfterOpen(this);
    if (!IsEmpty()) FAfterScroll(this);
  } else {
    if (!ComponentState().Contains(csDestroying)) FBeforeClose(this);
    if (FState == dsEdit || FState == dsInsert) InternalCancel();
    SetState(dsInactive);
    CloseCursor();
    if (!ComponentState().Contains(csDestroying)) FAfterClose(this);
  }
}

void TDataSet::OpenCursor() {
  FState = dsOpening;
  auto closeOnFailure = AtScopeFailure([this] {
    FState = dsInactive;
    CloseCursor();
  });
  FDefaultFields = FFields.Count() == 0;
  InternalOpen();
  FBuffers.clear();
  int count = FBufferCount;
  FBufferCount = 0;
  FRecordCount = 0;
  if (count < 1) count = 1;
  SetBufferCount(count);
  UpdateBufferCount();
  ClearBuffers();
  InternalFirst();
  GetNextRecords();
  FBOF = true;
  FEOF = FRecordCount == 0;
}

void TDataSet::CloseCursor() {
  FBuffers.clear();
  FRecordCount = 0;
  FActiveRecord = 0;
  FCurrentRecord = -1;
  FBOF = FEOF = true;
  FOldValuesValid = false;
  InternalClose();
  DestroyDefaultFields();
  for (TField* f : FFields.List()) f->SetSlot(-1);
}

void TDataSet::SetState(TDataSetState v) {
  if (FState == v) return;
  FState = v;
  FModified = false;
  DataEvent(deUpdateState, 0);
}

TDataSetState TDataSet::SetTempState(TDataSetState s) {
  TDataSetState old = FState;
  FState = s;
  return old;
}

void TDataSet::RestoreState(TDataSetState s) { FState = s; }

TRecordBuffer* TDataSet::StateRecordBuffer() const {
  switch (FState) {
    case dsBrowse:
      return IsEmpty() ? nullptr : FBuffers[static_cast<size_t>(FActiveRecord)].get();
    case dsEdit:
    case dsInsert:
    case dsNewValue:
    case dsCurValue:
      return FActiveRecord < static_cast<int>(FBuffers.size()) ? FBuffers[static_cast<size_t>(FActiveRecord)].get()
                                                               : nullptr;
    case dsCalcFields:
    case dsInternalCalc:
      return FCalcBuffer;
    case dsFilter:
      return FFilterBuffer;
    case dsOldValue:
      if (FOldValuesValid) return const_cast<TRecordBuffer*>(&FOldValues);
      return IsEmpty() ? nullptr : FBuffers[static_cast<size_t>(FActiveRecord)].get();
    default:
      return nullptr;
  }
}

// Fields

void TDataSet::AddField(TField* f) {
  if (FFields.IndexOf(f) < 0) FFields.Add(f);
}

void TDataSet::RemoveField(TField* f) { FFields.Remove(f); }

void TDataSet::UpdateFieldDefs() {
  if (!Active()) InternalInitFieldDefs();
}

void TDataSet::CreateFields() {
  for (int i = 0; i < FFieldDefs->Count(); ++i) {
    TFieldDef* def = FFieldDefs->Items(i);
    TClass cls = DefaultFieldClass(def->DataType());
    if (!cls) continue;
    auto* f = dynamic_cast<TField*>(CreateComponent(cls, this));
    if (!f) continue;
    f->SetFieldName(def->Name());
    f->SetDataTypeInternal(def->DataType());
    if (def->DataType() == ftString || def->DataType() == ftFixedChar || def->DataType() == ftWideString ||
        def->DataType() == ftBytes || def->DataType() == ftVarBytes)
      f->SetSize(def->Size());
    f->SetRequired(def->Required());
    if (def->Attributes().Contains(faReadonly)) f->SetReadOnly(true);
    f->SetDataSet(this);
  }
}

void TDataSet::BindFields() {
  FCalcFieldCount = 0;
  int slot = 0;
  for (TField* f : FFields.List()) {
    f->SetSlot(slot++);
    if (f->FieldKind() == fkData) {
      int i = FFieldDefs->IndexOf(f->FieldName());
      if (i < 0) Error("Field '" + f->FieldName() + "' not found");
      f->SetFieldNoInternal(FFieldDefs->Items(i)->FieldNo());
    } else {
      f->SetFieldNoInternal(-1);
      if (f->FieldKind() == fkCalculated || f->FieldKind() == fkLookup || f->FieldKind() == fkInternalCalc)
        ++FCalcFieldCount;
    }
  }
  FSlotCount = slot;
  // When the data fields are the definitions, each once, a data field's value sits where
  // its definition is, so an engine can hand over a row's values in one piece; the other
  // fields follow in their order.
  const int defs = FFieldDefs->Count();
  std::vector<bool> taken(static_cast<size_t>(defs), false);
  int dataFields = 0;
  bool byDefinition = true;
  for (TField* f : FFields.List()) {
    if (f->FieldKind() != fkData) continue;
    ++dataFields;
    int d = f->FieldNo() - 1;
    if (d < 0 || d >= defs || taken[static_cast<size_t>(d)]) byDefinition = false;
    else taken[static_cast<size_t>(d)] = true;
  }
  if (byDefinition && dataFields == defs) {
    int next = defs;
    for (TField* f : FFields.List()) f->SetSlot(f->FieldKind() == fkData ? f->FieldNo() - 1 : next++);
  }
  FCalcTemp.Values.assign(static_cast<size_t>(FSlotCount), Null());
}

void TDataSet::DestroyDefaultFields() {
  if (!FDefaultFields) return;
  std::vector<TField*> fields = FFields.List();
  FFields.Clear();
  for (TField* f : fields) {
    f->FDataSet = nullptr;
    delete f;
  }
  FDefaultFields = false;
}

std::vector<TField*> TDataSet::GetFieldList(const std::string& names) const {
  std::vector<TField*> out;
  for (const std::string& n : SplitFieldNames(names)) out.push_back(FieldByName(n));
  return out;
}

void TDataSet::GetFieldNames(std::vector<std::string>& names) const {
  names.clear();
  if (FFields.Count() > 0) {
    for (TField* f : FFields.List()) names.push_back(f->FieldName());
  } else {
    for (int i = 0; i < FFieldDefs->Count(); ++i) names.push_back(FFieldDefs->Items(i)->Name());
  }
}

Variant TDataSet::FieldValues(const std::string& names) const {
  std::vector<TField*> fields = GetFieldList(names);
  if (fields.size() == 1) return fields[0]->Value();
  Variant v = VarArrayCreate(0, static_cast<int>(fields.size()) - 1, varVariant);
  for (size_t i = 0; i < fields.size(); ++i) v.PutElement(static_cast<int>(i), fields[i]->Value());
  return v;
}

void TDataSet::SetFieldValues(const std::string& names, const Variant& v) {
  std::vector<TField*> fields = GetFieldList(names);
  if (fields.size() == 1 && !v.IsArray()) {
    fields[0]->SetValue(v);
    return;
  }
  if (!v.IsArray() || v.ElementCount() < static_cast<int>(fields.size()))
    Error("Field values for '" + names + "' need an array of " + std::to_string(fields.size()) + " values");
  for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetValue(v.GetElement(v.LowBound() + static_cast<int>(i)));
}

void TDataSet::ClearBuffer(TRecordBuffer& Buffer) const {
  Buffer.Values.assign(static_cast<size_t>(FSlotCount), Null());
}

void TDataSet::InternalInitRecord(TRecordBuffer& Buffer) {
  ClearBuffer(Buffer);
  Buffer.Key = -1;
  Buffer.RecNo = -1;
}

void TDataSet::CalculateFields(TRecordBuffer& Buffer) {
  if (FCalcFieldCount == 0) return;
  TRecordBuffer* savedCalc = FCalcBuffer;
  FCalcBuffer = &Buffer;
  TDataSetState saved = SetTempState(dsCalcFields);
  auto guard = AtScopeExit([&] {
    RestoreState(saved);
    FCalcBuffer = savedCalc;
  });
  for (TField* f : FFields.List()) {
    if (f->FieldKind() != fkCalculated && f->FieldKind() != fkLookup) continue;
    Buffer.Values[static_cast<size_t>(f->Slot())] = Null();
    TDataSet* lds = f->LookupDataSet();
    if (f->FieldKind() == fkLookup && lds && lds->Active() && !f->KeyFields().empty()) {
      Variant keys = FieldValues(f->KeyFields());
      Variant result = lds->Lookup(f->LookupKeyFields(), keys, f->LookupResultField());
      Buffer.Values[static_cast<size_t>(f->Slot())] = result;
    }
  }
  FOnCalcFields(this);
}

bool TDataSet::RecordPassesFilterEvent(TRecordBuffer& Buffer) {
  if (!FOnFilterRecord) return true;
  TRecordBuffer* savedFilter = FFilterBuffer;
  FFilterBuffer = &Buffer;
  TDataSetState saved = SetTempState(dsFilter);
  bool accept = true;
  {
    auto guard = AtScopeExit([&] {
      RestoreState(saved);
      FFilterBuffer = savedFilter;
    });
    FOnFilterRecord(this, accept);
  }
  return accept;
}

// Filtering

void TDataSet::SetFilter(const std::string& v) {
  if (v == FFilterText) return;
  std::string old = FFilterText;
  FFilterText = v;
  if (Active() && FFiltered) ApplyFilterChange([&] { FFilterText = old; });
}

void TDataSet::SetFiltered(bool v) {
  if (v == FFiltered) return;
  FFiltered = v;
  if (Active()) ApplyFilterChange([&] { FFiltered = !v; });
}

void TDataSet::SetOnFilterRecord(const TFilterRecordEvent& e) {
  FOnFilterRecord = e;
  if (Active() && FFiltered) ApplyFilterChange([] {});
}

void TDataSet::ApplyFilterChange(const std::function<void()>& undo) {
  CheckBrowseMode();
  {
    auto undoOnFailure = AtScopeFailure([&undo] { undo(); });
    FilterChanged();
  }
  First();
}

// Controls and notifications

void TDataSet::DisableControls() {
  if (FDisableCount == 0) {
    FDisableState = FState;
    FEnableEvent = deDataSetChange;
  }
  ++FDisableCount;
}

void TDataSet::EnableControls() {
  if (FDisableCount == 0) return;
  if (--FDisableCount == 0) {
    ControlsEnabledAgain();
    if (FDisableState != FState) DataEvent(deUpdateState, 0);
    if (FDisableState != dsInactive && FState != dsInactive) DataEvent(FEnableEvent, 0);
  }
}

void TDataSet::SetMasterSource(TDataSource* v) {
  if (v == FMasterSource) return;
  if (v && IsLinkedTo(v)) Error("Circular datalinks are not allowed");
  if (FMasterSource) FMasterSource->RemoveFreeNotification(this);
  FMasterSource = v;
  if (v) v->FreeNotification(this);
}

void TDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMasterSource) FMasterSource = nullptr;
}

bool TDataSet::IsLinkedTo(TDataSource* ds) const {
  while (ds) {
    TDataSet* d = ds->DataSet();
    if (!d) return false;
    if (d == this) return true;
    ds = d->MasterSource();
    if (ds && ds->DataSet() == d) break;
  }
  return false;
}

void TDataSet::AddDataSource(TDataSource* ds) {
  FDataSources.push_back(ds);
  UpdateBufferCount();
}

void TDataSet::RemoveDataSource(TDataSource* ds) {
  for (size_t i = 0; i < FDataSources.size(); ++i)
    if (FDataSources[i] == ds) {
      FDataSources.erase(FDataSources.begin() + static_cast<long>(i));
      break;
    }
  if (!ComponentState().Contains(csDestroying)) UpdateBufferCount();
}

void TDataSet::FieldChanged(TField* f) { DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(f)); }

void TDataSet::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deFieldChange) {
    auto* f = reinterpret_cast<TField*>(Info);
    if (f->FieldKind() == fkData || f->FieldKind() == fkInternalCalc) FModified = true;
    if (FState != dsSetKey && FCalcFieldCount > 0) {
      if (TRecordBuffer* buf = ActiveRecordBuffer()) CalculateFields(*buf);
    }
  }
  if (FDisableCount == 0) {
    NotifySources(Event, Info);
  } else if ((Event == deUpdateState && FState == dsInactive) || Event == deLayoutChange) {
    FEnableEvent = deLayoutChange;
  }
}

void TDataSet::NotifySources(TDataEvent Event, std::intptr_t Info) {
  std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* ds : sources) ds->DataEvent(Event, Info);
}
