// TRowDataSet: ordered row keys, on-demand fetching, filtering and searching.
#include "platform/data/RowDataSet.h"

#include <cstring>

#include "platform/data/DataConvert.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

TRowDataSet::TRowDataSet(TComponent* AOwner) : TDataSet(AOwner) {}
TRowDataSet::~TRowDataSet() = default;

TBookmark TRowDataSet::EncodeKey(std::int64_t key) {
  TBookmark b(sizeof(key), '\0');
  std::memcpy(b.data(), &key, sizeof(key));
  return b;
}

bool TRowDataSet::DecodeKey(const TBookmark& b, std::int64_t& key) {
  if (b.size() != sizeof(key)) return false;
  std::memcpy(&key, b.data(), sizeof(key));
  return true;
}

std::size_t TRowDataSet::IndexBytes() const {
  return FOrder.capacity() * sizeof(std::int64_t) + FPosMap.size() * (sizeof(std::int64_t) + sizeof(int) + 16);
}

void TRowDataSet::InternalOpen() {
  OpenEngine();
  auto closeOnFailure = AtScopeFailure([this] { CloseEngine(); });
  if (DefaultFields()) CreateFields();
  BindFields();
  FDataMap.clear();
  for (TField* f : Fields().List())
    if (f->FieldKind() == fkData && f->FieldNo() > 0) FDataMap.emplace_back(f->Slot(), f->FieldNo() - 1);
  // A row's values can be handed over to the buffer when no column feeds two fields.
  std::vector<bool> seen(static_cast<size_t>(FieldDefs().Count()), false);
  FMoveRowValues = true;
  for (auto [slot, def] : FDataMap) {
    if (def >= static_cast<int>(seen.size()) || seen[static_cast<size_t>(def)]) FMoveRowValues = false;
    else seen[static_cast<size_t>(def)] = true;
  }
  FWholeRows = FMoveRowValues && FDataMap.size() == seen.size() && FDataMap.size() == static_cast<size_t>(SlotCount());
  for (auto [slot, def] : FDataMap) FWholeRows = FWholeRows && slot == def;
  FScratch.Values.assign(static_cast<size_t>(SlotCount()), Null());
  FFilterExpr.reset();
  if (Filtered()) CompileFilter();
  FOrder = LoadOrder();
  FPosMapValid = false;
  if (Filtered()) {
    std::vector<std::int64_t> kept;
    for (std::int64_t k : FOrder)
      if (PassesFilter(k)) kept.push_back(k);
    FOrder.swap(kept);
  }
  FCursor = -1;
}

void TRowDataSet::InternalClose() {
  FOrder.clear();
  FOrder.shrink_to_fit();
  FPosMap.clear();
  FPosMapValid = false;
  FFilterExpr.reset();
  FCursor = -1;
  CloseEngine();
}

void TRowDataSet::CompileFilter() {
  auto expr = std::make_unique<TFilterExpr>(Filter());
  for (const std::string& n : expr->FieldNames())
    if (!FindField(n)) Error("Field '" + n + "' not found");
  FFilterExpr = expr->Empty() ? nullptr : std::move(expr);
}

void TRowDataSet::FilterChanged() {
  std::unique_ptr<TFilterExpr> old = std::move(FFilterExpr);
  {
    auto undo = AtScopeFailure([&] { FFilterExpr = std::move(old); });
    if (Filtered()) CompileFilter();
  }
  RebuildOrder(ActiveKey());
}

std::int64_t TRowDataSet::ActiveKey() const {
  TRecordBuffer* b = ActiveRecordBuffer();
  return b && b->Flag == bfCurrent ? b->Key : -1;
}

bool TRowDataSet::PassesFilter(std::int64_t key) {
  if (!Filtered()) return true;
  const bool testExpr = FFilterExpr && !EngineFilters();
  if (!testExpr && !OnFilterRecord()) return true;
  TRecordBuffer buf;
  if (!FillBuffer(key, -1, buf)) return false;
  if (testExpr) {
    auto resolve = [&](const std::string& name, Variant& value, TFieldType& type) {
      TField* f = FindField(name);
      if (!f) return false;
      value = buf.Values[static_cast<size_t>(f->Slot())];
      type = f->DataType();
      return true;
    };
    if (!FFilterExpr->Matches(resolve)) return false;
  }
  return RecordPassesFilterEvent(buf);
}

