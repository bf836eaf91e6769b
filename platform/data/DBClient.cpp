// The in-memory client dataset.
#include "platform/data/DBClient.h"

#include <algorithm>

#include "platform/data/DataConvert.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/forms/Filer.h"

TCustomClientDataSet::TCustomClientDataSet(TComponent* AOwner)
    : TRowDataSet(AOwner), FIndexDefs(std::make_unique<TIndexDefs>(this)) {}

TCustomClientDataSet::~TCustomClientDataSet() { CloseOnDestroy(); }

void TCustomClientDataSet::Publish(TClassBuilder<TCustomClientDataSet>& b) {
  b.Property("IndexName", &TCustomClientDataSet::IndexName, &TCustomClientDataSet::SetIndexName);
  b.Property("IndexFieldNames", &TCustomClientDataSet::IndexFieldNames, &TCustomClientDataSet::SetIndexFieldNames);
  b.Property("ProviderName", &TCustomClientDataSet::ProviderName, &TCustomClientDataSet::SetProviderName);
  b.Property("ReadOnly", &TCustomClientDataSet::ReadOnly, &TCustomClientDataSet::SetReadOnly).Default(false);
}

void TCustomClientDataSet::InternalInitFieldDefs() {
  if (FieldDefs().Count() > 0) return;
  for (TField* f : Fields().List())
    if (f->FieldKind() == fkData) FieldDefs().Add(f->FieldName(), f->DataType(), f->Size(), f->Required());
}

void TCustomClientDataSet::CreateDataSet() {
  CheckInactive();
  InternalInitFieldDefs();
  if (FieldDefs().Count() == 0) Error("Field definitions are missing");
  FRows.clear();
  FNatural.clear();
  FNextAutoInc = 1;
  FCreated = true;
  Open();
}

void TCustomClientDataSet::EmptyDataSet() {
  CheckActive();
  Cancel();
  FRows.clear();
  FNatural.clear();
  RebuildOrder();
  First();
}

void TCustomClientDataSet::OpenEngine() {
  if (!FCreated) Error("Missing data provider or data packet");
  if (!FIndexName.empty()) FIndexDefs->Find(FIndexName);
}

std::vector<TCustomClientDataSet::TSortKey> TCustomClientDataSet::CurrentSortKeys() const {
  std::vector<TSortKey> keys;
  std::string fields;
  std::vector<std::string> desc, caseIns;
  bool allDesc = false, allCaseIns = false;
  if (!FIndexName.empty()) {
    TIndexDef* d = FIndexDefs->Find(FIndexName);
    fields = d->Fields();
    desc = SplitFieldNames(d->DescFields());
    caseIns = SplitFieldNames(d->CaseInsFields());
    allDesc = d->Options().Contains(ixDescending);
    allCaseIns = d->Options().Contains(ixCaseInsensitive);
  } else {
    fields = FIndexFieldNames;
  }
  auto listed = [](const std::vector<std::string>& list, const std::string& name) {
    for (const auto& n : list)
      if (AnsiSameText(n, name)) return true;
    return false;
  };
  for (const std::string& name : SplitFieldNames(fields)) {
    int def = FieldDefs().IndexOf(name);
    if (def < 0) DatabaseError("Field '" + name + "' not found", this);
    keys.push_back({def, allDesc || listed(desc, name), allCaseIns || listed(caseIns, name)});
  }
  return keys;
}

bool TCustomClientDataSet::OrderFollowsValues() const { return !FIndexName.empty() || !FIndexFieldNames.empty(); }

std::vector<std::int64_t> TCustomClientDataSet::LoadOrder() {
  std::vector<std::int64_t> order = FNatural;
  std::vector<TSortKey> keys = CurrentSortKeys();
  if (keys.empty()) return order;
  std::stable_sort(order.begin(), order.end(), [&](std::int64_t a, std::int64_t b) {
    const auto& ra = FRows[static_cast<size_t>(a)];
    const auto& rb = FRows[static_cast<size_t>(b)];
    for (const TSortKey& k : keys) {
      int c = CompareValues(ra[static_cast<size_t>(k.Def)], rb[static_cast<size_t>(k.Def)], k.CaseIns);
      if (c != 0) return k.Desc ? c > 0 : c < 0;
    }
    return false;
  });
  return order;
}

