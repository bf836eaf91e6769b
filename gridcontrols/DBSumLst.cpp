#include "gridcontrols/DBSumLst.h"

#include <algorithm>
#include <cmath>

#include "platform/data/DataSource.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"

// ---- Arithmetic on raw Currency units ------------------------------------------------
// Sums are computed in extended precision on the raw 1/10000 units and stored back
// rounded half to even, as the footers have always shown them.
namespace {

using Ext = long double;
constexpr std::int64_t One = Currency::Scale;  // a count of one

Currency RoundRaw(Ext v) {
  const Ext r = std::nearbyint(v);
  if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L))
    throw EInvalidOp("Invalid floating point operation");
  return Currency::FromRaw(static_cast<std::int64_t>(r));
}

Ext RawOf(const TField* f) { return static_cast<Ext>(f->AsFloat()) * One; }

// A row's share: its value in raw units, rounded once from the exact product.
Currency RowShare(const TField* f) { return SumShareOf(f->AsFloat()); }
Ext Raw(Currency c) { return static_cast<Ext>(c.Raw()); }

// total += share, raising as Currency's sum does when it leaves the range; the scan adds
// a share per row and the sum almost never overflows.
void AddShare(Currency& total, Currency share) {
  std::int64_t raw;
  if (__builtin_add_overflow(total.Raw(), share.Raw(), &raw)) total += share;
  else total = Currency::FromRaw(raw);
}

Currency Average(Currency numerator, int count) {
  return count == 0 ? Currency() : RoundRaw(Raw(numerator) / count);
}

// Producers whose handlers sit on some dataset, to mend chains when one unhooks.
std::vector<TDBSumListProducer*>& HookedProducers() {
  static std::vector<TDBSumListProducer*> list;
  return list;
}

}  // namespace

Currency SumShareOf(double value) {
  // value * 10000 in double differs from the exact product by at most half a unit in its
  // last place, which cannot carry it across a half: the double rounds like the exact
  // product except when it lands on a half itself, where the product's lost low part
  // (recovered exactly by a fused multiply-add) decides. Beyond 2^52, and for NaN and
  // infinities, the wide path decides (its product is exact enough there too).
  const double p = value * static_cast<double>(One);
  if (!(std::fabs(p) < 0x1p52)) return RoundRaw(static_cast<Ext>(value) * One);
  // Adding and taking away 2^52 rounds to a whole number, half to even.
  const double big = p < 0 ? -0x1p52 : 0x1p52;
  double r = (p + big) - big;
  const double d = p - r;
  if (d == 0.5 || d == -0.5) {
    const double lost = std::fma(value, static_cast<double>(One), -p);
    if (lost > 0) r = p + 0.5;
    else if (lost < 0) r = p - 0.5;
  }
  return Currency::FromRaw(static_cast<std::int64_t>(r));
}

// ---- TDBSum ------------------------------------------------------------------------

void TDBSum::Publish(TClassBuilder<TDBSum>& b) {
  b.Property("FieldName", &TDBSum::FieldName, &TDBSum::SetFieldName);
  b.Property("GroupOperation", &TDBSum::GroupOperation, &TDBSum::SetGroupOperation);
}

void TDBSum::SetFieldName(const std::string& Value) {
  if (Value == FFieldName) return;
  FFieldName = Value;
  Changed(false);
}

void TDBSum::SetGroupOperation(TGroupOperation Value) {
  if (Value == FGroupOperation) return;
  FGroupOperation = Value;
  Changed(false);
}

