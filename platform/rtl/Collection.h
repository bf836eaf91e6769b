#pragma once
// TCollection and TCollectionItem: owned lists of items of one class, with change
// notification that can be held back by BeginUpdate / EndUpdate.
#include "platform/rtl/Persistent.h"

#include <string>
#include <vector>

class TCollection;
class TComponent;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  VANTREL_CLASS(TCollectionItem, TPersistent)
public:
  // Joins Collection. Collection->Add() is the usual way: it announces the item (Notify,
  // Update, Added) once the item is fully constructed; an item constructed directly is
  // announced from this constructor, before its own class's part exists.
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item into another collection (nullptr: out of any).
  virtual void SetCollection(TCollection* Value);
  int ID() const { return FID; }
  int Index() const;
  // Moves the item to position Value.
  virtual void SetIndex(int Value);
  virtual std::string DisplayName() const { return ClassName(); }
  virtual void SetDisplayName(const std::string& Value) { Changed(false); }
  TPersistent* GetOwner() override;
  std::string GetNamePath() override;

protected:
  // Tells the collection that this item (or, AllItems, every item) changed.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
  mutable int FIndexHint = -1;  // where the item was last found in its collection
};

class TCollection : public TPersistent {
  VANTREL_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(TClass ItemClass);
  ~TCollection() override;

  TClass ItemClass() const { return FItemClass; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // Room for NewCapacity items without growing; less than Count keeps what is held.
  int Capacity() const { return static_cast<int>(FItems.capacity()); }
  void SetCapacity(int NewCapacity);
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  TCollectionItem* Items(int Index) const;
  // Assigns Value to the item at Index.
  void SetItems(int Index, TCollectionItem* Value);
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;
  void Assign(TPersistent* Source) override;

  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // Calls Update(nullptr) unless updates are held back.
  void Changed();
  TPersistent* GetOwner() override { return nullptr; }
  TPersistent* Owner() { return GetOwner(); }
  std::string GetNamePath() override;
  // Name of the owner's property holding this collection, for name paths.
  std::string PropName();

protected:
  // Told after a change: Item, or nullptr when the whole collection may have changed.
  virtual void Update(TCollectionItem* Item) {}
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  virtual void Added(TCollectionItem* Item) {}
  virtual void SetItemName(TCollectionItem* Item) {}

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void Announce(TCollectionItem* Item);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
  int FConstructing = 0;
};

// A collection that names its owner (for name paths and the form writer).
class TOwnedCollection : public TCollection {
  VANTREL_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* AOwner, TClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() override { return FOwner; }

private:
  TPersistent* FOwner;
};

// True when both collections hold the same items with the same stored properties.
bool CollectionsEqual(TCollection* C1, TCollection* C2, TComponent* Owner1 = nullptr, TComponent* Owner2 = nullptr);