bool TCustomClientDataSet::LoadRowValues(std::int64_t key, std::vector<Variant>& values) {
  const auto& row = FRows[static_cast<size_t>(key)];
  for (size_t i = 0; i < values.size() && i < row.size(); ++i) values[i] = row[i];
  return !row.empty();
}

std::int64_t TCustomClientDataSet::WriteRow(std::int64_t key, const std::vector<Variant>& values,
                                            const std::vector<bool>& present, std::int64_t beforeKey,
                                            const std::vector<Variant>&) {
  const size_t defs = static_cast<size_t>(FieldDefs().Count());
  std::vector<Variant> row;
  if (key < 0) row.assign(defs, Null());
  else row = FRows[static_cast<size_t>(key)];
  for (size_t i = 0; i < defs && i < values.size(); ++i)
    if (present[i]) row[i] = values[i];
  for (size_t i = 0; i < defs; ++i) {
    if (FieldDefs().Items(static_cast<int>(i))->DataType() != ftAutoInc) continue;
    if (key < 0 && (row[i].IsNull() || row[i].IsEmpty())) row[i] = Variant(static_cast<int>(FNextAutoInc));
    if (!row[i].IsNull() && row[i].AsInt64() >= FNextAutoInc) FNextAutoInc = row[i].AsInt64() + 1;
  }
  if (key >= 0) {
    FRows[static_cast<size_t>(key)] = std::move(row);
    return key;
  }
  key = static_cast<std::int64_t>(FRows.size());
  FRows.push_back(std::move(row));
  auto it = beforeKey >= 0 ? std::find(FNatural.begin(), FNatural.end(), beforeKey) : FNatural.end();
  FNatural.insert(it, key);
  return key;
}

void TCustomClientDataSet::EraseRow(std::int64_t key) {
  FRows[static_cast<size_t>(key)].clear();
  FRows[static_cast<size_t>(key)].shrink_to_fit();
  FNatural.erase(std::remove(FNatural.begin(), FNatural.end(), key), FNatural.end());
}

void TCustomClientDataSet::DefineProperties(TFiler* Filer) {
  TRowDataSet::DefineProperties(Filer);
  Filer->DefineProperty(
      "Data", [this](TReader* R) { ReadData(R); }, [this](TWriter* W) { WriteData(W); }, Active() && FCreated);
}

// Data = ( ( ( 'Name' ftString 20 False ) ... ) ( value ... ) ... ): the field definitions,
// then one list of values per row in the order the rows were added.
void TCustomClientDataSet::WriteData(TWriter* Writer) {
  Writer->WriteListBegin();
  Writer->WriteListBegin();
  for (int i = 0; i < FieldDefs().Count(); ++i) {
    const TFieldDef* d = FieldDefs().Items(i);
    Writer->WriteListBegin();
    Writer->WriteString(d->Name());
    Writer->WriteIdent(GetEnumName(EnumTypeInfo(TFieldType{}), d->DataType()));
    Writer->WriteInteger(d->Size());
    Writer->WriteBoolean(d->Required());
    Writer->WriteListEnd();
  }
  Writer->WriteListEnd();
  for (std::int64_t key : FNatural) {
    Writer->WriteListBegin();
    for (const Variant& v : FRows[static_cast<size_t>(key)]) Writer->WriteVariant(v);
    Writer->WriteListEnd();
  }
  Writer->WriteListEnd();
}