void TDBSum::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TDBSum*>(Source)) {
    SetGroupOperation(s->GroupOperation());
    SetFieldName(s->FieldName());
    EditSnapshot = s->EditSnapshot;
    SumValue = s->SumValue;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---- TDBSumCollection --------------------------------------------------------------

TDBSumCollection::TDBSumCollection(TDBSumListProducer* Owner)
    : TCollection(TDBSum::StaticClass()), FOwner(Owner) {}

TPersistent* TDBSumCollection::GetOwner() { return FOwner; }

void TDBSumCollection::Update(TCollectionItem*) {
  if (FOwner) FOwner->SumsUpdated();
}

TDBSum* TDBSumCollection::FindSum(TGroupOperation Operation, const std::string& FieldName) const {
  for (int i = 0; i < Count(); ++i) {
    TDBSum* sum = Items(i);
    if (sum->GroupOperation() == Operation && AnsiCompareText(sum->FieldName(), FieldName) == 0) return sum;
  }
  return nullptr;
}

// ---- The producer: properties and life cycle ----------------------------------------

struct TDBSumListProducer::THook {
  TDataSet* DataSet;
  TDataSetNotifyEvent (TDataSet::*Get)() const;
  void (TDataSet::*Set)(const TDataSetNotifyEvent&);
  TDataSetNotifyEvent Own;
  TDataSetNotifyEvent Saved;
};

TDBSumListProducer::TDBSumListProducer(TComponent* AOwner)
    : FOwner(AOwner), FSumCollection(std::make_unique<TDBSumCollection>(this)) {}

TDBSumListProducer::~TDBSumListProducer() {
  // Deactivates without zeroing; never leaves a handler of a freed producer behind.
  FActive = false;
  TDBSumListProducer::UnhookDataSetEvents();
  FSumCollection.reset();
}

void TDBSumListProducer::Publish(TClassBuilder<TDBSumListProducer>& b) {
  b.Property("Active", &TDBSumListProducer::Active, &TDBSumListProducer::SetActive);
  b.Property("ExternalRecalc", &TDBSumListProducer::ExternalRecalc, &TDBSumListProducer::SetExternalRecalc);
  b.Property("OnRecalcAll", &TDBSumListProducer::OnRecalcAll, &TDBSumListProducer::SetOnRecalcAll);
  b.Property("OnAfterRecalcAll", &TDBSumListProducer::OnAfterRecalcAll,
             &TDBSumListProducer::SetOnAfterRecalcAll);
  b.Property("SumListChanged", &TDBSumListProducer::SumListChanged, &TDBSumListProducer::SetSumListChanged);
  b.Property("VirtualRecords", &TDBSumListProducer::VirtualRecords, &TDBSumListProducer::SetVirtualRecords);
}

void TDBSumListProducer::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TDBSumListProducer*>(Source)) {
    SetActive(s->Active());
    SetDataSet(s->DataSet());
    SetExternalRecalc(s->ExternalRecalc());
    FSumCollection->Assign(s->SumCollection());
    FSumListChanged = s->SumListChanged();
    SetVirtualRecords(s->VirtualRecords());
    FOnAfterRecalcAll = s->OnAfterRecalcAll();
    FOnRecalcAll = s->OnRecalcAll();
    return;
  }
  TPersistent::Assign(Source);
}

bool TDBSumListProducer::Works() const {
  if (!FOwner) return true;
  const TComponentState state = FOwner->ComponentState();
  return !(state.Contains(csDesigning) && !FDesignTimeWork) && !state.Contains(csLoading);
}

void TDBSumListProducer::Activate() {
  FActive = true;
  if (!Works()) return;
  HookDataSetEvents();
  RecalculateAll();
}

void TDBSumListProducer::Deactivate(bool Zero) {
  FActive = false;
  if (!Works()) return;
  UnhookDataSetEvents();
  if (Zero) ZeroSums();
}

void TDBSumListProducer::SetActive(bool Value) {
  if (Value == FActive) return;
  if (Value) Activate();
  else Deactivate(true);
}

void TDBSumListProducer::SetDataSet(TDataSet* Value) {
  if (Value && Value == FDataSet && Value->ComponentState().Contains(csDestroying)) {
    UnhookDataSetEvents();
    FDataSet = nullptr;
    return;
  }
  if (Value == FDataSet) return;
  if (!Works()) {
    FDataSet = Value;
    return;
  }
  const bool wasActive = FActive;
  SetActive(false);
  FDataSet = Value;
  if (wasActive) SetActive(true);
}