void TRowDataSet::RebuildOrder(std::int64_t keepKey) {
  std::int64_t currentKey = keepKey;
  if (currentKey < 0 && FCursor >= 0 && FCursor < static_cast<std::int64_t>(FOrder.size()))
    currentKey = FOrder[static_cast<size_t>(FCursor)];
  std::vector<std::int64_t> order = LoadOrder();
  if (Filtered() && (FFilterExpr || OnFilterRecord())) {
    std::vector<std::int64_t> kept;
    for (std::int64_t k : order)
      if (PassesFilter(k)) kept.push_back(k);
    order.swap(kept);
  }
  FOrder.swap(order);
  FPosMapValid = false;
  int pos = currentKey >= 0 ? PositionOf(currentKey) : -1;
  FCursor = pos >= 0 ? pos : -1;
}

int TRowDataSet::PositionOf(std::int64_t key) const {
  if (FCursor >= 0 && FCursor < static_cast<std::int64_t>(FOrder.size()) && FOrder[static_cast<size_t>(FCursor)] == key)
    return static_cast<int>(FCursor);
  if (!FPosMapValid) {
    FPosMap.clear();
    FPosMap.reserve(FOrder.size());
    for (size_t i = 0; i < FOrder.size(); ++i) FPosMap[FOrder[i]] = static_cast<int>(i);
    FPosMapValid = true;
  }
  auto it = FPosMap.find(key);
  return it == FPosMap.end() ? -1 : it->second;
}

bool TRowDataSet::FillBuffer(std::int64_t key, int pos, TRecordBuffer& Buffer) {
  if (Buffer.Values.size() != static_cast<size_t>(SlotCount())) ClearBuffer(Buffer);
  if (!FMoveRowValues || !TakeRowValues(key, Buffer.Values, FDataMap)) {
    // The row's values start as Null; a text keeps its storage from the row before.
    FRowValues.resize(static_cast<size_t>(FieldDefs().Count()));
    for (Variant& v : FRowValues) v.SetNull();
    const TRecordBuffer* lastRead = nullptr;
    // A row gone meanwhile keeps showing what was read of it, never an empty row.
    if (!LoadRowValues(key, FRowValues)) {
      lastRead = LastReadOf(key);
      if (!lastRead) return false;
    }
    if (lastRead) {
      if (lastRead != &Buffer) Buffer.Values = lastRead->Values;
    } else if (FMoveRowValues) {
      // Swapped rather than moved: the buffer's old values come back for the next row.
      for (auto [slot, def] : FDataMap)
        Buffer.Values[static_cast<size_t>(slot)].Swap(FRowValues[static_cast<size_t>(def)]);
    } else {
      for (auto [slot, def] : FDataMap) Buffer.Values[static_cast<size_t>(slot)] = FRowValues[static_cast<size_t>(def)];
    }
  }
  Buffer.Key = key;
  Buffer.RecNo = pos + 1;
  Buffer.Flag = bfCurrent;
  if (HasCalcFields()) CalculateFields(Buffer);
  return true;
}

void TRowDataSet::RenumberAfterGone(std::int64_t pos) {
  for (int i = 0; i <= BufferCount(); ++i) {
    TRecordBuffer& b = Buffer(i);
    if (b.Flag == bfCurrent && b.RecNo > pos + 1) --b.RecNo;
  }
}

void TRowDataSet::DropRowAtCursor() {
  FOrder.erase(FOrder.begin() + static_cast<std::ptrdiff_t>(FCursor));
  FPosMapValid = false;
  RenumberAfterGone(FCursor);
}

const TRecordBuffer* TRowDataSet::LastReadOf(std::int64_t key) {
  for (int i = 0; i <= BufferCount(); ++i) {
    const TRecordBuffer& b = Buffer(i);
    if (b.Key == key && b.Flag == bfCurrent && b.Values.size() == static_cast<size_t>(SlotCount())) return &b;
  }
  return nullptr;
}

TGetResult TRowDataSet::GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) {
  for (;;) {
    const auto n = static_cast<std::int64_t>(FOrder.size());
    switch (GetMode) {
      case gmNext:
        if (FCursor < n) ++FCursor;
        if (FCursor >= n) {
          FCursor = n;
          return grEOF;
        }
        break;
      case gmPrior:
        if (FCursor >= 0) --FCursor;
        if (FCursor < 0) {
          FCursor = -1;
          return grBOF;
        }
        break;
      case gmCurrent:
        if (FCursor < 0) return grBOF;
        if (FCursor >= n) return grEOF;
        break;
    }
    if (FillBuffer(FOrder[static_cast<size_t>(FCursor)], static_cast<int>(FCursor), Buffer)) return grOK;
    // Gone: the cursor reads on as if the row had never been there. The row after it
    // takes its place (the current row, when one is asked for by a check).
    DropRowAtCursor();
    if (GetMode == gmCurrent && DoCheck) return grError;
    if (GetMode == gmNext) --FCursor;
  }
}