void TCustomClientDataSet::ReadData(TReader* Reader) {
  CheckInactive();
  std::vector<std::vector<Variant>> rows;
  TFieldDefs defs(this);
  Reader->ReadListBegin();
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) {
    Reader->ReadListBegin();
    const std::string name = Reader->ReadString();
    const int type = GetEnumValue(EnumTypeInfo(TFieldType{}), Reader->ReadIdent());
    if (type < 0) DatabaseError("Unknown field type of field '" + name + "'", this);
    const int size = Reader->ReadInteger();
    const bool required = Reader->ReadBoolean();
    Reader->ReadListEnd();
    defs.Add(name, static_cast<TFieldType>(type), size, required);
  }
  Reader->ReadListEnd();
  const auto width = static_cast<size_t>(defs.Count());
  while (!Reader->EndOfList()) {
    std::vector<Variant> row;
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) row.push_back(Reader->ReadVariant());
    Reader->ReadListEnd();
    if (row.size() != width) DatabaseError("A stored row does not match the field definitions", this);
    rows.push_back(std::move(row));
  }
  Reader->ReadListEnd();
  FieldDefs().Clear();
  for (int i = 0; i < defs.Count(); ++i) {
    const TFieldDef* d = defs.Items(i);
    FieldDefs().Add(d->Name(), d->DataType(), d->Size(), d->Required());
  }
  FRows = std::move(rows);
  FNatural.clear();
  FNextAutoInc = 1;
  for (size_t key = 0; key < FRows.size(); ++key) {
    FNatural.push_back(static_cast<std::int64_t>(key));
    for (size_t i = 0; i < width; ++i)
      if (defs.Items(static_cast<int>(i))->DataType() == ftAutoInc && !FRows[key][i].IsNull())
        FNextAutoInc = std::max(FNextAutoInc, FRows[key][i].AsInt64() + 1);
  }
  FCreated = true;
}

void TCustomClientDataSet::AddIndex(const std::string& Name, const std::string& Fields, TIndexOptions Options,
                                    const std::string& DescFields, const std::string& CaseInsFields,
                                    int GroupingLevel) {
  TIndexDef* d = FIndexDefs->Add(Name, Fields, Options);
  d->SetDescFields(DescFields);
  d->SetCaseInsFields(CaseInsFields);
  d->SetGroupingLevel(GroupingLevel);
}

void TCustomClientDataSet::DeleteIndex(const std::string& Name) {
  int i = FIndexDefs->IndexOf(Name);
  if (i < 0) Error("Index '" + Name + "' not found");
  if (AnsiSameText(FIndexName, Name)) SetIndexName("");
  FIndexDefs->Delete(i);
}

void TCustomClientDataSet::SetIndexName(const std::string& v) {
  if (v == FIndexName && FIndexFieldNames.empty()) return;
  if (!v.empty()) FIndexDefs->Find(v);
  ChangeIndex(v, "");
}

void TCustomClientDataSet::SetIndexFieldNames(const std::string& v) {
  if (v == FIndexFieldNames && FIndexName.empty()) return;
  ChangeIndex("", v);
}

void TCustomClientDataSet::ChangeIndex(const std::string& name, const std::string& fields) {
  std::string oldName = FIndexName, oldFields = FIndexFieldNames;
  FIndexName = name;
  FIndexFieldNames = fields;
  auto undo = AtScopeFailure([&] {
    FIndexName = oldName;
    FIndexFieldNames = oldFields;
  });
  IndexChanged();
}

void TCustomClientDataSet::IndexChanged() {
  if (!Active()) return;
  CheckBrowseMode();
  CurrentSortKeys();
  UpdateCursorPos();
  RebuildOrder();
  Resync({});
}

// TDataSetProvider

TDataSetProvider::~TDataSetProvider() { SetDataSet(nullptr); }

void TDataSetProvider::Publish(TClassBuilder<TDataSetProvider>& b) {
  b.Property("DataSet", &TDataSetProvider::DataSet, &TDataSetProvider::SetDataSet);
}

void TDataSetProvider::SetDataSet(TDataSet* v) {
  if (v == FDataSet) return;
  if (FDataSet) FDataSet->RemoveFreeNotification(this);
  FDataSet = v;
  if (v) v->FreeNotification(this);
}

void TDataSetProvider::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) FDataSet = nullptr;
}