void TDBSumListProducer::FinishLoading() {
  if (FDataSet && FActive) Activate();
}

void TDBSumListProducer::SetExternalRecalc(bool Value) {
  if (Value == FExternalRecalc) return;
  FExternalRecalc = Value;
  RecalculateAll();
}

void TDBSumListProducer::SetVirtualRecords(bool Value) {
  if (Value == FVirtualRecords) return;
  FVirtualRecords = Value;
  if (Value) RecalculateAll();
}

void TDBSumListProducer::SumsUpdated() {
  if (FOwner && (FOwner->ComponentState().Contains(csLoading) ||
                 FOwner->ComponentState().Contains(csDestroying)))
    return;
  RecalculateAll();
}

void TDBSumListProducer::DoSumListChanged() { FSumListChanged(this); }

// ---- Hooking the dataset's events ----------------------------------------------------

void TDBSumListProducer::HookEvent(THook& Hook) {
  Hook.Saved = (Hook.DataSet->*Hook.Get)();
  (Hook.DataSet->*Hook.Set)(Hook.Own);
}

// Restores the previous handler only while this producer's own handler is in place;
// a producer that hooked later and chains to this one is chained past it instead.
void TDBSumListProducer::UnhookEvent(THook& Hook) {
  if ((Hook.DataSet->*Hook.Get)() == Hook.Own) {
    (Hook.DataSet->*Hook.Set)(Hook.Saved);
    return;
  }
  for (TDBSumListProducer* other : HookedProducers()) {
    if (other == this) continue;
    for (THook& h : other->FHooks)
      if (h.DataSet == Hook.DataSet && h.Get == Hook.Get && h.Saved == Hook.Own) h.Saved = Hook.Saved;
  }
}

void TDBSumListProducer::HookDataSetEvents() {
  if (!FDataSet || FEventsHooked) return;
  FMasterDataSet = nullptr;
  try {
    if (const TPropInfo* p = GetPropInfo(FDataSet, "MasterSource"); p && p->Kind == tkClass) {
      TObject* source = GetObjectProp(FDataSet, p);
      if (source) {
        auto* ds = dynamic_cast<TDataSource*>(source);
        if (!ds) throw EInvalidCast("Invalid class typecast");
        FMasterDataSet = ds->DataSet();
      }
    }
  } catch (const Exception&) {
    FMasterDataSet = nullptr;
  }
  using P = TDBSumListProducer;
  using D = TDataSet;
  auto add = [this](TDataSet* ds, TDataSetNotifyEvent (D::*get)() const,
                    void (D::*set)(const TDataSetNotifyEvent&), void (P::*handler)(TDataSet*)) {
    FHooks.push_back(THook{ds, get, set, TDataSetNotifyEvent::Bind(this, handler), {}});
  };
  add(FDataSet, &D::AfterEdit, &D::SetAfterEdit, &P::HandleAfterEdit);
  add(FDataSet, &D::AfterInsert, &D::SetAfterInsert, &P::HandleAfterInsert);
  add(FDataSet, &D::AfterOpen, &D::SetAfterOpen, &P::HandleAfterOpen);
  add(FDataSet, &D::AfterPost, &D::SetAfterPost, &P::HandleAfterPost);
  add(FDataSet, &D::AfterScroll, &D::SetAfterScroll, &P::HandleAfterScroll);
  add(FDataSet, &D::BeforeDelete, &D::SetBeforeDelete, &P::HandleBeforeDelete);
  add(FDataSet, &D::AfterDelete, &D::SetAfterDelete, &P::HandleAfterDelete);
  add(FDataSet, &D::AfterClose, &D::SetAfterClose, &P::HandleAfterClose);
  add(FDataSet, &D::AfterCancel, &D::SetAfterCancel, &P::HandleAfterCancel);
  if (FMasterDataSet) add(FMasterDataSet, &D::AfterScroll, &D::SetAfterScroll, &P::HandleMasterAfterScroll);
  for (THook& h : FHooks) HookEvent(h);
  HookedProducers().push_back(this);
  FEventsHooked = true;
}