void TRowDataSet::InternalSetToRecord(const TRecordBuffer& Buffer) {
  int pos = -1;
  if (Buffer.RecNo > 0 && Buffer.RecNo <= static_cast<int>(FOrder.size()) &&
      FOrder[static_cast<size_t>(Buffer.RecNo - 1)] == Buffer.Key)
    pos = Buffer.RecNo - 1;
  else
    pos = PositionOf(Buffer.Key);
  if (pos >= 0) FCursor = pos;
}

void TRowDataSet::InternalGotoBookmark(const TBookmark& b) {
  std::int64_t key;
  int pos = DecodeKey(b, key) ? PositionOf(key) : -1;
  if (pos < 0) Error("Record not found");
  FCursor = pos;
}

TBookmark TRowDataSet::BookmarkOf(const TRecordBuffer& Buffer) const { return EncodeKey(Buffer.Key); }

bool TRowDataSet::BookmarkValid(const TBookmark& b) const {
  std::int64_t key;
  return Active() && DecodeKey(b, key) && PositionOf(key) >= 0;
}

int TRowDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
  if (a.empty() || b.empty()) return a.empty() ? (b.empty() ? 0 : -1) : 1;
  std::int64_t ka, kb;
  if (!DecodeKey(a, ka) || !DecodeKey(b, kb)) return TDataSet::CompareBookmarks(a, b);
  if (ka == kb) return 0;
  int pa = PositionOf(ka), pb = PositionOf(kb);
  if (pa < 0 || pb < 0) return ka < kb ? -1 : 1;
  return pa < pb ? -1 : 1;
}

int TRowDataSet::RecordCount() const { return Active() ? static_cast<int>(FOrder.size()) : 0; }

void TRowDataSet::InternalSetRecNo(int v) {
  if (FOrder.empty()) return;
  if (v < 1) v = 1;
  if (v > static_cast<int>(FOrder.size())) v = static_cast<int>(FOrder.size());
  FCursor = v - 1;
}

std::int64_t TRowDataSet::WriteActiveRecord(std::int64_t beforeKey) {
  TRecordBuffer& buf = *ActiveRecordBuffer();
  const bool inserting = State() == dsInsert;
  const TRecordBuffer* old = inserting ? nullptr : OldValuesBuffer();
  const auto defs = static_cast<size_t>(FieldDefs().Count());
  // A record whose slots are the row's columns in order is handed to the write as it is;
  // otherwise its values are gathered by column. The vectors keep their storage from one
  // write to the next.
  const bool whole = FWholeRows && buf.Values.size() == defs;
  std::vector<Variant>& values = FWriteValues;
  std::vector<bool>& present = FWritePresent;
  std::vector<Variant>& oldValues = FWriteOldValues;
  if (!whole) {
    values.resize(defs);
    for (Variant& v : values) v.SetNull();
  }
  present.assign(defs, false);
  oldValues.clear();
  if (old) oldValues.assign(defs, Null());
  bool changed = false;
  for (auto [slot, def] : FDataMap) {
    const Variant& value = buf.Values[static_cast<size_t>(slot)];
    if (old) {
      // An edit writes only what the user changed, so other programs' changes to the
      // rest of the row stay.
      const Variant& was = old->Values[static_cast<size_t>(slot)];
      if (SameFieldValue(value, was)) continue;
      oldValues[static_cast<size_t>(def)] = was;
    }
    if (!whole) values[static_cast<size_t>(def)] = value;
    present[static_cast<size_t>(def)] = true;
    changed = true;
  }
  if (old && !changed) {
    CheckRowPresent(buf.Key);
    return buf.Key;
  }
  return WriteRow(inserting ? -1 : buf.Key, whole ? buf.Values : values, present, beforeKey, oldValues);
}

