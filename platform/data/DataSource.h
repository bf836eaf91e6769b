#pragma once
// TDataSource joins a dataset to its data links; TDataLink is what controls and other
// consumers derive from to follow a dataset's window, state and changes.
#include <vector>

#include "platform/data/DataSet.h"


using TDataChangeEvent = TEvent<void(TObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
  VANTREL_CLASS(TDataSource, TComponent)
public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;
  static void Publish(TClassBuilder<TDataSource>& b);

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* v);
  TDataSetState State() const { return FState; }
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool v) { FAutoEdit = v; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  // Puts the dataset into edit mode when AutoEdit is on and it is browsing.
  void Edit();
  bool IsLinkedTo(TDataSet* ds) const;

  TNotifyEvent OnStateChange() const { return FOnStateChange; }
  void SetOnStateChange(const TNotifyEvent& e) { FOnStateChange = e; }
  TDataChangeEvent OnDataChange() const { return FOnDataChange; }
  void SetOnDataChange(const TDataChangeEvent& e) { FOnDataChange = e; }
  TNotifyEvent OnUpdateData() const { return FOnUpdateData; }
  void SetOnUpdateData(const TNotifyEvent& e) { FOnUpdateData = e; }

  // Called by the dataset and the links.
  void DataEvent(TDataEvent Event, std::intptr_t Info);
  void AddDataLink(TDataLink* link);
  void RemoveDataLink(TDataLink* link);
  const std::vector<TDataLink*>& DataLinks() const { return FDataLinks; }
  void UpdateState();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void SetState(TDataSetState v);
  void NotifyDataLinks(TDataEvent Event, std::intptr_t Info);

  TDataSet* FDataSet = nullptr;
  TDataSetState FState = dsInactive;
  bool FAutoEdit = true;
  bool FEnabled = true;
  std::vector<TDataLink*> FDataLinks;
  TNotifyEvent FOnStateChange, FOnUpdateData;
  TDataChangeEvent FOnDataChange;
};

class TDataLink : public TObject {
public:
  TDataLink();
  ~TDataLink() override;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* v);
  bool DataSourceFixed() const { return FDataSourceFixed; }
  void SetDataSourceFixed(bool v) { FDataSourceFixed = v; }
  TDataSet* DataSet() const;
  bool Active() const { return FActive; }
  bool Editing() const { return FEditing; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  // Index of the dataset's active record inside this link's window.
  int ActiveRecord() const;
  // Moves the dataset's active record to entry v of this link's window; a position
  // outside the window (0 .. RecordCount - 1) is refused: nothing moves and the result
  // is false.
  bool SetActiveRecord(int v);
  int BufferCount() const { return FBufferCount; }
  void SetBufferCount(int v);
  // Records in this link's window.
  int RecordCount() const;
  // Asks the dataset to edit (through the data source); true when it is editing.
  bool Edit();
  void UpdateRecord();
  // Set by visual controls: the link belongs to a control.
  bool VisualControl() const { return FVisualControl; }
  void SetVisualControl(bool v) { FVisualControl = v; }
  virtual bool ExecuteAction(TObject* Action) { return false; }
  virtual bool UpdateAction(TObject* Action) { return false; }

  // Called through the data source.
  void DataEvent(TDataEvent Event, std::intptr_t Info);
  int FirstRecord() const { return FFirstRecord; }

protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int Distance) { DataSetChanged(); }
  virtual void EditingChanged() {}
  virtual void FocusControl(TField** Field) {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* Field) {}
  virtual void UpdateData() {}
  virtual void UpdateState();

private:
  friend class TDataSet;
  friend class TDataSource;
  void SetActive(bool v);
  void SetEditing(bool v);
  void UpdateRange();

  TDataSource* FDataSource = nullptr;
  bool FDataSourceFixed = false;
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;
  bool FVisualControl = false;
  int FBufferCount = 1;
  int FFirstRecord = 0;
};

// Puts a link's active record back where it was when the keeper was made, when the
// keeper goes out of scope, also when an error leaves the scope.
class TActiveRecordKeeper {
public:
  explicit TActiveRecordKeeper(TDataLink& Link) : FLink(Link), FSaved(Link.ActiveRecord()) {}
  ~TActiveRecordKeeper() { FLink.SetActiveRecord(FSaved); }
  TActiveRecordKeeper(const TActiveRecordKeeper&) = delete;
  TActiveRecordKeeper& operator=(const TActiveRecordKeeper&) = delete;

private:
  TDataLink& FLink;
  int FSaved;
};
