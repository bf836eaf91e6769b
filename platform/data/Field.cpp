// TField: identity, properties and access to the current record's value.
#include "platform/data/Field.h"

#include "platform/data/DataConvert.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

const Variant& TField::NullValue() {
  static const Variant v = Null();
  return v;
}

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
  if (FDataSet) FDataSet->RemoveField(this);
  if (FLookupDataSet) FLookupDataSet->RemoveFreeNotification(this);
}

void TField::Publish(TClassBuilder<TField>& b) {
  b.Property("Alignment", &TField::Alignment, &TField::SetAlignment).Default(taLeftJustify);
  b.Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel);
  b.Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth);
  b.Property("EditMask", &TField::EditMask, &TField::SetEditMask);
  b.Property("FieldKind", &TField::FieldKind, &TField::SetFieldKind).Default(fkData);
  b.Property("FieldName", &TField::FieldName, &TField::SetFieldName);
  b.Property("KeyFields", &TField::KeyFields, &TField::SetKeyFields);
  b.Property("Lookup", &TField::Lookup, &TField::SetLookup).Stored(false);
  b.Property("LookupDataSet", &TField::LookupDataSet, &TField::SetLookupDataSet);
  b.Property("LookupKeyFields", &TField::LookupKeyFields, &TField::SetLookupKeyFields);
  b.Property("LookupResultField", &TField::LookupResultField, &TField::SetLookupResultField);
  b.Property("Origin", &TField::Origin, &TField::SetOrigin);
  b.Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly).Default(false);
  b.Property("Required", &TField::Required, &TField::SetRequired).Default(false);
  b.Property("Size", &TField::Size, &TField::SetSize).Default(0);
  b.Property("Visible", &TField::Visible, &TField::SetVisible).Default(true);
  b.Property("OnChange", &TField::OnChange, &TField::SetOnChange);
  b.Property("OnGetText", &TField::OnGetText, &TField::SetOnGetText);
  b.Property("OnSetText", &TField::OnSetText, &TField::SetOnSetText);
  b.Property("OnValidate", &TField::OnValidate, &TField::SetOnValidate);
}

void TField::SetFieldName(const std::string& v) {
  if (FDataSet) FDataSet->CheckInactive();
  FFieldName = v;
}

void TField::SetDataSet(TDataSet* v) {
  if (v == FDataSet) return;
  if (FDataSet) FDataSet->CheckInactive();
  if (v) v->CheckInactive();
  if (FDataSet) FDataSet->RemoveField(this);
  FDataSet = v;
  if (v) v->AddField(this);
}

void TField::SetParentComponent(TComponent* AParent) {
  if (auto* ds = dynamic_cast<TDataSet*>(AParent)) SetDataSet(ds);
}

void TField::FocusControl() {
  if (!FDataSet || !FDataSet->Active()) return;
  TField* self = this;
  FDataSet->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(&self));
}

TComponent* TField::GetParentComponent() const { return FDataSet; }

int TField::Index() const { return FDataSet ? FDataSet->Fields().IndexOf(this) : -1; }

void TField::SetIndex(int v) {
  if (!FDataSet) return;
  TFields& fields = FDataSet->Fields();
  int cur = fields.IndexOf(this);
  if (v < 0) v = 0;
  if (v >= fields.Count()) v = fields.Count() - 1;
  if (cur < 0 || v == cur) return;
  fields.Move(cur, v);
  PropertyChanged(true);
}

void TField::SetFieldKind(TFieldKind v) {
  if (v == FFieldKind) return;
  if (FDataSet) FDataSet->CheckInactive();
  FFieldKind = v;
}

void TField::SetSize(int v) {
  if (FDataSet) FDataSet->CheckInactive();
  FSize = v;
}

void TField::SetDisplayLabel(const std::string& v) {
  FDisplayLabel = v == FFieldName ? std::string() : v;
  PropertyChanged(true);
}

int TField::DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : DefaultWidth(); }

