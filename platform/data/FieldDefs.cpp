// Field and index definitions.
#include "platform/data/FieldDefs.h"

#include "platform/data/DataConvert.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/SysUtils.h"

TFieldDef* TFieldDefs::Add(const std::string& Name, TFieldType DataType, int Size, bool Required) {
  if (Name.empty()) DatabaseError("Field name missing", FDataSet);
  if (IndexOf(Name) >= 0) DatabaseError("Duplicate field name '" + Name + "'", FDataSet);
  FItems.push_back(std::make_unique<TFieldDef>(Name, DataType, Size, Required, Count() + 1));
  return FItems.back().get();
}

TFieldDef* TFieldDefs::AddFieldDef() {
  FItems.push_back(std::make_unique<TFieldDef>("", ftUnknown, 0, false, Count() + 1));
  return FItems.back().get();
}

TFieldDef* TFieldDefs::Items(int i) const {
  if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  return FItems[static_cast<size_t>(i)].get();
}

int TFieldDefs::IndexOf(const std::string& Name) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (AnsiSameText(FItems[i]->Name(), Name)) return static_cast<int>(i);
  return -1;
}

TFieldDef* TFieldDefs::Find(const std::string& Name) const {
  int i = IndexOf(Name);
  if (i < 0) DatabaseError("Field '" + Name + "' not found", FDataSet);
  return FItems[static_cast<size_t>(i)].get();
}

void TFieldDefs::Update() {
  if (FDataSet) FDataSet->UpdateFieldDefs();
  FUpdated = true;
}

TIndexDef* TIndexDefs::Add(const std::string& Name, const std::string& Fields, TIndexOptions Options) {
  if (IndexOf(Name) >= 0) DatabaseError("Duplicate index name '" + Name + "'", FDataSet);
  FItems.push_back(std::make_unique<TIndexDef>(Name, Fields, Options));
  return FItems.back().get();
}

TIndexDef* TIndexDefs::AddIndexDef() {
  FItems.push_back(std::make_unique<TIndexDef>("", "", TIndexOptions()));
  return FItems.back().get();
}

TIndexDef* TIndexDefs::Items(int i) const {
  if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  return FItems[static_cast<size_t>(i)].get();
}

int TIndexDefs::IndexOf(const std::string& Name) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (AnsiSameText(FItems[i]->Name(), Name)) return static_cast<int>(i);
  return -1;
}

TIndexDef* TIndexDefs::Find(const std::string& Name) const {
  int i = IndexOf(Name);
  if (i < 0) DatabaseError("Index '" + Name + "' not found", FDataSet);
  return FItems[static_cast<size_t>(i)].get();
}

TIndexDef* TIndexDefs::GetIndexForFields(const std::string& Fields, bool CaseInsensitive) const {
  std::vector<std::string> want = SplitFieldNames(Fields);
  for (const auto& d : FItems) {
    if (CaseInsensitive != d->Options().Contains(ixCaseInsensitive)) continue;
    std::vector<std::string> have = SplitFieldNames(d->Fields());
    if (have.size() < want.size() || want.empty()) continue;
    bool match = true;
    for (size_t i = 0; i < want.size() && match; ++i) match = AnsiSameText(have[i], want[i]);
    if (match) return d.get();
  }
  return nullptr;
}

void TIndexDefs::Delete(int i) {
  Items(i);
  FItems.erase(FItems.begin() + i);
}
