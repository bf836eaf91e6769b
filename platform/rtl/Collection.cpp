#include "platform/rtl/Collection.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/TypInfo.h"

#include <algorithm>

// TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& v = FCollection->FItems;
  // Items mostly stay where they were: the last place found is looked at first.
  if (FIndexHint >= 0 && static_cast<std::size_t>(FIndexHint) < v.size() && v[static_cast<std::size_t>(FIndexHint)] == this)
    return FIndexHint;
  auto it = std::find(v.begin(), v.end(), this);
  FIndexHint = it == v.end() ? -1 : static_cast<int>(it - v.begin());
  return FIndexHint;
}

void TCollectionItem::SetIndex(int Value) {
  int cur = Index();
  if (cur < 0 || cur == Value) return;
  auto& v = FCollection->FItems;
  if (Value < 0 || Value >= static_cast<int>(v.size()))
    throw EListError("List index out of bounds (" + std::to_string(Value) + ")");
  v.erase(v.begin() + cur);
  v.insert(v.begin() + Value, this);
  Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

std::string TCollectionItem::GetNamePath() {
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

// TCollection

TCollection::TCollection(TClass ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection() {
  FUpdateCount = 1;
  while (!FItems.empty()) {
    TCollectionItem* item = FItems.back();
    FItems.pop_back();
    item->FCollection = nullptr;
    delete item;
  }
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

void TCollection::SetCapacity(int NewCapacity) {
  if (NewCapacity > Count()) FItems.reserve(static_cast<std::size_t>(NewCapacity));
}

TCollectionItem* TCollection::Add() {
  if (!FItemClass || !FItemClass->NewItem)
    throw EInvalidOperation("Cannot create an instance of " + (FItemClass ? FItemClass->Name : std::string("nil")));
  // The new item announces itself once fully constructed.
  ++FConstructing;
  TCollectionItem* item;
  {
    auto guard = AtScopeExit([&] { --FConstructing; });
    item = static_cast<TCollectionItem*>(FItemClass->NewItem(this));
  }
  Announce(item);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  BeginUpdate();
  TCollectionItem* item = nullptr;
  {
    auto guard = AtScopeExit([&] { EndUpdate(); });
    item = Add();
    item->SetIndex(Index);
  }
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  RemoveItem(item);
  delete item;
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  auto guard = AtScopeExit([&] { EndUpdate(); });
  while (!FItems.empty()) Delete(Count() - 1);
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* i : FItems)
    if (i->FID == ID) return i;
  return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCollection*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  auto guard = AtScopeExit([&] { EndUpdate(); });
  Clear();
  for (TCollectionItem* i : src->FItems) Add()->Assign(i);
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FIndexHint = static_cast<int>(FItems.size()) - 1;
  Item->FCollection = this;
  Item->FID = FNextID++;
  if (FConstructing == 0) Announce(Item);
}

void TCollection::Announce(TCollectionItem* Item) {
  SetItemName(Item);
  Notify(Item, cnAdded);
  Changed();
  Added(Item);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  std::erase(FItems, Item);
  Item->FCollection = nullptr;
  Changed();
}

std::string TCollection::PropName() {
  TPersistent* owner = GetOwner();
  if (!owner) return {};
  for (const TPropInfo* p : owner->ClassType()->Properties())
    if (p->Kind == tkClass && p->GetObj && p->GetObj(owner) == this) return p->Name;
  return {};
}

std::string TCollection::GetNamePath() {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  std::string path = owner->GetNamePath();
  std::string prop = PropName();
  if (path.empty() || prop.empty()) return ClassName();
  return path + "." + prop;
}