void TDBSumListProducer::UnhookDataSetEvents() {
  if (!FEventsHooked && FHooks.empty()) return;
  for (THook& h : FHooks) UnhookEvent(h);
  FHooks.clear();
  auto& list = HookedProducers();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  FMasterDataSet = nullptr;
  FEventsHooked = false;
  FPendingDelete.reset();
  ClearBookmarks();
}

// The previous handler of the event this handler stands for.
namespace {
template <class H>
void CallPrevious(const std::vector<H>& hooks, TDataSet* ds, TDataSetNotifyEvent (TDataSet::*get)() const,
                  TDataSet* sender) {
  for (const H& h : hooks)
    if (h.DataSet == ds && h.Get == get) {
      if (h.Saved) h.Saved(sender);
      return;
    }
}
}  // namespace

#define VANTREL_PREVIOUS(Event) CallPrevious(FHooks, FDataSet, &TDataSet::Event, DataSet)

// ---- Handlers ---------------------------------------------------------------------

void TDBSumListProducer::HandleAfterEdit(TDataSet* DataSet) {
  FPendingDelete.reset();
  if (FActive) TakeSnapshots(false);
  VANTREL_PREVIOUS(AfterEdit);
}

void TDBSumListProducer::HandleAfterInsert(TDataSet* DataSet) {
  FPendingDelete.reset();
  if (FActive) {
    TakeSnapshots(true);
    // The new row joins the bookmark list in dataset order once it is posted.
    if (!FDataSet->IsSequenced() && FVirtualRecords) FPendingInsert = true;
  }
  VANTREL_PREVIOUS(AfterInsert);
}

void TDBSumListProducer::HandleAfterOpen(TDataSet* DataSet) {
  FPendingDelete.reset();
  if (FActive) RecalculateAll();
  VANTREL_PREVIOUS(AfterOpen);
}

void TDBSumListProducer::HandleAfterPost(TDataSet* DataSet) {
  FPendingDelete.reset();
  if (FActive) {
    ApplyPost();
    if (FPendingInsert && !FDataSet->IsSequenced() && FVirtualRecords) PlaceRow();
    FPendingInsert = false;
    DoSumListChanged();
  }
  VANTREL_PREVIOUS(AfterPost);
}

void TDBSumListProducer::HandleAfterScroll(TDataSet* DataSet) {
  VANTREL_PREVIOUS(AfterScroll);
  if (!FActive || FScanning || !FDataSet) return;
  const bool filtered = FDataSet->Filtered();
  if (filtered != FFilteredWas || (filtered && FDataSet->Filter() != FFilterWas)) RecalculateAll();
}

void TDBSumListProducer::HandleMasterAfterScroll(TDataSet* DataSet) {
  CallPrevious(FHooks, FMasterDataSet, &TDataSet::AfterScroll, DataSet);
  if (FActive && !FScanning) RecalculateAll();
}

void TDBSumListProducer::HandleAfterClose(TDataSet* DataSet) {
  FPendingDelete.reset();
  if (FActive) {
    ZeroSums();
    DoSumListChanged();
    FScanning = false;
  }
  ClearBookmarks();
  VANTREL_PREVIOUS(AfterClose);
}

void TDBSumListProducer::HandleAfterCancel(TDataSet* DataSet) {
  FPendingDelete.reset();
  VANTREL_PREVIOUS(AfterCancel);
  FPendingInsert = false;
}

