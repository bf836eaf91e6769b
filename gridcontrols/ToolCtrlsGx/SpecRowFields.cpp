// Field lists (';'-separated field names resolved to the fields of a dataset) and
// key-value equality.
#include "gridcontrols/ToolCtrlsGx/SpecRow.h"

#include "platform/data/DataSet.h"
#include "platform/rtl/SysUtils.h"

// ---- Field lists ---------------------------------------------------------------------

namespace {
// The next name of a ';'-separated list at Pos (blanks trimmed); Pos moves past the ';'.
std::string NextFieldName(const std::string& names, std::size_t& pos) {
  std::size_t end = names.find(';', pos);
  if (end == std::string::npos) end = names.size();
  std::string name = Trim(std::string_view(names).substr(pos, end - pos));
  pos = end < names.size() ? end + 1 : end;
  return name;
}
}  // namespace

void CollectNamedFields(std::vector<TField*>* List, TDataSet* DataSet, TComponent* Owner,
                        const std::string& FieldNames) {
  std::size_t pos = 0;
  while (pos < FieldNames.size()) {
    const std::string name = NextFieldName(FieldNames, pos);
    TField* field = DataSet->FindField(name);
    if (!field) DatabaseError(Format("Field '%s' not found", name), Owner);
    if (List) List->push_back(field);
  }
}

void NamedFieldsArray(TDataSet* DataSet, TComponent* Owner, const std::string& FieldNames,
                      TFieldsArrGx& Fields) {
  std::vector<TField*> list;
  CollectNamedFields(&list, DataSet, Owner, FieldNames);
  Fields = std::move(list);
}

void AssignFieldListValue(TDataSet* DataSet, const std::string& FieldNames, const Variant& Value) {
  if (VariantsEqual(Value, Null())) {
    for (TField* f : DataSet->GetFieldList(FieldNames)) f->Clear();
    return;
  }
  DataSet->SetFieldValues(FieldNames, Value);
}

// ---- Key values ----------------------------------------------------------------------

bool VariantsEqual(const Variant& V1, const Variant& V2) {
  try {
    const bool a1 = VarIsArray(V1), a2 = VarIsArray(V2);
    if (a1 != a2) return false;
    if (a1 && VarArrayDimCount(V1) == VarArrayDimCount(V2) &&
        VarArrayLowBound(V1, 1) == VarArrayLowBound(V2, 1) &&
        VarArrayHighBound(V1, 1) == VarArrayHighBound(V2, 1)) {
      const int low = VarArrayLowBound(V1, 1), high = VarArrayHighBound(V1, 1);
      if (high < low) return false;  // no elements
      for (int i = low; i <= high; ++i)
        if (!(V1.GetElement(i) == V2.GetElement(i))) return false;
      return true;
    }
    if (VarIsEmpty(V1) != VarIsEmpty(V2)) return false;
    return V1 == V2;
  } catch (const Exception&) {
    return false;
  }
}