void TField::SetDisplayWidth(int v) {
  FDisplayWidth = v;
  PropertyChanged(true);
}

void TField::SetAlignment(TAlignment v) {
  FAlignment = v;
  PropertyChanged(false);
}

void TField::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  PropertyChanged(true);
}

void TField::SetReadOnly(bool v) {
  FReadOnly = v;
  PropertyChanged(false);
}

void TField::PropertyChanged(bool layoutAffected) {
  if (FDataSet && FDataSet->Active())
    FDataSet->DataEvent(layoutAffected ? deLayoutChange : deDataSetChange, 0);
}

bool TField::CanModify() const {
  if (FReadOnly || FFieldKind == fkCalculated || FFieldKind == fkAggregate) return false;
  if (!FDataSet) return true;
  if (FFieldKind == fkLookup) return FDataSet->CanModify() && !FKeyFields.empty();
  return FDataSet->CanModify();
}

bool TField::IsValidChar(char32_t c) const { return c >= 0x20 || c == U'\t'; }

void TField::SetKeyFields(const std::string& v) { FKeyFields = v; }
void TField::SetLookupKeyFields(const std::string& v) { FLookupKeyFields = v; }
void TField::SetLookupResultField(const std::string& v) { FLookupResultField = v; }

void TField::SetLookupDataSet(TDataSet* v) {
  if (v == FLookupDataSet) return;
  if (FLookupDataSet) FLookupDataSet->RemoveFreeNotification(this);
  FLookupDataSet = v;
  if (v) v->FreeNotification(this);
}

void TField::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLookupDataSet) FLookupDataSet = nullptr;
}

Variant TField::OldValue() const {
  if (!FDataSet || FSlot < 0) return Null();
  TDataSetState s = FDataSet->SetTempState(dsOldValue);
  Variant v = RawValue();
  FDataSet->RestoreState(s);
  return v;
}

bool TField::IsNull() const {
  const Variant& v = RawValue();
  return v.IsNull() || v.IsEmpty();
}

void TField::StoreValue(const Variant& v) {
  if (!FDataSet) DatabaseError("Field '" + DisplayName() + "' has no dataset");
  TDataSetState state = FDataSet->State();
  bool internal = state == dsCalcFields || state == dsFilter || state == dsNewValue || state == dsInternalCalc;
  if (!internal && state != dsEdit && state != dsInsert && state != dsSetKey)
    DatabaseError("Dataset not in edit or insert mode", FDataSet);
  if (!internal && state != dsSetKey && (FReadOnly || FFieldKind == fkCalculated))
    DatabaseError("Field '" + DisplayName() + "' cannot be modified");
  TRecordBuffer* buf = FDataSet->ActiveRecordBuffer();
  if (!buf || FSlot < 0 || FSlot >= static_cast<int>(buf->Values.size()))
    DatabaseError("Field '" + DisplayName() + "' has no record to write", FDataSet);
  Variant& slot = buf->Values[static_cast<size_t>(FSlot)];
  if (internal) {
    slot = v;
    return;
  }
  if (FOnValidate) {
    // A refused value gives the slot back what it held.
    Variant old = slot;
    slot = v;
    auto undo = AtScopeFailure([&slot, &old] { slot = std::move(old); });
    FOnValidate(this);
  } else {
    slot = v;
  }
  FDataSet->FieldChanged(this);
  FOnChange(this);
}

Variant TField::ConvertValue(const Variant& v) const { return ConvertForField(v, FDataType); }

Variant TField::GetAsVariant() const {
  const Variant& v = RawValue();
  return v.IsEmpty() ? Null() : v;
}