// The row's share is taken now but removed only once the delete has succeeded.
void TDBSumListProducer::HandleBeforeDelete(TDataSet* DataSet) {
  FPendingDelete.reset();
  VANTREL_PREVIOUS(BeforeDelete);
  if (!FActive) return;
  const bool editing = FDataSet->State() == dsEdit;
  TPendingDelete pending;
  for (int i = 0; i < FSumCollection->Count(); ++i) {
    const TDBSum* sum = FSumCollection->Items(i);
    Ext share = 0;
    bool notNull = true;
    if (sum->TakesPart() && !sum->FieldName().empty()) {
      if (editing) {
        // The row counts with its values from before the edit.
        share = Raw(sum->EditSnapshot);
        notNull = sum->GroupOperation() == goCount ? sum->EditSnapshot.Raw() != 0
                                                   : !VarIsNull(sum->EditSnapshotValue);
      } else {
        const TField* f = ItemField(sum);
        notNull = !f->IsNull();
        if (notNull) share = RawOf(f);
      }
    }
    pending.Shares.push_back(share);
    pending.NotNull.push_back(notNull);
  }
  if (!FDataSet->IsSequenced() && FVirtualRecords) pending.BookmarkIndex = FindRecordIndex(FDataSet->GetBookmark());
  FPendingDelete = std::move(pending);
}

void TDBSumListProducer::HandleAfterDelete(TDataSet* DataSet) {
  if (FPendingDelete && FActive) {
    const TPendingDelete& p = *FPendingDelete;
    const int n = std::min<int>(FSumCollection->Count(), static_cast<int>(p.Shares.size()));
    for (int i = 0; i < n; ++i) {
      TDBSum* sum = FSumCollection->Items(i);
      if (!sum->TakesPart()) continue;
      switch (sum->GroupOperation()) {
        case goSum:
          sum->SumValue = RoundRaw(Raw(sum->SumValue) - p.Shares[i]);
          break;
        case goAvg:
          sum->AverageNumerator = RoundRaw(Raw(sum->AverageNumerator) - p.Shares[i]);
          if (p.NotNull[i]) --sum->NotNullCount;
          sum->SumValue = Average(sum->AverageNumerator, sum->NotNullCount);
          break;
        case goCount:
          if (sum->FieldName().empty() || p.NotNull[i]) sum->SumValue -= Currency::FromRaw(One);
          break;
      }
    }
    if (p.BookmarkIndex >= 0 && p.BookmarkIndex < static_cast<int>(FBookmarks.size())) {
      FDataSet->FreeBookmark(FBookmarks[static_cast<std::size_t>(p.BookmarkIndex)]);
      FBookmarks.erase(FBookmarks.begin() + p.BookmarkIndex);
    }
    FPendingDelete.reset();
    DoSumListChanged();
  }
  FPendingDelete.reset();
  VANTREL_PREVIOUS(AfterDelete);
}

#undef VANTREL_PREVIOUS

// ---- Keeping the sums ---------------------------------------------------------------

TField* TDBSumListProducer::ItemField(const TDBSum* Sum) const { return FDataSet->FieldByName(Sum->FieldName()); }

void TDBSumListProducer::TakeSnapshots(bool Inserting) {
  for (int i = 0; i < FSumCollection->Count(); ++i) {
    TDBSum* sum = FSumCollection->Items(i);
    if (!sum->TakesPart()) continue;
    if (Inserting) {
      sum->EditSnapshot = Currency();
      if (sum->GroupOperation() != goCount) sum->EditSnapshotValue = Null();
      continue;
    }
    if (sum->GroupOperation() == goCount) {
      const bool isNull = !sum->FieldName().empty() && ItemField(sum)->IsNull();
      sum->EditSnapshot = Currency::FromRaw(isNull ? 0 : One);
      continue;
    }
    const TField* f = ItemField(sum);
    sum->EditSnapshot = f->IsNull() ? Currency() : RowShare(f);
    sum->EditSnapshotValue = f->Value();
  }
}

