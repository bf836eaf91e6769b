#pragma once
// Running sums, averages and record counts of a dataset's fields for the grid footers.
// The producer takes over the dataset's event handlers (chaining the previous ones),
// computes every aggregate once by scanning the dataset and afterwards keeps them up to
// date from the editing events alone. It also serves record numbers from a list of
// bookmarks for datasets whose cursor has no dependable record numbers.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/data/DataSet.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/Variant.h"

enum TGroupOperation { goSum, goAvg, goCount };
VANTREL_ENUM(TGroupOperation, "goSum", "goAvg", "goCount")

class TDBSumListProducer;

// A value's share of a sum in raw Currency units: value * 10000 rounded half to even from
// the exact product. EInvalidOp when it does not fit.
Currency SumShareOf(double value);

// One aggregate. Amounts are Currency: a count of n is held as n (raw n * 10000).
class TDBSum : public TCollectionItem {
  VANTREL_CLASS(TDBSum, TCollectionItem)
public:
  explicit TDBSum(TCollection* Collection) : TCollectionItem(Collection) {}
  static void Publish(TClassBuilder<TDBSum>& b);
  void Assign(TPersistent* Source) override;

  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& Value);
  TGroupOperation GroupOperation() const { return FGroupOperation; }
  void SetGroupOperation(TGroupOperation Value);

  // The result: the sum, the average or the count.
  Currency SumValue;
  // goAvg: the sum over all rows and the number of rows whose field is not null.
  Currency AverageNumerator;
  int NotNullCount = 0;
  // The row's share when editing or inserting started, and its field value (Null when new).
  Currency EditSnapshot;
  Variant EditSnapshotValue = Null();

  // Whether the item is kept at all (a count, or an operation on a named field).
  bool TakesPart() const { return FGroupOperation == goCount || !FFieldName.empty(); }

private:
  std::string FFieldName;
  TGroupOperation FGroupOperation = goSum;
};

class TDBSumCollection : public TCollection {
  VANTREL_CLASS(TDBSumCollection, TCollection)
public:
  explicit TDBSumCollection(TDBSumListProducer* Owner);
  TPersistent* GetOwner() override;
  TDBSum* Items(int Index) const { return static_cast<TDBSum*>(TCollection::Items(Index)); }
  TDBSum* Add() { return static_cast<TDBSum*>(TCollection::Add()); }
  // The first item with this operation and field name (ignoring case), else nullptr.
  TDBSum* FindSum(TGroupOperation Operation, const std::string& FieldName) const;

protected:
  void Update(TCollectionItem* Item) override;

private:
  TDBSumListProducer* FOwner;
};

class TDBSumListProducer : public TPersistent {
  VANTREL_CLASS(TDBSumListProducer, TPersistent)
public:
  explicit TDBSumListProducer(TComponent* AOwner);
  ~TDBSumListProducer() override;
  static void Publish(TClassBuilder<TDBSumListProducer>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

  TComponent* Owner() const { return FOwner; }
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool DesignTimeWork() const { return FDesignTimeWork; }
  void SetDesignTimeWork(bool Value) { FDesignTimeWork = Value; }
  bool ExternalRecalc() const { return FExternalRecalc; }
  void SetExternalRecalc(bool Value);
  bool VirtualRecords() const { return FVirtualRecords; }
  void SetVirtualRecords(bool Value);
  TDBSumCollection* SumCollection() const { return FSumCollection.get(); }
  void SetSumCollection(TDBSumCollection* Value) { FSumCollection->Assign(Value); }

  TNotifyEvent OnRecalcAll() const { return FOnRecalcAll; }
  void SetOnRecalcAll(const TNotifyEvent& e) { FOnRecalcAll = e; }
  TNotifyEvent OnAfterRecalcAll() const { return FOnAfterRecalcAll; }
  void SetOnAfterRecalcAll(const TNotifyEvent& e) { FOnAfterRecalcAll = e; }
  TNotifyEvent SumListChanged() const { return FSumListChanged; }
  void SetSumListChanged(const TNotifyEvent& e) { FSumListChanged = e; }

  // Called by the owner at the end of its loading.
  void FinishLoading();
  // Called by the collection when an item changed.
  void SumsUpdated();

  // Record numbers for cursors that are not sequenced.
  virtual int VirtualRecNo();
  virtual int FindRecordIndex(const TBookmark& Bookmark);
  virtual void SetVirtualRecNo(int Value);
  virtual bool CursorIsSequenced();
  virtual int VirtualRecordCount();
  virtual void ZeroSums();
  virtual void RecalculateAll();

  // The bookmarks of the rows in dataset order (virtual records only).
  const std::vector<TBookmark>& Bookmarks() const { return FBookmarks; }

protected:
  virtual void HandleAfterCancel(TDataSet* DataSet);
  virtual void HandleAfterClose(TDataSet* DataSet);
  virtual void HandleAfterEdit(TDataSet* DataSet);
  virtual void HandleAfterInsert(TDataSet* DataSet);
  virtual void HandleAfterOpen(TDataSet* DataSet);
  virtual void HandleAfterPost(TDataSet* DataSet);
  virtual void HandleAfterScroll(TDataSet* DataSet);
  virtual void HandleBeforeDelete(TDataSet* DataSet);
  virtual void HandleAfterDelete(TDataSet* DataSet);
  virtual void HandleMasterAfterScroll(TDataSet* DataSet);
  virtual void UnhookDataSetEvents();
  virtual void HookDataSetEvents();

  // Whether the producer works now (not while its owner loads or is designed).
  bool Works() const;
  // The dataset's handlers are taken over.
  bool FEventsHooked = false;

private:
  struct THook;
  // A deleted row's share, applied once the delete has succeeded.
  struct TPendingDelete {
    std::vector<long double> Shares;  // per item, in raw units
    std::vector<bool> NotNull;     // per item
    int BookmarkIndex = -1;
  };

  void Activate();
  void Deactivate(bool Zero);
  void DoSumListChanged();
  bool VirtualMode();
  TField* ItemField(const TDBSum* Sum) const;
  void TakeSnapshots(bool Inserting);
  void ApplyPost();
  void PlaceRow();
  void ScanRows();
  void ClearBookmarks();
  void HookEvent(THook& Hook);
  void UnhookEvent(THook& Hook);

  TComponent* FOwner;
  TDataSet* FDataSet = nullptr;
  TDataSet* FMasterDataSet = nullptr;
  bool FActive = true;
  bool FDesignTimeWork = false;
  bool FExternalRecalc = false;
  bool FVirtualRecords = false;
  std::unique_ptr<TDBSumCollection> FSumCollection;
  TNotifyEvent FOnRecalcAll, FOnAfterRecalcAll, FSumListChanged;
  std::vector<THook> FHooks;
  bool FFilteredWas = false;
  std::string FFilterWas;
  bool FScanning = false;
  int FLastIndex = -1;
  bool FPendingInsert = false;
  std::optional<TPendingDelete> FPendingDelete;
  std::vector<TBookmark> FBookmarks;
};