void TField::SetAsVariant(const Variant& v) {
  if (FFieldKind == fkLookup && FDataSet && FDataSet->State() != dsCalcFields) {
    // Choosing a lookup value writes the key that gives it.
    if (!FLookupDataSet || FKeyFields.empty() || FLookupKeyFields.empty())
      DatabaseError("Field '" + DisplayName() + "' cannot be modified");
    Variant keys = v.IsNull() || v.IsEmpty() ? Null() : FLookupDataSet->Lookup(FLookupResultField, v, FLookupKeyFields);
    std::vector<TField*> keyFields = FDataSet->GetFieldList(FKeyFields);
    if (keys.IsNull() && keyFields.size() > 1) {
      for (TField* f : keyFields) f->Clear();
      return;
    }
    FDataSet->SetFieldValues(FKeyFields, keys);
    return;
  }
  StoreValue(ConvertValue(v));
}

std::string TField::GetAsString() const { return VarToStr(RawValue()); }

void TField::AssignString(const std::string& v) { SetAsVariant(Variant(v)); }

void TField::AccessError(const char* typeName) const {
  DatabaseError("Field '" + DisplayName() + "' cannot be accessed as type " + typeName);
}

std::int32_t TField::GetAsInteger() const {
  const Variant& v = RawValue();
  if (v.IsNull() || v.IsEmpty()) return 0;
  if (VarIsStr(v)) return StrToInt(Trim(v.AsString()));
  return v.AsInteger();
}

std::int64_t TField::GetAsInt64() const {
  const Variant& v = RawValue();
  if (v.IsNull() || v.IsEmpty()) return 0;
  if (VarIsStr(v)) return StrToInt64(Trim(v.AsString()));
  return v.AsInt64();
}

double TField::GetAsFloat() const {
  const Variant& v = RawValue();
  if (v.IsNull() || v.IsEmpty()) return 0;
  if (VarIsStr(v)) return StrToFloat(v.AsString());
  return v.AsDouble();
}

Currency TField::GetAsCurrency() const {
  const Variant& v = RawValue();
  if (v.IsNull() || v.IsEmpty()) return Currency();
  if (VarIsStr(v)) return StrToCurr(v.AsString());
  return v.AsCurrency();
}

bool TField::GetAsBoolean() const {
  const Variant& v = RawValue();
  if (v.IsNull() || v.IsEmpty()) return false;
  return v.AsBoolean();
}

TDateTime TField::GetAsDateTime() const {
  const Variant& v = RawValue();
  if (v.IsNull() || v.IsEmpty()) return 0;
  if (VarIsStr(v)) return StrToDateTime(v.AsString());
  return v.AsDateTime();
}

std::string TField::GetClassText(bool) const { return GetAsString(); }

void TField::SetClassText(const std::string& v) {
  if (v.empty()) Clear();
  else AssignString(v);
}

std::string TField::Text() const {
  std::string s;
  if (FOnGetText) FOnGetText(const_cast<TField*>(this), s, false);
  else s = GetClassText(false);
  return s;
}

void TField::SetText(const std::string& v) {
  if (FOnSetText) FOnSetText(this, v);
  else SetClassText(v);
}

std::string TField::DisplayText() const {
  std::string s;
  if (FOnGetText) FOnGetText(const_cast<TField*>(this), s, true);
  else s = GetClassText(true);
  return s;
}

// TFields

TField* TFields::Fields(int i) const {
  if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  return FList[static_cast<size_t>(i)];
}

TField* TFields::FindField(const std::string& name) const {
  for (TField* f : FList)
    if (AnsiSameText(f->FieldName(), name)) return f;
  return nullptr;
}

TField* TFields::FieldByName(const std::string& name) const {
  TField* f = FindField(name);
  if (!f) DatabaseError("Field '" + name + "' not found", FDataSet);
  return f;
}

int TFields::IndexOf(const TField* f) const {
  for (size_t i = 0; i < FList.size(); ++i)
    if (FList[i] == f) return static_cast<int>(i);
  return -1;
}

void TFields::Add(TField* f) { FList.push_back(f); }

void TFields::Remove(TField* f) {
  int i = IndexOf(f);
  if (i >= 0) FList.erase(FList.begin() + i);
}

void TFields::Move(int from, int to) {
  TField* f = FList[static_cast<size_t>(from)];
  FList.erase(FList.begin() + from);
  FList.insert(FList.begin() + to, f);
}