void TDBSumListProducer::ApplyPost() {
  for (int i = 0; i < FSumCollection->Count(); ++i) {
    TDBSum* sum = FSumCollection->Items(i);
    if (!sum->TakesPart()) continue;
    switch (sum->GroupOperation()) {
      case goSum: {
        const TField* f = ItemField(sum);
        if (f->IsNull()) sum->SumValue = sum->SumValue - sum->EditSnapshot;
        else sum->SumValue = RoundRaw(RawOf(f) + (Raw(sum->SumValue) - Raw(sum->EditSnapshot)));
        break;
      }
      case goAvg: {
        const TField* f = ItemField(sum);
        if (f->IsNull()) {
          if (!VarIsNull(sum->EditSnapshotValue)) --sum->NotNullCount;
          sum->AverageNumerator = sum->AverageNumerator - sum->EditSnapshot;
        } else {
          if (VarIsNull(sum->EditSnapshotValue)) ++sum->NotNullCount;
          sum->AverageNumerator =
              RoundRaw(RawOf(f) + (Raw(sum->AverageNumerator) - Raw(sum->EditSnapshot)));
        }
        sum->SumValue = Average(sum->AverageNumerator, sum->NotNullCount);
        break;
      }
      case goCount: {
        const bool isNull = !sum->FieldName().empty() && ItemField(sum)->IsNull();
        sum->SumValue = sum->SumValue - sum->EditSnapshot + Currency::FromRaw(isNull ? 0 : One);
        break;
      }
    }
  }
}

// Puts the posted row's bookmark into the list, keeping the dataset's order.
void TDBSumListProducer::PlaceRow() {
  const TBookmark row = FDataSet->GetBookmark();
  if (row.empty()) return;
  const int count = static_cast<int>(FBookmarks.size());
  int i = (FLastIndex < 0 || FLastIndex >= count) ? 0 : FLastIndex;
  const auto cmp = [&](int at) { return FDataSet->CompareBookmarks(FBookmarks[static_cast<std::size_t>(at)], row); };
  const int c = count == 0 ? 0 : cmp(i);
  if (c < 0) {
    while (i < count && cmp(i) < 0) ++i;
  } else if (c > 0) {
    while (i >= 0 && cmp(i) > 0) --i;
    if (i >= 0 && cmp(i) == 0) return;  // already listed
    ++i;
  } else if (count > 0) {
    return;  // already listed
  }
  if (i < count && cmp(i) == 0) return;
  FBookmarks.insert(FBookmarks.begin() + i, row);
}

void TDBSumListProducer::ZeroSums() {
  FPendingDelete.reset();
  for (int i = 0; i < FSumCollection->Count(); ++i) {
    TDBSum* sum = FSumCollection->Items(i);
    sum->SumValue = Currency();
    sum->EditSnapshot = Currency();
    sum->AverageNumerator = Currency();
    sum->NotNullCount = 0;
  }
  DoSumListChanged();
}

void TDBSumListProducer::ClearBookmarks() {
  if (FDataSet)
    for (const TBookmark& b : FBookmarks) FDataSet->FreeBookmark(b);
  FBookmarks.clear();
}

void TDBSumListProducer::RecalculateAll() {
  if (!Works() || !FActive || !FDataSet || !FDataSet->Active() || !FEventsHooked) return;
  ZeroSums();
  FLastIndex = -1;
  auto finish = AtScopeExit([this] {
    FFilteredWas = FDataSet->Filtered();
    FFilterWas = FDataSet->Filter();
    FScanning = false;
    DoSumListChanged();
  });
  FOnRecalcAll(this);
  if (!FExternalRecalc) {
    bool scan = !FDataSet->IsSequenced() && FVirtualRecords;
    for (int i = 0; i < FSumCollection->Count() && !scan; ++i) scan = FSumCollection->Items(i)->TakesPart();
    if (scan) ScanRows();
    FOnAfterRecalcAll(this);
  }
}