void TRowDataSet::InternalPost() {
  TRecordBuffer& buf = *ActiveRecordBuffer();
  bool inserting = State() == dsInsert;
  std::int64_t before = -1;
  int insertPos = static_cast<int>(FOrder.size());
  if (inserting && buf.Flag == bfInserted) {
    int p = PositionOf(buf.Key);
    if (p >= 0) {
      insertPos = p;
      before = buf.Key;
    }
  } else if (inserting && buf.Flag == bfBOF) {
    insertPos = 0;
    if (!FOrder.empty()) before = FOrder.front();
  }
  std::int64_t key = WriteActiveRecord(before);
  if (OrderFollowsValues()) {
    FOrder = LoadOrder();
    if (Filtered() && (FFilterExpr || OnFilterRecord())) {
      std::vector<std::int64_t> kept;
      for (std::int64_t k : FOrder)
        if (PassesFilter(k)) kept.push_back(k);
      FOrder.swap(kept);
    }
    FPosMapValid = false;
    int pos = PositionOf(key);
    FCursor = pos >= 0 ? pos : -1;
    return;
  }
  int pos;
  if (inserting) {
    FOrder.insert(FOrder.begin() + insertPos, key);
    pos = insertPos;
  } else {
    pos = PositionOf(key);
  }
  FPosMapValid = false;
  // A row that no longer passes the filter leaves the view; the next one becomes current.
  if (pos >= 0 && (!PassesFilter(key) || (Filtered() && EngineFilters() && !EngineKeeps(key)))) {
    FOrder.erase(FOrder.begin() + pos);
    FPosMapValid = false;
  }
  FCursor = pos;
}

void TRowDataSet::InternalDelete() {
  TRecordBuffer& buf = *ActiveRecordBuffer();
  std::int64_t key = buf.Key;
  int pos = PositionOf(key);
  EraseRow(key);
  if (pos >= 0) {
    FOrder.erase(FOrder.begin() + pos);
    FPosMapValid = false;
    FCursor = pos;
  }
}

namespace {

bool KeyMatches(const Variant& value, const Variant& key, TFieldType type, TLocateOptions options) {
  bool valueNull = value.IsNull() || value.IsEmpty();
  bool keyNull = key.IsNull() || key.IsEmpty();
  if (valueNull || keyNull) return valueNull && keyNull;
  bool caseIns = options.Contains(loCaseInsensitive);
  if (VarIsStr(value)) {
    std::string v = value.AsString(), k = VarToStr(key);
    if (options.Contains(loPartialKey) && k.size() < v.size()) v = v.substr(0, k.size());
    return (caseIns ? AnsiCompareText(v, k) : AnsiCompareStr(v, k)) == 0;
  }
  return CompareValues(value, CoerceToFieldType(key, type), caseIns) == 0;
}

}  // namespace

bool TRowDataSet::FindRow(const std::vector<TField*>& fields, const Variant& values, TLocateOptions options,
                         TRecordBuffer& found) {
  std::vector<Variant> keys;
  if (fields.size() == 1 && !values.IsArray()) {
    keys.push_back(values);
  } else {
    if (!values.IsArray() || values.ElementCount() < static_cast<int>(fields.size()))
      Error("Key values must be an array of " + std::to_string(fields.size()) + " values");
    for (size_t i = 0; i < fields.size(); ++i) keys.push_back(values.GetElement(values.LowBound() + static_cast<int>(i)));
  }
  return ScanRows([&](std::int64_t key, int pos) {
    if (!FillBuffer(key, pos, found)) return false;
    for (size_t i = 0; i < fields.size(); ++i)
      if (!KeyMatches(found.Values[static_cast<size_t>(fields[i]->Slot())], keys[i], fields[i]->DataType(), options))
        return false;
    return true;
  });
}

bool TRowDataSet::ScanRows(const std::function<bool(std::int64_t key, int pos)>& visit) {
  for (size_t pos = 0; pos < FOrder.size(); ++pos)
    if (visit(FOrder[pos], static_cast<int>(pos))) return true;
  return false;
}

bool TRowDataSet::Locate(const std::string& KeyFields, const Variant& KeyValues, TLocateOptions Options) {
  CheckBrowseMode();
  std::vector<TField*> fields = GetFieldList(KeyFields);
  if (!FindRow(fields, KeyValues, Options, FScratch)) return false;
  BeforeScroll()(this);
  MoveCursorTo(FScratch.Key, FScratch.RecNo - 1);
  Resync({rmExact, rmCenter});
  AfterScroll()(this);
  return true;
}

Variant TRowDataSet::Lookup(const std::string& KeyFields, const Variant& KeyValues, const std::string& ResultFields) {
  if (!Active()) return Null();
  std::vector<TField*> fields = GetFieldList(KeyFields);
  std::vector<TField*> results = GetFieldList(ResultFields);
  TRecordBuffer buf;
  if (!FindRow(fields, KeyValues, {}, buf)) return Null();
  if (results.size() == 1) return buf.Values[static_cast<size_t>(results[0]->Slot())];
  Variant v = VarArrayCreate(0, static_cast<int>(results.size()) - 1, varVariant);
  for (size_t i = 0; i < results.size(); ++i)
    v.PutElement(static_cast<int>(i), buf.Values[static_cast<size_t>(results[i]->Slot())]);
  return v;
}