void TDBSumListProducer::ScanRows() {
  FDataSet->DisableControls();
  auto guard = AtScopeExit([&] { FDataSet->EnableControls(); });
  ClearBookmarks();
  FScanning = true;
  const bool listRows = !FDataSet->IsSequenced() && FVirtualRecords;
  const int n = FSumCollection->Count();
  std::vector<TDBSum*> sums;
  for (int i = 0; i < n; ++i)
    if (FSumCollection->Items(i)->TakesPart()) sums.push_back(FSumCollection->Items(i));
  std::vector<const TField*> fields;  // found on the first row
  FDataSet->First();
  while (!FDataSet->Eof()) {
    if (fields.empty() && !sums.empty())
      for (const TDBSum* s : sums) fields.push_back(s->FieldName().empty() ? nullptr : ItemField(s));
    for (std::size_t k = 0; k < sums.size(); ++k) {
      TDBSum* sum = sums[k];
      const TField* f = fields[k];
      // The value is looked up once for its nullness and its share.
      const Variant* v = f ? &f->RawValue() : nullptr;
      const bool isNull = v ? v->IsNull() || v->IsEmpty() : sum->GroupOperation() != goCount;
      const auto share = [&] { return v->Type() == varDouble ? SumShareOf(v->AsDouble()) : RowShare(f); };
      switch (sum->GroupOperation()) {
        case goSum:
          if (!isNull) AddShare(sum->SumValue, share());
          break;
        case goAvg:
          if (!isNull) {
            ++sum->NotNullCount;
            AddShare(sum->AverageNumerator, share());
          }
          break;
        case goCount:
          if (!isNull) AddShare(sum->SumValue, Currency::FromRaw(One));
          break;
      }
    }
    if (listRows) FBookmarks.push_back(FDataSet->GetBookmark());
    FDataSet->Next();
  }
  FDataSet->First();
  for (TDBSum* sum : sums)
    if (sum->GroupOperation() == goAvg) sum->SumValue = Average(sum->AverageNumerator, sum->NotNullCount);
}

// ---- Virtual records ----------------------------------------------------------------

bool TDBSumListProducer::VirtualMode() {
  return FDataSet && !FDataSet->IsSequenced() && FVirtualRecords && FActive;
}

bool TDBSumListProducer::CursorIsSequenced() {
  if (!FDataSet) return false;
  if (FDataSet->IsSequenced()) return true;
  return FVirtualRecords && FActive && (!FBookmarks.empty() || (FDataSet->Bof() && FDataSet->Eof()));
}

int TDBSumListProducer::VirtualRecordCount() {
  if (VirtualMode()) return static_cast<int>(FBookmarks.size());
  return FDataSet ? FDataSet->RecordCount() : 0;
}

int TDBSumListProducer::VirtualRecNo() {
  if (VirtualMode()) return FindRecordIndex(FDataSet->GetBookmark()) + 1;
  return FDataSet->RecNo();
}

void TDBSumListProducer::SetVirtualRecNo(int Value) {
  if (!VirtualMode()) {
    FDataSet->SetRecNo(Value);
    return;
  }
  if (Value < 1 || Value > static_cast<int>(FBookmarks.size()))
    throw EListError(Format("List index out of bounds (%d)", Value - 1));
  FDataSet->GotoBookmark(FBookmarks[static_cast<std::size_t>(Value - 1)]);
}

// Searches from where the last search ended; the list is in dataset order.
int TDBSumListProducer::FindRecordIndex(const TBookmark& Bookmark) {
  if (FLastIndex == -1) FLastIndex = 0;
  const int count = static_cast<int>(FBookmarks.size());
  if (count == 0) return -1;
  if (FLastIndex < 0 || FLastIndex >= count) FLastIndex = 0;
  const auto cmp = [&](int at) { return FDataSet->CompareBookmarks(FBookmarks[static_cast<std::size_t>(at)], Bookmark); };
  int c = cmp(FLastIndex);
  if (c == 0) return FLastIndex;
  const int step = c > 0 ? -1 : 1;
  for (int i = FLastIndex + step; i >= 0 && i < count; i += step) {
    c = cmp(i);
    if (c == 0) {
      FLastIndex = i;
      return i;
    }
    if ((step < 0 && c < 0) || (step > 0 && c > 0)) break;  // passed where it would be
  }
  FLastIndex = -1;
  return -1;
}
